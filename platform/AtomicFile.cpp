#include "platform/AtomicFile.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace AtomicFile {
namespace {

QByteArray Native(const QString& path) {
    return Paths::EncodeName(path);
}

// A short, hidden name in the file's folder; the name part is cut so that the temporary
// name stays within the file system's name length.
QString TemporaryName(const QFileInfo& target) {
    QString base = target.fileName().left(40);
    if (!base.isEmpty() && base.back().isHighSurrogate())
        base.chop(1);
    const quint32 random = QRandomGenerator::global()->generate();
    return target.absolutePath() +
           QStringLiteral("/.%1.%2.tmp").arg(base).arg(random, 8, 16, QLatin1Char('0'));
}

// Creates and locks the temporary file with the mode the file should end with.
int CreateTemporary(const QFileInfo& target, const struct stat* existing, QString& tempName) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = TemporaryName(target);
        const int fd = ::open(Native(tempName).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0) {
            // Held until the descriptor closes: a copy that starts meanwhile leaves it alone.
            ::flock(fd, LOCK_EX);
            if (existing)
                ::fchmod(fd, existing->st_mode & 07777);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

bool WriteAll(int fd, const QByteArray& data) {
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

void SyncFolder(const QString& folder) {
    const int fd = ::open(Native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

int Write(const QString& fileName, const QByteArray& data, TLinks links) {
    if (fileName.isEmpty())
        return ENOENT;
    if (fileName.endsWith(u'/'))
        return EISDIR;
    // The name itself, never what a link points to.
    const QFileInfo target(QFileInfo(fileName).absoluteFilePath());
    struct stat st {};
    const bool exists = ::lstat(Native(target.absoluteFilePath()).constData(), &st) == 0;
    if (exists && S_ISLNK(st.st_mode) && links == TLinks::Refuse)
        return RefusedLink;
    if (exists && S_ISDIR(st.st_mode))
        return EISDIR;
    const bool keepMode = exists && S_ISREG(st.st_mode);

    QString tempName;
    const int fd = CreateTemporary(target, keepMode ? &st : nullptr, tempName);
    if (fd < 0)
        return errno;
    bool ok = WriteAll(fd, data) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    // rename() replaces a link by the file, as it replaces a file.
    if (ok && ::rename(Native(tempName).constData(),
                       Native(target.absoluteFilePath()).constData()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok)
        ::unlink(Native(tempName).constData());
    // The data reached the disk (fsync above): a late close error loses nothing.
    ::close(fd);
    if (!ok)
        return error;
    SyncFolder(target.absolutePath());
    return 0;
}

bool IsTemporaryName(const QString& name) {
    // ".<name>.<8 hex digits>.tmp"; the cheap test first, as most names in a folder fail it.
    if (name.size() < 14 || !name.startsWith(u'.') || !name.endsWith(QLatin1String(".tmp")))
        return false;
    static const QRegularExpression pattern(QStringLiteral("^\\..*\\.[0-9a-f]{8}\\.tmp$"),
                                            QRegularExpression::DotMatchesEverythingOption);
    return pattern.match(name).hasMatch();
}

int RemoveStaleTemporaries(const QString& folder, const QDateTime& before) {
    // The folder is read as it stands, unsorted: this runs at every start, over every
    // category folder of the library.
    const QByteArray native = Native(folder);
    DIR* dir = ::opendir(native.constData());
    if (!dir)
        return 0;
    int removed = 0;
    const QByteArray prefix = native + '/';
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.' || !IsTemporaryName(Paths::DecodeName(entry->d_name)))
            continue;
        const QByteArray path = prefix + entry->d_name;
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec)
                .addMSecs(st.st_mtim.tv_nsec / 1000000) >= before)
            continue;
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        // A writer that still runs holds the lock; one that was killed let it go.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.constData()) == 0)
            ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}

} // namespace AtomicFile
