#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;

// The about box: logo, version, rights notice and the machine it runs on.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // The text of the information label.
    static QString infoText();

private:
    QLabel *m_logoLabel = nullptr;
    QLabel *m_infoLabel = nullptr;
    QDialogButtonBox *m_buttonBox = nullptr;
};
