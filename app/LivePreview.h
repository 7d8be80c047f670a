#pragma once
// The live preview: while it is on, "特效预览" shows the preview window beside the main
// window without blocking it, and every change of the code window reaches the preview once
// typing has paused for PauseMs, the page keeping its scroll position. Off, the preview is
// the modal window of old.
//
// The preview file is written by the main window's own writer (the page's declared encoding,
// else the effect's), so both ways of previewing write the same file the same way.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <functional>

class TCustomMemo;
class TForm4;

class TLivePreview : public QObject {
    Q_OBJECT
public:
    // How long typing pauses before the preview follows.
    static constexpr int PauseMs = 300;

    // `write` puts the code window's text into the preview file and raises when it cannot.
    TLivePreview(TForm4* window, TCustomMemo* code, std::function<void()> write,
                 QObject* parent = nullptr);

    bool On() const { return FOn; }
    // Switching off closes a shown live window and ends a pending refresh.
    void SetOn(bool on);

    // The preview file has just been written: shows the live window beside `mainWindow`, or
    // brings the shown one up to date.
    void Show(QWidget* mainWindow);
    // The code window changed: the shown live window follows after the pause.
    void CodeChanged();
    // A refresh waits for the pause to end.
    bool Pending() const { return FPause.isActive(); }

private:
    // Writes and reloads when the text differs from what the preview shows. A file that
    // cannot be written is reported once, not after every pause, until a write succeeds.
    void Refresh();
    bool WindowShown() const;

    QPointer<TForm4> FWindow;
    QPointer<TCustomMemo> FCode;
    std::function<void()> FWrite;
    QTimer FPause;
    QString FShownText;
    bool FOn = false;
    bool FWriteFailed = false;
};
