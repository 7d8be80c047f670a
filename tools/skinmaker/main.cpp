// zarvo-skinmaker [--skins DIR] [--pictures DIR] [SKINFOLDER...]
//
// Draws the installed skins and the program's pictures. --skins DIR writes DIR/skin1 …
// DIR/skin6 (or only the skin folders named); --pictures DIR writes the installation
// pictures. Runs on the offscreen platform; the output is the same on every run.

#include "InstallPictures.h"
#include "SkinBuilder.h"
#include "SkinTheme.h"

#include "framework/Exceptions.h"

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <exception>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: zarvo-skinmaker [--skins DIR] [--pictures DIR] [SKINFOLDER...]\n");
    return 2;
}

void WriteSkin(const TSkinTheme& theme, const QString& folder) {
    TSkinBuilder skin(theme);
    AddFrameParts(skin);
    AddButtonParts(skin);
    AddBoxParts(skin);
    skin.Write(folder);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QString skinsFolder, picturesFolder;
    QStringList only;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--skins") && i + 1 < args.size())
            skinsFolder = args[++i];
        else if (args[i] == QLatin1String("--pictures") && i + 1 < args.size())
            picturesFolder = args[++i];
        else if (args[i].startsWith(QLatin1String("--")))
            return Usage();
        else
            only << args[i];
    }
    if (skinsFolder.isEmpty() && picturesFolder.isEmpty())
        return Usage();
    try {
        if (!skinsFolder.isEmpty())
            for (const TSkinTheme& theme : InstalledThemes())
                if (only.isEmpty() || only.contains(theme.Folder))
                    WriteSkin(theme, skinsFolder + QLatin1Char('/') + theme.Folder);
        if (!picturesFolder.isEmpty())
            WriteInstallPictures(picturesFolder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zarvo-skinmaker: %s\n", e.what());
        return 1;
    }
    return 0;
}
