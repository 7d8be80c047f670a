#include "platform/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

bool SetClipboardText(const QString& text) {
    if (!qGuiApp)
        return false;
    QGuiApplication::clipboard()->setText(text);
    return true;
}

QString GetClipboardText() {
    if (!qGuiApp)
        return QString();
    return QGuiApplication::clipboard()->text();
}
