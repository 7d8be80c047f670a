// Gallery section: check boxes and radio buttons (plain, checked, hot, disabled), up-down
// pairs both ways (hot and pressed halves), bevels in each shape and in divider mode, and
// radio groups in one and two columns.

#include "gallery/GalleryRegistry.h"

#include "skinctrls/bsSkinBevel.h"
#include "skinctrls/bsSkinCheckRadioBox.h"
#include "skinctrls/bsSkinRadioGroup.h"
#include "skinctrls/bsSkinUpDown.h"

#include "framework/Forms.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>

namespace {

void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& p, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(p), QPointF(widget->mapToGlobal(p)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

enum class TBoxState { Plain, Checked, Hot, Disabled };

TGalleryCell BoxCell(const QString& label, bool radio, TBoxState state) {
    TGalleryCell cell{label, 120, 25, {}};
    cell.Build = [=](TGalleryContext& ctx) {
        auto* box = new TbsSkinCheckRadioBox(ctx.Form);
        box->SetBounds(0, 0, cell.Width, cell.Height);
        box->SetRadio(radio);
        if (radio)
            box->SetSkinDataName(QStringLiteral("radiobox"));
        box->SetCaption(radio ? QStringLiteral("&Radio") : QStringLiteral("&Check"));
        box->SetSkinData(ctx.SkinData);
        box->SetChecked(state != TBoxState::Plain);
        if (state == TBoxState::Hot) {
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(box, &enter);
        }
        if (state == TBoxState::Disabled)
            box->SetEnabled(false);
    };
    return cell;
}

std::vector<TGalleryCell> CheckRadioCells() {
    std::vector<TGalleryCell> cells;
    for (bool radio : {false, true}) {
        const QString kind = radio ? QStringLiteral("radio") : QStringLiteral("check");
        cells.push_back(BoxCell(kind, radio, TBoxState::Plain));
        cells.push_back(BoxCell(kind + " checked", radio, TBoxState::Checked));
        cells.push_back(BoxCell(kind + " hot", radio, TBoxState::Hot));
        cells.push_back(BoxCell(kind + " disabled", radio, TBoxState::Disabled));
    }
    return cells;
}

enum class TUpDownAction { None, HoverUp, PressDown, Disable };

TGalleryCell UpDownCell(const QString& label, TbsUpDownOrientation orientation,
                        TUpDownAction action) {
    const bool vertical = orientation == udVertical;
    TGalleryCell cell{label, vertical ? 20 : 50, vertical ? 40 : 25, {}};
    cell.Build = [=](TGalleryContext& ctx) {
        auto* upDown = new TbsSkinUpDown(ctx.Form);
        upDown->SetOrientation(orientation);
        upDown->SetBounds(0, 0, cell.Width, cell.Height);
        upDown->SetSkinData(ctx.SkinData);
        const TRect up = upDown->ButtonRect(TbsSkinUpDown::UpButton);
        const TRect down = upDown->ButtonRect(TbsSkinUpDown::DownButton);
        switch (action) {
        case TUpDownAction::None:
            break;
        case TUpDownAction::HoverUp:
            SendMouse(upDown, QEvent::MouseMove, QPoint(up.Left + 2, up.Top + 2), Qt::NoButton);
            break;
        case TUpDownAction::PressDown: {
            const QPoint p(down.Left + 2, down.Top + 2);
            SendMouse(upDown, QEvent::MouseMove, p, Qt::NoButton);
            SendMouse(upDown, QEvent::MouseButtonPress, p, Qt::LeftButton);
            break;
        }
        case TUpDownAction::Disable:
            upDown->SetEnabled(false);
            break;
        }
    };
    return cell;
}

std::vector<TGalleryCell> UpDownCells() {
    return {UpDownCell("horizontal", udHorizontal, TUpDownAction::None),
            UpDownCell("up hot", udHorizontal, TUpDownAction::HoverUp),
            UpDownCell("down pressed", udHorizontal, TUpDownAction::PressDown),
            UpDownCell("disabled", udHorizontal, TUpDownAction::Disable),
            UpDownCell("vertical", udVertical, TUpDownAction::None),
            UpDownCell("v. down pressed", udVertical, TUpDownAction::PressDown)};
}

TGalleryCell BevelCell(const QString& label, TBevelShape shape, TBevelStyle style, bool divider) {
    TGalleryCell cell{label, 60, 30, {}};
    cell.Build = [=](TGalleryContext& ctx) {
        auto* bevel = new TbsSkinBevel(ctx.Form);
        bevel->SetBounds(0, 0, cell.Width, cell.Height);
        bevel->SetShape(shape);
        bevel->SetStyle(style);
        bevel->SetDividerMode(divider);
        bevel->SetSkinData(ctx.SkinData);
    };
    return cell;
}

std::vector<TGalleryCell> BevelCells() {
    return {BevelCell("box", bsBox, bsLowered, false),
            BevelCell("box raised", bsBox, bsRaised, false),
            BevelCell("frame", bsFrame, bsLowered, false),
            BevelCell("top line", bsTopLine, bsLowered, false),
            BevelCell("left line", bsLeftLine, bsLowered, false),
            BevelCell("divider h", bsTopLine, bsLowered, true),
            BevelCell("divider v", bsBox, bsLowered, true)};
}

TGalleryCell RadioGroupCell(const QString& label, int columns, int itemIndex) {
    TGalleryCell cell{label, 220, 110, {}};
    cell.Build = [=](TGalleryContext& ctx) {
        auto* group = new TbsSkinRadioGroup(ctx.Form);
        group->SetBounds(0, 0, cell.Width, cell.Height);
        group->SetCaption(QStringLiteral("Effect kind"));
        group->SetSkinData(ctx.SkinData);
        group->SetItems({"Snow", "Stars", "Clock", "Trail", "Banner"});
        group->SetColumns(columns);
        group->SetItemIndex(itemIndex);
    };
    return cell;
}

std::vector<TGalleryCell> RadioGroupCells() {
    return {RadioGroupCell("one column", 1, 0), RadioGroupCell("two columns", 2, 3)};
}

const bool Registered = GalleryRegistry::Add({50, "Check boxes, radio buttons", CheckRadioCells}) &&
                        GalleryRegistry::Add({51, "Up-down pairs", UpDownCells}) &&
                        GalleryRegistry::Add({52, "Bevels", BevelCells}) &&
                        GalleryRegistry::Add({53, "Radio groups", RadioGroupCells});

} // namespace
