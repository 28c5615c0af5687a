// The Tools menu of the main window: the alimony calculator and the tools of
// the right-hand panel, reached through the menu and the shortcut. Each
// modal dialog is answered from a timer.

#include "MainWindowDriver.h"
#include "OrvaTestMain.h"

#include "AlimonyCalc.h"
#include "QBalloonTip.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

using namespace OrvaTest;

struct Opened {
    QString className;
    bool parentless = false;
    bool modal = false;
    bool motherBalloonShown = false;
    bool fatherBalloonShown = false;
};

// Records the next modal dialog into `opened` and closes it (Done for the
// calculator); the watch ends with the returned handle.
std::shared_ptr<ModalAnswer> closeNextDialog(MainWindow *window, Opened *opened)
{
    return answerModal([window, opened](QWidget *modal) {
        opened->className = QString::fromLatin1(modal->metaObject()->className());
        opened->parentless = modal->parentWidget() == nullptr;
        opened->modal = modal->isModal();
        opened->motherBalloonShown = window->motherBalloon()->isVisible();
        opened->fatherBalloonShown = window->fatherBalloon()->isVisible();
        if (auto *done = modal->findChild<QPushButton *>(QStringLiteral("doneButton")))
            QTest::mouseClick(done, Qt::LeftButton);
    });
}

QAction *toolsAction(Ui::MainWindow *ui, const QString &name)
{
    for (QAction *action : ui->menuTools->actions()) {
        if (action->objectName() == name)
            return action;
    }
    return nullptr;
}

} // namespace

class TestMainWindowTools : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void alimonyCalculatorKeepsTheBalloons_data();
    void alimonyCalculatorKeepsTheBalloons();
    void panelToolsFromTheMenu_data();
    void panelToolsFromTheMenu();
    void shortcutsClashWithNothing();

private:
    Window m_w;
};

void TestMainWindowTools::init()
{
    m_w = openWindow();
}

void TestMainWindowTools::cleanup()
{
    if (m_w.window)
        m_w.window->document()->setModified(false);
    m_w = Window();
}

void TestMainWindowTools::alimonyCalculatorKeepsTheBalloons_data()
{
    QTest::addColumn<bool>("byShortcut");
    QTest::newRow("menu") << false;
    QTest::newRow("shortcut") << true;
}

void TestMainWindowTools::alimonyCalculatorKeepsTheBalloons()
{
    QFETCH(bool, byShortcut);
    Ui::MainWindow *ui = m_w.ui;
    fatherAboveSole(m_w);
    QVERIFY(m_w.window->fatherBalloon()->isVisible());
    const bool modified = m_w.doc->modified();

    QAction *action = toolsAction(ui, QStringLiteral("actionCalculate_Alimony"));
    QVERIFY(action);
    QVERIFY(action->isEnabled());
    Opened opened;
    const auto watch = closeNextDialog(m_w.window.get(), &opened);
    if (byShortcut) {
        QApplication::setActiveWindow(m_w.window.get());
        QTest::keySequence(m_w.window.get(), action->shortcut());
    } else {
        action->trigger();
    }
    QCOMPARE(opened.className, QStringLiteral("AlimonyCalc"));
    QVERIFY(opened.parentless);
    QVERIFY(opened.modal);
    QVERIFY(opened.fatherBalloonShown);
    QVERIFY(!opened.motherBalloonShown);
    QVERIFY(m_w.window->fatherBalloon()->isVisible());
    QCOMPARE(m_w.doc->modified(), modified);
}

void TestMainWindowTools::panelToolsFromTheMenu_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("rate converter") << "actionRate_Converter" << "RateConverter";
    QTest::newRow("calendar") << "actionCalendar" << "CalendarDialog";
    QTest::newRow("comments") << "actionComments" << "CommentsDialog";
    QTest::newRow("statute") << "actionStatute" << "PdfPreviewDialog";
}

void TestMainWindowTools::panelToolsFromTheMenu()
{
    QFETCH(QString, action);
    QFETCH(QString, dialog);
    QAction *entry = toolsAction(m_w.ui, action);
    QVERIFY(entry);
    Opened opened;
    const auto watch = closeNextDialog(m_w.window.get(), &opened);
    entry->trigger();
    QCOMPARE(opened.className, dialog);
    QVERIFY(opened.modal);
}

// Every shortcut of the window is unique and none takes a key the fields
// need for editing (copy, select all, undo, moving the cursor, ...). The
// calculator's own shortcut is no standard key of the platform at all.
void TestMainWindowTools::shortcutsClashWithNothing()
{
    QList<QKeySequence> editing, standard;
    for (int key = QKeySequence::HelpContents; key <= QKeySequence::Cancel; ++key)
        standard << QKeySequence::keyBindings(QKeySequence::StandardKey(key));
    QList<int> editingKeys = {QKeySequence::Delete, QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste,
                              QKeySequence::Undo, QKeySequence::Redo, QKeySequence::SelectAll,
                              QKeySequence::Deselect, QKeySequence::DeleteCompleteLine, QKeySequence::Backspace,
                              QKeySequence::Cancel};
    for (int key = QKeySequence::MoveToNextChar; key <= QKeySequence::InsertLineSeparator; ++key)
        editingKeys << key;
    for (int key : editingKeys)
        editing << QKeySequence::keyBindings(QKeySequence::StandardKey(key));

    QHash<QKeySequence, QString> seen;
    const QList<QAction *> actions = m_w.window->findChildren<QAction *>();
    for (QAction *action : actions) {
        for (const QKeySequence &shortcut : action->shortcuts()) {
            QVERIFY2(!seen.contains(shortcut), qPrintable(action->objectName() + " and " + seen.value(shortcut)));
            seen.insert(shortcut, action->objectName());
            QVERIFY2(!editing.contains(shortcut), qPrintable(action->objectName() + ": " + shortcut.toString()));
        }
    }
    const QKeySequence alimony = toolsAction(m_w.ui, QStringLiteral("actionCalculate_Alimony"))->shortcut();
    QVERIFY(!alimony.isEmpty());
    QVERIFY2(!standard.contains(alimony), qPrintable(alimony.toString()));
}

ORVA_WIDGET_TEST_MAIN(TestMainWindowTools)
#include "tst_mainwindow_tools.moc"
