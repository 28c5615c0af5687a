#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// Plain-text editor for the case comments and for the footnote of an amount.
// The caller reads plainText() only when the dialog was accepted.
class CommentsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CommentsDialog(QWidget *parent = nullptr);

    void setPlainText(const QString &text);
    QString plainText() const;

private slots:
    void on_doneButton_clicked();
    void on_cancelButton_clicked();

private:
    QPlainTextEdit *m_textEdit = nullptr;
    QPushButton *m_doneButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
