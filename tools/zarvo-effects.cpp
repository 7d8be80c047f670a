// zarvo-effects: checks that effects work when previewed, and draws contact sheets of them.

#include "app/PreviewEngine.h"
#include "effects/ContactSheet.h"
#include "effects/EffectChecker.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <map>

namespace {
const char* const kUsage =
    "Usage: zarvo-effects check [OPTIONS] [FOLDER|FILE...]\n"
    "       zarvo-effects sheet [OPTIONS] FOLDER --out DIR\n"
    "       zarvo-effects --help | --version\n"
    "\n"
    "check   Loads each effect as the preview window does (the preview file's GBK bytes,\n"
    "        the preview's browser settings), off-screen at the preview's size; waits until\n"
    "        it has loaded, moves the mouse over it and clicks once in its middle. Prints one\n"
    "        line per fault, \"category/effect: fault\": script errors from the console,\n"
    "        requests the page tried to make (network, other local files), a blank page\n"
    "        (one colour), dialog after dialog, a page that does not load. Prints nothing\n"
    "        when every effect passes. A FOLDER is searched with its sub-folders for effect\n"
    "        files (files without an extension); without arguments the program folder's\n"
    "        data/ is checked.\n"
    "sheet   Checks the effects of FOLDER (a library folder with category folders, or one\n"
    "        category) and writes one contact sheet per category, DIR/<category>.png:\n"
    "        the screenshots with their names, failed effects named in red.\n"
    "\n"
    "Options:\n"
    "  --jobs N     pages checked at once (1..16, default 4)\n"
    "  --verbose    check: also print every effect that passed with its time to load\n"
    "               (\"category/effect: ok, loaded in N ms\") and a closing summary\n"
    "  --out DIR    sheet: the folder for the sheets (created when missing)\n"
    "  --help       this text\n"
    "  --version    the version\n"
    "\n"
    "Exit status: 0 when every effect passed (check) or the sheets were written (sheet),\n"
    "1 when an effect failed or a file could not be read or written, 2 for a wrong option.\n";

struct UsageError {
    QString message;
};

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

void Fail(const QString& message) {
    Print(stderr, QStringLiteral("zarvo-effects: %1\n").arg(message));
}

Options ParseArguments(const QStringList& args) {
    Options options;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                throw UsageError{QStringLiteral("option '%1' needs a value").arg(arg)};
            return args[++i];
        };
        if (arg == u"--jobs") {
            bool ok = false;
            const QString text = value();
            options.jobs = text.toInt(&ok);
            if (!ok || options.jobs < 1 || options.jobs > 16)
                throw UsageError{QStringLiteral("--jobs wants a number 1..16, not '%1'").arg(text)};
        } else if (arg == u"--out") {
            options.out = value();
        } else if (arg == u"--verbose") {
            options.verbose = true;
        } else if (arg.startsWith(u'-') && arg != u"-") {
            throw UsageError{QStringLiteral("unknown option '%1'").arg(arg)};
        } else if (options.command.isEmpty()) {
            if (arg != u"check" && arg != u"sheet")
                throw UsageError{QStringLiteral("unknown command '%1' (check or sheet)").arg(arg)};
            options.command = arg;
        } else {
            options.paths << arg;
        }
    }
    if (options.command.isEmpty())
        throw UsageError{QStringLiteral("missing command (check or sheet); see --help")};
    if (options.command == u"sheet") {
        if (options.paths.size() != 1)
            throw UsageError{QStringLiteral("sheet wants one FOLDER")};
        if (options.out.isEmpty())
            throw UsageError{QStringLiteral("sheet wants --out DIR")};
    } else if (!options.out.isEmpty()) {
        throw UsageError{QStringLiteral("--out belongs to sheet")};
    }
    return options;
}

// Every named path must exist; reports the first missing one.
bool AllExist(const QStringList& paths) {
    for (const QString& path : paths) {
        if (!QFileInfo::exists(path)) {
            Fail(QStringLiteral("%1: no such file or folder").arg(path));
            return false;
        }
    }
    return true;
}

std::vector<EffectReport> CheckFiles(const QStringList& files, int jobs) {
    QTemporaryDir work;
    PreviewEngine::Options engineOptions;
    engineOptions.reportAllRequests = true;
    PreviewEngine engine(engineOptions);
    EffectChecker checker(&engine, work.path(), jobs);
    return checker.Check(files);
}

int RunCheck(const Options& options) {
    QStringList paths = options.paths;
    if (paths.isEmpty())
        paths << Paths::ProgramFolder() + QStringLiteral("data");
    if (!AllExist(paths))
        return 1;
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
    if (!QFileInfo(folder).isDir()) {
        Fail(QStringLiteral("%1: no such folder").arg(folder));
        return 1;
    }
    if (!QDir().mkpath(options.out)) {
        Fail(QStringLiteral("%1: cannot create the folder").arg(options.out));
        return 1;
    }
    const std::vector<EffectReport> reports =
        CheckFiles(CollectEffectFiles({folder}), options.jobs);
    std::map<QString, std::vector<const EffectReport*>> categories;
    for (const EffectReport& report : reports)
        categories[QFileInfo(report.file).dir().dirName()].push_back(&report);
    for (const auto& [category, effects] : categories) {
        const QString path = QDir(options.out).filePath(category + QStringLiteral(".png"));
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            !ComposeContactSheet(category, effects).save(&file, "PNG") || !file.commit()) {
            Fail(QStringLiteral("%1: cannot write the sheet: %2").arg(path, file.errorString()));
            return 1;
        }
    }
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.contains(QStringLiteral("--help"))) {
        Print(stdout, QString::fromLatin1(kUsage));
        return 0;
    }
    if (args.contains(QStringLiteral("--version"))) {
        Print(stdout, QStringLiteral("zarvo-effects " ZARVO_VERSION "\n"));
        return 0;
    }
    Options options;
    try {
        options = ParseArguments(args);
    } catch (const UsageError& e) {
        Fail(e.message);
        return 2;
    }
    // The pages are never shown: off-screen unless the caller chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PreparePreviewProcess();
    QApplication app(argc, argv);
    return options.command == u"check" ? RunCheck(options) : RunSheet(options);
}
