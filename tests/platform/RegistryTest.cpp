#include "framework/Registry.h"
#include "framework/Exceptions.h"

#include "common/TestEnv.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {
QStringList FilesBelow(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}
} // namespace

TEST(Registry, KeyLifecycleInTheUsersConfigFolder) {
    TRegistry reg;
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    EXPECT_FALSE(reg.OpenKey("\\Software\\zvwytxsz", false));
    ASSERT_TRUE(reg.OpenKey("\\Software\\zvwytxsz", true));
    reg.WriteString("qianduanxianshi", "fsStayOnTop");
    reg.CloseKey();
    const QString root = qEnvironmentVariable("XDG_CONFIG_HOME") + "/zarvofx/registry";
    EXPECT_TRUE(QFileInfo(root + "/Software/zvwytxsz").isDir());

    // Names ignore case; rewriting under another spelling keeps one value.
    EXPECT_TRUE(reg.KeyExists("\\SOFTWARE\\ZVWYTXSZ"));
    ASSERT_TRUE(reg.OpenKey("\\software\\Zvwytxsz", false));
    EXPECT_EQ(reg.ReadString("QianDuanXianShi"), "fsStayOnTop");
    reg.WriteString("QIANDUANXIANSHI", "再见");
    EXPECT_EQ(reg.ReadString("qianduanxianshi"), "再见");
    EXPECT_EQ(FilesBelow(root + "/Software/zvwytxsz").size(), 1);
    EXPECT_EQ(reg.ReadString("missing"), "");
    EXPECT_TRUE(reg.DeleteValue("qianduanxianshi"));
    EXPECT_FALSE(reg.ValueExists("qianduanxianshi"));

    // Relative paths start at the open key.
    ASSERT_TRUE(reg.OpenKey("\\Software", false));
    ASSERT_TRUE(reg.OpenKey("zvwytxsz\\", false));
    EXPECT_EQ(reg.CurrentPath(), "Software\\zvwytxsz");
    EXPECT_TRUE(reg.KeyExists("\\Software"));

    // Deleting takes everything below; the parent stays.
    ASSERT_TRUE(reg.OpenKey("\\Software\\zvtest\\a\\b", true));
    reg.WriteString("", "default");
    reg.WriteString("x", "1");
    reg.CloseKey();
    EXPECT_TRUE(reg.DeleteKey("\\Software\\ZVTEST"));
    EXPECT_FALSE(reg.KeyExists("\\Software\\zvtest\\a"));
    EXPECT_TRUE(reg.KeyExists("\\Software\\zvwytxsz"));
    EXPECT_FALSE(reg.DeleteKey("\\Software\\zvtest"));
    EXPECT_FALSE(reg.DeleteKey("\\"));
    EXPECT_TRUE(QFileInfo(root).isDir());
}

TEST(Registry, FailedWritesRaiseAndNamesCannotEscape) {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("\\Software\\zvguard", true));
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKeyReadOnly("\\Software\\zvguard"));
    try {
        reg.WriteString("tishi", "1");
        ADD_FAILURE() << "no error raised";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(e.Message(), "Failed to set data for 'tishi'");
    }
    // A key deleted while open is not silently recreated by a write.
    ASSERT_TRUE(reg.OpenKey("\\Software\\zvguard", false));
    ASSERT_TRUE(TRegistry().DeleteKey("\\Software\\zvguard"));
    EXPECT_THROW(reg.WriteString("tishi", "1"), ERegistryException);
    EXPECT_FALSE(reg.KeyExists("\\Software\\zvguard"));

    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QStringList before = FilesBelow(config);
    const QStringList badKeys{"\\Software\\..\\..\\escaped",
                              "..",
                              "\\Software\\a/b",
                              "\\Software\\\\double",
                              "\\Software\\.",
                              QString(300, 'k')};
    for (const QString& bad : badKeys)
        EXPECT_FALSE(reg.OpenKey(bad, true)) << bad.toStdString();
    EXPECT_FALSE(reg.KeyExists("\\Software\\.."));
    EXPECT_FALSE(reg.DeleteKey("\\Software\\.."));
    EXPECT_EQ(FilesBelow(config), before);

    // Value names may hold any character and still stay inside their key.
    ASSERT_TRUE(reg.OpenKey("\\Software\\zvvalues", true));
    reg.WriteString("../../x/%2f", "v");
    EXPECT_EQ(reg.ReadString("../../x/%2f"), "v");
    EXPECT_TRUE(reg.ValueExists("../../X/%2F"));
    EXPECT_EQ(FilesBelow(config + "/zarvofx/registry/Software/zvvalues").size(), 1);

    reg.SetRootKey(0x80000002u);
    EXPECT_FALSE(reg.OpenKey("\\Software", false));
    EXPECT_THROW(reg.WriteString("a", "b"), ERegistryException);
}
