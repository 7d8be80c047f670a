#include "common/TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <grp.h>
#include <memory>
#include <pwd.h>
#include <unistd.h>

namespace {
std::unique_ptr<QTemporaryDir>& RootDir() {
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}
std::atomic<int> gCounter{0};
} // namespace

namespace TestEnv {

QString Root() {
    auto& dir = RootDir();
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>(QDir::tempPath() +
                                              QStringLiteral("/zarvo-test-XXXXXX"));
        QDir(dir->path()).mkpath(QStringLiteral("home"));
        QDir(dir->path()).mkpath(QStringLiteral("config"));
        QDir(dir->path()).mkpath(QStringLiteral("runtime"));
        QFile::setPermissions(dir->path() + QStringLiteral("/runtime"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return dir->path();
}

QString NewFolder(const QString& hint) {
    QString path = Root() + QStringLiteral("/%1-%2").arg(hint).arg(gCounter++);
    QDir().mkpath(path);
    return path;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void Pump(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

bool WaitFor(const std::function<bool()>& done, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds)
        Pump(20);
    return done();
}

} // namespace TestEnv

namespace TestEnv {

ScopedEnv::ScopedEnv(const char* name, const QByteArray& value)
    : name(name), old(qgetenv(name)), had(qEnvironmentVariableIsSet(name)) {
    if (value.isNull())
        qunsetenv(name);
    else
        qputenv(name, value);
}

ScopedEnv::~ScopedEnv() {
    if (had)
        qputenv(name, old);
    else
        qunsetenv(name);
}

OrdinaryUser::OrdinaryUser() {
    if (::geteuid() != 0)
        return;
    const passwd* user = ::getpwnam("nobody");
    if (!user || user->pw_uid == 0) {
        problem = QStringLiteral("running as root and there is no user \"nobody\" to test as");
        return;
    }
    const uid_t uid = user->pw_uid;
    const gid_t gid = user->pw_gid;
    ownGroup = ::getegid();
    groups.resize(size_t(std::max(::getgroups(0, nullptr), 0)));
    groups.resize(size_t(std::max(::getgroups(int(groups.size()), groups.data()), 0)));
    // The test root is root's own (0700); the user must pass through it to the test files.
    rootOpened = QFile::setPermissions(Root(), QFile::permissions(Root()) | QFile::ExeOther);
    switched = true;
    // Real and effective ids both, so that access() answers for the user too; the saved
    // ids stay root's, which lets the scope take root's rights back.
    if (::setgroups(0, nullptr) != 0 || ::setresgid(gid, gid, gid_t(-1)) != 0 ||
        ::setresuid(uid, uid, uid_t(-1)) != 0) {
        problem = QStringLiteral("cannot take on the user \"nobody\": ") +
                  QString::fromLocal8Bit(std::strerror(errno));
        Restore();
    }
}

OrdinaryUser::~OrdinaryUser() {
    Restore();
}

void OrdinaryUser::Restore() {
    if (switched) {
        if (::setresuid(0, 0, 0) != 0 || ::setresgid(ownGroup, ownGroup, ownGroup) != 0 ||
            ::setgroups(groups.size(), groups.data()) != 0) {
            std::perror("cannot become root again");
            std::abort();
        }
        switched = false;
    }
    if (rootOpened) {
        QFile::setPermissions(Root(), QFile::permissions(Root()) & ~QFile::ExeOther);
        rootOpened = false;
    }
}

} // namespace TestEnv
