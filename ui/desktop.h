#pragma once

#include <QString>

// The desktop's beep and clipboard. Each goes through a replaceable object, so that
// tests can put a recording stand-in in its place.
namespace ui {

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void Beep();
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void Clear();
    // Puts the text on the clipboard in the plain text format.
    virtual void SetText(const QString& text);
    virtual QString Text() const;
};

// The system beep.
void Beep();
// The clipboard in use: the system's unless a stand-in was put in its place.
Clipboard& CurrentClipboard();

// Puts a stand-in in place of the system's beeper or clipboard; nullptr puts the
// system's back. The caller keeps ownership.
void UseBeeper(Beeper* beeper);
void UseClipboard(Clipboard* clipboard);

} // namespace ui
