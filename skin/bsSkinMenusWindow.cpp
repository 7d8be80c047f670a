// The popup window's behaviour: building its items, size, fitting and placement, the
// mouse poll, hot tracking, keyboard moves and scrolling.

#include "skin/bsSkinMenus.h"

#include "skin/bsEffects.h"

#include "framework/Canvas.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>

// ---------------------------------------------------------------- items

TbsSkinMenuItem::TbsSkinMenuItem(TbsSkinPopupWindow* window, TMenuItem* menuItem,
                                 const TbsDataSkinMenuItem* record, const TBitmap* picture)
    : Window(window), Record(record), Picture(picture), MenuItem(menuItem) {}

bool TbsSkinMenuItem::NeedsMorphStep() {
    if (!Shown) {
        if (MorphProgress != 0) {
            Hot = false;
            Expanded = false;
            MorphProgress = 0;
        }
        return false;
    }
    return On() ? MorphProgress < 1 : MorphProgress > 0;
}

bool TbsSkinMenuItem::IsSeparator() const {
    return MenuItem && MenuItem->IsLine();
}

bool TbsSkinMenuItem::IsEnabled() const {
    return MenuItem && MenuItem->Enabled();
}

bool TbsSkinMenuItem::HasChildren() const {
    return MenuItem && MenuItem->Count() > 0;
}

QString TbsSkinMenuItem::Caption() const {
    return MenuItem ? MenuItem->Caption() : QString();
}

// ---------------------------------------------------------------- window

TbsSkinPopupWindow::TbsSkinPopupWindow(TbsSkinMenu* engine) : TCustomControl(nullptr) {
    FEngine = engine;
    // A top-level that bypasses the window manager, stays on top and is never activated.
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus | Qt::BypassWindowManagerHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    FPollTimer.setInterval(50);
    FAnimationTimer.setInterval(20);
    FScrollTimer.setInterval(100);
    connect(&FPollTimer, &QTimer::timeout, this, &TbsSkinPopupWindow::PollTick);
    connect(&FAnimationTimer, &QTimer::timeout, this, &TbsSkinPopupWindow::MorphTick);
    connect(&FScrollTimer, &QTimer::timeout, this, &TbsSkinPopupWindow::ScrollTick);
}

TbsSkinPopupWindow::~TbsSkinPopupWindow() = default;

void TbsSkinPopupWindow::Dismiss() {
    FPollTimer.stop();
    FAnimationTimer.stop();
    FScrollTimer.stop();
    FEngine = nullptr;
    hide();
}

int TbsSkinPopupWindow::IndexOfMenuItem(const TMenuItem* item) const {
    for (int i = 0; i < ItemCount(); ++i)
        if (FItems[i]->MenuItem == item)
            return i;
    return -1;
}

int TbsSkinPopupWindow::IndexOfItem(const TbsSkinMenuItem* item) const {
    for (int i = 0; i < ItemCount(); ++i)
        if (FItems[i].get() == item)
            return i;
    return -1;
}

TRect TbsSkinPopupWindow::ItemScreenRect(int index) const {
    TRect r = FItems[index]->Bounds;
    r.Offset(FScreenPos.X, FScreenPos.Y);
    return r;
}

namespace {

const TBitmap* ActivePicture(const TbsSkinData& d, int index) {
    if (index < 0 || index >= static_cast<int>(d.ActivePictures.size()))
        return nullptr;
    return d.ActivePictures[index].get();
}

} // namespace

void TbsSkinPopupWindow::ChooseSkin() {
    TbsSkinData* d = FEngine->SkinData();
    if (!d || d->SkinEmpty)
        return;
    FFramePicture = ActivePicture(*d, d->PopupWindow.WindowPictureIndex);
    if (!FFramePicture || FFramePicture->Empty())
        return; // no usable popup picture: the plain look
    FWindowRecord = &d->PopupWindow;
    FFrameMask = ActivePicture(*d, d->PopupWindow.MaskPictureIndex);
    for (const auto& record : d->SkinObjects)
        if (auto* item = dynamic_cast<const TbsDataSkinMenuItem*>(record.get())) {
            // A record whose picture is missing would give items without height: plain
            // items stand in for it.
            FItemPicture = ActivePicture(*d, item->ActivePictureIndex);
            if (FItemPicture && !FItemPicture->Empty() && !item->SkinRect.IsEmpty())
                FItemRecord = item;
            break;
        }
}

void TbsSkinPopupWindow::ApplyCanvasFont(TFont& font) const {
    const TFont& def = FEngine->DefMenuItemFont();
    font.Assign(def);
    if (FWindowRecord && FItemRecord && FEngine->UseSkinFontInMenu) {
        font.SetName(FItemRecord->FontName);
        font.SetStyle(FItemRecord->FontStyle);
        font.SetHeight(FItemRecord->FontHeight);
        font.SetCharset(def.Charset());
    }
}

void TbsSkinPopupWindow::BuildItems(const TbsPopupRequest& request) {
    FItems.clear();
    for (TMenuItem* menuItem : request.Items)
        FItems.push_back(std::make_unique<TbsSkinMenuItem>(this, menuItem, FItemRecord,
                                                           FItemRecord ? FItemPicture : nullptr));
}

std::vector<int> TbsSkinPopupWindow::ItemHeights() const {
    TbsPopupLook look;
    look.Window = FWindowRecord;
    look.Item = FItemRecord;
    look.DefItemHeight = FEngine ? FEngine->DefMenuItemHeight : 20;
    std::vector<int> heights;
    for (const auto& item : FItems)
        heights.push_back(PopupItemHeight(look, item->IsSeparator()));
    return heights;
}

void TbsSkinPopupWindow::Open(const TbsPopupRequest& request) {
    ChooseSkin();
    if (FEngine->FadesIn())
        QCoreApplication::processEvents();
    ApplyCanvasFont(Canvas()->Font);
    FImages = request.Images;
    BuildItems(request);

    const bool hasImages = FImages && FImages->Count() > 0;
    FGlyphColumnWidth = PopupGlyphColumnWidth(FImages ? FImages->Width() : 0, hasImages);
    TbsPopupLook look;
    look.Window = FWindowRecord;
    look.Item = FItemRecord;
    look.DefItemHeight = FEngine->DefMenuItemHeight;
    if (FFramePicture) {
        look.PW = FFramePicture->Width();
        look.PH = FFramePicture->Height();
    }
    std::vector<TbsPopupLine> lines;
    for (const auto& item : FItems) {
        QString text = item->Caption();
        if (item->MenuItem && item->MenuItem->ShortCut() != scNone)
            text += QStringLiteral("  ") + item->MenuItem->ShortCutText();
        TRect r(0, 0, 0, 0);
        Canvas()->DrawText(text, r, DT_CALCRECT | DT_SINGLELINE);
        lines.push_back(TbsPopupLine{r.Width(), item->IsSeparator()});
    }
    const TSize size = PopupWindowSize(look, lines, FGlyphColumnWidth);
    const int W = size.cx;
    int H = size.cy;
    const TRect& work = FEngine->WorkArea();
    FFirstVisible = 0;
    FShownCount = ItemCount();
    FScrolling = false;
    if (!work.IsEmpty() && H > work.Height()) {
        H = work.Height();
        FScrolling = true;
    }
    FFit = FWindowRecord ? FitPopupFrame(*FWindowRecord, look.PW, look.PH, W, H)
                         : FitPlainPopupFrame(W, H);
    resize(W, H);
    LayOutItems();
    SetWindowRegion();

    TbsPopupOpening opening = request.Opening;
    opening.Scrolling = FScrolling;
    FScreenPos = PlacePopupWindow(opening, work, W, H, FFit.ItemsRect.Top);
    move(FScreenPos.X, FScreenPos.Y);
    ApplyOpacity();
    show();
    if (FEngine && FEngine->FadesIn()) {
        // The first window of a fresh menu fades in, one step after another.
        for (int alpha = 3; alpha < FEngine->MenusAlphaBlendValue; alpha += 3) {
            SetWindowAlpha(this, alpha);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            if (!FEngine)
                return; // closed while fading
        }
        SetWindowAlpha(this, FEngine->MenusAlphaBlendValue);
    }
    FPollTimer.start();
    PreselectFirstItem();
}

void TbsSkinPopupWindow::ApplyOpacity() {
    if (!FEngine->UsesOpacity())
        return;
    SetWindowAlpha(this, FEngine->FadesIn() ? 0 : FEngine->MenusAlphaBlendValue);
}

void TbsSkinPopupWindow::LayOutItems() {
    const TbsPopupLayout layout =
        LayOutPopupItems(ItemHeights(), FFit.ItemsRect, FScrolling, FFirstVisible);
    for (int i = 0; i < ItemCount(); ++i) {
        FItems[i]->Bounds = layout.Bounds[i];
        FItems[i]->Shown = layout.Shown[i];
    }
    FShownCount = layout.ShownCount;
}

void TbsSkinPopupWindow::SetWindowRegion() {
    if (!FWindowRecord || !FFrameMask)
        return;
    const TbsDataSkinPopupWindow& r = *FWindowRecord;
    const TbsRegion region = CreateSkinRegion(
        r.LeftTopPoint, r.RightTopPoint, r.LeftBottomPoint, r.RightBottomPoint, r.ItemsRect,
        FFit.LT, FFit.RT, FFit.LB, FFit.RB, FFit.ItemsRect, *FFrameMask, width(), height());
    if (region)
        setMask(*region);
}

void TbsSkinPopupWindow::PreselectFirstItem() {
    FHotIndex = -1;
    for (int i = 0; i < ItemCount(); ++i)
        if (Usable(i)) {
            FItems[i]->Preselected = true;
            FHotIndex = i;
            ActivateItem(i, false);
            return;
        }
}

bool TbsSkinPopupWindow::Usable(int index) const {
    const TbsSkinMenuItem& item = *FItems[index];
    return item.IsEnabled() && !item.IsSeparator();
}

// ---------------------------------------------------------------- hot tracking

void TbsSkinPopupWindow::ActivateItem(int index, bool byMouse) {
    if (!FEngine || index < 0 || index >= ItemCount())
        return;
    TbsSkinMenuItem* item = FItems[index].get();
    const bool wasOn = item->On();
    item->Hot = true;
    for (int i = 0; i < ItemCount(); ++i)
        if (i != index && FItems[i]->Expanded) {
            FItems[i]->Expanded = false;
            ItemTurned(i);
        }
    if (item->Preselected && byMouse) {
        RepaintItem(index);
    } else if (item->Expanded) {
        const int level = FEngine->LevelOf(this);
        if (level >= 0 && level + 1 < FEngine->LevelCount()) {
            FEngine->CloseLevels(level + 2);
            FEngine->Levels(level + 1)->CollapseItems();
        }
    } else {
        if (!wasOn)
            ItemTurned(index);
        else
            RepaintItem(index);
        FEngine->ItemActivated(this, item, byMouse);
    }
}

void TbsSkinPopupWindow::DeactivateItem(int index) {
    if (index < 0 || index >= ItemCount())
        return;
    TbsSkinMenuItem* item = FItems[index].get();
    const bool wasOn = item->On();
    item->Hot = false;
    item->Preselected = false;
    if (!item->Expanded && wasOn)
        ItemTurned(index);
    if (FEngine)
        FEngine->ItemDeactivated(item);
}

void TbsSkinPopupWindow::SetHot(int index, bool byMouse) {
    if (index == FHotIndex) {
        ActivateItem(index, byMouse);
        return;
    }
    const int previous = FHotIndex;
    FHotIndex = index;
    if (previous >= 0 && previous < ItemCount())
        DeactivateItem(previous);
    ActivateItem(index, byMouse);
}

void TbsSkinPopupWindow::CollapseItems() {
    for (int i = 0; i < ItemCount(); ++i)
        if (FItems[i]->Expanded) {
            FItems[i]->Expanded = false;
            ItemTurned(i);
        }
}

// An item turned on or off: morphing items animate, the others repaint at once.
void TbsSkinPopupWindow::ItemTurned(int index) {
    const TbsSkinMenuItem& item = *FItems[index];
    if (item.Record && item.Record->Morphing) {
        if (!FAnimationTimer.isActive())
            FAnimationTimer.start();
        return;
    }
    RepaintItem(index);
}

void TbsSkinPopupWindow::RepaintItem(int index) {
    const TbsSkinMenuItem& item = *FItems[index];
    if (item.Shown)
        update(item.Bounds.ToQRect());
}

void TbsSkinPopupWindow::MorphTick() {
    bool stepped = false;
    for (int i = 0; i < ItemCount(); ++i) {
        TbsSkinMenuItem& item = *FItems[i];
        if (!item.NeedsMorphStep())
            continue;
        item.MorphProgress =
            std::clamp(item.MorphProgress +
                           (item.On() ? TbsMorphProgress::StepSize : -TbsMorphProgress::StepSize),
                       0.0, 1.0);
        RepaintItem(i);
        stepped = true;
    }
    if (!stepped)
        FAnimationTimer.stop();
}

void TbsSkinPopupWindow::PollTick() {
    if (!FEngine)
        return;
    const QPoint global = QCursor::pos();
    const TPoint p = TPoint::FromQPoint(mapFromGlobal(global));
    if (!(p == FLastCursor)) {
        if (QApplication::widgetAt(global) == this)
            HoverAt(p);
        else if (FScrolling && FScrollState != TbsScrollState::None)
            StopScroll();
    }
    FLastCursor = p;
}

void TbsSkinPopupWindow::mouseMoveEvent(QMouseEvent* event) {
    const TPoint p = TPoint::FromQPoint(event->position().toPoint());
    if (!(p == FLastCursor))
        HoverAt(p);
    FLastCursor = p;
}

void TbsSkinPopupWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        ReleaseAt(TPoint::FromQPoint(event->position().toPoint()));
}

namespace {

bool Contains(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

} // namespace

void TbsSkinPopupWindow::HoverAt(TPoint p) {
    if (!FEngine)
        return;
    if (FScrolling)
        TrackScrollStrips(p);
    FPrevHotIndex = FHotIndex;
    for (int i = 0; i < ItemCount(); ++i)
        if (FItems[i]->Shown && Contains(FItems[i]->Bounds, p)) {
            FHotIndex = i;
            break;
        }
    if (FHotIndex == FPrevHotIndex) {
        if (FHotIndex < 0)
            return;
        TbsSkinMenuItem& item = *FItems[FHotIndex];
        if (item.Preselected) {
            item.Preselected = false;
            if (item.HasChildren())
                ActivateItem(FHotIndex, true);
        }
        return;
    }
    if (FPrevHotIndex >= 0 && Usable(FPrevHotIndex))
        DeactivateItem(FPrevHotIndex);
    else if (FPrevHotIndex >= 0)
        FItems[FPrevHotIndex]->Hot = false;
    if (Usable(FHotIndex))
        ActivateItem(FHotIndex, true);
}

void TbsSkinPopupWindow::ReleaseAt(TPoint p) {
    if (!FEngine)
        return;
    HoverAt(p);
    if (FHotIndex < 0)
        return;
    const TbsSkinMenuItem& item = *FItems[FHotIndex];
    if (item.Shown && Contains(item.Bounds, p) && !item.IsSeparator())
        FEngine->ChooseItem(this, FHotIndex);
}

// ---------------------------------------------------------------- keyboard

void TbsSkinPopupWindow::NextItem() {
    const int count = ItemCount();
    if (count == 0)
        return;
    const int lastShown = FFirstVisible + FShownCount - 1;
    auto viewDown = [&] { ScrollTo(FFirstVisible + FShownCount >= count ? 0 : FFirstVisible + 1); };
    if (FScrolling && FScrollState == TbsScrollState::None && FHotIndex == lastShown)
        viewDown();
    int start = FHotIndex < 0 || FHotIndex >= count - 1 ? 0 : FHotIndex + 1;
    for (int n = 0; n < count; ++n) {
        const int i = (start + n) % count;
        if (!Usable(i))
            continue;
        if (FScrolling) {
            if (i < FFirstVisible)
                ScrollTo(i); // wrapped to the top
            while (i >= FFirstVisible + FShownCount)
                viewDown();
        }
        SetHot(i, false);
        return;
    }
}

void TbsSkinPopupWindow::PrevItem() {
    const int count = ItemCount();
    if (count == 0)
        return;
    const int lastStart = PopupLastScreenfulStart(ItemHeights(), FFit.ItemsRect);
    auto viewUp = [&] { ScrollTo(FFirstVisible == 0 ? lastStart : FFirstVisible - 1); };
    if (FScrolling && FScrollState == TbsScrollState::None && FHotIndex == FFirstVisible)
        viewUp();
    int start = FHotIndex <= 0 ? count - 1 : FHotIndex - 1;
    for (int n = 0; n < count; ++n) {
        const int i = (start - n + count) % count;
        if (!Usable(i))
            continue;
        if (FScrolling) {
            if (i >= FFirstVisible + FShownCount)
                ScrollTo(std::min(i, lastStart)); // wrapped to the end
            while (i < FFirstVisible)
                viewUp();
        }
        SetHot(i, false);
        return;
    }
}

// ---------------------------------------------------------------- scrolling

TRect TbsSkinPopupWindow::UpStrip() const {
    const TRect& r = FFit.ItemsRect;
    return TRect(r.Left, r.Top, r.Right, r.Top + PopupScrollStripHeight);
}

TRect TbsSkinPopupWindow::DownStrip() const {
    const TRect& r = FFit.ItemsRect;
    return TRect(r.Left, r.Bottom - PopupScrollStripHeight, r.Right, r.Bottom);
}

bool TbsSkinPopupWindow::ItemsBelowView() const {
    return FFirstVisible + FShownCount < ItemCount();
}

void TbsSkinPopupWindow::ScrollTo(int firstVisible) {
    FFirstVisible = std::clamp(firstVisible, 0, std::max(0, ItemCount() - 1));
    LayOutItems();
    update();
}

void TbsSkinPopupWindow::StartScroll(TbsScrollState state) {
    FScrollState = state;
    update();
    FEngine->CloseWindowsAfter(this);
    FScrollTimer.start();
}

void TbsSkinPopupWindow::StopScroll() {
    FScrollState = TbsScrollState::None;
    FScrollTimer.stop();
    update();
}

void TbsSkinPopupWindow::TrackScrollStrips(TPoint p) {
    const bool inUp = Contains(UpStrip(), p), inDown = Contains(DownStrip(), p);
    if (FScrollState == TbsScrollState::None) {
        if (inUp && FFirstVisible > 0)
            StartScroll(TbsScrollState::Up);
        else if (inDown && ItemsBelowView())
            StartScroll(TbsScrollState::Down);
    } else if (!inUp && !inDown) {
        StopScroll();
    }
}

void TbsSkinPopupWindow::ScrollTick() {
    if (FScrollState == TbsScrollState::Up && FFirstVisible > 0)
        ScrollTo(FFirstVisible - 1);
    else if (FScrollState == TbsScrollState::Down && ItemsBelowView())
        ScrollTo(FFirstVisible + 1);
    const bool atEnd = FScrollState == TbsScrollState::Up ? FFirstVisible == 0 : !ItemsBelowView();
    if (FScrollState == TbsScrollState::None || atEnd)
        StopScroll();
}
