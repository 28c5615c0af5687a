#pragma once

// FieldDialogs: the dialogs behind the buttons of the amount fields. The F
// button edits the field's footnote in the comments dialog, the C button
// converts its amount in the rate converter; the fields only ask for them.

class FCItemEdit;
class FCbItemEdit;

namespace FieldDialogs {

void attach(FCItemEdit *field);
void attach(FCbItemEdit *field);

} // namespace FieldDialogs
