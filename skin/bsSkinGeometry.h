#pragma once
// A custom-control record's geometry: its picture rectangle, client rectangle and corner
// points, fitted to a control's size by the record's stretch mode.

#include "skin/bsSkinData.h"
#include "skin/bsUtils.h"

#include "framework/Bitmap.h"
#include "framework/Types.h"

// How a record's picture is fitted to the control.
enum class TbsStretchMode : int { None = -1, Fixed = 0, Both = 1, Horizontal = 2, Vertical = 3 };

// The geometry a custom-control record gives (in coordinates relative to its skin
// rectangle) and its fit to the control's current size. Shared by the windowed and the
// window-less custom controls.
class TbsSkinGeometry {
public:
    // Copies of the record: "skinrect", "clientrect" and the four corner points.
    TRect SkinRect;
    TRect SkinClientRect;
    TPoint LTPoint, RTPoint, LBPoint, RBPoint;
    // Entries of the skin's ActivePictures ("pictureindex", "maskpictureindex"); not owned,
    // nullptr for none. Valid only while the control has a record.
    const TBitmap* Picture = nullptr;
    const TBitmap* MaskPicture = nullptr;
    TbsStretchMode StretchMode = TbsStretchMode::None;
    // The corner points and client rectangle moved to the control's size by FitSize.
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect FittedClientRect;

    int SkinWidth() const { return SkinRect.Width(); }
    int SkinHeight() const { return SkinRect.Height(); }

    // Takes the geometry of `record`. A record without geometry (not a custom-control
    // record) counts as fixed without picture, sized by its own skin rectangle (an empty
    // one keeps the control's size).
    void LoadGeometry(const TbsSkinData& data, const TbsDataSkinControl& record, bool withMask);
    // Forgets the pictures (they belong to the skin that is going away).
    void ForgetPictures();
    // The stretch mode the copied geometry asks for.
    TbsStretchMode ModeOfGeometry() const;

    // Adjusts a requested size to the stretch mode and sets the fitted points and client
    // rectangle for it. A fixed record with an empty skin rectangle changes no size.
    void FitGeometry(int& width, int& height);
    // A rectangle in skin coordinates placed on a control of the given size.
    TRect MapRect(const TRect& rect, int width, int height) const;
    // Composes the piece `stateRect` of Picture (a rectangle of the skin's size sharing the
    // record's corner points) into `dest`, fitted to width x height by the stretch mode.
    // False (and `dest` untouched) without a picture, in stretch mode None, or for an
    // empty size.
    bool ComposeImage(TBitmap& dest, const TRect& stateRect, int width, int height) const;
    // The window region MaskPicture gives a control of this size; nullopt without a mask.
    TbsRegion MaskRegion(int width, int height) const;
};
