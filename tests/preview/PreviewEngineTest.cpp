#include "app/PreviewEngine.h"
#include "app/PreviewPage.h"
#include "common/TestEnv.h"
#include "framework/Exceptions.h"
#include "framework/Strings.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
const QUrl kPreview = QUrl::fromLocalFile(QStringLiteral("/opt/zarvo/zarvotemp/zarvotemp.htm"));

bool Allowed(const QString& url) {
    return IsPreviewRequestAllowed(QUrl(url), kPreview);
}
} // namespace

TEST(PreviewRequests, AllowOnlyThePreviewFileAndInlineData) {
    EXPECT_TRUE(Allowed(QStringLiteral("file:///opt/zarvo/zarvotemp/zarvotemp.htm")));
    EXPECT_TRUE(Allowed(QStringLiteral("file:///opt/zarvo/zarvotemp/zarvotemp.htm?x=1#top")));
    EXPECT_TRUE(Allowed(QStringLiteral("file:///opt/zarvo/zarvotemp/../zarvotemp/zarvotemp.htm")));
    EXPECT_TRUE(Allowed(QStringLiteral("data:image/png;base64,AAAA")));
    EXPECT_TRUE(Allowed(QStringLiteral("blob:file:///6f1c-22")));
    EXPECT_TRUE(Allowed(QStringLiteral("about:blank")));

    // Other local files, beside the preview file or anywhere else.
    EXPECT_FALSE(Allowed(QStringLiteral("file:///opt/zarvo/zarvotemp/picture.png")));
    EXPECT_FALSE(Allowed(QStringLiteral("file:///etc/passwd")));
    EXPECT_FALSE(Allowed(QStringLiteral("file:///opt/zarvo/zarvotemp/zarvotemp.htm.bak")));
    EXPECT_FALSE(Allowed(QStringLiteral("file://server/opt/zarvo/zarvotemp/zarvotemp.htm")));
    // The network and other schemes.
    EXPECT_FALSE(Allowed(QStringLiteral("http://example.com/opt/zarvo/zarvotemp/zarvotemp.htm")));
    EXPECT_FALSE(Allowed(QStringLiteral("https://example.com/")));
    EXPECT_FALSE(Allowed(QStringLiteral("ws://example.com/")));
    EXPECT_FALSE(Allowed(QStringLiteral("ftp://example.com/a")));
    EXPECT_FALSE(Allowed(QStringLiteral("qrc:/anything")));
    EXPECT_FALSE(Allowed(QStringLiteral("about:config")));
}

TEST(PreviewFile, HoldsTheLinesInGbkWithCrLfAfterEveryLine) {
    const QString folder = TestEnv::NewFolder();
    const QString path = PreviewFilePathIn(folder);
    EXPECT_EQ(path, folder + QStringLiteral("/zarvotemp/zarvotemp.htm"));
    TestEnv::WriteFile(path, "old content that is longer than the new one\r\n");

    TStringList lines{QStringLiteral("<p>中文</p>"), QString(), QStringLiteral("end\u20AC")};
    WritePreviewFile(path, lines);
    // "中" D6 D0, "文" CE C4; the euro sign is not in GBK and keeps its GB18030 code.
    EXPECT_EQ(TestEnv::ReadFile(path),
              QByteArray("<p>\xD6\xD0\xCE\xC4</p>\r\n\r\nend\xA2\xE3\r\n"));

    TStringList empty;
    WritePreviewFile(path, empty);
    EXPECT_TRUE(TestEnv::ReadFile(path).isEmpty());
}

TEST(PreviewFile, MissingFolderIsReportedAndNothingIsCreated) {
    const QString folder = TestEnv::NewFolder();
    TStringList lines{QStringLiteral("x")};
    try {
        WritePreviewFile(PreviewFilePathIn(folder), lines);
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Cannot create file \""))) << e.what();
    }
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/zarvotemp")));
}

TEST(PreviewDialogs, ManyInARowOfferTheStopUntilReset) {
    PreviewDialogGuard guard;
    qint64 now = 0;
    auto dialog = [&](qint64 openAfter, qint64 openFor = 100) {
        now += openAfter;
        bool offer = guard.Opening(now);
        now += openFor;
        guard.Closed(now);
        return offer;
    };
    for (int i = 1; i < PreviewDialogGuard::kOfferAfter; ++i)
        EXPECT_FALSE(dialog(10)) << i;
    EXPECT_TRUE(dialog(10));
    EXPECT_TRUE(dialog(10)); // declined: the next one of the row offers again

    // A pause as long as the gap starts a new row, however long the dialog stayed open.
    EXPECT_FALSE(dialog(PreviewDialogGuard::kGapMs, 60000));
    for (int i = 2; i < PreviewDialogGuard::kOfferAfter; ++i)
        EXPECT_FALSE(dialog(PreviewDialogGuard::kGapMs - 1, 60000));
    EXPECT_TRUE(dialog(0));

    guard.Stop();
    EXPECT_TRUE(guard.Stopped());
    guard.Reset();
    EXPECT_FALSE(guard.Stopped());
    EXPECT_FALSE(dialog(0));
}
