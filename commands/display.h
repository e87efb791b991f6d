#pragma once

#include "engine/font.h"

#include <QLabel>
#include <QScrollArea>
#include <QWidget>
#include <array>
#include <cstdint>
#include <string>

namespace ui {

// A window showing one band: eight labels in a fixed-pitch font, row 7 at the top.
// A screen reader meets it as a window named by its caption, its rows top first.
// Each Show opens a new one that keeps its own copy of the rows until it is closed.
class Display : public QWidget {
public:
    // Opens a new window with the caption, the eight rows (slot r holds row r) and
    // the band width in small characters, and shows it modeless.
    static Display* Open(const QString& caption,
                         const std::array<std::string, mod8Zevazuv::kGlyphRows>& rows,
                         std::int16_t bandWidth);

    // The caption as the user sees it.
    QString Caption() const { return caption_; }

    std::array<QLabel*, mod8Zevazuv::kGlyphRows> lblDisplay{};

private:
    Display(const QString& caption, const std::array<std::string, mod8Zevazuv::kGlyphRows>& rows,
            std::int16_t bandWidth);
    void SizeFor(int bandWidth);
    bool eventFilter(QObject* watched, QEvent* event) override;

    QString caption_;
    QScrollArea* scroller_;
    QWidget* rows_;
};

// The font of the rows: Courier New 8.25 point, or the fixed-pitch face standing in.
QFont DisplayFont();

} // namespace ui
