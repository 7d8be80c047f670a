#pragma once
// The about box: a borderless window at its design place holding one picture, the program's
// own 400 x 252 about picture (images/about.jpg of the program folder). A click anywhere on
// the picture closes it. The picture is read when the box is first shown.

#include "framework/Forms.h"

class TImage;

class TForm5 : public TForm {
    Q_OBJECT
public:
    static constexpr int PictureWidth = 400;
    static constexpr int PictureHeight = 252;

    explicit TForm5(QObject* owner = nullptr);

    // A click on the picture closes the box.
    void Image1Click(TObject* Sender);

    TImage* Image1; // the about picture, loaded when the box is first shown

protected:
    void DoShow() override;

private:
    bool FPictureLoaded = false;
};

extern TForm5* Form5;
