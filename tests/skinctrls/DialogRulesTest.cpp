#include "skinforms/bsSkinDialogRules.h"

#include "common/TestEnv.h"
#include "platform/Errors.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

const auto NoFolders = [](const QString&) { return false; };
const auto AllFolders = [](const QString&) { return true; };

} // namespace

TEST(DialogRules, StartFolderComesFromThePresetOrInitialDirOrTheProgramFolder) {
    const TbsDialogStart bare = DialogStart("page.htm", "", "/opt/zarvofx/");
    EXPECT_EQ(bare.Folder, "/opt/zarvofx");
    EXPECT_EQ(bare.Name, "page.htm");
    const TbsDialogStart initial = DialogStart("page.htm", "/home/u/web", "/opt/zarvofx/");
    EXPECT_EQ(initial.Folder, "/home/u/web");
    const TbsDialogStart withFolder = DialogStart("/home/u/music/a.mp3", "/tmp", "/opt/");
    EXPECT_EQ(withFolder.Folder, "/home/u/music");
    EXPECT_EQ(withFolder.Name, "a.mp3");
    const TbsDialogStart backslashes = DialogStart("\\home\\u\\b.mp3", "", "/opt/");
    EXPECT_EQ(backslashes.Folder, "/home/u");
    EXPECT_EQ(backslashes.Name, "b.mp3");
    EXPECT_EQ(DialogStart("/c.mp3", "", "/opt/").Folder, "/");
}

TEST(DialogRules, EnterFiltersOnAStarGoesToTypedFoldersAndOtherwiseAccepts) {
    EXPECT_EQ(DecideEnter("*.mp3", "/m", AllFolders).Action, TbsEnterAction::SetMask);
    EXPECT_EQ(DecideEnter("*.mp3", "/m", AllFolders).Value, "*.mp3");
    // A star wins over a separator.
    EXPECT_EQ(DecideEnter("/m/*.wma", "/m", AllFolders).Action, TbsEnterAction::SetMask);

    const TbsEnterDecision slash = DecideEnter("/home/u/", "/m", AllFolders);
    EXPECT_EQ(slash.Action, TbsEnterAction::GoToFolder);
    EXPECT_EQ(slash.Value, "/home/u");
    const TbsEnterDecision back = DecideEnter("\\home\\u", "/m", AllFolders);
    EXPECT_EQ(back.Action, TbsEnterAction::GoToFolder);
    EXPECT_EQ(back.Value, "/home/u");
    EXPECT_EQ(DecideEnter("sub/deeper", "/m", AllFolders).Value, "/m/sub/deeper");
    EXPECT_EQ(DecideEnter("../x", "/m/n", AllFolders).Value, "/m/x");

    EXPECT_EQ(DecideEnter("/no/such", "/m", NoFolders).Action, TbsEnterAction::Ignore);
    EXPECT_EQ(DecideEnter("name.htm", "/m", NoFolders).Action, TbsEnterAction::Accept);
}

TEST(DialogRules, SaveAcceptsATypedNameWithoutTheFileExistingUnlessItHoldsAStar) {
    const auto noFile = [](const QString&) { return false; };
    const TbsAcceptDecision typed =
        DecideAccept(TbsDialogMode::Save, "new.htm", "/home/u", "", noFile);
    EXPECT_TRUE(typed.Close);
    EXPECT_EQ(typed.Result, "/home/u/new.htm");
    EXPECT_EQ(DecideAccept(TbsDialogMode::Save, "x.htm", "/", "", noFile).Result, "/x.htm");
    EXPECT_EQ(DecideAccept(TbsDialogMode::Save, "/tmp/x.htm", "/home/u", "", noFile).Result,
              "/tmp/x.htm");
    EXPECT_EQ(DecideAccept(TbsDialogMode::Save, "\\tmp\\x.htm", "/home/u", "", noFile).Result,
              "/tmp/x.htm");
    EXPECT_FALSE(DecideAccept(TbsDialogMode::Save, "*.htm", "/home/u", "", noFile).Close);
    const TbsAcceptDecision empty = DecideAccept(TbsDialogMode::Save, "", "/home/u", "", noFile);
    EXPECT_FALSE(empty.Close);
    EXPECT_TRUE(empty.Result.isEmpty());
}

TEST(DialogRules, OpenAcceptsOnlyAnExistingFileSelectedInTheList) {
    const auto exists = [](const QString& p) { return p == "/m/a.mp3"; };
    // A typed name without a selection is not accepted.
    EXPECT_FALSE(DecideAccept(TbsDialogMode::Open, "a.mp3", "/m", "", exists).Close);
    const TbsAcceptDecision selected =
        DecideAccept(TbsDialogMode::Open, "whatever", "/m", "/m/a.mp3", exists);
    EXPECT_TRUE(selected.Close);
    EXPECT_EQ(selected.Result, "/m/a.mp3");
    const TbsAcceptDecision gone = DecideAccept(TbsDialogMode::Open, "", "/m", "/m/b.mp3", exists);
    EXPECT_FALSE(gone.Close);
    EXPECT_TRUE(gone.Result.isEmpty());
}

TEST(DialogRules, BackNeedsMoreThanTwoEntriesAndNeverReturnsToTheFirstFolder) {
    TbsFolderHistory history;
    EXPECT_FALSE(history.Back().has_value());
    history.Visit("/a");
    history.Visit("/a"); // the newest again: not added
    history.Visit("/b");
    EXPECT_EQ(history.Count(), 2);
    EXPECT_FALSE(history.Back().has_value());
    EXPECT_EQ(history.Count(), 2);
    history.Visit("/c");
    history.Visit("/d");
    EXPECT_EQ(history.Back(), QString("/c"));
    EXPECT_EQ(history.Back(), QString("/b"));
    EXPECT_FALSE(history.Back().has_value());
    EXPECT_EQ(history.Folders(), QStringList({"/a", "/b"}));
}

TEST(DialogRules, NewFolderIsMadeOnceAndAFailureRaisesTheSystemsError) {
    const QString folder = TestEnv::NewFolder("newfolder");
    EXPECT_TRUE(CreateNewFolder(folder));
    EXPECT_TRUE(QDir(folder + "/" + NewFolderName()).exists());
    EXPECT_FALSE(CreateNewFolder(folder));
    EXPECT_THROW(CreateNewFolder(folder + "/missing/deeper"), EInOutError);
}

TEST(DialogRules, FirstRunSizeIs520By350AndNeverBelowTheFramesMinimum) {
    TbsDialogMemory memory;
    EXPECT_EQ(memory.StartClientSize(0, 0), QSize(520, 350));
    EXPECT_EQ(memory.StartClientSize(600, 100), QSize(600, 350));
    memory.ClientSize = QSize(700, 420);
    EXPECT_EQ(memory.StartClientSize(0, 0), QSize(700, 420));
}
