#include "skinctrls/bsSkinListBox.h"

#include "skinctrls/bsSkinBoxDraw.h"

#include <QWheelEvent>
#include <algorithm>

namespace {

// Bar thickness without a record (the bar occupies one pixel less of the list).
constexpr int DefaultBarSize = 19;

TOwnerDrawState ItemState(const TbsListBox& list, int index) {
    const bool selected = list.Selected(index);
    if (index == list.ItemIndex() && selected && list.hasFocus())
        return odSelected | odFocused;
    if (selected)
        return odSelected;
    if (index == list.ItemIndex() && list.hasFocus())
        return odFocused;
    return 0;
}

} // namespace

// ---------------------------------------------------------------- TbsListBox

TbsListBox::TbsListBox(TbsSkinCustomListBox* owner) : TListBox(owner), FOwnerList(owner) {
    SetStyle(lbOwnerDrawFixed);
    SetBorderStyle(bsNone);
    SetNativeScrollBar(false);
    SetControlStyle(ControlStyle() | csOpaque | csCaptureMouse | csDoubleClicks);
    FLastWidth = Width();
}

TbsListBox::~TbsListBox() = default;

void TbsListBox::SetScrollOffsetX(int value) {
    value = std::max(0, value);
    if (value == FScrollOffsetX)
        return;
    FScrollOffsetX = value;
    Invalidate();
}

TBitmap TbsListBox::RenderImage() {
    TBitmap bitmap(std::max(1, Width()), std::max(1, Height()), devicePixelRatioF());
    FOwnerList->PaintInnerList(bitmap.Canvas());
    return bitmap;
}

void TbsListBox::Paint() {
    FOwnerList->PaintInnerList(*Canvas());
}

void TbsListBox::SizeChanged() {
    // A narrower list keeps its right end in view while scrolled.
    const int lost = FLastWidth - Width();
    FLastWidth = Width();
    if (FScrollOffsetX > 0 && lost > 0)
        SetScrollOffsetX(FScrollOffsetX + lost);
    TListBox::SizeChanged();
}

void TbsListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FOwnerList->ListMouseDown(Button, Shift, X, Y);
    TListBox::MouseDown(Button, Shift, X, Y);
}

void TbsListBox::MouseMove(TShiftState Shift, int X, int Y) {
    FOwnerList->ListMouseMove(Shift, X, Y);
    TListBox::MouseMove(Shift, X, Y);
}

void TbsListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FOwnerList->ListMouseUp(Button, Shift, X, Y);
    TListBox::MouseUp(Button, Shift, X, Y);
}

void TbsListBox::Click() {
    FOwnerList->ListClick();
    TListBox::Click();
}

void TbsListBox::DblClick() {
    FOwnerList->ListDblClick();
    TListBox::DblClick();
}

void TbsListBox::KeyDown(int& Key, TShiftState Shift) {
    FOwnerList->ListKeyDown(Key, Shift);
    if (Key == 0)
        return;
    // Left and Right move the horizontal bar instead of the selection.
    if ((Key == Qt::Key_Left || Key == Qt::Key_Right) && FOwnerList->HorzBar()) {
        TbsSkinScrollBar* bar = FOwnerList->HorzBar();
        const int step = Key == Qt::Key_Left ? -bar->SmallChange() : bar->SmallChange();
        bar->SetPosition(bar->Position() + step);
        Key = 0;
        return;
    }
    TListBox::KeyDown(Key, Shift);
}

void TbsListBox::KeyUp(int& Key, TShiftState Shift) {
    FOwnerList->ListKeyUp(Key, Shift);
    TListBox::KeyUp(Key, Shift);
}

void TbsListBox::KeyPress(QChar& Key) {
    FOwnerList->ListKeyPress(Key);
    TListBox::KeyPress(Key);
}

void TbsListBox::DoEnter() {
    FOwnerList->ListEnter();
    TListBox::DoEnter();
}

void TbsListBox::DoExit() {
    FOwnerList->ListExit();
    TListBox::DoExit();
}

void TbsListBox::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    event->accept();
    Guarded([&] {
        if (FOwnerList->VertBar() || !FOwnerList->HorzBar()) {
            // One line per turn; the bar follows.
            SetTopIndex(TopIndex() + (delta > 0 ? -1 : 1));
            FOwnerList->SyncListBars();
        } else {
            TbsSkinScrollBar* bar = FOwnerList->HorzBar();
            bar->SetPosition(bar->Position() + (delta > 0 ? -1 : 1) * bar->SmallChange());
        }
    });
}

// ---------------------------------------------------------------- TbsSkinCustomListBox

TbsSkinCustomListBox::TbsSkinCustomListBox(QWidget* parent)
    : TbsSkinCustomControl(parent), FInnerList(new TbsListBox(this)) {
    FSkinDataName = QStringLiteral("listbox");
    SetControlStyle(ControlStyle() | csOpaque);
    FInnerList->Font()->SetName(QStringLiteral("Arial"));
    FInnerList->Font()->SetHeight(14);
    FInnerList->SetItemHeight(FDefaultItemHeight);
    FInnerList->OnScroll = [this](TObject*) { SyncListBars(); };
    connect(&FRepeatTimer, &QTimer::timeout, this,
            [this] { Guarded([this] { CaptionRepeatTick(); }); });
    SetBounds(Left(), Top(), 120, 120);
    LayoutInner();
}

TbsSkinCustomListBox::~TbsSkinCustomListBox() {
    FInnerList->OnScroll = nullptr;
}

void TbsSkinCustomListBox::SetItems(const TStrings& items) {
    FInnerList->SetItems(items);
    SyncListBars();
}

void TbsSkinCustomListBox::Clear() {
    FInnerList->Clear();
    SyncListBars();
}

void TbsSkinCustomListBox::SetSorted(bool value) {
    RemoveVertBar();
    FInnerList->SetSorted(value);
    SyncListBars();
}

int TbsSkinCustomListBox::ItemAtPos(const TPoint& pos, bool existing) const {
    return FInnerList->ItemAtPos(pos, existing);
}

void TbsSkinCustomListBox::SetDefaultItemHeight(int value) {
    FDefaultItemHeight = value;
    FetchSkinRecord();
    if (FSkinIndex == -1)
        ApplyItemHeight();
}

void TbsSkinCustomListBox::SetHorizontalExtent(bool value) {
    FHorizontalExtent = value;
    SyncListBars();
}

void TbsSkinCustomListBox::SetRowCount(int value) {
    FRowCount = std::max(0, value);
    if (FRowCount > 0)
        SetHeight(HeightForRows(FRowCount));
}

int TbsSkinCustomListBox::HeightForRows(int rows) {
    FetchSkinRecord();
    ApplyItemHeight();
    int h;
    if (FSkinIndex == -1)
        h = rows * ItemHeight() + 4 + (FCaptionMode ? FDefaultCaptionHeight : 0);
    else
        h = SkinHeight() - SkinClientRect.Height() + rows * ItemHeight();
    if (FHorzBar)
        h += FHorzBar->Height();
    return h;
}

void TbsSkinCustomListBox::SetImages(TImageList* images) {
    FImages = images;
    FInnerList->Invalidate();
}

void TbsSkinCustomListBox::SetImageIndex(int value) {
    FImageIndex = value;
    FInnerList->Invalidate();
}

void TbsSkinCustomListBox::SetCaptionMode(bool value) {
    FCaptionMode = value;
    LayoutInner();
    Invalidate();
}

void TbsSkinCustomListBox::SetDefaultCaptionHeight(int value) {
    FDefaultCaptionHeight = value;
    LayoutInner();
    Invalidate();
}

void TbsSkinCustomListBox::SetAlignment(TAlignment value) {
    FAlignment = value;
    if (FCaptionMode)
        Invalidate();
}

// --- Record

void TbsSkinCustomListBox::FetchSkinRecord() {
    TbsSkinCustomControl::FetchSkinRecord();
    FHasListRecord = false;
    if (const auto* r = SkinRecordAs<TbsDataSkinListBox>()) {
        FHasListRecord = true;
        FRecord.ItemRect = r->ItemRect;
        FRecord.ActiveItemRect = r->ActiveItemRect.IsEmpty() ? r->ItemRect : r->ActiveItemRect;
        FRecord.FocusItemRect = r->FocusItemRect.IsEmpty() ? r->ItemRect : r->FocusItemRect;
        FRecord.ItemTextRect = r->ItemTextRect;
        FRecord.ItemLeftOffset = r->ItemLeftOffset;
        FRecord.ItemRightOffset = r->ItemRightOffset;
        FRecord.FontName = r->FontName;
        FRecord.FontHeight = r->FontHeight;
        FRecord.FontStyle = r->FontStyle;
        FRecord.FontColor = r->FontColor;
        FRecord.ActiveFontColor = r->ActiveFontColor;
        FRecord.FocusFontColor = r->FocusFontColor;
        FRecord.VScrollBarName = r->VScrollBarName;
        FRecord.HScrollBarName = r->HScrollBarName;
        FRecord.BothHScrollBarName = r->BothHScrollBarName;
        FRecord.CaptionRect = r->CaptionRect;
        FRecord.CaptionFontName = r->CaptionFontName;
        FRecord.CaptionFontHeight = r->CaptionFontHeight;
        FRecord.CaptionFontStyle = r->CaptionFontStyle;
        FRecord.CaptionFontColor = r->CaptionFontColor;
        FRecord.ButtonRects = {r->UpButtonRect, r->DownButtonRect, r->CheckButtonRect};
        FRecord.ActiveButtonRects = {r->ActiveUpButtonRect, r->ActiveDownButtonRect,
                                     r->ActiveCheckButtonRect};
        FRecord.DownButtonRects = {r->DownUpButtonRect, r->DownDownButtonRect,
                                   r->DownCheckButtonRect};
        for (size_t i = 0; i < 3; ++i)
            if (FRecord.DownButtonRects[i].IsEmpty())
                FRecord.DownButtonRects[i] = FRecord.ActiveButtonRects[i];
    }
}

void TbsSkinCustomListBox::ApplyItemHeight() {
    if (FSkinIndex == -1 || !FHasListRecord)
        FInnerList->SetItemHeight(FDefaultItemHeight);
    else if (FUseSkinItemHeight && FRecord.ItemRect.Height() > 0)
        FInnerList->SetItemHeight(FRecord.ItemRect.Height());
}

void TbsSkinCustomListBox::ApplySkin() {
    TbsSkinCustomControl::ApplySkin();
    FApplyingSkin = true;
    if (FSkinIndex == -1)
        FInnerList->SetFont(*DefaultFont());
    ApplyItemHeight();
    for (TbsSkinScrollBar* bar : {FVertBar, FHorzBar}) {
        if (!bar)
            continue;
        QString name;
        if (FHasListRecord)
            name = bar == FVertBar ? FRecord.VScrollBarName
                   : FVertBar      ? FRecord.BothHScrollBarName
                                   : FRecord.HScrollBarName;
        bar->SetSkinDataName(name);
        bar->SetSkinData(SkinData());
    }
    if (FRowCount > 0)
        SetHeight(HeightForRows(FRowCount));
    LayoutInner();
    FApplyingSkin = false;
    SyncListBars();
    FInnerList->Invalidate();
}

void TbsSkinCustomListBox::ForgetSkin() {
    TbsSkinCustomControl::ForgetSkin();
    FHasListRecord = false;
}

// --- Layout

int TbsSkinCustomListBox::CaptionHeight() const {
    return FCaptionMode ? FDefaultCaptionHeight : 1;
}

void TbsSkinCustomListBox::SizeChanged() {
    TbsSkinCustomControl::SizeChanged();
    LayoutInner();
    SyncListBars();
}

void TbsSkinCustomListBox::LayoutInner() {
    FetchSkinRecord();
    LayoutCaptionButtons();
    const int w = Width();
    const int h = Height();
    const bool skinned = FSkinIndex != -1;
    if (skinned) {
        FListArea = SkinClientRect;
        FListArea.Right += w - SkinWidth();
        FListArea.Bottom += h - SkinHeight();
    } else {
        FListArea = TRect(0, 0, w, h);
    }
    const int top = CaptionHeight();
    int horzHeight = 0;
    if (FHorzBar) {
        if (skinned) {
            horzHeight = FHorzBar->Height();
            FHorzBar->SetBounds(FListArea.Left, FListArea.Bottom - horzHeight, FListArea.Width(),
                                horzHeight);
        } else {
            horzHeight = DefaultBarSize - 1;
            FHorzBar->SetBounds(1, h - 20, w - 2, DefaultBarSize);
        }
    }
    if (FVertBar) {
        if (skinned) {
            const int barWidth = FVertBar->Width();
            FVertBar->SetBounds(FListArea.Right - barWidth, FListArea.Top, barWidth,
                                FListArea.Height() - horzHeight);
            FInnerRect = TRect(FListArea.Left, FListArea.Top, FListArea.Right - barWidth,
                               FListArea.Bottom - horzHeight);
        } else {
            FVertBar->SetBounds(w - 20, top, DefaultBarSize, h - top - 1 - horzHeight);
            FInnerRect = TRect(2, top + 1, w - 20, h - horzHeight - 2);
        }
    } else {
        FInnerRect = skinned ? FListArea : TRect(2, top + 1, w - 2, h - 2);
        FInnerRect.Bottom -= horzHeight;
    }
    FInnerList->SetBounds(FInnerRect.Left, FInnerRect.Top, std::max(0, FInnerRect.Width()),
                          std::max(0, FInnerRect.Height()));
}

// --- Bars

void TbsSkinCustomListBox::SyncListBars() {
    if (FSyncing)
        return;
    FSyncing = true;
    SyncHorzBar();
    SyncVertBar();
    FSyncing = false;
}

int TbsSkinCustomListBox::WidestItem() {
    TCanvas& canvas = *FInnerList->Canvas();
    const int saved = canvas.SaveState();
    AssignItemFont(canvas.Font);
    int widest = 0;
    for (int i = 0; i < Count(); ++i)
        widest = std::max(widest, canvas.TextWidth(Items()->Strings(i)));
    canvas.RestoreState(saved);
    return widest;
}

void TbsSkinCustomListBox::SyncHorzBar() {
    if (!FHorizontalExtent || FApplyingSkin) {
        RemoveHorzBar();
        return;
    }
    int available =
        FHasListRecord && FSkinIndex != -1
            ? FInnerList->Width() + FRecord.ItemTextRect.Width() - FRecord.ItemRect.Width()
            : FInnerList->Width() - 4;
    if (FImages)
        available -= FImages->Width() + 4;
    const int widest = WidestItem();
    if (widest <= available) {
        RemoveHorzBar();
        return;
    }
    CreateHorzBar();
    FHorzBar->SetRange(0, widest, std::max(1, available), FHorzBar->Position());
    TCanvas& canvas = *FInnerList->Canvas();
    const int step = std::max(1, canvas.TextWidth(QStringLiteral("0")));
    FHorzBar->SetSmallChange(step);
    FHorzBar->SetLargeChange(step);
    FInnerList->SetScrollOffsetX(FHorzBar->Position());
}

void TbsSkinCustomListBox::SyncVertBar() {
    const int count = Count();
    if (FRowCount >= 1 && FRowCount == count) {
        RemoveVertBar();
        return;
    }
    const TScrollInfo info = FInnerList->ScrollInfo();
    const int visible = FInnerList->Height() / std::max(1, ItemHeight());
    if (info.Min < info.Max && info.Max >= info.Pos && visible < count) {
        CreateVertBar();
        FVertBar->SetRange(info.Min, info.Max, visible, info.Pos);
        FVertBar->SetLargeChange(std::max(1, visible));
        return;
    }
    RemoveVertBar();
}

void TbsSkinCustomListBox::CreateVertBar() {
    if (FVertBar)
        return;
    FVertBar = new TbsSkinScrollBar(this);
    FVertBar->SetKind(sbVertical);
    FVertBar->SetSkinDataName(FHasListRecord && FSkinIndex != -1 ? FRecord.VScrollBarName
                                                                 : QString());
    FVertBar->SetSkinData(SkinData());
    FVertBar->OnChange = [this](TObject*) { FInnerList->SetTopIndex(FVertBar->Position()); };
    if (FHorzBar) {
        // The horizontal bar now shares the corner.
        RemoveHorzBar();
        SyncHorzBar();
    }
    FVertBar->Show();
    LayoutInner();
    Invalidate();
}

void TbsSkinCustomListBox::CreateHorzBar() {
    if (FHorzBar)
        return;
    FHorzBar = new TbsSkinScrollBar(this);
    FHorzBar->SetKind(sbHorizontal);
    const bool skinned = FHasListRecord && FSkinIndex != -1;
    if (FVertBar) {
        FHorzBar->SetBoth(true);
        FHorzBar->SetBothMarkerWidth(DefaultBarSize);
        FHorzBar->SetBothSkinDataName(skinned ? FRecord.BothHScrollBarName : QString());
    }
    FHorzBar->SetSkinDataName(
        skinned ? (FVertBar ? FRecord.BothHScrollBarName : FRecord.HScrollBarName) : QString());
    FHorzBar->SetSkinData(SkinData());
    FHorzBar->OnChange = [this](TObject*) {
        FInnerList->SetScrollOffsetX(FHorzBar->Position());
        FInnerList->Invalidate();
    };
    FHorzBar->Show();
    LayoutInner();
    Invalidate();
}

void TbsSkinCustomListBox::RemoveVertBar() {
    if (!FVertBar)
        return;
    FVertBar->OnChange = nullptr;
    delete FVertBar;
    FVertBar = nullptr;
    LayoutInner();
    Invalidate();
}

void TbsSkinCustomListBox::RemoveHorzBar() {
    if (!FHorzBar)
        return;
    FHorzBar->OnChange = nullptr;
    delete FHorzBar;
    FHorzBar = nullptr;
    FInnerList->SetScrollOffsetX(0);
    LayoutInner();
    FInnerList->Invalidate();
}

// --- Painting

void TbsSkinCustomListBox::DrawDefaultImage(TBitmap& bitmap) {
    TCanvas& c = bitmap.Canvas();
    c.Brush.Style = bsSolid;
    c.Brush.Color = clBtnFace;
    c.FillRect(TRect(0, 0, bitmap.Width(), bitmap.Height()));
    c.Brush.Color = clBtnShadow;
    c.FrameRect(TRect(0, 0, bitmap.Width(), bitmap.Height()));
    if (FCaptionMode)
        DrawDefaultCaption(c);
}

void TbsSkinCustomListBox::DrawDefaultCaption(TCanvas& c) {
    const int h = FDefaultCaptionHeight;
    const int buttonWidth = std::min(h - 3, 17);
    c.Font.Assign(*DefaultFont());
    c.Brush.Style = bsClear;
    TRect text(3, 2, Width() - 3 * buttonWidth - 3, h - 2);
    QString caption = CorrectTextByWidth(c, Caption(), text.Width());
    const int tw = c.TextWidth(caption);
    int x = text.Left;
    if (FAlignment == taCenter)
        x = text.Left + (text.Width() - tw) / 2;
    else if (FAlignment == taRightJustify)
        x = text.Right - tw;
    c.TextRect(text, x, text.Top + (text.Height() - c.TextHeight(caption)) / 2, caption);
    LayoutCaptionButtons();
    for (int i = 0; i < 3; ++i) {
        const TCaptionButton& b = FButtons[size_t(i)];
        TbsDefaultLook look = TbsDefaultLook::Normal;
        if (b.Pressed && b.Hot)
            look = TbsDefaultLook::Pressed;
        else if (b.Hot)
            look = TbsDefaultLook::Hot;
        DrawDefaultFace(c, b.Rect, look);
        if (i == 0)
            DrawArrowMark(c, b.Rect, clBlack, TbsArrowDirection::Up);
        else if (i == 1)
            DrawArrowMark(c, b.Rect, clBlack, TbsArrowDirection::Down);
        else
            DrawCheckMark(c, b.Rect.Left + (b.Rect.Width() - 7) / 2,
                          b.Rect.Top + (b.Rect.Height() - 7) / 2, clBlack);
    }
}

void TbsSkinCustomListBox::DrawSkinImage(TBitmap& bitmap) {
    TbsSkinCustomControl::DrawSkinImage(bitmap);
    if (FCaptionMode && FHasListRecord && Picture)
        DrawSkinCaption(bitmap);
}

void TbsSkinCustomListBox::DrawSkinCaption(TBitmap& bitmap) {
    TCanvas& c = bitmap.Canvas();
    TRect text = FRecord.CaptionRect;
    text.Right += Width() - SkinWidth();
    if (!text.IsEmpty()) {
        AssignSkinFont(c.Font, FRecord.CaptionFontName, FRecord.CaptionFontHeight,
                       FRecord.CaptionFontStyle);
        c.Font.SetColor(FRecord.CaptionFontColor);
        c.Brush.Style = bsClear;
        DrawTextVCentered(c, CorrectTextByWidth(c, Caption(), text.Width() - 4), text);
    }
    LayoutCaptionButtons();
    for (size_t i = 0; i < 3; ++i) {
        const TCaptionButton& b = FButtons[i];
        TRect source;
        if (b.Pressed && b.Hot)
            source = FRecord.DownButtonRects[i];
        else if (b.Hot)
            source = FRecord.ActiveButtonRects[i];
        DrawPicturePiece(c, b.Rect, *Picture, source);
    }
}

// --- Caption buttons

void TbsSkinCustomListBox::LayoutCaptionButtons() {
    if (!FCaptionMode) {
        for (TCaptionButton& b : FButtons)
            b.Rect = TRect();
        return;
    }
    if (FSkinIndex != -1 && FHasListRecord) {
        for (size_t i = 0; i < 3; ++i) {
            TRect r = FRecord.ButtonRects[i];
            if (r.Left >= RTPoint.X)
                r.Offset(Width() - SkinWidth(), 0);
            FButtons[i].Rect = r;
        }
        return;
    }
    const int size = std::min(FDefaultCaptionHeight - 3, 17);
    const int top = (FDefaultCaptionHeight - size) / 2;
    for (size_t i = 0; i < 3; ++i) {
        const int right = Width() - 2 - int(i) * size;
        FButtons[i].Rect = TRect(right - size, top, right, top + size);
    }
}

int TbsSkinCustomListBox::CaptionButtonAt(const TPoint& p) const {
    for (int i = 0; i < 3; ++i)
        if (PtInRect(FButtons[size_t(i)].Rect, p))
            return i;
    return -1;
}

const TNotifyEvent& TbsSkinCustomListBox::CaptionButtonEvent(int button) const {
    return button == 0 ? OnUpButtonClick : button == 1 ? OnDownButtonClick : OnCheckButtonClick;
}

void TbsSkinCustomListBox::CaptionButtonAction(int button) {
    const int index = ItemIndex();
    if (button == 0 && index > 0)
        SetItemIndex(index - 1);
    else if (button == 1 && index + 1 < Count())
        SetItemIndex(index + 1);
    else if (button == 2)
        FInnerList->Click();
}

void TbsSkinCustomListBox::CaptionRepeatTick() {
    if (FCapturedButton < 0 || FCapturedButton > 1) {
        FRepeatTimer.stop();
        return;
    }
    if (!FRepeatStarted) {
        // The first tick after the delay only switches to the repeat rate.
        FRepeatStarted = true;
        FRepeatTimer.setInterval(100);
        return;
    }
    CaptionButtonAction(FCapturedButton);
}

void TbsSkinCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    LayoutCaptionButtons();
    const int button = Button == mbLeft ? CaptionButtonAt(TPoint(X, Y)) : -1;
    if (button >= 0) {
        FCapturedButton = button;
        FButtons[size_t(button)].Pressed = true;
        FButtons[size_t(button)].Hot = true;
        if (button < 2 && !CaptionButtonEvent(button)) {
            FRepeatStarted = false;
            FRepeatTimer.start(500);
        }
        Invalidate();
    }
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TbsSkinCustomListBox::MouseMove(TShiftState Shift, int X, int Y) {
    const int over = CaptionButtonAt(TPoint(X, Y));
    bool changed = false;
    for (int i = 0; i < 3; ++i) {
        TCaptionButton& b = FButtons[size_t(i)];
        // While one is held only it tracks the mouse.
        const bool hot = over == i && (FCapturedButton < 0 || FCapturedButton == i);
        changed = changed || hot != b.Hot;
        b.Hot = hot;
    }
    if (changed)
        Invalidate();
    TbsSkinCustomControl::MouseMove(Shift, X, Y);
}

void TbsSkinCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const int button = FCapturedButton;
    if (Button == mbLeft && button >= 0) {
        FRepeatTimer.stop();
        FCapturedButton = -1;
        FButtons[size_t(button)].Pressed = false;
        Invalidate();
        if (CaptionButtonAt(TPoint(X, Y)) == button) {
            if (CaptionButtonEvent(button))
                FireEvent(CaptionButtonEvent(button), this);
            else
                CaptionButtonAction(button);
        }
    }
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TbsSkinCustomListBox::MouseLeave() {
    for (TCaptionButton& b : FButtons)
        b.Hot = false;
    Invalidate();
    TbsSkinCustomControl::MouseLeave();
}

void TbsSkinCustomListBox::AssignItemFont(TFont& font) const {
    if (FSkinIndex != -1 && FHasListRecord) {
        AssignSkinFont(font, FRecord.FontName, FRecord.FontHeight, FRecord.FontStyle);
        return;
    }
    font.Assign(*Font());
    font.SetCharset(DefaultFont()->Charset());
}

void TbsSkinCustomListBox::PaintListBackground(TCanvas& canvas, const TRect& area) {
    if (area.IsEmpty())
        return;
    if (FSkinIndex != -1 && Picture) {
        // The picture's client part, repeated from the list's corner.
        TRect source = SkinClientRect;
        source.Offset(SkinRect.Left, SkinRect.Top);
        TilePicturePiece(canvas, area, *Picture, source, TPoint(0, 0));
        return;
    }
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = clWindow;
    canvas.FillRect(area);
}

void TbsSkinCustomListBox::PaintInnerList(TCanvas& canvas) {
    FetchSkinRecord();
    const int w = FInnerList->Width();
    const int h = FInnerList->Height();
    const int itemHeight = std::max(1, ItemHeight());
    const int first = FInnerList->TopIndex();
    const int last = std::min(Count() - 1, first + h / itemHeight);
    int bottom = 0;
    TBitmap item;
    item.SetDevicePixelRatio(canvas.DevicePixelRatio());
    for (int i = first; i <= last; ++i) {
        const int y = (i - first) * itemHeight;
        item.SetSize(w, itemHeight);
        DrawItemImage(item, i, ItemState(*FInnerList, i));
        canvas.Draw(0, y, item);
        bottom = y + itemHeight;
    }
    PaintListBackground(canvas, TRect(0, bottom, w, h));
}

void TbsSkinCustomListBox::DrawItemImage(TBitmap& bitmap, int index, TOwnerDrawState state) {
    if (index < 0 || index >= Count() || bitmap.Empty())
        return;
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    TCanvas& c = bitmap.Canvas();
    const bool selected = state & odSelected;
    const bool focused = state & odFocused;
    const bool skinned = FSkinIndex != -1 && FHasListRecord && Picture;
    if (!skinned) {
        c.Font.Assign(*Font());
        c.Font.SetCharset(DefaultFont()->Charset());
        c.Brush.Style = bsSolid;
        c.Brush.Color = selected ? clHighlight : clWindow;
        c.Font.SetColor(selected ? clHighlightText : Font()->Color());
        c.FillRect(TRect(0, 0, w, h));
        DrawItemContent(c, index, TRect(2, 0, w - 2, h), state, w, h);
        if (focused)
            c.DrawFocusRect(TRect(0, 0, w, h));
        return;
    }
    TRect source = FRecord.ItemRect;
    if (focused && selected)
        source = FRecord.FocusItemRect;
    else if (selected)
        source = FRecord.ActiveItemRect;
    TBitmap face;
    CreateHSkinImage(FRecord.ItemLeftOffset, FRecord.ItemRightOffset, face, w, source, *Picture);
    TRect text = FRecord.ItemTextRect;
    text.Right += w - FRecord.ItemRect.Width();
    if (face.Height() == h || FRecord.ItemRect.Height() <= 0) {
        c.Draw(0, 0, face);
    } else {
        c.StretchDraw(TRect(0, 0, w, h), face);
        text.Bottom = text.Top + (text.Height() * h) / FRecord.ItemRect.Height();
    }
    AssignItemFont(c.Font);
    if (!selected)
        c.Font.SetColor(FRecord.FontColor);
    else if (focused)
        c.Font.SetColor(FRecord.FocusFontColor);
    else
        c.Font.SetColor(FRecord.ActiveFontColor);
    DrawItemContent(c, index, text, state, w, h);
    if (focused && !selected)
        c.DrawFocusRect(TRect(0, 0, w, h));
}

void TbsSkinCustomListBox::DrawItemContent(TCanvas& c, int index, const TRect& textRect,
                                           TOwnerDrawState state, int itemWidth, int itemHeight) {
    if (OnDrawItem) {
        FireEvent(OnDrawItem, this, c, index, itemWidth, itemHeight, textRect, state);
        return;
    }
    const int offsetX = FInnerList->ScrollOffsetX();
    int indent = 0;
    if (FImages) {
        const int image = FImageIndex >= 0 ? FImageIndex : index;
        if (image >= 0 && image < FImages->Count())
            FImages->Draw(c, textRect.Left - offsetX,
                          textRect.Top + (textRect.Height() - FImages->Height()) / 2, image);
        indent = FImages->Width() + 2;
    }
    c.Brush.Style = bsClear;
    DrawTextVCenteredOffset(c, Items()->Strings(index), textRect, indent - offsetX);
}

// --- Hooks

void TbsSkinCustomListBox::ListMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FireEvent(OnListBoxMouseDown, this, Button, Shift, X, Y);
}

void TbsSkinCustomListBox::ListMouseMove(TShiftState Shift, int X, int Y) {
    FireEvent(OnListBoxMouseMove, this, Shift, X, Y);
}

void TbsSkinCustomListBox::ListMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    FireEvent(OnListBoxMouseUp, this, Button, Shift, X, Y);
}

void TbsSkinCustomListBox::ListClick() {
    FireEvent(OnListBoxClick, this);
}

void TbsSkinCustomListBox::ListDblClick() {
    FireEvent(OnListBoxDblClick, this);
}

void TbsSkinCustomListBox::ListKeyDown(int& Key, TShiftState Shift) {
    FireEvent(OnListBoxKeyDown, this, Key, Shift);
}

void TbsSkinCustomListBox::ListKeyUp(int& Key, TShiftState Shift) {
    FireEvent(OnListBoxKeyUp, this, Key, Shift);
}

void TbsSkinCustomListBox::ListKeyPress(QChar& Key) {
    FireEvent(OnListBoxKeyPress, this, Key);
}
