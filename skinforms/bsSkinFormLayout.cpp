// The skinned frame's geometry: pure functions of the frame description and a size.

#include "skinforms/bsSkinFormLayout.h"

#include "skin/bsSkinData.h"

#include <algorithm>

namespace {

TPoint Moved(TPoint p, int dx, int dy) {
    return TPoint(p.X + dx, p.Y + dy);
}

TRect Grown(TRect r, int dx, int dy) {
    r.Right += dx;
    r.Bottom += dy;
    return r;
}

bool Contains(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

enum TCorner { NoCorner = -1, TopLeft, TopRight, BottomLeft, BottomRight };

// Which corner region of the frame picture holds `p`.
TCorner CornerOf(const TbsSkinData& d, int PW, int PH, TPoint p) {
    const TRect regions[4] = {TRect(0, 0, d.LeftTopPoint.X, d.LeftTopPoint.Y),
                              TRect(d.RightTopPoint.X, 0, PW, d.RightTopPoint.Y),
                              TRect(0, d.LeftBottomPoint.Y, d.LeftBottomPoint.X, PH),
                              TRect(d.RightBottomPoint.X, d.RightBottomPoint.Y, PW, PH)};
    for (int i = 0; i < 4; ++i)
        if (Contains(regions[i], p))
            return static_cast<TCorner>(i);
    return NoCorner;
}

// The caption commands in the order the buttons area takes them.
constexpr TbsStdCommand AreaOrder[] = {TbsStdCommand::cmClose, TbsStdCommand::cmMaximize,
                                       TbsStdCommand::cmMinimize, TbsStdCommand::cmRollUp,
                                       TbsStdCommand::cmMinimizeToTray};

TbsFrameSlot* AreaButton(std::vector<TbsFrameSlot>& places, TbsStdCommand command) {
    for (TbsFrameSlot& s : places)
        if (s.Kind == TbsFrameSlot::CaptionButton && s.InButtonsArea && s.Visible &&
            s.Command == command)
            return &s;
    return nullptr;
}

TbsFrameSlot* CaptionSlot(std::vector<TbsFrameSlot>& places) {
    for (TbsFrameSlot& s : places)
        if (s.Kind == TbsFrameSlot::Caption)
            return &s;
    return nullptr;
}

TRect SlotAt(int x, int y, TPoint size) {
    return TRect(x, y, x + size.X, y + size.Y);
}

} // namespace

// ---------------------------------------------------------------- fitted geometry

TbsFrameGeometry FitFrameGeometry(const TbsSkinData& d, int W, int H) {
    TbsFrameGeometry g;
    g.W = W;
    g.H = H;
    g.PW = d.SkinPicture.Width();
    g.PH = d.SkinPicture.Height();
    const int dx = g.Dx(), dy = g.Dy();
    g.LT = d.LeftTopPoint;
    g.RT = Moved(d.RightTopPoint, dx, 0);
    g.LB = Moved(d.LeftBottomPoint, 0, dy);
    g.RB = Moved(d.RightBottomPoint, dx, dy);
    g.Client = Grown(d.ClientRect, dx, dy);
    g.Caption = d.CaptionRect.IsEmpty() ? d.CaptionRect : Grown(d.CaptionRect, dx, 0);
    g.Buttons = d.ButtonsRect;
    if (d.ButtonsRect.Left > g.PW / 2)
        g.Buttons.Offset(dx, 0);
    g.Mask = Grown(d.MaskRectArea, dx, dy);
    g.HitLT = d.HitTestLeftTopPoint;
    g.HitRT = Moved(d.HitTestRightTopPoint, dx, 0);
    g.HitLB = Moved(d.HitTestLeftBottomPoint, 0, dy);
    g.HitRB = Moved(d.HitTestRightBottomPoint, dx, dy);
    return g;
}

TRect FitFrameObjectRect(const TbsSkinData& d, const TbsFrameGeometry& g, TRect r) {
    const int dx = g.Dx(), dy = g.Dy();
    const TCorner a = CornerOf(d, g.PW, g.PH, r.TopLeft());
    const TCorner b = CornerOf(d, g.PW, g.PH, r.BottomRight());
    if (a == b && a != NoCorner) {
        r.Offset(a == TopRight || a == BottomRight ? dx : 0, a >= BottomLeft ? dy : 0);
        return r;
    }
    if (a == TopLeft && b == BottomRight)
        return Grown(r, dx, dy);
    if (a == TopLeft && b == TopRight)
        return Grown(r, dx, 0);
    if (a == BottomLeft && b == BottomRight) {
        r.Offset(0, dy);
        return Grown(r, dx, 0);
    }
    if (a == TopLeft && b == BottomLeft)
        return Grown(r, 0, dy);
    if (a == TopRight && b == BottomRight) {
        r.Offset(dx, 0);
        return Grown(r, 0, dy);
    }
    return r;
}

// ---------------------------------------------------------------- frame objects

bool CaptionCommandAllowed(TbsStdCommand command, TbsBorderIcons icons) {
    switch (command) {
    case TbsStdCommand::cmMinimizeToTray:
        return icons & biMinimizeToTray;
    case TbsStdCommand::cmRollUp:
        return icons & biRollUp;
    case TbsStdCommand::cmMaximize:
        return icons & biMaximize;
    case TbsStdCommand::cmMinimize:
        return icons & biMinimize;
    case TbsStdCommand::cmSysMenu:
        return icons & biSystemMenu;
    default:
        return true;
    }
}

void ApplyCaptionButtonRules(std::vector<TbsFrameSlot>& places, TbsBorderIcons icons,
                             bool hideCaptionButtons) {
    for (TbsFrameSlot& s : places) {
        if (s.Kind != TbsFrameSlot::CaptionButton || !s.Command)
            continue;
        if (s.Animation && *s.Command == TbsStdCommand::cmDefault)
            continue;
        if (hideCaptionButtons || !CaptionCommandAllowed(*s.Command, icons)) {
            s.Enabled = false;
            if (s.InButtonsArea)
                s.Visible = false;
        }
    }
}

void LayOutFrameSlots(const TbsSkinData& d, const TbsFrameGeometry& g,
                      std::vector<TbsFrameSlot>& places) {
    for (TbsFrameSlot& s : places)
        if (!s.InButtonsArea)
            s.Rect = FitFrameObjectRect(d, g, s.Rect);
    const TRect area = !g.Buttons.IsEmpty() ? g.Buttons : g.Caption;
    if (area.IsEmpty())
        return;
    TbsFrameSlot* caption = CaptionSlot(places);
    TbsFrameSlot* sysMenu = AreaButton(places, TbsStdCommand::cmSysMenu);
    const bool ownArea = !g.Buttons.IsEmpty();
    if (!d.ButtonsInLeft) {
        int x = area.Right;
        for (TbsStdCommand command : AreaOrder)
            if (TbsFrameSlot* s = AreaButton(places, command)) {
                s->Rect = SlotAt(x - s->Size.X, area.Top, s->Size);
                x -= s->Size.X + d.ButtonsOffset;
            }
        if (!ownArea && caption)
            caption->Rect.Right = x + d.ButtonsOffset;
        if (sysMenu && !g.Caption.IsEmpty()) {
            const int top = g.Caption.Top + g.Caption.Height() / 2 - sysMenu->Size.Y / 2;
            sysMenu->Rect = SlotAt(g.Caption.Left, top, sysMenu->Size);
            if (caption)
                caption->Rect.Left = sysMenu->Rect.Right;
        }
        return;
    }
    int x = area.Left;
    for (TbsStdCommand command : AreaOrder)
        if (TbsFrameSlot* s = AreaButton(places, command)) {
            s->Rect = SlotAt(x, area.Top, s->Size);
            x += s->Size.X + d.ButtonsOffset;
        }
    if (!ownArea && sysMenu) {
        sysMenu->Rect = SlotAt(x, area.Top, sysMenu->Size);
        x += sysMenu->Size.X + d.ButtonsOffset;
    }
    if (!ownArea && caption)
        caption->Rect.Left = x + d.ButtonsOffset;
}

bool FrameFitsPicture(const TbsSkinData& d) {
    const int PW = d.SkinPicture.Width(), PH = d.SkinPicture.Height();
    const TRect& c = d.ClientRect;
    if (c.Left < 0 || c.Top < 0 || c.Right > PW || c.Bottom > PH)
        return false;
    for (const TPoint& p : {d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint, d.RightBottomPoint})
        if (p.X < 0 || p.Y < 0 || p.X > PW || p.Y > PH)
            return false;
    return true;
}

bool FrameMaskUsable(const TbsSkinData& d) {
    return !d.SkinMask.Empty() && d.SkinMask.Width() == d.SkinPicture.Width() &&
           d.SkinMask.Height() == d.SkinPicture.Height();
}

// ---------------------------------------------------------------- window shape

TbsRegion BuildFrameRegion(const TbsSkinData& d, const TbsFrameGeometry& g,
                           TbsFrameMaskStrips& strips) {
    strips = TbsFrameMaskStrips();
    if (!FrameMaskUsable(d) || g.RT.X < g.LT.X || g.LB.Y < g.LT.Y)
        return std::nullopt;
    CreateSkinMaskBorders(d.LeftTopPoint, d.RightTopPoint, d.LeftBottomPoint, d.RightBottomPoint,
                          d.MaskRectArea, g.LT, g.RT, g.LB, g.RB, g.Mask, d.SkinMask, strips.Top,
                          strips.Left, strips.Right, strips.Bottom, g.W);
    auto part = [](const TBitmap& strip, int dx, int dy) {
        return CreateRegionFromMask(strip, dx, dy).value_or(QRegion());
    };
    QRegion region = g.Mask.IsEmpty() ? QRegion() : QRegion(g.Mask.ToQRect());
    const QRegion horizontal = part(strips.Top, 0, 0).united(part(strips.Bottom, 0, g.Mask.Bottom));
    const QRegion vertical =
        part(strips.Left, 0, g.Mask.Top).united(part(strips.Right, g.Mask.Right, g.Mask.Top));
    return region.united(horizontal.united(vertical));
}

bool InsideFrameShape(const TbsFrameGeometry& g, const TbsFrameMaskStrips& strips, TPoint p) {
    if (p.X < 0 || p.Y < 0 || p.X >= g.W || p.Y >= g.H)
        return false;
    if (Contains(g.Mask, p))
        return true;
    auto black = [](const TBitmap& strip, int x, int y) {
        return x >= 0 && y >= 0 && x < strip.Width() && y < strip.Height() &&
               strip.Pixel(x, y) == 0;
    };
    if (p.Y < g.Mask.Top)
        return black(strips.Top, p.X, p.Y);
    if (p.Y >= g.Mask.Bottom)
        return black(strips.Bottom, p.X, p.Y - g.Mask.Bottom);
    if (p.X < g.Mask.Left)
        return black(strips.Left, p.X, p.Y - g.Mask.Top);
    return black(strips.Right, p.X - g.Mask.Right, p.Y - g.Mask.Top);
}

// ---------------------------------------------------------------- hit test

int SkinFrameHitTest(const TbsSkinData& d, const TbsFrameGeometry& g,
                     const TbsFrameMaskStrips& strips, const TbsHitTestState& s, TPoint p) {
    const bool inClient = Contains(g.Client, p);
    if (!s.RolledUp && !s.Minimized) {
        if (s.ObjectHot && !s.OverCaptionObject && !inClient && !s.InSizeMove)
            return HTOBJECT;
        if (!s.Maximized && s.Sizeable) {
            const int b = d.BorderWidth;
            const TPoint probes[4] = {TPoint(p.X - b, p.Y), TPoint(p.X, p.Y - b),
                                      TPoint(p.X + b, p.Y), TPoint(p.X, p.Y + b)};
            const TRect window(0, 0, g.W, g.H);
            const bool masked = FrameMaskUsable(d);
            bool onBorder = false;
            for (TPoint probe : probes) {
                const bool outside =
                    masked ? !InsideFrameShape(g, strips, probe) : !Contains(window, probe);
                onBorder = onBorder || outside;
            }
            if (masked && Contains(g.Mask, p))
                onBorder = false;
            if (!onBorder)
                return inClient ? HTCLIENT : s.OverCaptionObject ? HTCAPTION : HTOBJECT;
            if (p.X <= g.HitLT.X && p.Y <= g.HitLT.Y)
                return HTTOPLEFT;
            if (p.X >= g.HitRT.X && p.Y <= g.HitRT.Y)
                return HTTOPRIGHT;
            if (p.X <= g.HitLB.X && p.Y >= g.HitLB.Y)
                return HTBOTTOMLEFT;
            if (p.X >= g.HitRB.X && p.Y >= g.HitRB.Y)
                return HTBOTTOMRIGHT;
            if (Contains(TRect(g.HitLT.X, 0, g.HitRT.X, g.Client.Top), p))
                return HTTOP;
            if (Contains(TRect(g.HitLB.X, g.Client.Bottom, g.HitRB.X, g.H), p))
                return HTBOTTOM;
            if (Contains(TRect(0, g.HitLT.Y, g.Client.Left, g.HitLB.Y), p))
                return HTLEFT;
            if (Contains(TRect(g.Client.Right, g.HitRT.Y, g.W, g.HitRB.Y), p))
                return HTRIGHT;
        }
        if (inClient)
            return HTCLIENT;
    }
    return s.OverCaptionObject ? HTCAPTION : HTOBJECT;
}

// ---------------------------------------------------------------- the plain frame

TbsPlainFrameMetrics TbsPlainFrameMetrics::For(bool toolWindow) {
    TbsPlainFrameMetrics m;
    if (toolWindow) {
        m.CaptionHeight = 15;
        m.ButtonSize = 13;
    }
    return m;
}

TRect TbsPlainFrameMetrics::ClientRect(int W, int H) const {
    TRect r(3, 3 + CaptionHeight, W - 3, H - 3);
    r.Right = std::max(r.Right, r.Left);
    r.Bottom = std::max(r.Bottom, r.Top);
    return r;
}

TRect LayOutPlainButtons(const TbsPlainFrameMetrics& m, int W, std::vector<TbsFrameSlot>& places) {
    const TPoint size(m.ButtonSize, m.ButtonSize);
    int x = W - 5;
    for (TbsStdCommand command : AreaOrder)
        for (TbsFrameSlot& s : places)
            if (s.Kind == TbsFrameSlot::CaptionButton && s.Visible && s.Command == command) {
                s.Size = size;
                s.Rect = SlotAt(x - size.X, 4, size);
                x -= size.X;
                break;
            }
    int left = 3;
    for (TbsFrameSlot& s : places)
        if (s.Kind == TbsFrameSlot::CaptionButton && s.Command == TbsStdCommand::cmSysMenu) {
            s.Size = size;
            s.Rect = SlotAt(3, 4, size);
            if (s.Visible)
                left = s.Rect.Right;
        }
    return TRect(left + 2, 3, std::max(left + 2, x - 6), 3 + m.CaptionHeight);
}

int PlainFrameHitTest(const TbsPlainFrameMetrics& m, const TRect& captionArea, int W, int H,
                      const TbsHitTestState& s, TPoint p) {
    if (s.Sizeable && !s.Maximized && !s.RolledUp && !s.Minimized) {
        if (s.ObjectHot)
            return HTOBJECT;
        const bool left = p.X <= 2, top = p.Y <= 2, right = p.X >= W - 2, bottom = p.Y >= H - 2;
        if (left && top)
            return HTTOPLEFT;
        if (right && top)
            return HTTOPRIGHT;
        if (left && bottom)
            return HTBOTTOMLEFT;
        if (right && bottom)
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (top)
            return HTTOP;
        if (right)
            return HTRIGHT;
        if (bottom)
            return HTBOTTOM;
    }
    if (Contains(captionArea, p))
        return HTCAPTION;
    if (Contains(TRect(3, m.CaptionHeight + 3, W - 3, H - 3), p))
        return HTCLIENT;
    return HTOBJECT;
}

// ---------------------------------------------------------------- moving and fading

TPoint MagneticSnap(TPoint topLeft, int w, int h, const TRect& area, int m) {
    int left = topLeft.X, top = topLeft.Y;
    if (std::abs(left - area.Left) < m)
        left = area.Left;
    if (std::abs(top - area.Top) < m)
        top = area.Top;
    if (std::abs(left + w - area.Right) < m)
        left = area.Right - w;
    if (std::abs(top + h - area.Bottom) < m)
        top = area.Bottom - h;
    return TPoint(left, top);
}

std::vector<int> FadeInSteps(int target) {
    target = std::clamp(target, 0, 255);
    std::vector<int> steps;
    for (int alpha = 5; alpha < target; alpha += 5)
        steps.push_back(alpha);
    steps.push_back(target);
    return steps;
}
