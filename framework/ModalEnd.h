#pragma once
// When the last modal run of a form ended. A press that arrives just after a dialog closed
// is usually the rest of the click (or double click) that closed it, meant for the dialog;
// controls that run commands on a press ask this so it does not reach them.

namespace ModalEnd {

// Called by TForm::ShowModal when a modal run is over.
void Note();
// True within the desktop's double-click interval after the last modal run ended.
bool JustEnded();

} // namespace ModalEnd
