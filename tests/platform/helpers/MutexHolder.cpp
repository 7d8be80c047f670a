// Creates the named mutex given as the first argument, reports "owned", "exists" or
// "error <n>" on a line of its own, then holds it until its input ends or it is killed.

#include "platform/NamedMutex.h"

#include <QString>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    const auto mutex = CreateNamedMutex(QString::fromUtf8(argv[1]));
    if (mutex->Owned())
        std::printf("owned\n");
    else if (mutex->AlreadyExists())
        std::printf("exists\n");
    else
        std::printf("error %d\n", mutex->LastError());
    std::fflush(stdout);
    char buffer[64];
    while (::read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
    }
    return 0;
}
