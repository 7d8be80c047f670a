#include "platform/RegistryStore.h"
#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString ValueSuffix = QStringLiteral(".value");
constexpr int MaxKeyNameLength = 255;
// Percent-escaped value names must still fit a file name of 255 bytes.
constexpr int MaxValueFileNameBytes = 255;

bool IsValidKeyName(const QString& name) {
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0)) &&
           name.size() <= MaxKeyNameLength && QFile::encodeName(name).size() <= MaxKeyNameLength;
}

// Value names may hold any character; "%" and "/" (and NUL) are escaped in the file
// name. The suffix keeps "." and ".." from ever being a value file.
QString ValueFileName(const QString& name) {
    QString escaped;
    for (QChar c : name) {
        if (c == QLatin1Char('%') || c == QLatin1Char('/') || c == QChar(0))
            escaped += QStringLiteral("%%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            escaped += c;
    }
    return escaped + ValueSuffix;
}

// An entry of `folder` equal to `fileName` ignoring case; the exact spelling wins.
std::optional<QString> FindEntry(const QString& folder, const QString& fileName,
                                 QDir::Filters filter) {
    // Links are never followed: the store makes none, and one planted there must not
    // lead a key outside the store.
    const QDir dir(folder);
    const QFileInfo exact(dir.filePath(fileName));
    if (!exact.isSymLink() && ((filter & QDir::Dirs) ? exact.isDir() : exact.isFile()))
        return exact.filePath();
    const QStringList entries =
        dir.entryList(filter | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Name);
    for (const QString& entry : entries)
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return std::nullopt;
}

std::optional<QString> FindValueFile(const QString& keyFolder, const QString& name) {
    return FindEntry(keyFolder, ValueFileName(name), QDir::Files);
}

} // namespace

RegistryStore::RegistryStore(QString rootFolder) : FRoot(std::move(rootFolder)) {}

QString RegistryStore::DefaultRootFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/zarvofx/registry");
}

std::optional<QStringList> RegistryStore::SplitKeyPath(const QString& keyPath) {
    QString path = keyPath;
    if (path.startsWith(QLatin1Char('\\')))
        path.remove(0, 1);
    if (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    if (path.isEmpty())
        return QStringList();
    const QStringList names = path.split(QLatin1Char('\\'));
    for (const QString& name : names)
        if (!IsValidKeyName(name))
            return std::nullopt;
    return names;
}

std::optional<QString> RegistryStore::FindKey(const QStringList& names) const {
    if (!QFileInfo(FRoot).isDir())
        return std::nullopt;
    QString folder = FRoot;
    for (const QString& name : names) {
        if (!IsValidKeyName(name))
            return std::nullopt;
        const std::optional<QString> next = FindEntry(folder, name, QDir::Dirs);
        if (!next)
            return std::nullopt;
        folder = *next;
    }
    return folder;
}

std::optional<QString> RegistryStore::CreateKey(const QStringList& names) const {
    if (!QFileInfo(FRoot).isDir()) {
        if (!QDir().mkpath(FRoot))
            return std::nullopt;
        QFile::setPermissions(FRoot, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString folder = FRoot;
    for (const QString& name : names) {
        if (!IsValidKeyName(name))
            return std::nullopt;
        std::optional<QString> next = FindEntry(folder, name, QDir::Dirs);
        if (!next) {
            if (!QDir(folder).mkdir(name))
                return std::nullopt;
            next = QDir(folder).filePath(name);
        }
        folder = *next;
    }
    return folder;
}

bool RegistryStore::DeleteKey(const QStringList& names) const {
    if (names.isEmpty())
        return false;
    const std::optional<QString> folder = FindKey(names);
    return folder && QDir(*folder).removeRecursively();
}

bool RegistryStore::WriteString(const QString& keyFolder, const QString& name,
                                const QString& value) const {
    if (!QFileInfo(keyFolder).isDir())
        return false;
    const QString fileName = ValueFileName(name);
    if (QFile::encodeName(fileName).size() > MaxValueFileNameBytes)
        return false;
    // Keep the spelling of an existing value, so that one name never has two files.
    const QString path =
        FindValueFile(keyFolder, name).value_or(QDir(keyFolder).filePath(fileName));
    // Whole or not at all: a full disk leaves the old value, never an empty file.
    return AtomicFile::Write(path, value.toUtf8()) == 0;
}

std::optional<QString> RegistryStore::ReadString(const QString& keyFolder,
                                                 const QString& name) const {
    const std::optional<QString> path = FindValueFile(keyFolder, name);
    if (!path)
        return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

bool RegistryStore::ValueExists(const QString& keyFolder, const QString& name) const {
    return FindValueFile(keyFolder, name).has_value();
}

bool RegistryStore::DeleteValue(const QString& keyFolder, const QString& name) const {
    const std::optional<QString> path = FindValueFile(keyFolder, name);
    return path && QFile::remove(*path);
}
