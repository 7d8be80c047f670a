#include "framework/ExtCtrls.h"

#include "framework/Canvas.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------
// TImage

TImage::TImage(QWidget* parent) : TGraphicControl(parent) {
    resize(105, 105);
}

TImage::~TImage() = default;

void TImage::SetPicture(const TBitmap& picture) {
    FPicture.Assign(picture);
    FPicture.SetTransparent(FTransparent);
    PictureChanged();
}

void TImage::PictureChanged() {
    if (FAutoSize && !FPicture.Empty())
        SetBounds(Left(), Top(), FPicture.Width(), FPicture.Height());
    update();
}

void TImage::SetTransparent(bool value) {
    if (value == FTransparent)
        return;
    FTransparent = value;
    FPicture.SetTransparent(value);
    update();
}

void TImage::SetStretch(bool value) {
    if (value == FStretch)
        return;
    FStretch = value;
    update();
}

void TImage::SetCenter(bool value) {
    if (value == FCenter)
        return;
    FCenter = value;
    update();
}

void TImage::SetAutoSize(bool value) {
    FAutoSize = value;
    if (value)
        PictureChanged();
}

TRect TImage::DestRect() const {
    if (FStretch)
        return ClientRect();
    int w = FPicture.Width();
    int h = FPicture.Height();
    if (FCenter)
        return Bounds((Width() - w) / 2, (Height() - h) / 2, w, h);
    return Bounds(0, 0, w, h);
}

void TImage::Paint() {
    if (FPicture.Empty())
        return;
    FPicture.SetTransparent(FTransparent);
    TRect dest = DestRect();
    if (FStretch)
        Canvas()->StretchDraw(dest, FPicture);
    else
        Canvas()->Draw(dest.Left, dest.Top, FPicture);
}

// ---------------------------------------------------------------------------------------
// Status bar panels

void TStatusPanel::Changed() {
    FOwner->update();
}

void TStatusPanel::SetText(const QString& text) {
    if (text == FText)
        return;
    FText = text;
    Changed();
}

void TStatusPanel::SetWidth(int width) {
    if (width == FWidth)
        return;
    FWidth = std::max(0, width);
    Changed();
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
    if (alignment == FAlignment)
        return;
    FAlignment = alignment;
    Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
    if (bevel == FBevel)
        return;
    FBevel = bevel;
    Changed();
}

int TStatusPanel::Index() const {
    return FOwner->Panels()->IndexOf(this);
}

TStatusPanel* TStatusPanels::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return FItems[static_cast<size_t>(index)].get();
}

TStatusPanel* TStatusPanels::Add() {
    FItems.push_back(std::make_unique<TStatusPanel>(FOwner));
    FOwner->update();
    return FItems.back().get();
}

void TStatusPanels::Delete(int index) {
    Items(index);
    FItems.erase(FItems.begin() + index);
    FOwner->update();
}

void TStatusPanels::Clear() {
    FItems.clear();
    FOwner->update();
}

int TStatusPanels::IndexOf(const TStatusPanel* panel) const {
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == panel)
            return static_cast<int>(i);
    return -1;
}

// ---------------------------------------------------------------------------------------
// TStatusBar

namespace {

// Room between two panels and above them.
constexpr int PanelGap = 2;
constexpr int TopBorder = 2;
constexpr int GripSize = 12;
constexpr int TextMargin = 3;

} // namespace

TStatusBar::TStatusBar(QWidget* parent) : TCustomControl(parent), FPanels(this) {
    SetColor(clBtnFace);
    resize(width(), 19);
    SetAlign(alBottom);
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::SetSimplePanel(bool value) {
    if (value == FSimplePanel)
        return;
    FSimplePanel = value;
    update();
}

void TStatusBar::SetSimpleText(const QString& text) {
    if (text == FSimpleText)
        return;
    FSimpleText = text;
    update();
}

void TStatusBar::SetSizeGrip(bool value) {
    if (value == FSizeGrip)
        return;
    FSizeGrip = value;
    update();
}

bool TStatusBar::GripShown() const {
    TForm* form = ParentForm();
    if (!FSizeGrip || !form || Align() != alBottom)
        return false;
    return form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin;
}

TRect TStatusBar::PanelRect(int index) const {
    int right = Width() - (GripShown() ? GripSize : 0);
    if (FSimplePanel)
        return index == 0 ? TRect(0, TopBorder, std::max(0, right), Height()) : TRect();
    int count = FPanels.Count();
    if (index < 0 || index >= count)
        return TRect();
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += FPanels.Items(i)->Width();
    // Every panel but the last ends one gap before the next; the last runs to the end.
    int end = index == count - 1 ? std::max(right, left)
                                 : left + FPanels.Items(index)->Width() - PanelGap;
    return TRect(left, TopBorder, std::max(left, end), Height());
}

void TStatusBar::PaintPanel(const TRect& rect, const QString& text, TAlignment alignment,
                            TStatusPanelBevel bevel) {
    TCanvas* c = Canvas();
    if (rect.IsEmpty())
        return;
    if (bevel != pbNone) {
        TColor topLeft = bevel == pbLowered ? clBtnShadow : clBtnHighlight;
        TColor bottomRight = bevel == pbLowered ? clBtnHighlight : clBtnShadow;
        c->Pen.Color = topLeft;
        c->MoveTo(rect.Left, rect.Bottom - 1);
        c->LineTo(rect.Left, rect.Top);
        c->LineTo(rect.Right, rect.Top);
        c->Pen.Color = bottomRight;
        c->MoveTo(rect.Right - 1, rect.Top + 1);
        c->LineTo(rect.Right - 1, rect.Bottom - 1);
        c->LineTo(rect.Left, rect.Bottom - 1);
    }
    TRect textRect(rect.Left + TextMargin, rect.Top + 1, rect.Right - TextMargin, rect.Bottom - 1);
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (alignment == taCenter)
        flags |= DT_CENTER;
    else if (alignment == taRightJustify)
        flags |= DT_RIGHT;
    c->Brush.Style = bsClear;
    c->DrawText(text, textRect, flags);
}

void TStatusBar::Paint() {
    TCanvas* c = Canvas();
    c->Font.Assign(*Font());
    c->Brush.Style = bsSolid;
    c->Brush.Color = Color();
    c->FillRect(ClientRect());
    if (FSimplePanel) {
        PaintPanel(PanelRect(0), FSimpleText, taLeftJustify, pbLowered);
    } else {
        for (int i = 0; i < FPanels.Count(); ++i) {
            TStatusPanel* p = FPanels.Items(i);
            PaintPanel(PanelRect(i), p->Text(), p->Alignment(), p->Bevel());
        }
    }
    if (GripShown()) {
        // Three diagonal ridges in the bottom-right corner.
        int w = Width();
        int h = Height();
        for (int k = 0; k < 3; ++k) {
            int d = 4 * k + 2;
            c->Pen.Color = clBtnHighlight;
            c->MoveTo(w - 1, h - 1 - d - 1);
            c->LineTo(w - d - 2, h);
            c->Pen.Color = clBtnShadow;
            c->MoveTo(w - 1, h - 1 - d);
            c->LineTo(w - d - 1, h);
            c->MoveTo(w - 1, h - d);
            c->LineTo(w - d, h);
        }
    }
    c->Brush.Style = bsSolid;
}

// ---------------------------------------------------------------------------------------
// THintWindow

namespace {

// Room around the text, inside the border.
constexpr int HintMarginX = 3;
constexpr int HintMarginY = 2;
constexpr unsigned HintTextFlags = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;

} // namespace

THintWindow::THintWindow(QWidget*) : TCustomControl(nullptr) {
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    SetColor(clInfoBk);
    Font()->Assign(*Screen->HintFont());
    Canvas()->Font.Assign(*Font());
}

THintWindow::~THintWindow() = default;

void THintWindow::SetBorder(bool value) {
    if (value == FBorder)
        return;
    FBorder = value;
    update();
}

TRect THintWindow::CalcHintRect(int maxWidth, const QString& hint) {
    int border = FBorder ? 1 : 0;
    int textWidth = std::max(1, maxWidth - 2 * (HintMarginX + border));
    TRect rect(0, 0, textWidth, 0);
    Canvas()->DrawText(hint, rect, HintTextFlags | DT_CALCRECT);
    rect.Right += 2 * (HintMarginX + border);
    rect.Bottom += 2 * (HintMarginY + border);
    return rect;
}

void THintWindow::ActivateHint(const TRect& rect, const QString& hint) {
    SetCaption(hint);
    int w = rect.Width();
    int h = rect.Height();
    TRect desk = Screen->DesktopRect();
    int left = rect.Left;
    int top = rect.Top;
    if (!desk.IsEmpty()) {
        left = std::max(desk.Left, std::min(left, desk.Right - w));
        top = std::max(desk.Top, std::min(top, desk.Bottom - h));
    }
    SetBounds(left, top, w, h);
    show();
    raise();
    update();
}

void THintWindow::HideHint() {
    hide();
}

void THintWindow::Paint() {
    TCanvas* c = Canvas();
    TRect rect = ClientRect();
    c->Brush.Style = bsSolid;
    if (FBorder) {
        c->Brush.Color = clWindowFrame;
        c->FrameRect(rect);
        rect.Inflate(-1, -1);
    }
    c->Brush.Color = Color();
    c->FillRect(rect);
    TRect textRect(rect.Left + HintMarginX, rect.Top + HintMarginY, rect.Right - HintMarginX,
                   rect.Bottom - HintMarginY);
    c->Brush.Style = bsClear;
    c->DrawText(Caption(), textRect, HintTextFlags);
    c->Brush.Style = bsSolid;
}
