#pragma once
// The main window for the desktop commands: the program windows' fixture, plus files of the
// staged program folder (skins, pictures, plug-in, tools) linked into the test's folder, a
// stop that ends the window as at program end, and the about box cleared after each test.

#include "MainWindowFixture.h"

#include "app/MediaPlayer.h"
#include "app/Unit5.h"
#include "common/TestEnv.h"

#include <QFile>

class DesktopFixture : public MainWindowFixture {
protected:
    void TearDown() override {
        delete Form5;
        Form5 = nullptr;
        MainWindowFixture::TearDown();
    }

    // Links a file or folder of the staged program folder into this test's folder.
    void Install(const QString& name) {
        QFile::link(QStringLiteral(ZARVO_PROGRAM_DIR "/") + name, folder + name);
    }
    // Where a paused player comes to rest: the sound server first plays out what it holds,
    // which takes longer on a loaded machine. Waits until the position stops moving.
    static qint64 RestingPosition(TMediaPlayer* player) {
        qint64 last = player->Position();
        for (int i = 0; i < 50; ++i) {
            TestEnv::Pump(100);
            if (player->Position() == last)
                break;
            last = player->Position();
        }
        return last;
    }
    // The window goes away as at program end; a later Start reads what it left behind.
    void Stop() {
        dialogs.clear();
        forms.clear();
    }
};
