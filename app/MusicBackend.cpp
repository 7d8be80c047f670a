// The media back end of the module libzarvomusic.so: one QMediaPlayer with its audio
// output, made with the back end.

#include "app/MusicBackend.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QEventLoop>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

namespace {

class TQtMusicBackend : public TMusicBackend {
public:
    TQtMusicBackend() { FPlayer.setAudioOutput(&FAudio); }

    bool OutputAvailable() override { return !QMediaDevices::audioOutputs().isEmpty(); }

    QString Load(const QString& path, int timeoutMs) override {
        QEventLoop wait;
        QTimer timeout;
        timeout.setSingleShot(true);
        QObject::connect(&timeout, &QTimer::timeout, &wait, &QEventLoop::quit);
        auto statusSeen = QObject::connect(&FPlayer, &QMediaPlayer::mediaStatusChanged, &wait,
                                           [&wait](QMediaPlayer::MediaStatus status) {
                                               if (status == QMediaPlayer::LoadedMedia ||
                                                   status == QMediaPlayer::InvalidMedia)
                                                   wait.quit();
                                           });
        auto errorSeen =
            QObject::connect(&FPlayer, &QMediaPlayer::errorOccurred, &wait, &QEventLoop::quit);
        FPlayer.setSource(QUrl::fromLocalFile(path));
        if (FPlayer.mediaStatus() == QMediaPlayer::LoadingMedia ||
            FPlayer.mediaStatus() == QMediaPlayer::NoMedia) {
            timeout.start(timeoutMs);
            wait.exec(QEventLoop::ExcludeUserInputEvents);
        }
        QObject::disconnect(statusSeen);
        QObject::disconnect(errorSeen);

        const QMediaPlayer::MediaStatus status = FPlayer.mediaStatus();
        if (FPlayer.error() == QMediaPlayer::NoError && status != QMediaPlayer::InvalidMedia &&
            status != QMediaPlayer::NoMedia && status != QMediaPlayer::LoadingMedia &&
            FPlayer.hasAudio())
            return QString();
        const QString reason = Reason();
        FPlayer.setSource(QUrl());
        return reason;
    }

    void Unload() override {
        FPlayer.stop();
        FPlayer.setSource(QUrl());
    }
    void Play() override { FPlayer.play(); }
    void Pause() override { FPlayer.pause(); }
    void Stop() override { FPlayer.stop(); }
    bool Playing() const override { return FPlayer.playbackState() == QMediaPlayer::PlayingState; }
    bool Paused() const override { return FPlayer.playbackState() == QMediaPlayer::PausedState; }
    bool AtEnd() const override { return FPlayer.mediaStatus() == QMediaPlayer::EndOfMedia; }
    qint64 Position() const override { return FPlayer.position(); }
    qint64 Duration() const override { return FPlayer.duration(); }
    void SetPosition(qint64 position) override { FPlayer.setPosition(position); }

private:
    // The back end's own words where it has them.
    QString Reason() const {
        if (FPlayer.error() != QMediaPlayer::NoError && !FPlayer.errorString().isEmpty())
            return FPlayer.errorString();
        if (FPlayer.mediaStatus() == QMediaPlayer::LoadingMedia)
            return QStringLiteral("载入超时");
        return QStringLiteral("不是本系统能播放的音频文件");
    }

    QAudioOutput FAudio;
    QMediaPlayer FPlayer;
};

} // namespace

extern "C" __attribute__((visibility("default"))) TMusicBackend* ZarvoCreateMusicBackend() {
    return new TQtMusicBackend();
}
