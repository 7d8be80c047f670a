// The effect list's hint with pictures of the effects running: shown when the picture of
// the effect's present text exists, the name alone until then, and made in idle time.

#include "appwindows/EngineWait.h"
#include "appwindows/MainWindowFixture.h"

#include "app/EffectListHint.h"
#include "app/EffectPictureMaker.h"
#include "app/EffectPictures.h"
#include "framework/Bitmap.h"
#include "skin/bsSkinHint.h"
#include "skinctrls/bsfilectrl.h"

#include <QCursor>
#include <QDir>
#include <QImage>

namespace {

const QRgb PictureColour = qRgb(0x20, 0xa0, 0x40);

class EffectListPictures : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        qputenv("ZARVO_EFFECTS_TOOL", ZARVO_EFFECTS_TOOL_FILE);
    }
    void TearDown() override {
        Application->SetMainForm(nullptr);
        MainWindowFixture::TearDown();
    }
    // The main window listing the effects of Window, the mouse not yet on them.
    TForm1* Listing() {
        TForm1* form = Start();
        Application->SetMainForm(form);
        Pick(form, Window);
        return form;
    }
    static void WritePicture(const QString& path) {
        QImage image(EffectPictures::Width, EffectPictures::Height, QImage::Format_RGB32);
        image.fill(PictureColour);
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(image.save(path, "PNG"));
    }
    // Rests the mouse on the list's first item and waits for the hint.
    static TbsSkinHintWindow* HintOverFirstItem(TForm1* form) {
        TControl* inner = form->bsSkinFileListBox1->InnerList();
        QCursor::setPos(inner->ClientToScreen(TPoint(20, 5)).ToQPoint());
        inner->OnMouseMove(inner, TShiftState(), 20, 5);
        TbsSkinHintWindow* window = form->bsSkinHint1->HintWindow();
        EXPECT_TRUE(TestEnv::WaitFor([&] { return window->isVisible(); }, 3000));
        return window;
    }
    static bool ShowsPicture(TbsSkinHintWindow* window) {
        const QImage shown = window->Snapshot().ToQImage();
        return !window->Picture().Empty() &&
               shown.pixel(shown.width() / 2, EffectPictures::Height / 2) == PictureColour;
    }
};

} // namespace

TEST_F(EffectListPictures, TheHintShowsThePictureOfTheEffectAboveItsName) {
    const QByteArray code = "<body style=\"background:#20a040\"></body>\r\n";
    AddEffect(Window, QStringLiteral("绿色"), code);
    WritePicture(EffectPictures::UserFolder() + EffectPictures::NameFor(code));
    TForm1* form = Listing();
    TbsSkinHintWindow* window = HintOverFirstItem(form);
    EXPECT_EQ(window->Caption(), QStringLiteral("绿色"));
    EXPECT_TRUE(ShowsPicture(window));
    EXPECT_GE(window->height(), EffectPictures::Height + TbsSkinHintWindow::PictureGap + 10);
    EXPECT_EQ(form->EffectListHint()->HintedEffect(), EffectPath(Window, QStringLiteral("绿色")));
    // Leaving the list takes the hint away.
    form->bsSkinFileListBox1->InnerList()->OnMouseLeave(form->bsSkinFileListBox1->InnerList());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(EffectListPictures, AShippedPictureServesUntilTheUsersOwnTextDiffers) {
    const QByteArray code = "<p>shipped</p>\r\n";
    AddEffect(Window, QStringLiteral("原样"), code);
    const QString installed = TestEnv::NewFolder(QStringLiteral("installed")) + "/";
    Paths::SetInstalledFolder(installed);
    WritePicture(EffectPictures::ShippedFolder() + EffectPictures::NameFor(code));
    EXPECT_FALSE(EffectPictures::PictureFor(EffectPath(Window, QStringLiteral("原样"))).isEmpty());
    AddEffect(Window, QStringLiteral("原样"), "<p>changed</p>\r\n");
    EXPECT_TRUE(EffectPictures::PictureFor(EffectPath(Window, QStringLiteral("原样"))).isEmpty());
    // Neither folder is part of the library.
    for (const QString& pictures : {EffectPictures::UserFolder(), EffectPictures::ShippedFolder()})
        EXPECT_FALSE(pictures.startsWith(folder + "data/"));
}

TEST_F(EffectListPictures, AStalePictureIsNotShownAndIsRemadeInIdleTime) {
    const QByteArray old = "<body style=\"background:#20a040\">old</body>\r\n";
    AddEffect(Window, QStringLiteral("改过"), old);
    WritePicture(EffectPictures::UserFolder() + EffectPictures::NameFor(old));
    // Changed after its picture was taken: now red.
    const QByteArray now = "<body style=\"margin:0;background:#c81e1e\">now</body>\r\n";
    AddEffect(Window, QStringLiteral("改过"), now);
    TForm1* form = Listing();

    TbsSkinHintWindow* window = HintOverFirstItem(form);
    EXPECT_EQ(window->Caption(), QStringLiteral("改过"));
    EXPECT_TRUE(window->Picture().Empty());
    // Listed without a picture, it is made once the program has been idle a while.
    EXPECT_TRUE(form->PictureMaker()->Busy());
    const QString remade = EffectPictures::UserFolder() + EffectPictures::NameFor(now);
    ASSERT_TRUE(EngineWaitFor([&] { return !form->PictureMaker()->Busy(); }, 60000));
    const QImage picture(remade);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(EffectPictures::Width, EffectPictures::Height));
    EXPECT_EQ(picture.pixel(picture.width() / 2, picture.height() - 5), qRgb(0xc8, 0x1e, 0x1e));
    // The hint of the effect still under the mouse comes back with it.
    ASSERT_TRUE(
        EngineWaitFor([&] { return window->isVisible() && !window->Picture().Empty(); }, 3000));
    EXPECT_EQ(window->Picture().ToQImage().pixel(10, 10), qRgb(0xc8, 0x1e, 0x1e));
}

TEST_F(EffectListPictures, AnEffectWhosePictureCannotBeMadeIsTriedOncePerRun) {
    qputenv("ZARVO_EFFECTS_TOOL", (folder + "no-such-tool").toUtf8());
    AddEffect(Window, QStringLiteral("无图"), "<p>x</p>\r\n");
    TForm1* form = Listing();
    ASSERT_TRUE(form->PictureMaker()->Busy());
    ASSERT_TRUE(EngineWaitFor([&] { return !form->PictureMaker()->Busy(); },
                              TEffectPictureMaker::IdleDelayMs + 3000));
    form->PictureMaker()->Want(EffectPath(Window, QStringLiteral("无图")));
    EXPECT_FALSE(form->PictureMaker()->Busy());
    EXPECT_TRUE(messages.empty());
}
