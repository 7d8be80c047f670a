#pragma once
// A named mutex shared between processes of the current user: an exclusive lock
// on a lock file in $XDG_RUNTIME_DIR (or /tmp). The first creator owns it; any later
// creation, in this or another process, answers ERROR_ALREADY_EXISTS while the owner
// lives. The kernel drops the lock when the owner ends, however it ends.

#include <QString>
#include <memory>

constexpr int ERROR_ALREADY_EXISTS = 183;

class TNamedMutex {
public:
    ~TNamedMutex();
    TNamedMutex(const TNamedMutex&) = delete;
    TNamedMutex& operator=(const TNamedMutex&) = delete;

    // 0 when this object owns the mutex, ERROR_ALREADY_EXISTS when another holder
    // has it, otherwise the errno of the failed lock-file creation.
    int LastError() const { return FLastError; }
    bool AlreadyExists() const { return FLastError == ERROR_ALREADY_EXISTS; }
    bool Owned() const { return FLastError == 0; }
    const QString& LockFilePath() const { return FLockFilePath; }

private:
    friend std::unique_ptr<TNamedMutex> CreateNamedMutex(const QString& name);
    TNamedMutex(QString lockFilePath, int fd, int lastError);

    QString FLockFilePath;
    int FFd;
    int FLastError;
};

// Creates (or opens) the mutex `name`. Keep the object for as long as the mutex
// should be held.
std::unique_ptr<TNamedMutex> CreateNamedMutex(const QString& name);

// The lock file that stands for the mutex `name`: the name is hashed, so any title
// (Chinese, blanks, separators) gives a safe file name.
QString NamedMutexLockFile(const QString& name);
