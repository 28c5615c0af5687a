#pragma once

#include <QDialog>
#include <QMap>
#include <QStringList>

class QCheckBox;
class QLineEdit;
class QPrinter;

// The alimony calculator: the spouses' data, the four formulas side by side
// on every keystroke in a numeric input, the ".calc" file and the printed
// report. Every value lives in the widgets; nothing reaches the case.
class AlimonyCalc : public QDialog
{
    Q_OBJECT

public:
    explicit AlimonyCalc(QWidget *parent = nullptr);

    // Fills the nine inputs from an alimony file, as Open does after its file
    // dialog, and recalculates; failures are shown and logged, the fields
    // kept.
    bool openFile(const QString &path);
    // Writes the file as Save does after its file dialog.
    bool saveFile(const QString &path);
    // Prints the report on `printer` as Print does once its dialog is
    // accepted.
    bool printOn(QPrinter *printer);

    // Texts of the nine inputs and twenty results by their file keys.
    QMap<QString, QString> textsByKey() const;

    // Escape and the window's close button: with inputs changed since the
    // last save or open, asks first.
    void reject() override;

private slots:
    void on_yearsEdit_textEdited(const QString &text);
    void on_payorgrossEdit_textEdited(const QString &text);
    void on_payeegrossEdit_textEdited(const QString &text);
    void on_payordeviationOEdit_textEdited(const QString &text);
    void on_payeedeviationO_textEdited(const QString &text);
    void on_printButton_clicked();
    void on_openButton_clicked();
    void on_saveButton_clicked();
    void on_resetButton_clicked();
    void on_doneButton_clicked();

    void numericTextChanged(const QString &text);

private:
    void setupUi();
    QStringList inputTexts() const;
    void markSaved() { m_savedInputs = inputTexts(); }
    // True when the entry may go: unchanged since the last save or open,
    // saved now, or given up by the user.
    bool mayDropEntry();
    bool saveWithDialog();
    void recalculate();
    QLineEdit *edit(const char *name) const;
    QLineEdit *edit(const QString &name) const;
    QString reportHtml(const QString &templateText) const;
    void showFileError(const QString &format, const QString &reason);

    QStringList m_savedInputs; // the inputs as last saved or opened
};
