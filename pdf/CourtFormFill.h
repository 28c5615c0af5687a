#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class OrvaDocument;

// The court forms of the Financial Forms and Custody Forms menus and what
// each takes from the case: one table maps case values to the forms' field
// names, so the forms open filled and the user only adds what the case does
// not hold.
namespace CourtFormFill {

enum Form { ShortFinancial, LongFinancial, JointStatement, ParentingPlan };

struct FormInfo {
    Form form;
    QString name;         // on the command line: "9-202", "9-203", "joint-statement", "parenting-plan"
    QString resourceFile; // in the viewer's resources
    QString title;        // the viewer window's title
    QString proposedName; // the file name proposed when the filled form is saved
    bool financial;       // a financial statement: it is the client's
};

const QList<FormInfo> &forms();
const FormInfo &info(Form form);
// Null for a name that is none of the four.
const FormInfo *byName(const QString &name);

// Field name -> text for `form` from `document`, whose client (1 or 2, the
// first or second parent column; anything else: nobody) the financial
// statements are about. Fields the case does not know are left out.
QMap<QString, QString> values(const OrvaDocument &document, Form form, int client);

// Every field name the table can fill in `form`.
QStringList fieldNames(Form form);

} // namespace CourtFormFill
