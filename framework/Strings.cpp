#include "framework/Strings.h"

#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "platform/Gbk.h"

#include <algorithm>
#include <numeric>

namespace {

const QString SortedListError = QStringLiteral("Operation not allowed on sorted list");
const QString DuplicateError = QStringLiteral("String list does not allow duplicates");

bool NeedsQuotes(const QString& s) {
    for (QChar c : s)
        if (c.unicode() <= 0x20 || c == u'"' || c == u',')
            return true;
    return false;
}

QString Quoted(const QString& s) {
    QString result = s;
    result.replace(u'"', QStringLiteral("\"\""));
    return u'"' + result + u'"';
}

bool IsCommaBlank(QChar c) {
    return c.unicode() >= 1 && c.unicode() <= 0x20;
}

} // namespace

QStringList SplitTextLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString JoinTextLines(const QStringList& lines) {
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString& line : lines) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

// ---- TStrings

void TStrings::ListIndexError(int index) {
    throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

void TStrings::CheckIndex(int index, int count) {
    if (index < 0 || index >= count)
        ListIndexError(index);
}

void TStrings::SetStrings(int index, const QString& s) {
    void* object = Objects(index);
    UpdateScope scope(*this);
    Delete(index);
    InsertObject(index, s, object);
}

void* TStrings::Objects(int index) const {
    CheckIndex(index, Count());
    return nullptr;
}

void TStrings::SetObjects(int index, void*) {
    CheckIndex(index, Count());
}

void TStrings::InsertObject(int index, const QString& s, void* object) {
    UpdateScope scope(*this);
    Insert(index, s);
    SetObjects(index, object);
}

int TStrings::Add(const QString& s) {
    int index = Count();
    Insert(index, s);
    return index;
}

int TStrings::AddObject(const QString& s, void* object) {
    int index = Add(s);
    SetObjects(index, object);
    return index;
}

void TStrings::Exchange(int index1, int index2) {
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    QString s1 = Strings(index1);
    void* o1 = Objects(index1);
    UpdateScope scope(*this);
    SetStrings(index1, Strings(index2));
    SetObjects(index1, Objects(index2));
    SetStrings(index2, s1);
    SetObjects(index2, o1);
}

void TStrings::Move(int curIndex, int newIndex) {
    CheckIndex(curIndex, Count());
    CheckIndex(newIndex, Count());
    if (curIndex == newIndex)
        return;
    QString s = Strings(curIndex);
    void* object = Objects(curIndex);
    UpdateScope scope(*this);
    Delete(curIndex);
    InsertObject(newIndex, s, object);
}

int TStrings::IndexOf(const QString& s) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (AnsiSameText(Strings(i), s))
            return i;
    return -1;
}

int TStrings::IndexOfObject(const void* object) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (Objects(i) == object)
            return i;
    return -1;
}

int TStrings::CompareStrings(const QString& a, const QString& b) const {
    return AnsiCompareText(a, b);
}

QString TStrings::Names(int index) const {
    QString line = Strings(index);
    qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.left(eq);
}

QString TStrings::ValueFromIndex(int index) const {
    QString line = Strings(index);
    qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.mid(eq + 1);
}

int TStrings::IndexOfName(const QString& name) const {
    for (int i = 0, n = Count(); i < n; ++i) {
        QString line = Strings(i);
        qsizetype eq = line.indexOf(u'=');
        if (eq >= 0 && AnsiSameText(line.left(eq), name))
            return i;
    }
    return -1;
}

QString TStrings::Values(const QString& name) const {
    int index = IndexOfName(name);
    return index < 0 ? QString() : ValueFromIndex(index);
}

void TStrings::SetValues(const QString& name, const QString& value) {
    int index = IndexOfName(name);
    if (value.isEmpty()) {
        if (index >= 0)
            Delete(index);
    } else if (index < 0) {
        Add(name + u'=' + value);
    } else {
        SetStrings(index, name + u'=' + value);
    }
}

QString TStrings::Text() const {
    return JoinTextLines(ToStringList());
}

void TStrings::SetText(const QString& text) {
    QStringList lines = SplitTextLines(text);
    UpdateScope scope(*this);
    Clear();
    AddStrings(lines);
}

QString TStrings::CommaText() const {
    const int n = Count();
    if (n == 1 && Strings(0).isEmpty())
        return QStringLiteral("\"\"");
    QString text;
    for (int i = 0; i < n; ++i) {
        if (i > 0)
            text += u',';
        QString s = Strings(i);
        text += NeedsQuotes(s) ? Quoted(s) : s;
    }
    return text;
}

void TStrings::SetCommaText(const QString& text) {
    QStringList items;
    const qsizetype n = text.size();
    qsizetype p = 0;
    auto skipBlanks = [&] {
        while (p < n && IsCommaBlank(text[p]))
            ++p;
    };
    skipBlanks();
    while (p < n) {
        QString item;
        if (text[p] == u'"') {
            ++p;
            while (p < n) {
                if (text[p] == u'"') {
                    if (p + 1 < n && text[p + 1] == u'"') {
                        item += u'"';
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
                item += text[p++];
            }
        } else {
            qsizetype start = p;
            while (p < n && text[p].unicode() > 0x20 && text[p] != u',')
                ++p;
            item = text.mid(start, p - start);
        }
        items.append(item);
        skipBlanks();
        if (p < n && text[p] == u',') {
            if (p + 1 == n)
                items.append(QString());
            ++p;
            skipBlanks();
        }
    }
    UpdateScope scope(*this);
    Clear();
    AddStrings(items);
}

QStringList TStrings::ToStringList() const {
    QStringList lines;
    const int n = Count();
    lines.reserve(n);
    for (int i = 0; i < n; ++i)
        lines.append(Strings(i));
    return lines;
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this)
        return;
    UpdateScope scope(*this);
    Clear();
    AddStrings(source);
}

void TStrings::AddStrings(const TStrings& source) {
    UpdateScope scope(*this);
    for (int i = 0, n = source.Count(); i < n; ++i)
        AddObject(source.Strings(i), source.Objects(i));
}

void TStrings::AddStrings(const QStringList& lines) {
    UpdateScope scope(*this);
    for (const QString& line : lines)
        Add(line);
}

bool TStrings::Equals(const TStrings& other) const {
    const int n = Count();
    if (n != other.Count())
        return false;
    for (int i = 0; i < n; ++i)
        if (Strings(i) != other.Strings(i))
            return false;
    return true;
}

void TStrings::BeginUpdate() {
    if (FUpdateCount == 0)
        SetUpdateState(true);
    ++FUpdateCount;
}

void TStrings::EndUpdate() {
    if (FUpdateCount == 0)
        return;
    if (--FUpdateCount == 0)
        SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::LoadFromFile(const QString& fileName) {
    TFileStream file(fileName, TFileMode::fmOpenRead);
    LoadFromStream(file);
}

void TStrings::LoadFromStream(TStream& stream) {
    int64_t size = stream.Size() - stream.Position();
    QByteArray bytes;
    if (size > 0) {
        bytes.resize(size);
        bytes.resize(stream.Read(bytes.data(), size));
    }
    SetText(Gbk::Decode(bytes));
}

void TStrings::SaveToFile(const QString& fileName, AtomicFile::TLinks links) const {
    WriteFileAtomic(fileName, Gbk::Encode(Text()), links);
}

void TStrings::SaveToStream(TStream& stream) const {
    QByteArray bytes = Gbk::Encode(Text());
    stream.WriteBuffer(bytes.constData(), bytes.size());
}

// ---- TStringList

TStringList::TStringList(const QStringList& lines) {
    FItems.reserve(lines.size());
    for (const QString& line : lines)
        FItems.push_back({line, nullptr});
}

TStringList::TStringList(std::initializer_list<QString> lines) : TStringList(QStringList(lines)) {}

QString TStringList::Strings(int index) const {
    CheckIndex(index, Count());
    return FItems[index].string;
}

void TStringList::SetStrings(int index, const QString& s) {
    CheckNotSorted();
    CheckIndex(index, Count());
    Changing();
    FItems[index].string = s;
    Changed();
}

void* TStringList::Objects(int index) const {
    CheckIndex(index, Count());
    return FItems[index].object;
}

void TStringList::SetObjects(int index, void* object) {
    CheckIndex(index, Count());
    Changing();
    FItems[index].object = object;
    Changed();
}

void TStringList::Insert(int index, const QString& s) {
    InsertObject(index, s, nullptr);
}

void TStringList::InsertObject(int index, const QString& s, void* object) {
    CheckNotSorted();
    if (index < 0 || index > Count())
        ListIndexError(index);
    InsertItem(index, s, object);
}

void TStringList::InsertItem(int index, const QString& s, void* object) {
    Changing();
    FItems.insert(FItems.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index, Count());
    Changing();
    FItems.erase(FItems.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty())
        return;
    Changing();
    FItems.clear();
    Changed();
}

int TStringList::Add(const QString& s) {
    return AddObject(s, nullptr);
}

int TStringList::AddObject(const QString& s, void* object) {
    int index = Count();
    if (FSorted && Find(s, index)) {
        switch (FDuplicates) {
        case TDuplicates::dupIgnore:
            return index;
        case TDuplicates::dupError:
            throw EListError(DuplicateError);
        case TDuplicates::dupAccept:
            while (index < Count() && CompareStrings(FItems[index].string, s) == 0)
                ++index;
            break;
        }
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::Exchange(int index1, int index2) {
    CheckNotSorted();
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    Changing();
    std::swap(FItems[index1], FItems[index2]);
    Changed();
}

void TStringList::Move(int curIndex, int newIndex) {
    CheckNotSorted();
    CheckIndex(curIndex, Count());
    CheckIndex(newIndex, Count());
    if (curIndex == newIndex)
        return;
    Changing();
    Item item = std::move(FItems[curIndex]);
    FItems.erase(FItems.begin() + curIndex);
    FItems.insert(FItems.begin() + newIndex, std::move(item));
    Changed();
}

int TStringList::IndexOf(const QString& s) const {
    if (!FSorted)
        return TStrings::IndexOf(s);
    int index = 0;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(const QString& s, int& index) const {
    int low = 0;
    int high = Count();
    while (low < high) {
        int mid = low + (high - low) / 2;
        if (CompareStrings(FItems[mid].string, s) < 0)
            low = mid + 1;
        else
            high = mid;
    }
    index = low;
    return low < Count() && CompareStrings(FItems[low].string, s) == 0;
}

void TStringList::Sort() {
    CustomSort([](TStringList& list, int a, int b) {
        return list.CompareStrings(list.FItems[a].string, list.FItems[b].string);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
    if (FSorted || Count() < 2)
        return;
    // Sort an index permutation first: the comparison sees the list unchanged, and an
    // exception from it leaves the list as it was.
    std::vector<int> order(FItems.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return compare(*this, a, b) < 0; });
    Changing();
    std::vector<Item> sorted;
    sorted.reserve(FItems.size());
    for (int i : order)
        sorted.push_back(std::move(FItems[i]));
    FItems = std::move(sorted);
    Changed();
}

void TStringList::SetSorted(bool value) {
    if (value == FSorted)
        return;
    if (value)
        Sort();
    FSorted = value;
}

void TStringList::CheckNotSorted() const {
    if (FSorted)
        throw EListError(SortedListError);
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}
