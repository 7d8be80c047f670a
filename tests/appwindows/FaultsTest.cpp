// Faults that must not hurt the program: broken skins and settings files at start and from
// the menu, links out of the program folder, file names that are no valid UTF-8, and the
// leftovers of killed writes.

#include "DesktopFixture.h"

#include "app/EffectLibrary.h"
#include "framework/Menus.h"
#include "platform/Gbk.h"
#include "skin/bsSkinData.h"
#include "skinforms/bsSkinForm.h"
#include "skinforms/bsSkinMainMenu.h"
#include "skinctrls/bsSkinEdit.h"
#include "skinctrls/bsSkinMemo.h"
#include "skinctrls/bsSkinPanels.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>
#include <sys/stat.h>
#include <utime.h>

namespace {

class Faults : public DesktopFixture {
protected:
    // A copy of installed skin `n` in this test's folder, so that it can be damaged.
    QString CopySkin(int n) {
        const QString from = QStringLiteral(ZARVO_PROGRAM_DIR "/skins/skin%1").arg(n);
        const QString to = folder + QStringLiteral("skins/skin%1").arg(n);
        QDir().mkpath(to);
        for (const QString& name : QDir(from).entryList(QDir::Files))
            QFile::copy(from + "/" + name, to + "/" + name);
        return to + "/";
    }
    static void Truncate(const QString& path, qint64 size) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(size));
    }
    // What a user sees of the frame: the caption's buttons and the menu bar on it.
    static bool HasFrameAndMenuBar(TForm1* form) {
        return !form->bsBusinessSkinForm1->FrameObjects().empty() &&
               form->bsSkinMainMenuBar1->Visible() && form->bsSkinMainMenuBar1->Height() > 0;
    }
};

const QString Skin1 = QStringLiteral("skins\\skin1\\skin.ini");
const QString Skin2 = QStringLiteral("skins\\skin2\\skin.ini");

} // namespace

TEST_F(Faults, SavedSkinThatCannotLoadStartsInTheDefaultLookAndEveryStepRuns) {
    const QString skin = CopySkin(1);
    ZarvoSettings::SetSkinPath(Skin1);
    ZarvoSettings::SetFlag(ZarvoSettings::Flag::StayOnTop, true);
    const QByteArray settings = TestEnv::ReadFile(ZarvoSettings::FilePath());
    struct Damage {
        const char* name;
        std::function<void()> apply;
    } damages[] = {
        {"truncated", [&] { Truncate(skin + "frame.bmp", 1000); }},
        {"empty", [&] { Truncate(skin + "frame.bmp", 0); }},
        {"missing", [&] { QFile::remove(skin + "frame.bmp"); }},
        {"oversized",
         [&] {
             // A header that claims 40000 x 40000 pixels.
             QByteArray bytes = TestEnv::ReadFile(skin + "frame.bmp");
             for (int field : {18, 22})
                 for (int i = 0; i < 4; ++i)
                     bytes[field + i] = char((40000 >> (8 * i)) & 0xFF);
             TestEnv::WriteFile(skin + "frame.bmp", bytes);
         }},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        damage.apply();
        messages.clear();
        TForm1* form = Start();
        ASSERT_EQ(messages.size(), 1u) << MessageTexts().join(" | ").toStdString();
        EXPECT_TRUE(
            messages[0].Text.startsWith(QStringLiteral("外观“skins\\skin1\\skin.ini”无法载入：")))
            << messages[0].Text.toStdString();
        EXPECT_TRUE(messages[0].Text.contains("frame.bmp")) << "the reason names the picture";
        EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Error);
        EXPECT_TRUE(form->bsSkinData1->SkinEmpty);
        EXPECT_TRUE(HasFrameAndMenuBar(form));
        // The later steps ran; the saved entry is left as it was.
        EXPECT_FALSE(Application->Terminated());
        EXPECT_EQ(form->FormStyle(), fsStayOnTop);
        EXPECT_TRUE(form->N27->Visible());
        EXPECT_EQ(form->bsSkinStatusPanel1->Caption(), MakerInfo::WelcomeText());
        EXPECT_EQ(TestEnv::ReadFile(ZarvoSettings::FilePath()), settings);

        // A second copy is still refused, and the marker still checked.
        messages.clear();
        Start();
        EXPECT_EQ(messages.back().Text, QStringLiteral("zarvo网页特效2008已经在运行了！"));
        EXPECT_TRUE(Application->Terminated());
        Stop();
        Application->ResetTerminated();
        CopySkin(1);
    }
    QFile::remove(folder + "zarvotx.ini");
    Truncate(skin + "frame.bmp", 10);
    messages.clear();
    Start();
    EXPECT_TRUE(MessageTexts().last().startsWith(QStringLiteral("运行失败！")));
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(Faults, SkinsThatAreNoSkinFolderOrAnUnreadableSettingsFileStillStart) {
    // A folder named as the skin: one message, the plain look.
    ZarvoSettings::SetSkinPath(QStringLiteral("/etc"));
    TForm1* form = Start();
    ASSERT_EQ(messages.size(), 1u) << MessageTexts().join(" | ").toStdString();
    EXPECT_TRUE(messages[0].Text.startsWith(QStringLiteral("外观“/etc”无法载入：")));
    EXPECT_TRUE(HasFrameAndMenuBar(form));
    Stop();
    messages.clear();

    // The settings file is a folder: told once, and the start goes on.
    QFile::remove(ZarvoSettings::FilePath());
    ASSERT_TRUE(QDir().mkpath(ZarvoSettings::FilePath()));
    ZarvoSettings::SetFlag(ZarvoSettings::Flag::AskBeforeExit, true);
    form = Start();
    ASSERT_EQ(messages.size(), 1u) << MessageTexts().join(" | ").toStdString();
    EXPECT_TRUE(
        messages[0].Text.startsWith(QStringLiteral("设置文件“%1”无法读取，本次以默认设置启动：")
                                        .arg(ZarvoSettings::FilePath())))
        << messages[0].Text.toStdString();
    EXPECT_TRUE(HasFrameAndMenuBar(form));
    EXPECT_FALSE(Application->Terminated());
    EXPECT_TRUE(form->N43->Visible()) << "the registry flags were read";
    EXPECT_EQ(form->bsSkinStatusPanel1->Caption(), MakerInfo::WelcomeText());

    // Choosing a skin then loads it but cannot save it: the settings file's own error.
    Install(QStringLiteral("skins"));
    messages.clear();
    form->N110->Click();
    EXPECT_FALSE(form->bsSkinData1->SkinEmpty);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.contains(ZarvoSettings::FilePath()))
        << messages[0].Text.toStdString();
}

TEST_F(Faults, SkinChosenFromTheMenuThatCannotLoadKeepsTheSkinInUseAndIsNotSaved) {
    CopySkin(1);
    const QString broken = CopySkin(2);
    Truncate(broken + "frame.bmp", 54);
    ZarvoSettings::SetSkinPath(Skin1);
    TForm1* form = Start();
    ASSERT_FALSE(form->bsSkinData1->SkinEmpty);
    const QString inUse = form->bsSkinData1->SkinName;
    const QByteArray settings = TestEnv::ReadFile(ZarvoSettings::FilePath());

    form->N110->Click();
    ASSERT_EQ(messages.size(), 1u) << MessageTexts().join(" | ").toStdString();
    EXPECT_TRUE(
        messages[0].Text.startsWith(QStringLiteral("外观“skins\\skin2\\skin.ini”无法载入：")));
    EXPECT_FALSE(form->bsSkinData1->SkinEmpty);
    EXPECT_EQ(form->bsSkinData1->SkinName, inUse);
    EXPECT_TRUE(HasFrameAndMenuBar(form));
    EXPECT_EQ(TestEnv::ReadFile(ZarvoSettings::FilePath()), settings) << "not saved";

    // A good one is saved as ever.
    form->N15->Click();
    EXPECT_EQ(ZarvoSettings::SkinPath(), Skin1);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(Faults, EffectsLinkedOutsideAreListedButNotOpenedAndThePreviewReplacesItsLink) {
    const QString outside = TestEnv::NewFolder(QStringLiteral("outside")) + "/passwd";
    const QByteArray secret = "root:x:0:0:root:/root:/bin/bash\n";
    TestEnv::WriteFile(outside, secret);
    AddEffect(Window, QStringLiteral("正常"), "<b>ok</b>\r\n");
    ASSERT_TRUE(QFile::link(outside, EffectPath(Window, QStringLiteral("aaa"))));
    TForm1* form = Start();
    Pick(form, Window);
    ASSERT_GE(form->bsSkinFileListBox1->Items()->IndexOf(QStringLiteral("aaa")), 0);
    Open(form, QStringLiteral("aaa"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, EffectLibrary::OutsideLinkMessage("aaa", outside));
    EXPECT_FALSE(form->bsSkinMemo21->Visible()) << "the code window shows nothing of it";

    // The preview page linked outside: a preview replaces the link, not the file.
    Open(form, QStringLiteral("正常"));
    const QString page = folder + "zarvotemp/zarvotemp.htm";
    QDir().mkpath(folder + "zarvotemp");
    ASSERT_TRUE(QFile::link(outside, page));
    Click(form->bsSkinButton2);
    EXPECT_EQ(TestEnv::ReadFile(outside), secret);
    EXPECT_FALSE(QFileInfo(page).isSymLink());
    EXPECT_EQ(TestEnv::ReadFile(page), QByteArray("<b>ok</b>\r\n"));
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(Faults, APreviewFolderLinkedOutsideTakesNoPreviewPage) {
    const QString elsewhere = TestEnv::NewFolder(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QFile::link(elsewhere, folder + "zarvotemp"));
    AddEffect(Window, QStringLiteral("正常"), "<b>ok</b>\r\n");
    TForm1* form = Start();
    Pick(form, Window);
    Open(form, QStringLiteral("正常"));
    Click(form->bsSkinButton2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, QStringLiteral("Cannot create file \"%1zarvotemp/zarvotemp.htm\". "
                                               "文件夹指向程序文件夹以外的“%2”，没有写入。")
                                    .arg(folder, QFileInfo(elsewhere).canonicalFilePath()));
    EXPECT_TRUE(QDir(elsewhere).isEmpty());
}

TEST_F(Faults, SavingAPageOverALinkIsRefusedAndTheLinkedFileKept) {
    const QString outside = TestEnv::NewFolder(QStringLiteral("outside")) + "/notes.txt";
    TestEnv::WriteFile(outside, "mine\n");
    const QString target = TestEnv::NewFolder(QStringLiteral("pages"));
    ASSERT_TRUE(QFile::link(outside, target + "/abc.htm"));
    AddEffect(Window, QStringLiteral("abc"), "<i>abc</i>\r\n");
    TForm1* form = Start();
    Pick(form, Window);
    Open(form, QStringLiteral("abc"));
    QTimer::singleShot(0, [form, target] {
        TbsOpenDlgForm* dialog = form->bsSkinSaveDialog1->RunningForm();
        if (!dialog)
            return;
        dialog->GoToFolder(target + "/");
        dialog->FileNameEdit()->SetText(QStringLiteral("abc"));
        dialog->Accept();
    });
    Click(form->bsSkinButton5);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.startsWith(
        QStringLiteral("Cannot create file \"%1/abc.htm\". 该文件是一个符号链接").arg(target)))
        << messages[0].Text.toStdString();
    EXPECT_EQ(TestEnv::ReadFile(outside), QByteArray("mine\n"));
    EXPECT_TRUE(QFileInfo(target + "/abc.htm").isSymLink());
}

TEST_F(Faults, EffectsWhoseNamesAreNoValidUtf8AreListedOpenedPreviewedAndDeleted) {
    const QByteArray category = QFile::encodeName(folder + "data/" + Window + "/");
    QDir().mkpath(folder + "data/" + Window);
    const QByteArray name = "\xd1\xa9\xbb\xa8"; // "雪花" in GBK
    FILE* file = std::fopen((category + name).constData(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("<b>snow</b>\r\n", file);
    std::fclose(file);

    TForm1* form = Start();
    Pick(form, Window);
    ASSERT_EQ(form->bsSkinFileListBox1->Items()->Count(), 1);
    form->bsSkinFileListBox1->SetItemIndex(0);
    FireEvent(form->bsSkinFileListBox1->OnListBoxClick, form->bsSkinFileListBox1);
    EXPECT_TRUE(messages.empty()) << MessageTexts().join(" | ").toStdString();
    EXPECT_EQ(form->bsSkinMemo21->Lines()->Text(), QStringLiteral("<b>snow</b>\r\n"));

    QDir().mkpath(folder + "zarvotemp");
    Click(form->bsSkinButton2);
    EXPECT_EQ(TestEnv::ReadFile(folder + "zarvotemp/zarvotemp.htm"), QByteArray("<b>snow</b>\r\n"));

    answer = mrYes;
    Click(form->D1);
    ASSERT_EQ(messages.size(), 2u) << MessageTexts().join(" | ").toStdString();
    EXPECT_EQ(messages[1].Icon, TMessageBoxIcon::Information);
    struct stat info;
    EXPECT_NE(::stat((category + name).constData(), &info), 0) << "the file is gone";
    EXPECT_EQ(form->bsSkinFileListBox1->Items()->Count(), 0);
}

TEST_F(Faults, StartRemovesWhatKilledWritesLeftBehind) {
    const QString leftover = folder + ".zarvofx.Ini.1234abcd.tmp";
    const QString effectLeftover = folder + "data/" + Window + "/.雪花.00ff00ff.tmp";
    TestEnv::WriteFile(leftover, "[Skins]\r\nSki");
    TestEnv::WriteFile(effectLeftover, "<b>half");
    TestEnv::WriteFile(folder + "data/" + Window + "/.mine.tmp", "keep");
    // Written before this process started.
    for (const QString& path : {leftover, effectLeftover}) {
        struct utimbuf times {
            1000000000, 1000000000
        };
        ASSERT_EQ(::utime(QFile::encodeName(path).constData(), &times), 0);
    }
    Start();
    EXPECT_FALSE(QFile::exists(leftover));
    EXPECT_FALSE(QFile::exists(effectLeftover));
    EXPECT_EQ(TestEnv::ReadFile(folder + "data/" + Window + "/.mine.tmp"), "keep");
}

TEST_F(Faults, AddingAnEffectNamedAsALinkReplacesTheLinkNotTheFileItPointsTo) {
    const QString outside = TestEnv::NewFolder(QStringLiteral("outside")) + "/passwd";
    const QByteArray secret = "root:x:0:0:root:/root:/bin/bash\n";
    TestEnv::WriteFile(outside, secret);
    QDir().mkpath(folder + "data/" + Window);
    const QString effect = EffectPath(Window, QStringLiteral("aaa"));
    ASSERT_TRUE(QFile::link(outside, effect));
    StartWithAddDialog();
    addDialog->bsSkinComboBox1->SetText(Window);
    addDialog->bsSkinEdit1->SetText(QStringLiteral("aaa"));
    addDialog->bsSkinMemo21->SetText(QStringLiteral("<b>新</b>"));
    // The name is taken: the user is asked first, and says Yes.
    answer = mrYes;
    Click(addDialog->bsSkinButton1);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Question);
    EXPECT_EQ(messages[1].Text, QStringLiteral("添加特效成功"));
    EXPECT_EQ(TestEnv::ReadFile(outside), secret);
    EXPECT_FALSE(QFileInfo(effect).isSymLink());
    EXPECT_EQ(TestEnv::ReadFile(effect), Gbk::Encode(QStringLiteral("<b>新</b>\r\n")));
}
