#pragma once
// The start of an end-to-end test of the real program on the test desktop: without a display
// it ends as skipped (77); it checks its two arguments, the staged program folder and the
// output folder; the program it starts gets a home and XDG folders of its own below a fresh
// temporary root.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

// Returns the temporary root; ends the process when the test cannot run.
inline QString StartScreenSession(int argc, const char* program) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::puts("no DISPLAY: skipped");
        std::exit(77);
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER OUTPUT_FOLDER\n", program);
        std::exit(2);
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    const QString root =
        QDir::tempPath() + "/" + QString::fromLatin1(program) + "-" + QString::number(::getpid());
    QDir(root).removeRecursively();
    QDir().mkpath(root);
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_DATA_HOME"}) {
        const QString folder = root + "/" + QString::fromLatin1(name).toLower();
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv(name, folder.toUtf8());
    }
    return root;
}
