// Skinned push and speed buttons: faces, clicks, dialog keys in modal forms, focus,
// groups, repeat and morphing.

#include "SkinCtrlsTestSupport.h"

#include "framework/ControlsTestSupport.h"
#include "skinctrls/bsSkinButton.h"

#include "framework/StdCtrls.h"

#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

using namespace SkinCtrlsTest;
using namespace ControlsTest;

namespace {

TbsSkinButton* MakeButton(TSkinnedForm& f, const QString& caption, int x = 10, int y = 10) {
    auto* b = new TbsSkinButton(f.Form.get());
    b->SetCaption(caption);
    b->SetBounds(x, y, 75, 25);
    return b;
}

// The darkest channel sum inside the frame: black text gives a small one.
int DarkestInside(const TBitmap& image) {
    int darkest = 3 * 255;
    for (int y = 2; y < image.Height() - 2; ++y)
        for (int x = 2; x < image.Width() - 2; ++x) {
            TColor c = image.Pixel(x, y);
            darkest = std::min(darkest, int(c & 0xFF) + int((c >> 8) & 0xFF) + int(c >> 16));
        }
    return darkest;
}

void Press(QWidget* w, QPoint p = QPoint(5, 5)) {
    SendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
}
void Release(QWidget* w, QPoint p = QPoint(5, 5)) {
    SendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, {});
}
void Drag(QWidget* w, QPoint p) {
    SendMouse(w, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
}

} // namespace

TEST(SkinButton, StartsWithItsDefaults) {
    TSkinnedForm f;
    TbsSkinButton b(f.Form.get());
    EXPECT_EQ(b.SkinDataName(), "button");
    EXPECT_EQ(b.Width(), 75);
    EXPECT_EQ(b.Height(), 25);
    EXPECT_EQ(b.Spacing(), 1);
    EXPECT_EQ(b.Margin(), -1);
    EXPECT_TRUE(b.CanFocused());
    EXPECT_TRUE(b.TabStop());
    EXPECT_EQ(b.RepeatInterval(), 100);
    EXPECT_EQ(b.DefaultFont()->Name(), "Arial");
    EXPECT_EQ(b.DefaultFont()->Height(), 14);
    // Margins below -1 are ignored; a group makes the button unfocusable.
    b.SetMargin(-5);
    EXPECT_EQ(b.Margin(), -1);
    b.SetGroupIndex(2);
    EXPECT_FALSE(b.CanFocused());
    EXPECT_EQ(b.focusPolicy(), Qt::NoFocus);
}

TEST(SkinButton, DefaultFacesShowNormalHotPressedAndDisabled) {
    TSkinnedForm f;
    auto* b = MakeButton(f, "OK");
    TBitmap normal = b->RenderImage();
    EXPECT_EQ(normal.Pixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(normal.Pixel(2, 2), ColorToRGB(clBtnFace));
    EXPECT_LT(DarkestInside(normal), 100); // the caption in black

    b->MouseEnter();
    ASSERT_TRUE(b->Hot());
    TBitmap hot = b->RenderImage();
    EXPECT_EQ(hot.Pixel(0, 0), RGB(0, 0, 128));
    EXPECT_EQ(hot.Pixel(2, 2), RGB(182, 189, 210));

    f.Activate(); // a press needs a window that can give the button the focus
    Press(b);
    ASSERT_TRUE(b->Down());
    TBitmap pressed = b->RenderImage();
    EXPECT_EQ(pressed.Pixel(74, 24), RGB(0, 0, 128));
    EXPECT_EQ(pressed.Pixel(2, 2), RGB(133, 147, 181));
    Release(b);
    EXPECT_FALSE(b->Down());

    b->MouseLeave();
    b->SetEnabled(false);
    EXPECT_FALSE(b->Hot());
    TBitmap disabled = b->RenderImage();
    EXPECT_EQ(disabled.Pixel(2, 2), ColorToRGB(clBtnFace));
    EXPECT_GE(DarkestInside(disabled), 3 * 120); // the caption in the shadow colour
}

TEST(SkinButton, SkinFacesFollowTheState) {
    TSkinnedForm f;
    f.LoadFixture();
    auto* b = MakeButton(f, "");
    b->SetCanFocused(false); // the faces of the mouse alone
    b->SetSkinData(f.Data);
    ASSERT_NE(b->SkinIndex(), -1);
    const TBitmap& picture = *b->Picture;
    auto face = [&](int top) { return picture.Pixel(30, top + 12); };

    EXPECT_EQ(PaintedPixel(*b, 30, 12), face(0));
    b->MouseEnter();
    b->MorphTick(); // mid-way: a blend of normal and active
    TColor blended = PaintedPixel(*b, 30, 12);
    EXPECT_NE(blended, face(0));
    EXPECT_NE(blended, face(25));
    while (b->MorphTimerRunning())
        b->MorphTick();
    EXPECT_EQ(b->MorphFactor(), 1.0);
    EXPECT_EQ(PaintedPixel(*b, 30, 12), face(25));
    Press(b);
    EXPECT_EQ(PaintedPixel(*b, 30, 12), face(50));
    Release(b);
    b->MouseLeave();
    while (b->MorphTimerRunning())
        b->MorphTick();
    EXPECT_EQ(b->MorphFactor(), 0.0);
    EXPECT_EQ(PaintedPixel(*b, 30, 12), face(0));

    // Disabled: the disabled rectangle; without one, the normal face.
    b->SetEnabled(false);
    EXPECT_EQ(PaintedPixel(*b, 30, 12), face(75));
    b->SetSkinDataName("toolbutton"); // same faces, no disabled rectangle
    EXPECT_EQ(PaintedPixel(*b, 30, 12), face(0));
}

TEST(SkinButton, MorphProgressRunsToItsEndsOnTheTimer) {
    TSkinnedForm f;
    f.LoadFixture();
    auto* b = MakeButton(f, "Morph");
    b->SetSkinData(f.Data);
    ASSERT_TRUE(b->ButtonSkin().Morphing);
    b->MouseEnter();
    EXPECT_TRUE(b->MorphTimerRunning());
    ASSERT_TRUE(WaitFor([&] { return !b->MorphTimerRunning(); }, 2000));
    EXPECT_EQ(b->MorphFactor(), 1.0);
    b->MouseLeave();
    ASSERT_TRUE(WaitFor([&] { return !b->MorphTimerRunning(); }, 2000));
    EXPECT_EQ(b->MorphFactor(), 0.0);

    // Ten ticks from end to end, then one that stops the timer.
    b->MouseEnter();
    int ticks = 0;
    while (b->MorphTimerRunning() && ticks < 50) {
        b->MorphTick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 11);

    // Going down jumps to the active end; a skin change starts over.
    b->SetDown(true);
    EXPECT_EQ(b->MorphFactor(), 1.0);
    EXPECT_FALSE(b->MorphTimerRunning());
    b->SetDown(false);
    b->MouseLeave();
    b->ApplySkin();
    EXPECT_EQ(b->MorphFactor(), 0.0);
    // Without a record a tick jumps to the end at once.
    b->SetSkinDataName("nothere");
    b->MouseEnter();
    b->MorphTick();
    EXPECT_EQ(b->MorphFactor(), 1.0);
    EXPECT_FALSE(b->MorphTimerRunning());
}

TEST(SkinButton, ClicksOnlyWhenReleasedOverTheButton) {
    TSkinnedForm f;
    auto* b = MakeButton(f, "Go");
    f.Activate();
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    Click(b);
    EXPECT_EQ(clicks, 1);

    // Off and released outside: no click, and the button is up again.
    Press(b);
    Drag(b, QPoint(200, 5));
    EXPECT_FALSE(b->Hot());
    Release(b, QPoint(200, 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b->Down());

    // Off and back on before the release: a click.
    Press(b);
    Drag(b, QPoint(200, 5));
    Drag(b, QPoint(6, 6));
    Release(b, QPoint(6, 6));
    EXPECT_EQ(clicks, 2);

    // Click() runs the same action; a focusable button copies its modal result (0 too).
    b->SetModalResult(mrRetry);
    b->Click();
    EXPECT_EQ(f.Form->ModalResult(), mrRetry);
    b->SetModalResult(mrNone);
    b->Click();
    EXPECT_EQ(f.Form->ModalResult(), mrNone);
    EXPECT_EQ(clicks, 4);
}

TEST(SkinButton, DefaultAndCancelButtonsEndAModalForm) {
    TSkinnedForm f;
    auto* edit = new TEdit(f.Form.get());
    edit->SetBounds(10, 50, 100, 21);
    edit->SetTabStop(true);
    auto* ok = MakeButton(f, "OK", 10, 10);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    auto* cancel = MakeButton(f, "Cancel", 100, 10);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    auto* other = MakeButton(f, "Other", 190, 10);
    other->SetModalResult(mrRetry);
    f.Form->SetActiveControl(edit);

    QTimer::singleShot(20, [&] { SendKey(edit->Editor(), Qt::Key_Return); });
    EXPECT_EQ(f.Form->ShowModal(), mrOk);

    QTimer::singleShot(20, [&] { SendKey(edit->Editor(), Qt::Key_Escape); });
    EXPECT_EQ(f.Form->ShowModal(), mrCancel);

    // Escape with a shift key held does not cancel.
    QTimer::singleShot(20, [&] {
        SendKey(edit->Editor(), Qt::Key_Escape, Qt::ShiftModifier);
        QTimer::singleShot(20, [&] { f.Form->SetModalResult(mrAbort); });
    });
    EXPECT_EQ(f.Form->ShowModal(), mrAbort);

    // Enter on a focused button clicks that button (once), not the default one.
    int okClicks = 0, otherClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    other->OnClick = [&](TObject*) { ++otherClicks; };
    QTimer::singleShot(20, [&] { SendKey(other, Qt::Key_Return); });
    EXPECT_EQ(f.Form->ShowModal(), mrRetry);
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(okClicks, 0);
}

TEST(SkinButton, FocusMovesTheDefaultButtonsRole) {
    TSkinnedForm f;
    auto* edit = new TEdit(f.Form.get());
    edit->SetBounds(10, 50, 100, 21);
    edit->SetTabStop(true);
    auto* ok = MakeButton(f, "OK", 10, 10);
    ok->SetDefault(true);
    auto* other = MakeButton(f, "Other", 100, 10);
    f.Activate();
    edit->SetFocus();
    if (!WaitFor([&] { return edit->Editor()->hasFocus() || edit->hasFocus(); }, 1000))
        GTEST_SKIP() << "the platform gives no focus";

    // Focus in an edit: the default button acts as default and shows its active face.
    EXPECT_TRUE(ok->ActsAsDefault());
    EXPECT_FALSE(other->ActsAsDefault());
    EXPECT_TRUE(ok->Hot());
    EXPECT_EQ(PaintedPixel(*ok, 2, 2), RGB(182, 189, 210));

    // Focus on another skinned button: that one answers Enter; the default lets go.
    other->SetFocus();
    ASSERT_TRUE(WaitFor([&] { return other->hasFocus(); }, 1000));
    EXPECT_TRUE(other->ActsAsDefault());
    EXPECT_FALSE(ok->ActsAsDefault());
    EXPECT_FALSE(ok->Hot());
    // The focused button looks active; Space presses and releases it.
    EXPECT_EQ(PaintedPixel(*other, 2, 2), RGB(182, 189, 210));
    int clicks = 0;
    other->OnClick = [&](TObject*) { ++clicks; };
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(other, &space);
    EXPECT_TRUE(other->Down());
    EXPECT_EQ(PaintedPixel(*other, 2, 2), RGB(133, 147, 181));
    QKeyEvent spaceUp(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(other, &spaceUp);
    EXPECT_FALSE(other->Down());
    EXPECT_EQ(clicks, 1);

    // The accelerator of a caption focuses and clicks its button.
    ok->SetCaption("&Yes");
    int okClicks = 0;
    ok->OnClick = [&](TObject*) { ++okClicks; };
    EXPECT_TRUE(f.Form->BroadcastDialogChar(QChar('y')));
    EXPECT_EQ(okClicks, 1);
    EXPECT_TRUE(WaitFor([&] { return ok->hasFocus(); }, 1000));
    f.Form->Hide();
}

TEST(SkinButton, GroupButtonsToggleLikeRadioButtons) {
    TSkinnedForm f;
    TbsSkinButton* b[3];
    int clicks = 0;
    for (int i = 0; i < 3; ++i) {
        b[i] = MakeButton(f, QString::number(i), 10 + 80 * i);
        b[i]->SetGroupIndex(1);
        b[i]->OnClick = [&](TObject*) { ++clicks; };
    }
    Click(b[0]);
    EXPECT_TRUE(b[0]->Down());
    EXPECT_EQ(clicks, 1); // a group button clicks on the press
    Click(b[1]);
    EXPECT_FALSE(b[0]->Down());
    EXPECT_TRUE(b[1]->Down());
    Click(b[1]); // without AllowAllUp a down button stays down
    EXPECT_TRUE(b[1]->Down());
    EXPECT_EQ(clicks, 2);
    // The pressed look of a group button needs no hot mouse.
    EXPECT_EQ(PaintedPixel(*b[1], 2, 2), RGB(133, 147, 181));

    for (auto* button : b)
        button->SetAllowAllUp(true);
    Click(b[1]); // a second click releases it
    EXPECT_FALSE(b[1]->Down());
    EXPECT_EQ(clicks, 3);
    Click(b[2]);
    Click(b[0]); // with AllowAllUp the others stay down
    EXPECT_TRUE(b[2]->Down());
    EXPECT_TRUE(b[0]->Down());
}

TEST(SkinButton, RepeatModeClicksWhileHeld) {
    TSkinnedForm f;
    auto* b = MakeButton(f, "+");
    f.Activate();
    b->SetRepeatMode(true);
    b->SetRepeatInterval(20);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    Press(b);
    EXPECT_TRUE(b->RepeatTimerRunning());
    ASSERT_TRUE(WaitFor([&] { return clicks >= 3; }, 2000));
    // Leaving pauses the repetition, coming back resumes it.
    Drag(b, QPoint(200, 5));
    EXPECT_FALSE(b->RepeatTimerRunning());
    int paused = clicks;
    Pump(80);
    EXPECT_EQ(clicks, paused);
    Drag(b, QPoint(5, 5));
    EXPECT_TRUE(b->RepeatTimerRunning());
    ASSERT_TRUE(WaitFor([&] { return clicks > paused; }, 2000));
    // The release over the button clicks once more and stops.
    int held = clicks;
    Release(b);
    EXPECT_EQ(clicks, held + 1);
    EXPECT_FALSE(b->RepeatTimerRunning());
}

TEST(SkinButton, GlyphAndCaptionLayout) {
    const TRect r(0, 0, 100, 40); // centre (50, 20)
    // Margin -1 centres glyph and caption as one block.
    auto p = PlaceGlyphAndCaption(r, 16, 16, 30, 14, -1, 4, blGlyphLeft, false);
    EXPECT_EQ(p.Glyph, TPoint(50 - 25, 12));
    EXPECT_EQ(p.Caption, TPoint(50 + 25 - 30, 13));
    p = PlaceGlyphAndCaption(r, 16, 16, 30, 14, -1, 4, blGlyphTop, false);
    EXPECT_EQ(p.Glyph, TPoint(42, 20 - 17));
    EXPECT_EQ(p.Caption, TPoint(35, 20 + 17 - 14));
    // An empty glyph still counts the spacing in the block.
    p = PlaceGlyphAndCaption(r, 0, 0, 30, 14, -1, 4, blGlyphLeft, false);
    EXPECT_EQ(p.Caption, TPoint(50 + 17 - 30, 13));
    // A margin lays the glyph against its edge; down faces move one pixel.
    p = PlaceGlyphAndCaption(r, 16, 16, 30, 14, 3, 4, blGlyphRight, true);
    EXPECT_EQ(p.Glyph, TPoint(100 - 16 - 3 + 1, 13));
    EXPECT_EQ(p.Caption, TPoint(81 - 4 - 30 + 1, 14));
    p = PlaceGlyphAndCaption(r, 16, 16, 30, 14, 2, 4, blGlyphBottom, false);
    EXPECT_EQ(p.Glyph, TPoint(42, 40 - 16 - 2));
    EXPECT_EQ(p.Caption, TPoint(35, 22 - 4 - 14));

    EXPECT_EQ(GlyphFrameFor(true, true, false, 3), 3);
    EXPECT_EQ(GlyphFrameFor(true, true, false, 2), 1);
    EXPECT_EQ(GlyphFrameFor(true, false, false, 4), 4);
    EXPECT_EQ(GlyphFrameFor(false, false, true, 2), 2);
    EXPECT_EQ(GlyphFrameFor(false, false, true, 1), 1);
}

TEST(SkinButton, TheGlyphFrameOfTheStateIsDrawn) {
    TSkinnedForm f;
    auto* b = MakeButton(f, "");
    TBitmap glyph(32, 8); // two frames: red normal, green disabled; white is transparent
    glyph.Canvas().Brush.Color = clWhite;
    glyph.Canvas().FillRect(TRect(0, 0, 32, 8));
    glyph.Canvas().Brush.Color = clRed;
    glyph.Canvas().FillRect(TRect(2, 0, 14, 7));
    glyph.Canvas().Brush.Color = clLime;
    glyph.Canvas().FillRect(TRect(18, 0, 30, 7));
    b->SetGlyph(glyph);
    b->SetNumGlyphs(2);
    // 75 x 25, centred: the 16-pixel frame starts at 37 - 8 = 29, top 12 - 4 = 8.
    EXPECT_EQ(PaintedPixel(*b, 29 + 5, 8 + 3), clRed);
    EXPECT_EQ(PaintedPixel(*b, 29, 8), ColorToRGB(clBtnFace)); // transparent
    b->SetEnabled(false);
    EXPECT_EQ(PaintedPixel(*b, 29 + 5, 8 + 3), clLime);
    b->SetNumGlyphs(1); // one frame: the whole strip, the normal look
    EXPECT_EQ(PaintedPixel(*b, 21 + 5, 8 + 3), clRed);
}

TEST(SkinSpeedButton, ClicksOnReleaseOrOnPressInAGroup) {
    TSkinnedForm f;
    auto* s = new TbsSkinSpeedButton(f.Form.get());
    s->SetBounds(10, 10, 25, 25);
    EXPECT_EQ(s->SkinDataName(), "toolbutton");
    EXPECT_EQ(s->focusPolicy(), Qt::NoFocus);
    int clicks = 0;
    s->OnClick = [&](TObject*) { ++clicks; };
    Press(s);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(PaintedPixel(*s, 2, 2), RGB(133, 147, 181));
    Release(s);
    EXPECT_EQ(clicks, 1);
    s->SetGroupIndex(3);
    Press(s);
    EXPECT_EQ(clicks, 2);
    Release(s);
    EXPECT_TRUE(s->Down());

    // Hot only while enabled; flat buttons rest on a plain face.
    s->SetDown(false);
    s->SetEnabled(false);
    s->MouseEnter();
    EXPECT_FALSE(s->Hot());
    s->SetEnabled(true);
    s->MouseEnter();
    EXPECT_EQ(PaintedPixel(*s, 0, 0), RGB(0, 0, 128));
    s->MouseLeave();
    EXPECT_EQ(PaintedPixel(*s, 0, 0), ColorToRGB(clBtnShadow));
    s->SetFlat(true);
    EXPECT_TRUE(s->Transparent());
    s->SetTransparent(false);
    EXPECT_EQ(PaintedPixel(*s, 0, 0), ColorToRGB(clBtnFace));

    // Skinned: the tool button record, fitted to 25 x 25.
    f.LoadFixture();
    s->SetSkinData(f.Data);
    EXPECT_NE(s->SkinIndex(), -1);
    EXPECT_EQ(s->Width(), 25);
    EXPECT_EQ(PaintedPixel(*s, 12, 12), s->Picture->Pixel(12, 12));
}

TEST(SkinButton, APressIsDroppedWhenTheButtonCannotTakeTheFocus) {
    TSkinnedForm f; // never shown: nothing in it can take the focus
    auto* b = MakeButton(f, "Go");
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    Press(b);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(b->MouseHeld());
    Release(b);
    EXPECT_EQ(clicks, 0);
    // A button that never takes the focus is pressed all the same.
    b->SetCanFocused(false);
    Press(b);
    EXPECT_TRUE(b->Down());
    Release(b);
    EXPECT_EQ(clicks, 1);
}

TEST(SkinButton, ALinkedActionRunsWhenNoClickHandlerIsSetAndLendsItsImage) {
    TSkinnedForm f;
    TActionList list;
    TImageList images;
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(Qt::transparent);
    for (int y = 4; y < 12; ++y)
        for (int x = 4; x < 12; ++x)
            red.setPixelColor(x, y, Qt::red);
    images.AddImage(red);
    list.SetImages(&images);
    auto* action = new TAction(&list);
    action->SetCaption("&Save");
    action->SetImageIndex(0);
    int runs = 0;
    action->OnExecute = [&](TObject*) { ++runs; };

    auto* b = MakeButton(f, "");
    b->SetModalResult(mrOk);
    b->SetAction(action);
    EXPECT_EQ(b->Caption(), "&Save");
    ASSERT_EQ(b->Glyph()->Width(), 16);
    EXPECT_EQ(b->Glyph()->Pixel(0, 0), RGB(255, 0, 255)); // magenta behind the image
    EXPECT_EQ(b->Glyph()->Pixel(8, 8), clRed);
    action->SetEnabled(false);
    EXPECT_FALSE(b->isEnabled());
    action->SetEnabled(true);

    b->Click();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(f.Form->ModalResult(), mrOk); // the modal result comes first either way
    int own = 0;
    b->OnClick = [&](TObject*) { ++own; };
    b->Click();
    EXPECT_EQ(own, 1);
    EXPECT_EQ(runs, 1);

    // A button with a glyph of its own keeps it.
    auto* c = MakeButton(f, "", 10, 50);
    TBitmap glyph(4, 4);
    c->SetGlyph(glyph);
    c->SetAction(action);
    EXPECT_EQ(c->Glyph()->Width(), 4);
}

namespace {

int CountOf(const TBitmap& image, TColor color) {
    int n = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            n += image.Pixel(x, y) == color;
    return n;
}

} // namespace

TEST(SkinButton, ADisabledButtonWithoutDisabledFaceKeepsItsFaceInTheDisabledFontColour) {
    TSkinnedForm f;
    f.LoadFixture();
    // Pure colours in a big bold font, so the caption leaves pixels of exactly them.
    auto& record = dynamic_cast<TbsDataSkinButtonControl&>(
        *f.Data->SkinControls[static_cast<size_t>(f.Data->IndexOfControl("toolbutton"))]);
    ASSERT_TRUE(record.DisabledSkinRect.IsEmpty());
    record.FontHeight = 24;
    record.FontStyle = TFontStyles{fsBold};
    record.FontColor = clBlue;
    record.DisabledFontColor = clRed;
    auto* b = MakeButton(f, "HH");
    b->SetSkinDataName("toolbutton");
    b->SetCanFocused(false);
    b->SetSkinData(f.Data);
    // Two 8 x 9 frames, lime and yellow, over a magenta bottom row (the transparent colour).
    TBitmap glyph(16, 10);
    glyph.Canvas().Brush.Color = clFuchsia;
    glyph.Canvas().FillRect(TRect(0, 0, 16, 10));
    glyph.Canvas().Brush.Color = clLime;
    glyph.Canvas().FillRect(TRect(0, 0, 8, 9));
    glyph.Canvas().Brush.Color = clYellow;
    glyph.Canvas().FillRect(TRect(8, 0, 16, 9));
    b->SetGlyph(glyph);
    b->SetNumGlyphs(2);

    TBitmap enabled = b->RenderImage();
    EXPECT_GT(CountOf(enabled, clBlue), 0);
    EXPECT_EQ(CountOf(enabled, clRed), 0);
    EXPECT_GT(CountOf(enabled, clLime), 0);
    EXPECT_EQ(CountOf(enabled, clYellow), 0);

    b->SetEnabled(false);
    TBitmap disabled = b->RenderImage();
    EXPECT_EQ(disabled.Pixel(1, 12), b->Picture->Pixel(1, 12)); // the normal face
    EXPECT_GT(CountOf(disabled, clRed), 0);
    EXPECT_EQ(CountOf(disabled, clBlue), 0);
    EXPECT_GT(CountOf(disabled, clYellow), 0); // frame 2, the disabled one
    EXPECT_EQ(CountOf(disabled, clLime), 0);
    // One frame: the whole strip is the normal glyph, drawn as it is.
    b->SetNumGlyphs(1);
    disabled = b->RenderImage();
    EXPECT_GT(CountOf(disabled, clLime), 0);
    EXPECT_GT(CountOf(disabled, clRed), 0);
}
