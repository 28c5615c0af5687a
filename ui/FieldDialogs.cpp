#include "FieldDialogs.h"

#include "CommentsDialog.h"
#include "FCItemEdit.h"
#include "FCbItemEdit.h"
#include "RateConverter.h"

namespace {

// The comments dialog on `footnote`; the edited text when it was accepted.
bool editFootnote(const QString &footnote, QString *edited)
{
    CommentsDialog dialog;
    dialog.setPlainText(footnote);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *edited = dialog.plainText();
    return true;
}

} // namespace

namespace FieldDialogs {

void attach(FCItemEdit *field)
{
    QObject::connect(field, &FCItemEdit::footnoteRequested, field, [field] {
        QString edited;
        if (editFootnote(field->footnote(), &edited))
            field->reportFootnote(edited);
    });
    QObject::connect(field, &FCItemEdit::rateConverterRequested, field, [field](const QString &amount) {
        RateConverter converter(amount);
        if (converter.exec() == QDialog::Accepted)
            field->applyConvertedAmount(converter.resultText());
    });
}

void attach(FCbItemEdit *field)
{
    QObject::connect(field, &FCbItemEdit::footnoteRequested, field, [field] {
        QString edited;
        if (editFootnote(field->footnote(), &edited))
            field->reportFootnote(edited);
    });
}

} // namespace FieldDialogs
