#pragma once
// Runs one of the staged command-line tools (the program folder beside the test binaries)
// and keeps what it printed.

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

struct ToolRun {
    int exitCode = -1; // -1 when the tool crashed or did not end in time
    QString out;
    QString err;
    QStringList Lines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
    bool Has(const QString& line) const { return Lines().contains(line); }
    // The first output line starting with `prefix` and holding `part`.
    QString Find(const QString& prefix, const QString& part) const {
        for (const QString& line : Lines()) {
            if (line.startsWith(prefix) && line.contains(part))
                return line;
        }
        return QString();
    }
};

// The path of a tool in the staged program folder.
inline QString StagedToolPath(const QString& tool) {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../zarvofx/") + tool;
}

// The build makes every tool a test program runs before the program; a missing one fails.
inline ::testing::AssertionResult ToolIsBuilt(const QString& tool) {
    if (QFileInfo(StagedToolPath(tool)).isExecutable())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << tool.toStdString() << " is not built at " << StagedToolPath(tool).toStdString();
}

inline ToolRun RunStagedTool(const QString& tool, const QStringList& args, int timeoutMs = 60000) {
    QProcess process;
    process.start(StagedToolPath(tool), args);
    ToolRun run;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
