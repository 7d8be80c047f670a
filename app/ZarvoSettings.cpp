#include "app/ZarvoSettings.h"

#include "framework/Exceptions.h"
#include "framework/IniFiles.h"
#include "framework/Registry.h"
#include "platform/Paths.h"

#include <QFileInfo>

namespace ZarvoSettings {
namespace {

const QString kPanelSection = QStringLiteral("zhuangtailan");
const QString kUnplayableKey = QStringLiteral("unplayable");
const QString kDialogsSection = QStringLiteral("dialogs");
const QString kPreviewSection = QStringLiteral("yulan");
const QString kLivePreviewKey = QStringLiteral("shishi");

struct FlagKey {
    QString path;
    QString valueName;
    QString value;
};

FlagKey KeyOf(Flag flag) {
    if (flag == Flag::StayOnTop)
        return {QStringLiteral("\\Software\\zvwytxsz"), QStringLiteral("qianduanxianshi"),
                QStringLiteral("fsStayOnTop")};
    return {QStringLiteral("\\Software\\zvwytxtcts"), QStringLiteral("tuichutishi"),
            QStringLiteral("tishi")};
}

} // namespace

QString FilePath() {
    return Paths::SettingsFilePath();
}

QString SkinPath() {
    return TIniFile(FilePath()).ReadString(QStringLiteral("Skins"), QStringLiteral("Skins"), {});
}

void SetSkinPath(const QString& storedPath) {
    TIniFile(FilePath()).WriteString(QStringLiteral("Skins"), QStringLiteral("Skins"), storedPath);
}

QString Music() {
    return TIniFile(FilePath()).ReadString(QStringLiteral("music"), QStringLiteral("music"), {});
}

void SetMusic(const QString& path) {
    TIniFile ini(FilePath());
    ini.WriteString(QStringLiteral("music"), QStringLiteral("music"), path);
    ini.DeleteKey(QStringLiteral("music"), kUnplayableKey);
}

void DeleteMusic() {
    TIniFile ini(FilePath());
    ini.DeleteKey(QStringLiteral("music"), QStringLiteral("music"));
    ini.DeleteKey(QStringLiteral("music"), kUnplayableKey);
}

QString UnplayableMusic() {
    return TIniFile(FilePath()).ReadString(QStringLiteral("music"), kUnplayableKey, {});
}

void SetUnplayableMusic(const QString& path) {
    TIniFile(FilePath()).WriteString(QStringLiteral("music"), kUnplayableKey, path);
}

void ClearUnplayableMusic() {
    TIniFile(FilePath()).DeleteKey(QStringLiteral("music"), kUnplayableKey);
}

QString DialogFolder(const QString& dialog) {
    QString folder;
    try {
        folder = TIniFile(FilePath()).ReadString(kDialogsSection, dialog, {});
    } catch (const std::exception&) {
        // An unreadable settings file: the dialog starts where it would without one.
    }
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void RememberDialogFolder(const QString& dialog, const QString& chosenPath) {
    const QString folder = QFileInfo(chosenPath).absolutePath();
    try {
        TIniFile ini(FilePath());
        if (ini.ReadString(kDialogsSection, dialog, {}) != folder)
            ini.WriteString(kDialogsSection, dialog, folder);
    } catch (const std::exception&) {
        // An unwritable settings file only costs the start folder of the next run.
    }
}

bool MonospacedCode() {
    try {
        return TIniFile(FilePath())
            .ReadBool(QStringLiteral("code"), QStringLiteral("monospace"), false);
    } catch (const std::exception&) {
        return false;
    }
}

void SetMonospacedCode(bool value) {
    TIniFile(FilePath()).WriteBool(QStringLiteral("code"), QStringLiteral("monospace"), value);
}

bool ShowPanelEnabled() {
    return TIniFile(FilePath()).ReadBool(kPanelSection, QStringLiteral("yincang"), false);
}

bool HidePanelEnabled() {
    return TIniFile(FilePath()).ReadBool(kPanelSection, QStringLiteral("xianshi"), false);
}

void RecordPanelHidden(bool hidden) {
    TIniFile ini(FilePath());
    ini.WriteString(kPanelSection, QStringLiteral("yincang"),
                    hidden ? QStringLiteral("1") : QStringLiteral("0"));
    ini.WriteString(kPanelSection, QStringLiteral("xianshi"),
                    hidden ? QStringLiteral("0") : QStringLiteral("1"));
}

bool LivePreview() {
    return TIniFile(FilePath()).ReadBool(kPreviewSection, kLivePreviewKey, false);
}

void SetLivePreview(bool on) {
    TIniFile(FilePath())
        .WriteString(kPreviewSection, kLivePreviewKey,
                     on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool FlagSet(Flag flag) {
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    const bool open = registry.OpenKey(KeyOf(flag).path, false);
    registry.CloseKey();
    return open;
}

void SetFlag(Flag flag, bool on) {
    const FlagKey key = KeyOf(flag);
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (!on) {
        registry.DeleteKey(key.path);
        return;
    }
    const bool existed = registry.KeyExists(key.path);
    if (!registry.OpenKey(key.path, true))
        throw ERegistryException(QStringLiteral("Failed to set data for '%1'").arg(key.valueName));
    try {
        registry.WriteString(key.valueName, key.value);
    } catch (const ERegistryException&) {
        // The key's existence is the setting: a key made for a value that could not be
        // written goes again, so the old state stays.
        registry.CloseKey();
        if (!existed)
            registry.DeleteKey(key.path);
        throw;
    }
    registry.CloseKey();
}

} // namespace ZarvoSettings
