#include "ExplorerPage.h"

#include "OrvaDocument.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

namespace {

QString guidelinesName(int mode)
{
    switch (mode) {
    case OrvaDocument::PreOct2020: return QCoreApplication::translate("SupportExplorer", "Guidelines Pre Oct 2020");
    case OrvaDocument::NewOct2020: return QCoreApplication::translate("SupportExplorer", "Guidelines Oct 2020");
    default: return QCoreApplication::translate("SupportExplorer", "Guidelines Jul 2022");
    }
}

} // namespace

ExplorerCase ExplorerCase::from(const OrvaDocument &document)
{
    ExplorerCase shown;
    shown.input = document.worksheetInput();
    // The window's column captions: the program does not know which party
    // is which parent, so the parties' names would be a guess.
    const int custody = document.custodyType();
    const bool numbered = custody == OrvaDocument::SharedP1P2 || custody == OrvaDocument::SoleParent1
                          || custody == OrvaDocument::SoleParent2;
    shown.parents[0] = numbered ? QCoreApplication::translate("SupportExplorer", "Parent 1")
                                : QCoreApplication::translate("SupportExplorer", "Mother");
    shown.parents[1] = numbered ? QCoreApplication::translate("SupportExplorer", "Parent 2")
                                : QCoreApplication::translate("SupportExplorer", "Father");

    QStringList heading;
    if (!document.caseNumber().trimmed().isEmpty())
        heading << QCoreApplication::translate("SupportExplorer", "Case %1").arg(document.caseNumber().trimmed());
    const QString plaintiff = document.plaintiffName().trimmed();
    const QString defendant = document.defendantName().trimmed();
    if (!plaintiff.isEmpty() || !defendant.isEmpty())
        heading << QStringLiteral("%1 v. %2").arg(plaintiff, defendant);
    heading << guidelinesName(document.mode());
    shown.heading = heading.join(QStringLiteral("  \u00b7  "));
    return shown;
}

QString ExplorerCase::money(qint64 amount)
{
    return QStringLiteral("$") + QLocale(QLocale::English, QLocale::UnitedStates).toString(amount);
}

qreal ExplorerCase::signedOrder(const qint64 (&recommended)[2])
{
    return qreal(recommended[1]) - qreal(recommended[0]);
}

QString ExplorerCase::orderText(const qint64 (&recommended)[2]) const
{
    for (int parent = 0; parent < 2; ++parent) {
        if (recommended[parent] > 0)
            return QCoreApplication::translate("SupportExplorer", "%1 pays %2 a month")
                .arg(parents[parent], money(recommended[parent]));
    }
    return QCoreApplication::translate("SupportExplorer", "no order");
}
