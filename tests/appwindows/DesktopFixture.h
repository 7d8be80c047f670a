#pragma once
// The main window in a program folder of its own (a temporary folder with the marker, and
// the staged skins, plug-in and tools linked in), with every message box answered by the
// test and recorded.

#include "app/Unit1.h"
#include "app/Unit5.h"
#include "app/ZarvoSettings.h"
#include "common/TestEnv.h"
#include "framework/Dialogs.h"
#include "framework/Forms.h"
#include "platform/Paths.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class DesktopFixture : public ::testing::Test {
protected:
    void SetUp() override {
        folder = TestEnv::NewFolder(QStringLiteral("prog")) + "/";
        Paths::SetProgramFolder(folder);
        Application->SetTitle(TForm1::Title());
        TestEnv::WriteFile(folder + "zarvotx.ini", QByteArray());
        SetMessageBoxHook([this](const TMessageBoxRequest& request) {
            messages.push_back(request);
            return answer;
        });
    }
    void TearDown() override {
        forms.clear();
        delete Form5;
        Form5 = nullptr;
        SetMessageBoxHook({});
        Application->ResetTerminated();
        ZarvoSettings::SetFlag(ZarvoSettings::Flag::StayOnTop, false);
        ZarvoSettings::SetFlag(ZarvoSettings::Flag::AskBeforeExit, false);
        Paths::SetProgramFolder(QString());
    }

    // Links a file or folder of the staged program folder into this test's folder.
    void Install(const QString& name) {
        QFile::link(QStringLiteral(ZARVO_PROGRAM_DIR "/") + name, folder + name);
    }

    TForm1* Start() {
        forms.push_back(std::make_unique<TForm1>());
        TForm1* form = forms.back().get();
        form->DoCreate();
        form->Show();
        return form;
    }
    // The form goes away as at program end; a later Start reads what it left behind.
    void Stop() { forms.clear(); }

    QStringList MessageTexts() const {
        QStringList texts;
        for (const TMessageBoxRequest& m : messages)
            texts << m.Text;
        return texts;
    }

    QString folder;
    std::vector<TMessageBoxRequest> messages;
    int answer = mrOk;
    std::vector<std::unique_ptr<TForm1>> forms;
};
