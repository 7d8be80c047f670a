#include "app/EffectListHint.h"

#include "app/EffectPictureMaker.h"
#include "app/EffectPictures.h"
#include "framework/Bitmap.h"
#include "skin/bsSkinHint.h"
#include "skinctrls/bsfilectrl.h"

#include <QCursor>
#include <QDir>
#include <QImage>

TEffectListHint::TEffectListHint(TbsSkinFileListBox* list, TbsSkinHint* hint,
                                 TEffectPictureMaker* maker, QObject* parent)
    : QObject(parent), FList(list), FHint(hint), FMaker(maker) {
    TControl* inner = list->InnerList();
    inner->OnMouseMove = [this](TObject*, TShiftState, int x, int y) { MouseMoved(x, y); };
    inner->OnMouseLeave = [this](TObject*) { MouseLeft(); };
    // A click opens the effect: its hint goes.
    inner->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) {
        if (FHint)
            FHint->HideHint();
    };
    maker->OnMade = [this](const QString& effectFile) { PictureMade(effectFile); };
}

TBitmap TEffectListHint::PictureOf(const QString& effectFile) {
    TBitmap picture;
    const QString path = EffectPictures::PictureFor(effectFile);
    const QImage image = path.isEmpty() ? QImage() : QImage(path);
    if (!image.isNull())
        picture.FromQImage(image);
    return picture;
}

QString TEffectListHint::EffectFile(int item) const {
    if (!FList || item < 0 || item >= FList->Items()->Count())
        return QString();
    return QDir(FList->Directory()).filePath(FList->Items()->Strings(item));
}

void TEffectListHint::ListChanged() {
    if (!FList || !FMaker)
        return;
    QStringList files;
    for (int item = 0; item < FList->Items()->Count(); ++item)
        files << EffectFile(item);
    FMaker->WantAll(files);
}

void TEffectListHint::MouseMoved(int x, int y) {
    if (!FList || !FHint)
        return;
    const int item = FList->ItemAtPos(TPoint(x, y), true);
    if (item == FItem)
        return;
    FItem = item;
    FEffect = EffectFile(item);
    if (FEffect.isEmpty()) {
        FHint->HideHint();
        return;
    }
    FHint->HideHint();
    const TBitmap picture = PictureOf(FEffect);
    if (picture.Empty() && FMaker)
        FMaker->Want(FEffect);
    FHint->ShowHintAtCursor(FList->Items()->Strings(item), picture);
}

void TEffectListHint::MouseLeft() {
    FItem = -1;
    FEffect.clear();
    if (FHint)
        FHint->HideHint();
}

void TEffectListHint::PictureMade(const QString& effectFile) {
    if (!FList || !FHint)
        return;
    // Where the mouse is now: a leave the window system reported when another window came up
    // over the list must not keep the picture from the effect still under the pointer.
    TControl* inner = FList->InnerList();
    const TPoint at = inner->ScreenToClient(TPoint::FromQPoint(QCursor::pos()));
    const int item = PtInRect(inner->ClientRect(), at) ? FList->ItemAtPos(at, true) : -1;
    if (item < 0 || EffectFile(item) != effectFile)
        return;
    FItem = item;
    FEffect = effectFile;
    FHint->ShowHintAtCursor(FList->Items()->Strings(item), PictureOf(effectFile));
}
