#include "framework/ImgList.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"

#include <QPainter>
#include <QPixmap>

namespace {

// Pixels at least this light do not belong to an image's shape in the disabled look.
constexpr int ShapeLightnessLimit = 192;

bool InShape(QRgb pixel) {
    return qAlpha(pixel) >= 128 && qGray(pixel) < ShapeLightnessLimit;
}

} // namespace

QImage EmbossedImage(const QImage& image) {
    QImage source = image.convertToFormat(QImage::Format_ARGB32);
    QImage result(source.size(), QImage::Format_ARGB32);
    result.fill(Qt::transparent);
    const QRgb highlight = ToQColor(clBtnHighlight).rgb();
    const QRgb shadow = ToQColor(clBtnShadow).rgb();
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            if (!InShape(source.pixel(x, y)))
                continue;
            result.setPixel(x, y, shadow);
            if (x + 1 < source.width() && y + 1 < source.height() &&
                !InShape(source.pixel(x + 1, y + 1)))
                result.setPixel(x + 1, y + 1, highlight);
        }
    return result;
}

TImageList::TImageList(QObject* owner) : TComponent(owner) {}

void TImageList::SetWidth(int width) {
    SetSize(width, FHeight);
}

void TImageList::SetHeight(int height) {
    SetSize(FWidth, height);
}

void TImageList::SetSize(int width, int height) {
    if (width < 1 || height < 1)
        throw EInvalidOperation(QStringLiteral("Invalid image size"));
    if (width == FWidth && height == FHeight)
        return;
    FWidth = width;
    FHeight = height;
    FImages.clear();
    Changed();
}

int TImageList::AddImage(const QImage& image) {
    return AddPieces(image.convertToFormat(QImage::Format_ARGB32));
}

int TImageList::AddPieces(const QImage& strip) {
    if (strip.isNull())
        throw EInvalidOperation(QStringLiteral("Invalid image size"));
    const int first = Count();
    // A picture narrower than one image still makes one image; a strip makes one per
    // full width. Missing pixels stay transparent.
    const int pieces = std::max(1, strip.width() / FWidth);
    for (int i = 0; i < pieces; ++i) {
        QImage piece(FWidth, FHeight, QImage::Format_ARGB32);
        piece.fill(Qt::transparent);
        QPainter painter(&piece);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 0), strip, QRect(i * FWidth, 0, FWidth, FHeight));
        painter.end();
        FImages.push_back(piece);
    }
    Changed();
    return first;
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
    QImage pixels = image.ToQImage().convertToFormat(QImage::Format_ARGB32);
    if (mask) {
        // White mask pixels are transparent, as in the platform's masks.
        QImage maskPixels = mask->ToQImage().convertToFormat(QImage::Format_RGB32);
        const int w = std::min(pixels.width(), maskPixels.width());
        const int h = std::min(pixels.height(), maskPixels.height());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (qGray(maskPixels.pixel(x, y)) >= 128)
                    pixels.setPixel(x, y, 0);
    }
    return AddPieces(pixels);
}

int TImageList::AddMasked(const TBitmap& image, TColor transparentColor) {
    QImage pixels = image.ToQImage().convertToFormat(QImage::Format_ARGB32);
    if (pixels.isNull())
        return AddPieces(pixels);
    TColor key = transparentColor == clDefault ? image.Pixel(0, image.Height() - 1)
                                               : ColorToRGB(transparentColor);
    const QRgb transparent = ToQColor(key).rgb() | 0xFF000000u;
    for (int y = 0; y < pixels.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            if ((line[x] | 0xFF000000u) == transparent)
                line[x] = 0;
    }
    return AddPieces(pixels);
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
    QImage image = Image(index, enabled);
    if (image.isNull())
        return;
    QPainter* painter = canvas.Handle();
    if (!painter)
        return;
    painter->save();
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    // On a device of scale 2 the picture is enlarged smoothly, as the canvas does with bitmaps.
    if (canvas.DevicePixelRatio() != 1)
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawImage(QPoint(x, y), image);
    painter->restore();
}

void TImageList::GetBitmap(int index, TBitmap& bitmap) const {
    bitmap.SetSize(FWidth, FHeight);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = FBkColor == clNone ? clWhite : FBkColor;
    canvas.FillRect(TRect(0, 0, FWidth, FHeight));
    Draw(canvas, 0, 0, index, true);
    canvas.EndPaint();
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    FImages.erase(FImages.begin() + index);
    Changed();
}

void TImageList::Clear() {
    if (FImages.empty())
        return;
    FImages.clear();
    Changed();
}

QImage TImageList::Image(int index, bool enabled) const {
    if (index < 0 || index >= Count())
        return QImage();
    const QImage& image = FImages[static_cast<size_t>(index)];
    return enabled ? image : EmbossedImage(image);
}

QIcon TImageList::Icon(int index) const {
    QImage image = Image(index);
    if (image.isNull())
        return QIcon();
    QIcon icon(QPixmap::fromImage(image));
    icon.addPixmap(QPixmap::fromImage(EmbossedImage(image)), QIcon::Disabled);
    return icon;
}

void TImageList::Changed() {
    FireEvent(OnChange, this);
}
