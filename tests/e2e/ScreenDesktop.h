#pragma once
// Looking at the test desktop from an end-to-end test: xdotool's answers, a shown window by
// its title and its place, the main window's client coordinates, colours that match, and the
// program's start and end.

#include "ScreenSession.h"

#include <QPoint>
#include <QProcess>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <QThread>
#include <cstdlib>

// Runs xdotool and returns what it printed, trimmed.
inline QString Xdotool(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral("xdotool"), args);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// The last shown window whose title is exactly `title`; empty when none is.
inline QString WindowNamed(const QString& title) {
    return Xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"}).section(u'\n', -1);
}

// A window's place on the screen, frame included.
struct Place {
    int x = 0, y = 0, width = 0, height = 0;
};

inline Place Geometry(const QString& id) {
    Place p;
    for (const QString& line : Xdotool({"getwindowgeometry", "--shell", id}).split(u'\n')) {
        const int value = line.section(u'=', 1).toInt();
        if (line.startsWith("X="))
            p.x = value;
        else if (line.startsWith("Y="))
            p.y = value;
        else if (line.startsWith("WIDTH="))
            p.width = value;
        else if (line.startsWith("HEIGHT="))
            p.height = value;
    }
    return p;
}

// Client coordinates of the main window: its frame's bottom border is as wide as the side
// ones, the rest above the client area is the caption.
inline QPoint MainClient(const Place& main, int x, int y) {
    const int border = (main.width - 689) / 2;
    return {main.x + border + x, main.y + main.height - 449 - border + y};
}

// Moves the mouse there and clicks, leaving the program time to answer.
inline void Click(QPoint at) {
    Xdotool({"mousemove", QString::number(at.x()), QString::number(at.y())});
    QThread::msleep(150);
    Xdotool({"click", "1"});
    QThread::msleep(300);
}

inline bool Near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 12 && std::abs(qGreen(a) - qGreen(b)) < 12 &&
           std::abs(qBlue(a) - qBlue(b)) < 12;
}

// Starts zarvofx of `folder`, waits for its window `title` and gives it the focus; returns
// the window's id, empty when it did not show.
inline QString StartProgramWindow(QProcess*& program, const QString& folder, const QString& title) {
    program = new QProcess;
    program->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program->start(folder + "/zarvofx", {});
    QString id;
    if (!WaitFor([&] { return !(id = WindowNamed(title)).isEmpty(); }, 20000))
        return QString();
    QThread::msleep(800);
    Xdotool({"windowactivate", "--sync", id});
    QThread::msleep(300);
    return id;
}

// Ends the program, politely first, and forgets it.
inline void StopProgram(QProcess*& program) {
    program->terminate();
    if (!program->waitForFinished(5000))
        program->kill();
    program->waitForFinished(2000);
    delete program;
    program = nullptr;
}
