#pragma once
// A list of equally sized small images (16 x 16 by default) with transparency, drawn
// by index onto a canvas, normally or in the disabled look.
//
// The disabled look is the platform's embossed one: the image's shape (its opaque
// pixels darker than a light grey) is drawn flat in the button-highlight colour one
// pixel down and to the right, then in the button-shadow colour at the image's place.
// Light and transparent pixels are not drawn, so the background shows through.

#include "framework/Classes.h"
#include "framework/Colors.h"

#include <QIcon>
#include <QImage>
#include <vector>

class TBitmap;
class TCanvas;

class TImageList : public TComponent {
    Q_OBJECT
public:
    explicit TImageList(QObject* owner = nullptr);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Changing the size empties the list (the images would no longer fit).
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);

    int Count() const { return static_cast<int>(FImages.size()); }

    // Adds the image, cut into Width-wide pieces when it is a strip; `mask` (may be
    // nullptr) marks transparent pixels white and opaque ones black. Returns the index
    // of the first image added.
    int Add(const TBitmap& image, const TBitmap* mask);
    // As Add, with every pixel of `transparentColor` transparent. clDefault takes the
    // colour of the image's bottom-left pixel.
    int AddMasked(const TBitmap& image, TColor transparentColor);
    // Adds a picture with its own alpha channel, cut like Add.
    int AddImage(const QImage& image);
    void Delete(int index);
    void Clear();

    // Draws image `index` with its top-left at (x, y); an index out of range draws nothing.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // Sizes `bitmap` to Width x Height and draws the image onto it; the transparent
    // pixels keep the colour BkColor (white when BkColor is clNone).
    void GetBitmap(int index, TBitmap& bitmap) const;

    // The colour GetBitmap puts behind transparent pixels.
    TColor BkColor() const { return FBkColor; }
    void SetBkColor(TColor color) { FBkColor = color; }

    // Image `index` with its transparency as alpha (ARGB32), or a null image when out of
    // range; the disabled look when `enabled` is false.
    QImage Image(int index, bool enabled = true) const;
    QIcon Icon(int index) const;

    // Fired when images are added, deleted or the size changes.
    TNotifyEvent OnChange;

private:
    int AddPieces(const QImage& strip);
    void Changed();

    int FWidth = 16;
    int FHeight = 16;
    TColor FBkColor = clNone;
    std::vector<QImage> FImages; // ARGB32, FWidth x FHeight each
};

// The disabled, embossed look of an image with alpha (see the header comment).
QImage EmbossedImage(const QImage& image);
