#pragma once
// Passes a skin data's change messages from a form to the form's skinned controls, so that
// every control forgets its record before the skin is freed (SkinChanging) and looks it up
// again, refits, re-clips and repaints afterwards (SkinChanged).
//
// The skinned form frame takes over this job once it exists; until then a form that holds
// skinned controls installs a relay.

#include "skin/bsSkinData.h"

#include "framework/Classes.h"

class TForm;

class TbsSkinChangeRelay : public TComponent {
    Q_OBJECT
public:
    // Owned by `form` and registered as the form's listener of custom messages.
    explicit TbsSkinChangeRelay(TForm* form);
    ~TbsSkinChangeRelay() override;

    TForm* Form() const;
    // Passes one message from `skinData` to every skinned control of the form bound to it,
    // depth first: SkinChanging makes them forget their records, SkinChanged re-applies.
    void Relay(QEvent::Type message, TbsSkinData* skinData);

protected:
    bool event(QEvent* event) override;
};

// The form's relay, installed on first use.
TbsSkinChangeRelay* InstallSkinChangeRelay(TForm* form);
