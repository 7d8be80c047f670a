// Skins held in memory: the stored and compressed-stored components, their binary
// forms, the compressed skin file, and loading them into a skin data component.

#include "SkinFixture.h"

#include "common/TestEnv.h"
#include "skin/bsSkinData.h"
#include "skin/bszlibcompress.h"

#include "framework/Exceptions.h"
#include "framework/Forms.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Counts the skin messages a form receives.
class TCountingForm : public TForm {
public:
    std::vector<QEvent::Type> Received;

protected:
    bool event(QEvent* e) override {
        if (dynamic_cast<TbsSkinMessageEvent*>(e))
            Received.push_back(e->type());
        return TForm::event(e);
    }
};

QByteArray Compress(const QByteArray& payload) {
    TMemoryStream packed;
    {
        TCompressionStream compressor(TCompressionLevel::clMax, packed);
        compressor.WriteBuffer(payload.constData(), payload.size());
    }
    return packed.Data();
}

QByteArray Int32(int32_t value) {
    TMemoryStream s;
    s.WriteInt32(value);
    return s.Data();
}

// Everything a loaded skin shows, compared between loaders.
void ExpectSameSkin(const TbsSkinData& a, const TbsSkinData& b) {
    EXPECT_EQ(a.SkinEmpty, b.SkinEmpty);
    EXPECT_EQ(a.SkinName, b.SkinName);
    EXPECT_EQ(a.SkinPictureName, b.SkinPictureName);
    EXPECT_EQ(a.ActivePictureNames, b.ActivePictureNames);
    EXPECT_TRUE(SamePixels(a.SkinPicture, b.SkinPicture));
    EXPECT_TRUE(SamePixels(a.InactiveSkinPicture, b.InactiveSkinPicture));
    EXPECT_TRUE(SamePixels(a.SkinMask, b.SkinMask));
    ASSERT_EQ(a.ActivePictures.size(), b.ActivePictures.size());
    for (size_t i = 0; i < a.ActivePictures.size(); ++i)
        EXPECT_TRUE(SamePixels(*a.ActivePictures[i], *b.ActivePictures[i]));
    EXPECT_EQ(a.ClientRect, b.ClientRect);
    EXPECT_EQ(a.LeftTopPoint, b.LeftTopPoint);
    EXPECT_EQ(a.PopupWindow.WindowPictureIndex, b.PopupWindow.WindowPictureIndex);
    EXPECT_EQ(a.HintWindow.FontName, b.HintWindow.FontName);
    ASSERT_EQ(a.SkinObjects.size(), b.SkinObjects.size());
    ASSERT_EQ(a.SkinControls.size(), b.SkinControls.size());
    for (size_t i = 0; i < a.SkinControls.size(); ++i) {
        EXPECT_EQ(a.SkinControls[i]->IDName, b.SkinControls[i]->IDName);
        EXPECT_EQ(a.SkinControls[i]->SkinRect, b.SkinControls[i]->SkinRect);
    }
}

TSkinFixture SkinWithInactivePicture() {
    TSkinFixture skin = TSkinFixture::Basic("stored");
    skin.AddPicture("inactive.bmp", 120, 80, 9);
    skin.Set("PICTURES", "inactivepicture", "inactive.bmp");
    skin.Write();
    return skin;
}

} // namespace

TEST(StoredSkin, FillsFromAFolderAndRoundTripsItsPictures) {
    TSkinFixture skin = SkinWithInactivePicture();
    TbsStoredSkin stored;
    stored.LoadFromSkinFile(skin.IniPath());
    EXPECT_EQ(stored.FileName(), "skin.ini");
    EXPECT_EQ(stored.IniStrings.ToStringList(), skin.Lines());
    EXPECT_TRUE(SamePixels(stored.InActivePicture, FixturePicture(120, 80, 9)));
    EXPECT_TRUE(stored.Mask.Empty());
    ASSERT_EQ(stored.ActivePictures.size(), 2u);

    TMemoryStream pictures;
    stored.WritePictures(pictures);
    // No mask: its flag 1 and nothing else, right before the count of active pictures.
    TMemoryStream expectedTail;
    expectedTail.WriteByte(1);
    expectedTail.WriteInt32(2);
    const QByteArray bytes = pictures.Data();
    TMemoryStream reread(bytes);
    TbsStoredSkin copy;
    copy.ReadPictures(reread);
    EXPECT_EQ(reread.Position(), reread.Size());
    EXPECT_TRUE(SamePixels(copy.Picture, stored.Picture));
    EXPECT_TRUE(SamePixels(copy.InActivePicture, stored.InActivePicture));
    EXPECT_TRUE(copy.Mask.Empty());
    ASSERT_EQ(copy.ActivePictures.size(), 2u);
    EXPECT_TRUE(SamePixels(*copy.ActivePictures[1], *stored.ActivePictures[1]));

    // The layout: flag 0 + BMP, flag 0 + BMP, flag 1, count 2, two BMPs.
    TMemoryStream one, two;
    stored.Picture.SaveToStream(one);
    stored.InActivePicture.SaveToStream(two);
    const qsizetype maskFlag = 1 + one.Size() + 1 + two.Size();
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes.at(qsizetype(1 + one.Size())), 0);
    EXPECT_EQ(bytes.mid(maskFlag, 5), expectedTail.Data());

    // A count below 1 reads no active pictures and drops the old ones.
    TMemoryStream none;
    for (int i = 0; i < 3; ++i)
        none.WriteByte(1);
    none.WriteInt32(-4);
    none.SetPosition(0);
    copy.ReadPictures(none);
    EXPECT_TRUE(copy.ActivePictures.empty());
    EXPECT_TRUE(copy.Picture.Empty());
}

TEST(StoredSkin, DamagedPicturesKeepTheComponentAsItWas) {
    TSkinFixture skin = SkinWithInactivePicture();
    TbsStoredSkin stored;
    stored.LoadFromSkinFile(skin.IniPath());
    TMemoryStream bad;
    bad.WriteByte(7); // neither flag value
    bad.SetPosition(0);
    EXPECT_THROW(stored.ReadPictures(bad), EReadError);
    TMemoryStream truncated;
    stored.WritePictures(truncated);
    truncated.SetSize(truncated.Size() - 10);
    truncated.SetPosition(0);
    EXPECT_THROW(stored.ReadPictures(truncated), Exception);
    EXPECT_EQ(stored.ActivePictures.size(), 2u);
    EXPECT_FALSE(stored.Picture.Empty());

    // A folder with a missing picture leaves it as it was as well.
    skin.Set("PICTURES", "mask", "nothing.bmp").Write();
    EXPECT_THROW(stored.LoadFromSkinFile(skin.IniPath()), Exception);
    EXPECT_TRUE(stored.Mask.Empty());
    EXPECT_EQ(stored.ActivePictures.size(), 2u);
}

TEST(StoredSkin, LoadsLikeTheFolder) {
    TSkinFixture skin = SkinWithInactivePicture();
    TbsSkinData fromFile;
    fromFile.LoadSkinFile(skin.IniPath());

    auto* stored = new TbsStoredSkin;
    stored->LoadFromSkinFile(skin.IniPath());
    TCountingForm owner;
    auto* data = new TbsSkinData(&owner);
    data->SetStoredSkin(stored); // setting it loads it
    ExpectSameSkin(*data, fromFile);
    EXPECT_EQ(owner.Received.size(), 3u);

    // The reference clears when the stored skin goes away.
    delete stored;
    EXPECT_EQ(data->StoredSkin(), nullptr);

    // Ini text without a required section is rejected like a file.
    TbsStoredSkin broken;
    broken.IniStrings.Add("[VERSION]");
    broken.IniStrings.Add("skinname=x");
    owner.Received.clear();
    data->LoadStoredSkin(broken);
    EXPECT_TRUE(data->SkinEmpty);
    EXPECT_EQ(owner.Received,
              (std::vector<QEvent::Type>{SkinChanging, SkinChanged, SkinChangeCompleted}));
}

TEST(CompressedStoredSkin, PacksAFolderAndLoadsLikeIt) {
    TSkinFixture skin = SkinWithInactivePicture();
    TbsSkinData fromFile;
    fromFile.LoadSkinFile(skin.IniPath());

    TbsCompressedStoredSkin compressed;
    EXPECT_TRUE(compressed.IsEmpty());
    compressed.LoadFromSkinFile(skin.IniPath());
    EXPECT_FALSE(compressed.IsEmpty());
    EXPECT_EQ(compressed.FileName(), "skin.ini");

    // The payload: version 1, the flagged pictures, the active pictures, the ini lines.
    TMemoryStream payload;
    compressed.Unpack(payload);
    payload.SetPosition(0);
    EXPECT_EQ(payload.ReadInt32(), 1);
    TBitmap picture, inactive, mask;
    SkinFiles::ReadFlaggedPicture(payload, picture);
    SkinFiles::ReadFlaggedPicture(payload, inactive);
    SkinFiles::ReadFlaggedPicture(payload, mask);
    TbsBitmapList active;
    SkinFiles::ReadPictureList(payload, active);
    EXPECT_TRUE(mask.Empty());
    EXPECT_EQ(active.size(), 2u);
    TStringList lines;
    lines.LoadFromStream(payload);
    EXPECT_EQ(lines.ToStringList(), skin.Lines());
    // The zlib header of maximum compression.
    EXPECT_EQ(uint8_t(compressed.CompressedStream().Data()[0]), 0x78);
    EXPECT_EQ(uint8_t(compressed.CompressedStream().Data()[1]), 0xDA);

    TbsSkinData data;
    data.SetCompressedStoredSkin(&compressed);
    ExpectSameSkin(data, fromFile);

    // The binary property form and the compressed skin file give the same stream back.
    TMemoryStream property;
    compressed.WriteCompressedData(property);
    property.SetPosition(0);
    TbsCompressedStoredSkin fromProperty;
    fromProperty.ReadCompressedData(property);
    EXPECT_EQ(fromProperty.CompressedStream().Data(), compressed.CompressedStream().Data());

    const QString file = TestEnv::NewFolder("packed") + "/skin.zsk";
    compressed.SaveToCompressedFile(file);
    const QByteArray bytes = TestEnv::ReadFile(file);
    EXPECT_EQ(bytes.left(4), Int32(1));
    EXPECT_EQ(bytes.mid(4, 4), Int32(compressed.CompressedStream().Data().size()));
    TbsCompressedStoredSkin fromFileSkin;
    fromFileSkin.LoadFromCompressedFile(file);
    EXPECT_EQ(fromFileSkin.CompressedFileName(), "skin.zsk");
    TbsSkinData data2;
    data2.LoadCompressedStoredSkin(fromFileSkin);
    ExpectSameSkin(data2, fromFile);
}

TEST(CompressedStoredSkin, PackingWithoutRequiredSectionsChangesNothing) {
    TSkinFixture skin = SkinWithInactivePicture();
    TbsCompressedStoredSkin compressed;
    compressed.LoadFromSkinFile(skin.IniPath());
    const QByteArray before = compressed.CompressedStream().Data();

    TSkinFixture broken = TSkinFixture::Basic("broken");
    broken.RemoveSection("FORMINFO").Write();
    compressed.LoadFromSkinFile(broken.IniPath());
    EXPECT_EQ(compressed.CompressedStream().Data(), before);
    EXPECT_EQ(compressed.FileName(), "skin.ini");

    // A picture that cannot be read raises and leaves it as it was too.
    broken = TSkinFixture::Basic("broken");
    broken.Set("PICTURES", "0", "gone.bmp").Write();
    EXPECT_THROW(compressed.LoadFromSkinFile(broken.IniPath()), Exception);
    EXPECT_EQ(compressed.CompressedStream().Data(), before);
}

TEST(CompressedStoredSkin, VersionAndDamage) {
    const QString folder = TestEnv::NewFolder("compressed");
    TCountingForm owner;
    auto* data = new TbsSkinData(&owner);

    // Version 2 inside the payload: empty skin, both closing messages.
    TMemoryStream file;
    const QByteArray v2 = Compress(Int32(2) + QByteArray(3, '\1') + Int32(0));
    file.WriteInt32(1);
    file.WriteInt32(v2.size());
    file.WriteBuffer(v2.constData(), v2.size());
    file.SaveToFile(folder + "/v2.zsk");
    TbsCompressedStoredSkin compressed;
    compressed.LoadFromCompressedFile(folder + "/v2.zsk");
    data->LoadSkinFile(TSkinFixture::Basic().Write());
    owner.Received.clear();
    data->LoadCompressedStoredSkin(compressed);
    EXPECT_TRUE(data->SkinEmpty);
    EXPECT_TRUE(data->SkinControls.empty());
    EXPECT_EQ(owner.Received,
              (std::vector<QEvent::Type>{SkinChanging, SkinChanged, SkinChangeCompleted}));

    // A corrupt stream: the decompression error, an empty skin the forms are told about.
    QByteArray corrupt = Compress(QByteArray(5000, 'x'));
    corrupt[corrupt.size() / 2] = char(corrupt[corrupt.size() / 2] ^ 0x55);
    corrupt[2] = char(0xFF);
    TMemoryStream property(corrupt);
    compressed.ReadCompressedData(property);
    data->LoadSkinFile(TSkinFixture::Basic().Write());
    owner.Received.clear();
    try {
        data->LoadCompressedStoredSkin(compressed);
        ADD_FAILURE() << "no error";
    } catch (const EDecompressionError& e) {
        EXPECT_EQ(e.Message(), "compression error");
    }
    EXPECT_TRUE(data->SkinEmpty);
    EXPECT_TRUE(data->SkinObjects.empty());
    EXPECT_EQ(owner.Received,
              (std::vector<QEvent::Type>{SkinChanging, SkinChanged, SkinChangeCompleted}));

    // A truncated payload raises a read error the same way.
    compressed.LoadFromSkinFile(TSkinFixture::Basic().Write());
    TMemoryStream unpacked;
    compressed.Unpack(unpacked);
    TMemoryStream shortProperty(Compress(unpacked.Data().left(300)));
    compressed.ReadCompressedData(shortProperty);
    EXPECT_THROW(data->LoadCompressedStoredSkin(compressed), Exception);
    EXPECT_TRUE(data->SkinEmpty);

    // A stream that unpacks past the cap stops with an error instead of growing on.
    compressed.LoadFromSkinFile(TSkinFixture::Basic().Write());
    TMemoryStream capped;
    EXPECT_THROW(compressed.Unpack(capped, unpacked.Size() - 1), EDecompressionError);
    EXPECT_LE(capped.Size(), unpacked.Size());
    TMemoryStream exact;
    compressed.Unpack(exact, unpacked.Size());
    EXPECT_EQ(exact.Data(), unpacked.Data());
}

TEST(CompressedStoredSkin, EmptyStreamsAndFiles) {
    const QString folder = TestEnv::NewFolder("empty");
    TbsCompressedStoredSkin compressed;
    TMemoryStream output;
    compressed.Unpack(output);
    EXPECT_EQ(output.Size(), 0);

    // Version 1 and size 0: an empty component, which loading ignores entirely.
    TestEnv::WriteFile(folder + "/zero.zsk", Int32(1) + Int32(0));
    compressed.LoadFromSkinFile(TSkinFixture::Basic().Write());
    compressed.LoadFromCompressedFile(folder + "/zero.zsk");
    EXPECT_TRUE(compressed.IsEmpty());
    TCountingForm owner;
    auto* data = new TbsSkinData(&owner);
    data->LoadSkinFile(TSkinFixture::Basic().Write());
    owner.Received.clear();
    data->LoadCompressedStoredSkin(compressed);
    EXPECT_TRUE(owner.Received.empty());
    EXPECT_FALSE(data->SkinEmpty);

    // Another version empties the component.
    compressed.LoadFromSkinFile(TSkinFixture::Basic().Write());
    TestEnv::WriteFile(folder + "/v3.zsk", Int32(3) + Int32(4) + "abcd");
    compressed.LoadFromCompressedFile(folder + "/v3.zsk");
    EXPECT_TRUE(compressed.IsEmpty());

    // A size beyond the file or below zero is an error and changes nothing.
    compressed.LoadFromSkinFile(TSkinFixture::Basic().Write());
    for (int32_t size : {100, -1}) {
        TestEnv::WriteFile(folder + "/bad.zsk", Int32(1) + Int32(size) + "abcd");
        EXPECT_THROW(compressed.LoadFromCompressedFile(folder + "/bad.zsk"), EReadError);
        EXPECT_FALSE(compressed.IsEmpty());
    }
    EXPECT_THROW(compressed.LoadFromCompressedFile(folder + "/none.zsk"), EFOpenError);
    TestEnv::WriteFile(folder + "/short.zsk", "\1\0");
    EXPECT_THROW(compressed.LoadFromCompressedFile(folder + "/short.zsk"), EReadError);
}
