// Gallery section: the skinned message box of each kind, with the button rows the program
// uses (OK, Yes and No) and a full row, laid out as the box lays itself out.

#include "gallery/GalleryRegistry.h"

#include "skinforms/bsMessages.h"

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"

#include <QImage>
#include <memory>

namespace {

struct TBoxSample {
    QString Label;
    QString Text;
    TMsgDlgType Kind;
    TMsgDlgButtons Buttons;
};

const TBoxSample Samples[] = {
    {QStringLiteral("warning"), QStringLiteral("效果名称太短了!"), mtWarning, {mbOK}},
    {QStringLiteral("error"), QStringLiteral("无法保存文件。"), mtError, {mbOK}},
    {QStringLiteral("information"),
     QStringLiteral("效果已经复制到剪贴板。"),
     mtInformation,
     {mbOK}},
    {QStringLiteral("confirmation"),
     QStringLiteral("真的要删除这个效果吗?\n删除后不能恢复。"),
     mtConfirmation,
     {mbYes, mbNo}},
    {QStringLiteral("custom, four buttons"),
     QStringLiteral("操作失败。"),
     mtCustom,
     {mbAbort, mbRetry, mbIgnore, mbHelp}},
};

std::unique_ptr<TbsMessageForm> BuildBox(const TBoxSample& sample, TbsSkinData* skinData) {
    TbsSkinMessage message;
    message.SetSkinData(skinData);
    message.SetCtrlSkinData(skinData);
    return std::unique_ptr<TbsMessageForm>(
        message.CreateMessageForm(sample.Text, sample.Kind, sample.Buttons));
}

std::vector<TGalleryCell> MessageCells(TbsSkinData* skinData) {
    std::vector<TGalleryCell> cells;
    for (const TBoxSample& sample : Samples) {
        // The cell shows the box's client area at the size the box gave itself.
        std::unique_ptr<TbsMessageForm> box = BuildBox(sample, skinData);
        TGalleryCell cell;
        cell.Label = sample.Label + QStringLiteral(": ") + box->Text();
        cell.Width = box->ClientWidth();
        cell.Height = box->ClientHeight();
        cell.Build = [sample, skinData](TGalleryContext& ctx) {
            std::unique_ptr<TbsMessageForm> shown = BuildBox(sample, skinData);
            QImage picture = shown->ClientArea()->grab().toImage();
            auto* image = new TImage(ctx.Form);
            TBitmap bitmap;
            bitmap.FromQImage(picture);
            image->SetPicture(bitmap);
            image->SetBounds(0, 0, bitmap.Width(), bitmap.Height());
        };
        cells.push_back(cell);
    }
    return cells;
}

const bool Registered = GalleryRegistry::Add({60, "Message boxes", nullptr, MessageCells});

} // namespace
