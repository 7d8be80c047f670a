#include "common/TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
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

} // namespace TestEnv
