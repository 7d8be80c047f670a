// The taskbar items, the external programs (their planned command lines, and one real start
// each through recording stand-ins on PATH), clearing the recent documents, the calendar
// plug-in, the updater and the maker's pages.

#include "DesktopFixture.h"

#include "app/HelpWindow.h"
#include "app/PreviewSetup.h"
#include "framework/IniFiles.h"
#include "framework/Menus.h"
#include "platform/RegistryStore.h"
#include "platform/Shell.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace {

bool LibraryMapped() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libzarvownl.so");
}

// Programs that record how they were started: one line "<name> <arguments>" each in the
// record file. They stand first on PATH while the object lives.
// With `alone`, nothing else is on PATH: a desktop without any browser, editor or opener.
class RecordingPath {
public:
    explicit RecordingPath(bool alone = false)
        : FFolder(TestEnv::NewFolder(QStringLiteral("bin"))) {
        FRecord = FFolder + "/record.txt";
        FOldPath = qgetenv("PATH");
        qputenv("PATH", alone ? FFolder.toUtf8() : (FFolder + ":").toUtf8() + FOldPath);
    }
    ~RecordingPath() { qputenv("PATH", FOldPath); }

    QString Add(const QString& name) {
        const QString path = FFolder + "/" + name;
        TestEnv::WriteFile(path, "#!/bin/sh\necho \"" + name.toUtf8() + " $*\" >> '" +
                                     FRecord.toUtf8() + "'\n");
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
        return path;
    }
    // Waits a while for `count` lines.
    QStringList Lines(int count) const {
        QElapsedTimer timer;
        timer.start();
        QStringList lines;
        while (timer.elapsed() < 5000) {
            lines = QString::fromUtf8(TestEnv::ReadFile(FRecord)).split('\n', Qt::SkipEmptyParts);
            if (lines.size() >= count)
                break;
            QThread::msleep(20);
        }
        return lines;
    }

private:
    QString FFolder;
    QString FRecord;
    QByteArray FOldPath;
};

class DesktopTools : public DesktopFixture {};

QString IniValue(const QString& key) {
    return TIniFile(ZarvoSettings::FilePath())
        .ReadString(QStringLiteral("zhuangtailan"), key, QStringLiteral("(none)"));
}

} // namespace

TEST_F(DesktopTools, HideThenShowThePanelWritesBothKeysAndSwapsTheItems) {
    ZarvoSettings::RecordPanelHidden(false);
    TForm1* form = Start();
    EXPECT_FALSE(form->N6->Enabled());
    EXPECT_TRUE(form->N7->Enabled());
    form->N7->Click();
    EXPECT_EQ(IniValue("yincang"), "1");
    EXPECT_EQ(IniValue("xianshi"), "0");
    EXPECT_TRUE(form->N6->Enabled());
    EXPECT_FALSE(form->N7->Enabled());
    form->N6->Click();
    EXPECT_EQ(IniValue("yincang"), "0");
    EXPECT_EQ(IniValue("xianshi"), "1");
    EXPECT_FALSE(form->N6->Enabled());
    EXPECT_TRUE(form->N7->Enabled());
    Stop();
    form = Start();
    EXPECT_FALSE(form->N6->Enabled());
    EXPECT_TRUE(form->N7->Enabled());
    EXPECT_TRUE(messages.empty());
}

TEST_F(DesktopTools, WithoutTheKeysBothTaskbarItemsStayDisabled) {
    TForm1* form = Start();
    EXPECT_FALSE(form->N6->Enabled());
    EXPECT_FALSE(form->N7->Enabled());
    EXPECT_EQ(IniValue("yincang"), "(none)");
}

TEST_F(DesktopTools, CommandLinesPlanTheDesktopPrograms) {
    RecordingPath path;
    const QString editor = path.Add(QStringLiteral("gnome-text-editor"));
    Install(QStringLiteral("zarvo"));
    Install(QStringLiteral("gengxin"));
    TestEnv::WriteFile(folder + "help.htm", "<html></html>");

    Shell::LaunchPlan plan = Shell::PlanCommandLine(TForm1::NotepadCommand());
    EXPECT_EQ(plan.Action, Shell::LaunchPlan::Kind::RunProgram);
    EXPECT_EQ(plan.Program, editor);
    plan = Shell::PlanCommandLine(TForm1::RegeditCommand());
    EXPECT_EQ(plan.Url, QUrl::fromLocalFile(RegistryStore::DefaultRootFolder()));
    plan = Shell::PlanCommandLine(TForm1::ExplorerCommand());
    EXPECT_EQ(plan.Url, QUrl::fromLocalFile(QDir::homePath()));
    plan = Shell::PlanCommandLine(TForm1::ColourPickerCommand());
    EXPECT_EQ(plan.Action, Shell::LaunchPlan::Kind::RunProgram);
    EXPECT_EQ(QFileInfo(plan.Program).canonicalFilePath(),
              QFileInfo(ZARVO_PROGRAM_DIR "/zarvo/gongju/quse").canonicalFilePath());
    plan = Shell::PlanCommandLine(TForm1::UpdaterCommand());
    EXPECT_EQ(QFileInfo(plan.Program).canonicalFilePath(),
              QFileInfo(ZARVO_PROGRAM_DIR "/gengxin").canonicalFilePath());
    plan = Shell::PlanCommandLine(TForm1::HelpCommand());
    EXPECT_EQ(plan.Url, QUrl::fromLocalFile(folder + "help.htm"));
}

// Programs run here; folders, help pages and addresses go to the desktop's URL handler,
// which the on-screen tests check (the offscreen platform has none).
TEST_F(DesktopTools, EachProgramToolStartsItsProgramOnce) {
    RecordingPath path;
    path.Add(QStringLiteral("gnome-text-editor"));
    // The installation's own programs, replaced by recorders in this program folder.
    QDir().mkpath(folder + "zarvo/gongju");
    const QString picker = folder + "zarvo/gongju/quse";
    QFile::copy(path.Add(QStringLiteral("quse")), picker);
    QFile::setPermissions(picker, QFile::permissions(picker) | QFileDevice::ExeOwner);
    TForm1* form = Start();
    form->N9->Click();
    form->T2->Click();
    const QStringList lines = path.Lines(2);
    EXPECT_TRUE(lines.contains(QStringLiteral("gnome-text-editor ")))
        << lines.join('|').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral("quse "))) << lines.join('|').toStdString();
    EXPECT_TRUE(messages.empty());
}

TEST_F(DesktopTools, AMissingProgramOrBrowserIsReportedByName) {
    RecordingPath nothing(true);
    TForm1* form = Start();
    form->T2->Click();
    form->N9->Click();
    form->N28->Click();
    form->L1->Click();
    ASSERT_EQ(messages.size(), 4u) << MessageTexts().join('|').toStdString();
    EXPECT_EQ(messages[0].Text,
              QStringLiteral("找不到程序 zarvo/gongju/quse，请您重新安装本软件。"));
    EXPECT_TRUE(messages[1].Text.startsWith(QStringLiteral("找不到文本编辑器")));
    EXPECT_TRUE(messages[2].Text.startsWith(QStringLiteral("找不到网页浏览器")));
    EXPECT_TRUE(messages[2].Text.contains(MakerInfo::HomePage()));
    EXPECT_TRUE(messages[3].Text.startsWith(QStringLiteral("找不到邮件程序")));
    for (const TMessageBoxRequest& message : messages)
        EXPECT_EQ(message.Icon, TMessageBoxIcon::Error);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(DesktopTools, WithoutABrowserTheGuideOpensInTheProgramsOwnWindow) {
    PreparePreviewProcess(); // the engine's sandbox and graphics for this machine
    RecordingPath nothing(true);
    TForm1* form = Start();
    // No guide installed: said so.
    form->N31->Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.startsWith(QStringLiteral("找不到帮助文件")));
    EXPECT_EQ(form->HelpWindow(), nullptr);

    TestEnv::WriteFile(folder + "help.htm", "<html><body>guide</body></html>");
    messages.clear();
    for (TMenuItem* item : {form->N31, form->N46, form->winexechhexehelpchm91})
        item->Click();
    EXPECT_TRUE(messages.empty()) << MessageTexts().join('|').toStdString();
    THelpWindow* help = form->HelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->Text(), QStringLiteral("zarvo网页特效帮助"));
    EXPECT_EQ(help->BorderStyle(), bsSizeable);
    EXPECT_FALSE(help->isModal());
    EXPECT_EQ(help->WebBrowser1->NavigationCount(), 1) << "one window, one navigation";
}

TEST_F(DesktopTools, MakerPagesAreOneTableAndDonationShowsItsNoticeFirst) {
    const QStringList pages = {MakerInfo::HomePage(),      MakerInfo::ForumPage(),
                               MakerInfo::UpdatePage(),    MakerInfo::MailLink(),
                               MakerInfo::PromotionPage(), MakerInfo::BlogPage()};
    for (const QString& page : pages)
        EXPECT_EQ(Shell::PlanShellOpen(page).Url, QUrl(page));
    EXPECT_TRUE(MakerInfo::MailLink().startsWith(QStringLiteral("mailto:")));
    EXPECT_TRUE(MakerInfo::WelcomeText().endsWith(MakerInfo::HomePage()));

    TForm1* form = Start();
    form->N52->Click();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Information);
    const QString notice = messages[0].Text;
    EXPECT_TRUE(notice.startsWith(QStringLiteral("〖捐助说明〗\r\r")));
    EXPECT_TRUE(notice.contains(MakerInfo::DonationPage()));
    EXPECT_FALSE(notice.contains(QRegularExpression(QStringLiteral("\\d{8,}"))))
        << "no account numbers";
}

TEST_F(DesktopTools, ClearingRecentDocumentsEmptiesTheListAndSaysSo) {
    const QString list = Shell::RecentDocumentsFile();
    TestEnv::WriteFile(list, "<xbel><bookmark href=\"file:///tmp/secret.txt\"/></xbel>");
    TForm1* form = Start();
    form->N14->Click();
    EXPECT_FALSE(TestEnv::ReadFile(list).contains("secret"));
    EXPECT_TRUE(TestEnv::ReadFile(list).contains("<xbel"));
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("完成清理")});
}

TEST_F(DesktopTools, CalendarLoadsAndUnloadsForEveryOpening) {
    Install(QStringLiteral("libzarvownl.so"));
    Install(QStringLiteral("libzarvownl.so.2"));
    Install(QStringLiteral("libzarvownl.so.2.0.0"));
    TForm1* form = Start();
    int windows = 0;
    QTimer closer;
    closer.setInterval(20);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (QWidget* calendar = QApplication::activeModalWidget()) {
            ++windows;
            EXPECT_TRUE(LibraryMapped());
            EXPECT_EQ(calendar->windowTitle(), QStringLiteral("zarvo万年历"));
            calendar->close();
        }
    });
    closer.start();
    for (int opening = 1; opening <= 2; ++opening) {
        form->Q1->Click();
        EXPECT_EQ(windows, opening);
        EXPECT_FALSE(LibraryMapped()) << "unloaded after opening " << opening;
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(DesktopTools, MissingCalendarLibraryIsReportedAndTheProgramGoesOn) {
    TForm1* form = Start();
    form->Q1->Click();
    ASSERT_EQ(MessageTexts(),
              QStringList{QStringLiteral("对不起！zarvo万年历的插件不存在！请您重新安装本软件！")});
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Error);
    EXPECT_FALSE(LibraryMapped());
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(DesktopTools, UpdaterStartsThenAsksAndNoKeepsTheProgramRunning) {
    RecordingPath path;
    QFile::copy(path.Add(QStringLiteral("gengxin")), folder + "gengxin");
    QFile::setPermissions(folder + "gengxin",
                          QFile::permissions(folder + "gengxin") | QFileDevice::ExeOwner);
    ZarvoSettings::SetFlag(ZarvoSettings::Flag::AskBeforeExit, true);
    TForm1* form = Start();
    answer = mrNo;
    form->N32->Click();
    EXPECT_EQ(MessageTexts(),
              QStringList({QStringLiteral("程序正在关闭，请点击“确定”."),
                           QStringLiteral("您真的要退出zarvo网页特效2008 qirra版?")}));
    EXPECT_EQ(path.Lines(1), QStringList{QStringLiteral("gengxin ")});
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(Application->Terminated());
}

TEST_F(DesktopTools, AMissingUpdaterIsReportedAndTheProgramStays) {
    RecordingPath nothing(true);
    TForm1* form = Start();
    form->N32->Click();
    EXPECT_EQ(MessageTexts(),
              QStringList{QStringLiteral("找不到程序 gengxin，请您重新安装本软件。")});
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(Application->Terminated());
}
