#include "DialogFlags.h"

#include <QWidget>

namespace OrvaDialogs {

void setCommonWindowFlags(QWidget *dialog)
{
    dialog->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
}

} // namespace OrvaDialogs
