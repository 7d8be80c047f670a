#include "framework/StdCtrls.h"

#include "ControlsTestSupport.h"
#include "common/TestEnv.h"
#include "framework/Exceptions.h"
#include "platform/Gbk.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace ControlsTest;

namespace {

QString Clipboard() {
    return QGuiApplication::clipboard()->text();
}

// Types one character into the control's editor the way the keyboard would.
void Type(QWidget* editor, QChar ch) {
    SendKey(editor, QChar(ch).toUpper().unicode(), {}, QString(ch));
}

// Counts the font changes that reach a widget.
class TFontChanges : public QObject {
public:
    explicit TFontChanges(QWidget* widget) { widget->installEventFilter(this); }
    int Count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        Count += event->type() == QEvent::FontChange;
        return false;
    }
};

// An edit's or memo's editor, laying its text out anew in every font it gets, takes none of
// the fonts the control passes through while it is off the screen; it takes the last one
// when it shows or is read, at once while on the screen, and never its host's widget font.
template <class Control> void ExpectFontHeldWhileHidden(std::function<QFont(Control&)> read) {
    QWidget window;
    auto* control = new Control(&window);
    QWidget* editor = control->EditorWidget();
    TFontChanges changes(editor);
    control->Font()->SetName("Arial");
    control->Font()->SetHeight(14);
    control->Font()->SetHeight(-15);
    EXPECT_EQ(changes.Count, 0);
    window.show();
    EXPECT_EQ(changes.Count, 1);
    EXPECT_EQ(editor->font().pixelSize(), 15);
    EXPECT_EQ(editor->font().family(), "Liberation Sans");

    window.hide();
    control->Font()->SetHeight(-17);
    EXPECT_EQ(changes.Count, 1);
    EXPECT_EQ(read(*control).pixelSize(), 17) << "reading the editor gives it the font";
    EXPECT_EQ(changes.Count, 2);

    window.show();
    control->Font()->SetHeight(-19);
    EXPECT_EQ(editor->font().pixelSize(), 19);
    QFont host("DejaVu Serif", 30);
    host.setStyleStrategy(QFont::NoAntialias);
    control->setFont(host);
    EXPECT_EQ(editor->font().pixelSize(), 19);
    EXPECT_EQ(editor->font().family(), "Liberation Sans");
    EXPECT_EQ(editor->font().styleStrategy(), QFont::PreferDefault);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Edit

TEST(Edit, ClipboardUndoAndSelection) {
    TEdit edit;
    int changes = 0;
    edit.OnChange = [&](TObject*) { ++changes; };
    edit.SetText("Hello World");
    EXPECT_EQ(changes, 1);
    edit.SetSelStart(6);
    edit.SetSelLength(5);
    EXPECT_EQ(edit.SelText(), "World");
    edit.CopyToClipboard();
    EXPECT_EQ(Clipboard(), "World");
    edit.SetSelStart(0);
    edit.SetSelLength(6);
    edit.CutToClipboard();
    EXPECT_EQ(edit.Text(), "World");
    EXPECT_EQ(Clipboard(), "Hello ");
    EXPECT_TRUE(edit.CanUndo());
    edit.Undo();
    EXPECT_EQ(edit.Text(), "Hello World");
    edit.SetSelStart(11);
    edit.PasteFromClipboard();
    EXPECT_EQ(edit.Text(), "Hello WorldHello ");
    EXPECT_EQ(changes, 4);

    // Forgetting the history keeps the text, the caret and the selection, quietly.
    edit.SetSelStart(2);
    edit.SetSelLength(3);
    edit.ClearUndo();
    EXPECT_FALSE(edit.CanUndo());
    EXPECT_EQ(edit.Text(), "Hello WorldHello ");
    EXPECT_EQ(edit.SelText(), "llo");
    EXPECT_EQ(changes, 4);

    edit.ClearSelection();
    EXPECT_EQ(edit.Text(), "He WorldHello ");
    edit.ClearSelection();
    EXPECT_EQ(edit.Text(), "He WorldHello ") << "nothing selected, nothing deleted";
    edit.SetSelText("y");
    EXPECT_EQ(edit.Text(), "Hey WorldHello ");
    edit.SelectAll();
    EXPECT_EQ(edit.SelLength(), 15);
    // Out-of-range selections are clamped.
    edit.SetSelStart(100);
    EXPECT_EQ(edit.SelStart(), 15);
    edit.SetSelLength(5);
    EXPECT_EQ(edit.SelLength(), 0);
}

TEST(Edit, TypedKeysPassTheControlsHandlersFirst) {
    TEdit edit;
    edit.show();
    QLineEdit* editor = edit.Editor();
    QString pressed;
    edit.OnKeyPress = [&](TObject*, QChar& key) {
        pressed += key;
        if (key == 'x')
            key = 'Z';
        if (key == 'q')
            key = QChar();
    };
    for (QChar ch : QString("axqb"))
        Type(editor, ch);
    EXPECT_EQ(edit.Text(), "aZb") << "changed and swallowed characters";
    EXPECT_EQ(pressed, "axqb");
    EXPECT_TRUE(edit.Modified());

    // Return reaches OnKeyPress once and inserts nothing.
    pressed.clear();
    SendKey(editor, Qt::Key_Return, {}, "\r");
    EXPECT_EQ(pressed, "\r");
    EXPECT_EQ(edit.Text(), "aZb");

    // Case conversion applies to typed and set text; MaxLength cuts both.
    edit.OnKeyPress = nullptr;
    edit.SetText("");
    edit.SetCharCase(ecUpperCase);
    Type(editor, 'k');
    EXPECT_EQ(edit.Text(), "K");
    edit.SetText("mixed Case");
    EXPECT_EQ(edit.Text(), "MIXED CASE");
    edit.SetCharCase(ecLowerCase);
    EXPECT_EQ(edit.Text(), "mixed case");
    edit.SetMaxLength(3);
    edit.SetText("abcdef");
    EXPECT_EQ(edit.Text(), "abc");
    Type(editor, 'z');
    EXPECT_EQ(edit.Text(), "abc");

    // A read-only edit takes no typing.
    edit.SetMaxLength(0);
    edit.SetReadOnly(true);
    Type(editor, 'w');
    EXPECT_EQ(edit.Text(), "abc");
}

// An edit not on the screen holds its text back from the line edit until it shows or the
// line edit is used; nobody may see the difference.
TEST(Edit, TextSetWhileHiddenReachesTheScreenTheKeysAndTheChangeEventsOnce) {
    QWidget window;
    auto* edit = new TEdit(&window);
    int changes = 0;
    QString seen;
    edit->OnChange = [&](TObject*) {
        ++changes;
        seen = edit->Text();
    };
    edit->SetText("特效分类");
    edit->SetText("特效分类");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(seen, "特效分类") << "the handler reads the new text";
    edit->Font()->SetHeight(-15);
    auto* inner = edit->findChild<QLineEdit*>();
    ASSERT_NE(inner, nullptr);
    window.show();
    EXPECT_EQ(inner->text(), "特效分类");
    EXPECT_EQ(inner->displayText(), "特效分类");
    EXPECT_EQ(changes, 1) << "showing is no change";
    EXPECT_FALSE(edit->Modified());
    EXPECT_FALSE(edit->CanUndo());
    EXPECT_EQ(edit->SelStart(), 4);

    // Keys sent straight to the line edit of a hidden edit act on the text set.
    window.hide();
    edit->SetText("ab");
    SendKey(inner, Qt::Key_End);
    Type(inner, 'c');
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(edit->Modified());

    // So does every reader and setting of the edit.
    edit->SetText("hello");
    edit->SetMaxLength(3);
    EXPECT_EQ(edit->Text(), "hel");
    edit->SetText("xyz");
    edit->SetSelStart(1);
    edit->SetSelLength(1);
    EXPECT_EQ(edit->SelText(), "y");
    edit->SetText("later");
    EXPECT_EQ(edit->Editor()->text(), "lat");
}

TEST(Edit, FontsChangedWhileHiddenReachTheLineEditOnceWhenItShowsOrIsRead) {
    ExpectFontHeldWhileHidden<TEdit>([](TEdit& edit) { return edit.Editor()->font(); });
}

TEST(Edit, PasswordCharMasksTheText) {
    TEdit edit;
    edit.SetText("secret");
    edit.SetPasswordChar('#');
    EXPECT_EQ(edit.Editor()->displayText(), "######");
    EXPECT_EQ(edit.Text(), "secret");
    edit.SetPasswordChar(QChar());
    EXPECT_EQ(edit.Editor()->displayText(), "secret");
}

TEST(Edit, TheEditorSitsInsideTheBorderAndMargins) {
    TEdit edit;
    edit.SetBounds(0, 0, 100, 24);
    EXPECT_EQ(edit.BorderWidth(), 2);
    EXPECT_EQ(TRect::FromQRect(edit.Editor()->geometry()), TRect(2, 2, 98, 22));
    edit.SetBorderStyle(bsNone);
    edit.SetEditorMargins(3, 4, 20, 1);
    EXPECT_EQ(edit.EditorRect(), TRect(3, 4, 80, 23));
    EXPECT_EQ(TRect::FromQRect(edit.Editor()->geometry()), TRect(3, 4, 80, 23));
    edit.SetWidth(120);
    EXPECT_EQ(TRect::FromQRect(edit.Editor()->geometry()), TRect(3, 4, 100, 23));
}

// ---------------------------------------------------------------------------------------
// Memo

TEST(Memo, LinesFollowTheTextBothWays) {
    TMemo memo;
    TStrings& lines = *memo.Lines();
    EXPECT_EQ(lines.Count(), 0);
    lines.Add("one");
    lines.Add("two");
    EXPECT_EQ(memo.Text(), "one\r\ntwo\r\n");
    EXPECT_EQ(lines.Count(), 2);
    lines.Insert(1, "between");
    lines.SetStrings(0, "first");
    EXPECT_EQ(lines.ToStringList(), QStringList({"first", "between", "two"}));
    lines.Delete(2);
    EXPECT_EQ(memo.Text(), "first\r\nbetween\r\n");
    EXPECT_THROW(lines.Delete(2), EListError);

    // Text without a final line break: appending puts the break before the new line.
    memo.SetText("p\r\nq");
    EXPECT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.Text(), "p\r\nq\r\n");
    lines.Add("r");
    EXPECT_EQ(memo.Text(), "p\r\nq\r\nr");
    lines.Delete(2);
    EXPECT_EQ(memo.Text(), "p\r\nq");
    // An empty line counts when a line break follows it.
    memo.SetText("a\n\n");
    EXPECT_EQ(lines.ToStringList(), QStringList({"a", ""}));
    lines.Clear();
    EXPECT_EQ(memo.Text(), "");
    lines.Add("");
    EXPECT_EQ(lines.Count(), 1);
}

TEST(Memo, FontsChangedWhileHiddenReachTheEditorOnceWhenItShowsOrIsRead) {
    ExpectFontHeldWhileHidden<TMemo>([](TMemo& memo) { return memo.Editor()->font(); });
    // The monospaced face is the editor's font too: held while hidden, there when read.
    QWidget window;
    auto* memo = new TMemo(&window);
    TFontChanges changes(memo->EditorWidget());
    memo->SetMonospaced(true);
    EXPECT_EQ(changes.Count, 0);
    EXPECT_EQ(memo->VisibleLineCount() >= 0, true);
    EXPECT_EQ(changes.Count, 1) << "counting the lines in view lays them out in the font";
    const QFont mono = memo->Editor()->font();
    ASSERT_EQ(mono.families().size(), 2);
    EXPECT_EQ(mono.families()[0], "DejaVu Sans Mono");
}

TEST(Memo, ANewTextKeepsTheLookChangesOnceAndCannotBeUndone) {
    TMemo memo;
    memo.show();
    memo.Font()->SetName(QStringLiteral("Liberation Mono"));
    memo.Font()->SetHeight(-17);
    memo.SetWordWrap(false);
    int changes = 0;
    memo.OnChange = [&](TObject*) { ++changes; };
    for (const char* text : {"first\r\ntext", "second\r\ntext\r\nlonger"}) {
        changes = 0;
        memo.Lines()->SetText(QString::fromLatin1(text));
        EXPECT_EQ(changes, 1) << text;
        EXPECT_EQ(memo.Text(), QString::fromLatin1(text));
        EXPECT_FALSE(memo.CanUndo()) << "a new text is not an edit";
        EXPECT_FALSE(memo.Modified());
        EXPECT_EQ(memo.Editor()->document()->defaultFont().pixelSize(), 17);
        EXPECT_EQ(memo.Editor()->document()->documentMargin(), 1);
        EXPECT_EQ(memo.Editor()->lineWrapMode(), QPlainTextEdit::NoWrap);
    }
    // Typing into the new text is undone as usual.
    memo.SetSelStart(0);
    Type(memo.Editor(), 'x');
    EXPECT_TRUE(memo.Text().startsWith("xsecond"));
    memo.Undo();
    EXPECT_TRUE(memo.Text().startsWith("second"));
    // The documents replaced go once the event loop runs; the memo's own stays.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(memo.Editor()->findChildren<QTextDocument*>().size(), 1);
}

namespace {

// 5,000 numbered lines, about 200 KB: long enough to be filled in over several turns.
QString LongText() {
    QStringList lines;
    for (int i = 0; i < 5000; ++i)
        lines << QStringLiteral("第%1行 <div class=\"snow\">falling flakes</div>").arg(i);
    return lines.join(QStringLiteral("\r\n"));
}

// Turns the event loop until the memo holds its whole text; false when it never did.
bool PumpUntilFilled(const TMemo& memo) {
    for (int i = 0; i < 1000 && memo.Filling(); ++i)
        QCoreApplication::processEvents();
    return !memo.Filling();
}

} // namespace

TEST(Memo, ALongTextShowsAtOnceAndEveryReaderAndInputSeesItWhole) {
    const QString text = LongText();
    TMemo memo;
    memo.SetWordWrap(false);
    memo.SetBounds(0, 0, 300, 200);
    memo.show();
    int changes = 0;
    memo.OnChange = [&](TObject*) { ++changes; };
    const auto open = [&] {
        changes = 0;
        memo.Lines()->SetText(text);
        EXPECT_TRUE(memo.Filling());
        EXPECT_LT(memo.Editor()->document()->blockCount(), 1000) << "only the first part";
    };

    open(); // read through the text, the lines and the selection
    EXPECT_EQ(memo.Text(), text);
    EXPECT_FALSE(memo.Filling());
    open();
    EXPECT_EQ(memo.Lines()->Count(), 5000);
    EXPECT_EQ(memo.Lines()->Strings(4999).left(6), QStringLiteral("第4999行"));
    open();
    memo.SelectAll();
    EXPECT_EQ(memo.SelLength(), text.size() - 4999);

    open(); // the event loop adds the rest by itself: still one change, no undo
    EXPECT_TRUE(PumpUntilFilled(memo));
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(memo.CanUndo());
    EXPECT_FALSE(memo.Modified());
    EXPECT_EQ(memo.Text(), text);

    open(); // a key typed before the rest came goes where it was typed, and is undone alone
    memo.Editor()->setFocus();
    Type(memo.Editor(), 'x');
    EXPECT_FALSE(memo.Filling());
    EXPECT_EQ(memo.Text(), "x" + text);
    memo.Undo();
    EXPECT_EQ(memo.Text(), text);

    open(); // the same text again changes nothing; another text or clearing drops the rest
    memo.SetText(text);
    EXPECT_TRUE(memo.Filling());
    EXPECT_EQ(changes, 1);
    memo.Lines()->SetText(QStringLiteral("short"));
    EXPECT_TRUE(PumpUntilFilled(memo));
    EXPECT_EQ(memo.Text(), "short");
    open();
    memo.Clear();
    EXPECT_TRUE(PumpUntilFilled(memo));
    EXPECT_EQ(memo.Text(), "");
}

TEST(Memo, LoadsAndSavesFilesByTheStringListRules) {
    QString folder = TestEnv::NewFolder("memo");
    QByteArray bytes;
    for (int i = 0; i < 200; ++i)
        bytes += Gbk::Encode(QStringLiteral("第%1行 line").arg(i)) + "\r\n";
    TestEnv::WriteFile(folder + "/in.txt", bytes);

    TMemo memo;
    memo.SetWordWrap(false);
    memo.SetBounds(0, 0, 200, 120);
    memo.show();
    memo.Lines()->LoadFromFile(folder + "/in.txt");
    ASSERT_EQ(memo.Lines()->Count(), 200);
    EXPECT_EQ(memo.Lines()->Strings(7), QStringLiteral("第7行 line"));
    memo.Lines()->SaveToFile(folder + "/out.txt");
    EXPECT_EQ(TestEnv::ReadFile(folder + "/out.txt"), bytes);
    EXPECT_THROW(memo.Lines()->LoadFromFile(folder + "/missing.txt"), EFOpenError);
    EXPECT_EQ(memo.Lines()->Count(), 200) << "a failed load keeps the text";
}

TEST(Memo, ScrollRangesAndExternalScrollRequests) {
    TMemo memo;
    memo.SetWordWrap(false);
    memo.SetScrollBars(ssBoth);
    memo.SetNativeScrollBarsHidden(true);
    memo.SetBounds(0, 0, 200, 120);
    memo.show();
    int scrolls = 0;
    memo.OnScroll = [&](TObject*) { ++scrolls; };
    QStringList text;
    for (int i = 0; i < 200; ++i)
        text << QStringLiteral("line %1").arg(i);
    memo.Lines()->SetText(text.join("\n"));
    Pump();

    EXPECT_FALSE(memo.Editor()->verticalScrollBar()->isVisible());
    TScrollInfo v = memo.ScrollInfo(sbVertical);
    EXPECT_EQ(v.Min, 0);
    EXPECT_EQ(v.Max, 199) << "the last line";
    EXPECT_GT(v.Page, 3);
    EXPECT_LE(std::abs(v.Page - memo.VisibleLineCount()), 1);
    EXPECT_EQ(v.Pos, 0);
    EXPECT_GT(scrolls, 0);

    scrolls = 0;
    memo.ScrollLines(10);
    EXPECT_EQ(memo.ScrollInfo(sbVertical).Pos, 10);
    EXPECT_EQ(memo.TopLine(), 10);
    EXPECT_EQ(scrolls, 1);
    memo.ScrollLines(-3);
    EXPECT_EQ(memo.TopLine(), 7);
    memo.ScrollTo(10000);
    EXPECT_EQ(memo.TopLine(), v.Max - v.Page + 1) << "the last page";
    memo.ScrollTo(-5);
    EXPECT_EQ(memo.TopLine(), 0);

    // A long line gives a horizontal range in pixels.
    memo.Lines()->SetStrings(0, QString(300, 'W'));
    Pump();
    TScrollInfo h = memo.ScrollInfo(sbHorizontal);
    EXPECT_GT(h.Max, h.Page);
    memo.ScrollHorzTo(50);
    EXPECT_EQ(memo.ScrollInfo(sbHorizontal).Pos, 50);
    memo.ScrollHorzBy(-20);
    EXPECT_EQ(memo.ScrollInfo(sbHorizontal).Pos, 30);

    // Text that fits leaves nothing to scroll.
    memo.SetText("short");
    Pump();
    TScrollInfo fits = memo.ScrollInfo(sbVertical);
    EXPECT_EQ(fits.Pos, 0);
    EXPECT_LT(fits.Max, memo.VisibleLineCount());
}

TEST(Memo, ClipboardUndoAndReturns) {
    TMemo memo;
    memo.show();
    memo.SetText("alpha\r\nbeta");
    memo.SelectAll();
    EXPECT_EQ(memo.SelText(), "alpha\r\nbeta");
    memo.CopyToClipboard();
    EXPECT_EQ(Clipboard(), "alpha\nbeta");
    memo.SetSelStart(0);
    memo.SetSelLength(5);
    memo.CutToClipboard();
    EXPECT_EQ(memo.Text(), "\r\nbeta");
    EXPECT_TRUE(memo.CanUndo());
    EXPECT_TRUE(memo.Modified());
    memo.Undo();
    EXPECT_EQ(memo.Text(), "alpha\r\nbeta");
    memo.ClearUndo();
    EXPECT_FALSE(memo.CanUndo());
    memo.SetSelStart(11);
    memo.PasteFromClipboard();
    EXPECT_EQ(memo.Lines()->ToStringList(), QStringList({"alpha", "betaalpha"}));
    memo.ClearSelection();
    EXPECT_EQ(memo.Lines()->Count(), 2) << "nothing selected, nothing deleted";

    // Return breaks a line, unless the memo leaves Return to the form.
    QPlainTextEdit* editor = memo.Editor();
    memo.SetText("ab");
    memo.SetSelStart(1);
    SendKey(editor, Qt::Key_Return, {}, "\r");
    EXPECT_EQ(memo.Lines()->Count(), 2);
    memo.SetWantReturns(false);
    SendKey(editor, Qt::Key_Return, {}, "\r");
    EXPECT_EQ(memo.Lines()->Count(), 2);
    memo.SetReadOnly(true);
    Type(editor, 'x');
    EXPECT_EQ(memo.Text(), "a\r\nb");
}

// ---------------------------------------------------------------------------------------
// List box

namespace {

// 100 x 100 without border or native bar: 5 owner-drawn items of 20 pixels per page.
std::unique_ptr<TListBox> MakeList(int items) {
    auto list = std::make_unique<TListBox>();
    list->SetBorderStyle(bsNone);
    list->SetNativeScrollBar(false);
    list->SetStyle(lbOwnerDrawFixed);
    list->SetItemHeight(20);
    list->SetBounds(0, 0, 100, 100);
    for (int i = 0; i < items; ++i)
        list->Items()->Add(QStringLiteral("item %1").arg(i));
    list->show();
    return list;
}

} // namespace

TEST(ListBox, SortsInLocaleOrderWithoutRegardToCase) {
    TListBox list;
    int objects[3] = {};
    list.Items()->AddObject("banana", &objects[0]);
    list.Items()->Add("Cherry");
    list.Items()->AddObject("apple", &objects[1]);
    list.SetItemIndex(1);
    list.SetSorted(true);
    EXPECT_EQ(list.Items()->ToStringList(), QStringList({"apple", "banana", "Cherry"}));
    EXPECT_EQ(list.Items()->Objects(0), &objects[1]) << "objects move with their items";
    EXPECT_EQ(list.ItemIndex(), 2) << "the selection stays on its item";
    list.Items()->Add("Banana0");
    list.Items()->Add("Apple");
    list.Items()->Add("éclair");
    EXPECT_EQ(list.Items()->ToStringList(),
              QStringList({"apple", "Apple", "banana", "Banana0", "Cherry", "éclair"}));
    EXPECT_EQ(list.ItemIndex(), 4);
    // Deleting before the selection moves it; deleting it clears it.
    list.Items()->Delete(0);
    EXPECT_EQ(list.ItemIndex(), 3);
    list.Items()->Delete(3);
    EXPECT_EQ(list.ItemIndex(), -1);
}

TEST(ListBox, PrefixSearchIsCaseInsensitiveAndWraps) {
    TListBox list;
    for (const char* s : {"Apple", "apricot", "banana", "Blueberry", "cherry"})
        list.Items()->Add(s);
    EXPECT_EQ(list.SearchPrefix("a"), 0);
    EXPECT_EQ(list.SearchPrefix("a", 0), 1);
    EXPECT_EQ(list.SearchPrefix("a", 1), 0) << "wraps";
    EXPECT_EQ(list.SearchPrefix("BL", -1), 3);
    EXPECT_EQ(list.SearchPrefix("APR", 3), 1);
    EXPECT_EQ(list.SearchPrefix("cherry pie"), -1);
    EXPECT_EQ(list.SearchPrefix("x"), -1);
    EXPECT_EQ(list.SearchPrefix(""), -1);

    // Typing in the list finds the next item with that prefix.
    list.show();
    int clicks = 0;
    list.OnClick = [&](TObject*) { ++clicks; };
    SendKey(&list, Qt::Key_B, {}, "b");
    EXPECT_EQ(list.ItemIndex(), 2);
    EXPECT_EQ(clicks, 1);
}

TEST(ListBox, ItemGeometryAndScrolling) {
    auto list = MakeList(12);
    int scrolls = 0;
    list->OnScroll = [&](TObject*) { ++scrolls; };
    EXPECT_EQ(list->PageSize(), 5);
    EXPECT_EQ(list->ItemRect(0), TRect(0, 0, 100, 20));
    EXPECT_EQ(list->ItemRect(3), TRect(0, 60, 100, 80));
    EXPECT_EQ(list->ItemAtPos(TPoint(5, 45), true), 2);
    EXPECT_EQ(list->ItemAtPos(TPoint(150, 45), true), -1) << "outside the client area";

    list->SetTopIndex(3);
    EXPECT_EQ(scrolls, 1);
    EXPECT_EQ(list->ItemRect(3), TRect(0, 0, 100, 20));
    EXPECT_EQ(list->ItemAtPos(TPoint(5, 45), true), 5);
    list->SetTopIndex(100);
    EXPECT_EQ(list->TopIndex(), 7) << "the last page stays full";
    EXPECT_EQ(list->ScrollInfo(), (TScrollInfo{0, 11, 5, 7}));
    list->SetTopIndex(-4);
    EXPECT_EQ(list->TopIndex(), 0);

    // Selecting an item brings it into view.
    list->SetItemIndex(9);
    EXPECT_EQ(list->TopIndex(), 5);

    // Below the last item.
    auto few = MakeList(2);
    EXPECT_EQ(few->ItemAtPos(TPoint(5, 70), true), -1);
    EXPECT_EQ(few->ItemAtPos(TPoint(5, 70), false), 2);
    EXPECT_EQ(few->ScrollInfo(), (TScrollInfo{0, 1, 5, 0}));
}

TEST(ListBox, OwnerDrawingIsCalledForEachVisibleItem) {
    auto list = MakeList(12);
    list->SetTopIndex(4);
    list->SetItemIndex(6);
    list->clearFocus();
    std::vector<std::pair<int, TRect>> drawn;
    TOwnerDrawState selectedState = 0;
    TColor selectedFont = clNone;
    list->OnDrawItem = [&](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
        drawn.emplace_back(index, rect);
        if (index == 6) {
            selectedState = state;
            selectedFont = list->Canvas()->Font.Color();
        }
        list->Canvas()->FillRect(rect);
    };
    QImage image = list->grab().toImage();
    ASSERT_EQ(drawn.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(drawn[i].first, 4 + i);
        EXPECT_EQ(drawn[i].second, TRect(0, 20 * i, 100, 20 * i + 20));
    }
    EXPECT_EQ(selectedState, odSelected);
    EXPECT_EQ(selectedFont, clHighlightText);
    // The handler filled with the brush the list prepared.
    EXPECT_EQ(FromQColor(image.pixelColor(50, 50)), ColorToRGB(clHighlight));
    EXPECT_EQ(FromQColor(image.pixelColor(50, 10)), ColorToRGB(clWindow));
}

TEST(ListBox, KeysAndMouseChangeTheSelectionAndClick) {
    auto list = MakeList(12);
    int clicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    SendKey(list.get(), Qt::Key_Down);
    EXPECT_EQ(list->ItemIndex(), 0);
    SendKey(list.get(), Qt::Key_End);
    EXPECT_EQ(list->ItemIndex(), 11);
    EXPECT_EQ(list->TopIndex(), 7);
    SendKey(list.get(), Qt::Key_PageUp);
    EXPECT_EQ(list->ItemIndex(), 7);
    SendKey(list.get(), Qt::Key_Home);
    SendKey(list.get(), Qt::Key_Up);
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(clicks, 4) << "no click when nothing changed";

    Click(list.get(), QPoint(10, 45));
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(clicks, 5);
    Click(list.get(), QPoint(10, 45));
    EXPECT_EQ(clicks, 5);
    int doubles = 0;
    list->OnDblClick = [&](TObject*) { ++doubles; };
    SendMouse(list.get(), QEvent::MouseButtonDblClick, QPoint(10, 45), Qt::LeftButton,
              Qt::LeftButton);
    EXPECT_EQ(doubles, 1);

    // Multi-selection: Shift selects a range, Ctrl toggles one item.
    list->SetMultiSelect(true);
    Click(list.get(), QPoint(10, 25));
    SendMouse(list.get(), QEvent::MouseButtonPress, QPoint(10, 85), Qt::LeftButton, Qt::LeftButton,
              Qt::ShiftModifier);
    SendMouse(list.get(), QEvent::MouseButtonRelease, QPoint(10, 85), Qt::LeftButton, {},
              Qt::ShiftModifier);
    EXPECT_EQ(list->SelCount(), 4);
    SendMouse(list.get(), QEvent::MouseButtonPress, QPoint(10, 45), Qt::LeftButton, Qt::LeftButton,
              Qt::ControlModifier);
    EXPECT_EQ(list->SelCount(), 3);
    EXPECT_FALSE(list->Selected(2));
    EXPECT_TRUE(list->Selected(4));
    EXPECT_THROW(list->Selected(12), EListError);
    list->Clear();
    EXPECT_EQ(list->SelCount(), 0);
    EXPECT_EQ(list->ItemIndex(), -1);
}

TEST(Edit, KeepsItsSelectionButNoCaretAfterLosingFocus) {
    QWidget window;
    auto* edit = new TEdit(&window);
    auto* other = new TEdit(&window);
    other->SetBounds(0, 30, 80, 20);
    window.show();
    window.activateWindow();
    edit->SetText("Hello World");
    edit->SetFocus();
    edit->SelectAll();
    other->SetFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(edit->SelText(), "Hello World");
    auto* inner = edit->findChild<QLineEdit*>();
    ASSERT_NE(inner, nullptr);
    EXPECT_FALSE(inner->hasFocus());
}
