#include "skinctrls/bsfilectrl.h"

#include "SkinCtrlsTestSupport.h"
#include "common/TestEnv.h"
#include "framework/ControlsTestSupport.h"
#include "platform/Errors.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace ControlsTest;

namespace {

QStringList ItemsOf(const TbsSkinCustomListBox& list) {
    QStringList items;
    for (int i = 0; i < list.Count(); ++i)
        items << list.Items()->Strings(i);
    return items;
}

struct FileListFixture : ::testing::Test {
    void SetUp() override {
        savedDir = Paths::GetCurrentDir();
        folder = QDir(TestEnv::NewFolder(QStringLiteral("cat"))).canonicalPath();
        for (const char* name : {"snow", "rain", "Blossom", "snow.htm", "notes.txt"})
            TestEnv::WriteFile(folder + QLatin1Char('/') + QLatin1String(name), "x");
        QDir(folder).mkdir(QStringLiteral("sub"));
        list = new TbsSkinFileListBox(skinned.Form.get());
        list->SetBounds(8, 45, 169, 350);
        skinned.Form->Show();
    }
    void TearDown() override { Paths::SetCurrentDir(savedDir); }

    SkinCtrlsTest::TSkinnedForm skinned;
    TbsSkinFileListBox* list = nullptr;
    QString folder;
    QString savedDir;
};

} // namespace

TEST_F(FileListFixture, MasksSelectWhatIsListedAndTheListIsSorted) {
    list->SetMask(QStringLiteral("*."));
    list->OpenPath(folder + QLatin1Char('/'));
    EXPECT_EQ(ItemsOf(*list), QStringList({"Blossom", "rain", "snow"}))
        << "\"*.\" lists names without an extension, sorted ignoring case";

    list->SetMask(QStringLiteral("*.txt;*.htm"));
    EXPECT_EQ(ItemsOf(*list), QStringList({"notes.txt", "snow.htm"}));
    list->SetMask(QStringLiteral("s*;*.htm"));
    EXPECT_EQ(ItemsOf(*list), QStringList({"snow", "snow.htm"})) << "each match listed once";

    list->SetMask(QString());
    EXPECT_EQ(list->Count(), 0) << "an empty mask matches nothing";

    // Folders only with ftDirectory, in brackets.
    list->SetMask(QStringLiteral("*.*"));
    EXPECT_FALSE(ItemsOf(*list).contains(QStringLiteral("[sub]")));
    list->SetFileType({ftNormal, ftDirectory});
    EXPECT_TRUE(ItemsOf(*list).contains(QStringLiteral("[sub]")));
    list->SetFileType({ftDirectory});
    EXPECT_EQ(ItemsOf(*list), QStringList({"[sub]"}));
}

TEST_F(FileListFixture, OpeningAFolderListsItAndStaysThere) {
    list->SetMask(QStringLiteral("*."));
    int changes = 0;
    QString fileNameAtClick;
    list->OnChange = [&](TObject*) { ++changes; };
    list->OnListBoxClick = [&](TObject*) {
        fileNameAtClick = list->FileName();
        EXPECT_EQ(changes, 1) << "the click handler runs before OnChange";
    };
    list->OpenPath(folder + QLatin1Char('/'));
    EXPECT_EQ(list->Directory(), folder);
    EXPECT_EQ(Paths::GetCurrentDir(), folder);
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(list->FileName().isEmpty());

    Click(list->InnerList(), QPoint(5, list->ItemHeight() * 2 + 3));
    EXPECT_EQ(fileNameAtClick, folder + QStringLiteral("/snow"));
    EXPECT_EQ(list->FileName(), folder + QStringLiteral("/snow"));
    EXPECT_EQ(changes, 2);

    // The same folder again is not read again; an explicit refresh is.
    TestEnv::WriteFile(folder + QStringLiteral("/hail"), "x");
    list->OpenPath(folder);
    EXPECT_EQ(list->Count(), 3);
    list->Update();
    EXPECT_EQ(list->Count(), 4);

    // A path with a wildcard name sets the folder and the mask; a file name selects it.
    list->OpenPath(folder + QStringLiteral("/sub/../*.txt"));
    EXPECT_EQ(list->Directory(), folder);
    EXPECT_EQ(list->Mask(), QStringLiteral("*.txt"));
    list->OpenPath(folder + QStringLiteral("/snow.htm"));
    EXPECT_EQ(list->Mask(), QStringLiteral("snow.htm")) << "a file the mask hides";
    EXPECT_EQ(list->FileName(), folder + QStringLiteral("/snow.htm"));

    // A bracketed name enters that folder.
    list->OpenPath(QStringLiteral("[sub]"));
    EXPECT_EQ(list->Directory(), folder + QStringLiteral("/sub"));
}

TEST_F(FileListFixture, FoldersThatCannotBeListedRaiseAndLeaveTheList) {
    list->SetMask(QStringLiteral("*."));
    list->OpenPath(folder + QLatin1Char('/'));
    const QStringList before = ItemsOf(*list);
    EXPECT_THROW(list->OpenPath(folder + QStringLiteral("/missing/")), EInOutError);
    EXPECT_THROW(list->OpenPath(folder + QStringLiteral("/missing")), EInOutError);
    EXPECT_EQ(ItemsOf(*list), before);
    EXPECT_EQ(list->Directory(), folder);

    // A folder the user may not read raises (root could read it).
    const QString closed = QDir(TestEnv::NewFolder(QStringLiteral("closed"))).canonicalPath();
    TestEnv::WriteFile(closed + QStringLiteral("/ice"), "x");
    QFile::setPermissions(closed, QFileDevice::Permissions());
    {
        TestEnv::OrdinaryUser user;
        ASSERT_EQ(user.Problem(), QString());
        EXPECT_THROW(list->OpenPath(closed + QLatin1Char('/')), EInOutError);
        EXPECT_EQ(ItemsOf(*list), before);
    }
    QFile::setPermissions(closed,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // The listed folder vanishes: a refresh raises and the listing stays.
    const QString gone = QDir(TestEnv::NewFolder(QStringLiteral("gone"))).canonicalPath();
    TestEnv::WriteFile(gone + QStringLiteral("/ice"), "x");
    list->OpenPath(gone + QLatin1Char('/'));
    ASSERT_EQ(list->Count(), 1);
    Paths::SetCurrentDir(folder);
    QDir(gone).removeRecursively();
    EXPECT_THROW(list->Update(), EInOutError);
    EXPECT_EQ(ItemsOf(*list), QStringList({"ice"}));
}

TEST_F(FileListFixture, OddNamesAndUnreadableFilesAreListedAsTheyAre) {
    const QString odd = QDir(TestEnv::NewFolder(QStringLiteral("odd"))).canonicalPath();
    // A name that is not valid UTF-8, and a file nobody may read.
    const QByteArray badName = QFile::encodeName(odd) + "/bad\xff\xfe";
    const int fd = ::open(badName.constData(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ::close(fd);
    TestEnv::WriteFile(odd + QStringLiteral("/locked"), "x");
    QFile::setPermissions(odd + QStringLiteral("/locked"), QFileDevice::Permissions());
    TestEnv::WriteFile(odd + QStringLiteral("/雪花"), "x");
    list->SetMask(QStringLiteral("*."));
    {
        // Root reads every file; the locked one must be unreadable to whoever lists it.
        TestEnv::OrdinaryUser user;
        ASSERT_EQ(user.Problem(), QString());
        ASSERT_FALSE(QFile(odd + QStringLiteral("/locked")).open(QIODevice::ReadOnly));
        list->OpenPath(odd + QLatin1Char('/'));
        ASSERT_EQ(list->Count(), 3);
        EXPECT_TRUE(ItemsOf(*list).contains(QStringLiteral("locked")));
        EXPECT_TRUE(ItemsOf(*list).contains(QStringLiteral("雪花")));
        EXPECT_TRUE(ItemsOf(*list).first().startsWith(QStringLiteral("bad")));
        list->SetItemIndex(0);
        EXPECT_TRUE(list->FileName().startsWith(odd + QStringLiteral("/bad")));
        list->RenderImage();
        list->InnerList()->RenderImage();
    }
    QFile::setPermissions(odd + QStringLiteral("/locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // Qt's own clean-up cannot name it.
    ::unlink(badName.constData());
}

TEST_F(FileListFixture, FilterComboSetsTheLinkedListsMask) {
    auto* filter = new TbsSkinFilterComboBox(skinned.Form.get());
    EXPECT_EQ(filter->Items()->Count(), 1);
    EXPECT_EQ(filter->Mask(), QStringLiteral("*.*"));
    filter->SetFileList(list);
    filter->SetFilter(QStringLiteral("网页 (*.htm)|*.htm|文本|*.txt;*."));
    ASSERT_EQ(filter->Items()->Count(), 2);
    EXPECT_EQ(filter->Items()->Strings(0), QStringLiteral("网页 (*.htm)"));
    EXPECT_EQ(filter->Items()->Strings(1), QStringLiteral("文本"));
    EXPECT_EQ(list->Mask(), QStringLiteral("*.htm"));
    filter->SetItemIndex(1);
    EXPECT_EQ(list->Mask(), QStringLiteral("*.txt;*."));

    // A description without a mask gets an empty one.
    filter->SetFilter(QStringLiteral("只有说明"));
    EXPECT_EQ(filter->Items()->Count(), 1);
    EXPECT_EQ(list->Mask(), QString());
}
