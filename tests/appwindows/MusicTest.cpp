// The background music through the test desktop's sound server: the menu as the playback
// state through every command, autoplay at start, and files that cannot be played.
// Skipped without a sound server (PULSE_SERVER unset).

#include "DesktopFixture.h"

#include "MusicDialog.h"
#include "app/MediaPlayer.h"
#include "framework/Menus.h"
#include "skinctrls/bsSkinPanels.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QElapsedTimer>
#include <QThread>
#include <cmath>
#include <cstdlib>

namespace {

// A mono 16-bit PCM wave file with a 440 Hz tone.
QByteArray ToneWave(int milliseconds) {
    const int rate = 22050;
    const int samples = rate * milliseconds / 1000;
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(samples * 2);
    for (int i = 0; i < samples; ++i)
        out << qint16(8000 * std::sin(2 * M_PI * 440.0 * i / rate));
    return data;
}

void Wait(int milliseconds) {
    TestEnv::Pump(milliseconds);
}

// Runs the event loop until `done` holds, at most `milliseconds`; returns `done()`.
template <class F> bool WaitFor(F done, int milliseconds = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return done();
}

class Music : public DesktopFixture {
protected:
    void SetUp() override {
        if (!std::getenv("PULSE_SERVER"))
            GTEST_SKIP() << "no sound server (the test desktop starts one)";
        DesktopFixture::SetUp();
        song = folder + "music/first.wav";
        // Long enough to go on for a second after a pause that a loaded machine lets run late.
        TestEnv::WriteFile(song, ToneWave(10000));
    }
    // "播放" "暂停" "停止" "重播" "保存" "删除" as on/off, in this order.
    static std::string MenuState(TForm1* form) {
        std::string state;
        for (TMenuItem* item : {form->N18, form->N19, form->N20, form->N21, form->N23, form->N24})
            state += item->Enabled() ? '1' : '0';
        return state;
    }

    QString song;
};

} // namespace

TEST_F(Music, MenuFollowsChoosePausePlayStopPlayReplayAndSave) {
    TForm1* form = Start();
    EXPECT_EQ(MenuState(form), "000000");
    EXPECT_TRUE(form->N16->Enabled());

    // Cancelled dialog: nothing happens.
    const TMusicDialogRun first = ChooseMusic(form, QString());
    EXPECT_EQ(first.Title, QStringLiteral("Open file"));
    EXPECT_EQ(first.Filter,
              QStringLiteral("媒体文件|*.mp3;*.wma|Mp3媒体文件|*.mp3|Wma媒体文件|*.wma|"
                             "wav媒体文件|*.wav|所有文件|*.*"));
    EXPECT_EQ(first.FilterIndex, 1);
    EXPECT_EQ(MenuState(form), "000000");

    ASSERT_TRUE(ChooseMusic(form, song).Accepted);
    ASSERT_TRUE(messages.empty()) << MessageTexts().join(' ').toStdString();
    EXPECT_EQ(MenuState(form), "011110");
    EXPECT_TRUE(form->MediaPlayer1->Playing());
    EXPECT_TRUE(WaitFor([&] { return form->MediaPlayer1->Position() > 300; }))
        << "the position advances while playing";

    form->N19->Click(); // pause
    EXPECT_EQ(MenuState(form), "100110");
    const qint64 paused = RestingPosition(form->MediaPlayer1);
    Wait(500);
    EXPECT_NEAR(form->MediaPlayer1->Position(), paused, 60) << "holds while paused";

    form->N18->Click(); // play resumes
    EXPECT_EQ(MenuState(form), "011110");
    EXPECT_TRUE(WaitFor([&] { return form->MediaPlayer1->Position() >= paused + 1000; }))
        << "resumed, not restarted";
    const qint64 played = form->MediaPlayer1->Position();

    form->N20->Click(); // stop
    EXPECT_EQ(MenuState(form), "100110");
    EXPECT_FALSE(form->MediaPlayer1->Playing());
    EXPECT_EQ(form->MediaPlayer1->Position(), 0);

    form->N18->Click(); // play from the start
    QElapsedTimer sinceStart;
    sinceStart.start();
    EXPECT_EQ(MenuState(form), "011110");
    EXPECT_TRUE(WaitFor([&] { return form->MediaPlayer1->Position() > 0; }));
    // From the start: about as far as it has been playing, where going on from the stop
    // would add all that was played before (the half of it is room for the sound buffers).
    EXPECT_LT(form->MediaPlayer1->Position(), sinceStart.elapsed() + played / 2);

    form->N19->Click();
    form->N21->Click(); // replay keeps the menu
    EXPECT_EQ(MenuState(form), "100110");
    EXPECT_TRUE(WaitFor([&] { return form->MediaPlayer1->Playing(); }));

    form->N23->Click(); // save
    EXPECT_EQ(ZarvoSettings::Music(), song);
    EXPECT_TRUE(form->N24->Enabled());
    ASSERT_EQ(MessageTexts(),
              QStringList{QStringLiteral("保存歌曲成功！您下次打开本软件时会自动播放该歌曲！")});
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Information);
}

TEST_F(Music, SavedSongAutoplaysAtStartAndDeletingKeepsItPlayingThisTime) {
    ZarvoSettings::SetMusic(song);
    TForm1* form = Start();
    ASSERT_TRUE(messages.empty()) << MessageTexts().join(' ').toStdString();
    EXPECT_EQ(MenuState(form), "011101");
    EXPECT_TRUE(WaitFor([&] { return form->MediaPlayer1->Playing(); }));

    form->N24->Click();
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("删除歌曲成功！")});
    EXPECT_TRUE(ZarvoSettings::Music().isEmpty());
    EXPECT_EQ(MenuState(form), "011101") << "the menu is not changed";
    EXPECT_TRUE(form->MediaPlayer1->Playing());
    // Deleting again, with nothing saved, still reports success.
    form->N24->Click();
    EXPECT_EQ(messages.size(), 2u);

    Stop();
    form = Start();
    EXPECT_EQ(MenuState(form), "000000");
    EXPECT_FALSE(form->MediaPlayer1->Playing());
}

TEST_F(Music, SecondChoiceReplacesTheFirst) {
    const QString second = folder + "music/second.wav";
    TestEnv::WriteFile(second, ToneWave(3000));
    TForm1* form = Start();
    ASSERT_TRUE(ChooseMusic(form, song).Accepted);
    Wait(300);
    ASSERT_TRUE(ChooseMusic(form, second).Accepted);
    ASSERT_TRUE(messages.empty()) << MessageTexts().join(' ').toStdString();
    EXPECT_EQ(form->MediaPlayer1->FileName(), second);
    EXPECT_TRUE(WaitFor([&] { return form->MediaPlayer1->Playing(); }));
    EXPECT_EQ(form->MediaPlayer1->Length() / 100, 30) << "the second file's length";
}

TEST_F(Music, FileThatCannotBePlayedReportsAndLeavesTheMenu) {
    const QString text = folder + "music/notes.mp3";
    TestEnv::WriteFile(text, "this is no audio at all\n");
    TForm1* form = Start();
    ASSERT_TRUE(ChooseMusic(form, song).Accepted);
    form->N19->Click();
    const std::string before = MenuState(form);

    messages.clear();
    ASSERT_TRUE(ChooseMusic(form, text).Accepted);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Error);
    EXPECT_FALSE(messages[0].Text.isEmpty());
    EXPECT_EQ(MenuState(form), before);
    EXPECT_EQ(form->MediaPlayer1->FileName(), text) << "it became the current file";
}

TEST_F(Music, SavedSongThatIsGoneIsReportedAndStartUpGoesOn) {
    ZarvoSettings::SetMusic(folder + "music/removed.mp3");
    ZarvoSettings::SetFlag(ZarvoSettings::Flag::StayOnTop, true);
    TForm1* form = Start();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Error);
    EXPECT_EQ(MenuState(form), "000000");
    // The later start-up steps ran.
    EXPECT_EQ(form->FormStyle(), fsStayOnTop);
    EXPECT_FALSE(form->N26->Visible());
    EXPECT_EQ(form->bsSkinStatusPanel1->Caption(), MakerInfo::WelcomeText());
}

TEST_F(Music, SavedSongThatCannotBeOpenedIsReportedOnceUntilMusicIsChosenAgain) {
    const QString removed = folder + "music/removed.mp3";
    ZarvoSettings::SetMusic(removed);
    Start();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, QStringLiteral("找不到音乐文件“%1”。").arg(removed));
    Stop();

    // The next starts stay quiet; the saved song is still the saved song.
    messages.clear();
    TForm1* form = Start();
    EXPECT_TRUE(messages.empty()) << MessageTexts().join(" | ").toStdString();
    EXPECT_EQ(ZarvoSettings::Music(), removed);

    // Choosing music again: the saved song speaks again at the next start.
    ASSERT_TRUE(ChooseMusic(form, song).Accepted);
    Stop();
    messages.clear();
    Start();
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(Music, MissingBackEndModuleIsReportedByNameAndStartUpGoesOn) {
    qputenv("ZARVO_MUSIC_MODULE", (folder + "libnothing.so").toUtf8());
    ZarvoSettings::SetMusic(song);
    TForm1* form = Start();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Error);
    EXPECT_TRUE(messages[0].Text.contains("libnothing.so")) << messages[0].Text.toStdString();
    EXPECT_EQ(MenuState(form), "000000");
    EXPECT_FALSE(form->MediaPlayer1->Playing());
    EXPECT_EQ(form->bsSkinStatusPanel1->Caption(), MakerInfo::WelcomeText());
}
