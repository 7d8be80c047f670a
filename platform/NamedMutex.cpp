#include "platform/NamedMutex.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QString LockFolder() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    return QStringLiteral("/tmp");
}

} // namespace

TNamedMutex::TNamedMutex(QString lockFilePath, int fd, int lastError)
    : FLockFilePath(std::move(lockFilePath)), FFd(fd), FLastError(lastError) {}

TNamedMutex::~TNamedMutex() {
    // Closing the descriptor releases the lock. The file stays: removing it would let
    // a newcomer lock a fresh file while a waiting opener still holds the old one.
    if (FFd >= 0)
        ::close(FFd);
}

QString NamedMutexLockFile(const QString& name) {
    const QByteArray hash =
        QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    // The user id keeps users apart when the shared /tmp is the only place left.
    return LockFolder() + QStringLiteral("/zarvofx-mutex-%1-%2.lock")
                              .arg(::geteuid())
                              .arg(QString::fromLatin1(hash));
}

std::unique_ptr<TNamedMutex> CreateNamedMutex(const QString& name) {
    const QString path = NamedMutexLockFile(name);
    // Close-on-exec: programs started later must not inherit (and keep) the lock.
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    int lastError = 0;
    if (fd < 0)
        lastError = errno;
    else if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        lastError = errno == EWOULDBLOCK ? ERROR_ALREADY_EXISTS : errno;
    return std::unique_ptr<TNamedMutex>(new TNamedMutex(path, fd, lastError));
}
