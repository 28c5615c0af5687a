#include "FormCommands.h"

#include "AlimonyCalc.h"
#include "CalendarDialog.h"
#include "CaseHolder.h"
#include "ClientDetailsForm.h"
#include "CommentsDialog.h"
#include "OrvaDocument.h"
#include "PDFUtils.h"
#include "PdfjsProtocol.h"
#include "RateConverter.h"
#include "WarningsPresenter.h"

FormCommands::FormCommands(QWidget *window, CaseHolder *holder, WarningsPresenter *warnings)
    : m_window(window)
    , m_case(holder)
    , m_warnings(warnings)
{
}

void FormCommands::openForm(const QString &resourceFile, const QString &title, const QString &proposedName)
{
    m_warnings->hideBalloons();
    if (!PDFUtils::openWithAcrobat(PdfjsProtocol::formUrl(resourceFile), title, proposedName))
        PDFUtils::showPdfErrorNotice();
}

void FormCommands::plaintiffDetails()
{
    clientDetails(ClientDetailsForm::PlaintiffTab);
}

void FormCommands::defendantDetails()
{
    clientDetails(ClientDetailsForm::DefendantTab);
}

void FormCommands::clientDetails(int tab)
{
    m_warnings->hideBalloons();
    ClientDetailsForm form(tab, m_case->sharedDocument(), m_window);
    form.exec();
}

void FormCommands::rateConverter()
{
    m_warnings->hideBalloons();
    RateConverter converter(RateConverter::standAloneText(), m_window);
    converter.exec();
}

void FormCommands::calendar()
{
    m_warnings->hideBalloons();
    CalendarDialog dialog(m_window);
    dialog.exec();
}

void FormCommands::comments()
{
    m_warnings->hideBalloons();
    CommentsDialog dialog;
    // The same editor as the footnotes, here for the case's comments.
    dialog.setWindowTitle(tr("Comments"));
    dialog.setPlainText(m_case->document()->comments());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_case->document()->setComments(dialog.plainText());
    m_case->document()->setModified(true);
}

// The calculator stands apart from the case: no parent, and the case's
// warning balloons stay where they are.
void FormCommands::calculateAlimony()
{
    AlimonyCalc calculator;
    calculator.exec();
}

bool FormCommands::openAlimonyFile(const QString &fileName)
{
    // As the calculator's own Open: a file it cannot read is said over its
    // empty form, which stays open for a new entry.
    AlimonyCalc calculator;
    const bool opened = calculator.openFile(fileName);
    calculator.exec();
    return opened;
}
