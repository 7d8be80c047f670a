// TbsSkinGeometry: a custom-control record's geometry, fitted to the control's size.

#include "skin/bsSkinGeometry.h"

#include "framework/Canvas.h"

namespace {

const TBitmap* ActivePicture(const TbsSkinData& data, int index) {
    if (index < 0 || index >= static_cast<int>(data.ActivePictures.size()))
        return nullptr;
    const TBitmap* picture = data.ActivePictures[static_cast<size_t>(index)].get();
    return picture && !picture->Empty() ? picture : nullptr;
}

// Where a point lies among the four corner zones of a skin (both-stretch mapping).
enum class Zone { None, TopLeft, TopRight, BottomLeft, BottomRight };

} // namespace

void TbsSkinGeometry::LoadGeometry(const TbsSkinData& data, const TbsDataSkinControl& record,
                                   bool withMask) {
    const auto* custom = dynamic_cast<const TbsDataSkinCustomControl*>(&record);
    if (!custom) {
        // Only the root record's rectangle is there; nothing of the last record's geometry
        // may stay behind to size the control.
        SkinRect = record.SkinRect;
        SkinClientRect = TRect();
        LTPoint = RTPoint = LBPoint = RBPoint = TPoint();
        StretchMode = TbsStretchMode::Fixed;
        Picture = nullptr;
        MaskPicture = nullptr;
        return;
    }
    SkinRect = custom->SkinRect;
    SkinClientRect = custom->ClientRect;
    LTPoint = custom->LeftTopPoint;
    RTPoint = custom->RightTopPoint;
    LBPoint = custom->LeftBottomPoint;
    RBPoint = custom->RightBottomPoint;
    Picture = ActivePicture(data, custom->PictureIndex);
    MaskPicture = withMask ? ActivePicture(data, custom->MaskPictureIndex) : nullptr;
    StretchMode = ModeOfGeometry();
}

void TbsSkinGeometry::ForgetPictures() {
    Picture = nullptr;
    MaskPicture = nullptr;
}

TbsStretchMode TbsSkinGeometry::ModeOfGeometry() const {
    if (SkinRect.Width() < 1 || SkinRect.Height() < 1)
        return TbsStretchMode::None;
    if (RBPoint.X != 0 && RBPoint.Y != 0)
        return TbsStretchMode::Both;
    if (RTPoint.X != 0 || RTPoint.Y != 0)
        return TbsStretchMode::Horizontal;
    if (LBPoint.X != 0 || LBPoint.Y != 0)
        return TbsStretchMode::Vertical;
    return TbsStretchMode::Fixed;
}

void TbsSkinGeometry::FitGeometry(int& width, int& height) {
    const int dW = width - SkinWidth();
    const int dH = height - SkinHeight();
    switch (StretchMode) {
    case TbsStretchMode::None:
        break;
    case TbsStretchMode::Fixed:
        // A record without geometry of its own has no size to force.
        if (SkinRect.IsEmpty())
            break;
        width = SkinWidth();
        height = SkinHeight();
        NewLTPoint = LTPoint;
        NewRTPoint = RTPoint;
        NewLBPoint = LBPoint;
        NewRBPoint = RBPoint;
        FittedClientRect = SkinClientRect;
        break;
    case TbsStretchMode::Both:
        NewLTPoint = LTPoint;
        NewRTPoint = TPoint(RTPoint.X + dW, RTPoint.Y);
        NewLBPoint = TPoint(LBPoint.X, LBPoint.Y + dH);
        NewRBPoint = TPoint(RBPoint.X + dW, RBPoint.Y + dH);
        FittedClientRect = SkinClientRect;
        FittedClientRect.Right += dW;
        FittedClientRect.Bottom += dH;
        break;
    case TbsStretchMode::Horizontal:
        height = SkinHeight();
        NewLTPoint = LTPoint;
        NewRTPoint = TPoint(RTPoint.X + dW, RTPoint.Y);
        FittedClientRect = SkinClientRect;
        FittedClientRect.Right += dW;
        break;
    case TbsStretchMode::Vertical:
        width = SkinWidth();
        NewLTPoint = LTPoint;
        NewLBPoint = TPoint(LBPoint.X, LBPoint.Y + dH);
        FittedClientRect = SkinClientRect;
        FittedClientRect.Bottom += dH;
        break;
    }
}

TRect TbsSkinGeometry::MapRect(const TRect& rect, int width, int height) const {
    const int dW = width - SkinWidth();
    const int dH = height - SkinHeight();
    TRect r = rect;
    switch (StretchMode) {
    case TbsStretchMode::Both: {
        const int sw = SkinWidth();
        const int sh = SkinHeight();
        const TRect topLeft(0, 0, LTPoint.X, LTPoint.Y);
        const TRect topRight(RTPoint.X, 0, sw, RTPoint.Y);
        const TRect bottomLeft(0, LBPoint.Y, LBPoint.X, sh);
        const TRect bottomRight(RBPoint.X, RBPoint.Y, sw, sh);
        // Wholly inside one zone (right and bottom zone edges outside): move with it.
        if (RectInRect(r, topLeft))
            return r;
        if (RectInRect(r, topRight)) {
            r.Offset(dW, 0);
            return r;
        }
        if (RectInRect(r, bottomLeft)) {
            r.Offset(0, dH);
            return r;
        }
        if (RectInRect(r, bottomRight)) {
            r.Offset(dW, dH);
            return r;
        }
        // Spanning zones: judged by the zones of its corners (edges inside).
        auto zoneOf = [&](TPoint p) {
            if (PointInRectInclusive(topLeft, p))
                return Zone::TopLeft;
            if (PointInRectInclusive(topRight, p))
                return Zone::TopRight;
            if (PointInRectInclusive(bottomLeft, p))
                return Zone::BottomLeft;
            if (PointInRectInclusive(bottomRight, p))
                return Zone::BottomRight;
            return Zone::None;
        };
        const Zone a = zoneOf(r.TopLeft());
        const Zone b = zoneOf(r.BottomRight());
        if (a == Zone::TopLeft && b == Zone::BottomRight) {
            r.Right += dW;
            r.Bottom += dH;
        } else if (a == Zone::TopLeft && b == Zone::TopRight) {
            r.Right += dW;
        } else if (a == Zone::BottomLeft && b == Zone::BottomRight) {
            r.Right += dW;
            r.Offset(0, dH);
        } else if (a == Zone::TopLeft && b == Zone::BottomLeft) {
            r.Bottom += dH;
        } else if (a == Zone::TopRight && b == Zone::BottomRight) {
            r.Offset(dW, 0);
            r.Bottom += dH;
        }
        return r;
    }
    case TbsStretchMode::Horizontal:
        if (r.Left <= LTPoint.X && r.Right >= RTPoint.X)
            r.Right += dW;
        else if (r.Left >= RTPoint.X && r.Right > RTPoint.X)
            r.Offset(dW, 0);
        return r;
    case TbsStretchMode::Vertical:
        if (r.Top <= LTPoint.Y && r.Bottom >= LBPoint.Y)
            r.Bottom += dH;
        else if (r.Top >= LBPoint.Y && r.Bottom > LBPoint.Y)
            r.Offset(0, dH);
        return r;
    case TbsStretchMode::Fixed:
    case TbsStretchMode::None:
        break;
    }
    return r;
}

bool TbsSkinGeometry::ComposeImage(TBitmap& dest, const TRect& stateRect, int width,
                                   int height) const {
    if (!Picture || width <= 0 || height <= 0)
        return false;
    switch (StretchMode) {
    case TbsStretchMode::None:
        return false;
    case TbsStretchMode::Fixed:
        if (SkinRect.IsEmpty())
            return false;
        dest.SetSize(SkinWidth(), SkinHeight());
        dest.Canvas().CopyMode = cmSrcCopy;
        dest.Canvas().Draw(-stateRect.Left, -stateRect.Top, *Picture);
        return true;
    case TbsStretchMode::Both:
        CreateSkinImage(LTPoint, RTPoint, LBPoint, RBPoint, SkinClientRect, NewLTPoint, NewRTPoint,
                        NewLBPoint, NewRBPoint, FittedClientRect, dest, *Picture, stateRect, width,
                        height, true);
        return true;
    case TbsStretchMode::Horizontal:
        CreateHSkinImage(LTPoint.X, SkinWidth() - RTPoint.X, dest, width, stateRect, *Picture);
        return true;
    case TbsStretchMode::Vertical:
        CreateVSkinImage(LTPoint.Y, SkinHeight() - LBPoint.Y, dest, height, stateRect, *Picture);
        return true;
    }
    return false;
}

TbsRegion TbsSkinGeometry::MaskRegion(int width, int height) const {
    if (!MaskPicture)
        return std::nullopt;
    const TRect maskRect(0, 0, MaskPicture->Width(), MaskPicture->Height());
    TBitmap fitted;
    switch (StretchMode) {
    case TbsStretchMode::None:
        return std::nullopt;
    case TbsStretchMode::Fixed:
        return CreateRegionFromMask(*MaskPicture);
    case TbsStretchMode::Both:
        return CreateSkinRegion(LTPoint, RTPoint, LBPoint, RBPoint, SkinClientRect, NewLTPoint,
                                NewRTPoint, NewLBPoint, NewRBPoint, FittedClientRect, *MaskPicture,
                                width, height);
    // A band record's mask is fitted like its picture: the band between the kept ends is
    // repeated, so the region follows the picture exactly.
    case TbsStretchMode::Horizontal:
        CreateHSkinImage(LTPoint.X, SkinWidth() - RTPoint.X, fitted, width, maskRect, *MaskPicture);
        return CreateRegionFromMask(fitted);
    case TbsStretchMode::Vertical:
        CreateVSkinImage(LTPoint.Y, SkinHeight() - LBPoint.Y, fitted, height, maskRect,
                         *MaskPicture);
        return CreateRegionFromMask(fitted);
    }
    return std::nullopt;
}
