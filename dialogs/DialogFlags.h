#pragma once

class QWidget;

namespace OrvaDialogs {

// The window flags every auxiliary dialog uses: a normal top-level window with
// title bar, system menu and close button, the fixed-size hint, and neither a
// context-help nor a minimise or maximise button.
void setCommonWindowFlags(QWidget *dialog);

} // namespace OrvaDialogs
