#include "ui/display_check.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace ui {
namespace {

const char* const kNoDisplay = "there is no display to open the window on";

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

// The toolkit's messages while its window system opens; the handler of the messages
// before; who hears that it did not open.
std::mutex heldLock;
std::vector<HeldMessage> heldMessages;
QtMessageHandler previousHandler = nullptr;
void (*reportNoDisplay)(const QString& reason) = nullptr;

// The one fatal message that can come while the application is made is the toolkit's
// own failure to open a window system.
void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        reportNoDisplay(QString::fromLatin1(kNoDisplay));
        std::_Exit(1);
    }
    const std::lock_guard<std::mutex> lock(heldLock);
    heldMessages.push_back({type, context.category, text});
}

void PassOnHeldMessages() {
    const std::lock_guard<std::mutex> lock(heldLock);
    for (const HeldMessage& message : heldMessages) {
        previousHandler(message.type,
                        QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
                        message.text);
    }
    heldMessages.clear();
}

} // namespace

QString MissingDisplay() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return QString::fromLatin1(kNoDisplay);
    }
#endif
    return {};
}

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv,
                                              void (*report)(const QString& reason)) {
    reportNoDisplay = report;
    previousHandler = qInstallMessageHandler(HoldMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    PassOnHeldMessages();
    return application;
}

} // namespace ui
