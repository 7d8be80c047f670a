#pragma once
// The start of an end-to-end test of the real program on the test desktop: without a display
// it ends as skipped (77); it checks its two arguments, the staged program folder and the
// output folder; the program it starts gets a home and XDG folders of its own below a fresh
// temporary root.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <functional>
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

// Copies `files` of the staged program folder, its skins and pictures into `folder`, with an
// empty preview folder; returns what could not be copied, or an empty string.
inline QString CopyStagedProgram(const QString& staged, const QString& folder,
                                 const QStringList& files) {
    QDir().mkpath(folder + "/zarvotemp");
    for (const QString& name : files)
        if (!QFile::copy(staged + "/" + name, folder + "/" + name))
            return name;
    for (const QString& pictures : {QStringLiteral("skins"), QStringLiteral("images")})
        if (QProcess::execute(QStringLiteral("cp"),
                              {"-r", staged + "/" + pictures, folder + "/"}) != 0)
            return pictures;
    return QString();
}

// Turns the test's own event loop for `ms` (the clipboard answers through it).
inline void Pump(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

// Asks `done` every 50 ms, turning the event loop in between; false after `ms`.
inline bool WaitFor(const std::function<bool()>& done, int ms = 10000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms)
            return false;
        Pump(50);
    }
    return true;
}
