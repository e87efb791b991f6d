#include "ui/info_windows.h"

namespace ui {
namespace {

constexpr int kGeneralWidth = 400;

} // namespace

InfoWindow::InfoWindow(const QString& caption) : NoticeWindow(caption, ButtonPlace::Under) {}

Info_General::Info_General() : InfoWindow(QStringLiteral("General")) {
    lblText = AddLabel(
        QStringLiteral("lblText"),
        QStringLiteral(
            "The purpose of this program is to take a string of characters and turn it into 8 "
            "strings such that when  these 8 strings are placed above one another, it appears as "
            "if they form the same characters as the original string. Further each of the "
            "characters in the large string is made out of the corresponding character in the "
            "original string. These 8 strings work best if viewed in a font in which ever "
            "character has the same width."),
        kGeneralWidth);
    lblOKChar = AddLabel(QStringLiteral("lblOKChar"),
                         QStringLiteral("The characters which are allowed are:"), kGeneralWidth);
    lblNum =
        AddLabel(QStringLiteral("lblNum"), QStringLiteral("0,1,2,3,4,5,6,7,8,9"), kGeneralWidth);
    lblCapLet = AddLabel(QStringLiteral("lblCapLet"),
                         QStringLiteral("A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P,Q,R,S,T,U.,V,W,X,Y,Z"),
                         kGeneralWidth);
    lblLCLet = AddLabel(QStringLiteral("lblLCLet"),
                        QStringLiteral("a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z"),
                        kGeneralWidth);
    lblSymbol = AddLabel(QStringLiteral("lblSymbol"),
                         QStringLiteral("' ',.,?,!,-,(,),[,],\\,/,_,+,="), kGeneralWidth);
    Finish();
}

InfoParagraph::InfoParagraph(const QString& caption, const QString& text)
    : InfoWindow(caption), lblText(AddLabel(QStringLiteral("lblText"), text)) {
    Finish();
}

Info_Copy::Info_Copy()
    : InfoParagraph(QStringLiteral("Copy"),
                    QStringLiteral("When you choose copy, the 8 lines of text are copied to the "
                                   "clipboard with newline characters in between each line.")) {}

Info_Save::Info_Save()
    : InfoParagraph(QStringLiteral("Save"),
                    QStringLiteral("When you choose save, the 8 lines of text, separated by "
                                   "newline characters, are saved to a file in the 'Files' folder. "
                                   "The name of the file is the same as the sequence of characters "
                                   "with a '.txt' extension.")) {}

Info_Show::Info_Show()
    : InfoParagraph(
          QStringLiteral("Show"),
          QStringLiteral("When you choose show, a new window appears. This window "
                         "contains the enlargement of your text in 8 point Courier New. ")) {}

} // namespace ui

namespace modInfo {

void PreloadInfoForms() {
    ui::Forms::Load<ui::Info_Show>();
    ui::Forms::Load<ui::Info_General>();
    ui::Forms::Load<ui::Info_Copy>();
    ui::Forms::Load<ui::Info_Save>();
}

} // namespace modInfo
