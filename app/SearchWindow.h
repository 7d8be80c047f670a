#pragma once
// The library search window "查找特效": a skinned, resizable, non-modal window with the
// words to look for and the effects holding them, found as the user types. Enter or a double
// click opens the chosen effect in the main window.
//
// Layout (client coordinates, from SearchLayout):
//   top      bsSkinEdit1, the words, across the window with a margin
//   middle   bsSkinListBox1, one row per effect: category, name, first matching line
//   bottom   bsSkinStatusBar1, what was found, or that the library is still being read

#include "app/LibraryIndex.h"
#include "framework/Forms.h"
#include "framework/Types.h"

#include <functional>

class TbsBusinessSkinForm;
class TbsSkinData;
class TbsSkinEdit;
class TbsSkinListBox;
class TbsSkinMessage;
class TbsSkinPanel;
class TbsSkinStatusBar;
class TbsSkinStatusPanel;
class TCanvas;

// Where the edit and the result list go in a client area of this size (the status bar
// takes its own place along the bottom).
struct TSearchLayout {
    TRect Edit;
    TRect List;
    static TSearchLayout For(int width, int height);
};

class TSearchWindow : public TForm {
    Q_OBJECT
public:
    // Reads the library below `dataFolder` ("<program folder>data/") at the first showing.
    explicit TSearchWindow(const QString& dataFolder, QObject* owner = nullptr);

    static QString Caption() { return QStringLiteral("查找特效"); }
    // How many rows the list shows at most.
    static constexpr int MaxRows = 200;

    void UseSkin(TbsSkinData* skinData);
    // Shows the window in front with the words selected in the edit, so typing replaces them.
    void ShowSearch();

    // Opens a result in the main window; false when it could not (the effect is gone).
    std::function<bool(const LibrarySearch::Result&)> OnOpen;

    // --- Handlers
    void bsSkinEdit1Change(TObject* Sender);
    void bsSkinEdit1KeyDown(TObject* Sender, int& Key, TShiftState Shift);
    void bsSkinEdit1KeyPress(TObject* Sender, QChar& Key);
    void bsSkinListBox1ListBoxDblClick(TObject* Sender);
    void bsSkinListBox1ListBoxKeyDown(TObject* Sender, int& Key, TShiftState Shift);

    // Looks the words up again and shows the rows.
    void Search();
    // Opens the chosen row (the first when none is chosen); false when there is none or it
    // could not be opened.
    bool OpenChosen();

    const std::vector<LibrarySearch::Result>& Results() const { return FAnswer.Results; }
    TLibraryIndex* Index() const { return FIndex; }
    QString StatusText() const;

    // --- Components
    TbsBusinessSkinForm* bsBusinessSkinForm1; // the skinned frame with its caption buttons
    TbsSkinPanel* bsSkinPanel1;               // the background of the client area
    TbsSkinEdit* bsSkinEdit1;                 // the words to look for
    TbsSkinListBox* bsSkinListBox1;           // the effects found
    TbsSkinStatusBar* bsSkinStatusBar1;       // the status line
    TbsSkinStatusPanel* bsSkinStatusPanel1;   // what was found

protected:
    void DoShow() override;

private:
    void PlaceControls();
    void ShowStatus();
    void DrawRow(TCanvas& canvas, int index, const TRect& rect);
    void MoveChoice(int by);

    TLibraryIndex* FIndex;
    LibrarySearch::Answer FAnswer;
    QStringList FWords; // what the rows highlight
};
