// The skinned frame of the six installed skins keeps the client area a form lays out: the
// same client size in a new window of each skin, and in one window switched through all of
// them and back to no skin.

#include "InstalledSkins.h"
#include "skinforms/bsSkinForm.h"

#include "framework/Forms.h"

#include <gtest/gtest.h>

using namespace InstalledSkins;

namespace {

constexpr int ClientW = 460, ClientH = 176;

} // namespace

TEST(InstalledFrames, EverySkinKeepsTheClientSizeTheFormAskedFor) {
    for (int n = 0; n <= 6; ++n) {
        SCOPED_TRACE(n);
        TForm form;
        form.SetBorderStyle(bsSizeable);
        form.SetClientSize(ClientW, ClientH);
        auto* data = new TbsSkinData(&form);
        if (n > 0)
            data->LoadSkinFile(SkinIni(n));
        ASSERT_EQ(data->SkinEmpty, n == 0);
        auto* frame = new TbsBusinessSkinForm(&form);
        frame->SetSkinData(data);
        EXPECT_EQ(frame->SkinActive(), n > 0);
        EXPECT_EQ(form.ClientWidth(), ClientW);
        EXPECT_EQ(form.ClientHeight(), ClientH);
    }

    // One window switched through every skin and back.
    TForm form;
    form.SetClientSize(ClientW, ClientH);
    auto* data = new TbsSkinData(&form);
    auto* frame = new TbsBusinessSkinForm(&form);
    frame->SetSkinData(data);
    for (int n : {1, 2, 3, 4, 5, 6, 3, 0}) {
        SCOPED_TRACE(n);
        // A skin that is not there leaves the skin empty, announced like any other.
        data->LoadSkinFile(n > 0 ? SkinIni(n) : QStringLiteral("/nonexistent/skin.ini"));
        EXPECT_EQ(frame->SkinActive(), n > 0);
        EXPECT_EQ(form.ClientWidth(), ClientW);
        EXPECT_EQ(form.ClientHeight(), ClientH);
    }
}
