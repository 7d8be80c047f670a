#include "app/MediaPlayer.h"

#include "platform/Paths.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

TMediaPlayer::TMediaPlayer(QObject* owner) : TComponent(owner) {}

QMediaPlayer& TMediaPlayer::Player() {
    // Made at the first opening: the media back end and the sound server connection cost a
    // noticeable part of the program's start, and most starts play no music.
    if (!FPlayer) {
        FAudio = std::make_unique<QAudioOutput>();
        FPlayer = std::make_unique<QMediaPlayer>();
        FPlayer->setAudioOutput(FAudio.get());
    }
    return *FPlayer;
}

TMediaPlayer::~TMediaPlayer() {
    Close();
}

void TMediaPlayer::Close() {
    if (FPlayer) {
        FPlayer->stop();
        FPlayer->setSource(QUrl());
    }
    FOpen = false;
}

bool TMediaPlayer::AudioOutputAvailable() {
    return !QMediaDevices::audioOutputs().isEmpty();
}

void TMediaPlayer::Open() {
    Close();
    const QString path = Paths::FromStored(FFileName);
    if (path.isEmpty())
        throw EMCIDeviceError(QStringLiteral("No media file is given."));
    if (!QFileInfo(path).isFile())
        throw EMCIDeviceError(QStringLiteral("The specified file was not found: ") + path);

    Player();
    QEventLoop wait;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &wait, &QEventLoop::quit);
    auto statusSeen = QObject::connect(FPlayer.get(), &QMediaPlayer::mediaStatusChanged, &wait,
                                       [&wait](QMediaPlayer::MediaStatus status) {
                                           if (status == QMediaPlayer::LoadedMedia ||
                                               status == QMediaPlayer::InvalidMedia)
                                               wait.quit();
                                       });
    auto errorSeen =
        QObject::connect(FPlayer.get(), &QMediaPlayer::errorOccurred, &wait, &QEventLoop::quit);
    FPlayer->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    if (FPlayer->mediaStatus() == QMediaPlayer::LoadingMedia ||
        FPlayer->mediaStatus() == QMediaPlayer::NoMedia) {
        timeout.start(OpenTimeoutMs);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    QObject::disconnect(statusSeen);
    QObject::disconnect(errorSeen);

    const QMediaPlayer::MediaStatus status = FPlayer->mediaStatus();
    if (FPlayer->error() != QMediaPlayer::NoError || status == QMediaPlayer::InvalidMedia ||
        status == QMediaPlayer::NoMedia || status == QMediaPlayer::LoadingMedia ||
        !FPlayer->hasAudio()) {
        const QString text = ErrorText();
        FPlayer->setSource(QUrl());
        throw EMCIDeviceError(text);
    }
    FOpen = true;
}

QString TMediaPlayer::ErrorText() const {
    if (FPlayer->error() != QMediaPlayer::NoError && !FPlayer->errorString().isEmpty())
        return FPlayer->errorString();
    if (FPlayer->mediaStatus() == QMediaPlayer::LoadingMedia)
        return QStringLiteral("The media did not load in time: ") + FFileName;
    return QStringLiteral("The file is not an audio file this system can play: ") + FFileName;
}

void TMediaPlayer::CheckOpen() const {
    if (!FOpen)
        throw EMCIDeviceError(QStringLiteral("No media is open."));
}

void TMediaPlayer::Play() {
    CheckOpen();
    if (FPlayer->mediaStatus() == QMediaPlayer::EndOfMedia ||
        (Length() > 0 && Position() >= Length()))
        FPlayer->setPosition(0);
    FPlayer->play();
}

void TMediaPlayer::Pause() {
    CheckOpen();
    if (FPlayer->playbackState() == QMediaPlayer::PlayingState)
        FPlayer->pause();
    else if (FPlayer->playbackState() == QMediaPlayer::PausedState)
        FPlayer->play();
}

void TMediaPlayer::Rewind() {
    CheckOpen();
    FPlayer->stop();
    FPlayer->setPosition(0);
}

bool TMediaPlayer::Playing() const {
    return FPlayer && FPlayer->playbackState() == QMediaPlayer::PlayingState;
}

bool TMediaPlayer::Paused() const {
    return FPlayer && FPlayer->playbackState() == QMediaPlayer::PausedState;
}

qint64 TMediaPlayer::Position() const {
    return FOpen ? FPlayer->position() : 0;
}

qint64 TMediaPlayer::Length() const {
    return FOpen ? FPlayer->duration() : 0;
}

void TMediaPlayer::SetPosition(qint64 position) {
    CheckOpen();
    FPlayer->setPosition(position);
}
