// The effect checker run on fixture effects, each with one known fault, and a good one.

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
struct CheckRun {
    int exitCode = -1;
    QStringList lines;
    QString errors;
};

CheckRun RunChecker(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(ZARVO_EFFECTS_TOOL), args);
    process.waitForFinished(120000);
    CheckRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    run.errors = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QStringList LinesOf(const CheckRun& run, const QString& effect) {
    return run.lines.filter(QStringLiteral("检查样例/") + effect + QStringLiteral(": "));
}
} // namespace

TEST(EffectChecker, ReportsEachFixtureFaultAndPassesTheGoodEffect) {
    const CheckRun run = RunChecker({QStringLiteral("check"), QStringLiteral("--verbose"),
                                     QStringLiteral(ZARVO_FIXTURES "/effects")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.isEmpty()) << run.errors.toStdString();

    // The second good one counts its visits in a cookie across a reload; the last two declare
    // no encoding and fail unless their Chinese is read as GBK and as UTF-8.
    for (const QString& effect : {QStringLiteral("好的特效"), QStringLiteral("记住访问次数"),
                                  QStringLiteral("未声明编码"), QStringLiteral("未声明的UTF-8")}) {
        const QStringList good = LinesOf(run, effect);
        ASSERT_EQ(good.size(), 1) << effect.toStdString();
        EXPECT_TRUE(good[0].contains(QStringLiteral(": ok, loaded in "))) << good[0].toStdString();
    }

    auto expectOne = [&](const QString& effect, const QString& fault) {
        const QStringList lines = LinesOf(run, effect);
        ASSERT_EQ(lines.size(), 1)
            << effect.toStdString() << ": " << lines.join(u'|').toStdString();
        EXPECT_TRUE(lines[0].contains(fault)) << lines[0].toStdString();
    };
    expectOne(QStringLiteral("脚本错误"),
              QStringLiteral("script error at line 10: Uncaught ReferenceError: noSuchFunction"));
    expectOne(QStringLiteral("网络请求"),
              QStringLiteral("blocked request: http://example.invalid/picture.png"));
    expectOne(QStringLiteral("读本地文件"),
              QStringLiteral("blocked request: file:///etc/hostname"));
    expectOne(QStringLiteral("空白页"), QStringLiteral("blank page (all #336699)"));
    expectOne(QStringLiteral("对话框循环"), QStringLiteral("opens dialog after dialog"));
    EXPECT_TRUE(run.lines.last().startsWith(QStringLiteral("checked 9 effects in ")))
        << run.lines.last().toStdString();
}

TEST(EffectChecker, FollowsTheToolConventions) {
    CheckRun good = RunChecker(
        {QStringLiteral("check"), QStringLiteral(ZARVO_FIXTURES "/effects/检查样例/好的特效")});
    EXPECT_EQ(good.exitCode, 0);
    EXPECT_TRUE(good.lines.isEmpty() && good.errors.isEmpty()) << good.errors.toStdString();

    CheckRun help = RunChecker({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.lines.join(u'\n').contains(QStringLiteral("--jobs N")));

    CheckRun wrong =
        RunChecker({QStringLiteral("check"), QStringLiteral("--jobs"), QStringLiteral("0")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.errors.count(u'\n'), 1) << wrong.errors.toStdString();

    CheckRun missing = RunChecker({QStringLiteral("check"), QStringLiteral("/no/such/effect")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.errors.contains(QStringLiteral("/no/such/effect does not exist")));
}

TEST(EffectChecker, SheetWritesOnePicturePerCategory) {
    const QString out = QDir::tempPath() + QStringLiteral("/zarvo-effects-sheet-test");
    QDir(out).removeRecursively();
    CheckRun run = RunChecker({QStringLiteral("sheet"), QStringLiteral(ZARVO_FIXTURES "/effects"),
                               QStringLiteral("--out"), out});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList{QStringLiteral("检查样例.png")});
    QDir(out).removeRecursively();
}

TEST(EffectChecker, PicturesAreNamedByTheEffectsHashAndTakenOnlyOnce) {
    const QString out = QDir::tempPath() + QStringLiteral("/zarvo-effects-pictures-test");
    QDir(out).removeRecursively();
    const QString good = QStringLiteral(ZARVO_FIXTURES "/effects/检查样例/好的特效");
    CheckRun first = RunChecker({QStringLiteral("pictures"), QStringLiteral("--out"), out, good});
    EXPECT_EQ(first.exitCode, 0) << first.errors.toStdString();
    EXPECT_EQ(first.lines, QStringList{QStringLiteral("1 pictures made, 1 of 1 effects had none")});
    QFile effect(good);
    ASSERT_TRUE(effect.open(QIODevice::ReadOnly));
    const QString name = QString::fromLatin1(
        QCryptographicHash::hash(effect.readAll(), QCryptographicHash::Sha256).toHex());
    EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList{name + QStringLiteral(".png")});
    EXPECT_EQ(QImage(out + u'/' + name + QStringLiteral(".png")).size(), QSize(341, 198));

    CheckRun again = RunChecker({QStringLiteral("pictures"), QStringLiteral("--out"), out, good});
    EXPECT_EQ(again.lines, QStringList{QStringLiteral("0 pictures made, 0 of 1 effects had none")});
    EXPECT_EQ(RunChecker({QStringLiteral("pictures"), good}).exitCode, 2);
    QDir(out).removeRecursively();
}
