#pragma once
// The text clipboard of the desktop. Both need the application object.

#include <QString>

// False without a GUI application.
bool SetClipboardText(const QString& text);
// Empty when the clipboard holds no text.
QString GetClipboardText();
