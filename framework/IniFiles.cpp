#include "framework/IniFiles.h"

#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "framework/Strings.h"
#include "framework/SysUtils.h"
#include "platform/Gbk.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <vector>

namespace {

// The form names are compared in. A name that is already in that form is shared, not copied.
QString Folded(const QString& name) {
    return Trim(name).toCaseFolded();
}

// "[name]" with optional blanks around; a header without "]" runs to the line's end.
bool ParseSectionHeader(const QString& line, QString& name) {
    const QStringView text = TrimmedView(line);
    if (!text.startsWith(u'['))
        return false;
    qsizetype close = text.indexOf(u']', 1);
    name = TrimmedView(text.mid(1, close < 0 ? -1 : close - 1)).toString();
    return true;
}

// The key of a "key=value" line, as a view of the line: the trimmed text before the first
// "="; empty for a line that is no key line (a comment, one without "=", an empty key).
QStringView KeyOf(const QString& line) {
    const QStringView text = TrimmedView(line);
    if (text.isEmpty() || text[0] == u';')
        return {};
    const qsizetype eq = text.indexOf(u'=');
    return eq < 0 ? QStringView() : TrimmedView(text.left(eq));
}

bool ParseKey(const QString& line, QString& key) {
    const QStringView view = KeyOf(line);
    key = view.toString();
    return !view.isEmpty();
}

// The value of a key line: trimmed, and without one pair of matching surrounding quotes.
QString ParseValue(const QString& line) {
    QStringView value = TrimmedView(QStringView(line).mid(line.indexOf(u'=') + 1));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.toString();
}

bool HasLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

void CheckSectionName(const QString& section) {
    QString name = Trim(section);
    if (name.isEmpty() || HasLineBreak(name) || name.contains(u']'))
        throw EIniFileException(QStringLiteral("Invalid ini section name \"%1\"").arg(section));
}

void CheckKeyName(const QString& ident) {
    QString name = Trim(ident);
    if (name.isEmpty() || HasLineBreak(name) || name.contains(u'=') || name.startsWith(u'[') ||
        name.startsWith(u';'))
        throw EIniFileException(QStringLiteral("Invalid ini key name \"%1\"").arg(ident));
}

void CheckValue(const QString& value) {
    if (HasLineBreak(value))
        throw EIniFileException(QStringLiteral("Invalid ini value \"%1\"").arg(value));
}

// The bytes of one line as read, its line break included; empty for a line made here, which
// is written as its text in GBK with the file's line break.
using TRawLine = QByteArray;

// The length of the break at the end of a raw line ("\r\n", "\n", "\r" or none).
qsizetype BreakLength(const QByteArray& raw) {
    if (raw.endsWith("\r\n"))
        return 2;
    return raw.endsWith('\n') || raw.endsWith('\r') ? 1 : 0;
}

// The whole file; errors raise EFOpenError as reading a string list does.
QByteArray ReadFileBytes(const QString& fileName) {
    TFileStream file(fileName, TFileMode::fmOpenRead);
    const int64_t size = file.Size();
    QByteArray bytes;
    if (size > 0) {
        bytes.resize(qsizetype(size));
        bytes.resize(qsizetype(std::max<int64_t>(file.Read(bytes.data(), size), 0)));
    }
    return bytes;
}

} // namespace

// The lines of an ini file, grouped by section, with indexes for lookups. Each line keeps
// the bytes it was read as, so rewriting the file changes only the bytes of the lines that
// were edited: a line that is not valid GBK, or has another line break, comes back as it was.
class TIniDocument {
public:
    void SetLines(const QStringList& lines);
    // Splits at CR, LF or CR LF like a string list, keeping every line's bytes.
    void SetBytes(const QByteArray& bytes);
    QStringList Lines() const;
    QByteArray Bytes() const;
    void Clear() { SetLines(QStringList()); }

    bool Read(const QString& section, const QString& key, QString& value) const;
    bool Write(const QString& section, const QString& key, const QString& value);
    bool DeleteKey(const QString& section, const QString& key);
    bool EraseSection(const QString& section);
    QStringList SectionNames() const;
    // The first line of every key of the section, in order.
    QList<int> KeyLines(const QString& section, QStringList* keys) const;
    QString ValueAt(const QString& section, int line) const;

private:
    struct Section {
        QString header; // the header line as written; empty for the lines before any section
        QString name;
        QStringList lines;        // the lines after the header, up to the next one
        QHash<QString, int> keys; // folded key -> line of its first occurrence
        TRawLine headerRaw;
        QList<TRawLine> raws; // one per line
        void Reindex();
        int InsertPosition() const;
    };
    const Section* Find(const QString& section) const;
    Section* Find(const QString& section);
    void ReindexSections();
    int IndexOf(const QString& section) const;

    std::vector<Section> FSections{Section{}}; // [0]: the lines before the first header
    QByteArray FBytes;                         // the file the raw lines of SetBytes are views of
    QByteArray FBreak = "\r\n";        // for new lines: the file's first line break, else CR LF
    QHash<QString, int> FSectionIndex; // folded name -> first section of that name
    mutable QString FLastAsked;        // the name the section at FLastFound was asked by
    mutable int FLastFound = -1;
};

void TIniDocument::Section::Reindex() {
    keys.clear();
    keys.reserve(lines.size());
    // Backwards, so that the first occurrence of a key is the one that stays.
    for (int i = lines.size() - 1; i >= 0; --i) {
        const QStringView key = KeyOf(lines[i]);
        if (!key.isEmpty())
            keys.insert(key.toString().toCaseFolded(), i);
    }
}

// After the last line that is neither blank nor a comment, so that the blank lines and
// comments that lead into the next section stay in front of it.
int TIniDocument::Section::InsertPosition() const {
    for (int i = lines.size() - 1; i >= 0; --i) {
        QString text = Trim(lines[i]);
        if (!text.isEmpty() && text[0] != u';')
            return i + 1;
    }
    return 0;
}

void TIniDocument::SetLines(const QStringList& lines) {
    FSections.assign(1, Section{});
    FBytes.clear();
    FBreak = "\r\n";
    QString name;
    for (const QString& line : lines) {
        if (ParseSectionHeader(line, name)) {
            FSections.push_back(Section{line, name, {}, {}, {}, {}});
        } else {
            FSections.back().lines.append(line);
            FSections.back().raws.append(TRawLine());
        }
    }
    for (Section& section : FSections)
        section.Reindex();
    ReindexSections();
}

void TIniDocument::SetBytes(const QByteArray& bytes) {
    FSections.assign(1, Section{});
    // The lines' bytes are views of one copy of the file, not a copy each.
    FBytes = QByteArray(bytes.constData(), bytes.size());
    FBreak = "\r\n";
    bool breakSeen = false;
    QString name;
    const qsizetype n = bytes.size();
    qsizetype start = 0;
    while (start < n) {
        qsizetype end = start;
        while (end < n && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const qsizetype content = end - start;
        if (end < n)
            end += bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n' ? 2 : 1;
        const TRawLine raw = QByteArray::fromRawData(FBytes.constData() + start, end - start);
        if (!breakSeen && end > start + content) {
            FBreak = raw.right(end - start - content);
            breakSeen = true;
        }
        const QString line = Gbk::Decode(bytes.constData() + start, content);
        if (ParseSectionHeader(line, name)) {
            FSections.push_back(Section{line, name, {}, {}, raw, {}});
        } else {
            FSections.back().lines.append(line);
            FSections.back().raws.append(raw);
        }
        start = end;
    }
    for (Section& section : FSections)
        section.Reindex();
    ReindexSections();
}

QByteArray TIniDocument::Bytes() const {
    QByteArray bytes;
    auto append = [&](const QString& text, const TRawLine& raw) {
        // A line that ended the file without a break gets one when lines follow it.
        if (!bytes.isEmpty() && BreakLength(bytes.right(2)) == 0)
            bytes += FBreak;
        if (raw.isEmpty())
            bytes += Gbk::Encode(text) + FBreak;
        else
            bytes += raw;
    };
    for (const Section& section : FSections) {
        if (&section != &FSections.front())
            append(section.header, section.headerRaw);
        for (int i = 0; i < section.lines.size(); ++i)
            append(section.lines[i], section.raws[i]);
    }
    return bytes;
}

void TIniDocument::ReindexSections() {
    FLastFound = -1;
    FSectionIndex.clear();
    for (int i = int(FSections.size()) - 1; i >= 1; --i)
        FSectionIndex.insert(FSections[i].name.toCaseFolded(), i);
}

QStringList TIniDocument::Lines() const {
    QStringList lines;
    for (const Section& section : FSections) {
        if (&section != &FSections.front())
            lines.append(section.header);
        lines.append(section.lines);
    }
    return lines;
}

const TIniDocument::Section* TIniDocument::Find(const QString& section) const {
    const int index = IndexOf(section);
    return index < 0 ? nullptr : &FSections[size_t(index)];
}

TIniDocument::Section* TIniDocument::Find(const QString& section) {
    const int index = IndexOf(section);
    return index < 0 ? nullptr : &FSections[size_t(index)];
}

// Readers ask for the keys of one section after another: the last section found is
// remembered by the name it was asked by.
int TIniDocument::IndexOf(const QString& section) const {
    if (FLastFound >= 0 && section == FLastAsked)
        return FLastFound;
    auto it = FSectionIndex.constFind(Folded(section));
    if (it == FSectionIndex.constEnd())
        return -1;
    FLastAsked = section;
    FLastFound = *it;
    return *it;
}

bool TIniDocument::Read(const QString& section, const QString& key, QString& value) const {
    const Section* s = Find(section);
    if (!s)
        return false;
    auto it = s->keys.constFind(Folded(key));
    if (it == s->keys.constEnd())
        return false;
    value = ParseValue(s->lines[*it]);
    return true;
}

bool TIniDocument::Write(const QString& section, const QString& key, const QString& value) {
    Section* s = Find(section);
    if (!s) {
        QString name = Trim(section);
        FSections.push_back(
            Section{u'[' + name + u']', name, {Trim(key) + u'=' + value}, {}, {}, {TRawLine()}});
        FSections.back().Reindex();
        FSectionIndex.insert(name.toCaseFolded(), int(FSections.size()) - 1);
        return true;
    }
    auto it = s->keys.constFind(Folded(key));
    if (it != s->keys.constEnd()) {
        QString& line = s->lines[*it];
        QString stored;
        ParseKey(line, stored);
        QString updated = stored + u'=' + value;
        if (line == updated)
            return false;
        line = updated;
        // The edited line keeps its own line break.
        TRawLine& raw = s->raws[*it];
        if (!raw.isEmpty() && BreakLength(raw) > 0)
            raw = Gbk::Encode(updated) + raw.right(BreakLength(raw));
        else
            raw = TRawLine();
        return true;
    }
    int position = s->InsertPosition();
    s->lines.insert(position, Trim(key) + u'=' + value);
    s->raws.insert(position, TRawLine());
    s->Reindex();
    return true;
}

bool TIniDocument::DeleteKey(const QString& section, const QString& key) {
    Section* s = Find(section);
    if (!s)
        return false;
    QString wanted = Folded(key);
    QString name;
    qsizetype removed = 0;
    for (qsizetype i = s->lines.size() - 1; i >= 0; --i) {
        if (ParseKey(s->lines[i], name) && name.toCaseFolded() == wanted) {
            s->lines.removeAt(i);
            s->raws.removeAt(i);
            ++removed;
        }
    }
    if (removed == 0)
        return false;
    s->Reindex();
    return true;
}

bool TIniDocument::EraseSection(const QString& section) {
    if (!Find(section))
        return false;
    QString wanted = Folded(section);
    for (auto it = FSections.begin() + 1; it != FSections.end();)
        it = it->name.toCaseFolded() == wanted ? FSections.erase(it) : it + 1;
    ReindexSections();
    return true;
}

QStringList TIniDocument::SectionNames() const {
    QStringList names;
    for (int i = 1; i < int(FSections.size()); ++i)
        if (FSectionIndex.value(FSections[i].name.toCaseFolded()) == i)
            names.append(FSections[i].name);
    return names;
}

QList<int> TIniDocument::KeyLines(const QString& section, QStringList* keys) const {
    QList<int> result;
    const Section* s = Find(section);
    if (!s)
        return result;
    QString key;
    for (int i = 0; i < s->lines.size(); ++i) {
        if (ParseKey(s->lines[i], key) && s->keys.value(key.toCaseFolded()) == i) {
            result.append(i);
            if (keys)
                keys->append(key);
        }
    }
    return result;
}

QString TIniDocument::ValueAt(const QString& section, int line) const {
    const Section* s = Find(section);
    return s ? ParseValue(s->lines[line]) : QString();
}

// ---- TCustomIniFile

TCustomIniFile::TCustomIniFile(const QString& fileName) : FFileName(fileName) {}

TCustomIniFile::~TCustomIniFile() = default;

QString TCustomIniFile::ReadString(const QString& section, const QString& ident,
                                   const QString& defaultValue) const {
    QString value;
    return Document().Read(section, ident, value) ? value : defaultValue;
}

void TCustomIniFile::WriteString(const QString& section, const QString& ident,
                                 const QString& value) {
    CheckSectionName(section);
    CheckKeyName(ident);
    CheckValue(value);
    Change([&](TIniDocument& doc) { return doc.Write(section, ident, value); });
}

int TCustomIniFile::ReadInteger(const QString& section, const QString& ident,
                                int defaultValue) const {
    return StrToIntDef(ReadString(section, ident, QString()), defaultValue);
}

void TCustomIniFile::WriteInteger(const QString& section, const QString& ident, int value) {
    WriteString(section, ident, IntToStr(value));
}

bool TCustomIniFile::ReadBool(const QString& section, const QString& ident,
                              bool defaultValue) const {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const QString& section, const QString& ident, bool value) {
    WriteString(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TCustomIniFile::ReadSection(const QString& section, TStrings& keys) const {
    QStringList names;
    Document().KeyLines(section, &names);
    keys.BeginUpdate();
    keys.Clear();
    keys.AddStrings(names);
    keys.EndUpdate();
}

void TCustomIniFile::ReadSections(TStrings& sections) const {
    QStringList names = Document().SectionNames();
    sections.BeginUpdate();
    sections.Clear();
    sections.AddStrings(names);
    sections.EndUpdate();
}

void TCustomIniFile::ReadSectionValues(const QString& section, TStrings& values) const {
    const TIniDocument& doc = Document();
    QStringList names;
    QList<int> lines = doc.KeyLines(section, &names);
    QStringList result;
    for (int i = 0; i < lines.size(); ++i)
        result.append(names[i] + u'=' + doc.ValueAt(section, lines[i]));
    values.BeginUpdate();
    values.Clear();
    values.AddStrings(result);
    values.EndUpdate();
}

bool TCustomIniFile::SectionExists(const QString& section) const {
    return !Document().KeyLines(section, nullptr).isEmpty();
}

bool TCustomIniFile::ValueExists(const QString& section, const QString& ident) const {
    QString value;
    return Document().Read(section, ident, value);
}

void TCustomIniFile::EraseSection(const QString& section) {
    Change([&](TIniDocument& doc) { return doc.EraseSection(section); });
}

void TCustomIniFile::DeleteKey(const QString& section, const QString& ident) {
    Change([&](TIniDocument& doc) { return doc.DeleteKey(section, ident); });
}

// ---- TIniFile

TIniFile::TIniFile(const QString& fileName)
    : TCustomIniFile(fileName), FDocument(std::make_unique<TIniDocument>()) {}

TIniFile::~TIniFile() = default;

TIniFile::FileStamp TIniFile::CurrentStamp() const {
    struct stat st {};
    if (::stat(QFile::encodeName(FileName()).constData(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR || FileName().isEmpty())
            return FileStamp{};
        throw EFOpenError(FileName(), SysErrorMessage(errno));
    }
    return FileStamp{true,
                     quint64(st.st_dev),
                     quint64(st.st_ino),
                     qint64(st.st_size),
                     qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                     qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

void TIniFile::Refresh() const {
    FileStamp stamp = CurrentStamp();
    if (FLoaded && stamp == FStamp)
        return;
    FLoaded = false;
    if (stamp.exists) {
        FDocument->SetBytes(ReadFileBytes(FileName()));
    } else {
        FDocument->Clear();
    }
    FStamp = stamp;
    FLoaded = true;
}

const TIniDocument& TIniFile::Document() const {
    Refresh();
    return *FDocument;
}

void TIniFile::Change(const std::function<bool(TIniDocument&)>& edit) {
    Refresh();
    if (!edit(*FDocument))
        return;
    // Whatever happens next, the next access rereads the file.
    FLoaded = false;
    WriteFileAtomic(FileName(), FDocument->Bytes());
    FStamp = CurrentStamp();
    FLoaded = true;
}

// ---- TMemIniFile

TMemIniFile::TMemIniFile(const QString& fileName)
    : TCustomIniFile(fileName), FDocument(std::make_unique<TIniDocument>()) {
    if (!fileName.isEmpty() && QFile::exists(fileName))
        FDocument->SetBytes(ReadFileBytes(fileName));
}

TMemIniFile::TMemIniFile(const TStrings& lines) : TMemIniFile(QString()) {
    SetStrings(lines);
}

TMemIniFile::TMemIniFile(const QStringList& lines) : TMemIniFile(QString()) {
    FDocument->SetLines(lines);
}

TMemIniFile::~TMemIniFile() = default;

void TMemIniFile::GetStrings(TStrings& lines) const {
    QStringList all = FDocument->Lines();
    lines.BeginUpdate();
    lines.Clear();
    lines.AddStrings(all);
    lines.EndUpdate();
}

void TMemIniFile::SetStrings(const TStrings& lines) {
    FDocument->SetLines(lines.ToStringList());
}

QStringList TMemIniFile::Lines() const {
    return FDocument->Lines();
}

void TMemIniFile::Clear() {
    FDocument->Clear();
}

void TMemIniFile::UpdateFile() {
    if (!FileName().isEmpty())
        WriteFileAtomic(FileName(), FDocument->Bytes());
}

const TIniDocument& TMemIniFile::Document() const {
    return *FDocument;
}

void TMemIniFile::Change(const std::function<bool(TIniDocument&)>& edit) {
    edit(*FDocument);
}
