#pragma once

// Drives the real main window as a user does: one window per test, fields
// typed into with key clicks, list items chosen with the mouse.

#include "FCItemEdit.h"
#include "LItemEdit.h"
#include "MainWindow.h"
#include "MainWindowForm.h"
#include "MyLineEdit.h"
#include "OrvaDocument.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>
#include <QtTest>

#include <memory>

namespace OrvaTest {

using Mode = OrvaDocument::Mode;
using Custody = OrvaDocument::CustodyType;

struct Window {
    std::unique_ptr<MainWindow> window;
    Ui::MainWindow *ui = nullptr;
    OrvaDocument *doc = nullptr;
};

inline Window openWindow()
{
    Window w;
    w.window = std::make_unique<MainWindow>();
    w.ui = w.window->form();
    w.doc = w.window->document();
    w.window->move(100, 50);
    w.window->show();
    QApplication::setActiveWindow(w.window.get());
    if (!QTest::qWaitForWindowActive(w.window.get()))
        qWarning("window not active");
    return w;
}

// Puts the case into `mode` and `custody` the way the case document does it,
// with the overnights defaults of the version.
inline void prepareCase(Window &w, Mode mode, Custody custody)
{
    w.doc->setMode(mode);
    w.doc->setCustodyType(custody);
    w.doc->setMotherOvernights(mode == OrvaDocument::PreOct2020 ? 237 : 273);
    w.window->refresh();
}

// The shared case whose father's shared figure (634) lies above his sole
// one, so that his warning balloon is up.
inline void fatherAboveSole(Window &w)
{
    prepareCase(w, OrvaDocument::July2022, OrvaDocument::Shared);
    w.doc->setChild1Name(QStringLiteral("Avery"));
    w.doc->setMotherMonthlyIncome(1000);
    w.doc->setFatherMonthlyIncome(3000);
    w.doc->setFatherOvernights(92);
    w.window->refresh();
}

inline void typeAmount(FCItemEdit *field, const QString &text)
{
    field->setFocus();
    field->lineEdit()->selectAll();
    if (text.isEmpty())
        QTest::keyClick(field->lineEdit(), Qt::Key_Delete);
    else
        QTest::keyClicks(field->lineEdit(), text);
}

inline void typeAndLeave(LItemEdit *field, const QString &text, QWidget *next)
{
    field->setFocus();
    field->lineEdit()->selectAll();
    QTest::keyClicks(field->lineEdit(), text);
    next->setFocus();
}

// Picks an item the way a user does: open the list, click the item.
inline void chooseItem(QComboBox *combo, int index)
{
    combo->showPopup();
    QAbstractItemView *view = combo->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QModelIndex item = view->model()->index(index, 0);
    view->scrollTo(item);
    view->setCurrentIndex(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    QTRY_VERIFY(!view->window()->isVisible());
}

// A person at the keyboard: every key goes to whichever window has the
// keyboard at that moment, and within it to the field with focus, `pace`
// milliseconds apart. Words in braces are keys: {Home}, {Ctrl+Z}, {Alt+F}.
inline void typeAtPace(const QString &script, int pace = 150)
{
    const auto send = [pace](Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text) {
        // An open list or menu has the keyboard while it is shown.
        QWidget *popup = QApplication::activePopupWidget();
        QWindow *window = popup && popup->windowHandle() ? popup->windowHandle() : QGuiApplication::focusWindow();
        QVERIFY2(window, "no window has the keyboard");
        QTest::sendKeyEvent(QTest::Click, window, key, text, modifiers);
        QTest::qWait(pace);
    };
    for (qsizetype i = 0; i < script.size(); ++i) {
        if (script.at(i) == QLatin1Char('{')) {
            const qsizetype end = script.indexOf(QLatin1Char('}'), i);
            const QKeySequence sequence(script.mid(i + 1, end - i - 1));
            QVERIFY2(!sequence.isEmpty(), qPrintable(script.mid(i)));
            const QKeyCombination combination = sequence[0];
            const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
            const char ascii = QTest::keyToAscii(combination.key());
            // Ctrl with a letter types nothing; Alt with one still carries it.
            const QString text = ascii && !(modifiers & Qt::ControlModifier) && ascii >= ' '
                                     ? QString(QLatin1Char(ascii)).toLower()
                                     : QString();
            send(combination.key(), modifiers, text);
            i = end;
            continue;
        }
        const char ascii = script.at(i).toLatin1();
        send(QTest::asciiToKey(ascii), Qt::NoModifier, QString(script.at(i)));
    }
}

// The extrapolation notice while it is shown. It comes without taking the
// keyboard or blocking the window, so a test looks for it instead of
// answering a modal dialog.
inline QDialog *shownNotice(MainWindow *window)
{
    const QList<QDialog *> notices = window->findChildren<QDialog *>(QStringLiteral("extrapolationNotice"));
    for (QDialog *notice : notices) {
        if (notice->isVisible())
            return notice;
    }
    return nullptr;
}

inline QString noticeText(QDialog *notice)
{
    auto *label = notice ? notice->findChild<QLabel *>(QStringLiteral("noticeLabel")) : nullptr;
    return label ? label->text() : QString();
}

// Waits up to two seconds for the notice and closes it with its OK button;
// false when none came or OK left it open. Its text goes to `text`.
inline bool acceptNotice(MainWindow *window, QString *text = nullptr)
{
    if (!QTest::qWaitFor([window] { return shownNotice(window) != nullptr; }, 2000))
        return false;
    QDialog *notice = shownNotice(window);
    if (text)
        *text = noticeText(notice);
    QTest::mouseClick(notice->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    return !notice->isVisible();
}

} // namespace OrvaTest
