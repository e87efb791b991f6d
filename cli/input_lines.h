#pragma once

#include "engine/font_report.h"
#include "platform/utf8.h"

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>

namespace h8 {

// A line to enlarge, however long, in bounded memory: its first units, as many as
// the engine's 16-bit count of characters takes and one more (so a longer line
// still fails on its count), its whole length in units and in characters (a surrogate
// pair is one), and the report on all its characters.
struct Line {
    static constexpr std::size_t kHeld = 32768;

    std::u16string text;
    std::size_t length = 0;
    std::size_t characters = 0;
    mod8Zevazuv::FontReport report;

    void Add(char16_t c) {
        if (text.size() < kHeld) {
            text += c;
        }
        characters += platform::EndsPair(last_, c) ? 0 : 1;
        last_ = c;
        ++length;
        report.Add(c);
    }
    void Clear() {
        text.clear();
        length = 0;
        characters = 0;
        last_ = 0;
        report.Clear();
    }

private:
    char16_t last_ = 0;
};

// The input could not be read; what() says why.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads UTF-8 lines (LF or CR LF ends) from a stream's file descriptor, taking what
// has come at each read, up to a block, so that a line is handed on as soon as it is
// complete (a terminal's typed line, a pipe's line that more will follow); a byte
// order mark is dropped at the start of the stream. The stream's own buffer is not
// used: nothing else may read the stream.
class LineReader {
public:
    // beforeWaiting is called before each read that may wait for more input.
    LineReader(std::FILE* input, std::function<void()> beforeWaiting)
        : input_(input), beforeWaiting_(std::move(beforeWaiting)) {}
    // Reads the next line into the line; false at the end of the input. Throws
    // InputError when the stream fails, and the line read so far is dropped.
    bool Next(Line& line);

private:
    void Decode(Line& line, bool more);
    // Reads what has come, up to a block, into the block; false at the end.
    bool ReadBlock();

    std::FILE* input_;
    std::function<void()> beforeWaiting_;
    char block_[65536];
    std::size_t at_ = 0;
    std::size_t end_ = 0;
    // Bytes of the current line not yet decoded.
    std::string pending_;
    bool inputStarted_ = false;
};

} // namespace h8
