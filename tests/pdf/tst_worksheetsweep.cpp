// Every input of a case gets a value of its own, and every field of
// Worksheets A and B is compared with a golden list: a field wired to the
// wrong input, total or footnote slot shows up as a changed line.
//
// The lists are in tests/pdf/data/sweep-*.txt, one "field<TAB>text" per line
// (a line feed in a text written as \n). After a deliberate change,
// ORVA_WRITE_GOLDEN=1 writes them anew; read the difference before committing.
#include "OrvaDocument.h"
#include "PDFDocument.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <memory>

using Doc = OrvaDocument;

namespace {

// Footnotes in some slots only, so that the numbers they get depend on
// which slot each amount examines.
const QList<int> FootnoteSlots = {2, 3, 5, 8, 9, 12, 13, 16, 17};

std::unique_ptr<Doc> distinctCase(Doc::Mode mode, int custody, int fatherOvernights)
{
    auto d = std::make_unique<Doc>(mode);
    d->setCustodyType(custody);
    d->setCourtType(Doc::District);
    d->setCounty(Doc::Howard_County);
    d->setCaseNumber("D-10-FM-24-017");
    d->setPlaintiffName("Pia Plaintiff");
    d->setDefendantName("Dan Defendant");
    d->setPreparer("Pat Preparer");
    d->setPreparedDate("1/17/2025");
    for (int i = 1; i <= 6; ++i) {
        d->setChildName(i, QStringLiteral("Child %1").arg(i));
        d->setChildBirthDate(i, QStringLiteral("%1/%1/201%1").arg(i));
    }
    d->setMotherMonthlyIncome(6101);
    d->setFatherMonthlyIncome(4203);
    d->setMotherExistingChildSupportPayment(101);
    d->setFatherExistingChildSupportPayment(102);
    d->setMotherAlimonyPaid(103);
    d->setFatherAlimonyPaid(104);
    d->setMotherAlimonyAwarded(105); // the father's is its negation
    d->setMotherWorkRelatedExpenses(107);
    d->setFatherWorkRelatedExpenses(108);
    d->setMotherHealthInsurance(109);
    d->setFatherHealthInsurance(110);
    d->setMotherExtraMedicalExpenses(111);
    d->setFatherExtraMedicalExpenses(112);
    d->setMotherCashMedicalPercent(1.0);
    d->setFatherCashMedicalPercent(3.0);
    d->setMotherAdditionalExpenses(113);
    d->setFatherAdditionalExpenses(114);
    d->setPlaintiffAddress("1 Plaintiff Way"); // the header block of July 2022
    d->setPlaintiffCity("Pville");
    d->setPlaintiffState("MD");
    d->setPlaintiffZip("21001");
    d->setPlaintiffPhone("301-555-0001");
    d->setDefendantAddress("2 Defendant Road");
    d->setDefendantApt("3");
    d->setDefendantCity("Dtown");
    d->setDefendantState("VA");
    d->setDefendantZip("22002");
    d->setDefendantPhone("703-555-0002");
    d->setMotherMultifamilyChildren(1); // line 1d: July 2022 keeps them, the others 0
    d->setFatherMultifamilyChildren(2);
    if (Doc::isSharedCustody(custody))
        d->setFatherOvernights(fatherOvernights);
    for (const int slot : FootnoteSlots)
        d->setFootnote(slot, QStringLiteral("Note of slot %1").arg(slot));
    d->setComments("Comment of the sweep.");
    return d;
}

QString escaped(QString text)
{
    return text.replace('\\', "\\\\").replace('\n', "\\n");
}

QString unescaped(const QString &text)
{
    QString result;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == '\\' && i + 1 < text.size()) {
            ++i;
            result += text.at(i) == 'n' ? QChar('\n') : text.at(i);
        } else {
            result += text.at(i);
        }
    }
    return result;
}

} // namespace

class TestWorksheetSweep : public QObject
{
    Q_OBJECT

private slots:
    void everyField_data();
    void everyField();
};

void TestWorksheetSweep::everyField_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::addColumn<int>("fatherOvernights");
    QTest::addColumn<QString>("golden");

    QTest::newRow("A, sole mother, July 2022") << int(Doc::July2022) << int(Doc::SoleMother) << 0 << "sweep-a-sole-mother-july2022.txt";
    QTest::newRow("A, sole father, October 2020") << int(Doc::NewOct2020) << int(Doc::SoleFather) << 0 << "sweep-a-sole-father-oct2020.txt";
    QTest::newRow("B, shared, July 2022, 100 nights") << int(Doc::July2022) << int(Doc::Shared) << 100 << "sweep-b-shared-july2022.txt";
    QTest::newRow("B, shared, pre October 2020, 125 nights") << int(Doc::PreOct2020) << int(Doc::Shared) << 125 << "sweep-b-shared-preoct2020.txt";
}

void TestWorksheetSweep::everyField()
{
    QFETCH(int, mode);
    QFETCH(int, custody);
    QFETCH(int, fatherOvernights);
    QFETCH(QString, golden);

    const auto document = distinctCase(Doc::Mode(mode), custody, fatherOvernights);
    PDFDocument worksheet;
    worksheet.fillWorksheetFields(*document);
    const QHash<QString, QString> fields = worksheet.fields();
    QStringList names = fields.keys();
    names.sort();

    const QString path = QStringLiteral(ORVA_SOURCE_DIR "/tests/pdf/data/") + golden;
    if (qEnvironmentVariableIsSet("ORVA_WRITE_GOLDEN")) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text));
        out.write(QStringLiteral("# Worksheet fields of the sweep case: %1\n").arg(QTest::currentDataTag()).toUtf8());
        for (const QString &name : std::as_const(names))
            out.write((name + '\t' + escaped(fields.value(name)) + '\n').toUtf8());
        QVERIFY(out.flush());
        out.close();
        QCOMPARE(out.error(), QFileDevice::NoError);
    }

    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(path));
    QHash<QString, QString> expected;
    for (const QString &line : QString::fromUtf8(file.readAll()).split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const qsizetype tab = line.indexOf('\t');
        QVERIFY2(tab > 0, qPrintable(line));
        expected.insert(line.left(tab), unescaped(line.mid(tab + 1)));
    }

    // Every field, each difference named.
    QStringList differences;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
        if (!fields.contains(it.key()))
            differences << QStringLiteral("%1 missing").arg(it.key());
        else if (fields.value(it.key()) != it.value())
            differences << QStringLiteral("%1 = '%2', expected '%3'").arg(it.key(), escaped(fields.value(it.key())), escaped(it.value()));
    }
    for (const QString &name : std::as_const(names))
        if (!expected.contains(name))
            differences << QStringLiteral("%1 not in the list").arg(name);
    differences.sort();
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join("; ")));
    QCOMPARE(expected.size(), PDFDocument::knownFieldNames(mode, custody).size());

    // The values that give the sweep its power are really distinct: no two
    // amount inputs print the same text.
    static const QRegularExpression inputField("^(monthly_income|existing_child_supp_pay|alimony_paid|alimony_awarded|"
                                               "work_related_child_exp|health_ins_pay|extraordinary|cmedsup|add_expenses)_[mf]$");
    QSet<QString> inputTexts;
    int inputs = 0;
    for (const QString &name : std::as_const(names)) {
        if (!inputField.match(name).hasMatch())
            continue;
        ++inputs;
        inputTexts << QString(fields.value(name)).remove('-');
    }
    QCOMPARE(inputs, 18);
    QCOMPARE(inputTexts.size(), 17); // the two alimony awards are one amount with two signs
}

QTEST_MAIN(TestWorksheetSweep)
#include "tst_worksheetsweep.moc"
