#include "platform/Paths.h"
#include "platform/Errors.h"

#include "common/TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <cerrno>
#include <gtest/gtest.h>

TEST(Paths, SettingsFileReplacesOrAppendsTheExtension) {
    EXPECT_EQ(Paths::SettingsFilePathFor("/opt/zarvo/zarvofx"), "/opt/zarvo/zarvofx.Ini");
    EXPECT_EQ(Paths::SettingsFilePathFor("/opt/zarvo/X.exe"), "/opt/zarvo/X.Ini");
    // A dot in a folder name or a leading dot is no extension.
    EXPECT_EQ(Paths::SettingsFilePathFor("/opt/z.d/zarvofx"), "/opt/z.d/zarvofx.Ini");
    EXPECT_EQ(Paths::SettingsFilePathFor("/opt/.zarvo"), "/opt/.zarvo.Ini");
    EXPECT_EQ(Paths::SettingsFilePath(), Paths::ExecutablePath() + ".Ini");
    EXPECT_EQ(Paths::ExtractFilePath("skins\\skin1\\skin.ini"), "skins/skin1/");
    EXPECT_EQ(Paths::ExtractFileName("skins\\skin1\\skin.ini"), "skin.ini");
    EXPECT_EQ(Paths::ExtractFileExt("a/b.c/snow"), "");
}

TEST(Paths, ResolvesRelativeNamesAgainstTheProgramFolder) {
    EXPECT_EQ(Paths::ProgramFolder(), QCoreApplication::applicationDirPath() + "/");
    const QString folder = TestEnv::NewFolder("program");
    Paths::SetProgramFolder(folder);
    EXPECT_EQ(Paths::ProgramFolder(), folder + "/");
    EXPECT_EQ(Paths::ResolveProgramPath("skins\\skin1\\skin.ini"),
              folder + "/skins/skin1/skin.ini");
    EXPECT_EQ(Paths::ResolveProgramPath("/etc\\hosts"), "/etc/hosts");
    EXPECT_EQ(Paths::ResolveProgramPath(""), "");
    EXPECT_EQ(Paths::SettingsFilePath(),
              folder + "/" + QCoreApplication::applicationFilePath().section('/', -1) + ".Ini");
    Paths::SetProgramFolder(QString());
    EXPECT_EQ(Paths::ProgramFolder(), QCoreApplication::applicationDirPath() + "/");
}

TEST(Paths, CurrentFolderChangesOrRaisesTheSystemError) {
    const QString before = Paths::GetCurrentDir();
    const QString folder = TestEnv::NewFolder("cwd");
    QDir(folder).mkdir("sub");
    Paths::SetCurrentDir(folder + "\\sub");
    EXPECT_EQ(Paths::GetCurrentDir(), QDir(folder + "/sub").canonicalPath());
    EXPECT_TRUE(Paths::DirectoryExists("."));
    try {
        Paths::SetCurrentDir(folder + "/missing");
        ADD_FAILURE() << "no error raised";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode, ENOENT);
        EXPECT_EQ(e.Message(), SysErrorMessage(ENOENT));
    }
    TestEnv::WriteFile(folder + "/file", "x");
    EXPECT_THROW(Paths::SetCurrentDir(folder + "/file"), EInOutError);
    EXPECT_THROW(Paths::SetCurrentDir(""), EInOutError);
    EXPECT_EQ(Paths::GetCurrentDir(), QDir(folder + "/sub").canonicalPath());
    EXPECT_TRUE(Paths::FileExists(folder + "\\file"));
    EXPECT_FALSE(Paths::FileExists(folder));
    EXPECT_FALSE(Paths::DirectoryExists(folder + "/file"));
    Paths::SetCurrentDir(before);
}
