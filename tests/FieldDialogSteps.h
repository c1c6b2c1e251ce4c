// Steps of the UI driver in the field dialogs, shared by the tests that
// drive them.
#pragma once

#include "core/StringIds.h"
#include "host/UiDriver.h"

#include <string>

namespace FieldDialogSteps {

// A selection in an edit of the dialog, then a button that opens a window of
// its own (the Name dialog or a message) when bStays, or closes the dialog.
inline CDialogActions SelectAnd(int nEdit, int s, int e, int nButton, bool bStays) {
    CDialogActions actions;
    actions.selections = {{nEdit, s, e}};
    actions.nButton = nButton;
    actions.bStaysOpen = bStays;
    return actions;
}

// The Define dialog: a selection in the sample, then Add... or Edit....
inline CDialogActions SelectAnd(int s, int e, int nButton) {
    return SelectAnd(IDC_SAMPLE_TEXT, s, e, nButton, true);
}

// The Name dialog: the name entered and OK.
inline CDialogActions Named(const std::string& strName) {
    CDialogActions actions;
    actions.texts = {{IDC_FIELD_NAME, strName}};
    return actions;
}

// Texts entered and OK, which refuses them with a message.
inline CDialogActions Refused(const ControlTexts& texts) {
    CDialogActions actions;
    actions.texts = texts;
    actions.bStaysOpen = true;
    return actions;
}

// Only a look at the dialog; it is answered by a later step.
inline CDialogActions Look() {
    CDialogActions actions;
    actions.nButton = 0;
    return actions;
}

inline CDialogActions Button(int nButton, bool bStays = false) {
    CDialogActions actions;
    actions.nButton = nButton;
    actions.bStaysOpen = bStays;
    return actions;
}

} // namespace FieldDialogSteps
