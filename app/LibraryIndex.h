#pragma once
// The library search: every effect of the fifteen categories, read as the code window reads
// it (GBK or UTF-8, as its bytes show), held so that a query over the whole library answers
// while the user types.
//
//   LibrarySearch::Words   what a query looks for
//   TLibraryIndex          reads the library once on worker threads, then follows the
//                          category folders through a folder watch: before it answers a
//                          query it takes the changes made since the last one and reads
//                          again just the effects they touched
//
// Each effect keeps its file's bytes (decoded again for the rows it shows), its text
// case-folded as UTF-8 (for matching) and a 16-kbit signature of the folded text's byte
// pairs and triples.
// A word can only be in a text whose signature holds all of the word's n-grams, so most
// texts are passed over without being looked at.

#include "platform/FolderWatch.h"
#include "platform/TextEncoding.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <atomic>
#include <memory>
#include <vector>

class QThread;

namespace LibrarySearch {

// The words of a query: split at white space (the ideographic space too), case-folded,
// each once. Every character is taken literally.
QStringList Words(const QString& query);

struct Span {
    int Start = 0;
    int Length = 0;
    friend bool operator==(const Span&, const Span&) = default;
};

// One effect that holds every word in its name or its text.
struct Result {
    QString Category;
    QString Name;
    QString Path;
    bool NameMatches = false; // every word is in the name
    // The first line holding every word (else the first holding any), as the memo numbers
    // lines; -1 when the words are only in the name.
    int Line = -1;
    int Column = 0;               // the first word's place in that line, in characters
    int HitLength = 0;            // and its length
    QString LineText;             // the line as a row shows it: trimmed, cut around the first word
    std::vector<Span> Highlights; // every word in LineText
};

struct Answer {
    std::vector<Result> Results; // name matches first, then by category and name
    int Total = 0;               // every effect that matches, also those beyond the limit
};

// A line of `text` the way a result row shows it, with the words found in it.
struct RowLine {
    QString Text;
    std::vector<Span> Highlights;
};
RowLine ShownLine(QStringView line, const QStringList& words);

// `text` case-folded, as UTF-8: what texts and query words are compared in.
QByteArray FoldedUtf8(QStringView text);

// The 16-kbit n-gram signature of a folded text.
using Signature = std::array<quint64, 256>;

struct IndexedEffect {
    int Category = 0; // in the order of EffectLibrary::Categories()
    QString Name;
    QString Path;
    QByteArray FoldedName;                                         // FoldedUtf8 of the name
    QByteArray Bytes;                                              // the file as read
    TextEncoding::Encoding Encoding = TextEncoding::Encoding::Gbk; // what it was read in
    QByteArray Folded;                                             // FoldedUtf8 of the text
    Signature Grams{};
};

} // namespace LibrarySearch

class TLibraryIndex : public QObject {
    Q_OBJECT
public:
    // The library in `dataFolder` ("<program folder>data/"), one folder per category.
    explicit TLibraryIndex(const QString& dataFolder, QObject* parent = nullptr);
    ~TLibraryIndex() override;

    // Starts reading the library in the background; Ready follows on this thread. Once.
    void Start();
    bool Started() const { return FStarted; }
    // True from Start until the library has been read, and again while it is read anew
    // because the system lost track of its changes; Find then answers nothing.
    bool Reading() const { return FStarted && !FReady; }
    // How many effects the index holds.
    int Count() const { return int(FEffects.size()); }
    // Category folders and effects that could not be read, as "<category>" or
    // "<category>/<name>", sorted.
    QStringList Unreadable() const;

    // The effects holding every word of `query`, best first, at most `limit` of them with
    // their rows worked out. Takes the library's changes first.
    LibrarySearch::Answer Find(const QString& query, int limit);

signals:
    // The library has been read; a query asked while it was read may be asked again.
    void Ready();

private:
    void ReadInBackground();
    void BuildFinished();
    // Brings the index up to date with the changes the folder watch saw.
    void TakeChanges();
    void RereadCategory(int category);
    void RereadEffect(int category, const QString& name);
    void RemoveEffect(int position);
    void WatchFolders();
    int CategoryOfFolder(const QString& folder) const;

    QString FDataFolder;
    QStringList FFolders; // each category's folder, in the categories' order
    bool FStarted = false;
    bool FReady = false;
    std::vector<LibrarySearch::IndexedEffect> FEffects;
    QStringList FUnreadable;
    TFolderWatch FWatch;

    // What the worker threads hand over when they are done.
    struct Build {
        std::vector<LibrarySearch::IndexedEffect> Effects;
        QStringList Unreadable;
    };
    std::unique_ptr<Build> FBuild;
    QThread* FBuilder = nullptr;
    std::atomic<bool> FCancel{false};
};
