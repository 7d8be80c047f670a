#pragma once
// What the program does for its previews without the browser engine itself: the preview
// file, and preparing the process before the engine may start. The engine (PreviewEngine.h)
// lives in a module of its own that the program loads when it first needs it.

#include "platform/TextEncoding.h"

#include <QString>

class TStrings;

// The preview file of a program folder: "zarvotemp/zarvotemp.htm" below it.
QString PreviewFilePathIn(const QString& programFolder);
// The preview file of the running program.
QString PreviewFilePath();
// Overwrites the preview file with the lines, each line followed by CR LF, in the encoding
// the page declares, else `readIn` (the effect's own; GBK for new text). Raises
// EFCreateError "Cannot create file ..." when it cannot be written (the folder is missing or
// the file is read-only), and leaves the old file as it was.
void WritePreviewFile(const QString& path, const TStrings& lines,
                      TextEncoding::Encoding readIn = TextEncoding::Encoding::Gbk);

// Prepares the process for the browser engine; call before the application object exists.
// Run as root, the engine's sandbox is switched off; without a GPU it renders in software.
// The engine's own diagnostics are kept off the console. The shared OpenGL context the
// engine draws through is made only when the engine starts: made with the application
// object, its driver would cost every start some 40 ms and 50 MB.
void PreparePreviewProcess();
