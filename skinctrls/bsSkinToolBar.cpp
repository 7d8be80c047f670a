// The tool bar: what it hands on to its speed buttons, and the scrolling of an overfull bar.

#include "skinctrls/bsSkinExCtrls.h"

#include "skin/bsSkinRecordLookup.h"
#include "skinctrls/bsSkinBevel.h"
#include "skinctrls/bsSkinButton.h"

#include <QRegion>
#include <algorithm>

// ---------------------------------------------------------------- tool bar

TbsSkinToolBar::TbsSkinToolBar(QWidget* parent) : TbsSkinPanel(parent) {
    FSkinDataName = QStringLiteral("toolpanel");
    SetDefaultHeight(25);
    SetBorderStyle(bvNone);
    SetHeight(25);
    FScrollTimer.setInterval(FScrollTimerInterval);
    connect(&FScrollTimer, &QTimer::timeout, this, [this] { ScrollStep(FTimerButton); });
}

TbsSkinToolBar::~TbsSkinToolBar() = default;

void TbsSkinToolBar::SetSkinData(TbsSkinData* value) {
    TbsSkinPanel::SetSkinData(value);
    for (TControl* child : ControlList()) {
        if (auto* button = dynamic_cast<TbsSkinSpeedButton*>(child))
            button->SetSkinData(value);
        else if (auto* bevel = dynamic_cast<TbsSkinBevel*>(child))
            bevel->SetSkinData(value);
    }
}

void TbsSkinToolBar::SetFlat(bool value) {
    FFlat = value;
    for (TControl* child : ControlList())
        if (auto* button = dynamic_cast<TbsSkinSpeedButton*>(child))
            button->SetFlat(value);
}

void TbsSkinToolBar::SetImages(TImageList* value) {
    FImages = value;
    for (TControl* child : ControlList())
        if (auto* button = dynamic_cast<TbsSkinSpeedButton*>(child))
            button->Invalidate();
}

void TbsSkinToolBar::SetShowCaptions(bool value) {
    if (FShowCaptions == value)
        return;
    FShowCaptions = value;
    if (!AutoShowHideCaptions)
        return;
    for (TControl* child : ControlList())
        if (auto* button = dynamic_cast<TbsSkinSpeedButton*>(child))
            button->SetShowCaption(value);
    if (WidthWithCaptions > 0 && WidthWithoutCaptions > 0)
        SetWidth(value ? WidthWithCaptions : WidthWithoutCaptions);
}

void TbsSkinToolBar::SetScrollOffset(int value) {
    if (value >= 0)
        FScrollOffset = value;
}

void TbsSkinToolBar::SetScrollTimerInterval(int value) {
    if (value <= 0)
        return;
    FScrollTimerInterval = value;
    FScrollTimer.setInterval(value);
}

// ---- scrolling

void TbsSkinToolBar::SetCanScroll(bool value) {
    if (FCanScroll == value)
        return;
    FCanScroll = value;
    UpdateScrolling();
}

int TbsSkinToolBar::ContentRight() const {
    const int origin = FScrollButtonsShown ? ScrollButtonWidth : 0;
    int right = 0;
    for (TControl* child : ControlList())
        if (child->Visible())
            right = std::max(right, child->Left() + child->Width() - origin + FScrollPosition);
    return right;
}

int TbsSkinToolBar::MaxScrollPosition(bool buttons) const {
    const int room = Width() - (buttons ? 2 * ScrollButtonWidth : 0);
    return std::max(0, ContentRight() - room);
}

void TbsSkinToolBar::PlaceChildren(int position, bool buttons) {
    const int oldOrigin = (FScrollButtonsShown ? ScrollButtonWidth : 0) - FScrollPosition;
    const int newOrigin = (buttons ? ScrollButtonWidth : 0) - position;
    const bool buttonsChanged = buttons != FScrollButtonsShown;
    FScrollButtonsShown = buttons;
    FScrollPosition = position;
    if (newOrigin != oldOrigin) {
        FPlacing = true;
        for (TControl* child : ControlList())
            child->SetLeft(child->Left() + newOrigin - oldOrigin);
        FPlacing = false;
    }
    if (buttonsChanged || newOrigin != oldOrigin) {
        ClipChildren();
        Invalidate();
    }
}

void TbsSkinToolBar::ClipChildren() {
    // The scroll buttons lie outside the children's area: a child is cut to the part
    // between them (a child wholly outside keeps a mask beside itself, so shows nothing).
    const int left = FScrollButtonsShown ? ScrollButtonWidth : 0;
    const int right = FScrollButtonsShown ? Width() - ScrollButtonWidth : Width();
    for (TControl* child : ControlList()) {
        const int from = std::max(left, child->Left()) - child->Left();
        const int to = std::min(right, child->Left() + child->Width()) - child->Left();
        if (!FScrollButtonsShown || (from == 0 && to == child->Width()))
            child->clearMask();
        else if (to <= from)
            child->setMask(QRegion(-2, -2, 1, 1));
        else
            child->setMask(QRegion(from, 0, to - from, child->Height()));
    }
}

void TbsSkinToolBar::UpdateScrolling() {
    if (FPlacing)
        return;
    // The children's extent as if the bar were not scrolled.
    const bool overfull = FCanScroll && ContentRight() > Width();
    if (!overfull) {
        StopScrolling();
        PlaceChildren(0, false);
        return;
    }
    PlaceChildren(std::min(FScrollPosition, MaxScrollPosition(true)), true);
}

void TbsSkinToolBar::SizeChanged() {
    TbsSkinPanel::SizeChanged();
    UpdateScrolling();
    if (FScrollButtonsShown)
        ClipChildren();
}

void TbsSkinToolBar::ControlChanged(TControl* child) {
    TbsSkinPanel::ControlChanged(child);
    UpdateScrolling();
}

TRect TbsSkinToolBar::ScrollButtonRect(int button) const {
    if (!FScrollButtonsShown)
        return TRect();
    if (button == LeftScrollButton)
        return TRect(0, 0, ScrollButtonWidth, Height());
    if (button == RightScrollButton)
        return TRect(Width() - ScrollButtonWidth, 0, Width(), Height());
    return TRect();
}

int TbsSkinToolBar::ScrollButtonAt(const TPoint& p) const {
    for (int button : {LeftScrollButton, RightScrollButton})
        if (PtInRect(ScrollButtonRect(button), p))
            return button;
    return NoScrollButton;
}

void TbsSkinToolBar::ScrollStep(int button) {
    if (!FScrollButtonsShown || button == NoScrollButton)
        return;
    const int room = Width() - 2 * ScrollButtonWidth;
    const int step = FScrollOffset > 0 ? FScrollOffset : std::max(1, room);
    const int wanted = FScrollPosition + (button == RightScrollButton ? step : -step);
    PlaceChildren(std::clamp(wanted, 0, MaxScrollPosition(true)), true);
}

void TbsSkinToolBar::StartScrolling(int button) {
    FTimerButton = button;
    FScrollTimer.start();
}

void TbsSkinToolBar::StopScrolling() {
    FScrollTimer.stop();
    FTimerButton = NoScrollButton;
}

void TbsSkinToolBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    const int button = Button == mbLeft ? ScrollButtonAt(TPoint(X, Y)) : NoScrollButton;
    if (button == NoScrollButton) {
        TbsSkinPanel::MouseDown(Button, Shift, X, Y);
        return;
    }
    FPressedScrollButton = button;
    StartScrolling(button);
    Invalidate();
}

void TbsSkinToolBar::MouseMove(TShiftState Shift, int X, int Y) {
    TbsSkinPanel::MouseMove(Shift, X, Y);
    const int button = ScrollButtonAt(TPoint(X, Y));
    if (button == FHotScrollButton)
        return;
    FHotScrollButton = button;
    if (FPressedScrollButton == NoScrollButton) {
        if (HotScroll && button != NoScrollButton)
            StartScrolling(button);
        else
            StopScrolling();
    } else if (button != FPressedScrollButton) {
        StopScrolling(); // leaving the pressed button stops it
    }
    Invalidate();
}

void TbsSkinToolBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button != mbLeft || FPressedScrollButton == NoScrollButton) {
        TbsSkinPanel::MouseUp(Button, Shift, X, Y);
        return;
    }
    const int button = FPressedScrollButton;
    FPressedScrollButton = NoScrollButton;
    StopScrolling();
    ScrollStep(button);
    Invalidate();
}

void TbsSkinToolBar::MouseLeave() {
    TbsSkinPanel::MouseLeave();
    FHotScrollButton = NoScrollButton;
    StopScrolling();
    Invalidate();
}

// ---- painting

void TbsSkinToolBar::DrawDefaultImage(TBitmap& bitmap) {
    TbsSkinPanel::DrawDefaultImage(bitmap);
    DrawScrollButtons(bitmap);
}

void TbsSkinToolBar::DrawSkinImage(TBitmap& bitmap) {
    TbsSkinPanel::DrawSkinImage(bitmap);
    DrawScrollButtons(bitmap);
}

void TbsSkinToolBar::DrawScrollButtons(TBitmap& bitmap) {
    if (!FScrollButtonsShown)
        return;
    TCanvas& canvas = bitmap.Canvas();
    const auto found =
        FindControlRecord<TbsDataSkinButtonControl>(SkinData(), QStringLiteral("resizebutton"));
    const TBitmap* picture = nullptr;
    if (found.Record && SkinData()) {
        const auto& pictures = SkinData()->ActivePictures;
        const int index = found.Record->PictureIndex;
        if (index >= 0 && index < static_cast<int>(pictures.size()))
            picture = pictures[static_cast<size_t>(index)].get();
    }
    for (int button : {LeftScrollButton, RightScrollButton}) {
        const TRect rect = ScrollButtonRect(button);
        const bool hot = FHotScrollButton == button;
        const bool down = FPressedScrollButton == button || (HotScroll && hot);
        const auto arrow =
            button == LeftScrollButton ? TbsArrowDirection::Left : TbsArrowDirection::Right;
        if (picture && !picture->Empty()) {
            const auto* r = found.Record;
            auto orSkin = [r](const TRect& state) {
                return IsNullRect(state) ? r->SkinRect : state;
            };
            const TRect face = down  ? orSkin(r->DownSkinRect)
                               : hot ? orSkin(r->ActiveSkinRect)
                                     : r->SkinRect;
            TBitmap piece(face.Width(), face.Height());
            piece.Canvas().Draw(-face.Left, -face.Top, *picture);
            canvas.StretchDraw(rect, piece);
            DrawArrowMark(canvas, rect,
                          down  ? r->DownFontColor
                          : hot ? r->ActiveFontColor
                                : r->FontColor,
                          arrow);
            continue;
        }
        if (down)
            DrawDefaultFace(canvas, rect, TbsDefaultLook::Pressed);
        else if (hot)
            DrawDefaultFace(canvas, rect, TbsDefaultLook::Hot);
        else {
            canvas.Brush.Color = clBtnFace;
            canvas.FillRect(rect);
        }
        DrawArrowMark(canvas, rect, clBtnText, arrow);
    }
}
