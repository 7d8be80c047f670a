#include "app/Unit5.h"

#include "framework/Bitmap.h"
#include "framework/ExtCtrls.h"
#include "platform/Paths.h"

TForm5* Form5 = nullptr;

namespace {

const QString AboutPictureFile = QStringLiteral("images/about.jpg");

// The picture, or an empty one when it is missing or damaged: the box then shows its plain
// background and still closes on a click.
TBitmap LoadAboutPicture() {
    TBitmap picture;
    const QString path = Paths::ResolveProgramPath(AboutPictureFile);
    if (!Paths::FileExists(path))
        return picture;
    try {
        picture.LoadJpegFromFile(path);
    } catch (const std::exception&) {
        return TBitmap();
    }
    return picture;
}

} // namespace

TForm5::TForm5(QObject* owner) : TForm(owner) {
    SetBorderStyle(bsNone);
    SetPosition(poDesigned);
    SetBounds(335, 217, PictureWidth, PictureHeight);
    SetClientSize(PictureWidth, PictureHeight);

    Image1 = new TImage(this);
    Image1->SetBounds(0, 0, PictureWidth, PictureHeight);
    Image1->OnClick = [this](TObject* sender) { Image1Click(sender); };
}

void TForm5::DoShow() {
    // Decoded when the box is first shown: most runs never open it, and the start would
    // wait for the picture.
    if (!FPictureLoaded) {
        FPictureLoaded = true;
        Image1->SetPicture(LoadAboutPicture());
    }
    TForm::DoShow();
}

void TForm5::Image1Click(TObject*) {
    Close();
}
