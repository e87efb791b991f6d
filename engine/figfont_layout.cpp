#include "engine/figfont_layout.h"

#include "platform/utf8.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

namespace figfont {
namespace {

constexpr char32_t kBlank = U' ';
constexpr char32_t kLineEnd = U'\n';
// figlet keeps at most this many characters per output line: four per column, and
// some to spare.
constexpr std::int64_t InputLimit(int width) {
    return width < 0 ? INT64_MAX : (std::int64_t{width} + 1) * 4 + 100;
}

bool IsAsciiSpace(char32_t c) {
    return c == kBlank || (c >= U'\t' && c <= U'\r');
}

bool IsIn(std::u32string_view set, char32_t c) {
    return set.find(c) != std::u32string_view::npos;
}

// The rank of a character in the hierarchy rule's classes, from 1; 0 outside them.
std::size_t HierarchyClass(char32_t c) {
    static constexpr std::u32string_view kClasses[] = {U"|", U"/\\", U"[]", U"{}", U"()", U"<>"};
    for (std::size_t i = 0; i < std::size(kClasses); ++i) {
        if (IsIn(kClasses[i], c)) {
            return i + 1;
        }
    }
    return 0;
}

bool IsOppositePair(char32_t left, char32_t right) {
    static constexpr std::u32string_view kPairs[] = {U"[]", U"][", U"{}", U"}{", U"()", U")("};
    return std::any_of(std::begin(kPairs), std::end(kPairs), [&](std::u32string_view pair) {
        return pair[0] == left && pair[1] == right;
    });
}

char32_t BigX(char32_t left, char32_t right) {
    if (left == U'/' && right == U'\\') {
        return U'|';
    }
    if (left == U'\\' && right == U'/') {
        return U'Y';
    }
    return left == U'>' && right == U'<' ? U'X' : 0;
}

// The controlled smushing of two visible sub-characters, 0 when no rule joins them.
char32_t SmushByRules(int rules, char32_t hardblank, char32_t left, char32_t right) {
    if (left == hardblank || right == hardblank) {
        return (rules & kHardblankRule) && left == right ? left : 0;
    }
    if ((rules & kEqualRule) && left == right) {
        return left;
    }
    static constexpr std::u32string_view kUnderscoreTakers = U"|/\\[]{}()<>";
    if (rules & kUnderscoreRule) {
        if (left == U'_' && IsIn(kUnderscoreTakers, right)) {
            return right;
        }
        if (right == U'_' && IsIn(kUnderscoreTakers, left)) {
            return left;
        }
    }
    std::size_t leftClass = HierarchyClass(left);
    std::size_t rightClass = HierarchyClass(right);
    if ((rules & kHierarchyRule) && leftClass && rightClass && leftClass != rightClass) {
        return leftClass > rightClass ? left : right;
    }
    if ((rules & kOppositePairRule) && IsOppositePair(left, right)) {
        return U'|';
    }
    return rules & kBigXRule ? BigX(left, right) : 0;
}

struct Settings {
    int mode = 0; // the layout bits: the rules, kFitting, kSmushing
    bool rightToLeft = false;
    Justification justification = Justification::kLeft;
    int width = 0;
};

Settings Resolve(const Font& font, const LayoutOptions& options) {
    Settings settings;
    switch (options.layout) {
    case Layout::kFont:
        settings.mode = font.layout;
        break;
    case Layout::kSmushing:
        settings.mode = font.layout | kSmushing;
        break;
    case Layout::kFitting:
        settings.mode = kFitting;
        break;
    case Layout::kFullWidth:
        settings.mode = 0;
        break;
    case Layout::kOverlap:
        settings.mode = kSmushing;
        break;
    }
    settings.rightToLeft = options.direction == Direction::kFont
                               ? font.rightToLeft
                               : options.direction == Direction::kRightToLeft;
    settings.justification = options.justification;
    if (settings.justification == Justification::kByDirection) {
        settings.justification =
            settings.rightToLeft ? Justification::kRight : Justification::kLeft;
    }
    settings.width = std::max(options.width, kNoWidthLimit);
    return settings;
}

// The banner being written: rows cut to the width and justified in it.
class Output {
public:
    Output(const Font& font, const Settings& settings, const RowSink& put)
        : hardblank_(font.hardblank), settings_(settings), put_(put) {}

    void Put(std::u32string_view cells) {
        std::string row;
        if (settings_.width > 0) {
            cells = cells.substr(0, static_cast<std::size_t>(settings_.width));
            row.assign(Padding(cells.size()), ' ');
        }
        for (char32_t c : cells) {
            AppendUtf8(c == hardblank_ ? kBlank : c, row);
        }
        put_(row);
    }

private:
    std::size_t Padding(std::size_t length) const {
        std::size_t room = static_cast<std::size_t>(settings_.width) - length;
        switch (settings_.justification) {
        case Justification::kCentre:
            return (room + 1) / 2;
        case Justification::kRight:
            return room;
        default:
            return 0;
        }
    }

    char32_t hardblank_;
    const Settings& settings_;
    const RowSink& put_;
};

// One output line of figures, kept in the order the figures are added: for right to
// left its rows are mirrored, so that every figure joins the line at its end.
class Line {
public:
    Line(const Font& font, const Settings& settings, const RowSink& put)
        : font_(font), settings_(settings), output_(font, settings, put),
          rows_(static_cast<std::size_t>(font.height)), visibleEnds_(rows_.size()),
          empty_(rows_.size()) {}

    // Adds the character's figure, unless it would make the line too wide.
    bool TryAdd(char32_t code) {
        const std::vector<std::u32string>& figure = Oriented(code);
        std::size_t width = figure.front().size();
        std::size_t overlap = Overlap(figure, width);
        std::size_t columns = rows_.front().size() + width - overlap;
        if ((settings_.width >= 0 && columns > static_cast<std::size_t>(settings_.width)) ||
            static_cast<std::int64_t>(input_.size()) + 1 > InputLimit(settings_.width)) {
            return false;
        }
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            Join(r, figure[r], overlap);
        }
        previousWidth_ = width;
        input_.push_back(code);
        return true;
    }

    // Puts the figure of a character wider than the whole width out as a line of its
    // own, its start kept (its end, right to left).
    void PutAlone(char32_t code) {
        const std::vector<std::u32string>& figure = Oriented(code);
        for (const std::u32string& row : figure) {
            std::u32string cells = row;
            if (settings_.width > 0) {
                cells.resize(std::min(cells.size(), static_cast<std::size_t>(settings_.width)));
            }
            Unorient(cells);
            output_.Put(cells);
        }
    }

    void Emit() {
        for (std::u32string& row : rows_) {
            Unorient(row);
            output_.Put(row);
        }
        Clear();
    }

    void Clear() {
        for (std::u32string& row : rows_) {
            row.clear();
        }
        std::fill(visibleEnds_.begin(), visibleEnds_.end(), 0);
        input_.clear();
    }

    bool Empty() const { return rows_.front().empty(); }
    const std::vector<char32_t>& Missing() const { return missing_; }
    const std::u32string& Input() const { return input_; }

private:
    const Figure& FigureOf(char32_t code) {
        auto key = static_cast<std::int32_t>(code);
        if (const Figure* figure = font_.Find(key)) {
            return *figure;
        }
        if (code != 0 && reported_.insert(code).second) {
            missing_.push_back(code);
        }
        const Figure* fallback = font_.Find(0);
        return fallback ? *fallback : emptyFigure_;
    }

    // The figure's rows as the line holds them: mirrored for right to left.
    const std::vector<std::u32string>& Oriented(char32_t code) {
        const Figure& figure = FigureOf(code);
        const std::vector<std::u32string>& rows = figure.rows.empty() ? empty_ : figure.rows;
        if (!settings_.rightToLeft) {
            return rows;
        }
        mirrored_ = rows;
        for (std::u32string& row : mirrored_) {
            std::reverse(row.begin(), row.end());
        }
        return mirrored_;
    }

    void Unorient(std::u32string& cells) const {
        if (settings_.rightToLeft) {
            std::reverse(cells.begin(), cells.end());
        }
    }

    // What stands where two sub-characters meet, 0 when they may not meet. In the
    // line's order `earlier` is the line's and `later` the new figure's; on the page
    // the earlier one is on the left unless the line runs right to left.
    char32_t Smush(char32_t earlier, char32_t later, std::size_t width) const {
        if (earlier == kBlank || later == kBlank) {
            return earlier == kBlank ? later : earlier;
        }
        if (previousWidth_ < 2 || width < 2 || !(settings_.mode & kSmushing)) {
            return 0;
        }
        int rules = settings_.mode & kHorizontalRules;
        if (rules == 0) {
            return later == font_.hardblank ? earlier : later;
        }
        bool mirrored = settings_.rightToLeft;
        return SmushByRules(rules, font_.hardblank, mirrored ? later : earlier,
                            mirrored ? earlier : later);
    }

    // How many columns the figure may move into the line: the blanks between them in
    // the row where they are fewest, and one more where those rows' sub-characters
    // smush.
    std::size_t Overlap(const std::vector<std::u32string>& figure, std::size_t width) const {
        if (!(settings_.mode & (kSmushing | kFitting))) {
            return 0;
        }
        std::size_t overlap = width;
        for (std::size_t r = 0; r < rows_.size() && overlap > 0; ++r) {
            const std::u32string& line = rows_[r];
            std::size_t visibleEnd = visibleEnds_[r];
            std::size_t firstVisible =
                std::min(figure[r].find_first_not_of(kBlank), figure[r].size());
            std::size_t amount = firstVisible + line.size() - visibleEnd;
            if (visibleEnd > 0 && firstVisible < figure[r].size() &&
                Smush(line[visibleEnd - 1], figure[r][firstVisible], width) != 0) {
                ++amount;
            }
            overlap = std::min(overlap, amount);
        }
        return overlap;
    }

    // Joins a figure's row to line row r, `overlap` columns over its end; columns of
    // the figure that would come before the line's start are blank and dropped. Only
    // the columns it covers can have become visible.
    void Join(std::size_t r, const std::u32string& row, std::size_t overlap) {
        std::u32string& line = rows_[r];
        std::size_t start = line.size() - std::min(overlap, line.size());
        for (std::size_t k = overlap - (line.size() - start); k < overlap; ++k) {
            char32_t& cell = line[line.size() + k - overlap];
            char32_t joined = Smush(cell, row[k], row.size());
            cell = joined != 0 ? joined : row[k];
        }
        line.append(row, overlap);
        for (std::size_t end = line.size(); end > start; --end) {
            if (line[end - 1] != kBlank) {
                visibleEnds_[r] = end;
                break;
            }
        }
    }

    const Font& font_;
    const Settings& settings_;
    Output output_;
    std::vector<std::u32string> rows_;
    // For each row, the columns up to its last visible one.
    std::vector<std::size_t> visibleEnds_;
    std::vector<std::u32string> empty_;
    std::vector<std::u32string> mirrored_;
    Figure emptyFigure_;
    std::u32string input_;
    std::size_t previousWidth_ = 0;
    std::unordered_set<char32_t> reported_;
    std::vector<char32_t> missing_;
};

// Where a line may be broken, as figlet tracks it.
enum class WordState {
    kLineStart,  // no word yet since the line began
    kFirstWord,  // in the line's first word
    kAfterWord,  // in blanks after a word
    kLaterWord,  // in a word after blanks
    kSkipBlanks, // just wrapped: blanks and one line end are dropped
};

// Feeds characters to lines, wrapping words at the width.
class Wrapper {
public:
    Wrapper(const Font& font, const Settings& settings, const RowSink& put)
        : line_(font, settings, put) {}

    void Feed(char32_t c) {
        if (state_ == WordState::kSkipBlanks) {
            if (c == kBlank || c == kLineEnd) {
                state_ = c == kLineEnd ? WordState::kLineStart : state_;
                return;
            }
            state_ = WordState::kLineStart;
        }
        while (!Place(c)) {
        }
    }

    void Finish() {
        if (!line_.Empty()) {
            line_.Emit();
        }
    }

    const std::vector<char32_t>& Missing() const { return line_.Missing(); }

private:
    // Places the character; false when the line was broken before it and it must be
    // placed again.
    bool Place(char32_t c) {
        if (c == kLineEnd) {
            line_.Emit();
            state_ = WordState::kLineStart;
        } else if (line_.TryAdd(c)) {
            state_ = NextState(c);
        } else if (line_.Empty()) {
            line_.PutAlone(c);
            state_ = WordState::kSkipBlanks;
        } else if (c == kBlank) {
            BreakLine(state_ == WordState::kAfterWord);
            state_ = WordState::kSkipBlanks;
        } else {
            bool inLaterWord = state_ == WordState::kLaterWord;
            BreakLine(inLaterWord || state_ == WordState::kAfterWord);
            state_ = inLaterWord ? WordState::kFirstWord : WordState::kLineStart;
            return false;
        }
        return true;
    }

    WordState NextState(char32_t added) const {
        bool afterBlanks = state_ == WordState::kAfterWord || state_ == WordState::kLaterWord;
        if (added != kBlank) {
            return afterBlanks ? WordState::kLaterWord : WordState::kFirstWord;
        }
        return state_ == WordState::kLineStart ? WordState::kLineStart : WordState::kAfterWord;
    }

    // Ends the line where it stands, or, to move its last word to the next line, before
    // the blanks in front of that word.
    void BreakLine(bool beforeLastWord) {
        if (!beforeLastWord) {
            line_.Emit();
            return;
        }
        std::u32string input = line_.Input();
        std::size_t lastBlank = input.find_last_of(kBlank);
        std::size_t wordEnd = input.find_last_not_of(kBlank, lastBlank);
        line_.Clear();
        for (std::size_t i = 0; wordEnd != std::u32string::npos && i <= wordEnd; ++i) {
            line_.TryAdd(input[i]);
        }
        line_.Emit();
        for (std::size_t i = lastBlank + 1; i < input.size(); ++i) {
            line_.TryAdd(input[i]);
        }
    }

    Line line_;
    WordState state_ = WordState::kLineStart;
};

} // namespace

struct Renderer::State {
    State(const Font& font, const LayoutOptions& options, RowSink put)
        : settings(Resolve(font, options)), controls(options.controls),
          paragraphs(options.paragraphs), put(std::move(put)), wrapper(font, settings, this->put) {}

    // Feeds one character, translated by the control files: whitespace but blanks and
    // tabs ends a line, other control characters are dropped.
    void Take(char32_t c) {
        afterLineEnd = IsAsciiSpace(c) && c != U'\t' && c != kBlank;
        for (const ControlFile& control : controls) {
            c = static_cast<char32_t>(control.Translate(static_cast<std::int32_t>(c)));
        }
        if (IsAsciiSpace(c)) {
            c = c == U'\t' || c == kBlank ? kBlank : kLineEnd;
        }
        if ((c > 0 && c < kBlank && c != kLineEnd) || c == 0x7F) {
            return;
        }
        wrapper.Feed(c);
    }

    // In paragraphs a line end followed by anything but whitespace is a blank: it waits
    // for the character after it.
    void Read(char32_t c) {
        if (heldLineEnd) {
            heldLineEnd = false;
            Take(IsAsciiSpace(c) ? kLineEnd : kBlank);
        }
        if (paragraphs && c == kLineEnd && !afterLineEnd) {
            heldLineEnd = true;
            return;
        }
        Take(c);
    }

    Settings settings;
    std::vector<ControlFile> controls;
    bool paragraphs = false;
    RowSink put;
    Wrapper wrapper;
    bool afterLineEnd = false;
    bool heldLineEnd = false;
};

Renderer::Renderer(const Font& font, const LayoutOptions& options, RowSink put)
    : state_(std::make_unique<State>(font, options, std::move(put))) {}

Renderer::~Renderer() = default;

void Renderer::Feed(std::u32string_view text) {
    for (char32_t c : text) {
        state_->Read(c);
    }
}

void Renderer::Finish() {
    if (state_->heldLineEnd) {
        state_->heldLineEnd = false;
        state_->Take(kBlank);
    }
    state_->wrapper.Finish();
}

const std::vector<char32_t>& Renderer::Missing() const {
    return state_->wrapper.Missing();
}

Banner Render(const Font& font, std::u32string_view text, const LayoutOptions& options) {
    Banner banner;
    Renderer renderer(font, options, [&](std::string_view row) { banner.rows.emplace_back(row); });
    renderer.Feed(text);
    renderer.Finish();
    banner.missing = renderer.Missing();
    return banner;
}

Banner Render(const Font& font, std::string_view utf8, const LayoutOptions& options) {
    std::u32string text;
    for (std::size_t at = 0; at < utf8.size();) {
        auto byte = static_cast<unsigned char>(utf8[at]);
        auto sequence = byte < 0x80 ? platform::utf8_detail::Sequence{byte, 1}
                                    : platform::utf8_detail::ReadSequence(utf8.substr(at));
        text.push_back(sequence.length > 0 ? sequence.code : U'\uFFFD');
        at += sequence.length > 0 ? static_cast<std::size_t>(sequence.length) : 1;
    }
    return Render(font, text, options);
}

void AppendUtf8(char32_t code, std::string& out) {
    if (code > 0x10FFFF) {
        code = U'\uFFFD'; // a code beyond Unicode, as control files may give
    }
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

} // namespace figfont
