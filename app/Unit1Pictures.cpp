// The main window's skinned hint, which shows the effects of the list with their pictures.

#include "app/EffectListHint.h"
#include "app/EffectPictureMaker.h"
#include "app/Unit1.h"
#include "skin/bsSkinHint.h"

void TForm1::CreateEffectHint() {
    bsSkinHint1 = new TbsSkinHint(this);
    bsSkinHint1->SetSkinData(bsSkinData1);
    FPictureMaker = new TEffectPictureMaker(this);
    FEffectListHint = new TEffectListHint(bsSkinFileListBox1, bsSkinHint1, FPictureMaker, this);
}
