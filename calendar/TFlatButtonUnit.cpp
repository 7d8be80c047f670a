#include "calendar/TFlatButtonUnit.h"

#include "framework/Canvas.h"
#include "framework/Forms.h"
#include "framework/Menus.h"

#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <QTimer>
#include <algorithm>

QTimer* TFlatButton::FHoverTimer = nullptr;
TFlatButton* TFlatButton::FTrackedButton = nullptr;
int TFlatButton::FButtonCount = 0;

// ---------------------------------------------------------------------------------------
// Layout

TGlyphCaptionLayout LayoutGlyphAndCaption(TCanvas& canvas, const TRect& client, TPoint offset,
                                          const QString& caption, TButtonLayout layout, int margin,
                                          int spacing, TSize glyphSize) {
    const TPoint cs(client.Width(), client.Height());
    const TPoint gs(glyphSize.cx, glyphSize.cy);
    TGlyphCaptionLayout result;
    TPoint ts;
    if (!caption.isEmpty()) {
        result.CaptionBounds = TRect(0, 0, client.Width(), 0);
        canvas.DrawText(caption, result.CaptionBounds, DT_CALCRECT | DT_SINGLELINE);
        ts = TPoint(result.CaptionBounds.Width(), result.CaptionBounds.Height());
    }

    TPoint& glyph = result.GlyphOrigin;
    TPoint text;
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    if (horizontal) {
        glyph.Y = (cs.Y - gs.Y + 1) / 2;
        text.Y = (cs.Y - ts.Y + 1) / 2;
    } else {
        glyph.X = (cs.X - gs.X + 1) / 2;
        text.X = (cs.X - ts.X + 1) / 2;
    }
    if (ts.X == 0 || gs.X == 0)
        spacing = 0;

    const int room = horizontal ? cs.X : cs.Y;
    const int glyphLength = horizontal ? gs.X : gs.Y;
    const int textLength = horizontal ? ts.X : ts.Y;
    if (margin == -1 && spacing == -1) {
        spacing = (room - (glyphLength + textLength)) / 3;
        margin = spacing;
    } else if (margin == -1) {
        margin = (room - (glyphLength + spacing + textLength) + 1) / 2;
    } else if (spacing == -1) {
        spacing = ((room - (margin + glyphLength)) - textLength) / 2;
    }

    switch (layout) {
    case blGlyphLeft:
        glyph.X = margin;
        text.X = glyph.X + gs.X + spacing;
        break;
    case blGlyphRight:
        glyph.X = cs.X - margin - gs.X;
        text.X = glyph.X - spacing - ts.X;
        break;
    case blGlyphTop:
        glyph.Y = margin;
        text.Y = glyph.Y + gs.Y + spacing;
        break;
    case blGlyphBottom:
        glyph.Y = cs.Y - margin - gs.Y;
        text.Y = glyph.Y - spacing - ts.Y;
        break;
    }

    const TPoint shift(client.Left + offset.X, client.Top + offset.Y);
    glyph.X += shift.X;
    glyph.Y += shift.Y;
    result.CaptionBounds.Offset(text.X + shift.X, text.Y + shift.Y);
    return result;
}

// ---------------------------------------------------------------------------------------
// Construction

TFlatButton::TFlatButton(QWidget* parent) : TCustomControl(parent) {
    SetControlStyle(csCaptureMouse | csOpaque | csDoubleClicks);
    SetBounds(Left(), Top(), 25, 25);
    SetColor(RGB(235, 234, 225));
    SetParentColor(true);
    if (FButtonCount++ == 0) {
        FHoverTimer = new QTimer;
        FHoverTimer->setInterval(HoverInterval);
        QObject::connect(FHoverTimer, &QTimer::timeout, [] { Guarded(HoverTick); });
    }
}

TFlatButton::~TFlatButton() {
    StopTracking();
    if (--FButtonCount == 0) {
        delete FHoverTimer;
        FHoverTimer = nullptr;
    }
}

TFlatButton* TFlatButton::TrackedButton() {
    return FTrackedButton;
}

bool TFlatButton::HoverTimerActive() {
    return FHoverTimer && FHoverTimer->isActive();
}

// ---------------------------------------------------------------------------------------
// Properties

void TFlatButton::SetTransparentMode(TTransparentMode mode) {
    FTransparentMode = mode;
    update();
}

void TFlatButton::SetColorAndRepaint(TColor& field, TColor value) {
    field = value;
    update();
}

void TFlatButton::SetColorFocused(TColor color) {
    SetColorAndRepaint(FColorFocused, color);
}
void TFlatButton::SetColorDown(TColor color) {
    SetColorAndRepaint(FColorDown, color);
}
void TFlatButton::SetColorBorder(TColor color) {
    SetColorAndRepaint(FColorBorder, color);
}
void TFlatButton::SetColorHighLight(TColor color) {
    SetColorAndRepaint(FColorHighLight, color);
}
void TFlatButton::SetColorShadow(TColor color) {
    SetColorAndRepaint(FColorShadow, color);
}

void TFlatButton::SetAdvAndRepaint(TAdvColors& field, TAdvColors value) {
    field = std::clamp(value, 0, 100);
    CalcAdvColors();
    update();
}

void TFlatButton::SetAdvColorFocused(TAdvColors value) {
    SetAdvAndRepaint(FAdvColorFocused, value);
}
void TFlatButton::SetAdvColorDown(TAdvColors value) {
    SetAdvAndRepaint(FAdvColorDown, value);
}
void TFlatButton::SetAdvColorBorder(TAdvColors value) {
    SetAdvAndRepaint(FAdvColorBorder, value);
}

void TFlatButton::SetUseAdvColors(bool value) {
    if (value == FUseAdvColors)
        return;
    FUseAdvColors = value;
    SetParentColor(value);
    CalcAdvColors();
    update();
}

void TFlatButton::CalcAdvColors() {
    if (!FUseAdvColors)
        return;
    FColorFocused = AdvancedColor(Color(), FColorFocused, FAdvColorFocused, TLightness::Lighten);
    FColorDown = AdvancedColor(Color(), FColorDown, FAdvColorDown, TLightness::Darken);
    FColorBorder = AdvancedColor(Color(), FColorBorder, FAdvColorBorder, TLightness::Darken);
}

void TFlatButton::ParentColorChanged() {
    // With derived colours the button follows its parent again; setting the flag comes
    // back here with it set.
    if (FUseAdvColors && !ParentColor()) {
        SetParentColor(true);
        return;
    }
    TCustomControl::ParentColorChanged();
    CalcAdvColors();
    update();
}

void TFlatButton::SetGlyph(const TBitmap& glyph) {
    FGlyph.Assign(glyph);
    if (!FGlyph.Empty() && FGlyph.Width() % FGlyph.Height() == 0) {
        int count = FGlyph.Width() / FGlyph.Height();
        FNumGlyphs = count > 4 ? 1 : count;
    }
    update();
}

void TFlatButton::SetNumGlyphs(TNumGlyphs value) {
    value = std::clamp(value, 1, 4);
    if (value == FNumGlyphs)
        return;
    FNumGlyphs = value;
    update();
}

void TFlatButton::SetLayout(TButtonLayout layout) {
    if (layout == FLayout)
        return;
    FLayout = layout;
    update();
}

void TFlatButton::SetSpacing(int value) {
    if (value == FSpacing)
        return;
    FSpacing = value;
    update();
}

void TFlatButton::SetMargin(int value) {
    if (value == FMargin || value < -1)
        return;
    FMargin = value;
    update();
}

void TFlatButton::SetDefault(bool value) {
    FDefault = value;
    update();
}

void TFlatButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    // A see-through button shows a different part of its parent after a move.
    if (FTransparentMode != tmNone)
        update();
}

// ---------------------------------------------------------------------------------------
// Groups

void TFlatButton::SetGroupIndex(int value) {
    if (value == FGroupIndex)
        return;
    FGroupIndex = value;
    AnnounceToGroup();
}

void TFlatButton::SetAllowAllUp(bool value) {
    if (value == FAllowAllUp)
        return;
    FAllowAllUp = value;
    AnnounceToGroup();
}

void TFlatButton::SetDown(bool value) {
    if (FGroupIndex == 0)
        value = false;
    if (value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = value;
    if (value) {
        if (FState == TState::Up)
            update();
        FState = TState::Latched;
        AnnounceToGroup();
    } else {
        FState = TState::Up;
        update();
    }
}

void TFlatButton::AnnounceToGroup() {
    TWinControl* parent = Parent();
    if (FGroupIndex == 0 || !parent)
        return;
    for (TControl* control : parent->ControlList())
        if (auto* button = qobject_cast<TFlatButton*>(control))
            button->ButtonPressed(FGroupIndex, this);
}

void TFlatButton::ButtonPressed(int groupIndex, TFlatButton* sender) {
    if (groupIndex != FGroupIndex || sender == this)
        return;
    if (sender->Down() && FDown) {
        FDown = false;
        FState = TState::Up;
        update();
    }
    FAllowAllUp = sender->AllowAllUp();
}

// ---------------------------------------------------------------------------------------
// Clicks, keys and focus

void TFlatButton::Click() {
    if (TForm* form = GetParentForm(this))
        form->SetModalResult(FModalResult);
    TCustomControl::Click();
}

bool TFlatButton::DialogChar(QChar ch) {
    if (!IsAccel(ch.unicode(), Caption()) || !isEnabled() || !isVisible())
        return false;
    if (FGroupIndex != 0)
        SetDown(true);
    Click();
    return true;
}

bool TFlatButton::DialogKey(int key, TShiftState shift) {
    if (FDefault && (key == VK_RETURN || key == Qt::Key_Enter) && isEnabled() && isVisible()) {
        Click();
        return true;
    }
    return TCustomControl::DialogKey(key, shift);
}

void TFlatButton::KeyDown(int& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key != VK_SPACE)
        return;
    if (FGroupIndex != 0)
        SetDown(true);
    else
        FState = TState::Pressed;
    update();
}

void TFlatButton::KeyUp(int& Key, TShiftState Shift) {
    TCustomControl::KeyUp(Key, Shift);
    if (Key != VK_SPACE)
        return;
    if (FGroupIndex != 0)
        SetDown(false);
    else
        FState = TState::Up;
    QPointer<TFlatButton> self(this);
    Click();
    if (self)
        update();
}

void TFlatButton::DoEnter() {
    if (isEnabled()) {
        FMouseInControl = true;
        update();
    }
    TCustomControl::DoEnter();
}

void TFlatButton::DoExit() {
    HoverLeave();
    TCustomControl::DoExit();
}

void TFlatButton::EnabledChanged() {
    if (!isEnabled()) {
        FMouseInControl = false;
        FState = TState::Disabled;
        StopTracking();
    }
    RefreshTracking();
    TCustomControl::EnabledChanged();
}

// ---------------------------------------------------------------------------------------
// Mouse

bool TFlatButton::Inside(int x, int y) const {
    return x >= 0 && x < ClientWidth() && y >= 0 && y <= ClientHeight();
}

void TFlatButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !isEnabled())
        return;
    if (!FDown) {
        FState = TState::Pressed;
        update();
    }
    FDragging = true;
    if (!hasFocus() && CanFocus())
        setFocus(Qt::MouseFocusReason);
    if (Shift.Contains(ssDouble) && FDown)
        DblClick();
}

void TFlatButton::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (FDragging) {
        TState state = FDown ? TState::Latched : Inside(X, Y) ? TState::Pressed : TState::Up;
        if (state != FState) {
            FState = state;
            update();
        }
    }
    if (FTrackedButton != this && UnderCursor()) {
        if (FTrackedButton)
            FTrackedButton->HoverLeave();
        if (QApplication::activeWindow()) {
            FHoverTimer->stop();
            FTrackedButton = this;
            FHoverTimer->start();
            HoverEnter();
        }
    }
}

void TFlatButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    QPointer<TFlatButton> self(this);
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!self)
        return;
    if (Button == mbLeft && FDragging) {
        FDragging = false;
        if (Inside(X, Y)) {
            if (FGroupIndex == 0) {
                FState = TState::Up;
                FMouseInControl = false;
                update();
            } else {
                SetDown(!FDown);
                if (FDown)
                    update();
            }
            Click();
            if (!self)
                return;
        } else {
            if (FGroupIndex == 0)
                FState = TState::Up;
            else if (FDown)
                FState = TState::Latched;
            update();
            HoverLeave();
        }
    }
    RefreshTracking();
}

// ---------------------------------------------------------------------------------------
// Hover tracking

bool TFlatButton::UnderCursor() const {
    QWidget* at = QApplication::widgetAt(QCursor::pos());
    return at && ControlOfWidget(at) == this;
}

void TFlatButton::HoverEnter() {
    if (isEnabled() && !FMouseInControl) {
        FMouseInControl = true;
        update();
    }
}

void TFlatButton::HoverLeave() {
    if (isEnabled() && FMouseInControl && !FDragging) {
        FMouseInControl = false;
        StopTracking();
        update();
    }
}

void TFlatButton::StopTracking() {
    if (FTrackedButton != this)
        return;
    FHoverTimer->stop();
    FTrackedButton = nullptr;
}

void TFlatButton::RefreshTracking() {
    if (!isEnabled())
        return;
    // Flip the flag first so the enter or leave step below always applies.
    bool over = UnderCursor();
    FMouseInControl = !over;
    if (over)
        HoverEnter();
    else
        HoverLeave();
}

void TFlatButton::HoverTick() {
    if (FTrackedButton && !FTrackedButton->UnderCursor())
        FTrackedButton->HoverLeave();
}

// ---------------------------------------------------------------------------------------
// Painting

void TFlatButton::Paint() {
    // Composed at the screen's pixel ratio, so the caption stays sharp at scale 2.
    FBuffer.SetDevicePixelRatio(devicePixelRatioF());
    PaintTo(FBuffer);
    Canvas()->Draw(0, 0, FBuffer);
}

void TFlatButton::PaintTo(TBitmap& target) {
    const TRect client = ClientRect();
    target.SetSize(client.Width(), client.Height());
    TCanvas& canvas = target.Canvas();
    canvas.Font.Assign(*Font());
    const bool sunk = FState == TState::Pressed || FState == TState::Latched;
    const TPoint offset = sunk ? TPoint(1, 1) : TPoint(0, 0);
    TSize glyphSize;
    if (!FGlyph.Empty())
        glyphSize = TSize{FGlyph.Width() / FNumGlyphs, FGlyph.Height()};
    TGlyphCaptionLayout layout = LayoutGlyphAndCaption(canvas, client, offset, Caption(), FLayout,
                                                       FMargin, FSpacing, glyphSize);
    FGlyphOrigin = layout.GlyphOrigin;
    FCaptionBounds = layout.CaptionBounds;
    NormalizeState();
    PaintBackground(canvas, client);
    PaintBorder(canvas, client);
    PaintGlyph(canvas);
    PaintCaption(canvas);
    canvas.EndPaint();
}

void TFlatButton::NormalizeState() {
    if (!isEnabled()) {
        FState = TState::Disabled;
        FDragging = false;
    } else if (FState == TState::Disabled) {
        FState = FDown && FGroupIndex != 0 ? TState::Latched : TState::Up;
    }
}

void TFlatButton::PaintBackground(TCanvas& canvas, const TRect& client) {
    TColor fill = Color();
    switch (FTransparentMode) {
    case tmAlways:
        CopyParentBackground(this, canvas);
        return;
    case tmNotFocused:
        if (!FMouseInControl) {
            CopyParentBackground(this, canvas);
            return;
        }
        fill = FState == TState::Disabled  ? Color()
               : FState == TState::Pressed ? FColorDown
                                           : FColorFocused;
        break;
    case tmNone:
        switch (FState) {
        case TState::Up:
            fill = FMouseInControl ? FColorFocused : Color();
            break;
        case TState::Disabled:
            fill = Color();
            break;
        case TState::Pressed:
            fill = FColorDown;
            break;
        case TState::Latched:
            fill = FMouseInControl ? FColorFocused : FColorDown;
            break;
        }
        break;
    }
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = fill;
    canvas.FillRect(client);
}

void TFlatButton::PaintBorder(TCanvas& canvas, const TRect& client) {
    switch (FState) {
    case TState::Up:
        if (FMouseInControl)
            DrawBevelFrame(canvas, client, FColorHighLight, FColorShadow, 1);
        else if (FDefault)
            DrawBevelFrame(canvas, client, FColorBorder, FColorBorder, 2);
        else
            DrawBevelFrame(canvas, client, FColorBorder, FColorBorder, 1);
        break;
    case TState::Disabled:
        DrawBevelFrame(canvas, client, FColorBorder, FColorBorder, 1);
        break;
    case TState::Pressed:
    case TState::Latched:
        DrawBevelFrame(canvas, client, FColorShadow, FColorHighLight, 1);
        break;
    }
}

void TFlatButton::PaintGlyph(TCanvas& canvas) {
    if (FGlyph.Empty())
        return;
    const int height = FGlyph.Height();
    const int width = FGlyph.Width() / FNumGlyphs;
    if (width <= 0)
        return;
    // Image per state: up, disabled, pressed, latched (one image: the whole strip).
    static constexpr int Images[5][4] = {
        {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 1, 0, 0}, {0, 1, 2, 2}, {0, 1, 2, 3}};
    const int index = Images[FNumGlyphs][static_cast<int>(FState)];
    TRect source(index * width, 0, (index + 1) * width, height);
    if ((FNumGlyphs == 2 || FNumGlyphs == 3) && index == FNumGlyphs - 1)
        source.Right = FGlyph.Width();

    TBitmap image(width, height);
    image.Canvas().CopyRect(TRect(0, 0, width, height), FGlyph.Canvas(), source);
    image.Canvas().EndPaint();
    TColor transparent = FGlyph.Pixel(0, height - 1);
    if (FNumGlyphs == 1 && FState == TState::Disabled) {
        image = MakeDisabledGlyph(image, clBlack, clBtnFace, true, clBtnShadow, clBtnHighlight);
        transparent = image.Pixel(0, height - 1);
    }
    image.SetTransparentColor(transparent);
    image.SetTransparent(true);
    canvas.Draw(FGlyphOrigin.X, FGlyphOrigin.Y, image);
}

void TFlatButton::PaintCaption(TCanvas& canvas) {
    const QString caption = Caption();
    if (caption.isEmpty())
        return;
    constexpr unsigned flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    canvas.Brush.Style = bsClear;
    TRect bounds = FCaptionBounds;
    if (FState == TState::Disabled) {
        TRect raised = bounds;
        raised.Offset(1, 1);
        canvas.Font.SetColor(clBtnHighlight);
        canvas.DrawText(caption, raised, flags);
        canvas.Font.SetColor(clBtnShadow);
    }
    canvas.DrawText(caption, bounds, flags);
    canvas.Brush.Style = bsSolid;
}
