// The mapping from a case to the court forms' fields: every name it fills
// exists in its form (read from the form PDFs themselves), and the example
// case gives the values written down below for each party and client.

#include "CourtFormFill.h"
#include "OrvaDocument.h"

#include <QFile>
#include <QRegularExpression>
#include <QtTest>

using CourtFormFill::Form;

class TestCourtFormFill : public QObject
{
    Q_OBJECT

private slots:
    void namesExistInTheForms_data();
    void namesExistInTheForms();
    void values_data();
    void values();
};

void TestCourtFormFill::namesExistInTheForms_data()
{
    QTest::addColumn<int>("form");
    for (const CourtFormFill::FormInfo &info : CourtFormFill::forms())
        QTest::newRow(qPrintable(info.name)) << int(info.form);
}

void TestCourtFormFill::namesExistInTheForms()
{
    QFETCH(int, form);
    const CourtFormFill::FormInfo &info = CourtFormFill::info(Form(form));
    QFile pdf(QStringLiteral(ORVA_SOURCE_DIR "/resources/forms/") + info.resourceFile);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    // The forms' field dictionaries are plain text: "/T (name)".
    QSet<QString> inForm;
    const QRegularExpression title(QStringLiteral("/T \\(([A-Za-z0-9_]+)\\)"));
    for (const QRegularExpressionMatch &match : title.globalMatch(QString::fromLatin1(pdf.readAll())))
        inForm << match.captured(1);
    QVERIFY(inForm.size() > 80);
    const QStringList names = CourtFormFill::fieldNames(Form(form));
    QVERIFY(names.size() >= 24);
    for (const QString &name : names)
        QVERIFY2(inForm.contains(name), qPrintable(name));
}

void TestCourtFormFill::values_data()
{
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("client");
    QTest::addColumn<QString>("change"); // applied to the example case first
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected"); // "" = left empty

    const int s = CourtFormFill::ShortFinancial, l = CourtFormFill::LongFinancial,
              p = CourtFormFill::ParentingPlan, j = CourtFormFill::JointStatement;
    QTest::newRow("county") << j << 0 << "" << "court_county" << "Montgomery County";
    QTest::newRow("street with apartment") << s << 1 << "" << "plaintiff_street" << "418 Elm Street, Apt 2B";
    QTest::newRow("defendant's telephone") << p << 0 << "" << "defendant_phone" << "(240) 555-0187";
    QTest::newRow("state without address") << s << 1 << "no address" << "defendant_state" << "";
    QTest::newRow("child's birth date") << j << 0 << "" << "child_2_2" << "07/02/2015";
    QTest::newRow("children close up") << s << 1 << "gap" << "child_2_1" << "Cal Sample";
    QTest::newRow("mother's name as client") << s << 1 << "" << "party_fullName" << "Jane Q. Sample";
    QTest::newRow("father's name as client") << l << 2 << "" << "party_fullName" << "John R. Sample";
    QTest::newRow("no client, no name") << s << 0 << "" << "party_fullName" << "";
    QTest::newRow("father client, relationship left at Mother") << s << 2 << "" << "party_role" << "Father";
    QTest::newRow("role from the relationship") << s << 2 << "aunt" << "party_role" << "Aunt";
    QTest::newRow("mother's income") << s << 1 << "" << "income_wages_amount" << "4,200";
    QTest::newRow("father's income, 9-203") << l << 2 << "" << "income_wages_month" << "6,900";
    QTest::newRow("child support paid") << s << 1 << "" << "adjust_childSupportPaid_amount" << "150";
    QTest::newRow("none paid stays empty") << s << 2 << "" << "adjust_childSupportPaid_amount" << "";
    QTest::newRow("health insurance for the children") << l << 2 << "" << "exp_children_health_children" << "220";
    QTest::newRow("child care") << s << 1 << "" << "adjust_childCare_amount" << "650";
    QTest::newRow("extraordinary medical, household") << l << 1 << "" << "exp_children_uninsured_household"
                                                     << "80";
    QTest::newRow("school and transport") << s << 2 << "" << "adjust_schoolTransport_amount" << "120";
    QTest::newRow("plan: relation by column") << p << 0 << "" << "parent2_relation" << "Father";
    QTest::newRow("plan: parents 1 and 2 unnamed") << p << 0 << "p1p2" << "parent1_relation" << "";
    QTest::newRow("plan: no amounts") << p << 1 << "" << "income_wages_amount" << "";
}

void TestCourtFormFill::values()
{
    QFETCH(int, form);
    QFETCH(int, client);
    QFETCH(QString, change);
    QFETCH(QString, field);
    QFETCH(QString, expected);

    OrvaDocument doc(OrvaDocument::July2022);
    QVERIFY(doc.readCaseFile(QStringLiteral(ORVA_SOURCE_DIR "/examples/example-shared.cml")));
    if (change == QLatin1String("no address")) {
        doc.setDefendantAddress(QString());
        doc.setDefendantCity(QString());
        doc.setDefendantZip(QString());
    } else if (change == QLatin1String("gap")) {
        doc.setChildName(2, QString());
        doc.setChildBirthDate(2, QString());
        doc.setChildName(4, QStringLiteral("Cal Sample"));
    } else if (change == QLatin1String("aunt")) {
        doc.setRelationshipIndex(4);
    } else if (change == QLatin1String("p1p2")) {
        doc.setCustodyType(OrvaDocument::SharedP1P2);
    }
    const QMap<QString, QString> values = CourtFormFill::values(doc, Form(form), client);
    QCOMPARE(values.value(field), expected);
    QCOMPARE(values.contains(field), !expected.isEmpty());
}

QTEST_GUILESS_MAIN(TestCourtFormFill)

#include "tst_courtformfill.moc"
