#include "gallery/GalleryRegistry.h"

#include "framework/Bitmap.h"
#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>

namespace {

// Sections registered by static initialisers; a function-local list, so that the order
// in which the files initialise does not matter.
std::vector<TGallerySection>& Table() {
    static std::vector<TGallerySection> table;
    return table;
}

} // namespace

bool GalleryRegistry::Add(TGallerySection section) {
    Table().push_back(std::move(section));
    return true;
}

std::vector<TGallerySection> GalleryRegistry::Sections() {
    std::vector<TGallerySection> sections = Table();
    std::stable_sort(sections.begin(), sections.end(),
                     [](const auto& a, const auto& b) { return a.Order < b.Order; });
    return sections;
}

bool TGalleryContext::Focus(TWinControl* control) {
    if (!Form || !control)
        return false;
    Form->Show();
    Form->activateWindow();
    QApplication::setActiveWindow(Form);
    QApplication::processEvents();
    control->setFocus(Qt::OtherFocusReason);
    Settle(10);
    return control->hasFocus();
}

void TGalleryContext::Settle(int ms) {
    QElapsedTimer timer;
    timer.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        if (ms > 0)
            QThread::msleep(2);
    } while (timer.elapsed() < ms);
}

TGalleryCell PictureCell(const QString& label, const TBitmap& picture) {
    TGalleryCell cell;
    cell.Label = label;
    cell.Width = std::max(1, picture.Width());
    cell.Height = std::max(1, picture.Height());
    cell.Build = [picture](TGalleryContext& ctx) {
        auto* image = new TImage(ctx.Form);
        image->SetBounds(0, 0, picture.Width(), picture.Height());
        image->SetPicture(picture);
    };
    return cell;
}
