#include "skinctrls/bsSkinShellCtrls.h"

#include "SkinCtrlsTestSupport.h"
#include "common/TestEnv.h"
#include "framework/ControlsTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListView>
#include <QTreeView>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace ControlsTest;

namespace {

void Touch(const QString& path, int bytes = 1) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(QByteArray(bytes, 'x'));
}

QString ErrorText(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return {};
}

struct ShellFixture : ::testing::Test {
    void SetUp() override {
        root = TestEnv::NewFolder(QStringLiteral("shell"));
        QDir dir(root);
        for (const char* name : {"b-folder", "A-folder/deep/deeper", ".hidden/inner", "x.zip"})
            dir.mkpath(QString::fromUtf8(name));
        for (const char* name : {"a.htm", "b.ht", "c.h", "d.html", "noext", "song.mp3", "歌.WMA"})
            Touch(dir.filePath(QString::fromUtf8(name)));
        form.Form->Show();
    }
    QStringList Names(const TbsSkinFileListView& list) const {
        QStringList names;
        for (int i = 0; i < list.FolderCount(); ++i)
            names << QFileInfo(list.Folders(i)->PathName()).fileName();
        return names;
    }

    QString root;
    SkinCtrlsTest::TSkinnedForm form;
};

} // namespace

TEST_F(ShellFixture, TheMaskKeepsFilesWhoseExtensionOccursInItAndFoldersComeFirst) {
    auto* list = new TbsSkinFileListView(form.Form.get());
    list->SetPath(root);
    list->SetMask(QStringLiteral("*.htm"));
    // .ht and .h occur inside "*.HTM"; .html does not, nor does a name without extension.
    EXPECT_EQ(Names(*list), QStringList({"A-folder", "b-folder", "a.htm", "b.ht", "c.h"}));
    list->SetMask(QStringLiteral("*.mp3;*.wma"));
    EXPECT_EQ(Names(*list), QStringList({"A-folder", "b-folder", "song.mp3", "歌.WMA"}));
    list->SetMask(QStringLiteral("*.*"));
    // A folder named like a ZIP file is listed among the files.
    EXPECT_EQ(Names(*list).mid(0, 3), QStringList({"A-folder", "b-folder", "a.htm"}));
    EXPECT_TRUE(Names(*list).contains("x.zip"));
    EXPECT_TRUE(Names(*list).contains("noext"));
    EXPECT_FALSE(Names(*list).contains(".hidden"));
    list->SetObjectTypes(otFolders | otNonFolders | otHidden);
    EXPECT_TRUE(Names(*list).contains(".hidden"));

    EXPECT_TRUE(ShellNamespace::MatchesMask("page.HTM", "*.htm"));
    EXPECT_FALSE(ShellNamespace::MatchesMask("page.", "*.htm"));
    EXPECT_EQ(ShellNamespace::CleanDisplayName("?1?2disk"), "12disk");
    EXPECT_EQ(ShellNamespace::CleanDisplayName("?"), "?");
}

TEST_F(ShellFixture, AZipFileIsNeverAFolder) {
    TbsShellFolder zip(root + "/x.zip", root, 1);
    EXPECT_FALSE(zip.IsFolder());
    TbsShellFolder folder(root + "/b-folder", root, 1);
    EXPECT_TRUE(folder.IsFolder());
    EXPECT_FALSE(folder.HasSubFolders());
    EXPECT_TRUE(TbsShellFolder(root + "/A-folder", root, 1).HasSubFolders());
    EXPECT_TRUE(TbsShellFolder(root + "/.hidden", root, 1).HasSubFolders());
}

TEST_F(ShellFixture, PathsThatDoNotResolveRaiseAndKeepTheFolder) {
    auto* list = new TbsSkinFileListView(form.Form.get());
    list->SetPath(root);
    EXPECT_EQ(ErrorText([&] { list->SetPath(root + "/missing"); }),
              QString("Error setting path: \"%1/missing\"").arg(root));
    EXPECT_EQ(list->Path(), root);
    EXPECT_EQ(ErrorText([&] { list->SetRoot("rfNoSuchFolder"); }),
              "Error setting path: \"rfNoSuchFolder\"");
    EXPECT_EQ(list->Root(), "rfDesktop");
    // A file is not a folder to go to; "\" works as "/".
    EXPECT_FALSE(ErrorText([&] { list->SetPath(root + "/a.htm"); }).isEmpty());
    QString backslashed = root + "\\A-folder";
    list->SetPath(backslashed);
    EXPECT_EQ(list->Path(), root + "/A-folder");

    auto* tree = new TbsSkinDirTreeView(form.Form.get());
    EXPECT_EQ(ErrorText([&] { tree->GoToPath("relative/path"); }),
              "Error setting path: \"relative/path\"");
}

TEST_F(ShellFixture, GoingUpFromTheHomeFolderReachesTheDesktop) {
    const QString home = QDir::cleanPath(QDir::homePath());
    QDir(home).mkpath("docs");
    auto* list = new TbsSkinFileListView(form.Form.get());
    list->SetPath(home + "/docs");
    SendKey(list->IconView(), Qt::Key_Backspace);
    EXPECT_EQ(list->Path(), home);
    SendKey(list->IconView(), Qt::Key_Backspace);
    EXPECT_EQ(list->Path(), "/") << "the home folder is a child of the desktop";
    list->GoUp();
    EXPECT_EQ(list->Path(), "/");
    // The desktop lists the home folder first.
    ASSERT_GT(list->FolderCount(), 0);
    EXPECT_EQ(list->Folders(0)->PathName(), home);
    EXPECT_EQ(ShellNamespace::ParentOf(home), "/");
}

TEST_F(ShellFixture, TheTreeFillsLazilyAndFollowsTheListBothWays) {
    auto* tree = new TbsSkinDirTreeView(form.Form.get());
    auto* list = new TbsSkinFileListView(form.Form.get());
    tree->SetRoot(root);
    list->SetShellTreeView(tree);
    EXPECT_EQ(tree->ShellListView(), list);
    EXPECT_EQ(list->Path(), root);

    TTreeNode* top = tree->Items()->GetFirstNode();
    ASSERT_NE(top, nullptr);
    ASSERT_EQ(top->Count(), 2) << "hidden folders and files are left out";
    TTreeNode* a = top->Item(0);
    EXPECT_EQ(a->Text(), "A-folder");
    EXPECT_TRUE(a->HasChildren());
    EXPECT_EQ(a->Count(), 0) << "not read before it is expanded";
    EXPECT_FALSE(top->Item(1)->HasChildren());

    // The tree leads the list ...
    tree->GoToPath(root + "/A-folder/deep");
    EXPECT_EQ(tree->CurrentPath(), root + "/A-folder/deep");
    EXPECT_EQ(list->Path(), root + "/A-folder/deep");
    EXPECT_EQ(a->Count(), 1);
    // ... and the list leads the tree.
    list->SetItemIndex(0);
    SendKey(list->IconView(), Qt::Key_Return);
    EXPECT_EQ(list->Path(), root + "/A-folder/deep/deeper");
    EXPECT_EQ(tree->CurrentPath(), root + "/A-folder/deep/deeper");
    list->GoUp();
    EXPECT_EQ(tree->CurrentPath(), root + "/A-folder/deep");

    // Hidden folders appear when asked for.
    tree->SetObjectTypes(otFolders | otHidden);
    EXPECT_EQ(tree->Items()->GetFirstNode()->Count(), 3);
    EXPECT_EQ(tree->CurrentPath(), root + "/A-folder/deep") << "the selection is kept";

    // A new folder shows after a refresh, with the expanded nodes still expanded.
    QDir(root).mkdir("c-folder");
    tree->RefreshFolderNode(tree->Items()->GetFirstNode());
    TTreeNode* refreshed = tree->Items()->GetFirstNode();
    EXPECT_EQ(refreshed->Count(), 4);
    EXPECT_TRUE(refreshed->Item(1)->Expanded()) << "A-folder, after .hidden";
    EXPECT_EQ(tree->CurrentPath(), root + "/A-folder/deep");
}

TEST_F(ShellFixture, DoubleClickOpensAFolderThenRunsTheEvent) {
    auto* list = new TbsSkinFileListView(form.Form.get());
    list->SetBounds(0, 0, 300, 200);
    list->SetPath(root);
    int clicks = 0;
    list->OnDblClick = [&](TObject*) { ++clicks; };
    list->SetItemIndex(1);
    const TRect r = list->ItemRect(1);
    QWidget* viewport = list->IconView()->viewport();
    const QPoint p = viewport->mapFrom(list, QPoint(r.Left + 5, r.Top + 3));
    SendMouse(viewport, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(list->Path(), root + "/b-folder");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(list->FolderCount(), 0);
    list->SetAutoNavigate(false);
    list->GoUp();
    list->SetItemIndex(0);
    SendMouse(viewport, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(list->Path(), root);
    EXPECT_EQ(clicks, 2);
}

TEST_F(ShellFixture, SelectedFilesLeaveFoldersOutAndColumnsSort) {
    auto* list = new TbsSkinFileListView(form.Form.get());
    list->SetPath(root);
    list->SetMask("*.mp3;*.htm");
    Touch(root + "/a.htm", 300);
    list->SetMultiSelect(true);
    for (int i = 0; i < list->FolderCount(); ++i)
        list->SetSelected(i, true);
    QStringList files;
    list->GetSelectedFiles(files);
    EXPECT_EQ(files,
              QStringList({root + "/a.htm", root + "/b.ht", root + "/c.h", root + "/song.mp3"}));
    list->SetItemIndex(0);
    EXPECT_EQ(list->SelectedFilePath(), "") << "a folder";
    list->SetItemIndex(2);
    EXPECT_EQ(list->SelectedFilePath(), root + "/a.htm");

    list->SetViewStyle(vsReport);
    ASSERT_EQ(list->ColumnCount(), 4);
    EXPECT_EQ(list->Column(0).Caption, "名称");
    EXPECT_EQ(list->Column(1).Caption, "大小");
    EXPECT_EQ(list->Column(1).Alignment, taRightJustify);
    EXPECT_EQ(list->Column(3).Caption, "修改");
    EXPECT_EQ(list->Items()->Item(2)->SubItems().value(0), "300");
    EXPECT_EQ(list->Items()->Item(2)->SubItems().value(1), "htm");

    emit list->Header()->sectionClicked(1);
    EXPECT_EQ(Names(*list),
              QStringList({"A-folder", "b-folder", "b.ht", "c.h", "song.mp3", "a.htm"}));
    EXPECT_EQ(list->SelectedFilePath(), root + "/a.htm") << "the focus moved with the sort";
    emit list->Header()->sectionClicked(1);
    EXPECT_EQ(Names(*list).mid(0, 3), QStringList({"b-folder", "A-folder", "a.htm"}));
}

TEST_F(ShellFixture, ListingsOfVanishedOrUnreadableFoldersAreEmpty) {
    const QString doomed = root + "/b-folder";
    auto* list = new TbsSkinFileListView(form.Form.get());
    list->SetPath(doomed);
    Touch(doomed + "/file.txt");
    list->Reload();
    EXPECT_EQ(list->FolderCount(), 1);
    ASSERT_TRUE(QDir(doomed).removeRecursively());
    list->Reload();
    EXPECT_EQ(list->FolderCount(), 0);
    list->SetViewStyle(vsReport);
    Pump();

    // A symbolic link that points at its own folder lists as a folder, once.
    ASSERT_TRUE(QFile::link(root, root + "/loop"));
    list->SetPath(root + "/loop/loop/loop");
    EXPECT_GT(list->FolderCount(), 0);
}

TEST_F(ShellFixture, RenamingThroughTheShellReportsFailures) {
    TbsShellFolder file(root + "/c.h", root, 1);
    EXPECT_EQ(ErrorText([&] { file.Rename("b.ht"); }), "Rename to b.ht failed");
    EXPECT_EQ(ErrorText([&] { file.Rename(""); }), "Rename to  failed");
    file.Rename("renamed.h");
    EXPECT_EQ(file.PathName(), root + "/renamed.h");
    EXPECT_TRUE(QFile::exists(root + "/renamed.h"));
}

TEST_F(ShellFixture, TheDriveBoxListsTheRootAndTheHomeFolder) {
    auto* drives = new TbsSkinShellDriveComboBox(form.Form.get());
    ASSERT_GE(drives->DriveCount(), 2);
    EXPECT_EQ(drives->Drive(0).RootPath, "/");
    const QString home = QDir::cleanPath(QDir::homePath());
    EXPECT_EQ(drives->Drive(1).RootPath, home);
    EXPECT_TRUE(drives->Drive(1).DisplayName.contains(home));
    EXPECT_EQ(drives->Items()->Count(), drives->DriveCount());
    int changes = 0;
    drives->OnChange = [&](TObject*) { ++changes; };
    EXPECT_TRUE(drives->SelectDrive(home));
    EXPECT_EQ(drives->Drive(), home);
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(drives->SelectDrive("/no/such/drive"));
    EXPECT_EQ(drives->DriveOf(home + "/docs/x"), home);
    EXPECT_EQ(drives->DriveOf("/usr/share"), "/");
    drives->SetDriveTypes(dtRemote);
    EXPECT_EQ(drives->DriveCount(), 0) << "the root and the home folder are fixed drives";
}

TEST_F(ShellFixture, TheWatcherRunsOnlyWhileOnChangeIsAssigned) {
    TbsShellChangeNotifier notifier;
    EXPECT_EQ(notifier.Root(), "/");
    EXPECT_FALSE(notifier.Watching());
    notifier.SetRoot(root);
    int changes = 0;
    notifier.SetOnChange([&](TObject*) { ++changes; });
    EXPECT_TRUE(notifier.Watching());
    Touch(root + "/new.txt");
    EXPECT_TRUE(WaitFor([&] { return changes > 0; }));
    notifier.SetOnChange(nullptr);
    EXPECT_FALSE(notifier.Watching());

    // The views create none unless AutoRefresh is on.
    auto* list = new TbsSkinFileListView(form.Form.get());
    list->SetPath(root);
    list->SetAutoRefresh(true);
    const int before = list->FolderCount();
    Touch(root + "/newer.txt");
    EXPECT_TRUE(WaitFor([&] { return list->FolderCount() == before + 1; }));
}

TEST_F(ShellFixture, ReloadKeepsThePositionUnlessItWasTheLastItem) {
    auto* list = new TbsSkinFileListView(form.Form.get());
    list->SetPath(root);
    list->SetItemIndex(3);
    list->Reload();
    EXPECT_EQ(list->ItemIndex(), 3);
    list->SetItemIndex(list->FolderCount() - 1);
    Touch(root + "/zz-new.txt");
    list->Reload();
    EXPECT_EQ(list->ItemIndex(), -1) << "the last item's place is not kept";
    SendKey(list->IconView(), Qt::Key_F5);
    EXPECT_TRUE(Names(*list).contains("zz-new.txt"));

    // OnAddFolder can refuse items.
    list->OnAddFolder = [](TObject*, TbsShellFolder* folder, bool& canAdd) {
        canAdd = !folder->IsFolder();
    };
    list->Reload();
    EXPECT_FALSE(Names(*list).contains("A-folder"));
    EXPECT_TRUE(Names(*list).contains("a.htm"));
}

TEST_F(ShellFixture, TypedPathsAndTheNamespaceChain) {
    using namespace ShellNamespace;
    const QString home = QDir::cleanPath(QDir::homePath());
    EXPECT_EQ(ParsePath(root + "\\A-folder\\deep\\"), root + "/A-folder/deep");
    EXPECT_EQ(ParsePath("~"), home);
    EXPECT_EQ(ParsePath("  " + root + "/./A-folder/../b-folder "), root + "/b-folder");
    EXPECT_EQ(ParsePath(""), "");
    EXPECT_EQ(ParsePath("C:\\"), "") << "no drive letters here";
    EXPECT_EQ(AncestorChain("/"), QStringList({"/"}));
    EXPECT_EQ(AncestorChain(home + "/a/b"), QStringList({"/", home, home + "/a", home + "/a/b"}));
    EXPECT_EQ(AncestorChain("/usr/share"), QStringList({"/", "/usr", "/usr/share"}));
    EXPECT_EQ(ParentOf("/"), "");
    EXPECT_EQ(ResolveRoot("rfPersonal"), home);
    EXPECT_EQ(ResolveRoot("rfDesktop"), "/");
    EXPECT_EQ(ExtensionOf(".bashrc"), ".bashrc");
    EXPECT_EQ(ExtensionOf("archive.tar.gz"), ".gz");
}

TEST_F(ShellFixture, TheTreeFollowsTheListOutOfItsRoot) {
    auto* tree = new TbsSkinDirTreeView(form.Form.get());
    auto* list = new TbsSkinFileListView(form.Form.get());
    tree->SetRoot(root + "/A-folder");
    tree->SetShellListView(list);
    EXPECT_EQ(list->ShellTreeView(), tree);
    EXPECT_EQ(list->Path(), root + "/A-folder");
    list->GoUp();
    EXPECT_EQ(list->Path(), root);
    EXPECT_EQ(tree->CurrentPath(), root) << "the tree moved to the list's root";
    EXPECT_EQ(ErrorText([&] { tree->SetRoot("/no/such/root"); }),
              "Error setting path: \"/no/such/root\"");
    EXPECT_EQ(tree->CurrentPath(), root);
    // A destroyed partner is forgotten.
    delete list;
    EXPECT_EQ(tree->ShellListView(), nullptr);
    tree->GoToPath(root + "/b-folder");
    EXPECT_EQ(tree->CurrentPath(), root + "/b-folder");
}

TEST_F(ShellFixture, RenamingALabelRenamesTheFolderOrReportsTheFailure) {
    QStringList reported;
    SetExceptionHandler([&](const std::exception& e) { reported << QString::fromUtf8(e.what()); });
    auto* tree = new TbsSkinDirTreeView(form.Form.get());
    tree->SetRoot(root);
    Pump();
    TTreeNode* node = tree->Items()->GetFirstNode()->Item(1);
    ASSERT_EQ(node->Text(), "b-folder");
    auto editTo = [&](const QString& text) {
        tree->TreeWidget()->editItem(node);
        auto* editor = tree->TreeWidget()->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        SendKey(editor, Qt::Key_Return);
        Pump();
    };
    editTo("A-folder");
    EXPECT_EQ(reported, QStringList({"Rename to A-folder failed"}));
    EXPECT_EQ(node->Text(), "b-folder") << "the label is kept";
    editTo("c-folder");
    EXPECT_EQ(node->Text(), "c-folder");
    EXPECT_TRUE(QFileInfo(root + "/c-folder").isDir());
    EXPECT_EQ(tree->FolderOf(node)->PathName(), root + "/c-folder");
    SetExceptionHandler(nullptr);
}

TEST_F(ShellFixture, ReportNamesTakeTheRoomTheOtherColumnsLeaveAndTimesShowWhole) {
    const QString longName =
        QStringLiteral("我的一首很长很长名字的背景音乐文件 Symphony No. 9.mp3");
    Touch(root + "/" + longName);
    auto* list = new TbsSkinFileListView(form.Form.get());
    list->SetBounds(0, 0, 300, 200);
    list->SetPath(root);
    list->SetViewStyle(vsReport);
    ASSERT_EQ(list->ColumnCount(), 4);
    const int narrowName = list->ColumnWidth(0);
    const QFontMetrics metrics = list->fontMetrics();
    const QString time = list->Folders(list->FolderCount() - 1)->Details().value(2);
    EXPECT_GE(list->ColumnWidth(3), metrics.horizontalAdvance(time)) << time.toStdString();

    // Wider: the name column takes what the others leave; the others keep their widths.
    const int size = list->ColumnWidth(1), type = list->ColumnWidth(2), when = list->ColumnWidth(3);
    list->SetBounds(0, 0, 900, 200);
    const int room = list->ReportView()->viewport()->width() - size - type - when;
    EXPECT_EQ(list->ColumnWidth(0), room);
    EXPECT_GE(list->ColumnWidth(0), metrics.horizontalAdvance(longName));
    EXPECT_EQ(list->ColumnWidth(3), when);

    // Narrow again: never below its own width; the list scrolls instead.
    list->SetBounds(0, 0, 200, 200);
    EXPECT_EQ(list->ColumnWidth(0), narrowName);
}
