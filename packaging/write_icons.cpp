// Writes the product icon as the PNGs of a desktop icon theme:
// write_icons FOLDER writes FOLDER/SIZExSIZE/apps/loftype.png for the usual sizes.

#include "ui/icons.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_icons FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(side);
        if (!QDir().mkpath(folder) ||
            !ui::DrawProductIcon(side).save(folder + QStringLiteral("/loftype.png"))) {
            std::fprintf(stderr, "write_icons: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
