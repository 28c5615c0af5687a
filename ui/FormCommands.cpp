#include "FormCommands.h"

#include "AlimonyCalc.h"
#include "Ask.h"
#include "CalendarDialog.h"
#include "CaseHolder.h"
#include "ClientDetailsForm.h"
#include "CommentsDialog.h"
#include "OrvaDocument.h"
#include "PDFUtils.h"
#include "PdfjsHost.h"
#include "PdfjsProtocol.h"
#include "RateConverter.h"
#include "WarningsPresenter.h"

#include <QAbstractButton>
#include <QIcon>
#include <QMessageBox>

FormCommands::FormCommands(QWidget *window, CaseHolder *holder, WarningsPresenter *warnings)
    : m_window(window)
    , m_case(holder)
    , m_warnings(warnings)
{
}

void FormCommands::openForm(CourtFormFill::Form form)
{
    m_warnings->hideBalloons();
    const CourtFormFill::FormInfo &info = CourtFormFill::info(form);
    OrvaDocument *doc = m_case->document();
    int client = doc->formsClient();
    if (info.financial && client == OrvaDocument::NoClient) {
        client = askForClient();
        if (client == OrvaDocument::NoClient)
            return;
        doc->setFormsClient(client);
        doc->setModified(true);
        emit refreshNeeded();
    }
    const PdfjsForm viewed{PdfjsProtocol::formUrl(info.resourceFile), info.title, info.proposedName,
                           CourtFormFill::values(*doc, form, client)};
    if (!PDFUtils::openWithAcrobat(viewed))
        PDFUtils::showPdfErrorNotice();
}

int FormCommands::askForClient()
{
    const OrvaDocument *doc = m_case->document();
    // Without names, the buttons say what the columns are called.
    const bool parents = doc->custodyType() >= OrvaDocument::SharedP1P2;
    const QString first = doc->plaintiffName().trimmed().isEmpty()
                              ? (parents ? tr("Parent 1") : tr("Mother"))
                              : doc->plaintiffName().trimmed();
    const QString second = doc->defendantName().trimmed().isEmpty()
                               ? (parents ? tr("Parent 2") : tr("Father"))
                               : doc->defendantName().trimmed();
    QMessageBox box(QMessageBox::Question, tr("Select client for financial forms"),
                    tr("Whose financial statement is this form?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_window);
    // Names, not Yes and No: neither party is the wrong answer.
    for (const auto &[button, name] : {std::pair{QMessageBox::Yes, first}, std::pair{QMessageBox::No, second}}) {
        box.button(button)->setText(name);
        box.button(button)->setIcon(QIcon());
    }
    box.setDefaultButton(QMessageBox::Yes);
    switch (Ask::exec(box)) {
    case QMessageBox::Yes:
        return OrvaDocument::FirstParentClient;
    case QMessageBox::No:
        return OrvaDocument::SecondParentClient;
    default:
        return OrvaDocument::NoClient;
    }
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
