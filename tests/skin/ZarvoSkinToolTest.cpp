// Runs the installed zarvo-skin program from the program folder next to the test binaries
// on skins made by the fixture generator.

#include "SkinFixture.h"

#include "common/TestEnv.h"
#include "common/ToolRun.h"
#include "framework/Bitmap.h"
#include "skin/bsSkinDataRecords.h"
#include "skin/bsSkinNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace {

ToolRun RunTool(const QStringList& args) {
    return RunStagedTool(QStringLiteral("zarvo-skin"), args);
}

QString Str(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// The frame objects CompleteSkin lists in [SKINOBJECTS] (the basic fixture's caption and
// close button first).
constexpr int CompleteObjects = 9;

// The basic fixture plus a record for every name a complete skin has (but those in
// `leaveOut`), a caption button for every window command, a menu item and a menu-bar item.
TSkinFixture CompleteSkin(const QString& hint, const QStringList& leaveOut = {}) {
    TSkinFixture skin = TSkinFixture::Basic(hint);
    int index = 2;
    for (const auto& expected : SkinNames::ExpectedControls) {
        const QString name = Str(expected.Name);
        if (name == QLatin1String("vscrollbar") || leaveOut.contains(name))
            continue;
        skin.Set("SKINCONTROLS", QString::number(index++), name + u':' + Str(expected.Kind))
            .Set(name, "pictureindex", "0")
            .Set(name, "skinrect", "0,0,10,10");
    }
    skin.Set("SKINCONTROLS", "count", QString::number(index))
        .Set("mainmenubar", "menubaritem", "baritem");
    const char* const objects[][3] = {
        {"max", "stdbutton", "cmmaximize"},     {"min", "stdbutton", "cmminimize"},
        {"rollup", "stdbutton", "cmrollup"},    {"tray", "stdbutton", "cmMinimizeToTray"},
        {"sysmenu", "animate", "cmsysmenu"},    {"item", "menuitem", nullptr},
        {"baritem", "mainmenubaritem", nullptr}};
    index = 2;
    for (const auto& [name, kind, command] : objects) {
        skin.Set("SKINOBJECTS", QString::number(index), QStringLiteral("%1:%2").arg(name, kind))
            .Set(name, "skinrect", QStringLiteral("%1,5,%2,20").arg(index * 10).arg(index * 10 + 8))
            .Set(name, "activepictureindex", "0");
        if (command)
            skin.Set(name, "command", command);
        ++index;
    }
    skin.Set("SKINOBJECTS", "count", QString::number(index)).Set("sysmenu", "buttonstyle", "1");
    return skin;
}

// The [SKINCONTROLS] key of a control CompleteSkin lists (leaving nothing out before it).
QString CompleteControlKey(const QString& name) {
    int index = 2;
    for (const auto& expected : SkinNames::ExpectedControls) {
        if (Str(expected.Name) == name)
            return QString::number(index);
        if (expected.Name != "vscrollbar")
            ++index;
    }
    return QString();
}

int Count(const QStringList& lines, const QString& prefix) {
    return static_cast<int>(std::count_if(
        lines.begin(), lines.end(), [&](const QString& line) { return line.startsWith(prefix); }));
}

class ZarvoSkinTool : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ToolIsBuilt(QStringLiteral("zarvo-skin"))); }
};

} // namespace

TEST(SkinNames, EveryExpectedKindIsAKindKeywordAndDerivedKindsServe) {
    QStringList names;
    for (const auto& expected : SkinNames::ExpectedControls) {
        EXPECT_NE(CreateSkinControlRecord(Str(expected.Kind), Str(expected.Name)), nullptr)
            << expected.Name;
        EXPECT_FALSE(names.contains(Str(expected.Name))) << "twice: " << expected.Name;
        names << Str(expected.Name);
        // An optional name falls back to a name that is always looked up.
        EXPECT_EQ(expected.Use == SkinNames::TbsNameUse::Optional, !expected.Fallback.empty());
    }
    for (const auto& expected : SkinNames::ExpectedControls) {
        if (expected.Use == SkinNames::TbsNameUse::Optional) {
            EXPECT_TRUE(names.contains(Str(expected.Fallback))) << expected.Fallback;
        }
    }
    for (std::string_view kind :
         {SkinNames::CaptionKind, SkinNames::MenuItemKind, SkinNames::MenuBarItemKind})
        EXPECT_NE(CreateSkinObjectRecord(Str(kind), QStringLiteral("x")), nullptr) << kind;
    // Any text reads as some command; each keyword must be the one of its own command.
    std::set<TbsStdCommand> commands;
    for (std::string_view keyword : SkinNames::CaptionButtonCommands) {
        const TbsStdCommand command = SkinValues::ParseCommand(Str(keyword));
        EXPECT_EQ(SkinValues::FormatCommand(command), Str(keyword));
        EXPECT_NE(command, TbsStdCommand::cmDefault);
        commands.insert(command);
    }
    EXPECT_EQ(commands.size(), SkinNames::CaptionButtonCommands.size());
    EXPECT_TRUE(SkinNames::KindServesAs("menubutton", "button"));
    EXPECT_TRUE(SkinNames::KindServesAs("checklistbox", "listbox"));
    EXPECT_FALSE(SkinNames::KindServesAs("edit", "memo"));
    EXPECT_FALSE(SkinNames::KindServesAs("stdlabel", "label"));
}

TEST_F(ZarvoSkinTool, CheckPassesACompleteSkinAndWarnsAboutMissingOrMiskindedRecords) {
    TSkinFixture complete = CompleteSkin(QStringLiteral("complete"));
    ToolRun run = RunTool({QStringLiteral("check"), complete.Write()});
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
    EXPECT_EQ(run.Lines().size(), 1) << run.out.toStdString();
    EXPECT_TRUE(run.out.endsWith(QStringLiteral(": 0 errors, 0 warnings\n")));
    // A folder means its skin.ini.
    EXPECT_EQ(RunTool({QStringLiteral("check"), complete.Folder}).exitCode, 0);

    // Warnings alone don't fail.
    TSkinFixture basic = TSkinFixture::Basic();
    basic.Set("SKINCONTROLS", "count", "3").Set("SKINCONTROLS", "2", "button:panel");
    run = RunTool({QStringLiteral("check"), basic.Write()});
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
    EXPECT_TRUE(run.Has(QStringLiteral("warning: [SKINCONTROLS] has no record \"edit\" (kind "
                                       "\"edit\"); controls using that name draw without a skin")))
        << run.out.toStdString();
    EXPECT_TRUE(run.Has(QStringLiteral("warning: [SKINCONTROLS] record \"button\" has kind "
                                       "\"panel\", but controls using that name need kind "
                                       "\"button\"")));
    EXPECT_TRUE(run.Has(QStringLiteral("warning: [SKINCONTROLS] 2=button:panel: there is no "
                                       "section [button]; the record reads every default")));
    EXPECT_TRUE(run.Find(QStringLiteral("warning:"), QStringLiteral("\"vscrollbar\"")).isEmpty());
    ASSERT_FALSE(run.Lines().isEmpty());
    const int warnings = Count(run.Lines(), QStringLiteral("warning: "));
    const int notes = Count(run.Lines(), QStringLiteral("note: "));
    EXPECT_EQ(warnings + notes + 1, run.Lines().size());
    EXPECT_TRUE(run.Lines().last().endsWith(
        QStringLiteral(": 0 errors, %1 warnings, %2 notes").arg(warnings).arg(notes)))
        << run.Lines().last().toStdString();

    // A derived kind serves: a memo record where an edit is looked for.
    complete.Set("SKINCONTROLS", CompleteControlKey(QStringLiteral("edit")), "edit:memo");
    run = RunTool({QStringLiteral("check"), complete.Write()});
    EXPECT_TRUE(run.out.endsWith(QStringLiteral(": 0 errors, 0 warnings\n")))
        << run.out.toStdString();
}

TEST_F(ZarvoSkinTool, CheckWarnsAboutMissingFrameObjectsMenusAndHints) {
    TSkinFixture skin = CompleteSkin(QStringLiteral("frame"));
    const QString ini = skin.Write();
    ToolRun run = RunTool({QStringLiteral("check"), QStringLiteral("--strict"), ini});
    ASSERT_EQ(run.exitCode, 0) << run.out.toStdString();

    // A menu-bar button makes no caption button, nor does an animation out of button style.
    skin.Set("SKINOBJECTS", "2", "max:mainmenubarbutton")
        .Set("sysmenu", "buttonstyle", "0")
        // A caption button without a look is never seen and does not count.
        .Set("min", "skinrect", "0,0,0,0")
        .Set("caption", "skinrect", "5,5,5,20")
        .Set("item", "activepictureindex", "-1")
        .Set("POPUPWINDOW", "windowpictureindex", "-1")
        .Set("HINTWINDOW", "windowpictureindex", "-1")
        .Set("mainmenubar", "menubaritem", "close");
    run = RunTool({QStringLiteral("check"), skin.Write()});
    const QString out = run.out;
    EXPECT_EQ(run.exitCode, 0) << out.toStdString();
    const QString noButton = QStringLiteral(
        "warning: [SKINOBJECTS] has no caption button with command=%1 (a \"stdbutton\" record, "
        "or an \"animate\" record with buttonstyle=1); windows get no button for it");
    const QStringList expected = {
        noButton.arg(QStringLiteral("cmmaximize")),
        noButton.arg(QStringLiteral("cmminimize")),
        noButton.arg(QStringLiteral("cmsysmenu")),
        QStringLiteral("warning: [SKINOBJECTS] record \"min\": skinrect=0,0,0,0 is empty; the "
                       "object is never seen"),
        QStringLiteral("warning: [SKINOBJECTS] record \"caption\": skinrect=5,5,5,20 is empty; "
                       "the object is never seen"),
        QStringLiteral("warning: [SKINOBJECTS] has no \"caption\" record; skinned windows show "
                       "no title"),
        QStringLiteral("warning: [SKINOBJECTS] record \"item\", the first \"menuitem\" record, "
                       "which popup menus use: activepictureindex=-1 names no picture; menu "
                       "items draw without one"),
        QStringLiteral("warning: [POPUPWINDOW] windowpictureindex is -1; popup menus draw in the "
                       "plain look"),
        QStringLiteral("warning: [HINTWINDOW] windowpictureindex is -1; hints draw in the plain "
                       "look"),
        QStringLiteral("warning: [SKINCONTROLS] record \"mainmenubar\" (mainmenubar): "
                       "menubaritem=close names a record that is not of kind "
                       "\"mainmenubaritem\"; the menu bar's items draw without a skin")};
    for (const QString& line : expected)
        EXPECT_TRUE(run.Has(line)) << line.toStdString() << "\n" << out.toStdString();
    EXPECT_EQ(Count(run.Lines(), QStringLiteral("warning: ")), expected.size())
        << out.toStdString();
    EXPECT_EQ(RunTool({QStringLiteral("check"), QStringLiteral("--strict"), ini}).exitCode, 1);

    // No menu item and no menu-bar item at all.
    skin.Set("SKINOBJECTS", "7", "item:userobject").Set("mainmenubar", "menubaritem", "");
    run = RunTool({QStringLiteral("check"), skin.Write()});
    EXPECT_TRUE(run.Has(QStringLiteral("warning: [SKINOBJECTS] has no \"menuitem\" record; "
                                       "popup menus draw their items without a skin")))
        << run.out.toStdString();
    EXPECT_TRUE(run.Has(QStringLiteral("warning: [SKINCONTROLS] record \"mainmenubar\" "
                                       "(mainmenubar): menubaritem is empty; it must name a "
                                       "\"mainmenubaritem\" record, or the menu bar's items draw "
                                       "without a skin")));
}

TEST_F(ZarvoSkinTool, CheckNotesOptionalNamesAndStrictFailsOnWarningsOnly) {
    // Names nothing needs by default are notes, which never fail.
    TSkinFixture skin = CompleteSkin(QStringLiteral("optional"),
                                     {QStringLiteral("toolcombobox"), QStringLiteral("gauge")});
    ToolRun run = RunTool({QStringLiteral("check"), skin.Write(), QStringLiteral("--strict")});
    EXPECT_EQ(run.exitCode, 0) << run.out.toStdString();
    EXPECT_TRUE(run.Has(QStringLiteral("note: [SKINCONTROLS] has no record \"toolcombobox\" "
                                       "(kind \"combobox\"); the controls that take it when "
                                       "present use \"combobox\" instead")))
        << run.out.toStdString();
    EXPECT_TRUE(run.Has(QStringLiteral("note: [SKINCONTROLS] has no record \"gauge\" (kind "
                                       "\"gauge\"); no control looks it up by default, but a "
                                       "complete skin has one")));
    EXPECT_TRUE(run.out.endsWith(QStringLiteral(": 0 errors, 0 warnings, 2 notes\n")));

    // A record of a wrong kind under an optional name is taken all the same: a warning.
    skin = CompleteSkin(QStringLiteral("wrongkind"), {QStringLiteral("gauge")});
    skin.Set("SKINCONTROLS", CompleteControlKey(QStringLiteral("toolcombobox")),
             "toolcombobox:edit");
    run = RunTool({QStringLiteral("check"), skin.Write()});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.Has(QStringLiteral("warning: [SKINCONTROLS] record \"toolcombobox\" has kind "
                                       "\"edit\", but controls using that name need kind "
                                       "\"combobox\"")))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.endsWith(QStringLiteral(": 0 errors, 1 warning, 1 note\n")))
        << run.out.toStdString();
    EXPECT_EQ(
        RunTool({QStringLiteral("check"), QStringLiteral("--strict"), skin.IniPath()}).exitCode, 1);

    // Errors fail either way.
    skin.Set("btn", "pictureindex", "9");
    EXPECT_EQ(RunTool({QStringLiteral("check"), skin.Write()}).exitCode, 1);
    EXPECT_EQ(
        RunTool({QStringLiteral("check"), QStringLiteral("--strict"), skin.IniPath()}).exitCode, 1);
}

TEST_F(ZarvoSkinTool, CheckReportsEveryProblemOfABrokenSkinAndFails) {
    TSkinFixture skin = CompleteSkin(QStringLiteral("broken"));
    skin.RemoveSection("FORMINFO");
    skin.AddFile(QStringLiteral("a0.bmp"), QByteArray("BMgarbage"));
    skin.Set("PICTURES", "mask", "Skin.BMP")
        .Set("SKINOBJECTS", "count", QString::number(CompleteObjects + 2))
        .Set("SKINOBJECTS", QString::number(CompleteObjects), "nokind")
        .Set("SKINOBJECTS", QString::number(CompleteObjects + 1), "x:Caption")
        .Set("btn", "pictureindex", "5")
        .Set("btn", "skinrect", "a,b,c,d")
        .Set("btn", "activeskinrect", "1,x")
        .Set("close", "downrect", "100,5,130,20")
        .Set("SKINCONTROLS", "40", "late:panel");
    ToolRun run = RunTool({QStringLiteral("check"), skin.Write()});
    EXPECT_EQ(run.exitCode, 1);
    const QString out = run.out;
    EXPECT_TRUE(run.Has(QStringLiteral("error: missing section [FORMINFO] (a section counts only "
                                       "when it holds a key); the engine rejects the whole skin")))
        << out.toStdString();
    const QString bad = run.Find(QStringLiteral("error: [PICTURES] 0=a0.bmp: "), QString());
    EXPECT_TRUE(bad.contains(QStringLiteral("无效"))) << out.toStdString();
    const QString mask = run.Find(QStringLiteral("error: [PICTURES] mask=Skin.BMP: "), QString());
    EXPECT_TRUE(mask.contains(QStringLiteral("there is a file \"skin.bmp\""))) << out.toStdString();
    EXPECT_TRUE(run.Has(QStringLiteral("error: [SKINOBJECTS] %1=nokind: no \":\" between name "
                                       "and kind; the entry is skipped")
                            .arg(CompleteObjects)));
    EXPECT_TRUE(run.Has(QStringLiteral("error: [SKINOBJECTS] %1=x:Caption: unknown kind "
                                       "\"Caption\"; the entry is skipped (kinds are lower case: "
                                       "\"caption\")")
                            .arg(CompleteObjects + 1)));
    // Both bad values of one record are found, each naming its place.
    EXPECT_FALSE(run.Find(QStringLiteral("error: "), QStringLiteral("([btn] skinrect)")).isEmpty())
        << out.toStdString();
    EXPECT_FALSE(
        run.Find(QStringLiteral("error: "), QStringLiteral("([btn] activeskinrect)")).isEmpty());
    EXPECT_TRUE(run.Has(QStringLiteral("error: [SKINCONTROLS] record \"btn\" (button): "
                                       "pictureindex=5 is out of range (the skin has 2 active "
                                       "pictures)")));
    EXPECT_TRUE(run.Has(QStringLiteral("error: [SKINOBJECTS] record \"close\" (stdbutton): "
                                       "downrect=100,5,130,20 lies outside the skin picture "
                                       "(120 x 80)")))
        << out.toStdString();
    EXPECT_TRUE(run.Has(QStringLiteral("warning: [SKINCONTROLS] key \"40\" is past count %1; the "
                                       "entry is ignored")
                            .arg(SkinNames::ExpectedControls.size() + 1)))
        << out.toStdString();
    const QStringList lines = run.Lines();
    ASSERT_FALSE(lines.isEmpty());
    const QString summary = lines.last();
    EXPECT_TRUE(summary.startsWith(skin.IniPath() + QStringLiteral(": "))) << summary.toStdString();
    const auto errors = std::count_if(lines.begin(), lines.end(), [](const QString& l) {
        return l.startsWith(QLatin1String("error: "));
    });
    EXPECT_TRUE(summary.contains(QStringLiteral(": %1 errors, ").arg(errors)));

    // A compressed skin whose stream is damaged.
    const QString damaged = TestEnv::NewFolder() + QStringLiteral("/damaged.skn");
    TestEnv::WriteFile(damaged, QByteArray("\x01\0\0\0\x06\0\0\0\x78\x9c"
                                           "abcd",
                                           14));
    run = RunTool({QStringLiteral("check"), damaged});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.Lines().value(0).startsWith(QStringLiteral("error: compressed skin: ")))
        << run.out.toStdString();

    run = RunTool({QStringLiteral("check"), skin.Folder + QStringLiteral("/none.ini")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("error: ")));
}

TEST_F(ZarvoSkinTool, PackAndUnpackKeepTheSkinAsItWas) {
    TSkinFixture skin = TSkinFixture::Basic(QStringLiteral("packed"));
    skin.Set("SKINCONTROLS", "count", "3")
        .Set("SKINCONTROLS", "2", "combo:combobox")
        .Set("combo", "listboxname", "lb")
        .Set("combo", "fontname", QStringLiteral("宋体"));
    const QString ini = skin.Write();
    const ToolRun original = RunTool({QStringLiteral("dump"), ini});
    ASSERT_EQ(original.exitCode, 0) << original.err.toStdString();
    EXPECT_TRUE(original.Has(QStringLiteral("picture=skin.bmp (120 x 80)")));
    EXPECT_TRUE(original.Has(QStringLiteral("1=a1.bmp (20 x 10)")));
    EXPECT_TRUE(original.Has(QStringLiteral("skinname=测试皮肤")));
    EXPECT_TRUE(
        original.out.contains(QStringLiteral("[btn]\n; control 0: TbsDataSkinButtonControl\n"
                                             "pictureindex=1\nmaskpictureindex=-1\n"
                                             "skinrect=0,0,20,10\n")))
        << original.out.toStdString();
    EXPECT_TRUE(original.Has(QStringLiteral("fontstyle=fsbold")));
    EXPECT_TRUE(original.Has(QStringLiteral("fontname=宋体")));

    const QString work = TestEnv::NewFolder(QStringLiteral("pack"));
    const QString packed = work + QStringLiteral("/skin.skn");
    ToolRun run = RunTool({QStringLiteral("pack"), skin.Folder, packed});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(RunTool({QStringLiteral("dump"), packed}).out, original.out);
    EXPECT_EQ(RunTool({QStringLiteral("check"), packed}).exitCode, 0);

    const QString folder = work + QStringLiteral("/out/skin");
    run = RunTool({QStringLiteral("unpack"), packed, folder});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(TestEnv::ReadFile(folder + QStringLiteral("/skin.ini")), TestEnv::ReadFile(ini));
    EXPECT_EQ(RunTool({QStringLiteral("dump"), folder}).out, original.out);
    TBitmap picture;
    picture.LoadFromFile(folder + QStringLiteral("/a1.bmp"));
    EXPECT_TRUE(SamePixels(picture, FixturePicture(20, 10, 3)));

    // An existing skin.ini is kept unless asked.
    TestEnv::WriteFile(folder + QStringLiteral("/skin.ini"), "mine");
    run = RunTool({QStringLiteral("unpack"), packed, folder});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("give --force"))) << run.err.toStdString();
    EXPECT_EQ(TestEnv::ReadFile(folder + QStringLiteral("/skin.ini")), QByteArray("mine"));
    EXPECT_EQ(
        RunTool({QStringLiteral("unpack"), packed, folder, QStringLiteral("--force")}).exitCode, 0);
    EXPECT_EQ(TestEnv::ReadFile(folder + QStringLiteral("/skin.ini")), TestEnv::ReadFile(ini));

    // A skin without its sections is not packed.
    skin.RemoveSection("SKINOBJECTS");
    run = RunTool({QStringLiteral("pack"), skin.Write(), work + QStringLiteral("/none.skn")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("missing [SKINOBJECTS]"))) << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(work + QStringLiteral("/none.skn")));
    run = RunTool({QStringLiteral("dump"), skin.IniPath()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("rejected: missing [SKINOBJECTS]")));
}

TEST_F(ZarvoSkinTool, UnpackKeepsPicturesInsideTheTargetFolder) {
    TSkinFixture skin = TSkinFixture::Basic(QStringLiteral("escape"));
    const QString outside = QFileInfo(skin.Folder).path() + QStringLiteral("/escaped.bmp");
    FixturePicture(4, 4).SaveToFile(outside);
    skin.Set("PICTURES", "1", "../escaped.bmp");
    const QString packed = TestEnv::NewFolder() + QStringLiteral("/escape.skn");
    ASSERT_EQ(RunTool({QStringLiteral("pack"), skin.Write(), packed}).exitCode, 0);

    const QString target = TestEnv::NewFolder(QStringLiteral("target")) + QStringLiteral("/inner");
    const ToolRun run = RunTool({QStringLiteral("unpack"), packed, target});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("\"../escaped.bmp\" does not stay inside")))
        << run.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral("/skin.ini")));
}

TEST_F(ZarvoSkinTool, PictureWritesWhatTheEngineDecodes) {
    TSkinFixture skin(QStringLiteral("picture"));
    skin.AddPicture(QStringLiteral("p.bmp"), 13, 7, 4);
    const QString png = skin.Folder + QStringLiteral("/p.png");
    ToolRun run = RunTool({QStringLiteral("picture"), skin.Folder + QStringLiteral("/p.bmp"), png});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    TBitmap decoded;
    decoded.FromQImage(QImage(png));
    EXPECT_TRUE(SamePixels(decoded, FixturePicture(13, 7, 4)));

    skin.AddFile(QStringLiteral("bad.bmp"), QByteArray("BM\x10\0\0\0", 6));
    run = RunTool({QStringLiteral("picture"), skin.Folder + QStringLiteral("/bad.bmp"), png});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("bad.bmp”无效"))) << run.err.toStdString();
}

TEST_F(ZarvoSkinTool, UsageErrorsExitWithTwo) {
    const QStringList bad[] = {
        {},
        {QStringLiteral("inspect"), QStringLiteral("x")},
        {QStringLiteral("check")},
        {QStringLiteral("check"), QStringLiteral("--strict")},
        {QStringLiteral("pack"), QStringLiteral("a")},
        {QStringLiteral("unpack"), QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}};
    for (const QStringList& args : bad) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("zarvo-skin: "))) << run.err.toStdString();
        EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    // Each command takes only its own options.
    EXPECT_EQ(
        RunTool({QStringLiteral("dump"), QStringLiteral("--strict"), QStringLiteral("a")}).err,
        QStringLiteral("zarvo-skin: unknown option --strict (see zarvo-skin --help)\n"));
    EXPECT_EQ(
        RunTool({QStringLiteral("check"), QStringLiteral("--force"), QStringLiteral("a")}).exitCode,
        2);
    // A picture format it cannot write is refused before anything is read or written.
    const QString gif = TestEnv::NewFolder() + QStringLiteral("/out.gif");
    EXPECT_EQ(RunTool({QStringLiteral("picture"), QStringLiteral("missing.bmp"), gif}).exitCode, 2);
    EXPECT_FALSE(QFileInfo::exists(gif));

    const ToolRun help = RunTool({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: zarvo-skin check [--strict] PATH")));
    for (const char* option : {"--strict", "--force", "--help", "--version"})
        EXPECT_TRUE(help.out.contains(QString::fromLatin1(option))) << option;
    EXPECT_TRUE(
        RunTool({QStringLiteral("--version")}).out.startsWith(QStringLiteral("zarvo-skin ")));
}

TEST_F(ZarvoSkinTool, CheckCallsAFileWithoutAnySkinSectionNotASkin) {
    const QString folder = TestEnv::NewFolder(QStringLiteral("noskin"));
    const QString text = folder + QStringLiteral("/notes.ini");
    TestEnv::WriteFile(text, "[General]\r\nname=mine\r\n\r\nsome text\r\n");
    const QString binary = folder + QStringLiteral("/picture.png");
    TestEnv::WriteFile(binary, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff[\x01]", 21));
    for (const QString& path : {text, binary}) {
        const ToolRun run = RunTool({QStringLiteral("check"), path});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(
            run.Lines(),
            QStringList({QStringLiteral("error: %1 is not a skin: it has none of the sections "
                                        "[VERSION], [PICTURES], [FORMINFO], [SKINOBJECTS], "
                                        "[SKINCONTROLS]")
                             .arg(path),
                         path + QStringLiteral(": 1 error, 0 warnings")}))
            << run.out.toStdString();
    }
}

TEST_F(ZarvoSkinTool, MissingInputsAreReportedAsMissing) {
    const QString missing = TestEnv::NewFolder() + QStringLiteral("/missing.skn");
    const QString out = TestEnv::NewFolder();
    const QStringList commands[] = {
        {QStringLiteral("unpack"), missing, out + QStringLiteral("/skin")},
        {QStringLiteral("pack"), missing, out + QStringLiteral("/a.skn")},
        {QStringLiteral("dump"), missing},
        {QStringLiteral("picture"), missing, out + QStringLiteral("/a.png")}};
    for (const QStringList& args : commands) {
        const ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 1) << args[0].toStdString();
        EXPECT_EQ(run.err, QStringLiteral("zarvo-skin: %1 does not exist\n").arg(missing));
    }
    EXPECT_TRUE(QDir(out).isEmpty());
}

TEST_F(ZarvoSkinTool, WritingCommandsKeepExistingFilesUnlessForcedAndLeaveNoPartialFiles) {
    TSkinFixture skin = TSkinFixture::Basic(QStringLiteral("force"));
    skin.AddPicture(QStringLiteral("p.bmp"), 9, 5, 2);
    const QString ini = skin.Write();
    const QString work = TestEnv::NewFolder(QStringLiteral("force"));
    const QString packed = work + QStringLiteral("/skin.skn");
    const QString png = work + QStringLiteral("/p.png");
    const QString picture = skin.Folder + QStringLiteral("/p.bmp");
    const QStringList writes[] = {{QStringLiteral("pack"), ini, packed},
                                  {QStringLiteral("picture"), picture, png}};
    for (const QStringList& args : writes) {
        TestEnv::WriteFile(args[2], "mine");
        ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 1) << args[0].toStdString();
        EXPECT_EQ(
            run.err,
            QStringLiteral("zarvo-skin: %1 exists; give --force to overwrite\n").arg(args[2]));
        EXPECT_EQ(TestEnv::ReadFile(args[2]), QByteArray("mine"));
        run = RunTool(QStringList(args) << QStringLiteral("--force"));
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_NE(TestEnv::ReadFile(args[2]), QByteArray("mine"));
    }
    EXPECT_EQ(RunTool({QStringLiteral("dump"), packed}).out,
              RunTool({QStringLiteral("dump"), ini}).out);

    // A failed write leaves the old file, and no temporary file, behind.
    TestEnv::WriteFile(work + QStringLiteral("/bad.bmp"), QByteArray("BM\x10\0\0\0", 6));
    EXPECT_EQ(RunTool({QStringLiteral("picture"), work + QStringLiteral("/bad.bmp"), png,
                       QStringLiteral("--force")})
                  .exitCode,
              1);
    EXPECT_EQ(QImage(png).size(), QSize(9, 5));
    EXPECT_EQ(QDir(work).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("bad.bmp"), QStringLiteral("p.png"),
                           QStringLiteral("skin.skn")}));
}

TEST_F(ZarvoSkinTool, PictureWritesTheFormatItsExtensionNames) {
    TSkinFixture skin(QStringLiteral("formats"));
    skin.AddPicture(QStringLiteral("p.bmp"), 13, 7, 4);
    const QString source = skin.Folder + QStringLiteral("/p.bmp");
    const QString jpg = skin.Folder + QStringLiteral("/out.JPG");
    ASSERT_EQ(RunTool({QStringLiteral("picture"), source, jpg}).exitCode, 0);
    EXPECT_TRUE(TestEnv::ReadFile(jpg).startsWith(QByteArray("\xff\xd8\xff")));
    EXPECT_EQ(QImage(jpg).size(), QSize(13, 7));

    const QString bmp = skin.Folder + QStringLiteral("/out.bmp");
    ASSERT_EQ(RunTool({QStringLiteral("picture"), source, bmp}).exitCode, 0);
    TBitmap copy;
    copy.LoadFromFile(bmp);
    EXPECT_TRUE(SamePixels(copy, FixturePicture(13, 7, 4)));
}
