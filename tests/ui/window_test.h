#pragma once

#include "commands/display.h"
#include "ui/desktop.h"
#include "ui/forms.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

// Counts beeps instead of sounding them.
class CountingBeeper : public ui::Beeper {
public:
    void Beep() override { ++count; }
    int count = 0;
};

// A fresh start for every window test: no windows, an empty clipboard, counted beeps.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CountingBeeper beeps;
};

// A window test whose commands work in a fresh current folder, with Main loaded as
// at start-up (the default options, a filled font): they read the line typed in it.
class CommandTest : public WindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Types the line into Main's text box, over what is there.
    void Type(const QString& line);
    // Pastes the line into Main's text box, over what is there, as a person enters
    // a line too long to type.
    void Paste(const QString& line);

    QTemporaryDir folder;
    QString previous;
    ui::Main* main = nullptr;
};

// Selects what the text box holds and types the line over it, key by key, as a
// person would; a character that no key types (a control) comes as an input method
// hands over what it composed.
void TypeLine(QLineEdit& box, const QString& line);

// Lets deferred deletions and other posted events run.
void ProcessEvents();

// Runs the event loop as the program does and returns its exit code; a loop that
// nothing ends within ten seconds fails the test and is ended.
int RunEventLoop();

// The top-level windows that a person would see.
QList<QWidget*> VisibleWindows();

// The Display windows that are open.
QList<ui::Display*> OpenDisplays();

// How many visible windows carry this caption.
int VisibleWithCaption(const QString& caption);

// Renders the window to a PNG in pictures/ of the tests' build folder (for a person
// to look at) and fails the test for every text that does not fit its control or window.
void ExpectNothingCut(QWidget& window, const QString& pictureName);
