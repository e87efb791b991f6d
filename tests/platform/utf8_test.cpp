#include "platform/utf8.h"

#include <gtest/gtest.h>

using platform::FromUtf8;
using platform::ToUtf8;

// As the desktop toolkit decodes: each byte that begins no well-formed sequence is
// one U+FFFD, and decoding goes on at the next byte.
TEST(Utf8, EveryByteOutsideAWellFormedSequenceBecomesOneReplacement) {
    const std::pair<std::string_view, std::u16string_view> cases[] = {
        {"caf\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x98\x80", u"caf\u00E9 \u4E2D \U0001F600"},
        {"\xEF\xBB\xBFx\xEF\xBB\xBF", u"x\uFEFF"}, // a leading byte order mark
        {"a\x80"
         "b",
         u"a\uFFFD"
         "b"},                                             // a lone continuation
        {"\xC0\xAF", u"\uFFFD\uFFFD"},                     // overlong
        {"\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD"},           // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},           // a surrogate
        {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // beyond U+10FFFF
        {"\xE2\x82\xE2\x82\xAC", u"\uFFFD\uFFFD\u20AC"},   // cut short, then whole
        {"a\xF0\x9F\x98", u"a\uFFFD\uFFFD\uFFFD"},         // cut short at the end
        {"\xFF\xC2\x41", u"\uFFFD\uFFFD\x41"},
        {std::string_view("a\0b", 3), std::u16string_view(u"a\0b", 3)},
    };
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(FromUtf8(bytes), text) << bytes;
    }
}

TEST(Utf8, DecodingInPiecesLeavesASequenceCutShortForTheNextPiece) {
    const std::string bytes = "\xE2\x82\xAC\xF0\x9F\x98\x80";
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        std::u16string text;
        const auto put = [&](char16_t unit) { text += unit; };
        const std::size_t used =
            platform::DecodeUtf8(std::string_view(bytes).substr(0, cut), true, put);
        platform::DecodeUtf8(std::string_view(bytes).substr(used), false, put);
        EXPECT_EQ(text, u"\u20AC\U0001F600") << cut;
    }
}

TEST(Utf8, EncodesPairsAndWritesALoneSurrogateAsAQuestionMark) {
    EXPECT_EQ(ToUtf8(u"caf\u00E9 \u4E2D \U0001F600"), "caf\xC3\xA9 \xE4\xB8\xAD \xF0\x9F\x98\x80");
    const char16_t lone[] = {u'x', 0xD800, u'y', 0xDC00, 0xD83D};
    EXPECT_EQ(ToUtf8(std::u16string_view(lone, 5)), "x?y??");
}
