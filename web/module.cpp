// The C interface of the WebAssembly module: the banner, its file and the reading of
// option values, for JavaScript. The caller writes UTF-16 text into the input buffer
// and calls a function; the results stay in the module's buffers, which the caller
// reads by their address and size. Nothing throws: a line too wide to enlarge is a
// returned status, and running out of memory stops the module with a mark that
// out_of_memory reads. Memory comes from the C library's malloc.

#include "engine/banner.h"
#include "engine/character_classes.h"
#include "engine/font_report.h"
#include "engine/output_forms.h"
#include "platform/file_name.h"
#include "platform/utf8.h"
#include "settings/layout_options.h"
#include "settings/numeric_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <string>
#include <string_view>

#define LOFTYPE_EXPORT(name) extern "C" __attribute__((export_name(#name)))

namespace {

std::u16string input;
std::string output;
// The report of the last line's characters outside the font. Its set of the characters
// named takes 136 KiB, which its constructor clears: it is made at the first line that
// has such a character, so that the lines before it touch none of that memory (the
// first touch of each page of it costs the call a page fault).
mod8Zevazuv::FontReport* report = nullptr;
std::string message;
// The characters of the last line composed, as h8 counts them in its message.
std::size_t lineCharacters = 0;

enum Status { kDone = 0, kTooWide = 1 };

// The ranges of the layout numbers that h8 and the page take, for the glue: the page
// width's is its type's; a spacing value's is the one that IsValidSpacing tests.
using Width = decltype(modOptions::PageWidth);
struct Limits {
    std::int32_t spacingLow = modOptions::kLeastSpacing;
    std::int32_t spacingHigh = modOptions::kMostSpacing;
    std::int32_t widthLow = std::numeric_limits<Width>::min();
    std::int32_t widthHigh = std::numeric_limits<Width>::max();
};
constexpr Limits kLimits;

// Set just before the module stops for want of memory.
bool outOfMemory = false;

// Stops the module for want of memory: a trap (a WebAssembly.RuntimeError in
// JavaScript), marked so that the glue tells it from any other.
[[noreturn]] void StopForMemory() {
    outOfMemory = true;
    __builtin_trap();
}

// Appends to the output. A banner longer than the largest string (2 GiB, half of the
// module's 4 GiB) is too large for the memory; unchecked, the C++ library would stop
// the module as for a fault of its own.
void Append(std::string_view bytes) {
    if (bytes.size() > output.max_size() - output.size()) {
        StopForMemory();
    }
    output += bytes;
}

void ApplyOptions(int hSpaces, int vSpaces, int pageWidth) {
    modOptions::HSpaces = static_cast<std::int16_t>(hSpaces);
    modOptions::VSpaces = static_cast<std::int16_t>(vSpaces);
    modOptions::PageWidth = static_cast<std::int16_t>(pageWidth);
}

// Names the line's characters that the font lacks, and clears the last message. The
// characters before the first one outside the font name nothing, and leave nothing for
// the one after them (only a high surrogate, outside the font, pairs with the next).
void Report(std::u16string_view line) {
    if (report != nullptr) {
        report->Clear();
    }
    message.clear();
    std::size_t at = 0;
    while (at < line.size() && mod8Zevazuv::InFont(line[at])) {
        ++at;
    }
    if (at == line.size()) {
        return;
    }
    if (report == nullptr) {
        report = new mod8Zevazuv::FontReport();
    }
    for (char16_t c : line.substr(at)) {
        report->Add(c);
    }
}

// The page of the line as the options cut it, or in bands that fit the columns when
// there are any (as h8 -t cuts it for a terminal); false, with the message, when the
// line is too wide.
bool Compose(std::u16string_view line, int hSpaces, int vSpaces, int pageWidth, int columns) {
    ApplyOptions(hSpaces, vSpaces, pageWidth);
    Report(line);
    lineCharacters = platform::CharacterCount(line);
    output.clear();
    const bool composed = columns > 0
                              ? mod8Zevazuv::ComposeFittingPage(line, static_cast<std::int16_t>(columns))
                              : mod8Zevazuv::ComposePage(line);
    if (!composed) {
        message = mod8Zevazuv::OverflowMessage(line);
        return false;
    }
    return true;
}

// The input's units from first, as many as units or to its end, as h8 takes an
// argument: without a byte order mark at its start. The line, the prefix and each
// number are taken so.
std::u16string_view Argument(std::size_t first, std::size_t units = std::u16string_view::npos) {
    return platform::WithoutByteOrderMark(std::u16string_view(input).substr(first, units));
}

// The input's first units as the line to enlarge.
std::u16string_view Line(std::size_t units) {
    return Argument(0, units);
}

} // namespace

// Fills the font; once, after the module's constructors (_initialize).
LOFTYPE_EXPORT(start) void Start() {
    modMain::InitEngine();
}

// Room for that many UTF-16 units of input; where to write them.
LOFTYPE_EXPORT(input) char16_t* Input(std::size_t units) {
    input.resize(units);
    return input.data();
}

// The banner of the line in the input's first lineUnits units, the units after them
// being the prefix, in the output form: format 0 text, 1 Markdown, 2 HTML; align 0 left,
// 1 center, 2 right; crlf 0 LF, 1 CR LF; columns 0, or the columns that the bands fit
// and stand within, in place of the page width (1 to its largest).
LOFTYPE_EXPORT(banner)
int Banner(std::size_t lineUnits, int hSpaces, int vSpaces, int pageWidth, int format, int align,
           int trim, int crlf, int columns) {
    const std::u16string_view line = Line(lineUnits);
    if (!Compose(line, hSpaces, vSpaces, pageWidth, columns)) {
        return kTooWide;
    }
    mod8Zevazuv::OutputForm form;
    form.lineEnd = crlf != 0 ? mod8Zevazuv::LineEnd::kCrLf : mod8Zevazuv::LineEnd::kLf;
    form.trim = trim != 0;
    form.prefix = Argument(lineUnits);
    form.format = static_cast<mod8Zevazuv::Format>(format);
    form.align = static_cast<mod8Zevazuv::Align>(align);
    const auto width = columns > 0 ? static_cast<std::int16_t>(columns) : modOptions::PageWidth;
    mod8Zevazuv::WriteBanner(form, line, width, mod8Zevazuv::PageText,
                             [](std::string_view bytes) { Append(bytes); });
    return kDone;
}

// The bytes of the banner file that Save writes for the input: the page and one line
// break, as the file writer's WriteLine ends it; columns as for banner.
LOFTYPE_EXPORT(save_text)
int SaveText(std::size_t lineUnits, int hSpaces, int vSpaces, int pageWidth, int columns) {
    if (!Compose(Line(lineUnits), hSpaces, vSpaces, pageWidth, columns)) {
        return kTooWide;
    }
    output = mod8Zevazuv::PageText;
    output += "\r\n";
    return kDone;
}

// The name of the input's banner file, UTF-8, without its folder. A JavaScript string
// may hold a lone surrogate, which h8's UTF-8 cannot: it becomes "_" as the characters
// that a Windows name may not hold do, not the "?" of UTF-8's writing, which a Windows
// name may not hold either.
LOFTYPE_EXPORT(file_name) void FileName(std::size_t lineUnits) {
    std::u16string name = platform::BannerFileName(Line(lineUnits));
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (i + 1 < name.size() && platform::EndsPair(name[i], name[i + 1])) {
            ++i;
        } else if (platform::IsHighSurrogate(name[i]) || platform::IsLowSurrogate(name[i])) {
            name[i] = u'_';
        }
    }
    output = platform::ToUtf8(name);
}

// The four numbers of the limits (kLimits), low and high of a spacing value and of the
// page width.
LOFTYPE_EXPORT(limits) const Limits* LimitsData() {
    return &kLimits;
}

// The input as a spacing value, or one less than the smallest when it is refused.
LOFTYPE_EXPORT(read_spacing) int ReadSpacing(std::size_t units) {
    return modOptions::ReadSpacing(Argument(0, units)).value_or(kLimits.spacingLow - 1);
}

// The input as a page width, or one more than the largest when it is refused.
LOFTYPE_EXPORT(read_width) int ReadWidth(std::size_t units) {
    const std::optional<std::int16_t> width = modOptions::ReadInt16(Argument(0, units));
    return width ? *width : kLimits.widthHigh + 1;
}

LOFTYPE_EXPORT(output_data) const char* OutputData() {
    return output.data();
}
LOFTYPE_EXPORT(output_size) std::size_t OutputSize() {
    return output.size();
}
// True when the output is ASCII alone, so that the glue may make its string byte for
// byte, without decoding UTF-8. Eight bytes at a time: a banner may have megabytes.
LOFTYPE_EXPORT(output_ascii) int OutputAscii() {
    const char* const data = output.data();
    const std::size_t size = output.size();
    std::uint64_t high = 0;
    std::size_t at = 0;
    for (; at + sizeof high <= size; at += sizeof high) {
        std::uint64_t word = 0;
        std::memcpy(&word, data + at, sizeof word);
        high |= word;
    }
    for (; at < size; ++at) {
        high |= static_cast<unsigned char>(data[at]);
    }
    return (high & 0x8080808080808080U) == 0 ? 1 : 0;
}
// The characters of the last line that the font lacks ("not in the font: ..."), UTF-8.
LOFTYPE_EXPORT(report_data) const char* ReportData() {
    return report == nullptr ? "" : report->Text().data();
}
LOFTYPE_EXPORT(report_size) std::size_t ReportSize() {
    return report == nullptr ? 0 : report->Text().size();
}
// The characters of the last line, without its byte order mark; a surrogate pair is one.
LOFTYPE_EXPORT(line_characters) std::size_t LineCharacters() {
    return lineCharacters;
}
// Why the last line could not be enlarged, UTF-8; empty when it could.
LOFTYPE_EXPORT(message_data) const char* MessageData() {
    return message.data();
}
LOFTYPE_EXPORT(message_size) std::size_t MessageSize() {
    return message.size();
}

// True once the module has stopped for want of memory: the glue asks after a trap, to
// tell running out of memory from any other fault.
LOFTYPE_EXPORT(out_of_memory) int OutOfMemory() {
    return outOfMemory ? 1 : 0;
}

// Without exceptions, the C++ library's operator new returns null when malloc (the C
// library's) does, and the strings would write through it. The module stops instead.
void* operator new(std::size_t bytes) {
    void* data = std::malloc(bytes);
    if (data == nullptr) {
        StopForMemory();
    }
    return data;
}

void* operator new[](std::size_t bytes) {
    return operator new(bytes);
}
