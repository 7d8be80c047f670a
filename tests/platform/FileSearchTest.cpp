#include "platform/FileSearch.h"
#include "platform/Errors.h"
#include "platform/Paths.h"

#include "common/TestEnv.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
QStringList Names(const std::vector<FoundFile>& files) {
    QStringList names;
    for (const FoundFile& file : files)
        names << file.Name;
    return names;
}
const FoundFile& Entry(const std::vector<FoundFile>& files, const QString& name) {
    static const FoundFile none;
    for (const FoundFile& file : files)
        if (file.Name == name)
            return file;
    return none;
}
} // namespace

TEST(FileSearch, WildcardsFollowTheWindowsRules) {
    using FileSearch::MatchesMask;
    // "*." lists names without an extension.
    EXPECT_TRUE(MatchesMask("snow", "*."));
    EXPECT_FALSE(MatchesMask("snow.htm", "*."));
    EXPECT_FALSE(MatchesMask(".profile", "*."));
    // "*.*" and "name.*" also match names without a dot.
    EXPECT_TRUE(MatchesMask("snow", "*.*"));
    EXPECT_TRUE(MatchesMask("snow", "snow.*"));
    EXPECT_TRUE(MatchesMask("snow.htm", "snow.*"));
    // "?" is one character, or none at the end or before a dot.
    EXPECT_TRUE(MatchesMask("snow", "sno?"));
    EXPECT_TRUE(MatchesMask("sno", "sno?"));
    EXPECT_FALSE(MatchesMask("snowy", "sno?"));
    EXPECT_FALSE(MatchesMask("now", "?now"));
    EXPECT_TRUE(MatchesMask("a.txt", "a??.txt"));
    EXPECT_TRUE(MatchesMask("abc.txt", "a??.txt"));
    EXPECT_FALSE(MatchesMask("abcd.txt", "a??.txt"));
    // Case is ignored; ";" joins patterns, blanks around them do not count.
    EXPECT_TRUE(MatchesMask("PAGE.Htm", "*.htm"));
    EXPECT_TRUE(MatchesMask("雪花.TXT", "*.htm ; *.txt"));
    EXPECT_FALSE(MatchesMask("page.html", "*.htm;*.txt"));
    EXPECT_FALSE(MatchesMask("snow", ""));
    EXPECT_FALSE(MatchesMask("snow", "../*"));
}

TEST(FileSearch, FindsEntriesByPatternAndAttributes) {
    const QString folder = TestEnv::NewFolder("search");
    TestEnv::WriteFile(folder + "/snow", "abc");
    TestEnv::WriteFile(folder + "/Rain", "");
    TestEnv::WriteFile(folder + "/snow.htm", "<p>");
    TestEnv::WriteFile(folder + "/.hidden", "");
    TestEnv::WriteFile(folder + "/locked", "");
    QFile::setPermissions(folder + "/locked", QFile::ReadOwner | QFile::ReadGroup);
    QDir(folder).mkdir("sub");
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder + "/pipe").constData(), 0600), 0);

    EXPECT_EQ(Names(FileSearch::FindFiles(folder, "*.", 0)),
              QStringList({"locked", "Rain", "snow"}));
    const auto all = FileSearch::FindFiles(folder, "*.*", 0);
    EXPECT_EQ(Names(all), QStringList({"locked", "Rain", "snow", "snow.htm"}));
    EXPECT_EQ(Entry(all, "snow").Size, 3);
    EXPECT_EQ(Entry(all, "snow").Attr, 0u);
    EXPECT_TRUE(Entry(all, "snow").Time.isValid());
    EXPECT_EQ(Entry(all, "locked").Attr, unsigned(faReadOnly));
    // An entry matching two patterns appears once.
    EXPECT_EQ(Names(FileSearch::FindFiles(folder, "snow*;*.htm", 0)),
              QStringList({"snow", "snow.htm"}));

    const auto special = FileSearch::FindFiles(folder, "*", faHidden | faDirectory | faSysFile);
    EXPECT_EQ(Names(special),
              QStringList({".hidden", "locked", "pipe", "Rain", "snow", "snow.htm", "sub"}));
    EXPECT_EQ(Entry(special, ".hidden").Attr, unsigned(faHidden));
    EXPECT_EQ(Entry(special, "sub").Attr, unsigned(faDirectory));
    EXPECT_EQ(Entry(special, "pipe").Attr, unsigned(faSysFile));
    EXPECT_EQ(Names(FileSearch::FindFiles(folder, "*", faDirectory)).count("sub"), 1);

    EXPECT_TRUE(FileSearch::FindFiles(folder, "*.none", faAnyFile).empty());
    EXPECT_THROW(FileSearch::FindFiles(folder + "/missing", "*", 0), EInOutError);
}

TEST(FileSearch, FindNamesFindsWhatFindFilesFinds) {
    const QString folder = TestEnv::NewFolder("names");
    for (const char* name : {"snow", "rain.htm", ".hidden"})
        TestEnv::WriteFile(folder + "/" + name, "x");
    QDir(folder).mkdir("sub");
    QFile::link(folder + "/snow", folder + "/link");
    QFile::link(folder + "/nowhere", folder + "/broken");
    TestEnv::WriteFile(folder + "/locked", "x");
    QFile::setPermissions(folder + "/locked", QFileDevice::ReadOwner);
    for (unsigned attributes : {0u, unsigned(faDirectory | faHidden), unsigned(faAnyFile)}) {
        const auto full = FileSearch::FindFiles(folder, "*.*", attributes);
        const auto names = FileSearch::FindNames(folder, "*.*", attributes, true);
        ASSERT_EQ(Names(names), Names(full)) << attributes;
        for (const FoundFile& file : full)
            EXPECT_EQ(Entry(names, file.Name).Attr, file.Attr) << file.Name.toStdString();
    }
    // Without the read-only bit every other bit is still right.
    const auto quick = FileSearch::FindNames(folder, "*.*", faAnyFile, false);
    EXPECT_EQ(Entry(quick, "sub").Attr, unsigned(faDirectory));
    EXPECT_EQ(Entry(quick, ".hidden").Attr, unsigned(faHidden));
    EXPECT_EQ(Names(quick).count("broken"), 0);
    QFile::setPermissions(folder + "/locked", QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST(FileSearch, NamesThatAreNoValidUtf8KeepTheirBytesToTheFileOperations) {
    // Bytes of other encodings: GBK "中文", Latin-1 "é", a lone continuation byte, and
    // a valid UTF-8 name beside them.
    const QList<QByteArray> raw = {"\xd6\xd0\xce\xc4", "caf\xe9", "a\x80z", "\xe4\xb8\xad"};
    for (const QByteArray& name : raw) {
        EXPECT_EQ(Paths::EncodeName(Paths::DecodeName(name)), name);
        EXPECT_EQ(Paths::DecodeName(Paths::EncodeName(Paths::DecodeName(name))),
                  Paths::DecodeName(name));
    }
    EXPECT_EQ(Paths::DecodeName("\xe4\xb8\xad"), QStringLiteral("中"));
    EXPECT_EQ(Paths::EncodeName(QStringLiteral("中😀")), QByteArray("\xe4\xb8\xad\xf0\x9f\x98\x80"));

    const QString folder = TestEnv::NewFolder("bytes");
    const QByteArray nativeFolder = QFile::encodeName(folder);
    for (const QByteArray& name : raw) {
        FILE* file = std::fopen((nativeFolder + "/" + name).constData(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs(name.toHex().constData(), file);
        std::fclose(file);
    }
    const std::vector<FoundFile> found = FileSearch::FindNames(folder, "*.", 0, false);
    ASSERT_EQ(found.size(), raw.size());
    for (const FoundFile& entry : found) {
        const QByteArray bytes = Paths::EncodeName(folder + "/" + entry.Name);
        struct stat info;
        EXPECT_EQ(::stat(bytes.constData(), &info), 0) << entry.Name.toStdString();
        EXPECT_TRUE(Paths::FileExists(folder + "/" + entry.Name));
        EXPECT_TRUE(raw.contains(bytes.mid(nativeFolder.size() + 1)));
    }
}
