// The skin maker's writer and painting primitives: what the writer puts in skin.ini is what
// the skin reader takes out, values the format cannot hold are refused, masks cut exactly
// and patterns repeat without seams.

#include "skinmaker/SkinBuilder.h"
#include "skinmaker/SkinPainter.h"

#include "common/TestEnv.h"
#include "skin/bsSkinData.h"
#include "skin/bsSkinDataRecords.h"

#include "framework/Exceptions.h"

#include <QFile>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

const TSkinTheme& Theme() {
    return InstalledThemes().front();
}

QImage Filled(int w, int h, const QColor& c) {
    return SkinPaint::NewPicture(w, h, c);
}

TEST(SkinBuilder, WritesWhatTheSkinReaderReads) {
    TSkinBuilder skin(Theme());
    skin.SetFramePicture(Filled(40, 30, Qt::blue));
    skin.SetMask(Filled(40, 30, Qt::black));
    const int picture = skin.AddPicture(QStringLiteral("faces.bmp"), Filled(20, 10, Qt::red));
    skin.Section(QStringLiteral("FORMINFO"))
        .Point(QStringLiteral("lefttoppoint"), TPoint(4, 20))
        .Rect(QStringLiteral("clientrect"), TRect(4, 20, 36, 26))
        .Set(QStringLiteral("inactiveeffect"), QStringLiteral("iesplitblur"));
    skin.Object(QStringLiteral("caption"), QStringLiteral("caption"))
        .Rect(QStringLiteral("skinrect"), TRect(0, 0, 40, 20))
        .Font(QStringLiteral("黑体"), 13, true, QColor(10, 20, 30));
    skin.Control(QStringLiteral("button"), QStringLiteral("button"))
        .Int(QStringLiteral("pictureindex"), picture)
        .Rect(QStringLiteral("skinrect"), TRect(0, 0, 20, 10))
        .Bool(QStringLiteral("morphing"), true)
        .Set(QStringLiteral("morphkind"), QStringLiteral("mkpush"));
    const QString folder = TestEnv::NewFolder(QStringLiteral("maker"));
    skin.Write(folder + QStringLiteral("/skin1"));

    TbsSkinData data;
    data.LoadSkinFile(folder + QStringLiteral("/skin1/skin.ini"));
    ASSERT_FALSE(data.SkinEmpty);
    EXPECT_EQ(data.SkinName, Theme().Name); // GBK both ways
    EXPECT_EQ(data.SkinPicture.Width(), 40);
    EXPECT_EQ(data.SkinMask.Height(), 30);
    ASSERT_EQ(data.ActivePictures.size(), 1u);
    EXPECT_EQ(data.ActivePictures[0]->Pixel(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(data.ClientRect, TRect(4, 20, 36, 26));
    EXPECT_EQ(data.InActiveEffect, TbsInactiveEffect::ieSplitBlur);

    const auto* caption = dynamic_cast<const TbsDataSkinCaption*>(data.SkinObjects.at(0).get());
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->FontName, QStringLiteral("黑体"));
    EXPECT_EQ(caption->FontHeight, 13);
    EXPECT_TRUE(caption->FontStyle.Contains(fsBold));
    EXPECT_EQ(caption->FontColor, RGB(10, 20, 30));
    const auto* button =
        dynamic_cast<const TbsDataSkinButtonControl*>(data.SkinControls.at(0).get());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->PictureIndex, 0);
    EXPECT_TRUE(button->Morphing);
    EXPECT_EQ(button->MorphKind, TbsMorphKind::mkPush);
}

TEST(SkinBuilder, RefusesWhatTheFormatCannotHoldAndKeepsKeysInPlace) {
    TSkinBuilder skin(Theme());
    TSkinSection& s = skin.Control(QStringLiteral("edit"), QStringLiteral("edit"));
    // The reader drops minus signs: a negative coordinate would come back positive.
    EXPECT_THROW(s.Rect(QStringLiteral("skinrect"), TRect(-1, 0, 10, 10)), std::logic_error);
    EXPECT_THROW(s.Point(QStringLiteral("lefttoppoint"), TPoint(3, -2)), std::logic_error);
    skin.AddPicture(QStringLiteral("edit.bmp"), Filled(4, 4, Qt::white));
    EXPECT_THROW(skin.AddPicture(QStringLiteral("EDIT.bmp"), Filled(4, 4, Qt::white)),
                 std::logic_error);

    s.Int(QStringLiteral("pictureindex"), 1).Int(QStringLiteral("fontheight"), 12);
    s.Int(QStringLiteral("pictureindex"), 0);
    ASSERT_EQ(s.Keys().size(), 2u);
    EXPECT_EQ(s.Keys()[0], std::make_pair(QStringLiteral("pictureindex"), QStringLiteral("0")));
    EXPECT_EQ(skin.IniText().count(QStringLiteral("[edit]")), 1);

    // A folder that cannot be made is reported, not ignored.
    const QString blocker = TestEnv::NewFolder(QStringLiteral("blocked")) + QStringLiteral("/file");
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_THROW(skin.Write(blocker + QStringLiteral("/skin1")), EFCreateError);
}

TEST(SkinPaint, MasksCutExactlyAndPatternsRepeatWithoutSeams) {
    const QPainterPath round = SkinPaint::Rounded(QRectF(0, 0, 20, 20), 6);
    const QImage mask = SkinPaint::Mask(20, 20, round);
    EXPECT_EQ(mask.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(mask.pixelColor(10, 10), QColor(Qt::black));
    EXPECT_EQ(mask.pixelColor(10, 0), QColor(Qt::black));
    QImage picture = Filled(20, 20, Qt::green);
    SkinPaint::CutOutside(picture, round);
    EXPECT_EQ(picture.pixelColor(0, 0), SkinPaint::Outside);
    EXPECT_EQ(picture.pixelColor(10, 10), QColor(Qt::green));

    for (const TSkinTheme& theme : InstalledThemes()) {
        if (theme.Pattern == TPattern::None)
            continue;
        const int n = theme.PatternPeriod;
        QImage image = Filled(3 * n, 3 * n, Qt::white);
        {
            QPainter p(&image);
            SkinPaint::Pattern(p, QRectF(0, 0, 3 * n, 3 * n), theme, QColor(0, 0, 0, 200));
        }
        int seams = 0;
        for (int y = 0; y < 2 * n; ++y)
            for (int x = 0; x < 2 * n; ++x)
                seams += image.pixel(x, y) != image.pixel(x + n, y) ||
                         image.pixel(x, y) != image.pixel(x, y + n);
        EXPECT_EQ(seams, 0) << theme.Folder.toStdString();
    }
}

} // namespace
