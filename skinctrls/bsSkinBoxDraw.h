#pragma once
// Drawing helpers the skinned text and list controls share.

#include "framework/Bitmap.h"
#include "framework/Canvas.h"

// Copies the piece `source` of `picture` into `dest` on `canvas`, scaled to fit.
inline void DrawPicturePiece(TCanvas& canvas, const TRect& dest, const TBitmap& picture,
                             const TRect& source) {
    if (source.IsEmpty() || dest.IsEmpty())
        return;
    TBitmap piece(source.Width(), source.Height());
    piece.Canvas().Draw(-source.Left, -source.Top, picture);
    if (dest.Width() == source.Width() && dest.Height() == source.Height())
        canvas.Draw(dest.Left, dest.Top, piece);
    else
        canvas.StretchDraw(dest, piece);
}

// Repeats the piece `source` of `picture` over `dest` in rows and columns, the last tiles
// clipped; the tiles start at `origin` (so neighbouring areas line up).
inline void TilePicturePiece(TCanvas& canvas, const TRect& dest, const TBitmap& picture,
                             const TRect& source, TPoint origin) {
    if (source.IsEmpty() || dest.IsEmpty())
        return;
    TBitmap piece(source.Width(), source.Height());
    piece.Canvas().Draw(-source.Left, -source.Top, picture);
    const int saved = canvas.SaveState();
    canvas.IntersectClipRect(dest);
    const int w = source.Width();
    const int h = source.Height();
    const int firstX = origin.X + ((dest.Left - origin.X) / w) * w;
    const int firstY = origin.Y + ((dest.Top - origin.Y) / h) * h;
    for (int y = firstY; y < dest.Bottom; y += h)
        for (int x = firstX; x < dest.Right; x += w)
            canvas.Draw(x, y, piece);
    canvas.RestoreState(saved);
}
