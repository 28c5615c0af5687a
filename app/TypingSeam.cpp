#include "TypingSeam.h"

#include "CaseRecovery.h"
#include "MainWindow.h"
#include "OrvaDocument.h"
#include "SafeFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

void sendKey(QWidget *target, int key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

void typeInto(MainWindow *window, const QString &name, const QString &text)
{
    auto *field = window->findChild<QWidget *>(name);
    auto *edit = qobject_cast<QLineEdit *>(field);
    if (!edit && field)
        edit = field->findChild<QLineEdit *>();
    if (!edit)
        return;
    edit->setFocus();
    edit->selectAll();
    for (const QChar c : text) {
        const int key = c.unicode() < 0x80 ? int(c.toUpper().unicode()) : int(Qt::Key_unknown);
        sendKey(edit, key, QString(c));
    }
    // As on leaving the field.
    emit edit->editingFinished();
}

} // namespace

void TypingSeam::run(MainWindow *window)
{
    bool ok = false;
    const int interval = qEnvironmentVariableIntValue("ORVA_RECOVERY_INTERVAL_MS", &ok);
    if (ok && interval > 0)
        window->recovery()->setInterval(interval);

    const QString script = qEnvironmentVariable("ORVA_TEST_TYPING");
    if (script.isEmpty())
        return;
    QFile file(script);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    window->activateWindow();
    for (const QString &line : lines) {
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab > 0)
            typeInto(window, line.left(tab), line.mid(tab + 1));
    }
    const OrvaDocument *doc = window->document();
    Platform::writeStandardOutput(QStringLiteral("typed %1 %2\n")
                                      .arg(doc->motherRecommendedChildSupport())
                                      .arg(doc->fatherRecommendedChildSupport())
                                      .toUtf8());
}
