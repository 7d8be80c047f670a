// The file dialogs start where the user last accepted one, also after the program restarts.

#include "appwindows/MainWindowFixture.h"
#include "appwindows/MusicDialog.h"

#include "skinforms/bsSkinDialogs.h"
#include "skinctrls/bsSkinEdit.h"

#include <QDir>
#include <QTimer>

namespace {

class DialogMemory : public MainWindowFixture {
protected:
    // Saves the opened effect as `path` and keeps the folder the dialog opened in.
    void SaveAs(TForm1* form, const QString& path) {
        QTimer::singleShot(0, [this, form, path] {
            TbsOpenDlgForm* dialog = form->bsSkinSaveDialog1->RunningForm();
            if (!dialog)
                return;
            startFolder = dialog->CurrentFolder();
            dialog->GoToFolder(Paths::ExtractFilePath(path));
            dialog->FileNameEdit()->SetText(Paths::ExtractFileName(path));
            dialog->Accept();
        });
        Click(form->bsSkinButton5);
    }
    TForm1* RestartWithEffect() {
        forms.clear();
        TForm1* form = Start();
        Pick(form, Window);
        Open(form, QStringLiteral("abc"));
        return form;
    }
    static QString Clean(const QString& folder) { return QDir::cleanPath(folder); }

    QString startFolder;
};

} // namespace

TEST_F(DialogMemory, TheSaveDialogStartsInTheFolderOfTheLastSavedPageAfterARestart) {
    AddEffect(Window, QStringLiteral("abc"), "<i>abc</i>\r\n");
    const QString pages = TestEnv::NewFolder(QStringLiteral("pages"));

    TForm1* form = RestartWithEffect();
    SaveAs(form, pages + "/abc");
    ASSERT_TRUE(QFile::exists(pages + "/abc.htm"));
    EXPECT_EQ(Clean(startFolder), Clean(folder)) << "the first run starts in the program folder";

    form = RestartWithEffect();
    SaveAs(form, pages + "/again");
    EXPECT_EQ(Clean(startFolder), Clean(pages));

    // A remembered folder that is gone falls back to the program folder.
    QDir(pages).removeRecursively();
    form = RestartWithEffect();
    SaveAs(form, folder + "third");
    EXPECT_EQ(Clean(startFolder), Clean(folder));
    EXPECT_TRUE(messages.empty()) << MessageTexts().join(" | ").toStdString();
}

TEST_F(DialogMemory, TheMusicDialogKeepsItsOwnFolderAndAnUnwritableSettingsFileCostsNothing) {
    const QString songs = TestEnv::NewFolder(QStringLiteral("songs"));
    TestEnv::WriteFile(songs + "/a.wav", "not really a song");
    TForm1* form = Start();
    ChooseMusic(form, songs + "/a.wav");
    messages.clear();

    forms.clear();
    form = Start();
    EXPECT_EQ(Clean(ChooseMusic(form, QString()).StartFolder), Clean(songs));
    // The save dialog's folder is its own.
    EXPECT_TRUE(ZarvoSettings::DialogFolder(QStringLiteral("save")).isEmpty());

    // The settings file is a folder: remembering fails quietly, the choice still works.
    QFile::remove(ZarvoSettings::FilePath());
    QDir().mkpath(ZarvoSettings::FilePath());
    const QString other = TestEnv::NewFolder(QStringLiteral("other"));
    TestEnv::WriteFile(other + "/b.wav", "not really a song");
    messages.clear();
    EXPECT_TRUE(ChooseMusic(form, other + "/b.wav").Accepted);
    EXPECT_EQ(Paths::ExtractFileName(form->bsSkinOpenDialog1->FileName), QStringLiteral("b.wav"));
}
