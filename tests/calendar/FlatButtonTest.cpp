#include "calendar/TFlatButtonUnit.h"

#include "framework/Canvas.h"
#include "framework/ControlsTestSupport.h"
#include "framework/Forms.h"

#include <QApplication>
#include <QCursor>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

using namespace ControlsTest;

namespace {

const TColor Face = ColorToRGB(clBtnFace);
const TColor Focused = RGB(235, 234, 225);
const TColor Pressed = RGB(217, 214, 197);
const TColor Border = RGB(160, 150, 131);

struct Fixture {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>();
    Fixture() {
        // The pointer starts away from the form.
        QCursor::setPos(0, 0);
        Form->SetBounds(100, 100, 300, 200);
        Form->Show();
        Form->activateWindow();
        QApplication::setActiveWindow(Form.get());
        QApplication::processEvents();
    }
    TFlatButton* Add(int left, int top, int width, int height, const QString& caption = {}) {
        auto* b = new TFlatButton(Form.get());
        b->SetBounds(left, top, width, height);
        b->SetCaption(caption);
        return b;
    }
};

QImage Picture(TFlatButton* b) {
    return b->grab().toImage();
}

TColor At(const QImage& image, int x, int y) {
    return FromQColor(image.pixelColor(x, y));
}

void PointAt(QWidget* w, QPoint p = QPoint(5, 5)) {
    QCursor::setPos(w->mapToGlobal(p));
}

void Press(QWidget* w, QPoint p = QPoint(5, 5)) {
    SendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
}
void DragTo(QWidget* w, QPoint p) {
    SendMouse(w, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
}
void Release(QWidget* w, QPoint p = QPoint(5, 5)) {
    SendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, {});
}

// A strip of `count` 10 x 10 images in these colours; the strip's bottom-left pixel is
// magenta, the transparent colour.
TBitmap Strip(std::initializer_list<TColor> colours) {
    TBitmap strip(10 * static_cast<int>(colours.size()), 10);
    int x = 0;
    for (TColor c : colours) {
        strip.Canvas().Brush.Color = c;
        strip.Canvas().FillRect(TRect(x, 0, x + 10, 10));
        x += 10;
    }
    strip.Canvas().EndPaint();
    strip.SetPixel(0, 9, clFuchsia);
    return strip;
}

} // namespace

TEST(FlatButton, PaintsEachStateWithItsFillAndBorder) {
    EXPECT_EQ(TFlatButton().BoundsRect(), TRect(0, 0, 25, 25));
    Fixture f;
    TFlatButton* b = f.Add(10, 10, 60, 24, QStringLiteral("上一年"));

    QImage up = Picture(b);
    EXPECT_EQ(At(up, 0, 0), Border);
    EXPECT_EQ(At(up, 59, 23), Border);
    EXPECT_EQ(At(up, 1, 1), Face);
    TRect upCaption = b->CaptionBounds();
    // A caption-only button centres its caption both ways.
    EXPECT_NEAR(upCaption.Left + upCaption.Right, 60, 1);
    EXPECT_NEAR(upCaption.Top + upCaption.Bottom, 24, 1);

    b->SetDefault(true);
    QImage def = Picture(b);
    EXPECT_EQ(At(def, 1, 1), Border);
    EXPECT_EQ(At(def, 58, 22), Border);
    EXPECT_EQ(At(def, 2, 2), Face);
    b->SetDefault(false);

    // The focused button is drawn hovered: raised bevel, lighter face.
    b->SetFocus();
    ASSERT_TRUE(b->MouseInControl());
    QImage hover = Picture(b);
    EXPECT_EQ(At(hover, 0, 0), clWhite);
    EXPECT_EQ(At(hover, 0, 22), clWhite);
    EXPECT_EQ(At(hover, 0, 23), clBlack); // the bottom-left corner belongs to the dark side
    EXPECT_EQ(At(hover, 59, 0), clBlack);
    EXPECT_EQ(At(hover, 59, 23), clBlack);
    EXPECT_EQ(At(hover, 2, 2), Focused);

    Press(b);
    ASSERT_EQ(b->State(), TFlatButton::TState::Pressed);
    QImage pressed = Picture(b);
    EXPECT_EQ(At(pressed, 0, 0), clBlack);
    EXPECT_EQ(At(pressed, 59, 23), clWhite);
    EXPECT_EQ(At(pressed, 2, 2), Pressed);
    TRect shifted = upCaption;
    shifted.Offset(1, 1);
    EXPECT_EQ(b->CaptionBounds(), shifted);
    Release(b, QPoint(-20, 5));

    b->SetEnabled(false);
    EXPECT_EQ(b->State(), TFlatButton::TState::Disabled);
    EXPECT_FALSE(b->MouseInControl());
    QImage disabled = Picture(b);
    EXPECT_EQ(At(disabled, 0, 0), Border);
    EXPECT_EQ(At(disabled, 1, 1), Face);
    // Embossed caption (text is smoothed, so compare brightness): light strokes one pixel
    // down-right of the grey ones, nothing dark.
    int light = 0, grey = 0, dark = 0;
    TPoint lightEnd, greyEnd; // the largest x and y of each
    for (int y = upCaption.Top; y <= upCaption.Bottom + 1; ++y)
        for (int x = upCaption.Left; x <= upCaption.Right + 1; ++x) {
            QColor c = disabled.pixelColor(x, y);
            if (c.red() > 0xE8 && c.green() > 0xE8) {
                ++light;
                lightEnd = TPoint(std::max(lightEnd.X, x), std::max(lightEnd.Y, y));
            } else if (c.red() < 0xB0 && c.red() > 0x60) {
                ++grey;
                greyEnd = TPoint(std::max(greyEnd.X, x), std::max(greyEnd.Y, y));
            } else if (c.red() < 0x60) {
                ++dark;
            }
        }
    ASSERT_GT(light, 5);
    ASSERT_GT(grey, 5);
    EXPECT_EQ(dark, 0);
    EXPECT_EQ(lightEnd, TPoint(greyEnd.X + 1, greyEnd.Y + 1));
}

TEST(FlatButton, DraggingOffAndOnShowsPressedUpPressedAndReleasingOutsideDoesNotClick) {
    Fixture f;
    TFlatButton* b = f.Add(10, 10, 40, 20, QStringLiteral("Go"));
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    Press(b);
    EXPECT_EQ(b->State(), TFlatButton::TState::Pressed);
    EXPECT_TRUE(b->Focused());
    DragTo(b, QPoint(45, 5));
    EXPECT_EQ(b->State(), TFlatButton::TState::Up);
    DragTo(b, QPoint(5, 20)); // the bottom edge still counts as inside
    EXPECT_EQ(b->State(), TFlatButton::TState::Pressed);
    DragTo(b, QPoint(5, 21));
    EXPECT_EQ(b->State(), TFlatButton::TState::Up);
    Release(b, QPoint(5, 21));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(b->State(), TFlatButton::TState::Up);

    Press(b);
    Release(b);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->State(), TFlatButton::TState::Up);
}

TEST(FlatButton, GroupedButtonsLatchOneAtATime) {
    Fixture f;
    TFlatButton* a = f.Add(0, 0, 30, 20);
    TFlatButton* b = f.Add(40, 0, 30, 20);
    TFlatButton* other = f.Add(80, 0, 30, 20);
    TFlatButton* plain = f.Add(120, 0, 30, 20);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    other->SetGroupIndex(2);
    other->SetDown(true);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };

    Click(a);
    EXPECT_TRUE(a->Down());
    EXPECT_EQ(a->State(), TFlatButton::TState::Latched);
    Click(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_EQ(a->State(), TFlatButton::TState::Up);
    EXPECT_TRUE(other->Down()); // another group is left alone
    EXPECT_EQ(clicks, 1);

    // Clicking the down button again keeps it down, but still clicks.
    Click(b);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, 2);
    b->SetDown(false);
    EXPECT_TRUE(b->Down());

    // AllowAllUp spreads to the group when announced.
    b->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());
    EXPECT_FALSE(other->AllowAllUp());
    Click(b);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(a->Down());

    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());

    // A latched button that is not hovered is filled with the pressed colour.
    a->SetDown(true);
    QImage latched = Picture(a);
    EXPECT_EQ(At(latched, 0, 0), clBlack);
    EXPECT_EQ(At(latched, 3, 3), Pressed);
}

TEST(FlatButton, KeysAcceleratorsAndDoubleClicks) {
    Fixture f;
    TFlatButton* b = f.Add(0, 0, 40, 20, QStringLiteral("&Go"));
    b->SetModalResult(mrOk);
    int clicks = 0, doubles = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->OnDblClick = [&](TObject*) { ++doubles; };

    b->SetFocus();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(b, &down);
    EXPECT_EQ(b->State(), TFlatButton::TState::Pressed);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(b, &up);
    EXPECT_EQ(b->State(), TFlatButton::TState::Up);
    EXPECT_EQ(clicks, 1);
    // Every click passes the button's result to its form.
    EXPECT_EQ(f.Form->ModalResult(), mrOk);
    b->SetModalResult(mrNone);
    Click(b);
    EXPECT_EQ(f.Form->ModalResult(), mrNone);
    EXPECT_EQ(clicks, 2);

    EXPECT_TRUE(f.Form->BroadcastDialogChar(QChar('g')));
    EXPECT_EQ(clicks, 3);
    EXPECT_FALSE(f.Form->BroadcastDialogChar(QChar('x')));

    EXPECT_FALSE(f.Form->BroadcastDialogKey(VK_RETURN, {}));
    b->SetDefault(true);
    EXPECT_TRUE(f.Form->BroadcastDialogKey(VK_RETURN, {}));
    EXPECT_EQ(clicks, 4);

    // A double click counts only on a button that is down.
    SendMouse(b, QEvent::MouseButtonDblClick, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    Release(b);
    EXPECT_EQ(doubles, 0);
    b->SetGroupIndex(3);
    EXPECT_TRUE(f.Form->BroadcastDialogChar(QChar('G'))); // grouped: the accelerator latches
    EXPECT_TRUE(b->Down());
    SendMouse(b, QEvent::MouseButtonDblClick, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    Release(b);
    EXPECT_EQ(doubles, 1);

    b->SetEnabled(false);
    EXPECT_FALSE(f.Form->BroadcastDialogChar(QChar('g')));
}

TEST(FlatButton, SharedHoverTimerFollowsThePointer) {
    Fixture f;
    TFlatButton* a = f.Add(10, 10, 40, 20);
    TFlatButton* b = f.Add(60, 10, 40, 20);
    EXPECT_FALSE(TFlatButton::HoverTimerActive());

    PointAt(a);
    MoveMouse(a, QPoint(5, 5));
    EXPECT_TRUE(a->MouseInControl());
    EXPECT_EQ(TFlatButton::TrackedButton(), a);
    EXPECT_TRUE(TFlatButton::HoverTimerActive());
    EXPECT_EQ(At(Picture(a), 3, 3), Focused);

    PointAt(b);
    MoveMouse(b, QPoint(5, 5));
    EXPECT_FALSE(a->MouseInControl());
    EXPECT_TRUE(b->MouseInControl());
    EXPECT_EQ(TFlatButton::TrackedButton(), b);

    // A move reported to a button the pointer is not over changes nothing.
    MoveMouse(a, QPoint(5, 5));
    EXPECT_FALSE(a->MouseInControl());

    // Off every button: the next ticks end the hover and stop the timer.
    QCursor::setPos(f.Form->ClientToScreen(TPoint(200, 150)).ToQPoint());
    EXPECT_TRUE(WaitFor([&] { return !b->MouseInControl(); }, 1000));
    EXPECT_EQ(TFlatButton::TrackedButton(), nullptr);
    EXPECT_FALSE(TFlatButton::HoverTimerActive());
    EXPECT_EQ(At(Picture(b), 3, 3), Face);

    // While a button is held the hover stays, even off the button.
    PointAt(a);
    MoveMouse(a);
    Press(a);
    QCursor::setPos(f.Form->ClientToScreen(TPoint(200, 150)).ToQPoint());
    Pump(250);
    EXPECT_TRUE(a->MouseInControl());
    Release(a, QPoint(190, 140));
    EXPECT_FALSE(a->MouseInControl());

    // Releasing over the button keeps it hovered.
    PointAt(a);
    MoveMouse(a);
    Press(a);
    Release(a);
    EXPECT_TRUE(a->MouseInControl());
    EXPECT_EQ(a->State(), TFlatButton::TState::Up);

    // Disabling ends the hover and the tracking.
    a->SetEnabled(false);
    EXPECT_FALSE(a->MouseInControl());
    EXPECT_EQ(TFlatButton::TrackedButton(), nullptr);
    a->SetEnabled(true);
    EXPECT_TRUE(a->MouseInControl()); // the pointer is still over it
}

TEST(FlatButton, ThePointerRestingOverAButtonInAnInactiveWindowDoesNotHover) {
    Fixture f;
    TFlatButton* a = f.Add(10, 10, 40, 20);
    QApplication::setActiveWindow(nullptr);
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    PointAt(a);
    MoveMouse(a);
    EXPECT_FALSE(a->MouseInControl());
    EXPECT_EQ(TFlatButton::TrackedButton(), nullptr);
    EXPECT_FALSE(TFlatButton::HoverTimerActive());
}

TEST(FlatButton, GlyphStripsChooseTheirImagePerState) {
    Fixture f;
    TFlatButton* b = f.Add(0, 0, 30, 30);
    b->SetNumGlyphs(3);
    b->SetGlyph(TBitmap(40, 20));
    EXPECT_EQ(b->NumGlyphs(), 2);
    b->SetGlyph(TBitmap(100, 20));
    EXPECT_EQ(b->NumGlyphs(), 1);
    b->SetNumGlyphs(3);
    b->SetGlyph(TBitmap(30, 20));
    EXPECT_EQ(b->NumGlyphs(), 3);
    b->SetNumGlyphs(9);
    EXPECT_EQ(b->NumGlyphs(), 4);

    // Four images: up, disabled, pressed, latched.
    b->SetGlyph(Strip({clRed, clLime, clBlue, clYellow}));
    ASSERT_EQ(b->NumGlyphs(), 4);
    QImage up = Picture(b);
    EXPECT_EQ(b->GlyphOrigin(), TPoint(10, 10));
    EXPECT_EQ(At(up, 15, 15), clRed);
    EXPECT_EQ(At(up, 10, 19), Face); // the transparent colour leaves the face showing
    Press(b);
    EXPECT_EQ(b->GlyphOrigin(), TPoint(10, 10)); // origin is taken at the last paint
    QImage pressed = Picture(b);
    EXPECT_EQ(b->GlyphOrigin(), TPoint(11, 11));
    EXPECT_EQ(At(pressed, 16, 16), clBlue);
    Release(b, QPoint(-5, -5));
    b->SetGroupIndex(1);
    b->SetDown(true);
    EXPECT_EQ(At(Picture(b), 16, 16), clYellow);
    b->SetEnabled(false);
    EXPECT_EQ(At(Picture(b), 15, 15), clLime);

    // Two images: the pressed state uses the first, disabled the second.
    b->SetEnabled(true);
    b->SetGroupIndex(0);
    b->SetGlyph(Strip({clRed, clLime}));
    Press(b);
    EXPECT_EQ(At(Picture(b), 16, 16), clRed);
    Release(b, QPoint(-5, -5));
    b->SetEnabled(false);
    EXPECT_EQ(At(Picture(b), 15, 15), clLime);
}

TEST(FlatButton, ASingleGlyphIsEmbossedWhenDisabled) {
    Fixture f;
    f.Form->SetColor(RGB(100, 150, 200));
    TFlatButton* b = f.Add(0, 0, 30, 30);
    TBitmap glyph(10, 10);
    glyph.Canvas().Brush.Color = clWhite;
    glyph.Canvas().FillRect(TRect(0, 0, 10, 10));
    glyph.Canvas().Brush.Color = clBlack;
    glyph.Canvas().FillRect(TRect(3, 3, 6, 6));
    glyph.Canvas().EndPaint();
    b->SetGlyph(glyph);
    b->SetEnabled(false);
    QImage image = Picture(b);
    ASSERT_EQ(b->GlyphOrigin(), TPoint(10, 10));
    EXPECT_EQ(At(image, 14, 14), ColorToRGB(clBtnShadow));
    EXPECT_EQ(At(image, 16, 16), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(At(image, 16, 14), ColorToRGB(clBtnHighlight));
    // The greyed image's button-face background is its transparent colour.
    EXPECT_EQ(At(image, 11, 11), RGB(100, 150, 200));

    // Enabled, the white background (bottom-left pixel) is transparent, black stays.
    b->SetEnabled(true);
    image = Picture(b);
    EXPECT_EQ(At(image, 14, 14), clBlack);
    EXPECT_EQ(At(image, 11, 11), RGB(100, 150, 200));
}

TEST(FlatButton, LaysOutGlyphAndCaptionAlongEachSide) {
    TBitmap bitmap(1, 1);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font.SetName(QStringLiteral("宋体"));
    canvas.Font.SetHeight(-12);
    const QString caption = QStringLiteral("下一年");
    TRect measured(0, 0, 60, 0);
    canvas.DrawText(caption, measured, DT_CALCRECT | DT_SINGLELINE);
    const int tw = measured.Width();
    const int th = measured.Height();
    ASSERT_GT(tw, 0);
    const TRect client(0, 0, 80, 50);
    const TSize glyph{16, 16};

    auto left = LayoutGlyphAndCaption(canvas, client, {}, caption, blGlyphLeft, 2, 3, glyph);
    EXPECT_EQ(left.GlyphOrigin, TPoint(2, 17));
    EXPECT_EQ(left.CaptionBounds, Bounds(21, (50 - th + 1) / 2, tw, th));

    auto right = LayoutGlyphAndCaption(canvas, client, {}, caption, blGlyphRight, 2, -1, glyph);
    int spacing = (80 - 18 - tw) / 2;
    EXPECT_EQ(right.GlyphOrigin, TPoint(62, 17));
    EXPECT_EQ(right.CaptionBounds.Left, 62 - spacing - tw);

    auto top = LayoutGlyphAndCaption(canvas, client, {}, caption, blGlyphTop, -1, -1, glyph);
    int even = (50 - (16 + th)) / 3;
    EXPECT_EQ(top.GlyphOrigin, TPoint(32, even));
    EXPECT_EQ(top.CaptionBounds, Bounds((80 - tw + 1) / 2, even + 16 + even, tw, th));

    auto bottom = LayoutGlyphAndCaption(canvas, client, {}, caption, blGlyphBottom, 0, 4, glyph);
    EXPECT_EQ(bottom.GlyphOrigin, TPoint(32, 34));
    EXPECT_EQ(bottom.CaptionBounds.Top, 34 - 4 - th);

    // The client's corner and the pressed offset move both.
    auto moved = LayoutGlyphAndCaption(canvas, TRect(5, 5, 85, 55), {1, 1}, caption, blGlyphLeft, 2,
                                       3, glyph);
    EXPECT_EQ(moved.GlyphOrigin, TPoint(8, 23));
    EXPECT_EQ(moved.CaptionBounds.Left, 27);

    // Without a caption the spacing is dropped and the glyph centred; the division
    // truncates toward zero when the glyph is larger than the button.
    auto alone = LayoutGlyphAndCaption(canvas, client, {}, QString(), blGlyphLeft, -1, 4, glyph);
    EXPECT_EQ(alone.GlyphOrigin, TPoint(32, 17));
    EXPECT_TRUE(alone.CaptionBounds.IsEmpty());
    auto tight = LayoutGlyphAndCaption(canvas, TRect(0, 0, 10, 10), {}, QString(), blGlyphLeft, -1,
                                       4, glyph);
    EXPECT_EQ(tight.GlyphOrigin, TPoint(-2, -2));
}

TEST(FlatButton, AdvancedColoursFollowTheParent) {
    Fixture f;
    f.Form->SetColor(RGB(0, 0, 128));
    TFlatButton* b = f.Add(0, 0, 30, 20);
    b->SetParentColor(false);
    b->SetColor(clRed);
    b->SetUseAdvColors(true);
    EXPECT_TRUE(b->ParentColor());
    EXPECT_EQ(b->Color(), RGB(0, 0, 128));
    EXPECT_EQ(b->ColorFocused(), AdvancedColor(RGB(0, 0, 128), 0, 10, TLightness::Lighten));
    EXPECT_EQ(b->ColorDown(), AdvancedColor(RGB(0, 0, 128), 0, 10, TLightness::Darken));
    EXPECT_EQ(b->ColorBorder(), AdvancedColor(RGB(0, 0, 128), 0, 50, TLightness::Darken));

    f.Form->SetColor(RGB(0, 128, 0));
    EXPECT_EQ(b->Color(), RGB(0, 128, 0));
    EXPECT_EQ(b->ColorDown(), AdvancedColor(RGB(0, 128, 0), 0, 10, TLightness::Darken));
    b->SetAdvColorDown(30);
    EXPECT_EQ(b->ColorDown(), AdvancedColor(RGB(0, 128, 0), 0, 30, TLightness::Darken));
    // A percent of 0 keeps the colour as it is.
    TColor border = b->ColorBorder();
    b->SetAdvColorBorder(0);
    EXPECT_EQ(b->ColorBorder(), border);
}

TEST(FlatButton, SeeThroughModesShowWhatTheParentPaintsBehindThem) {
    Fixture f;
    f.Form->OnPaint = [&](TObject*) {
        f.Form->Canvas()->Brush.Color = clRed;
        f.Form->Canvas()->FillRect(TRect(20, 20, 40, 40));
    };
    TFlatButton* b = f.Add(10, 10, 40, 40);
    b->SetTransparentMode(tmAlways);
    QImage image = Picture(b);
    EXPECT_EQ(At(image, 15, 15), clRed); // the form's (20, 20)
    EXPECT_EQ(At(image, 5, 5), Face);
    EXPECT_EQ(At(image, 0, 0), Border);

    b->SetTransparentMode(tmNotFocused);
    EXPECT_EQ(At(Picture(b), 15, 15), clRed);
    b->SetFocus(); // drawn hovered: filled
    EXPECT_EQ(At(Picture(b), 15, 15), Focused);
}
