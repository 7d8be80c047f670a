#include "platform/Shell.h"

#include "platform/Paths.h"
#include "platform/RegistryStore.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace Shell {

namespace {

using Kind = LaunchPlan::Kind;

LaunchPlan Run(const QString& program, const QStringList& arguments) {
    LaunchPlan plan;
    plan.Action = Kind::RunProgram;
    plan.Program = program;
    plan.Arguments = arguments;
    return plan;
}

LaunchPlan Open(const QUrl& url) {
    LaunchPlan plan;
    plan.Action = Kind::OpenUrl;
    plan.Url = url;
    return plan;
}

QUrl LocalFileUrl(const QString& path) {
    return QUrl::fromLocalFile(QFileInfo(Paths::ToNativeSeparators(path)).absoluteFilePath());
}

QString FindFirstExecutable(const QStringList& names) {
    for (const QString& name : names) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

QString WithoutExe(const QString& name) {
    return name.endsWith(QLatin1String(".exe"), Qt::CaseInsensitive) ? name.chopped(4) : name;
}

QStringList NativeArguments(const QStringList& arguments) {
    QStringList result;
    for (const QString& argument : arguments)
        result << Paths::ToNativeSeparators(argument);
    return result;
}

LaunchPlan PlanTextEditor(const QStringList& arguments) {
    const QString editor = FindFirstExecutable(TextEditorCandidates());
    if (!editor.isEmpty())
        return Run(editor, NativeArguments(arguments));
    if (!arguments.isEmpty())
        return Open(LocalFileUrl(arguments.join(QLatin1Char(' '))));
    return LaunchPlan();
}

LaunchPlan PlanRegistryEditor() {
    const QString folder = RegistryStore::DefaultRootFolder();
    LaunchPlan plan = Open(QUrl::fromLocalFile(folder));
    plan.EnsureFolder = folder;
    return plan;
}

LaunchPlan PlanFileManager(const QStringList& arguments) {
    if (arguments.isEmpty())
        return Open(QUrl::fromLocalFile(QDir::homePath()));
    return Open(LocalFileUrl(arguments.join(QLatin1Char(' '))));
}

LaunchPlan PlanHelpViewer(const QStringList& arguments) {
    if (arguments.isEmpty())
        return LaunchPlan();
    const QString helpFile = Paths::ResolveProgramPath(arguments.join(QLatin1Char(' ')));
    const QString viewer =
        FindFirstExecutable({QStringLiteral("xchm"), QStringLiteral("kchmviewer")});
    if (!viewer.isEmpty() && Paths::FileExists(helpFile))
        return Run(viewer, {helpFile});
    for (const QString& extension : {QStringLiteral(".htm"), QStringLiteral(".html")}) {
        const QString html = Paths::ChangeFileExt(helpFile, extension);
        if (Paths::FileExists(html))
            return Open(QUrl::fromLocalFile(html));
    }
    return Open(QUrl::fromLocalFile(helpFile));
}

// A program of the installation, relative to the program folder, or one on the path.
LaunchPlan PlanProgram(const QString& program, const QStringList& arguments) {
    const QString native = Paths::ToNativeSeparators(program);
    for (const QString& name : {native, WithoutExe(native)}) {
        const QString path = Paths::ResolveProgramPath(name);
        if (Paths::FileExists(path))
            return Run(path, NativeArguments(arguments));
    }
    if (!native.contains(QLatin1Char('/'))) {
        const QString found = FindFirstExecutable({native, WithoutExe(native)});
        if (!found.isEmpty())
            return Run(found, NativeArguments(arguments));
    }
    return LaunchPlan();
}

} // namespace

QStringList TextEditorCandidates() {
    return {QStringLiteral("gnome-text-editor"),
            QStringLiteral("gedit"),
            QStringLiteral("kate"),
            QStringLiteral("kwrite"),
            QStringLiteral("mousepad"),
            QStringLiteral("pluma"),
            QStringLiteral("xed"),
            QStringLiteral("featherpad"),
            QStringLiteral("leafpad"),
            QStringLiteral("geany"),
            QStringLiteral("xedit")};
}

LaunchPlan PlanCommandLine(const QString& commandLine) {
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return LaunchPlan();
    const QString program = words.takeFirst();
    const QString name = WithoutExe(Paths::ExtractFileName(program)).toLower();
    if (name == QLatin1String("notepad"))
        return PlanTextEditor(words);
    if (name == QLatin1String("regedit"))
        return PlanRegistryEditor();
    if (name == QLatin1String("explorer"))
        return PlanFileManager(words);
    if (name == QLatin1String("hh"))
        return PlanHelpViewer(words);
    return PlanProgram(program, words);
}

LaunchPlan PlanShellOpen(const QString& fileOrUrl) {
    if (fileOrUrl.isEmpty())
        return LaunchPlan();
    if (Paths::FileExists(fileOrUrl) || Paths::DirectoryExists(fileOrUrl))
        return Open(LocalFileUrl(fileOrUrl));
    // A scheme of one letter would be a drive letter, never an address.
    const QUrl url(fileOrUrl, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1)
        return Open(url);
    return Open(LocalFileUrl(fileOrUrl));
}

bool Execute(const LaunchPlan& plan) {
    if (!plan.EnsureFolder.isEmpty())
        QDir().mkpath(plan.EnsureFolder);
    switch (plan.Action) {
    case Kind::RunProgram:
        return QProcess::startDetached(plan.Program, plan.Arguments);
    case Kind::OpenUrl:
        return QDesktopServices::openUrl(plan.Url);
    case Kind::Nothing:
        break;
    }
    return false;
}

bool RunCommandLine(const QString& commandLine) {
    return Execute(PlanCommandLine(commandLine));
}

bool ShellOpen(const QString& fileOrUrl) {
    return Execute(PlanShellOpen(fileOrUrl));
}

QString RecentDocumentsFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/recently-used.xbel");
}

bool ClearRecentDocuments() {
    static const QByteArray emptyList =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<xbel version=\"1.0\"\n"
        "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
        "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n"
        ">\n"
        "</xbel>\n";
    const QString path = RecentDocumentsFile();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(emptyList);
    return file.commit();
}

} // namespace Shell
