// A small library for the loading tests. Its counter starts at zero on every fresh
// load, so a test can tell an unloaded and reloaded library from a still-loaded one.

namespace {
int gCalls = 0;
}

extern "C" __attribute__((visibility("default"))) int ProbeCount() {
    return ++gCalls;
}
