#pragma once
// The effect library on disk: fifteen fixed categories, each a folder inside "data" of the
// program folder, each effect one extension-less text file named by the effect. These are the
// rules the main window and the add-effect dialog apply before they touch a file; the files
// themselves are read and written through the framework's string lists (GBK, CR LF).

#include <QString>
#include <QStringList>

namespace EffectLibrary {

// The fifteen category names in the order of the category boxes. Not sorted.
const QStringList& Categories();

// The prompt the category boxes start with; it is not a category.
QString CategoryPrompt();

// True when `text` equals one of the category names exactly (case and all).
bool IsCategory(const QString& text);

// True when `text` is the beginning of at least one category name (the empty text is).
bool IsCategoryPrefix(const QString& text);

// Decides, for the category box, when a typed text is listed and when it is refused. Typing a
// name passes through texts that are only its beginning; those are neither listed nor refused,
// so a user can type (or an input method commit) a name at any speed. A text that begins no
// category is refused once, at the change that made it so; Enter refuses a wrong text again,
// and leaving the box refuses one not yet refused. The prompt and the empty text are no entry.
class CategoryEntry {
public:
    enum class Verdict { List, Wait, Refuse };
    // The box's text changed (typed, pasted, committed or picked).
    Verdict TextChanged(const QString& text);
    // The user pressed Enter in the box.
    Verdict EnterPressed(const QString& text);
    // The focus left the box.
    Verdict Left(const QString& text);

private:
    bool FRefused = false; // the current wrong entry has been refused
};

// "<program folder>data/": the library, one folder per category.
QString DataFolder();
// "<program folder>data/<category>/": the folder a category lists. The name is not checked.
QString CategoryFolder(const QString& category);

// A category or effect name that stays inside the library: not empty, no path separator
// ("/" or "\"), not "." or "..", no leading dot (hidden files are never listed), no control
// characters. Names from the user go through this before a path is built from them.
bool IsSafeName(const QString& name);

// The effects that cannot be deleted (the program's own pages), matched exactly.
bool IsProtectedEffect(const QString& name);

// The effect name the user typed without the white space at both ends: what is checked,
// compared with the existing effects and written.
QString TrimmedEffectName(const QString& typed);

// The first check of the add-effect dialog that fails, as the message it shows, or an empty
// string when all pass: the prompt still shown, a trimmed name shorter than two bytes in the
// ANSI code page (one Chinese character passes, one Latin letter or blanks alone do not), a
// memo without any line.
QString AddEffectProblem(const QString& categoryText, const QString& name, int codeLineCount);

// The path an effect of `name` in `category` is written to. Raises EFCreateError ("Cannot
// create file") for a category or name that would leave the library, or a category folder that
// is a link to a place outside the program folder, before anything is written.
QString NewEffectPath(const QString& category, const QString& name);

// The question asked before an existing effect is replaced, and before a saved page replaces
// an existing file; the message refusing a file that is read-only.
QString ReplaceEffectQuestion(const QString& category, const QString& name);
QString ReplaceFileQuestion(const QString& path);
QString ReadOnlyFileMessage(const QString& path);
// Where `path` really leads when that place lies outside the program folder, through a
// symbolic link of the file itself or of a folder on the way; empty when it stays inside (or
// leads nowhere, which the file operation then reports).
QString OutsideTarget(const QString& path);
// Raises EFCreateError ("Cannot create file") when the folder `path` is written into leads
// outside the program folder (a link of that folder or of one above it).
void CheckFolderInside(const QString& path);
// What opening an effect named `name` that leads to `target` outside the library says.
QString OutsideLinkMessage(const QString& name, const QString& target);

// A saved page always gets ".htm" appended, also when the chosen name already ends in it.
QString SavedPagePath(const QString& chosenPath);

// The message shown after an effect was deleted.
QString DeletedMessage(const QString& name);

} // namespace EffectLibrary
