// The two preview commands and the preview window with its browser engine.

#include "appwindows/EngineWait.h"
#include "appwindows/MainWindowFixture.h"

#include "app/PreviewSetup.h"
#include "app/PreviewView.h"
#include "framework/Strings.h"
#include "platform/Gbk.h"
#include "skin/bsSkinMenus.h"
#include "skinctrls/bsSkinMemo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

namespace {

// The engine draws through the shared graphics context, which exists only when asked for
// before the application object is made.
const bool SharedContexts = [] {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return true;
}();

class Preview : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        QDir().mkpath(folder + "zarvotemp");
    }
    QString PreviewFile() const { return folder + "zarvotemp/zarvotemp.htm"; }
    TForm1* OpenedEffect(const QString& name, const QByteArray& bytes) {
        AddEffect(Window, name, bytes);
        TForm1* form = StartWithAddDialog();
        Pick(form, Window);
        Open(form, name);
        return form;
    }

    QString shown; // the text the preview showed last
};

// The text of the page the browser shows now.
QString PageText(TWebBrowser* browser) {
    QString text;
    bool done = false;
    browser->View()->PageText([&](const QString& result) {
        text = result;
        done = true;
    });
    EngineWaitFor([&] { return done; }, 5000);
    return text.trimmed();
}

} // namespace

TEST_F(Preview, ThePreviewFileHoldsTheEditedCodeInGbkAndTheEffectStays) {
    TForm1* form = OpenedEffect(QStringLiteral("雪花"), "<p>snow</p>\r\n");
    form->bsSkinMemo21->SetText(QStringLiteral("<p>改过的雪花</p>\n<p>2</p>"));
    Click(form->bsSkinButton2);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(TestEnv::ReadFile(PreviewFile()),
              Gbk::Encode(QStringLiteral("<p>改过的雪花</p>\r\n<p>2</p>\r\n")));
    EXPECT_EQ(TestEnv::ReadFile(EffectPath(Window, QStringLiteral("雪花"))),
              QByteArray("<p>snow</p>\r\n"));

    form->bsSkinMemo21->SetText(QStringLiteral("<p>浏览器</p>"));
    Click(form->bsSkinButton3);
    EXPECT_EQ(TestEnv::ReadFile(PreviewFile()), Gbk::Encode(QStringLiteral("<p>浏览器</p>\r\n")));
}

TEST_F(Preview, AnUnwritablePreviewFileEndsTheCommandWithTheErrorReport) {
    TForm1* form = OpenedEffect(QStringLiteral("雪花"), "<p>snow</p>\r\n");
    TestEnv::WriteFile(PreviewFile(), "old\r\n");
    QFile::setPermissions(PreviewFile(), QFile::ReadOwner | QFile::ReadOther);
    // The folder is the user's to write in: only the product's own check keeps the page.
    QFile::setPermissions(folder + "zarvotemp", QFile::permissions(folder + "zarvotemp") |
                                                    QFile::WriteOther | QFile::ExeOther);
    {
        // Root writes read-only files all the same; an ordinary user may not.
        TestEnv::OrdinaryUser user;
        ASSERT_EQ(user.Problem(), QString());
        for (TbsSkinButton* button : {form->bsSkinButton2, form->bsSkinButton3}) {
            messages.clear();
            Click(button);
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_TRUE(messages[0].Text.startsWith(QStringLiteral("Cannot create file")));
            EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Error);
            EXPECT_EQ(TestEnv::ReadFile(PreviewFile()), QByteArray("old\r\n"));
        }
    }
    QFile::setPermissions(PreviewFile(), QFile::ReadOwner | QFile::WriteOwner);

    // Without the folder nothing is created.
    QDir(folder + "zarvotemp").removeRecursively();
    messages.clear();
    Click(form->bsSkinButton2);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.startsWith(QStringLiteral("Cannot create file")));
    EXPECT_FALSE(QDir(folder + "zarvotemp").exists());
}

TEST_F(Preview, TheWindowNavigatesOnceAndReloadsOnEveryShowing) {
    PreparePreviewProcess(); // the engine's sandbox and graphics for this machine
    TForm4 window;
    window.UseSkin(nullptr, nullptr);
    window.DoCreate();
    EXPECT_EQ(window.Text(), QStringLiteral("zarvo特效预览"));
    EXPECT_EQ(window.ClientWidth(), 689);
    EXPECT_EQ(window.ClientHeight(), 441);
    // Creating the window leaves the engine off; its navigation waits for it.
    EXPECT_FALSE(window.WebBrowser1->EngineStarted());
    EXPECT_EQ(window.WebBrowser1->NavigationCount(), 0);

    TStringList first{QStringLiteral("<body>第一个特效</body>")};
    WritePreviewFile(PreviewFile(), first);
    auto showOnce = [&] {
        // The modal loop ends when the page is on screen and the close button is pressed.
        QTimer::singleShot(0, [&] {
            bool loaded = false;
            window.WebBrowser1->OnLoadFinished = [&](bool) { loaded = true; };
            EngineWaitFor([&] { return loaded; });
            window.WebBrowser1->OnLoadFinished = {};
            shown = PageText(window.WebBrowser1);
            Click(window.bsSkinButton1);
        });
        window.ShowModal();
    };
    showOnce();
    EXPECT_EQ(shown, QStringLiteral("第一个特效"));
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.WebBrowser1->NavigationCount(), 1);
    EXPECT_EQ(window.WebBrowser1->ReloadCount(), 0);

    TStringList second{QStringLiteral("<body>第二个特效</body>")};
    WritePreviewFile(PreviewFile(), second);
    showOnce();
    EXPECT_EQ(shown, QStringLiteral("第二个特效"));
    EXPECT_EQ(window.WebBrowser1->NavigationCount(), 1);
    EXPECT_EQ(window.WebBrowser1->ReloadCount(), 1);

    // A script that never ends: the window still closes, and the next preview shows.
    TStringList endless{QStringLiteral("<body>忙<script>while (true) {}</script></body>")};
    WritePreviewFile(PreviewFile(), endless);
    QTimer::singleShot(0, [&] {
        EngineWaitFor([] { return false; }, 1000);
        Click(window.bsSkinButton1);
    });
    window.ShowModal();
    EngineWaitFor([] { return false; }, TWebBrowser::HangTimeoutMs + 500);
    TStringList after{QStringLiteral("<body>之后的特效</body>")};
    WritePreviewFile(PreviewFile(), after);
    showOnce();
    EXPECT_EQ(shown, QStringLiteral("之后的特效"));
}

TEST_F(Preview, AnEngineStartedAheadRunsNoPageUntilTheWindowShowsOne) {
    PreparePreviewProcess();
    // The last effect previewed, maybe in an earlier run, is still in the preview file.
    TStringList left{QStringLiteral("<body>留下的特效<script>alert('留下的');</script></body>")};
    WritePreviewFile(PreviewFile(), left);
    TForm4 window;
    window.UseSkin(nullptr, nullptr);
    window.DoCreate();
    window.WebBrowser1->StartEngine();
    EngineWaitFor([] { return false; }, 1500);
    EXPECT_TRUE(messages.empty()) << "a page ran unseen";
    EXPECT_EQ(PageText(window.WebBrowser1), QString());

    QTimer::singleShot(0, [&] {
        EngineWaitFor([&] { return !messages.empty(); });
        shown = PageText(window.WebBrowser1);
        Click(window.bsSkinButton1);
    });
    window.ShowModal();
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("留下的")});
    EXPECT_EQ(shown, QStringLiteral("留下的特效"));
}

TEST_F(Preview, PageDialogsGoToTheSkinnedBoxWithAWayOutOfLoops) {
    TForm4 window;
    window.UseSkin(nullptr, nullptr);
    PreviewDialog alert;
    alert.text = QStringLiteral("你好");
    window.WebBrowser1->OnDialog(alert);
    ASSERT_EQ(MessageTexts(), QStringList{QStringLiteral("你好")});

    PreviewDialog confirm;
    confirm.kind = PreviewDialog::Kind::Confirm;
    confirm.text = QStringLiteral("继续吗");
    answer = mrOk;
    EXPECT_TRUE(window.WebBrowser1->OnDialog(confirm).accepted);
    answer = mrCancel;
    EXPECT_FALSE(window.WebBrowser1->OnDialog(confirm).accepted);

    // After many in a row the box first offers to stop them.
    messages.clear();
    alert.offerStop = true;
    answer = mrYes;
    EXPECT_TRUE(window.WebBrowser1->OnDialog(alert).stopDialogs);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.contains(QStringLiteral("禁止")));
    answer = mrNo;
    messages.clear();
    EXPECT_FALSE(window.WebBrowser1->OnDialog(alert).stopDialogs);
    EXPECT_EQ(MessageTexts().last(), QStringLiteral("你好"));
}

TEST_F(Preview, AMissingEngineModuleIsReportedAndNothingElseHappens) {
    qputenv("ZARVO_PREVIEW_MODULE", (folder + "libnothing.so").toUtf8());
    TForm4 window;
    window.DoCreate();
    FireEvent(window.OnShow, &window);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.startsWith(QStringLiteral("Cannot load the preview module")))
        << messages[0].Text.toStdString();
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Error);
    EXPECT_FALSE(window.WebBrowser1->EngineStarted());
}

TEST_F(Preview, ThePagesMenuOffersCopySelectAllAndReloadInPlaceOfTheEnginesOwn) {
    TForm4 window;
    window.UseSkin(nullptr, nullptr);
    TMenuItem* items = window.bsSkinPopupMenu1->Items();
    ASSERT_EQ(items->Count(), 3);
    EXPECT_EQ(items->Items(0)->Caption(), QStringLiteral("复制"));
    EXPECT_EQ(items->Items(1)->Caption(), QStringLiteral("全选"));
    EXPECT_EQ(items->Items(2)->Caption(), QStringLiteral("重新载入"));
    // Without an engine there is no page to ask: nothing opens.
    window.WebBrowser1ContextMenu(QPoint(10, 10));
    EXPECT_TRUE(messages.empty());
}
