// Adding effects through the add-effect dialog, saving the opened effect as a page and
// deleting it from the library.

#include "appwindows/MainWindowFixture.h"

#include "framework/ExtCtrls.h"
#include "platform/Gbk.h"
#include "skinctrls/bsSkinEdit.h"
#include "skinctrls/bsSkinMemo.h"

#include <QDir>
#include <QFile>
#include <QTimer>

namespace {

class Authoring : public MainWindowFixture {
protected:
    // Fills the dialog and presses "添加".
    void Add(const QString& category, const QString& name, const QString& code) {
        addDialog->bsSkinComboBox1->SetText(category);
        addDialog->bsSkinEdit1->SetText(name);
        addDialog->bsSkinMemo21->SetText(code);
        messages.clear();
        Click(addDialog->bsSkinButton1);
    }
    // Answers the next save dialog of `form`: goes to the folder of `path`, types its name
    // and accepts; an empty path cancels. What the dialog proposed is kept in `proposed...`.
    void AnswerSaveDialog(TForm1* form, const QString& path) {
        QTimer::singleShot(0, [this, form, path] {
            TbsOpenDlgForm* dialog = form->bsSkinSaveDialog1->RunningForm();
            if (!dialog)
                return;
            proposedTitle = dialog->Text();
            proposed = dialog->FileNameEdit()->Text();
            proposedFilter = form->bsSkinSaveDialog1->Filter;
            if (path.isEmpty()) {
                dialog->Close();
            } else {
                dialog->GoToFolder(Paths::ExtractFilePath(path));
                dialog->FileNameEdit()->SetText(Paths::ExtractFileName(path));
                dialog->Accept();
            }
        });
    }
    TForm1* OpenedEffect(const QString& name, const QByteArray& bytes) {
        AddEffect(Window, name, bytes);
        TForm1* form = StartWithAddDialog();
        Pick(form, Window);
        Open(form, name);
        return form;
    }

    QString proposed, proposedTitle, proposedFilter;
};

} // namespace

TEST_F(Authoring, TheAddChecksRunInOrderAndTheFirstFailingOneSpeaks) {
    TForm1* form = StartWithAddDialog();
    (void)form;
    Add(QStringLiteral("请选择特效类别"), QStringLiteral("a"), QString());
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("请选择特效类别")});
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Information);

    Add(Window, QStringLiteral("a"), QString());
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("特效名称必须要2个字符以上")});

    Add(Window, QStringLiteral("雪"), QString());
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("特效代码必须在1行以上")});
    EXPECT_FALSE(QFile::exists(EffectPath(Window, QStringLiteral("雪"))));
    // A refused addition keeps what was typed.
    EXPECT_EQ(addDialog->bsSkinEdit1->Text(), QStringLiteral("雪"));
}

TEST_F(Authoring, AnAddedEffectIsWrittenInGbkListedAndTheDialogEmptied) {
    AddEffect(Window, QStringLiteral("旧的"), "old\r\n");
    TForm1* form = StartWithAddDialog();
    Pick(form, Window);
    ASSERT_EQ(form->bsSkinFileListBox1->Items()->Count(), 1);

    // One Chinese character is two bytes: long enough.
    Add(Window, QStringLiteral("雪"), QStringLiteral("<p>飘雪</p>\n第二行"));
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("添加特效成功")});
    EXPECT_EQ(TestEnv::ReadFile(EffectPath(Window, QStringLiteral("雪"))),
              Gbk::Encode(QStringLiteral("<p>飘雪</p>\r\n第二行\r\n")));
    EXPECT_EQ(form->bsSkinFileListBox1->Items()->IndexOf(QStringLiteral("雪")) >= 0, true)
        << "the shown category is re-read";
    EXPECT_EQ(addDialog->bsSkinComboBox1->Text(), QStringLiteral("请选择特效类别"));
    EXPECT_TRUE(addDialog->bsSkinEdit1->Text().isEmpty());
    EXPECT_EQ(addDialog->bsSkinMemo21->Lines()->Count(), 0);

    // A memo holding one empty line has a line.
    Add(Window, QStringLiteral("空行"), QStringLiteral("\n"));
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("添加特效成功")});
    EXPECT_EQ(TestEnv::ReadFile(EffectPath(Window, QStringLiteral("空行"))), QByteArray("\r\n"));
}

TEST_F(Authoring, AnExistingEffectIsReplacedOnlyWhenTheUserSaysYes) {
    const QByteArray shipped = QByteArray("<script>/* shipped */</script>\r\n").repeated(60);
    AddEffect(Window, QStringLiteral("雪花"), shipped);
    StartWithAddDialog();
    const QString question =
        QStringLiteral("类别“窗口特效系列”中已有特效“雪花”，要用新的代码替换它吗？");

    // No (and Enter, whose default this is, or closing the box): the file stays byte for
    // byte and the dialog keeps what was typed. The name is compared without its blanks.
    for (int reply : {int(mrNo), int(mrCancel)}) {
        answer = reply;
        Add(Window, QStringLiteral("  雪花 "), QStringLiteral("x"));
        EXPECT_EQ(MessageTexts(), QStringList{question});
        EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Question);
        EXPECT_EQ(TestEnv::ReadFile(EffectPath(Window, QStringLiteral("雪花"))), shipped);
        EXPECT_EQ(addDialog->bsSkinMemo21->Text(), QStringLiteral("x"));
    }
    EXPECT_FALSE(QFile::exists(EffectPath(Window, QStringLiteral("  雪花 "))));

    answer = mrYes;
    Add(Window, QStringLiteral("雪花"), QStringLiteral("x"));
    EXPECT_EQ(MessageTexts(), QStringList({question, QStringLiteral("添加特效成功")}));
    EXPECT_EQ(TestEnv::ReadFile(EffectPath(Window, QStringLiteral("雪花"))), QByteArray("x\r\n"));

    // Blanks alone are no name; blanks around one are not part of it.
    Add(Window, QStringLiteral("   "), QStringLiteral("x"));
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("特效名称必须要2个字符以上")});
    Add(Window, QStringLiteral(" a "), QStringLiteral("x"));
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("特效名称必须要2个字符以上")});
    Add(Window, QStringLiteral(" 新的\t"), QStringLiteral("y"));
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("添加特效成功")});
    EXPECT_TRUE(QFile::exists(EffectPath(Window, QStringLiteral("新的"))));
}

TEST_F(Authoring, AnEffectAddedBeforeAnyCategoryWasChosenListsNothing) {
    AddEffect(Window, QStringLiteral("旧的"), "old\r\n");
    TForm1* form = StartWithAddDialog();
    TestEnv::WriteFile(folder + "README", "not an effect");
    Add(Window, QStringLiteral("新的"), QStringLiteral("x"));
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("添加特效成功")});
    EXPECT_EQ(form->bsSkinFileListBox1->Items()->Count(), 0);
}

TEST_F(Authoring, AddingToAnotherCategoryReReadsOnlyTheShownFolder) {
    AddEffect(Window, QStringLiteral("旧的"), "old\r\n");
    AddEffect(Cookie, QStringLiteral("计数"), "count\r\n");
    TForm1* form = StartWithAddDialog();
    Pick(form, Window);
    Add(Cookie, QStringLiteral("记住我"), QStringLiteral("x"));
    EXPECT_EQ(MessageTexts(), QStringList{QStringLiteral("添加特效成功")});
    EXPECT_EQ(form->bsSkinFileListBox1->Items()->Count(), 1);
    Pick(form, Cookie);
    EXPECT_GE(form->bsSkinFileListBox1->Items()->IndexOf(QStringLiteral("记住我")), 0);
}

TEST_F(Authoring, NamesThatWouldLeaveTheLibraryAreRefusedAndNothingIsWritten) {
    AddEffect(Window, QStringLiteral("旧的"), "old\r\n");
    StartWithAddDialog();
    const QString outside = TestEnv::NewFolder(QStringLiteral("outside"));
    const QList<std::pair<QString, QString>> cases{
        {Window, QStringLiteral("../逃出")},
        {Window, QStringLiteral("子/文件")},
        {Window, QStringLiteral("a\\b")},
        {Window, QStringLiteral("..")},
        {Window, QStringLiteral(".隐藏")},
        {Window, outside + QStringLiteral("/绝对")},
        {QStringLiteral(".."), QStringLiteral("上层")},
        {QStringLiteral("../..") + outside, QStringLiteral("远处")},
        {outside, QStringLiteral("绝对类别")},
    };
    for (const auto& [category, name] : cases) {
        Add(category, name, QStringLiteral("<b>x</b>"));
        ASSERT_EQ(messages.size(), 1u) << name.toStdString();
        EXPECT_TRUE(messages[0].Text.startsWith(QStringLiteral("Cannot create file")))
            << messages[0].Text.toStdString();
        EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Error);
        EXPECT_EQ(addDialog->bsSkinEdit1->Text(), name) << "the input is kept";
    }
    EXPECT_TRUE(QDir(outside).isEmpty());
    EXPECT_EQ(QDir(folder + "data").entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList{Window});
    EXPECT_EQ(QDir(folder + "data/" + Window).entryList(QDir::Files), QStringList{"旧的"});
    EXPECT_FALSE(QFile::exists(folder + "逃出"));
}

TEST_F(Authoring, AHandTypedCategoryWithoutFolderFailsAndKeepsTheInput) {
    StartWithAddDialog();
    Add(QStringLiteral("我的特效"), QStringLiteral("新的"), QStringLiteral("x"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.startsWith(QStringLiteral("Cannot create file")));
    EXPECT_EQ(addDialog->bsSkinComboBox1->Text(), QStringLiteral("我的特效"));
    EXPECT_EQ(addDialog->bsSkinMemo21->Text(), QStringLiteral("x"));
}

TEST_F(Authoring, TheDialogStartsEmptyEachShowingAndNamesItsMaker) {
    StartWithAddDialog();
    addDialog->bsSkinComboBox1->SetText(Window);
    addDialog->bsSkinEdit1->SetText(QStringLiteral("残留"));
    addDialog->bsSkinMemo21->SetText(QStringLiteral("残留"));
    FireEvent(addDialog->OnShow, addDialog);
    EXPECT_EQ(addDialog->bsSkinComboBox1->Text(), QStringLiteral("请选择特效类别"));
    EXPECT_TRUE(addDialog->bsSkinEdit1->Text().isEmpty());
    EXPECT_TRUE(addDialog->bsSkinMemo21->Text().isEmpty());
    EXPECT_EQ(addDialog->bsSkinComboBox1->Items()->Count(), 15);

    Click(addDialog->bsSkinButton3);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text, QStringLiteral("欢迎您使用zarvo软件！制作人：") +
                                    MakerInfo::Author() + QStringLiteral(",E-mail:") +
                                    MakerInfo::MailAddress());
}

TEST_F(Authoring, SavingProposesTheEffectsNameAndAlwaysAppendsHtm) {
    TForm1* form = OpenedEffect(QStringLiteral("abc"), "<i>abc</i>\r\n");
    form->bsSkinMemo21->SetText(QStringLiteral("<i>改过</i>"));
    const QString target = TestEnv::NewFolder(QStringLiteral("pages"));

    AnswerSaveDialog(form, target + "/abc");
    Click(form->bsSkinButton5);
    EXPECT_EQ(proposedTitle, QStringLiteral("特效保存"));
    EXPECT_EQ(Paths::ExtractFileName(proposed), QStringLiteral("abc"));
    EXPECT_TRUE(proposedFilter.startsWith(QStringLiteral("网页文件")));
    EXPECT_EQ(TestEnv::ReadFile(target + "/abc.htm"),
              Gbk::Encode(QStringLiteral("<i>改过</i>\r\n")));

    AnswerSaveDialog(form, target + "/abc.htm");
    Click(form->N1);
    EXPECT_TRUE(QFile::exists(target + "/abc.htm.htm"));

    // Cancelled: nothing written. The library is never touched.
    AnswerSaveDialog(form, QString());
    Click(form->bsSkinButton5);
    EXPECT_EQ(QDir(target).entryList(QDir::Files).size(), 2);
    EXPECT_EQ(TestEnv::ReadFile(EffectPath(Window, "abc")), QByteArray("<i>abc</i>\r\n"));
    EXPECT_TRUE(messages.empty()) << MessageTexts().join(" | ").toStdString();
}

TEST_F(Authoring, SavingOverAPageAsksAndAReadOnlyPageIsNeverReplaced) {
    TForm1* form = OpenedEffect(QStringLiteral("abc"), "<i>abc</i>\r\n");
    const QString target = TestEnv::NewFolder(QStringLiteral("pages"));
    TestEnv::WriteFile(target + "/old.htm", "old page");
    const QString question =
        QStringLiteral("文件 ") + target + QStringLiteral("/old.htm 已经存在，要替换它吗？");

    // No: the dialog comes back (answered by cancelling), the page stays.
    answer = mrNo;
    AnswerSaveDialog(form, target + "/old");
    afterNextMessage = [this, form] { AnswerSaveDialog(form, QString()); };
    Click(form->bsSkinButton5);
    EXPECT_EQ(MessageTexts(), QStringList{question});
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Question);
    EXPECT_EQ(TestEnv::ReadFile(target + "/old.htm"), QByteArray("old page"));

    answer = mrYes;
    messages.clear();
    AnswerSaveDialog(form, target + "/old");
    Click(form->bsSkinButton5);
    EXPECT_EQ(MessageTexts(), QStringList{question});
    EXPECT_EQ(TestEnv::ReadFile(target + "/old.htm"), QByteArray("<i>abc</i>\r\n"));

    // Read-only, also for root: refused with a message, untouched, the dialog comes back.
    TestEnv::WriteFile(target + "/locked.htm", "locked page");
    QFile::setPermissions(target + "/locked.htm", QFile::ReadOwner | QFile::ReadGroup);
    messages.clear();
    AnswerSaveDialog(form, target + "/locked");
    afterNextMessage = [this, form] { AnswerSaveDialog(form, QString()); };
    Click(form->bsSkinButton5);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].Text.contains(QStringLiteral("只读")))
        << messages[0].Text.toStdString();
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Error);
    EXPECT_EQ(TestEnv::ReadFile(target + "/locked.htm"), QByteArray("locked page"));
}

TEST_F(Authoring, DeletingAsksThenRemovesTheFileAndDisablesDelete) {
    TForm1* form = OpenedEffect(QStringLiteral("雪花"), "snow\r\n");
    answer = mrNo;
    Click(form->D1);
    EXPECT_EQ(MessageTexts(),
              QStringList{QStringLiteral("删除后无法恢复，您真的要删除此特效吗？")});
    EXPECT_TRUE(QFile::exists(EffectPath(Window, QStringLiteral("雪花"))));
    EXPECT_TRUE(form->D1->Enabled());

    messages.clear();
    answer = mrCancel; // closing the question goes on like Yes
    Click(form->D1);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].Text,
              QStringLiteral("特效 雪花 删除成功！如果您想恢复，请您重新安装本软件！"));
    EXPECT_FALSE(QFile::exists(EffectPath(Window, QStringLiteral("雪花"))));
    EXPECT_EQ(form->bsSkinFileListBox1->Items()->Count(), 0);
    EXPECT_FALSE(form->D1->Enabled());
    // The deleted effect no longer shows as if it existed: the code window is closed.
    EXPECT_FALSE(form->bsSkinMemo21->isVisibleTo(form));
    EXPECT_TRUE(form->Image1->isVisibleTo(form));
    EXPECT_EQ(form->bsSkinGroupBox2->Caption(), QStringLiteral("代码窗口"));
    for (TbsSkinButton* button :
         {form->bsSkinButton1, form->bsSkinButton2, form->bsSkinButton3, form->bsSkinButton5})
        EXPECT_FALSE(button->Enabled());
    EXPECT_FALSE(form->N1->Enabled());
}

TEST_F(Authoring, TheProtectedEffectsStay) {
    for (const char* name : {"zarvo网页特效", "软件升级", "软件说明"}) {
        messages.clear();
        forms.clear();
        dialogs.clear();
        TForm1* form = OpenedEffect(QString::fromUtf8(name), "keep\r\n");
        answer = mrYes;
        Click(form->D1);
        ASSERT_EQ(messages.size(), 2u) << name;
        EXPECT_EQ(messages[1].Text, QStringLiteral("对不起，该项不能删除"));
        EXPECT_EQ(messages[1].Icon, TMessageBoxIcon::Error);
        EXPECT_TRUE(QFile::exists(EffectPath(Window, QString::fromUtf8(name))));
        EXPECT_TRUE(form->D1->Enabled());
    }
}

TEST_F(Authoring, AFailedDeletionSaysWhyAndStillReReadsTheList) {
    AddEffect(Cookie, QStringLiteral("计数"), "count\r\n");
    TForm1* form = OpenedEffect(QStringLiteral("雪花"), "snow\r\n");
    answer = mrYes;

    // Another category: the list has no current file, so nothing is deleted.
    Pick(form, Cookie);
    Click(form->D1);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].Text.contains(QStringLiteral("删除失败")))
        << messages[1].Text.toStdString();
    EXPECT_EQ(messages[1].Icon, TMessageBoxIcon::Error);
    EXPECT_TRUE(QFile::exists(EffectPath(Window, QStringLiteral("雪花"))));
    EXPECT_TRUE(QFile::exists(EffectPath(Cookie, QStringLiteral("计数"))));
    EXPECT_FALSE(form->D1->Enabled());

    // The file vanished since it was listed: the system's reason is shown.
    Open(form, QStringLiteral("计数"));
    QFile::remove(EffectPath(Cookie, QStringLiteral("计数")));
    messages.clear();
    Click(form->D1);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[1].Text.contains(QStringLiteral("No such file")))
        << messages[1].Text.toStdString();
    EXPECT_EQ(form->bsSkinFileListBox1->Items()->Count(), 0);
}

TEST_F(Authoring, EffectsAreReadAndWrittenInTheEncodingTheyComeIn) {
    const QString text = QStringLiteral("<p>中文 \U0001F600</p>");
    const QByteArray utf8 = (text + "\r\n").toUtf8();
    const QByteArray gbk = Gbk::Encode(QStringLiteral("<p>鼠标</p>\r\n"));
    AddEffect(Window, QStringLiteral("新式"), utf8);
    AddEffect(Window, QStringLiteral("老式"), gbk);
    QDir().mkpath(folder + "zarvotemp");
    TForm1* form = StartWithAddDialog();
    Pick(form, Window);
    const QString preview = folder + "zarvotemp/zarvotemp.htm";

    // Opened readable, the encoding in the status line; previewed and saved unchanged.
    Open(form, QStringLiteral("新式"));
    EXPECT_EQ(form->bsSkinMemo21->Lines()->Strings(0), text);
    EXPECT_EQ(form->bsSkinStatusPanel2->Caption(), QStringLiteral("UTF-8"));
    Click(form->bsSkinButton3);
    EXPECT_EQ(TestEnv::ReadFile(preview), utf8);
    const QString pages = TestEnv::NewFolder(QStringLiteral("pages"));
    AnswerSaveDialog(form, pages + "/new");
    Click(form->bsSkinButton5);
    EXPECT_EQ(TestEnv::ReadFile(pages + "/new.htm"), utf8);

    Open(form, QStringLiteral("老式"));
    EXPECT_EQ(form->bsSkinStatusPanel2->Caption(), QStringLiteral("GBK"));
    Click(form->bsSkinButton3);
    EXPECT_EQ(TestEnv::ReadFile(preview), gbk) << "byte for byte";
    // A declaration typed into the code wins over the encoding it was read in.
    form->bsSkinMemo21->SetText(QStringLiteral("<meta charset=\"utf-8\"><p>鼠标</p>"));
    Click(form->bsSkinButton3);
    EXPECT_EQ(TestEnv::ReadFile(preview),
              QStringLiteral("<meta charset=\"utf-8\"><p>鼠标</p>\r\n").toUtf8());

    // New effects: GB18030 without a declaration (the emoji kept), UTF-8 with one.
    messages.clear();
    Add(Window, QStringLiteral("表情"), text);
    EXPECT_EQ(TestEnv::ReadFile(EffectPath(Window, QStringLiteral("表情"))),
              Gbk::Encode(text + "\r\n"));
    EXPECT_EQ(Gbk::Decode(TestEnv::ReadFile(EffectPath(Window, QStringLiteral("表情")))),
              text + "\r\n");
    Add(Window, QStringLiteral("声明"), QStringLiteral("<meta charset=utf-8>") + text);
    EXPECT_EQ(TestEnv::ReadFile(EffectPath(Window, QStringLiteral("声明"))),
              (QStringLiteral("<meta charset=utf-8>") + text + "\r\n").toUtf8());
}
