#include "framework/Types.h"

#include <algorithm>

bool IntersectRect(TRect& dst, const TRect& a, const TRect& b) {
    dst = TRect(std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                std::min(a.Bottom, b.Bottom));
    if (dst.IsEmpty()) {
        dst = TRect();
        return false;
    }
    return true;
}

TRect UnionRect(const TRect& a, const TRect& b) {
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
                 std::max(a.Bottom, b.Bottom));
}
