// The program's own pictures as the build stages them into images/ of the program folder,
// loaded the way the program loads them.

#include "PictureFiles.h"

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

namespace {

// The colour the pictures mark as transparent in their bottom-left pixel.
constexpr TColor Transparent = RGB(255, 0, 255);

QString ImagePath(const QString& name) {
    return QStringLiteral(ZARVO_PROGRAM_DIR "/images/") + name;
}

// Loads a picture as the program does; an empty bitmap (and a failure) when it does not load.
TBitmap Load(const QString& name, bool jpeg = false) {
    TBitmap bitmap;
    try {
        if (jpeg)
            bitmap.LoadJpegFromFile(ImagePath(name));
        else
            bitmap.LoadFromFile(ImagePath(name));
    } catch (const Exception& e) {
        ADD_FAILURE() << name.toStdString() << ": " << e.Message().toStdString();
    }
    return bitmap;
}

// A 24-bit BMP of the given size whose bottom-left pixel is the transparent colour.
void ExpectTransparentBmp(const QString& name, int width, int height) {
    SCOPED_TRACE(name.toStdString());
    EXPECT_EQ(PictureFiles::NotA24BitBmp(ImagePath(name)), QString());
    const TBitmap bitmap = Load(name);
    ASSERT_EQ(bitmap.Width(), width);
    ASSERT_EQ(bitmap.Height(), height);
    EXPECT_EQ(bitmap.Pixel(0, height - 1), Transparent);
}

} // namespace

TEST(InstallPictures, PlaceholderAboutPictureAndIconsHaveTheProgramsSizes) {
    ExpectTransparentBmp(QStringLiteral("placeholder.bmp"), 504, 273);

    const TBitmap about = Load(QStringLiteral("about.jpg"), true);
    EXPECT_EQ(about.Width(), 400);
    EXPECT_EQ(about.Height(), 252);

    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString name = QStringLiteral("zarvofx-%1.png").arg(size);
        const QImage icon(ImagePath(name));
        EXPECT_EQ(icon.size(), QSize(size, size)) << name.toStdString();
        EXPECT_TRUE(icon.hasAlphaChannel()) << name.toStdString();
    }
}

TEST(InstallPictures, ImageListAndToolBarPicturesAre16PixelGlyphsOnTheTransparentColour) {
    // One strip of 16 x 16 images; the category box shows image 17, so at least 18.
    const QString strip = QStringLiteral("mainimages.bmp");
    EXPECT_EQ(PictureFiles::NotA24BitBmp(ImagePath(strip)), QString());
    const TBitmap images = Load(strip);
    ASSERT_EQ(images.Height(), 16);
    EXPECT_EQ(images.Width() % 16, 0);
    EXPECT_GE(images.Width() / 16, 18);
    for (int i = 0; i < images.Width() / 16; ++i)
        EXPECT_EQ(images.Pixel(16 * i, 15), Transparent) << "image " << i;

    // The file dialogs' speed buttons, one picture each.
    for (const char* name : {"BS_BACK", "BS_UP", "BS_NEWFOLDER", "BS_LISTSTYLE",
                             "BS_SMALLICONSTYLE", "BS_ICONSTYLE", "BS_REPORTSTYLE"})
        ExpectTransparentBmp(QLatin1String(name) + QStringLiteral(".bmp"), 16, 16);
}
