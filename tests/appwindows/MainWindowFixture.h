#pragma once
// The program's windows in-process on the offscreen screen. Each test builds its own program
// folder (marker, library, preview folder) in a temporary folder; message boxes are recorded
// and answered with `answer`.

#include "app/Unit1.h"
#include "app/Unit3.h"
#include "app/Unit4.h"
#include "app/ZarvoSettings.h"
#include "common/TestEnv.h"
#include "framework/Dialogs.h"
#include "framework/Menus.h"
#include "platform/Paths.h"
#include "skinctrls/bsSkinButton.h"
#include "skinctrls/bsSkinComboBox.h"
#include "skinctrls/bsfilectrl.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <utility>
#include <vector>

inline const QString Window = QStringLiteral("窗口特效系列");
inline const QString Cookie = QStringLiteral("Cookie脚本");

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        folder = TestEnv::NewFolder(QStringLiteral("prog")) + "/";
        // The preview engine's module of this build.
        qputenv("ZARVO_PREVIEW_MODULE", ZARVO_PREVIEW_MODULE_FILE);
        qputenv("ZARVO_MUSIC_MODULE", ZARVO_MUSIC_MODULE_FILE);
        Paths::SetProgramFolder(folder);
        Application->SetTitle(TForm1::Title());
        TestEnv::WriteFile(folder + "zarvotx.ini", QByteArray());
        SetMessageBoxHook([this](const TMessageBoxRequest& request) {
            messages.push_back(request);
            if (auto then = std::exchange(afterNextMessage, {}))
                then();
            return answer;
        });
    }
    void TearDown() override {
        // The dialogs share the main window's message box: they go first.
        dialogs.clear();
        forms.clear();
        SetMessageBoxHook({});
        Application->ResetTerminated();
        ZarvoSettings::SetFlag(ZarvoSettings::Flag::StayOnTop, false);
        ZarvoSettings::SetFlag(ZarvoSettings::Flag::AskBeforeExit, false);
        Paths::SetProgramFolder(QString());
    }

    TForm1* Start() {
        forms.push_back(std::make_unique<TForm1>());
        TForm1* form = forms.back().get();
        form->DoCreate();
        form->Show();
        return form;
    }
    // The main window with the add-effect dialog (no preview window: its engine stays off).
    TForm1* StartWithAddDialog() {
        TForm1* form = Start();
        auto dialog = std::make_unique<TForm3>();
        addDialog = dialog.get();
        addDialog->DoCreate();
        form->UseWindows(addDialog, nullptr);
        dialogs.push_back(std::move(dialog));
        return form;
    }
    void AddEffect(const QString& category, const QString& name, const QByteArray& bytes) {
        TestEnv::WriteFile(folder + "data/" + category + "/" + name, bytes);
    }
    QString EffectPath(const QString& category, const QString& name) const {
        return folder + "data/" + category + "/" + name;
    }
    void Pick(TForm1* form, const QString& text) { form->bsSkinComboBox1->SetText(text); }
    void Open(TForm1* form, const QString& name) {
        TbsSkinFileListBox* list = form->bsSkinFileListBox1;
        list->SetItemIndex(list->Items()->IndexOf(name));
        FireEvent(list->OnListBoxClick, list);
    }
    static void Click(TbsSkinButton* button) { FireEvent(button->OnClick, button); }
    static void Click(TMenuItem* item) { item->Click(); }
    QStringList MessageTexts() const {
        QStringList texts;
        for (const TMessageBoxRequest& m : messages)
            texts << m.Text;
        return texts;
    }
    static bool CommandsEnabled(TForm1* form) {
        return form->bsSkinButton1->Enabled() && form->bsSkinButton2->Enabled() &&
               form->bsSkinButton3->Enabled() && form->bsSkinButton5->Enabled() &&
               form->N1->Enabled() && form->D1->Enabled();
    }
    static bool AnyCommandEnabled(TForm1* form) {
        return form->bsSkinButton1->Enabled() || form->bsSkinButton2->Enabled() ||
               form->bsSkinButton3->Enabled() || form->bsSkinButton5->Enabled() ||
               form->N1->Enabled() || form->D1->Enabled();
    }

    QString folder;
    std::vector<TMessageBoxRequest> messages;
    int answer = mrOk;
    // Runs once, when the next box is answered (to answer what that box leads to).
    std::function<void()> afterNextMessage;
    std::vector<std::unique_ptr<TForm>> dialogs;
    std::vector<std::unique_ptr<TForm1>> forms;
    TForm3* addDialog = nullptr;
};
