#include "engine/font.h"

#include <algorithm>
#include <cstddef>

namespace mod8Zevazuv {

std::array<GlyphRows, kCapitalCount> CapitalGlyphs;
std::array<GlyphRows, kLowercaseCount> LowercaseGlyphs;
std::array<GlyphRows, kDigitCount> DigitGlyphs;
std::array<GlyphRows, kSymbolCount> SymbolGlyphs;

std::array<std::int16_t, kCapitalCount> CapitalWidths;
std::array<std::int16_t, kLowercaseCount> LowercaseWidths;
std::array<std::int16_t, kDigitCount> DigitWidths;
std::array<std::string, kSymbolCount> SymbolWidths;

namespace {

// One glyph as it reads on paper: its rows from the top down, and its width.
struct GlyphSource {
    std::int16_t width;
    std::array<const char*, kGlyphRows> topDown;
};

struct SymbolSource {
    const char* width;
    std::array<const char*, kGlyphRows> topDown;
};

// clang-format off
// The capitals "A" to "Z": each glyph from its top row (7) down to its bottom row (0).
constexpr std::array<GlyphSource, 26> kCapitalFont = {{
    {15, // 0 "A"
     {"       A       ",
      "      A A      ",
      "     A   A     ",
      "    A     A    ",
      "   AAAAAAAAA   ",
      "  A         A  ",
      " A           A ",
      "A             A"}},
    {9, // 1 "B"
     {"BBBBBBB  ",
      "B      B ",
      "B      B ",
      "BBBBBBB  ",
      "B      B ",
      "B       B",
      "B      B ",
      "BBBBBBB  "}},
    {10, // 2 "C"
     {"   CCCCCC ",
      "  C      C",
      " C        ",
      "C         ",
      "C         ",
      " C        ",
      "  C      C",
      "   CCCCCC "}},
    {9, // 3 "D"
     {"DDDDDDDD  ",
      " D      D ",
      " D       D",
      " D       D",
      " D       D",
      " D       D",
      " D      D ",
      "DDDDDDDD  "}},
    {8, // 4 "E"
     {"EEEEEEEE",
      "E       ",
      "E       ",
      "EEEEEE  ",
      "E       ",
      "E       ",
      "E       ",
      "EEEEEEEE"}},
    {8, // 5 "F"
     {"FFFFFFFF",
      "F       ",
      "F       ",
      "FFFFFF  ",
      "F       ",
      "F       ",
      "F       ",
      "F       "}},
    {10, // 6 "G"
     {"  GGGGGGG ",
      " G        ",
      "G         ",
      "G         ",
      "G     GGGG",
      "G        G",
      " G      G ",
      "  GGGGGG  "}},
    {8, // 7 "H"
     {"H      H",
      "H      H",
      "H      H",
      "HHHHHHHH",
      "H      H",
      "H      H",
      "H      H",
      "H      H"}},
    {8, // 8 "I"
     {"IIIIIIII",
      "   II   ",
      "   II   ",
      "   II   ",
      "   II   ",
      "   II   ",
      "   II   ",
      "IIIIIIII"}},
    {9, // 9 "J"
     {"   JJJJJJ",
      "     JJ  ",
      "     JJ  ",
      "     JJ  ",
      "     JJ  ",
      "JJ   JJ  ",
      " JJ  JJ  ",
      "   JJ    "}},
    {10, // 10 "K"
     {"KKK    KK ",
      " K   KK   ",
      " K  K     ",
      " KKK      ",
      " K  K     ",
      " K   KK   ",
      " K     K  ",
      "KKK     KK"}},
    {9, // 11 "L"
     {"LL       ",
      "LL       ",
      "LL       ",
      "LL       ",
      "LL       ",
      "LL       ",
      "LL       ",
      "LLLLLLLLL"}},
    {12, // 12 "M"
     {"MMM      MMM",
      " M M    M M ",
      " M  M  M  M ",
      " M   MM   M ",
      " M        M ",
      " M        M ",
      " M        M ",
      "MMM      MMM"}},
    {12, // 13 "N"
     {"NNN      NNN",
      " N N      N ",
      " N  N     N ",
      " N   N    N ",
      " N    N   N ",
      " N     N  N ",
      " N      N N ",
      "NN       NN "}},
    {12, // 14 "O"
     {"   OOOOOO   ",
      "  O      O  ",
      " O        O ",
      "O          O",
      "O          O",
      " O        O ",
      "  O      O  ",
      "   OOOOOO   "}},
    {9, // 15 "P"
     {"PPPPPPPP ",
      "P       P",
      "P       P",
      "PPPPPPPP ",
      "P        ",
      "P        ",
      "P        ",
      "P        "}},
    {13, // 16 "Q"
     {"   QQQQQQ    ",
      "  Q      Q   ",
      " Q        Q  ",
      "Q          Q ",
      "Q          Q ",
      " Q     QQ Q  ",
      "  Q      QQ  ",
      "   QQQQQQQ QQ"}},
    {9, // 17 "R"
     {"RRRRRRRR ",
      " R      R",
      " R      R",
      " RRRRRRR ",
      " R   R   ",
      " R    R  ",
      " R     R ",
      "RRR     R"}},
    {10, // 18 "S"
     {"  SSSSSSS ",
      " S       S",
      " S        ",
      "  SSSSSS  ",
      "        S ",
      "         S",
      "S       S ",
      " SSSSSSS  "}},
    {10, // 19 "T"
     {"TTTTTTTTTT",
      "    TT    ",
      "    TT    ",
      "    TT    ",
      "    TT    ",
      "    TT    ",
      "    TT    ",
      "    TT    "}},
    {11, // 20 "U"
     {"UUU     UUU",
      " U       U ",
      " U       U ",
      " U       U ",
      " U       U ",
      " U       U ",
      "  U     U  ",
      "   UUUUU   "}},
    {15, // 21 "V"
     {"V             V",
      " V           V ",
      "  V         V  ",
      "   V       V   ",
      "    V     V    ",
      "     V   V     ",
      "      V V      ",
      "       V       "}},
    {15, // 22 "W"
     {"WWW         WWW",
      " W           W ",
      " W           W ",
      " W           W ",
      " W     W     W ",
      "  W   W W   W  ",
      "   W W   W W   ",
      "    W     W    "}},
    {10, // 23 "X"
     {"XX      XX",
      "  X    X  ",
      "   X  X   ",
      "    XX    ",
      "    XX    ",
      "   X  X   ",
      "  X    X  ",
      "XX      XX"}},
    {9, // 24 "Y"
     {"Y       Y",
      " Y     Y ",
      "  Y   Y  ",
      "   Y Y   ",
      "    Y    ",
      "    Y    ",
      "    Y    ",
      "    Y    "}},
    {10, // 25 "Z"
     {"ZZZZZZZZZZ",
      "        Z ",
      "       Z  ",
      "     ZZ   ",
      "   ZZ     ",
      "  Z       ",
      " Z        ",
      "ZZZZZZZZZZ"}},
}};

// The lowercase letters "a" to "z": each glyph from its top row (7) down to its bottom row (0).
constexpr std::array<GlyphSource, 26> kLowercaseFont = {{
    {7, // 0 "a"
     {"       ",
      "       ",
      "       ",
      "       ",
      " aaaa  ",
      "a    a ",
      "a    a ",
      " aaaa a"}},
    {7, // 1 "b"
     {"bb     ",
      " b     ",
      " b     ",
      " b     ",
      " bbbbb ",
      " b    b",
      " b    b",
      "b bbbb "}},
    {5, // 2 "c"
     {"     ",
      "     ",
      "     ",
      "     ",
      " cccc",
      "c    ",
      "c    ",
      " cccc"}},
    {7, // 3 "d"
     {"     dd",
      "     d ",
      "     d ",
      "     d ",
      " ddddd ",
      "d    d ",
      "d    d ",
      " dddd d"}},
    {6, // 4 "e"
     {"      ",
      "      ",
      "      ",
      "      ",
      " eeee ",
      "eeeeee",
      "e     ",
      " eeee "}},
    {7, // 5 "f"
     {"   fff ",
      "  f   f",
      "  f    ",
      "fffff  ",
      "  f    ",
      "  f    ",
      "  f    ",
      " fff   "}},
    {7, // 6 "g"
     {" gggg g",
      "g    g ",
      "g    g ",
      " ggggg ",
      "     g ",
      "      g",
      "g    g ",
      " ggggg "}},
    {7, // 7 "h"
     {"h      ",
      "h      ",
      "h      ",
      "h      ",
      "h hhhh ",
      "hh    h",
      "h     h",
      "h     h"}},
    {2, // 8 "i"
     {"  ",
      "  ",
      "ii",
      "  ",
      "ii",
      "ii",
      "ii",
      "ii"}},
    {5, // 9 "j"
     {"     ",
      "    j",
      "     ",
      "    j",
      "    j",
      "    j",
      "j  j ",
      " jj  "}},
    {7, // 10 "k"
     {"kk     ",
      " k     ",
      " k     ",
      " k     ",
      " k   kk",
      " k kk  ",
      " kkk   ",
      "kk  kkk"}},
    {2, // 11 "l"
     {"ll",
      "ll",
      "ll",
      "ll",
      "ll",
      "ll",
      "ll",
      "ll"}},
    {10, // 12 "m"
     {"          ",
      "          ",
      "          ",
      "          ",
      "m mmm mmm ",
      " m   m   m",
      " m   m   m",
      " m   m   m"}},
    {7, // 13 "n"
     {"       ",
      "       ",
      "       ",
      "       ",
      "n nnnn ",
      " n    n",
      " n    n",
      " n    n"}},
    {7, // 14 "o"
     {"      ",
      "      ",
      "      ",
      "      ",
      " oooo ",
      "o    o",
      "o    o",
      " oooo "}},
    {7, // 15 "p"
     {"pppppp ",
      "p     p",
      "p     p",
      "pppppp ",
      "p      ",
      "p      ",
      "p      ",
      "p      "}},
    {7, // 16 "q"
     {" qqqq q ",
      "q    q  ",
      "q    q  ",
      " qqqqq  ",
      "     q  ",
      "     q  ",
      "     q q",
      "      q "}},
    {6, // 17 "r"
     {"      ",
      "      ",
      "      ",
      "      ",
      "r rrrr",
      " r    ",
      " r    ",
      " r    "}},
    {7, // 18 "s"
     {"      ",
      "      ",
      "      ",
      "      ",
      " ssss ",
      "ssssss",
      "     s",
      "sssss "}},
    {3, // 19 "t"
     {"   ",
      "   ",
      " t ",
      "ttt",
      " t ",
      " t ",
      " t ",
      " t "}},
    {7, // 20 "u"
     {"       ",
      "       ",
      "       ",
      "       ",
      "u    u ",
      "u    u ",
      "u    u ",
      " uuuu u"}},
    {7, // 21 "v"
     {"       ",
      "       ",
      "       ",
      "       ",
      "v     v",
      " v   v ",
      "  v v  ",
      "   v   "}},
    {9, // 22 "w"
     {"         ",
      "         ",
      "         ",
      "         ",
      "w       w",
      "w   w   w",
      " w w w w ",
      "  w   w  "}},
    {5, // 23 "x"
     {"     ",
      "     ",
      "     ",
      "     ",
      "xx xx",
      "  x  ",
      " x x ",
      "x   x"}},
    {8, // 24 "y"
     {"y      y",
      " y    y ",
      "  y  y  ",
      "   yy   ",
      "   y    ",
      "  y     ",
      " y      ",
      "y       "}},
    {6, // 25 "z"
     {"      ",
      "      ",
      "      ",
      "      ",
      "zzzzzz",
      "   zz ",
      " zz   ",
      "zzzzzz"}},
}};

// The digits "0" to "9": each glyph from its top row (7) down to its bottom row (0).
constexpr std::array<GlyphSource, 10> kDigitFont = {{
    {9, // 0 "0"
     {"  00000  ",
      " 0     0 ",
      "0       0",
      "0       0",
      "0       0",
      "0       0",
      " 0     0 ",
      "  00000  "}},
    {8, // 1 "1"
     {"   11   ",
      "  111   ",
      " 1111   ",
      "   11   ",
      "   11   ",
      "   11   ",
      "   11   ",
      "11111111"}},
    {10, // 2 "2"
     {"  222222  ",
      " 22     22",
      "22      22",
      "       22 ",
      "     22   ",
      "   22     ",
      " 22       ",
      "2222222222"}},
    {10, // 3 "3"
     {"  33333   ",
      " 33   33  ",
      "33     33 ",
      "    3333  ",
      "       33 ",
      "        33",
      "33     33 ",
      " 3333333  "}},
    {8, // 4 "4"
     {"4      4",
      "4      4",
      "4      4",
      "44444444",
      "       4",
      "       4",
      "       4",
      "       4"}},
    {10, // 5 "5"
     {"5555555555",
      "5         ",
      "5         ",
      "55555555  ",
      "       55 ",
      "        55",
      "55     55 ",
      " 5555555  "}},
    {8, // 6 "6"
     {"  66666 ",
      " 66     ",
      "66      ",
      "66      ",
      "6666666 ",
      "66    66",
      "66    66",
      " 666666 "}},
    {8, // 7 "7"
     {"77777777",
      "7     77",
      "     77",
      "    77 ",
      "   77  ",
      "  77   ",
      " 77    ",
      "77     "}},
    {10, // 8 "8"
     {"  8888888  ",
      " 88     88 ",
      " 88     88 ",
      "  8888888  ",
      " 88     88 ",
      "88       88",
      " 88     88 ",
      "  8888888  "}},
    {8, // 9 "9"
     {" 999999 ",
      "99    99",
      "99    99",
      " 9999999",
      "      99",
      "      99",
      "     99 ",
      " 99999  "}},
}};

// The symbols, in the order of the symbol list: each glyph from its top row (7) down to its bottom row (0).
constexpr std::array<SymbolSource, 15> kSymbolFont = {{
    {"6", // 0 " "
     {"      ",
      "      ",
      "      ",
      "      ",
      "      ",
      "      ",
      "      ",
      "      "}},
    {"2", // 1 "."
     {"  ",
      "  ",
      "  ",
      "  ",
      "  ",
      "  ",
      "..",
      ".."}},
    {"8", // 2 "?"
     {"  ????  ",
      " ?    ? ",
      "?      ?",
      "     ?? ",
      "    ?   ",
      "    ?   ",
      "        ",
      "    ?   "}},
    {"2", // 3 "!"
     {"!!",
      "!!",
      "!!",
      "!!",
      "!!",
      "!!",
      "  ",
      "!!"}},
    {"3", // 4 ","
     {"   ",
      "   ",
      "   ",
      "   ",
      ",,,",
      ",,,",
      " , ",
      ",  "}},
    {"6", // 5 "-"
     {"      ",
      "      ",
      "      ",
      "------",
      "------",
      "      ",
      "      ",
      "      "}},
    {"6", // 6 "("
     {"    ((",
      "  ((  ",
      "((    ",
      "((    ",
      "((    ",
      "((    ",
      "  ((  ",
      "    (("}},
    {"6", // 7 ")"
     {"))    ",
      "  ))  ",
      "    ))",
      "    ))",
      "    ))",
      "    ))",
      "  ))  ",
      "))    "}},
    {"5", // 8 "["
     {"[[[[[",
      "[[   ",
      "[[   ",
      "[[   ",
      "[[   ",
      "[[   ",
      "[[   ",
      "[[[[["}},
    {"5", // 9 "]"
     {"]]]]]",
      "   ]]",
      "   ]]",
      "   ]]",
      "   ]]",
      "   ]]",
      "   ]]",
      "]]]]]"}},
    {"9", // 10 "\"
     {"\\\\       ",
      " \\\\      ",
      "  \\\\     ",
      "   \\\\    ",
      "    \\\\   ",
      "     \\\\  ",
      "      \\\\ ",
      "       \\\\"}},
    {"9", // 11 "/"
     {"       //",
      "      // ",
      "     //  ",
      "    //   ",
      "   //    ",
      "  //     ",
      " //      ",
      "//       "}},
    {"8", // 12 "_"
     {"        ",
      "        ",
      "        ",
      "        ",
      "        ",
      "        ",
      "________",
      "________"}},
    {"7", // 13 "+"
     {"       ",
      "       ",
      "   +   ",
      "   +   ",
      "+++++++",
      "   +   ",
      "   +   ",
      "       "}},
    {"6", // 14 "="
     {"      ",
      "      ",
      "      ",
      "======",
      "      ",
      "======",
      "      ",
      "      "}},
}};
// clang-format on

template <class Font> constexpr std::size_t LongestRow(const Font& font) {
    std::size_t longest = 0;
    for (const auto& glyph : font) {
        for (const char* row : glyph.topDown) {
            longest = std::max(longest, std::char_traits<char>::length(row));
        }
    }
    return longest;
}

template <std::size_t N, class Source>
void CopyRows(std::array<GlyphRows, N>& glyphs, const std::array<Source, N>& font) {
    for (std::size_t i = 0; i < N; ++i) {
        for (int row = 0; row < kGlyphRows; ++row) {
            glyphs[i][row] = font[i].topDown[kGlyphRows - 1 - row];
        }
    }
}

template <std::size_t N, class Width, class Source>
void CopyWidths(std::array<Width, N>& widths, const std::array<Source, N>& font) {
    for (std::size_t i = 0; i < N; ++i) {
        widths[i] = font[i].width;
    }
}

} // namespace

const std::size_t kLongestGlyphRow = std::max({LongestRow(kCapitalFont), LongestRow(kLowercaseFont),
                                               LongestRow(kDigitFont), LongestRow(kSymbolFont)});

void InitCapitals() {
    CopyRows(CapitalGlyphs, kCapitalFont);
    CopyWidths(CapitalWidths, kCapitalFont);
}

void InitLowercase() {
    CopyRows(LowercaseGlyphs, kLowercaseFont);
    CopyWidths(LowercaseWidths, kLowercaseFont);
}

void InitDigits() {
    CopyRows(DigitGlyphs, kDigitFont);
    CopyWidths(DigitWidths, kDigitFont);
}

void InitSymbols() {
    CopyRows(SymbolGlyphs, kSymbolFont);
    CopyWidths(SymbolWidths, kSymbolFont);
}

} // namespace mod8Zevazuv
