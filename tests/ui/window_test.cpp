#include "window_test.h"

#include "settings/layout_options.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

void WindowTest::SetUp() {
    ui::Forms::Reset();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        delete window;
    }
    ui::UseBeeper(&beeps);
    ui::CurrentClipboard().Clear();
    QLocale::setDefault(QLocale::c()); // numbers typed with a point, whatever the host
}

void WindowTest::TearDown() {
    ui::UseBeeper(nullptr);
    ui::Forms::Reset();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        delete window;
    }
}

void CommandTest::SetUp() {
    WindowTest::SetUp();
    ASSERT_TRUE(folder.isValid());
    previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    main = &ui::Forms::Load<ui::Main>();
    main->show();
}

void CommandTest::TearDown() {
    modOptions::SetDefaultOptions();
    QDir::setCurrent(previous);
    WindowTest::TearDown();
}

void CommandTest::Type(const QString& line) {
    TypeLine(*main->txtInput, line);
}

void CommandTest::Paste(const QString& line) {
    QGuiApplication::clipboard()->setText(line);
    QTest::keyClick(main->txtInput, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(main->txtInput, Qt::Key_V, Qt::ControlModifier);
}

void TypeLine(QLineEdit& box, const QString& line) {
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_Delete);
    for (QChar c : line) {
        if (c.unicode() < 0x80 && c.isPrint()) {
            QTest::keyClick(&box, c.toLatin1());
        } else if (c.isPrint()) {
            QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        } else {
            QInputMethodEvent composed;
            composed.setCommitString(QString(c));
            QCoreApplication::sendEvent(&box, &composed);
        }
    }
}

void ProcessEvents() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

int RunEventLoop() {
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [] {
        ADD_FAILURE() << "Nothing ended the event loop.";
        QCoreApplication::exit(-1);
    });
    fallback.start(10000);
    return QApplication::exec();
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

QList<ui::Display*> OpenDisplays() {
    QList<ui::Display*> displays;
    for (QWidget* window : VisibleWindows()) {
        if (auto* display = dynamic_cast<ui::Display*>(window)) {
            displays.append(display);
        }
    }
    return displays;
}

int VisibleWithCaption(const QString& caption) {
    int count = 0;
    for (QWidget* window : VisibleWindows()) {
        count += window->windowTitle() == caption;
    }
    return count;
}

namespace {

// The area a control takes in the window.
QRect AreaInWindow(const QWidget& control, const QWidget& window) {
    return QRect(control.mapTo(&window, QPoint(0, 0)), control.size());
}

// The area that a control shows something in: a label's text, or the whole control.
QRect InkInWindow(const QWidget& control, const QWidget& window) {
    auto* label = qobject_cast<const QLabel*>(&control);
    if (label == nullptr || !label->pixmap().isNull()) {
        return AreaInWindow(control, window);
    }
    const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    QRect ink = label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text());
    return ink.translated(control.mapTo(&window, QPoint(0, 0)));
}

void ExpectNoOverlap(const QList<QWidget*>& controls, const QWidget& window, const QString& name) {
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            EXPECT_FALSE(
                InkInWindow(*controls[i], window).intersects(InkInWindow(*controls[j], window)))
                << name.toStdString() << ": " << controls[i]->objectName().toStdString()
                << " overlaps " << controls[j]->objectName().toStdString();
        }
    }
}

// Whether the whole text shows: a label's text (wrapped at its width, where it wraps)
// within the label, a button's caption within the room its style draws captions in.
bool TextFits(const QWidget& control) {
    if (auto* label = qobject_cast<const QLabel*>(&control)) {
        if (label->text().isEmpty() || !label->pixmap().isNull()) {
            return true;
        }
        const QRect room = label->contentsRect();
        const int flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
        const QSize text = label->fontMetrics()
                               .boundingRect(QRect(QPoint(0, 0), QSize(room.width(), 1 << 20)),
                                             flags, label->text())
                               .size();
        return text.width() <= room.width() && text.height() <= room.height();
    }
    if (auto* button = qobject_cast<const QPushButton*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        if (button->autoDefault() || button->isDefault()) {
            option.features |= QStyleOptionButton::AutoDefaultButton;
        }
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
        return text.width() <= room.width() && text.height() <= room.height();
    }
    return true;
}

bool InsideWindow(const QWidget& control, const QWidget& window) {
    QRect area = AreaInWindow(control, window);
    if (auto* label = qobject_cast<const QLabel*>(&control);
        label != nullptr && !label->wordWrap()) {
        area.setWidth(
            label->fontMetrics().horizontalAdvance(label->text())); // only the text counts
    }
    return window.rect().contains(area);
}

} // namespace

void ExpectNothingCut(QWidget& window, const QString& pictureName) {
    window.adjustSize();
    const QString folder = QStringLiteral(QT_TESTCASE_BUILDDIR "/pictures");
    QDir().mkpath(folder);
    window.grab().save(QStringLiteral("%1/%2.png").arg(folder, pictureName));
    QList<QWidget*> shown;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window) || qobject_cast<QLineEdit*>(control) != nullptr) {
            continue;
        }
        if (qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control)) {
            shown.append(control);
        }
        EXPECT_TRUE(TextFits(*control)) << pictureName.toStdString() << ": "
                                        << control->objectName().toStdString() << " cuts its text";
        if (qobject_cast<QLabel*>(control) || qobject_cast<QAbstractButton*>(control)) {
            EXPECT_TRUE(InsideWindow(*control, window))
                << pictureName.toStdString() << ": " << control->objectName().toStdString()
                << " reaches out of the window";
        }
    }
    ExpectNoOverlap(shown, window, pictureName);
}
