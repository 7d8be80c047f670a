#pragma once
// TBevel: a window-less line, box or frame in two colours that looks lowered or raised.

#include "framework/Controls.h"

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// Draws `shape` on `rect`: a lowered bevel has its top-left lines in `dark` and its
// bottom-right lines in `light`, a raised one the other way round. A spacer draws nothing.
void DrawBevelShape(TCanvas& canvas, const TRect& rect, TBevelShape shape, TBevelStyle style,
                    TColor light, TColor dark);

class TBevel : public TGraphicControl {
    Q_OBJECT
public:
    explicit TBevel(QWidget* parent = nullptr);
    ~TBevel() override;

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle value);

protected:
    // Draws the shape in the button highlight and shadow colours.
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};
