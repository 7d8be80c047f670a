#pragma once
// The skin-client interface: what takes part in a skin change. Skin changes reach the
// clients in two steps: first ForgetSkin on every client of a form bound to the skin data,
// then, once the new skin is in place, ApplySkin.

#include <QList>

class TbsSkinData;
class TWinControl;

// Anything that draws from a TbsSkinData and takes part in a skin change.
class TbsSkinClient {
public:
    virtual ~TbsSkinClient() = default;
    virtual TbsSkinData* SkinData() const = 0;
    // Before the skin changes: drop the record index (the records are about to go).
    virtual void ForgetSkin() = 0;
    // After the skin changed: look the record up again, refit, re-clip, repaint.
    virtual void ApplySkin() = 0;
};

// Every skin client among `root`'s controls, depth first (each control, then its children).
QList<TbsSkinClient*> SkinClientsOf(const TWinControl* root);
