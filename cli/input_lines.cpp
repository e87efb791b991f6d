#include "cli/input_lines.h"

#include "platform/utf8.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace h8 {

bool LineReader::Next(Line& line) {
    line.Clear();
    bool anything = false;
    for (;;) {
        if (at_ == end_ && !ReadBlock()) {
            Decode(line, false);
            return anything;
        }
        anything = true;
        const char* const start = block_ + at_;
        const void* lineEnd = std::memchr(start, '\n', end_ - at_);
        const std::size_t taken =
            lineEnd == nullptr ? end_ - at_ : static_cast<const char*>(lineEnd) - start;
        pending_.append(start, taken);
        at_ += taken;
        if (lineEnd != nullptr) {
            ++at_;
            Decode(line, false);
            return true;
        }
        if (pending_.size() >= sizeof block_) {
            Decode(line, true);
        }
    }
}

bool LineReader::ReadBlock() {
    beforeWaiting_();
    at_ = 0;
#ifdef _WIN32
    const int got = _read(_fileno(input_), block_, sizeof block_);
#else
    ssize_t got = 0;
    do {
        got = read(fileno(input_), block_, sizeof block_);
    } while (got < 0 && errno == EINTR);
#endif
    if (got < 0) {
        throw InputError(std::generic_category().message(errno));
    }
    end_ = static_cast<std::size_t>(got);
    return end_ > 0;
}

// Decodes the pending bytes into the line. With more bytes of the line to come, a
// sequence cut short and a CR that may end the line stay pending.
void LineReader::Decode(Line& line, bool more) {
    std::string_view bytes = pending_;
    if (!inputStarted_) {
        bytes = platform::WithoutByteOrderMark(bytes);
    }
    if (!bytes.empty() && bytes.back() == '\r') {
        bytes.remove_suffix(1);
    }
    const std::size_t used = platform::DecodeUtf8(bytes, more, [&](char16_t c) { line.Add(c); });
    pending_.erase(0, static_cast<std::size_t>(bytes.data() - pending_.data()) + used);
    if (!more) {
        pending_.clear();
    }
    inputStarted_ = true;
}

} // namespace h8
