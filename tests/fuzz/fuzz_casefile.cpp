// libFuzzer target for the case-file reader. Every input is written to a
// file and read into a fresh document, as the Open command does; an input
// that opens is saved and opened again, and must come back the same.
#include "OrvaDocument.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace {

void silence(QtMsgType, const QMessageLogContext &, const QString &) {}

QString scratch(const char *name)
{
    static const QString folder = [] {
        const QString dir = QDir::tempPath() + QStringLiteral("/orva-fuzz-%1").arg(getpid());
        QDir().mkpath(dir);
        return dir;
    }();
    return folder + QLatin1Char('/') + QLatin1String(name);
}

// Stored fields that must survive a save and a reopen unchanged.
QString fingerprint(const OrvaDocument &d)
{
    QStringList parts{d.caseNumber(), d.preparer(), d.plaintiffName(), d.defendantName(), d.comments(),
                      d.plaintiffAddress(), d.defendantZip(), d.clientAlimonyPaid(), d.clientAlimonyReceived()};
    for (int i = 1; i <= 6; ++i)
        parts << d.childName(i) << d.childBirthDate(i);
    for (int n = 1; n <= 18; ++n)
        parts << d.footnote(n);
    const qint64 numbers[] = {d.mode(), d.county(), d.courtType(), d.custodyType(), d.motherOvernights(),
                              d.fatherOvernights(), d.motherMonthlyIncome(), d.fatherMonthlyIncome(),
                              d.motherAlimonyAwarded(), d.fatherAlimonyAwarded(), d.motherAdditionalExpenses(),
                              d.fatherExistingChildSupportPayment(), d.relationshipIndex()};
    for (qint64 n : numbers)
        parts << QString::number(n);
    return parts.join(QChar(0x1F));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(silence), true);
    (void)quiet;

    const QString input = scratch("input.cml");
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }

    OrvaDocument doc(OrvaDocument::July2022);
    if (!doc.readCaseFile(input))
        return 0;

    // Exercise every computation on whatever the file held.
    volatile qint64 sink = doc.motherRecommendedChildSupport() + doc.fatherRecommendedChildSupport()
                           + doc.expenseBalanceDue(OrvaDocument::Mother) + doc.basicObligation();
    (void)sink;

    const QString saved = scratch("saved.cml");
    if (!doc.writeCaseFile(saved))
        std::abort(); // anything that opens must save
    OrvaDocument again(OrvaDocument::July2022);
    if (!again.readCaseFile(saved))
        std::abort();
    if (fingerprint(again) != fingerprint(doc))
        std::abort();
    return 0;
}
