// The main window's start-up steps that may fail without ending the start, and the loading of
// skins: a skin that cannot be loaded leaves the default look (at start) or the skin in use
// (from the menu), one message says which skin and why, and the failed one is not saved.

#include "app/Unit1.h"
#include "app/ZarvoSettings.h"
#include "framework/Classes.h"
#include "platform/Paths.h"
#include "skinforms/bsMessages.h"
#include "skin/bsSkinData.h"

#include <exception>

QString TForm1::SkinFailureMessage(const QString& storedPath, const QString& reason) {
    return QStringLiteral("外观“%1”无法载入：%2").arg(storedPath, reason);
}

bool TForm1::StartupStep(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const std::exception& error) {
        // Every setting read at start fails the same way when the settings file cannot be
        // read; the user is told once.
        const QString text = QString::fromUtf8(error.what());
        if (!FStartupErrors.contains(text)) {
            FStartupErrors << text;
            HandleException(error);
        }
    }
    return false;
}

void TForm1::LoadSavedSkin() {
    QString storedPath;
    try {
        storedPath = ZarvoSettings::SkinPath();
    } catch (const std::exception& error) {
        // Told here, in words, once: the later reads of the start fail alike and stay quiet.
        const QString reason = QString::fromUtf8(error.what());
        FStartupErrors << reason;
        bsSkinMessage1->ShowMessageDialog(
            QStringLiteral("设置文件“%1”无法读取，本次以默认设置启动：%2")
                .arg(ZarvoSettings::FilePath(), reason),
            mtError, {mbOK});
        return;
    }
    // The saved entry is left as it is: the start goes on in the default look.
    const QString failure = LoadSkin(storedPath);
    if (!failure.isEmpty())
        ReportSkinFailure(storedPath, failure);
}

QString TForm1::LoadSkin(const QString& storedPath) {
    try {
        bsSkinData1->LoadSkinFile(Paths::ResolveProgramPath(storedPath));
    } catch (const std::exception& error) {
        // The loader has already told every form to take the default look.
        return QString::fromUtf8(error.what());
    }
    return QString();
}

void TForm1::ReportSkinFailure(const QString& storedPath, const QString& reason) {
    bsSkinMessage1->ShowMessageDialog(SkinFailureMessage(storedPath, reason), mtError, {mbOK});
}

void TForm1::SelectSkin(const QString& storedPath) {
    const QString failure = LoadSkin(storedPath);
    if (failure.isEmpty()) {
        ZarvoSettings::SetSkinPath(storedPath);
        return;
    }
    // The skin shown before is the saved one: it comes back before the message shows (a saved
    // skin that failed at start fails again, quietly, and leaves the default look).
    try {
        LoadSkin(ZarvoSettings::SkinPath());
    } catch (const std::exception&) {
        // The settings file cannot be read: the default look stays.
    }
    ReportSkinFailure(storedPath, failure);
}
