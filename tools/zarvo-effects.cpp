// zarvo-effects: checks that effects work when previewed, and draws contact sheets of them.

#include "ToolCli.h"
#include "app/EffectPictures.h"
#include "app/PreviewEngine.h"
#include "effects/ContactSheet.h"
#include "effects/EffectChecker.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <limits>
#include <map>
#include <optional>

namespace {
using ToolCli::Failure;
using ToolCli::UsageError;

const ToolCli::TOption JobsOption{QStringLiteral("--jobs"), QStringLiteral("N"),
                                  QStringLiteral("pages checked at once (1..16, default 4)")};
const ToolCli::TOption VerboseOption{
    QStringLiteral("--verbose"), QString(),
    QStringLiteral("check: also print every effect that passed with its time to load "
                   "and a closing summary")};
const ToolCli::TOption OutOption{
    QStringLiteral("--out"), QStringLiteral("DIR"),
    QStringLiteral(
        "sheet, pictures: the folder for the sheets or pictures (created when missing)")};

const ToolCli::TToolInfo& Tool() {
    static const ToolCli::TToolInfo tool{
        QStringLiteral("zarvo-effects"),
        {QStringLiteral("check [--jobs N] [--verbose] [FOLDER|FILE...]"),
         QStringLiteral("sheet [--jobs N] FOLDER --out DIR"),
         QStringLiteral("pictures [--jobs N] --out DIR FOLDER|FILE...")},
        QStringLiteral(
            "check   Loads each effect as the preview window does (the preview file's GBK bytes,\n"
            "        the preview's browser settings), off-screen at the preview's size; waits "
            "until\n"
            "        it has loaded, moves the mouse over it and clicks once in its middle. Prints "
            "one\n"
            "        line per fault, \"category/effect: fault\": script errors from the console,\n"
            "        requests the page tried to make (network, other local files), a blank page\n"
            "        (one colour), dialog after dialog, a page that does not load. Prints nothing\n"
            "        when every effect passes. A FOLDER is searched with its sub-folders for "
            "effect\n"
            "        files (files without an extension); without arguments the program folder's\n"
            "        data/ is checked. Exit code 1 when an effect failed.\n"
            "sheet   Checks the effects of FOLDER (a library folder with category folders, or one\n"
            "        category) and writes one contact sheet per category, DIR/<category>.png:\n"
            "        the screenshots with their names, failed effects named in red.\n"
            "pictures  Takes each effect's picture as sheet does, at half size, into\n"
            "        DIR/<SHA-256 of the effect's bytes>.png, as the program's hint shows them.\n"
            "        Effects whose picture is there already are skipped, so a run makes only\n"
            "        those of new and changed effects. Prints how many it made.\n"),
        {JobsOption, VerboseOption, OutOption}};
    return tool;
}

struct Options {
    QString command;
    QStringList paths;
    QString out;
    int jobs = 4;
    bool verbose = false;
};

void Print(FILE* stream, const QString& text) {
    QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

Options ParseArguments(const QStringList& args) {
    if (args.isEmpty())
        throw UsageError{QStringLiteral("missing command (check or sheet)")};
    Options options;
    options.command = args[0];
    if (options.command != u"check" && options.command != u"sheet" &&
        options.command != u"pictures")
        throw UsageError{QStringLiteral("unknown command \"%1\" (check, sheet or pictures)")
                             .arg(options.command)};
    const ToolCli::TArguments arguments =
        ToolCli::Parse(args.mid(1), {JobsOption, VerboseOption, OutOption});
    if (arguments.IsSet(JobsOption.Name)) {
        options.jobs = ToolCli::IntegerValue(arguments, JobsOption.Name, 1);
        if (options.jobs > 16)
            throw UsageError{
                QStringLiteral("--jobs wants a number 1..16, not %1").arg(options.jobs)};
    }
    options.verbose = arguments.IsSet(VerboseOption.Name);
    options.out = arguments.Value(OutOption.Name);
    options.paths = arguments.Positional();
    if (options.command == u"sheet") {
        arguments.ExpectPositional(1, 1, QStringLiteral("the library FOLDER"));
        if (options.out.isEmpty())
            throw UsageError{QStringLiteral("sheet wants --out DIR")};
    } else if (options.command == u"pictures") {
        arguments.ExpectPositional(1, std::numeric_limits<int>::max(),
                                   QStringLiteral("a FOLDER or FILE"));
        if (options.out.isEmpty())
            throw UsageError{QStringLiteral("pictures wants --out DIR")};
    } else if (arguments.IsSet(OutOption.Name)) {
        throw UsageError{QStringLiteral("--out belongs to sheet and pictures")};
    }
    return options;
}

// `done`, when given, has each report as soon as its effect is done.
std::vector<EffectReport> CheckFiles(const QStringList& files, int jobs,
                                     std::function<void(const EffectReport&)> done = {}) {
    QTemporaryDir work;
    PreviewEngine::Options engineOptions;
    engineOptions.reportAllRequests = true;
    PreviewEngine engine(engineOptions);
    EffectChecker checker(&engine, work.path(), jobs);
    checker.OnReport = std::move(done);
    return checker.Check(files);
}

int RunCheck(const Options& options) {
    QStringList paths = options.paths;
    // The user's library, or the installed one while the user's folder has none yet.
    if (paths.isEmpty())
        paths << (Paths::DirectoryExists(Paths::ProgramFolder() + QStringLiteral("data"))
                      ? Paths::ProgramFolder()
                      : Paths::InstalledFolder()) +
                     QStringLiteral("data");
    for (const QString& path : paths)
        ToolCli::RequireExisting(path);
    QElapsedTimer clock;
    clock.start();
    const std::vector<EffectReport> reports = CheckFiles(CollectEffectFiles(paths), options.jobs);
    int failed = 0;
    for (const EffectReport& report : reports) {
        const QStringList problems = report.Problems();
        failed += problems.isEmpty() ? 0 : 1;
        for (const QString& line : problems)
            Print(stdout, line + u'\n');
        if (problems.isEmpty() && options.verbose)
            Print(
                stdout,
                QStringLiteral("%1: ok, loaded in %2 ms\n").arg(report.name).arg(report.settleMs));
    }
    if (options.verbose)
        Print(stdout, QStringLiteral("checked %1 effects in %2 s: %3 failed\n")
                          .arg(reports.size())
                          .arg(clock.elapsed() / 1000.0, 0, 'f', 1)
                          .arg(failed));
    return failed ? 1 : 0;
}

int RunSheet(const Options& options) {
    const QString folder = options.paths.front();
    if (!QFileInfo(folder).isDir())
        throw Failure{QStringLiteral("%1 is not a folder").arg(folder)};
    if (!QDir().mkpath(options.out))
        throw Failure{QStringLiteral("%1: cannot create the folder").arg(options.out)};
    const std::vector<EffectReport> reports =
        CheckFiles(CollectEffectFiles({folder}), options.jobs);
    std::map<QString, std::vector<const EffectReport*>> categories;
    for (const EffectReport& report : reports)
        categories[QFileInfo(report.file).dir().dirName()].push_back(&report);
    for (const auto& entry : categories) {
        const QString& category = entry.first;
        const QString path = QDir(options.out).filePath(category + QStringLiteral(".png"));
        ToolCli::WriteAtomically(path, [&](const QString& temporary) {
            return ComposeContactSheet(category, entry.second).save(temporary, "PNG");
        });
    }
    return 0;
}
int RunPictures(const Options& options) {
    for (const QString& path : options.paths)
        ToolCli::RequireExisting(path);
    if (!QDir().mkpath(options.out))
        throw Failure{QStringLiteral("%1: cannot create the folder").arg(options.out)};
    const QDir out(options.out);
    QStringList wanted;
    QHash<QString, QString> names; // effect file -> picture name
    QSet<QString> taken;
    for (const QString& file : CollectEffectFiles(options.paths)) {
        const QString name = EffectPictures::NameOfFile(file);
        if (name.isEmpty() || out.exists(name) || taken.contains(name))
            continue;
        taken.insert(name);
        names.insert(file, name);
        wanted << file;
    }
    int made = 0;
    std::optional<Failure> writeFailure;
    // Each picture is written when its effect is done: what a run made is kept however it
    // ends, and the next run takes only the rest.
    if (!wanted.isEmpty())
        CheckFiles(wanted, options.jobs, [&](const EffectReport& report) {
            if (report.screenshot.isNull())
                return;
            const QImage picture =
                report.screenshot.scaled(EffectPictures::Width, EffectPictures::Height,
                                         Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            // Called from the event loop, which no exception may cross: the first failure
            // ends the run once the loop is done.
            try {
                ToolCli::WriteAtomically(
                    out.filePath(names.value(report.file)),
                    [&](const QString& temporary) { return picture.save(temporary, "PNG"); });
                ++made;
            } catch (const Failure& failure) {
                if (!writeFailure)
                    writeFailure = failure;
            }
        });
    if (writeFailure)
        throw *writeFailure;
    Print(stdout, QStringLiteral("%1 pictures made, %2 of %3 effects had none\n")
                      .arg(made)
                      .arg(wanted.size())
                      .arg(CollectEffectFiles(options.paths).size()));
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    return ToolCli::RunTool(Tool(), argc, argv, [&](const QStringList& args) {
        const Options options = ParseArguments(args);
        // The pages are never shown: off-screen unless the caller chose a platform.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        PreparePreviewProcess();
        QApplication app(argc, argv);
        if (options.command == u"pictures")
            return RunPictures(options);
        return options.command == u"check" ? RunCheck(options) : RunSheet(options);
    });
}
