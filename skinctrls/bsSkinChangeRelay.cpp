// TbsSkinChangeRelay: the skin messages of a form, passed on to its skinned controls.

#include "skinctrls/bsSkinChangeRelay.h"
#include "skinctrls/bsSkinCtrls.h"

#include "framework/Forms.h"

TbsSkinChangeRelay::TbsSkinChangeRelay(TForm* form) : TComponent(form) {
    if (form)
        form->AddMessageListener(this);
}

TbsSkinChangeRelay::~TbsSkinChangeRelay() {
    if (TForm* form = Form())
        form->RemoveMessageListener(this);
}

TForm* TbsSkinChangeRelay::Form() const {
    return qobject_cast<TForm*>(parent());
}

void TbsSkinChangeRelay::Relay(QEvent::Type message, TbsSkinData* skinData) {
    if (message != SkinChanging && message != SkinChanged)
        return;
    for (TbsSkinClient* client : SkinClientsOf(Form())) {
        if (!skinData || client->SkinData() != skinData)
            continue;
        Guarded([&] {
            if (message == SkinChanging)
                client->ForgetSkin();
            else
                client->ApplySkin();
        });
    }
}

bool TbsSkinChangeRelay::event(QEvent* event) {
    if (auto* message = dynamic_cast<TbsSkinMessageEvent*>(event)) {
        Relay(message->type(), message->SkinData);
        return true;
    }
    return TComponent::event(event);
}

TbsSkinChangeRelay* InstallSkinChangeRelay(TForm* form) {
    if (!form)
        return nullptr;
    if (auto* relay = form->findChild<TbsSkinChangeRelay*>(QString(), Qt::FindDirectChildrenOnly))
        return relay;
    return new TbsSkinChangeRelay(form);
}
