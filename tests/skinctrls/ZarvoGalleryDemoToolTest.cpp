// Runs the staged zarvo-gallery and zarvo-demo programs: their options, exit codes and a
// quiet console.

#include "fixtures/ControlsSkinFixture.h"

#include "common/TestEnv.h"
#include "common/ToolRun.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>

namespace {

ToolRun Gallery(const QStringList& args) {
    return RunStagedTool(QStringLiteral("zarvo-gallery"), args, 180000);
}

ToolRun Demo(const QStringList& args) {
    return RunStagedTool(QStringLiteral("zarvo-demo"), args);
}

class ZarvoTools : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"zarvo-gallery", "zarvo-demo", "zarvo-skin"})
            ASSERT_TRUE(ToolIsBuilt(QString::fromLatin1(tool)));
    }
};

} // namespace

TEST_F(ZarvoTools, GalleryExplainsItselfAndRefusesWrongUsageInOneLine) {
    const ToolRun help = Gallery({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.err.isEmpty()) << help.err.toStdString();
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: zarvo-gallery ")));
    for (const char* option : {"--fixture", "--out DIR", "--help", "--version"})
        EXPECT_TRUE(help.out.contains(QString::fromLatin1(option))) << option;

    const QStringList bad[] = {
        {QStringLiteral("skin1")},
        {QStringLiteral("--out")},
        {QStringLiteral("--outdir"), QStringLiteral("x")},
        {QStringLiteral("--fixture=yes"), QStringLiteral("--out"), QStringLiteral("x")}};
    for (const QStringList& args : bad) {
        const ToolRun run = Gallery(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("zarvo-gallery: ")));
        EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
    }
}

TEST_F(ZarvoTools, GalleryWritesNothingWhenASkinCannotBeLoaded) {
    const QString out = TestEnv::NewFolder(QStringLiteral("sheets")) + QStringLiteral("/out");
    const QString notASkin = TestEnv::NewFolder(QStringLiteral("empty"));
    TestEnv::WriteFile(notASkin + QStringLiteral("/skin.ini"), "[VERSION]\r\nskinname=x\r\n");
    const QString missing = TestEnv::NewFolder() + QStringLiteral("/none");
    for (const QString& skin : {notASkin, missing}) {
        const ToolRun run = Gallery({skin, QStringLiteral("--out"), out});
        EXPECT_EQ(run.exitCode, 1) << skin.toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("zarvo-gallery: ") + skin))
            << run.err.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral("/default.png")));
    }
}

TEST_F(ZarvoTools, GalleryTakesASkinFolderItsIniOrACompressedSkinQuietly) {
    const QString root = TestEnv::NewFolder(QStringLiteral("gallery"));
    const QString ini = TControlsSkin().Write(root + QStringLiteral("/controls"));
    const QString packed = root + QStringLiteral("/packed.skn");
    ASSERT_EQ(
        RunStagedTool(QStringLiteral("zarvo-skin"), {QStringLiteral("pack"), ini, packed}).exitCode,
        0);
    const QString out = root + QStringLiteral("/out");
    const ToolRun run = Gallery({ini, packed, QStringLiteral("--out"), out});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("controls.png"), QStringLiteral("default.png"),
                           QStringLiteral("packed.png")}));
    // The packed skin draws as its folder does; only the sheets' titles differ.
    const QImage fromIni(out + QStringLiteral("/controls.png"));
    const QImage fromPacked(out + QStringLiteral("/packed.png"));
    ASSERT_FALSE(fromIni.isNull());
    ASSERT_EQ(fromIni.size(), fromPacked.size());
    const QRect belowTitle(0, 50, fromIni.width(), fromIni.height() - 50);
    EXPECT_TRUE(fromIni.copy(belowTitle) == fromPacked.copy(belowTitle));
}

TEST_F(ZarvoTools, DemoRefusesBadOptionsAndFailsOnAnUnwritableScreenshot) {
    const QStringList bad[] = {{QStringLiteral("--quit-after"), QStringLiteral("-5")},
                               {QStringLiteral("--quit-after"), QStringLiteral("soon")},
                               {QStringLiteral("--screenshot"), QStringLiteral("a.png")},
                               {QStringLiteral("--window")},
                               {QStringLiteral("extra")}};
    for (const QStringList& args : bad) {
        const ToolRun run = Demo(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("zarvo-demo: ")));
        EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
    }

    const QString unwritable = TestEnv::NewFolder() + QStringLiteral("/no/such/folder/shot.png");
    ToolRun run = Demo({QStringLiteral("--screenshot"), unwritable, QStringLiteral("--quit-after"),
                        QStringLiteral("100")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("zarvo-demo: cannot write ") + unwritable))
        << run.err.toStdString();

    // A normal run ends by itself, writes its screenshot and prints nothing.
    const QString shot = TestEnv::NewFolder() + QStringLiteral("/shot.png");
    run = Demo({QStringLiteral("--quit-after"), QStringLiteral("600"),
                QStringLiteral("--screenshot"), shot});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_FALSE(QImage(shot).isNull());
}
