// loftype: the desktop program. It takes no arguments of its own.

#include "ui/display_check.h"
#include "ui/forms.h"
#include "ui/icons.h"
#include "ui/main_window.h"
#include "version.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

void ReportMissingDisplay(const QString& reason) {
    std::fprintf(stderr,
                 "loftype: %s; run it on a desktop, or under a virtual display: "
                 "xvfb-run build/app/loftype\n",
                 qPrintable(reason));
}

} // namespace

int main(int argc, char** argv) {
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
