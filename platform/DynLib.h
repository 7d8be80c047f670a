#pragma once
// Loading shared libraries by their Windows file name: "zarvownl.dll" is looked for
// as "libzarvownl.so" in the program folder first, then the name as given goes to
// the system loader. Loads are counted: every LoadLibrary needs its FreeLibrary.

#include <QString>
#include <QStringList>

using HMODULE = void*;

namespace DynLib {

// The paths LoadLibrary tries, in order.
QStringList LibraryCandidates(const QString& fileName);

// nullptr when no candidate loads; LastErrorText() then says why.
HMODULE LoadLibrary(const QString& fileName);
// nullptr when the library has no such export (or `module` is null).
void* GetProcAddress(HMODULE module, const char* name);
// Loads the library for the rest of the run and looks up its export `name`: a module's
// entry point. nullptr when either fails; LastErrorText() then says why.
void* ModuleEntry(const QString& fileName, const char* name);
// Drops one load of the library; false for a null module or a failed unload.
bool FreeLibrary(HMODULE module);
// The loader's text for the last failure of this thread.
QString LastErrorText();

} // namespace DynLib
