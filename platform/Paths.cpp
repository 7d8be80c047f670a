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
    return ::stat(QFile::encodeName(ToNativeSeparators(path)).constData(), &info) == 0;
}

} // namespace

QString ProgramFolder() {
    const QString& overridden = OverriddenProgramFolder();
    if (!overridden.isEmpty())
        return overridden;
    return WithTrailingSlash(QFileInfo(RunningExecutable()).absolutePath());
}

void SetProgramFolder(const QString& folder) {
    OverriddenProgramFolder() =
        folder.isEmpty() ? QString() : WithTrailingSlash(ToNativeSeparators(folder));
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
    return ProgramFolder() + path;
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
    return QDir::currentPath();
}

void SetCurrentDir(const QString& path) {
    const QByteArray encoded = QFile::encodeName(ToNativeSeparators(path));
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
