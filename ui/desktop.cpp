#include "ui/desktop.h"

#include <QApplication>
#include <QClipboard>

namespace ui {
namespace {

Beeper systemBeeper;
Clipboard systemClipboard;
Beeper* beeperInUse = &systemBeeper;
Clipboard* clipboardInUse = &systemClipboard;

} // namespace

void Beeper::Beep() {
    QApplication::beep();
}

void Clipboard::Clear() {
    QGuiApplication::clipboard()->clear();
}
void Clipboard::SetText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}
QString Clipboard::Text() const {
    return QGuiApplication::clipboard()->text();
}

void Beep() {
    beeperInUse->Beep();
}
Clipboard& CurrentClipboard() {
    return *clipboardInUse;
}

void UseBeeper(Beeper* beeper) {
    beeperInUse = beeper != nullptr ? beeper : &systemBeeper;
}
void UseClipboard(Clipboard* clipboard) {
    clipboardInUse = clipboard != nullptr ? clipboard : &systemClipboard;
}

} // namespace ui
