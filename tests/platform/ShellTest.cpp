#include "platform/Shell.h"
#include "platform/Paths.h"
#include "platform/RegistryStore.h"

#include "common/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {
using Kind = Shell::LaunchPlan::Kind;

// A program folder and a search path of fake programs, so no real program is found.
class ShellPlan : public ::testing::Test {
protected:
    void SetUp() override {
        FSavedPath = qgetenv("PATH");
        FProgram = TestEnv::NewFolder("program");
        FBin = TestEnv::NewFolder("bin");
        qputenv("PATH", FBin.toUtf8());
        Paths::SetProgramFolder(FProgram);
    }
    void TearDown() override {
        qputenv("PATH", FSavedPath);
        Paths::SetProgramFolder(QString());
    }
    QString AddProgram(const QString& path) {
        TestEnv::WriteFile(path, "#!/bin/sh\n");
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    QByteArray FSavedPath;
    QString FProgram;
    QString FBin;
};
} // namespace

TEST_F(ShellPlan, WindowsProgramsMapToDesktopOnes) {
    // Without an editor a given file opens with its associated program.
    EXPECT_EQ(Shell::PlanCommandLine("notepad.exe").Action, Kind::Nothing);
    EXPECT_EQ(Shell::PlanCommandLine("notepad.exe /tmp/a.txt").Url,
              QUrl::fromLocalFile("/tmp/a.txt"));
    const QString editor = AddProgram(FBin + "/mousepad");
    AddProgram(FBin + "/xedit"); // later in the preference list
    auto plan = Shell::PlanCommandLine("NOTEPAD.EXE \"my notes\\a.txt\"");
    EXPECT_EQ(plan.Action, Kind::RunProgram);
    EXPECT_EQ(plan.Program, editor);
    EXPECT_EQ(plan.Arguments, QStringList({"my notes/a.txt"}));

    plan = Shell::PlanCommandLine("regedit.exe");
    EXPECT_EQ(plan.Action, Kind::OpenUrl);
    EXPECT_EQ(plan.Url, QUrl::fromLocalFile(RegistryStore::DefaultRootFolder()));
    EXPECT_EQ(plan.EnsureFolder, RegistryStore::DefaultRootFolder());
    EXPECT_EQ(Shell::PlanCommandLine("explorer.exe").Url, QUrl::fromLocalFile(QDir::homePath()));
}

TEST_F(ShellPlan, HelpFileOpensInAViewerOrAsHtml) {
    EXPECT_EQ(Shell::PlanCommandLine("hh.exe help.chm").Url,
              QUrl::fromLocalFile(FProgram + "/help.chm"));
    TestEnv::WriteFile(FProgram + "/help.htm", "<html></html>");
    EXPECT_EQ(Shell::PlanCommandLine("hh.exe help.chm").Url,
              QUrl::fromLocalFile(FProgram + "/help.htm"));
    TestEnv::WriteFile(FProgram + "/help.chm", "ITSF");
    const QString viewer = AddProgram(FBin + "/xchm");
    const auto plan = Shell::PlanCommandLine("hh.exe help.chm");
    EXPECT_EQ(plan.Action, Kind::RunProgram);
    EXPECT_EQ(plan.Program, viewer);
    EXPECT_EQ(plan.Arguments, QStringList({FProgram + "/help.chm"}));
}

TEST_F(ShellPlan, InstalledProgramsRunFromTheProgramFolder) {
    const QString picker = AddProgram(FProgram + "/zarvo/gongju/quse.exe");
    EXPECT_EQ(Shell::PlanCommandLine("zarvo/gongju/quse.exe").Program, picker);
    EXPECT_EQ(Shell::PlanCommandLine("zarvo\\gongju\\quse.exe").Program, picker);
    const QString updater = AddProgram(FProgram + "/gengxin");
    EXPECT_EQ(Shell::PlanCommandLine("gengxin.exe").Program, updater);
    const QString onPath = AddProgram(FBin + "/tool");
    EXPECT_EQ(Shell::PlanCommandLine("tool.exe -x").Program, onPath);
    EXPECT_EQ(Shell::PlanCommandLine("tool.exe -x").Arguments, QStringList({"-x"}));
    EXPECT_EQ(Shell::PlanCommandLine("missing.exe").Action, Kind::Nothing);
    EXPECT_FALSE(Shell::RunCommandLine("missing.exe"));
    EXPECT_FALSE(Shell::RunCommandLine(""));

    EXPECT_EQ(Shell::PlanShellOpen("https://example.org/a?b=1").Url,
              QUrl("https://example.org/a?b=1"));
    EXPECT_EQ(Shell::PlanShellOpen("mailto:maker@example.org").Url.scheme(), "mailto");
    EXPECT_EQ(Shell::PlanShellOpen(picker).Url, QUrl::fromLocalFile(picker));
}

TEST(Shell, ClearingRecentDocumentsLeavesAValidEmptyList) {
    const QString data = TestEnv::NewFolder("data");
    const TestEnv::ScopedEnv dataHome("XDG_DATA_HOME", data.toUtf8());
    ASSERT_EQ(Shell::RecentDocumentsFile(), data + "/recently-used.xbel");
    TestEnv::WriteFile(data + "/recently-used.xbel",
                       "<?xml version=\"1.0\"?><xbel version=\"1.0\"><bookmark "
                       "href=\"file:///tmp/a.htm\"/></xbel>");
    ASSERT_TRUE(Shell::ClearRecentDocuments());
    QXmlStreamReader xml(TestEnv::ReadFile(data + "/recently-used.xbel"));
    QStringList elements;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement)
            elements << xml.name().toString();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(elements, QStringList({"xbel"}));
}

TEST_F(ShellPlan, NothingFailsSilentlyAndTheReasonNamesWhatIsMissing) {
    QStringList reasons;
    auto record = [&](const QString& reason) { reasons << reason; };

    // No opener and no browser, mail program or file manager on the search path.
    EXPECT_FALSE(Shell::ShellOpen("https://example.org/", record));
    EXPECT_FALSE(Shell::ShellOpen("mailto:maker@example.org", record));
    EXPECT_FALSE(Shell::RunCommandLine("explorer.exe", record));
    EXPECT_FALSE(Shell::RunCommandLine("notepad.exe", record));
    EXPECT_FALSE(Shell::RunCommandLine("gengxin.exe", record));
    ASSERT_EQ(reasons.size(), 5);
    EXPECT_TRUE(reasons[0].startsWith(QStringLiteral("找不到网页浏览器")))
        << reasons[0].toStdString();
    EXPECT_TRUE(reasons[0].contains("https://example.org/"));
    EXPECT_TRUE(reasons[1].startsWith(QStringLiteral("找不到邮件程序")));
    EXPECT_TRUE(reasons[2].startsWith(QStringLiteral("找不到文件管理器")));
    EXPECT_TRUE(reasons[3].startsWith(QStringLiteral("找不到文本编辑器")));
    EXPECT_EQ(reasons[4], QStringLiteral("找不到程序 gengxin，请您重新安装本软件。"));

    // Without the desktop's opener a browser found on the path takes the address itself.
    const QString browser = AddProgram(FBin + "/chromium");
    const Shell::LaunchPlan page = Shell::PlanShellOpen("https://example.org/");
    EXPECT_TRUE(Shell::CanLaunch(page));
    EXPECT_EQ(Shell::OpenerCommand(page), QStringList({browser, "https://example.org/"}));
    EXPECT_FALSE(Shell::CanLaunch(Shell::PlanShellOpen("mailto:maker@example.org")));
}

TEST_F(ShellPlan, AnOpenerThatFindsNoProgramIsReportedWhenItEnds) {
    const QString opener = FBin + "/xdg-open";
    TestEnv::WriteFile(opener, "#!/bin/sh\necho \"$1\" > \"$0.args\"\nexit 3\n");
    QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QStringList reasons;
    const QString file = FProgram + "/page.htm";
    TestEnv::WriteFile(file, "<p>x</p>");
    ASSERT_TRUE(Shell::ShellOpen(file, [&](const QString& reason) { reasons << reason; }));
    TestEnv::WaitFor([&] { return !reasons.isEmpty(); }, 2000);
    ASSERT_EQ(reasons.size(), 1);
    EXPECT_EQ(reasons[0],
              QStringLiteral("没有能打开 %1 的网页浏览器（xdg-open 报告错误 3）。").arg(file));
    EXPECT_EQ(TestEnv::ReadFile(opener + ".args"), (file + "\n").toUtf8());

    // An opener that succeeds says nothing.
    TestEnv::WriteFile(opener, "#!/bin/sh\nexit 0\n");
    reasons.clear();
    ASSERT_TRUE(Shell::ShellOpen(file, [&](const QString& reason) { reasons << reason; }));
    TestEnv::Pump(300);
    EXPECT_TRUE(reasons.isEmpty());
}
