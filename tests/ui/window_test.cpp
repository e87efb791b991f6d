#include "window_test.h"

#include <QAbstractButton>
#include <QDir>
#include <QLabel>
#include <QLineEdit>

void WindowTest::SetUp() {
    ui::Forms::Reset();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        delete window;
    }
    platform::UseBeeper(&beeps);
    platform::CurrentClipboard().Clear();
}

void WindowTest::TearDown() {
    platform::UseBeeper(nullptr);
    ui::Forms::Reset();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        delete window;
    }
}

void ProcessEvents() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QList<QWidget*> VisibleWindows() {
    QList<QWidget*> visible;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible()) {
            visible.append(window);
        }
    }
    return visible;
}

int VisibleWithCaption(const QString& caption) {
    int count = 0;
    for (QWidget* window : VisibleWindows()) {
        count += window->windowTitle() == caption;
    }
    return count;
}

namespace {

// The room a control's text needs, and the room it has.
bool TextFits(const QWidget& control) {
    if (auto* label = qobject_cast<const QLabel*>(&control)) {
        if (label->text().isEmpty() || !label->pixmap().isNull()) {
            return true;
        }
        if (label->wordWrap()) {
            return label->heightForWidth(label->width()) <= label->height();
        }
        return label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width();
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        constexpr int kMargins = 8;
        return button->fontMetrics().horizontalAdvance(button->text().remove('&')) + kMargins <=
               button->width();
    }
    return true;
}

bool InsideWindow(const QWidget& control, const QWidget& window) {
    QRect area(control.mapTo(&window, QPoint(0, 0)), control.size());
    if (auto* label = qobject_cast<const QLabel*>(&control); label != nullptr && !label->wordWrap()) {
        area.setWidth(label->fontMetrics().horizontalAdvance(label->text())); // only the text counts
    }
    return window.rect().contains(area);
}

} // namespace

void ExpectNothingCut(QWidget& window, const QString& pictureName) {
    window.adjustSize();
    const QString folder = QStringLiteral(QT_TESTCASE_BUILDDIR "/pictures");
    QDir().mkpath(folder);
    window.grab().save(QStringLiteral("%1/%2.png").arg(folder, pictureName));
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window) || qobject_cast<QLineEdit*>(control) != nullptr) {
            continue;
        }
        EXPECT_TRUE(TextFits(*control)) << pictureName.toStdString() << ": "
                                        << control->objectName().toStdString() << " cuts its text";
        if (qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control)) {
            EXPECT_TRUE(InsideWindow(*control, window))
                << pictureName.toStdString() << ": " << control->objectName().toStdString()
                << " reaches out of the window";
        }
    }
}
