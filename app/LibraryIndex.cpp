#include "app/LibraryIndex.h"

#include "app/EffectFile.h"
#include "app/EffectLibrary.h"
#include "framework/Strings.h"
#include "platform/FileSearch.h"
#include "platform/Paths.h"

#include <QSet>
#include <QThread>
#include <algorithm>
#include <cstring>
#include <exception>
#include <sys/stat.h>
#include <thread>
#include <utility>

using namespace LibrarySearch;

namespace {

// How far into a long line the first word may stand before the row cuts the line's
// beginning, how much of the line before the word it then keeps, and how long a row's
// line is at most.
constexpr int CutBefore = 40;
constexpr int KeptBefore = 20;
constexpr int ShownLength = 160;
const QString Ellipsis = QStringLiteral("…");

// --- n-gram signatures

inline quint32 GramBit(quint32 gram) {
    return (gram * 0x9E3779B1u) >> 18; // 14 bits: 16384 places
}

// The byte pairs and triples of `bytes`. A one-byte word has none: the text itself is looked
// at, which is quick for a single byte.
template <class Use> void ForEachGram(const QByteArray& bytes, Use use) {
    const auto* b = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i + 1 < n; ++i) {
        use(quint32(b[i]) | quint32(b[i + 1]) << 8 | 2u << 24);
        if (i + 2 < n)
            use(quint32(b[i]) | quint32(b[i + 1]) << 8 | quint32(b[i + 2]) << 16 | 3u << 24);
    }
}

void Sign(const QByteArray& folded, Signature& grams) {
    grams.fill(0);
    ForEachGram(folded, [&](quint32 gram) {
        const quint32 bit = GramBit(gram);
        grams[bit >> 6] |= quint64(1) << (bit & 63);
    });
}

bool Contains(const QByteArray& haystack, const QByteArray& needle) {
    return ::memmem(haystack.constData(), size_t(haystack.size()), needle.constData(),
                    size_t(needle.size())) != nullptr;
}

// A query word as the matching loop needs it.
struct Word {
    QString Folded;
    QByteArray Bytes;           // folded, UTF-8
    std::vector<quint32> Grams; // signature bits the word needs
};

Word MakeWord(const QString& folded) {
    Word word{folded, FoldedUtf8(folded), {}};
    ForEachGram(word.Bytes, [&](quint32 gram) { word.Grams.push_back(GramBit(gram)); });
    std::sort(word.Grams.begin(), word.Grams.end());
    word.Grams.erase(std::unique(word.Grams.begin(), word.Grams.end()), word.Grams.end());
    return word;
}

bool MaySign(const Signature& grams, const Word& word) {
    return std::all_of(word.Grams.begin(), word.Grams.end(),
                       [&](quint32 bit) { return grams[bit >> 6] & (quint64(1) << (bit & 63)); });
}

// --- reading effects

struct EffectFileRef {
    int Category;
    QString Name;
    QString Path;
};

QString UnreadableName(int category, const QString& name = QString()) {
    const QString folder = EffectLibrary::Categories().at(category);
    return name.isEmpty() ? folder : folder + QLatin1Char('/') + name;
}

// An effect as the file list shows it: a plain file without extension, not hidden.
bool IsEffectName(const QString& name) {
    return EffectLibrary::IsSafeName(name) && FileSearch::MatchesMask(name, QStringLiteral("*."));
}

// The effects of one category folder, as the effect file list lists them. A folder leading
// outside the program folder is not read; one that cannot be read is named in `unreadable`.
void ListEffects(int category, const QString& folder, std::vector<EffectFileRef>& into,
                 QStringList& unreadable) {
    if (!Paths::DirectoryExists(folder) || !EffectLibrary::OutsideTarget(folder).isEmpty())
        return;
    std::vector<FoundFile> found;
    try {
        found = FileSearch::FindNames(folder, QStringLiteral("*."), 0, false);
    } catch (const std::exception&) {
        unreadable << UnreadableName(category);
        return;
    }
    for (const FoundFile& file : found)
        if (!(file.Attr & faDirectory) && IsEffectName(file.Name))
            into.push_back({category, file.Name, folder + file.Name});
}

// Reads one effect; false when it cannot be read, or is a link leading outside the program
// folder (the code window refuses those too).
bool ReadEffect(const EffectFileRef& file, IndexedEffect& effect) {
    struct stat st {};
    if (::lstat(Paths::EncodeName(file.Path).constData(), &st) != 0)
        return false;
    if (S_ISLNK(st.st_mode) && !EffectLibrary::OutsideTarget(file.Path).isEmpty())
        return false;
    try {
        effect.Bytes = EffectFile::LoadBytes(file.Path);
    } catch (const std::exception&) {
        return false;
    }
    effect.Encoding = TextEncoding::Detect(effect.Bytes);
    effect.Category = file.Category;
    effect.Name = file.Name;
    effect.Path = file.Path;
    effect.FoldedName = FoldedUtf8(file.Name);
    effect.Folded = FoldedUtf8(TextEncoding::Decode(effect.Bytes, effect.Encoding));
    Sign(effect.Folded, effect.Grams);
    return true;
}

// Reads `files` on as many threads as the machine has cores, each into its own part of
// the result.
std::vector<IndexedEffect> ReadEffects(const std::vector<EffectFileRef>& files,
                                       QStringList& unreadable, const std::atomic<bool>& cancel) {
    const size_t threads = std::clamp<size_t>(size_t(QThread::idealThreadCount()), 1,
                                              std::max<size_t>(1, files.size()));
    std::vector<IndexedEffect> effects(files.size());
    std::vector<char> read(files.size(), 0);
    auto readPart = [&](size_t part) {
        const size_t end = files.size() * (part + 1) / threads;
        for (size_t i = files.size() * part / threads; i < end && !cancel; ++i)
            read[i] = ReadEffect(files[i], effects[i]);
    };
    std::vector<std::jthread> helpers;
    for (size_t part = 1; part < threads; ++part)
        helpers.emplace_back(readPart, part);
    readPart(0);
    helpers.clear(); // joins
    size_t kept = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        if (!read[i])
            unreadable << UnreadableName(files[i].Category, files[i].Name);
        else if (kept++ != i)
            effects[kept - 1] = std::move(effects[i]);
    }
    effects.resize(kept);
    return effects;
}

// --- answering

// The first line of `text` holding every word, else the first holding any; its number and
// its characters.
struct FoundLine {
    int Number = -1;
    QStringView Text;
};

FoundLine FirstMatchingLine(QStringView text, const QStringList& words) {
    FoundLine any;
    int number = 0;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start <= n) {
        qsizetype end = start;
        while (end < n && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        if (end == n && start == n && n > 0)
            break; // the text's last line break ends the last line
        const QStringView line = text.mid(start, end - start);
        int held = 0;
        for (const QString& word : words)
            if (line.contains(word, Qt::CaseInsensitive))
                ++held;
        if (held == words.size())
            return {number, line};
        if (held > 0 && any.Number < 0)
            any = {number, line};
        if (end == n)
            break;
        start = end + (text[end] == u'\r' && end + 1 < n && text[end + 1] == u'\n' ? 2 : 1);
        ++number;
    }
    return any;
}

// Every place of the words in `line`, in order, overlapping places joined.
std::vector<Span> WordPlaces(QStringView line, const QStringList& words) {
    std::vector<Span> places;
    for (const QString& word : words) {
        if (word.isEmpty())
            continue;
        for (qsizetype at = line.indexOf(word, 0, Qt::CaseInsensitive); at >= 0;
             at = line.indexOf(word, at + word.size(), Qt::CaseInsensitive))
            places.push_back({int(at), int(word.size())});
    }
    std::sort(places.begin(), places.end(),
              [](const Span& a, const Span& b) { return a.Start < b.Start; });
    std::vector<Span> joined;
    for (const Span& place : places) {
        if (!joined.empty() && place.Start <= joined.back().Start + joined.back().Length) {
            Span& last = joined.back();
            last.Length = std::max(last.Length, place.Start + place.Length - last.Start);
        } else {
            joined.push_back(place);
        }
    }
    return joined;
}

// The rank of an effect: every word in the name, some of them, none.
int NameRank(int wordsInName, int words) {
    return wordsInName == words ? 0 : wordsInName > 0 ? 1 : 2;
}

} // namespace

namespace LibrarySearch {

QByteArray FoldedUtf8(QStringView text) {
    // Most of an effect is ASCII, folded here; the rest goes through Qt's folding of single
    // characters. One UTF-16 unit takes at most three bytes, a pair of them four: the bytes
    // go into a buffer of that size kept by each thread, then into an array of their own size.
    thread_local std::vector<char> buffer;
    buffer.resize(size_t(text.size()) * 3);
    char* const begin = buffer.data();
    char* out = begin;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t unit = text[i].unicode();
        if (unit < 0x80) {
            *out++ = char(unit >= u'A' && unit <= u'Z' ? unit + 32 : unit);
            continue;
        }
        char32_t point = unit;
        if (QChar::isHighSurrogate(unit) && i + 1 < n && text[i + 1].isLowSurrogate())
            point = QChar::surrogateToUcs4(unit, text[++i].unicode());
        else if (QChar::isSurrogate(unit))
            point = QChar::ReplacementCharacter;
        point = QChar::toCaseFolded(point);
        if (point < 0x80) {
            *out++ = char(point);
        } else if (point < 0x800) {
            *out++ = char(0xC0 | point >> 6);
            *out++ = char(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            *out++ = char(0xE0 | point >> 12);
            *out++ = char(0x80 | (point >> 6 & 0x3F));
            *out++ = char(0x80 | (point & 0x3F));
        } else {
            *out++ = char(0xF0 | point >> 18);
            *out++ = char(0x80 | (point >> 12 & 0x3F));
            *out++ = char(0x80 | (point >> 6 & 0x3F));
            *out++ = char(0x80 | (point & 0x3F));
        }
    }
    return QByteArray(begin, out - begin);
}

QStringList Words(const QString& query) {
    QStringList words;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= query.size(); ++i) {
        const bool space = i == query.size() || query[i].isSpace();
        if (!space && start < 0)
            start = i;
        if (space && start >= 0) {
            const QString word = query.mid(start, i - start).toCaseFolded();
            if (!words.contains(word))
                words << word;
            start = -1;
        }
    }
    return words;
}

RowLine ShownLine(QStringView line, const QStringList& words) {
    const std::vector<Span> places = WordPlaces(line, words);
    qsizetype lead = 0;
    while (lead < line.size() && line[lead].isSpace())
        ++lead;
    qsizetype tail = line.size();
    while (tail > lead && line[tail - 1].isSpace())
        --tail;
    qsizetype start = lead;
    const qsizetype first = places.empty() ? lead : places.front().Start;
    const bool cutStart = first - lead > CutBefore;
    if (cutStart)
        start = first - KeptBefore;
    const qsizetype end = std::min(tail, start + ShownLength);
    RowLine row;
    row.Text = (cutStart ? Ellipsis : QString()) + line.mid(start, end - start).toString() +
               (end < tail ? Ellipsis : QString());
    row.Text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    const int shift = int(start) - (cutStart ? int(Ellipsis.size()) : 0);
    const int shownEnd = int(end) - shift;
    for (const Span& place : places) {
        const int from = std::max(place.Start - shift, 0);
        const int to = std::min(place.Start + place.Length - shift, shownEnd);
        if (to > from)
            row.Highlights.push_back({from, to - from});
    }
    return row;
}

} // namespace LibrarySearch

// ---------------------------------------------------------------- the index

TLibraryIndex::TLibraryIndex(const QString& dataFolder, QObject* parent)
    : QObject(parent), FDataFolder(dataFolder) {
    for (const QString& category : EffectLibrary::Categories())
        FFolders << FDataFolder + category + QLatin1Char('/');
}

TLibraryIndex::~TLibraryIndex() {
    if (FBuilder) {
        FCancel = true;
        FBuilder->wait();
        delete FBuilder;
    }
}

void TLibraryIndex::Start() {
    if (FStarted)
        return;
    FStarted = true;
    ReadInBackground();
}

void TLibraryIndex::ReadInBackground() {
    FReady = false;
    // Watched before reading: whatever changes while the library is read is read again.
    WatchFolders();
    const QStringList folders = FFolders;
    FBuild = std::make_unique<Build>();
    Build* build = FBuild.get();
    FBuilder = QThread::create([folders, build, this] {
        std::vector<EffectFileRef> files;
        for (int category = 0; category < folders.size(); ++category)
            ListEffects(category, folders[category], files, build->Unreadable);
        build->Effects = ReadEffects(files, build->Unreadable, FCancel);
    });
    connect(FBuilder, &QThread::finished, this, &TLibraryIndex::BuildFinished);
    FBuilder->start();
}

void TLibraryIndex::BuildFinished() {
    FBuilder->wait();
    delete std::exchange(FBuilder, nullptr);
    FEffects = std::move(FBuild->Effects);
    FUnreadable = std::move(FBuild->Unreadable);
    FBuild.reset();
    FReady = true;
    emit Ready();
}

void TLibraryIndex::WatchFolders() {
    FWatch.Add(FDataFolder);
    for (const QString& folder : FFolders)
        if (Paths::DirectoryExists(folder))
            FWatch.Add(folder);
}

QStringList TLibraryIndex::Unreadable() const {
    QStringList names = FUnreadable;
    names.sort();
    return names;
}

int TLibraryIndex::CategoryOfFolder(const QString& folder) const {
    return int(FFolders.indexOf(folder));
}

void TLibraryIndex::TakeChanges() {
    bool lost = false;
    const std::vector<TFolderWatch::Change> changes = FWatch.TakeChanges(lost);
    QSet<int> categories;
    QSet<QPair<int, QString>> effects;
    for (const TFolderWatch::Change& change : changes) {
        if (change.Folder == FDataFolder) {
            const int category = int(EffectLibrary::Categories().indexOf(change.Name));
            if (category >= 0)
                categories.insert(category);
            else if (change.Name.isEmpty())
                lost = true; // the library folder itself went or came back
        } else if (const int category = CategoryOfFolder(change.Folder); category >= 0) {
            if (change.Name.isEmpty())
                categories.insert(category);
            else
                effects.insert({category, change.Name});
        }
    }
    if (lost) {
        // The whole library again, in the background as at the start.
        ReadInBackground();
        return;
    }
    for (int category : categories)
        RereadCategory(category);
    for (const auto& [category, name] : effects)
        if (!categories.contains(category))
            RereadEffect(category, name);
}

void TLibraryIndex::RemoveEffect(int position) {
    FEffects[size_t(position)] = std::move(FEffects.back());
    FEffects.pop_back();
}

void TLibraryIndex::RereadCategory(int category) {
    const QString& folder = FFolders[category];
    FWatch.Remove(folder);
    if (Paths::DirectoryExists(folder))
        FWatch.Add(folder);
    for (int i = int(FEffects.size()) - 1; i >= 0; --i)
        if (FEffects[size_t(i)].Category == category)
            RemoveEffect(i);
    const QString prefix = UnreadableName(category);
    FUnreadable.removeIf([&](const QString& name) {
        return name == prefix || name.startsWith(prefix + QLatin1Char('/'));
    });
    std::vector<EffectFileRef> files;
    ListEffects(category, folder, files, FUnreadable);
    std::atomic<bool> never{false};
    std::vector<IndexedEffect> read = ReadEffects(files, FUnreadable, never);
    std::move(read.begin(), read.end(), std::back_inserter(FEffects));
}

void TLibraryIndex::RereadEffect(int category, const QString& name) {
    const QString path = FFolders[category] + name;
    for (size_t i = 0; i < FEffects.size(); ++i)
        if (FEffects[i].Path == path) {
            RemoveEffect(int(i));
            break;
        }
    FUnreadable.removeAll(UnreadableName(category, name));
    if (!IsEffectName(name) || !Paths::FileExists(path))
        return;
    IndexedEffect effect;
    if (ReadEffect({category, name, path}, effect))
        FEffects.push_back(std::move(effect));
    else
        FUnreadable << UnreadableName(category, name);
}

Answer TLibraryIndex::Find(const QString& query, int limit) {
    Answer answer;
    if (!FReady)
        return answer;
    TakeChanges();
    const QStringList words = Words(query);
    if (!FReady || words.isEmpty())
        return answer;
    std::vector<Word> sought;
    for (const QString& word : words)
        sought.push_back(MakeWord(word));
    // The longest words first: they rule out most texts soonest.
    std::sort(sought.begin(), sought.end(),
              [](const Word& a, const Word& b) { return a.Bytes.size() > b.Bytes.size(); });

    struct Match {
        int Rank;
        const IndexedEffect* Effect;
    };
    std::vector<Match> matches;
    for (const IndexedEffect& effect : FEffects) {
        int inName = 0;
        bool all = true;
        for (const Word& word : sought) {
            if (Contains(effect.FoldedName, word.Bytes)) {
                ++inName;
                continue;
            }
            if (!MaySign(effect.Grams, word) || !Contains(effect.Folded, word.Bytes)) {
                all = false;
                break;
            }
        }
        if (all)
            matches.push_back({NameRank(inName, int(sought.size())), &effect});
    }
    answer.Total = int(matches.size());
    const auto shown = matches.begin() + std::min<qsizetype>(std::max(limit, 0), matches.size());
    std::partial_sort(matches.begin(), shown, matches.end(), [](const Match& a, const Match& b) {
        if (a.Rank != b.Rank)
            return a.Rank < b.Rank;
        if (a.Effect->Category != b.Effect->Category)
            return a.Effect->Category < b.Effect->Category;
        return a.Effect->Name.compare(b.Effect->Name, Qt::CaseInsensitive) < 0;
    });
    for (auto match = matches.begin(); match != shown; ++match) {
        const IndexedEffect& effect = *match->Effect;
        Result result;
        result.Category = EffectLibrary::Categories().at(effect.Category);
        result.Name = effect.Name;
        result.Path = effect.Path;
        result.NameMatches = match->Rank == 0;
        const QString text = TextEncoding::Decode(effect.Bytes, effect.Encoding);
        const FoundLine line = FirstMatchingLine(text, words);
        if (line.Number >= 0) {
            result.Line = line.Number;
            const std::vector<Span> places = WordPlaces(line.Text, words);
            if (!places.empty()) {
                result.Column = places.front().Start;
                // The first word itself, not the run of words joined with it.
                for (const QString& word : words)
                    if (line.Text.mid(result.Column).startsWith(word, Qt::CaseInsensitive))
                        result.HitLength = std::max(result.HitLength, int(word.size()));
            }
            const RowLine row = ShownLine(line.Text, words);
            result.LineText = row.Text;
            result.Highlights = row.Highlights;
        }
        answer.Results.push_back(std::move(result));
    }
    return answer;
}
