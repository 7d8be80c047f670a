#pragma once
// Finding a control record of one kind by its skin-data name, for skinned controls that do not
// descend from the skinned control base (edits, memos, labels, bevels).

#include "skin/bsSkinData.h"

// The record's index and the record as kind R: index -1 without skin data, with an empty skin
// or for an unknown name; a null record also when the named record is of another kind.
template <class R> struct TbsFoundRecord {
    int Index = -1;
    const R* Record = nullptr;
};

template <class R>
TbsFoundRecord<R> FindControlRecord(const TbsSkinData* data, const QString& name) {
    TbsFoundRecord<R> found;
    if (!data || data->SkinEmpty)
        return found;
    found.Index = data->IndexOfControl(name);
    if (found.Index >= 0 && found.Index < static_cast<int>(data->SkinControls.size()))
        found.Record =
            dynamic_cast<const R*>(data->SkinControls[static_cast<size_t>(found.Index)].get());
    else
        found.Index = -1;
    return found;
}
