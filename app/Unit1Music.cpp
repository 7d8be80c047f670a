// The main window's background music: the media player, its open dialog and the seven items
// of "背景音乐(&M)", whose enabling is the only record of the playback state.

#include "app/MediaPlayer.h"
#include "app/Unit1.h"
#include "app/ZarvoSettings.h"
#include "framework/Menus.h"
#include "skinforms/bsMessages.h"
#include "skinforms/bsSkinDialogs.h"

namespace {

// The music dialog's name in the settings file, where its last folder is kept.
const QString kMusicDialog = QStringLiteral("music");

// Choosing music again lets the saved song be reported at a later start; the choice itself
// does not depend on the settings file being writable.
void ForgetUnplayableMusic() {
    try {
        ZarvoSettings::ClearUnplayableMusic();
    } catch (const std::exception&) {
    }
}

} // namespace

void TForm1::CreateMusicPlayer() {
    MediaPlayer1 = new TMediaPlayer(this);
    bsSkinOpenDialog1 = new TbsSkinOpenDialog(this);
    bsSkinOpenDialog1->SetSkinData(bsSkinData1);
    bsSkinOpenDialog1->SetCtrlSkinData(bsSkinData1);
    bsSkinOpenDialog1->Title = QStringLiteral("Open file");
    bsSkinOpenDialog1->Filter =
        QStringLiteral("媒体文件|*.mp3;*.wma|Mp3媒体文件|*.mp3|Wma媒体文件|*.wma|wav媒体文件|*.wav|"
                       "所有文件|*.*");
    bsSkinOpenDialog1->FilterIndex = 1;
}

void TForm1::SetMusicMenu(bool play, bool pause, bool stop, bool replay) {
    N18->SetEnabled(play);
    N19->SetEnabled(pause);
    N20->SetEnabled(stop);
    N21->SetEnabled(replay);
}

void TForm1::OpenAndPlayMusic() {
    MediaPlayer1->Open();
    MediaPlayer1->Play();
}

bool TForm1::CheckAudioOutput() {
    if (MediaPlayer1->AudioOutputAvailable())
        return true;
    bsSkinMessage1->ShowMessageDialog(
        QStringLiteral("这台电脑没有可用的音频输出（声卡或声音服务器），背景音乐无法播放。"),
        mtError, {mbOK});
    return false;
}

void TForm1::ReadSavedMusic() {
    MediaPlayer1->SetFileName(ZarvoSettings::Music());
}

void TForm1::AutoplaySavedMusic() {
    const QString song = MediaPlayer1->FileName();
    if (song.isEmpty())
        return;
    // A saved file that cannot be played is reported once (the next starts stay quiet until
    // music is chosen again); the rest of start-up still runs.
    if (ZarvoSettings::UnplayableMusic() == song)
        return;
    if (Guarded([this] {
            OpenAndPlayMusic();
            SetMusicMenu(false, true, true, true);
            N23->SetEnabled(false);
            N24->SetEnabled(true);
        }))
        return;
    ZarvoSettings::SetUnplayableMusic(song);
}

void TForm1::N16Click(TObject*) {
    // The first choice of a run starts in the folder of the last one; later ones start at
    // the file chosen before.
    bsSkinOpenDialog1->InitialDir = ZarvoSettings::DialogFolder(kMusicDialog);
    if (!bsSkinOpenDialog1->Execute())
        return;
    ZarvoSettings::RememberDialogFolder(kMusicDialog, bsSkinOpenDialog1->FileName);
    ForgetUnplayableMusic();
    MediaPlayer1->SetFileName(bsSkinOpenDialog1->FileName);
    if (MediaPlayer1->FileName().isEmpty() || !CheckAudioOutput())
        return;
    OpenAndPlayMusic();
    SetMusicMenu(false, true, true, true);
    N23->SetEnabled(true);
}

void TForm1::N18Click(TObject*) {
    if (!CheckAudioOutput())
        return;
    if (MediaPlayer1->Position() == MediaPlayer1->Length())
        MediaPlayer1->SetPosition(0);
    MediaPlayer1->Play();
    SetMusicMenu(false, true, true, true);
}

void TForm1::N19Click(TObject*) {
    MediaPlayer1->Pause();
    SetMusicMenu(true, false, false, true);
}

void TForm1::N20Click(TObject*) {
    MediaPlayer1->Rewind();
    SetMusicMenu(true, false, false, true);
}

void TForm1::N21Click(TObject*) {
    if (!CheckAudioOutput())
        return;
    MediaPlayer1->Rewind();
    MediaPlayer1->Play();
}

void TForm1::N23Click(TObject*) {
    ZarvoSettings::SetMusic(MediaPlayer1->FileName());
    N24->SetEnabled(true);
    bsSkinMessage1->ShowMessageDialog(
        QStringLiteral("保存歌曲成功！您下次打开本软件时会自动播放该歌曲！"), mtInformation,
        {mbOK});
}

void TForm1::N24Click(TObject*) {
    ZarvoSettings::DeleteMusic();
    bsSkinMessage1->ShowMessageDialog(QStringLiteral("删除歌曲成功！"), mtInformation, {mbOK});
}
