// On the test desktop: Chinese text typed into a skinned edit and the code memo through the
// X server (xdotool), then select all, copy, paste and undo with the keyboard, and the
// skinned context menu opened by a right click acting on the edit. Exits 0 when everything
// held, 1 with the failed step named, 77 without a display.
//
// Usage: boxes-screen SCREENSHOT.png SKIN.INI

#include "skin/bsSkinMenus.h"
#include "skinctrls/bsSkinBoxCtrls.h"

#include "framework/Forms.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>

// SpareKeys.cpp
void MapCharactersToSpareKeys(const QString& text);

namespace {

QString Shot;

void Xdotool(const QStringList& args) {
    QProcess::execute(QStringLiteral("xdotool"), args);
}

bool WaitFor(const std::function<bool()>& done, int ms = 8000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

void Pump(int ms) {
    WaitFor([] { return false; }, ms);
}

TbsSkinPopupWindow* OpenPopupWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<TbsSkinPopupWindow*>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

[[noreturn]] void Fail(const char* step, const QString& detail = QString()) {
    std::fprintf(stderr, "FAILED: %s %s\n", step, qPrintable(detail));
    std::exit(1);
}

void ClickAt(QWidget* widget, QPoint local, int button = 1) {
    const QPoint p = widget->mapToGlobal(local);
    Xdotool({"mousemove", QString::number(p.x()), QString::number(p.y())});
    Pump(100);
    Xdotool({"click", QString::number(button)});
}

void TypeText(const QString& text) {
    Xdotool({"type", "--delay", "40", text});
}

void Keys(const QString& keys) {
    Xdotool({"key", keys});
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::puts("no DISPLAY: skipped");
        return 77;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    MapCharactersToSpareKeys(QStringLiteral("雪花飘落特效代码文本"));
    Pump(300);
    Shot = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("boxes-screen.png");

    TForm form;
    auto* skin = new TbsSkinData(&form);
    if (argc > 2)
        skin->LoadSkinFile(QString::fromLocal8Bit(argv[2]));
    if (skin->SkinEmpty)
        Fail("load the skin", argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString());
    form.SetCaption(QStringLiteral("输入测试"));
    form.SetBounds(100, 100, 420, 300);
    auto* edit = new TbsSkinEdit(&form);
    edit->SetSkinData(skin);
    edit->SetBounds(20, 20, 300, 20);
    auto* memo = new TbsSkinMemo2(&form);
    memo->SetBounds(20, 60, 300, 180);
    auto* bar = new TbsSkinScrollBar(&form);
    bar->SetKind(sbVertical);
    bar->SetBounds(320, 60, 19, 180);
    memo->SetVScrollBar(bar);
    auto* combo = new TbsSkinComboBox(&form);
    combo->SetBounds(20, 250, 169, 20);
    for (const char* name : {"更新特效", "窗口特效系列", "文字特效系列", "文本特效系列"})
        combo->Items()->Add(QString::fromUtf8(name));
    combo->SetStyle(bscbEditStyle);
    QStringList changes;
    combo->OnChange = [&](TObject*) { changes << combo->Text(); };
    form.Show();
    form.activateWindow();
    if (!WaitFor([&] { return form.isActiveWindow(); }))
        Fail("activate");

    // Typing into the edit.
    const QString words = QStringLiteral("雪花飘落");
    ClickAt(edit, QPoint(40, 10));
    if (!WaitFor([&] { return edit->Editor()->hasFocus(); }))
        Fail("focus the edit");
    TypeText(words);
    if (!WaitFor([&] { return edit->Text() == words; }))
        Fail("type into the edit", edit->Text());

    // Select all and copy.
    QApplication::clipboard()->clear();
    Keys(QStringLiteral("ctrl+a"));
    Keys(QStringLiteral("ctrl+c"));
    if (!WaitFor([&] { return QApplication::clipboard()->text() == words; }))
        Fail("copy from the edit", QApplication::clipboard()->text());

    // Paste into the memo, type more, undo.
    ClickAt(memo, QPoint(60, 20));
    if (!WaitFor([&] { return memo->Editor()->hasFocus(); }))
        Fail("focus the memo");
    Keys(QStringLiteral("ctrl+v"));
    if (!WaitFor([&] { return memo->Text() == words; }))
        Fail("paste into the memo", memo->Text());
    TypeText(QStringLiteral("特效"));
    if (!WaitFor([&] { return memo->Text() == words + QStringLiteral("特效"); }))
        Fail("type into the memo", memo->Text());
    for (int i = 0; i < 12; ++i)
        Keys(QStringLiteral("Return"));
    TypeText(QStringLiteral("代码"));
    if (!WaitFor([&] { return memo->Text().endsWith(QStringLiteral("代码")); }))
        Fail("type lines into the memo", memo->Text());
    if (!bar->Enabled() || bar->Position() != memo->TopLine() || bar->Position() == 0)
        Fail("the bar follows typing past the bottom");
    Keys(QStringLiteral("ctrl+z"));
    if (!WaitFor([&] { return !memo->Text().endsWith(QStringLiteral("代码")); }))
        Fail("undo in the memo", memo->Text());

    // The context menu on a right click: the skinned popup of the menu engine in the edit's
    // skin, its six commands, a click on "全选" selecting the edit.
    ClickAt(edit, QPoint(60, 10));
    WaitFor([&] { return edit->Editor()->hasFocus(); });
    edit->SetSelStart(0);
    edit->SetSelLength(0);
    ClickAt(edit, QPoint(60, 10), 3);
    TbsSkinPopupWindow* popup = nullptr;
    if (!WaitFor([&] { return (popup = OpenPopupWindow()) != nullptr; }))
        Fail("the context menu opens");
    if (!popup->IsSkinned())
        Fail("the context menu is drawn from the skin");
    Pump(300);
    QProcess::execute(QStringLiteral("import"), {"-window", "root", Shot});
    QStringList captions;
    for (int i = 0; i < popup->ItemCount(); ++i)
        captions << popup->Items(i)->Caption();
    const QStringList expected = {"撤消", "-", "剪切", "复制", "粘贴", "删除", "-", "全选"};
    if (captions != expected)
        Fail("the six commands", captions.join(QLatin1Char(' ')));
    const TRect selectAll = popup->Items(7)->Bounds;
    ClickAt(popup, QPoint(selectAll.Left + 20, (selectAll.Top + selectAll.Bottom) / 2));
    if (!WaitFor([&] { return !OpenPopupWindow(); }))
        Fail("the context menu closes after its command");
    if (!WaitFor([&] { return edit->SelLength() == words.size(); }))
        Fail("全选 selects the edit", QString::number(edit->SelLength()));
    if (!edit->Editor()->hasFocus())
        Fail("the edit keeps the keyboard");

    // The category box: typing searches and reports every text; a click in the real
    // drop list picks while the keyboard stays in the box.
    ClickAt(combo->InnerEdit(), QPoint(20, 8));
    if (!WaitFor([&] { return combo->InnerEdit()->Editor()->hasFocus(); }))
        Fail("focus the combo box");
    changes.clear();
    TypeText(QStringLiteral("文本"));
    if (!WaitFor([&] { return changes.size() == 2; }))
        Fail("type into the combo box", changes.join(QLatin1Char(' ')));
    if (changes != QStringList({QStringLiteral("文"), QStringLiteral("文本")}) ||
        combo->DropList()->ItemIndex() != 3)
        Fail("the search while typing", changes.join(QLatin1Char(' ')));
    const TRect button = combo->ButtonRect();
    ClickAt(combo, QPoint(button.Left + 5, button.Top + 5));
    if (!WaitFor([&] { return combo->DroppedDown() && combo->DropList()->isVisible(); }))
        Fail("drop the list down");
    Pump(300);
    ClickAt(combo->DropList()->InnerList(), QPoint(20, combo->DropList()->ItemHeight() + 5));
    if (!WaitFor([&] { return !combo->DroppedDown(); }))
        Fail("pick from the drop list");
    if (combo->Text() != QStringLiteral("窗口特效系列"))
        Fail("the picked text", combo->Text());
    if (!combo->InnerEdit()->Editor()->hasFocus())
        Fail("the keyboard stays in the combo box");

    std::printf("screen test passed; screenshot %s\n", qPrintable(Shot));
    return 0;
}
