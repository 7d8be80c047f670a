#include "framework/Exceptions.h"

EFOpenError::EFOpenError(const QString& fileName, const QString& reason)
    : Exception(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason)) {}

EFCreateError::EFCreateError(const QString& fileName, const QString& reason)
    : Exception(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason)) {}

QString InvalidIntegerText(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}
