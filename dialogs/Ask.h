#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

class QFileDialog;
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

// ---- Test seam --------------------------------------------------------

// What a box or file dialog showed, in the order shown.
struct Shown {
    enum Kind { Box, File };
    Kind kind = Box;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;     // box text, or the file dialog's proposed file or folder
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    bool answered = false; // false: no answer was queued
};

// While answering is on, nothing modal is shown: each box takes the next
// queued button (none queued: its default button, else its escape
// button) and each file dialog the next queued file name (none queued:
// cancelled). Everything shown is recorded.
void setAnswering(bool on);
bool answering();
void answerNextBox(QMessageBox::StandardButton button);
void answerNextFile(const QString &path); // empty: cancel
QList<Shown> takeShown();
void clearAnswers();

} // namespace Ask
