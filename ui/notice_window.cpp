#include "ui/notice_window.h"

#include "ui/fit.h"
#include "ui/own_window.h"

#include <QKeyEvent>
#include <algorithm>

namespace ui {

NoticeWindow::NoticeWindow(const QString& caption, ButtonPlace place)
    : place_(place), texts_(new QVBoxLayout), row_(new QHBoxLayout) {
    setWindowTitle(caption);
    MakeOwnWindow(*this);
    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    outer->addLayout(row_);
    row_->addLayout(texts_);
    texts_->setAlignment(Qt::AlignTop);
}

QLabel* NoticeWindow::AddLabel(const QString& name, const QString& text, int width) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    FitWidth(*label, width);
    texts_->addWidget(label);
    return label;
}

QPushButton* NoticeWindow::AddButton(const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &QWidget::hide);
    if (place_ == ButtonPlace::Under) {
        static_cast<QVBoxLayout*>(layout())->addWidget(button, 0, Qt::AlignHCenter);
    } else {
        auto* column = new QVBoxLayout;
        column->addWidget(button);
        column->addStretch();
        row_->addLayout(column);
    }
    button->setFocus();
    return button;
}

// Laying out the wrapped texts costs time that start-up, which loads every notice
// window, need not spend: the labels get their heights when first shown.
void NoticeWindow::setVisible(bool visible) {
    if (visible && !fitted_) {
        for (QLabel* label : findChildren<QLabel*>()) {
            if (label->wordWrap()) {
                FitHeight(*label);
            }
        }
        fitted_ = true;
    }
    QDialog::setVisible(visible);
}

void NoticeWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // a notice window has no cancel button
        return;
    }
    QDialog::keyPressEvent(event);
}

void FitWidth(QLabel& label, int designWidth) {
    label.setFixedWidth(std::max(designWidth, UnbreakableWidth(label.fontMetrics(), label.text())));
}

void FitHeight(QLabel& label) {
    label.setMinimumHeight(0); // the label's measure never goes below its minimum
    label.setFixedHeight(
        std::max(label.heightForWidth(label.width()), label.fontMetrics().height()));
}

QString Breakable(const QString& text) {
    constexpr int kLongestRun = 16;
    QString result;
    int run = 0;
    for (QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestRun) {
            result += QChar(0x200B);
            run = 1;
        }
        result += c;
    }
    return result;
}

} // namespace ui
