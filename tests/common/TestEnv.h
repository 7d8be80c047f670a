#pragma once
// Test environment: every test program runs with HOME, XDG_CONFIG_HOME and
// XDG_RUNTIME_DIR inside one temporary folder that is removed at exit.

#include <QString>
#include <functional>

namespace TestEnv {
// The temporary root folder of this test run.
QString Root();
// A fresh, empty folder below the root, unique per call.
QString NewFolder(const QString& hint = QStringLiteral("t"));
// Writes bytes into a file, creating folders as needed.
void WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);
// Lets the event loop run for this long (timers, sockets, child processes, the screen).
void Pump(int milliseconds);
// Pumps until `done` holds or the time is up; the last answer of `done`.
bool WaitFor(const std::function<bool()>& done, int milliseconds = 5000);
} // namespace TestEnv
