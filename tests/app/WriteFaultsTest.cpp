// Writes that are killed, fail or meet links: a killed writer leaves the old or the new
// content and temporary files the next start removes; registry values are whole or old.

#include "app/EffectLibrary.h"
#include "app/WriteLeftovers.h"
#include "app/ZarvoSettings.h"
#include "common/TestEnv.h"
#include "framework/Exceptions.h"
#include "framework/IniFiles.h"
#include "framework/Strings.h"
#include "platform/AtomicFile.h"
#include "platform/Gbk.h"
#include "platform/Paths.h"
#include "platform/RegistryStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QString Category = QStringLiteral("文字特效系列");

class WriteFaults : public ::testing::Test {
protected:
    void SetUp() override {
        folder = TestEnv::NewFolder(QStringLiteral("prog")) + "/";
        Paths::SetProgramFolder(folder);
        QDir().mkpath(folder + "data/" + Category);
        QDir().mkpath(folder + "zarvotemp");
    }
    void TearDown() override { Paths::SetProgramFolder(QString()); }

    // Every temporary file of ours below the program folder and the registry folder.
    static QStringList Temporaries(const QString& root) {
        QStringList found;
        QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (AtomicFile::IsTemporaryName(it.fileName()))
                found << path;
        }
        return found;
    }

    QString folder;
};

// Generation `n` of the large settings value and of the large effect: each file's content
// tells its generation, so a file can be checked to be one generation whole.
QString SettingsValue(int n) {
    return QStringLiteral("%1:").arg(n) + QString(512 * 1024, QChar(u'a' + n % 26));
}
QByteArray SettingsBytes(int n) {
    return "[pad]\r\nk=" + SettingsValue(n).toLatin1() + "\r\n";
}
QString EffectText(int n) {
    QStringList lines;
    for (int i = 0; i < 6000; ++i)
        lines << QStringLiteral("<p>第%1代，第%2行</p>").arg(n).arg(i);
    return lines.join(QStringLiteral("\r\n"));
}
QByteArray EffectBytes(int n) {
    return Gbk::Encode(EffectText(n) + QStringLiteral("\r\n"));
}

} // namespace

TEST_F(WriteFaults, KilledWritersLeaveOldOrNewContentAndTheNextStartRemovesTheirLeftovers) {
    const QString settings = ZarvoSettings::FilePath();
    const QString effect = EffectLibrary::NewEffectPath(Category, QStringLiteral("大特效"));
    TIniFile(settings).WriteString("pad", "k", SettingsValue(0));
    TStringList first;
    first.SetText(EffectText(0));
    first.SaveToFile(effect);
    ASSERT_EQ(TestEnv::ReadFile(settings), SettingsBytes(0));
    ASSERT_EQ(TestEnv::ReadFile(effect), EffectBytes(0));

    int leftoversSeen = 0;
    int lastSettings = 0;
    int lastEffect = 0;
    constexpr int Kills = 55;
    for (int round = 0; round < Kills; ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // The writer: the settings file and the effect, again and again, until killed.
            for (int n = round * 1000 + 1;; ++n) {
                TIniFile(settings).WriteString("pad", "k", SettingsValue(n));
                TStringList lines;
                lines.SetText(EffectText(n));
                lines.SaveToFile(effect);
            }
        }
        ::usleep(QRandomGenerator::global()->bounded(1000, 25000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        const QByteArray settingsNow = TestEnv::ReadFile(settings);
        const QByteArray effectNow = TestEnv::ReadFile(effect);
        bool ok = false;
        const int s = settingsNow.mid(9, settingsNow.indexOf(':') - 9).toInt(&ok);
        ASSERT_TRUE(ok && settingsNow == SettingsBytes(s))
            << "round " << round << ": the settings file is no whole generation";
        const qsizetype digits = effectNow.indexOf(Gbk::Encode(QStringLiteral("代")));
        const int e = Gbk::Decode(effectNow.mid(5, digits - 5)).toInt(&ok);
        ASSERT_TRUE(ok && effectNow == EffectBytes(e))
            << "round " << round << ": the effect is no whole generation";
        EXPECT_TRUE(s == lastSettings || s > round * 1000) << "old or new, nothing else";
        EXPECT_TRUE(e == lastEffect || e > round * 1000);
        lastSettings = s;
        lastEffect = e;
        leftoversSeen += Temporaries(folder).size();
    }
    RecordProperty("leftovers_seen", leftoversSeen);
    std::printf("%d kills, %d temporary files left behind by them\n", Kills, leftoversSeen);

    // The next start: every leftover goes, the files stay as they are.
    const QByteArray settingsKept = TestEnv::ReadFile(settings);
    const QByteArray effectKept = TestEnv::ReadFile(effect);
    WriteLeftovers::RemoveStale(QDateTime::currentDateTime().addSecs(1));
    EXPECT_TRUE(Temporaries(folder).isEmpty()) << Temporaries(folder).join(' ').toStdString();
    EXPECT_EQ(TestEnv::ReadFile(settings), settingsKept);
    EXPECT_EQ(TestEnv::ReadFile(effect), effectKept);
}

TEST_F(WriteFaults, StartRemovesOnlyOurOwnStaleTemporaries) {
    const QString data = folder + "data/" + Category + "/";
    const QString registry = RegistryStore::DefaultRootFolder() + "/Software/zvwytxsz/";
    QDir().mkpath(registry);
    const QByteArray bytes = "half a file";
    const QStringList stale = {folder + ".zarvofx.Ini.0123abcd.tmp", data + ".特效.89abcdef.tmp",
                               folder + "zarvotemp/.zarvotemp.htm.00000000.tmp",
                               registry + ".tuichutishi.value.deadbeef.tmp"};
    const QStringList others = {data + ".notes.tmp", data + "effect.12345678.tmp",
                                folder + ".zarvofx.Ini.0123ABCD.tmp", data + "普通特效"};
    for (const QString& path : stale + others)
        TestEnv::WriteFile(path, bytes);
    // A running copy holds the file it writes.
    const QString busy = data + ".busy.fedcba98.tmp";
    TestEnv::WriteFile(busy, bytes);
    const int held = ::open(QFile::encodeName(busy).constData(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    // Files changed after this start belong to a copy that runs now.
    EXPECT_EQ(WriteLeftovers::RemoveStale(QDateTime::currentDateTime().addSecs(-60)), 0);
    EXPECT_EQ(WriteLeftovers::RemoveStale(QDateTime::currentDateTime().addSecs(1)), 4);
    for (const QString& path : stale)
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    for (const QString& path : others)
        EXPECT_EQ(TestEnv::ReadFile(path), bytes) << path.toStdString();
    EXPECT_EQ(TestEnv::ReadFile(busy), bytes) << "a copy that runs keeps its file";
    ::close(held);
    EXPECT_EQ(WriteLeftovers::RemoveStale(QDateTime::currentDateTime().addSecs(1)), 1);
    QDir(registry).removeRecursively();
}

TEST_F(WriteFaults, FullDiskLeavesTheOldRegistryValueAndNoNewKey) {
    ZarvoSettings::SetFlag(ZarvoSettings::Flag::AskBeforeExit, true);
    RegistryStore store;
    const std::optional<QString> key = store.FindKey({"Software", "zvwytxtcts"});
    ASSERT_TRUE(key);
    const QString value = *key + "/tuichutishi.value";
    ASSERT_EQ(TestEnv::ReadFile(value), "tishi");

    // No byte may be written: every write fails as on a full disk.
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit none = old;
    none.rlim_cur = 0;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &none), 0);
    const bool rewritten = store.WriteString(*key, "tuichutishi", "other");
    QString message;
    try {
        ZarvoSettings::SetFlag(ZarvoSettings::Flag::StayOnTop, true);
    } catch (const ERegistryException& e) {
        message = e.Message();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(rewritten);
    EXPECT_EQ(TestEnv::ReadFile(value), "tishi") << "the old value, not an empty file";
    EXPECT_EQ(message, QStringLiteral("Failed to set data for 'qianduanxianshi'"));
    EXPECT_FALSE(ZarvoSettings::FlagSet(ZarvoSettings::Flag::StayOnTop))
        << "the key made for the value went again";
    EXPECT_TRUE(Temporaries(RegistryStore::DefaultRootFolder()).isEmpty());
    ZarvoSettings::SetFlag(ZarvoSettings::Flag::AskBeforeExit, false);
}

TEST_F(WriteFaults, EffectsAndThePreviewPageReplaceLinksAndLeaveTheirTargetsAlone) {
    const QString outside = TestEnv::NewFolder(QStringLiteral("outside")) + "/passwd";
    const QByteArray secret = "root:x:0:0:root:/root:/bin/bash\n";
    TestEnv::WriteFile(outside, secret);
    const QString effect = EffectLibrary::NewEffectPath(Category, QStringLiteral("aaa"));
    ASSERT_TRUE(QFile::link(outside, effect));

    // Reading: the entry leads outside the library, and says where.
    EXPECT_EQ(EffectLibrary::OutsideTarget(effect), outside);
    EXPECT_EQ(EffectLibrary::OutsideTarget(folder + "data/" + Category), QString());
    EXPECT_EQ(EffectLibrary::OutsideLinkMessage("aaa", outside),
              QStringLiteral("特效“aaa”是指向特效库以外的链接（%1），不能打开。").arg(outside));

    // Writing the effect "aaa" replaces the link by the effect.
    TStringList lines;
    lines.SetText(QStringLiteral("<b>新特效</b>"));
    lines.SaveToFile(effect);
    EXPECT_FALSE(QFileInfo(effect).isSymLink());
    EXPECT_EQ(TestEnv::ReadFile(effect), Gbk::Encode(QStringLiteral("<b>新特效</b>\r\n")));
    EXPECT_EQ(TestEnv::ReadFile(outside), secret);

    // The settings file too.
    const QString settings = ZarvoSettings::FilePath();
    ASSERT_TRUE(QFile::link(outside, settings));
    ZarvoSettings::SetSkinPath("skins\\skin2\\skin.ini");
    EXPECT_FALSE(QFileInfo(settings).isSymLink());
    EXPECT_EQ(TestEnv::ReadFile(outside), secret);
    EXPECT_EQ(TestEnv::ReadFile(settings), secret + "[Skins]\nSkins=skins\\skin2\\skin.ini\n")
        << "the lines read through the link are kept, in the folder's own file";

    // A category folder that is a link to a folder outside takes no effect.
    const QString elsewhere = TestEnv::NewFolder(QStringLiteral("elsewhere"));
    ASSERT_TRUE(QFile::link(elsewhere, folder + "data/链接特效系列"));
    try {
        EffectLibrary::NewEffectPath(QStringLiteral("链接特效系列"), QStringLiteral("bbb"));
        ADD_FAILURE() << "no error";
    } catch (const EFCreateError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("类别文件夹指向特效库以外的")))
            << e.Message().toStdString();
    }
    EXPECT_TRUE(QDir(elsewhere).isEmpty());
}
