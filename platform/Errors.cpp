#include "platform/Errors.h"

#include <cstring>

QString SysErrorMessage(int errorCode) {
    return QString::fromLocal8Bit(std::strerror(errorCode));
}
