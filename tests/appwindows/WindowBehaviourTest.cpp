// Skins, stay on top, the exit question, the tray and system menus and the about box of the
// main window.

#include "DesktopFixture.h"

#include "app/PreviewSetup.h"
#include "framework/ExtCtrls.h"
#include "framework/Menus.h"
#include "framework/Registry.h"
#include "platform/RegistryStore.h"
#include "skin/bsSkinData.h"
#include "skin/bsSkinMenus.h"
#include "skinforms/bsSkinForm.h"
#include "skinforms/bsTrayIcon.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace {

class WindowBehaviour : public DesktopFixture {};

QStringList Captions(TPopupMenu* menu) {
    QStringList captions;
    for (int i = 0; i < menu->Items()->Count(); ++i)
        captions << menu->Items()->Items(i)->Caption();
    return captions;
}

} // namespace

TEST_F(WindowBehaviour, EachSkinItemWritesItsPathAndLoadsThatSkin) {
    Install(QStringLiteral("skins"));
    TForm1* form = Start();
    const std::vector<std::pair<TMenuItem*, QString>> items = {
        {form->N15, "skins\\skin1\\skin.ini"},  {form->N110, "skins\\skin2\\skin.ini"},
        {form->N210, "skins\\skin3\\skin.ini"}, {form->N35, "skins\\skin4\\skin.ini"},
        {form->N41, "skins\\skin5\\skin.ini"},  {form->N39, "skins\\skin6\\skin.ini"}};
    for (const auto& [item, path] : items) {
        item->Click();
        EXPECT_EQ(ZarvoSettings::SkinPath(), path);
        EXPECT_FALSE(form->bsSkinData1->SkinEmpty) << path.toStdString();
        EXPECT_FALSE(item->Checked()) << "the menu does not show the skin in use";
    }
    EXPECT_TRUE(messages.empty());
    // The next start loads the last choice.
    Stop();
    EXPECT_FALSE(Start()->bsSkinData1->SkinEmpty);
}

TEST_F(WindowBehaviour, TheAddDialogAndThePreviewWearTheSkinInUseWhenTheyFirstShow) {
    PreparePreviewProcess();
    QDir().mkpath(folder + "zarvotemp");
    Install(QStringLiteral("skins"));
    TForm1* form = StartWithAddDialog();
    auto window = std::make_unique<TForm4>();
    TForm4& preview = *window;
    preview.DoCreate();
    form->UseWindows(addDialog, &preview);
    dialogs.push_back(std::move(window));
    const auto expectSkinned = [&](const char* when) {
        for (TbsSkinControl* control : std::initializer_list<TbsSkinControl*>{
                 addDialog->bsSkinButton1, addDialog->bsSkinComboBox1, preview.bsSkinButton1}) {
            EXPECT_EQ(control->SkinData(), form->bsSkinData1) << when;
            EXPECT_NE(control->SkinIndex(), -1) << when << ": no record of the skin";
        }
        EXPECT_EQ(addDialog->bsSkinEdit1->SkinData(), form->bsSkinData1) << when;
        EXPECT_NE(addDialog->bsSkinEdit1->SkinIndex(), -1) << when;
    };
    // A skin chosen before either window first shows is the one they show in.
    form->N39->Click();
    addDialog->Show();
    preview.Show();
    expectSkinned("first shown");
    // Shown once, they follow the next choice as every window does.
    form->N210->Click();
    expectSkinned("after another skin");
    preview.Close();
    addDialog->Close();
}

TEST_F(WindowBehaviour, MissingSkinFolderLeavesTheDefaultLookAndKeepsThePath) {
    TForm1* form = Start();
    form->N110->Click();
    EXPECT_TRUE(form->bsSkinData1->SkinEmpty);
    EXPECT_EQ(ZarvoSettings::SkinPath(), QStringLiteral("skins\\skin2\\skin.ini"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowBehaviour, StayOnTopTogglesTheStyleTheItemsAndTheKeyAcrossRestarts) {
    TForm1* form = Start();
    form->N26->Click();
    EXPECT_EQ(form->FormStyle(), fsStayOnTop);
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form->N26->Visible());
    EXPECT_TRUE(form->N27->Visible());
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(QStringLiteral("\\Software\\zvwytxsz"), false));
        EXPECT_EQ(registry.ReadString(QStringLiteral("qianduanxianshi")),
                  QStringLiteral("fsStayOnTop"));
    }
    Stop();
    form = Start();
    EXPECT_EQ(form->FormStyle(), fsStayOnTop);
    EXPECT_TRUE(form->N27->Visible());
    EXPECT_FALSE(form->N26->Visible());

    form->N27->Click();
    EXPECT_EQ(form->FormStyle(), fsNormal);
    EXPECT_TRUE(form->N26->Visible());
    EXPECT_FALSE(form->N27->Visible());
    EXPECT_FALSE(ZarvoSettings::FlagSet(ZarvoSettings::Flag::StayOnTop));
    Stop();
    EXPECT_EQ(Start()->FormStyle(), fsNormal);
}

TEST_F(WindowBehaviour, ExitQuestionAsksOnMenuTrayAndFrameCloseAndNoKeepsRunning) {
    TForm1* form = Start();
    form->N42->Click();
    EXPECT_FALSE(form->N42->Visible());
    EXPECT_TRUE(form->N43->Visible());
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(QStringLiteral("\\Software\\zvwytxtcts"), false));
        EXPECT_EQ(registry.ReadString(QStringLiteral("tuichutishi")), QStringLiteral("tishi"));
    }
    answer = mrNo;
    const QString question = QStringLiteral("您真的要退出zarvo网页特效2008 qirra版?");
    form->N5->Click();
    form->N49->Click();
    form->close(); // the window's own close, as the frame's close button does
    EXPECT_EQ(MessageTexts(), QStringList({question, question, question}));
    EXPECT_TRUE(form->isVisible());

    form->N43->Click();
    EXPECT_TRUE(form->N42->Visible());
    EXPECT_FALSE(form->N43->Visible());
    EXPECT_FALSE(ZarvoSettings::FlagSet(ZarvoSettings::Flag::AskBeforeExit));
    messages.clear();
    bool canClose = true;
    form->FormCloseQuery(form, canClose);
    EXPECT_TRUE(canClose);
    EXPECT_TRUE(messages.empty());
}

TEST_F(WindowBehaviour, RegistryThatCannotBeWrittenReportsAfterTheMenuChanged) {
    TForm1* form = Start();
    // A file where the registry folder should be: no key can be made below it.
    const QString root = RegistryStore::DefaultRootFolder();
    QDir(root).removeRecursively();
    QDir().mkpath(QFileInfo(root).absolutePath());
    TestEnv::WriteFile(root, "not a folder");
    form->N26->Click();
    QFile::remove(root);
    EXPECT_EQ(form->FormStyle(), fsStayOnTop);
    EXPECT_TRUE(form->N27->Visible());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Error);
    EXPECT_EQ(messages[0].Text, QStringLiteral("Failed to set data for 'qianduanxianshi'"));
}

TEST_F(WindowBehaviour, TrayIconAndItsMenusAreSetUpAsTheWindowExpects) {
    TForm1* form = Start();
    Application->SetMainForm(form); // the icon hides and restores the main window only
    EXPECT_EQ(form->bsTrayIcon1->Hint(), QStringLiteral("zarvo网页特效2008 V2.0.0"));
    EXPECT_FALSE(form->bsTrayIcon1->IconVisible());
    EXPECT_EQ(form->bsTrayIcon1->PopupMenu(), form->bsSkinPopupMenu2);
    EXPECT_EQ(Captions(form->bsSkinPopupMenu2),
              QStringList({"显   示", "-", "帮   助", "关   于", "-", "退   出"}));
    EXPECT_EQ(form->N46->ShortCut(), Qt::Key_F1);
    EXPECT_EQ(Captions(form->bsSkinPopupMenu1), QStringList({"-", "帮助", "关于", "-"}));
    EXPECT_EQ(form->winexechhexehelpchm91->ShortCut(), Qt::Key_F1);
    // The frame's system menu keeps its own items around ours.
    QStringList system;
    TMenuItem* systemItems = form->bsBusinessSkinForm1->GetSystemMenu();
    for (int i = 0; i < systemItems->Count(); ++i)
        system << systemItems->Items(i)->Caption();
    EXPECT_TRUE(system.contains(QStringLiteral("帮助")) && system.contains(QStringLiteral("关于")))
        << system.join('|').toStdString();
    EXPECT_TRUE(system.contains(QStringLiteral("关闭(&C)"))) << system.join('|').toStdString();
    EXPECT_NE(form->bsBusinessSkinForm1->TrayIcon(), nullptr) << "the frame minimises into it";

    // Sent to the tray and shown again by "显   示": the icon stays.
    form->bsTrayIcon1->ShowTrayIcon();
    form->bsTrayIcon1->HideMainWindow();
    EXPECT_FALSE(form->isVisible());
    form->N44->Click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->bsTrayIcon1->IconVisible());
    // Again while visible: it only comes to the front.
    form->N44->Click();
    EXPECT_TRUE(form->isVisible());
    // A double click restores and hides the icon.
    form->bsTrayIcon1->HideMainWindow();
    form->bsTrayIcon1->Notify(TTrayMouseMessage::LeftDblClick);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->bsTrayIcon1->IconVisible());
    EXPECT_TRUE(messages.empty());
    Application->SetMainForm(nullptr);
}

TEST_F(WindowBehaviour, AboutBoxOpensFromItsThreeItemsAndClosesOnAClick) {
    Install(QStringLiteral("images"));
    TForm1* form = Start();
    for (TMenuItem* item : {form->O1, form->N37, form->N47}) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            ASSERT_NE(Form5, nullptr);
            shown = Form5->isVisible();
            EXPECT_EQ(Form5->BorderStyle(), bsNone);
            EXPECT_EQ(Form5->ClientWidth(), 400);
            EXPECT_EQ(Form5->ClientHeight(), 252);
            EXPECT_EQ(Form5->Image1->Picture()->Width(), 400) << "the picture is loaded";
            FireEvent(Form5->Image1->OnClick, Form5->Image1);
        });
        item->Click();
        EXPECT_TRUE(shown);
        EXPECT_FALSE(Form5->isVisible());
    }
    EXPECT_EQ(Form5->pos(), QPoint(335, 217));
    // The same pictures give the program its icon, in six sizes.
    EXPECT_EQ(TForm1::ProgramIcon().availableSizes().size(), 6);
}

TEST_F(WindowBehaviour, TrayExitClosesTheProgramWithoutAQuestionWhenNoneIsSet) {
    TForm1* form = Start();
    Application->SetMainForm(form);
    form->N49->Click();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(Application->Terminated());
    EXPECT_TRUE(messages.empty());
    Application->SetMainForm(nullptr);
}
