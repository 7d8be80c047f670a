#pragma once
// The effect list's hint: resting the mouse on an effect shows its name in the skinned hint,
// with a picture of it running above the name once one exists. The picture is looked up,
// never made, on the way: a missing one is asked of the picture maker for idle time, and
// the hint of an effect still under the mouse gets it when it is made.

#include <QObject>
#include <QPointer>
#include <QString>

class TbsSkinFileListBox;
class TbsSkinHint;
class TBitmap;
class TEffectPictureMaker;

class TEffectListHint : public QObject {
    Q_OBJECT
public:
    TEffectListHint(TbsSkinFileListBox* list, TbsSkinHint* hint, TEffectPictureMaker* maker,
                    QObject* parent = nullptr);

    // The list shows other effects: those without a picture are asked for.
    void ListChanged();
    // The effect file the hint is about; empty when the mouse rests on no effect.
    QString HintedEffect() const { return FEffect; }

    // The picture of the effect's present text, or an empty one.
    static TBitmap PictureOf(const QString& effectFile);

private:
    void MouseMoved(int x, int y);
    void MouseLeft();
    void PictureMade(const QString& effectFile);
    QString EffectFile(int item) const;

    QPointer<TbsSkinFileListBox> FList;
    QPointer<TbsSkinHint> FHint;
    QPointer<TEffectPictureMaker> FMaker;
    int FItem = -1;
    QString FEffect;
};
