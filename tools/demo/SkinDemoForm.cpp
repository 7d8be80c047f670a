#include "demo/SkinDemoForm.h"

#include "skin/bsMessages.h"
#include "skin/bsSkinData.h"
#include "skin/bsSkinMenus.h"
#include "skin/bsTrayIcon.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinPanels.h"

#include "framework/Menus.h"

#include <QDir>
#include <QPainter>
#include <QPixmap>
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

} // namespace

TSkinDemoForm::TSkinDemoForm(QObject* owner, const QString& skinFolder) : TForm(owner) {
    SetName(QStringLiteral("SkinDemoForm"));
    SetCaption(QStringLiteral("zarvo 皮肤演示"));
    SetBorderStyle(bsSingle);
    SetPosition(poScreenCenter);
    SetClientSize(460, 150);
    Application->SetIcon(DemoIcon());
    SetIcon(DemoIcon());

    SkinData = new TbsSkinData(this);
    // The skin is loaded before the controls are made; each applies it when it is bound.
    // (The skinned frame comes once it keeps the client size the window asks for.)
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
    Messages = new TbsSkinMessage(this);
    Messages->SetSkinData(SkinData);
    Messages->SetCtrlSkinData(SkinData);

    auto* title = new TbsSkinStdLabel(this);
    title->SetSkinData(SkinData);
    title->SetText(QStringLiteral("按下按钮，显示每一种消息框:"));
    title->SetBounds(10, 10, 300, 16);

    AddMessageButtons();

    Answer = new TbsSkinStdLabel(this);
    Answer->SetName(QStringLiteral("Answer"));
    Answer->SetSkinData(SkinData);
    Answer->SetText(QStringLiteral("回答: -"));
    Answer->SetBounds(10, 80, 300, 16);

    AddTrayIcon();
}

bool TSkinDemoForm::SkinLoaded() const {
    return !SkinData->SkinEmpty;
}

void TSkinDemoForm::AddMessageButtons() {
    int x = 10;
    for (const TKindButton& kind : KindButtons) {
        auto* button = new TbsSkinButton(this);
        button->SetCaption(QString::fromUtf8(kind.Caption));
        button->SetSkinData(SkinData);
        button->SetBounds(x, 36, 80, 25);
        button->OnClick = [this, kind](TObject*) {
            int result =
                Messages->ShowMessageDialog(QString::fromUtf8(kind.Text), kind.Kind, kind.Buttons);
            Answer->SetText(QStringLiteral("回答: ") + ResultName(result));
            // For scripts that drive the demo: each answer on its own line.
            std::printf("answer %d\n", result);
            std::fflush(stdout);
        };
        x += 88;
    }
}

void TSkinDemoForm::AddTrayIcon() {
    TrayIcon = new TbsTrayIcon(this);
    TrayIcon->SetIcon(DemoIcon());
    TrayIcon->SetHint(QStringLiteral("zarvo 皮肤演示"));
    TrayIcon->SetIconVisible(false);
    TrayIcon->OnDblClick = [this](TObject*) { RestoreFromTray(); };
    auto* menu = new TbsSkinPopupMenu(this);
    menu->SetSkinData(SkinData);
    auto* restore = new TMenuItem(menu);
    restore->SetCaption(QStringLiteral("恢复(&R)"));
    restore->OnClick = [this](TObject*) { RestoreFromTray(); };
    menu->Items()->Add(restore);
    auto* quit = new TMenuItem(menu);
    quit->SetCaption(QStringLiteral("退出(&X)"));
    quit->OnClick = [this](TObject*) { Close(); };
    menu->Items()->Add(quit);
    TrayIcon->SetPopupMenu(menu);

    TrayButton = new TbsSkinButton(this);
    TrayButton->SetName(QStringLiteral("TrayButton"));
    TrayButton->SetCaption(QStringLiteral("最小化到托盘"));
    TrayButton->SetSkinData(SkinData);
    TrayButton->SetBounds(10, 110, 120, 25);
    TrayButton->OnClick = [this](TObject*) { MinimizeToTray(); };
    TrayIcon->Loaded();
}

void TSkinDemoForm::MinimizeToTray() {
    TrayIcon->MinimizeToTray = true;
    showMinimized();
}

void TSkinDemoForm::RestoreFromTray() {
    // Off first: the window manager may report the window minimised once more while it
    // maps it again, and that must not send it back into the tray.
    TrayIcon->MinimizeToTray = false;
    TrayIcon->RestoreMainWindow();
    TrayIcon->HideTrayIcon();
}
