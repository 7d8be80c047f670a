// The main window's live preview: the option and the preview that follows the code window.

#include "app/LivePreview.h"
#include "app/Unit1.h"
#include "app/ZarvoSettings.h"
#include "framework/Menus.h"
#include "skinctrls/bsSkinMemo.h"

void TForm1::UseLivePreview(TForm4* previewWindow) {
    delete FLivePreview;
    FLivePreview = new TLivePreview(
        previewWindow, bsSkinMemo21, [this] { WritePreview(); }, this);
    FLivePreview->SetOn(L2->Checked());
}

void TForm1::L2Click(TObject*) {
    const bool on = L2->Checked();
    try {
        ZarvoSettings::SetLivePreview(on);
    } catch (...) {
        // Not remembered, not changed: the item shows the option as it stays.
        L2->SetChecked(!on);
        throw;
    }
    if (FLivePreview)
        FLivePreview->SetOn(on);
}
