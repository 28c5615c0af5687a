// The main window typed into as a practitioner types: keys at a human pace
// to whichever field has the keyboard, the mouse wheel, Alt and Ctrl keys,
// a notice arriving in the middle of a number.

#include "AmountText.h"
#include "FCItemEdit.h"
#include "FCbItemEdit.h"
#include "LItemEdit.h"
#include "MainWindow.h"
#include "MainWindowForm.h"
#include "MyComboBox.h"
#include "OrvaDocument.h"
#include "QBalloonTip.h"

#include "AskAnswers.h"
#include "ListContrast.h"
#include "MainWindowDriver.h"
#include "OrvaTestMain.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>

namespace {

using namespace OrvaTest;

// Keys typed at a steady, human pace; the notice needs the real 150 ms.
constexpr int Pace = 60;
constexpr int SlowPace = 150;

QWidget *field(Window &w, const QString &name)
{
    auto *widget = w.window->findChild<QWidget *>(name);
    if (!widget)
        qWarning("no field %s", qPrintable(name));
    return widget;
}

// The line edit that takes the keys of a field.
QLineEdit *editOf(QWidget *widget)
{
    if (auto *amount = qobject_cast<FCItemEdit *>(widget))
        return amount->lineEdit();
    if (auto *labelled = qobject_cast<LItemEdit *>(widget))
        return labelled->lineEdit();
    if (auto *percent = qobject_cast<FCbItemEdit *>(widget))
        return percent->lineEdit();
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->lineEdit();
    return qobject_cast<QLineEdit *>(widget);
}

// Clicks into a field as a user does, putting the keyboard there.
void clickInto(QWidget *widget)
{
    QLineEdit *edit = editOf(widget);
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
    QTRY_VERIFY(edit->hasFocus() || widget->hasFocus());
}

QRect onScreen(QWidget *widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

// A wheel notch over the middle of a widget, delivered as the window system
// delivers it: to the widget under the pointer, wherever the keyboard is.
void wheelOver(QWidget *widget, int notches)
{
    const QPointF local(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(local, widget->mapToGlobal(local), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
    QTest::qWait(Pace);
}

} // namespace

class TestMainWindowTyping : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void editingInsideAField_data();
    void editingInsideAField();
    void amountsAsPeopleWriteThem_data();
    void amountsAsPeopleWriteThem();
    void noticeArrivesWhileTyping_data();
    void noticeArrivesWhileTyping();
    void wheelOverAComboBox_data();
    void wheelOverAComboBox();
    void typedComboTextReverts_data();
    void typedComboTextReverts();
    void childrenWithoutNames_data();
    void childrenWithoutNames();
    void leavingAFieldUnchanged_data();
    void leavingAFieldUnchanged();
    void typedEntryReachesTheCommand_data();
    void typedEntryReachesTheCommand();
    void shortcutsReachTheirCommands_data();
    void shortcutsReachTheirCommands();
    void altKeysNeverType_data();
    void altKeysNeverType();
    void percentFromTheKeyboard_data();
    void percentFromTheKeyboard();
    void saveAsShowsTheNewName_data();
    void saveAsShowsTheNewName();
    void balloonsStayOffTheTypedField_data();
    void balloonsStayOffTheTypedField();
    void balloonsFollowTheWindow_data();
    void balloonsFollowTheWindow();
    void balloonStaysInsideTheWindow();
    void computedFiguresLookComputed();
    void highlightedEntriesAreReadable_data();
    void highlightedEntriesAreReadable();

private:
    Window m_w;
    QTemporaryDir m_dir;
};

void TestMainWindowTyping::init()
{
    QSettings().clear();
    m_w = openWindow();
}

void TestMainWindowTyping::cleanup()
{
    if (m_w.window)
        m_w.window->document()->setModified(false);
    m_w = Window();
}

// ---- Typing inside a field --------------------------------------------------------------

void TestMainWindowTyping::editingInsideAField_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("script");   // typed after clicking into the field, which selects it all
    QTest::addColumn<QString>("text");     // the field afterwards
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("stored");   // as the case holds it

    QTest::newRow("digits in the middle of an income")
        << "motherMonthlyIncomeEdit" << "5000{Home}{Right}21" << "521000" << 3 << "521000";
    QTest::newRow("a dollar sign in front") << "motherAlimonyPaidEdit" << "4,500{Home}$" << "$4,500" << 1 << "4500";
    QTest::newRow("undo the digits typed inside") << "fatherMonthlyIncomeEdit" << "5000{Home}{Right}21{Ctrl+Z}"
                                                  << "5000" << 1 << "5000";
    QTest::newRow("undo, then redo") << "motherMonthlyIncomeEdit" << "3000{Home}{Right}21{Ctrl+Z}{Ctrl+Shift+Z}"
                                     << "321000" << 3 << "321000";
    QTest::newRow("awarded alimony, the other parent follows")
        << "fatherAlimonyAwardedEdit" << "400{Home}{Right}5" << "4500" << 2 << "4500";
    QTest::newRow("case number") << "caseNumberEdit" << "15-FM{Home}C-" << "C-15-FM" << 2 << "C-15-FM";
    QTest::newRow("preparer") << "preparerEdit" << "A. Lawyer{Home}{Right}{Right}{Right}{Delete}l"
                              << "A. lawyer" << 4 << "A. lawyer";
}

void TestMainWindowTyping::editingInsideAField()
{
    QFETCH(QString, name);
    QFETCH(QString, script);
    QFETCH(QString, text);
    QFETCH(int, cursor);
    QFETCH(QString, stored);

    QWidget *widget = field(m_w, name);
    QVERIFY(widget);
    clickInto(widget);
    editOf(widget)->selectAll();
    typeAtPace(script, Pace);

    QLineEdit *edit = editOf(widget);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->cursorPosition(), cursor);
    QVERIFY(edit->hasFocus());
    OrvaDocument *doc = m_w.doc;
    const QHash<QString, QString> held = {
        {"motherMonthlyIncomeEdit", QString::number(doc->motherMonthlyIncome())},
        {"fatherMonthlyIncomeEdit", QString::number(doc->fatherMonthlyIncome())},
        {"motherAlimonyPaidEdit", QString::number(doc->motherAlimonyPaid())},
        {"fatherAlimonyAwardedEdit", QString::number(doc->fatherAlimonyAwarded())},
        {"caseNumberEdit", doc->caseNumber()},
        {"preparerEdit", doc->preparer()},
    };
    QCOMPARE(held.value(name), stored);
    if (name == QLatin1String("fatherAlimonyAwardedEdit"))
        QCOMPARE(m_w.ui->motherAlimonyAwardedEdit->lineEdit()->text(), QStringLiteral("-") + stored);
    // The results follow what the field holds.
    QCOMPARE(m_w.ui->combinedIncomeEdit->text(), QString::number(doc->combinedIncome()));
}

void TestMainWindowTyping::amountsAsPeopleWriteThem_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<qint64>("stored"); // the field held 1200 before

    QTest::newRow("dollar sign and separator") << "$4,500" << true << qint64(4500);
    QTest::newRow("negative with separator") << "-1,250" << true << qint64(-1250);
    QTest::newRow("group of two") << "4,50" << false << qint64(1200);
}

void TestMainWindowTyping::amountsAsPeopleWriteThem()
{
    QFETCH(QString, typed);
    QFETCH(bool, readable);
    QFETCH(qint64, stored);

    FCItemEdit *income = m_w.ui->fatherMonthlyIncomeEdit;
    clickInto(income);
    income->lineEdit()->selectAll();
    typeAtPace(QStringLiteral("1200{Tab}"), Pace);
    QCOMPARE(m_w.doc->fatherMonthlyIncome(), 1200);

    clickInto(income);
    typeAtPace(QStringLiteral("{Ctrl+A}") + typed, Pace);
    // Before leaving: unreadable text is marked, and the case holds the
    // amount from before it, never a part of what was typed.
    QCOMPARE(income->isInvalid(), !readable);
    QCOMPARE(income->lineEdit()->text(), typed);
    QCOMPARE(m_w.doc->fatherMonthlyIncome(), stored);
    QCOMPARE(m_w.ui->combinedIncomeEdit->text(), QString::number(stored));

    typeAtPace(QStringLiteral("{Tab}"), Pace);
    QVERIFY(!income->lineEdit()->hasFocus());
    QCOMPARE(m_w.doc->fatherMonthlyIncome(), stored);
    QCOMPARE(income->lineEdit()->text(), QString::number(stored));
    QVERIFY(!income->isInvalid());
}

// ---- The notice in the middle of a number --------------------------------------------------

void TestMainWindowTyping::noticeArrivesWhileTyping_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::addColumn<QString>("first");  // typed into the father's income
    QTest::addColumn<QString>("second"); // then into the mother's, key by key
    QTest::addColumn<QString>("ceiling");

    QTest::newRow("Jul 2022, father at the top") << int(OrvaDocument::July2022) << int(OrvaDocument::Shared)
                                                 << "30000" << "2500" << "$30,000";
    QTest::newRow("Pre Oct 2020, dollars with separator")
        << int(OrvaDocument::PreOct2020) << int(OrvaDocument::SoleFather) << "15000" << "$3,250" << "$15,000";
}

void TestMainWindowTyping::noticeArrivesWhileTyping()
{
    QFETCH(int, mode);
    QFETCH(int, custody);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, ceiling);

    prepareCase(m_w, Mode(mode), Custody(custody));
    clickInto(m_w.ui->child1NameEdit);
    typeAtPace(QStringLiteral("Avery"), Pace);
    clickInto(m_w.ui->fatherMonthlyIncomeEdit);
    typeAtPace(first, Pace);
    clickInto(m_w.ui->motherMonthlyIncomeEdit);
    QVERIFY(!shownNotice(m_w.window.get()));

    // The first digit lifts the income above the schedule; the notice comes
    // 100 ms later, while the rest of the number is still being typed.
    typeAtPace(second, SlowPace);
    QDialog *notice = shownNotice(m_w.window.get());
    QVERIFY(notice);
    QVERIFY(noticeText(notice).contains(ceiling));

    QLineEdit *typedInto = m_w.ui->motherMonthlyIncomeEdit->lineEdit();
    QVERIFY(typedInto->hasFocus());
    QVERIFY(QApplication::activeWindow() == m_w.window.get());
    QCOMPARE(typedInto->text(), second);
    qlonglong amount = 0;
    QVERIFY(AmountText::parseAmount(second, &amount));
    QCOMPARE(m_w.doc->motherMonthlyIncome(), amount);
    QCOMPARE(m_w.doc->adjustedCombinedIncome(), amount + first.toLongLong());
    QCOMPARE(m_w.ui->adjustedCombinedIncomeEdit->styleSheet(), MainWindow::aboveScheduleStyle());

    // Typing on goes on into the next field; the notice waits for its OK.
    typeAtPace(QStringLiteral("{Tab}{Tab}150"), Pace);
    QCOMPARE(m_w.doc->motherExistingChildSupportPayment(), 150);
    QVERIFY(acceptNotice(m_w.window.get()));
    QVERIFY(!shownNotice(m_w.window.get()));
}

// ---- Mouse wheel ---------------------------------------------------------------------------

void TestMainWindowTyping::wheelOverAComboBox_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("notches");
    QTest::addColumn<bool>("focused");
    QTest::addColumn<int>("index"); // afterwards

    const int shared = OrvaDocument::Shared;
    const int county = OrvaDocument::Howard_County;
    QTest::newRow("custody, passing over") << "custodyTypeComboBox" << -1 << false << shared;
    QTest::newRow("county, passing over") << "countryComboBox" << -1 << false << county;
    QTest::newRow("custody, with the keyboard in it") << "custodyTypeComboBox" << -1 << true
                                                      << int(OrvaDocument::SoleMother);
    QTest::newRow("county, with the keyboard in it") << "countryComboBox" << 1 << true << county - 1;
}

void TestMainWindowTyping::wheelOverAComboBox()
{
    QFETCH(QString, combo);
    QFETCH(int, notches);
    QFETCH(bool, focused);
    QFETCH(int, index);

    // A shared case of 120 and 245 nights: one notch must not undo them.
    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::Shared);
    m_w.doc->setCounty(OrvaDocument::Howard_County);
    m_w.doc->setFatherOvernights(120);
    m_w.window->refresh();
    auto *box = m_w.window->findChild<QComboBox *>(combo);
    QVERIFY(box);
    if (focused)
        box->setFocus(Qt::TabFocusReason);
    else
        clickInto(m_w.ui->fatherMonthlyIncomeEdit);
    m_w.doc->setModified(false);

    wheelOver(box, notches);
    QCOMPARE(box->currentIndex(), index);
    QCOMPARE(box->hasFocus(), focused);
    const int held = combo == QLatin1String("countryComboBox") ? m_w.doc->county() : int(m_w.doc->custodyType());
    QCOMPARE(held, index);
    if (!focused) {
        QVERIFY(m_w.ui->fatherMonthlyIncomeEdit->lineEdit()->hasFocus());
        QCOMPARE(m_w.doc->fatherOvernights(), 120);
        QVERIFY(!m_w.doc->modified());
    }
}

// ---- Typed text in the county and custody boxes -------------------------------------------

void TestMainWindowTyping::typedComboTextReverts_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("held"); // the case's item afterwards

    const int howard = OrvaDocument::Howard_County;
    QTest::newRow("a county that is none, Return") << "countryComboBox" << "Narnia County{Return}" << howard;
    QTest::newRow("a county that is none, Tab") << "countryComboBox" << "Narnia County{Tab}" << howard;
    QTest::newRow("a county completed, Tab") << "countryComboBox" << "Prince{Tab}"
                                             << int(OrvaDocument::Prince_Georges_County);
    QTest::newRow("a county completed and chosen") << "countryComboBox" << "Mont{Return}"
                                                   << int(OrvaDocument::Montgomery_County);
    QTest::newRow("a custody type that is none") << "custodyTypeComboBox" << "Joint{Tab}" << int(OrvaDocument::Shared);
    QTest::newRow("a custody type chosen by name") << "custodyTypeComboBox" << "Sole F{Return}"
                                                   << int(OrvaDocument::SoleFather);
}

void TestMainWindowTyping::typedComboTextReverts()
{
    QFETCH(QString, combo);
    QFETCH(QString, script);
    QFETCH(int, held);

    m_w.doc->setCounty(OrvaDocument::Howard_County);
    m_w.window->refresh();
    auto *box = m_w.window->findChild<QComboBox *>(combo);
    box->setFocus(Qt::MouseFocusReason);
    box->lineEdit()->selectAll();
    typeAtPace(script, Pace);
    // The box shows the case's item, whatever was typed; the worksheet
    // prints what the box shows.
    const int value = combo == QLatin1String("countryComboBox") ? m_w.doc->county() : int(m_w.doc->custodyType());
    QCOMPARE(value, held);
    QCOMPARE(box->currentIndex(), held);
    QCOMPARE(box->currentText(), box->itemText(held));
    if (script.endsWith(QLatin1String("{Tab}")))
        QVERIFY(!box->hasFocus());
    // And after the next refresh too.
    m_w.window->refresh();
    QCOMPARE(box->currentText(), box->itemText(held));
}

// ---- Children ------------------------------------------------------------------------------

void TestMainWindowTyping::childrenWithoutNames_data()
{
    QTest::addColumn<QString>("script"); // from the first child's name, with Tab between the fields
    QTest::addColumn<int>("children");

    QTest::newRow("nothing typed") << "" << 1;
    QTest::newRow("three birth dates, no names") << "{Tab}3/4/2015{Tab}{Tab}{Tab}7 yrs{Tab}{Tab}1/1/2020" << 3;
    QTest::newRow("a blank is no child") << "{Tab} {Tab}{Tab} " << 1;
}

void TestMainWindowTyping::childrenWithoutNames()
{
    QFETCH(QString, script);
    QFETCH(int, children);

    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::SoleMother);
    clickInto(m_w.ui->fatherMonthlyIncomeEdit);
    typeAtPace(QStringLiteral("8000"), Pace);
    clickInto(m_w.ui->child1NameEdit);
    typeAtPace(script, Pace);

    QCOMPARE(m_w.doc->childCount(), children);
    QCOMPARE(m_w.ui->childCountLabel->text(), QStringLiteral("Number of Minor Children: %1").arg(children));
    QVERIFY(m_w.ui->childCountLabel->isVisible());
    // The schedule column of that many children: 8000 under Jul 2022.
    const QHash<int, qint64> basic = {{1, 1221}, {3, 2090}};
    QCOMPARE(m_w.doc->basicObligation(), basic.value(children));
}

// ---- Leaving a field without a change -------------------------------------------------------

void TestMainWindowTyping::leavingAFieldUnchanged_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("script");

    QTest::newRow("mother's overnights, Tab") << "motherOvernightsEdit" << "{Tab}";
    QTest::newRow("mother's overnights, Return") << "motherOvernightsEdit" << "{Return}{Tab}";
    QTest::newRow("an income") << "motherMonthlyIncomeEdit" << "{Tab}";
    QTest::newRow("a percentage") << "fatherCashMedicalSupportEdit" << "{Tab}";
}

void TestMainWindowTyping::leavingAFieldUnchanged()
{
    QFETCH(QString, name);
    QFETCH(QString, script);

    const QString title = m_w.window->windowTitle();
    clickInto(field(m_w, name));
    typeAtPace(script, Pace);
    QVERIFY(!editOf(field(m_w, name))->hasFocus());
    QVERIFY(!m_w.doc->modified());
    QCOMPARE(m_w.window->windowTitle(), title);

    // So closing asks nothing.
    OrvaTest::AskAnswers answers;
    m_w.window->close();
    QVERIFY(answers.shown().isEmpty());
    QVERIFY(!m_w.window->isVisible());
}

// A command given from the keyboard while a figure is still being typed
// (overnights, a county or custody named in its box) works on what the
// window shows, as it does after leaving the field or clicking a menu.
void TestMainWindowTyping::typedEntryReachesTheCommand_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("member"); // "father's nights", "county" or "custody"
    QTest::addColumn<int>("held");
    QTest::addColumn<QString>("asked"); // first text asked; empty: the case was saved

    const QString question = QStringLiteral("There are instances when running shared custody guidelines the amount "
                                            "of recommended support could be greater than sole guidelines.");
    const QString save = QStringLiteral("Save file Unsaved?");
    QTest::newRow("nights, Ctrl+S") << "fatherOvernightsEdit" << "92" << "{Ctrl+S}" << "father's nights" << 92
                                    << "";
    QTest::newRow("nights, Ctrl+Q") << "fatherOvernightsEdit" << "100" << "{Ctrl+Q}" << "father's nights" << 100
                                    << save;
    QTest::newRow("nights, Ctrl+N") << "fatherOvernightsEdit" << "100" << "{Ctrl+N}" << "father's nights" << 100
                                    << save;
    QTest::newRow("nights, Ctrl+P") << "fatherOvernightsEdit" << "92" << "{Ctrl+P}" << "father's nights" << 92
                                    << question;
    QTest::newRow("nights, Ctrl+Shift+P") << "fatherOvernightsEdit" << "92" << "{Ctrl+Shift+P}" << "father's nights"
                                          << 92 << question;
    QTest::newRow("county completed, Ctrl+S")
        << "countryComboBox" << "Mont" << "{Ctrl+S}" << "county" << int(OrvaDocument::Montgomery_County) << "";
    QTest::newRow("county that is none, Ctrl+S")
        << "countryComboBox" << "Narnia" << "{Ctrl+S}" << "county" << int(OrvaDocument::Howard_County) << "";
    QTest::newRow("custody named, Ctrl+Q")
        << "custodyTypeComboBox" << "Sole Father" << "{Ctrl+Q}" << "custody" << int(OrvaDocument::SoleFather) << save;
}

void TestMainWindowTyping::typedEntryReachesTheCommand()
{
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, keys);
    QFETCH(QString, member);
    QFETCH(int, held);
    QFETCH(QString, asked);

    // Shared, father 110 nights: below his sole figure; at 92 above it.
    fatherAboveSole(m_w);
    m_w.doc->setFatherOvernights(110);
    m_w.doc->setCounty(OrvaDocument::Howard_County);
    m_w.window->refresh();
    QVERIFY(!m_w.doc->hasSharedAboveSoleWarning());
    const auto valueOf = [&member](const OrvaDocument &doc) {
        if (member == QLatin1String("county"))
            return doc.county();
        if (member == QLatin1String("custody"))
            return int(doc.custodyType());
        return doc.fatherOvernights();
    };

    OrvaTest::AskAnswers answers;
    const QString saved = m_dir.filePath(QStringLiteral("saved.cml"));
    answers.box(QMessageBox::Cancel).file(saved);
    // A dialog the command should not have reached ends the test instead of waiting.
    QTimer guard;
    connect(&guard, &QTimer::timeout, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    guard.start(3000);

    QWidget *box = field(m_w, name);
    box->setFocus(Qt::MouseFocusReason);
    editOf(box)->selectAll();
    typeAtPace(typed + keys, Pace);

    // New must not have replaced the case.
    QVERIFY(m_w.window->document() == m_w.doc);
    QCOMPARE(valueOf(*m_w.doc), held);
    // The box shows what the case holds.
    if (auto *combo = qobject_cast<QComboBox *>(box))
        QCOMPARE(combo->currentText(), combo->itemText(held));
    const QList<Ask::Shown> shown = answers.shown();
    QVERIFY2(!shown.isEmpty(), "the command asked nothing");
    if (asked.isEmpty()) {
        // The file dialog takes the keyboard from the field: the balloon the
        // command put away stays away.
        m_w.ui->caseNumberEdit->setFocus();
        QTest::qWait(Pace);
        QVERIFY(!m_w.window->fatherBalloon()->isVisible());
        QVERIFY(!m_w.doc->modified());
        OrvaDocument reread(OrvaDocument::July2022);
        QVERIFY(reread.readCaseFile(saved));
        QCOMPARE(valueOf(reread), held);
    } else {
        QCOMPARE(shown.constFirst().text.section(QLatin1Char('\n'), 0, 0), asked);
        QVERIFY(m_w.window->isVisible());
    }
}

// ---- Keys of the commands ---------------------------------------------------------------

// The other keys are given mid-typing in typedEntryReachesTheCommand and
// saveAsShowsTheNewName.
void TestMainWindowTyping::shortcutsReachTheirCommands_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("shown"); // title or text of what Ctrl+O asked first

    QTest::newRow("Ctrl+O, a changed case") << true << "Save file Unsaved?";
    QTest::newRow("Ctrl+O, nothing changed") << false << "Select file to open";
}

void TestMainWindowTyping::shortcutsReachTheirCommands()
{
    QFETCH(bool, changed);
    QFETCH(QString, shown);

    OrvaTest::AskAnswers answers;
    // The keys come while the keyboard is in a field, as they do.
    clickInto(m_w.ui->motherMonthlyIncomeEdit);
    if (changed)
        typeAtPace(QStringLiteral("4100"), Pace);
    const QString text = m_w.ui->motherMonthlyIncomeEdit->lineEdit()->text();

    answers.box(QMessageBox::Cancel).file(QString()); // the command asks, and the answer is Cancel
    typeAtPace(QStringLiteral("{Ctrl+O}"), Pace);
    const QList<Ask::Shown> asked = answers.shown();
    QVERIFY2(!asked.isEmpty(), "the command did not run");
    const Ask::Shown &firstAsked = asked.constFirst();
    QCOMPARE(firstAsked.kind == Ask::Shown::File ? firstAsked.title : firstAsked.text, shown);
    // The keys typed nothing into the field, and the cancelled command left
    // the window and its case as they were.
    QCOMPARE(m_w.ui->motherMonthlyIncomeEdit->lineEdit()->text(), text);
    QVERIFY(m_w.window->isVisible());
    QVERIFY(m_w.doc == m_w.window->document());
}

void TestMainWindowTyping::altKeysNeverType_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("menu"); // the menu the keys open, if any

    QTest::newRow("Alt+F in an income") << "motherMonthlyIncomeEdit" << "{Alt+F}" << "menuFile";
    QTest::newRow("Alt+Z, no menu, in an income") << "fatherMonthlyIncomeEdit" << "{Alt+Z}" << "";
    QTest::newRow("Alt+Q, no menu, in a child's name") << "child3NameEdit" << "{Alt+Q}" << "";
    QTest::newRow("Alt+7 in the overnights") << "motherOvernightsEdit" << "{Alt+7}" << "";
    QTest::newRow("Alt+K in the county") << "countryComboBox" << "{Alt+K}" << "";
}

void TestMainWindowTyping::altKeysNeverType()
{
    QFETCH(QString, name);
    QFETCH(QString, keys);
    QFETCH(QString, menu);

    QWidget *widget = field(m_w, name);
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        combo->setFocus(Qt::MouseFocusReason);
    else
        clickInto(widget);
    QLineEdit *edit = editOf(widget);
    const QString before = edit->text();
    const int county = m_w.doc->county();

    typeAtPace(keys, Pace);
    if (!menu.isEmpty()) {
        QTRY_VERIFY(QApplication::activePopupWidget());
        QCOMPARE(QApplication::activePopupWidget()->objectName(), menu);
        typeAtPace(QStringLiteral("{Escape}"), Pace);
        QTRY_VERIFY(!QApplication::activePopupWidget());
    }
    QCOMPARE(edit->text(), before);
    QCOMPARE(m_w.doc->county(), county);
    QVERIFY(!m_w.doc->modified());
    QVERIFY(!m_w.window->windowTitle().contains(QLatin1String("(* ")));
}

// ---- The cash-medical percentage from the keyboard -------------------------------------------

void TestMainWindowTyping::percentFromTheKeyboard_data()
{
    QTest::addColumn<QString>("script"); // with the keyboard in the mother's percentage
    QTest::addColumn<double>("percent");

    QTest::newRow("arrow down twice") << "{Down}{Down}" << 1.0;
    QTest::newRow("down three, up one") << "{Down}{Down}{Down}{Up}" << 1.0;
    QTest::newRow("up at the first stays") << "{Up}" << 0.0;
    QTest::newRow("typing 2.5") << "2.5" << 2.5;
    QTest::newRow("typing .5") << ".5" << 0.5;
    QTest::newRow("typing 3,5%") << "3,5%" << 3.5;
    QTest::newRow("typing a percentage that is none") << "7" << 0.0;
    QTest::newRow("typing 25, which is none") << "{Down}{Down}25" << 1.0;
    QTest::newRow("typing 15, then 3 after a pause") << "15{Down}" << 0.5;
    QTest::newRow("the list from the keyboard") << "{Alt+Down}{Down}{Down}{Down}{Return}" << 1.5;
    QTest::newRow("the list left with Escape") << "{F4}{Down}{Down}{Escape}" << 0.0;
    QTest::newRow("the list, typing in it") << "{F4}4.5{Return}" << 4.5;
    QTest::newRow("past the last") << "5{Down}{Down}" << 5.0;
}

void TestMainWindowTyping::percentFromTheKeyboard()
{
    QFETCH(QString, script);
    QFETCH(double, percent);

    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::SoleFather);
    clickInto(m_w.ui->motherMonthlyIncomeEdit);
    typeAtPace(QStringLiteral("6000"), Pace);
    // Reached with Tab, as the keyboard goes through the form.
    clickInto(m_w.ui->fatherExtraMedicalExpensesEdit);
    typeAtPace(QStringLiteral("{Tab}"), Pace);
    QVERIFY(m_w.ui->motherCashMedicalSupportEdit->lineEdit()->hasFocus());
    QVERIFY(m_w.ui->motherCashMedicalSupportEdit->comboBox()->isVisible());

    typeAtPace(script, Pace);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(m_w.doc->motherCashMedicalPercent(), percent);
    FCbItemEdit *picker = m_w.ui->motherCashMedicalSupportEdit;
    QCOMPARE(picker->comboBox()->currentText(), QString::number(percent, 'f', 1) + QLatin1Char('%'));
    QCOMPARE(picker->lineEdit()->text(), QString::number(qRound64(6000 * percent / 100.0)));
    QVERIFY(picker->lineEdit()->hasFocus());
}

// ---- Save As ----------------------------------------------------------------------------

void TestMainWindowTyping::saveAsShowsTheNewName_data()
{
    QTest::addColumn<bool>("changedBefore");
    QTest::newRow("a saved case, unchanged") << false;
    QTest::newRow("a saved case, changed since") << true;
}

void TestMainWindowTyping::saveAsShowsTheNewName()
{
    QFETCH(bool, changedBefore);
    OrvaTest::AskAnswers answers;
    const QString first = m_dir.filePath(QStringLiteral("first.cml"));
    const QString second = m_dir.filePath(QStringLiteral("second.cml"));
    clickInto(m_w.ui->caseNumberEdit);
    typeAtPace(QStringLiteral("24-77"), Pace);
    answers.file(first);
    typeAtPace(QStringLiteral("{Ctrl+S}"), Pace);
    QVERIFY(m_w.window->windowTitle().endsWith(QStringLiteral("(%1)").arg(first)));
    if (changedBefore)
        typeAtPace(QStringLiteral("8"), Pace);

    answers.file(second);
    typeAtPace(QStringLiteral("{Ctrl+Shift+S}"), Pace);
    const QList<Ask::Shown> asked = answers.shown();
    QCOMPARE(asked.size(), 2);
    // Proposed: the case's own name and folder.
    QCOMPARE(asked.last().text, first);
    QCOMPARE(m_w.doc->filePath(), second);
    QCOMPARE(m_w.window->windowTitle(), QStringLiteral("Orva-Calc Professional v16.2.24.319 (%1)").arg(second));
}

// ---- Balloons --------------------------------------------------------------------------

void TestMainWindowTyping::balloonsStayOffTheTypedField_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"fatherWorkRelatedExpensesEdit", "fatherHealthInsuranceEdit",
                             "fatherExtraMedicalExpensesEdit", "fatherCashMedicalSupportEdit",
                             "fatherAdditionalExpensesEdit", "motherAdditionalExpensesEdit", "dateEdit",
                             "preparerEdit", "fatherOvernightsEdit"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestMainWindowTyping::balloonsStayOffTheTypedField()
{
    QFETCH(QString, name);
    fatherAboveSole(m_w);
    QBalloonTip *balloon = m_w.window->fatherBalloon();
    QVERIFY(balloon->isVisible());
    const QRect screen = m_w.window->screen()->availableGeometry();

    // Entered with the mouse and with Tab from the field before it.
    QWidget *target = field(m_w, name);
    clickInto(target);
    QVERIFY(!balloon->geometry().intersects(onScreen(target)));
    clickInto(m_w.ui->caseNumberEdit);
    target->setFocus(Qt::TabFocusReason);
    QVERIFY(!balloon->geometry().intersects(onScreen(target)));

    // Typing there keeps it off the field, on the screen, and visible.
    if (name != QLatin1String("fatherCashMedicalSupportEdit"))
        typeAtPace(name.contains(QLatin1String("Overnights")) ? QStringLiteral("93") : QStringLiteral("7"), Pace);
    if (balloon->isVisible()) {
        QVERIFY(!balloon->geometry().intersects(onScreen(target)));
        QVERIFY(screen.contains(balloon->geometry()));
    }
    qint64 sole = 0;
    QCOMPARE(balloon->isVisible(), m_w.doc->fatherRecommendedChildSupportWarning(sole));
}

void TestMainWindowTyping::balloonsFollowTheWindow_data()
{
    QTest::addColumn<QString>("away"); // how the window goes out of sight
    QTest::newRow("minimised") << "minimise";
    QTest::newRow("another program in front") << "inactive";
}

void TestMainWindowTyping::balloonsFollowTheWindow()
{
    QFETCH(QString, away);
    fatherAboveSole(m_w);
    QBalloonTip *balloon = m_w.window->fatherBalloon();
    QVERIFY(balloon->isVisible());

    if (away == QLatin1String("minimise"))
        m_w.window->showMinimized();
    else
        emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    QTRY_VERIFY(!balloon->isVisible());
    // A refresh meanwhile does not bring it back over another program.
    if (away == QLatin1String("minimise")) {
        m_w.window->refresh();
        QVERIFY(!balloon->isVisible());
    }

    if (away == QLatin1String("minimise"))
        m_w.window->showNormal();
    else
        emit qApp->applicationStateChanged(Qt::ApplicationActive);
    QTRY_VERIFY(balloon->isVisible());
    QVERIFY(!m_w.window->motherBalloon()->isVisible());
}

void TestMainWindowTyping::balloonStaysInsideTheWindow()
{
    prepareCase(m_w, OrvaDocument::July2022, OrvaDocument::Shared);
    m_w.doc->setChild1Name(QStringLiteral("Avery"));
    m_w.doc->setMotherMonthlyIncome(4200);
    m_w.doc->setFatherMonthlyIncome(6900);
    m_w.doc->setFatherOvernights(92);
    m_w.window->refresh();
    QBalloonTip *balloon = m_w.window->fatherBalloon();
    QVERIFY(balloon->isVisible());
    QVERIFY(m_w.window->frameGeometry().contains(balloon->geometry()));
    QVERIFY(!balloon->geometry().intersects(onScreen(m_w.ui->dateEdit)));
}

// ---- Computed figures --------------------------------------------------------------------

void TestMainWindowTyping::computedFiguresLookComputed()
{
    // The colour inside a field, right of its text: inputs one way, results another.
    const auto inside = [](QLineEdit *edit) {
        const QImage image = edit->grab().toImage();
        return image.pixelColor(image.width() - 4, image.height() / 2);
    };
    clickInto(m_w.ui->caseNumberEdit);
    const QColor input = inside(m_w.ui->fatherMonthlyIncomeEdit->lineEdit());
    QCOMPARE(inside(m_w.ui->motherWorkRelatedExpensesEdit->lineEdit()), input);
    const QList<QLineEdit *> results = {m_w.ui->motherAdjustedActualIncomeEdit->lineEdit(),
                                        m_w.ui->fatherAdjustedActualIncomeEdit->lineEdit(),
                                        m_w.ui->combinedIncomeEdit, m_w.ui->adjustedCombinedIncomeEdit};
    for (QLineEdit *computed : results)
        QVERIFY2(inside(computed) != input, qPrintable(computed->objectName()));
}

void TestMainWindowTyping::highlightedEntriesAreReadable_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("row");
    QTest::newRow("county, Montgomery") << "countryComboBox" << int(OrvaDocument::Montgomery_County);
    QTest::newRow("custody type") << "custodyTypeComboBox" << int(OrvaDocument::SoleFather);
    QTest::newRow("cash-medical percentage") << "comboBox" << 5;
}

void TestMainWindowTyping::highlightedEntriesAreReadable()
{
    QFETCH(QString, combo);
    QFETCH(int, row);
    QComboBox *box = combo == QLatin1String("comboBox") ? m_w.ui->fatherCashMedicalSupportEdit->comboBox()
                                                         : m_w.window->findChild<QComboBox *>(combo);
    if (combo == QLatin1String("comboBox"))
        clickInto(m_w.ui->fatherCashMedicalSupportEdit);
    else
        box->setFocus(Qt::MouseFocusReason);
    const double contrast = OrvaTest::highlightedEntryContrast(box, row);
    QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
}

ORVA_WIDGET_TEST_MAIN(TestMainWindowTyping)

#include "tst_mainwindow_typing.moc"
