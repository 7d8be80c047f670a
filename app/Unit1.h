#pragma once
// The program's main window: the effect browser (category box, effect file list, code memo),
// the command buttons, the status line with hint text and clock, and the start-up checks.
//
// Layout (client coordinates, top to bottom):
//   0..22    bsSkinMainMenuBar1, the skinned menu bar showing bsSkinMainMenu1
//   24..425  bsSkinGroupBox1: category box and effect list on the left; the code window
//            (bsSkinGroupBox2) and the command buttons (bsSkinGroupBox3) on the right
//   428..449 bsSkinStatusBar1: hint or welcome text, and the clock at the right end
//
// Every handler runs through the framework's guard, so a file error ends only the command
// (the standard error report) and the window goes on.

#include "app/EffectLibrary.h"
#include "app/HelpWindow.h"
#include "app/MakerLinks.h"
#include "framework/Forms.h"
#include "platform/Shell.h"
#include "platform/TextEncoding.h"
#include "skinforms/bsSkinDialogs.h"

#include <QIcon>
#include <QStringList>
#include <functional>
#include <memory>

class TbsBusinessSkinForm;
class TbsSkinButton;
class TbsSkinComboBox;
class TbsSkinData;
class TbsSkinFileListBox;
class TbsSkinGroupBox;
class TbsSkinMainMenu;
class TbsSkinMainMenuBar;
class TbsSkinMemo2;
class TbsSkinMessage;
class TbsSkinScrollBar;
class TbsSkinStatusBar;
class TbsSkinStatusPanel;
class TImage;
class TImageList;
class TMenuItem;
class TNamedMutex;
class TInstanceChannel;
class TTimer;
class TbsSkinPopupMenu;
class TbsTrayIcon;
class TMediaPlayer;
class TbsSkinOpenDialog;
class TForm3;
class TForm4;
class TSearchWindow;
namespace LibrarySearch {
struct Result;
}
class TLivePreview;
class TbsSkinHint;
class TEffectListHint;
class TEffectPictureMaker;

// The save dialog "保存特效" runs.
using TEffectSaveDialog = TbsSkinSaveDialog;

class TCodeColouring;
class TForm1 : public TForm {
    Q_OBJECT
public:
    // The application title: the main window's caption and the single-instance lock's name.
    static QString Title();
    // The main menu bar's height along the top of the client area.
    static constexpr int MenuBarHeight = 22;

    explicit TForm1(QObject* owner = nullptr);
    ~TForm1() override;

    // --- Handlers (named after the component and event that raise them)
    // Start-up: skin, single-instance lock, installation marker, status line, menu states
    // from the settings file and the registry flags.
    void FormCreate(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    // The category box's text changed: an exact category name lists its folder; a text that
    // begins no category is refused (once); the beginning of a name waits for the rest.
    void bsSkinComboBox1Change(TObject* Sender);
    // Enter in the category box, and the focus leaving it: a text that is no category is
    // refused.
    void bsSkinComboBox1KeyDown(TObject* Sender, int& Key, TShiftState Shift);
    void bsSkinComboBox1Exit(TObject* Sender);
    // An effect was clicked: its text goes into the memo and the commands are enabled.
    void bsSkinFileListBox1ListBoxClick(TObject* Sender);
    // "复制代码": selects the whole memo text and copies it.
    void bsSkinButton1Click(TObject* Sender);
    void Timer1Timer(TObject* Sender);
    // The application's hint changed: show it, or the welcome text when there is none.
    void ApplicationHint(TObject* Sender);
    void N5Click(TObject* Sender);
    // "特效预览": the memo's text into the preview file, then the preview window.
    void bsSkinButton2Click(TObject* Sender);
    // "在浏览器中预览": the memo's text into the preview file, handed to the default browser.
    void bsSkinButton3Click(TObject* Sender);
    // "添加特效(&J)" and the button "添加特效": the add-effect dialog.
    void J1Click(TObject* Sender);
    void bsSkinButton4Click(TObject* Sender);
    // "保存特效" (menu and button): the memo's text as a chosen page, ".htm" appended.
    void N1Click(TObject* Sender);
    void bsSkinButton5Click(TObject* Sender);
    // "删除特效(&D)": asks, refuses the protected effects, deletes the list's current file.
    void D1Click(TObject* Sender);
    // "实时预览(&L)": the live preview on or off, remembered in the settings file.
    void L2Click(TObject* Sender);

    // The add-effect dialog and the preview window: they take this window's skin and
    // message box, and an added effect re-reads the effect list.
    void UseWindows(TForm3* addDialog, TForm4* previewWindow);
    // Starts the preview window's browser engine (idle time after the window is shown).
    void StartPreviewEngine();

    // --- Components (named as the program's design names them)
    TbsSkinData* bsSkinData1;                 // the one skin of every window
    TbsBusinessSkinForm* bsBusinessSkinForm1; // the skinned frame with caption and buttons
    TbsSkinMessage* bsSkinMessage1;           // the message box of every window
    TbsSkinHint* bsSkinHint1;                 // the skinned hints, the effect list's too
    TImageList* ImageList1;                   // the 16 x 16 pictures of menus, lists and buttons
    TbsSkinMainMenu* bsSkinMainMenu1;         // the main menu (shown by the menu bar)
    TbsSkinMainMenuBar* bsSkinMainMenuBar1;   // the skinned bar along the top
    TTimer* Timer1;                           // the status-bar clock, 1000 ms
    TEffectSaveDialog* bsSkinSaveDialog1;     // where "保存特效" writes the page

    TbsSkinGroupBox* bsSkinGroupBox1;       // "zarvo特效软件": the whole effect area
    TbsSkinComboBox* bsSkinComboBox1;       // the category box
    TbsSkinFileListBox* bsSkinFileListBox1; // the effects of the chosen category
    TbsSkinGroupBox* bsSkinGroupBox2;       // "代码窗口": the code of the opened effect
    TImage* Image1;                         // placeholder until an effect is opened
    TbsSkinMemo2* bsSkinMemo21;             // the opened effect's code
    TbsSkinScrollBar* bsSkinScrollBar1;     // the memo's vertical bar
    TbsSkinGroupBox* bsSkinGroupBox3;       // "代码预览窗口": the command buttons
    TbsSkinButton* bsSkinButton1;           // "复制代码"
    TbsSkinButton* bsSkinButton2;           // "特效预览"
    TbsSkinButton* bsSkinButton3;           // "在浏览器中预览"
    TbsSkinButton* bsSkinButton4;           // "添加特效"
    TbsSkinButton* bsSkinButton5;           // "保存特效"
    TbsSkinStatusBar* bsSkinStatusBar1;     // the status line
    TbsSkinStatusPanel* bsSkinStatusPanel1; // hint or welcome text
    TbsSkinStatusPanel* bsSkinStatusPanel2; // the opened effect's encoding ("GBK", "UTF-8")
    TbsSkinStatusPanel* bsSkinStatusPanel4; // the clock

    // Main menu items the window's own logic switches (the whole tree hangs below
    // bsSkinMainMenu1).
    TMenuItem* N1;           // "保存特效"
    TMenuItem* J1;           // "添加特效(&J)"
    TMenuItem* D1;           // "删除特效(&D)"
    TMenuItem* N5;           // "退出"
    TMenuItem* N6;           // "显示任务栏"
    TMenuItem* N7;           // "隐藏任务栏"
    TMenuItem* N26;          // "前端显示", unchecked: the window is not on top
    TMenuItem* N27;          // "前端显示", checked: the window stays on top
    TMenuItem* N42;          // "显示退出显示", unchecked: no question before closing
    TMenuItem* N43;          // "显示退出显示", checked: ask before closing
    TMenuItem* CodeFontItem; // "等宽字体": the code window in a monospaced face

    // The code window's colouring of HTML, CSS and JavaScript.
    TCodeColouring* CodeColouring() const { return FCodeColouring; }
    TMenuItem* L2; // "实时预览(&L)", checked while the live preview is on
    // The live preview, once the preview window is given (UseWindows).
    TLivePreview* LivePreview() const { return FLivePreview; }
    // The effect list's hint and the maker of the pictures it shows.
    TEffectListHint* EffectListHint() const { return FEffectListHint; }
    TEffectPictureMaker* PictureMaker() const { return FPictureMaker; }

protected:
    // The file list reads its start folder when first shown; until a category is chosen
    // the list stays empty (the program folder holds extension-less files of its own).
    void DoShow() override;

private:
    void CreateImageList();
    void CreateMainMenu();
    void CreateFrame();
    void CreateEffectArea();
    void CreateCodeWindow();
    void CreateCommandButtons();
    void CreateStatusBar();
    void WireEvents();
    TbsSkinButton* AddCommandButton(int left, int width, const QString& caption, int image);
    // False (and termination requested) when another copy already runs.
    bool CheckSingleInstance();
    // False (and termination requested) when the installation marker is missing.
    bool CheckInstallationMarker();
    void ApplyRegistryFlags();
    // The memo's text into the preview file; raises "Cannot create file" when it cannot.
    void WritePreview();
    void SaveAsPage();
    // The page's path chosen in the save dialog, after asking before an existing file is
    // replaced and refusing a read-only one; empty when the user gave up.
    QString ChooseSavedPagePath();
    // True when the file was deleted.
    bool DeleteCurrentEffect(const QString& name);
    void ListCategory(const QString& category);
    void RefuseCategory();
    // The code window as before any effect was opened: placeholder, no commands.
    void CloseOpenedEffect();

    // A second start asks for the window through the channel: restored and in front.
    void BringToFront();

    // Start-up steps that may fail (app/Unit1Startup.cpp): each failure is reported once
    // and the start goes on; the skin's failure names the skin.
    bool StartupStep(const std::function<void()>& step);
    void LoadSavedSkin();
    // Loads the skin; on a failure the reason, and the forms show the default look.
    QString LoadSkin(const QString& storedPath);
    void ReportSkinFailure(const QString& storedPath, const QString& reason);
    static QString SkinFailureMessage(const QString& storedPath, const QString& reason);
    // True (and the user told) when the effect at `path` leads outside the program folder.
    bool RefuseOutsideLink(const QString& path);
    QStringList FStartupErrors;

    std::unique_ptr<TNamedMutex> FInstanceMutex;
    std::unique_ptr<TInstanceChannel> FInstanceChannel;
    bool FCategoryListed = false;
    EffectLibrary::CategoryEntry FCategoryEntry;
    QString FOpenedEffectPath; // the file the code window shows
    // What the opened effect was read in; what the memo's text is written in unless it
    // declares another.
    TextEncoding::Encoding FOpenedEncoding = TextEncoding::Encoding::Gbk;
    QPointer<TForm3> FAddDialog;
    QPointer<TForm4> FPreviewWindow;
    // The live preview of the preview window (app/Unit1Live.cpp).
    void UseLivePreview(TForm4* previewWindow);
    TLivePreview* FLivePreview = nullptr;
    // The skinned hint with the effects' pictures (app/Unit1Pictures.cpp).
    void CreateEffectHint();
    TEffectPictureMaker* FPictureMaker = nullptr;
    TEffectListHint* FEffectListHint = nullptr;

    // ================================================================ window behaviour,
    // background music, desktop tools (app/Unit1Desktop.cpp, app/Unit1Music.cpp)
public:
    // Skin items of "外观选择(&A)": each writes its skin path and loads it.
    void N15Click(TObject* Sender);  // "默认风格"
    void N110Click(TObject* Sender); // "蓝色风暴"
    void N210Click(TObject* Sender); // "冰雪世纪"
    void N35Click(TObject* Sender);  // "无限幻想"
    void N41Click(TObject* Sender);  // "纯真年代"
    void N39Click(TObject* Sender);  // "时尚之风"
    // The two toggle pairs: stay on top on/off, ask before quitting on/off.
    void N26Click(TObject* Sender);
    void N27Click(TObject* Sender);
    void N42Click(TObject* Sender);
    void N43Click(TObject* Sender);
    // Tray menu: show, help, about, exit.
    void N44Click(TObject* Sender);
    void N46Click(TObject* Sender);
    void N47Click(TObject* Sender);
    void N49Click(TObject* Sender);
    // System-menu items: help, about; and "关于(&O)" of the help menu.
    void winexechhexehelpchm91Click(TObject* Sender);
    void N37Click(TObject* Sender);
    void O1Click(TObject* Sender);
    // Background music.
    void N16Click(TObject* Sender); // "选择音乐"
    void N18Click(TObject* Sender); // "播    放"
    void N19Click(TObject* Sender); // "暂    停"
    void N20Click(TObject* Sender); // "停    止"
    void N21Click(TObject* Sender); // "重    播"
    void N23Click(TObject* Sender); // "保存歌曲"
    void N24Click(TObject* Sender); // "删除歌曲"
    // Desktop tools.
    void N6Click(TObject* Sender);  // "显示任务栏"
    void N7Click(TObject* Sender);  // "隐藏任务栏"
    void N9Click(TObject* Sender);  // "记事本"
    void N10Click(TObject* Sender); // "注册表"
    void N11Click(TObject* Sender); // "我的电脑"
    void T2Click(TObject* Sender);  // "屏幕取色(&T)"
    void N14Click(TObject* Sender); // "清除开始菜单我最近的文档"
    void Q1Click(TObject* Sender);  // "zarvo万年历(&Q)"
    void N32Click(TObject* Sender); // "自动升级"
    void N31Click(TObject* Sender); // "帮助"
    // The maker's pages and mail address, and the donation notice.
    void N28Click(TObject* Sender);
    void N29Click(TObject* Sender);
    void B1Click(TObject* Sender);
    void L1Click(TObject* Sender);
    void Game1Click(TObject* Sender);
    void N52Click(TObject* Sender);

    // The program's icon from its pictures (images/zarvofx-<size>.png of the program folder):
    // the application's icon, which the windows and the tray icon show.
    static QIcon ProgramIcon();

    // Start-up: the saved music becomes the player's file; then it is opened and played
    // (a file that cannot be opened shows its error and start-up goes on).
    void ReadSavedMusic();
    void AutoplaySavedMusic();

    // The command lines the tools start (Windows names, mapped by platform/Shell).
    static QString NotepadCommand() { return QStringLiteral("notepad.exe"); }
    static QString RegeditCommand() { return QStringLiteral("regedit.exe"); }
    static QString ExplorerCommand() { return QStringLiteral("explorer.exe"); }
    static QString ColourPickerCommand() { return QStringLiteral("zarvo/gongju/quse.exe"); }
    static QString UpdaterCommand() { return QStringLiteral("gengxin.exe"); }
    static QString HelpCommand() { return QStringLiteral("hh.exe help.chm"); }

    TbsTrayIcon* bsTrayIcon1;             // the notification-area icon
    TbsSkinPopupMenu* bsSkinPopupMenu1;   // items added to the frame's system menu
    TbsSkinPopupMenu* bsSkinPopupMenu2;   // the tray menu
    TMediaPlayer* MediaPlayer1;           // the background music
    TbsSkinOpenDialog* bsSkinOpenDialog1; // chooses the music file

    TMenuItem *N15, *N110, *N210, *N35, *N41, *N39;
    TMenuItem *N16, *N18, *N19, *N20, *N21, *N23, *N24;
    TMenuItem *N9, *N10, *N11, *Q1, *N14, *T2, *N52, *N28, *N29, *N31, *L1, *O1, *B1, *N32, *Game1;
    TMenuItem *N44, *N46, *N47, *N49;       // tray menu
    TMenuItem *winexechhexehelpchm91, *N37; // system menu

private:
    // Finds the menu items of these commands, makes the tray icon with its menus, the media
    // player and its dialog, and connects every command.
    void WireDesktopCommands();
    void CreateTrayAndSystemMenus();
    void CreateMusicPlayer();
    void SelectSkin(const QString& storedPath);
    void ShowAboutBox();
    void SetMusicMenu(bool play, bool pause, bool stop, bool replay);
    // Other programs: a failure to find or start one is told in the message box.
    Shell::LaunchFailed LaunchFailureReporter();
    void ReportLaunchFailure(const QString& reason);
    bool RunTool(const QString& commandLine);
    bool OpenInShell(const QString& fileOrUrl);
    // The guide in the desktop's browser, or in the program's own window when none can show it.
    void ShowGuide();
    void ShowGuideWindow();

public:
    // The help file of the program folder, and the window showing it without a browser.
    static QString GuideFile();
    THelpWindow* HelpWindow() const { return FHelpWindow; }

private:
    // The code window's colours and face (app/Unit1Code.cpp).
    void SetUpCodeWindow();
    void ApplyCodeFont();
    void CodeFontItemClick(TObject* Sender);
    TCodeColouring* FCodeColouring = nullptr;

    QPointer<THelpWindow> FHelpWindow;
    void OpenAndPlayMusic();
    // False, after telling the user, when there is nothing to play the music through.
    bool CheckAudioOutput();

    // ================================================================ library search
    // (app/Unit1Search.cpp)
public:
    // "查找特效(&F)" (Ctrl+F): the search window, made at the first request.
    void F2Click(TObject* Sender);
    // Opens a found effect as a user would: its category in the box, the effect chosen in the
    // list, the code window showing it with the first hit selected. False, after telling the
    // user, when the effect is gone.
    bool OpenFoundEffect(const LibrarySearch::Result& result);
    TSearchWindow* SearchWindow() const;
    TMenuItem* F2; // "查找特效(&F)"

private:
    QPointer<TSearchWindow> FSearchWindow;
};

extern TForm1* Form1;
