// Runs the installed zarvo-lunar program from the program folder next to the test binaries.

#include "common/ToolRun.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace {
ToolRun RunTool(const QStringList& args) {
    return RunStagedTool(QStringLiteral("zarvo-lunar"), args, 30000);
}

class ZarvoLunarTool : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ToolIsBuilt(QStringLiteral("zarvo-lunar"))); }
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
        {QStringLiteral("2006-08-01"), QStringLiteral("2006-08-02"), QStringLiteral("2006-08-03")},
        {QStringLiteral("--today")},
        {QStringLiteral("2006-08-01"), QStringLiteral("-x")}};
    for (const QStringList& args : bad) {
        ToolRun run = RunTool(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        // One line saying what is wrong, not the whole usage again.
        EXPECT_TRUE(run.err.startsWith(QStringLiteral("zarvo-lunar: "))) << run.err.toStdString();
        EXPECT_EQ(run.err.count(u'\n'), 1) << run.err.toStdString();
    }
    EXPECT_EQ(RunTool({QStringLiteral("--today")}).err,
              QStringLiteral("zarvo-lunar: unknown option --today (see zarvo-lunar --help)\n"));
    // A date after "--" is a date even when it looks like an option.
    EXPECT_TRUE(RunTool({QStringLiteral("--"), QStringLiteral("-1-01-01")})
                    .err.contains(QStringLiteral("not a date")));
}

TEST_F(ZarvoLunarTool, HelpExplainsEveryColumnAndVersionPrintsTheVersion) {
    const ToolRun help = RunTool({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.err.isEmpty());
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: zarvo-lunar DATE [LAST-DATE]\n")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("days since 30 December 1899")));
    for (const char* column : {"serial", "leap flag", "solar term", "lunar festival"})
        EXPECT_TRUE(help.out.contains(QString::fromLatin1(column))) << column;
    for (const char* option : {"--help", "--version"})
        EXPECT_TRUE(help.out.contains(QString::fromLatin1(option))) << option;

    const ToolRun version = RunTool({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^zarvo-lunar \\d+\\.\\d+\\.\\d+\n$"))
                    .match(version.out)
                    .hasMatch())
        << version.out.toStdString();
}
