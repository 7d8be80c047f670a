#include "app/PreviewSetup.h"

#include "app/EffectFile.h"

#include "framework/Exceptions.h"
#include "framework/Strings.h"
#include "framework/SysUtils.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <unistd.h>

QString PreviewFilePathIn(const QString& programFolder) {
    QString folder = programFolder;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder + QStringLiteral("zarvotemp/zarvotemp.htm");
}

QString PreviewFilePath() {
    return PreviewFilePathIn(Paths::ProgramFolder());
}

void WritePreviewFile(const QString& path, const TStrings& lines, TextEncoding::Encoding readIn) {
    // The atomic save renames over the old file, which would replace a read-only one.
    QByteArray native = QFile::encodeName(path);
    if (::access(native.constData(), F_OK) == 0 && ::access(native.constData(), W_OK) != 0)
        throw EFCreateError(path, SysErrorMessage(EACCES));
    EffectFile::Save(lines, path, readIn);
}

// ---- Process preparation

namespace {
bool HasRenderNode() {
    return !QDir(QStringLiteral("/dev/dri")).entryList({QStringLiteral("renderD*")}).isEmpty();
}

void AddEngineFlag(QByteArray& flags, const QByteArray& flag) {
    if (flags.split(' ').contains(flag))
        return;
    if (!flags.isEmpty())
        flags += ' ';
    flags += flag;
}

// The engine reports its set-up on the console (GL back end, sandbox, missing GPU); none of
// it concerns the user.
QtMessageHandler gPreviousHandler = nullptr;

bool IsEngineChatter(const QMessageLogContext& context, const QString& message) {
    if (context.category && QByteArray(context.category).startsWith("qt.webengine"))
        return true;
    static const QStringList kLines{
        QStringLiteral("Sandboxing disabled by user."),
        QStringLiteral("No suitable graphics backend found"),
        // The off-screen platform, when a page asks for focus.
        QStringLiteral("This plugin does not support raise()"),
        QStringLiteral("This plugin does not support grabbing the keyboard")};
    // The engine starts after the application object, with the shared graphics context
    // made then (see PreviewView.cpp).
    if (message.startsWith(QStringLiteral("Qt WebEngine seems to be initialized from a plugin")))
        return true;
    // Qt's own note that it made up a runtime folder, seen where none is set (root shells).
    return kLines.contains(message.trimmed()) ||
           message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

void QuietEngineMessages(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    if (type != QtFatalMsg && IsEngineChatter(context, message))
        return;
    if (gPreviousHandler)
        gPreviousHandler(type, context, message);
}
} // namespace

void PreparePreviewProcess() {
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!HasRenderNode() || qgetenv("QT_QPA_PLATFORM") == "offscreen")
        AddEngineFlag(flags, "--disable-gpu");
    AddEngineFlag(flags, "--log-level=3");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    QtMessageHandler previous = qInstallMessageHandler(QuietEngineMessages);
    if (previous != QuietEngineMessages)
        gPreviousHandler = previous;
}
