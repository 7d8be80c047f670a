#pragma once
// The skinned demo window of zarvo-demo: skinned buttons that show each kind of message box,
// a label with the last answer, and a tray icon that the window minimises into. With a skin
// folder the window and its boxes wear that skin; without one, the default look.

#include "framework/Forms.h"

#include <QString>

class TbsSkinData;
class TbsSkinMessage;
class TbsSkinStdLabel;
class TbsTrayIcon;
class TbsSkinButton;

class TSkinDemoForm : public TForm {
    Q_OBJECT
public:
    // `skinFolder` empty: the default look. A folder that does not hold a readable skin
    // leaves the default look too (SkinLoaded() tells).
    TSkinDemoForm(QObject* owner, const QString& skinFolder);

    bool SkinLoaded() const;
    // Minimises the window into the tray.
    void MinimizeToTray();
    // Shows the window again and takes the icon out of the tray.
    void RestoreFromTray();

    TbsSkinData* SkinData = nullptr;
    TbsSkinMessage* Messages = nullptr;
    TbsTrayIcon* TrayIcon = nullptr;
    TbsSkinStdLabel* Answer = nullptr;
    TbsSkinButton* TrayButton = nullptr;

private:
    void AddMessageButtons();
    void AddTrayIcon();
};
