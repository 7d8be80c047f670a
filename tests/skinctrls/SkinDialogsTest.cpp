#include "skinforms/bsSkinDialogs.h"

#include "SkinCtrlsTestSupport.h"
#include "framework/ControlsTestSupport.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinEdit.h"
#include "skinctrls/bsSkinExCtrls.h"
#include "skinctrls/bsSkinShellCtrls.h"
#include "skinctrls/bsfilectrl.h"

#include "platform/Errors.h"
#include "platform/Paths.h"
#include "skinforms/bsSkinForm.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>

using namespace ControlsTest;

namespace {

void Touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
}

// Runs the dialog; `act` runs on its form once the form is shown, then the form closes
// with `close` unless `act` closed it. Answers Execute's result.
bool RunDialog(TbsSkinOpenDialog& dialog, const std::function<void(TbsOpenDlgForm&)>& act,
               TModalResult close = mrCancel) {
    QTimer::singleShot(0, [&] {
        TbsOpenDlgForm* form = dialog.RunningForm();
        if (!form)
            return;
        act(*form);
        if (form->ModalResult() == mrNone)
            form->SetModalResult(close);
    });
    return dialog.Execute();
}

int IndexOfName(TbsSkinFileListView* list, const QString& name) {
    for (int i = 0; i < list->FolderCount(); ++i)
        if (QFileInfo(list->Folders(i)->PathName()).fileName() == name)
            return i;
    return -1;
}

QStringList Listed(TbsSkinFileListView* list) {
    QStringList names;
    for (int i = 0; i < list->FolderCount(); ++i)
        names << QFileInfo(list->Folders(i)->PathName()).fileName();
    return names;
}

struct DialogFixture : ::testing::Test {
    void SetUp() override {
        root = QDir(TestEnv::NewFolder("dialogs")).canonicalPath();
        QDir(root).mkpath("program");
        QDir(root).mkpath("music/sub");
        QDir(root).mkpath("web/a/b");
        for (const char* name : {"a.mp3", "b.wma", "c.txt", "d.ogg"})
            Touch(root + "/music/" + name);
        Paths::SetProgramFolder(root + "/program");
    }
    void TearDown() override { Paths::SetProgramFolder(QString()); }

    QString root;
};

} // namespace

TEST_F(DialogFixture, SavePresetWithABareNameStartsInTheProgramFolderWithTheName) {
    TbsSkinSaveDialog dialog;
    dialog.FileName = "page.htm";
    QString folder, edit, accept;
    EXPECT_FALSE(RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        folder = form.CurrentFolder();
        edit = form.FileNameEdit()->Text();
        accept = form.AcceptButton()->Caption();
    }));
    EXPECT_EQ(folder, root + "/program");
    EXPECT_EQ(edit, "page.htm");
    EXPECT_EQ(accept, "保存(&S)");
    EXPECT_EQ(dialog.FileName, "page.htm"); // a cancel leaves it
}

TEST_F(DialogFixture, SaveAcceptsATypedNameWithoutAFileAndAStarFiltersInstead) {
    TbsSkinSaveDialog dialog;
    dialog.InitialDir = root + "/music";
    QString mask;
    EXPECT_FALSE(RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        form.FileNameEdit()->SetText("*.txt");
        form.EditEnter();
        mask = form.FileList()->Mask();
        EXPECT_EQ(form.ModalResult(), mrNone);
    }));
    EXPECT_EQ(mask, "*.txt");
    EXPECT_TRUE(RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        form.FileNameEdit()->SetText("new.htm");
        form.EditEnter();
    }));
    EXPECT_EQ(dialog.FileName, root + "/music/new.htm");
    EXPECT_FALSE(QFile::exists(dialog.FileName));
}

TEST_F(DialogFixture, EnterAndEscapeInTheEditAcceptAndCancel) {
    TbsSkinSaveDialog dialog;
    dialog.InitialDir = root + "/web";
    EXPECT_TRUE(RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        form.FileNameEdit()->SetText("typed.htm");
        SendKey(form.FileNameEdit()->Editor(), Qt::Key_Return, {}, QStringLiteral("\r"));
    }));
    EXPECT_EQ(dialog.FileName, root + "/web/typed.htm");
    EXPECT_FALSE(RunDialog(
        dialog,
        [&](TbsOpenDlgForm& form) {
            form.FileNameEdit()->SetText("other.htm");
            SendKey(form.FileNameEdit()->Editor(), Qt::Key_Escape);
        },
        mrOk));
    EXPECT_EQ(dialog.FileName, root + "/web/typed.htm");
}

TEST_F(DialogFixture, OpenTakesOnlyTheFileSelectedInTheListAndReopensInItsFolder) {
    TbsSkinOpenDialog dialog;
    dialog.InitialDir = root + "/music";
    EXPECT_TRUE(RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        form.FileNameEdit()->SetText("a.mp3");
        form.Accept(); // typed, not selected: refused
        EXPECT_EQ(form.ModalResult(), mrNone);
        form.FileList()->SetItemIndex(IndexOfName(form.FileList(), "b.wma"));
        EXPECT_EQ(form.FileNameEdit()->Text(), "b.wma");
        form.Accept();
    }));
    EXPECT_EQ(dialog.FileName, root + "/music/b.wma");
    EXPECT_EQ(dialog.Files()->Count(), 1);

    dialog.InitialDir = root + "/web";
    QString folder, edit;
    RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        folder = form.CurrentFolder();
        edit = form.FileNameEdit()->Text();
    });
    EXPECT_EQ(folder, root + "/music");
    EXPECT_EQ(edit, "b.wma");
}

TEST_F(DialogFixture, SelectingAFolderClearsTheEditAndOpeningAFolderTakesNoFile) {
    TbsSkinOpenDialog dialog;
    dialog.InitialDir = root + "/music";
    dialog.FileName = "x";
    EXPECT_FALSE(RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        form.FileList()->SetItemIndex(IndexOfName(form.FileList(), "sub"));
        EXPECT_EQ(form.FileNameEdit()->Text(), "");
        form.Accept(); // a folder does not count
        EXPECT_EQ(form.ModalResult(), mrNone);
    }));
}

// A double click on item `index` of the list, as the mouse gives it.
void DoubleClickItem(TbsSkinFileListView* list, int index) {
    list->SetItemIndex(index);
    QWidget* view = list->IconView()->isVisible() ? list->IconView()->viewport()
                                                  : list->ReportView()->viewport();
    const QRect item = list->IconView()->visualRect(list->IconView()->model()->index(index, 0));
    const QPoint p = item.center();
    SendMouse(view, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, p, Qt::LeftButton, {});
    SendMouse(view, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, p, Qt::LeftButton, {});
}

TEST_F(DialogFixture, DoubleClickOpensAFolderAndTakesAFile) {
    Touch(root + "/music/sub/inner.mp3");
    TbsSkinOpenDialog dialog;
    dialog.InitialDir = root + "/music";
    EXPECT_TRUE(RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        TbsSkinFileListView* list = form.FileList();
        DoubleClickItem(list, IndexOfName(list, "sub"));
        EXPECT_EQ(form.CurrentFolder(), root + "/music/sub");
        EXPECT_EQ(form.ModalResult(), mrNone);
        DoubleClickItem(list, IndexOfName(list, "inner.mp3"));
    }));
    EXPECT_EQ(dialog.FileName, root + "/music/sub/inner.mp3");
}

TEST_F(DialogFixture, FilterIndexFollowsTheFilterLeftSelectedAlsoAfterCancel) {
    TbsSkinOpenDialog dialog;
    dialog.InitialDir = root + "/music";
    dialog.Filter = "媒体文件|*.mp3;*.wma|文本|*.txt|所有文件|*.*";
    QStringList media, text;
    RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        media = Listed(form.FileList());
        form.FilterBox()->SetItemIndex(1);
        text = Listed(form.FileList());
    });
    EXPECT_EQ(media, QStringList({"sub", "a.mp3", "b.wma"}));
    EXPECT_EQ(text, QStringList({"sub", "c.txt"}));
    EXPECT_EQ(dialog.FilterIndex, 2);
    QString mask;
    RunDialog(dialog, [&](TbsOpenDlgForm& form) { mask = form.FileList()->Mask(); });
    EXPECT_EQ(mask, "*.txt");
}

TEST_F(DialogFixture, TypedPathsWithEitherSeparatorNavigateAndUnknownOnesAreIgnored) {
    TbsSkinSaveDialog dialog;
    dialog.InitialDir = root;
    QStringList visited;
    RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        form.FileNameEdit()->SetText("web/a/");
        form.EditEnter();
        visited << form.CurrentFolder();
        form.FileNameEdit()->SetText(QString(root + "/music").replace('/', '\\'));
        form.EditEnter();
        visited << form.CurrentFolder();
        form.FileNameEdit()->SetText(root + "/no/such/");
        form.EditEnter();
        visited << form.CurrentFolder();
        EXPECT_EQ(form.ModalResult(), mrNone);
    });
    EXPECT_EQ(visited, QStringList({root + "/web/a", root + "/music", root + "/music"}));
}

TEST_F(DialogFixture, BackNeedsMoreThanTwoFoldersAndUpGoesToTheParent) {
    TbsSkinOpenDialog dialog;
    dialog.InitialDir = root + "/web";
    RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        form.GoToFolder(root + "/web/a");
        form.Back(); // two entries: nothing
        EXPECT_EQ(form.CurrentFolder(), root + "/web/a");
        form.GoToFolder(root + "/web/a/b");
        form.Back();
        EXPECT_EQ(form.CurrentFolder(), root + "/web/a");
        EXPECT_EQ(form.History().Count(), 2);
        form.Up();
        EXPECT_EQ(form.CurrentFolder(), root + "/web");
    });
}

TEST_F(DialogFixture, NewFolderIsMadeOnceAndListed) {
    TbsSkinSaveDialog dialog;
    dialog.InitialDir = root + "/web";
    RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        form.NewFolder();
        EXPECT_GE(IndexOfName(form.FileList(), NewFolderName()), 0);
        const int count = form.FileList()->FolderCount();
        form.NewFolder(); // exists: nothing
        EXPECT_EQ(form.FileList()->FolderCount(), count);
    });
    EXPECT_TRUE(QDir(root + "/web/" + NewFolderName()).exists());
}

TEST_F(DialogFixture, LayoutValuesAreKeptForTheNextRun) {
    TbsSkinOpenDialog dialog;
    dialog.InitialDir = root;
    QSize first;
    RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        first = QSize(form.ClientWidth(), form.ClientHeight());
        EXPECT_EQ(form.FolderPanel()->Width(), 200);
        EXPECT_TRUE(form.ViewButton(TbsDialogViewStyle::List)->Down());
        form.SetClientSize(640, 420);
        form.FolderPanel()->SetWidth(150);
        form.FolderPanel()->SetRollState(true);
        form.SetViewStyle(TbsDialogViewStyle::Report);
    });
    EXPECT_EQ(first, QSize(520, 350));
    RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        EXPECT_EQ(QSize(form.ClientWidth(), form.ClientHeight()), QSize(640, 420));
        EXPECT_TRUE(form.FolderPanel()->RollState());
        EXPECT_EQ(form.FolderPanel()->RealWidth(), 150);
        EXPECT_EQ(form.FileList()->ViewStyle(), vsReport);
        EXPECT_TRUE(form.ViewButton(TbsDialogViewStyle::Report)->Down());
    });
    EXPECT_EQ(dialog.Memory().FolderPanelWidth, 150);
}

TEST_F(DialogFixture, AStartFolderThatIsGoneFallsBackToTheProgramFolder) {
    TbsSkinOpenDialog dialog;
    dialog.FileName = root + "/deleted/song.mp3";
    QString folder, edit;
    RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        folder = form.CurrentFolder();
        edit = form.FileNameEdit()->Text();
    });
    EXPECT_EQ(folder, root + "/program");
    EXPECT_EQ(edit, "song.mp3");
}

TEST_F(DialogFixture, AFolderDeletedWhileShownRaisesOnNewFolderAndTheFormStays) {
    TbsSkinSaveDialog dialog;
    dialog.InitialDir = root + "/web/a/b";
    EXPECT_TRUE(RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        ASSERT_TRUE(QDir(root + "/web/a/b").removeRecursively());
        EXPECT_THROW(form.NewFolder(), EInOutError);
        EXPECT_EQ(form.ModalResult(), mrNone);
        form.FileNameEdit()->SetText("late.htm");
        form.Accept();
    }));
    EXPECT_EQ(dialog.FileName, root + "/web/a/b/late.htm");
}

TEST_F(DialogFixture, ASkinnedRunWearsTheFrameAndSkinsEveryControl) {
    SkinCtrlsTest::TSkinnedForm owner;
    owner.LoadFixture();
    TbsSkinOpenDialog dialog;
    dialog.SetSkinData(owner.Data);
    dialog.SetCtrlSkinData(owner.Data);
    dialog.InitialDir = root;
    RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        EXPECT_EQ(form.Frame()->SkinData(), owner.Data);
        EXPECT_EQ(form.Frame()->MenusSkinData(), owner.Data);
        EXPECT_EQ(form.FileList()->SkinData(), owner.Data);
        EXPECT_EQ(form.BackButton()->SkinData(), owner.Data);
        EXPECT_EQ(form.Splitter()->SkinData(), owner.Data);
        EXPECT_GE(form.ClientWidth(), 520);
    });
}

TEST_F(DialogFixture, TheDriveBoxFollowsTheFolderAndAChosenDriveOpensItsRoot) {
    TbsSkinOpenDialog dialog;
    dialog.InitialDir = root + "/music";
    QString drive, other, folder;
    RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        TbsSkinShellDriveComboBox* box = form.DriveBox();
        drive = box->Drive();
        EXPECT_EQ(drive, box->DriveOf(root + "/music"));
        EXPECT_EQ(form.FolderPanel()->Caption(), "music");
        for (int i = 0; i < box->DriveCount() && other.isEmpty(); ++i)
            if (box->Drive(i).RootPath != drive && QDir(box->Drive(i).RootPath).exists())
                other = box->Drive(i).RootPath;
        if (!other.isEmpty() && box->SelectDrive(other))
            folder = form.CurrentFolder();
    });
    EXPECT_FALSE(drive.isEmpty());
    if (other.isEmpty())
        GTEST_SKIP() << "only one drive";
    EXPECT_EQ(QDir(folder).canonicalPath(), QDir(other).canonicalPath());
}

TEST_F(DialogFixture, DraggingTheSplitterWidensTheFolderPanelForTheNextRun) {
    TbsSkinOpenDialog dialog;
    dialog.InitialDir = root;
    RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        TbsSkinSplitter* splitter = form.Splitter();
        EXPECT_EQ(splitter->Left(), 200);
        EXPECT_EQ(splitter->Width(), 10);
        const QPoint from(5, 50);
        SendMouse(splitter, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        SendMouse(splitter, QEvent::MouseMove, from + QPoint(40, 0), Qt::NoButton, Qt::LeftButton);
        SendMouse(splitter, QEvent::MouseButtonRelease, from, Qt::LeftButton, {});
        EXPECT_EQ(form.FolderPanel()->Width(), 240);
    });
    EXPECT_EQ(dialog.Memory().FolderPanelWidth, 240);
}

TEST_F(DialogFixture, TheFileListFillsItsPanelDownToTheBarsItShows) {
    TbsSkinOpenDialog dialog;
    dialog.InitialDir = root + "/music";
    RunDialog(dialog, [&](TbsOpenDlgForm& form) {
        QCoreApplication::processEvents();
        TbsSkinFileListView* list = form.FileList();
        TbsSkinPanel* panel = form.ClientPanel();
        // The panel's frame is as thick below as above.
        const TRect inside = panel->ClientRect();
        int bottom = inside.Bottom - (list->Top() - inside.Top);
        for (TControl* bar : panel->findChildren<TbsSkinScrollBar*>()) {
            if (bar->Visible() && bar->Align() == alBottom)
                bottom = bar->Top();
        }
        EXPECT_EQ(list->Top() + list->Height(), bottom);
    });
}

TEST_F(DialogFixture, EnterOnATypedAbsolutePathOpensAnExistingFileOrSavesIntoAnExistingFolder) {
    TbsSkinOpenDialog open;
    open.InitialDir = root + "/web";
    EXPECT_TRUE(RunDialog(open, [&](TbsOpenDlgForm& form) {
        form.FileNameEdit()->SetText(root + "/music/b.wma");
        form.EditEnter();
    }));
    EXPECT_EQ(open.FileName, root + "/music/b.wma");
    EXPECT_FALSE(RunDialog(open, [&](TbsOpenDlgForm& form) {
        form.FileNameEdit()->SetText(root + "/music/none.wma");
        form.EditEnter();
        EXPECT_EQ(form.ModalResult(), mrNone);
    }));

    TbsSkinSaveDialog save;
    EXPECT_TRUE(RunDialog(save, [&](TbsOpenDlgForm& form) {
        form.FileNameEdit()->SetText(root + "/web/new.htm");
        form.EditEnter();
    }));
    EXPECT_EQ(save.FileName, root + "/web/new.htm");
    EXPECT_FALSE(RunDialog(save, [&](TbsOpenDlgForm& form) {
        form.FileNameEdit()->SetText(root + "/nowhere/new.htm");
        form.EditEnter();
        EXPECT_EQ(form.ModalResult(), mrNone);
    }));
}
