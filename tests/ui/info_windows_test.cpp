#include "ui/about_windows.h"
#include "ui/icons.h"
#include "ui/info_windows.h"
#include "version.h"
#include "window_test.h"

#include <QPainter>
#include <QTest>

using namespace ui;

using InfoAndAboutWindows = WindowTest;

TEST_F(InfoAndAboutWindows, InformationTextsAreToTheLetter) {
    Info_General& general = Forms::Load<Info_General>();
    EXPECT_EQ(general.windowTitle(), "General");
    EXPECT_TRUE(general.lblText->text().contains("such that when  these 8 strings"));
    EXPECT_TRUE(
        general.lblText->text().endsWith("in a font in which ever character has the same width."));
    EXPECT_EQ(general.lblOKChar->text(), "The characters which are allowed are:");
    EXPECT_EQ(general.lblNum->text(), "0,1,2,3,4,5,6,7,8,9");
    EXPECT_EQ(general.lblCapLet->text(), "A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P,Q,R,S,T,U.,V,W,X,Y,Z");
    EXPECT_EQ(general.lblLCLet->text(), "a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z");
    EXPECT_EQ(general.lblSymbol->text(), "' ',.,?,!,-,(,),[,],\\,/,_,+,=");
    EXPECT_EQ(Forms::Load<Info_Copy>().windowTitle(), "Copy");
    EXPECT_EQ(Forms::Load<Info_Copy>().lblText->text(),
              "When you choose copy, the 8 lines of text are copied to the clipboard with newline "
              "characters in between each line.");
    EXPECT_EQ(Forms::Load<Info_Save>().windowTitle(), "Save");
    EXPECT_EQ(
        Forms::Load<Info_Save>().lblText->text(),
        "When you choose save, the 8 lines of text, separated by newline characters, are saved "
        "to a file in the 'Files' folder. The name of the file is the same as the sequence of "
        "characters with a '.txt' extension.");
    EXPECT_EQ(Forms::Load<Info_Show>().windowTitle(), "Show");
    EXPECT_EQ(Forms::Load<Info_Show>().lblText->text(),
              "When you choose show, a new window appears. This window contains the enlargement of "
              "your text in 8 point Courier New. ");
    for (InfoWindow* window :
         std::initializer_list<InfoWindow*>{&general, &Forms::Load<Info_Copy>(),
                                            &Forms::Load<Info_Save>(), &Forms::Load<Info_Show>()}) {
        EXPECT_EQ(window->btnOK->text(), "OK");
        EXPECT_TRUE(window->btnOK->isDefault());
    }
}

TEST_F(InfoAndAboutWindows, AboutTextsAreToTheLetter) {
    AboutLoftype& product = Forms::Load<AboutLoftype>();
    EXPECT_EQ(product.windowTitle(), "About Loftype");
    EXPECT_EQ(product.lblName->text(), "Loftype (h8) version " LOFTYPE_VERSION);
    EXPECT_EQ(product.lblAuthor->text(), "by Tarvish");
    EXPECT_EQ(product.lblComments->text(),
              "If you have any comments or thoughts on this program, please send them to "
              "comments@orvenna.example");
    AboutOrvenna& maker = Forms::Load<AboutOrvenna>();
    EXPECT_EQ(maker.windowTitle(), "About Orvenna Software");
    EXPECT_TRUE(maker.lblWebPage->text().endsWith("can be reached from the web site: "));
    EXPECT_EQ(maker.lblzarn->text(), "      www.orvenna.example");
    EXPECT_EQ(maker.lblGetWebPage->text(),
              " Or, we will send you the current URL of Orvenna Software's home pae if you send an "
              "e-mail to:");
    EXPECT_EQ(maker.Label3->text(), "      homepage@orvenna.example");
    AboutAuthor& author = Forms::Load<AboutAuthor>();
    EXPECT_EQ(author.windowTitle(), "About Author");
    EXPECT_EQ(author.lblText->text(), "To find out about the author, you can visit the web site:");
    EXPECT_EQ(author.lblWebSite->text(), "     www.orvenna.example");
    License& license = Forms::Load<License>();
    EXPECT_EQ(license.windowTitle(), "License");
    EXPECT_EQ(license.lblCopywrite->text(),
              "Copyright (C) Orvenna Software. Released under the MIT License.");
    for (AboutWindow* window :
         std::initializer_list<AboutWindow*>{&product, &maker, &author, &license}) {
        EXPECT_EQ(window->Ok->text(), "Ok");
        EXPECT_TRUE(window->Ok->isDefault());
    }
}

TEST_F(InfoAndAboutWindows, EachShowsOnceAndItsButtonOrEnterHidesItButEscDoesNot) {
    QDialog* windows[] = {&Forms::Load<Info_General>(), &Forms::Load<Info_Copy>(),
                          &Forms::Load<Info_Save>(),    &Forms::Load<Info_Show>(),
                          &Forms::Load<AboutLoftype>(), &Forms::Load<AboutOrvenna>(),
                          &Forms::Load<AboutAuthor>(),  &Forms::Load<License>()};
    for (QDialog* window : windows) {
        window->show();
        window->show();
        EXPECT_EQ(VisibleWithCaption(window->windowTitle()), 1);
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_TRUE(window->isVisible());
        QTest::keyClick(window, Qt::Key_Return);
        EXPECT_FALSE(window->isVisible());
        window->show();
        QTest::mouseClick(window->findChild<QPushButton*>(), Qt::LeftButton);
        EXPECT_FALSE(window->isVisible());
    }
}

TEST_F(InfoAndAboutWindows, TheProductIconToggles) {
    AboutLoftype& about = Forms::Show<AboutLoftype>();
    EXPECT_TRUE(about.icnLoftype->isVisible());
    EXPECT_FALSE(about.icnOrvenna->isVisible());
    QTest::mouseClick(about.icnLoftype, Qt::LeftButton);
    EXPECT_FALSE(about.icnLoftype->isVisible());
    EXPECT_TRUE(about.icnOrvenna->isVisible());
    EXPECT_EQ(modAbout::IconState, 1);
    QTest::mouseClick(about.icnOrvenna, Qt::LeftButton);
    EXPECT_TRUE(about.icnLoftype->isVisible());
    EXPECT_EQ(modAbout::IconState, 0);

    // Hidden and shown again, the window keeps the maker icon...
    QTest::mouseClick(about.icnLoftype, Qt::LeftButton);
    QTest::mouseClick(about.Ok, Qt::LeftButton);
    Forms::Show<AboutLoftype>();
    EXPECT_TRUE(about.icnOrvenna->isVisible());
    EXPECT_FALSE(about.icnLoftype->isVisible());

    // ...until it is closed through its title bar.
    about.close();
    ProcessEvents();
    AboutLoftype& again = Forms::Show<AboutLoftype>();
    EXPECT_TRUE(again.icnLoftype->isVisible());
    EXPECT_FALSE(again.icnOrvenna->isVisible());
    EXPECT_EQ(modAbout::IconState, 0);

    // From the keyboard: the button has the focus first, Tab reaches the icon, and
    // Space or Enter toggles it as a click does, the focus staying on the icon.
    EXPECT_EQ(again.focusWidget(), again.Ok);
    QTest::keyClick(again.Ok, Qt::Key_Tab);
    EXPECT_EQ(again.focusWidget(), again.icnLoftype);
    QTest::keyClick(again.icnLoftype, Qt::Key_Space);
    EXPECT_TRUE(again.icnOrvenna->isVisible());
    EXPECT_EQ(again.focusWidget(), again.icnOrvenna);
    QTest::keyClick(again.icnOrvenna, Qt::Key_Return);
    EXPECT_TRUE(again.icnLoftype->isVisible());
    EXPECT_EQ(again.focusWidget(), again.icnLoftype);
    EXPECT_TRUE(again.isVisible());
    EXPECT_EQ(modAbout::IconState, 0);
}

TEST_F(InfoAndAboutWindows, ClicksOnTheMakerWindowDoNothing) {
    AboutOrvenna& maker = Forms::Show<AboutOrvenna>();
    const QImage before = maker.grab().toImage();
    for (QWidget* control :
         std::initializer_list<QWidget*>{maker.icnOrvenna, maker.lblWebPage, maker.lblzarn,
                                         maker.lblGetWebPage, maker.Label3}) {
        QTest::mouseClick(control, Qt::LeftButton);
    }
    EXPECT_TRUE(maker.isVisible());
    EXPECT_TRUE(maker.icnOrvenna->isVisible());
    EXPECT_EQ(maker.grab().toImage(), before);
    EXPECT_EQ(VisibleWindows().size(), 1);
}

TEST_F(InfoAndAboutWindows, IconsAreDrawnForThePixelRatioAndReadOnAnyPalette) {
    for (const QImage& icon : {ProductIcon(), MakerIcon()}) {
        EXPECT_EQ(icon.size(), QSize(48, 48));
    }
    EXPECT_NE(ProductIcon(), MakerIcon());
    // The maker icon is a white disc with clear corners, not a white square.
    EXPECT_EQ(qAlpha(MakerIcon().pixel(0, 0)), 0);
    EXPECT_EQ(QColor(MakerIcon().pixel(24, 3)), QColor(Qt::white));

    // On a screen of twice the pixels, each icon is drawn anew at that resolution.
    AboutLoftype& about = Forms::Show<AboutLoftype>();
    AboutOrvenna& maker = Forms::Show<AboutOrvenna>();
    const std::pair<QWidget*, void (*)(QPainter&, int)> icons[] = {
        {about.icnLoftype, PaintProductIcon}, {maker.icnOrvenna, PaintMakerIcon}};
    for (auto [icon, paint] : icons) {
        QImage onScreen(96, 96, QImage::Format_ARGB32_Premultiplied);
        onScreen.setDevicePixelRatio(2);
        onScreen.fill(Qt::transparent);
        icon->render(&onScreen, QPoint(), QRegion(), QWidget::RenderFlags());
        QImage sharp(96, 96, QImage::Format_ARGB32_Premultiplied);
        sharp.fill(Qt::transparent);
        QPainter painter(&sharp);
        painter.scale(2, 2);
        paint(painter, 48);
        painter.end();
        onScreen.setDevicePixelRatio(1);
        EXPECT_EQ(onScreen, sharp) << icon->objectName().toStdString();
    }
    EXPECT_EQ(Forms::Load<AboutLoftype>().icnOrvenna->pixmap().toImage(),
              Forms::Load<AboutOrvenna>().icnOrvenna->pixmap().toImage());
}
