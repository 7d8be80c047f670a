#include "skin/bsSkinMenusFitting.h"

#include "skin/bsSkinDataRecords.h"

#include <algorithm>

TbsPopupFit FitPopupFrame(const TbsDataSkinPopupWindow& r, int PW, int PH, int W, int H) {
    const int dx = W - PW, dy = H - PH;
    TbsPopupFit f;
    f.LT = r.LeftTopPoint;
    f.RT = TPoint(dx + r.RightTopPoint.X, r.RightTopPoint.Y);
    f.LB = TPoint(r.LeftBottomPoint.X, dy + r.LeftBottomPoint.Y);
    f.RB = TPoint(dx + r.RightBottomPoint.X, dy + r.RightBottomPoint.Y);
    f.ItemsRect =
        TRect(r.ItemsRect.Left, r.ItemsRect.Top, dx + r.ItemsRect.Right, dy + r.ItemsRect.Bottom);
    return f;
}

TbsPopupFit FitPlainPopupFrame(int W, int H) {
    TbsPopupFit f;
    f.RT = TPoint(W, 0);
    f.LB = TPoint(0, H);
    f.RB = TPoint(W, H);
    f.ItemsRect = TRect(2, 2, W - 2, H - 2);
    return f;
}

int PopupGlyphColumnWidth(int imageWidth, bool hasImages) {
    return hasImages ? imageWidth + 5 : 19;
}

int PopupItemHeight(const TbsPopupLook& look, bool separator) {
    if (look.Window && look.Item)
        return separator ? look.Item->DividerRect.Height() : look.Item->SkinRect.Height();
    return separator ? 4 : look.DefItemHeight;
}

TSize PopupWindowSize(const TbsPopupLook& look, const std::vector<TbsPopupLine>& lines,
                      int glyphColumnWidth) {
    int widest = 0, height = 0;
    for (const TbsPopupLine& line : lines) {
        widest = std::max(widest, line.TextWidth + 2);
        height += PopupItemHeight(look, line.Separator);
    }
    int width = widest + glyphColumnWidth + 19;
    if (!look.Window)
        return TSize{width + 10, height + 4};
    const TRect& items = look.Window->ItemsRect;
    width += look.PW - items.Width();
    height += look.PH - items.Height();
    if (look.Item)
        width +=
            look.Item->TextRect.Left + (look.Item->SkinRect.Width() - look.Item->TextRect.Right);
    else
        width += 10; // plain items keep their own margins inside a skinned frame
    return TSize{width, height};
}

TbsPopupLayout LayOutPopupItems(const std::vector<int>& heights, const TRect& itemsRect,
                                bool scrolling, int firstVisible) {
    const int count = static_cast<int>(heights.size());
    TbsPopupLayout layout;
    layout.Bounds.assign(count, TRect());
    layout.Shown.assign(count, false);
    int y = itemsRect.Top + (scrolling ? PopupScrollStripHeight : 0);
    const int bottom = itemsRect.Bottom - (scrolling ? PopupScrollStripHeight : 0);
    for (int i = std::max(0, firstVisible); i < count; ++i) {
        const TRect bounds(itemsRect.Left, y, itemsRect.Right, y + heights[i]);
        if (bounds.Bottom > bottom)
            break;
        layout.Bounds[i] = bounds;
        layout.Shown[i] = true;
        ++layout.ShownCount;
        y = bounds.Bottom;
    }
    return layout;
}

int PopupLastScreenfulStart(const std::vector<int>& heights, const TRect& itemsRect) {
    const int room = itemsRect.Height() - 2 * PopupScrollStripHeight;
    int used = 0, first = static_cast<int>(heights.size());
    while (first > 0 && used + heights[first - 1] <= room) {
        used += heights[first - 1];
        --first;
    }
    return std::min(first, std::max(0, static_cast<int>(heights.size()) - 1));
}

TPoint PlacePopupWindow(const TbsPopupOpening& o, const TRect& R, int W, int H, int itemsTop) {
    const TRect& A = o.Anchor;
    const bool upperHalf = A.Top < R.Top + R.Height() / 2;
    bool moved = false;
    int y;
    if (o.Scrolling) {
        y = R.Top;
    } else if (o.Submenu) {
        if (A.Top - itemsTop + H <= R.Bottom)
            y = A.Top - itemsTop; // the first item level with the parent item
        else if (upperHalf)
            y = R.Bottom - H;
        else
            y = std::max(R.Top, A.Bottom + itemsTop - H);
    } else if (o.Upward) {
        if (A.Top - H >= R.Top) {
            y = A.Top - H;
        } else if (upperHalf) {
            y = A.Bottom + H <= R.Bottom ? A.Bottom : R.Bottom - H;
            moved = A.Bottom + H > R.Bottom;
        } else {
            y = R.Top;
            moved = true;
        }
    } else {
        if (A.Bottom + H <= R.Bottom) {
            y = A.Bottom;
        } else if (upperHalf) {
            y = R.Bottom - H;
            moved = true;
        } else if (A.Top - H >= R.Top) {
            y = A.Top - H;
        } else {
            y = R.Top;
            moved = true;
        }
    }
    int x;
    if (o.Submenu || o.Scrolling || moved) {
        x = R.Right >= A.Right + W + 1 ? A.Right + 1 : A.Left - W - 1;
    } else {
        x = A.Left;
        if (x + W > R.Right)
            x = R.Right - W;
        if (A.Left < R.Left)
            x = R.Left;
    }
    return TPoint(x, y);
}
