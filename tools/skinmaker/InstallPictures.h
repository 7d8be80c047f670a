#pragma once
// The program's own pictures, installed beside the skins: the main window's placeholder,
// the about picture, the 16 x 16 image list, the application icon and the tool-bar
// pictures of the file dialogs.

#include <QString>

// Writes every installation picture into `folder` (made when missing). Throws
// EFCreateError when a file cannot be written.
void WriteInstallPictures(const QString& folder);
