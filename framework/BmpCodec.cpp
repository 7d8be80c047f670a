// Windows BMP reader and 24-bit writer. Every offset and size read from the file is
// checked against the data before use, so a damaged file raises EInvalidGraphic and is
// never read or written out of bounds.

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace {

constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiRle8 = 1;
constexpr uint32_t BiRle4 = 2;
constexpr uint32_t BiBitfields = 3;
constexpr size_t FileHeaderSize = 14;
constexpr size_t CoreHeaderSize = 12;
constexpr size_t InfoHeaderSize = 40;

struct Bgr {
    uint8_t b = 0, g = 0, r = 0;
};

// One colour channel of a bit-field pixel, scaled to 8 bits.
class MaskChannel {
public:
    explicit MaskChannel(uint32_t mask) : FMask(mask) {
        if (mask == 0)
            return;
        while (((mask >> FShift) & 1u) == 0)
            ++FShift;
        FMax = mask >> FShift;
        if (FMax <= 0xFFFF) {
            FTable.resize(FMax + 1);
            for (uint32_t v = 0; v <= FMax; ++v)
                FTable[v] = Scale(v);
        }
    }
    uint8_t Value(uint32_t pixel) const {
        if (FMask == 0)
            return 0;
        uint32_t v = (pixel & FMask) >> FShift;
        return FTable.empty() ? Scale(v) : FTable[v];
    }

private:
    uint8_t Scale(uint32_t v) const {
        return static_cast<uint8_t>((uint64_t(v) * 255 + FMax / 2) / FMax);
    }
    uint32_t FMask;
    int FShift = 0;
    uint32_t FMax = 0;
    std::vector<uint8_t> FTable;
};

class BmpDecoder {
public:
    // `data` holds the first `size` bytes of a file image of `fileSize` bytes (all of it
    // for Decode).
    BmpDecoder(const uint8_t* data, size_t size, const QString& source)
        : BmpDecoder(data, size, size, source) {}
    BmpDecoder(const uint8_t* data, size_t size, size_t fileSize, const QString& source)
        : FData(data), FSize(size), FFileSize(fileSize), FSource(source) {}

    QImage Decode() {
        ReadHeaders();
        if (FWidth == 0 || FHeight == 0)
            return QImage();
        ReadMasks();
        ReadPalette();
        CheckPixelOffset();
        bool rle = FCompression == BiRle8 || FCompression == BiRle4;
        if (!rle)
            CheckUncompressedSize();
        FImage = QImage(static_cast<int>(FWidth), static_cast<int>(FHeight), QImage::Format_BGR888);
        if (FImage.isNull())
            Fail(QStringLiteral("内存不足以容纳 %1 × %2 像素").arg(FWidth).arg(FHeight));
        if (rle)
            DecodeRle();
        else
            DecodeUncompressed();
        return FImage;
    }

    // The checks Decode makes before it reads a pixel, for a form whose pixels then can't
    // fail to decode (uncompressed, no colour table); the size, or nothing for other forms.
    std::optional<QSize> CertainSize() {
        ReadHeaders();
        bool certain = FWidth > 0 && FHeight > 0 && FBitCount >= 16 &&
                       (FCompression == BiRgb || FCompression == BiBitfields);
        if (!certain)
            return std::nullopt;
        // Only stored masks can be missing; the implied ones are the decoder's own.
        if (FCompression == BiBitfields)
            ReadMasks();
        CheckPixelOffset();
        CheckUncompressedSize();
        return QSize(static_cast<int>(FWidth), static_cast<int>(FHeight));
    }

private:
    [[noreturn]] void Fail(const QString& reason) const {
        if (FSource.isEmpty())
            throw EInvalidGraphic(QStringLiteral("图片无效：%1").arg(reason));
        throw EInvalidGraphic(QStringLiteral("图片“%1”无效：%2").arg(FSource, reason));
    }

    bool Has(size_t offset, size_t count) const {
        return offset <= FSize && count <= FSize - offset;
    }
    uint16_t U16(size_t at) const {
        if (!Has(at, 2))
            Fail(QStringLiteral("文件头不完整"));
        return static_cast<uint16_t>(FData[at] | FData[at + 1] << 8);
    }
    uint32_t U32(size_t at) const {
        if (!Has(at, 4))
            Fail(QStringLiteral("文件头不完整"));
        return uint32_t(FData[at]) | uint32_t(FData[at + 1]) << 8 | uint32_t(FData[at + 2]) << 16 |
               uint32_t(FData[at + 3]) << 24;
    }

    void ReadHeaders() {
        if (FSize < FileHeaderSize + 4)
            Fail(QStringLiteral("文件太短"));
        if (FData[0] != 'B' || FData[1] != 'M')
            Fail(QStringLiteral("不是 BMP 图片"));
        FOffBits = U32(10);
        FHeaderSize = U32(14);
        if (FHeaderSize != CoreHeaderSize && FHeaderSize != InfoHeaderSize && FHeaderSize != 52 &&
            FHeaderSize != 56 && FHeaderSize != 108 && FHeaderSize != 124)
            Fail(QStringLiteral("不支持的文件头长度 %1").arg(FHeaderSize));
        if (!Has(FileHeaderSize, FHeaderSize))
            Fail(QStringLiteral("文件头不完整"));
        FCore = FHeaderSize == CoreHeaderSize;
        if (FCore) {
            FWidth = U16(18);
            FHeight = U16(20);
            FBitCount = U16(24);
            FCompression = BiRgb;
        } else {
            FWidth = static_cast<int32_t>(U32(18));
            FHeight = static_cast<int32_t>(U32(22));
            FBitCount = U16(28);
            FCompression = U32(30);
            FColorsUsed = U32(46);
        }
        if (FWidth < 0)
            Fail(QStringLiteral("宽度 %1 为负数").arg(FWidth));
        if (FHeight < 0) {
            FTopDown = true;
            FHeight = -FHeight;
        }
        if (FWidth > GraphicCodecs::MaxSide || FHeight > GraphicCodecs::MaxSide ||
            FWidth * FHeight > GraphicCodecs::MaxPixels)
            Fail(QStringLiteral("尺寸 %1 × %2 太大").arg(FWidth).arg(FHeight));
        if (FBitCount != 1 && FBitCount != 4 && FBitCount != 8 && FBitCount != 16 &&
            FBitCount != 24 && FBitCount != 32)
            Fail(QStringLiteral("不支持的颜色位数 %1").arg(FBitCount));
        if (FCore && (FBitCount == 16 || FBitCount == 32))
            Fail(QStringLiteral("旧式文件头中不支持的颜色位数 %1").arg(FBitCount));
        bool fits = FCompression == BiRgb || (FCompression == BiRle8 && FBitCount == 8) ||
                    (FCompression == BiRle4 && FBitCount == 4) ||
                    (FCompression == BiBitfields && (FBitCount == 16 || FBitCount == 32));
        if (!fits)
            Fail(QStringLiteral("不支持的压缩方式 %1（每像素 %2 位）")
                     .arg(FCompression)
                     .arg(FBitCount));
        if (FTopDown && FCompression != BiRgb && FCompression != BiBitfields)
            Fail(QStringLiteral("自上而下存放的图片不能压缩"));
    }

    // End of the headers, including the three masks that follow a plain info header.
    size_t HeadersEnd() const {
        size_t end = FileHeaderSize + FHeaderSize;
        if (FCompression == BiBitfields && FHeaderSize == InfoHeaderSize)
            end += 12;
        return end;
    }

    void ReadMasks() {
        std::array<uint32_t, 3> masks{};
        if (FCompression == BiBitfields) {
            size_t at = FileHeaderSize + InfoHeaderSize;
            if (!Has(at, 12))
                Fail(QStringLiteral("颜色掩码不完整"));
            masks = {U32(at), U32(at + 4), U32(at + 8)};
        } else if (FBitCount == 16) {
            masks = {0x7C00, 0x03E0, 0x001F};
        } else {
            masks = {0xFF0000, 0x00FF00, 0x0000FF};
        }
        FRed = MaskChannel(masks[0]);
        FGreen = MaskChannel(masks[1]);
        FBlue = MaskChannel(masks[2]);
    }

    void ReadPalette() {
        if (FBitCount > 8)
            return;
        size_t at = HeadersEnd();
        size_t entrySize = FCore ? 3 : 4;
        size_t count = size_t(1) << FBitCount;
        if (FColorsUsed != 0)
            count = std::min<size_t>(count, FColorsUsed);
        // The table never overlaps the pixels: a short table ends where the pixels start.
        if (FOffBits > at)
            count = std::min<size_t>(count, (FOffBits - at) / entrySize);
        if (!Has(at, count * entrySize))
            Fail(QStringLiteral("颜色表不完整"));
        FPalette.resize(count);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* e = FData + at + i * entrySize;
            FPalette[i] = Bgr{e[0], e[1], e[2]};
        }
    }

    void CheckPixelOffset() const {
        if (FOffBits < HeadersEnd())
            Fail(QStringLiteral("像素数据位置 %1 落在文件头内").arg(FOffBits));
        if (FOffBits >= FFileSize)
            Fail(QStringLiteral("像素数据位置 %1 超出了文件末尾").arg(FOffBits));
    }

    const Bgr& PaletteEntry(unsigned index) const {
        if (index >= FPalette.size())
            Fail(
                QStringLiteral("颜色序号 %1 超出了 %2 色的颜色表").arg(index).arg(FPalette.size()));
        return FPalette[index];
    }

    static void Put(uint8_t* dst, const Bgr& c) {
        dst[0] = c.b;
        dst[1] = c.g;
        dst[2] = c.r;
    }

    int64_t Stride() const { return (FWidth * FBitCount + 31) / 32 * 4; }

    // The last row may lack its padding; everything else must be there.
    void CheckUncompressedSize() const {
        int64_t rowBytes = (FWidth * FBitCount + 7) / 8;
        int64_t available = static_cast<int64_t>(FFileSize - FOffBits);
        if (Stride() * (FHeight - 1) + rowBytes > available)
            Fail(QStringLiteral("像素数据不完整"));
    }

    void DecodeUncompressed() {
        int64_t stride = Stride();
        int w = static_cast<int>(FWidth);
        for (int64_t row = 0; row < FHeight; ++row) {
            const uint8_t* src = FData + FOffBits + row * stride;
            int y = static_cast<int>(FTopDown ? row : FHeight - 1 - row);
            DecodeRow(src, FImage.scanLine(y), w);
        }
    }

    void DecodeRow(const uint8_t* src, uint8_t* dst, int w) const {
        switch (FBitCount) {
        case 1:
            for (int x = 0; x < w; ++x)
                Put(dst + 3 * x, PaletteEntry((src[x >> 3] >> (7 - (x & 7))) & 1));
            break;
        case 4:
            for (int x = 0; x < w; ++x)
                Put(dst + 3 * x, PaletteEntry((src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F));
            break;
        case 8:
            for (int x = 0; x < w; ++x)
                Put(dst + 3 * x, PaletteEntry(src[x]));
            break;
        case 16:
            for (int x = 0; x < w; ++x)
                PutMasked(dst + 3 * x, uint32_t(src[2 * x]) | uint32_t(src[2 * x + 1]) << 8);
            break;
        case 24:
            std::memcpy(dst, src, size_t(w) * 3);
            break;
        case 32:
            if (FCompression == BiRgb) {
                for (int x = 0; x < w; ++x)
                    Put(dst + 3 * x, Bgr{src[4 * x], src[4 * x + 1], src[4 * x + 2]});
            } else {
                for (int x = 0; x < w; ++x) {
                    const uint8_t* p = src + 4 * x;
                    PutMasked(dst + 3 * x, uint32_t(p[0]) | uint32_t(p[1]) << 8 |
                                               uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
                }
            }
            break;
        }
    }

    void PutMasked(uint8_t* dst, uint32_t pixel) const {
        dst[0] = FBlue.Value(pixel);
        dst[1] = FGreen.Value(pixel);
        dst[2] = FRed.Value(pixel);
    }

    // RLE rows run bottom-up; y counts rows from the bottom. Pixels past a row's end are
    // dropped; pixels above the top row are an error. Skipped pixels keep colour 0.
    void DecodeRle() {
        Bgr background = FPalette.empty() ? Bgr{} : FPalette[0];
        for (int y = 0; y < FHeight; ++y) {
            uint8_t* row = FImage.scanLine(y);
            for (int x = 0; x < FWidth; ++x)
                Put(row + 3 * x, background);
        }
        bool rle8 = FCompression == BiRle8;
        size_t p = FOffBits;
        int64_t x = 0;
        int64_t y = 0;
        auto plot = [&](unsigned index) {
            if (x < FWidth) {
                if (y >= FHeight)
                    Fail(QStringLiteral("RLE 数据超出了图片范围"));
                Put(FImage.scanLine(static_cast<int>(FHeight - 1 - y)) + 3 * x,
                    PaletteEntry(index));
            }
            ++x;
        };
        for (;;) {
            if (!Has(p, 2)) {
                if (y >= FHeight)
                    return;
                Fail(QStringLiteral("RLE 数据缺少结束标记"));
            }
            unsigned count = FData[p];
            unsigned value = FData[p + 1];
            p += 2;
            if (count > 0) {
                for (unsigned i = 0; i < count; ++i)
                    plot(rle8 ? value : ((i & 1) ? value & 0x0F : value >> 4));
                continue;
            }
            if (value == 0) {
                x = 0;
                ++y;
            } else if (value == 1) {
                return;
            } else if (value == 2) {
                if (!Has(p, 2))
                    Fail(QStringLiteral("RLE 位移不完整"));
                x += FData[p];
                y += FData[p + 1];
                p += 2;
            } else {
                size_t bytes = rle8 ? value : (value + 1) / 2;
                if (!Has(p, bytes))
                    Fail(QStringLiteral("RLE 原样数据超出了文件末尾"));
                for (unsigned i = 0; i < value; ++i) {
                    unsigned b = rle8 ? FData[p + i] : FData[p + i / 2];
                    plot(rle8 ? b : ((i & 1) ? b & 0x0F : b >> 4));
                }
                p += bytes + (bytes & 1);
            }
        }
    }

    const uint8_t* FData;
    size_t FSize;
    size_t FFileSize;
    QString FSource;
    size_t FOffBits = 0;
    size_t FHeaderSize = 0;
    bool FCore = false;
    int64_t FWidth = 0;
    int64_t FHeight = 0;
    bool FTopDown = false;
    int FBitCount = 0;
    uint32_t FCompression = BiRgb;
    uint32_t FColorsUsed = 0;
    MaskChannel FRed{0}, FGreen{0}, FBlue{0};
    std::vector<Bgr> FPalette;
    QImage FImage;
};

void PutU16(char* at, uint32_t v) {
    at[0] = static_cast<char>(v & 0xFF);
    at[1] = static_cast<char>((v >> 8) & 0xFF);
}

void PutU32(char* at, uint32_t v) {
    PutU16(at, v & 0xFFFF);
    PutU16(at + 2, v >> 16);
}

} // namespace

namespace GraphicCodecs {

QImage DecodeBmp(const uint8_t* data, size_t size, const QString& source) {
    return BmpDecoder(data, size, source).Decode();
}

std::optional<QSize> CertainBmpSize(const uint8_t* head, size_t headSize, size_t fileSize,
                                    const QString& source) {
    return BmpDecoder(head, headSize, fileSize, source).CertainSize();
}

QByteArray EncodeBmp(const QImage& image) {
    QImage bgr = image.isNull() || image.format() == QImage::Format_BGR888
                     ? image
                     : image.convertToFormat(QImage::Format_BGR888);
    int w = bgr.isNull() ? 0 : bgr.width();
    int h = bgr.isNull() ? 0 : bgr.height();
    qsizetype stride = (qsizetype(w) * 3 + 3) & ~qsizetype(3);
    qsizetype pixelBytes = stride * h;
    constexpr qsizetype headers = FileHeaderSize + InfoHeaderSize;
    QByteArray out(headers + pixelBytes, '\0');
    char* d = out.data();
    d[0] = 'B';
    d[1] = 'M';
    PutU32(d + 2, static_cast<uint32_t>(out.size()));
    PutU32(d + 10, headers);
    PutU32(d + 14, InfoHeaderSize);
    PutU32(d + 18, static_cast<uint32_t>(w));
    PutU32(d + 22, static_cast<uint32_t>(h));
    PutU16(d + 26, 1);
    PutU16(d + 28, 24);
    PutU32(d + 30, BiRgb);
    PutU32(d + 34, static_cast<uint32_t>(pixelBytes));
    for (int row = 0; row < h; ++row)
        std::memcpy(d + headers + row * stride, bgr.constScanLine(h - 1 - row), size_t(w) * 3);
    return out;
}

} // namespace GraphicCodecs
