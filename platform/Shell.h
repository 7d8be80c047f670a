#pragma once
// Shell services: opening a file or URL with its associated program, running a
// command line written for Windows, and clearing the recent-documents list.
// Each service first makes a plan (what would be started) and then carries it out,
// so the choice can be checked without starting anything.
//
// Command lines map the Windows programs the program starts to desktop ones:
//   "notepad.exe [file]"  -> the first graphical text editor found on the search path
//                            (see TextEditorCandidates); without one, a given file is
//                            opened with its associated program
//   "regedit.exe"         -> the registry folder in the file manager
//   "explorer.exe [path]" -> the home folder (or the path) in the file manager
//   "hh.exe help.chm"     -> the help file (resolved against the program folder) in a
//                            CHM viewer when one is installed, else an HTML help file
//                            of the same name when present, else the file's
//                            associated program
//   any other program     -> the program relative to the program folder when it exists
//                            (also without its ".exe"), else found on the search path.
// Documents, folders and addresses go to the desktop's opener (xdg-open), or without one
// straight to a browser, mail program or file manager. Nothing fails silently: a missing
// program or a failed start is reported to the caller in words that name what is missing.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace Shell {

// The kind of program a plan hands its target to: what a user is told is missing.
enum class Handler { None, Browser, TextEditor, FileManager, MailProgram, Program };

struct LaunchPlan {
    enum class Kind { Nothing, RunProgram, OpenUrl };
    Kind Action = Kind::Nothing;
    QString Program; // RunProgram: the executable's path
    QStringList Arguments;
    QUrl Url;             // OpenUrl: the document, folder or address
    QString EnsureFolder; // a folder made before the launch (may be empty)
    Handler Needs = Handler::None;
    QString Target; // the program or document named, for messages
};

LaunchPlan PlanCommandLine(const QString& commandLine);
LaunchPlan PlanShellOpen(const QString& fileOrUrl);

// Told why a launch did not happen, in words for the user (Chinese, naming what is missing).
using LaunchFailed = std::function<void(const QString& reason)>;

// The program an OpenUrl plan is handed to: the desktop's opener (xdg-open, gio) when there
// is one, else a browser, mail program or file manager found on the search path for the
// address's kind; empty when there is none.
QStringList OpenerCommand(const LaunchPlan& plan);
// True when the plan can be carried out here: its program exists, or an opener does.
bool CanLaunch(const LaunchPlan& plan);
// The reason given when nothing can carry the plan out.
QString MissingText(const LaunchPlan& plan);

// Starts the plan without waiting; false when it names nothing or the start failed, and then
// `onFailed` hears why. A desktop opener that ends with an error (no program for that kind
// of file) is reported through `onFailed` when it ends.
bool Execute(const LaunchPlan& plan, LaunchFailed onFailed = {});

bool RunCommandLine(const QString& commandLine, LaunchFailed onFailed = {});
bool ShellOpen(const QString& fileOrUrl, LaunchFailed onFailed = {});

// Graphical text editors in order of preference; terminal editors ($EDITOR) are left
// out since no terminal is open to run them in.
QStringList TextEditorCandidates();

// $XDG_DATA_HOME/recently-used.xbel (~/.local/share when unset).
QString RecentDocumentsFile();
// Replaces the list of recently used documents with a valid, empty list.
bool ClearRecentDocuments();

} // namespace Shell
