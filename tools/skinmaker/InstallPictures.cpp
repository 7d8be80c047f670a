#include "InstallPictures.h"

void WriteInstallPictures(const QString&) {}
