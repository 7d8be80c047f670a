#include "skinctrls/bsSkinViews.h"

#include "skin/bsSkinRecordLookup.h"

#include "framework/ImgList.h"

#include <QHeaderView>
#include <QListView>
#include <QPaintEvent>
#include <QPainter>
#include <QTreeView>
#include <QTreeWidget>
#include <cstdlib>

namespace {

const TBitmap* PictureOf(const TbsSkinData& data, int index) {
    if (index < 0 || index >= static_cast<int>(data.ActivePictures.size()))
        return nullptr;
    const TBitmap* picture = data.ActivePictures[static_cast<size_t>(index)].get();
    return picture && !picture->Empty() ? picture : nullptr;
}

bool PointSet(const TPoint& p) {
    return p.X != 0 || p.Y != 0;
}

} // namespace

// ---------------------------------------------------------------- TbsSkinViewBase

template <class View>
TbsSkinViewBase<View>::TbsSkinViewBase(QWidget* parent, const QString& skinDataName)
    : View(parent), FSkinDataName(skinDataName) {
    FDefaultFont.SetName(QStringLiteral("Arial"));
    FDefaultFont.SetHeight(14);
    View::SetBorderStyle(bsNone);
    View::SetNativeScrollBarsHidden(true);
    View::SetFont(FDefaultFont);
    View::SetColor(FNoSkinColor);
}

template <class View> TbsSkinViewBase<View>::~TbsSkinViewBase() {
    if (FVScrollBar)
        FVScrollBar->OnChange = nullptr;
    if (FHScrollBar)
        FHScrollBar->OnChange = nullptr;
}

template <class View> void TbsSkinViewBase<View>::SetSkinData(TbsSkinData* value) {
    FSkinData = value;
    if (value && !value->SkinEmpty)
        ApplySkin();
}

template <class View> void TbsSkinViewBase<View>::ApplySkin() {
    FSkinIndex = -1;
    const TbsSkinData* data = SkinData();
    if (data && !data->SkinEmpty) {
        const int index = data->IndexOfControl(FSkinDataName);
        if (index >= 0 && index < static_cast<int>(data->SkinControls.size()))
            FSkinIndex = index;
    }
    if (FSkinIndex == -1) {
        View::SetColor(FNoSkinColor);
        View::SetFont(FDefaultFont);
    } else {
        ApplyRecord(*data->SkinControls[static_cast<size_t>(FSkinIndex)]);
    }
    AfterApply();
    SyncScrollBars();
    // The parent lays the bars out anew.
    if (TWinControl* parent = View::Parent())
        if (FVScrollBar || FHScrollBar)
            parent->Realign();
}

template <class View>
void TbsSkinViewBase<View>::AssignRecordFont(const QString& name, int height,
                                             const TFontStyles& style, TColor color,
                                             TColor background) {
    TFont font;
    font.Assign(FDefaultFont);
    if (FUseSkinFont) {
        font.SetName(name);
        font.SetHeight(height);
        font.SetStyle(style);
    }
    font.SetColor(color);
    View::SetFont(font);
    View::SetColor(background);
}

template <class View> void TbsSkinViewBase<View>::SetVScrollBar(TbsSkinScrollBar* bar) {
    BindBar(FVScrollBar, bar, true);
}

template <class View> void TbsSkinViewBase<View>::SetHScrollBar(TbsSkinScrollBar* bar) {
    BindBar(FHScrollBar, bar, false);
}

template <class View>
void TbsSkinViewBase<View>::BindBar(QPointer<TbsSkinScrollBar>& slot, TbsSkinScrollBar* bar,
                                    bool vertical) {
    if (slot && slot != bar)
        slot->OnChange = nullptr;
    slot = bar;
    if (bar) {
        bar->SetEnabled(true);
        SetBarVisible(bar, false);
        bar->OnChange = [this, bar, vertical](TObject*) { BarMoved(bar, vertical); };
    }
    SyncScrollBars();
}

template <class View>
bool TbsSkinViewBase<View>::SetBarVisible(TbsSkinScrollBar* bar, bool visible) {
    if (!bar || bar->Visible() == visible)
        return false;
    FSyncingBars = true;
    bar->SetVisible(visible);
    FSyncingBars = false;
    return true;
}

template <class View> void TbsSkinViewBase<View>::FinishSync(bool visibilityChanged) {
    if (FVScrollBar && FHScrollBar)
        FHScrollBar->SetBoth(FVScrollBar->Visible());
    if (visibilityChanged && View::Align() != alNone) {
        if (TWinControl* parent = View::Parent()) {
            FSyncingBars = true;
            parent->Realign();
            FSyncingBars = false;
        }
    }
}

template <class View> void TbsSkinViewBase<View>::VisibleChanged() {
    View::VisibleChanged();
    const bool visible = View::Visible();
    SetBarVisible(FVScrollBar, visible);
    SetBarVisible(FHScrollBar, visible);
    SyncScrollBars();
}

template <class View> void TbsSkinViewBase<View>::SizeChanged() {
    View::SizeChanged();
    if (!FSyncingBars)
        SyncScrollBars();
}

template class TbsSkinViewBase<TCustomTreeView>;
template class TbsSkinViewBase<TCustomListView>;

// ---------------------------------------------------------------- TbsSkinCustomTreeView

TbsSkinCustomTreeView::TbsSkinCustomTreeView(QWidget* parent)
    : TbsSkinViewBase<TCustomTreeView>(parent, QStringLiteral("treeview")) {}

TbsSkinCustomTreeView::~TbsSkinCustomTreeView() = default;

bool TbsSkinCustomTreeView::ApplyRecord(const TbsDataSkinControl& record) {
    const auto* r = dynamic_cast<const TbsDataSkinTreeView*>(&record);
    if (!r)
        return false;
    AssignRecordFont(r->FontName, r->FontHeight, r->FontStyle, r->FontColor, r->BGColor);
    return true;
}

void TbsSkinCustomTreeView::AfterApply() {
    if (TImageList* images = Images())
        images->SetBkColor(Color());
    if (TImageList* images = StateImages())
        images->SetBkColor(Color());
}

void TbsSkinCustomTreeView::SyncScrollBars() {
    if (SyncingBars())
        return;
    TbsSkinScrollBar* v = VScrollBar();
    TbsSkinScrollBar* h = HScrollBar();
    bool changed = false;
    if (v) {
        const TScrollInfo info = ScrollInfo(sbVertical);
        const int visible = VisibleCount();
        const bool show =
            info.Max > 0 && visible <= info.Max && info.Max < ShownNodeCount() && Visible();
        changed |= SetBarVisible(v, show);
        if (show)
            v->SetRange(info.Min, info.Max, visible, info.Pos);
    }
    if (h) {
        const TScrollInfo info = ScrollInfo(sbHorizontal);
        const bool show = Width() < info.Max && Visible();
        changed |= SetBarVisible(h, show);
        if (show)
            h->SetRange(info.Min, info.Max, Width(), info.Pos);
    }
    FinishSync(changed);
}

void TbsSkinCustomTreeView::BarMoved(TbsSkinScrollBar* bar, bool vertical) {
    ScrollToPosition(vertical ? sbVertical : sbHorizontal, bar->Position());
}

// ---------------------------------------------------------------- TbsSkinCustomListView

TbsSkinCustomListView::TbsSkinCustomListView(QWidget* parent)
    : TbsSkinViewBase<TCustomListView>(parent, QStringLiteral("listview")) {
    Header()->setMouseTracking(true);
}

TbsSkinCustomListView::~TbsSkinCustomListView() = default;

void TbsSkinCustomListView::SetHeaderSkinDataName(const QString& value) {
    FHeaderSkinDataName = value;
    Header()->viewport()->update();
}

bool TbsSkinCustomListView::ApplyRecord(const TbsDataSkinControl& record) {
    const auto* r = dynamic_cast<const TbsDataSkinListView*>(&record);
    if (!r)
        return false;
    AssignRecordFont(r->FontName, r->FontHeight, r->FontStyle, r->FontColor, r->BGColor);
    return true;
}

void TbsSkinCustomListView::SetViewStyle(TViewStyle value) {
    TCustomListView::SetViewStyle(value);
    SyncScrollBars();
}

int TbsSkinCustomListView::FirstItemHeight() const {
    return ItemRect(0).Height();
}

void TbsSkinCustomListView::SyncScrollBars() {
    if (FScrollingFromBar || Width() <= 5 || Height() <= 5 || SyncingBars())
        return;
    TbsSkinScrollBar* v = VScrollBar();
    TbsSkinScrollBar* h = HScrollBar();
    bool changed = false;
    switch (ViewStyle()) {
    case vsIcon:
    case vsSmallIcon:
        SyncIconStyle(v, h, changed);
        break;
    case vsList:
        SyncListStyle(v, h, changed);
        break;
    case vsReport:
        SyncReportStyle(v, h, changed);
        break;
    }
    FinishSync(changed);
}

void TbsSkinCustomListView::SyncIconStyle(TbsSkinScrollBar* v, TbsSkinScrollBar* h, bool& changed) {
    const int step = std::max(1, FirstItemHeight() / 2);
    if (v) {
        const TScrollInfo info = ScrollInfo(sbVertical);
        const bool show = Height() < info.Max && Visible();
        changed |= SetBarVisible(v, show);
        if (show) {
            v->SetSmallChange(step);
            v->SetLargeChange(step);
            v->SetRange(info.Min, info.Max, Height(), info.Pos);
            FLastVBarPos = v->Position();
        }
    }
    if (h) {
        const TScrollInfo info = ScrollInfo(sbHorizontal);
        const bool show = Width() < info.Max && Visible();
        changed |= SetBarVisible(h, show);
        if (show) {
            h->SetSmallChange(step);
            h->SetLargeChange(step);
            h->SetRange(info.Min, info.Max, Width(), info.Pos);
            FLastHBarPos = h->Position();
        }
    }
}

void TbsSkinCustomListView::SyncListStyle(TbsSkinScrollBar* v, TbsSkinScrollBar* h, bool& changed) {
    // The list style scrolls sideways only.
    changed |= SetBarVisible(v, false);
    if (!h)
        return;
    const TScrollInfo info = ScrollInfo(sbHorizontal);
    const bool show = CountPerPage() < Items()->Count() && Visible();
    changed |= SetBarVisible(h, show);
    if (!show)
        return;
    int itemWidth = ItemRect(0).Width();
    if (itemWidth <= 0)
        itemWidth = 1;
    h->SetRange(info.Min, info.Max, Width() / itemWidth, info.Pos);
    h->SetSmallChange(1);
    h->SetLargeChange(1);
    FLastHBarPos = h->Position();
}

void TbsSkinCustomListView::SyncReportStyle(TbsSkinScrollBar* v, TbsSkinScrollBar* h,
                                            bool& changed) {
    if (v) {
        const TScrollInfo info = ScrollInfo(sbVertical);
        const int perPage = CountPerPage();
        const bool show = perPage < info.Max + 1 && Visible();
        changed |= SetBarVisible(v, show);
        if (show) {
            v->SetRange(info.Min, info.Max, perPage, info.Pos);
            v->SetSmallChange(1);
            v->SetLargeChange(std::max(1, perPage));
            FLastVBarPos = v->Position();
        }
    }
    if (h) {
        const TScrollInfo info = ScrollInfo(sbHorizontal);
        const bool show = Width() < info.Max && Visible();
        changed |= SetBarVisible(h, show);
        if (show) {
            h->SetRange(info.Min, info.Max, Width(), info.Pos);
            FLastHBarPos = h->Position();
        }
    }
}

void TbsSkinCustomListView::BarMoved(TbsSkinScrollBar* bar, bool vertical) {
    FScrollingFromBar = true;
    const int position = bar->Position();
    if (vertical) {
        int dy = position - FLastVBarPos;
        // The list and report styles count their vertical range in items.
        if (ViewStyle() == vsList || ViewStyle() == vsReport)
            dy *= FirstItemHeight();
        Scroll(0, dy);
        FLastVBarPos = position;
    } else {
        const int steps = position - FLastHBarPos;
        if (ViewStyle() == vsList) {
            for (int i = 0; i < std::abs(steps); ++i)
                ScrollLine(steps > 0);
        } else {
            Scroll(steps, 0);
        }
        FLastHBarPos = position;
    }
    FScrollingFromBar = false;
}

// ---------------------------------------------------------------- column header

TbsSkinCustomListView::THeaderLook TbsSkinCustomListView::FetchHeaderLook() const {
    THeaderLook look;
    const TbsSkinData* data = SkinData();
    const auto found = FindControlRecord<TbsDataSkinButtonControl>(data, FHeaderSkinDataName);
    const TbsDataSkinButtonControl* r = found.Record;
    if (!r)
        return look;
    look.Picture = PictureOf(*data, r->PictureIndex);
    if (!look.Picture)
        return look;
    look.SkinRect = r->SkinRect;
    look.ClientRect = r->ClientRect;
    look.LTPoint = r->LeftTopPoint;
    look.RTPoint = r->RightTopPoint;
    look.LBPoint = r->LeftBottomPoint;
    look.RBPoint = r->RightBottomPoint;
    look.FontColor = r->FontColor;
    look.DownFontColor = r->DownFontColor;
    look.ActiveSkinRect = r->ActiveSkinRect.IsEmpty() ? r->SkinRect : r->ActiveSkinRect;
    look.DownSkinRect = r->DownSkinRect.IsEmpty() ? look.ActiveSkinRect : r->DownSkinRect;
    return look;
}

bool TbsSkinCustomListView::PaintHeader(QPaintEvent*) {
    TCanvas canvas(Header()->viewport());
    DrawHeader(canvas);
    canvas.EndPaint();
    return true;
}

TBitmap TbsSkinCustomListView::RenderHeader() {
    TBitmap bitmap;
    const int w = Header()->viewport()->width();
    const int h = Header()->viewport()->height();
    if (w <= 0 || h <= 0)
        return bitmap;
    bitmap.SetDevicePixelRatio(Header()->viewport()->devicePixelRatioF());
    bitmap.SetSize(w, h);
    bitmap.Canvas().Brush.Color = clWindow;
    bitmap.Canvas().FillRect(TRect(0, 0, w, h));
    DrawHeader(bitmap.Canvas());
    return bitmap;
}

void TbsSkinCustomListView::DrawHeader(TCanvas& canvas) {
    const THeaderLook look = FetchHeaderLook();
    int rightmost = 0;
    int lastHeight = Header()->height();
    for (int i = 0; i < Header()->count(); ++i) {
        const TRect r = Header()->SectionRect(i);
        if (r.IsEmpty())
            continue;
        TBitmap section(r.Width(), r.Height(), canvas.DevicePixelRatio());
        DrawSection(section, look, i, i == FPressedSection && FHeaderPressed);
        canvas.Draw(r.Left, r.Top, section);
        rightmost = std::max(rightmost, r.Right);
        lastHeight = r.Height();
    }
    const int restWidth = Header()->viewport()->width() + 1 - rightmost;
    if (restWidth > 0 && lastHeight > 0) {
        TBitmap rest(restWidth, lastHeight, canvas.DevicePixelRatio());
        DrawHeaderRest(rest, look);
        canvas.Draw(rightmost, 0, rest);
    }
}

void TbsSkinCustomListView::DrawSection(TBitmap& bitmap, const THeaderLook& look, int column,
                                        bool pressed) {
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    TCanvas& c = bitmap.Canvas();
    TColor textColor = clBtnText;
    if (!look.Picture) {
        DrawDefaultFace(c, TRect(0, 0, w, h),
                        pressed ? TbsDefaultLook::Pressed : TbsDefaultLook::Normal);
    } else {
        const TRect source = pressed ? look.DownSkinRect : look.SkinRect;
        textColor = pressed ? look.DownFontColor : look.FontColor;
        const int sw = look.SkinRect.Width();
        const int sh = look.SkinRect.Height();
        if (PointSet(look.LBPoint)) {
            const int dx = w - sw;
            const int dy = h - sh;
            const TPoint nrt(look.RTPoint.X + dx, look.RTPoint.Y);
            const TPoint nlb(look.LBPoint.X, look.LBPoint.Y + dy);
            const TPoint nrb(look.RBPoint.X + dx, look.RBPoint.Y + dy);
            const TRect ncr(look.ClientRect.Left, look.ClientRect.Top, look.ClientRect.Right + dx,
                            look.ClientRect.Bottom + dy);
            CreateSkinImage(look.LTPoint, look.RTPoint, look.LBPoint, look.RBPoint, look.ClientRect,
                            look.LTPoint, nrt, nlb, nrb, ncr, bitmap, *look.Picture, source, w, h,
                            true);
        } else {
            TBitmap strip;
            CreateHSkinImage(look.LTPoint.X, sw - look.RTPoint.X, strip, w, source, *look.Picture);
            c.StretchDraw(TRect(0, 0, w, h), strip);
        }
    }
    DrawSectionContent(c, TRect(5, 0, w - 5, h), column, textColor);
}

void TbsSkinCustomListView::DrawSectionContent(TCanvas& c, const TRect& area, int column,
                                               TColor color) {
    if (area.Width() <= 0 || column >= ColumnCount())
        return;
    const TListColumn& col = Column(column);
    c.Font.Assign(*Font());
    c.Font.SetColor(color);
    c.Brush.Style = bsClear;
    const TImageList* images = SmallImages();
    const bool withImage = images && col.ImageIndex >= 0 && col.ImageIndex < images->Count();
    const int top = area.Top;
    const int height = area.Height();
    int textX = area.Left;
    QString text;
    if (withImage) {
        const int iw = images->Width();
        text = CorrectTextByWidth(c, col.Caption, area.Width() - iw - 10);
        const int tw = c.TextWidth(text);
        int imageX = area.Left;
        if (text == col.Caption) {
            if (col.Alignment == taRightJustify)
                imageX = area.Right - tw - iw - 10;
            else if (col.Alignment == taCenter)
                imageX = area.Left + area.Width() / 2 - (tw + iw + 10) / 2;
        }
        images->Draw(c, imageX, top + height / 2 - images->Height() / 2, col.ImageIndex);
        textX = imageX + iw + 10;
    } else {
        text = CorrectTextByWidth(c, col.Caption, area.Width());
        const int tw = c.TextWidth(text);
        if (col.Alignment == taRightJustify)
            textX = area.Right - tw - 10;
        else if (col.Alignment == taCenter)
            textX = area.Left + area.Width() / 2 - tw / 2;
    }
    c.TextRect(area, textX, top + height / 2 - c.TextHeight(text) / 2, text);
    c.Brush.Style = bsSolid;
}

void TbsSkinCustomListView::DrawHeaderRest(TBitmap& bitmap, const THeaderLook& look) {
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    TCanvas& c = bitmap.Canvas();
    if (!look.Picture) {
        DrawDefaultFace(c, TRect(0, 0, w, h), TbsDefaultLook::Normal);
        return;
    }
    const int sw = look.SkinRect.Width();
    if (PointSet(look.LBPoint)) {
        const int dx = w - sw;
        const int dy = h - look.SkinRect.Height();
        const TPoint nrt(look.RTPoint.X + dx, look.RTPoint.Y);
        const TPoint nlb(look.LBPoint.X, look.LBPoint.Y + dy);
        const TPoint nrb(look.RBPoint.X + dx, look.RBPoint.Y + dy);
        const TRect ncr(look.ClientRect.Left, look.ClientRect.Top, look.ClientRect.Right + dx,
                        look.ClientRect.Bottom + dy);
        CreateLeftSkinImage(look.LTPoint, look.RTPoint, look.LBPoint, look.RBPoint, look.ClientRect,
                            look.LTPoint, nrt, nlb, nrb, ncr, bitmap, *look.Picture, look.SkinRect,
                            w, h, true);
    } else {
        TBitmap strip;
        CreateHSkinImageLeft(look.LTPoint.X, sw - look.RTPoint.X, strip, w, look.SkinRect,
                             *look.Picture);
        c.StretchDraw(TRect(0, 0, w, h), strip);
    }
}

void TbsSkinCustomListView::HeaderMouse(bool down, const TPoint& point) {
    if (down) {
        FPressedSection = Header()->SectionAt(point);
        FHeaderPressed = FPressedSection >= 0 && !Header()->OnDivider(point);
    } else {
        FHeaderPressed = false;
        FPressedSection = -1;
    }
    Header()->viewport()->update();
}
