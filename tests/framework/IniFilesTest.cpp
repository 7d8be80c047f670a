#include "framework/IniFiles.h"
#include "framework/Exceptions.h"
#include "framework/Strings.h"

#include "common/TestEnv.h"

#include "platform/Gbk.h"

#include <QDir>
#include <gtest/gtest.h>
#include <random>

namespace {

QString NewIniPath() {
    return TestEnv::NewFolder("ini") + "/zarvofx.Ini";
}

QStringList Keys(const TCustomIniFile& ini, const QString& section) {
    TStringList keys;
    ini.ReadSection(section, keys);
    return keys.ToStringList();
}

} // namespace

TEST(IniFiles, MissingFileReadsEmptyAndFirstWriteCreatesIt) {
    QString path = NewIniPath();
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Skins", "Skins", ""), "");
    EXPECT_FALSE(ini.ReadBool("zhuangtailan", "yincang", false));
    EXPECT_FALSE(ini.SectionExists("Skins"));
    // Deleting from a missing file does not create it.
    ini.DeleteKey("music", "music");
    ini.EraseSection("music");
    EXPECT_FALSE(QFileInfo::exists(path));

    ini.WriteString("Skins", "Skins", "skins\\skin1\\skin.ini");
    EXPECT_EQ(TestEnv::ReadFile(path), "[Skins]\r\nSkins=skins\\skin1\\skin.ini\r\n");
    ini.WriteBool("zhuangtailan", "yincang", true);
    ini.WriteString("zhuangtailan", "xianshi", "0");
    EXPECT_EQ(TestEnv::ReadFile(path), "[Skins]\r\nSkins=skins\\skin1\\skin.ini\r\n"
                                       "[zhuangtailan]\r\nyincang=1\r\nxianshi=0\r\n");
    EXPECT_TRUE(ini.ReadBool("ZhuangTaiLan", "YINCANG", false));
    EXPECT_FALSE(ini.ReadBool("zhuangtailan", "xianshi", true));
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"zarvofx.Ini"}));
}

TEST(IniFiles, WritesAreSeenAtOnceByAnotherReader) {
    QString path = NewIniPath();
    TIniFile first(path);
    TIniFile second(path);
    EXPECT_EQ(second.ReadString("music", "music", "none"), "none");
    first.WriteString("music", "music", "/home/u/song.mp3");
    EXPECT_EQ(second.ReadString("MUSIC", "Music", "none"), "/home/u/song.mp3");
    second.DeleteKey("music", "MUSIC");
    EXPECT_EQ(first.ReadString("music", "music", "none"), "none");
    EXPECT_FALSE(first.ValueExists("music", "music"));

    // A change made by another program is seen too.
    TestEnv::WriteFile(path, "[Skins]\nSkins=skins\\skin2\\skin.ini\n");
    EXPECT_EQ(first.ReadString("skins", "skins", ""), "skins\\skin2\\skin.ini");
}

TEST(IniFiles, ValuesAreTrimmedAndUnquotedLikeTheProfileReader) {
    QString path = NewIniPath();
    TestEnv::WriteFile(path, "[ S ]\r\n"
                             "  spaced  =   value with blanks  \r\n"
                             "dq=\"  quoted  \"\r\n"
                             "sq='x'\r\n"
                             "mixed=\"x'\r\n"
                             "lone=\"\r\n"
                             "empty=\r\n"
                             "hex=0x1F\r\n"
                             "dollar=$1f\r\n"
                             "bad=0x\r\n"
                             "big=2147483648\r\n"
                             "two=2\r\n"
                             "word=abc\r\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("s", "SPACED", "?"), "value with blanks");
    EXPECT_EQ(ini.ReadString("s", "dq", "?"), "  quoted  ");
    EXPECT_EQ(ini.ReadString("s", "sq", "?"), "x");
    EXPECT_EQ(ini.ReadString("s", "mixed", "?"), "\"x'");
    EXPECT_EQ(ini.ReadString("s", "lone", "?"), "\"");
    EXPECT_EQ(ini.ReadString("s", "empty", "?"), "");
    EXPECT_EQ(ini.ReadInteger("s", "empty", 9), 9);
    EXPECT_EQ(ini.ReadInteger("s", "hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("s", "dollar", 0), 31);
    EXPECT_EQ(ini.ReadInteger("s", "bad", -1), -1);
    EXPECT_EQ(ini.ReadInteger("s", "big", -1), -1);
    EXPECT_TRUE(ini.ReadBool("s", "two", false));
    EXPECT_FALSE(ini.ReadBool("s", "word", false));
    EXPECT_TRUE(ini.ReadBool("s", "word", true));
    EXPECT_FALSE(ini.ReadBool("s", "missing", false));
}

TEST(IniFiles, RewritingKeepsCommentsOrderAndLayout) {
    QString path = NewIniPath();
    TestEnv::WriteFile(path, "; settings\n"
                             "[Skins]\n"
                             "Skins = old\n"
                             "; about music\n"
                             "\n"
                             "[music]\n"
                             "junk line\n"
                             "music=a.mp3\n");
    TIniFile ini(path);
    ini.WriteString("SKINS", "skins", "new");
    ini.WriteString("Skins", "Extra", "1");
    ini.WriteString("zhuangtailan", "yincang", "0");
    // The file's own line breaks, for the lines kept and the lines added.
    EXPECT_EQ(TestEnv::ReadFile(path), "; settings\n"
                                       "[Skins]\n"
                                       "Skins=new\n"
                                       "Extra=1\n"
                                       "; about music\n"
                                       "\n"
                                       "[music]\n"
                                       "junk line\n"
                                       "music=a.mp3\n"
                                       "[zhuangtailan]\n"
                                       "yincang=0\n");
    EXPECT_EQ(Keys(ini, "music"), QStringList({"music"}));

    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.ToStringList(), QStringList({"Skins", "music", "zhuangtailan"}));
    TStringList values;
    ini.ReadSectionValues("skins", values);
    EXPECT_EQ(values.ToStringList(), QStringList({"Skins=new", "Extra=1"}));

    ini.EraseSection("skins");
    EXPECT_EQ(TestEnv::ReadFile(path), "; settings\n"
                                       "[music]\n"
                                       "junk line\n"
                                       "music=a.mp3\n"
                                       "[zhuangtailan]\n"
                                       "yincang=0\n");
}

TEST(IniFiles, WritingOneKeyKeepsEveryOtherLineByteForByte) {
    // Lines that are no valid GBK (UTF-8, random bytes, a lone lead byte), other breaks, a
    // line of 10 MB, a last line without a break.
    QByteArray random;
    std::mt19937 generator(27);
    for (int i = 0; i < 4096; ++i)
        random += char(generator() % 256);
    random.replace('\r', 'r').replace('\n', 'n').replace('[', '(');
    const QByteArray before = "who=\xe4\xb8\xad\r\n"
                              "; \x81\r\n" +
                              random +
                              "\n"
                              "[Skins]\r"
                              "Skins=old\r\n"
                              "note=\xe2\x9c\x93 \xff\xfe\r\n" +
                              QByteArray(10 * 1024 * 1024, 'x') + "=long\n" +
                              "[music]\r\n"
                              "music=\xc3\xa9.mp3";
    QString path = NewIniPath();
    TestEnv::WriteFile(path, before);
    TIniFile ini(path);
    ini.WriteString("Skins", "Skins", "skins\\skin3\\skin.ini");
    QByteArray expected = before;
    expected.replace("Skins=old\r\n", "Skins=skins\\skin3\\skin.ini\r\n");
    EXPECT_TRUE(TestEnv::ReadFile(path) == expected) << "only the edited line changed";

    // A new key: the last line gets the file's first break before the new one.
    ini.WriteString("music", "volume", "5");
    EXPECT_TRUE(TestEnv::ReadFile(path) == expected + "\r\nvolume=5\r\n");
    ini.DeleteKey("music", "volume");
    EXPECT_TRUE(TestEnv::ReadFile(path) == expected) << "the bytes it had";
    EXPECT_EQ(ini.ReadString("music", "music", ""), Gbk::Decode("\xc3\xa9.mp3"));

    // A whole file of random bytes gains exactly the new section.
    TestEnv::WriteFile(path, random);
    TIniFile(path).WriteString("zhuangtailan", "yincang", "1");
    EXPECT_TRUE(TestEnv::ReadFile(path) == random + "\r\n[zhuangtailan]\r\nyincang=1\r\n");
}

TEST(IniFiles, DuplicatesFirstWinsAndDeletionRemovesThemAll) {
    QString path = NewIniPath();
    TestEnv::WriteFile(path, "[a]\nk=1\nK=2\n[b]\nx=0\n[A]\nk=3\nonly=4\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("a", "k", ""), "1");
    EXPECT_EQ(ini.ReadString("a", "only", "none"), "none"); // the second [A] is not seen
    EXPECT_EQ(Keys(ini, "A"), QStringList({"k"}));
    TStringList sections;
    ini.ReadSections(sections);
    EXPECT_EQ(sections.ToStringList(), QStringList({"a", "b"}));

    ini.WriteString("a", "K", "5");
    EXPECT_EQ(TestEnv::ReadFile(path), "[a]\nk=5\nK=2\n[b]\nx=0\n[A]\nk=3\nonly=4\n");
    ini.DeleteKey("A", "k");
    EXPECT_FALSE(ini.ValueExists("a", "k"));
    EXPECT_FALSE(ini.SectionExists("a")); // the header stays, but without keys
    ini.EraseSection("a");
    EXPECT_EQ(TestEnv::ReadFile(path), "[b]\nx=0\n");
}

TEST(IniFiles, TextIsGbk) {
    QString path = NewIniPath();
    TIniFile ini(path);
    ini.WriteString(QStringLiteral("外观"), QStringLiteral("名称"), QStringLiteral("蓝色风暴😀"));
    QByteArray bytes = TestEnv::ReadFile(path);
    EXPECT_TRUE(bytes.startsWith("[\xCD\xE2\xB9\xDB]\r\n")); // 外观 in GBK
    TIniFile again(path);
    EXPECT_EQ(again.ReadString(QStringLiteral("外观"), QStringLiteral("名称"), ""),
              QStringLiteral("蓝色风暴😀"));
}

TEST(IniFiles, BadNamesAndUnusableFilesRaiseAndLoseNothing) {
    QString path = NewIniPath();
    TIniFile ini(path);
    ini.WriteString("s", "k", "v");
    QByteArray before = TestEnv::ReadFile(path);
    EXPECT_THROW(ini.WriteString("s", "k", "two\r\n[injected]"), EIniFileException);
    EXPECT_THROW(ini.WriteString("s]", "k", "v"), EIniFileException);
    EXPECT_THROW(ini.WriteString("s", "a=b", "v"), EIniFileException);
    EXPECT_THROW(ini.WriteString("s", " ", "v"), EIniFileException);
    EXPECT_THROW(ini.WriteString("", "k", "v"), EIniFileException);
    EXPECT_EQ(TestEnv::ReadFile(path), before);

    // A path that exists but cannot be read as a file is an error, not an empty ini.
    QString folder = TestEnv::NewFolder("inidir");
    TIniFile dir(folder);
    EXPECT_THROW(dir.ReadString("s", "k", ""), EFOpenError);
    EXPECT_THROW(dir.WriteString("s", "k", "v"), EFOpenError);

    TIniFile nowhere(folder + "/missing/x.ini");
    EXPECT_EQ(nowhere.ReadString("s", "k", "d"), "d");
    EXPECT_THROW(nowhere.WriteString("s", "k", "v"), EFCreateError);
    EXPECT_EQ(nowhere.ReadString("s", "k", "d"), "d");
}

TEST(IniFiles, MemIniFileOverLines) {
    TStringList lines{"[VERSION]", "skinname=Blue", "[SKINOBJECTS]", "count=2", "0=close:button"};
    TMemIniFile ini(lines);
    EXPECT_EQ(ini.FileName(), "");
    EXPECT_EQ(ini.ReadString("version", "SkinName", ""), "Blue");
    EXPECT_EQ(ini.ReadInteger("skinobjects", "count", 0), 2);
    EXPECT_TRUE(ini.SectionExists("VERSION"));
    EXPECT_FALSE(ini.SectionExists("FORMINFO"));

    ini.WriteString("VERSION", "skinauthor", "me");
    ini.DeleteKey("skinobjects", "0");
    ini.UpdateFile(); // no file: nothing happens
    EXPECT_EQ(ini.Lines(), QStringList({"[VERSION]", "skinname=Blue", "skinauthor=me",
                                        "[SKINOBJECTS]", "count=2"}));
    EXPECT_EQ(lines.Count(), 5); // the source lines are not touched

    // Over a file: writes stay in memory until UpdateFile.
    QString path = NewIniPath();
    TestEnv::WriteFile(path, "[s]\nk=1\n");
    TMemIniFile mem(path);
    mem.WriteInteger("s", "k", 2);
    EXPECT_EQ(TestEnv::ReadFile(path), "[s]\nk=1\n");
    mem.UpdateFile();
    EXPECT_EQ(TestEnv::ReadFile(path), "[s]\nk=2\n");
    TMemIniFile missing(path + ".none");
    EXPECT_EQ(missing.ReadString("s", "k", "d"), "d");
}

TEST(IniFiles, ASectionReadAgainAfterTheSectionsChangedIsTheOneOfItsName) {
    // Reads of one section after another, with sections erased and added between them.
    QString path = NewIniPath();
    TestEnv::WriteFile(path, "[a]\nk=1\n[b]\nk=2\n[c]\nk=3\n");
    TMemIniFile ini(path);
    EXPECT_EQ(ini.ReadString("b", "k", ""), "2");
    ini.EraseSection("a");
    EXPECT_EQ(ini.ReadString("b", "k", ""), "2");
    EXPECT_EQ(ini.ReadString("c", "k", ""), "3");
    ini.EraseSection("c");
    EXPECT_EQ(ini.ReadString("c", "k", "none"), "none");
    ini.WriteString("C", "k", "4");
    EXPECT_EQ(ini.ReadString(" c ", "k", ""), "4");
    EXPECT_EQ(ini.ReadString("b", "k", ""), "2");
}
