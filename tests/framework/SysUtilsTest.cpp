#include "framework/SysUtils.h"
#include "framework/Exceptions.h"

#include "common/TestEnv.h"

#include <QDir>
#include <QFile>
#include <climits>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

QStringList FolderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

TEST(SysUtils, IntegerValueForms) {
    EXPECT_EQ(StrToIntDef("0x1F", -1), 31);
    EXPECT_EQ(StrToIntDef("0X1f", -1), 31);
    EXPECT_EQ(StrToIntDef("$1f", -1), 31);
    EXPECT_EQ(StrToIntDef("-12", 0), -12);
    EXPECT_EQ(StrToIntDef("+7", 0), 7);
    EXPECT_EQ(StrToIntDef(" 12 ", 0), 12);
    EXPECT_EQ(StrToIntDef("0", 5), 0);
    EXPECT_EQ(StrToIntDef("00", 5), 0);
    // Hex keeps the 32-bit pattern, so high-bit colours survive.
    EXPECT_EQ(StrToIntDef("$FFFFFFFF", 0), -1);
    EXPECT_EQ(StrToIntDef("0x8000000F", 0), int(0x8000000F));
    EXPECT_EQ(StrToIntDef("-2147483648", 0), INT_MIN);
    EXPECT_EQ(StrToIntDef("2147483647", 0), INT_MAX);

    // Not integers: the default.
    for (const char* bad :
         {"0x", "0X", "$", "", "  ", "2147483648", "-2147483649", "0x100000000", "$1FFFFFFFF",
          "12a", "1 2", "0x1G", "-$1F", "-0x1F", "x1F", "-", "1.5", "99999999999999999999"})
        EXPECT_EQ(StrToIntDef(QString::fromLatin1(bad), -77), -77) << bad;
    // Only ASCII digits count.
    EXPECT_EQ(StrToIntDef(QStringLiteral("\u0663"), -77), -77);
    EXPECT_EQ(StrToIntDef(QStringLiteral("\uFF11"), -77), -77);

    EXPECT_EQ(StrToInt("$10"), 16);
    try {
        StrToInt("abc");
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToHex(255, 6), "0000FF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
}

TEST(SysUtils, TrimCaseAndCompare) {
    EXPECT_EQ(Trim(QStringLiteral(" \t a b \r\n")), "a b");
    EXPECT_EQ(TrimLeft(QStringLiteral("  a ")), "a ");
    EXPECT_EQ(TrimRight(QStringLiteral("  a ")), "  a");
    EXPECT_EQ(Trim(QStringLiteral("   ")), "");

    EXPECT_EQ(UpperCase(QStringLiteral("abé")), QStringLiteral("ABé"));
    EXPECT_EQ(AnsiUpperCase(QStringLiteral("abé")), QStringLiteral("ABÉ"));
    EXPECT_EQ(LowerCase(QStringLiteral("ABÉ")), QStringLiteral("abÉ"));

    EXPECT_EQ(CompareText("abc", "ABC"), 0);
    EXPECT_LT(CompareText("a", "B"), 0);
    EXPECT_NE(CompareStr("a", "A"), 0);
    EXPECT_TRUE(SameText("Skins", "SKINS"));

    // Equal without regard to case is exactly what compares 0.
    EXPECT_EQ(AnsiCompareText(QStringLiteral("Émile"), QStringLiteral("éMILE")), 0);
    EXPECT_TRUE(AnsiSameText(QStringLiteral("Émile"), QStringLiteral("éMILE")));
    EXPECT_LT(AnsiCompareText("apple", "Banana"), 0);
    EXPECT_GT(AnsiCompareText("Banana", "apple"), 0);
    EXPECT_NE(AnsiCompareText("a", "a\u0001"), 0);
    EXPECT_NE(AnsiCompareStr("a", "A"), 0);
    EXPECT_EQ(AnsiCompareStr("a", "a"), 0);
}

TEST(SysUtils, FileNameParts) {
    EXPECT_EQ(ExtractFilePath(QStringLiteral("skins\\skin1\\skin.ini")), "skins/skin1/");
    EXPECT_EQ(ExtractFileName(QStringLiteral("skins\\skin1\\skin.ini")), "skin.ini");
    EXPECT_EQ(ExtractFileExt(QStringLiteral("/a.b/c")), "");
    EXPECT_EQ(ChangeFileExt(QStringLiteral("/opt/z.d/zarvofx"), ".Ini"), "/opt/z.d/zarvofx.Ini");
}

TEST(SysUtils, AtomicWriteReplacesKeepsModeAndNeverWritesThroughALink) {
    QString folder = TestEnv::NewFolder("atomic");
    QString target = folder + "/settings.Ini";
    WriteFileAtomic(target, "one");
    EXPECT_EQ(TestEnv::ReadFile(target), "one");
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    WriteFileAtomic(target, "two");
    EXPECT_EQ(TestEnv::ReadFile(target), "two");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(target).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    WriteFileAtomic(target, QByteArray());
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_EQ(QFileInfo(target).size(), 0);

    // A link is replaced by the new file; the file it pointed to keeps its bytes.
    const QString outside = TestEnv::NewFolder("atomic-outside") + "/passwd";
    TestEnv::WriteFile(outside, "root:x:0:0\n");
    QString link = folder + "/link.Ini";
    ASSERT_TRUE(QFile::link(outside, link));
    WriteFileAtomic(link, "three");
    EXPECT_FALSE(QFileInfo(link).isSymLink());
    EXPECT_EQ(TestEnv::ReadFile(link), "three");
    EXPECT_EQ(TestEnv::ReadFile(outside), "root:x:0:0\n");

    // Refused: nothing is written anywhere and the message says why.
    QString page = folder + "/page.htm";
    ASSERT_TRUE(QFile::link(outside, page));
    try {
        WriteFileAtomic(page, "four", AtomicFile::TLinks::Refuse);
        ADD_FAILURE() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_TRUE(e.Message().startsWith(
            QStringLiteral("Cannot create file \"%1\". 该文件是一个符号链接").arg(page)))
            << e.Message().toStdString();
    }
    EXPECT_TRUE(QFileInfo(page).isSymLink());
    EXPECT_EQ(TestEnv::ReadFile(outside), "root:x:0:0\n");

    EXPECT_EQ(FolderEntries(folder), QStringList({"link.Ini", "page.htm", "settings.Ini"}));
}

TEST(SysUtils, AtomicWriteFailuresNameTheTargetAndLeaveNothingBehind) {
    QString folder = TestEnv::NewFolder("atomicfail");
    QString missing = folder + "/no-such-folder/x.txt";
    try {
        WriteFileAtomic(missing, "data");
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(
            e.Message(),
            QStringLiteral("Cannot create file \"%1\". No such file or directory").arg(missing));
    }
    QDir(folder).mkdir("sub");
    EXPECT_THROW(WriteFileAtomic(folder + "/sub", "data"), EFCreateError);
    EXPECT_THROW(WriteFileAtomic(QString(), "data"), EFCreateError);
    EXPECT_EQ(FolderEntries(folder), QStringList({"sub"}));
    EXPECT_TRUE(FolderEntries(folder + "/sub").isEmpty());
}

TEST(SysUtils, AtomicWriteThatFailsPartWayKeepsTheOldContent) {
    QString folder = TestEnv::NewFolder("partial");
    QString target = folder + "/effect";
    WriteFileAtomic(target, "old content");

    // Limit the file size so the write stops part way with "File too large".
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = old;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    QString message;
    try {
        WriteFileAtomic(target, QByteArray(64 * 1024, 'x'));
    } catch (const EFCreateError& e) {
        message = e.Message();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(message.startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(target)))
        << message.toStdString();
    EXPECT_EQ(TestEnv::ReadFile(target), "old content");
    EXPECT_EQ(FolderEntries(folder), QStringList({"effect"}));
}
