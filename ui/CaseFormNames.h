#pragma once

// CaseFormNames: what a screen reader calls every field of the case form,
// whose and which line ("Mother's monthly actual income"), after the column
// captions of the custody type; one table for the whole form.

#include <QCoreApplication>
#include <QString>

namespace Ui {
class MainWindow;
}

class CaseFormNames
{
    Q_DECLARE_TR_FUNCTIONS(CaseFormNames)

public:
    // Names every field for the columns `first` and `second` ("Mother",
    // "Parent 1", ...) and the parties in the header.
    static void apply(Ui::MainWindow *form, const QString &first, const QString &second);
};
