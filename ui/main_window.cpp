#include "ui/main_window.h"

#include "commands/output_commands.h"
#include "engine/banner.h"
#include "settings/options_dialog.h"
#include "ui/about_windows.h"
#include "ui/error_windows.h"
#include "ui/fit.h"
#include "ui/forms.h"
#include "ui/info_windows.h"
#include "ui/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <algorithm>
#include <functional>
#include <limits>

namespace ui {
namespace {

// The design, in twips, of the area under the menu bar.
constexpr QRect kCaption(Pixels(240), Pixels(120), Pixels(2175), Pixels(375));
constexpr QRect kInput(Pixels(240), Pixels(480), Pixels(2295), Pixels(375));
constexpr int kButtonsTop = Pixels(960);
constexpr int kButtonLefts[] = {Pixels(240), Pixels(1080), Pixels(1920)};
constexpr QSize kButton(Pixels(735), Pixels(375));
constexpr QSize kInner(Pixels(2790), Pixels(1500));
constexpr int kRightMargin = kInner.width() - kButtonLefts[2] - kButton.width();

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromLatin1(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(true); // takes Enter while it has the focus
    return button;
}

QAction* Item(QMenu* menu, const char* name, const char* caption, std::function<void()> action) {
    QAction* item = menu->addAction(QString::fromLatin1(caption));
    item->setObjectName(QString::fromLatin1(name));
    QObject::connect(item, &QAction::triggered, menu, [action = std::move(action)] { action(); });
    return item;
}

QMenu* Submenu(QWidget* parent, const char* name, const char* caption) {
    auto* menu = new QMenu(QString::fromLatin1(caption), parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

template <class Window> std::function<void()> Shows() {
    return [] { Forms::Show<Window>(); };
}

} // namespace

Main::Main() {
    setWindowTitle(QStringLiteral("Input"));
    auto* area = new QWidget(this);
    setCentralWidget(area);
    lblCaption = new QLabel(QStringLiteral("Enter the line to be enlarged:"), area);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    txtInput = new QLineEdit(area);
    txtInput->setObjectName(QStringLiteral("txtInput"));
    txtInput->setMaxLength(std::numeric_limits<int>::max());
    lblCaption->setBuddy(txtInput); // names the box for a screen reader
    btnShow = Button(area, "btnShow", "Show");
    btnSave = Button(area, "btnSave", "Save");
    btnCopy = Button(area, "btnCopy", "Copy");
    connect(btnShow, &QPushButton::clicked, this, [] { modMain::ShowCommand(); });
    connect(btnSave, &QPushButton::clicked, this, [] { modMain::SaveCommand(); });
    connect(btnCopy, &QPushButton::clicked, this, [] { modMain::CopyCommand(); });
    setTabOrder(txtInput, btnShow);
    setTabOrder(btnShow, btnSave);
    setTabOrder(btnSave, btnCopy);
    BuildMenus();
    Arrange();
}

Main::~Main() {
    modMain::EndProgram();
}

void Main::BuildMenus() {
    QMenuBar* bar = menuBar();
    M_File = bar->addMenu(QStringLiteral("&File"));
    M_File->setObjectName(QStringLiteral("M_File"));
    F_Exit = Item(M_File, "F_Exit", "&Exit", modMain::EndProgram);
    M_Text = bar->addMenu(QStringLiteral("&Text"));
    M_Text->setObjectName(QStringLiteral("M_Text"));
    T_Copy = Item(M_Text, "T_Copy", "&Copy", modMain::CopyCommand);
    T_Save = Item(M_Text, "T_Save", "S&ave", modMain::SaveCommand);
    T_Show = Item(M_Text, "T_Show", "S&how", modMain::ShowCommand);
    M_Options = bar->addMenu(QStringLiteral("&Options"));
    M_Options->setObjectName(QStringLiteral("M_Options"));
    O_Options = Item(M_Options, "O_Options", "&Options...", O_Options_Click);
    M_Info = bar->addMenu(QStringLiteral("&Info"));
    M_Info->setObjectName(QStringLiteral("M_Info"));
    I_About = Submenu(M_Info, "I_About", "&About");
    I_A_Loftype = Item(I_About, "I_A_Loftype", "&Loftype", Shows<AboutLoftype>());
    I_A_Orvenna = Item(I_About, "I_A_Orvenna", "&Orvenna", Shows<AboutOrvenna>());
    I_A_Author = Item(I_About, "I_A_Author", "&Author", Shows<AboutAuthor>());
    M_Info->addMenu(I_About);
    I_Info = Submenu(M_Info, "I_Info", "&Info");
    I_I_General = Item(I_Info, "I_I_General", "&General", Shows<Info_General>());
    I_I_Copy = Item(I_Info, "I_I_Copy", "&Copy", Shows<Info_Copy>());
    I_I_Save = Item(I_Info, "I_I_Save", "S&ave", Shows<Info_Save>());
    I_I_Show = Item(I_Info, "I_I_Show", "S&how", Shows<Info_Show>());
    M_Info->addMenu(I_Info);
    I_License = Item(M_Info, "I_License", "&License", Shows<License>());
}

// Places the controls as designed. Where a text would be cut in the current font, its
// control grows, the controls after it move along and the window grows with them.
void Main::Arrange() {
    QRect caption = kCaption;
    caption.setSize(caption.size().expandedTo(lblCaption->sizeHint()));
    lblCaption->setGeometry(caption);
    const int inputTop = kInput.top() + caption.height() - kCaption.height();
    const QRect input(QPoint(kInput.left(), inputTop),
                      kInput.size().expandedTo(QSize(0, txtInput->sizeHint().height())));
    txtInput->setGeometry(input);
    QPushButton* buttons[] = {btnShow, btnSave, btnCopy};
    QSize button = kButton;
    for (const QPushButton* each : buttons) {
        button = ButtonSize(*each, button);
    }
    const int top = kButtonsTop + input.bottom() - kInput.bottom();
    constexpr int kGap = kButtonLefts[1] - kButtonLefts[0] - kButton.width();
    for (int i = 0; i < 3; ++i) {
        const int left = kButtonLefts[0] + i * (button.width() + kGap);
        buttons[i]->setGeometry(QRect(QPoint(left, top), button));
    }
    // The menu bar keeps its items on one line.
    const int width = std::max({kInner.width(), caption.right() + 1 + kCaption.left(),
                                buttons[2]->geometry().right() + 1 + kRightMargin,
                                menuBar()->sizeHint().width()});
    const int height = kInner.height() + top + button.height() - kButtonsTop - kButton.height();
    centralWidget()->setFixedSize(width, height);
    setFixedSize(width, height + menuBar()->sizeHint().height());
}

void Main::Form_Load() {
    modMain::PreloadForms();
    modMain::InitEngine();
}

void Main::closeEvent(QCloseEvent* event) {
    event->accept();
    modMain::EndProgram();
}

} // namespace ui

namespace modMain {

void PreloadForms() {
    ui::Forms::Load<ui::Options>().hide();
    ui::Forms::Load<ui::AboutLoftype>().hide();
    ui::Forms::Load<ui::AboutOrvenna>().hide();
    ui::Forms::Load<ui::AboutAuthor>().hide();
    ui::Forms::Load<ui::License>().hide();
    modErrors::PreloadErrorForms();
    modInfo::PreloadInfoForms();
}

void EndProgram() {
    QCoreApplication::exit(0);
}

} // namespace modMain
