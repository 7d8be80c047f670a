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
        throw EMCIDeviceError(QStringLiteral("没有选择音乐文件。"));
    if (!QFileInfo(path).isFile())
        throw EMCIDeviceError(QStringLiteral("找不到音乐文件“%1”。").arg(path));

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
        // The back end's own words follow ours, for whoever has to fix the system.
        const QString text = QStringLiteral("无法播放音乐文件“%1”：%2").arg(path, ErrorText());
        FPlayer->setSource(QUrl());
        throw EMCIDeviceError(text);
    }
    FOpen = true;
}

QString TMediaPlayer::ErrorText() const {
    if (FPlayer->error() != QMediaPlayer::NoError && !FPlayer->errorString().isEmpty())
        return FPlayer->errorString();
    if (FPlayer->mediaStatus() == QMediaPlayer::LoadingMedia)
        return QStringLiteral("载入超时");
    return QStringLiteral("不是本系统能播放的音频文件");
}

void TMediaPlayer::CheckOpen() const {
    if (!FOpen)
        throw EMCIDeviceError(QStringLiteral("没有打开的音乐文件。"));
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
