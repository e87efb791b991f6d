#pragma once

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>

namespace ui {

// The start-up window, where the user types the line and runs every command. Its
// buttons and menu items each forward to one action; closing it, choosing Exit or
// destroying it ends the program at once.
class Main : public QMainWindow {
public:
    Main();
    ~Main() override;

    // The start-up sequence: every other window loaded hidden, then the engine.
    void Form_Load();

    QLabel* lblCaption;
    QLineEdit* txtInput;
    QPushButton* btnShow;
    QPushButton* btnSave;
    QPushButton* btnCopy;

    QMenu* M_File;
    QAction* F_Exit;
    QMenu* M_Text;
    QAction* T_Copy;
    QAction* T_Save;
    QAction* T_Show;
    QMenu* M_Options;
    QAction* O_Options;
    QMenu* M_Info;
    QMenu* I_About;
    QAction* I_A_Loftype;
    QAction* I_A_Orvenna;
    QAction* I_A_Author;
    QMenu* I_Info;
    QAction* I_I_General;
    QAction* I_I_Copy;
    QAction* I_I_Save;
    QAction* I_I_Show;
    QAction* I_License;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void Arrange();
};

} // namespace ui

namespace modMain {

// Loads every window but Main and Display hidden, in the start-up order.
void PreloadForms();

// Ends the program at once: every window closes with it, nothing is asked.
void EndProgram();

} // namespace modMain
