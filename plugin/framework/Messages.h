// Message boxes for the numbered messages of the plug-in's string catalogue.
#pragma once

// A standard message box owned by the host's active window, with the
// plug-in's caption (loaded once) and the given style; returns the button.
int ShowMessage(unsigned nId, unsigned nStyle);

// The caption ShowMessage uses; empty until the first message has been shown.
const char* MessageCaption();

// The framework's message box for a catalogue entry: the application title as
// caption, OK unless a style says otherwise, and the exclamation icon when the
// style names none.
int ShowFrameworkMessage(unsigned nId, unsigned nStyle = 0);

// The entry with its %s replaced by the text, in the framework's message box.
int ShowFormattedMessage(unsigned nId, const char* pText);

// The framework's message box for a text.
int FrameworkMessageBox(const char* pText, unsigned nStyle);
