#pragma once
// The gallery's table of sections. Each control family adds its section from its own file
// in tools/gallery/ (every .cpp there is built into zarvo-gallery) with a static
// registration:
//
//   namespace {
//   std::vector<TGalleryCell> ScrollBarCells() { ... }
//   const bool Registered = GalleryRegistry::Add({20, "Scroll bars", ScrollBarCells});
//   }
//
// A cell is one control (or a few) in one state. Its Build function runs on a fresh form
// whose client area is the cell's size; it creates the controls there, binds them to the
// context's skin data (nullptr for the default look) and puts them into the state to show,
// through public operations or synthetic input (MouseEnter for hot, SetDown or a press for
// pressed, Context.Focus for focused, SetEnabled(false) for disabled).

#include <QString>
#include <functional>
#include <vector>

class TBitmap;
class TForm;
class TWinControl;
class TbsSkinData;

struct TGalleryContext {
    TForm* Form = nullptr;
    // The skin the sheet shows; nullptr for the default look.
    TbsSkinData* SkinData = nullptr;
    // Shows the form, activates it and gives `control` the keyboard focus; false when the
    // platform gives none.
    bool Focus(TWinControl* control);
    // Runs pending events and timers for `ms` milliseconds (animations that must settle).
    void Settle(int ms = 0);
};

struct TGalleryCell {
    QString Label;
    int Width = 75;
    int Height = 25;
    std::function<void(TGalleryContext&)> Build;
};

// A cell showing a picture composed for the sheet (at least 1 x 1).
TGalleryCell PictureCell(const QString& label, const TBitmap& picture);

struct TGallerySection {
    // Sections appear in ascending order (buttons 10, scroll bars 20, panels 30, ...).
    int Order = 0;
    QString Title;
    std::function<std::vector<TGalleryCell>()> Cells;
    // Used instead of Cells when set: cells that depend on the sheet's skin (nullptr for the
    // default look). A section without cells is left out of the sheet.
    std::function<std::vector<TGalleryCell>(TbsSkinData*)> SkinCells;
};

namespace GalleryRegistry {
// Adds a section; returns true so that it can initialise a static.
bool Add(TGallerySection section);
// Every registered section, in order.
std::vector<TGallerySection> Sections();
} // namespace GalleryRegistry
