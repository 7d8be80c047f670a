#pragma once
// Shared pieces of the fuzz targets.

#include "platform/Errors.h"

#include <QString>
#include <cstdio>
#include <cstdlib>

class TbsSkinRecord;
class TbsSkinData;

namespace Fuzz {

// Creates the Qt application object the framework expects, once per process.
void InitQt(int* argc, char*** argv);

// Runs `body`; the framework's exceptions are what bad input is meant to give.
template <class F> void ExpectingErrors(F&& body) {
    try {
        body();
    } catch (const Exception&) {
    }
}

// Stops the run with a message: a broken invariant is a finding like a crash.
[[noreturn]] inline void Fail(const QString& message) {
    std::fprintf(stderr, "invariant broken: %s\n", message.toUtf8().constData());
    std::abort();
}

// Every record of a loaded skin, written back with SaveToIni and read again into a new
// record of its class, holds what it held (values the ini reader itself changes, quoted
// ones, aside).
void CheckRecordsRoundTrip(TbsSkinData& skin);

} // namespace Fuzz
