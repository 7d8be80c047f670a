#pragma once
// Test environment: every test program runs with HOME, XDG_CONFIG_HOME and
// XDG_RUNTIME_DIR inside one temporary folder that is removed at exit.

#include <QString>

namespace TestEnv {
// The temporary root folder of this test run.
QString Root();
// A fresh, empty folder below the root, unique per call.
QString NewFolder(const QString& hint = QStringLiteral("t"));
// Writes bytes into a file, creating folders as needed.
void WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);
} // namespace TestEnv
