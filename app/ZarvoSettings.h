#pragma once
// The program's preferences: the settings file beside the executable (the executable's path
// with ".Ini") and two registry keys under the current user whose existence is the setting.
// Every change is written at once; nothing is written at exit.

#include <QString>

namespace ZarvoSettings {

// The settings file's path (overridable for tests through Paths::SetProgramFolder).
QString FilePath();

// "Skins"/"Skins": the chosen skin description as stored ("skins\skin1\skin.ini"), or empty.
QString SkinPath();
void SetSkinPath(const QString& storedPath);

// "music"/"music": the saved background music, or empty. Deleting removes the key.
QString Music();
void SetMusic(const QString& path);
void DeleteMusic();
// "music"/"unplayable": the saved song that could not be played at a start, so that it is
// reported once, not at every start. Saving, deleting or choosing music clears it.
QString UnplayableMusic();
void SetUnplayableMusic(const QString& path);
void ClearUnplayableMusic();

// "dialogs"/<dialog>: the folder a file dialog was last accepted in ("save" for saved pages,
// "music" for the music file), so the next run of the program starts there. Empty when none
// was kept or the folder no longer exists. Neither reading nor remembering raises: it is a
// convenience, and what the dialog was for has already been done.
QString DialogFolder(const QString& dialog);
void RememberDialogFolder(const QString& dialog, const QString& chosenPath);

// Whether the code window shows its text in a monospaced face ([code] monospace); an
// unreadable settings file reads as no.
bool MonospacedCode();
void SetMonospacedCode(bool value);

// "zhuangtailan": "yincang" enables "显示任务栏", "xianshi" enables "隐藏任务栏"; both read as
// booleans defaulting to false. Hiding the panel writes yincang "1" and xianshi "0", showing it
// the opposite.
bool ShowPanelEnabled();
bool HidePanelEnabled();
void RecordPanelHidden(bool hidden);

// "yulan"/"shishi": the live preview is on ("1") or off ("0", and without the key).
bool LivePreview();
void SetLivePreview(bool on);

// The two registry flags: only their existence matters. Creating writes the one value the key
// carries; removing deletes the key. Failures raise ERegistryException.
enum class Flag {
    StayOnTop,     // "\Software\zvwytxsz"
    AskBeforeExit, // "\Software\zvwytxtcts"
};
bool FlagSet(Flag flag);
void SetFlag(Flag flag, bool on);

} // namespace ZarvoSettings
