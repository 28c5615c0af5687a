#pragma once

// FormCommands: the court forms of the Financial and Custody Forms menus,
// opened in the form viewer, and the tools beside the case form: client
// details, rate converter, calendar, comments and the alimony calculator.

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

    // Opens a court form of the resources in the form viewer.
    void openForm(const QString &resourceFile, const QString &title, const QString &proposedName);
    void plaintiffDetails();
    void defendantDetails();
    void rateConverter();
    void calendar();
    void comments();
    void calculateAlimony();
    // Runs the alimony calculator with an alimony file; false when the file
    // could not be read (the calculator then opens empty).
    bool openAlimonyFile(const QString &fileName);

private:
    void clientDetails(int tab);

    QWidget *m_window;
    CaseHolder *m_case;
    WarningsPresenter *m_warnings;
};
