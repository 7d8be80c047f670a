#include "platform/FileSearch.h"

#include "platform/Errors.h"
#include "platform/Paths.h"

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace FileSearch {

namespace {

// Matches one pattern against one name, both already case-folded.
class WildcardMatcher {
public:
    WildcardMatcher(const QString& pattern, const QString& name) : FPattern(pattern), FName(name) {
        // A trailing dot asks for names without an extension: the dot itself matches
        // nothing and no wildcard may then swallow a dot.
        if (FPattern.size() > 1 && FPattern.endsWith(QLatin1Char('.'))) {
            FPattern.chop(1);
            FNoDots = true;
        }
        FMemo.assign((FPattern.size() + 1) * (FName.size() + 1), Unknown);
    }

    bool Matches() { return Match(0, 0); }

private:
    enum : char { Unknown, No, Yes };

    bool Match(qsizetype p, qsizetype n) {
        char& memo = FMemo[p * (FName.size() + 1) + n];
        if (memo == Unknown)
            memo = Compute(p, n) ? Yes : No;
        return memo == Yes;
    }

    bool RestIsStars(qsizetype p) const {
        for (; p < FPattern.size(); ++p)
            if (FPattern[p] != QLatin1Char('*'))
                return false;
        return true;
    }

    bool MayConsume(qsizetype n) const { return !(FNoDots && FName[n] == QLatin1Char('.')); }

    bool Compute(qsizetype p, qsizetype n) {
        const bool nameEnds = n == FName.size();
        if (p == FPattern.size())
            return nameEnds;
        const QChar c = FPattern[p];
        if (c == QLatin1Char('*')) {
            if (Match(p + 1, n))
                return true;
            return !nameEnds && MayConsume(n) && Match(p, n + 1);
        }
        if (c == QLatin1Char('?')) {
            // "?" may match nothing at the end of the name or before a dot.
            if ((nameEnds || FName[n] == QLatin1Char('.')) && Match(p + 1, n))
                return true;
            return !nameEnds && MayConsume(n) && Match(p + 1, n + 1);
        }
        if (c == QLatin1Char('.') && nameEnds && RestIsStars(p + 1))
            return true;
        return !nameEnds && FName[n] == c && Match(p + 1, n + 1);
    }

    QString FPattern;
    QString FName;
    bool FNoDots = false;
    std::vector<char> FMemo;
};

QStringList SplitPatterns(const QString& patterns) {
    QStringList result;
    for (const QString& part : patterns.split(QLatin1Char(';'))) {
        const QString pattern = part.trimmed();
        if (!pattern.isEmpty())
            result << pattern.toCaseFolded();
    }
    return result;
}

bool MatchesAny(const QString& name, const QStringList& foldedPatterns) {
    const QString folded = name.toCaseFolded();
    for (const QString& pattern : foldedPatterns) {
        if (pattern.contains(QLatin1Char('/')) || pattern.contains(QLatin1Char('\\')))
            continue;
        if (WildcardMatcher(pattern, folded).Matches())
            return true;
    }
    return false;
}

bool InGroup(gid_t group) {
    if (group == ::getegid())
        return true;
    gid_t groups[256];
    const int count = ::getgroups(256, groups);
    return std::find(groups, groups + std::max(count, 0), group) != groups + std::max(count, 0);
}

// Write permission judged from the permission bits, so that read-only files show as
// such even for a user (root) whom the kernel lets write anyway.
bool CanWrite(const struct stat& info) {
    if (info.st_uid == ::geteuid())
        return info.st_mode & S_IWUSR;
    if (InGroup(info.st_gid))
        return info.st_mode & S_IWGRP;
    return info.st_mode & S_IWOTH;
}

unsigned AttributesOf(const QString& name, const struct stat& info) {
    unsigned attr = 0;
    if (S_ISDIR(info.st_mode))
        attr |= faDirectory;
    else if (!S_ISREG(info.st_mode))
        attr |= faSysFile;
    if (name.startsWith(QLatin1Char('.')))
        attr |= faHidden;
    if (!CanWrite(info))
        attr |= faReadOnly;
    return attr;
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

} // namespace

bool MatchesMask(const QString& name, const QString& patterns) {
    return MatchesAny(name, SplitPatterns(patterns));
}

namespace {

// The search of FindFiles and FindNames. Without `details` an entry the folder reports as a
// plain file or a folder is not looked at on its own (its size, time and, unless
// `withReadOnly`, its read-only bit stay unknown).
std::vector<FoundFile> Search(const QString& folder, const QString& patterns, unsigned attributes,
                              bool details, bool withReadOnly) {
    const QByteArray encodedFolder = Paths::EncodeName(Paths::ToNativeSeparators(folder));
    std::unique_ptr<DIR, DirCloser> dir(::opendir(encodedFolder.constData()));
    if (!dir) {
        const int error = errno;
        throw EInOutError(SysErrorMessage(error), error);
    }
    const QStringList foldedPatterns = SplitPatterns(patterns);
    const unsigned special = faHidden | faSysFile | faVolumeID | faDirectory;
    const unsigned excluded = special & ~attributes;

    std::vector<FoundFile> found;
    while (const dirent* entry = ::readdir(dir.get())) {
        const QString name = Paths::DecodeName(QByteArray(entry->d_name));
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        if (!MatchesAny(name, foldedPatterns))
            continue;
        const bool known = entry->d_type == DT_REG || entry->d_type == DT_DIR;
        FoundFile file;
        if (!details && !withReadOnly && known) {
            file.Attr = entry->d_type == DT_DIR ? unsigned(faDirectory) : 0u;
            if (name.startsWith(QLatin1Char('.')))
                file.Attr |= faHidden;
        } else {
            struct stat info;
            if (::fstatat(::dirfd(dir.get()), entry->d_name, &info, 0) != 0)
                continue;
            file.Attr = AttributesOf(name, info);
            if (details) {
                file.Size = S_ISREG(info.st_mode) ? qint64(info.st_size) : 0;
                file.Time = QDateTime::fromMSecsSinceEpoch(qint64(info.st_mtim.tv_sec) * 1000 +
                                                           info.st_mtim.tv_nsec / 1000000);
            }
        }
        if (file.Attr & excluded)
            continue;
        file.Name = name;
        found.push_back(std::move(file));
    }
    std::sort(found.begin(), found.end(), [](const FoundFile& a, const FoundFile& b) {
        const int byCase = QString::compare(a.Name, b.Name, Qt::CaseInsensitive);
        return byCase != 0 ? byCase < 0 : a.Name < b.Name;
    });
    return found;
}

} // namespace

std::vector<FoundFile> FindFiles(const QString& folder, const QString& patterns,
                                 unsigned attributes) {
    return Search(folder, patterns, attributes, true, true);
}

std::vector<FoundFile> FindNames(const QString& folder, const QString& patterns,
                                 unsigned attributes, bool withReadOnly) {
    return Search(folder, patterns, attributes, false, withReadOnly);
}

} // namespace FileSearch
