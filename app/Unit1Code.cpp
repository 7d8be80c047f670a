// The main window's code window: colours for the effect's code, and the monospaced face.
#include "app/Unit1.h"

#include "app/CodeColouring.h"
#include "app/ZarvoSettings.h"
#include "framework/Menus.h"
#include "skinctrls/bsSkinMemo.h"

void TForm1::SetUpCodeWindow() {
    FCodeColouring = new TCodeColouring(*bsSkinMemo21);
    CodeFontItem->OnClick = [this](TObject* sender) { CodeFontItemClick(sender); };
}

void TForm1::ApplyCodeFont() {
    const bool monospaced = ZarvoSettings::MonospacedCode();
    CodeFontItem->SetChecked(monospaced);
    bsSkinMemo21->SetMonospaced(monospaced);
}

void TForm1::CodeFontItemClick(TObject*) {
    const bool monospaced = !CodeFontItem->Checked();
    CodeFontItem->SetChecked(monospaced);
    bsSkinMemo21->SetMonospaced(monospaced);
    ZarvoSettings::SetMonospacedCode(monospaced);
}
