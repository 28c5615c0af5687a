#include "Ask.h"

#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace Ask {

namespace {

struct State {
    bool answering = false;
    QList<QMessageBox::StandardButton> boxes;
    QStringList files;
    QStringList prints;
    QList<int> dialogs;
    QList<Shown> shown;
};

State &state()
{
    static State current;
    return current;
}

QMessageBox::StandardButton fallbackButton(const QMessageBox &box)
{
    if (box.defaultButton())
        return box.standardButton(box.defaultButton());
    if (box.escapeButton())
        return box.standardButton(box.escapeButton());
    const QList<QAbstractButton *> buttons = box.buttons();
    return buttons.isEmpty() ? QMessageBox::Ok : box.standardButton(buttons.first());
}

QMessageBox::StandardButton staticBox(QMessageBox::Icon icon, QWidget *parent, const QString &title,
                                      const QString &text, QMessageBox::StandardButtons buttons,
                                      QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return exec(box);
}

} // namespace

QMessageBox::StandardButton exec(QMessageBox &box)
{
    if (!state().answering)
        return static_cast<QMessageBox::StandardButton>(box.exec());
    Shown shown;
    shown.kind = Shown::Box;
    shown.icon = box.icon();
    shown.title = box.windowTitle();
    shown.text = box.text();
    shown.informativeText = box.informativeText();
    shown.buttons = box.standardButtons();
    shown.defaultButton = box.defaultButton() ? box.standardButton(box.defaultButton()) : QMessageBox::NoButton;
    QMessageBox::StandardButton answer;
    if (!state().boxes.isEmpty()) {
        answer = state().boxes.takeFirst();
        shown.answered = true;
    } else {
        answer = fallbackButton(box);
    }
    state().shown << shown;
    return answer;
}

QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return staticBox(QMessageBox::Question, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return staticBox(QMessageBox::Information, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return staticBox(QMessageBox::Warning, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
    return staticBox(QMessageBox::Critical, parent, title, text, buttons, defaultButton);
}

QString exec(QFileDialog &dialog)
{
    if (!state().answering) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }
    Shown shown;
    shown.kind = Shown::File;
    shown.title = dialog.windowTitle();
    const QStringList selected = dialog.selectedFiles();
    shown.text = selected.isEmpty() ? dialog.directory().absolutePath() : selected.constFirst();
    QString answer;
    if (!state().files.isEmpty()) {
        answer = state().files.takeFirst();
        shown.answered = true;
    }
    state().shown << shown;
    return answer;
}

QString openFileName(QWidget *parent, const QString &caption, const QString &folder, const QString &filter)
{
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return exec(dialog);
}

QString saveFileName(QWidget *parent, const QString &caption, const QString &proposed, const QString &filter)
{
    QFileDialog dialog(parent, caption, proposed, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    return exec(dialog);
}

bool exec(QPrintDialog &dialog)
{
    if (!state().answering)
        return dialog.exec() == QDialog::Accepted;
    Shown shown;
    shown.kind = Shown::Print;
    shown.title = dialog.windowTitle();
    const QString file = state().prints.isEmpty() ? QString() : state().prints.takeFirst();
    shown.answered = !file.isEmpty();
    state().shown << shown;
    if (file.isEmpty())
        return false;
    // What the dialog's "Print to File (PDF)" choice sets up.
    dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
    dialog.printer()->setOutputFileName(file);
    return true;
}

int exec(QDialog &dialog)
{
    if (!state().answering)
        return dialog.exec();
    Shown shown;
    shown.kind = Shown::Dialog;
    shown.title = dialog.windowTitle();
    const QList<QLabel *> labels = dialog.findChildren<QLabel *>();
    QStringList texts;
    for (const QLabel *label : labels)
        texts << label->text();
    shown.text = texts.join(QLatin1Char('\n'));
    shown.answered = !state().dialogs.isEmpty();
    const int result = shown.answered ? state().dialogs.takeFirst() : int(QDialog::Rejected);
    state().shown << shown;
    return result;
}

void setAnswering(bool on)
{
    state().answering = on;
}

bool answering()
{
    return state().answering;
}

void answerNextBox(QMessageBox::StandardButton button)
{
    state().boxes << button;
}

void answerNextFile(const QString &path)
{
    state().files << path;
}

void answerNextPrint(const QString &pdfPath)
{
    state().prints << pdfPath;
}

void answerNextDialog(int result)
{
    state().dialogs << result;
}

QList<Shown> takeShown()
{
    QList<Shown> shown;
    shown.swap(state().shown);
    return shown;
}

void clearAnswers()
{
    state().boxes.clear();
    state().files.clear();
    state().prints.clear();
    state().dialogs.clear();
    state().shown.clear();
}

} // namespace Ask
