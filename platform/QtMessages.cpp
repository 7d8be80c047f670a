#include "platform/QtMessages.h"

#include <QMessageLogContext>
#include <QStringList>
#include <atomic>
#include <cstdio>

namespace {

// The notices of QtGui's platform defaults ("This plugin does not support raise()", "… lower()",
// "… propagateSizeHints()", "… setting window opacity", "… QCursor::setPos(); emulating …") and
// the one-time notice about the runtime folder, which Qt then creates itself.
const QStringList& HarmlessPrefixes() {
    static const QStringList prefixes{
        QStringLiteral("This plugin does not support raise()"),
        QStringLiteral("This plugin does not support lower()"),
        QStringLiteral("This plugin does not support propagateSizeHints()"),
        QStringLiteral("This plugin does not support setting window opacity"),
        QStringLiteral("This plugin does not support setting window masks"),
        QStringLiteral("This plugin does not support grabbing the keyboard"),
        QStringLiteral("This plugin does not support grabbing the mouse"),
        QStringLiteral("This plugin does not support QCursor::setPos()"),
        QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"),
    };
    return prefixes;
}

QtMessageHandler previousHandler = nullptr;
std::atomic<bool> installed{false};

void FilterMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (IsHarmlessPlatformMessage(type, message))
        return;
    if (previousHandler) {
        previousHandler(type, context, message);
        return;
    }
    const QByteArray line = qFormatLogMessage(type, context, message).toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stderr);
}

} // namespace

bool IsHarmlessPlatformMessage(QtMsgType type, const QString& message) {
    if (type != QtWarningMsg && type != QtInfoMsg && type != QtDebugMsg)
        return false;
    for (const QString& prefix : HarmlessPrefixes()) {
        if (message.startsWith(prefix))
            return true;
    }
    return false;
}

void SilenceHarmlessPlatformMessages() {
    if (installed.exchange(true))
        return;
    previousHandler = qInstallMessageHandler(FilterMessage);
}
