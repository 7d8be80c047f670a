#include "platform/DynLib.h"

#include "platform/Paths.h"

#include <QFile>
#include <dlfcn.h>

namespace DynLib {

namespace {

thread_local QString gLastError;

void RememberLoaderError() {
    const char* text = ::dlerror();
    gLastError = text ? QString::fromLocal8Bit(text) : QString();
}

// "plugins\zarvownl.dll" -> "plugins/libzarvownl.so"; other names keep their form.
QString LinuxLibraryName(const QString& fileName) {
    const QString folder = Paths::ExtractFilePath(fileName);
    const QString name = Paths::ExtractFileName(fileName);
    if (!name.endsWith(QLatin1String(".dll"), Qt::CaseInsensitive))
        return folder + name;
    QString base = name.chopped(4);
    if (!base.startsWith(QLatin1String("lib")))
        base.prepend(QLatin1String("lib"));
    return folder + base + QLatin1String(".so");
}

} // namespace

QStringList LibraryCandidates(const QString& fileName) {
    const QString native = Paths::ToNativeSeparators(fileName);
    if (native.isEmpty())
        return {};
    QStringList candidates{Paths::ResolveProgramPath(LinuxLibraryName(native))};
    if (!candidates.contains(native))
        candidates << native;
    return candidates;
}

HMODULE LoadLibrary(const QString& fileName) {
    const QStringList candidates = LibraryCandidates(fileName);
    QString firstError;
    for (const QString& candidate : candidates) {
        if (void* module = ::dlopen(QFile::encodeName(candidate).constData(), RTLD_NOW)) {
            gLastError.clear();
            return module;
        }
        RememberLoaderError();
        // A library that exists in the program folder but fails to load is the
        // interesting failure, not the later "not found" of the fallback.
        if (firstError.isEmpty() && Paths::FileExists(candidate))
            firstError = gLastError;
    }
    if (candidates.isEmpty())
        gLastError = QStringLiteral("No library name given");
    else if (!firstError.isEmpty())
        gLastError = firstError;
    return nullptr;
}

void* GetProcAddress(HMODULE module, const char* name) {
    if (!module || !name)
        return nullptr;
    ::dlerror();
    void* symbol = ::dlsym(module, name);
    if (!symbol)
        RememberLoaderError();
    return symbol;
}

void* ModuleEntry(const QString& fileName, const char* name) {
    HMODULE module = LoadLibrary(fileName);
    return module ? GetProcAddress(module, name) : nullptr;
}

bool FreeLibrary(HMODULE module) {
    if (!module)
        return false;
    if (::dlclose(module) != 0) {
        RememberLoaderError();
        return false;
    }
    return true;
}

QString LastErrorText() {
    return gLastError;
}

} // namespace DynLib
