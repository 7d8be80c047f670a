#pragma once
// Lists of text lines. TStrings is the interface every line list offers (a memo's lines
// and a list box's items implement it over their controls); TStringList keeps the lines in
// memory, optionally sorted. Each line may carry an object pointer, which the list does not
// own. Text files are read and written in the ANSI code page (GBK): reading splits lines at
// CR, LF or CR LF, and writing ends every line, the last one included, with CR LF.

#include "platform/AtomicFile.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <vector>

class TStream;
class TStrings;

using TStringsNotifyEvent = std::function<void(TStrings* Sender)>;

// Splits a text into lines at CR, LF or CR LF. A line break at the very end does not start
// another line, so "a\r\n" is one line and "" is none.
QStringList SplitTextLines(const QString& text);
// Joins lines, ending every line with CR LF.
QString JoinTextLines(const QStringList& lines);

class TStrings {
public:
    TStrings() = default;
    virtual ~TStrings() = default;
    TStrings(const TStrings&) = delete;
    TStrings& operator=(const TStrings&) = delete;

    // ---- Storage. Index errors raise EListError "List index out of bounds (%d)".
    virtual int Count() const = 0;
    virtual QString Strings(int index) const = 0;
    virtual void SetStrings(int index, const QString& s);
    virtual void* Objects(int index) const;
    virtual void SetObjects(int index, void* object);
    virtual void Insert(int index, const QString& s) = 0;
    virtual void InsertObject(int index, const QString& s, void* object);
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;
    // Returns the index the line got.
    virtual int Add(const QString& s);
    virtual int AddObject(const QString& s, void* object);
    virtual void Exchange(int index1, int index2);
    // Moves a line (with its object) so that it ends at `newIndex`.
    virtual void Move(int curIndex, int newIndex);

    QString operator[](int index) const { return Strings(index); }
    template <class T> T* ObjectAs(int index) const { return static_cast<T*>(Objects(index)); }

    // ---- Lookup, without regard to case. -1 when absent.
    virtual int IndexOf(const QString& s) const;
    int IndexOfObject(const void* object) const;
    // The list's order: the locale's order without regard to case (AnsiCompareText).
    virtual int CompareStrings(const QString& a, const QString& b) const;

    // ---- "name=value" lines
    // The part before the first "="; empty when the line has none.
    QString Names(int index) const;
    QString ValueFromIndex(int index) const;
    int IndexOfName(const QString& name) const;
    QString Values(const QString& name) const;
    // Replaces the value of the first line with that name or adds a line; an empty value
    // deletes the line.
    void SetValues(const QString& name, const QString& value);

    // ---- Whole text
    // Every line followed by CR LF.
    virtual QString Text() const;
    // Replaces the lines with the text split at CR, LF or CR LF.
    virtual void SetText(const QString& text);
    // Lines separated by ","; a line holding blanks, control characters, "," or '"' is
    // quoted with '"' (inner quotes doubled).
    QString CommaText() const;
    // Splits at "," and, outside quotes, at blanks; '"' quotes a line, "" inside is one quote.
    void SetCommaText(const QString& text);
    QStringList ToStringList() const;

    // ---- Copying
    // Replaces the lines and objects with those of `source`.
    virtual void Assign(const TStrings& source);
    void AddStrings(const TStrings& source);
    void AddStrings(const QStringList& lines);
    // Same count and the same lines, case included (objects are not compared).
    bool Equals(const TStrings& other) const;

    // ---- Batched changes: notifications are held back until the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // ---- Files and streams in GBK
    // Raises EFOpenError "Cannot open file "%s". %s" when the file cannot be opened.
    void LoadFromFile(const QString& fileName);
    // Reads from the stream's position to its end.
    void LoadFromStream(TStream& stream);
    // Saves atomically (see WriteFileAtomic); raises EFCreateError "Cannot create file
    // "%s". %s" and leaves the file as it was when the save fails. A symbolic link is
    // replaced, or refused with `links`, never written through.
    void SaveToFile(const QString& fileName,
                    AtomicFile::TLinks links = AtomicFile::TLinks::ReplaceLink) const;
    void SaveToStream(TStream& stream) const;

protected:
    // Called with true when the first BeginUpdate starts a batch, with false when the last
    // EndUpdate ends it.
    virtual void SetUpdateState(bool updating);
    [[noreturn]] static void ListIndexError(int index);
    // Raises the index error unless 0 <= index < count.
    static void CheckIndex(int index, int count);

    // Holds a batch open for a scope, so an exception cannot leave it open.
    class UpdateScope {
    public:
        explicit UpdateScope(TStrings& strings) : FStrings(strings) { FStrings.BeginUpdate(); }
        ~UpdateScope() { FStrings.EndUpdate(); }
        UpdateScope(const UpdateScope&) = delete;
        UpdateScope& operator=(const UpdateScope&) = delete;

    private:
        TStrings& FStrings;
    };

private:
    int FUpdateCount = 0;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// Compares the lines at two indices: negative, zero or positive.
using TStringListSortCompare = std::function<int(TStringList& list, int index1, int index2)>;

class TStringList : public TStrings {
public:
    TStringList() = default;
    explicit TStringList(const QStringList& lines);
    TStringList(std::initializer_list<QString> lines);

    int Count() const override { return static_cast<int>(FItems.size()); }
    QString Strings(int index) const override;
    void SetStrings(int index, const QString& s) override;
    void* Objects(int index) const override;
    void SetObjects(int index, void* object) override;
    void Insert(int index, const QString& s) override;
    void InsertObject(int index, const QString& s, void* object) override;
    void Delete(int index) override;
    void Clear() override;
    int Add(const QString& s) override;
    int AddObject(const QString& s, void* object) override;
    void Exchange(int index1, int index2) override;
    void Move(int curIndex, int newIndex) override;
    int IndexOf(const QString& s) const override;

    // Binary search of a sorted list. True when found; `index` is then the first equal
    // line, otherwise the place where the line would be inserted.
    bool Find(const QString& s, int& index) const;
    // Sorts by CompareStrings. A sorted list is always in order and is left as it is.
    void Sort();
    // Sorts by `compare`, keeping equal lines in their order. Ignored on a sorted list.
    void CustomSort(const TStringListSortCompare& compare);

    // A sorted list keeps its lines in order: Add puts a line in its place, and Insert,
    // SetStrings, Exchange and Move raise EListError "Operation not allowed on sorted list".
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    // What Add does on a sorted list with a line already there: dupIgnore returns the
    // existing index, dupAccept adds it after the equal lines, dupError raises EListError
    // "String list does not allow duplicates". Unsorted lists accept duplicates.
    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates value) { FDuplicates = value; }

    TStringsNotifyEvent OnChange;
    TStringsNotifyEvent OnChanging;

protected:
    void SetUpdateState(bool updating) override;
    void Changing();
    void Changed();

private:
    struct Item {
        QString string;
        void* object = nullptr;
    };
    void InsertItem(int index, const QString& s, void* object);
    void CheckNotSorted() const;

    std::vector<Item> FItems;
    bool FSorted = false;
    TDuplicates FDuplicates = TDuplicates::dupIgnore;
};
