#include "engine/output_forms.h"

#include "platform/utf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <vector>

namespace mod8Zevazuv {

namespace {

constexpr std::string_view kRowEnd = "\r\n";

std::string_view LineEndText(LineEnd lineEnd) {
    return lineEnd == LineEnd::kCrLf ? "\r\n" : "\n";
}

bool ChangesOnlyLineEnds(const OutputForm& form, std::int16_t pageWidth) {
    return !form.trim && form.prefix.empty() && form.format == Format::kText &&
           (form.align == Align::kLeft || pageWidth < 1);
}

// Appends one character as HTML that stays ASCII whatever the page's encoding: markup
// characters and all beyond printable ASCII as character references, and what HTML
// may not hold (control characters but the tab) as U+FFFD.
void AppendHtmlCharacter(char32_t c, std::string& to) {
    switch (c) {
    case U'&':
        to += "&amp;";
        return;
    case U'<':
        to += "&lt;";
        return;
    case U'>':
        to += "&gt;";
        return;
    case U'"':
        to += "&quot;";
        return;
    case U'\'':
        to += "&#39;";
        return;
    default:
        break;
    }
    if (c >= 0x20 && c < 0x7F) {
        to += static_cast<char>(c);
        return;
    }
    if (c != U'\t' && (c < 0x20 || (c >= 0x7F && c < 0xA0))) {
        c = 0xFFFD;
    }
    char digits[8];
    const auto end =
        std::to_chars(digits, digits + sizeof digits, static_cast<std::uint32_t>(c), 16);
    to += "&#x";
    to.append(digits, end.ptr);
    to += ';';
}

// Appends UTF-16 text as HTML; a lone surrogate becomes U+FFFD.
void AppendHtml(std::u16string_view text, std::string& to) {
    using platform::IsHighSurrogate;
    using platform::IsLowSurrogate;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            c = platform::PairedCode(c, text[++i]);
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            c = 0xFFFD;
        }
        AppendHtmlCharacter(c, to);
    }
}

// The bytes that HTML text cannot hold as they stand.
constexpr std::array<bool, 256> kNeedsReference = [] {
    std::array<bool, 256> needs{};
    for (std::size_t c = 0; c < needs.size(); ++c) {
        needs[c] =
            c < 0x20 || c >= 0x7F || c == '&' || c == '<' || c == '>' || c == '"' || c == '\'';
    }
    return needs;
}();

// Appends a banner row (ASCII) as HTML; most rows hold no markup character at all.
void AppendHtmlRow(std::string_view row, std::string& to) {
    if (std::none_of(row.begin(), row.end(),
                     [](char c) { return kNeedsReference[static_cast<unsigned char>(c)]; })) {
        to += row;
        return;
    }
    for (char c : row) {
        AppendHtmlCharacter(static_cast<unsigned char>(c), to);
    }
}

// Hands each row of the banner, without its line end, to visit.
template <class Visit> void ForEachRow(std::string_view banner, Visit visit) {
    while (!banner.empty()) {
        const std::size_t end = std::min(banner.find(kRowEnd), banner.size());
        visit(banner.substr(0, end));
        banner.remove_prefix(std::min(banner.size(), end + kRowEnd.size()));
    }
}

// The output, built line by line and handed on a block at a time, so that its
// buffer stays small and is reused.
class Output {
public:
    Output(const OutputForm& form, std::int16_t pageWidth, const Write& write)
        : form_(form), pageWidth_(pageWidth), lineEnd_(LineEndText(form.lineEnd)), write_(write) {
        if (form.format == Format::kHtml) {
            AppendHtml(form.prefix, prefix_);
        } else {
            platform::AppendUtf8(form.prefix, prefix_);
        }
        text_.reserve(2 * kBlock);
    }

    // Hands on what is left.
    void Flush() {
        if (!text_.empty()) {
            write_(text_);
            text_.clear();
        }
    }

    // A line of markup (HTML tags, Markdown fences), written as it stands.
    void AddMarkup(std::string_view markup) { AddLine(0, markup, false); }

    // The rows of one band, placed together by the widest of them.
    void AddBand(const std::vector<std::string_view>& rows) {
        std::size_t widest = 0;
        for (std::string_view row : rows) {
            widest = std::max(widest, row.size());
        }
        const std::size_t offset = Offset(widest);
        for (std::string_view row : rows) {
            AddLine(offset, row, form_.format == Format::kHtml);
        }
    }

    void AddEmptyLine() { AddLine(0, {}, false); }

private:
    static constexpr std::size_t kBlock = 65536;

    // The blanks before a band of that width: none when the band is as wide as the
    // page or wider, or when the page has no limit.
    std::size_t Offset(std::size_t width) const {
        if (pageWidth_ < 1 || width >= static_cast<std::size_t>(pageWidth_)) {
            return 0;
        }
        const std::size_t room = static_cast<std::size_t>(pageWidth_) - width;
        switch (form_.align) {
        case Align::kCenter:
            return room / 2;
        case Align::kRight:
            return room;
        case Align::kLeft:
            break;
        }
        return 0;
    }

    void AddLine(std::size_t blanks, std::string_view row, bool escaped) {
        const std::size_t start = text_.size();
        text_ += prefix_;
        text_.append(blanks, ' ');
        if (escaped) {
            AppendHtmlRow(row, text_);
        } else {
            text_ += row;
        }
        if (form_.trim) {
            std::size_t end = text_.size();
            while (end > start && (text_[end - 1] == ' ' || text_[end - 1] == '\t')) {
                --end;
            }
            text_.resize(end);
        }
        text_ += lineEnd_;
        if (text_.size() >= kBlock) {
            Flush();
        }
    }

    const OutputForm& form_;
    const std::int16_t pageWidth_;
    const std::string_view lineEnd_;
    const Write& write_;
    std::string prefix_;
    std::string text_;
};

// Hands the text to write with the CR of every CR LF taken out, in one piece.
void WriteWithoutCarriageReturns(std::string_view text, const Write& write) {
    static std::string scratch;
    scratch.resize(text.size());
    char* to = scratch.data();
    while (!text.empty()) {
        const std::size_t cr = std::min(text.find('\r'), text.size());
        to = std::copy_n(text.data(), cr, to);
        text.remove_prefix(std::min(cr + 1, text.size()));
    }
    scratch.resize(static_cast<std::size_t>(to - scratch.data()));
    write(scratch);
}

// Adds the rows band by band, and the empty lines after each band.
void AddRows(std::string_view banner, Output& output) {
    std::vector<std::string_view> band;
    ForEachRow(banner, [&](std::string_view row) {
        if (!row.empty()) {
            band.push_back(row);
            return;
        }
        output.AddBand(band);
        band.clear();
        output.AddEmptyLine();
    });
    output.AddBand(band);
}

} // namespace

void WriteBanner(const OutputForm& form, std::u16string_view line, std::int16_t pageWidth,
                 std::string_view banner, const Write& write) {
    if (banner.empty()) {
        return;
    }
    if (ChangesOnlyLineEnds(form, pageWidth)) {
        if (form.lineEnd == LineEnd::kLf) {
            WriteWithoutCarriageReturns(banner, write);
        } else {
            write(banner);
        }
        return;
    }
    Output output(form, pageWidth, write);
    if (form.format == Format::kHtml) {
        std::string start = "<pre role=\"img\" aria-label=\"";
        AppendHtml(line, start);
        output.AddMarkup(start + "\">");
    } else if (form.format == Format::kMarkdown) {
        output.AddMarkup("```");
    }
    AddRows(banner, output);
    if (form.format == Format::kHtml) {
        output.AddMarkup("</pre>");
    } else if (form.format == Format::kMarkdown) {
        output.AddMarkup("```");
    }
    output.Flush();
}

std::string WithLineEnds(std::string_view text, LineEnd lineEnd) {
    std::string shaped;
    for (char c : text) {
        if (c == '\n' && lineEnd == LineEnd::kCrLf) {
            shaped += '\r';
        }
        shaped += c;
    }
    return shaped;
}

} // namespace mod8Zevazuv
