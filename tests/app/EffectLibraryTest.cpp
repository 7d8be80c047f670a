#include "app/EffectLibrary.h"
#include "app/ZarvoSettings.h"
#include "common/TestEnv.h"
#include "framework/Exceptions.h"
#include "platform/Paths.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace EffectLibrary;

namespace {

// A program folder of its own for each test, so settings files never meet.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = TestEnv::NewFolder(QStringLiteral("prog"));
        Paths::SetProgramFolder(folder);
    }
    void TearDown() override { Paths::SetProgramFolder(QString()); }
    QString folder;
};

using EffectLibraryPaths = ProgramFolderTest;
using Settings = ProgramFolderTest;

} // namespace

TEST(EffectLibraryRules, CategoriesMatchExactlyAndThePromptIsNoCategory) {
    ASSERT_EQ(Categories().size(), 15);
    EXPECT_EQ(Categories().first(), QStringLiteral("更新特效"));
    EXPECT_EQ(Categories().last(), QStringLiteral("状态栏特效系列"));
    EXPECT_TRUE(IsCategory(QStringLiteral("Cookie脚本")));
    EXPECT_FALSE(IsCategory(QStringLiteral("cookie脚本")));
    EXPECT_FALSE(IsCategory(QStringLiteral("窗口特效")));
    EXPECT_FALSE(IsCategory(CategoryPrompt()));
}

TEST(CategoryTyping, TheBeginningOfANameWaitsAndAWrongTextIsRefusedOncePerEntry) {
    using V = CategoryEntry::Verdict;
    CategoryEntry entry;
    const QString name = QStringLiteral("时间特效系列");
    for (int n = 1; n < name.size(); ++n)
        EXPECT_EQ(entry.TextChanged(name.left(n)), V::Wait) << n;
    EXPECT_EQ(entry.TextChanged(name), V::List);
    // Latin and lower case: "C" begins "Cookie脚本", "c" begins nothing.
    EXPECT_EQ(entry.TextChanged(QStringLiteral("C")), V::Wait);
    EXPECT_EQ(entry.TextChanged(QStringLiteral("c")), V::Refuse);
    EXPECT_EQ(entry.TextChanged(QStringLiteral("co")), V::Wait) << "the same wrong entry";
    EXPECT_EQ(entry.TextChanged(QString()), V::Wait);
    EXPECT_EQ(entry.TextChanged(QStringLiteral("黑x")), V::Refuse) << "a new wrong entry";
    EXPECT_EQ(entry.Left(QStringLiteral("黑x")), V::Wait) << "refused already";
    EXPECT_EQ(entry.EnterPressed(QStringLiteral("黑x")), V::Refuse) << "Enter asks again";

    // Enter or leaving with only the beginning of a name refuses it; the prompt, an empty box
    // and a complete name never are.
    EXPECT_EQ(entry.TextChanged(QStringLiteral("黑")), V::Wait);
    EXPECT_EQ(entry.Left(QStringLiteral("黑")), V::Refuse);
    EXPECT_EQ(entry.TextChanged(QStringLiteral("窗")), V::Wait);
    EXPECT_EQ(entry.EnterPressed(QStringLiteral("窗")), V::Refuse);
    for (const QString& text : {CategoryPrompt(), QString(), QStringLiteral("Cookie脚本")}) {
        EXPECT_NE(entry.TextChanged(text), V::Refuse);
        EXPECT_EQ(entry.EnterPressed(text), V::Wait);
        EXPECT_EQ(entry.Left(text), V::Wait);
    }
}

TEST(EffectLibraryRules, AddChecksRunInOrderAndCountAnsiBytes) {
    const QString cat = Categories().at(1);
    EXPECT_EQ(AddEffectProblem(CategoryPrompt(), QString(), 0), CategoryPrompt());
    EXPECT_EQ(AddEffectProblem(cat, QStringLiteral("a"), 5),
              QStringLiteral("特效名称必须要2个字符以上"));
    EXPECT_EQ(AddEffectProblem(cat, QStringLiteral("雪"), 0),
              QStringLiteral("特效代码必须在1行以上"));
    EXPECT_TRUE(AddEffectProblem(cat, QStringLiteral("雪"), 1).isEmpty());
    EXPECT_TRUE(AddEffectProblem(cat, QStringLiteral("ab"), 1).isEmpty());
    // Blanks around the name do not count.
    EXPECT_EQ(AddEffectProblem(cat, QStringLiteral("   "), 1),
              QStringLiteral("特效名称必须要2个字符以上"));
    EXPECT_EQ(AddEffectProblem(cat, QStringLiteral(" a\t"), 1),
              QStringLiteral("特效名称必须要2个字符以上"));
    EXPECT_EQ(TrimmedEffectName(QStringLiteral("  雪花 \t")), QStringLiteral("雪花"));
    // The category text is not held to the fifteen names.
    EXPECT_TRUE(AddEffectProblem(QStringLiteral("自选"), QStringLiteral("ab"), 1).isEmpty());
}

TEST(EffectLibraryRules, ProtectedNamesAreExactAndSavedPagesAlwaysGetHtm) {
    EXPECT_TRUE(IsProtectedEffect(QStringLiteral("zarvo网页特效")));
    EXPECT_TRUE(IsProtectedEffect(QStringLiteral("软件说明")));
    EXPECT_FALSE(IsProtectedEffect(QStringLiteral("Zarvo网页特效")));
    EXPECT_FALSE(IsProtectedEffect(QString()));
    EXPECT_EQ(SavedPagePath(QStringLiteral("/tmp/abc")), QStringLiteral("/tmp/abc.htm"));
    EXPECT_EQ(SavedPagePath(QStringLiteral("/tmp/abc.htm")), QStringLiteral("/tmp/abc.htm.htm"));
}

TEST_F(EffectLibraryPaths, NamesThatWouldLeaveTheLibraryAreRefused) {
    EXPECT_EQ(NewEffectPath(QStringLiteral("时间特效系列"), QStringLiteral("时钟")),
              Paths::ProgramFolder() + QStringLiteral("data/时间特效系列/时钟"));
    EXPECT_TRUE(Paths::ProgramFolder().startsWith(folder));
    for (const QString& bad : {QStringLiteral("../x"), QStringLiteral(".."), QStringLiteral("."),
                               QStringLiteral("/etc/passwd"), QStringLiteral("a\\b"),
                               QStringLiteral(".hidden"), QStringLiteral("a\nb"), QString()}) {
        EXPECT_THROW(NewEffectPath(QStringLiteral("时间特效系列"), bad), EFCreateError)
            << bad.toStdString();
        EXPECT_THROW(NewEffectPath(bad, QStringLiteral("时钟")), EFCreateError)
            << bad.toStdString();
    }
    EXPECT_TRUE(IsSafeName(QStringLiteral("a..b")));
}

TEST_F(Settings, FreshInstallationReadsDefaultsAndChangesAreWrittenAtOnce) {
    EXPECT_TRUE(ZarvoSettings::SkinPath().isEmpty());
    EXPECT_TRUE(ZarvoSettings::Music().isEmpty());
    EXPECT_FALSE(ZarvoSettings::ShowPanelEnabled());
    EXPECT_FALSE(ZarvoSettings::HidePanelEnabled());
    EXPECT_FALSE(QFile::exists(ZarvoSettings::FilePath()));

    ZarvoSettings::SetSkinPath(QStringLiteral("skins\\skin3\\skin.ini"));
    ZarvoSettings::RecordPanelHidden(true);
    const QByteArray text = TestEnv::ReadFile(ZarvoSettings::FilePath());
    EXPECT_TRUE(text.contains("Skins=skins\\skin3\\skin.ini")) << text.constData();
    EXPECT_TRUE(text.contains("yincang=1"));
    EXPECT_TRUE(text.contains("xianshi=0"));
    EXPECT_TRUE(ZarvoSettings::ShowPanelEnabled());
    EXPECT_FALSE(ZarvoSettings::HidePanelEnabled());

    ZarvoSettings::SetMusic(QStringLiteral("/music/a.mp3"));
    EXPECT_EQ(ZarvoSettings::Music(), QStringLiteral("/music/a.mp3"));
    ZarvoSettings::DeleteMusic();
    EXPECT_FALSE(TestEnv::ReadFile(ZarvoSettings::FilePath()).contains("music="));
}

TEST_F(Settings, PanelKeysThatAreNotNumbersReadAsFalse) {
    TestEnv::WriteFile(ZarvoSettings::FilePath(),
                       "garbage line\r\n[zhuangtailan]\r\nyincang=ja\r\nxianshi=2\r\n");
    EXPECT_FALSE(ZarvoSettings::ShowPanelEnabled());
    EXPECT_TRUE(ZarvoSettings::HidePanelEnabled());
}

TEST(RegistryFlags, ExistenceIsTheSettingAndSurvivesReopening) {
    using ZarvoSettings::Flag;
    EXPECT_FALSE(ZarvoSettings::FlagSet(Flag::StayOnTop));
    ZarvoSettings::SetFlag(Flag::StayOnTop, true);
    EXPECT_TRUE(ZarvoSettings::FlagSet(Flag::StayOnTop));
    EXPECT_FALSE(ZarvoSettings::FlagSet(Flag::AskBeforeExit));
    ZarvoSettings::SetFlag(Flag::StayOnTop, true); // creating twice is harmless
    ZarvoSettings::SetFlag(Flag::StayOnTop, false);
    EXPECT_FALSE(ZarvoSettings::FlagSet(Flag::StayOnTop));
    ZarvoSettings::SetFlag(Flag::AskBeforeExit, false); // deleting a missing key is not reported
}
