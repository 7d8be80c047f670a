// Runs the installed zarvo-lunar program from the program folder next to the test binaries.

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace {
struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

QString ToolPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../zarvofx/zarvo-lunar");
}

ToolRun RunTool(const QStringList& args) {
    QProcess process;
    process.start(ToolPath(), args);
    ToolRun run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

class ZarvoLunarTool : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QFileInfo(ToolPath()).isExecutable())
            GTEST_SKIP() << "zarvo-lunar is not built at " << ToolPath().toStdString();
    }
};
} // namespace

TEST_F(ZarvoLunarTool, PrintsOneTabSeparatedLinePerDay) {
    ToolRun run = RunTool({QStringLiteral("2006-01-28"), QStringLiteral("2006-01-29")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QStringList lines = run.out.split(u'\n');
    ASSERT_EQ(lines.size(), 3); // two lines and the empty rest after the last newline
    EXPECT_EQ(lines[0],
              QStringLiteral("2006-01-28\t38745\t2005\t12\t29\t0\t乙酉(鸡年)\t十二月\t廿九"
                             "\t\t\t*除夕"));
    EXPECT_EQ(lines[1], QStringLiteral("2006-01-29\t38746\t2006\t1\t1\t0\t丙戌(狗年)\t一月\t初一"
                                       "\t\t\t*春节"));

    run = RunTool({QStringLiteral("2014-02-14")});
    EXPECT_EQ(run.out, QStringLiteral("2014-02-14\t41684\t2014\t1\t15\t0\t甲午(马年)\t一月\t十五"
                                      "\t\t 情人节\t 元宵节\n"));
    run = RunTool({QStringLiteral("2006-8-24")});
    QStringList fields = run.out.chopped(1).split(u'\t');
    ASSERT_EQ(fields.size(), 12);
    EXPECT_EQ(fields[5], QStringLiteral("1"));
    EXPECT_EQ(fields[7], QStringLiteral("闰七月"));
    run = RunTool({QStringLiteral("2008-02-04")});
    EXPECT_EQ(run.out.split(u'\t').value(9), QStringLiteral("立春"));

    // Outside the lunar range the lunar part is empty; Gregorian data still shows.
    run = RunTool({QStringLiteral("1850-01-01")});
    EXPECT_EQ(run.out.left(10), QStringLiteral("1850-01-01"));
    EXPECT_TRUE(run.out.endsWith(QStringLiteral("\t0\t0\t0\t0\t\t\t\t\t*元旦\t\n")))
        << run.out.toStdString();

    run = RunTool({QStringLiteral("2006-08-01"), QStringLiteral("2006-08-31")});
    EXPECT_EQ(run.out.count(u'\n'), 31);
}

TEST_F(ZarvoLunarTool, RejectsBadArgumentsWithExitCodeTwo) {
    const QStringList bad[] = {
        {},
        {QStringLiteral("2006-02-30")},
        {QStringLiteral("yesterday")},
        {QStringLiteral("10000-01-01")},
        {QStringLiteral("0-01-01")},
        {QStringLiteral("2006-08-31"), QStringLiteral("2006-08-01")},
        {QStringLiteral("2006-08-01"), QStringLiteral("2006-08-02"), QStringLiteral("2006-08-03")}};
    for (const QStringList& args : bad) {
        ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("zarvo-lunar: ")));
    }
    ToolRun help = RunTool({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: zarvo-lunar")));
}
