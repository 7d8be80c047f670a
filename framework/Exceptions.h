#pragma once
// The framework's error classes, each with the text the program shows for it.

#include "platform/Errors.h"

#include <QString>

// A file could not be opened for reading: "Cannot open file "%s". %s".
class EFOpenError : public Exception {
public:
    EFOpenError(const QString& fileName, const QString& reason);
};

// A file could not be created or written: "Cannot create file "%s". %s".
class EFCreateError : public Exception {
public:
    EFCreateError(const QString& fileName, const QString& reason);
};

// A text could not be converted to a number or date.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A picture file is damaged or of an unsupported form.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// Reading or writing a stream failed.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// An operation that is not allowed in the object's state.
class EInvalidOperation : public Exception {
public:
    using Exception::Exception;
};

// A registry operation failed: "Failed to set data for '%s'".
class ERegistryException : public Exception {
public:
    using Exception::Exception;
};

// A list index out of bounds: "List index out of bounds (%d)".
class EListError : public Exception {
public:
    using Exception::Exception;
};

// Text for a failed conversion of a string to an integer: "'%s' is not a valid integer value".
QString InvalidIntegerText(const QString& text);
