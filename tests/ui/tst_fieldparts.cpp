// The parts of the field widgets that are built or measured once: the
// percentage list and the F/C buttons, made when first needed, the edit
// height shared by all fields, and the bold weight set only when it changes.

#include "FCItemEdit.h"
#include "FCbItemEdit.h"
#include "FieldGeometry.h"
#include "LItemEdit.h"
#include "MyComboBox.h"
#include "MyLineEdit.h"

#include "OrvaTestMain.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

QWidget *child(QWidget *parent, const char *name)
{
    return parent->findChild<QWidget *>(QString::fromLatin1(name));
}

} // namespace

class TestFieldParts : public QObject
{
    Q_OBJECT

private slots:
    void percentGivenBeforeTheListExists_data();
    void percentGivenBeforeTheListExists();
    void buttonsStandBeforeTheSpacer();
    void editHeightFollowsTheStyleSheet();
    void boldStaysExplicit_data();
    void boldStaysExplicit();
};

void TestFieldParts::percentGivenBeforeTheListExists_data()
{
    QTest::addColumn<QList<double>>("given");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("nothing given") << QList<double>{} << 0 << QStringLiteral("0.0%");
    QTest::newRow("last one counts") << QList<double>{1.0, 4.5} << 9 << QStringLiteral("4.5%");
    QTest::newRow("not in the list") << QList<double>{2.3} << -1 << QString();
    QTest::newRow("back to zero") << QList<double>{3.0, 0.0} << 0 << QStringLiteral("0.0%");
}

// A percentage handed to the field before its list was ever opened is the
// one the list shows when it is built; later ones go straight to it.
void TestFieldParts::percentGivenBeforeTheListExists()
{
    QFETCH(QList<double>, given);
    QFETCH(int, index);
    QFETCH(QString, text);
    FCbItemEdit field;
    for (double percent : given)
        field.setPercent(percent);
    MyComboBox *combo = field.comboBox();
    QCOMPARE(combo->currentIndex(), index);
    QCOMPARE(combo->currentText(), text);
    QCOMPARE(field.comboBox(), combo); // built once
    field.setPercent(1.5);
    QCOMPARE(combo->currentText(), QStringLiteral("1.5%"));
}

// Built at the first focus, the two buttons take the left of the button area
// in their order, and the fixed space stays to their right.
void TestFieldParts::buttonsStandBeforeTheSpacer()
{
    QWidget host;
    auto *layout = new QVBoxLayout(&host);
    auto *other = new QLineEdit(&host);
    auto *amount = new FCItemEdit(&host);
    layout->addWidget(other);
    layout->addWidget(amount);
    host.show();
    QApplication::setActiveWindow(&host);
    QVERIFY(QTest::qWaitForWindowActive(&host));
    other->setFocus();
    const QRect editBefore = amount->lineEdit()->geometry();
    amount->setFocus();
    QWidget *frame = child(amount, "frame");
    QWidget *footnote = child(amount, "footnoteButton");
    QWidget *calc = child(amount, "calcButton");
    QVERIFY(footnote && calc);
    QTRY_VERIFY(footnote->isVisible() && calc->isVisible());
    QCOMPARE(footnote->x(), 0);
    QVERIFY(footnote->geometry().right() < calc->geometry().left());
    QVERIFY(calc->geometry().right() <= frame->width() - 55);
    QCOMPARE(footnote->height(), calc->height());
    QCOMPARE(amount->lineEdit()->geometry(), editBefore);
    other->setFocus();
    QVERIFY(!footnote->isVisible() && !calc->isVisible());
    amount->setFocus();
    QCOMPARE(child(amount, "footnoteButton"), footnote); // built once
}

// The edit height is measured once for all fields, but fields made under
// another style sheet take the height measured under that one.
void TestFieldParts::editHeightFollowsTheStyleSheet()
{
    const QString original = qApp->styleSheet();
    const auto sideHeight = [](QWidget *field) {
        auto *labelled = qobject_cast<LItemEdit *>(field);
        return labelled ? labelled->label()->height() : child(field, "frame")->height();
    };
    QList<int> heights;
    for (const QString &sheet : {QStringLiteral("QLineEdit { height: 30px; }"), QString(), original}) {
        qApp->setStyleSheet(sheet);
        QWidget host;
        QWidget *fields[] = {new FCItemEdit(&host), new FCbItemEdit(&host), new LItemEdit(&host), new FCItemEdit(&host)};
        // Measured on its own, the way every field measured before.
        auto *reference = new FCItemEdit(&host);
        const int expected = FieldGeometry::polishedEditHeight(reference, reference->lineEdit());
        for (QWidget *field : fields)
            QCOMPARE(sideHeight(field), expected);
        heights << expected;
    }
    qApp->setStyleSheet(original);
    QVERIFY(heights.at(0) != heights.at(1)); // the sheets give different heights

    // A field standing alone is measured as a window, not with the fields
    // placed in one.
    qApp->setStyleSheet(QStringLiteral("QLineEdit { height: 30px; }"));
    QWidget host;
    FCItemEdit placed(&host);
    FCItemEdit alone;
    FCItemEdit reference;
    const int expected = FieldGeometry::polishedEditHeight(&reference, reference.lineEdit());
    qApp->setStyleSheet(original);
    QCOMPARE(child(&alone, "frame")->height(), expected);
}

void TestFieldParts::boldStaysExplicit_data()
{
    QTest::addColumn<bool>("parentBold");
    QTest::newRow("parent plain") << false;
    QTest::newRow("parent already bold") << true;
}

// A field told to be bold stays bold when its parent's font changes, also
// when the parent's font was bold already when the field was told.
void TestFieldParts::boldStaysExplicit()
{
    QFETCH(bool, parentBold);
    QWidget parent;
    QFont font = parent.font();
    font.setBold(parentBold);
    parent.setFont(font);
    LItemEdit field(&parent);
    field.setBold(true);
    field.setBold(true);
    QVERIFY(field.lineEdit()->font().bold());
    font.setBold(!parentBold);
    parent.setFont(font);
    QVERIFY(field.lineEdit()->font().bold());
    field.setBold(false);
    QVERIFY(!field.lineEdit()->font().bold());
    font.setBold(true);
    parent.setFont(font);
    QVERIFY(!field.lineEdit()->font().bold());
}

ORVA_WIDGET_TEST_MAIN(TestFieldParts)

#include "tst_fieldparts.moc"
