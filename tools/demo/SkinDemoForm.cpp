#include "demo/SkinDemoForm.h"

#include "skinforms/bsMessages.h"
#include "skin/bsSkinData.h"
#include "skinforms/bsSkinForm.h"
#include "skinforms/bsSkinMainMenu.h"
#include "skin/bsSkinMenus.h"
#include "skinforms/bsTrayIcon.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinPanels.h"

#include "framework/Menus.h"

#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

namespace {

struct TKindButton {
    const char* Caption;
    TMsgDlgType Kind;
    TMsgDlgButtons Buttons;
    const char* Text;
};

const TKindButton KindButtons[] = {
    {"警告", mtWarning, {mbOK}, "效果名称太短了!"},
    {"错误", mtError, {mbOK}, "无法保存文件。"},
    {"信息", mtInformation, {mbOK}, "效果已经复制到剪贴板。"},
    {"确认", mtConfirmation, {mbYes, mbNo}, "真的要删除这个效果吗?"},
    {"自定义", mtCustom, {mbAbort, mbRetry, mbIgnore}, "操作失败。"},
};

// The demo's own icon: a blue tile with a white "z".
QIcon DemoIcon() {
    QPixmap pixmap(22, 22);
    pixmap.fill(QColor(40, 90, 180));
    QPainter painter(&pixmap);
    painter.setPen(QPen(Qt::white, 3));
    painter.drawLine(6, 6, 16, 6);
    painter.drawLine(16, 6, 6, 16);
    painter.drawLine(6, 16, 16, 16);
    return QIcon(pixmap);
}

QString ResultName(int result) {
    switch (result) {
    case mrOk:
        return QStringLiteral("确定");
    case mrYes:
        return QStringLiteral("是");
    case mrNo:
        return QStringLiteral("否");
    case mrAbort:
        return QStringLiteral("放弃");
    case mrRetry:
        return QStringLiteral("重试");
    case mrIgnore:
        return QStringLiteral("忽略");
    case mrCancel:
        return QStringLiteral("关闭");
    default:
        return QString::number(result);
    }
}

// The controls sit below the menu bar.
constexpr int BarHeight = 26;

} // namespace

TSkinDemoForm::TSkinDemoForm(QObject* owner, const QString& skinFolder) : TForm(owner) {
    SetName(QStringLiteral("SkinDemoForm"));
    SetCaption(QStringLiteral("zarvo 皮肤演示"));
    SetBorderStyle(bsSizeable);
    SetPosition(poScreenCenter);
    SetClientSize(DemoClientWidth, DemoClientHeight);
    Application->SetIcon(DemoIcon());
    SetIcon(DemoIcon());

    SkinData = new TbsSkinData(this);
    // The skin is loaded before the controls are made; each applies it when it is bound.
    if (!skinFolder.isEmpty()) {
        try {
            SkinData->LoadSkinFile(QDir(skinFolder).filePath(QStringLiteral("skin.ini")));
        } catch (const std::exception& error) {
            std::fprintf(stderr, "zarvo-demo: %s\n", error.what());
        }
        if (SkinData->SkinEmpty)
            std::fprintf(stderr, "zarvo-demo: no skin in %s, showing the default look\n",
                         qPrintable(skinFolder));
    }
    // The skinned frame draws the window around the client area, which keeps its size.
    Frame = new TbsBusinessSkinForm(this);
    Frame->SetSkinData(SkinData);
    Frame->MinWidth = 200;
    Frame->MinHeight = 120;

    Messages = new TbsSkinMessage(this);
    Messages->SetSkinData(SkinData);
    Messages->SetCtrlSkinData(SkinData);

    AddMenuBar();

    auto* title = new TbsSkinStdLabel(this);
    title->SetSkinData(SkinData);
    title->SetText(QStringLiteral("按下按钮，显示每一种消息框:"));
    title->SetBounds(10, BarHeight + 10, 300, 16);

    AddMessageButtons();

    Answer = new TbsSkinStdLabel(this);
    Answer->SetName(QStringLiteral("Answer"));
    Answer->SetSkinData(SkinData);
    Answer->SetText(QStringLiteral("回答: -"));
    Answer->SetBounds(10, BarHeight + 80, 300, 16);

    AddTrayIcon();
}

void TSkinDemoForm::AddMenuBar() {
    MainMenu = new TbsSkinMainMenu(this);
    auto add = [](TMenuItem* parent, const QString& caption, std::function<void()> click = {}) {
        auto* item = new TMenuItem(parent);
        item->SetCaption(caption);
        if (click)
            item->OnClick = [click](TObject*) { click(); };
        parent->Add(item);
        return item;
    };
    TMenuItem* file = add(MainMenu->Items(), QStringLiteral("文件(&F)"));
    TMenuItem* boxes = add(file, QStringLiteral("消息框(&M)"));
    for (int i = 0; i < static_cast<int>(std::size(KindButtons)); ++i)
        add(boxes, QString::fromUtf8(KindButtons[i].Caption), [this, i] { ShowKind(i); });
    add(file, QStringLiteral("-"));
    add(file, QStringLiteral("退出(&X)"), [this] {
        Close();
    })->SetShortCut(TextToShortCut(QStringLiteral("Ctrl+Q")));
    TMenuItem* window = add(MainMenu->Items(), QStringLiteral("窗口(&W)"));
    add(window, QStringLiteral("最小化到托盘(&T)"), [this] { Frame->MinimizeToTray(); });
    add(window, QStringLiteral("卷起(&L)"), [this] { Frame->SetRolledUp(!Frame->RolledUp()); });
    add(window, QStringLiteral("最大化(&X)"), [this] {
        Frame->SetFrameState(Frame->FrameState() == TbsFrameState::Maximized
                                 ? TbsFrameState::Normal
                                 : TbsFrameState::Maximized);
    });
    TMenuItem* help = add(MainMenu->Items(), QStringLiteral("帮助(&H)"));
    add(help, QStringLiteral("关于(&A)"), [this] {
        Messages->ShowMessageDialog(QStringLiteral("zarvo 皮肤演示"), mtInformation, {mbOK});
    });

    MenuBar = new TbsSkinMainMenuBar(this);
    MenuBar->SetSkinData(SkinData);
    MenuBar->SetMainMenu(MainMenu);
    Frame->SetMainMenuBar(MenuBar);
}

void TSkinDemoForm::DoShow() {
    TForm::DoShow();
    // Once the window is placed and laid out.
    QTimer::singleShot(0, this, [this] { PrintFrameGeometry(); });
}

void TSkinDemoForm::PrintFrameGeometry() {
    const QPoint client = ClientArea()->pos();
    std::printf("client %d %d\n", client.x(), client.y());
    std::printf("clientsize %d %d\n", ClientWidth(), ClientHeight());
    // The caption point nearest the middle of the caption row.
    bool found = false;
    for (int y = 2; y < client.y() && !found; ++y)
        for (int dx = 0; dx < Width() / 2 && !found; dx += 4)
            for (int x : {Width() / 2 - dx, Width() / 2 + dx})
                if (!found && Frame->HitTest(TPoint(x, y)) == HTCAPTION) {
                    std::printf("caption %d %d\n", x, y);
                    found = true;
                }
    // The sizing corner nearest the window's bottom-right, inside the window's shape.
    found = false;
    const auto& shape = Frame->WindowRegion();
    for (int d = 1; d < 12 && !found; ++d)
        if ((!shape || shape->contains(QPoint(Width() - d, Height() - d))) &&
            Frame->HitTest(TPoint(Width() - d, Height() - d)) == HTBOTTOMRIGHT) {
            std::printf("corner %d %d\n", Width() - d, Height() - d);
            found = true;
        }
    for (const auto& object : Frame->FrameObjects()) {
        auto* button = dynamic_cast<const TbsSkinStdButtonObject*>(object.get());
        if (!button || !button->Visible)
            continue;
        const TRect& r = button->ObjectRect;
        if (button->Command == TbsStdCommand::cmMaximize)
            std::printf("maxbutton %d %d\n", (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        else if (button->Command == TbsStdCommand::cmRollUp)
            std::printf("rollupbutton %d %d\n", (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    std::fflush(stdout);
}

bool TSkinDemoForm::SkinLoaded() const {
    return !SkinData->SkinEmpty;
}

void TSkinDemoForm::AddMessageButtons() {
    int x = 10;
    for (int i = 0; i < static_cast<int>(std::size(KindButtons)); ++i) {
        auto* button = new TbsSkinButton(this);
        button->SetCaption(QString::fromUtf8(KindButtons[i].Caption));
        button->SetSkinData(SkinData);
        button->SetBounds(x, BarHeight + 36, 80, 25);
        button->OnClick = [this, i](TObject*) { ShowKind(i); };
        x += 88;
    }
}

void TSkinDemoForm::ShowKind(int index) {
    const TKindButton& kind = KindButtons[index];
    const int result =
        Messages->ShowMessageDialog(QString::fromUtf8(kind.Text), kind.Kind, kind.Buttons);
    Answer->SetText(QStringLiteral("回答: ") + ResultName(result));
    // For scripts that drive the demo: each answer on its own line.
    std::printf("answer %d\n", result);
    std::fflush(stdout);
}

void TSkinDemoForm::AddTrayIcon() {
    TrayIcon = new TbsTrayIcon(this);
    TrayIcon->SetIcon(DemoIcon());
    TrayIcon->SetHint(QStringLiteral("zarvo 皮肤演示"));
    TrayIcon->SetIconVisible(false);
    // The frame minimises into the icon and gives it its tray menu (恢复, 关闭); a double
    // click runs 恢复.
    Frame->SetTrayIcon(TrayIcon);
    Frame->SetBorderIcons(DefaultFrameBorderIcons | biMinimizeToTray);

    TrayButton = new TbsSkinButton(this);
    TrayButton->SetName(QStringLiteral("TrayButton"));
    TrayButton->SetCaption(QStringLiteral("最小化到托盘"));
    TrayButton->SetSkinData(SkinData);
    TrayButton->SetBounds(10, BarHeight + 110, 120, 25);
    TrayButton->OnClick = [this](TObject*) { Frame->MinimizeToTray(); };
    TrayIcon->Loaded();
}
