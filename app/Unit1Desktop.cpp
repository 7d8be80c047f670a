// The main window's window behaviour and desktop tools: the skin items, stay on top and the
// question before quitting, the tray icon with its menu, the system-menu items, the about
// box, the taskbar, the external programs, the calendar plug-in and the maker's pages.

#include "app/HelpWindow.h"
#include "app/MediaPlayer.h"
#include "app/Unit1.h"
#include "app/Unit5.h"
#include "app/ZarvoSettings.h"
#include "framework/Exceptions.h"
#include "framework/Menus.h"
#include "platform/DynLib.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "platform/Taskbar.h"
#include "skinforms/bsMessages.h"
#include "skin/bsSkinData.h"
#include "skinforms/bsSkinForm.h"
#include "skinforms/bsSkinMainMenu.h"
#include "skin/bsSkinMenus.h"
#include "skinforms/bsTrayIcon.h"

#include <initializer_list>

namespace {

// The sub-item of `parent` with exactly this caption; a missing item is a fault of the menu
// this file was written for.
TMenuItem* ItemByCaption(TMenuItem* parent, const QString& caption) {
    for (int i = 0; i < parent->Count(); ++i)
        if (parent->Items(i)->Caption() == caption)
            return parent->Items(i);
    throw EInvalidOperation(QStringLiteral("Menu item not found: ") + caption);
}

TMenuItem* ItemAt(TMenuItem* root, std::initializer_list<const char*> path) {
    TMenuItem* item = root;
    for (const char* caption : path)
        item = ItemByCaption(item, QString::fromUtf8(caption));
    return item;
}

TMenuItem* AddMenuItem(TPopupMenu* menu, const QString& caption, TShortCut shortCut = scNone) {
    auto* item = new TMenuItem(menu);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    menu->Items()->Add(item);
    return item;
}

void AddMenuLine(TPopupMenu* menu) {
    AddMenuItem(menu, QStringLiteral("-"));
}

void Inform(TbsSkinMessage* box, const QString& text) {
    box->ShowMessageDialog(text, mtInformation, {mbOK});
}

} // namespace

void TForm1::WireDesktopCommands() {
    TMenuItem* root = bsSkinMainMenu1->Items();
    TMenuItem* looks = ItemAt(root, {"设置(&S)", "外观选择(&A)"});
    N15 = ItemByCaption(looks, QStringLiteral("默认风格"));
    N110 = ItemByCaption(looks, QStringLiteral("蓝色风暴"));
    N210 = ItemByCaption(looks, QStringLiteral("冰雪世纪"));
    N35 = ItemByCaption(looks, QStringLiteral("无限幻想"));
    N41 = ItemByCaption(looks, QStringLiteral("纯真年代"));
    N39 = ItemByCaption(looks, QStringLiteral("时尚之风"));
    TMenuItem* music = ItemAt(root, {"设置(&S)", "背景音乐(&M)"});
    N16 = ItemByCaption(music, QStringLiteral("选择音乐"));
    N18 = ItemByCaption(music, QStringLiteral("播    放"));
    N19 = ItemByCaption(music, QStringLiteral("暂    停"));
    N20 = ItemByCaption(music, QStringLiteral("停    止"));
    N21 = ItemByCaption(music, QStringLiteral("重    播"));
    N23 = ItemByCaption(music, QStringLiteral("保存歌曲"));
    N24 = ItemByCaption(music, QStringLiteral("删除歌曲"));
    N9 = ItemAt(root, {"工具(&T)", "系统工具(&E)", "记事本"});
    N10 = ItemAt(root, {"工具(&T)", "系统工具(&E)", "注册表"});
    N11 = ItemAt(root, {"工具(&T)", "系统工具(&E)", "我的电脑"});
    Q1 = ItemAt(root, {"工具(&T)", "zarvo万年历(&Q)"});
    N14 = ItemAt(root, {"工具(&T)", "痕迹清理(&F)", "清除开始菜单我最近的文档"});
    T2 = ItemAt(root, {"网页工具(&W)", "屏幕取色(&T)"});
    N52 = ItemAt(root, {"捐助"});
    N28 = ItemAt(root, {"帮助(&H)", "访问本站"});
    N29 = ItemAt(root, {"帮助(&H)", "zarvo论坛"});
    N31 = ItemAt(root, {"帮助(&H)", "帮助"});
    L1 = ItemAt(root, {"帮助(&H)", "联系我(&L)"});
    O1 = ItemAt(root, {"帮助(&H)", "关于(&O)"});
    B1 = ItemAt(root, {"升级(&U)", "本站升级(&B)"});
    N32 = ItemAt(root, {"升级(&U)", "自动升级"});
    Game1 = ItemAt(root, {"zarvoGame推广网"});

    CreateTrayAndSystemMenus();
    CreateMusicPlayer();

    auto wire = [this](TMenuItem* item, void (TForm1::*handler)(TObject*)) {
        item->OnClick = [this, handler](TObject* sender) { (this->*handler)(sender); };
    };
    wire(N15, &TForm1::N15Click);
    wire(N110, &TForm1::N110Click);
    wire(N210, &TForm1::N210Click);
    wire(N35, &TForm1::N35Click);
    wire(N41, &TForm1::N41Click);
    wire(N39, &TForm1::N39Click);
    wire(N26, &TForm1::N26Click);
    wire(N27, &TForm1::N27Click);
    wire(N42, &TForm1::N42Click);
    wire(N43, &TForm1::N43Click);
    wire(N44, &TForm1::N44Click);
    wire(N46, &TForm1::N46Click);
    wire(N47, &TForm1::N47Click);
    wire(N49, &TForm1::N49Click);
    wire(winexechhexehelpchm91, &TForm1::winexechhexehelpchm91Click);
    wire(N37, &TForm1::N37Click);
    wire(O1, &TForm1::O1Click);
    wire(N16, &TForm1::N16Click);
    wire(N18, &TForm1::N18Click);
    wire(N19, &TForm1::N19Click);
    wire(N20, &TForm1::N20Click);
    wire(N21, &TForm1::N21Click);
    wire(N23, &TForm1::N23Click);
    wire(N24, &TForm1::N24Click);
    wire(N6, &TForm1::N6Click);
    wire(N7, &TForm1::N7Click);
    wire(N9, &TForm1::N9Click);
    wire(N10, &TForm1::N10Click);
    wire(N11, &TForm1::N11Click);
    wire(T2, &TForm1::T2Click);
    wire(N14, &TForm1::N14Click);
    wire(Q1, &TForm1::Q1Click);
    wire(N32, &TForm1::N32Click);
    wire(N31, &TForm1::N31Click);
    wire(N28, &TForm1::N28Click);
    wire(N29, &TForm1::N29Click);
    wire(B1, &TForm1::B1Click);
    wire(L1, &TForm1::L1Click);
    wire(Game1, &TForm1::Game1Click);
    wire(N52, &TForm1::N52Click);
}

void TForm1::CreateTrayAndSystemMenus() {
    bsSkinPopupMenu2 = new TbsSkinPopupMenu(this);
    bsSkinPopupMenu2->SetSkinData(bsSkinData1);
    N44 = AddMenuItem(bsSkinPopupMenu2, QStringLiteral("显   示"));
    AddMenuLine(bsSkinPopupMenu2);
    N46 = AddMenuItem(bsSkinPopupMenu2, QStringLiteral("帮   助"), Qt::Key_F1);
    N47 = AddMenuItem(bsSkinPopupMenu2, QStringLiteral("关   于"));
    AddMenuLine(bsSkinPopupMenu2);
    N49 = AddMenuItem(bsSkinPopupMenu2, QStringLiteral("退   出"), ShortCut(Qt::Key_F4, scAlt));

    bsSkinPopupMenu1 = new TbsSkinPopupMenu(this);
    bsSkinPopupMenu1->SetSkinData(bsSkinData1);
    AddMenuLine(bsSkinPopupMenu1);
    winexechhexehelpchm91 = AddMenuItem(bsSkinPopupMenu1, QStringLiteral("帮助"), Qt::Key_F1);
    N37 = AddMenuItem(bsSkinPopupMenu1, QStringLiteral("关于"));
    AddMenuLine(bsSkinPopupMenu1);

    bsTrayIcon1 = new TbsTrayIcon(this);
    bsTrayIcon1->SetHint(QStringLiteral("zarvo网页特效2008 V2.0.0"));
    bsTrayIcon1->SetIconVisible(false);
    // Minimising goes to the taskbar until the frame sends the window to the tray.
    bsTrayIcon1->MinimizeToTray = false;
    bsBusinessSkinForm1->SetTrayIcon(bsTrayIcon1);
    // The program's own tray menu replaces the frame's; a double click still restores.
    bsTrayIcon1->OnDblClick = [this](TObject*) { bsBusinessSkinForm1->RestoreFromTray(); };
    bsBusinessSkinForm1->SetSystemMenu(bsSkinPopupMenu1);
    bsTrayIcon1->SetPopupMenu(bsSkinPopupMenu2);
    bsTrayIcon1->Loaded();
}

QIcon TForm1::ProgramIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString path =
            Paths::ResolveProgramPath(QStringLiteral("images/zarvofx-%1.png").arg(size));
        if (Paths::FileExists(path))
            icon.addFile(path, QSize(size, size));
    }
    return icon;
}

// ---------------------------------------------------------------- skins

// SelectSkin is in app/Unit1Startup.cpp, with the start-up loading of the saved skin.

void TForm1::N15Click(TObject*) {
    SelectSkin(QStringLiteral("skins\\skin1\\skin.ini"));
}
void TForm1::N110Click(TObject*) {
    SelectSkin(QStringLiteral("skins\\skin2\\skin.ini"));
}
void TForm1::N210Click(TObject*) {
    SelectSkin(QStringLiteral("skins\\skin3\\skin.ini"));
}
void TForm1::N35Click(TObject*) {
    SelectSkin(QStringLiteral("skins\\skin4\\skin.ini"));
}
void TForm1::N41Click(TObject*) {
    SelectSkin(QStringLiteral("skins\\skin5\\skin.ini"));
}
void TForm1::N39Click(TObject*) {
    SelectSkin(QStringLiteral("skins\\skin6\\skin.ini"));
}

// ---------------------------------------------------------------- the two toggle pairs

void TForm1::N26Click(TObject*) {
    SetFormStyle(fsStayOnTop);
    N26->SetVisible(false);
    N27->SetVisible(true);
    ZarvoSettings::SetFlag(ZarvoSettings::Flag::StayOnTop, true);
}

void TForm1::N27Click(TObject*) {
    SetFormStyle(fsNormal);
    N26->SetVisible(true);
    N27->SetVisible(false);
    ZarvoSettings::SetFlag(ZarvoSettings::Flag::StayOnTop, false);
}

void TForm1::N42Click(TObject*) {
    N42->SetVisible(false);
    N43->SetVisible(true);
    ZarvoSettings::SetFlag(ZarvoSettings::Flag::AskBeforeExit, true);
}

void TForm1::N43Click(TObject*) {
    N42->SetVisible(true);
    N43->SetVisible(false);
    ZarvoSettings::SetFlag(ZarvoSettings::Flag::AskBeforeExit, false);
}

// ---------------------------------------------------------------- tray, system menu, about

void TForm1::N44Click(TObject*) {
    // The icon stays; a window already shown only comes to the front.
    bsTrayIcon1->RestoreMainWindow();
}

void TForm1::N46Click(TObject*) {
    ShowGuide();
}

void TForm1::N47Click(TObject*) {
    ShowAboutBox();
}

void TForm1::N49Click(TObject*) {
    Close();
}

void TForm1::winexechhexehelpchm91Click(TObject*) {
    ShowGuide();
}

void TForm1::N37Click(TObject*) {
    ShowAboutBox();
}

void TForm1::O1Click(TObject*) {
    ShowAboutBox();
}

void TForm1::ShowAboutBox() {
    if (!Form5)
        Application->CreateForm(&Form5);
    Form5->ShowModal();
}

// ---------------------------------------------------------------- taskbar

void TForm1::N7Click(TObject*) {
    Taskbar::HideTaskbar();
    ZarvoSettings::RecordPanelHidden(true);
    N6->SetEnabled(true);
    N7->SetEnabled(false);
}

void TForm1::N6Click(TObject*) {
    Taskbar::ShowTaskbar();
    ZarvoSettings::RecordPanelHidden(false);
    N6->SetEnabled(false);
    N7->SetEnabled(true);
}

// ---------------------------------------------------------------- external programs

void TForm1::N9Click(TObject*) {
    RunTool(NotepadCommand());
}

void TForm1::N10Click(TObject*) {
    RunTool(RegeditCommand());
}

void TForm1::N11Click(TObject*) {
    RunTool(ExplorerCommand());
}

void TForm1::T2Click(TObject*) {
    RunTool(ColourPickerCommand());
}

void TForm1::N31Click(TObject*) {
    ShowGuide();
}

void TForm1::N32Click(TObject*) {
    // Without the updater the program stays: closing would leave the user with nothing.
    const Shell::LaunchPlan plan = Shell::PlanCommandLine(UpdaterCommand());
    if (!Shell::CanLaunch(plan)) {
        ReportLaunchFailure(Shell::MissingText(plan));
        return;
    }
    Inform(bsSkinMessage1, QStringLiteral("程序正在关闭，请点击“确定”."));
    if (Shell::Execute(plan, LaunchFailureReporter()))
        Close();
}

void TForm1::N14Click(TObject*) {
    Shell::ClearRecentDocuments();
    Inform(bsSkinMessage1, QStringLiteral("完成清理"));
}

// ---------------------------------------------------------------- calendar

void TForm1::Q1Click(TObject*) {
    using PluginFormShowFunction = int (*)();
    // Loaded afresh for every opening: the plug-in shares nothing with the program.
    HMODULE library = DynLib::LoadLibrary(QStringLiteral("zarvownl.dll"));
    if (!library) {
        bsSkinMessage1->ShowMessageDialog(
            QStringLiteral("对不起！zarvo万年历的插件不存在！请您重新安装本软件！"), mtError,
            {mbOK});
        return;
    }
    struct Unload {
        HMODULE Library;
        ~Unload() { DynLib::FreeLibrary(Library); }
    } unload{library};
    auto show =
        reinterpret_cast<PluginFormShowFunction>(DynLib::GetProcAddress(library, "PluginFormShow"));
    if (!show) {
        bsSkinMessage1->ShowMessageDialog(
            QStringLiteral(
                "zarvo万年历的插件已损坏（找不到 PluginFormShow），请您重新安装本软件！"),
            mtError, {mbOK});
        return;
    }
    show();
}

// ---------------------------------------------------------------- other programs, the guide

Shell::LaunchFailed TForm1::LaunchFailureReporter() {
    // A desktop opener may report its failure later, when this window may be gone.
    QPointer<TForm1> self(this);
    return [self](const QString& reason) {
        if (self)
            Guarded([&] { self->ReportLaunchFailure(reason); });
    };
}

void TForm1::ReportLaunchFailure(const QString& reason) {
    bsSkinMessage1->ShowMessageDialog(reason, mtError, {mbOK});
}

bool TForm1::RunTool(const QString& commandLine) {
    return Shell::RunCommandLine(commandLine, LaunchFailureReporter());
}

bool TForm1::OpenInShell(const QString& fileOrUrl) {
    return Shell::ShellOpen(fileOrUrl, LaunchFailureReporter());
}

QString TForm1::GuideFile() {
    return Paths::ResolveProgramPath(QStringLiteral("help.htm"));
}

void TForm1::ShowGuide() {
    const Shell::LaunchPlan plan = Shell::PlanCommandLine(HelpCommand());
    // No program to show it in, or the desktop's opener found none: the program's own browser.
    if (!Shell::CanLaunch(plan)) {
        ShowGuideWindow();
        return;
    }
    QPointer<TForm1> self(this);
    Shell::Execute(plan, [self](const QString&) {
        if (self)
            Guarded([&] { self->ShowGuideWindow(); });
    });
}

void TForm1::ShowGuideWindow() {
    const QString guide = GuideFile();
    if (!Paths::FileExists(guide)) {
        ReportLaunchFailure(QStringLiteral("找不到帮助文件 ") + guide +
                            QStringLiteral("，请您重新安装本软件！"));
        return;
    }
    if (!FHelpWindow) {
        FHelpWindow = new THelpWindow(this);
        FHelpWindow->UseSkin(bsSkinData1);
    }
    FHelpWindow->ShowGuide(guide);
}

// ---------------------------------------------------------------- the maker's pages

void TForm1::N28Click(TObject*) {
    OpenInShell(MakerInfo::HomePage());
}
void TForm1::N29Click(TObject*) {
    OpenInShell(MakerInfo::ForumPage());
}
void TForm1::B1Click(TObject*) {
    OpenInShell(MakerInfo::UpdatePage());
}
void TForm1::L1Click(TObject*) {
    OpenInShell(MakerInfo::MailLink());
}
void TForm1::Game1Click(TObject*) {
    OpenInShell(MakerInfo::PromotionPage());
}

void TForm1::N52Click(TObject*) {
    Inform(bsSkinMessage1, MakerInfo::DonationNotice());
    OpenInShell(MakerInfo::BlogPage());
}
