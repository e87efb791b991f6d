#include "engine/figfont_zip.h"

#include <cstdint>
#include <optional>
#include <zlib.h>

namespace figfont {
namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr std::size_t kEndOfDirectorySize = 22;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::size_t kLongestArchiveComment = 0xFFFF;
constexpr int kStored = 0;
constexpr int kDeflated = 8;

// A little-endian number of `size` bytes at `offset`, if the bytes hold it.
std::optional<std::uint32_t> ReadNumber(std::string_view bytes, std::size_t offset, int size) {
    if (offset > bytes.size() || bytes.size() - offset < static_cast<std::size_t>(size)) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    }
    return value;
}

// Where the end-of-central-directory record starts: it is the last thing in the
// archive but for a comment of at most 64 KB.
std::optional<std::size_t> FindEndOfDirectory(std::string_view archive) {
    if (archive.size() < kEndOfDirectorySize) {
        return std::nullopt;
    }
    std::size_t last = archive.size() - kEndOfDirectorySize;
    std::size_t first = last > kLongestArchiveComment ? last - kLongestArchiveComment : 0;
    for (std::size_t at = last + 1; at-- > first;) {
        if (ReadNumber(archive, at, 4) == kEndOfDirectory) {
            return at;
        }
    }
    return std::nullopt;
}

// What the central directory says of the first member.
struct Member {
    int method = 0;
    std::uint32_t crc = 0;
    std::uint32_t packedSize = 0;
    std::uint32_t size = 0;
    std::uint32_t localHeader = 0;
};

std::optional<Member> ReadFirstMember(std::string_view archive, std::size_t endOfDirectory) {
    auto entries = ReadNumber(archive, endOfDirectory + 10, 2);
    auto directory = ReadNumber(archive, endOfDirectory + 16, 4);
    if (!entries || *entries == 0 || !directory ||
        ReadNumber(archive, *directory, 4) != kCentralHeader ||
        archive.size() - *directory < kCentralHeaderSize) {
        return std::nullopt;
    }
    auto field = [&](std::size_t offset, int size) {
        return *ReadNumber(archive, *directory + offset, size);
    };
    return Member{static_cast<int>(field(10, 2)), field(16, 4), field(20, 4), field(24, 4),
                  field(42, 4)};
}

// The member's packed bytes, found after its local header.
std::optional<std::string_view> PackedBytes(std::string_view archive, const Member& member) {
    auto nameLength = ReadNumber(archive, member.localHeader + 26, 2);
    auto extraLength = ReadNumber(archive, member.localHeader + 28, 2);
    if (ReadNumber(archive, member.localHeader, 4) != kLocalHeader || !nameLength || !extraLength) {
        return std::nullopt;
    }
    std::size_t start =
        std::size_t{member.localHeader} + kLocalHeaderSize + *nameLength + *extraLength;
    if (start > archive.size() || archive.size() - start < member.packedSize) {
        return std::nullopt;
    }
    return archive.substr(start, member.packedSize);
}

// Inflates raw deflate data that must come to exactly `size` bytes: one byte of room
// more than that tells a member that is longer than its header says.
std::variant<std::string, FontError> Inflate(std::string_view packed, std::uint32_t size) {
    std::string out(std::size_t{size} + 1, '\0');
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
        return FontError{"zlib could not start inflating"};
    }
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    stream.avail_in = static_cast<uInt>(packed.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    int status = inflate(&stream, Z_FINISH);
    std::size_t produced = stream.total_out;
    inflateEnd(&stream);
    if (status == Z_DATA_ERROR) {
        return FontError{"corrupt ZIP archive: its member does not inflate"};
    }
    if (status != Z_STREAM_END || produced != size) {
        return FontError{produced > size ? "ZIP archive lies about its sizes: the member "
                                           "inflates to more bytes than it says"
                                         : "truncated ZIP archive: the member inflates to "
                                           "fewer bytes than it says"};
    }
    out.resize(size);
    return out;
}

std::variant<std::string, FontError> Unpack(std::string_view packed, const Member& member) {
    if (member.method == kStored) {
        if (member.packedSize != member.size) {
            return FontError{"ZIP archive lies about its sizes: a stored member of two sizes"};
        }
        return std::string(packed);
    }
    if (member.method != kDeflated) {
        return FontError{"ZIP archive's member is compressed in a way other than deflate"};
    }
    return Inflate(packed, member.size);
}

} // namespace

bool IsZipArchive(std::string_view bytes) {
    return ReadNumber(bytes, 0, 4) == kLocalHeader;
}

std::variant<std::string, FontError> FirstZipMember(std::string_view archive) {
    auto end = FindEndOfDirectory(archive);
    auto member = end ? ReadFirstMember(archive, *end) : std::nullopt;
    if (!member) {
        return FontError{"truncated ZIP archive: no central directory"};
    }
    if (member->size > kMaxFontBytes) {
        return FontError{"ZIP archive's member is larger than 16 MB"};
    }
    auto packed = PackedBytes(archive, *member);
    if (!packed) {
        return FontError{"ZIP archive lies about its sizes: the member lies outside it"};
    }
    auto unpacked = Unpack(*packed, *member);
    auto* bytes = std::get_if<std::string>(&unpacked);
    if (bytes && crc32(0, reinterpret_cast<const Bytef*>(bytes->data()),
                       static_cast<uInt>(bytes->size())) != member->crc) {
        return FontError{"corrupt ZIP archive: the member's CRC does not match"};
    }
    return unpacked;
}

} // namespace figfont
