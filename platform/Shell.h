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

#include <QString>
#include <QStringList>
#include <QUrl>

namespace Shell {

struct LaunchPlan {
    enum class Kind { Nothing, RunProgram, OpenUrl };
    Kind Action = Kind::Nothing;
    QString Program; // RunProgram: the executable's path
    QStringList Arguments;
    QUrl Url;             // OpenUrl: the document, folder or address
    QString EnsureFolder; // a folder made before the launch (may be empty)
};

LaunchPlan PlanCommandLine(const QString& commandLine);
LaunchPlan PlanShellOpen(const QString& fileOrUrl);
// Starts the plan without waiting; false when it names nothing or the start failed.
bool Execute(const LaunchPlan& plan);

bool RunCommandLine(const QString& commandLine);
bool ShellOpen(const QString& fileOrUrl);

// Graphical text editors in order of preference; terminal editors ($EDITOR) are left
// out since no terminal is open to run them in.
QStringList TextEditorCandidates();

// $XDG_DATA_HOME/recently-used.xbel (~/.local/share when unset).
QString RecentDocumentsFile();
// Replaces the list of recently used documents with a valid, empty list.
bool ClearRecentDocuments();

} // namespace Shell
