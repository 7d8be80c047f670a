#include "skinctrls/bsSkinEdit.h"
#include "skin/bsSkinRecordLookup.h"

#include "skinctrls/bsSkinBoxDraw.h"

#include <QEvent>
#include <QLineEdit>

namespace {

// Keys that change the text of an edit: dropped while it is locked.
bool IsEditingShortCut(int key, TShiftState shift) {
    const bool ctrl = shift.Contains(ssCtrl);
    if (key == Qt::Key_Delete || key == Qt::Key_Backspace)
        return true;
    if (key == Qt::Key_Insert && shift.Contains(ssShift))
        return true; // paste
    return ctrl && (key == Qt::Key_X || key == Qt::Key_V || key == Qt::Key_Z || key == Qt::Key_Y);
}

} // namespace

// ---------------------------------------------------------------- TbsCustomEdit

TbsCustomEdit::TbsCustomEdit(QWidget* parent) : TEdit(parent) {
    SetBorderStyle(bsNone);
    SetTextMargins(2, 0);
    // The filter reads nothing of the editor: text and font held back for its showing stay.
    EditorWidget()->installEventFilter(this);
}

TbsCustomEdit::~TbsCustomEdit() {
    EditorWidget()->removeEventFilter(this);
}

void TbsCustomEdit::SetSeeThrough(bool value) {
    if (value == FSeeThrough)
        return;
    FSeeThrough = value;
    SetEditorTransparent(value);
    UpdateBackground();
    Invalidate();
}

void TbsCustomEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    Editor()->setAcceptDrops(!value);
}

void TbsCustomEdit::UpdateBackground() {
    TEdit::UpdateBackground();
    // Nothing of its own under the text: the parent must paint there first.
    if (FSeeThrough && !DrawsOwnFace()) {
        setAttribute(Qt::WA_OpaquePaintEvent, false);
        setAutoFillBackground(false);
    }
}

void TbsCustomEdit::Paint() {
    // See-through: the parent's picture stays under the text.
    if (!FSeeThrough)
        TEdit::Paint();
}

void TbsCustomEdit::FontChanged() {
    TEdit::FontChanged();
    SetTextMargins(2, 0);
}

void TbsCustomEdit::KeyDown(int& Key, TShiftState Shift) {
    // Enter only raises the key-press event, and never reaches the editor.
    if (Key == Qt::Key_Return || Key == Qt::Key_Enter)
        return;
    TEdit::KeyDown(Key, Shift);
    if (FReadOnly && IsEditingShortCut(Key, Shift))
        Key = 0;
}

void TbsCustomEdit::KeyPress(QChar& Key) {
    TEdit::KeyPress(Key);
    if (Key == QLatin1Char('\r')) {
        Key = QChar();
        return;
    }
    if (FReadOnly && !Key.isNull() && Key != QChar(27))
        Key = QChar();
}

void TbsCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft)
        FDown = true;
    TEdit::MouseDown(Button, Shift, X, Y);
}

void TbsCustomEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft)
        FDown = false;
    TEdit::MouseUp(Button, Shift, X, Y);
}

bool TbsCustomEdit::eventFilter(QObject* watched, QEvent* event) {
    // Text committed by an input method is typing too.
    if (FReadOnly && watched == Editor() && event->type() == QEvent::InputMethod)
        return true;
    return TEdit::eventFilter(watched, event);
}

TbsEditCommands TbsCustomEdit::EditCommands() {
    TbsEditCommands c;
    c.CanUndo = [this] { return CanUndo(); };
    c.HasSelection = [this] { return SelLength() > 0; };
    c.AllSelected = [this] { return SelLength() == Text().size(); };
    c.ReadOnly = [this] { return FReadOnly; };
    c.Undo = [this] {
        if (!FReadOnly)
            Undo();
    };
    c.Cut = [this] {
        if (!FReadOnly)
            CutToClipboard();
    };
    c.Copy = [this] { CopyToClipboard(); };
    c.Paste = [this] {
        if (!FReadOnly)
            PasteFromClipboard();
    };
    c.ClearSelection = [this] {
        if (!FReadOnly)
            ClearSelection();
    };
    c.SelectAll = [this] { SelectAll(); };
    return c;
}

bool TbsCustomEdit::DoContextPopup(const TPoint& screenPoint) {
    if (TEdit::DoContextPopup(screenPoint))
        return true;
    PopupEditMenu(this, FEditMenu, EditCommands(), screenPoint);
    return true;
}

// ---------------------------------------------------------------- TbsSkinCustomEdit

TbsSkinCustomEdit::TbsSkinCustomEdit(QWidget* parent) : TbsCustomEdit(parent) {
    SetControlStyle(ControlStyle() | csOpaque);
    Font()->SetName(QStringLiteral("Arial"));
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    FDefaultFont.Assign(*Font());
    SetSeeThrough(true);
    SetBounds(Left(), Top(), Width(), 20);
    Layout();
}

TbsSkinCustomEdit::~TbsSkinCustomEdit() = default;

void TbsSkinCustomEdit::SetSkinData(TbsSkinData* value) {
    FSkinData = value;
    if (value && !value->SkinEmpty)
        ApplySkin();
}

void TbsSkinCustomEdit::SetDefaultFont(const TFont& font) {
    FDefaultFont.Assign(font);
    FetchSkinRecord();
    if (!HasRecord())
        SetFont(FDefaultFont);
}

void TbsSkinCustomEdit::SetDefaultWidth(int value) {
    FDefaultWidth = value;
    FetchSkinRecord();
    if (!HasRecord() && value > 0)
        SetWidth(value);
}

void TbsSkinCustomEdit::SetDefaultHeight(int value) {
    FDefaultHeight = value;
    FetchSkinRecord();
    if (!HasRecord() && value > 0)
        SetHeight(value);
}

void TbsSkinCustomEdit::SetButtonMode(bool value) {
    FButtonMode = value;
    Layout();
    Invalidate();
}

void TbsSkinCustomEdit::FetchSkinRecord() {
    FSkinIndex = -1;
    TbsSkinData* data = SkinData();
    const auto [index, r] = FindControlRecord<TbsDataSkinEditControl>(data, FSkinDataName);
    if (!r)
        return;
    FSkinIndex = index;
    FGeometry.LoadGeometry(*data, *r, false);
    FActiveSkinRect = r->ActiveSkinRect.IsEmpty() ? r->SkinRect : r->ActiveSkinRect;
    FLeftEnd = r->LeftTopPoint.X;
    FRightEnd = r->SkinRect.Width() - r->RightTopPoint.X;
    FFontName = r->FontName;
    FFontHeight = r->FontHeight;
    FFontStyle = r->FontStyle;
    FFontColor = r->FontColor;
    FDisabledFontColor = r->DisabledFontColor;
    FActiveFontColor = r->ActiveFontColor;
    FSkinButtonRect = r->ButtonRect;
    FActiveButtonRect = r->ActiveButtonRect;
    FDownButtonRect = r->DownButtonRect.IsEmpty() ? r->ActiveButtonRect : r->DownButtonRect;
    FUnEnabledButtonRect = r->UnEnabledButtonRect;
}

void TbsSkinCustomEdit::ForgetSkin() {
    FSkinIndex = -1;
    FGeometry.ForgetPictures();
}

void TbsSkinCustomEdit::ApplySkin() {
    FetchSkinRecord();
    if (!HasRecord()) {
        SetFont(FDefaultFont);
        const int w = FDefaultWidth > 0 ? FDefaultWidth : Width();
        const int h = FDefaultHeight > 0 ? FDefaultHeight : Height();
        TbsCustomEdit::SetBounds(Left(), Top(), w, h);
    } else {
        TFont font;
        font.Assign(FDefaultFont);
        if (FUseSkinFont) {
            font.SetName(FFontName);
            font.SetHeight(FFontHeight);
            font.SetStyle(FFontStyle);
            font.SetCharset(FDefaultFont.Charset());
        }
        SetFont(font);
        TbsCustomEdit::SetBounds(Left(), Top(), Width(), FGeometry.SkinHeight());
    }
    UpdateFontColor();
    Layout();
    Invalidate();
}

void TbsSkinCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    FetchSkinRecord();
    // With a record the height is the skin's; only the width is free.
    if (HasRecord() && FGeometry.SkinHeight() > 0)
        AHeight = FGeometry.SkinHeight();
    TbsCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TbsSkinCustomEdit::SizeChanged() {
    TbsCustomEdit::SizeChanged();
    Layout();
    Invalidate();
}

void TbsSkinCustomEdit::Layout() {
    FetchSkinRecord();
    const int w = Width();
    const int h = Height();
    if (!HasRecord()) {
        FButtonRect = FButtonMode ? TRect(w - h, 0, w, h) : TRect();
        SetEditorMargins(2, 2, FButtonMode ? h + 2 : 2, 2);
        return;
    }
    const int dx = w - FGeometry.SkinWidth();
    FButtonRect = FSkinButtonRect;
    if (FButtonRect.Left >= FGeometry.RTPoint.X)
        FButtonRect.Offset(dx, 0);
    if (!FButtonMode)
        FButtonRect = TRect();
    const TRect& client = FGeometry.SkinClientRect;
    SetEditorMargins(client.Left, client.Top, FGeometry.SkinWidth() - client.Right,
                     FGeometry.SkinHeight() - client.Bottom);
}

TBitmap TbsSkinCustomEdit::RenderImage() {
    TBitmap bitmap;
    if (Width() <= 0 || Height() <= 0)
        return bitmap;
    FetchSkinRecord();
    bitmap.SetDevicePixelRatio(devicePixelRatioF());
    bitmap.SetSize(Width(), Height());
    if (HasRecord() && FGeometry.Picture)
        DrawSkinImage(bitmap);
    else
        DrawDefaultImage(bitmap);
    return bitmap;
}

void TbsSkinCustomEdit::Paint() {
    TBitmap bitmap = RenderImage();
    if (!bitmap.Empty())
        Canvas()->Draw(0, 0, bitmap);
}

void TbsSkinCustomEdit::DrawDefaultImage(TBitmap& bitmap) {
    TCanvas& c = bitmap.Canvas();
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    const int buttonWidth = FButtonMode ? FButtonRect.Width() : 0;
    TRect frame(0, 0, w - buttonWidth, h);
    c.Brush.Style = bsSolid;
    c.Brush.Color = clBtnShadow;
    c.FrameRect(frame);
    frame.Inflate(-1, -1);
    c.Brush.Color = clBtnFace;
    c.FrameRect(frame);
    frame.Inflate(-1, -1);
    c.Brush.Color = Color();
    c.FillRect(frame);
    if (FButtonMode) {
        TbsDefaultLook look = TbsDefaultLook::Normal;
        if (FButtonPressed && FButtonHot)
            look = TbsDefaultLook::Pressed;
        else if (FButtonHot)
            look = TbsDefaultLook::Hot;
        DrawDefaultFace(c, FButtonRect, look);
    }
}

void TbsSkinCustomEdit::DrawSkinImage(TBitmap& bitmap) {
    const bool active = FMouseInside || Focused() || Editor()->hasFocus();
    TBitmap face;
    CreateHSkinImage(FLeftEnd, FRightEnd, face, bitmap.Width(),
                     active ? FActiveSkinRect : FGeometry.SkinRect, *FGeometry.Picture);
    bitmap.Canvas().Draw(0, 0, face);
    if (!FButtonMode)
        return;
    TRect source;
    if (!isEnabled() && !FUnEnabledButtonRect.IsEmpty())
        source = FUnEnabledButtonRect;
    else if (FButtonPressed && FButtonHot)
        source = FDownButtonRect;
    else if (FButtonHot)
        source = FActiveButtonRect;
    if (source.IsEmpty())
        return;
    DrawPicturePiece(bitmap.Canvas(), FButtonRect, *FGeometry.Picture, source);
}

// --- States

void TbsSkinCustomEdit::UpdateFontColor() {
    TColor color;
    if (!isEnabled())
        color = HasRecord() ? FDisabledFontColor : clGrayText;
    else if (!HasRecord())
        color = FDefaultFont.Color();
    else if (FMouseInside || Editor()->hasFocus())
        color = FActiveFontColor;
    else
        color = FFontColor;
    if (Font()->Color() != color)
        Font()->SetColor(color);
}

void TbsSkinCustomEdit::EnabledChanged() {
    TbsCustomEdit::EnabledChanged();
    FetchSkinRecord();
    UpdateFontColor();
    Invalidate();
}

void TbsSkinCustomEdit::DoEnter() {
    FetchSkinRecord();
    UpdateFontColor();
    Invalidate();
    TbsCustomEdit::DoEnter();
}

void TbsSkinCustomEdit::DoExit() {
    FetchSkinRecord();
    UpdateFontColor();
    Invalidate();
    TbsCustomEdit::DoExit();
}

void TbsSkinCustomEdit::MouseEnter() {
    FMouseInside = true;
    FetchSkinRecord();
    UpdateFontColor();
    Invalidate();
    TbsCustomEdit::MouseEnter();
}

void TbsSkinCustomEdit::MouseLeave() {
    FMouseInside = false;
    FButtonHot = false;
    FButtonPressed = false;
    FetchSkinRecord();
    UpdateFontColor();
    Invalidate();
    TbsCustomEdit::MouseLeave();
}

void TbsSkinCustomEdit::SetButtonHot(bool value) {
    if (value == FButtonHot)
        return;
    FButtonHot = value;
    Invalidate();
}

void TbsSkinCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (FButtonMode && Button == mbLeft && PtInRect(FButtonRect, TPoint(X, Y))) {
        FButtonPressed = true;
        FButtonHot = true;
        Invalidate();
    }
    TbsCustomEdit::MouseDown(Button, Shift, X, Y);
}

void TbsSkinCustomEdit::MouseMove(TShiftState Shift, int X, int Y) {
    if (FButtonMode)
        SetButtonHot(PtInRect(FButtonRect, TPoint(X, Y)));
    TbsCustomEdit::MouseMove(Shift, X, Y);
}

void TbsSkinCustomEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const bool click =
        FButtonMode && Button == mbLeft && FButtonPressed && PtInRect(FButtonRect, TPoint(X, Y));
    if (Button == mbLeft && FButtonPressed) {
        FButtonPressed = false;
        Invalidate();
    }
    TbsCustomEdit::MouseUp(Button, Shift, X, Y);
    if (click) {
        if (!Editor()->hasFocus())
            SetFocus();
        FireEvent(OnButtonClick, this);
    }
}
