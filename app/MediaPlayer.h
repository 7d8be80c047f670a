#pragma once
// TMediaPlayer: the invisible media player of the main window. It plays one audio file
// through the desktop's sound server and offers the few operations the music commands need.
// Its back end (Qt Multimedia) is the module libzarvomusic.so, loaded when music is first
// asked for. Positions and lengths are milliseconds.
//
// Open waits (a nested event loop, at most OpenTimeoutMs) until the file is loaded or has
// failed, so a file that cannot be played is reported by the command that opened it.

#include "framework/Classes.h"
#include "platform/Errors.h"

#include <QString>
#include <memory>

class TMusicBackend;

// The media could not be opened or played; the text is the back end's.
class EMCIDeviceError : public Exception {
public:
    using Exception::Exception;
};

class TMediaPlayer : public TComponent {
    Q_OBJECT
public:
    static constexpr int OpenTimeoutMs = 5000;

    explicit TMediaPlayer(QObject* owner = nullptr);
    ~TMediaPlayer() override;

    // The file Open opens; setting it does not open it.
    QString FileName() const { return FFileName; }
    void SetFileName(const QString& fileName) { FFileName = fileName; }

    // The back end's module; ZARVO_MUSIC_MODULE names another one (tests).
    static QString ModuleName();

    // True when the system has a device (or sound server) to play through; raises
    // EMCIDeviceError when the back end's module cannot be loaded.
    bool AudioOutputAvailable();

    // Closes what is open, then opens FileName; raises EMCIDeviceError when it cannot.
    void Open();
    // Stops and forgets the open media.
    void Close();
    bool IsOpen() const { return FOpen; }
    // Starts playing from the current position without waiting; at the end it first goes
    // back to the start.
    void Play();
    // Pauses while playing, resumes while paused.
    void Pause();
    // Back to the start; playback stops.
    void Rewind();

    bool Playing() const;
    bool Paused() const;
    qint64 Position() const;
    qint64 Length() const;
    void SetPosition(qint64 position);

private:
    // The back end, loaded when first needed; raises EMCIDeviceError when it cannot be.
    TMusicBackend& Backend();
    // Raises EMCIDeviceError unless media is open.
    void CheckOpen() const;

    std::unique_ptr<TMusicBackend> FBackend;
    QString FFileName;
    bool FOpen = false;
};
