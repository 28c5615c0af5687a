// Cost of one worksheet PDF written to disk, as the preview and Save do it:
// field table, layout script and drawing, for a sole custody case (Worksheet
// A) and shared custody cases (Worksheet B in both script variants).
// Prints milliseconds per worksheet and the file size, then the same for a
// worksheet with 1 MB of comments and one with a 300 KB case number, with
// their ratio to an ordinary worksheet. With a folder as
// argument the last PDF of each case is kept there for viewing.
//   bench_pdf --instructions N   writes each worksheet N times inside
//                                measuredWorksheetPdfs(), for callgrind
//                                (tools/callgrind.sh)
#include "OrvaDocument.h"
#include "PDFUtils.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

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

struct Case {
    const char *name;
    const char *fileName;
    OrvaDocument::Mode mode;
    OrvaDocument::CustodyType custody;
};

const Case cases[] = {
    {"sole (Worksheet A, July 2022)", "worksheet-a.pdf", OrvaDocument::July2022, OrvaDocument::SoleMother},
    {"shared (Worksheet B, July 2022)", "worksheet-b.pdf", OrvaDocument::July2022, OrvaDocument::Shared},
    {"shared (Worksheet B, before Oct 2020)", "worksheet-b-pre-oct-2020.pdf", OrvaDocument::PreOct2020,
     OrvaDocument::SharedP1P2},
};

} // namespace

// The section callgrind counts (--toggle-collect=measuredWorksheetPdfs*).
Q_NEVER_INLINE bool measuredWorksheetPdfs(const QString &folder, int rounds)
{
    bool ok = true;
    for (const Case &c : cases) {
        const auto document = makeCase(c.mode, c.custody);
        const QString path = QDir(folder).filePath(QString::fromLatin1(c.fileName));
        for (int i = 0; i < rounds; ++i)
            ok = PDFUtils::save(*document, path, nullptr) && ok;
    }
    return ok;
}

// Texts far longer than their boxes: each is laid out and cut once, so its
// worksheet should cost a small multiple of an ordinary one, not a time
// that grows with the square of the text's length.
void hostileTexts(const QString &folder)
{
    const auto ordinary = makeCase(OrvaDocument::July2022, OrvaDocument::Shared);
    const auto comments = makeCase(OrvaDocument::July2022, OrvaDocument::Shared);
    QString text;
    for (int word = 0; text.size() < 1024 * 1024; ++word)
        text += QStringLiteral("agreed%1 schedule, ").arg(word);
    comments->setComments(text);
    const auto caseNumber = makeCase(OrvaDocument::July2022, OrvaDocument::Shared);
    caseNumber->setCaseNumber(QString(300 * 1024, QLatin1Char('C')));
    const struct {
        const char *name;
        const OrvaDocument *document;
    } texts[] = {{"ordinary (Worksheet B)", ordinary.get()},
                 {"1 MB of comments", comments.get()},
                 {"300 KB case number", caseNumber.get()}};

    std::printf("\n%-40s %10s %12s %8s\n", "hostile text (median of 3)", "ms/pdf", "bytes", "ratio");
    double baseline = 0;
    for (const auto &t : texts) {
        const QString path = QDir(folder).filePath(QStringLiteral("hostile.pdf"));
        std::vector<double> ms;
        for (int i = 0; i < 3; ++i) {
            QElapsedTimer timer;
            timer.start();
            PDFUtils::save(*t.document, path, nullptr);
            ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        if (baseline == 0)
            baseline = ms[1];
        std::printf("%-40s %10.2f %12lld %8.1f\n", t.name, ms[1], QFileInfo(path).size(), ms[1] / baseline);
    }
}

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.warning=false"));

    QTemporaryDir scratch;
    if (argc > 2 && qstrcmp(argv[1], "--instructions") == 0) {
        // Fonts and resources load once, outside the count.
        const auto warmUp = makeCase(OrvaDocument::July2022, OrvaDocument::Shared);
        PDFUtils::save(*warmUp, scratch.filePath(QStringLiteral("warm-up.pdf")), nullptr);
        const bool ok = measuredWorksheetPdfs(scratch.path(), std::max(1, std::atoi(argv[2])));
        std::printf("pdf: %s\n", ok ? "written" : "failed");
        return ok ? 0 : 1;
    }
    const QString keep = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (!keep.isEmpty() && !QDir().mkpath(keep)) {
        std::fprintf(stderr, "bench_pdf: cannot make the folder %s\n", qPrintable(keep));
        return 1;
    }
    const int rounds = 30;

    std::printf("%-40s %10s %12s\n", "case (median of 30)", "ms/pdf", "bytes");
    for (const Case &c : cases) {
        const auto document = makeCase(c.mode, c.custody);
        const QString path = QDir(keep.isEmpty() ? scratch.path() : keep).filePath(QString::fromLatin1(c.fileName));
        PDFUtils::save(*document, path, nullptr); // warm-up: fonts and resources
        QElapsedTimer timer;
        bool ok = true;
        std::vector<double> ms;
        for (int i = 0; i < rounds; ++i) {
            timer.start();
            ok = PDFUtils::save(*document, path, nullptr) && ok;
            ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%-40s %10.2f %12lld%s\n", c.name, ms[ms.size() / 2], QFileInfo(path).size(),
                    ok ? "" : "  (failed)");
    }
    hostileTexts(keep.isEmpty() ? scratch.path() : keep);
    return 0;
}
