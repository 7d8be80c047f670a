#pragma once
// The about box: a borderless window at its design place holding one picture, the program's
// own 400 x 252 about picture (images/about.jpg of the program folder). A click anywhere on
// the picture closes it.

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

    TImage* Image1; // the about picture
};

extern TForm5* Form5;
