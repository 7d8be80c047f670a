#include "skin/bsSkinHint.h"

#include "framework/Canvas.h"

#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QImage>

namespace {

// How far the visible cursor reaches below its hot spot: measured on a bitmap cursor,
// else the cursor size of the desktop (XCURSOR_SIZE, 24 by default).
int CursorHeightBelowHotSpot() {
    QWidget* under = QApplication::widgetAt(QCursor::pos());
    const QCursor cursor = under ? under->cursor() : QCursor();
    if (cursor.shape() == Qt::BitmapCursor && !cursor.pixmap().isNull()) {
        const QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        for (int y = image.height() - 1; y >= 0; --y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) != 0)
                    return y + 1 - cursor.hotSpot().y();
    }
    bool ok = false;
    const int size = qEnvironmentVariableIntValue("XCURSOR_SIZE", &ok);
    return ok && size > 0 ? size : 24;
}

} // namespace

TbsHintFit FitHintWindow(const TbsDataSkinHintWindow* record, int pw, int ph, int textW,
                         int textH) {
    TbsHintFit f;
    if (!record) {
        f.W = textW + 4;
        f.H = textH + 4;
        f.Client = TRect(2, 2, f.W - 2, f.H - 2);
        return f;
    }
    const TRect& cr = record->ClientRect;
    f.W = std::max(pw, textW + cr.Left + (pw - cr.Right));
    f.H = std::max(ph, textH + cr.Top + (ph - cr.Bottom));
    f.Client = TRect(cr.Left, cr.Top, f.W - (pw - cr.Right), cr.Bottom + (f.H - ph));
    const int dx = f.W - pw, dy = f.H - ph;
    f.LT = record->LeftTopPoint;
    f.RT = TPoint(record->RightTopPoint.X + dx, record->RightTopPoint.Y);
    f.LB = TPoint(record->LeftBottomPoint.X, record->LeftBottomPoint.Y + dy);
    f.RB = TPoint(record->RightBottomPoint.X + dx, record->RightBottomPoint.Y + dy);
    return f;
}

TPoint PlaceHintWindow(TPoint corner, int W, int H, int screenWidth, int screenHeight) {
    TPoint p = corner;
    if (p.X + W > screenWidth)
        p.X -= W + 2;
    if (p.Y + H > screenHeight)
        p.Y -= H + 2;
    return p;
}

// ---------------------------------------------------------------- hint window

TbsSkinHintWindow::TbsSkinHintWindow(QWidget* parent) : THintWindow(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowFlag(Qt::BypassWindowManagerHint);
}

TbsSkinHintWindow::~TbsSkinHintWindow() = default;

const TBitmap* TbsSkinHintWindow::Picture(int index) const {
    if (!FSkin || index < 0 || index >= static_cast<int>(FSkin->ActivePictures.size()))
        return nullptr;
    const TBitmap* picture = FSkin->ActivePictures[index].get();
    return picture && !picture->Empty() ? picture : nullptr;
}

void TbsSkinHintWindow::ChooseSkin() {
    FComponent = TbsSkinHint::ActiveHintOfMainForm();
    FSkin = nullptr;
    TbsSkinData* d = FComponent ? FComponent->SkinData() : nullptr;
    if (!d || d->SkinEmpty)
        return;
    FSkin = d;
    if (!Picture(d->HintWindow.WindowPictureIndex))
        FSkin = nullptr;
}

void TbsSkinHintWindow::ApplyFont(TFont& font) const {
    if (!FComponent)
        return;
    font.Assign(FComponent->DefaultFont());
    if (FSkin && FComponent->UseSkinFont) {
        const TbsDataSkinHintWindow& r = FSkin->HintWindow;
        font.SetName(r.FontName);
        font.SetHeight(r.FontHeight);
        font.SetStyle(r.FontStyle);
        font.SetCharset(FComponent->DefaultFont().Charset());
    }
}

TPoint TbsSkinHintWindow::ContentSize(const QString& hint, int maxWidth) {
    TRect text(0, 0, std::max(1, maxWidth), 0);
    Canvas()->DrawText(hint, text, DT_CALCRECT | DT_NOPREFIX);
    if (FPicture.Empty())
        return TPoint(text.Width(), text.Height());
    return TPoint(std::max(text.Width(), FPicture.Width()),
                  FPicture.Height() + PictureGap + text.Height());
}

TRect TbsSkinHintWindow::CalcHintRect(int maxWidth, const QString& hint) {
    ChooseSkin();
    if (!FComponent)
        return THintWindow::CalcHintRect(maxWidth, hint);
    ApplyFont(Canvas()->Font);
    const TPoint content = ContentSize(hint, maxWidth);
    const TBitmap* picture = FSkin ? Picture(FSkin->HintWindow.WindowPictureIndex) : nullptr;
    FFit = FitHintWindow(FSkin ? &FSkin->HintWindow : nullptr, picture ? picture->Width() : 0,
                         picture ? picture->Height() : 0, content.X, content.Y);
    return TRect(0, 0, FFit.W, FFit.H);
}

void TbsSkinHintWindow::ActivateHint(const TRect& rect, const QString& hint) {
    const TRect size = CalcHintRect(Screen->Width(), hint);
    if (!FComponent)
        return;
    SetCaption(hint);
    const TPoint p = PlaceHintWindow(rect.TopLeft(), size.Width(), size.Height(), Screen->Width(),
                                     Screen->Height());
    if (IsLayeredWindowsSupported()) {
        if (FAlphaBlend != FComponent->AlphaBlend ||
            (FComponent->AlphaBlend && FAlphaBlendValue != FComponent->AlphaBlendValue))
            SetWindowAlpha(this, FComponent->AlphaBlend ? FComponent->AlphaBlendValue : 255);
        FAlphaBlend = FComponent->AlphaBlend;
        FAlphaBlendValue = FComponent->AlphaBlendValue;
    }
    SetBounds(p.X, p.Y, size.Width(), size.Height());
    clearMask();
    if (FSkin)
        if (const TBitmap* mask = Picture(FSkin->HintWindow.MaskPictureIndex)) {
            const TbsDataSkinHintWindow& r = FSkin->HintWindow;
            const TbsRegion region =
                CreateSkinRegion(r.LeftTopPoint, r.RightTopPoint, r.LeftBottomPoint,
                                 r.RightBottomPoint, r.ClientRect, FFit.LT, FFit.RT, FFit.LB,
                                 FFit.RB, FFit.Client, *mask, FFit.W, FFit.H);
            if (region)
                setMask(*region);
        }
    show();
    update();
}

TBitmap TbsSkinHintWindow::Snapshot() {
    TBitmap bitmap(std::max(1, width()), std::max(1, height()), devicePixelRatioF());
    TCanvas& c = bitmap.Canvas();
    const TRect all(0, 0, width(), height());
    ApplyFont(c.Font);
    const TBitmap* picture = FSkin ? Picture(FSkin->HintWindow.WindowPictureIndex) : nullptr;
    if (picture) {
        const TbsDataSkinHintWindow& r = FSkin->HintWindow;
        TBitmap frame;
        CreateStretchSkinImage(r.LeftTopPoint, r.RightTopPoint, r.LeftBottomPoint,
                               r.RightBottomPoint, r.ClientRect, FFit.LT, FFit.RT, FFit.LB, FFit.RB,
                               FFit.Client, frame, *picture,
                               TRect(0, 0, picture->Width(), picture->Height()), width(), height(),
                               true, r.LeftStretch, r.TopStretch, r.RightStretch, r.BottomStretch);
        c.Draw(0, 0, frame);
        c.Font.SetColor(r.FontColor);
    } else {
        c.Brush.Color = clInfoBk;
        c.FillRect(all);
        c.Brush.Color = clBtnShadow;
        c.FrameRect(all);
        c.Font.SetColor(clInfoText);
    }
    // The picture and the text block under it centred in the client rectangle, each line
    // centred in it.
    const TRect client = picture ? FFit.Client : TRect(2, 2, width() - 2, height() - 2);
    TRect text(0, 0, client.Width(), 0);
    c.DrawText(Caption(), text, DT_CALCRECT | DT_NOPREFIX | DT_CENTER);
    const int above = FPicture.Empty() ? 0 : FPicture.Height() + PictureGap;
    const int top = client.Top + (client.Height() - above - text.Height()) / 2;
    if (!FPicture.Empty())
        c.Draw(client.Left + (client.Width() - FPicture.Width()) / 2, top, FPicture);
    TRect place(client.Left, top + above, client.Right, top + above + text.Height());
    c.Brush.Style = bsClear;
    c.DrawText(Caption(), place, DT_CENTER | DT_NOPREFIX);
    c.Brush.Style = bsSolid;
    return bitmap;
}

void TbsSkinHintWindow::Paint() {
    if (!FComponent) {
        THintWindow::Paint();
        return;
    }
    Canvas()->Draw(0, 0, Snapshot());
}

// ---------------------------------------------------------------- component

TbsSkinHint::TbsSkinHint(QObject* owner) : TComponent(owner) {
    FHintWindow = std::make_unique<TbsSkinHintWindow>();
    Application->HintWindowClass = [] { return new TbsSkinHintWindow(); };
    const bool showHint = Application->ShowHint();
    Application->SetShowHint(false);
    Application->SetShowHint(showHint);
    InstallShowHintHandler();
    Application->HintShortPause = 100;
    FShowTimer.setSingleShot(true);
    FHideTimer.setSingleShot(true);
    connect(&FShowTimer, &QTimer::timeout, this, &TbsSkinHint::ShowPendingHint);
    connect(&FHideTimer, &QTimer::timeout, this, &TbsSkinHint::HideHint);
}

TbsSkinHint::~TbsSkinHint() = default;

void TbsSkinHint::InstallShowHintHandler() {
    QPointer<TbsSkinHint> self = this;
    Application->OnShowHint = [self](QString& hintStr, bool& canShow, THintInfo& info) {
        if (self && self->OnShowHint)
            self->OnShowHint(hintStr, canShow, info);
    };
}

TbsSkinHint* TbsSkinHint::ActiveHintOfMainForm() {
    TForm* form = Application->MainForm();
    if (!form)
        return nullptr;
    for (QObject* component : form->ComponentList())
        if (auto* hint = qobject_cast<TbsSkinHint*>(component); hint && hint->Active())
            return hint;
    return nullptr;
}

void TbsSkinHint::SetActive(bool active) {
    FActive = active;
    if (!active)
        return;
    if (TForm* form = Application->MainForm())
        for (QObject* component : form->ComponentList())
            if (auto* other = qobject_cast<TbsSkinHint*>(component); other && other != this)
                other->FActive = false;
    InstallShowHintHandler();
}

void TbsSkinHint::ShowHintAtCursor(const QString& text, const TBitmap& picture) {
    // The hide pause of a hint shown before would end the new one before it shows.
    FShowTimer.stop();
    FHideTimer.stop();
    FPendingText = text;
    FHintWindow->SetPicture(picture);
    FShowTimer.start(Application->HintPause);
}

void TbsSkinHint::ShowPendingHint() {
    const QPoint cursor = QCursor::pos();
    const int below = CursorHeightBelowHotSpot();
    const TRect at(cursor.x(), cursor.y() + below, cursor.x(), cursor.y() + below);
    FHintWindow->ActivateHint(at, FPendingText);
    FHideTimer.start(Application->HintHidePause);
}

void TbsSkinHint::HideHint() {
    FShowTimer.stop();
    FHideTimer.stop();
    FHintWindow->HideHint();
}
