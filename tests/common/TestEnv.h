#pragma once
// Test environment: every test program runs with HOME, XDG_CONFIG_HOME and
// XDG_RUNTIME_DIR inside one temporary folder that is removed at exit.

#include <QString>
#include <functional>
#include <sys/types.h>
#include <vector>

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

// Sets an environment variable (a null value removes it) until the end of the scope, then
// gives back the old value or absence, whether the test passed or failed.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name;
    QByteArray old;
    bool had;
};

// While it lives, files are opened with the rights of an ordinary user, so permission
// cases test something when the suite runs as root (CI): root takes on the user and group
// of "nobody" (real and effective) and opens the test root for passing through; anyone else already
// is an ordinary user. Problem() says why no ordinary user could be had (empty when one is).
class OrdinaryUser {
public:
    OrdinaryUser();
    ~OrdinaryUser();
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;
    QString Problem() const { return problem; }

private:
    void Restore();
    QString problem;
    bool switched = false;
    bool rootOpened = false;
    gid_t ownGroup = 0;
    std::vector<gid_t> groups; // root's supplementary groups, given back at the end
};
} // namespace TestEnv
