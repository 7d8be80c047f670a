#include "framework/Bitmap.h"

#include "framework/Canvas.h"
#include "framework/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

// Largest file or stream image accepted: the biggest pixel count at 32 bits plus headers.
constexpr int64_t MaxImageBytes = GraphicCodecs::MaxPixels * 4 + 64 * 1024;
constexpr int DotsPerMeter96 = 3780;

void CheckSize(int width, int height) {
    if (width > GraphicCodecs::MaxSide || height > GraphicCodecs::MaxSide ||
        int64_t(width) * height > GraphicCodecs::MaxPixels)
        throw EInvalidGraphic(
            QStringLiteral("Bitmap size %1 x %2 is too large").arg(width).arg(height));
}

QImage NewImage(int width, int height) {
    CheckSize(width, height);
    QImage image(width, height, QImage::Format_BGR888);
    if (image.isNull())
        throw EInvalidGraphic(
            QStringLiteral("Not enough memory for a %1 x %2 bitmap").arg(width).arg(height));
    image.setDotsPerMeterX(DotsPerMeter96);
    image.setDotsPerMeterY(DotsPerMeter96);
    return image;
}

// Physical pixels for `units` logical ones, rounded up; logical units of `pixels`, rounded
// down (so a size survives the way there and back).
int PhysicalCount(int units, qreal ratio) {
    return ratio == 1 ? units : static_cast<int>(std::ceil(units * ratio - 1e-9));
}

// The first physical pixel of logical unit `unit`.
int PhysicalStart(int unit, qreal ratio) {
    return ratio == 1 ? unit : static_cast<int>(unit * ratio);
}

int LogicalCount(int pixels, qreal ratio) {
    return ratio == 1 ? pixels : static_cast<int>(std::floor(pixels / ratio + 1e-9));
}

[[noreturn]] void FailBitmap(const QString& source, const QString& reason) {
    if (source.isEmpty())
        throw EInvalidGraphic(QStringLiteral("图片无效：%1").arg(reason));
    throw EInvalidGraphic(QStringLiteral("图片“%1”无效：%2").arg(source, reason));
}

// The size of an opened picture file; raises for one larger than any picture accepted.
int64_t PictureFileSize(TFileStream& file, const QString& fileName) {
    const int64_t size = file.Size();
    if (size > MaxImageBytes)
        FailBitmap(fileName, QStringLiteral("文件太大"));
    return size;
}

// The read buffer of the pictures loaded while a TPictureReadSession lives on this thread.
thread_local int tReadSessions = 0;
thread_local QByteArray tSharedReadBuffer;

// Hands the bytes of a picture file to `decode`. Within a read session the files go through
// one buffer, as fresh memory for each would be mapped in by the kernel page by page; outside
// one the buffer is the file's own and goes back to the heap at once.
template <class Decode> auto DecodeWholeFile(const QString& fileName, Decode decode) {
    QByteArray own;
    QByteArray& buffer = tReadSessions > 0 ? tSharedReadBuffer : own;
    TFileStream file(fileName, TFileMode::fmOpenRead);
    const int64_t size = PictureFileSize(file, fileName);
    buffer.resize(static_cast<qsizetype>(std::max<int64_t>(size, 0)));
    int64_t got = file.Read(buffer.data(), buffer.size());
    buffer.truncate(static_cast<qsizetype>(std::max<int64_t>(got, 0)));
    return decode(std::as_const(buffer));
}

QImage DecodeBmpFile(const QString& fileName) {
    return DecodeWholeFile(fileName, [&](const QByteArray& data) {
        return GraphicCodecs::DecodeBmp(reinterpret_cast<const uint8_t*>(data.constData()),
                                        static_cast<size_t>(data.size()), fileName);
    });
}

} // namespace

TPictureReadSession::TPictureReadSession() {
    ++tReadSessions;
}

TPictureReadSession::~TPictureReadSession() {
    // The last session gives the buffer back, so that what is made next can use its memory.
    if (--tReadSessions == 0)
        tSharedReadBuffer = QByteArray();
}

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::TBitmap(int width, int height, qreal ratio) {
    SetDevicePixelRatio(ratio);
    SetSize(width, height);
}

TBitmap::TBitmap(const TBitmap& other) {
    Assign(other);
}

TBitmap& TBitmap::operator=(const TBitmap& other) {
    Assign(other);
    return *this;
}

TBitmap::~TBitmap() {
    FCanvas.reset();
    for (TCanvas* canvas : FAttached)
        canvas->BitmapDestroyed();
}

void TBitmap::Attach(TCanvas* canvas) const {
    FAttached.push_back(canvas);
}

void TBitmap::Detach(TCanvas* canvas) const {
    FAttached.erase(std::remove(FAttached.begin(), FAttached.end(), canvas), FAttached.end());
}

void TBitmap::EndCanvasPainting() const {
    for (TCanvas* canvas : FAttached)
        canvas->EndPaint();
}

void TBitmap::ReplaceImage(QImage image) {
    EndCanvasPainting();
    FPendingFile.clear();
    FImage = std::move(image);
    FRatio = FImage.isNull() ? 1 : FImage.devicePixelRatio();
    FWidth = FImage.isNull() ? 0 : LogicalCount(FImage.width(), FRatio);
    FHeight = FImage.isNull() ? 0 : LogicalCount(FImage.height(), FRatio);
}

void TBitmap::SetDevicePixelRatio(qreal ratio) {
    if (!(ratio > 0) || !std::isfinite(ratio) || ratio == FRatio)
        return;
    const int width = FWidth, height = FHeight;
    Clear();
    FRatio = ratio;
    SetSize(width, height);
}

// A picture whose pixels are still in its file has ratio 1.
int TBitmap::PixelWidth() const {
    if (!FPendingFile.isEmpty())
        return FWidth;
    return FImage.isNull() ? 0 : FImage.width();
}

int TBitmap::PixelHeight() const {
    if (!FPendingFile.isEmpty())
        return FHeight;
    return FImage.isNull() ? 0 : FImage.height();
}

void TBitmap::SetWidth(int width) {
    SetSize(width, FHeight);
}

void TBitmap::SetHeight(int height) {
    SetSize(FWidth, height);
}

void TBitmap::SetSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == FWidth && height == FHeight)
        return;
    QImage image;
    if (width > 0 && height > 0) {
        image = NewImage(PhysicalCount(width, FRatio), PhysicalCount(height, FRatio));
        if (FRatio != 1)
            image.setDevicePixelRatio(FRatio);
        image.fill(Qt::white);
        ReadPendingPixels();
        int rows = std::min(image.height(), PixelHeight());
        int bytes = 3 * std::min(image.width(), PixelWidth());
        for (int y = 0; y < rows; ++y)
            std::memcpy(image.scanLine(y), FImage.constScanLine(y), bytes);
    }
    EndCanvasPainting();
    FPendingFile.clear();
    FImage = std::move(image);
    FWidth = width;
    FHeight = height;
}

void TBitmap::Clear() {
    SetSize(0, 0);
}

void TBitmap::Assign(const TBitmap& source) {
    if (&source == this)
        return;
    source.EndCanvasPainting();
    source.ReadPendingPixels();
    EndCanvasPainting();
    FPendingFile.clear();
    FImage = source.FImage;
    FWidth = source.FWidth;
    FHeight = source.FHeight;
    FRatio = source.FRatio;
    FTransparent = source.FTransparent;
    FTransparentColor = source.FTransparentColor;
}

uint8_t* TBitmap::ScanLine(int y) {
    if (Empty() || y < 0 || y >= PixelHeight())
        throw EInvalidGraphic(QStringLiteral("Scan line index out of range"));
    ReadPendingPixels();
    return FImage.scanLine(y);
}

const uint8_t* TBitmap::ScanLine(int y) const {
    if (Empty() || y < 0 || y >= PixelHeight())
        throw EInvalidGraphic(QStringLiteral("Scan line index out of range"));
    ReadPendingPixels();
    return FImage.constScanLine(y);
}

int TBitmap::BytesPerLine() const {
    return (PixelWidth() * 3 + 3) & ~3;
}

TColor TBitmap::Pixel(int x, int y) const {
    if (Empty() || x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return -1;
    ReadPendingPixels();
    const uint8_t* p =
        FImage.constScanLine(PhysicalStart(y, FRatio)) + 3 * PhysicalStart(x, FRatio);
    return RGB(p[2], p[1], p[0]);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
    if (Empty() || x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return;
    ReadPendingPixels();
    TColor c = ColorToRGB(color);
    const int right = std::min(PhysicalCount(x + 1, FRatio), PixelWidth());
    const int bottom = std::min(PhysicalCount(y + 1, FRatio), PixelHeight());
    for (int py = PhysicalStart(y, FRatio); py < bottom; ++py)
        for (int px = PhysicalStart(x, FRatio); px < right; ++px) {
            uint8_t* p = FImage.scanLine(py) + 3 * px;
            p[0] = static_cast<uint8_t>(GetBValue(c));
            p[1] = static_cast<uint8_t>(GetGValue(c));
            p[2] = static_cast<uint8_t>(GetRValue(c));
        }
}

TCanvas& TBitmap::Canvas() {
    ReadPendingPixels();
    if (!FCanvas)
        FCanvas = std::make_unique<TCanvas>(*this);
    return *FCanvas;
}

TColor TBitmap::TransparentColor() const {
    if (FTransparentColor != clDefault)
        return FTransparentColor;
    if (Empty())
        return clDefault;
    ReadPendingPixels();
    const uint8_t* p = FImage.constScanLine(PixelHeight() - 1);
    return RGB(p[2], p[1], p[0]);
}

void TBitmap::SetTransparentColor(TColor color) {
    FTransparentColor = color;
}

void TBitmap::LoadFromFile(const QString& fileName) {
    ReplaceImage(DecodeBmpFile(fileName));
}

void TBitmap::LoadFromFileWhenUsed(const QString& fileName) {
    // Enough for every header form, the bit-field masks included.
    constexpr int64_t HeadBytes = 1024;
    uint8_t head[HeadBytes];
    int64_t size = 0;
    int64_t got = 0;
    {
        TFileStream file(fileName, TFileMode::fmOpenRead);
        size = PictureFileSize(file, fileName);
        got = file.Read(head, std::min(size, HeadBytes));
    }
    const std::optional<QSize> pictureSize =
        got < HeadBytes ? std::nullopt
                        : GraphicCodecs::CertainBmpSize(head, size_t(got), size_t(size), fileName);
    if (!pictureSize) {
        LoadFromFile(fileName);
        return;
    }
    ReplaceImage(QImage());
    FWidth = pictureSize->width();
    FHeight = pictureSize->height();
    FPendingFile = fileName;
}

void TBitmap::ReadPixelsFromFile() const {
    // The pixels are the bitmap's own, only read late: filling them in keeps it the same.
    auto& self = const_cast<TBitmap&>(*this);
    const QString fileName = std::exchange(self.FPendingFile, QString());
    QImage image;
    try {
        image = DecodeBmpFile(fileName);
        if (image.width() != FWidth || image.height() != FHeight)
            FailBitmap(
                fileName,
                QStringLiteral("读入后尺寸变成了 %1 × %2").arg(image.width()).arg(image.height()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        image = NewImage(FWidth, FHeight);
        image.fill(Qt::white);
    }
    self.FImage = std::move(image);
}

void TBitmap::LoadFromStream(TStream& stream) {
    uint8_t header[14];
    if (stream.Read(header, sizeof header) != int64_t(sizeof header))
        FailBitmap(QString(), QStringLiteral("数据在文件头内结束"));
    if (header[0] != 'B' || header[1] != 'M')
        FailBitmap(QString(), QStringLiteral("不是 BMP 图片"));
    int64_t fileSize = int64_t(header[2]) | int64_t(header[3]) << 8 | int64_t(header[4]) << 16 |
                       int64_t(header[5]) << 24;
    if (fileSize < 14 + 12)
        FailBitmap(QString(), QStringLiteral("文件长度字段 %1 太小").arg(fileSize));
    if (fileSize > MaxImageBytes)
        FailBitmap(QString(), QStringLiteral("文件长度字段 %1 太大").arg(fileSize));
    // Read in blocks so a lying size field can't make us reserve memory the stream lacks.
    QByteArray data(reinterpret_cast<const char*>(header), sizeof header);
    constexpr int64_t Block = 1 << 20;
    while (data.size() < fileSize) {
        int64_t want = std::min<int64_t>(Block, fileSize - data.size());
        qsizetype old = data.size();
        data.resize(old + static_cast<qsizetype>(want));
        int64_t got = stream.Read(data.data() + old, want);
        if (got != want)
            FailBitmap(QString(), QStringLiteral("数据在图片的 %1 字节之前结束").arg(fileSize));
    }
    ReplaceImage(GraphicCodecs::DecodeBmp(reinterpret_cast<const uint8_t*>(data.constData()),
                                          static_cast<size_t>(data.size()), QString()));
}

void TBitmap::SaveToStream(TStream& stream) const {
    EndCanvasPainting();
    ReadPendingPixels();
    QByteArray data = GraphicCodecs::EncodeBmp(FImage);
    stream.WriteBuffer(data.constData(), data.size());
}

void TBitmap::SaveToFile(const QString& fileName) const {
    TFileStream file(fileName, TFileMode::fmCreate);
    SaveToStream(file);
}

void TBitmap::LoadJpegFromFile(const QString& fileName) {
    QImage image = DecodeWholeFile(fileName, [&](const QByteArray& data) {
        return GraphicCodecs::DecodeJpeg(data, fileName);
    });
    image.setDotsPerMeterX(DotsPerMeter96);
    image.setDotsPerMeterY(DotsPerMeter96);
    ReplaceImage(std::move(image));
}

QImage TBitmap::ToQImage() const {
    EndCanvasPainting();
    ReadPendingPixels();
    return FImage;
}

void TBitmap::FromQImage(const QImage& image) {
    if (image.isNull() || image.width() == 0 || image.height() == 0) {
        Clear();
        return;
    }
    CheckSize(image.width(), image.height());
    QImage converted = image.convertToFormat(QImage::Format_BGR888);
    converted.setDotsPerMeterX(DotsPerMeter96);
    converted.setDotsPerMeterY(DotsPerMeter96);
    ReplaceImage(std::move(converted));
}
