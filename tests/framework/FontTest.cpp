#include "framework/Font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

TEST(Font, DefaultsAndPointConversion) {
    TFont f;
    EXPECT_EQ(f.Name(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(ColorToRGB(f.Color()), clBlack);
    f.SetSize(9);
    EXPECT_EQ(f.Height(), -12);
    f.SetHeight(-16);
    EXPECT_EQ(f.Size(), 12);
    f.SetHeight(14); // a cell height gives a negative size, as on the platform
    EXPECT_EQ(f.Size(), -11);
    EXPECT_EQ(f.ToQFont().pixelSize() > 0, true);
    EXPECT_EQ(QFontMetrics(f.ToQFont()).height(), 14);
    f.SetHeight(-13);
    EXPECT_EQ(f.ToQFont().pixelSize(), 13);
}

TEST(Font, ACellHeightGetsTheLargestSizeWhoseCellFitsInEveryFace) {
    // Faces of tall and of short line spacing, regular and bold, small and large cells.
    for (const char* name : {"Arial", "Times New Roman", "Courier New", "DejaVu Sans", "Z003"})
        for (bool bold : {false, true})
            for (int cell : {6, 9, 13, 16, 21, 30, 48}) {
                TFont font;
                font.SetName(QString::fromLatin1(name));
                font.SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
                font.SetHeight(cell);
                QFont chosen = font.ToQFont();
                const int size = chosen.pixelSize();
                SCOPED_TRACE(std::string(name) + (bold ? " bold " : " ") + std::to_string(cell));
                QFont larger(chosen);
                larger.setPixelSize(size + 1);
                EXPECT_TRUE(size == 1 || QFontMetrics(chosen).height() <= cell);
                EXPECT_GT(QFontMetrics(larger).height(), cell);
            }
}

TEST(Font, ACellHeightFoundFromTheApplicationFontsEngineIsTheMeasuredOne) {
    // With the application's font in the same face (as the program sets it), the cells are
    // measured at its size and scaled to the others.
    const QFont before = QGuiApplication::font();
    QGuiApplication::setFont(TFont().ToQFont());
    for (bool bold : {false, true})
        for (int cell = 5; cell <= 50; ++cell) {
            TFont font;
            font.SetName("Arial");
            font.SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
            font.SetHeight(cell);
            const QFont chosen = font.ToQFont();
            const int size = chosen.pixelSize();
            SCOPED_TRACE(std::string(bold ? "bold " : "") + std::to_string(cell));
            QFont larger(chosen);
            larger.setPixelSize(size + 1);
            EXPECT_TRUE(size == 1 || QFontMetrics(chosen).height() <= cell);
            EXPECT_GT(QFontMetrics(larger).height(), cell);
        }
    QGuiApplication::setFont(before);
}

TEST(Font, ChangesNotifyOnceAndAssignCopiesEverything) {
    TFont f;
    int changes = 0;
    f.OnChange = [&] { ++changes; };
    f.SetColor(clRed);
    f.SetColor(clRed); // same value: no notification
    f.SetStyle({fsBold, fsUnderline});
    EXPECT_EQ(changes, 2);
    QFont q = f.ToQFont();
    EXPECT_TRUE(q.bold());
    EXPECT_TRUE(q.underline());
    EXPECT_FALSE(q.italic());
    EXPECT_FALSE(q.strikeOut());

    TFont other;
    other.SetName(QStringLiteral("宋体"));
    other.SetHeight(-12);
    other.SetStyle({fsItalic, fsStrikeOut});
    other.SetCharset(134);
    f.Assign(other);
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(f.SameAs(other));
    EXPECT_EQ(f.Charset(), 134);
    EXPECT_TRUE(f.ToQFont().italic());
    EXPECT_TRUE(f.ToQFont().strikeOut());
    f.Assign(other);
    EXPECT_EQ(changes, 3);
}

TEST(Font, WindowsFaceNamesMapToInstalledFamilies) {
    bool uming = QFontDatabase::families().contains(QStringLiteral("AR PL UMing CN"));
    QString song = uming ? QStringLiteral("AR PL UMing CN") : QStringLiteral("WenQuanYi Zen Hei");
    EXPECT_EQ(TFont::SubstituteFamily(QStringLiteral("宋体")), song);
    EXPECT_EQ(TFont::SubstituteFamily(QStringLiteral("SimSun")), song);
    EXPECT_EQ(TFont::SubstituteFamily(QStringLiteral("新宋体")), song);
    for (const char* sans : {"Arial", "MS Sans Serif", "tahoma", "Verdana"})
        EXPECT_EQ(TFont::SubstituteFamily(sans), QStringLiteral("Liberation Sans")) << sans;
    EXPECT_EQ(TFont::SubstituteFamily(QStringLiteral("Times New Roman")),
              QStringLiteral("Liberation Serif"));
    EXPECT_EQ(TFont::SubstituteFamily(QStringLiteral("Courier New")),
              QStringLiteral("Liberation Mono"));
    EXPECT_EQ(TFont::SubstituteFamily(QStringLiteral("DejaVu Sans")),
              QStringLiteral("DejaVu Sans"));

    TFont f;
    f.SetName(QStringLiteral("Arial"));
    EXPECT_EQ(QFontInfo(f.ToQFont()).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(f.Name(), QStringLiteral("Arial")); // the stored name is kept

    // A cell height of the Chinese system fonts is their character size, as it is for the
    // originals; a Latin font still fits its line spacing into the cell.
    for (const char* chinese : {"宋体", "黑体", "SimHei"}) {
        f.SetName(QString::fromUtf8(chinese));
        f.SetHeight(12);
        EXPECT_EQ(f.ToQFont().pixelSize(), 12) << chinese;
    }
    f.SetName(QStringLiteral("Arial"));
    f.SetHeight(12);
    EXPECT_LE(QFontMetrics(f.ToQFont()).height(), 12);

    // The Song face is drawn crisp at dialog sizes (its thin strokes would smooth to grey);
    // larger Song text and other faces stay smooth.
    f.SetName(QStringLiteral("宋体"));
    EXPECT_TRUE(f.ToQFont().styleStrategy() & QFont::NoAntialias);
    f.SetHeight(24);
    EXPECT_FALSE(f.ToQFont().styleStrategy() & QFont::NoAntialias);
    f.SetName(QStringLiteral("Arial"));
    f.SetHeight(12);
    EXPECT_FALSE(f.ToQFont().styleStrategy() & QFont::NoAntialias);
}

// How many separate strokes a row of the drawn text crosses, summed over the rows: strokes
// that run into each other are crossed as one.
int StrokesCrossed(const QFont& font, const QString& text) {
    QImage image(200, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(4, 28, text);
    painter.end();
    int strokes = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 1; x < image.width(); ++x)
            strokes += qGray(image.pixel(x, y)) < 128 && qGray(image.pixel(x - 1, y)) >= 128;
    return strokes;
}

TEST(Font, BoldSongCaptionsKeepTheirStrokesApart) {
    TFont caption;
    caption.SetName(QStringLiteral("宋体"));
    caption.SetHeight(13);
    caption.SetStyle(TFontStyles{fsBold});
    const QString text = QStringLiteral("网页特效软件");
    const int bold = StrokesCrossed(caption.ToQFont(), text);
    caption.SetStyle(TFontStyles{});
    const int regular = StrokesCrossed(caption.ToQFont(), text);
    // Drawn from the Song strokes, bold crossed 154 strokes where regular crosses 190.
    EXPECT_GT(bold * 100, regular * 85)
        << "the strokes of bold characters run together: " << bold << " of " << regular;
}
