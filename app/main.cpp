// loftype: the desktop program. It takes no arguments of its own.

#include "platform/output_error.h"
#include "ui/display_check.h"
#include "ui/forms.h"
#include "ui/icons.h"
#include "ui/main_window.h"
#include "version.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QTimer>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

// The command that started the program, as a shell takes it back: argv[0], quoted
// when it holds more than letters, digits and "_./+-", and shown with its control
// characters as escapes.
std::string startedAs = "loftype";

std::string ShellWord(const std::string& text) {
    const bool plain = std::all_of(text.begin(), text.end(), [](unsigned char c) {
        return std::isalnum(c) || std::strchr("_./+-", c) != nullptr;
    });
    if (plain) {
        return text;
    }
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return platform::ShownText(quoted + "'");
}

void ReportMissingDisplay(const QString& reason) {
    std::fprintf(stderr,
                 "loftype: %s; run it on a desktop, or under a virtual display: xvfb-run %s\n",
                 qPrintable(reason), startedAs.c_str());
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 0 && argv[0][0] != '\0') {
        startedAs = ShellWord(argv[0]);
    }
    const QString missing = ui::MissingDisplay();
    if (!missing.isEmpty()) {
        ReportMissingDisplay(missing);
        return 1;
    }
    const std::unique_ptr<QApplication> application =
        ui::OpenApplication(argc, argv, ReportMissingDisplay);
    QApplication::setApplicationName(QStringLiteral("Loftype (h8)"));
    QApplication::setApplicationVersion(QStringLiteral(LOFTYPE_VERSION));
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(ui::ProductIcon())));

    ui::Main& main = ui::Forms::Load<ui::Main>();
    main.show();
    main.txtInput->setFocus();
#ifdef LOFTYPE_STARTUP_PROBE
    // The start-up benchmark's build of the program ends once Main is shown.
    QTimer::singleShot(0, application.get(), &QCoreApplication::quit);
#endif
    const int status = QApplication::exec();
    ui::Forms::Reset();
    return status;
}
