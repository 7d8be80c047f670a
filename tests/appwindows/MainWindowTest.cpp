// The main window's start-up checks and effect browser, in-process on an offscreen screen.
// Each test builds its own program folder (marker, library) in a temporary folder.

#include "appwindows/MainWindowFixture.h"

#include "app/EffectLibrary.h"
#include "app/ZarvoSettings.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"
#include "platform/Clipboard.h"
#include "platform/Gbk.h"
#include "platform/Paths.h"
#include "skin/bsSkinData.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinComboBox.h"
#include "skinctrls/bsSkinMemo.h"
#include "skinctrls/bsSkinPanels.h"
#include "skinctrls/bsSkinScrollBar.h"
#include "skinctrls/bsfilectrl.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using MainWindow = MainWindowFixture;

TEST_F(MainWindow, FreshInstallationStartsUnskinnedWithOnlyAddEnabled) {
    TForm1* form = Start();
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(Application->Terminated());
    EXPECT_TRUE(form->bsSkinData1->SkinEmpty);
    EXPECT_EQ(form->Text(), QStringLiteral("zarvo网页特效2008 qirra版"));
    EXPECT_EQ(form->ClientWidth(), 689);
    EXPECT_EQ(form->ClientHeight(), 449);
    // Both taskbar items default to off; only the unchecked toggles show.
    EXPECT_FALSE(form->N6->Enabled());
    EXPECT_FALSE(form->N7->Enabled());
    EXPECT_TRUE(form->N26->Visible());
    EXPECT_FALSE(form->N27->Visible());
    EXPECT_TRUE(form->N42->Visible());
    EXPECT_FALSE(form->N43->Visible());
    EXPECT_EQ(form->FormStyle(), fsNormal);
    // The effect area before anything is opened.
    EXPECT_FALSE(AnyCommandEnabled(form));
    EXPECT_TRUE(form->bsSkinButton4->Enabled());
    EXPECT_TRUE(form->Image1->Visible());
    EXPECT_FALSE(form->bsSkinMemo21->Visible());
    EXPECT_FALSE(form->bsSkinScrollBar1->Visible());
    EXPECT_EQ(form->bsSkinComboBox1->Text(), QStringLiteral("请选择特效类别"));
    EXPECT_EQ(form->bsSkinComboBox1->ItemIndex(), -1);
    EXPECT_EQ(form->bsSkinComboBox1->Items()->Count(), 15);
    EXPECT_EQ(form->bsSkinFileListBox1->Items()->Count(), 0);
    EXPECT_EQ(form->bsSkinStatusPanel1->Caption(), MakerInfo::WelcomeText());
    EXPECT_TRUE(form->bsSkinStatusPanel4->Caption().isEmpty()) << "the clock waits a second";
}

TEST_F(MainWindow, ThePlaceholderShowsFromItsFileAndADamagedOneShowsNothing) {
    // A green picture with the key colour at its corner, as the installed one has.
    TBitmap picture(504, 273);
    picture.Canvas().Brush.Color = clLime;
    picture.Canvas().FillRect(TRect(0, 0, 504, 273));
    picture.SetPixel(0, 272, clFuchsia);
    QDir().mkpath(folder + "images");
    picture.SaveToFile(folder + "images/placeholder.bmp");
    TForm1* form = Start();
    EXPECT_EQ(form->Image1->Picture()->Width(), 504);
    const QImage shown = form->Image1->grab().toImage();
    EXPECT_EQ(shown.pixelColor(250, 130), QColor(Qt::green));
    EXPECT_TRUE(messages.empty());
    forms.clear();

    // Rows missing from the file: no picture, no message, the window as before.
    QFile file(folder + "images/placeholder.bmp");
    ASSERT_TRUE(file.resize(file.size() / 2));
    form = Start();
    EXPECT_TRUE(form->Image1->Picture()->Empty());
    EXPECT_TRUE(form->Image1->Visible());
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindow, SettingsAndRegistryFlagsSetTheMenuStatesAtStart) {
    ZarvoSettings::RecordPanelHidden(true); // yincang "1", xianshi "0"
    ZarvoSettings::SetFlag(ZarvoSettings::Flag::StayOnTop, true);
    ZarvoSettings::SetFlag(ZarvoSettings::Flag::AskBeforeExit, true);
    TForm1* form = Start();
    EXPECT_TRUE(form->N6->Enabled());
    EXPECT_FALSE(form->N7->Enabled());
    EXPECT_EQ(form->FormStyle(), fsStayOnTop);
    EXPECT_FALSE(form->N26->Visible());
    EXPECT_TRUE(form->N27->Visible());
    EXPECT_FALSE(form->N42->Visible());
    EXPECT_TRUE(form->N43->Visible());

    // The exit question: No keeps the window, Yes (or closing the box) lets it close.
    bool canClose = true;
    answer = mrNo;
    form->FormCloseQuery(form, canClose);
    EXPECT_FALSE(canClose);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, QStringLiteral("您真的要退出zarvo网页特效2008 qirra版?"));
    canClose = true;
    answer = mrCancel;
    form->FormCloseQuery(form, canClose);
    EXPECT_TRUE(canClose);
}

TEST_F(MainWindow, GarbageSettingsReadAsAbsentAndNoQuestionWithoutTheFlag) {
    TestEnv::WriteFile(ZarvoSettings::FilePath(),
                       "\xff\xfe garbage\r\n[zhuangtailan\r\nyincang=abc\r\n[Skins]\r\nSkins="
                       "skins\\nowhere\\skin.ini\r\n");
    TForm1* form = Start();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(form->bsSkinData1->SkinEmpty);
    EXPECT_FALSE(form->N6->Enabled());
    bool canClose = true;
    form->FormCloseQuery(form, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindow, SecondInstanceIsToldAndEndsWhileItsStartUpGoesOn) {
    Start();
    ASSERT_FALSE(Application->Terminated());
    TForm1* second = Start();
    ASSERT_EQ(MessageTexts(), QStringList{QStringLiteral("zarvo网页特效2008已经在运行了！")});
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Information);
    EXPECT_TRUE(Application->Terminated());
    // The remaining steps still ran.
    EXPECT_EQ(second->bsSkinStatusPanel1->Caption(), MakerInfo::WelcomeText());
    EXPECT_FALSE(second->N27->Visible());
}

TEST_F(MainWindow, MissingMarkerReportsAndSkipsTheRestOfStartUp) {
    QFile::remove(folder + "zarvotx.ini");
    // The marker is looked up in the program folder, not in the current folder.
    const QString elsewhere = TestEnv::NewFolder(QStringLiteral("cwd")) + "/";
    TestEnv::WriteFile(elsewhere + "zarvotx.ini", QByteArray());
    const QString before = Paths::GetCurrentDir();
    Paths::SetCurrentDir(elsewhere);
    TForm1* form = Start();
    Paths::SetCurrentDir(before);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.startsWith(
        QStringLiteral("运行失败！有文件丢失，请您重新安装本软件！官网：")));
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Error);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(form->bsSkinStatusPanel1->Caption(), MakerInfo::WelcomeText());
    EXPECT_TRUE(form->N27->Visible()) << "steps after the marker did not run";
}

TEST_F(MainWindow, HintHandlerShowsTheHintOrTheWelcomeText) {
    TForm1* form = Start();
    Application->SetHint(QStringLiteral("特效预览"));
    EXPECT_EQ(form->bsSkinStatusPanel1->Caption(), QStringLiteral("特效预览"));
    Application->SetHint(QString());
    EXPECT_EQ(form->bsSkinStatusPanel1->Caption(), MakerInfo::WelcomeText());
    // A closed window leaves no handler behind that would reach it.
    forms.clear();
    Application->SetHint(QStringLiteral("复制代码"));
    EXPECT_FALSE(Application->OnHint);
}

TEST_F(MainWindow, OnlyAnExactCategoryNameListsItsFolder) {
    AddEffect(Cookie, QStringLiteral("记住用户"), "a");
    AddEffect(Window, QStringLiteral("抖动窗口"), "b");
    TForm1* form = Start();
    TbsSkinFileListBox* list = form->bsSkinFileListBox1;

    Pick(form, Cookie);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(QDir(list->Directory()), QDir(folder + "data/" + Cookie));
    EXPECT_EQ(list->Items()->Count(), 1);

    Pick(form, QStringLiteral("cookie脚本"));
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("对不起，没有此项特效类别！")});
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Error);
    EXPECT_EQ(QDir(list->Directory()), QDir(folder + "data/" + Cookie)) << "list kept";

    // Typing: the beginning of a name waits quietly, the complete one opens.
    messages.clear();
    form->bsSkinComboBox1->SetText(QString());
    for (int n = 1; n <= Window.size(); ++n)
        Pick(form, Window.left(n));
    EXPECT_TRUE(messages.empty()) << MessageTexts().join(" | ").toStdString();
    EXPECT_EQ(QDir(list->Directory()), QDir(folder + "data/" + Window));
    ASSERT_EQ(list->Items()->Count(), 1);
    EXPECT_EQ(list->Items()->Strings(0), QStringLiteral("抖动窗口"));

    // A text that begins no category is refused at once, and only once while it stays wrong;
    // Enter refuses it again, and the list stays.
    for (const QString& text : {QStringLiteral("时"), QStringLiteral("时x"), QStringLiteral("时xy"),
                                QStringLiteral("时x")})
        Pick(form, text);
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("对不起，没有此项特效类别！")});
    int enter = Qt::Key_Return;
    FireEvent(form->bsSkinComboBox1->OnKeyDown, form->bsSkinComboBox1, enter, TShiftState());
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(QDir(list->Directory()), QDir(folder + "data/" + Window));

    // An input method commits several characters at once: the same rules.
    AddEffect(QStringLiteral("时间特效系列"), QStringLiteral("时钟"), "c");
    messages.clear();
    Pick(form, QStringLiteral("时间"));
    Pick(form, QStringLiteral("时间特效系列"));
    EXPECT_TRUE(messages.empty()) << MessageTexts().join(" | ").toStdString();
    EXPECT_EQ(QDir(list->Directory()), QDir(folder + "data/" + QStringLiteral("时间特效系列")));
}

TEST_F(MainWindow, OpeningAnEffectShowsItsTextAndEnablesTheCommands) {
    AddEffect(Window, QStringLiteral("雪花"),
              Gbk::Encode(QStringLiteral("第一行\r第二行\n第三行\r\n")));
    AddEffect(Window, QStringLiteral("抖动"), "x");
    AddEffect(Window, QStringLiteral("页面.htm"), "not an effect");
    AddEffect(Window, QStringLiteral("坏字节"), QByteArray("ok\xff\xfe\x81", 5));
    TForm1* form = Start();
    Pick(form, Window);
    TbsSkinFileListBox* list = form->bsSkinFileListBox1;
    ASSERT_EQ(list->Items()->Count(), 3) << "names with an extension are not listed";
    EXPECT_EQ(list->Items()->Strings(0), QStringLiteral("坏字节")); // sorted
    EXPECT_EQ(list->Items()->IndexOf(QStringLiteral("页面.htm")), -1);

    Open(form, QStringLiteral("雪花"));
    ASSERT_TRUE(messages.empty());
    EXPECT_EQ(form->bsSkinMemo21->Lines()->Count(), 3);
    EXPECT_EQ(form->bsSkinMemo21->Lines()->Strings(1), QStringLiteral("第二行"));
    EXPECT_EQ(form->bsSkinGroupBox2->Caption(), QStringLiteral("代码窗口--------雪花"));
    EXPECT_EQ(list->Hint(), QStringLiteral("雪花"));
    EXPECT_TRUE(CommandsEnabled(form));
    EXPECT_TRUE(form->bsSkinMemo21->Visible());
    EXPECT_TRUE(form->bsSkinScrollBar1->Visible());
    EXPECT_FALSE(form->Image1->Visible());

    // Invalid bytes open as decoded; the file is left as it was.
    Open(form, QStringLiteral("坏字节"));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(form->bsSkinMemo21->Lines()->Strings(0).startsWith(QStringLiteral("ok")));
    EXPECT_EQ(TestEnv::ReadFile(folder + "data/" + Window + "/坏字节"),
              QByteArray("ok\xff\xfe\x81", 5));
}

TEST_F(MainWindow, AnotherCategoryKeepsTheOpenedEffectAndCopyTakesTheEditedText) {
    AddEffect(Window, QStringLiteral("雪花"), "<script>snow()</script>\r\n");
    AddEffect(Cookie, QStringLiteral("计数"), "count\r\n");
    TForm1* form = Start();
    Pick(form, Window);
    Open(form, QStringLiteral("雪花"));
    Pick(form, Cookie);
    EXPECT_TRUE(CommandsEnabled(form));
    EXPECT_EQ(form->bsSkinGroupBox2->Caption(), QStringLiteral("代码窗口--------雪花"));

    form->bsSkinMemo21->SetText(QStringLiteral("<b>改过的</b>"));
    FireEvent(form->bsSkinButton1->OnClick, form->bsSkinButton1);
    EXPECT_EQ(GetClipboardText(), QStringLiteral("<b>改过的</b>"));
    EXPECT_EQ(form->bsSkinMemo21->SelLength(), form->bsSkinMemo21->Text().size());
}

TEST_F(MainWindow, FileErrorsEndOnlyTheCommand) {
    AddEffect(Window, QStringLiteral("雪花"), "snow\r\n");
    TForm1* form = Start();
    // A category whose folder is missing: the standard error report, the list stays empty.
    Pick(form, Cookie);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Error);
    EXPECT_EQ(messages[0].Caption, QStringLiteral("zarvo网页特效2008 qirra版"));
    messages.clear();

    // An effect removed after it was listed: the memo and the commands stay as they were.
    Pick(form, Window);
    QFile::remove(folder + "data/" + Window + "/雪花");
    Open(form, QStringLiteral("雪花"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.startsWith(QStringLiteral("Cannot open file")))
        << messages[0].Text.toStdString();
    EXPECT_FALSE(AnyCommandEnabled(form));
    EXPECT_TRUE(form->Image1->Visible());
}
