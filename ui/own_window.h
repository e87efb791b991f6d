#pragma once

#include <QWidget>

namespace ui {

// Makes a dialog a window of its own to the window system, with a title bar and a
// close button. A dialog is tied to the program's other windows, and window managers
// centre it on them, where it covers them and the other dialogs; a window of its own
// is placed as any new window is (beside the others, or cascaded on Windows).
inline void MakeOwnWindow(QWidget& dialog) {
    dialog.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
}

} // namespace ui
