// Writes the product icon for the desktops:
//   write_icons FOLDER      FOLDER/SIZExSIZE/apps/loftype.png, an icon theme's PNGs;
//   write_icons --ico FILE  one Windows icon file holding every size.

#include "ui/icons.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QList>
#include <cstdio>

namespace {

constexpr int kSides[] = {16, 24, 32, 48, 64, 128, 256};

bool WriteThemeIcons(const QString& root) {
    for (int side : kSides) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(side);
        if (!QDir().mkpath(folder) ||
            !ui::DrawProductIcon(side).save(folder + QStringLiteral("/loftype.png"))) {
            return false;
        }
    }
    return true;
}

QByteArray Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
    return bytes;
}

// An icon file as Windows Vista and later read it: a directory of the images,
// each image stored as a PNG.
QByteArray IconFile() {
    QList<QByteArray> images;
    for (int side : kSides) {
        images.append(Png(ui::DrawProductIcon(side)));
    }
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint16 count = static_cast<quint16>(images.size());
    out << quint16(0) << quint16(1) << count; // reserved, type "icon", count
    quint32 offset = 6 + 16 * count;
    for (qsizetype i = 0; i < images.size(); ++i) {
        const quint8 side = static_cast<quint8>(kSides[i] % 256); // 0 stands for 256
        const quint32 size = static_cast<quint32>(images[i].size());
        out << side << side << quint8(0) << quint8(0) // no palette, reserved
            << quint16(1) << quint16(32) << size << offset;
        offset += size;
    }
    for (const QByteArray& image : images) {
        out.writeRawData(image.constData(), static_cast<int>(image.size()));
    }
    return file;
}

bool WriteIconFile(const QString& path) {
    QFile file(path);
    const QByteArray bytes = IconFile();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

int main(int argc, char** argv) {
    const bool ico = argc == 3 && qstrcmp(argv[1], "--ico") == 0;
    if (argc != 2 && !ico) {
        std::fprintf(stderr, "usage: write_icons FOLDER | write_icons --ico FILE\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString target = QString::fromLocal8Bit(argv[argc - 1]);
    if (!(ico ? WriteIconFile(target) : WriteThemeIcons(target))) {
        std::fprintf(stderr, "write_icons: cannot write %s\n", qPrintable(target));
        return 1;
    }
    return 0;
}
