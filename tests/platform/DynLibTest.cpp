#include "platform/DynLib.h"
#include "platform/Paths.h"

#include <QCoreApplication>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {
using ProbeCount = int (*)();

QString HelperFolder() {
    const QString folder = qEnvironmentVariable("ZARVO_TEST_HELPERS");
    return folder.isEmpty() ? QCoreApplication::applicationDirPath() : folder;
}

int CallProbe(HMODULE module) {
    auto probe = reinterpret_cast<ProbeCount>(DynLib::GetProcAddress(module, "ProbeCount"));
    return probe ? probe() : -1;
}
} // namespace

TEST(DynLib, MapsWindowsNamesToTheProgramFolderFirst) {
    Paths::SetProgramFolder("/opt/zarvo");
    EXPECT_EQ(DynLib::LibraryCandidates("zarvownl.dll"),
              QStringList({"/opt/zarvo/libzarvownl.so", "zarvownl.dll"}));
    EXPECT_EQ(DynLib::LibraryCandidates("plugins\\Calendar.DLL"),
              QStringList({"/opt/zarvo/plugins/libCalendar.so", "plugins/Calendar.DLL"}));
    EXPECT_EQ(DynLib::LibraryCandidates("/usr/lib/libz.so"), QStringList({"/usr/lib/libz.so"}));
    Paths::SetProgramFolder(QString());
}

TEST(DynLib, LoadsLooksUpAndUnloadsTwice) {
    Paths::SetProgramFolder(HelperFolder());
    const QByteArray path = (HelperFolder() + "/libzarvoprobe.so").toUtf8();

    HMODULE first = DynLib::LoadLibrary("zarvoprobe.dll");
    ASSERT_NE(first, nullptr) << DynLib::LastErrorText().toStdString();
    EXPECT_EQ(CallProbe(first), 1);
    HMODULE second = DynLib::LoadLibrary("zarvoprobe.dll");
    EXPECT_EQ(second, first);
    EXPECT_EQ(CallProbe(second), 2);
    EXPECT_EQ(DynLib::GetProcAddress(first, "NoSuchExport"), nullptr);
    EXPECT_FALSE(DynLib::LastErrorText().isEmpty());
    EXPECT_TRUE(DynLib::FreeLibrary(second));
    EXPECT_TRUE(DynLib::FreeLibrary(first));
    EXPECT_EQ(::dlopen(path.constData(), RTLD_NOW | RTLD_NOLOAD), nullptr);

    // Loaded afresh, the library starts from its initial state again.
    HMODULE again = DynLib::LoadLibrary("zarvoprobe.dll");
    EXPECT_EQ(CallProbe(again), 1);
    EXPECT_TRUE(DynLib::FreeLibrary(again));

    EXPECT_EQ(DynLib::LoadLibrary("zarvo-missing.dll"), nullptr);
    EXPECT_FALSE(DynLib::LastErrorText().isEmpty());
    EXPECT_FALSE(DynLib::FreeLibrary(nullptr));
    EXPECT_EQ(DynLib::GetProcAddress(nullptr, "ProbeCount"), nullptr);
    Paths::SetProgramFolder(QString());
}

TEST(DynLib, ModuleEntryFindsTheExportOrSaysWhyNot) {
    Paths::SetProgramFolder(HelperFolder());
    auto probe = reinterpret_cast<ProbeCount>(DynLib::ModuleEntry("zarvoprobe.dll", "ProbeCount"));
    ASSERT_NE(probe, nullptr) << DynLib::LastErrorText().toStdString();
    EXPECT_GE(probe(), 1);
    EXPECT_EQ(DynLib::ModuleEntry("zarvoprobe.dll", "NoSuchExport"), nullptr);
    EXPECT_TRUE(DynLib::LastErrorText().contains("NoSuchExport"));
    EXPECT_EQ(DynLib::ModuleEntry("zarvonothing.dll", "ProbeCount"), nullptr);
    EXPECT_FALSE(DynLib::LastErrorText().isEmpty());
    Paths::SetProgramFolder(QString());
}
