#pragma once
// TBitmap: a 24-bit top-down BGR image whose rows are padded to 4 bytes, byte for byte the
// pixel layout of a 24-bit device-independent bitmap (QImage::Format_BGR888). It loads
// Windows BMP files (every common form) and JPEG files, saves 24-bit BMP files, and
// carries the transparency settings TCanvas::Draw honours.
//
// Sizes: a new or enlarged bitmap keeps its old pixels at the top-left and fills the new
// area white (the framework's bitmaps start white). A bitmap with a zero width or height
// is Empty; drawing on its canvas does nothing.
//
// Device pixel ratio: a bitmap composed for a screen of scale 2 holds two pixels per unit
// each way. Width, Height, Pixel, SetPixel and its canvas speak logical units (the canvas
// paints text and shapes at the full resolution, and draws bitmaps of another ratio
// smoothly scaled); ScanLine, BytesPerLine and ToQImage give the physical pixels,
// PixelWidth x PixelHeight of them. Bitmaps read from files have ratio 1.

#include "framework/Colors.h"
#include "framework/Streams.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class TCanvas;

// While one lives, the picture files this thread loads share one read buffer, given back
// when the last one ends: for a set of pictures read in a row, such as a skin's.
class TPictureReadSession {
public:
    TPictureReadSession();
    ~TPictureReadSession();
    TPictureReadSession(const TPictureReadSession&) = delete;
    TPictureReadSession& operator=(const TPictureReadSession&) = delete;
};

class TBitmap {
public:
    TBitmap();
    TBitmap(int width, int height);
    // A bitmap for a device of `ratio` physical pixels per logical one (a widget's
    // devicePixelRatioF()).
    TBitmap(int width, int height, qreal ratio);
    TBitmap(const TBitmap& other);
    TBitmap& operator=(const TBitmap& other);
    ~TBitmap();

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);
    bool Empty() const { return FWidth <= 0 || FHeight <= 0; }
    // Physical pixels per logical one (1 unless set).
    qreal DevicePixelRatio() const { return FRatio; }
    // A changed ratio makes the pixels anew at the same logical size, white.
    void SetDevicePixelRatio(qreal ratio);
    // The physical size: the logical size times the ratio, rounded up.
    int PixelWidth() const;
    int PixelHeight() const;
    // Makes the bitmap 0 x 0.
    void Clear();

    // Copies the pixels and the transparency settings.
    void Assign(const TBitmap& source);

    // Physical row y (0 = top) as B, G, R bytes; raises EInvalidGraphic when y is out of range.
    uint8_t* ScanLine(int y);
    const uint8_t* ScanLine(int y) const;
    // Bytes from one row to the next (3 x PixelWidth rounded up to a multiple of 4).
    int BytesPerLine() const;

    // -1 (the platform's invalid colour) outside the bitmap. With a ratio above 1 the
    // top-left physical pixel of the logical one.
    TColor Pixel(int x, int y) const;
    // Ignored outside the bitmap; system colours are resolved; fills all physical pixels
    // of the logical one.
    void SetPixel(int x, int y, TColor color);

    // The bitmap's own canvas, made on first use.
    TCanvas& Canvas();

    // When set, Draw and StretchDraw leave pixels of TransparentColor unpainted.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value) { FTransparent = value; }
    // The colour set with SetTransparentColor, or the bottom-left (physical) pixel when none was
    // set (or it was reset with clDefault).
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);

    // BMP files of 1, 4, 8, 16, 24 and 32 bits per pixel, uncompressed, RLE4, RLE8 and bit
    // fields, bottom-up and top-down, core, info and V4/V5 headers. A damaged or unsupported
    // file raises EInvalidGraphic naming the file, and the bitmap keeps its old pixels; a
    // file that can't be opened raises EFOpenError.
    void LoadFromFile(const QString& fileName);
    // As LoadFromFile, with the same errors, for sets of pictures of which only some are
    // drawn, such as a skin's: an uncompressed BMP of 16, 24 or 32 bits per pixel whose file
    // holds every row its header announces is only checked now, and its pixels are read when
    // first used. Should the file by then no longer give a picture of that size, the bitmap
    // is white and the reason goes to the error output.
    void LoadFromFileWhenUsed(const QString& fileName);
    // Reads one BMP file image from the stream's position; the image is self-delimiting by
    // its file-size field, and the stream is left right after it.
    void LoadFromStream(TStream& stream);
    // A 24-bit bottom-up BMP with an info header.
    void SaveToFile(const QString& fileName) const;
    void SaveToStream(TStream& stream) const;
    // A baseline or progressive JPEG file (grayscale, colour or CMYK) through libjpeg.
    void LoadJpegFromFile(const QString& fileName);

    // The physical pixels as a QImage (Format_BGR888, shares the data until either side
    // changes) carrying the bitmap's ratio.
    QImage ToQImage() const;
    // Takes a copy of `image` converted to 24 bits (alpha is dropped); the image's device
    // pixel ratio becomes the bitmap's.
    void FromQImage(const QImage& image);

private:
    friend class TCanvas;
    // The image canvases paint on; ends their painters before the pixels are replaced.
    QImage& ImageForPainting() {
        ReadPendingPixels();
        return FImage;
    }
    const QImage& Image() const {
        ReadPendingPixels();
        return FImage;
    }
    void EndCanvasPainting() const;
    void Attach(TCanvas* canvas) const;
    void Detach(TCanvas* canvas) const;
    void ReplaceImage(QImage image);
    // Reads the pixels a LoadFromFileWhenUsed left in the file, before they are first used.
    void ReadPendingPixels() const {
        if (!FPendingFile.isEmpty())
            ReadPixelsFromFile();
    }
    void ReadPixelsFromFile() const;

    QImage FImage;
    // The file whose pixels are still to be read, while FImage is null.
    QString FPendingFile;
    int FWidth = 0;
    int FHeight = 0;
    qreal FRatio = 1;
    bool FTransparent = false;
    TColor FTransparentColor = clDefault;
    std::unique_ptr<TCanvas> FCanvas;
    mutable std::vector<TCanvas*> FAttached;
};

// The codecs behind TBitmap. `source` names the file in error texts (may be empty).
namespace GraphicCodecs {
// Decodes a complete BMP file image; a 0-width or 0-height image gives a null QImage.
QImage DecodeBmp(const uint8_t* data, size_t size, const QString& source);
// For the first `headSize` bytes of a BMP file image of `fileSize` bytes: raises what
// DecodeBmp would raise before reading a pixel, and gives the picture's size when its form
// is one whose pixels then can't fail to decode (16, 24 or 32 bits, uncompressed), else
// nothing.
std::optional<QSize> CertainBmpSize(const uint8_t* head, size_t headSize, size_t fileSize,
                                    const QString& source);
// A 24-bit bottom-up BMP file image of a Format_BGR888 image (an empty one for null).
QByteArray EncodeBmp(const QImage& image);
QImage DecodeJpeg(const QByteArray& data, const QString& source);
// Largest accepted side and pixel count of a decoded picture.
constexpr int64_t MaxSide = 32768;
constexpr int64_t MaxPixels = int64_t(256) * 1024 * 1024;
} // namespace GraphicCodecs
