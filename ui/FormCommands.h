#pragma once

// FormCommands: the court forms of the Financial and Custody Forms menus,
// opened in the form viewer, and the tools beside the case form: client
// details, rate converter, calendar, comments and the alimony calculator.

#include "CourtFormFill.h"

#include <QObject>
#include <QString>

class CaseHolder;
class QWidget;
class WarningsPresenter;

class FormCommands : public QObject
{
    Q_OBJECT

public:
    FormCommands(QWidget *window, CaseHolder *holder, WarningsPresenter *warnings);

    // Opens a court form in the form viewer, filled from the case. A
    // financial statement is the client's: with none chosen, asks whose.
    void openForm(CourtFormFill::Form form);
    void plaintiffDetails();
    void defendantDetails();
    void rateConverter();
    void calendar();
    void comments();
    void calculateAlimony();
    // Runs the alimony calculator with an alimony file; false when the file
    // could not be read (the calculator then opens empty).
    bool openAlimonyFile(const QString &fileName);

signals:
    // The case changed (its client was chosen): the window shows it again.
    void refreshNeeded();

private:
    void clientDetails(int tab);
    // The client chosen in answer to the question; 0 when cancelled.
    int askForClient();

    QWidget *m_window;
    CaseHolder *m_case;
    WarningsPresenter *m_warnings;
};
