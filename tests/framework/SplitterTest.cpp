#include "framework/Splitter.h"

#include "ControlsTestSupport.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>
#include <memory>

using namespace ControlsTest;

namespace {

struct SplitterFixture : ::testing::Test {
    void SetUp() override {
        form = std::make_unique<TForm>();
        form->SetClientSize(400, 200);
        left = new TCustomControl(form.get());
        left->SetWidth(100);
        left->SetAlign(alLeft);
        splitter = new TSplitter(form.get());
        splitter->SetLeft(100);
        splitter->SetAlign(alLeft);
        rest = new TCustomControl(form.get());
        rest->SetAlign(alClient);
        splitter->OnMoved = [this](TObject*) { ++moves; };
    }
    // Drags the splitter from its middle by dx pixels.
    void Drag(int dx) {
        const QPoint from(1, 50);
        SendMouse(splitter, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        // Positions are the splitter's own; it moves with the drag, so aim from its start.
        const int startLeft = splitter->Left();
        SendMouse(splitter, QEvent::MouseMove,
                  from + QPoint(dx - (splitter->Left() - startLeft), 0), Qt::NoButton,
                  Qt::LeftButton);
        SendMouse(splitter, QEvent::MouseButtonRelease,
                  from + QPoint(dx - (splitter->Left() - startLeft), 0), Qt::LeftButton, {});
    }

    std::unique_ptr<TForm> form;
    TCustomControl* left = nullptr;
    TSplitter* splitter = nullptr;
    TCustomControl* rest = nullptr;
    int moves = 0;
};

} // namespace

TEST_F(SplitterFixture, FindsTheControlItSticksTo) {
    EXPECT_EQ(splitter->ResizedControl(), left);
    EXPECT_EQ(splitter->Left(), 100);
    EXPECT_EQ(rest->Left(), 103);
}

TEST_F(SplitterFixture, DraggingResizesTheControlWithinMinSizeOnBothSides) {
    Drag(50);
    EXPECT_EQ(left->Width(), 150);
    EXPECT_EQ(splitter->Left(), 150);
    EXPECT_EQ(moves, 1);
    Drag(-500);
    EXPECT_EQ(left->Width(), 30);
    Drag(1000);
    EXPECT_EQ(rest->Width(), 30);
    EXPECT_EQ(left->Width() + splitter->Width() + rest->Width(), 400);
}
