// The preview window reads pages in the encoding they come in: a page without a declaration
// as GBK (the library's) unless its bytes are UTF-8, so its text and its dialogs read right.

#include "appwindows/EngineWait.h"
#include "appwindows/MainWindowFixture.h"

#include "app/PreviewSetup.h"
#include "app/PreviewView.h"
#include "app/Unit4.h"
#include "framework/Strings.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

namespace {

class PreviewEncoding : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        QDir().mkpath(folder + "zarvotemp");
        PreparePreviewProcess();
    }
    QString PreviewFile() const { return folder + "zarvotemp/zarvotemp.htm"; }

    // Shows the preview window until the page has loaded and `ready` holds, and returns the
    // page's text.
    QString ShowPage(const std::function<bool()>& ready) {
        TForm4 window;
        window.UseSkin(nullptr, nullptr);
        window.DoCreate();
        QString text;
        QTimer::singleShot(0, [&] {
            bool loaded = false;
            window.WebBrowser1->OnLoadFinished = [&](bool) { loaded = true; };
            EngineWaitFor([&] { return loaded && ready(); }, 20000);
            window.WebBrowser1->OnLoadFinished = {};
            bool done = false;
            window.WebBrowser1->View()->PageText([&](const QString& result) {
                text = result.trimmed();
                done = true;
            });
            EngineWaitFor([&] { return done; });
            window.bsSkinButton1->Click();
        });
        window.ShowModal();
        return text;
    }
};

} // namespace

TEST_F(PreviewEncoding, AnUndeclaredGbkPageShowsAndAlertsItsChinese) {
    // One Chinese character among ASCII: an engine left to guess takes this for windows-1252.
    TStringList page{
        QStringLiteral("<body>中<script>alert(\"第\" + 1 + \"个弹窗\")</script></body>")};
    WritePreviewFile(PreviewFile(), page);
    const QString text = ShowPage([this] { return !messages.empty(); });
    EXPECT_EQ(text, QStringLiteral("中"));
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("第1个弹窗")});
}

TEST_F(PreviewEncoding, AnUndeclaredUtf8PageKeepsItsEmojiAndADeclaredOneItsDeclaration) {
    TStringList utf8{QStringLiteral("<body>点赞 \U0001F44D</body>")};
    WritePreviewFile(PreviewFile(), utf8, TextEncoding::Encoding::Utf8);
    EXPECT_EQ(ShowPage([] { return true; }), QStringLiteral("点赞 \U0001F44D"));

    // A page that names another encoding is read in that one, not in ours.
    QFile file(PreviewFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<meta charset=\"iso-8859-1\"><body>caf\xE9</body>");
    file.close();
    EXPECT_EQ(ShowPage([] { return true; }), QStringLiteral("café"));
}
