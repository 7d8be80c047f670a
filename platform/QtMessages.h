#pragma once
// Qt's console messages. Qt's platform plug-ins print notices about things they cannot do
// (the offscreen plug-in cannot raise a window, set an opacity or move the pointer); they are
// harmless for us, and a tool or the program must print nothing on the console in normal use.

#include <QString>
#include <QtGlobal>

// Installs a message handler that drops the known-harmless platform notices and passes every
// other message on to the handler that was installed before. Installing twice is harmless.
void SilenceHarmlessPlatformMessages();

// True for a message that the handler drops.
bool IsHarmlessPlatformMessage(QtMsgType type, const QString& message);
