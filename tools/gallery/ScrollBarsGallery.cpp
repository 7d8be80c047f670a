// Gallery section: the skinned scroll bars at several positions, both ways, with hot,
// pressed, dragged, focused and disabled parts.

#include "gallery/GalleryRegistry.h"

#include "skinctrls/bsSkinScrollBar.h"

#include "framework/Forms.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

enum class TAction { None, Hover, Press, Focus, Disable };

struct TBarSetup {
    TScrollBarKind Kind = sbVertical;
    int Position = 0;
    int PageSize = 0;
    TAction Action = TAction::None;
    // The part the action aims at.
    int Part = TbsSkinScrollBar::ThumbPart;
    bool Both = false;
};

void SendMouse(QWidget* widget, QEvent::Type type, const QPoint& p, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(p), QPointF(widget->mapToGlobal(p)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

QPoint CentreOf(const TRect& r) {
    return QPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
}

TGalleryCell BarCell(const QString& label, const TBarSetup& setup) {
    TGalleryCell cell;
    cell.Label = label;
    const bool vertical = setup.Kind == sbVertical;
    cell.Width = vertical ? 19 : 170;
    cell.Height = vertical ? 130 : 19;
    cell.Build = [=](TGalleryContext& ctx) {
        auto* bar = new TbsSkinScrollBar(ctx.Form);
        bar->SetKind(setup.Kind);
        bar->SetBoth(setup.Both);
        bar->SetBounds(0, 0, cell.Width, cell.Height);
        bar->SetSkinData(ctx.SkinData);
        if (setup.PageSize != 0)
            bar->SetRange(0, 99, setup.PageSize, setup.Position);
        else
            bar->SetPosition(setup.Position);
        const QPoint target = CentreOf(bar->PartRect(setup.Part));
        switch (setup.Action) {
        case TAction::None:
            break;
        case TAction::Hover:
            SendMouse(bar, QEvent::MouseMove, target, Qt::NoButton);
            break;
        case TAction::Press:
            SendMouse(bar, QEvent::MouseMove, target, Qt::NoButton);
            SendMouse(bar, QEvent::MouseButtonPress, target, Qt::LeftButton);
            break;
        case TAction::Focus:
            bar->SetCanFocused(true);
            ctx.Focus(bar);
            break;
        case TAction::Disable:
            bar->SetEnabled(false);
            break;
        }
    };
    return cell;
}

TBarSetup Vertical(int position, TAction action = TAction::None,
                   int part = TbsSkinScrollBar::ThumbPart) {
    TBarSetup s;
    s.Position = position;
    s.Action = action;
    s.Part = part;
    return s;
}

TBarSetup Horizontal(int position, TAction action = TAction::None,
                     int part = TbsSkinScrollBar::ThumbPart) {
    TBarSetup s = Vertical(position, action, part);
    s.Kind = sbHorizontal;
    return s;
}

TBarSetup WithPage(TBarSetup s, int pageSize) {
    s.PageSize = pageSize;
    return s;
}

std::vector<TGalleryCell> VerticalCells() {
    using B = TbsSkinScrollBar;
    return {
        BarCell("top", Vertical(0)),
        BarCell("middle", Vertical(50)),
        BarCell("bottom", Vertical(100)),
        BarCell("page 30", WithPage(Vertical(35), 30)),
        BarCell("hot up", Vertical(50, TAction::Hover, B::DecreasePart)),
        BarCell("pressed up", Vertical(50, TAction::Press, B::DecreasePart)),
        BarCell("hot down", Vertical(50, TAction::Hover, B::IncreasePart)),
        BarCell("pressed down", Vertical(50, TAction::Press, B::IncreasePart)),
        BarCell("hot thumb", Vertical(50, TAction::Hover)),
        BarCell("dragged", Vertical(50, TAction::Press)),
        BarCell("focused", Vertical(50, TAction::Focus)),
        BarCell("disabled", Vertical(50, TAction::Disable)),
    };
}

std::vector<TGalleryCell> HorizontalCells() {
    using B = TbsSkinScrollBar;
    TBarSetup both = Horizontal(50);
    both.Both = true;
    return {
        BarCell("left", Horizontal(0)),
        BarCell("middle", Horizontal(50)),
        BarCell("right", Horizontal(100)),
        BarCell("page 30", WithPage(Horizontal(35), 30)),
        BarCell("hot left", Horizontal(50, TAction::Hover, B::DecreasePart)),
        BarCell("pressed right", Horizontal(50, TAction::Press, B::IncreasePart)),
        BarCell("hot thumb", Horizontal(50, TAction::Hover)),
        BarCell("dragged", WithPage(Horizontal(35, TAction::Press), 30)),
        BarCell("disabled", Horizontal(50, TAction::Disable)),
        BarCell("both (corner)", both),
    };
}

const bool Registered = GalleryRegistry::Add({20, "Scroll bars, vertical", VerticalCells}) &&
                        GalleryRegistry::Add({21, "Scroll bars, horizontal", HorizontalCells});

} // namespace
