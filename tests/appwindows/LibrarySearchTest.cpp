// Searching the library: what a query finds and how the rows show it, opening a found effect
// in the main window, and the index following the library as it changes.

#include "appwindows/MainWindowFixture.h"

#include "app/LibraryIndex.h"
#include "app/SearchWindow.h"
#include "platform/Gbk.h"
#include "skinforms/bsSkinMainMenu.h"
#include "skinctrls/bsSkinEdit.h"
#include "skinctrls/bsSkinListBox.h"
#include "skinctrls/bsSkinMemo.h"

#include <QDir>
#include <QFile>

namespace {

const QString Text = QStringLiteral("文字特效系列");

class SearchWindow : public MainWindowFixture {
protected:
    // The main window, its search window opened with Ctrl+F and the library read.
    TSearchWindow* OpenSearch() {
        form = StartWithAddDialog();
        EXPECT_TRUE(form->IsShortCut(int(Qt::Key_F) | int(scCtrl)));
        TSearchWindow* window = form->SearchWindow();
        EXPECT_NE(window, nullptr);
        EXPECT_TRUE(TestEnv::WaitFor([&] { return !window->Index()->Reading(); }));
        return window;
    }
    // Types the query anew (each change of the text searches).
    static std::vector<::LibrarySearch::Result> Type(TSearchWindow* window, const QString& query) {
        window->bsSkinEdit1->SetText(QString());
        window->bsSkinEdit1->SetText(query);
        return window->Results();
    }
    static QStringList Names(const std::vector<::LibrarySearch::Result>& results) {
        QStringList names;
        for (const auto& result : results)
            names << result.Name;
        return names;
    }
    static QStringList Marked(const ::LibrarySearch::Result& result) {
        QStringList marked;
        for (const auto& span : result.Highlights)
            marked << result.LineText.mid(span.Start, span.Length);
        return marked;
    }

    TForm1* form = nullptr;
};

} // namespace

TEST_F(SearchWindow, FindsEffectsHoldingEveryWordInNameOrTextIgnoringLatinCase) {
    AddEffect(Window, QStringLiteral("飘雪"),
              "<script>\r\nvar Snow = 1; // falling\r\n</script>\r\n");
    AddEffect(Window, QStringLiteral("落叶"),
              "<script>\r\nvar leaves = 'FALLING';\r\n</script>\r\n");
    AddEffect(Cookie, QStringLiteral("snow cookie"), "document.cookie = 'x';\r\n");
    TSearchWindow* window = OpenSearch();

    EXPECT_EQ(Names(Type(window, QStringLiteral("falling"))),
              QStringList({QStringLiteral("落叶"), QStringLiteral("飘雪")}));
    // Every word, anywhere: in the name or in the text.
    EXPECT_EQ(Names(Type(window, QStringLiteral("SNOW falling"))),
              QStringList({QStringLiteral("飘雪")}));
    EXPECT_EQ(Names(Type(window, QStringLiteral("snow  cookie"))),
              QStringList({QStringLiteral("snow cookie")}));
    EXPECT_EQ(Type(window, QStringLiteral("falling nothere")).size(), 0u);
    EXPECT_EQ(window->StatusText(), QStringLiteral("没有找到包含“falling nothere”的特效"));
    Type(window, QStringLiteral("falling"));
    EXPECT_EQ(window->StatusText(), QStringLiteral("找到 2 个特效"));
    EXPECT_EQ(window->bsSkinListBox1->Count(), 2);
    EXPECT_EQ(window->bsSkinListBox1->ItemIndex(), 0);
}

TEST_F(SearchWindow, FindsChineseWordsInGbkAndUtf8EffectsAndRanksNameMatchesFirst) {
    AddEffect(Window, QStringLiteral("普通窗口"),
              Gbk::Encode(QStringLiteral("<p>一个会动的窗口</p>\r\n<p>滚动字幕</p>\r\n")));
    AddEffect(Text, QStringLiteral("滚动字幕"),
              QStringLiteral("<meta charset=\"utf-8\">\r\n<marquee>字</marquee>\r\n").toUtf8());
    AddEffect(Window, QStringLiteral("滚动窗口"), Gbk::Encode(QStringLiteral("<p>窗口</p>\r\n")));
    TSearchWindow* window = OpenSearch();

    const auto results = Type(window, QStringLiteral("滚动"));
    // Names first (by category, then name), then the texts.
    ASSERT_EQ(Names(results), QStringList({QStringLiteral("滚动窗口"), QStringLiteral("滚动字幕"),
                                           QStringLiteral("普通窗口")}));
    EXPECT_TRUE(results[0].NameMatches);
    EXPECT_EQ(results[0].Category, Window);
    EXPECT_EQ(results[1].Category, Text);
    EXPECT_FALSE(results[2].NameMatches);
    EXPECT_EQ(results[2].Line, 1);
    EXPECT_EQ(results[2].LineText, QStringLiteral("<p>滚动字幕</p>"));
    EXPECT_EQ(Marked(results[2]), QStringList({QStringLiteral("滚动")}));
    // An effect whose name holds one word and whose text the other ranks after names
    // holding both.
    EXPECT_EQ(Names(Type(window, QStringLiteral("滚动 窗口"))).first(), QStringLiteral("滚动窗口"));
}

TEST_F(SearchWindow, TheRowShowsTheFirstLineHoldingEveryWordWithTheWordsHighlighted) {
    AddEffect(Window, QStringLiteral("时钟"),
              "<script>\r\n  var clock;\r\n\tfunction showClock() { return Clock.time; }\r\n");
    QByteArray longLine(300, 'x');
    longLine.replace(200, 6, "marker");
    AddEffect(Window, QStringLiteral("长行"), "a\r\n" + longLine + "\r\n");
    TSearchWindow* window = OpenSearch();

    auto results = Type(window, QStringLiteral("clock time"));
    ASSERT_EQ(results.size(), 1u);
    // Line 1 holds "clock" alone; line 2 holds both.
    EXPECT_EQ(results[0].Line, 2);
    EXPECT_EQ(results[0].LineText, QStringLiteral("function showClock() { return Clock.time; }"));
    EXPECT_EQ(Marked(results[0]), QStringList({QStringLiteral("Clock"), QStringLiteral("Clock"),
                                               QStringLiteral("time")}));
    // The first word's place in the memo's line: after the tab.
    EXPECT_EQ(results[0].Column, 14);
    EXPECT_EQ(results[0].HitLength, 5);

    // A long line is cut around the word, which stays in view and highlighted.
    results = Type(window, QStringLiteral("MARKER"));
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].Column, 200);
    EXPECT_TRUE(results[0].LineText.startsWith(QStringLiteral("…")));
    EXPECT_LT(results[0].LineText.size(), 200);
    EXPECT_EQ(Marked(results[0]), QStringList({QStringLiteral("marker")}));
}

TEST_F(SearchWindow, QueriesAreTakenLiterallyAndLongPastesAnswer) {
    AddEffect(Window, QStringLiteral("正则"), "if (/a.*b/.test(s)) { x[0] = (y + 1) * 2; }\r\n");
    AddEffect(Window, QStringLiteral("普通"), "aXXb plain\r\n");
    TSearchWindow* window = OpenSearch();

    EXPECT_EQ(Names(Type(window, QStringLiteral("a.*b"))), QStringList({QStringLiteral("正则")}));
    EXPECT_EQ(Names(Type(window, QStringLiteral("x[0] (y"))),
              QStringList({QStringLiteral("正则")}));
    EXPECT_EQ(Type(window, QStringLiteral("[a-z]+ \\d")).size(), 0u);
    EXPECT_EQ(Type(window, QStringLiteral("   ")).size(), 0u);
    EXPECT_EQ(window->StatusText(), QStringLiteral("请输入要查找的文字（多个词用空格分开）"));

    // 2,000 characters pasted at once, one word and many.
    EXPECT_EQ(Type(window, QString(2000, QLatin1Char('a'))).size(), 0u);
    QString words;
    for (int i = 0; i < 1000; ++i)
        words += QChar(0x4E00 + i) + QLatin1Char(' ');
    EXPECT_EQ(Type(window, words).size(), 0u);
    EXPECT_TRUE(window->StatusText().startsWith(QStringLiteral("没有找到包含“")));
    EXPECT_LT(window->StatusText().size(), 60);
}

TEST_F(SearchWindow, EnterOpensTheResultInTheMainWindowWithTheFirstHitSelected) {
    QByteArray code;
    for (int i = 0; i < 80; ++i)
        code += "<p>line " + QByteArray::number(i) + "</p>\r\n";
    code += "<p>the Rainbow text</p>\r\n";
    AddEffect(Window, QStringLiteral("彩虹"), code);
    AddEffect(Window, QStringLiteral("别的"), "other\r\n");
    TSearchWindow* window = OpenSearch();
    EXPECT_EQ(window->Text(), QStringLiteral("查找特效"));
    EXPECT_TRUE(window->isVisible());
    // The command heads the file menu.
    TMenuItem* file = form->bsSkinMainMenu1->Items()->Items(0);
    EXPECT_EQ(file->Items(0), form->F2);
    EXPECT_EQ(form->F2->Caption(), QStringLiteral("查找特效(&F)"));
    EXPECT_EQ(form->F2->ShortCut(), ShortCut(Qt::Key_F, scCtrl));

    Type(window, QStringLiteral("rainbow"));
    QChar enter = QLatin1Char('\r');
    FireEvent(window->bsSkinEdit1->OnKeyPress, window->bsSkinEdit1, enter);

    EXPECT_EQ(form->bsSkinComboBox1->Text(), Window);
    TbsSkinFileListBox* list = form->bsSkinFileListBox1;
    ASSERT_GE(list->ItemIndex(), 0);
    EXPECT_EQ(list->Items()->Strings(list->ItemIndex()), QStringLiteral("彩虹"));
    EXPECT_TRUE(form->bsSkinMemo21->isVisible());
    EXPECT_EQ(form->bsSkinMemo21->Lines()->Count(), 81);
    EXPECT_EQ(form->bsSkinMemo21->SelText(), QStringLiteral("Rainbow"));
    const int top = form->bsSkinMemo21->TopLine();
    EXPECT_LE(top, 80);
    EXPECT_GT(top + form->bsSkinMemo21->VisibleLineCount(), 80);
    EXPECT_TRUE(CommandsEnabled(form));
    EXPECT_TRUE(messages.empty());
}

TEST_F(SearchWindow, OpeningAnEffectDeletedWhileListedSaysSoInChinese) {
    AddEffect(Window, QStringLiteral("将删"), "unique words\r\n");
    TSearchWindow* window = OpenSearch();
    ASSERT_EQ(Type(window, QStringLiteral("unique")).size(), 1u);
    QFile::remove(EffectPath(Window, QStringLiteral("将删")));

    EXPECT_FALSE(window->OpenChosen());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].Text,
              QStringLiteral("特效“将删”（窗口特效系列）已不存在，可能已被删除或改名。"));
    EXPECT_EQ(messages[0].Icon, TMessageBoxIcon::Error);
    // The rows follow: the effect is gone from them.
    EXPECT_TRUE(window->Results().empty());
    EXPECT_FALSE(form->bsSkinMemo21->isVisible());
}

TEST_F(SearchWindow, FollowsEffectsAddedChangedAndDeletedByHand) {
    AddEffect(Window, QStringLiteral("旧的"), "first version\r\n");
    TSearchWindow* window = OpenSearch();
    ASSERT_EQ(Type(window, QStringLiteral("version")).size(), 1u);

    AddEffect(Cookie, QStringLiteral("新的"), "new version\r\n");
    QDir().mkpath(folder + "data/" + Text);
    AddEffect(Text, QStringLiteral("新类别里的"), "version three\r\n");
    EXPECT_EQ(Names(Type(window, QStringLiteral("version"))),
              QStringList(
                  {QStringLiteral("旧的"), QStringLiteral("新类别里的"), QStringLiteral("新的")}));

    // Written in place, as an editor may.
    QFile file(EffectPath(Window, QStringLiteral("旧的")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("rewritten\r\n");
    file.close();
    EXPECT_EQ(Names(Type(window, QStringLiteral("version"))),
              QStringList({QStringLiteral("新类别里的"), QStringLiteral("新的")}));
    EXPECT_EQ(Names(Type(window, QStringLiteral("rewritten"))),
              QStringList({QStringLiteral("旧的")}));

    QFile::remove(EffectPath(Cookie, QStringLiteral("新的")));
    QFile::rename(EffectPath(Text, QStringLiteral("新类别里的")),
                  EffectPath(Text, QStringLiteral("改名")));
    // A file with an extension is no effect, as the effect list shows.
    AddEffect(Window, QStringLiteral("page.htm"), "version\r\n");
    EXPECT_EQ(Names(Type(window, QStringLiteral("version"))),
              QStringList({QStringLiteral("改名")}));
}

TEST_F(SearchWindow, ReadsTheLibraryAgainWhenItsFolderIsReplaced) {
    AddEffect(Window, QStringLiteral("旧库"), "old library\r\n");
    TSearchWindow* window = OpenSearch();
    ASSERT_EQ(Type(window, QStringLiteral("library")).size(), 1u);

    ASSERT_TRUE(QDir(folder + "data").removeRecursively());
    AddEffect(Cookie, QStringLiteral("新库"), "new library\r\n");
    Type(window, QStringLiteral("library"));
    ASSERT_TRUE(TestEnv::WaitFor([&] { return !window->Index()->Reading(); }));
    EXPECT_EQ(Names(window->Results()), QStringList({QStringLiteral("新库")}));
    // And goes on following it.
    AddEffect(Cookie, QStringLiteral("又一个"), "library too\r\n");
    EXPECT_EQ(Names(Type(window, QStringLiteral("library"))),
              QStringList({QStringLiteral("又一个"), QStringLiteral("新库")}));
}

TEST_F(SearchWindow, FollowsEffectsAddedAndDeletedThroughTheProgram) {
    AddEffect(Window, QStringLiteral("已有"), "<b>bold</b>\r\n");
    TSearchWindow* window = OpenSearch();
    ASSERT_EQ(Type(window, QStringLiteral("italic")).size(), 0u);

    addDialog->bsSkinComboBox1->SetText(Window);
    addDialog->bsSkinEdit1->SetText(QStringLiteral("斜体"));
    addDialog->bsSkinMemo21->SetText(QStringLiteral("<i>italic</i>"));
    Click(addDialog->bsSkinButton1);
    EXPECT_EQ(Names(Type(window, QStringLiteral("italic"))), QStringList({QStringLiteral("斜体")}));

    // Opened from the search, then deleted with "删除特效(&D)".
    FireEvent(window->bsSkinListBox1->OnListBoxDblClick, window->bsSkinListBox1);
    ASSERT_EQ(form->bsSkinMemo21->SelText(), QStringLiteral("italic"));
    answer = mrYes;
    Click(form->D1);
    EXPECT_FALSE(QFile::exists(EffectPath(Window, QStringLiteral("斜体"))));
    EXPECT_EQ(Type(window, QStringLiteral("italic")).size(), 0u);
}

TEST_F(SearchWindow, SaysItIsReadingAtOnceAndAnswersWhenDone) {
    for (int i = 0; i < 300; ++i)
        AddEffect(Window, QStringLiteral("特效%1").arg(i), "common words " + QByteArray::number(i));
    form = StartWithAddDialog();
    form->F2->Click();
    TSearchWindow* window = form->SearchWindow();
    ASSERT_NE(window, nullptr);
    // The worker's end reaches the window through the event loop, which has not run yet.
    window->bsSkinEdit1->SetText(QStringLiteral("common"));
    EXPECT_TRUE(window->Index()->Reading());
    EXPECT_EQ(window->StatusText(), QStringLiteral("正在读取特效库……"));
    EXPECT_TRUE(window->Results().empty());
    // The query typed while reading is answered when the library has been read.
    ASSERT_TRUE(TestEnv::WaitFor([&] { return !window->Index()->Reading(); }));
    EXPECT_EQ(window->StatusText(), QStringLiteral("找到 300 个特效，显示前 200 个"));
    EXPECT_EQ(window->Results().size(), size_t(TSearchWindow::MaxRows));
}

TEST_F(SearchWindow, AFolderThatCannotBeReadIsNamedAndTheRestIsSearched) {
    AddEffect(Window, QStringLiteral("看得见"), "shared word\r\n");
    AddEffect(Cookie, QStringLiteral("看不见"), "shared word\r\n");
    AddEffect(Text, QStringLiteral("锁住的"), "shared word\r\n");
    const QString locked = folder + "data/" + Cookie;
    const QString lockedFile = EffectPath(Text, QStringLiteral("锁住的"));
    QFile::setPermissions(locked, QFile::Permissions());
    QFile::setPermissions(lockedFile, QFile::Permissions());
    {
        TestEnv::OrdinaryUser user;
        ASSERT_EQ(user.Problem(), QString());
        TSearchWindow* window = OpenSearch();
        EXPECT_EQ(Names(Type(window, QStringLiteral("shared"))),
                  QStringList({QStringLiteral("看得见")}));
        EXPECT_EQ(window->Index()->Unreadable(),
                  QStringList({Cookie, Text + QStringLiteral("/锁住的")}));
        EXPECT_TRUE(window->StatusText().contains(QStringLiteral("无法读取：Cookie脚本")));
        forms.clear();
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(lockedFile, QFile::ReadOwner | QFile::WriteOwner);
}

TEST(SearchWords, AreFoldedAsQtFoldsWholeTexts) {
    const QString mixed = QStringLiteral("Ab ÄÖÜ Straße ΣΑΣ КОТ \u212A 😀 特效 ＡＢ");
    EXPECT_EQ(::LibrarySearch::FoldedUtf8(mixed), mixed.toCaseFolded().toUtf8());
    // A lone half of a surrogate pair becomes the replacement character.
    EXPECT_EQ(::LibrarySearch::FoldedUtf8(QString(QChar(0xD800))), QString(QChar(0xFFFD)).toUtf8());
    EXPECT_EQ(::LibrarySearch::Words(QStringLiteral(" Snow\u3000雪 snow\tSNOW ")),
              QStringList({QStringLiteral("snow"), QStringLiteral("雪")}));
}

TEST(SearchLayout, TheEditSpansTheTopAndTheListTakesTheRest) {
    const TSearchLayout layout = TSearchLayout::For(620, 379);
    EXPECT_EQ(layout.Edit, TRect(8, 8, 612, 28));
    EXPECT_EQ(layout.List, TRect(8, 34, 612, 371));
    // Too small a window gives empty places, never inverted ones.
    const TSearchLayout tiny = TSearchLayout::For(4, 10);
    EXPECT_GE(tiny.Edit.Width(), 0);
    EXPECT_GE(tiny.List.Height(), 0);
}
