// The client details form edited as a user edits it: fields typed into,
// states and relationship chosen from their lists, OK, Cancel, Escape and the
// close button; what reaches the case document and, through it, the case file.

#include "ClientDetailsForm.h"
#include "OrvaDocument.h"

#include "../ui/OrvaTestMain.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>

namespace {

// Every field of the form, by widget, with the document getter it shows.
struct Field {
    const char *widget;
    QString (OrvaDocument::*get)() const;
    void (OrvaDocument::*set)(QString);
};

const QList<Field> kFields = {
    {"plaintiffAddressEdit", &OrvaDocument::plaintiffAddress, &OrvaDocument::setPlaintiffAddress},
    {"plaintiffCityEdit", &OrvaDocument::plaintiffCity, &OrvaDocument::setPlaintiffCity},
    {"plaintiffAptEdit", &OrvaDocument::plaintiffApt, &OrvaDocument::setPlaintiffApt},
    {"plaintiffZipEdit", &OrvaDocument::plaintiffZip, &OrvaDocument::setPlaintiffZip},
    {"plaintiffPhoneEdit", &OrvaDocument::plaintiffPhone, &OrvaDocument::setPlaintiffPhone},
    {"defendantAddressEdit", &OrvaDocument::defendantAddress, &OrvaDocument::setDefendantAddress},
    {"defendantCityEdit", &OrvaDocument::defendantCity, &OrvaDocument::setDefendantCity},
    {"defendantAptEdit", &OrvaDocument::defendantApt, &OrvaDocument::setDefendantApt},
    {"defendantZipEdit", &OrvaDocument::defendantZip, &OrvaDocument::setDefendantZip},
    {"defendantPhoneEdit", &OrvaDocument::defendantPhone, &OrvaDocument::setDefendantPhone},
    {"alimonyPaidEdit", &OrvaDocument::clientAlimonyPaid, &OrvaDocument::setClientAlimonyPaid},
    {"alimonyAwardedEdit", &OrvaDocument::clientAlimonyReceived, &OrvaDocument::setClientAlimonyReceived},
};

// A case with a different value in every client-detail field.
std::shared_ptr<OrvaDocument> filledCase()
{
    auto doc = std::make_shared<OrvaDocument>(OrvaDocument::July2022);
    doc->setPlaintiffName(QStringLiteral("Dana Whitfield"));
    doc->setDefendantName(QStringLiteral("Lee Ortega-Barnes"));
    int n = 101;
    for (const Field &field : kFields)
        (doc.get()->*field.set)(QStringLiteral("stored %1").arg(n++));
    doc->setPlaintiffState(QStringLiteral("MD"));
    doc->setDefendantState(QStringLiteral("VA"));
    doc->setRelationshipIndex(3);
    return doc;
}

template <typename T>
T *child(QWidget *form, const char *name)
{
    auto *widget = form->findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qWarning("no widget %s", name);
    return widget;
}

// Picks a list item the way a user does with the keyboard: focus, then type
// the item's first letters into the closed box.
void chooseByKeys(QComboBox *combo, const QString &text)
{
    combo->setFocus();
    QTest::keyClicks(combo, text);
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

void showTab(ClientDetailsForm &form, const char *tab)
{
    auto *tabs = child<QTabWidget>(&form, "tabWidget");
    tabs->setCurrentWidget(child<QWidget>(&form, tab));
}

// Types a new value into every field, each on its own tab.
void editEverything(ClientDetailsForm &form)
{
    int n = 201;
    for (const Field &field : kFields) {
        const QString name = QString::fromLatin1(field.widget);
        if (name.startsWith(QLatin1String("plaintiff")))
            showTab(form, "plaintiffTab");
        else if (name.startsWith(QLatin1String("defendant")))
            showTab(form, "defendantTab");
        typeInto(child<QLineEdit>(&form, field.widget), QStringLiteral("typed %1").arg(n++));
    }
    showTab(form, "plaintiffTab");
    chooseByKeys(child<QComboBox>(&form, "plaintiffStateComboBox"), QStringLiteral("NB"));
    showTab(form, "defendantTab");
    chooseByKeys(child<QComboBox>(&form, "defendantStateComboBox"), QStringLiteral("WY"));
    auto *relation = child<QComboBox>(&form, "relationComboBox");
    relation->setFocus();
    QTest::keyClick(relation, Qt::Key_End);
}

// Every client-detail value of a document, in one comparable list.
QStringList detailsOf(const OrvaDocument &doc)
{
    QStringList values;
    for (const Field &field : kFields)
        values << (doc.*field.get)();
    values << doc.plaintiffState() << doc.defendantState() << QString::number(doc.relationshipIndex());
    return values;
}

void openForm(ClientDetailsForm &form)
{
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

} // namespace

class TestClientDetailsForm : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTheChosenTab_data();
    void opensOnTheChosenTab();
    void showsTheCase();
    void okWritesEveryFieldAndMarksOnlyAChange_data();
    void okWritesEveryFieldAndMarksOnlyAChange();
    void leavingWithoutOkWritesNothing_data();
    void leavingWithoutOkWritesNothing();
    void stateOutsideTheListShowsTheFirst_data();
    void stateOutsideTheListShowsTheFirst();
    void relationshipOutsideTheListShowsTheFirst_data();
    void relationshipOutsideTheListShowsTheFirst();
    void saveAndReopenKeepsEveryField();
};

void TestClientDetailsForm::opensOnTheChosenTab_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plaintiff") << 1 << "plaintiffTab";
    QTest::newRow("defendant") << 2 << "defendantTab";
    QTest::newRow("zero opens the defendant") << 0 << "defendantTab";
    QTest::newRow("three opens the defendant") << 3 << "defendantTab";
}

void TestClientDetailsForm::opensOnTheChosenTab()
{
    QFETCH(int, tab);
    QFETCH(QString, shown);
    ClientDetailsForm form(tab, filledCase());
    openForm(form);
    QCOMPARE(child<QTabWidget>(&form, "tabWidget")->currentWidget()->objectName(), shown);
    QVERIFY(child<QWidget>(&form, shown.toLatin1().constData())->isVisible());
}

void TestClientDetailsForm::showsTheCase()
{
    const auto doc = filledCase();
    ClientDetailsForm form(ClientDetailsForm::PlaintiffTab, doc);
    openForm(form);
    for (const Field &field : kFields)
        QCOMPARE(child<QLineEdit>(&form, field.widget)->text(), (doc.get()->*field.get)());
    QCOMPARE(child<QComboBox>(&form, "plaintiffStateComboBox")->currentText(), QStringLiteral("MD"));
    QCOMPARE(child<QComboBox>(&form, "defendantStateComboBox")->currentText(), QStringLiteral("VA"));
    QCOMPARE(child<QComboBox>(&form, "relationComboBox")->currentIndex(), 3);
    QCOMPARE(child<QLabel>(&form, "plaintiffNameLabel")->text(), QStringLiteral("Dana Whitfield"));
    QCOMPARE(child<QLabel>(&form, "defendantNameLabel")->text(), QStringLiteral("Lee Ortega-Barnes"));
}

void TestClientDetailsForm::okWritesEveryFieldAndMarksOnlyAChange_data()
{
    QTest::addColumn<bool>("modifiedBefore");
    QTest::addColumn<bool>("edit");
    QTest::newRow("edited, unmodified case") << false << true;
    QTest::newRow("edited, modified case") << true << true;
    QTest::newRow("unchanged, unmodified case") << false << false;
}

void TestClientDetailsForm::okWritesEveryFieldAndMarksOnlyAChange()
{
    QFETCH(bool, modifiedBefore);
    QFETCH(bool, edit);
    const auto doc = filledCase();
    doc->setModified(modifiedBefore);
    const QStringList before = detailsOf(*doc);
    QSignalSpy modifiedSignal(doc.get(), &OrvaDocument::modifiedFlagChanged);

    ClientDetailsForm form(ClientDetailsForm::DefendantTab, doc);
    openForm(form);
    if (edit)
        editEverything(form);
    QTest::mouseClick(child<QDialogButtonBox>(&form, "buttonBox")->button(QDialogButtonBox::Ok), Qt::LeftButton);

    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(!form.isVisible());
    const QStringList expected = edit ? QStringList{"typed 201", "typed 202", "typed 203", "typed 204",
                                                    "typed 205", "typed 206", "typed 207", "typed 208",
                                                    "typed 209", "typed 210", "typed 211", "typed 212",
                                                    "NB", "WY", "8"}
                                      : before;
    QCOMPARE(detailsOf(*doc), expected);
    // A changed detail must not be lost on closing without a question.
    QCOMPARE(doc->modified(), modifiedBefore || edit);
    QCOMPARE(modifiedSignal.count(), edit && !modifiedBefore ? 1 : 0);
    // The parties' names are only shown here, never written.
    QCOMPARE(doc->plaintiffName(), QStringLiteral("Dana Whitfield"));
    QCOMPARE(doc->defendantName(), QStringLiteral("Lee Ortega-Barnes"));
}

void TestClientDetailsForm::leavingWithoutOkWritesNothing_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Cancel") << "cancel";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("close button") << "close";
}

void TestClientDetailsForm::leavingWithoutOkWritesNothing()
{
    QFETCH(QString, how);
    const auto doc = filledCase();
    const QStringList before = detailsOf(*doc);

    ClientDetailsForm form(ClientDetailsForm::PlaintiffTab, doc);
    openForm(form);
    editEverything(form);
    if (how == QLatin1String("cancel"))
        QTest::mouseClick(child<QDialogButtonBox>(&form, "buttonBox")->button(QDialogButtonBox::Cancel),
                          Qt::LeftButton);
    else if (how == QLatin1String("escape"))
        QTest::keyClick(&form, Qt::Key_Escape);
    else
        form.close();

    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QCOMPARE(detailsOf(*doc), before);
    QVERIFY(!doc->modified());
}

void TestClientDetailsForm::stateOutsideTheListShowsTheFirst_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("none") << "" << "AL";
    QTest::newRow("postal NE is not in the list") << "NE" << "AL";
    QTest::newRow("lower case") << "md" << "AL";
    QTest::newRow("unknown") << "ZZ" << "AL";
    QTest::newRow("NB kept") << "NB" << "NB";
    QTest::newRow("last code kept") << "WY" << "WY";
    QTest::newRow("PR kept") << "PR" << "PR";
}

void TestClientDetailsForm::stateOutsideTheListShowsTheFirst()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    auto doc = std::make_shared<OrvaDocument>(OrvaDocument::NewOct2020);
    doc->setPlaintiffState(stored);
    doc->setDefendantState(stored);

    ClientDetailsForm form(ClientDetailsForm::PlaintiffTab, doc);
    openForm(form);
    QCOMPARE(child<QComboBox>(&form, "plaintiffStateComboBox")->currentText(), shown);
    QCOMPARE(child<QComboBox>(&form, "defendantStateComboBox")->currentText(), shown);
    QTest::keyClick(child<QLineEdit>(&form, "plaintiffAddressEdit"), Qt::Key_Return);

    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(doc->plaintiffState(), shown);
    QCOMPARE(doc->defendantState(), shown);
    // Nothing the user chose: no question on closing.
    QVERIFY(!doc->modified());
}

void TestClientDetailsForm::relationshipOutsideTheListShowsTheFirst_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("kept");
    QTest::newRow("first") << 0 << 0;
    QTest::newRow("last") << 8 << 8;
    QTest::newRow("one past the list") << 9 << 0;
    QTest::newRow("negative") << -1 << 0;
    QTest::newRow("far out") << 4242 << 0;
}

void TestClientDetailsForm::relationshipOutsideTheListShowsTheFirst()
{
    QFETCH(int, stored);
    QFETCH(int, kept);
    auto doc = std::make_shared<OrvaDocument>(OrvaDocument::July2022);
    doc->setRelationshipIndex(stored);

    ClientDetailsForm form(ClientDetailsForm::DefendantTab, doc);
    openForm(form);
    auto *relation = child<QComboBox>(&form, "relationComboBox");
    QCOMPARE(relation->currentIndex(), kept);
    QVERIFY(!relation->currentText().isEmpty());
    QTest::mouseClick(child<QDialogButtonBox>(&form, "buttonBox")->button(QDialogButtonBox::Ok), Qt::LeftButton);
    QCOMPARE(doc->relationshipIndex(), kept);
    QVERIFY(!doc->modified());
}

void TestClientDetailsForm::saveAndReopenKeepsEveryField()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("details.cml"));
    const auto doc = filledCase();

    ClientDetailsForm form(ClientDetailsForm::PlaintiffTab, doc);
    openForm(form);
    editEverything(form);
    // Characters that a case file must escape survive as typed.
    typeInto(child<QLineEdit>(&form, "alimonyPaidEdit"), QStringLiteral("<Lee> & \"Co\" 'Trust'"));
    QTest::mouseClick(child<QDialogButtonBox>(&form, "buttonBox")->button(QDialogButtonBox::Ok), Qt::LeftButton);
    const QStringList written = detailsOf(*doc);
    QCOMPARE(written.at(10), QStringLiteral("<Lee> & \"Co\" 'Trust'"));

    QVERIFY(doc->writeCaseFile(path));
    OrvaDocument reopened(OrvaDocument::July2022);
    QVERIFY(reopened.readCaseFile(path));
    QCOMPARE(detailsOf(reopened), written);
}

ORVA_WIDGET_TEST_MAIN(TestClientDetailsForm)

#include "tst_clientdetailsform.moc"
