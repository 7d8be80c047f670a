#pragma once
// The program folder, path-name helpers and the process's current folder.
// Stored values may use "\" as the separator; these functions accept it and
// convert to "/" at the file-system boundary. There are no drive letters.

#include <QString>

namespace Paths {

// The folder the program works in, ending in "/": its settings file, installation marker,
// effect library and preview page. That is the installed folder while this user may write
// there; an installation the user may not write (or one marked per-user, see below) works in
// UserProgramFolder() instead.
QString ProgramFolder();
// The folder of the running executable, ending in "/": skins, pictures, help, tools and the
// plug-in are read from there.
QString InstalledFolder();
// Replaces both folders (tests build their program folders elsewhere); an empty folder
// restores the executable's own.
void SetProgramFolder(const QString& folder);
// Replaces the installed folder alone, after SetProgramFolder (tests of a per-user folder).
void SetInstalledFolder(const QString& folder);

// The per-user program folder: $XDG_DATA_HOME/zarvofx/, by default ~/.local/share/zarvofx/.
QString UserProgramFolder();
// A file of this name in the installed folder makes every user, root too, work in their own
// folder: the package ships it, so nobody writes into the system's copy.
inline constexpr char PerUserMarkName[] = "zarvofx.per-user";
// Whether an installation in `installedFolder` is used through UserProgramFolder().
bool UsesUserFolder(const QString& installedFolder);
// Full path of the running executable (in the overridden folder when one is set).
QString ExecutablePath();

// Converts "\" to "/". Both names do the same; FromStored reads better for values
// taken from settings files.
QString ToNativeSeparators(const QString& path);
QString FromStored(const QString& path);

// A relative name (possibly with "\") resolved against the installed folder; an
// absolute one is returned as is (separators converted). An empty name stays empty.
QString ResolveProgramPath(const QString& name);

// The folder part including its trailing "/" ("" when there is none).
QString ExtractFilePath(const QString& path);
// The part after the last separator.
QString ExtractFileName(const QString& path);
// The extension with its dot (".htm"), "" when the name has none. A leading dot of
// a hidden name ("/a/.profile") is not an extension.
QString ExtractFileExt(const QString& path);
// Replaces the extension, or appends `extension` when the name has none.
QString ChangeFileExt(const QString& path, const QString& extension);

// File names as the system's bytes. Names are UTF-8; a byte that is not part of valid UTF-8
// becomes the lone surrogate U+DC00 + byte when decoded and that byte again when encoded,
// so a name read from a folder reaches the file operations with its bytes unchanged.
QString DecodeName(const QByteArray& bytes);
QByteArray EncodeName(const QString& name);

// The settings file: the executable's path with the extension ".Ini".
QString SettingsFilePathFor(const QString& executablePath);
QString SettingsFilePath();

// The process's current folder, without a trailing separator.
QString GetCurrentDir();
// Changes the process's current folder; failure raises EInOutError with the
// system's error text.
void SetCurrentDir(const QString& path);

// True for an existing file that is not a folder.
bool FileExists(const QString& path);
bool DirectoryExists(const QString& path);

} // namespace Paths
