#include "FCItemEdit.h"
#include "FCbItemEdit.h"
#include "FieldDialogs.h"
#include "HeaderLabel.h"
#include "LItemEdit.h"
#include "MyComboBox.h"
#include "MyLineEdit.h"
#include "SquareButton.h"

#include "OrvaTestMain.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>

namespace {

// A shown and active window holding the widgets under test plus a plain
// line edit to move the focus to. Their buttons open the dialogs the main
// window opens for them.
class Host : public QWidget
{
public:
    Host()
    {
        auto *layout = new QVBoxLayout(this);
        amount = new FCItemEdit(this);
        amount->setObjectName(QStringLiteral("amount"));
        percent = new FCbItemEdit(this);
        percent->setObjectName(QStringLiteral("percent"));
        labelled = new LItemEdit(this);
        labelled->setObjectName(QStringLiteral("labelled"));
        other = new QLineEdit(this);
        other->setObjectName(QStringLiteral("other"));
        layout->addWidget(amount);
        layout->addWidget(percent);
        layout->addWidget(labelled);
        layout->addWidget(other);
        FieldDialogs::attach(amount);
        FieldDialogs::attach(percent);
    }

    bool activate()
    {
        show();
        QApplication::setActiveWindow(this);
        return QTest::qWaitForWindowActive(this);
    }

    FCItemEdit *amount;
    FCbItemEdit *percent;
    LItemEdit *labelled;
    QLineEdit *other;
};

QLineEdit *editOf(FCItemEdit *field)
{
    return field->findChild<QLineEdit *>(QStringLiteral("edit"));
}

QWidget *child(QWidget *parent, const char *name)
{
    return parent->findChild<QWidget *>(QString::fromLatin1(name));
}

} // namespace

class TestFieldWidgets : public QObject
{
    Q_OBJECT

private slots:
    void amountTyping_data();
    void amountTyping();
    void invalidAmountIsMarkedUntilItConverts();
    void leavingAnInvalidAmountRestoresTheShownValue();
    void otherWindowKeepsTheTypedText();
    void setValueDisplay_data();
    void setValueDisplay();
    void buttonsOnlyWhileFocused();
    void sideAreaRule();
    void calculatorButtonSetsTheConvertedAmount();
    void calculatorCancelChangesNothing();
    void footnoteButtonReportsTheEditedText();
    void footnoteCancelReportsNothing();
    void percentItemsAndSelection_data();
    void percentItemsAndSelection();
    void percentPickerReportsTheChosenItem();
    void percentPickerShownWhileFocused();
    void openListKeepsTheFieldFocused();
    void percentFootnote();
    void labelledEditSignals();
    void labelledEditBold();
    void headerPadding();
    void squareButtonNeverNarrower();
};

void TestFieldWidgets::amountTyping_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<qlonglong>>("emitted");
    QTest::addColumn<qlonglong>("value");

    // Text that reads as no amount brings back the amount from before the
    // typing (0 here) instead of leaving what a part of it read as.
    QTest::newRow("digits") << "1250" << QList<qlonglong>{1, 12, 125, 1250} << 1250LL;
    QTest::newRow("negative") << "-40" << QList<qlonglong>{-4, -40} << -40LL;
    QTest::newRow("trailing letter") << "12a" << QList<qlonglong>{1, 12, 0} << 0LL;
    QTest::newRow("thousands separator") << "1,000" << QList<qlonglong>{1, 0, 1000} << 1000LL;
    QTest::newRow("decimal point") << "12.5" << QList<qlonglong>{1, 12, 0} << 0LL;
    QTest::newRow("currency sign") << "$300" << QList<qlonglong>{3, 30, 300} << 300LL;
    QTest::newRow("dollars with separator") << "$4,500" << QList<qlonglong>{4, 0, 4500} << 4500LL;
    QTest::newRow("blanks around") << " 4500 " << QList<qlonglong>{0, 4, 45, 450, 4500, 4500} << 4500LL;
    QTest::newRow("negative dollars") << "-$1,250" << QList<qlonglong>{-1, 0, -1250} << -1250LL;
    QTest::newRow("millions") << "2,000,000" << QList<qlonglong>{2, 0, 2000, 0, 2000000} << 2000000LL;
    QTest::newRow("point as separator") << "4.500" << QList<qlonglong>{4, 0} << 0LL;
    QTest::newRow("short group") << "4,50" << QList<qlonglong>{4, 0} << 0LL;
    QTest::newRow("long group") << "4,5000" << QList<qlonglong>{4, 0, 4500, 0} << 0LL;
    QTest::newRow("group of two first") << "45,00,000" << QList<qlonglong>{4, 45, 0} << 0LL;
    QTest::newRow("cents") << "$4,500.00" << QList<qlonglong>{4, 0, 4500, 0} << 0LL;
    QTest::newRow("two signs") << "-$-5" << QList<qlonglong>{} << 0LL;
    QTest::newRow("blank inside") << "45 00" << QList<qlonglong>{4, 45, 45, 0} << 0LL;
}

void TestFieldWidgets::amountTyping()
{
    QFETCH(QString, typed);
    QFETCH(QList<qlonglong>, emitted);
    QFETCH(qlonglong, value);

    Host host;
    QVERIFY(host.activate());
    host.amount->setFocus();
    QSignalSpy spy(host.amount, &FCItemEdit::valueChanged);
    QTest::keyClicks(editOf(host.amount), typed);

    // The text stays as typed; only keystrokes that leave a whole number report it.
    QCOMPARE(editOf(host.amount)->text(), typed);
    QList<qlonglong> reported;
    for (const QList<QVariant> &arguments : std::as_const(spy))
        reported << arguments.at(0).toLongLong();
    QCOMPARE(reported, emitted);
    QCOMPARE(host.amount->value(), value);
}

void TestFieldWidgets::invalidAmountIsMarkedUntilItConverts()
{
    Host host;
    QVERIFY(host.activate());
    host.amount->setFocus();
    QLineEdit *edit = editOf(host.amount);
    QSignalSpy spy(host.amount, &FCItemEdit::valueChanged);

    QTest::keyClick(edit, Qt::Key_Minus);
    QVERIFY2(!host.amount->isInvalid(), "a sign alone is the start of a negative amount");
    QTest::keyClicks(edit, QStringLiteral("15"));
    QCOMPARE(spy.constLast().at(0).toLongLong(), -15LL);
    QVERIFY(!host.amount->isInvalid());

    // Unreadable text: the amount from before the typing (0) holds, once.
    spy.clear();
    QTest::keyClicks(edit, QStringLiteral(",5"));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.constLast().at(0).toLongLong(), 0LL);
    QCOMPARE(host.amount->value(), 0LL);
    QVERIFY(host.amount->isInvalid());
    QVERIFY(edit->styleSheet().contains(QLatin1String("red")));
    QCOMPARE(edit->toolTip(), FCItemEdit::invalidToolTip());

    spy.clear();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QVERIFY(spy.isEmpty());
    QVERIFY(host.amount->isInvalid());
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.constLast().at(0).toLongLong(), -15LL);
    QVERIFY(!host.amount->isInvalid());
    QVERIFY(edit->styleSheet().isEmpty());
    QVERIFY(edit->toolTip().isEmpty());

    // Clearing the field converts too: the amount is 0.
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QCOMPARE(spy.constLast().at(0).toLongLong(), 0LL);
}

void TestFieldWidgets::leavingAnInvalidAmountRestoresTheShownValue()
{
    Host host;
    QVERIFY(host.activate());
    host.amount->setValue(1200);
    host.amount->setFocus();
    QLineEdit *edit = editOf(host.amount);
    edit->end(false);
    QSignalSpy spy(host.amount, &FCItemEdit::valueChanged);
    QTest::keyClicks(edit, QStringLiteral(".50"));
    QVERIFY(host.amount->isInvalid());
    QVERIFY(spy.isEmpty());

    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(!host.amount->hasFocus());
    QCOMPARE(edit->text(), QStringLiteral("1200"));
    QVERIFY(!host.amount->isInvalid());
    QVERIFY(edit->styleSheet().isEmpty());
    QVERIFY(spy.isEmpty());

    // A valid amount is left as it stands.
    host.amount->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("-75"));
    host.other->setFocus();
    QCOMPARE(edit->text(), QStringLiteral("-75"));
}

void TestFieldWidgets::otherWindowKeepsTheTypedText()
{
    Host host;
    QVERIFY(host.activate());
    host.amount->setFocus();
    QLineEdit *edit = editOf(host.amount);
    QTest::keyClicks(edit, QStringLiteral("1,5"));
    QVERIFY(host.amount->isInvalid());

    // Another window taking the focus is not leaving the field.
    QWidget elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
    QCOMPARE(edit->text(), QStringLiteral("1,5"));
    QVERIFY(host.amount->isInvalid());
}

void TestFieldWidgets::setValueDisplay_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero is empty") << 0.0 << "";
    QTest::newRow("whole dollars") << 1250.0 << "1250";
    QTest::newRow("negative") << -300.0 << "-300";
    QTest::newRow("fifteen digits") << 123456789012345.0 << "123456789012345";
}

void TestFieldWidgets::setValueDisplay()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    FCItemEdit field;
    QSignalSpy spy(&field, &FCItemEdit::valueChanged);
    field.setValue(value);
    QCOMPARE(editOf(&field)->text(), text);
    QCOMPARE(field.value(), static_cast<qlonglong>(value));
    QVERIFY(spy.isEmpty());
}

void TestFieldWidgets::buttonsOnlyWhileFocused()
{
    Host host;
    QVERIFY(host.activate());
    QWidget *footnote = child(host.amount, "footnoteButton");
    QWidget *calc = child(host.amount, "calcButton");
    QLineEdit *edit = editOf(host.amount);
    host.amount->setValue(987);
    host.other->setFocus();
    QVERIFY(!footnote->isVisible());
    QVERIFY(!calc->isVisible());
    const QRect before = edit->geometry();
    const QRect frameBefore = child(host.amount, "frame")->geometry();

    host.amount->setFocus();
    QVERIFY(edit->hasFocus());
    QVERIFY(footnote->isVisible());
    QVERIFY(calc->isVisible());
    QCOMPARE(edit->selectedText(), QStringLiteral("987"));
    QCOMPARE(edit->geometry(), before);
    QCOMPARE(child(host.amount, "frame")->geometry(), frameBefore);

    host.other->setFocus();
    QVERIFY(!footnote->isVisible());
    QVERIFY(!calc->isVisible());
    QVERIFY(!edit->hasSelectedText());
    QCOMPARE(edit->geometry(), before);
}

void TestFieldWidgets::sideAreaRule()
{
    Host host;
    QVERIFY(host.activate());
    const int h1 = editOf(host.amount)->height();
    QCOMPARE(child(host.amount, "frame")->size(), QSize(4 * h1 + 15, h1));
    const int h2 = child(host.percent, "lineEdit")->height();
    QCOMPARE(child(host.percent, "frame")->size(), QSize(4 * h2 + 15, h2));
    const int h3 = host.labelled->lineEdit()->height();
    QCOMPARE(host.labelled->label()->size(), QSize(4 * h3 + 15, h3));
}

void TestFieldWidgets::calculatorButtonSetsTheConvertedAmount()
{
    Host host;
    QVERIFY(host.activate());
    host.amount->setFocus();
    QTest::keyClicks(editOf(host.amount), QStringLiteral("250"));
    QSignalSpy spy(host.amount, &FCItemEdit::valueChanged);

    QString openedWith;
    const auto answered = OrvaTest::answerModal([&openedWith](QWidget *modal) {
        auto *source = modal->findChild<QLineEdit *>(QStringLiteral("sourceEdit"));
        openedWith = source->text();
        modal->findChild<QComboBox *>(QStringLiteral("sourceComboBox"))->setCurrentText(QStringLiteral("Weekly"));
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("pushButtonAccept")), Qt::LeftButton);
    });
    QTest::mouseClick(static_cast<QPushButton *>(child(host.amount, "calcButton")), Qt::LeftButton);
    QVERIFY(answered->answered);
    QCOMPARE(openedWith, QStringLiteral("250"));
    QCOMPARE(editOf(host.amount)->text(), QStringLiteral("1083"));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.constFirst().at(0).toLongLong(), 1083LL);
}

void TestFieldWidgets::calculatorCancelChangesNothing()
{
    Host host;
    QVERIFY(host.activate());
    host.amount->setValue(640);
    host.amount->setFocus();
    QSignalSpy spy(host.amount, &FCItemEdit::valueChanged);
    const auto answered = OrvaTest::answerModal([](QWidget *modal) {
        modal->findChild<QComboBox *>(QStringLiteral("sourceComboBox"))->setCurrentText(QStringLiteral("Yearly"));
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("pushButtonReject")), Qt::LeftButton);
    });
    QTest::mouseClick(static_cast<QPushButton *>(child(host.amount, "calcButton")), Qt::LeftButton);
    QVERIFY(answered->answered);
    QCOMPARE(editOf(host.amount)->text(), QStringLiteral("640"));
    QVERIFY(spy.isEmpty());
}

void TestFieldWidgets::footnoteButtonReportsTheEditedText()
{
    Host host;
    QVERIFY(host.activate());
    host.amount->setFootnote(QStringLiteral("Base pay"));
    host.amount->setFocus();
    QSignalSpy spy(host.amount, &FCItemEdit::footnoteChanged);
    QString shown;
    const auto answered = OrvaTest::answerModal([&shown](QWidget *modal) {
        auto *text = modal->findChild<QPlainTextEdit *>(QStringLiteral("textEdit"));
        shown = text->toPlainText();
        text->moveCursor(QTextCursor::End);
        QTest::keyClicks(text, QStringLiteral(" plus overtime"));
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("doneButton")), Qt::LeftButton);
    });
    QTest::mouseClick(static_cast<QPushButton *>(child(host.amount, "footnoteButton")), Qt::LeftButton);
    QVERIFY(answered->answered);
    QCOMPARE(shown, QStringLiteral("Base pay"));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.constFirst().at(0).toString(), QStringLiteral("Base pay plus overtime"));
    // The owner stores the text and hands it back.
    QCOMPARE(host.amount->footnote(), QStringLiteral("Base pay"));
}

void TestFieldWidgets::footnoteCancelReportsNothing()
{
    Host host;
    QVERIFY(host.activate());
    host.amount->setFocus();
    QSignalSpy spy(host.amount, &FCItemEdit::footnoteChanged);
    const auto answered = OrvaTest::answerModal([](QWidget *modal) {
        QTest::keyClicks(modal->findChild<QPlainTextEdit *>(QStringLiteral("textEdit")), QStringLiteral("draft"));
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("cancelButton")), Qt::LeftButton);
    });
    QTest::mouseClick(static_cast<QPushButton *>(child(host.amount, "footnoteButton")), Qt::LeftButton);
    QVERIFY(answered->answered);
    QVERIFY(spy.isEmpty());
}

void TestFieldWidgets::percentItemsAndSelection_data()
{
    QTest::addColumn<double>("percent");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.0") << 0.0 << 0 << "0.0%";
    QTest::newRow("2.5") << 2.5 << 5 << "2.5%";
    QTest::newRow("5.0") << 5.0 << 10 << "5.0%";
    QTest::newRow("2.3 matches none") << 2.3 << -1 << "";
    QTest::newRow("5.5 matches none") << 5.5 << -1 << "";
    QTest::newRow("4.0, as picked") << 4.0 << 8 << "4.0%";
}

void TestFieldWidgets::percentItemsAndSelection()
{
    QFETCH(double, percent);
    QFETCH(int, index);
    QFETCH(QString, text);
    Host host;
    QVERIFY(host.activate());
    FCbItemEdit &field = *host.percent;
    QComboBox *combo = field.comboBox();
    QCOMPARE(combo->count(), 11);
    for (int i = 0; i < combo->count(); ++i) {
        QCOMPARE(combo->itemData(i).toDouble(), i * 0.5);
        QCOMPARE(combo->itemText(i), QString::number(i * 0.5, 'f', 1) + QLatin1Char('%'));
    }
    field.setPercent(1.0);
    // The user picks 4.0 % from the keyboard; then the percentage of the
    // case comes back with the refresh.
    field.setFocus();
    QSignalSpy picked(&field, &FCbItemEdit::percentChanged);
    QTest::keyClick(field.lineEdit(), Qt::Key_4);
    QCOMPARE(picked.size(), 1);
    QCOMPARE(picked.constFirst().at(0).toDouble(), 4.0);
    field.setPercent(percent);
    QCOMPARE(combo->currentIndex(), index);
    // What the box shows, read where it is drawn: the case's percentage,
    // nothing of what was picked or typed before.
    QCOMPARE(combo->lineEdit()->text(), text);
    QCOMPARE(combo->lineEdit()->displayText(), text);
    // Left, the field still shows it, without the list.
    host.other->setFocus();
    QVERIFY(!combo->isVisible() && field.percentLabel()->isVisible());
    QCOMPARE(field.percentLabel()->text(), text);
}

void TestFieldWidgets::percentPickerReportsTheChosenItem()
{
    Host host;
    QVERIFY(host.activate());
    QSignalSpy spy(host.percent, &FCbItemEdit::percentChanged);
    QComboBox *combo = host.percent->comboBox();
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex item = view->model()->index(7, 0);
    view->setCurrentIndex(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    QTRY_COMPARE(spy.size(), 1);
    QCOMPARE(spy.constFirst().at(0).toDouble(), 3.5);
}

void TestFieldWidgets::percentPickerShownWhileFocused()
{
    Host host;
    QVERIFY(host.activate());
    host.percent->setAmountText(QStringLiteral("150"));
    QWidget *combo = host.percent->comboBox();
    QWidget *button = child(host.percent, "fButton");
    QLineEdit *amount = host.percent->lineEdit();
    QVERIFY(amount->isReadOnly());
    QVERIFY(!combo->isVisible());
    const QRect before = amount->geometry();

    host.percent->setFocus();
    QVERIFY(amount->hasFocus());
    QVERIFY(combo->isVisible());
    QVERIFY(button->isVisible());
    QCOMPARE(amount->selectedText(), QStringLiteral("150"));
    QCOMPARE(amount->geometry(), before);

    host.other->setFocus();
    QVERIFY(!combo->isVisible());
    QVERIFY(!button->isVisible());
}

void TestFieldWidgets::openListKeepsTheFieldFocused()
{
    Host host;
    QVERIFY(host.activate());
    host.percent->setFocus();
    MyComboBox *combo = host.percent->comboBox();
    QVERIFY(combo->isVisible());
    combo->showPopup();
    QVERIFY(QTest::qWaitForWindowExposed(combo->view()->window()));
    QApplication::processEvents();
    QVERIFY(combo->isVisible());
    QVERIFY(child(host.percent, "fButton")->isVisible());
    combo->hidePopup();
    QApplication::processEvents();
    QVERIFY(combo->isVisible());
}

void TestFieldWidgets::percentFootnote()
{
    Host host;
    QVERIFY(host.activate());
    host.percent->setFootnote(QStringLiteral("Per order of 2021"));
    host.percent->setFocus();
    QSignalSpy spy(host.percent, &FCbItemEdit::footnoteChanged);
    const auto answered = OrvaTest::answerModal([](QWidget *modal) {
        auto *text = modal->findChild<QPlainTextEdit *>(QStringLiteral("textEdit"));
        text->selectAll();
        QTest::keyClicks(text, QStringLiteral("Replaced"));
        QTest::mouseClick(modal->findChild<QPushButton *>(QStringLiteral("doneButton")), Qt::LeftButton);
    });
    QTest::mouseClick(static_cast<QPushButton *>(child(host.percent, "fButton")), Qt::LeftButton);
    QVERIFY(answered->answered);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy.constFirst().at(0).toString(), QStringLiteral("Replaced"));
}

void TestFieldWidgets::labelledEditSignals()
{
    Host host;
    QVERIFY(host.activate());
    QSignalSpy edited(host.labelled, &LItemEdit::textEdited);
    QSignalSpy finished(host.labelled, &LItemEdit::editingFinished);
    host.labelled->setFocus();
    QVERIFY(host.labelled->lineEdit()->hasFocus());
    QTest::keyClicks(host.labelled->lineEdit(), QStringLiteral("abc"));
    QCOMPARE(edited.size(), 3);
    QCOMPARE(edited.constLast().at(0).toString(), QStringLiteral("abc"));
    host.other->setFocus();
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.constFirst().at(0).toString(), QStringLiteral("abc"));

    // Text set by the program is not an edit.
    host.labelled->setText(QStringLiteral("x"));
    QCOMPARE(edited.size(), 3);
    host.labelled->setMaxLength(3);
    host.labelled->setText(QStringLiteral("400000"));
    QCOMPARE(host.labelled->text(), QStringLiteral("400"));
    host.labelled->setLabelText(QStringLiteral("37.5 %"));
    QCOMPARE(host.labelled->label()->text(), QStringLiteral("37.5 %"));
}

void TestFieldWidgets::labelledEditBold()
{
    LItemEdit field;
    field.setBold(true);
    QCOMPARE(field.lineEdit()->font().weight(), QFont::Bold);
    field.setBold(false);
    QCOMPARE(field.lineEdit()->font().weight(), QFont::Normal);
}

void TestFieldWidgets::headerPadding()
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *header = new HeaderLabel(&window);
    layout->addWidget(header);
    header->setText(QStringLiteral("Parent 1"));
    window.resize(400, 40);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(header->text(), QStringLiteral("Parent 1"));
    QCOMPARE(child(header, "padding")->width(), 120);
    auto *label = static_cast<QLabel *>(child(header, "label"));
    QCOMPARE(label->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    QCOMPARE(label->width() + 5 + 120, header->width());
}

void TestFieldWidgets::squareButtonNeverNarrower()
{
    QWidget window;
    auto *button = new SquareButton(&window);
    button->setText(QStringLiteral("F"));
    window.show();
    button->resize(20, 20);
    QCOMPARE(button->minimumWidth(), 20);
    button->resize(20, 44);
    QCOMPARE(button->minimumWidth(), 44);
    QVERIFY(button->width() >= button->height() || button->minimumWidth() == button->height());
}

ORVA_WIDGET_TEST_MAIN(TestFieldWidgets)

#include "tst_fieldwidgets.moc"
