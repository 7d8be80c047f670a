#include "skin/bsSkinClient.h"

#include "framework/Controls.h"

QList<TbsSkinClient*> SkinClientsOf(const TWinControl* root) {
    QList<TbsSkinClient*> clients;
    if (!root)
        return clients;
    for (TControl* control : root->AllControls())
        if (auto* client = dynamic_cast<TbsSkinClient*>(control))
            clients.append(client);
    return clients;
}
