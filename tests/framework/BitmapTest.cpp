#include "framework/Bitmap.h"
#include "BmpWriter.h"
#include "common/TestEnv.h"
#include "framework/Canvas.h"
#include "framework/Exceptions.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <functional>
#include <gtest/gtest.h>

using namespace BmpWriter;

namespace {

// 0x00RRGGBB (the file's palette order) to TColor.
TColor FromRrggbb(uint32_t c) {
    return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

std::vector<uint32_t> Palette(int count) {
    std::vector<uint32_t> p;
    for (int i = 0; i < count; ++i)
        p.push_back(static_cast<uint32_t>((i * 37 % 256) << 16 | (i * 91 % 256) << 8 |
                                          (255 - i * 13 % 256)));
    return p;
}

std::vector<uint32_t> Values(const Spec& spec, const std::function<uint32_t(int, int)>& f) {
    std::vector<uint32_t> v;
    for (int y = 0; y < spec.height; ++y)
        for (int x = 0; x < spec.width; ++x)
            v.push_back(f(x, y));
    return v;
}

TBitmap LoadBytes(const QByteArray& bytes, const QString& name = QStringLiteral("p.bmp")) {
    QString path = TestEnv::NewFolder() + "/" + name;
    TestEnv::WriteFile(path, bytes);
    TBitmap b;
    b.LoadFromFile(path);
    return b;
}

void ExpectPixels(const TBitmap& b, int w, int h, const std::function<TColor(int, int)>& f) {
    ASSERT_EQ(b.Width(), w);
    ASSERT_EQ(b.Height(), h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(b.Pixel(x, y), f(x, y)) << "at " << x << "," << y;
}

uint32_t Index(int x, int y, int colors) {
    return static_cast<uint32_t>((x * 3 + y * 5) % colors);
}

} // namespace

TEST(BitmapDecode, IndexedFormsMapThroughThePalette) {
    for (int bits : {1, 4, 8}) {
        for (Header header : {Header::Info, Header::Core}) {
            Spec s;
            s.width = 13; // rows need padding at every bit count
            s.height = 5;
            s.bitCount = bits;
            s.header = header;
            int colors = bits == 8 ? 7 : 1 << bits;
            s.palette = Palette(colors);
            if (header == Header::Info && bits == 8)
                s.colorsUsed = 7; // a short table
            QByteArray file =
                Build(s, PackRows(s, Values(s, [&](int x, int y) { return Index(x, y, colors); })));
            SCOPED_TRACE(bits);
            ExpectPixels(LoadBytes(file), 13, 5,
                         [&](int x, int y) { return FromRrggbb(s.palette[Index(x, y, colors)]); });
        }
    }
}

TEST(BitmapDecode, DirectColourForms) {
    auto color = [](int x, int y) { return RGB(x * 40, y * 50, 255 - x * 20); };
    struct Case {
        int bits;
        uint32_t compression;
        Header header;
        std::array<uint32_t, 3> masks;
        bool topDown;
    };
    const Case cases[] = {
        {24, BiRgb, Header::Info, {}, false},
        {24, BiRgb, Header::Info, {}, true},
        {24, BiRgb, Header::Core, {}, false},
        {32, BiRgb, Header::Info, {}, false},
        {32, BiBitfields, Header::Info, {0x000000FF, 0x0000FF00, 0x00FF0000}, false},
        {32, BiBitfields, Header::V5, {0xFF000000, 0x00FF0000, 0x0000FF00}, true},
        {16, BiRgb, Header::Info, {}, false},
        {16, BiBitfields, Header::Info, {0xF800, 0x07E0, 0x001F}, false},
        {16, BiBitfields, Header::V4, {0x7C00, 0x03E0, 0x001F}, true},
    };
    for (const Case& c : cases) {
        Spec s;
        s.width = 5;
        s.height = 3;
        s.bitCount = c.bits;
        s.compression = c.compression;
        s.header = c.header;
        s.masks = c.masks;
        s.topDown = c.topDown;
        // Encode each colour into the pixel layout, and decode what the layout keeps.
        std::array<uint32_t, 3> m = c.masks;
        if (c.compression == BiRgb)
            m = c.bits == 16 ? std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                             : std::array<uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
        auto pack = [&](uint32_t v8, uint32_t mask) {
            int shift = __builtin_ctz(mask);
            uint32_t max = mask >> shift;
            return ((v8 * max + 127) / 255) << shift;
        };
        auto unpack = [&](uint32_t pixel, uint32_t mask) {
            int shift = __builtin_ctz(mask);
            uint32_t max = mask >> shift;
            return static_cast<int>((uint64_t((pixel & mask) >> shift) * 255 + max / 2) / max);
        };
        auto raw = [&](int x, int y) {
            TColor t = color(x, y);
            return pack(GetRValue(t), m[0]) | pack(GetGValue(t), m[1]) | pack(GetBValue(t), m[2]);
        };
        QByteArray file = Build(s, PackRows(s, Values(s, raw)));
        SCOPED_TRACE(testing::Message() << c.bits << " bits, compression " << c.compression);
        ExpectPixels(LoadBytes(file), 5, 3, [&](int x, int y) {
            uint32_t p = raw(x, y);
            return RGB(unpack(p, m[0]), unpack(p, m[1]), unpack(p, m[2]));
        });
    }
}

TEST(BitmapDecode, Rle8RunsEscapesAndPadding) {
    Spec s;
    s.width = 6;
    s.height = 4;
    s.bitCount = 8;
    s.compression = BiRle8;
    s.palette = Palette(6);
    const char rle[] = {
        3, 1, 0, 3, 2, 3, 4, 0, // bottom row: 1 1 1, absolute 2 3 4 (padded)
        0, 0,                   // end of line
        0, 2, 2, 1,             // delta: right 2, up 1 (rows 1 is left at colour 0)
        2, 5, 0, 0,             // row 2 from x = 2: 5 5; end of line
        6, 4,                   // top row: 4 x 6
        0, 1,                   // end of bitmap
    };
    QByteArray file = Build(s, QByteArray(rle, sizeof rle));
    const int expected[4][6] = {
        {4, 4, 4, 4, 4, 4}, // top
        {0, 0, 5, 5, 0, 0},
        {0, 0, 0, 0, 0, 0},
        {1, 1, 1, 2, 3, 4}, // bottom
    };
    ExpectPixels(LoadBytes(file), 6, 4, [&](int x, int y) {
        return FromRrggbb(s.palette[static_cast<size_t>(expected[y][x])]);
    });
}

TEST(BitmapDecode, Rle4RunsAlternateNibbles) {
    Spec s;
    s.width = 7;
    s.height = 2;
    s.bitCount = 4;
    s.compression = BiRle4;
    s.palette = Palette(16);
    const char rle[] = {
        5,    0x12,
        0,    0, // bottom: 1 2 1 2 1
        0,    3,
        0x34, 0x50,                    // top: absolute 3 4 5 (two bytes, already even)
        5,    static_cast<char>(0xF0), // then 15 0 15 0 15 (the last falls off the 7-wide row)
        0,    1,
    };
    QByteArray file = Build(s, QByteArray(rle, sizeof rle));
    const int expected[2][7] = {{3, 4, 5, 15, 0, 15, 0}, {1, 2, 1, 2, 1, 0, 0}};
    ExpectPixels(LoadBytes(file), 7, 2, [&](int x, int y) {
        return FromRrggbb(s.palette[static_cast<size_t>(expected[y][x])]);
    });
}

TEST(BitmapDecode, DamagedFilesRaiseInvalidGraphicAndKeepTheOldPicture) {
    Spec good;
    good.width = 4;
    good.height = 2;
    good.bitCount = 8;
    good.palette = Palette(4);
    QByteArray valid = Build(good, PackRows(good, Values(good, [](int x, int) { return x; })));

    Spec rle = good;
    rle.compression = BiRle8;
    auto rleFile = [&](QByteArray data) { return Build(rle, data); };

    struct Case {
        const char* what;
        QByteArray bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"too short", valid.left(10)});
    cases.push_back({"not BM", QByteArray("XX") + valid.mid(2)});
    cases.push_back({"truncated pixels", valid.left(valid.size() - 3)});
    cases.push_back({"truncated header", valid.left(30)});
    QByteArray b = valid;
    PutU32(b, 14, 20);
    cases.push_back({"odd header size", b});
    b = valid;
    PutU32(b, 18, 40000);
    cases.push_back({"side too large", b});
    b = valid;
    PutU32(b, 18, 20000);
    PutU32(b, 22, 20000);
    cases.push_back({"too many pixels", b});
    b = valid;
    PutU32(b, 22, 0x80000000u);
    cases.push_back({"minimum height", b});
    b = valid;
    PutU32(b, 18, static_cast<uint32_t>(-4));
    cases.push_back({"negative width", b});
    b = valid;
    PutU32(b, 10, static_cast<uint32_t>(valid.size() + 100));
    cases.push_back({"offset past the end", b});
    b = valid;
    PutU32(b, 10, 20);
    cases.push_back({"offset inside the header", b});
    b = valid;
    PutU16(b, 28, 7);
    cases.push_back({"bit count 7", b});
    b = valid;
    PutU32(b, 30, 4);
    cases.push_back({"JPEG compression", b});
    b = valid;
    PutU32(b, 30, BiBitfields);
    cases.push_back({"bit fields at 8 bits", b});
    b = valid;
    PutU32(b, 46, 2); // two colours, but the pixels use indexes up to 3
    cases.push_back({"palette index out of range", b});
    const char absolutePastEnd[] = {0, 8, 1, 2};
    cases.push_back({"RLE absolute run past the data", rleFile(QByteArray(absolutePastEnd, 4))});
    const char aboveTop[] = {4, 1, 0, 0, 4, 1, 0, 0, 4, 1, 0, 1};
    cases.push_back({"RLE above the top row", rleFile(QByteArray(aboveTop, 12))});
    const char noEnd[] = {4, 1};
    cases.push_back({"RLE without end mark", rleFile(QByteArray(noEnd, 2))});
    const char deltaCut[] = {4, 1, 0, 2, 1};
    cases.push_back({"RLE delta cut short", rleFile(QByteArray(deltaCut, 5))});
    Spec fields;
    fields.width = 2;
    fields.height = 1;
    fields.bitCount = 16;
    fields.compression = BiBitfields;
    fields.masks = {0xF800, 0x07E0, 0x001F};
    cases.push_back({"masks cut off", Build(fields, QByteArray()).left(14 + 40 + 6)});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QString path = TestEnv::NewFolder() + "/damaged.bmp";
        TestEnv::WriteFile(path, c.bytes);
        TBitmap bitmap(3, 3);
        bitmap.SetPixel(1, 1, clRed);
        try {
            bitmap.LoadFromFile(path);
            ADD_FAILURE() << "no error";
        } catch (const EInvalidGraphic& e) {
            EXPECT_TRUE(e.Message().startsWith(QStringLiteral("图片“%1”无效：").arg(path)))
                << e.what();
        }
        EXPECT_EQ(bitmap.Width(), 3);
        EXPECT_EQ(bitmap.Pixel(1, 1), clRed);
    }

    TBitmap missing;
    EXPECT_THROW(missing.LoadFromFile(TestEnv::NewFolder() + "/none.bmp"), EFOpenError);
}

TEST(BitmapDecode, EveryTruncationAndByteFlipFailsCleanly) {
    // Damage in every position must give a picture or EInvalidGraphic, nothing else.
    Spec s;
    s.width = 9;
    s.height = 3;
    s.bitCount = 4;
    s.compression = BiRle4;
    s.palette = Palette(16);
    const char rle[] = {9, 0x12, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 0, 0, 2, 3, 0, 2, 7, 0, 1};
    QByteArray files[] = {Build(s, QByteArray(rle, sizeof rle)), [] {
                              Spec t;
                              t.width = 3;
                              t.height = 2;
                              t.bitCount = 16;
                              t.compression = BiBitfields;
                              t.masks = {0xF800, 0x07E0, 0x001F};
                              return Build(t, PackRows(t, std::vector<uint32_t>(6, 0x1234)));
                          }()};
    for (const QByteArray& file : files) {
        for (int cut = 0; cut <= file.size(); ++cut) {
            TMemoryStream stream(file.left(cut));
            TBitmap b;
            try {
                b.LoadFromStream(stream);
            } catch (const EInvalidGraphic&) {
            }
        }
        for (int i = 0; i < file.size(); ++i) {
            for (int v : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
                QByteArray damaged = file;
                damaged[i] = static_cast<char>(v);
                // An exactly sized buffer, so a read past the end would be a real overrun.
                std::vector<uint8_t> bytes(damaged.begin(), damaged.end());
                try {
                    GraphicCodecs::DecodeBmp(bytes.data(), bytes.size(), QStringLiteral("x"));
                } catch (const EInvalidGraphic&) {
                }
            }
        }
    }
}

// Pictures loaded to be read when used: large enough that their rows are left in the file.
namespace {

Spec LargeSpec(int bits, uint32_t compression, bool topDown = false) {
    Spec s;
    s.width = 40;
    s.height = 30;
    s.bitCount = bits;
    s.compression = compression;
    s.topDown = topDown;
    if (compression == BiBitfields)
        s.masks = bits == 16 ? std::array<uint32_t, 3>{0xF800, 0x07E0, 0x001F}
                             : std::array<uint32_t, 3>{0x00FF0000, 0x0000FF00, 0x000000FF};
    if (bits <= 8)
        s.palette = Palette(1 << bits);
    return s;
}

QByteArray LargeFile(const Spec& s, int seed) {
    return Build(s,
                 PackRows(s, Values(s, [&](int x, int y) {
                              return static_cast<uint32_t>((x * 7 + y * 13 + seed) * 2654435761u) &
                                     (s.bitCount >= 32 ? 0xFFFFFFFFu : (1u << s.bitCount) - 1);
                          })));
}

// Writes `file` at `path` and loads it both ways.
void LoadBothWays(const QString& path, const QByteArray& file, TBitmap& eager, TBitmap& late) {
    TestEnv::WriteFile(path, file);
    eager.LoadFromFile(path);
    late.LoadFromFileWhenUsed(path);
}

void ExpectSamePixels(const TBitmap& a, const TBitmap& b) {
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            ASSERT_EQ(a.Pixel(x, y), b.Pixel(x, y)) << "at " << x << "," << y;
}

} // namespace

TEST(BitmapWhenUsed, PixelsReadLateAreThoseOfAnEagerLoadAndComeFromTheFileAsItIsThen) {
    const Spec forms[] = {
        LargeSpec(24, BiRgb),       LargeSpec(24, BiRgb, true),       LargeSpec(32, BiRgb),
        LargeSpec(32, BiBitfields), LargeSpec(16, BiBitfields, true), LargeSpec(16, BiRgb)};
    for (const Spec& s : forms) {
        SCOPED_TRACE(testing::Message() << s.bitCount << " bits, compression " << s.compression);
        const QString path = TestEnv::NewFolder() + "/late.bmp";
        TBitmap eager, late;
        LoadBothWays(path, LargeFile(s, 1), eager, late);
        EXPECT_EQ(late.Width(), 40);
        EXPECT_EQ(late.Height(), 30);
        EXPECT_EQ(late.PixelWidth(), 40);
        EXPECT_EQ(late.BytesPerLine(), 120);
        // The rows are still in the file: another picture of the same size put there now is
        // what the bitmap shows.
        TestEnv::WriteFile(path, LargeFile(s, 2));
        TBitmap replaced;
        replaced.LoadFromFile(path);
        TBitmap copy(late);
        ExpectSamePixels(copy, replaced);
        ExpectSamePixels(late, replaced);
        EXPECT_EQ(late.ToQImage(), replaced.ToQImage());
        bool differs = false;
        for (int x = 0; x < 40 && !differs; ++x)
            differs = eager.Pixel(x, 0) != replaced.Pixel(x, 0);
        EXPECT_TRUE(differs);
    }

    // Forms whose pixels can fail to decode (colour tables, RLE) and small files are read
    // at once: the file may go afterwards.
    for (const Spec& s : {LargeSpec(8, BiRgb), LargeSpec(4, BiRgb)}) {
        const QString path = TestEnv::NewFolder() + "/now.bmp";
        TBitmap eager, late;
        LoadBothWays(path, LargeFile(s, 3), eager, late);
        ASSERT_TRUE(QFile::remove(path));
        ExpectSamePixels(late, eager);
    }
}

TEST(BitmapWhenUsed, DamageFailsAtLoadAndAFileGoneOrChangedBeforeUseGivesWhite) {
    const QByteArray valid = LargeFile(LargeSpec(24, BiRgb), 4);
    // Header fields damaged (offset, value), and the pixels cut short (offset 0).
    const std::pair<int, uint32_t> damages[] = {
        {0, 0}, {10, uint32_t(valid.size() + 100)}, {14, 20}, {18, 40000}, {30, BiRle8}};
    for (const auto& [offset, value] : damages) {
        SCOPED_TRACE(offset);
        QByteArray bytes = valid.left(offset == 0 ? valid.size() - 3 : valid.size());
        if (offset != 0)
            PutU32(bytes, offset, value);
        const QString path = TestEnv::NewFolder() + "/damaged.bmp";
        TestEnv::WriteFile(path, bytes);
        QString eagerError;
        try {
            TBitmap().LoadFromFile(path);
        } catch (const EInvalidGraphic& e) {
            eagerError = e.Message();
        }
        TBitmap bitmap(3, 3);
        bitmap.SetPixel(1, 1, clRed);
        try {
            bitmap.LoadFromFileWhenUsed(path);
            ADD_FAILURE() << "no error";
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), eagerError);
        }
        EXPECT_EQ(bitmap.Width(), 3);
        EXPECT_EQ(bitmap.Pixel(1, 1), clRed);
    }
    EXPECT_THROW(TBitmap().LoadFromFileWhenUsed(TestEnv::NewFolder() + "/none.bmp"), EFOpenError);

    const QByteArray otherSize = [] {
        Spec s = LargeSpec(24, BiRgb);
        s.width = 41;
        return LargeFile(s, 5);
    }();
    for (const QByteArray& later : {QByteArray(), valid.left(valid.size() / 2), otherSize}) {
        const QString path = TestEnv::NewFolder() + "/changed.bmp";
        TestEnv::WriteFile(path, valid);
        TBitmap bitmap;
        bitmap.LoadFromFileWhenUsed(path);
        if (later.isEmpty())
            ASSERT_TRUE(QFile::remove(path));
        else
            TestEnv::WriteFile(path, later);
        ASSERT_EQ(bitmap.Width(), 40);
        for (int y : {0, 29})
            for (int x : {0, 39})
                EXPECT_EQ(bitmap.Pixel(x, y), clWhite);
        EXPECT_EQ(bitmap.Width(), 40);
    }
}

TEST(BitmapFile, SaveWritesA24BitBottomUpFileThatLoadsBack) {
    TBitmap b(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            b.SetPixel(x, y, RGB(x * 50, y * 80, 7));
    QString path = TestEnv::NewFolder() + "/saved.bmp";
    b.SaveToFile(path);
    QByteArray f = TestEnv::ReadFile(path);
    auto u32 = [&](int at) {
        return uint32_t(uint8_t(f[at])) | uint32_t(uint8_t(f[at + 1])) << 8 |
               uint32_t(uint8_t(f[at + 2])) << 16 | uint32_t(uint8_t(f[at + 3])) << 24;
    };
    ASSERT_EQ(f.size(), 54 + 16 * 3); // rows of 15 bytes padded to 16
    EXPECT_EQ(f.left(2), QByteArray("BM"));
    EXPECT_EQ(u32(2), uint32_t(f.size()));
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(22), 3u); // positive: bottom-up
    EXPECT_EQ(uint8_t(f[28]), 24);
    // The first stored row is the bottom row: pixel (0, 2) is blue 7, green 160, red 0.
    EXPECT_EQ(uint8_t(f[54]), 7);
    EXPECT_EQ(uint8_t(f[55]), 160);
    EXPECT_EQ(uint8_t(f[54 + 15]), 0); // padding

    TBitmap back;
    back.LoadFromFile(path);
    ExpectPixels(back, 5, 3, [&](int x, int y) { return b.Pixel(x, y); });

    // An empty bitmap saves a 0 x 0 image that loads back empty.
    TBitmap empty;
    TMemoryStream ms;
    empty.SaveToStream(ms);
    ms.SetPosition(0);
    TBitmap reloaded(2, 2);
    reloaded.LoadFromStream(ms);
    EXPECT_TRUE(reloaded.Empty());
    EXPECT_EQ(ms.Position(), ms.Size());
}

TEST(BitmapFile, StreamImageIsSelfDelimiting) {
    TBitmap first(3, 2);
    first.SetPixel(0, 0, clRed);
    TBitmap second(1, 1);
    second.SetPixel(0, 0, clBlue);
    TMemoryStream ms;
    ms.Write("ab", 2);
    first.SaveToStream(ms);
    int64_t afterFirst = ms.Position();
    second.SaveToStream(ms);
    ms.Write("tail", 4);

    ms.SetPosition(2);
    TBitmap a, b;
    a.LoadFromStream(ms);
    EXPECT_EQ(ms.Position(), afterFirst);
    b.LoadFromStream(ms);
    char rest[4];
    ASSERT_EQ(ms.Read(rest, 4), 4);
    EXPECT_EQ(QByteArray(rest, 4), QByteArray("tail"));
    EXPECT_EQ(a.Width(), 3);
    EXPECT_EQ(a.Pixel(0, 0), clRed);
    EXPECT_EQ(b.Pixel(0, 0), clBlue);

    // A size field that promises more than the stream holds is an error, not a short read.
    QByteArray cut = ms.Data().mid(2, afterFirst - 2 - 5);
    TMemoryStream shortStream(cut);
    TBitmap c;
    EXPECT_THROW(c.LoadFromStream(shortStream), EInvalidGraphic);
}

TEST(BitmapFile, LoadsJpegThroughLibjpeg) {
    QString folder = TestEnv::NewFolder();
    QImage source(32, 16, QImage::Format_RGB32);
    source.fill(QColor(200, 30, 40));
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 32; ++x)
            source.setPixelColor(x, y, QColor(20, 60, 220));
    ASSERT_TRUE(source.save(folder + "/c.jpg", "JPEG", 95));
    QImage gray(8, 8, QImage::Format_Grayscale8);
    gray.fill(100);
    ASSERT_TRUE(gray.save(folder + "/g.jpg", "JPEG", 95));

    auto near = [](TColor c, int r, int g, int b) {
        return std::abs(GetRValue(c) - r) <= 10 && std::abs(GetGValue(c) - g) <= 10 &&
               std::abs(GetBValue(c) - b) <= 10;
    };
    TBitmap bmp;
    bmp.LoadJpegFromFile(folder + "/c.jpg");
    EXPECT_EQ(bmp.Width(), 32);
    EXPECT_EQ(bmp.Height(), 16);
    EXPECT_TRUE(near(bmp.Pixel(4, 8), 200, 30, 40));
    EXPECT_TRUE(near(bmp.Pixel(27, 8), 20, 60, 220));
    bmp.LoadJpegFromFile(folder + "/g.jpg");
    EXPECT_TRUE(near(bmp.Pixel(3, 3), 100, 100, 100));

    TestEnv::WriteFile(folder + "/bad.jpg", TestEnv::ReadFile(folder + "/c.jpg").left(20));
    TestEnv::WriteFile(folder + "/notjpeg.jpg", QByteArray("BM not a jpeg at all"));
    for (const char* name : {"/bad.jpg", "/notjpeg.jpg"}) {
        try {
            bmp.LoadJpegFromFile(folder + name);
            ADD_FAILURE() << name;
        } catch (const EInvalidGraphic& e) {
            EXPECT_TRUE(e.Message().startsWith("JPEG 图片“" + folder + name + "”无效："));
        }
    }
    EXPECT_EQ(bmp.Width(), 8); // unchanged by the failures
    EXPECT_THROW(bmp.LoadJpegFromFile(folder + "/missing.jpg"), EFOpenError);
}

TEST(BitmapPixels, SizeTransparencyAndRows) {
    TBitmap b(2, 2);
    EXPECT_EQ(b.Pixel(0, 0), clWhite); // new pixels are white
    EXPECT_EQ(b.BytesPerLine(), 8);
    b.SetPixel(1, 1, clBtnFace); // system colours are resolved
    EXPECT_EQ(b.Pixel(1, 1), ColorToRGB(clBtnFace));
    b.SetPixel(0, 1, clGreen);
    b.SetSize(3, 3); // keeps the old pixels, new area white
    EXPECT_EQ(b.Pixel(1, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(b.Pixel(2, 2), clWhite);
    EXPECT_EQ(b.Pixel(3, 0), -1);
    uint8_t* row = b.ScanLine(1);
    EXPECT_EQ(row[3 + 2], GetRValue(ColorToRGB(clBtnFace))); // B, G, R order
    EXPECT_THROW(b.ScanLine(3), EInvalidGraphic);

    // Automatic transparent colour: the bottom-left pixel.
    b.SetPixel(0, 2, clFuchsia);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
    b.SetTransparentColor(clLime);
    EXPECT_EQ(b.TransparentColor(), clLime);
    b.SetTransparentColor(clDefault);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);

    // A QImage taken out does not change when the bitmap is drawn on afterwards.
    b.Canvas().Brush.Color = clRed;
    b.Canvas().FillRect(TRect(0, 0, 3, 3));
    QImage snapshot = b.ToQImage();
    b.Canvas().Brush.Color = clBlue;
    b.Canvas().FillRect(TRect(0, 0, 3, 3));
    EXPECT_EQ(snapshot.pixelColor(1, 1), QColor(255, 0, 0));
    EXPECT_EQ(b.Pixel(1, 1), clBlue);
    TBitmap copy(b);
    b.Canvas().Brush.Color = clLime;
    b.Canvas().FillRect(TRect(0, 0, 1, 1));
    EXPECT_EQ(copy.Pixel(0, 0), clBlue);
    EXPECT_EQ(b.Pixel(0, 0), clLime);

    // Resizing while the canvas paints, then drawing again, works on the new pixels.
    b.SetSize(40, 40);
    b.Canvas().FillRect(TRect(30, 30, 40, 40));
    EXPECT_EQ(b.Pixel(39, 39), clLime);

    b.FromQImage(snapshot);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Pixel(2, 2), clRed);
}
