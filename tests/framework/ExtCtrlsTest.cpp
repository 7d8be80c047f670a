#include "framework/ExtCtrls.h"

#include "ControlsTestSupport.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"

#include <QImage>
#include <gtest/gtest.h>
#include <memory>

using namespace ControlsTest;

TEST(StatusBar, PanelsSitSideBySideAndTheLastRunsToTheEnd) {
    auto form = std::make_unique<TForm>();
    form->SetBorderStyle(bsToolWindow);
    form->SetClientSize(529, 285);
    auto* bar = new TStatusBar(form.get());
    EXPECT_EQ(bar->Align(), alBottom);
    for (int w : {160, 180, 50})
        bar->Panels()->Add()->SetWidth(w);
    EXPECT_EQ(bar->PanelRect(0), TRect(0, 2, 158, 19));
    EXPECT_EQ(bar->PanelRect(1), TRect(160, 2, 338, 19));
    EXPECT_EQ(bar->PanelRect(2), TRect(340, 2, 529, 19));
    EXPECT_TRUE(bar->PanelRect(3).IsEmpty());
    EXPECT_THROW(bar->Panels()->Items(3), EListError);
    EXPECT_EQ(bar->Panels()->Items(1)->Index(), 1);

    bar->Panels()->Items(0)->SetText(QStringLiteral("公历: 2006年8月15日"));
    QImage image = bar->grab().toImage();
    // Sunken frame: shadow on the top-left, highlight on the bottom-right.
    EXPECT_EQ(FromQColor(image.pixelColor(0, 5)), ColorToRGB(clBtnShadow));
    EXPECT_EQ(FromQColor(image.pixelColor(157, 5)), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(FromQColor(image.pixelColor(158, 5)), ColorToRGB(clBtnFace)); // the gap
    bool text = false;
    for (int x = 3; x < 150 && !text; ++x)
        for (int y = 3; y < 17 && !text; ++y)
            text = FromQColor(image.pixelColor(x, y)) != ColorToRGB(clBtnFace);
    EXPECT_TRUE(text);

    bar->SetSimplePanel(true);
    EXPECT_EQ(bar->PanelRect(0), TRect(0, 2, 529, 19));
    bar->Panels()->Delete(0);
    EXPECT_EQ(bar->Panels()->Count(), 2);
}

TEST(Image, PlacesStretchesAndLeavesTheTransparentColourOut) {
    auto parent = std::make_unique<TWinControl>();
    parent->SetBounds(0, 0, 40, 40);
    parent->SetColor(clLime);
    auto* image = new TImage(parent.get());
    image->SetBounds(0, 0, 40, 40);
    TBitmap picture(10, 10);
    picture.Canvas().Brush.Color = clRed;
    picture.Canvas().FillRect(TRect(0, 0, 10, 10));
    picture.Canvas().Brush.Color = clBlue;
    picture.Canvas().FillRect(TRect(0, 0, 5, 5)); // the bottom-left pixel stays red
    image->SetPicture(picture);
    int clicks = 0;
    image->OnClick = [&](TObject*) { ++clicks; };

    EXPECT_EQ(image->DestRect(), Bounds(0, 0, 10, 10));
    image->SetCenter(true);
    EXPECT_EQ(image->DestRect(), Bounds(15, 15, 10, 10));
    image->SetStretch(true);
    EXPECT_EQ(image->DestRect(), Bounds(0, 0, 40, 40));

    image->SetTransparent(true);
    QImage shot = parent->grab().toImage();
    EXPECT_EQ(FromQColor(shot.pixelColor(2, 2)), clBlue);
    EXPECT_EQ(FromQColor(shot.pixelColor(30, 30)), clLime); // red is transparent
    image->SetTransparent(false);
    shot = parent->grab().toImage();
    EXPECT_EQ(FromQColor(shot.pixelColor(30, 30)), clRed);

    Click(image);
    EXPECT_EQ(clicks, 1);

    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 10);
    EXPECT_EQ(image->Height(), 10);
}

TEST(HintWindow, MeasuresWrapsAndStaysOnTheDesktopWithoutTakingFocus) {
    THintWindow window;
    EXPECT_TRUE(window.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(window.Color(), clInfoBk);

    TRect one = window.CalcHintRect(1000, QStringLiteral("复制代码"));
    EXPECT_EQ(one.Left, 0);
    EXPECT_GT(one.Width(), window.Canvas()->TextWidth(QStringLiteral("复制代码")));
    TRect two = window.CalcHintRect(1000, QStringLiteral("今天是：\r\r公历"));
    EXPECT_GT(two.Height(), 2 * one.Height());
    QString longText = QStringLiteral("word ").repeated(40);
    TRect wrapped = window.CalcHintRect(120, longText);
    EXPECT_LE(wrapped.Width(), 120);
    EXPECT_GT(wrapped.Height(), 3 * one.Height());

    TRect desk = Screen->DesktopRect();
    TRect rect = one;
    rect.Offset(desk.Right - 5, desk.Bottom - 5);
    window.ActivateHint(rect, QStringLiteral("复制代码"));
    EXPECT_TRUE(window.Active());
    EXPECT_EQ(window.Caption(), QStringLiteral("复制代码"));
    EXPECT_EQ(window.BoundsRect().Right, desk.Right);
    EXPECT_EQ(window.BoundsRect().Bottom, desk.Bottom);
    EXPECT_EQ(window.Width(), one.Width());
    EXPECT_NE(QApplication::activeWindow(), &window);

    QImage shot = window.grab().toImage();
    EXPECT_EQ(FromQColor(shot.pixelColor(0, 0)), ColorToRGB(clWindowFrame));
    EXPECT_EQ(FromQColor(shot.pixelColor(1, 1)), ColorToRGB(clInfoBk));
    window.SetBorder(false);
    EXPECT_EQ(window.CalcHintRect(1000, QStringLiteral("复制代码")).Width(), one.Width() - 2);
    window.HideHint();
    EXPECT_FALSE(window.Active());
}
