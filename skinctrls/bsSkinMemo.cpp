#include "skinctrls/bsSkinMemo.h"
#include "skin/bsSkinRecordLookup.h"

#include "skinctrls/bsSkinBoxDraw.h"

#include <QEvent>
#include <QPlainTextEdit>

namespace {

bool IsEditingShortCut(int key, TShiftState shift) {
    const bool ctrl = shift.Contains(ssCtrl);
    if (key == Qt::Key_Delete || key == Qt::Key_Backspace || key == Qt::Key_Return ||
        key == Qt::Key_Enter || key == Qt::Key_Tab)
        return true;
    if (key == Qt::Key_Insert && shift.Contains(ssShift))
        return true;
    return ctrl && (key == Qt::Key_X || key == Qt::Key_V || key == Qt::Key_Z || key == Qt::Key_Y);
}

// A bar takes the memo's own range and page, so its last position is the memo's last
// one; it is enabled only while there is something to scroll.
void PutScrollInfo(TbsSkinScrollBar& bar, const TScrollInfo& info, bool memoEnabled) {
    if (!memoEnabled) {
        bar.SetEnabled(false);
        return;
    }
    const bool scrollable = info.Max - info.Page + 1 > info.Min;
    const TScrollInfo wanted = scrollable ? info : TScrollInfo{};
    // Unchanged values leave the bar alone (the memo reports often).
    if (bar.Min() != wanted.Min || bar.Max() != wanted.Max || bar.PageSize() != wanted.Page ||
        bar.Position() != wanted.Pos)
        bar.SetRange(wanted.Min, wanted.Max, wanted.Page, wanted.Pos);
    if (scrollable)
        bar.SetLargeChange(std::max(1, info.Page));
    if (bar.Enabled() != scrollable)
        bar.SetEnabled(scrollable);
}

} // namespace

// ---------------------------------------------------------------- TbsSkinMemoBase

TbsSkinMemoBase::TbsSkinMemoBase(QWidget* parent) : TMemo(parent) {
    SetBorderStyle(bsNone);
    Font()->SetName(QStringLiteral("Arial"));
    Font()->SetHeight(14);
    FDefaultFont.Assign(*Font());
    // The editor scrolls without telling its scroll bars in some moves (a page key), but
    // it always asks to redraw what moved.
    connect(UnsettledEditor(), &QPlainTextEdit::updateRequest, this,
            [this] { Guarded([this] { SyncScrollBars(); }); });
}

TbsSkinMemoBase::~TbsSkinMemoBase() {
    UnsettledEditor()->disconnect(this);
    if (FVScrollBar)
        FVScrollBar->OnChange = nullptr;
}

void TbsSkinMemoBase::SetSkinData(TbsSkinData* value) {
    FSkinData = value;
    if (value && !value->SkinEmpty)
        ApplySkin();
}

void TbsSkinMemoBase::SetDefaultFont(const TFont& font) {
    FDefaultFont.Assign(font);
    FetchSkinRecord();
    if (!HasRecord())
        SetFont(FDefaultFont);
}

void TbsSkinMemoBase::FetchSkinRecord() {
    FSkinIndex = -1;
    TbsSkinData* data = SkinData();
    const auto [index, r] = FindControlRecord<TbsDataSkinMemoControl>(data, FSkinDataName);
    if (!r)
        return;
    FSkinIndex = index;
    FGeometry.LoadGeometry(*data, *r, false);
    FActiveSkinRect = r->ActiveSkinRect.IsEmpty() ? r->SkinRect : r->ActiveSkinRect;
    FFontName = r->FontName;
    FFontHeight = r->FontHeight;
    FFontStyle = r->FontStyle;
    FFontColor = r->FontColor;
    FActiveFontColor = r->ActiveFontColor;
    FDisabledFontColor = r->DisabledFontColor;
    FBGColor = r->BGColor;
    FActiveBGColor = r->ActiveBGColor;
}

void TbsSkinMemoBase::ForgetSkin() {
    FSkinIndex = -1;
    FGeometry.ForgetPictures();
}

void TbsSkinMemoBase::ApplySkin() {
    FetchSkinRecord();
    TFont font;
    font.Assign(FDefaultFont);
    if (HasRecord() && FUseSkinFont) {
        font.SetName(FFontName);
        font.SetHeight(FFontHeight);
        font.SetStyle(FFontStyle);
        font.SetCharset(FDefaultFont.Charset());
    }
    SetFont(font);
    if (!HasRecord())
        SetColor(clWindow);
    UpdateColors();
    SyncScrollBars();
    Invalidate();
}

void TbsSkinMemoBase::UpdateColors() {
    if (!HasRecord()) {
        Font()->SetColor(isEnabled() ? FDefaultFont.Color() : clGrayText);
        return;
    }
    const bool active = FMouseInside || Editor()->hasFocus();
    Font()->SetColor(active ? FActiveFontColor : FFontColor);
    SetColor(active ? FActiveBGColor : FBGColor);
}

void TbsSkinMemoBase::MouseEnter() {
    FMouseInside = true;
    FetchSkinRecord();
    UpdateColors();
    TMemo::MouseEnter();
}

void TbsSkinMemoBase::MouseLeave() {
    FMouseInside = false;
    FetchSkinRecord();
    UpdateColors();
    TMemo::MouseLeave();
}

void TbsSkinMemoBase::DoEnter() {
    FetchSkinRecord();
    UpdateColors();
    TMemo::DoEnter();
}

void TbsSkinMemoBase::DoExit() {
    FetchSkinRecord();
    UpdateColors();
    TMemo::DoExit();
}

void TbsSkinMemoBase::SetVScrollBar(TbsSkinScrollBar* bar) {
    BindBar(FVScrollBar, bar, true);
}

void TbsSkinMemoBase::BindBar(QPointer<TbsSkinScrollBar>& slot, TbsSkinScrollBar* bar,
                              bool vertical) {
    if (slot && slot != bar)
        slot->OnChange = nullptr;
    slot = bar;
    if (!bar)
        return;
    bar->SetRange(0, 0, 0, 0);
    bar->OnChange = [this, bar, vertical](TObject*) { BarScrolled(bar, vertical); };
    SyncScrollBars();
}

void TbsSkinMemoBase::BarScrolled(TbsSkinScrollBar* bar, bool vertical) {
    // The memo's answer sets the bar through SetRange, which raises no OnChange.
    if (vertical)
        ScrollTo(bar->Position());
    else
        ScrollHorzTo(bar->Position());
    SyncScrollBars();
    Editor()->viewport()->update();
}

void TbsSkinMemoBase::Change() {
    SyncScrollBars();
    TMemo::Change();
}

void TbsSkinMemoBase::Scrolled() {
    SyncScrollBars();
    TMemo::Scrolled();
}

bool TbsSkinMemoBase::DoMouseWheel(int delta, TShiftState) {
    // One line per turn, as the bar's buttons step.
    ScrollLines(delta > 0 ? -1 : 1);
    SyncScrollBars();
    return true;
}

void TbsSkinMemoBase::SizeChanged() {
    TMemo::SizeChanged();
    SyncScrollBars();
}

void TbsSkinMemoBase::EnabledChanged() {
    TMemo::EnabledChanged();
    FetchSkinRecord();
    UpdateColors();
    SyncScrollBars();
}

TbsEditCommands TbsSkinMemoBase::EditCommands() {
    TbsEditCommands c;
    c.CanUndo = [this] { return CanUndo(); };
    c.HasSelection = [this] { return SelLength() > 0; };
    c.AllSelected = [this] { return SelLength() == Editor()->document()->characterCount() - 1; };
    c.ReadOnly = [this] { return TMemo::ReadOnly(); };
    c.Undo = [this] { Undo(); };
    c.Cut = [this] { CutToClipboard(); };
    c.Copy = [this] { CopyToClipboard(); };
    c.Paste = [this] { PasteFromClipboard(); };
    c.ClearSelection = [this] { ClearSelection(); };
    c.SelectAll = [this] { SelectAll(); };
    return c;
}

bool TbsSkinMemoBase::DoContextPopup(const TPoint& screenPoint) {
    if (TMemo::DoContextPopup(screenPoint))
        return true;
    PopupEditMenu(this, FEditMenu, EditCommands(), screenPoint);
    return true;
}

// ---------------------------------------------------------------- TbsSkinMemo2

TbsSkinMemo2::TbsSkinMemo2(QWidget* parent) : TbsSkinMemoBase(parent) {
    SetScrollBars(ssBoth);
    // The editor scrolls, but only the external bars are seen.
    SetNativeScrollBarsHidden(true);
}

TbsSkinMemo2::~TbsSkinMemo2() {
    if (FHScrollBar)
        FHScrollBar->OnChange = nullptr;
}

void TbsSkinMemo2::SetHScrollBar(TbsSkinScrollBar* bar) {
    BindBar(FHScrollBar, bar, false);
}

void TbsSkinMemo2::SyncScrollBars() {
    if (TbsSkinScrollBar* bar = VScrollBar())
        PutScrollInfo(*bar, ScrollInfo(sbVertical), isEnabled());
    if (TbsSkinScrollBar* bar = FHScrollBar.data())
        PutScrollInfo(*bar, ScrollInfo(sbHorizontal), isEnabled());
}

// ---------------------------------------------------------------- TbsSkinMemo

TbsSkinMemo::TbsSkinMemo(QWidget* parent) : TbsSkinMemoBase(parent) {
    SetScrollBars(ssNone);
    SetControlStyle(ControlStyle() | csOpaque);
    UnsettledEditor()->installEventFilter(this);
    LayoutFrame();
}

TbsSkinMemo::~TbsSkinMemo() {
    UnsettledEditor()->removeEventFilter(this);
}

void TbsSkinMemo::SetBitMapBG(bool value) {
    FBitMapBG = value;
    LayoutFrame();
    Invalidate();
}

void TbsSkinMemo::ApplySkin() {
    TbsSkinMemoBase::ApplySkin();
    LayoutFrame();
}

void TbsSkinMemo::SizeChanged() {
    TbsSkinMemoBase::SizeChanged();
    Invalidate();
}

void TbsSkinMemo::LayoutFrame() {
    FetchSkinRecord();
    if (HasRecord()) {
        const TRect& c = FGeometry.SkinClientRect;
        SetEditorMargins(c.Left, c.Top, FGeometry.SkinWidth() - c.Right,
                         FGeometry.SkinHeight() - c.Bottom);
    } else {
        SetEditorMargins(2, 2, 2, 2);
    }
    SetEditorTransparent(FBitMapBG && HasRecord() && FGeometry.Picture);
}

void TbsSkinMemo::SyncScrollBars() {
    // Wrapped lines scroll too, so the editor's own line range is what the bar mirrors.
    if (TbsSkinScrollBar* bar = VScrollBar())
        PutScrollInfo(*bar, ScrollInfo(sbVertical), isEnabled());
}

TBitmap TbsSkinMemo::RenderImage() {
    TBitmap bitmap;
    if (Width() <= 0 || Height() <= 0)
        return bitmap;
    FetchSkinRecord();
    bitmap.SetDevicePixelRatio(devicePixelRatioF());
    bitmap.SetSize(Width(), Height());
    TCanvas& c = bitmap.Canvas();
    c.Brush.Style = bsSolid;
    const bool skinned = HasRecord() && FGeometry.Picture;
    if (!skinned) {
        c.Brush.Color = Color();
        c.FillRect(TRect(0, 0, Width(), Height()));
        c.Brush.Color = clBtnShadow;
        c.FrameRect(TRect(0, 0, Width(), Height()));
        c.Brush.Color = clBtnFace;
        c.FrameRect(TRect(1, 1, Width() - 1, Height() - 1));
        return bitmap;
    }
    const bool active = MouseInside() || Editor()->hasFocus();
    int w = Width();
    int h = Height();
    FGeometry.FitGeometry(w, h);
    FGeometry.ComposeImage(bitmap, active ? FActiveSkinRect : FGeometry.SkinRect, Width(),
                           Height());
    if (!FBitMapBG) {
        // Only the frame bands: the text area keeps the background colour.
        c.Brush.Color = Color();
        c.FillRect(EditorRect());
    }
    return bitmap;
}

void TbsSkinMemo::Paint() {
    TBitmap bitmap = RenderImage();
    if (!bitmap.Empty())
        Canvas()->Draw(0, 0, bitmap);
}

void TbsSkinMemo::KeyDown(int& Key, TShiftState Shift) {
    TbsSkinMemoBase::KeyDown(Key, Shift);
    if (FReadOnly && IsEditingShortCut(Key, Shift))
        Key = 0;
}

void TbsSkinMemo::KeyPress(QChar& Key) {
    TbsSkinMemoBase::KeyPress(Key);
    if (FReadOnly && !Key.isNull() && Key != QChar(27))
        Key = QChar();
}

bool TbsSkinMemo::eventFilter(QObject* watched, QEvent* event) {
    if (FReadOnly && watched == UnsettledEditor() && event->type() == QEvent::InputMethod)
        return true;
    return TbsSkinMemoBase::eventFilter(watched, event);
}

TbsEditCommands TbsSkinMemo::EditCommands() {
    TbsEditCommands c = TbsSkinMemoBase::EditCommands();
    auto locked = [this](std::function<void()> action) {
        return [this, action] {
            if (!FReadOnly)
                action();
        };
    };
    c.ReadOnly = [this] { return FReadOnly; };
    c.Undo = locked(c.Undo);
    c.Cut = locked(c.Cut);
    c.Paste = locked(c.Paste);
    c.ClearSelection = locked(c.ClearSelection);
    return c;
}
