// Cost of one worksheet PDF written to disk, as the preview and Save do it:
// field table, layout script and drawing, for a sole custody case (Worksheet
// A) and shared custody cases (Worksheet B in both script variants).
// Prints milliseconds per worksheet and the file size. With a folder as
// argument the last PDF of each case is kept there for viewing.
#include "OrvaDocument.h"
#include "PDFUtils.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<OrvaDocument> makeCase(OrvaDocument::Mode mode, OrvaDocument::CustodyType custody)
{
    auto d = std::make_unique<OrvaDocument>(mode);
    d->setCustodyType(custody);
    d->setCaseNumber(QStringLiteral("C-02-FM-24-001234"));
    d->setCounty(OrvaDocument::Anne_Arundel_County);
    d->setPlaintiffName(QStringLiteral("Jane Q. Sample"));
    d->setDefendantName(QStringLiteral("John R. Sample"));
    d->setPreparer(QStringLiteral("A. Attorney, Esq."));
    d->setPreparedDate(QStringLiteral("12/9/24"));
    const char *children[][2] = {{"Ava Sample", "03/14/2012"}, {"Ben Sample", "07/02/2015"}, {"Cleo Sample", "age 6"}};
    for (int i = 0; i < 3; ++i) {
        d->setChildName(i + 1, QString::fromLatin1(children[i][0]));
        d->setChildBirthDate(i + 1, QString::fromLatin1(children[i][1]));
    }
    d->setMotherMonthlyIncome(4200);
    d->setFatherMonthlyIncome(6900);
    d->setMotherExistingChildSupportPayment(150);
    d->setFatherAlimonyAwarded(-300);
    d->setMotherWorkRelatedExpenses(650);
    d->setFatherHealthInsurance(220);
    d->setMotherExtraMedicalExpenses(80);
    d->setFatherCashMedicalPercent(1.5);
    d->setMotherCashMedicalPercent(0.5);
    d->setFatherAdditionalExpenses(120);
    if (OrvaDocument::isSharedCustody(custody))
        d->setFatherOvernights(mode == OrvaDocument::PreOct2020 ? 140 : 100);
    d->setFootnote(1, QStringLiteral("Salary from the 2023 W-2, averaged over twelve months."));
    d->setFootnote(9, QStringLiteral("Before- and after-school care, 2024 invoices."));
    d->setFootnote(12, QStringLiteral("Family coverage; the children's portion is shown."));
    d->setComments(QStringLiteral("The parties agreed on the holiday schedule; overnights reflect the 2024 calendar."));
    return d;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.warning=false"));

    const QString keep = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QTemporaryDir scratch;
    const int rounds = 30;

    struct Case {
        const char *name;
        OrvaDocument::Mode mode;
        OrvaDocument::CustodyType custody;
    } cases[] = {
        {"sole (Worksheet A, July 2022)", OrvaDocument::July2022, OrvaDocument::SoleMother},
        {"shared (Worksheet B, July 2022)", OrvaDocument::July2022, OrvaDocument::Shared},
        {"shared (Worksheet B, before Oct 2020)", OrvaDocument::PreOct2020, OrvaDocument::SharedP1P2},
    };
    const char *fileNames[] = {"worksheet-a.pdf", "worksheet-b.pdf", "worksheet-b-pre-oct-2020.pdf"};

    std::printf("%-40s %10s %12s\n", "case", "ms/pdf", "bytes");
    for (int c = 0; c < 3; ++c) {
        const auto document = makeCase(cases[c].mode, cases[c].custody);
        const QString path = QDir(keep.isEmpty() ? scratch.path() : keep).filePath(QString::fromLatin1(fileNames[c]));
        PDFUtils::save(*document, path, nullptr); // warm-up: fonts and resources
        QElapsedTimer timer;
        timer.start();
        bool ok = true;
        for (int i = 0; i < rounds; ++i)
            ok = PDFUtils::save(*document, path, nullptr) && ok;
        const double ms = double(timer.nsecsElapsed()) / 1e6 / rounds;
        std::printf("%-40s %10.2f %12lld%s\n", cases[c].name, ms, QFileInfo(path).size(), ok ? "" : "  (failed)");
    }
    return 0;
}
