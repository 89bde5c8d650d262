// Key-press filters of the input edits: each sees a typed character before the edit does and
// lets it through or discards it. Keys that type no character (Delete, cursor keys) and
// shortcuts with Ctrl pass untouched; pasted or programmatically set text is not filtered. Enter
// is no character of any edit: it goes to the edit's window, where a dialog's default button
// takes it.
#pragma once

class QLineEdit;

namespace kolma {

enum class InputFilter {
    WholeNumber,            // digits only; Backspace discarded too
    Decimal,                // digits and the comma
    NoBlank,                // everything but the blank
    NoneAccepted,           // nothing: the edit only shows values
    WholeNumberBlankToOne,  // WholeNumber; a text of exactly one blank first becomes "1"
};

// Attaches a filter to an edit (the filter object is owned by the edit).
void installInputFilter(QLineEdit* edit, InputFilter kind);

}  // namespace kolma
