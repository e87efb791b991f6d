// The yardstick for start-up: the least a Qt program with one window does, ending
// as soon as its window is shown, like the start-up probe of loftype.

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLineEdit window;
    window.setWindowTitle(QStringLiteral("Input"));
    window.show();
    QTimer::singleShot(0, &application, &QCoreApplication::quit);
    return QApplication::exec();
}
