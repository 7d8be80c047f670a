#include "app/Unit1.h"

#include "app/EffectFile.h"
#include "app/EffectLibrary.h"
#include "app/EffectListHint.h"
#include "app/LivePreview.h"
#include "app/PreviewSetup.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "app/WriteLeftovers.h"
#include "app/ZarvoSettings.h"
#include "framework/Bitmap.h"
#include "framework/ExtCtrls.h"
#include "framework/ImgList.h"
#include "framework/Menus.h"
#include "framework/Timers.h"
#include "platform/Errors.h"
#include "platform/InstanceChannel.h"
#include "platform/Locale.h"
#include "platform/NamedMutex.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "skin/bsSkinData.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinComboBox.h"
#include "skinctrls/bsSkinMemo.h"
#include "skinctrls/bsSkinPanels.h"
#include "skinctrls/bsSkinScrollBar.h"
#include "skinctrls/bsfilectrl.h"
#include "skinforms/bsMessages.h"
#include "skinforms/bsSkinForm.h"
#include "skinforms/bsSkinMainMenu.h"
#include "skinforms/bsTrayIcon.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTime>
#include <QTimer>
#include <cerrno>
#include <unistd.h>

TForm1* Form1 = nullptr;

namespace {

// Indices into the image list the skin maker draws (images/mainimages.bmp); the menu items'
// pictures are numbered where the items are made.
constexpr int imgCopyCode = 0;
constexpr int imgPreview = 1;
constexpr int imgBrowser = 2;
constexpr int imgAddEffect = 3;
constexpr int imgSaveEffect = 4;
constexpr int imgEffectItem = 11;
constexpr int imgCategory = 17;

const QString ImageListFile = QStringLiteral("images/mainimages.bmp");
const QString PlaceholderFile = QStringLiteral("images/placeholder.bmp");
const QString InstallationMarker = QStringLiteral("zarvotx.ini");

QString CodeWindowCaption() {
    return QStringLiteral("代码窗口");
}

// Loads a picture of the program folder into `picture` with `load`; leaves it empty when
// the file is missing or unreadable: the window then simply shows no picture there.
void LoadProgramPictureWith(TBitmap& picture, const QString& name,
                            void (TBitmap::*load)(const QString&)) {
    const QString path = Paths::ResolveProgramPath(name);
    if (!Paths::FileExists(path))
        return;
    try {
        (picture.*load)(path);
    } catch (const std::exception&) {
        picture = TBitmap();
    }
}

TBitmap LoadProgramPicture(const QString& name) {
    TBitmap picture;
    LoadProgramPictureWith(picture, name, &TBitmap::LoadFromFile);
    return picture;
}

// Its pixels are read from the file when it is first drawn: in the first paint the larger
// pictures drawn before it are done with by then, and it takes their memory.
void LoadProgramPictureWhenDrawn(TBitmap& picture, const QString& name) {
    LoadProgramPictureWith(picture, name, &TBitmap::LoadFromFileWhenUsed);
}

TMenuItem* AddItem(TMenuItem* parent, const QString& caption, int image = -1,
                   TShortCut shortCut = scNone) {
    auto* item = new TMenuItem(parent);
    item->SetCaption(caption);
    item->SetImageIndex(image);
    item->SetShortCut(shortCut);
    parent->Add(item);
    return item;
}

// A file nobody may write to, or this user may not: also when the user is root, who could
// write it anyway, since its owner marked it so.
// The file dialogs' names in the settings file, where their last folder is kept.
const QString kSaveDialog = QStringLiteral("save");

bool IsReadOnly(const QFileInfo& file) {
    constexpr QFile::Permissions anyWrite =
        QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    return !file.isWritable() || !(file.permissions() & anyWrite);
}

void AddSeparator(TMenuItem* parent) {
    AddItem(parent, QStringLiteral("-"));
}

} // namespace

QString TForm1::Title() {
    return QStringLiteral("zarvo网页特效2008 qirra版");
}

TForm1::TForm1(QObject* owner) : TForm(owner) {
    SetText(Title());
    SetBorderStyle(bsSingle);
    // The skinned frame draws the caption and its buttons; the window has none of its own.
    SetBorderIcons(0);
    bsSkinData1 = new TbsSkinData(this);
    // The frame first, so the client size below is that inside the frame.
    CreateFrame();
    SetClientSize(689, 449);
    bsSkinMessage1 = new TbsSkinMessage(this);
    bsSkinMessage1->SetSkinData(bsSkinData1);
    bsSkinMessage1->SetCtrlSkinData(bsSkinData1);
    Timer1 = new TTimer(this);
    Timer1->SetInterval(1000);
    bsSkinSaveDialog1 = new TEffectSaveDialog(this);
    bsSkinSaveDialog1->SetSkinData(bsSkinData1);
    bsSkinSaveDialog1->SetCtrlSkinData(bsSkinData1);

    CreateImageList();
    CreateMainMenu();
    CreateEffectArea();
    CreateCodeWindow();
    CreateCommandButtons();
    CreateStatusBar();
    CreateEffectHint();
    WireEvents();
    WireDesktopCommands();
    SetUpCodeWindow();
}

TForm1::~TForm1() {
    // The hint handler points at this window; only this window installs one.
    Application->OnHint = {};
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::CreateFrame() {
    bsBusinessSkinForm1 = new TbsBusinessSkinForm(this);
    bsBusinessSkinForm1->SetBorderIcons(biSystemMenu | biMinimize | biMinimizeToTray);
    bsBusinessSkinForm1->SetSkinData(bsSkinData1);
}

void TForm1::CreateImageList() {
    ImageList1 = new TImageList(this);
    ImageList1->SetSize(16, 16);
    const TBitmap strip = LoadProgramPicture(ImageListFile);
    if (!strip.Empty())
        ImageList1->AddMasked(strip, clFuchsia);
}

void TForm1::CreateMainMenu() {
    bsSkinMainMenu1 = new TbsSkinMainMenu(this);
    bsSkinMainMenu1->SetImages(ImageList1);
    bsSkinMainMenu1->SetSkinData(bsSkinData1);
    TMenuItem* root = bsSkinMainMenu1->Items();

    TMenuItem* F1 = AddItem(root, QStringLiteral("文件(&F)"));
    F2 = AddItem(F1, QStringLiteral("查找特效(&F)"), -1, ShortCut(Qt::Key_F, scCtrl));
    AddSeparator(F1);
    N1 = AddItem(F1, QStringLiteral("保存特效"), 4, ShortCut(Qt::Key_S, scCtrl));
    N1->SetEnabled(false);
    AddSeparator(F1);
    J1 = AddItem(F1, QStringLiteral("添加特效(&J)"), 3);
    AddSeparator(F1);
    D1 = AddItem(F1, QStringLiteral("删除特效(&D)"), 5);
    D1->SetEnabled(false);
    AddSeparator(F1);
    N5 = AddItem(F1, QStringLiteral("退出"), 6, ShortCut(Qt::Key_F4, scAlt));

    TMenuItem* T1 = AddItem(root, QStringLiteral("工具(&T)"));
    N6 = AddItem(T1, QStringLiteral("显示任务栏"), 7);
    N7 = AddItem(T1, QStringLiteral("隐藏任务栏"), 8);
    AddSeparator(T1);
    TMenuItem* E1 = AddItem(T1, QStringLiteral("系统工具(&E)"), 9);
    AddItem(E1, QStringLiteral("记事本"), 10);
    AddItem(E1, QStringLiteral("注册表"), 12);
    AddItem(E1, QStringLiteral("我的电脑"), 13);
    AddSeparator(T1);
    AddItem(T1, QStringLiteral("zarvo万年历(&Q)"), 14);
    AddSeparator(T1);
    TMenuItem* v1 = AddItem(T1, QStringLiteral("痕迹清理(&F)"), 15);
    AddItem(v1, QStringLiteral("清除开始菜单我最近的文档"), 16);

    TMenuItem* S1 = AddItem(root, QStringLiteral("设置(&S)"));
    TMenuItem* A1 = AddItem(S1, QStringLiteral("外观选择(&A)"), 18);
    for (const char* look :
         {"默认风格", "蓝色风暴", "冰雪世纪", "无限幻想", "纯真年代", "时尚之风"})
        AddItem(A1, QString::fromUtf8(look));
    TMenuItem* M1 = AddItem(S1, QStringLiteral("背景音乐(&M)"), 19);
    AddItem(M1, QStringLiteral("选择音乐"), 20);
    AddSeparator(M1);
    int picture = 21;
    for (const char* command : {"播    放", "暂    停", "停    止", "重    播"})
        AddItem(M1, QString::fromUtf8(command), picture++)->SetEnabled(false);
    AddSeparator(M1);
    AddItem(M1, QStringLiteral("保存歌曲"), 25)->SetEnabled(false);
    AddItem(M1, QStringLiteral("删除歌曲"), 26)->SetEnabled(false);
    AddSeparator(S1);
    N26 = AddItem(S1, QStringLiteral("前端显示"), 27);
    N27 = AddItem(S1, QStringLiteral("前端显示"), 27);
    N27->SetChecked(true);
    AddSeparator(S1);
    N42 = AddItem(S1, QStringLiteral("显示退出显示"), 28);
    N43 = AddItem(S1, QStringLiteral("显示退出显示"), 28);
    N43->SetChecked(true);
    AddSeparator(S1);
    CodeFontItem = AddItem(S1, QStringLiteral("等宽字体"));
    L2 = AddItem(S1, QStringLiteral("实时预览(&L)"), imgPreview, ShortCut(Qt::Key_L, scCtrl));
    L2->SetAutoCheck(true);

    TMenuItem* W1 = AddItem(root, QStringLiteral("网页工具(&W)"));
    AddItem(W1, QStringLiteral("屏幕取色(&T)"), 29);
    AddItem(root, QStringLiteral("捐助"));
    TMenuItem* H1 = AddItem(root, QStringLiteral("帮助(&H)"));
    AddItem(H1, QStringLiteral("访问本站"), 31);
    AddItem(H1, QStringLiteral("zarvo论坛"), 32);
    AddSeparator(H1);
    AddItem(H1, QStringLiteral("帮助"), 33, Qt::Key_F1);
    AddItem(H1, QStringLiteral("联系我(&L)"), 34);
    AddItem(H1, QStringLiteral("关于(&O)"), 35);
    TMenuItem* U1 = AddItem(root, QStringLiteral("升级(&U)"));
    AddItem(U1, QStringLiteral("本站升级(&B)"), 36);
    AddItem(U1, QStringLiteral("自动升级"), 37, ShortCut(Qt::Key_U, scCtrl));
    AddItem(root, QStringLiteral("zarvoGame推广网"));

    // The form takes the menu's shortcuts (Ctrl+S, Alt+F4, F1, Ctrl+U); the bar shows it.
    SetMenu(bsSkinMainMenu1);
    bsSkinMainMenuBar1 = new TbsSkinMainMenuBar(this);
    bsSkinMainMenuBar1->SetSkinDataName(QStringLiteral("mainmenubar"));
    bsSkinMainMenuBar1->SetBounds(0, 0, 689, MenuBarHeight);
    bsSkinMainMenuBar1->SetMainMenu(bsSkinMainMenu1);
    bsSkinMainMenuBar1->SetSkinData(bsSkinData1);
}

void TForm1::CreateEffectArea() {
    bsSkinGroupBox1 = new TbsSkinGroupBox(this);
    bsSkinGroupBox1->SetSkinDataName(QStringLiteral("groupbox"));
    bsSkinGroupBox1->SetBounds(0, MenuBarHeight + 2, 689, 401);
    bsSkinGroupBox1->SetCaption(QStringLiteral("zarvo特效软件"));

    bsSkinComboBox1 = new TbsSkinComboBox(bsSkinGroupBox1);
    bsSkinComboBox1->SetSkinDataName(QStringLiteral("combobox"));
    bsSkinComboBox1->SetStyle(bscbEditStyle);
    bsSkinComboBox1->SetBounds(8, 24, 169, 20);
    bsSkinComboBox1->Items()->AddStrings(EffectLibrary::Categories());
    bsSkinComboBox1->SetDropDownCount(8);
    bsSkinComboBox1->SetAutoComplete(true);
    bsSkinComboBox1->SetImages(ImageList1);
    bsSkinComboBox1->SetImageIndex(imgCategory);
    bsSkinComboBox1->SetText(EffectLibrary::CategoryPrompt());
    bsSkinComboBox1->SetHint(EffectLibrary::CategoryPrompt());
    bsSkinComboBox1->SetShowHint(true);

    bsSkinFileListBox1 = new TbsSkinFileListBox(bsSkinGroupBox1);
    bsSkinFileListBox1->SetSkinDataName(QStringLiteral("listbox"));
    bsSkinFileListBox1->SetBounds(8, 45, 169, 350);
    bsSkinFileListBox1->SetMask(QStringLiteral("*."));
    bsSkinFileListBox1->SetSorted(true);
    bsSkinFileListBox1->SetImages(ImageList1);
    bsSkinFileListBox1->SetImageIndex(imgEffectItem);
    // The effect's name shows in the status line only, not as a tooltip.
    bsSkinFileListBox1->SetShowHint(false);
}

void TForm1::CreateCodeWindow() {
    bsSkinGroupBox2 = new TbsSkinGroupBox(bsSkinGroupBox1);
    bsSkinGroupBox2->SetSkinDataName(QStringLiteral("groupbox"));
    bsSkinGroupBox2->SetBounds(179, 24, 506, 297);
    bsSkinGroupBox2->SetCaption(CodeWindowCaption());

    Image1 = new TImage(bsSkinGroupBox2);
    Image1->SetBounds(1, 24, 504, 273);
    Image1->SetTransparent(true);
    LoadProgramPictureWhenDrawn(*Image1->Picture(), PlaceholderFile);
    Image1->PictureChanged();

    bsSkinMemo21 = new TbsSkinMemo2(bsSkinGroupBox2);
    bsSkinMemo21->SetSkinDataName(QStringLiteral("memo"));
    bsSkinMemo21->SetBounds(4, 25, 479, 269);
    bsSkinMemo21->SetScrollBars(ssBoth);
    bsSkinMemo21->SetWordWrap(false);
    bsSkinMemo21->SetVisible(false);

    bsSkinScrollBar1 = new TbsSkinScrollBar(bsSkinGroupBox2);
    bsSkinScrollBar1->SetSkinDataName(QStringLiteral("vscrollbar"));
    bsSkinScrollBar1->SetKind(sbVertical);
    bsSkinScrollBar1->SetBounds(484, 24, 19, 270);
    bsSkinMemo21->SetVScrollBar(bsSkinScrollBar1);
    bsSkinScrollBar1->SetVisible(false);
    bsSkinScrollBar1->SetEnabled(false);
}

TbsSkinButton* TForm1::AddCommandButton(int left, int width, const QString& caption, int image) {
    auto* button = new TbsSkinButton(bsSkinGroupBox3);
    button->SetSkinDataName(QStringLiteral("button"));
    button->SetBounds(left, 32, width, 25);
    button->SetCaption(caption);
    button->SetHint(caption);
    button->SetShowHint(true);
    if (image < ImageList1->Count()) {
        TBitmap glyph;
        ImageList1->GetBitmap(image, glyph);
        button->SetGlyph(glyph);
    }
    return button;
}

void TForm1::CreateCommandButtons() {
    bsSkinGroupBox3 = new TbsSkinGroupBox(bsSkinGroupBox1);
    bsSkinGroupBox3->SetSkinDataName(QStringLiteral("groupbox"));
    bsSkinGroupBox3->SetBounds(179, 323, 506, 73);
    bsSkinGroupBox3->SetCaption(QStringLiteral("代码预览窗口"));

    bsSkinButton1 = AddCommandButton(16, 75, QStringLiteral("复制代码"), imgCopyCode);
    bsSkinButton2 = AddCommandButton(112, 75, QStringLiteral("特效预览"), imgPreview);
    bsSkinButton3 = AddCommandButton(208, 105, QStringLiteral("在浏览器中预览"), imgBrowser);
    bsSkinButton4 = AddCommandButton(328, 75, QStringLiteral("添加特效"), imgAddEffect);
    bsSkinButton5 = AddCommandButton(416, 75, QStringLiteral("保存特效"), imgSaveEffect);
    for (TbsSkinButton* button : {bsSkinButton1, bsSkinButton2, bsSkinButton3, bsSkinButton5})
        button->SetEnabled(false);
}

void TForm1::CreateStatusBar() {
    bsSkinStatusBar1 = new TbsSkinStatusBar(this);
    bsSkinStatusBar1->SetSkinDataName(QStringLiteral("statusbar"));
    bsSkinStatusBar1->SetBounds(0, 449 - 21, 689, 21);
    bsSkinStatusBar1->SetAlign(alBottom);

    bsSkinStatusPanel4 = new TbsSkinStatusPanel(bsSkinStatusBar1);
    bsSkinStatusPanel4->SetSkinDataName(QStringLiteral("statuspanel"));
    bsSkinStatusPanel4->SetBounds(689 - 56, 0, 56, 21);
    bsSkinStatusPanel4->SetAlign(alRight);
    bsSkinStatusPanel4->SetCaption(QString());

    // The opened effect's encoding, as editors show it, left of the clock.
    bsSkinStatusPanel2 = new TbsSkinStatusPanel(bsSkinStatusBar1);
    bsSkinStatusPanel2->SetSkinDataName(QStringLiteral("statuspanel"));
    bsSkinStatusPanel2->SetBounds(689 - 56 - 50, 0, 50, 21);
    bsSkinStatusPanel2->SetAlign(alRight);
    bsSkinStatusPanel2->SetCaption(QString());

    bsSkinStatusPanel1 = new TbsSkinStatusPanel(bsSkinStatusBar1);
    bsSkinStatusPanel1->SetSkinDataName(QStringLiteral("statuspanel"));
    bsSkinStatusPanel1->SetAlign(alClient);
    bsSkinStatusPanel1->SetCaption(QStringLiteral("欢迎您使用zarvo软件！ ") +
                                   MakerInfo::BlogPage());

    // The status bar hands its skin to the panels on it.
    bsSkinStatusBar1->SetSkinData(bsSkinData1);
    for (TbsSkinCustomControl* control : std::initializer_list<TbsSkinCustomControl*>{
             bsSkinGroupBox1, bsSkinComboBox1, bsSkinFileListBox1, bsSkinGroupBox2,
             bsSkinScrollBar1, bsSkinGroupBox3, bsSkinButton1, bsSkinButton2, bsSkinButton3,
             bsSkinButton4, bsSkinButton5})
        control->SetSkinData(bsSkinData1);
    bsSkinMemo21->SetSkinData(bsSkinData1);
}

void TForm1::WireEvents() {
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnCloseQuery = [this](TObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    bsSkinComboBox1->OnChange = [this](TObject* sender) { bsSkinComboBox1Change(sender); };
    bsSkinComboBox1->OnKeyDown = [this](TObject* sender, int& key, TShiftState shift) {
        bsSkinComboBox1KeyDown(sender, key, shift);
    };
    bsSkinComboBox1->InnerEdit()->OnExit = [this](TObject* sender) { bsSkinComboBox1Exit(sender); };
    bsSkinFileListBox1->OnListBoxClick = [this](TObject* sender) {
        bsSkinFileListBox1ListBoxClick(sender);
    };
    bsSkinButton1->OnClick = [this](TObject* sender) { bsSkinButton1Click(sender); };
    Timer1->OnTimer = [this](TObject* sender) { Timer1Timer(sender); };
    N5->OnClick = [this](TObject* sender) { N5Click(sender); };
    bsSkinButton2->OnClick = [this](TObject* sender) { bsSkinButton2Click(sender); };
    bsSkinButton3->OnClick = [this](TObject* sender) { bsSkinButton3Click(sender); };
    J1->OnClick = [this](TObject* sender) { J1Click(sender); };
    bsSkinButton4->OnClick = [this](TObject* sender) { bsSkinButton4Click(sender); };
    N1->OnClick = [this](TObject* sender) { N1Click(sender); };
    bsSkinButton5->OnClick = [this](TObject* sender) { bsSkinButton5Click(sender); };
    D1->OnClick = [this](TObject* sender) { D1Click(sender); };
    F2->OnClick = [this](TObject* sender) { F2Click(sender); };
    L2->OnClick = [this](TObject* sender) { L2Click(sender); };
    bsSkinMemo21->OnChange = [this](TObject*) {
        if (FLivePreview)
            FLivePreview->CodeChanged();
    };
}

void TForm1::UseWindows(TForm3* addDialog, TForm4* previewWindow) {
    FAddDialog = addDialog;
    FPreviewWindow = previewWindow;
    if (addDialog) {
        addDialog->UseSkin(bsSkinData1, bsSkinMessage1);
        // Before a category was chosen the list shows nothing: re-reading it then would list
        // the program folder.
        addDialog->OnEffectAdded = [this](TObject*) {
            if (FCategoryListed) {
                bsSkinFileListBox1->Update();
                FEffectListHint->ListChanged();
            }
        };
    }
    if (previewWindow) {
        previewWindow->UseSkin(bsSkinData1, bsSkinMessage1);
        UseLivePreview(previewWindow);
    }
}

void TForm1::StartPreviewEngine() {
    if (FPreviewWindow)
        FPreviewWindow->WebBrowser1->StartEngine();
}

// ---------------------------------------------------------------- start-up

void TForm1::FormCreate(TObject*) {
    SetAutoSize(true);
    // A step that fails is reported and the next one runs: no broken skin, settings file or
    // song may skip the single-instance lock or the installation marker.
    StartupStep([] { WriteLeftovers::RemoveStale(); });
    LoadSavedSkin();
    StartupStep([this] { ReadSavedMusic(); });
    StartupStep([this] { CheckSingleInstance(); });
    StartupStep([this] { AutoplaySavedMusic(); });
    bsSkinStatusPanel1->SetCaption(MakerInfo::WelcomeText());
    Application->OnHint = [this](TObject* sender) { ApplicationHint(sender); };
    bool installed = true;
    StartupStep([&] { installed = CheckInstallationMarker(); });
    if (!installed)
        return;
    StartupStep([this] {
        N6->SetEnabled(ZarvoSettings::ShowPanelEnabled());
        N7->SetEnabled(ZarvoSettings::HidePanelEnabled());
    });
    N27->SetVisible(false);
    StartupStep([this] { ApplyRegistryFlags(); });
    StartupStep([this] { ApplyCodeFont(); });
    StartupStep([this] { L2->SetChecked(ZarvoSettings::LivePreview()); });
    Application->OnHint = [this](TObject* sender) { ApplicationHint(sender); };
}

bool TForm1::CheckSingleInstance() {
    FInstanceMutex = CreateNamedMutex(Title());
    if (!FInstanceMutex->AlreadyExists()) {
        FInstanceChannel = TInstanceChannel::Listen(
            InstanceChannelPath(Title()), [this] { Guarded([this] { BringToFront(); }); });
        return true;
    }
    // The rest of start-up still runs; the process ends when the message loop starts.
    bsSkinMessage1->ShowMessageDialog(QStringLiteral("zarvo网页特效2008已经在运行了！"),
                                      mtInformation, {mbOK});
    // The running copy may sit in the tray or minimised where the user cannot find it.
    TInstanceChannel::RequestShow(InstanceChannelPath(Title()));
    Application->Terminate();
    return false;
}

void TForm1::BringToFront() {
    if (!isVisible() && bsTrayIcon1->IconVisible())
        bsBusinessSkinForm1->RestoreFromTray();
    else
        bsTrayIcon1->RestoreMainWindow();
}

bool TForm1::CheckInstallationMarker() {
    // The marker of the folder the program works in (a per-user folder gets a copy of it).
    if (Paths::FileExists(Paths::ProgramFolder() + InstallationMarker))
        return true;
    bsSkinMessage1->ShowMessageDialog(
        QStringLiteral("运行失败！有文件丢失，请您重新安装本软件！官网：") + MakerInfo::HomePage(),
        mtError, {mbOK});
    Application->Terminate();
    return false;
}

void TForm1::ApplyRegistryFlags() {
    const bool onTop = ZarvoSettings::FlagSet(ZarvoSettings::Flag::StayOnTop);
    SetFormStyle(onTop ? fsStayOnTop : fsNormal);
    N26->SetVisible(!onTop);
    N27->SetVisible(onTop);
    const bool ask = ZarvoSettings::FlagSet(ZarvoSettings::Flag::AskBeforeExit);
    N42->SetVisible(!ask);
    N43->SetVisible(ask);
}

void TForm1::FormCloseQuery(TObject*, bool& CanClose) {
    if (!ZarvoSettings::FlagSet(ZarvoSettings::Flag::AskBeforeExit))
        return;
    const int answer = bsSkinMessage1->ShowMessageDialog(QStringLiteral("您真的要退出") + Text() +
                                                             QStringLiteral("?"),
                                                         mtInformation, {mbYes, mbNo});
    CanClose = answer != mrNo;
}

void TForm1::N5Click(TObject*) {
    Close();
}

// ---------------------------------------------------------------- status line

void TForm1::ApplicationHint(TObject*) {
    const QString hint = Application->Hint();
    bsSkinStatusPanel1->SetCaption(hint.isEmpty() ? MakerInfo::WelcomeText() : hint);
}

void TForm1::Timer1Timer(TObject*) {
    bsSkinStatusPanel4->SetCaption(QTime::currentTime().toString(Locale::LongTimeFormat()));
}

// ---------------------------------------------------------------- effect browser

void TForm1::bsSkinComboBox1Change(TObject*) {
    const QString text = bsSkinComboBox1->Text();
    switch (FCategoryEntry.TextChanged(text)) {
    case EffectLibrary::CategoryEntry::Verdict::List:
        ListCategory(text);
        break;
    case EffectLibrary::CategoryEntry::Verdict::Refuse:
        RefuseCategory();
        break;
    case EffectLibrary::CategoryEntry::Verdict::Wait:
        break;
    }
}

void TForm1::bsSkinComboBox1KeyDown(TObject*, int& Key, TShiftState) {
    // Enter with the list open takes the list's item; that arrives as a change.
    if ((Key != Qt::Key_Return && Key != Qt::Key_Enter) || bsSkinComboBox1->DroppedDown())
        return;
    if (FCategoryEntry.EnterPressed(bsSkinComboBox1->Text()) ==
        EffectLibrary::CategoryEntry::Verdict::Refuse)
        RefuseCategory();
}

void TForm1::bsSkinComboBox1Exit(TObject*) {
    // Judged once the focus has settled: a click on the box's own button or list moves the
    // focus out of its edit and straight back.
    QTimer::singleShot(0, this, [this] {
        QWidget* focus = QApplication::focusWidget();
        if (focus && (focus == bsSkinComboBox1 || bsSkinComboBox1->isAncestorOf(focus)))
            return;
        if (!isActiveWindow() || bsSkinComboBox1->DroppedDown())
            return;
        Guarded([this] {
            if (FCategoryEntry.Left(bsSkinComboBox1->Text()) ==
                EffectLibrary::CategoryEntry::Verdict::Refuse)
                RefuseCategory();
        });
    });
}

void TForm1::ListCategory(const QString& category) {
    bsSkinFileListBox1->SetDirectory(EffectLibrary::CategoryFolder(category));
    FCategoryListed = true;
    FEffectListHint->ListChanged();
}

void TForm1::RefuseCategory() {
    bsSkinMessage1->ShowMessageDialog(QStringLiteral("对不起，没有此项特效类别！"), mtError,
                                      {mbOK});
}

void TForm1::DoShow() {
    TForm::DoShow();
    if (!FCategoryListed)
        bsSkinFileListBox1->Items()->Clear();
}

void TForm1::bsSkinFileListBox1ListBoxClick(TObject*) {
    const QString path = bsSkinFileListBox1->FileName();
    if (path.isEmpty())
        return;
    if (RefuseOutsideLink(path))
        return;
    FOpenedEncoding = EffectFile::Load(*bsSkinMemo21->Lines(), path);
    FOpenedEffectPath = path;
    bsSkinStatusPanel2->SetCaption(TextEncoding::Name(FOpenedEncoding));
    const QString name = Paths::ExtractFileName(path);
    bsSkinFileListBox1->SetHint(name);
    bsSkinGroupBox2->SetCaption(CodeWindowCaption() + QStringLiteral("--------") + name);
    for (TMenuItem* item : {D1, N1})
        item->SetEnabled(true);
    for (TbsSkinButton* button : {bsSkinButton1, bsSkinButton2, bsSkinButton3, bsSkinButton5})
        button->SetEnabled(true);
    bsSkinMemo21->SetVisible(true);
    bsSkinScrollBar1->SetVisible(true);
    Image1->SetVisible(false);
}

void TForm1::bsSkinButton1Click(TObject*) {
    bsSkinMemo21->SelectAll();
    bsSkinMemo21->CopyToClipboard();
}

// ---------------------------------------------------------------- preview

void TForm1::WritePreview() {
    EffectLibrary::CheckFolderInside(PreviewFilePath());
    WritePreviewFile(PreviewFilePath(), *bsSkinMemo21->Lines(), FOpenedEncoding);
}

void TForm1::bsSkinButton2Click(TObject*) {
    WritePreview();
    if (FLivePreview && FLivePreview->On())
        FLivePreview->Show(this);
    else if (FPreviewWindow)
        FPreviewWindow->ShowModal();
}

void TForm1::bsSkinButton3Click(TObject*) {
    WritePreview();
    // The program does not wait for the browser; one that cannot be found is reported.
    OpenInShell(PreviewFilePath());
}

// ---------------------------------------------------------------- authoring

void TForm1::J1Click(TObject*) {
    if (FAddDialog)
        FAddDialog->ShowModal();
}

void TForm1::bsSkinButton4Click(TObject* Sender) {
    J1Click(Sender);
}

void TForm1::N1Click(TObject*) {
    SaveAsPage();
}

void TForm1::bsSkinButton5Click(TObject*) {
    SaveAsPage();
}

void TForm1::SaveAsPage() {
    bsSkinSaveDialog1->Title = QStringLiteral("特效保存");
    bsSkinSaveDialog1->FileName = Paths::ExtractFileName(bsSkinFileListBox1->FileName());
    bsSkinSaveDialog1->Filter = QStringLiteral("网页文件|*.htm");
    bsSkinSaveDialog1->FilterIndex = 1;
    const QString path = ChooseSavedPagePath();
    // A chosen name that is a link is refused: the user picked that name, and the file it
    // points to may be anyone's.
    if (!path.isEmpty())
        EffectFile::Save(*bsSkinMemo21->Lines(), path, FOpenedEncoding, AtomicFile::TLinks::Refuse);
}

QString TForm1::ChooseSavedPagePath() {
    // The dialog opens again after a "No" or a read-only file, so another name can be given.
    bsSkinSaveDialog1->InitialDir = ZarvoSettings::DialogFolder(kSaveDialog);
    while (bsSkinSaveDialog1->Execute()) {
        const QString path = EffectLibrary::SavedPagePath(bsSkinSaveDialog1->FileName);
        const QFileInfo target(path);
        // A link is not asked about: the writer refuses it.
        ZarvoSettings::RememberDialogFolder(kSaveDialog, path);
        if (!target.exists() || target.isSymLink())
            return path;
        if (IsReadOnly(target)) {
            bsSkinMessage1->ShowMessageDialog(EffectLibrary::ReadOnlyFileMessage(path), mtError,
                                              {mbOK});
            continue;
        }
        if (bsSkinMessage1->ShowQuestionDefaultNo(EffectLibrary::ReplaceFileQuestion(path)) ==
            mrYes)
            return path;
    }
    return QString();
}

void TForm1::D1Click(TObject*) {
    if (bsSkinMessage1->ShowMessageDialog(QStringLiteral("删除后无法恢复，您真的要删除此特效吗？"),
                                          mtInformation, {mbYes, mbNo}) == mrNo)
        return;
    const QString name = Paths::ExtractFileName(bsSkinFileListBox1->FileName());
    if (EffectLibrary::IsProtectedEffect(name)) {
        bsSkinMessage1->ShowMessageDialog(QStringLiteral("对不起，该项不能删除"), mtError, {mbOK});
        return;
    }
    const QString path = bsSkinFileListBox1->FileName();
    const bool deleted = DeleteCurrentEffect(name);
    bsSkinFileListBox1->Update();
    D1->SetEnabled(false);
    // The deleted effect is gone: its code window and commands go with it.
    if (deleted && path == FOpenedEffectPath)
        CloseOpenedEffect();
}

void TForm1::CloseOpenedEffect() {
    FOpenedEffectPath.clear();
    bsSkinStatusPanel2->SetCaption(QString());
    bsSkinMemo21->Clear();
    bsSkinMemo21->SetVisible(false);
    bsSkinScrollBar1->SetVisible(false);
    Image1->SetVisible(true);
    bsSkinGroupBox2->SetCaption(CodeWindowCaption());
    bsSkinFileListBox1->SetHint(QString());
    for (TMenuItem* item : {D1, N1})
        item->SetEnabled(false);
    for (TbsSkinButton* button : {bsSkinButton1, bsSkinButton2, bsSkinButton3, bsSkinButton5})
        button->SetEnabled(false);
}

bool TForm1::DeleteCurrentEffect(const QString& name) {
    QString reason;
    if (!EffectLibrary::IsSafeName(name)) {
        // No current file (another category was chosen since): nothing to delete.
        reason = SysErrorMessage(ENOENT);
    } else {
        const QString path = QDir(bsSkinFileListBox1->Directory()).filePath(name);
        // The name's own bytes (it may not be valid UTF-8); a link goes, not what it points to.
        if (::unlink(Paths::EncodeName(path).constData()) == 0) {
            bsSkinMessage1->ShowMessageDialog(EffectLibrary::DeletedMessage(name), mtInformation,
                                              {mbOK});
            return true;
        }
        reason = SysErrorMessage(errno);
    }
    bsSkinMessage1->ShowMessageDialog(
        QStringLiteral("特效 ") + name + QStringLiteral(" 删除失败：") + reason, mtError, {mbOK});
    return false;
}

bool TForm1::RefuseOutsideLink(const QString& path) {
    const QString outside = EffectLibrary::OutsideTarget(path);
    if (outside.isEmpty())
        return false;
    bsSkinMessage1->ShowMessageDialog(
        EffectLibrary::OutsideLinkMessage(Paths::ExtractFileName(path), outside), mtError, {mbOK});
    return true;
}
