// The live preview: the option, the window beside the main window that follows the code
// window, and the modal preview while the option is off.

#include "appwindows/EngineWait.h"
#include "appwindows/MainWindowFixture.h"

#include "app/LivePreview.h"
#include "app/PreviewPlacement.h"
#include "app/PreviewSetup.h"
#include "app/PreviewView.h"
#include "skinforms/bsSkinMainMenu.h"
#include "skinctrls/bsSkinMemo.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTimer>

namespace {

class LivePreview : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        PreparePreviewProcess();
        QDir().mkpath(folder + "zarvotemp");
    }
    void TearDown() override {
        if (preview)
            preview->Hide();
        MainWindowFixture::TearDown();
    }
    // The main window with its preview window, an effect opened.
    TForm1* Opened(const QByteArray& bytes) {
        AddEffect(Window, QStringLiteral("实时"), bytes);
        TForm1* form = Start();
        auto window = std::make_unique<TForm4>();
        preview = window.get();
        preview->DoCreate();
        form->UseWindows(nullptr, preview);
        dialogs.push_back(std::move(window));
        Pick(form, Window);
        Open(form, QStringLiteral("实时"));
        return form;
    }
    // Shows the live window and waits for its page.
    void ShowLive(TForm1* form) {
        Click(form->bsSkinButton2);
        ASSERT_TRUE(preview->isVisible());
        ASSERT_TRUE(EngineWaitFor([&] { return PageText().contains(QStringLiteral("版本")); }));
    }
    QString PageText() {
        TPreviewView* view = preview->WebBrowser1->View();
        if (!view)
            return QString();
        QString text;
        bool done = false;
        view->PageText([&](const QString& result) {
            text = result;
            done = true;
        });
        EngineWaitFor([&] { return done; }, 5000);
        return text.trimmed();
    }
    QByteArray SettingsFile() const { return TestEnv::ReadFile(ZarvoSettings::FilePath()); }

    TForm4* preview = nullptr;
};

// A page that is `height` pixels tall and names its version and its scroll position.
QString TallPage(const QString& version, int height, int scrollTo = -1) {
    QString page = QStringLiteral("<body style=\"margin:0\"><div id=\"y\">%1</div>"
                                  "<div style=\"height:%2px\"></div>"
                                  "<script>setInterval(function () {"
                                  " document.getElementById('y').textContent = '%1 Y' + "
                                  "Math.round(scrollY); }, 20);")
                       .arg(version)
                       .arg(height);
    if (scrollTo >= 0)
        page += QStringLiteral("scrollTo(0, %1);").arg(scrollTo);
    return page + QStringLiteral("</script></body>");
}

} // namespace

TEST_F(LivePreview, TheOptionIsACheckableItemOfTheSettingsMenuRememberedAndOnCtrlL) {
    TForm1* form = Start();
    TMenuItem* settings = form->bsSkinMainMenu1->Items()->Find(QStringLiteral("设置(S)"));
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->Find(QStringLiteral("实时预览(L)")), form->L2);
    EXPECT_EQ(form->L2->Caption(), QStringLiteral("实时预览(&L)"));
    EXPECT_EQ(form->L2->ShortCutText(), QStringLiteral("Ctrl+L"));
    EXPECT_FALSE(form->L2->Checked());

    Click(form->L2);
    EXPECT_TRUE(form->L2->Checked());
    EXPECT_TRUE(SettingsFile().contains("[yulan]")) << SettingsFile().constData();
    EXPECT_TRUE(SettingsFile().contains("shishi=1"));
    // The next start reads it back.
    TForm1* again = Start();
    EXPECT_TRUE(again->L2->Checked());

    EXPECT_TRUE(form->IsShortCut(ShortCut(Qt::Key_L, scCtrl)));
    EXPECT_FALSE(form->L2->Checked());
    EXPECT_TRUE(SettingsFile().contains("shishi=0"));
    EXPECT_FALSE(Start()->L2->Checked());
}

TEST_F(LivePreview, OnThePreviewStandsBesideTheMainWindowAndFollowsTheCodeAfterThePause) {
    TForm1* form = Opened(TallPage(QStringLiteral("版本一"), 100).toUtf8());
    Click(form->L2);
    ShowLive(form);
    // The click returned with the window shown: nothing waits for it, nothing is blocked.
    EXPECT_FALSE(preview->Modal());
    EXPECT_EQ(QGuiApplication::modalWindow(), nullptr);
    EXPECT_EQ(preview->BorderStyle(), bsSizeable);
    EXPECT_TRUE(form->isEnabled());
    const int reloads = preview->WebBrowser1->ReloadCount();

    form->bsSkinMemo21->SetText(TallPage(QStringLiteral("版本二"), 100));
    ASSERT_TRUE(form->LivePreview()->Pending());
    // Typing goes on before the pause ends: still the first page.
    EngineWaitFor([] { return false; }, TLivePreview::PauseMs / 2);
    form->bsSkinMemo21->SetText(TallPage(QStringLiteral("版本三"), 100));
    EngineWaitFor([] { return false; }, TLivePreview::PauseMs * 2 / 3);
    EXPECT_EQ(preview->WebBrowser1->ReloadCount(), reloads);
    EXPECT_TRUE(PageText().startsWith(QStringLiteral("版本一")));

    ASSERT_TRUE(EngineWaitFor([&] { return PageText().startsWith(QStringLiteral("版本三")); }));
    EXPECT_EQ(preview->WebBrowser1->ReloadCount(), reloads + 1);
    EXPECT_TRUE(messages.empty());
    // Written as the preview command writes it: in the effect's encoding, CR LF after the line.
    EXPECT_EQ(TestEnv::ReadFile(folder + "zarvotemp/zarvotemp.htm"),
              (TallPage(QStringLiteral("版本三"), 100) + QStringLiteral("\r\n")).toUtf8());
}

TEST_F(LivePreview, ARefreshKeepsTheScrollPositionWhereThePageReachesAsFar) {
    TForm1* form = Opened(TallPage(QStringLiteral("版本一"), 5000, 1200).toUtf8());
    Click(form->L2);
    ShowLive(form);
    ASSERT_TRUE(EngineWaitFor([&] { return PageText() == QStringLiteral("版本一 Y1200"); }));

    // The changed page does not scroll itself: it opens where the old one stood.
    form->bsSkinMemo21->SetText(TallPage(QStringLiteral("版本二"), 5000));
    ASSERT_TRUE(EngineWaitFor([&] { return PageText().startsWith(QStringLiteral("版本二")); }));
    EXPECT_TRUE(EngineWaitFor([&] { return PageText() == QStringLiteral("版本二 Y1200"); }, 3000))
        << PageText().toStdString();

    // A page too short for it stands as far down as it goes.
    form->bsSkinMemo21->SetText(TallPage(QStringLiteral("版本三"), 10));
    EXPECT_TRUE(EngineWaitFor([&] { return PageText() == QStringLiteral("版本三 Y0"); }, 5000))
        << PageText().toStdString();
}

TEST_F(LivePreview, OffThePreviewIsModalAndSwitchingOffClosesTheLiveWindow) {
    TForm1* form = Opened(TallPage(QStringLiteral("版本一"), 100).toUtf8());
    bool modal = false;
    QTimer::singleShot(0, [&] {
        modal = preview->Modal() && QGuiApplication::modalWindow() != nullptr;
        Click(preview->bsSkinButton1);
    });
    Click(form->bsSkinButton2);
    EXPECT_TRUE(modal);
    EXPECT_FALSE(preview->isVisible());
    EXPECT_EQ(preview->BorderStyle(), bsSingle);

    Click(form->L2);
    ShowLive(form);
    form->bsSkinMemo21->SetText(TallPage(QStringLiteral("版本二"), 100));
    Click(form->L2);
    EXPECT_FALSE(preview->isVisible());
    EXPECT_FALSE(form->LivePreview()->Pending());
    EXPECT_EQ(preview->BorderStyle(), bsSingle);
    EXPECT_EQ(preview->ClientWidth(), TForm4::DesignClientWidth);
    EXPECT_EQ(preview->ClientHeight(), TForm4::DesignClientHeight);
    // Changes while it is off write nothing.
    EngineWaitFor([] { return false; }, TLivePreview::PauseMs + 100);
    EXPECT_FALSE(TestEnv::ReadFile(folder + "zarvotemp/zarvotemp.htm").contains("版本二"));
}

TEST_F(LivePreview, APreviewFileThatCannotBeWrittenIsReportedOnceNotAfterEveryPause) {
    TForm1* form = Opened(TallPage(QStringLiteral("版本一"), 100).toUtf8());
    Click(form->L2);
    ShowLive(form);
    QDir(folder + "zarvotemp").removeRecursively();
    for (const char* version : {"版本二", "版本三"}) {
        form->bsSkinMemo21->SetText(TallPage(QString::fromUtf8(version), 100));
        EngineWaitFor([] { return false; }, TLivePreview::PauseMs + 150);
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.startsWith(QStringLiteral("Cannot create file")));
    EXPECT_TRUE(PageText().startsWith(QStringLiteral("版本一")));

    // Once it can be written again, the preview follows (and a later failure is told again).
    QDir().mkpath(folder + "zarvotemp");
    form->bsSkinMemo21->SetText(TallPage(QStringLiteral("版本四"), 100));
    EXPECT_TRUE(EngineWaitFor([&] { return PageText().startsWith(QStringLiteral("版本四")); }));
}

TEST(PreviewPlacement, TheDesignedSizeGivesTheDesignedPlacesAndMoreRoomGoesToTheBrowser) {
    const TPreviewLayout design = PreviewLayoutFor(689, 441);
    EXPECT_EQ(design.Group, TRect(0, 0, 689, 425));
    EXPECT_EQ(design.Browser, TRect(4, 25, 4 + 682, 25 + 396));
    EXPECT_EQ(design.CloseButton, TRect(600, 2, 675, 19));
    const TPreviewLayout wide = PreviewLayoutFor(1000, 700);
    EXPECT_EQ(wide.Browser, TRect(4, 25, 997, 680));
    EXPECT_EQ(wide.CloseButton.Right, 1000 - 14);
    // Smaller than anything fits: nothing gets a negative size.
    const TPreviewLayout tiny = PreviewLayoutFor(10, 10);
    EXPECT_FALSE(tiny.Browser.Width() < 0 || tiny.Browser.Height() < 0);
}

TEST(PreviewPlacement, TheLiveWindowGoesBesideTheMainWindowWhereTheScreenHasRoom) {
    const TRect work(0, 0, 1920, 1050);
    // Right of it, top to top.
    EXPECT_EQ(PlacePreviewBeside(TRect(100, 50, 800, 530), 700, 470, work),
              TRect(800, 50, 1500, 520));
    // Left of it when the right has no room.
    EXPECT_EQ(PlacePreviewBeside(TRect(1100, 50, 1800, 530), 700, 470, work),
              TRect(400, 50, 1100, 520));
    // Neither side holds it whole: the roomier side, narrowed.
    EXPECT_EQ(PlacePreviewBeside(TRect(100, 50, 800, 530), 700, 470, TRect(0, 0, 1280, 1024)),
              TRect(800, 50, 1280, 520));
    // No room on either side: at the right edge, over the main window.
    EXPECT_EQ(PlacePreviewBeside(TRect(200, 50, 900, 530), 700, 470, TRect(0, 0, 1024, 768)),
              TRect(324, 50, 1024, 520));
    // Kept inside the work area at the bottom.
    EXPECT_EQ(PlacePreviewBeside(TRect(100, 700, 800, 1180), 700, 470, work).Bottom, 1050);
}

TEST_F(LivePreview, AScriptThatHangsIsEndedByTheNextChangeWhichThenShows) {
    TForm1* form = Opened(TallPage(QStringLiteral("版本一"), 100).toUtf8());
    Click(form->L2);
    ShowLive(form);
    // Half typed, a loop that never ends.
    form->bsSkinMemo21->SetText(QStringLiteral("<body>忙<script>while (true) {}</script></body>"));
    EngineWaitFor([] { return false; }, TLivePreview::PauseMs + 300);
    form->bsSkinMemo21->SetText(TallPage(QStringLiteral("版本二"), 100));
    // Asked for its text, the hung page would not answer either: first the pause, the probe
    // and the fresh renderer.
    EngineWaitFor([] { return false; }, TLivePreview::PauseMs + TWebBrowser::HangTimeoutMs + 800);
    EXPECT_TRUE(
        EngineWaitFor([&] { return PageText().startsWith(QStringLiteral("版本二")); }, 10000))
        << PageText().toStdString();
    EXPECT_TRUE(messages.empty());
}
