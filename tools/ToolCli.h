#pragma once
// The command-line convention every one of our tools follows:
//
//   --help     the tool's help, explaining every option, on stdout; exit code 0
//   --version  "<tool> <version>" on stdout; exit code 0
//   a wrong option or argument: one line "<tool>: <what is wrong> (see <tool> --help)" on
//              stderr; exit code 2
//   a failure: one line "<tool>: <what failed>" on stderr; exit code 1
//
// Outputs are written through TAtomicFile, so a failure never leaves a half-written file; a
// missing input is reported as missing (RequireExisting). Qt's harmless platform notices are
// silenced, so a tool prints nothing on the console in normal use.
//
// A tool describes itself in a TToolInfo and runs its work through RunTool:
//
//   int main(int argc, char** argv) {
//       return ToolCli::RunTool(Info(), argc, argv, [&](const QStringList& args) {
//           const ToolCli::TArguments arguments = ToolCli::Parse(args, Info().Options);
//           ...
//           return 0;
//       });
//   }

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace ToolCli {

// A wrong option or argument; RunTool ends the tool with exit code 2.
struct UsageError {
    QString Message;
};

// The work failed; RunTool ends the tool with exit code 1.
struct Failure {
    QString Message;
};

struct TOption {
    QString Name;      // with its dashes: "--out"
    QString ValueName; // "DIR" for an option that takes a value; empty for a flag
    QString Help;      // what it does, one line
};

struct TToolInfo {
    QString Name;         // "zarvo-skin"
    QStringList Synopsis; // the usage lines without the tool's name: "check [--strict] PATH"
    QString Description;  // paragraphs after the usage; ends with a newline
    std::vector<TOption> Options; // every option of the tool, listed in the help
};

// The help text: usage lines, description, every option with --help and --version, and the
// exit codes.
QString HelpText(const TToolInfo& tool);
// "zarvo-skin 2.0.0".
QString VersionText(const TToolInfo& tool);

// The parsed command line: the options given and the other arguments in order.
class TArguments {
public:
    bool IsSet(const QString& name) const;
    // The value given last for `name`; empty when the option is not given.
    QString Value(const QString& name) const;
    const QStringList& Positional() const { return FPositional; }
    // Raises a UsageError unless there are `min` to `max` positional arguments; `what` names
    // them for the message ("a skin and an output file").
    void ExpectPositional(int min, int max, const QString& what) const;

private:
    friend TArguments Parse(const QStringList&, const std::vector<TOption>&);
    QStringList FSet;
    QStringList FValues;
    QStringList FPositional;
};

// Options may stand anywhere, as "--name VALUE" or "--name=VALUE"; "--" ends the options.
// An option not in `options`, a flag given a value and an option missing its value raise a
// UsageError.
TArguments Parse(const QStringList& args, const std::vector<TOption>& options);

// An integer option value of at least `min`; anything else raises a UsageError.
int IntegerValue(const TArguments& arguments, const QString& name, int min);

// Answers --help and --version (anywhere before "--"), silences Qt's harmless platform
// notices, then runs `work` with the arguments and turns its errors into the exit codes:
// UsageError 2, Failure and the framework's exceptions 1. A failed write to stdout is a failure.
int RunTool(const TToolInfo& tool, int argc, char** argv,
            const std::function<int(const QStringList& args)>& work);

// Raises a Failure "<path> does not exist" when nothing is at `path`.
void RequireExisting(const QString& path);
// Raises a Failure "<path> exists; give --force to overwrite" when `path` exists and
// `force` is false.
void RefuseToOverwrite(const QString& path, bool force);

// A file written under a temporary name beside its target, renamed over the target by Commit
// only when it is complete: a failure never leaves a half-written or partly replaced file.
// The temporary file is removed unless committed. The target's folder must exist.
class TAtomicFile {
public:
    explicit TAtomicFile(const QString& target);
    ~TAtomicFile();
    TAtomicFile(const TAtomicFile&) = delete;
    TAtomicFile& operator=(const TAtomicFile&) = delete;
    TAtomicFile(TAtomicFile&& other) noexcept;

    const QString& Target() const { return FTarget; }
    // Where the writer writes; an empty file exists there already.
    const QString& TemporaryPath() const { return FTemporary; }
    // Renames the temporary file over the target; raises a Failure when that fails.
    void Commit();

private:
    QString FTarget;
    QString FTemporary;
};

// Writes `target` atomically: `write` gets the temporary path and returns false (or raises)
// when it failed, and the target is then left as it was. Raises a Failure
// "cannot write <target>" on failure.
void WriteAtomically(const QString& target, const std::function<bool(const QString& path)>& write);

} // namespace ToolCli
