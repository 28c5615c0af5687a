#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

class QDialog;
class QFileDialog;
class QPrintDialog;
class QWidget;

// Every message box and file dialog of the program goes through here, so a
// test can hand over the next answers instead of looking for modal windows.
namespace Ask {

// Runs a prepared message box and returns the button chosen.
QMessageBox::StandardButton exec(QMessageBox &box);

// The framework's static boxes, with the same arguments.
QMessageBox::StandardButton question(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QMessageBox::StandardButton information(QWidget *parent, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QMessageBox::StandardButton warning(QWidget *parent, const QString &title, const QString &text,
                                    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
QMessageBox::StandardButton critical(QWidget *parent, const QString &title, const QString &text,
                                     QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                     QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);

// Runs a prepared file dialog; the chosen file, or empty when cancelled.
QString exec(QFileDialog &dialog);
QString openFileName(QWidget *parent, const QString &caption, const QString &folder, const QString &filter);
QString saveFileName(QWidget *parent, const QString &caption, const QString &proposed, const QString &filter);

// Runs a print dialog; true when accepted (its printer is then set up).
bool exec(QPrintDialog &dialog);
// Runs any other prepared dialog; its result code.
int exec(QDialog &dialog);

// ---- Test seam --------------------------------------------------------

// What a box or file dialog showed, in the order shown.
struct Shown {
    enum Kind { Box, File, Print, Dialog };
    Kind kind = Box;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;     // box text, the file dialog's proposed file or folder, a dialog's label texts
    QString informativeText; // a box's second text: the reason under an error
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    bool answered = false; // false: no answer was queued
};

// While answering is on, nothing modal is shown: each box takes the next
// queued button (none queued: its default button, else its escape
// button), each file dialog the next queued file name and each print
// dialog the next queued PDF file (none queued: cancelled). Everything shown is recorded.
void setAnswering(bool on);
bool answering();
void answerNextBox(QMessageBox::StandardButton button);
void answerNextFile(const QString &path); // empty: cancel
// The next print dialog prints into this PDF file; empty (or none queued):
// cancelled.
void answerNextPrint(const QString &pdfPath);
// The next other dialog returns this code (none queued: rejected).
void answerNextDialog(int result);
QList<Shown> takeShown();
void clearAnswers();

} // namespace Ask
