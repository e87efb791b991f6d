#include "cli/font_report.h"

#include "engine/character_classes.h"

#include <QSet>

namespace h8 {
namespace {

bool InFont(char16_t c) {
    if (c >= 128) {
        return false;
    }
    std::u16string_view text(&c, 1);
    return mod8Zevazuv::IsDigit(text) || mod8Zevazuv::IsCapital(text) ||
           mod8Zevazuv::IsLowercase(text) || mod8Zevazuv::SymbolIndex(text) > 0 || c == u' ';
}

QString HowDrawn(char16_t c) {
    const mod8Zevazuv::GlyphRows* rows = mod8Zevazuv::LookUpGlyph(c).rows;
    if (rows == nullptr) {
        return QStringLiteral("left out");
    }
    return rows == &mod8Zevazuv::SymbolGlyphs[0] ? QStringLiteral("as a blank")
                                                 : QStringLiteral("as \"?\"");
}

QString Name(char16_t c) {
    QString code =
        QStringLiteral("U+%1").arg(static_cast<unsigned>(c), 4, 16, QChar(u'0')).toUpper();
    QChar character(c);
    if (character.isPrint() && !character.isSurrogate()) {
        return code + QStringLiteral(" \"") + character + u'"';
    }
    return code;
}

} // namespace

QString FontReport(std::u16string_view line) {
    QStringList entries;
    QSet<char16_t> seen;
    for (char16_t c : line) {
        if (!InFont(c) && !seen.contains(c)) {
            seen.insert(c);
            entries.append(Name(c) + u' ' + HowDrawn(c));
        }
    }
    if (entries.isEmpty()) {
        return {};
    }
    return QStringLiteral("h8: not in the font: ") + entries.join(QStringLiteral(", "));
}

} // namespace h8
