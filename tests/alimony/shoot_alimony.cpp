// Not a test: grabs the alimony calculator to PNG files after a realistic
// entry (one with an input that is no number) and prints its report to PDF,
// for a look by eye. ORVA_SHOTS names the folder.

#include "AlimonyCalc.h"

#include "../ui/OrvaTestMain.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPrinter>

namespace {

void type(AlimonyCalc &dialog, const char *name, const QString &text)
{
    auto *edit = dialog.findChild<QLineEdit *>(QString::fromLatin1(name));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

} // namespace

int main(int argc, char **argv)
{
    OrvaTest::Environment environment;
    CalcApplication app(argc, argv, 1.0f);
    const QString folder = qEnvironmentVariable("ORVA_SHOTS", QStringLiteral("shots"));
    QDir().mkpath(folder);

    AlimonyCalc dialog;
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        return 1;
    dialog.grab().save(folder + QStringLiteral("/alimony-empty.png"));

    type(dialog, "caseNumberEdit", QStringLiteral("C-07-FM-24-000123 & <Cecil>"));
    type(dialog, "countyEdit", QStringLiteral("Cecil County, MD"));
    type(dialog, "plaintiffEdit", QStringLiteral("Jane O'Hara"));
    type(dialog, "defendantEdit", QStringLiteral("Robert O'Hara"));
    type(dialog, "yearsEdit", QStringLiteral("12"));
    type(dialog, "payorgrossEdit", QStringLiteral("2,187,500"));
    type(dialog, "payeegrossEdit", QStringLiteral("31000"));
    type(dialog, "payordeviationOEdit", QStringLiteral("150"));
    dialog.grab().save(folder + QStringLiteral("/alimony-invalid.png"));

    type(dialog, "payorgrossEdit", QStringLiteral("2187500"));
    dialog.grab().save(folder + QStringLiteral("/alimony-entry.png"));

    for (const char *name : {"chkTX", "chkTXdf"})
        dialog.findChild<QCheckBox *>(QString::fromLatin1(name))->setChecked(false);
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder + QStringLiteral("/alimony-report-no-texas.pdf"));
    return dialog.printOn(&printer) ? 0 : 1;
}
