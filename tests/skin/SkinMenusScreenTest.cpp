// Menus on a real desktop (Xvfb with openbox): xdotool moves the mouse through a cascade
// and clicks a command; the command runs once and every popup window is gone. A press
// outside a menu closes it without running anything. Screenshots of an open cascade in
// two skins are kept in the test output folder. Runs only on the xcb platform (the
// screen test sets it); elsewhere the tests skip.

#include "skin/bsSkinMenus.h"

#include "framework/Forms.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <gtest/gtest.h>
#include <memory>

namespace {

void Pump(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Runs xdotool while the event loop keeps going, so the windows answer it.
void XDo(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    QElapsedTimer timer;
    timer.start();
    while (process.state() != QProcess::NotRunning && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    process.waitForFinished(100);
}

void MoveTo(TPoint p) {
    XDo({QStringLiteral("mousemove"), QString::number(p.X), QString::number(p.Y)});
    Pump(150); // three polls
}

TPoint Centre(const TRect& r) {
    return TPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
}

int VisiblePopups() {
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<TbsSkinPopupWindow*>(w) && w->isVisible())
            ++count;
    return count;
}

QString OutputFolder() {
    const QString folder = QString::fromLocal8Bit(qgetenv("ZARVO_SCREEN_OUTPUT"));
    QDir().mkpath(folder);
    return folder;
}

struct TScreenSetup {
    std::unique_ptr<TForm> Form = std::make_unique<TForm>();
    TbsSkinMenu* Engine = new TbsSkinMenu(Form.get());
    TPopupMenu Menu;
    TMenuItem* Sub = nullptr;
    int Runs = 0, Others = 0, Opened = 0;

    TScreenSetup() {
        auto add = [](TMenuItem* parent, const QString& caption, int* clicks) {
            auto* item = new TMenuItem(parent);
            item->SetCaption(caption);
            item->OnClick = [clicks](TObject*) { ++*clicks; };
            parent->Add(item);
            return item;
        };
        add(Menu.Items(), QStringLiteral("打开特效(&O)"), &Others);
        add(Menu.Items(), QStringLiteral("-"), &Others);
        Sub = add(Menu.Items(), QStringLiteral("皮肤(&K)"), &Opened); // runs as it opens
        add(Sub, QStringLiteral("皮肤一(&1)"), &Others);
        add(Sub, QStringLiteral("皮肤二(&2)"), &Runs);
        add(Menu.Items(), QStringLiteral("关闭(&C)"), &Others);
        Form->SetBounds(200, 150, 400, 300);
        Form->SetText(QStringLiteral("menus on screen"));
        Form->Show();
        Pump(400);
    }
};

bool OnRealDesktop() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

TEST(SkinMenuOnScreen, ACascadeRunsTheClickedCommandOnceAndLeavesNoPopup) {
    if (!OnRealDesktop())
        GTEST_SKIP() << "needs the test desktop";
    TbsSkinData skin;
    const QString skins[] = {QString(), QString::fromLocal8Bit(qgetenv("ZARVO_SCREEN_SKIN"))};
    for (const QString& skinFile : skins) {
        SCOPED_TRACE(skinFile.isEmpty() ? "plain" : "skinned");
        TScreenSetup s;
        TbsSkinData* data = nullptr;
        if (!skinFile.isEmpty()) {
            skin.LoadSkinFile(skinFile);
            data = &skin;
        }
        s.Engine->PopupItems(nullptr, data, false, s.Menu.Items(), TRect(300, 250, 300, 250));
        Pump(200);
        ASSERT_EQ(s.Engine->LevelCount(), 1);
        TbsSkinPopupWindow* first = s.Engine->Levels(0);
        MoveTo(Centre(first->ItemScreenRect(0)));
        MoveTo(Centre(first->ItemScreenRect(2)));
        Pump(700); // the submenu delay
        ASSERT_EQ(s.Engine->LevelCount(), 2) << "hovering the submenu item opens it";
        TbsSkinPopupWindow* second = s.Engine->Levels(1);
        const TRect target = second->ItemScreenRect(1);
        // Into the submenu along the parent item's row, then down to the command.
        MoveTo(TPoint(second->ScreenPos().X + 10, Centre(first->ItemScreenRect(2)).Y));
        MoveTo(Centre(target));
        EXPECT_TRUE(second->Items(1)->Hot);
        XDo({QStringLiteral("sync")});
        const QString shot =
            OutputFolder() + (data ? "/menus_cascade_skin.png" : "/menus_cascade_plain.png");
        QProcess::execute(QStringLiteral("import"),
                          {QStringLiteral("-window"), QStringLiteral("root"), shot});
        EXPECT_EQ(VisiblePopups(), 2);
        Pump(200);
        XDo({QStringLiteral("click"), QStringLiteral("1")});
        Pump(400);
        EXPECT_EQ(s.Runs, 1);
        EXPECT_EQ(s.Others, 0);
        EXPECT_EQ(s.Opened, 1);
        EXPECT_EQ(s.Engine->LevelCount(), 0);
        EXPECT_EQ(VisiblePopups(), 0);
    }
}

TEST(SkinMenuOnScreen, APressOutsideClosesTheMenuWithoutRunningAnything) {
    if (!OnRealDesktop())
        GTEST_SKIP() << "needs the test desktop";
    TScreenSetup s;
    s.Engine->PopupItems(nullptr, nullptr, false, s.Menu.Items(), TRect(300, 250, 300, 250));
    Pump(200);
    ASSERT_EQ(VisiblePopups(), 1);
    const QPoint inForm = s.Form->ClientArea()->mapToGlobal(QPoint(20, 250));
    MoveTo(TPoint(inForm.x(), inForm.y()));
    XDo({QStringLiteral("click"), QStringLiteral("1")});
    Pump(300);
    EXPECT_EQ(s.Engine->LevelCount(), 0);
    EXPECT_EQ(VisiblePopups(), 0);
    EXPECT_EQ(s.Runs + s.Others, 0);
}

} // namespace
