#pragma once
// The error classes every layer raises. The framework adds its own subclasses;
// the platform layer needs the base and the input/output error.

#include <QString>
#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(QString message)
        : FMessage(std::move(message)), FUtf8(FMessage.toStdString()) {}
    const QString& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FUtf8.c_str(); }

private:
    QString FMessage;
    std::string FUtf8;
};

// A file or folder operation of the operating system failed.
class EInOutError : public Exception {
public:
    EInOutError(QString message, int errorCode = 0)
        : Exception(std::move(message)), ErrorCode(errorCode) {}
    int ErrorCode;
};

// An operating-system call failed; the text is the system's error text.
class EOSError : public Exception {
public:
    EOSError(QString message, int errorCode = 0)
        : Exception(std::move(message)), ErrorCode(errorCode) {}
    int ErrorCode;
};

// The system's text for an errno value ("No such file or directory").
QString SysErrorMessage(int errorCode);
