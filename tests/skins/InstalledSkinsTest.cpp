// The six installed skins as the build stages them into the program folder (skins/skin1 …
// skin6): each loads, is complete, and together they show everything the engine can draw.

#include "PictureFiles.h"

#include "skin/bsSkinData.h"
#include "skin/bsSkinNames.h"
#include "skinctrls/bsSkinCtrls.h"

#include "framework/IniFiles.h"
#include "framework/Strings.h"
#include "platform/Gbk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace {

struct TInstalledSkin {
    QString Folder;
    QString Name; // the skin's menu caption and [VERSION] "skinname"
};

const std::vector<TInstalledSkin>& Installed() {
    static const std::vector<TInstalledSkin> skins = {
        {QStringLiteral("skin1"), QStringLiteral("默认风格")},
        {QStringLiteral("skin2"), QStringLiteral("蓝色风暴")},
        {QStringLiteral("skin3"), QStringLiteral("冰雪世纪")},
        {QStringLiteral("skin4"), QStringLiteral("无限幻想")},
        {QStringLiteral("skin5"), QStringLiteral("纯真年代")},
        {QStringLiteral("skin6"), QStringLiteral("时尚之风")}};
    return skins;
}

QString FolderOf(const TInstalledSkin& skin) {
    return QStringLiteral(ZARVO_PROGRAM_DIR "/skins/") + skin.Folder;
}

QString IniOf(const TInstalledSkin& skin) {
    return FolderOf(skin) + QStringLiteral("/skin.ini");
}

QString Str(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// Loads an installed skin as the program does; null (and a failure) when it does not load.
std::unique_ptr<TbsSkinData> Load(const TInstalledSkin& skin) {
    auto data = std::make_unique<TbsSkinData>();
    try {
        data->LoadSkinFile(IniOf(skin));
    } catch (const Exception& e) {
        ADD_FAILURE() << skin.Folder.toStdString() << ": " << e.Message().toStdString();
        return nullptr;
    }
    if (data->SkinEmpty) {
        ADD_FAILURE() << skin.Folder.toStdString() << ": the skin is rejected (a section of "
                      << "[VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS], [SKINCONTROLS] "
                      << "is missing or empty)";
        return nullptr;
    }
    return data;
}

// The picture files [PICTURES] names.
QStringList PictureNames(const TCustomIniFile& ini) {
    QStringList names;
    for (const char* key : {"picture", "inactivepicture", "mask"}) {
        const QString name = ini.ReadString(QStringLiteral("PICTURES"), QLatin1String(key), {});
        if (!name.isEmpty())
            names << name;
    }
    return names + SkinFiles::ReadActivePictureNames(ini);
}

// The kind keyword [SKINCONTROLS] gives the first record of `name`.
QString ListedKind(const TCustomIniFile& ini, const QString& name) {
    for (const QString& entry : SkinFiles::ReadListEntries(ini, QStringLiteral("SKINCONTROLS"))) {
        const auto [entryName, kind] = SkinValues::SplitListEntry(entry);
        if (entryName == name)
            return kind;
    }
    return QString();
}

const TBitmap* UsablePicture(const TbsSkinData& data, int index) {
    if (index < 0 || index >= static_cast<int>(data.ActivePictures.size()))
        return nullptr;
    const TBitmap* picture = data.ActivePictures[static_cast<size_t>(index)].get();
    return picture->Empty() ? nullptr : picture;
}

template <class T> bool Any(const TbsSkinData& data, const std::function<bool(const T&)>& test) {
    for (const auto& object : data.SkinObjects) {
        if (auto* record = dynamic_cast<const T*>(object.get()); record && test(*record))
            return true;
    }
    return false;
}

// What a skin lacks of the frame objects, menus and hints a complete skin has.
QStringList MissingFrameObjects(const TbsSkinData& data) {
    QStringList missing;
    if (!Any<TbsDataSkinCaption>(data, [](const auto& r) { return !r.SkinRect.IsEmpty(); }))
        missing << QStringLiteral("a caption record with a skinrect");
    for (std::string_view keyword : SkinNames::CaptionButtonCommands) {
        const TbsStdCommand command = SkinValues::ParseCommand(Str(keyword));
        const bool button = Any<TbsDataSkinStdButton>(data, [&](const auto& r) {
            return !dynamic_cast<const TbsDataSkinMainMenuBarButton*>(&r) && r.Command == command &&
                   !r.SkinRect.IsEmpty();
        });
        const bool animation = Any<TbsDataSkinAnimate>(data, [&](const auto& r) {
            return r.ButtonStyle && r.Command == command && !r.SkinRect.IsEmpty();
        });
        if (!button && !animation)
            missing << QStringLiteral("a caption button for ") + Str(keyword);
    }
    const TbsDataSkinMenuItem* item = nullptr;
    for (const auto& object : data.SkinObjects) {
        if ((item = dynamic_cast<const TbsDataSkinMenuItem*>(object.get())))
            break;
    }
    if (!item || !UsablePicture(data, item->ActivePictureIndex) || item->SkinRect.IsEmpty())
        missing << QStringLiteral("a menuitem record (the first) with a picture and a skinrect");
    if (!UsablePicture(data, data.PopupWindow.WindowPictureIndex))
        missing << QStringLiteral("[POPUPWINDOW] windowpictureindex of a picture");
    if (!UsablePicture(data, data.HintWindow.WindowPictureIndex))
        missing << QStringLiteral("[HINTWINDOW] windowpictureindex of a picture");
    const int bar = data.IndexOfControl(QStringLiteral("mainmenubar"));
    const auto* barRecord =
        bar < 0 ? nullptr
                : dynamic_cast<const TbsDataSkinMainMenuBar*>(data.SkinControls[bar].get());
    const int barItem = barRecord ? data.IndexOfSkinObject(barRecord->MenuBarItem) : -1;
    if (barItem < 0 ||
        !dynamic_cast<const TbsDataSkinMainMenuBarItem*>(data.SkinObjects[barItem].get()))
        missing << QStringLiteral("a mainmenubaritem record named by mainmenubar's menubaritem");
    return missing;
}

// The keys a record's class reads, in order (it writes them all back).
QStringList RecordKeys(TbsSkinRecord& record) {
    const QString name = record.IDName;
    record.IDName = QStringLiteral("record");
    TMemIniFile ini;
    record.SaveToIni(ini);
    record.IDName = name;
    TStringList keys;
    ini.ReadSection(QStringLiteral("record"), keys);
    return keys.ToStringList();
}

template <class Window> QStringList WindowKeys(Window window) {
    TMemIniFile ini;
    window.SaveToIni(ini, QStringLiteral("window"));
    TStringList keys;
    ini.ReadSection(QStringLiteral("window"), keys);
    return keys.ToStringList();
}

// A key whose default (black, "Arial", 14) a skin must not leave to chance.
bool IsFontOrColorKey(const QString& key) {
    return key.endsWith(QLatin1String("color"), Qt::CaseInsensitive) ||
           key.endsWith(QLatin1String("fontname"), Qt::CaseInsensitive) ||
           key.endsWith(QLatin1String("fontheight"), Qt::CaseInsensitive);
}

// The font and colour keys of `section` that the skin leaves out.
QStringList MissingFontsAndColors(const TCustomIniFile& ini, const QString& section,
                                  const QStringList& keys) {
    QStringList missing;
    const bool shadow = ini.ReadString(section, QStringLiteral("shadow"), {}) == QLatin1String("1");
    for (const QString& key : keys) {
        if (!IsFontOrColorKey(key) || ini.ValueExists(section, key))
            continue;
        // Shadow colours matter only with a shadow.
        if (!shadow && key.endsWith(QLatin1String("shadowcolor")))
            continue;
        missing << QStringLiteral("[%1] %2").arg(section, key);
    }
    return missing;
}

QString Joined(const QStringList& lines) {
    return lines.join(QStringLiteral("\n  "));
}

} // namespace

TEST(InstalledSkins, EachLoadsWithItsMenuNameFromGbkTextAnd24BitPictures) {
    for (const TInstalledSkin& skin : Installed()) {
        SCOPED_TRACE(skin.Folder.toStdString());
        ASSERT_TRUE(QFileInfo::exists(IniOf(skin))) << IniOf(skin).toStdString();
        const auto data = Load(skin);
        if (!data)
            continue;
        EXPECT_EQ(data->SkinName, skin.Name);
        EXPECT_FALSE(data->SkinPicture.Empty());
        EXPECT_FALSE(data->ActivePictures.empty());
        EXPECT_FALSE(data->SkinObjects.empty());
        EXPECT_FALSE(data->SkinControls.empty());

        // skin.ini is GBK text with CR LF line ends, as the engine's platform writes it.
        QFile file(IniOf(skin));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray raw = file.readAll();
        EXPECT_TRUE(raw.contains(Gbk::Encode(QStringLiteral("skinname=") + skin.Name)));
        EXPECT_FALSE(raw.contains(skin.Name.toUtf8()));
        EXPECT_EQ(raw.count("\n"), raw.count("\r\n"));

        // Every picture it names exists, and every picture of the folder is a 24-bit BMP.
        const TMemIniFile ini(IniOf(skin));
        const QDir folder(FolderOf(skin));
        for (const QString& name : PictureNames(ini))
            EXPECT_TRUE(folder.exists(name)) << name.toStdString();
        const QStringList files = folder.entryList(QDir::Files);
        for (const QString& name : files) {
            if (name == QLatin1String("skin.ini"))
                continue;
            EXPECT_TRUE(name.endsWith(QLatin1String(".bmp"))) << name.toStdString();
            const QString fault = PictureFiles::NotA24BitBmp(folder.filePath(name));
            EXPECT_TRUE(fault.isEmpty()) << name.toStdString() << " " << fault.toStdString();
        }
    }
}

TEST(InstalledSkins, EachHasARecordOfTheRightKindForEveryExpectedName) {
    for (const TInstalledSkin& skin : Installed()) {
        SCOPED_TRACE(skin.Folder.toStdString());
        const auto data = Load(skin);
        if (!data)
            continue;
        const TMemIniFile ini(IniOf(skin));
        QStringList missing;
        for (const auto& expected : SkinNames::ExpectedControls) {
            const QString name = Str(expected.Name);
            const QString kind = ListedKind(ini, name);
            if (data->IndexOfControl(name) < 0)
                missing << QStringLiteral("control %1 (%2)").arg(name, Str(expected.Kind));
            else if (!SkinNames::KindServesAs(kind.toStdString(), expected.Kind))
                missing << QStringLiteral("control %1 of kind %2, not %3")
                               .arg(name, kind, Str(expected.Kind));
        }
        missing << MissingFrameObjects(*data);
        EXPECT_TRUE(missing.isEmpty()) << "missing:\n  " << Joined(missing).toStdString();
    }
}

TEST(InstalledSkins, EachGivesEveryRecordItsFontsAndColors) {
    for (const TInstalledSkin& skin : Installed()) {
        SCOPED_TRACE(skin.Folder.toStdString());
        const auto data = Load(skin);
        if (!data)
            continue;
        const TMemIniFile ini(IniOf(skin));
        QStringList missing =
            MissingFontsAndColors(ini, QStringLiteral("POPUPWINDOW"),
                                  WindowKeys(data->PopupWindow)) +
            MissingFontsAndColors(ini, QStringLiteral("HINTWINDOW"), WindowKeys(data->HintWindow));
        for (const auto& object : data->SkinObjects)
            missing << MissingFontsAndColors(ini, object->IDName, RecordKeys(*object));
        for (const auto& control : data->SkinControls)
            missing << MissingFontsAndColors(ini, control->IDName, RecordKeys(*control));
        missing.removeDuplicates();
        EXPECT_TRUE(missing.isEmpty())
            << "left to the defaults:\n  " << Joined(missing).toStdString();
    }
}

TEST(InstalledSkins, EachHasControlRecordsInEveryStretchMode) {
    for (const TInstalledSkin& skin : Installed()) {
        SCOPED_TRACE(skin.Folder.toStdString());
        const auto data = Load(skin);
        if (!data)
            continue;
        std::set<TbsStretchMode> modes;
        for (const auto& control : data->SkinControls) {
            if (!dynamic_cast<const TbsDataSkinCustomControl*>(control.get()))
                continue;
            TbsSkinGeometry geometry;
            geometry.LoadGeometry(*data, *control, false);
            modes.insert(geometry.StretchMode);
        }
        for (TbsStretchMode mode : {TbsStretchMode::Fixed, TbsStretchMode::Horizontal,
                                    TbsStretchMode::Vertical, TbsStretchMode::Both})
            EXPECT_TRUE(modes.count(mode))
                << "no control record in mode " << static_cast<int>(mode);
    }
}

TEST(InstalledSkins, TogetherUseEveryFrameFeatureEffectAndMorph) {
    std::vector<std::unique_ptr<TbsSkinData>> skins;
    for (const TInstalledSkin& skin : Installed()) {
        if (auto data = Load(skin))
            skins.push_back(std::move(data));
    }
    ASSERT_EQ(skins.size(), Installed().size());

    QSet<QString> features;
    std::set<TbsInactiveEffect> effects;
    std::set<TbsMorphKind> morphs;
    std::set<std::pair<int, bool>> stretches; // (edge, flag)
    auto morph = [&](bool morphing, TbsMorphKind kind, const TRect& activeRect) {
        // A morph needs a look to morph to.
        if (morphing && !activeRect.IsEmpty())
            morphs.insert(kind);
    };
    for (const auto& data : skins) {
        if (!data->SkinMask.Empty())
            features << QStringLiteral("mask");
        if (!data->InactiveSkinPicture.Empty())
            features << QStringLiteral("inactive picture");
        if (data->ButtonsInLeft)
            features << QStringLiteral("buttonsinleft");
        if (UsablePicture(*data, data->BGPictureIndex))
            features << QStringLiteral("bgpictureindex");
        if (data->AutoRenderingInActiveImage)
            effects.insert(data->InActiveEffect);
        const bool edges[] = {data->LeftStretch, data->TopStretch, data->RightStretch,
                              data->BottomStretch};
        for (int edge = 0; edge < 4; ++edge)
            stretches.insert({edge, edges[edge]});
        for (const auto& object : data->SkinObjects) {
            if (dynamic_cast<const TbsDataSkinAnimate*>(object.get()))
                features << QStringLiteral("animate");
            morph(object->Morphing, object->MorphKind, object->ActiveSkinRect);
        }
        for (const auto& control : data->SkinControls) {
            if (auto* button = dynamic_cast<const TbsDataSkinButtonControl*>(control.get()))
                morph(button->Morphing, button->MorphKind, button->ActiveSkinRect);
            if (auto* check = dynamic_cast<const TbsDataSkinCheckRadioControl*>(control.get()))
                morph(check->Morphing, check->MorphKind, check->ActiveSkinRect);
        }
    }
    for (const char* feature :
         {"mask", "inactive picture", "buttonsinleft", "bgpictureindex", "animate"})
        EXPECT_TRUE(features.contains(QLatin1String(feature))) << "no skin has " << feature;
    for (int effect = 0; effect <= static_cast<int>(TbsInactiveEffect::ieInvert); ++effect) {
        const auto value = static_cast<TbsInactiveEffect>(effect);
        EXPECT_TRUE(effects.count(value)) << "no skin renders its inactive look with "
                                          << SkinValues::FormatEffect(value).toStdString();
    }
    for (int kind = 0; kind <= static_cast<int>(TbsMorphKind::mkPush); ++kind) {
        const auto value = static_cast<TbsMorphKind>(kind);
        EXPECT_TRUE(morphs.count(value))
            << "nothing morphs with " << SkinValues::FormatMorphKind(value).toStdString();
    }
    const char* const edgeNames[] = {"leftstretch", "topstretch", "rightstretch", "bottomstretch"};
    for (int edge = 0; edge < 4; ++edge) {
        EXPECT_TRUE(stretches.count({edge, false})) << "every skin sets " << edgeNames[edge];
        EXPECT_TRUE(stretches.count({edge, true})) << "no skin sets " << edgeNames[edge];
    }
}
