// The main window's side of the library search: the command showing the search window, and
// opening a found effect the way a user would (category box, effect list, code window).

#include "app/EffectLibrary.h"
#include "app/LibraryIndex.h"
#include "app/SearchWindow.h"
#include "app/Unit1.h"
#include "platform/Paths.h"
#include "skinforms/bsMessages.h"
#include "skinctrls/bsSkinComboBox.h"
#include "skinctrls/bsSkinMemo.h"
#include "skinctrls/bsfilectrl.h"

namespace {

QString GoneMessage(const LibrarySearch::Result& result) {
    return QStringLiteral("特效“%1”（%2）已不存在，可能已被删除或改名。")
        .arg(result.Name, result.Category);
}

// The list's row of exactly this name (the list's own lookup ignores case).
int RowOf(TbsSkinFileListBox* list, const QString& name) {
    for (int i = 0; i < list->Items()->Count(); ++i)
        if (list->Items()->Strings(i) == name)
            return i;
    return -1;
}

} // namespace

TSearchWindow* TForm1::SearchWindow() const {
    return FSearchWindow;
}

void TForm1::F2Click(TObject*) {
    if (!FSearchWindow) {
        FSearchWindow = new TSearchWindow(EffectLibrary::DataFolder(), this);
        FSearchWindow->UseSkin(bsSkinData1);
        FSearchWindow->OnOpen = [this](const LibrarySearch::Result& result) {
            return OpenFoundEffect(result);
        };
    }
    // Above the main window also when that stays on top.
    FSearchWindow->SetFormStyle(FormStyle());
    FSearchWindow->ShowSearch();
}

bool TForm1::OpenFoundEffect(const LibrarySearch::Result& result) {
    if (!Paths::FileExists(result.Path)) {
        bsSkinMessage1->ShowMessageDialog(GoneMessage(result), mtError, {mbOK});
        return false;
    }
    // Typed into the box as a user picks it: the change lists the category.
    if (bsSkinComboBox1->Text() != result.Category)
        bsSkinComboBox1->SetText(result.Category);
    TbsSkinFileListBox* list = bsSkinFileListBox1;
    int row = RowOf(list, result.Name);
    if (row < 0) {
        // Added since the folder was listed.
        list->Update();
        row = RowOf(list, result.Name);
    }
    if (row < 0) {
        bsSkinMessage1->ShowMessageDialog(GoneMessage(result), mtError, {mbOK});
        return false;
    }
    list->SetItemIndex(row);
    bsSkinFileListBox1ListBoxClick(list);
    if (Paths::ExtractFileName(FOpenedEffectPath) != result.Name)
        return false; // refused (a link leading outside the library), the user was told
    if (result.Line >= 0)
        bsSkinMemo21->SelectInLine(result.Line, result.Column, result.HitLength);
    BringToFront();
    bsSkinMemo21->SetFocus();
    return true;
}
