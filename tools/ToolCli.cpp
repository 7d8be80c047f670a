#include "ToolCli.h"

#include "platform/Errors.h"
#include "platform/QtMessages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <unistd.h>

#ifndef ZARVO_VERSION
#error "ZARVO_VERSION is set by the build"
#endif

namespace ToolCli {

namespace {

void Print(FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

const TOption HelpOption{QStringLiteral("--help"), QString(),
                         QStringLiteral("print this help and exit")};
const TOption VersionOption{QStringLiteral("--version"), QString(),
                            QStringLiteral("print the version and exit")};

QString OptionLabel(const TOption& option) {
    return option.ValueName.isEmpty() ? option.Name : option.Name + u' ' + option.ValueName;
}

const TOption* FindOption(const std::vector<TOption>& options, const QString& name) {
    auto found = std::find_if(options.begin(), options.end(),
                              [&](const TOption& option) { return option.Name == name; });
    return found == options.end() ? nullptr : &*found;
}

// --help and --version count only before "--", where the options end.
bool Asks(const QStringList& args, const QString& option, const QString& shortOption = {}) {
    for (const QString& arg : args) {
        if (arg == QLatin1String("--"))
            return false;
        if (arg == option || (!shortOption.isEmpty() && arg == shortOption))
            return true;
    }
    return false;
}

std::atomic<unsigned> temporaryCounter{0};

} // namespace

QString HelpText(const TToolInfo& tool) {
    QString text;
    for (int i = 0; i < tool.Synopsis.size(); ++i)
        text += (i == 0 ? QStringLiteral("Usage: ") : QStringLiteral("       ")) + tool.Name +
                u' ' + tool.Synopsis[i] + u'\n';
    if (!tool.Description.isEmpty())
        text += u'\n' + tool.Description;
    std::vector<TOption> options = tool.Options;
    options.push_back(HelpOption);
    options.push_back(VersionOption);
    qsizetype width = 0;
    for (const TOption& option : options)
        width = std::max(width, OptionLabel(option).size());
    text += QStringLiteral("\nOptions:\n");
    for (const TOption& option : options)
        text += QStringLiteral("  ") + OptionLabel(option).leftJustified(width + 2) + option.Help +
                u'\n';
    text += QStringLiteral("\nExit codes: 0 success, 1 failure, 2 wrong usage.\n");
    return text;
}

QString VersionText(const TToolInfo& tool) {
    return tool.Name + u' ' + QStringLiteral(ZARVO_VERSION) + u'\n';
}

bool TArguments::IsSet(const QString& name) const {
    return FSet.contains(name);
}

QString TArguments::Value(const QString& name) const {
    const qsizetype at = FSet.lastIndexOf(name);
    return at < 0 ? QString() : FValues[at];
}

void TArguments::ExpectPositional(int min, int max, const QString& what) const {
    const qsizetype count = FPositional.size();
    if (count < min)
        throw UsageError{QStringLiteral("missing %1").arg(what)};
    if (count > max)
        throw UsageError{QStringLiteral("unexpected argument \"%1\"").arg(FPositional[max])};
}

TArguments Parse(const QStringList& args, const std::vector<TOption>& options) {
    TArguments parsed;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (optionsEnded || arg == QLatin1String("-") || !arg.startsWith(u'-')) {
            parsed.FPositional << arg;
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = arg.indexOf(u'=');
        const QString name = equals < 0 ? arg : arg.left(equals);
        const TOption* option = FindOption(options, name);
        if (!option)
            throw UsageError{QStringLiteral("unknown option %1").arg(name)};
        QString value;
        if (option->ValueName.isEmpty()) {
            if (equals >= 0)
                throw UsageError{QStringLiteral("%1 takes no value").arg(name)};
        } else if (equals >= 0) {
            value = arg.mid(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            throw UsageError{QStringLiteral("%1 needs a value %2").arg(name, option->ValueName)};
        }
        parsed.FSet << name;
        parsed.FValues << value;
    }
    return parsed;
}

int IntegerValue(const TArguments& arguments, const QString& name, int min) {
    bool ok = false;
    const QString text = arguments.Value(name);
    const int value = text.toInt(&ok);
    if (!ok || value < min)
        throw UsageError{QStringLiteral("%1 needs a whole number of at least %2, not \"%3\"")
                             .arg(name)
                             .arg(min)
                             .arg(text)};
    return value;
}

int RunTool(const TToolInfo& tool, int argc, char** argv,
            const std::function<int(const QStringList& args)>& work) {
    SilenceHarmlessPlatformMessages();
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString prefix = tool.Name + QStringLiteral(": ");
    int code = 0;
    if (Asks(args, QStringLiteral("--help"), QStringLiteral("-h"))) {
        Print(stdout, HelpText(tool));
    } else if (Asks(args, QStringLiteral("--version"))) {
        Print(stdout, VersionText(tool));
    } else {
        try {
            code = work(args);
        } catch (const UsageError& error) {
            std::fflush(stdout);
            Print(stderr,
                  prefix + error.Message + QStringLiteral(" (see %1 --help)\n").arg(tool.Name));
            return 2;
        } catch (const Failure& error) {
            std::fflush(stdout);
            Print(stderr, prefix + error.Message + u'\n');
            return 1;
        } catch (const std::exception& error) {
            std::fflush(stdout);
            Print(stderr, prefix + QString::fromUtf8(error.what()) + u'\n');
            return 1;
        }
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        Print(stderr, prefix + QStringLiteral("cannot write the output: %1\n")
                                   .arg(QString::fromLocal8Bit(std::strerror(errno))));
        return 1;
    }
    return code;
}

void RequireExisting(const QString& path) {
    if (!QFileInfo::exists(path))
        throw Failure{QStringLiteral("%1 does not exist").arg(path)};
}

void RefuseToOverwrite(const QString& path, bool force) {
    if (!force && QFileInfo::exists(path))
        throw Failure{QStringLiteral("%1 exists; give --force to overwrite").arg(path)};
}

TAtomicFile::TAtomicFile(const QString& target) : FTarget(target) {
    const QFileInfo info(target);
    if (info.isDir())
        throw Failure{QStringLiteral("cannot write %1: it is a folder").arg(target)};
    if (!info.dir().exists())
        throw Failure{QStringLiteral("cannot write %1: the folder %2 does not exist")
                          .arg(target, info.path())};
    // Beside the target, so the rename stays on one file system. Created with the permissions
    // a plain new file gets (0666 less the umask), which the target then keeps.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = info.dir().filePath(QStringLiteral(".%1.%2-%3.part")
                                                          .arg(info.fileName())
                                                          .arg(::getpid())
                                                          .arg(temporaryCounter++));
        const int fd = ::open(QFile::encodeName(candidate).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            FTemporary = candidate;
            return;
        }
        if (errno != EEXIST)
            throw Failure{QStringLiteral("cannot write %1: %2")
                              .arg(target, QString::fromLocal8Bit(std::strerror(errno)))};
    }
    throw Failure{QStringLiteral("cannot write %1: no temporary name is free").arg(target)};
}

TAtomicFile::TAtomicFile(TAtomicFile&& other) noexcept
    : FTarget(std::move(other.FTarget)), FTemporary(std::move(other.FTemporary)) {
    other.FTemporary.clear();
}

TAtomicFile::~TAtomicFile() {
    if (!FTemporary.isEmpty())
        ::unlink(QFile::encodeName(FTemporary).constData());
}

void TAtomicFile::Commit() {
    if (FTemporary.isEmpty())
        return;
    if (::rename(QFile::encodeName(FTemporary).constData(),
                 QFile::encodeName(FTarget).constData()) != 0)
        throw Failure{QStringLiteral("cannot write %1: %2")
                          .arg(FTarget, QString::fromLocal8Bit(std::strerror(errno)))};
    FTemporary.clear();
}

void WriteAtomically(const QString& target, const std::function<bool(const QString& path)>& write) {
    TAtomicFile file(target);
    bool written = false;
    try {
        written = write(file.TemporaryPath());
    } catch (const Exception& error) {
        throw Failure{QStringLiteral("cannot write %1: %2").arg(target, error.Message())};
    }
    if (!written)
        throw Failure{QStringLiteral("cannot write %1").arg(target)};
    file.Commit();
}

} // namespace ToolCli
