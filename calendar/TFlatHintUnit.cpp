#include "calendar/TFlatHintUnit.h"

#include "framework/Canvas.h"

#include <QCursor>
#include <QList>
#include <QPointer>

namespace {

// The strip and margins around the text: 1 frame + 14 strip + 3 margin + 3 margin + 1 frame
// across, 1 frame + 1 margin on each side down.
constexpr int ExtraWidth = 22;
constexpr int ExtraHeight = 6;
constexpr int StripWidth = 14;
constexpr unsigned TextFlags = DT_WORDBREAK | DT_NOPREFIX;

// Every live TFlatHint, oldest first.
QList<QPointer<TFlatHint>>& FlatHints() {
    static QList<QPointer<TFlatHint>> hints;
    return hints;
}

} // namespace

// ---------------------------------------------------------------------------------------
// TFlatHint

TFlatHint::TFlatHint(QObject* owner) : TComponent(owner) {
    FlatHints().append(this);
    Application->HintWindowClass = [] { return new TFlatHintWindow(); };
    // Switching the hints off and on again makes the hint window anew with the flat class.
    Application->SetShowHint(!Application->ShowHint());
    Application->SetShowHint(!Application->ShowHint());
    // The application may outlive this component; a dead one shows hints unchanged.
    QPointer<TFlatHint> self(this);
    Application->OnShowHint = [self](QString& hintStr, bool& canShow, THintInfo& hintInfo) {
        if (self)
            self->GetHintInfo(hintStr, canShow, hintInfo);
    };
    Application->HintPause = 500;
    Application->HintShortPause = 25;
    Application->HintHidePause = 5000;
}

TFlatHint::~TFlatHint() {
    FlatHints().removeAll(QPointer<TFlatHint>(this));
}

TColor TFlatHint::Colors(int index) const {
    switch (index) {
    case 0:
        return FColorBackground;
    case 1:
        return FColorBorder;
    case 2:
        return FColorArrowBackground;
    default:
        return FColorArrow;
    }
}

void TFlatHint::SetColors(int index, TColor value) {
    switch (index) {
    case 0:
        FColorBackground = value;
        break;
    case 1:
        FColorBorder = value;
        break;
    case 2:
        FColorArrowBackground = value;
        break;
    case 3:
        FColorArrow = value;
        break;
    default:
        break;
    }
}

void TFlatHint::GetHintInfo(QString& hintStr, bool& canShow, THintInfo& hintInfo) {
    FireEvent(OnShowHint, hintStr, canShow, hintInfo);
}

TFlatHint* FindFlatHint() {
    if (TForm* main = Application->MainForm())
        for (QObject* component : main->ComponentList())
            if (auto* hint = qobject_cast<TFlatHint*>(component))
                return hint;
    QList<QPointer<TFlatHint>>& hints = FlatHints();
    hints.removeAll(QPointer<TFlatHint>());
    return hints.isEmpty() ? nullptr : hints.last().data();
}

// ---------------------------------------------------------------------------------------
// Geometry

TFlatHintPlacement PlaceFlatHint(TPoint cursor, TSize screen, int w, int h) {
    const bool left = cursor.X < screen.cx / 2;
    const bool top = cursor.Y < screen.cy / 2;
    const int x = cursor.X;
    const int y = cursor.Y;
    TFlatHintPlacement p;
    if (top && left) {
        const int d = 12;
        p.Direction = 1;
        p.Bounds = TRect(x + d, y + d, x + d + w, y + d + h);
    } else if (top) {
        const int d = 5;
        p.Direction = 0;
        p.Bounds = TRect(x - w - d, y + d, x - d, y + d + h);
    } else if (left) {
        const int d = 5;
        p.Direction = 3;
        p.Bounds = TRect(x + d, y - h - d, x + d + w, y - d);
    } else {
        const int d = 5;
        p.Direction = 2;
        p.Bounds = TRect(x - w - d, y - h - d, x - d, y - d);
    }
    return p;
}

TRect FlatHintArrowStrip(int direction, int w, int h) {
    if (direction == 1 || direction == 3)
        return TRect(1, 1, 1 + StripWidth, h - 1);
    return TRect(w - 1 - StripWidth, 1, w - 1, h - 1);
}

TPoint FlatHintArrowAnchor(int direction, const TRect& strip) {
    switch (direction) {
    case 0:
        return TPoint(strip.Right - 3, strip.Top + 2);
    case 1:
        return TPoint(strip.Left + 2, strip.Top + 2);
    case 2:
        return TPoint(strip.Right - 3, strip.Bottom - 3);
    default:
        return TPoint(strip.Left + 2, strip.Bottom - 3);
    }
}

std::array<TPoint, 18> FlatHintArrowPoints(int direction, TPoint anchor) {
    // The arrow pointing up and left, tip at (0, 0); mirrored for the other directions.
    static constexpr TPoint Shape[18] = {{0, 0}, {0, 6}, {1, 6}, {1, 0}, {6, 0}, {6, 1},
                                         {2, 1}, {2, 4}, {5, 7}, {6, 7}, {3, 4}, {3, 3},
                                         {6, 6}, {7, 6}, {3, 2}, {4, 2}, {7, 5}, {7, 6}};
    const int sx = direction == 1 || direction == 3 ? 1 : -1;
    const int sy = direction == 0 || direction == 1 ? 1 : -1;
    std::array<TPoint, 18> points;
    for (size_t i = 0; i < points.size(); ++i)
        points[i] = TPoint(anchor.X + sx * Shape[i].X, anchor.Y + sy * Shape[i].Y);
    return points;
}

// ---------------------------------------------------------------------------------------
// TFlatHintWindow

struct TFlatHintWindow::TLook {
    const TFont* Font = nullptr;
    TColor Background = clWhite;
    TColor Border = clBlack;
    TColor ArrowBackground = RGB(255, 210, 83);
    TColor Arrow = clBlack;
    int MaxHintWidth = 200;
};

TFlatHintWindow::TFlatHintWindow(QWidget* parent) : THintWindow(parent) {
    SetBorder(false);
}

TFlatHintWindow::~TFlatHintWindow() = default;

TFlatHintWindow::TLook TFlatHintWindow::Look() const {
    TLook look;
    look.Font = Screen->HintFont();
    if (TFlatHint* hint = FindFlatHint()) {
        look.Font = hint->Font();
        look.Background = hint->ColorBackground();
        look.Border = hint->ColorBorder();
        look.ArrowBackground = hint->ColorArrowBackground();
        look.Arrow = hint->ColorArrow();
        look.MaxHintWidth = hint->MaxHintWidth();
    }
    return look;
}

TRect TFlatHintWindow::MeasureText(const QString& hint, const TRect& at) {
    TLook look = Look();
    Canvas()->Font.Assign(*look.Font);
    TRect r(at.Left, at.Top, at.Left + std::max(1, look.MaxHintWidth - ExtraWidth), at.Top);
    Canvas()->DrawText(hint, r, TextFlags | DT_CALCRECT);
    r.Right += ExtraWidth;
    r.Bottom += ExtraHeight;
    return r;
}

TRect TFlatHintWindow::CalcHintRect(int, const QString& hint) {
    TRect r = MeasureText(hint, TRect());
    return TRect(0, 0, r.Width(), r.Height());
}

void TFlatHintWindow::ActivateHint(const TRect& rect, const QString& hint) {
    SetCaption(hint);
    TRect measured = MeasureText(hint, rect);
    TFlatHintPlacement place =
        PlaceFlatHint(TPoint::FromQPoint(QCursor::pos()), TSize{Screen->Width(), Screen->Height()},
                      measured.Width(), measured.Height());
    FDirection = place.Direction;
    FArrowPos = FlatHintArrowAnchor(
        FDirection, FlatHintArrowStrip(FDirection, place.Bounds.Width(), place.Bounds.Height()));
    SetBoundsRect(place.Bounds);
    show();
    raise();
    update();
}

void TFlatHintWindow::Paint() {
    TLook look = Look();
    TCanvas& c = *Canvas();
    const int w = Width();
    const int h = Height();
    const TRect strip = FlatHintArrowStrip(FDirection, w, h);
    const bool stripLeft = FDirection == 1 || FDirection == 3;
    const TRect text =
        stripLeft ? TRect(strip.Right, 1, w - 1, h - 1) : TRect(1, 1, strip.Left, h - 1);
    c.Brush.Style = bsSolid;
    c.Brush.Color = look.ArrowBackground;
    c.FillRect(strip);
    c.Brush.Color = look.Background;
    c.FillRect(text);
    c.Brush.Color = look.Border;
    c.FrameRect(TRect(0, 0, w, h));

    FArrowPos = FlatHintArrowAnchor(FDirection, strip);
    const std::array<TPoint, 18> arrow = FlatHintArrowPoints(FDirection, FArrowPos);
    c.Pen.Color = look.Arrow;
    c.Pen.Width = 1;
    c.Pen.Style = psSolid;
    c.Polyline(std::span<const TPoint>(arrow));

    c.Font.Assign(*look.Font);
    c.Brush.Style = bsClear;
    TRect textArea(text.Left + 3, text.Top + 1, text.Right - 3, text.Bottom - 1);
    c.DrawText(Caption(), textArea, TextFlags);
    c.Brush.Style = bsSolid;
}
