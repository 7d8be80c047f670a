#include "framework/Strings.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"

#include "common/TestEnv.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QStringList Lines(const TStrings& list) {
    return list.ToStringList();
}

template <class F> QString ErrorText(F&& f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return QStringLiteral("<no error>");
}

} // namespace

TEST(Strings, TextSplitsAtEveryLineBreakAndJoinsWithCrLf) {
    EXPECT_EQ(SplitTextLines("a\rb\nc\r\nd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(SplitTextLines("a\r\n"), QStringList({"a"}));
    EXPECT_EQ(SplitTextLines("a\n\n"), QStringList({"a", ""}));
    EXPECT_EQ(SplitTextLines("\n\r"), QStringList({"", ""}));
    EXPECT_EQ(SplitTextLines("\r\n"), QStringList({""}));
    EXPECT_EQ(SplitTextLines("\r\r\n"), QStringList({"", ""}));
    EXPECT_TRUE(SplitTextLines("").isEmpty());
    EXPECT_EQ(SplitTextLines("no break"), QStringList({"no break"}));

    TStringList list;
    list.SetText("one\rtwo\n\nthree");
    EXPECT_EQ(Lines(list), QStringList({"one", "two", "", "three"}));
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\n\r\nthree\r\n");
    list.Clear();
    EXPECT_EQ(list.Text(), "");
}

TEST(Strings, FilesUseGbkAndCrLfAfterEveryLine) {
    QString folder = TestEnv::NewFolder("strings");
    QString path = folder + "/effect";
    // GBK bytes of 中文, mixed breaks, no final break.
    TestEnv::WriteFile(path, "\xD6\xD0\xCE\xC4\r\nb\rc\nd");
    TStringList list;
    list.LoadFromFile(path);
    EXPECT_EQ(Lines(list), QStringList({QStringLiteral("中文"), "b", "c", "d"}));

    list.SaveToFile(path);
    EXPECT_EQ(TestEnv::ReadFile(path), "\xD6\xD0\xCE\xC4\r\nb\r\nc\r\nd\r\n");
    list.LoadFromFile(path);
    EXPECT_EQ(list.Count(), 4); // the final break adds no empty line

    // A character outside GBK survives through GB18030.
    TStringList emoji{QStringLiteral("smile 😀 笑")};
    emoji.SaveToFile(path);
    TStringList back;
    back.LoadFromFile(path);
    EXPECT_EQ(back[0], QStringLiteral("smile 😀 笑"));

    TStringList empty;
    empty.SaveToFile(path);
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(QFileInfo(path).size(), 0);
    back.LoadFromFile(path);
    EXPECT_EQ(back.Count(), 0);

    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList({"effect"}));
}

TEST(Strings, StreamsReadFromThePositionAndWriteCrLf) {
    TMemoryStream stream(QByteArray("skip\r\nx\ny"));
    stream.SetPosition(6);
    TStringList list;
    list.LoadFromStream(stream);
    EXPECT_EQ(Lines(list), QStringList({"x", "y"}));

    TMemoryStream out;
    list.SaveToStream(out);
    EXPECT_EQ(out.Data(), "x\r\ny\r\n");
}

TEST(Strings, FileErrorsCarryTheFrameworkTexts) {
    QString folder = TestEnv::NewFolder("strerr");
    TStringList list{"keep"};
    QString missing = folder + "/gone";
    EXPECT_EQ(ErrorText([&] { list.LoadFromFile(missing); }),
              QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(missing));
    EXPECT_EQ(Lines(list), QStringList({"keep"})); // a failed load changes nothing

    QString noFolder = folder + "/none/effect";
    EXPECT_EQ(ErrorText([&] { list.SaveToFile(noFolder); }),
              QStringLiteral("Cannot create file \"%1\". No such file or directory").arg(noFolder));
    EXPECT_EQ(ErrorText([&] { list.SaveToFile(folder); }),
              QStringLiteral("Cannot create file \"%1\". Is a directory").arg(folder));
    EXPECT_TRUE(
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

TEST(Strings, IndexErrorsAndObjects) {
    TStringList list{"a", "b", "c"};
    EXPECT_EQ(ErrorText([&] { list.Strings(3); }), "List index out of bounds (3)");
    EXPECT_EQ(ErrorText([&] { list.Delete(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(ErrorText([&] { list.Insert(4, "x"); }), "List index out of bounds (4)");
    EXPECT_EQ(ErrorText([&] { list.Move(0, 3); }), "List index out of bounds (3)");
    EXPECT_EQ(list.Count(), 3);
    list.Insert(3, "d"); // inserting at the end is allowed
    EXPECT_EQ(list.Count(), 4);

    int x = 1, y = 2;
    list.SetObjects(0, &x);
    list.SetObjects(2, &y);
    list.Move(0, 3);
    EXPECT_EQ(Lines(list), QStringList({"b", "c", "d", "a"}));
    EXPECT_EQ(list.ObjectAs<int>(3), &x);
    list.Exchange(1, 3);
    EXPECT_EQ(Lines(list), QStringList({"b", "a", "d", "c"}));
    EXPECT_EQ(list.ObjectAs<int>(1), &x);
    EXPECT_EQ(list.ObjectAs<int>(3), &y);
    EXPECT_EQ(list.IndexOfObject(&y), 3);
    EXPECT_EQ(list.IndexOf("D"), 2);
    EXPECT_EQ(list.IndexOf("zz"), -1);

    TStringList copy;
    copy.Assign(list);
    EXPECT_TRUE(copy.Equals(list));
    EXPECT_EQ(copy.ObjectAs<int>(1), &x);
    copy.Assign(copy);
    EXPECT_EQ(copy.Count(), 4);
}

TEST(Strings, SortedListsFindAndDuplicates) {
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"pear", "Apple", "banana", "cherry"})
        list.Add(s);
    EXPECT_EQ(Lines(list), QStringList({"Apple", "banana", "cherry", "pear"}));

    int index = -1;
    EXPECT_TRUE(list.Find("BANANA", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("blueberry", index));
    EXPECT_EQ(index, 2);
    EXPECT_FALSE(list.Find("zz", index));
    EXPECT_EQ(index, 4);
    EXPECT_EQ(list.IndexOf("PEAR"), 3);

    // Ignore: the existing index comes back, nothing is added.
    EXPECT_EQ(list.Add("APPLE"), 0);
    EXPECT_EQ(list.Count(), 4);
    list.SetDuplicates(TDuplicates::dupError);
    EXPECT_EQ(ErrorText([&] { list.Add("Cherry"); }), "String list does not allow duplicates");
    list.SetDuplicates(TDuplicates::dupAccept);
    EXPECT_EQ(list.Add("CHERRY"), 3);
    EXPECT_EQ(Lines(list), QStringList({"Apple", "banana", "cherry", "CHERRY", "pear"}));

    for (auto op : std::initializer_list<std::function<void()>>{
             [&] { list.Insert(0, "x"); }, [&] { list.SetStrings(0, "x"); },
             [&] { list.Exchange(0, 1); }, [&] { list.Move(0, 1); }})
        EXPECT_EQ(ErrorText(op), "Operation not allowed on sorted list");

    // Switching sorting on orders what is there.
    TStringList names{"b", "C", "a"};
    names.SetSorted(true);
    EXPECT_EQ(Lines(names), QStringList({"a", "b", "C"}));
}

TEST(Strings, CustomSortIsStableAndSafe) {
    TStringList list{"b2", "a1", "b1", "a2"};
    // By first letter only: equal keys keep their order.
    list.CustomSort([](TStringList& l, int i, int j) {
        return l.Strings(i).at(0).unicode() - l.Strings(j).at(0).unicode();
    });
    EXPECT_EQ(Lines(list), QStringList({"a1", "a2", "b2", "b1"}));

    EXPECT_THROW(list.CustomSort([](TStringList&, int, int) -> int { throw EListError("x"); }),
                 EListError);
    EXPECT_EQ(Lines(list), QStringList({"a1", "a2", "b2", "b1"}));
    list.Sort();
    EXPECT_EQ(Lines(list), QStringList({"a1", "a2", "b1", "b2"}));
}

TEST(Strings, NamesValuesAndCommaText) {
    TStringList list{"Skins=skins\\skin1\\skin.ini", "plain", "music=a=b"};
    EXPECT_EQ(list.Names(0), "Skins");
    EXPECT_EQ(list.Names(1), "");
    EXPECT_EQ(list.Values("SKINS"), "skins\\skin1\\skin.ini");
    EXPECT_EQ(list.Values("music"), "a=b");
    EXPECT_EQ(list.IndexOfName("plain"), -1);
    list.SetValues("music", "c");
    list.SetValues("new", "1");
    list.SetValues("skins", "");
    EXPECT_EQ(Lines(list), QStringList({"plain", "music=c", "new=1"}));

    TStringList items{"a", "b c", "", "say \"hi\"", "x,y"};
    EXPECT_EQ(items.CommaText(), "a,\"b c\",,\"say \"\"hi\"\"\",\"x,y\"");
    TStringList parsed;
    parsed.SetCommaText(items.CommaText());
    EXPECT_TRUE(parsed.Equals(items));
    parsed.SetCommaText(" one two , three,");
    EXPECT_EQ(Lines(parsed), QStringList({"one", "two", "three", ""}));
    TStringList single{""};
    parsed.SetCommaText(single.CommaText());
    EXPECT_EQ(Lines(parsed), QStringList({""}));
    parsed.SetCommaText("\"unterminated");
    EXPECT_EQ(Lines(parsed), QStringList({"unterminated"}));
}

TEST(Strings, ChangeNotificationsWaitForTheOutermostEndUpdate) {
    TStringList list;
    QStringList events;
    list.OnChanging = [&](TStrings* sender) {
        EXPECT_EQ(sender, &list);
        events << "changing";
    };
    list.OnChange = [&](TStrings*) { events << "change"; };
    list.Add("a");
    EXPECT_EQ(events, QStringList({"changing", "change"}));

    events.clear();
    list.BeginUpdate();
    list.BeginUpdate();
    list.Add("b");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(events, QStringList({"changing"}));
    list.EndUpdate();
    EXPECT_EQ(events, QStringList({"changing", "change"}));

    events.clear();
    list.SetText("x\ny\nz"); // one batch
    EXPECT_EQ(events, QStringList({"changing", "change"}));
    events.clear();
    list.EndUpdate(); // unbalanced: ignored
    EXPECT_TRUE(events.isEmpty());
    EXPECT_EQ(list.UpdateCount(), 0);
}
