#include "platform/Paths.h"

#include "platform/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace Paths {

namespace {

QString& OverriddenProgramFolder() {
    static QString folder;
    return folder;
}

QString& OverriddenInstalledFolder() {
    static QString folder;
    return folder;
}

QString WithTrailingSlash(QString folder) {
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

// The executable's own path, read from the kernel so it works before (or without)
// an application object.
QString RunningExecutable() {
    static const QString path = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    return path;
}

qsizetype FileNameStart(const QString& path) {
    return path.lastIndexOf(QLatin1Char('/')) + 1;
}

// Index of the extension's dot in the file-name part, or -1.
qsizetype ExtensionDot(const QString& path) {
    const qsizetype nameStart = FileNameStart(path);
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > nameStart ? dot : -1;
}

bool StatPath(const QString& path, struct stat& info) {
    if (path.isEmpty())
        return false;
    return ::stat(EncodeName(ToNativeSeparators(path)).constData(), &info) == 0;
}

} // namespace

QString DecodeName(const QByteArray& bytes) {
    if (QUtf8StringView(bytes).isValidUtf8())
        return QString::fromUtf8(bytes);
    QString name;
    name.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        const unsigned char lead = p[i];
        int length = lead < 0x80                    ? 1
                     : lead >= 0xC2 && lead <= 0xDF ? 2
                     : lead >= 0xE0 && lead <= 0xEF ? 3
                     : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                    : 0;
        if (length > 1 && i + length <= size &&
            QUtf8StringView(reinterpret_cast<const char*>(p + i), length).isValidUtf8()) {
            name += QString::fromUtf8(reinterpret_cast<const char*>(p + i), length);
            i += length;
        } else if (length == 1) {
            name += QChar(lead);
            ++i;
        } else {
            name += QChar(char16_t(0xDC00 + lead));
            ++i;
        }
    }
    return name;
}

QByteArray EncodeName(const QString& name) {
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        const bool escapedByte = c >= 0xDC80 && c <= 0xDCFF &&
                                 (i == 0 || !QChar::isHighSurrogate(name[i - 1].unicode()));
        if (!escapedByte)
            continue;
        bytes += QStringView(name).mid(runStart, i - runStart).toUtf8();
        bytes += char(c - 0xDC00);
        runStart = i + 1;
    }
    bytes += QStringView(name).mid(runStart).toUtf8();
    return bytes;
}

QString InstalledFolder() {
    if (!OverriddenInstalledFolder().isEmpty())
        return OverriddenInstalledFolder();
    if (!OverriddenProgramFolder().isEmpty())
        return OverriddenProgramFolder();
    return WithTrailingSlash(QFileInfo(RunningExecutable()).absolutePath());
}

QString ProgramFolder() {
    const QString& overridden = OverriddenProgramFolder();
    if (!overridden.isEmpty())
        return overridden;
    // Decided once: a folder that became writable while running must not move the library.
    static const QString folder =
        UsesUserFolder(InstalledFolder()) ? UserProgramFolder() : InstalledFolder();
    return folder;
}

void SetProgramFolder(const QString& folder) {
    OverriddenProgramFolder() =
        folder.isEmpty() ? QString() : WithTrailingSlash(ToNativeSeparators(folder));
    OverriddenInstalledFolder().clear();
}

void SetInstalledFolder(const QString& folder) {
    OverriddenInstalledFolder() =
        folder.isEmpty() ? QString() : WithTrailingSlash(ToNativeSeparators(folder));
}

QString UserProgramFolder() {
    QString base = QFile::decodeName(qgetenv("XDG_DATA_HOME"));
    // Relative values are invalid by the freedesktop rules and are ignored.
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QFile::decodeName(qgetenv("HOME")) + QStringLiteral("/.local/share");
    return WithTrailingSlash(base) + QStringLiteral("zarvofx/");
}

bool UsesUserFolder(const QString& installedFolder) {
    const QString folder = WithTrailingSlash(ToNativeSeparators(installedFolder));
    if (FileExists(folder + QLatin1String(PerUserMarkName)))
        return true;
    return ::access(EncodeName(folder).constData(), W_OK) != 0;
}

QString ExecutablePath() {
    return ProgramFolder() + QFileInfo(RunningExecutable()).fileName();
}

QString ToNativeSeparators(const QString& path) {
    QString result = path;
    result.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return result;
}

QString FromStored(const QString& path) {
    return ToNativeSeparators(path);
}

QString ResolveProgramPath(const QString& name) {
    const QString path = ToNativeSeparators(name);
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    return InstalledFolder() + path;
}

QString ExtractFilePath(const QString& path) {
    const QString native = ToNativeSeparators(path);
    return native.left(FileNameStart(native));
}

QString ExtractFileName(const QString& path) {
    const QString native = ToNativeSeparators(path);
    return native.mid(FileNameStart(native));
}

QString ExtractFileExt(const QString& path) {
    const QString native = ToNativeSeparators(path);
    const qsizetype dot = ExtensionDot(native);
    return dot < 0 ? QString() : native.mid(dot);
}

QString ChangeFileExt(const QString& path, const QString& extension) {
    const QString native = ToNativeSeparators(path);
    const qsizetype dot = ExtensionDot(native);
    return (dot < 0 ? native : native.left(dot)) + extension;
}

QString SettingsFilePathFor(const QString& executablePath) {
    return ChangeFileExt(executablePath, QStringLiteral(".Ini"));
}

QString SettingsFilePath() {
    return SettingsFilePathFor(ExecutablePath());
}

QString GetCurrentDir() {
    // The folder's own bytes: a name that is no valid UTF-8 must lead back to the same folder.
    QByteArray buffer(4096, Qt::Uninitialized);
    while (!::getcwd(buffer.data(), size_t(buffer.size()))) {
        if (errno != ERANGE)
            return QDir::currentPath();
        buffer.resize(buffer.size() * 2);
    }
    return DecodeName(QByteArray(buffer.constData()));
}

void SetCurrentDir(const QString& path) {
    const QByteArray encoded = EncodeName(ToNativeSeparators(path));
    if (path.isEmpty() || ::chdir(encoded.constData()) != 0) {
        const int error = path.isEmpty() ? ENOENT : errno;
        throw EInOutError(SysErrorMessage(error), error);
    }
}

bool FileExists(const QString& path) {
    struct stat info;
    return StatPath(path, info) && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const QString& path) {
    struct stat info;
    return StatPath(path, info) && S_ISDIR(info.st_mode);
}

} // namespace Paths
