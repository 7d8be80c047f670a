#include "platform/Shell.h"

#include "platform/Paths.h"
#include "platform/RegistryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace Shell {

namespace {

using Kind = LaunchPlan::Kind;

LaunchPlan Run(const QString& program, const QStringList& arguments, Handler needs) {
    LaunchPlan plan;
    plan.Action = Kind::RunProgram;
    plan.Program = program;
    plan.Arguments = arguments;
    plan.Needs = needs;
    plan.Target = program;
    return plan;
}

QString ShownTarget(const QUrl& url) {
    return url.isLocalFile() ? url.toLocalFile() : url.toString();
}

LaunchPlan Open(const QUrl& url, Handler needs) {
    LaunchPlan plan;
    plan.Action = Kind::OpenUrl;
    plan.Url = url;
    plan.Needs = needs;
    plan.Target = ShownTarget(url);
    return plan;
}

LaunchPlan Missing(Handler needs, const QString& target) {
    LaunchPlan plan;
    plan.Needs = needs;
    plan.Target = target;
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
        return Run(editor, NativeArguments(arguments), Handler::TextEditor);
    if (!arguments.isEmpty())
        return Open(LocalFileUrl(arguments.join(QLatin1Char(' '))), Handler::TextEditor);
    return Missing(Handler::TextEditor, QString());
}

LaunchPlan PlanRegistryEditor() {
    const QString folder = RegistryStore::DefaultRootFolder();
    LaunchPlan plan = Open(QUrl::fromLocalFile(folder), Handler::FileManager);
    plan.EnsureFolder = folder;
    return plan;
}

LaunchPlan PlanFileManager(const QStringList& arguments) {
    if (arguments.isEmpty())
        return Open(QUrl::fromLocalFile(QDir::homePath()), Handler::FileManager);
    return Open(LocalFileUrl(arguments.join(QLatin1Char(' '))), Handler::FileManager);
}

LaunchPlan PlanHelpViewer(const QStringList& arguments) {
    if (arguments.isEmpty())
        return Missing(Handler::Browser, QString());
    const QString helpFile = Paths::ResolveProgramPath(arguments.join(QLatin1Char(' ')));
    const QString viewer =
        FindFirstExecutable({QStringLiteral("xchm"), QStringLiteral("kchmviewer")});
    if (!viewer.isEmpty() && Paths::FileExists(helpFile))
        return Run(viewer, {helpFile}, Handler::Browser);
    for (const QString& extension : {QStringLiteral(".htm"), QStringLiteral(".html")}) {
        const QString html = Paths::ChangeFileExt(helpFile, extension);
        if (Paths::FileExists(html))
            return Open(QUrl::fromLocalFile(html), Handler::Browser);
    }
    return Open(QUrl::fromLocalFile(helpFile), Handler::Browser);
}

// A program of the installation, relative to the program folder, or one on the path.
LaunchPlan PlanProgram(const QString& program, const QStringList& arguments) {
    const QString native = Paths::ToNativeSeparators(program);
    for (const QString& name : {native, WithoutExe(native)}) {
        const QString path = Paths::ResolveProgramPath(name);
        if (Paths::FileExists(path))
            return Run(path, NativeArguments(arguments), Handler::Program);
    }
    if (!native.contains(QLatin1Char('/'))) {
        const QString found = FindFirstExecutable({native, WithoutExe(native)});
        if (!found.isEmpty())
            return Run(found, NativeArguments(arguments), Handler::Program);
    }
    return Missing(Handler::Program, WithoutExe(native));
}

// Programs that take the target themselves when the desktop has no opener.
QStringList DirectHandlers(Handler needs) {
    switch (needs) {
    case Handler::Browser: {
        QStringList browsers;
        // $BROWSER may list several, separated by colons.
        for (const QString& named : qEnvironmentVariable("BROWSER").split(QLatin1Char(':')))
            if (!named.trimmed().isEmpty())
                browsers << named.trimmed();
        return browsers << QStringLiteral("firefox") << QStringLiteral("firefox-esr")
                        << QStringLiteral("chromium") << QStringLiteral("chromium-browser")
                        << QStringLiteral("google-chrome") << QStringLiteral("epiphany-browser")
                        << QStringLiteral("epiphany") << QStringLiteral("falkon")
                        << QStringLiteral("konqueror") << QStringLiteral("midori");
    }
    case Handler::MailProgram:
        return {QStringLiteral("thunderbird"), QStringLiteral("evolution"),
                QStringLiteral("kmail"),       QStringLiteral("geary"),
                QStringLiteral("claws-mail"),  QStringLiteral("sylpheed")};
    case Handler::FileManager:
        return {QStringLiteral("nautilus"),  QStringLiteral("dolphin"), QStringLiteral("thunar"),
                QStringLiteral("nemo"),      QStringLiteral("caja"),    QStringLiteral("pcmanfm"),
                QStringLiteral("pcmanfm-qt")};
    case Handler::TextEditor:
    case Handler::Program:
    case Handler::None:
        break;
    }
    return {};
}

QString HandlerName(Handler needs) {
    switch (needs) {
    case Handler::Browser:
        return QStringLiteral("网页浏览器");
    case Handler::MailProgram:
        return QStringLiteral("邮件程序");
    case Handler::FileManager:
        return QStringLiteral("文件管理器");
    case Handler::TextEditor:
        return QStringLiteral("文本编辑器");
    case Handler::Program:
    case Handler::None:
        break;
    }
    return QStringLiteral("程序");
}

QString StartFailedText(const QString& program) {
    return QStringLiteral("无法启动 ") + program + QStringLiteral("。");
}

// Runs the opener and reports when it ends with an error: it then found no program for the
// target, or that program failed. The opener is left running when the program ends.
bool WatchOpener(const QStringList& command, const LaunchPlan& plan, LaunchFailed onFailed) {
    auto* process = new QProcess(QCoreApplication::instance());
    const QString opener = QFileInfo(command.first()).fileName();
    QObject::connect(process, &QProcess::finished, process,
                     [process, plan, opener, onFailed](int code, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if ((status != QProcess::NormalExit || code != 0) && onFailed)
                             onFailed(QStringLiteral("没有能打开 %1 的%2（%3 报告错误 %4）。")
                                          .arg(plan.Target, HandlerName(plan.Needs), opener)
                                          .arg(code));
                     });
    process->start(command.first(), command.mid(1));
    if (!process->waitForStarted()) {
        delete process;
        if (onFailed)
            onFailed(StartFailedText(opener));
        return false;
    }
    return true;
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
        return Missing(Handler::Browser, QString());
    if (Paths::DirectoryExists(fileOrUrl))
        return Open(LocalFileUrl(fileOrUrl), Handler::FileManager);
    if (Paths::FileExists(fileOrUrl))
        return Open(LocalFileUrl(fileOrUrl), Handler::Browser);
    // A scheme of one letter would be a drive letter, never an address.
    const QUrl url(fileOrUrl, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1)
        return Open(url, url.scheme() == QLatin1String("mailto") ? Handler::MailProgram
                                                                 : Handler::Browser);
    return Open(LocalFileUrl(fileOrUrl), Handler::Browser);
}

QStringList OpenerCommand(const LaunchPlan& plan) {
    const QString target = ShownTarget(plan.Url);
    for (const QString& opener : {QStringLiteral("xdg-open"), QStringLiteral("gio")}) {
        const QString path = QStandardPaths::findExecutable(opener);
        if (path.isEmpty())
            continue;
        if (opener == QLatin1String("gio"))
            return {path, QStringLiteral("open"), target};
        return {path, target};
    }
    const QString direct = FindFirstExecutable(DirectHandlers(plan.Needs));
    if (!direct.isEmpty())
        return {direct, target};
    return {};
}

bool CanLaunch(const LaunchPlan& plan) {
    switch (plan.Action) {
    case Kind::RunProgram:
        return QFileInfo(plan.Program).isExecutable();
    case Kind::OpenUrl:
        return !OpenerCommand(plan).isEmpty();
    case Kind::Nothing:
        break;
    }
    return false;
}

QString MissingText(const LaunchPlan& plan) {
    // What is missing and what could not be opened on the first line, why on the second.
    auto text = [&plan](const QString& missing, const QString& why) {
        const QString target =
            plan.Target.isEmpty() ? QString() : QStringLiteral("，无法打开 ") + plan.Target;
        return missing + target + QStringLiteral("。\n") + why;
    };
    switch (plan.Needs) {
    case Handler::Browser:
        return text(
            QStringLiteral("找不到网页浏览器"),
            QStringLiteral("这台电脑上既没有 xdg-open，也没有 Firefox、Chromium 等浏览器。"));
    case Handler::MailProgram:
        return text(QStringLiteral("找不到邮件程序"),
                    QStringLiteral("这台电脑上既没有 xdg-open，也没有 Thunderbird、Evolution "
                                   "等邮件程序。"));
    case Handler::FileManager:
        return text(QStringLiteral("找不到文件管理器"),
                    QStringLiteral("这台电脑上既没有 xdg-open，也没有 Nautilus、Dolphin、Thunar "
                                   "等文件管理器。"));
    case Handler::TextEditor:
        return text(QStringLiteral("找不到文本编辑器"),
                    QStringLiteral("这台电脑上没有 gedit、Kate、Mousepad 等文本编辑器。"));
    case Handler::Program:
    case Handler::None:
        break;
    }
    return QStringLiteral("找不到程序 ") + plan.Target + QStringLiteral("，请您重新安装本软件。");
}

bool Execute(const LaunchPlan& plan, LaunchFailed onFailed) {
    auto fail = [&](const QString& reason) {
        if (onFailed)
            onFailed(reason);
        return false;
    };
    if (!plan.EnsureFolder.isEmpty())
        QDir().mkpath(plan.EnsureFolder);
    switch (plan.Action) {
    case Kind::RunProgram:
        if (!QProcess::startDetached(plan.Program, plan.Arguments))
            return fail(StartFailedText(plan.Program));
        return true;
    case Kind::OpenUrl: {
        QStringList command = OpenerCommand(plan);
        if (command.isEmpty())
            return fail(MissingText(plan));
        return WatchOpener(command, plan, std::move(onFailed));
    }
    case Kind::Nothing:
        break;
    }
    return fail(MissingText(plan));
}

bool RunCommandLine(const QString& commandLine, LaunchFailed onFailed) {
    return Execute(PlanCommandLine(commandLine), std::move(onFailed));
}

bool ShellOpen(const QString& fileOrUrl, LaunchFailed onFailed) {
    return Execute(PlanShellOpen(fileOrUrl), std::move(onFailed));
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
