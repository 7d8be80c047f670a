#pragma once
// The rules of the skinned open and save dialogs, apart from their windows: where a run
// starts, what Enter in the file-name edit does, when a choice is accepted, the folder
// history behind Back, the New-folder command and the values a dialog keeps between runs.
// Paths use "/"; a "\" the user types counts as "/".

#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

enum class TbsDialogMode { Open, Save };

// The list's four looks, in the order of the tool bar's view buttons.
enum class TbsDialogViewStyle { List, SmallIcons, Icons, Report };

// The name that New folder creates.
QString NewFolderName();

// `folder` and `name` joined by one "/" (the root "/" keeps a single slash).
QString JoinDialogPath(const QString& folder, const QString& name);

// Where a run starts and what the file-name edit shows first.
struct TbsDialogStart {
    QString Folder;
    QString Name;
};
// A preset with a folder part starts in that folder with the name part in the edit;
// otherwise in `initialDir` when set, else in `programFolder`, with the preset in the edit.
TbsDialogStart DialogStart(const QString& fileName, const QString& initialDir,
                           const QString& programFolder);

// What Enter in the file-name edit does.
enum class TbsEnterAction {
    SetMask,    // the text holds "*": it becomes the list's mask
    GoToFolder, // the text holds a separator and names an existing folder
    Ignore,     // the text holds a separator but names no folder
    Accept      // anything else: the accept rules run
};
struct TbsEnterDecision {
    TbsEnterAction Action = TbsEnterAction::Accept;
    // The mask (SetMask) or the folder (GoToFolder), separators made "/", a relative
    // folder resolved against the current one.
    QString Value;
};
TbsEnterDecision DecideEnter(const QString& text, const QString& currentFolder,
                             const std::function<bool(const QString&)>& folderExists);

// What the accept button (or Enter) does.
struct TbsAcceptDecision {
    // The form closes with result 1 (accepted).
    bool Close = false;
    // The dialog's result path (empty when cleared or nothing happened).
    QString Result;
};
// Save mode: a non-empty edit gives currentFolder/text (an absolute text as it is), accepted
// unless it holds "*"
// (whether the file exists is not asked). Open mode: the file selected in the list (empty
// for none or a folder), accepted when it exists; otherwise the result is cleared.
TbsAcceptDecision DecideAccept(TbsDialogMode mode, const QString& editText,
                               const QString& currentFolder, const QString& selectedFile,
                               const std::function<bool(const QString&)>& fileExists);

// The folders visited in one run, newest last.
class TbsFolderHistory {
public:
    // Appends `folder` unless it is the newest entry already.
    void Visit(const QString& folder);
    // With more than two entries: drops the newest and answers the folder to go back to
    // (the new newest). With two or fewer nothing happens: the run's first folder is
    // never returned to.
    std::optional<QString> Back();
    int Count() const { return static_cast<int>(FFolders.size()); }
    const QStringList& Folders() const { return FFolders; }

private:
    QStringList FFolders;
};

// New folder: creates folder/"新建文件夹" unless it exists. True when it was created;
// false when it existed. A failure to create raises EInOutError with the system's text.
bool CreateNewFolder(const QString& folder);

// What a dialog keeps from one run to the next.
struct TbsDialogMemory {
    static constexpr int FirstClientWidth = 520;
    static constexpr int FirstClientHeight = 350;

    int FolderPanelWidth = 200;
    bool FolderPanelRolled = false;
    TbsDialogViewStyle ViewStyle = TbsDialogViewStyle::List;
    // None before the first run.
    std::optional<QSize> ClientSize;

    // The remembered size (520 x 350 the first time), at least minWidth x minHeight.
    QSize StartClientSize(int minWidth, int minHeight) const;
};
