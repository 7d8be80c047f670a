#include "app/UserFolder.h"

#include "platform/AtomicFile.h"
#include "platform/Errors.h"
#include "platform/Paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <cerrno>
#include <cstdio>

namespace UserFolder {
namespace {

constexpr qsizetype HashLength = 64; // SHA-256 in hex

const QByteArray ManifestHeader =
    "# zarvofx: the effects as shipped, SHA-256 and name below data/, one a line\n";

using TManifest = QHash<QString, QByteArray>; // "category/effect" -> hash of the shipped text

QByteArray HashOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

bool IsHexHash(const QByteArray& text) {
    if (text.size() != HashLength)
        return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

// Lines that are no "<hash> <name>" are skipped: their effects count as unknown, which keeps
// the user's file whenever it differs from the shipped one.
TManifest ReadManifest(const QString& path) {
    TManifest manifest;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return manifest;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QByteArray hash = line.left(HashLength);
        const QByteArray name = line.mid(HashLength + 1);
        if (IsHexHash(hash) && line.size() > HashLength + 1 && line[HashLength] == ' ' &&
            !name.contains('\0'))
            manifest.insert(Paths::DecodeName(name), hash);
    }
    return manifest;
}

int WriteManifest(const QString& path, const TManifest& manifest) {
    QStringList names = manifest.keys();
    names.sort();
    QByteArray text = ManifestHeader;
    for (const QString& name : names)
        text += manifest.value(name) + ' ' + Paths::EncodeName(name) + '\n';
    return AtomicFile::Write(path, text);
}

// The shipped effects as "category/effect", and the category folders they live in.
QStringList ShippedNames(const QString& installedData, QStringList& categories) {
    QStringList names;
    const QDir data(installedData);
    categories = data.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& category : categories) {
        const QStringList effects =
            QDir(data.filePath(category)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
        for (const QString& effect : effects)
            if (!AtomicFile::IsTemporaryName(effect))
                names << category + QLatin1Char('/') + effect;
    }
    return names;
}

bool ReadAll(const QString& path, QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

// Anything at the name counts, a dangling link too: it is the user's.
bool Occupied(const QString& path) {
    return QFileInfo(path).exists() || QFileInfo(path).isSymLink();
}

void NoteError(QString& error, const QString& path, int code) {
    if (error.isEmpty())
        error = path + QStringLiteral(": ") +
                (code == AtomicFile::RefusedLink ? QStringLiteral("link") : SysErrorMessage(code));
}

} // namespace

TLibraryUpdate UpdateLibrary(const QString& installedData, const QString& userData,
                             const QString& manifestPath) {
    TLibraryUpdate update;
    TManifest manifest = ReadManifest(manifestPath);
    const TManifest before = manifest;
    QStringList categories;
    const QStringList names = ShippedNames(installedData, categories);
    for (const QString& category : categories)
        QDir().mkpath(userData + QLatin1Char('/') + category);

    for (const QString& name : names) {
        QByteArray shipped;
        if (!ReadAll(installedData + QLatin1Char('/') + name, shipped))
            continue;
        const QByteArray shippedHash = HashOf(shipped);
        const QString target = userData + QLatin1Char('/') + name;
        const bool known = manifest.contains(name);
        const QByteArray knownHash = manifest.value(name);

        QByteArray current;
        const bool present = Occupied(target);
        const bool readable = present && !QFileInfo(target).isSymLink() &&
                              QFileInfo(target).isFile() && ReadAll(target, current);
        const QByteArray currentHash = readable ? HashOf(current) : QByteArray();

        if (present && currentHash == shippedHash) {
            manifest.insert(name, shippedHash); // already as shipped
            continue;
        }
        // Written only where the user has no file of their own: none was there and none was
        // deleted (a known effect that is gone was deleted), or it is the old shipped text.
        const bool ours = present ? known && readable && currentHash == knownHash : !known;
        if (!ours) {
            ++update.kept;
            continue;
        }
        const int written = AtomicFile::Write(target, shipped);
        if (written != 0) {
            NoteError(update.error, target, written);
            continue;
        }
        manifest.insert(name, shippedHash);
        ++(present ? update.updated : update.added);
    }
    if (manifest != before || !QFileInfo::exists(manifestPath)) {
        const int written = WriteManifest(manifestPath, manifest);
        if (written != 0)
            NoteError(update.error, manifestPath, written);
    }
    return update;
}

QString Prepare(const QString& installedFolder, const QString& userFolder) {
    const QString installed = QDir::cleanPath(installedFolder) + QLatin1Char('/');
    const QString user = QDir::cleanPath(userFolder) + QLatin1Char('/');
    if (!QDir().mkpath(user + QStringLiteral("zarvotemp")))
        return user + QStringLiteral(": ") + SysErrorMessage(errno);
    // The marker tells an installation whose files are all there; the user's copy follows it.
    const QString marker = QStringLiteral("zarvotx.ini");
    QByteArray bytes;
    if (!Occupied(user + marker) && ReadAll(installed + marker, bytes)) {
        const int written = AtomicFile::Write(user + marker, bytes);
        if (written != 0)
            return user + marker + QStringLiteral(": ") + SysErrorMessage(written);
    }
    return UpdateLibrary(installed + QStringLiteral("data"), user + QStringLiteral("data"),
                         user + QLatin1String(ManifestName))
        .error;
}

void PrepareForThisRun() {
    if (Paths::ProgramFolder() == Paths::InstalledFolder())
        return;
    const QString error = Prepare(Paths::InstalledFolder(), Paths::ProgramFolder());
    if (!error.isEmpty())
        std::fprintf(stderr, "zarvofx: %s\n", error.toLocal8Bit().constData());
}

} // namespace UserFolder
