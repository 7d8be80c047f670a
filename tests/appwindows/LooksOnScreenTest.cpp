// The program's windows as the window manager and the screen show them (the test desktop:
// openbox, tint2): message boxes of every kind in every installed skin and the default look
// stand in their skinned frame, with no frame of the window manager around them. Run on the
// xcb platform by the screen test appwindows_looks_screen; skipped elsewhere. Screenshots go
// to $ZARVO_SCREEN_OUTPUT.

#include "DesktopFixture.h"

#include "skinforms/bsMessages.h"
#include "skin/bsSkinData.h"
#include "skinforms/bsSkinForm.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <QWindow>
#include <functional>

namespace {

using TestEnv::Pump;
using TestEnv::WaitFor;

// Runs a desktop tool while the event loop goes on, and returns what it printed.
QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    WaitFor([&] { return process.state() == QProcess::NotRunning; }, 10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString WindowId(const QWidget* window) {
    return QString::number(window->windowHandle() ? window->windowHandle()->winId()
                                                  : window->winId());
}

bool Viewable(const QWidget* window) {
    return RunTool("xwininfo", {"-id", WindowId(window)}).contains(QStringLiteral("IsViewable"));
}

// What the window manager put around the window, as _NET_FRAME_EXTENTS says (left, right,
// top, bottom); "0, 0, 0, 0" for a window it left undecorated.
QString FrameExtents(const QWidget* window) {
    return RunTool("xprop", {"-id", WindowId(window), "_NET_FRAME_EXTENTS"})
        .section('=', 1)
        .trimmed();
}

QImage ScreenShot(const QString& path) {
    QFile::remove(path);
    RunTool("import", {"-window", "root", path});
    return QImage(path);
}

// The share of the frame's top border (caption bar) that shows on the screen as the frame
// draws it itself.
double TopBorderOnScreen(TbsMessageForm& box, const QImage& screen) {
    TBitmap frame(box.width(), box.height());
    box.Frame()->PaintFrame(frame.Canvas());
    const QImage drawn = frame.ToQImage();
    const QPoint topLeft = box.mapToGlobal(QPoint(0, 0));
    const int bottom = box.ClientArea()->y();
    int same = 0, all = 0;
    for (int y = 0; y < bottom; ++y)
        for (int x = 0; x < box.width(); ++x) {
            const QRgb a = drawn.pixel(x, y), b = screen.pixel(topLeft + QPoint(x, y));
            ++all;
            same += std::abs(qRed(a) - qRed(b)) < 16 && std::abs(qGreen(a) - qGreen(b)) < 16 &&
                    std::abs(qBlue(a) - qBlue(b)) < 16;
        }
    return all ? static_cast<double>(same) / all : 0;
}

class LooksOnScreen : public DesktopFixture {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs the test desktop";
        DesktopFixture::SetUp();
        output = qEnvironmentVariable("ZARVO_SCREEN_OUTPUT");
        if (!output.isEmpty())
            QDir().mkpath(output);
    }
    QString output;
};

} // namespace

TEST_F(LooksOnScreen, MessageBoxesOfEveryKindStandInTheSkinsFrameAndNoOther) {
    Install(QStringLiteral("skins"));
    TForm1* form = Start();
    const QStringList looks = {"default", "skin1", "skin2", "skin3", "skin4", "skin5", "skin6"};
    const TMsgDlgType kinds[] = {mtWarning, mtError, mtInformation, mtConfirmation, mtCustom};
    for (const QString& look : looks) {
        if (look == "default")
            form->bsSkinData1->ClearSkin();
        else
            form->bsSkinData1->LoadSkinFile(folder + "skins/" + look + "/skin.ini");
        for (TMsgDlgType kind : kinds) {
            const QString where = look + " kind " + QString::number(kind);
            std::unique_ptr<TbsMessageForm> box(form->bsSkinMessage1->CreateMessageForm(
                QStringLiteral("删除歌曲成功！"), kind, {mbYes, mbNo}));
            box->Show();
            ASSERT_TRUE(WaitFor([&] { return Viewable(box.get()); })) << where.toStdString();
            Pump(400);
            EXPECT_EQ(FrameExtents(box.get()), QStringLiteral("0, 0, 0, 0")) << where.toStdString();
            const QString shot = (output.isEmpty() ? folder : output + "/") +
                                 QStringLiteral("message_%1_%2.png").arg(look).arg(kind);
            const QImage screen = ScreenShot(shot);
            ASSERT_FALSE(screen.isNull());
            EXPECT_GT(TopBorderOnScreen(*box, screen), 0.9)
                << where.toStdString() << ": the caption on the screen is not the skin's";
            EXPECT_EQ(box->Frame()->SkinActive(), look != "default") << where.toStdString();
        }
    }
}
