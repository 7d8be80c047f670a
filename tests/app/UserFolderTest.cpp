#include "app/UserFolder.h"
#include "common/TestEnv.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// An installed library and a user's folder for it, with helpers to read and write effects.
class UserLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        installed = TestEnv::NewFolder(QStringLiteral("installed"));
        user = TestEnv::NewFolder(QStringLiteral("user")) + QStringLiteral("/zarvofx");
        QDir().mkpath(installed + "/data/时间特效系列");
        QDir().mkpath(installed + "/data/空的类别");
        Ship("时间特效系列/时钟", "clock 1");
        Ship("时间特效系列/日历", "calendar 1");
        Ship("文字特效系列/跑马灯", "marquee 1");
        TestEnv::WriteFile(installed + "/zarvotx.ini", "[zarvo]\n");
    }
    void Ship(const QString& name, const QByteArray& text) {
        TestEnv::WriteFile(installed + "/data/" + name, text);
    }
    void Edit(const QString& name, const QByteArray& text) {
        TestEnv::WriteFile(user + "/data/" + name, text);
    }
    QByteArray Mine(const QString& name) const { return TestEnv::ReadFile(user + "/data/" + name); }
    bool Have(const QString& name) const { return QFile::exists(user + "/data/" + name); }
    UserFolder::TLibraryUpdate Update() const {
        return UserFolder::UpdateLibrary(installed + "/data", user + "/data", Manifest());
    }
    QString Manifest() const { return user + "/" + UserFolder::ManifestName; }

    QString installed;
    QString user;
};

} // namespace

TEST_F(UserLibrary, FirstStartCopiesTheLibraryAndTheMarkerAndLaterStartsChangeNothing) {
    ASSERT_EQ(UserFolder::Prepare(installed, user), "");
    EXPECT_EQ(Mine("时间特效系列/时钟"), "clock 1");
    EXPECT_EQ(Mine("文字特效系列/跑马灯"), "marquee 1");
    EXPECT_TRUE(QDir(user + "/data/空的类别").exists());
    EXPECT_TRUE(QDir(user + "/zarvotemp").exists());
    EXPECT_EQ(TestEnv::ReadFile(user + "/zarvotx.ini"), "[zarvo]\n");
    const QByteArray manifest = TestEnv::ReadFile(Manifest());

    const UserFolder::TLibraryUpdate again = Update();
    EXPECT_EQ(again.added + again.updated + again.kept, 0);
    EXPECT_EQ(TestEnv::ReadFile(Manifest()), manifest);

    // A marker the user removed comes back from the installation; without one there, none.
    QFile::remove(user + "/zarvotx.ini");
    ASSERT_EQ(UserFolder::Prepare(installed, user), "");
    EXPECT_TRUE(QFile::exists(user + "/zarvotx.ini"));
    QFile::remove(user + "/zarvotx.ini");
    QFile::remove(installed + "/zarvotx.ini");
    ASSERT_EQ(UserFolder::Prepare(installed, user), "");
    EXPECT_FALSE(QFile::exists(user + "/zarvotx.ini"));
}

TEST_F(UserLibrary, AnUpgradeFollowsTheShippedEffectsAndLeavesTheUsersOwnAlone) {
    Update();
    Edit("时间特效系列/日历", "calendar, my version");
    QFile::remove(user + "/data/文字特效系列/跑马灯");
    Edit("时间特效系列/我的时钟", "my own");

    // The next version changes every shipped effect and adds one.
    Ship("时间特效系列/时钟", "clock 2");
    Ship("时间特效系列/日历", "calendar 2");
    Ship("文字特效系列/跑马灯", "marquee 2");
    Ship("文字特效系列/闪烁", "blink 1");
    const UserFolder::TLibraryUpdate update = Update();
    EXPECT_EQ(update.updated, 1);
    EXPECT_EQ(update.added, 1);
    EXPECT_EQ(update.kept, 2);
    EXPECT_EQ(update.error, "");

    EXPECT_EQ(Mine("时间特效系列/时钟"), "clock 2");
    EXPECT_EQ(Mine("文字特效系列/闪烁"), "blink 1");
    EXPECT_EQ(Mine("时间特效系列/日历"), "calendar, my version");
    EXPECT_FALSE(Have("文字特效系列/跑马灯"));
    EXPECT_EQ(Mine("时间特效系列/我的时钟"), "my own");

    // The edit stays the user's through later versions, the deletion too.
    Ship("时间特效系列/日历", "calendar 3");
    Ship("文字特效系列/跑马灯", "marquee 3");
    Update();
    EXPECT_EQ(Mine("时间特效系列/日历"), "calendar, my version");
    EXPECT_FALSE(Have("文字特效系列/跑马灯"));

    // An edit that happens to match the new shipped text is shipped again from then on.
    Edit("时间特效系列/日历", "calendar 3");
    Update();
    Ship("时间特效系列/日历", "calendar 4");
    Update();
    EXPECT_EQ(Mine("时间特效系列/日历"), "calendar 4");
}

TEST_F(UserLibrary, AMissingOrDamagedManifestNeverCostsAUsersFile) {
    Update();
    Edit("时间特效系列/时钟", "my clock");
    QFile::remove(user + "/data/时间特效系列/日历");
    Ship("文字特效系列/跑马灯", "marquee 2");

    for (const QByteArray& damage :
         {QByteArray(), QByteArray("\xff\xfe garbage\n0123 short/hash\n"),
          TestEnv::ReadFile(Manifest()).left(100)}) {
        TestEnv::WriteFile(Manifest(), damage);
        const UserFolder::TLibraryUpdate update = Update();
        EXPECT_EQ(update.error, "");
        EXPECT_EQ(Mine("时间特效系列/时钟"), "my clock");
        // Unknown now: the old shipped text counts as the user's, a deleted one returns.
        EXPECT_EQ(Mine("文字特效系列/跑马灯"), "marquee 1");
        EXPECT_EQ(Mine("时间特效系列/日历"), "calendar 1");
    }
    QFile::remove(Manifest());
    Update();
    EXPECT_EQ(Mine("时间特效系列/时钟"), "my clock");
    EXPECT_TRUE(QFile::exists(Manifest()));
}

TEST_F(UserLibrary, ALinkOrFolderAtAShippedNameIsTheUsers) {
    Update();
    const QString outside = TestEnv::NewFolder("outside") + "/target";
    TestEnv::WriteFile(outside, "clock 1");
    QFile::remove(user + "/data/时间特效系列/时钟");
    ASSERT_EQ(::symlink(QFile::encodeName(outside).constData(),
                        QFile::encodeName(user + "/data/时间特效系列/时钟").constData()),
              0);
    QFile::remove(user + "/data/时间特效系列/日历");
    QDir().mkpath(user + "/data/时间特效系列/日历");
    Ship("时间特效系列/时钟", "clock 2");
    Ship("时间特效系列/日历", "calendar 2");
    Update();
    EXPECT_TRUE(QFileInfo(user + "/data/时间特效系列/时钟").isSymLink());
    EXPECT_EQ(TestEnv::ReadFile(outside), "clock 1");
    EXPECT_TRUE(QFileInfo(user + "/data/时间特效系列/日历").isDir());
}

TEST(UserProgramFolder, FollowsXdgDataHomeAndAnInstallationMarkedPerUser) {
    const QByteArray home = qgetenv("HOME");
    qputenv("XDG_DATA_HOME", "/srv/data");
    EXPECT_EQ(Paths::UserProgramFolder(), "/srv/data/zarvofx/");
    qputenv("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(Paths::UserProgramFolder(), QString(home) + "/.local/share/zarvofx/");
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(Paths::UserProgramFolder(), QString(home) + "/.local/share/zarvofx/");

    const QString folder = TestEnv::NewFolder("inst");
    EXPECT_FALSE(Paths::UsesUserFolder(folder));
    TestEnv::WriteFile(folder + "/" + Paths::PerUserMarkName, "");
    EXPECT_TRUE(Paths::UsesUserFolder(folder));
    if (::geteuid() != 0) { // root may write everywhere
        const QString readOnly = TestEnv::NewFolder("ro");
        QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_TRUE(Paths::UsesUserFolder(readOnly));
    }

    // A test's own installation: resources from there, writes into the user's folder.
    Paths::SetProgramFolder(folder + "/user");
    Paths::SetInstalledFolder(folder);
    EXPECT_EQ(Paths::ResolveProgramPath("skins\\skin1\\skin.ini"),
              folder + "/skins/skin1/skin.ini");
    EXPECT_EQ(Paths::SettingsFilePath().left(folder.size() + 6), folder + "/user/");
    Paths::SetProgramFolder(QString());
    EXPECT_EQ(Paths::InstalledFolder(), Paths::ProgramFolder());
}
