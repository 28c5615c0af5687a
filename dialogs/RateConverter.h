#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Turns an amount per pay period into its monthly equivalent. Opened from an
// amount field (the caller reads resultText() after Set) or stand-alone with
// the initial text "<abracadabra>", where Copy puts the result on the
// clipboard.
class RateConverter : public QDialog
{
    Q_OBJECT

public:
    explicit RateConverter(const QString &initialText, QWidget *parent = nullptr);

    QString resultText() const;

    // The monthly equivalent of `amount` paid per `period` (the untranslated
    // item text). Products and quotients are taken in single precision and
    // rounded half away from zero; an unknown period gives 0.
    static qint64 monthlyAmount(qint32 amount, const QString &period);

    static QString standAloneText() { return QStringLiteral("<abracadabra>"); }

private slots:
    void on_sourceEdit_returnPressed();
    void on_resultEdit_returnPressed();
    void on_sourceEdit_textEdited(const QString &value);
    void on_sourceComboBox_currentTextChanged(const QString &text);

private:
    void setupUi();
    void convert();

    QLabel *m_sourceLabel = nullptr;
    QLabel *m_resultLabel = nullptr;
    QLineEdit *m_sourceEdit = nullptr;
    QLabel *m_equalsLabel = nullptr;
    QLineEdit *m_resultEdit = nullptr;
    QComboBox *m_sourceComboBox = nullptr;
    QPushButton *m_pushButtonAccept = nullptr;
    QPushButton *m_pushButtonReject = nullptr;
};
