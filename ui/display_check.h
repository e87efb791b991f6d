#pragma once

#include <QApplication>
#include <QString>
#include <memory>

namespace ui {

// Why windows cannot open here, or an empty text when they can: on X11 and Wayland
// hosts a display must be named unless another platform plugin is chosen.
QString MissingDisplay();

// Makes the application, which opens the toolkit's window system. Where that fails, as
// with a display that is named but does not answer (a stale DISPLAY), the toolkit
// would abort; instead report is called with the reason MissingDisplay gives, and the
// process ends with status 1. The toolkit's messages meanwhile are held back, and
// passed on once the window system is open.
std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv,
                                              void (*report)(const QString& reason));

} // namespace ui
