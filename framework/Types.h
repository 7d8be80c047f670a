#pragma once
// Integer geometry with the platform's conventions: a rectangle is (left, top, right,
// bottom) with right and bottom exclusive. Convert to Qt types only at the Qt boundary.

#include <QPoint>
#include <QRect>
#include <QSize>

struct TPoint {
    int X = 0;
    int Y = 0;
    constexpr TPoint() = default;
    constexpr TPoint(int x, int y) : X(x), Y(y) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
    QPoint ToQPoint() const { return QPoint(X, Y); }
    static TPoint FromQPoint(const QPoint& p) { return TPoint(p.x(), p.y()); }
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    constexpr TRect() = default;
    constexpr TRect(int l, int t, int r, int b) : Left(l), Top(t), Right(r), Bottom(b) {}
    friend constexpr bool operator==(const TRect&, const TRect&) = default;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr TPoint TopLeft() const { return TPoint(Left, Top); }
    constexpr TPoint BottomRight() const { return TPoint(Right, Bottom); }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    void Offset(int dx, int dy) {
        Left += dx;
        Right += dx;
        Top += dy;
        Bottom += dy;
    }
    void Inflate(int dx, int dy) {
        Left -= dx;
        Right += dx;
        Top -= dy;
        Bottom += dy;
    }

    // Qt's QRect has an inclusive right/bottom edge; these convert exactly.
    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }
    static TRect FromQRect(const QRect& r) {
        return TRect(r.x(), r.y(), r.x() + r.width(), r.y() + r.height());
    }
};

constexpr TRect Rect(int l, int t, int r, int b) {
    return TRect(l, t, r, b);
}
constexpr TRect Bounds(int l, int t, int w, int h) {
    return TRect(l, t, l + w, t + h);
}
constexpr TPoint Point(int x, int y) {
    return TPoint(x, y);
}

constexpr int RectWidth(const TRect& r) {
    return r.Right - r.Left;
}
constexpr int RectHeight(const TRect& r) {
    return r.Bottom - r.Top;
}
// True when the width or the height is not positive.
constexpr bool IsNullRect(const TRect& r) {
    return RectWidth(r) <= 0 || RectHeight(r) <= 0;
}
// True when either coordinate is zero.
constexpr bool IsNullPoint(const TPoint& p) {
    return p.X == 0 || p.Y == 0;
}
// The platform's test: right and bottom edges are outside.
constexpr bool PtInRect(const TRect& r, const TPoint& p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}
// Right and bottom edges count as inside.
constexpr bool PointInRectInclusive(const TRect& r, const TPoint& p) {
    return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}
// Both corners of `inner` pass PtInRect against `outer`.
constexpr bool RectInRect(const TRect& inner, const TRect& outer) {
    return PtInRect(outer, inner.TopLeft()) && PtInRect(outer, inner.BottomRight());
}
// Intersection; false (and an empty rect) when they do not overlap.
bool IntersectRect(TRect& dst, const TRect& a, const TRect& b);
// Smallest rectangle containing both (an empty one is ignored).
TRect UnionRect(const TRect& a, const TRect& b);
