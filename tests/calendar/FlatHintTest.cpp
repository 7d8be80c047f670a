#include "calendar/TFlatHintUnit.h"

#include "framework/Canvas.h"
#include "framework/Forms.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

namespace {

TColor At(const QImage& image, int x, int y) {
    return FromQColor(image.pixelColor(x, y));
}

// Puts the pointer at `p` and shows `text` in a new flat hint window.
std::unique_ptr<TFlatHintWindow> ShowAt(TPoint p, const QString& text) {
    QCursor::setPos(p.ToQPoint());
    auto window = std::make_unique<TFlatHintWindow>();
    window->ActivateHint(TRect(p.X, p.Y + 20, p.X + 10, p.Y + 30), text);
    return window;
}

} // namespace

TEST(FlatHint, PlacesTheWindowAwayFromThePointersQuarter) {
    const TSize screen{800, 600};
    TFlatHintPlacement p = PlaceFlatHint({100, 100}, screen, 50, 20);
    EXPECT_EQ(p.Direction, 1);
    EXPECT_EQ(p.Bounds, TRect(112, 112, 162, 132));
    p = PlaceFlatHint({700, 100}, screen, 50, 20);
    EXPECT_EQ(p.Direction, 0);
    EXPECT_EQ(p.Bounds, TRect(645, 105, 695, 125));
    p = PlaceFlatHint({100, 500}, screen, 50, 20);
    EXPECT_EQ(p.Direction, 3);
    EXPECT_EQ(p.Bounds, TRect(105, 475, 155, 495));
    p = PlaceFlatHint({700, 500}, screen, 50, 20);
    EXPECT_EQ(p.Direction, 2);
    EXPECT_EQ(p.Bounds, TRect(645, 475, 695, 495));
    // The centre belongs to the bottom-right quarter, one pixel less to the top-left.
    p = PlaceFlatHint({400, 300}, screen, 50, 20);
    EXPECT_EQ(p.Direction, 2);
    EXPECT_EQ(p.Bounds, TRect(345, 275, 395, 295));
    EXPECT_EQ(PlaceFlatHint({399, 299}, screen, 50, 20).Direction, 1);
    EXPECT_EQ(PlaceFlatHint({400, 299}, screen, 50, 20).Direction, 0);
    EXPECT_EQ(PlaceFlatHint({399, 300}, screen, 50, 20).Direction, 3);
    // Odd sizes: halves truncate.
    EXPECT_EQ(PlaceFlatHint({400, 300}, {801, 601}, 50, 20).Direction, 2);
}

TEST(FlatHint, TheArrowSitsInItsStripAndPointsTowardThePointer) {
    EXPECT_EQ(FlatHintArrowStrip(1, 100, 30), TRect(1, 1, 15, 29));
    EXPECT_EQ(FlatHintArrowStrip(0, 100, 30), TRect(85, 1, 99, 29));
    EXPECT_EQ(FlatHintArrowAnchor(0, TRect(85, 1, 99, 29)), TPoint(96, 3));
    EXPECT_EQ(FlatHintArrowAnchor(1, TRect(1, 1, 15, 29)), TPoint(3, 3));
    EXPECT_EQ(FlatHintArrowAnchor(2, TRect(85, 1, 99, 29)), TPoint(96, 26));
    EXPECT_EQ(FlatHintArrowAnchor(3, TRect(1, 1, 15, 29)), TPoint(3, 26));

    auto upLeft = FlatHintArrowPoints(1, {3, 3});
    EXPECT_EQ(upLeft.front(), TPoint(3, 3));
    EXPECT_EQ(upLeft[1], TPoint(3, 9));
    EXPECT_EQ(upLeft[8], TPoint(8, 10));
    EXPECT_EQ(upLeft.back(), TPoint(10, 9));
    auto downRight = FlatHintArrowPoints(2, {96, 26});
    EXPECT_EQ(downRight[1], TPoint(96, 20));
    EXPECT_EQ(downRight[8], TPoint(91, 19));
    EXPECT_EQ(FlatHintArrowPoints(0, {96, 3})[4], TPoint(90, 3));
    EXPECT_EQ(FlatHintArrowPoints(3, {3, 26})[4], TPoint(9, 26));
}

TEST(FlatHint, TakesOverTheApplicationsHints) {
    Application->HintPause = 1;
    Application->HintWindowClass = nullptr;
    Application->OnShowHint = nullptr;
    {
        TForm form;
        auto* hint = new TFlatHint(&form);
        EXPECT_EQ(Application->HintPause, 500);
        EXPECT_EQ(Application->HintShortPause, 25);
        EXPECT_EQ(Application->HintHidePause, 5000);
        EXPECT_TRUE(Application->ShowHint());
        EXPECT_NE(qobject_cast<TFlatHintWindow*>(Application->HintWindow()), nullptr);
        EXPECT_EQ(FindFlatHint(), hint);

        int calls = 0;
        hint->OnShowHint = [&](QString& text, bool& canShow, THintInfo&) {
            ++calls;
            text = QStringLiteral("changed");
            canShow = false;
        };
        QString text = QStringLiteral("hint");
        bool canShow = true;
        THintInfo info;
        Application->OnShowHint(text, canShow, info);
        EXPECT_EQ(calls, 1);
        EXPECT_EQ(text, QStringLiteral("changed"));
        EXPECT_FALSE(canShow);
    }
    // Gone with its form: the routed notification does nothing, and no hint is found.
    EXPECT_EQ(FindFlatHint(), nullptr);
    QString text = QStringLiteral("hint");
    bool canShow = true;
    THintInfo info;
    Application->OnShowHint(text, canShow, info);
    EXPECT_EQ(text, QStringLiteral("hint"));
    EXPECT_TRUE(canShow);
}

TEST(FlatHint, PaintsStripFrameArrowAndTextInTheHintsColours) {
    TForm form;
    auto* hint = new TFlatHint(&form);
    hint->SetColorBackground(RGB(250, 250, 240));
    hint->SetColorBorder(clNavy);
    hint->Font()->SetHeight(-11);

    const QString text = QStringLiteral("上一年");
    TRect measured(0, 0, 200 - 22, 0);
    {
        TBitmap scratch(1, 1);
        scratch.Canvas().Font.Assign(*hint->Font());
        scratch.Canvas().DrawText(text, measured, DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    }
    const int w = measured.Width() + 22;
    const int h = measured.Height() + 6;

    // Top-left quarter: below and right of the pointer, strip and arrow on the left.
    auto window = ShowAt({100, 80}, text);
    EXPECT_EQ(window->Direction(), 1);
    EXPECT_EQ(window->BoundsRect(), TRect(112, 92, 112 + w, 92 + h));
    EXPECT_TRUE(window->isVisible());
    QImage image = window->grab().toImage();
    EXPECT_EQ(window->ArrowPos(), TPoint(3, 3));
    EXPECT_EQ(At(image, 0, 0), clNavy);
    EXPECT_EQ(At(image, w - 1, h - 1), clNavy);
    EXPECT_EQ(At(image, 14, h - 2), RGB(255, 210, 83));
    EXPECT_EQ(At(image, 15, h - 2), RGB(250, 250, 240));
    EXPECT_EQ(At(image, 3, 3), clBlack); // the tip
    EXPECT_EQ(At(image, 3, 8), clBlack); // the left side of the head
    EXPECT_EQ(At(image, 8, 3), clBlack); // its top side
    EXPECT_EQ(At(image, 7, 7), clBlack); // the shaft
    EXPECT_EQ(At(image, 12, 3), RGB(255, 210, 83));

    // Bottom-right quarter (the centre of the screen included): up and left, strip right.
    const TSize screen{Screen->Width(), Screen->Height()};
    window = ShowAt({screen.cx / 2, screen.cy / 2}, text);
    EXPECT_EQ(window->Direction(), 2);
    EXPECT_EQ(window->BoundsRect(), TRect(screen.cx / 2 - w - 5, screen.cy / 2 - h - 5,
                                          screen.cx / 2 - 5, screen.cy / 2 - 5));
    image = window->grab().toImage();
    EXPECT_EQ(window->ArrowPos(), TPoint(w - 4, h - 4));
    EXPECT_EQ(At(image, w - 4, h - 4), clBlack);
    EXPECT_EQ(At(image, w - 4, h - 9), clBlack);
    EXPECT_EQ(At(image, w - 15, 1), RGB(255, 210, 83));
    EXPECT_EQ(At(image, w - 16, 1), RGB(250, 250, 240));

    // Some text is drawn in the text area.
    bool inked = false;
    for (int y = 2; y < h - 2 && !inked; ++y)
        for (int x = 4; x < w - 18 && !inked; ++x)
            inked = At(image, x, y) != RGB(250, 250, 240);
    EXPECT_TRUE(inked);
}

TEST(FlatHint, SizesTheWindowToItsTextWithinTheMaximumWidth) {
    TForm form;
    auto* hint = new TFlatHint(&form);
    TFlatHintWindow window;
    TBitmap scratch(1, 1);
    scratch.Canvas().Font.Assign(*hint->Font());

    const QString shortText = QStringLiteral("Go");
    TRect r = window.CalcHintRect(1000, shortText);
    EXPECT_EQ(r.Width(), scratch.Canvas().TextWidth(shortText) + 22);
    EXPECT_EQ(r.Height(), scratch.Canvas().TextHeight(shortText) + 6);

    const QString longText = QStringLiteral("a long hint text that cannot fit on one line of "
                                            "one hundred and seventy-eight pixels");
    r = window.CalcHintRect(1000, longText);
    EXPECT_LE(r.Width(), 200);
    EXPECT_GE(r.Height(), 2 * scratch.Canvas().TextHeight(longText) + 6);

    hint->SetMaxHintWidth(400);
    EXPECT_GT(window.CalcHintRect(1000, longText).Width(), 200);
}

TEST(FlatHint, TheApplicationShowsControlHintsInTheFlatWindow) {
    TForm form;
    form.SetBounds(50, 50, 200, 100);
    new TFlatHint(&form);
    auto* control = new TCustomControl(&form);
    control->SetBounds(10, 10, 50, 20);
    control->SetHint(QStringLiteral("选择年份"));
    control->SetShowHint(true);
    form.Show();
    QApplication::processEvents();

    TPoint p = control->ClientToScreen(TPoint(5, 5));
    QCursor::setPos(p.ToQPoint());
    Application->SetMouseControl(control, p);
    Application->ActivateHint();
    auto* window = qobject_cast<TFlatHintWindow*>(Application->HintWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Caption(), QStringLiteral("选择年份"));
    EXPECT_EQ(window->Direction(), 1);
    EXPECT_EQ(window->Left(), p.X + 12);
    EXPECT_EQ(window->Top(), p.Y + 12);
    Application->CancelHint();
    EXPECT_FALSE(window->isVisible());
}
