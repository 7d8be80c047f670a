#pragma once
// The skinned text and list controls: edits, memos, list box and combo box.

#include "skinctrls/bsSkinComboBox.h"
#include "skinctrls/bsSkinEdit.h"
#include "skinctrls/bsSkinListBox.h"
#include "skinctrls/bsSkinMemo.h"
