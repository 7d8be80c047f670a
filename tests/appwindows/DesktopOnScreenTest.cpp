// The main window's desktop commands on the test desktop (openbox, tint2, the sound server),
// checked as the window manager and the panel see them: the stay-on-top state, the tray,
// the panel's dock window, music playing, the colour picker, and the programs and pages
// handed to the desktop's URL handler. Run on the xcb platform by the screen test
// appwindows_desktop_screen; skipped elsewhere. Screenshots go to $ZARVO_SCREEN_OUTPUT.

#include "DesktopFixture.h"

#include "MusicDialog.h"
#include "app/MediaPlayer.h"
#include "framework/Menus.h"
#include "platform/RegistryStore.h"
#include "platform/Taskbar.h"
#include "skinforms/bsSkinForm.h"
#include "skinforms/bsTrayIcon.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <functional>

namespace {

using TestEnv::Pump;
using TestEnv::WaitFor;

// Runs a desktop tool while the event loop goes on, and returns what it printed.
QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    WaitFor([&] { return process.state() == QProcess::NotRunning; }, 10000);
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

// The X window of a top-level now (a change of window flags makes a new one).
QString WindowId(const QWidget* window) {
    return QString::number(window->windowHandle() ? window->windowHandle()->winId()
                                                  : window->winId());
}

bool StateAbove(const QWidget* window) {
    return RunTool("xprop", {"-id", WindowId(window), "_NET_WM_STATE"})
        .contains(QStringLiteral("_NET_WM_STATE_ABOVE"));
}

bool Viewable(const QString& id) {
    return RunTool("xwininfo", {"-id", id}).contains(QStringLiteral("IsViewable"));
}

// Our icon in tint2's tray: a small window of this program below tint2's window.
QString TrayIconWindow() {
    const QStringList lines = RunTool("xwininfo", {"-root", "-tree"}).split('\n');
    const QString name = QCoreApplication::applicationName();
    bool belowPanel = false;
    const QRegularExpression small(QStringLiteral("\\b(16|22|24)x(16|22|24)\\+"));
    for (const QString& line : lines) {
        if (line.contains(QStringLiteral("\"tint2\"")))
            belowPanel = true;
        if (belowPanel && line.contains('"' + name + '"') && small.match(line).hasMatch())
            return line.trimmed().section(' ', 0, 0);
    }
    return QString();
}

void Screenshot(const QString& name) {
    const QString folder = qEnvironmentVariable("ZARVO_SCREEN_OUTPUT");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    RunTool("import", {"-window", "root", folder + "/" + name + ".png"});
}

class DesktopOnScreen : public DesktopFixture {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs the test desktop";
        DesktopFixture::SetUp();
    }
    TForm1* StartShown() {
        TForm1* form = Start();
        Application->SetMainForm(form);
        WaitFor([&] { return Viewable(WindowId(form)); });
        Pump(300);
        return form;
    }
    void TearDown() override {
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            Application->SetMainForm(nullptr);
        DesktopFixture::TearDown();
    }
};

} // namespace

TEST_F(DesktopOnScreen, StayOnTopSetsTheWindowManagersAboveState) {
    TForm1* form = StartShown();
    EXPECT_FALSE(StateAbove(form));
    form->N26->Click();
    EXPECT_TRUE(WaitFor([&] { return StateAbove(form); }))
        << "above after 前端显示: " << RunTool("xprop", {"-id", WindowId(form)}).toStdString();
    Screenshot("stay_on_top");
    form->N27->Click();
    EXPECT_TRUE(WaitFor([&] { return !StateAbove(form); })) << "normal again";
}

TEST_F(DesktopOnScreen, MinimiseToTrayUnmapsShowsTheIconAndADoubleClickRestores) {
    TForm1* form = StartShown();
    const QString window = WindowId(form);
    form->bsBusinessSkinForm1->MinimizeToTray();
    EXPECT_TRUE(WaitFor([&] { return !Viewable(window); })) << "the window left the screen";
    QString icon;
    EXPECT_TRUE(WaitFor([&] { return !(icon = TrayIconWindow()).isEmpty(); }))
        << "an icon in tint2's tray";
    Pump(500);
    Screenshot("in_tray");
    ASSERT_FALSE(icon.isEmpty());
    RunTool("xdotool", {"mousemove", "--window", icon, "8", "8"});
    Pump(300);
    RunTool("xdotool", {"click", "--repeat", "2", "--delay", "60", "1"});
    EXPECT_TRUE(WaitFor([&] { return Viewable(window); })) << "restored by the double click";
    EXPECT_TRUE(WaitFor([&] { return TrayIconWindow().isEmpty(); })) << "the icon went away";

    // Into the tray again; the right button opens the tray menu, whose last item quits.
    form->bsBusinessSkinForm1->MinimizeToTray();
    ASSERT_TRUE(WaitFor([&] { return !(icon = TrayIconWindow()).isEmpty(); }));
    Pump(500);
    RunTool("xdotool", {"mousemove", "--window", icon, "8", "8"});
    Pump(200);
    RunTool("xdotool", {"click", "3"});
    Pump(800);
    Screenshot("tray_menu");
    // The tray menu: the tallest of this program's other windows on screen.
    QWidget* menu = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != form && window->isVisible() && (!menu || window->height() > menu->height()))
            menu = window;
    ASSERT_NE(menu, nullptr) << "the tray menu is open";
    // "退   出" is the last item, at the menu's bottom.
    const QRect place = menu->frameGeometry();
    RunTool("xdotool", {"mousemove", QString::number(place.left() + 40),
                        QString::number(place.bottom() - 10)});
    Pump(300);
    RunTool("xdotool", {"click", "1"});
    EXPECT_TRUE(WaitFor([&] { return Application->Terminated(); })) << "退   出 closes";
}

TEST_F(DesktopOnScreen, HidingThePanelUnmapsItsDockWindowAndShowingMapsIt) {
    ZarvoSettings::RecordPanelHidden(false);
    TForm1* form = StartShown();
    auto docks = [] { return Taskbar::FindDockWindows(); };
    ASSERT_FALSE(docks().empty()) << "tint2 runs";
    auto allMapped = [&](bool mapped) {
        for (const Taskbar::DockWindow& dock : docks())
            if (dock.Mapped != mapped)
                return false;
        return true;
    };
    ASSERT_TRUE(allMapped(true));
    form->N7->Click();
    EXPECT_TRUE(WaitFor([&] { return allMapped(false); })) << "the panel is hidden";
    Screenshot("panel_hidden");
    form->N6->Click();
    EXPECT_TRUE(WaitFor([&] { return allMapped(true); })) << "the panel is back";
}

TEST_F(DesktopOnScreen, SoxSoundAdvancesWhilePlayingAndHoldsWhilePaused) {
    if (!std::getenv("PULSE_SERVER"))
        GTEST_SKIP() << "no sound server";
    const QString song = folder + "tone.wav";
    QProcess sox;
    // Long enough to go on after a pause that a loaded machine lets run late.
    sox.start("sox", {"-n", "-r", "44100", "-c", "2", song, "synth", "10", "sine", "440"});
    ASSERT_TRUE(sox.waitForFinished(10000) && sox.exitCode() == 0) << "sox makes the sound";
    TForm1* form = StartShown();
    ASSERT_TRUE(ChooseMusic(form, song).Accepted);
    ASSERT_TRUE(messages.empty()) << MessageTexts().join(' ').toStdString();
    TMediaPlayer* player = form->MediaPlayer1;
    EXPECT_EQ(player->Length() / 100, 100);
    EXPECT_TRUE(WaitFor([&] { return player->Position() > 400; })) << "advances";
    form->N19->Click();
    const qint64 paused = RestingPosition(player);
    Pump(700);
    EXPECT_NEAR(player->Position(), paused, 60) << "holds while paused";
    form->N18->Click();
    EXPECT_TRUE(WaitFor([&] { return player->Position() > paused + 300; })) << "goes on";
}

TEST_F(DesktopOnScreen, ColourPickerReturnsTheColourOfAKnownPixel) {
    QWidget patch;
    patch.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    patch.setAutoFillBackground(true);
    QPalette palette = patch.palette();
    palette.setColor(QPalette::Window, QColor(0x12, 0x9a, 0x56));
    patch.setPalette(palette);
    patch.setGeometry(500, 300, 120, 120);
    patch.show();
    WaitFor([&] { return Viewable(WindowId(&patch)); });
    Pump(300);

    QProcess picker;
    picker.start(QStringLiteral(ZARVO_PROGRAM_DIR "/zarvo/gongju/quse"), {});
    ASSERT_TRUE(picker.waitForStarted(5000));
    RunTool("xdotool", {"mousemove", "560", "360"});
    // The picker covers the screen with its still picture and a magnifier.
    Pump(1500);
    RunTool("xdotool", {"mousemove", "561", "361"});
    Pump(300);
    Screenshot("colour_picker_lens");
    RunTool("xdotool", {"click", "1"});
    QString printed;
    WaitFor([&] {
        printed += QString::fromUtf8(picker.readAllStandardOutput());
        return printed.contains('\n');
    });
    Pump(300);
    Screenshot("colour_picker_result");
    EXPECT_EQ(printed.trimmed(), QStringLiteral("#129A56 rgb(18, 154, 86)"));
    // Enter presses the copy button, the result window's default.
    RunTool("xdotool", {"key", "Return"});
    EXPECT_TRUE(WaitFor([] { return QApplication::clipboard()->text() == "#129A56"; }))
        << "copied: " << QApplication::clipboard()->text().toStdString();
    RunTool("xdotool", {"key", "Escape"});
    EXPECT_TRUE(WaitFor([&] { return picker.state() == QProcess::NotRunning; }))
        << "Escape closes the picker";
    if (picker.state() != QProcess::NotRunning) {
        picker.kill();
        picker.waitForFinished(3000);
    }
}

TEST_F(DesktopOnScreen, FoldersHelpAndPagesGoToTheUrlHandler) {
    const QString bin = TestEnv::NewFolder(QStringLiteral("bin"));
    const QString record = bin + "/record.txt";
    TestEnv::WriteFile(bin + "/xdg-open", "#!/bin/sh\necho \"$*\" >> '" + record.toUtf8() + "'\n");
    QFile::setPermissions(bin + "/xdg-open",
                          QFile::permissions(bin + "/xdg-open") | QFileDevice::ExeOwner);
    const TestEnv::ScopedEnv searchPath("PATH", (bin + ":").toUtf8() + qgetenv("PATH"));
    TestEnv::WriteFile(folder + "help.htm", "<html></html>");
    TForm1* form = StartShown();
    for (TMenuItem* item : {form->N10, form->N11, form->N31, form->N28, form->L1})
        item->Click();
    QStringList lines;
    WaitFor([&] {
        lines = QString::fromUtf8(TestEnv::ReadFile(record)).split('\n', Qt::SkipEmptyParts);
        return lines.size() >= 5;
    });
    // Local files and folders go to the opener as paths, addresses as they are.
    auto path = [](const QString& name) { return QFileInfo(name).absoluteFilePath(); };
    QStringList expected = {path(RegistryStore::DefaultRootFolder()), path(QDir::homePath()),
                            path(folder + "help.htm"), MakerInfo::HomePage(),
                            MakerInfo::MailLink()};
    // The handlers run side by side, so their lines may come in any order.
    lines.sort();
    expected.sort();
    EXPECT_EQ(lines, expected);
}

namespace {

// What the screen shows of a top-level window now.
QImage Grab(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Pixels that differ inside `area`, where both pictures have pixels.
int ChangedPixels(const QImage& a, const QImage& b, QRect area) {
    area &= a.rect() & b.rect();
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                ++changed;
    return changed;
}

} // namespace

TEST_F(DesktopOnScreen, SkinItemsRepaintFrameAndControlsAtOnce) {
    Install(QStringLiteral("skins"));
    TForm1* form = StartShown();
    const QImage plain = Grab(form);
    form->N110->Click();
    Pump(800);
    const QImage blue = Grab(form);
    // The client area keeps its size; the frame may be wider or narrower in another skin.
    EXPECT_EQ(form->ClientWidth(), 689);
    const QRect caption(0, 0, plain.width(), 18);
    const QRect client(10, 60, plain.width() - 20, plain.height() - 100);
    EXPECT_GT(ChangedPixels(plain, blue, caption), plain.width() * 4) << "the frame changed";
    EXPECT_GT(ChangedPixels(plain, blue, client), client.width() * 10) << "the controls followed";
    form->N39->Click();
    Pump(800);
    const QImage fashion = Grab(form);
    EXPECT_GT(ChangedPixels(blue, fashion, caption), plain.width() * 4);
    const QString folder = qEnvironmentVariable("ZARVO_SCREEN_OUTPUT");
    if (!folder.isEmpty()) {
        plain.save(folder + "/skin_default.png");
        blue.save(folder + "/skin2.png");
        fashion.save(folder + "/skin6.png");
    }
}

TEST_F(DesktopOnScreen, AboutBoxShowsItsPictureAndARealClickClosesIt) {
    Install(QStringLiteral("images"));
    TForm1* form = StartShown();
    bool shown = false;
    QTimer::singleShot(500, [&] {
        shown = Form5 && Form5->isVisible() && Viewable(WindowId(Form5));
        Screenshot("about_box");
        RunTool("xdotool", {"mousemove", "500", "300", "click", "1"});
    });
    QTimer::singleShot(6000, [&] {
        if (Form5 && Form5->isVisible())
            Form5->Close(); // the click did not arrive: end the modal loop
    });
    form->O1->Click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(Form5->frameGeometry().topLeft(), QPoint(335, 217));
    EXPECT_FALSE(Form5->isVisible());
}

TEST_F(DesktopOnScreen, CalendarOpensTwiceFromTheMenu) {
    Install(QStringLiteral("libzarvownl.so"));
    Install(QStringLiteral("libzarvownl.so.2"));
    Install(QStringLiteral("libzarvownl.so.2.0.0"));
    TForm1* form = StartShown();
    int seen = 0;
    QTimer closer;
    closer.setInterval(100);
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget* calendar = QApplication::activeModalWidget();
        if (!calendar || !Viewable(WindowId(calendar)))
            return;
        ++seen;
        Pump(300);
        Screenshot(QStringLiteral("calendar_%1").arg(seen));
        calendar->close();
    });
    closer.start();
    form->Q1->Click();
    form->Q1->Click();
    EXPECT_EQ(seen, 2);
    EXPECT_TRUE(messages.empty());
}

TEST_F(DesktopOnScreen, UpdaterTellsTheInstalledVersion) {
    QProcess updater;
    updater.start(QStringLiteral(ZARVO_PROGRAM_DIR "/gengxin"), {});
    ASSERT_TRUE(updater.waitForStarted(5000));
    QString window;
    EXPECT_TRUE(WaitFor([&] {
        window =
            RunTool("xdotool", {"search", "--onlyvisible", "--name", "zarvo自动升级"}).trimmed();
        return !window.isEmpty();
    }));
    Pump(300);
    Screenshot("updater");
    RunTool("xdotool", {"windowactivate", "--sync", window.section('\n', 0, 0)});
    RunTool("xdotool", {"key", "Return"});
    EXPECT_TRUE(WaitFor([&] { return updater.state() == QProcess::NotRunning; }))
        << "确定 closes it";
    if (updater.state() != QProcess::NotRunning) {
        updater.kill();
        updater.waitForFinished(3000);
    }
    QProcess version;
    version.start(QStringLiteral(ZARVO_PROGRAM_DIR "/gengxin"), {"--version"});
    ASSERT_TRUE(version.waitForFinished(5000));
    EXPECT_EQ(QString::fromUtf8(version.readAllStandardOutput()).trimmed(),
              QStringLiteral("gengxin 2.0.0"));
}
