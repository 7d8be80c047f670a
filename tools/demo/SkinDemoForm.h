#pragma once
// The skinned demo window of zarvo-demo: a skinned frame with a menu bar and submenus,
// skinned buttons that show each kind of message box, a label with the last answer, and a
// tray icon that the window minimises into. With a skin folder the window and its boxes wear
// that skin; without one, the plain frame and the default look.
//
// Once shown it prints where its frame parts are, for scripts that drive it:
//   client X Y        the client area's top-left in window coordinates
//   clientsize W H    the client area's size
//   caption X Y       a point on the caption (dragging it moves the window)
//   corner X Y        a point of the bottom-right sizing corner
//   maxbutton X Y     the centre of the maximise button (rollupbutton: the roll-up one)

#include "framework/Forms.h"

#include <QString>

class TbsSkinData;
class TbsSkinMessage;
class TbsSkinStdLabel;
class TbsTrayIcon;
class TbsSkinButton;
class TbsBusinessSkinForm;
class TbsSkinMainMenu;
class TbsSkinMainMenuBar;

class TSkinDemoForm : public TForm {
    Q_OBJECT
public:
    // `skinFolder` empty: the default look. A folder that does not hold a readable skin
    // leaves the default look too (SkinLoaded() tells).
    TSkinDemoForm(QObject* owner, const QString& skinFolder);

    bool SkinLoaded() const;

    // The client size the demo lays its controls out in, whatever the frame.
    static constexpr int DemoClientWidth = 460;
    static constexpr int DemoClientHeight = 176;

    TbsSkinData* SkinData = nullptr;
    TbsBusinessSkinForm* Frame = nullptr;
    TbsSkinMainMenu* MainMenu = nullptr;
    TbsSkinMainMenuBar* MenuBar = nullptr;
    TbsSkinMessage* Messages = nullptr;
    TbsTrayIcon* TrayIcon = nullptr;
    TbsSkinStdLabel* Answer = nullptr;
    TbsSkinButton* TrayButton = nullptr;

protected:
    void DoShow() override;

private:
    void AddMenuBar();
    void AddMessageButtons();
    void ShowKind(int index);
    void PrintFrameGeometry();
    void AddTrayIcon();
};
