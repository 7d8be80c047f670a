#pragma once
// The media back end behind TMediaPlayer as the program sees it. It lives in the module
// libzarvomusic.so with Qt Multimedia, so that the program loads the media libraries and
// the sound server's client only when music is first asked for: most starts play none.
//
// The module exports one function, MusicBackendFactoryName, of type MusicBackendFactory.
// Positions and lengths are milliseconds.

#include <QString>
#include <QtGlobal>

class TMusicBackend {
public:
    virtual ~TMusicBackend() = default;

    // True when the system has a device (or sound server) to play through.
    virtual bool OutputAvailable() = 0;
    // Loads the local file at the absolute `path`, waiting (a nested event loop without user
    // input) at most `timeoutMs`; empty when it can be played, else why not, in words.
    virtual QString Load(const QString& path, int timeoutMs) = 0;
    // Stops and forgets the loaded media.
    virtual void Unload() = 0;
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    virtual bool Playing() const = 0;
    virtual bool Paused() const = 0;
    // True when playback ran to the end of the media.
    virtual bool AtEnd() const = 0;
    virtual qint64 Position() const = 0;
    virtual qint64 Duration() const = 0;
    virtual void SetPosition(qint64 position) = 0;
};

using MusicBackendFactory = TMusicBackend* (*)();
inline constexpr const char* MusicBackendFactoryName = "ZarvoCreateMusicBackend";
