#include "platform/NamedMutex.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
const QString Title = QStringLiteral("zarvo网页特效2008 qirra版");

QString HelperPath(const QString& name) {
    QString folder = qEnvironmentVariable("ZARVO_TEST_HELPERS");
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    return folder + "/" + name;
}

// Starts the holder program for `name` and returns its report line.
QString StartHolder(QProcess& holder, const QString& name) {
    holder.start(HelperPath("mutex_holder"), {name});
    if (!holder.waitForStarted(5000) || !holder.waitForReadyRead(5000))
        return QStringLiteral("not started");
    return QString::fromUtf8(holder.readLine()).trimmed();
}
} // namespace

TEST(NamedMutex, SecondCreatorInTheSameProcessGetsAlreadyExists) {
    const QString name = Title + " in-process";
    auto first = CreateNamedMutex(name);
    ASSERT_TRUE(first->Owned()) << first->LastError();
    auto second = CreateNamedMutex(name);
    EXPECT_TRUE(second->AlreadyExists());
    EXPECT_EQ(second->LastError(), 183);
    EXPECT_TRUE(CreateNamedMutex(name + "2")->Owned());
    first.reset();
    EXPECT_TRUE(CreateNamedMutex(name)->Owned());
    // The lock file sits in the runtime folder under a name free of blanks and CJK.
    const QFileInfo lockFile(second->LockFilePath());
    EXPECT_EQ(lockFile.absolutePath(), qEnvironmentVariable("XDG_RUNTIME_DIR"));
    EXPECT_FALSE(lockFile.fileName().contains(' '));
    EXPECT_FALSE(lockFile.fileName().contains(QStringLiteral("网")));
}

TEST(NamedMutex, AnotherProcessHoldsItUntilItIsKilled) {
    QProcess holder;
    ASSERT_EQ(StartHolder(holder, Title), "owned");
    EXPECT_TRUE(CreateNamedMutex(Title)->AlreadyExists());
    holder.kill(); // SIGKILL: no chance to clean up
    ASSERT_TRUE(holder.waitForFinished(5000));
    auto mine = CreateNamedMutex(Title);
    EXPECT_TRUE(mine->Owned());

    QProcess second;
    EXPECT_EQ(StartHolder(second, Title), "exists");
    second.closeWriteChannel();
    EXPECT_TRUE(second.waitForFinished(5000));
}
