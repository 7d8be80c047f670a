#include "common/TestEnv.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>
#include <memory>

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
