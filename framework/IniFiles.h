#pragma once
// Ini files with the platform's private-profile rules.
//
// Format: "[section]" lines and "key=value" lines; lines whose first non-blank character
// is ";" are comments. Section and key names match without regard to case and surrounding
// blanks. A value is read with its surrounding blanks removed and, when it is enclosed in
// one pair of matching quotes (" or '), without them. Lines that are not understood,
// comments and blank lines are kept as they are when the file is written back; the order
// of sections and keys never changes. A new key goes after the last key of its section, a
// new section at the end of the file.
//
// Duplicates: only the first section of a name is seen, and within it the first line of a
// key; writes go to that line. DeleteKey removes every line of the key in that section and
// EraseSection removes every section of the name, so a deleted entry does not come back
// from a duplicate.
//
// TIniFile works on the file itself: every read sees the file as it is now (a change by
// anyone else is picked up), every write reaches the file at once, saved atomically. A
// missing file reads as empty and is created by the first write; an existing file that
// cannot be read raises EFOpenError rather than being taken as empty and overwritten.
// Each write flushes the file to disk, so code that writes many keys at once should use
// TMemIniFile and UpdateFile instead.
// TMemIniFile holds the lines in memory (read from a file or given as lines); its writes
// stay in memory until UpdateFile. Both read and write GBK text.

#include "platform/Errors.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class TStrings;
class TIniDocument;

// A section name, key or value that cannot be stored in an ini file (a line break, a
// "]" in a section name, a "=" in a key, an empty name).
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

class TCustomIniFile {
public:
    explicit TCustomIniFile(const QString& fileName);
    virtual ~TCustomIniFile();
    TCustomIniFile(const TCustomIniFile&) = delete;
    TCustomIniFile& operator=(const TCustomIniFile&) = delete;

    const QString& FileName() const { return FFileName; }

    // The value, or `defaultValue` when the key is absent (a key with an empty value
    // reads as empty).
    QString ReadString(const QString& section, const QString& ident,
                       const QString& defaultValue) const;
    void WriteString(const QString& section, const QString& ident, const QString& value);
    // The value as an integer (decimal, "0x"/"$" hex, see StrToIntDef); `defaultValue`
    // when the key is absent or the value is not a valid 32-bit integer.
    int ReadInteger(const QString& section, const QString& ident, int defaultValue) const;
    void WriteInteger(const QString& section, const QString& ident, int value);
    // True when the value reads as a non-zero integer, false when it is zero;
    // `defaultValue` when the key is absent or the value is not an integer.
    bool ReadBool(const QString& section, const QString& ident, bool defaultValue) const;
    // Writes "1" or "0".
    void WriteBool(const QString& section, const QString& ident, bool value);

    // The keys of the section, in file order (the list is cleared first).
    void ReadSection(const QString& section, TStrings& keys) const;
    // The section names, in file order, each once.
    void ReadSections(TStrings& sections) const;
    // The section's "key=value" lines with the values as ReadString gives them.
    void ReadSectionValues(const QString& section, TStrings& values) const;
    // A section counts as present only when it holds at least one key.
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& ident) const;

    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& ident);
    // Makes sure the file holds every change made so far.
    virtual void UpdateFile() = 0;

protected:
    // The content to read from.
    virtual const TIniDocument& Document() const = 0;
    // Applies an edit; `edit` answers whether it changed anything.
    virtual void Change(const std::function<bool(TIniDocument&)>& edit) = 0;

private:
    QString FFileName;
};

class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(const QString& fileName);
    ~TIniFile() override;

    // Every write already reached the file; nothing to do.
    void UpdateFile() override {}

protected:
    const TIniDocument& Document() const override;
    void Change(const std::function<bool(TIniDocument&)>& edit) override;

private:
    struct FileStamp {
        bool exists = false;
        quint64 device = 0, inode = 0;
        qint64 size = 0, modified = 0, changed = 0;
        bool operator==(const FileStamp&) const = default;
    };
    FileStamp CurrentStamp() const;
    // Rereads the file when it changed since it was last read.
    void Refresh() const;

    mutable std::unique_ptr<TIniDocument> FDocument;
    mutable FileStamp FStamp;
    mutable bool FLoaded = false;
};

class TMemIniFile : public TCustomIniFile {
public:
    // Reads the file when it exists (EFOpenError when it exists but cannot be read);
    // an empty name gives an empty ini without a file.
    explicit TMemIniFile(const QString& fileName = QString());
    // An ini over the given lines, without a file.
    explicit TMemIniFile(const TStrings& lines);
    explicit TMemIniFile(const QStringList& lines);
    ~TMemIniFile() override;

    void GetStrings(TStrings& lines) const;
    void SetStrings(const TStrings& lines);
    QStringList Lines() const;
    void Clear();
    // Saves the lines to the file (atomically) when the ini has a file name.
    void UpdateFile() override;

protected:
    const TIniDocument& Document() const override;
    void Change(const std::function<bool(TIniDocument&)>& edit) override;

private:
    std::unique_ptr<TIniDocument> FDocument;
};
