#include "app/MediaPlayer.h"

#include "app/MusicBackend.h"
#include "platform/DynLib.h"
#include "platform/Paths.h"

#include <QFileInfo>

TMediaPlayer::TMediaPlayer(QObject* owner) : TComponent(owner) {}

TMediaPlayer::~TMediaPlayer() {
    Close();
}

QString TMediaPlayer::ModuleName() {
    const QString chosen = qEnvironmentVariable("ZARVO_MUSIC_MODULE");
    return chosen.isEmpty() ? QStringLiteral("zarvomusic.dll") : chosen;
}

TMusicBackend& TMediaPlayer::Backend() {
    // Made when first needed: the media libraries and the sound server connection cost a
    // noticeable part of the program's start, and most starts play no music. The module
    // stays loaded for the rest of the run.
    if (!FBackend) {
        auto factory = reinterpret_cast<MusicBackendFactory>(
            DynLib::ModuleEntry(ModuleName(), MusicBackendFactoryName));
        if (!factory)
            throw EMCIDeviceError(QStringLiteral("无法载入音乐模块“%1”：%2")
                                      .arg(ModuleName(), DynLib::LastErrorText()));
        FBackend.reset(factory());
    }
    return *FBackend;
}

void TMediaPlayer::Close() {
    if (FBackend)
        FBackend->Unload();
    FOpen = false;
}

bool TMediaPlayer::AudioOutputAvailable() {
    return Backend().OutputAvailable();
}

void TMediaPlayer::Open() {
    Close();
    const QString path = Paths::FromStored(FFileName);
    if (path.isEmpty())
        throw EMCIDeviceError(QStringLiteral("没有选择音乐文件。"));
    if (!QFileInfo(path).isFile())
        throw EMCIDeviceError(QStringLiteral("找不到音乐文件“%1”。").arg(path));
    const QString failure = Backend().Load(QFileInfo(path).absoluteFilePath(), OpenTimeoutMs);
    // The back end's own words follow ours, for whoever has to fix the system.
    if (!failure.isEmpty())
        throw EMCIDeviceError(QStringLiteral("无法播放音乐文件“%1”：%2").arg(path, failure));
    FOpen = true;
}

void TMediaPlayer::CheckOpen() const {
    if (!FOpen)
        throw EMCIDeviceError(QStringLiteral("没有打开的音乐文件。"));
}

void TMediaPlayer::Play() {
    CheckOpen();
    if (FBackend->AtEnd() || (Length() > 0 && Position() >= Length()))
        FBackend->SetPosition(0);
    FBackend->Play();
}

void TMediaPlayer::Pause() {
    CheckOpen();
    if (FBackend->Playing())
        FBackend->Pause();
    else if (FBackend->Paused())
        FBackend->Play();
}

void TMediaPlayer::Rewind() {
    CheckOpen();
    FBackend->Stop();
    FBackend->SetPosition(0);
}

bool TMediaPlayer::Playing() const {
    return FBackend && FBackend->Playing();
}

bool TMediaPlayer::Paused() const {
    return FBackend && FBackend->Paused();
}

qint64 TMediaPlayer::Position() const {
    return FOpen ? FBackend->Position() : 0;
}

qint64 TMediaPlayer::Length() const {
    return FOpen ? FBackend->Duration() : 0;
}

void TMediaPlayer::SetPosition(qint64 position) {
    CheckOpen();
    FBackend->SetPosition(position);
}
