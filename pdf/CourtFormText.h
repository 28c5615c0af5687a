#pragma once

#include <QString>

// Texts of the case as the court's forms write them, shared by the
// worksheets and the financial and custody forms.
namespace CourtFormText {

// The form's blank "City or County": the county without its state; empty
// for a county the case does not know.
QString courtCounty(int county);
// "12 Main St., Apt 4B"; an apartment typed with its own word ("Suite 2",
// "#3") keeps it.
QString streetLine(const QString &address, const QString &apt);

} // namespace CourtFormText
