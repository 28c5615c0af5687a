#include "GuidelineSwitch.h"

#include "CaseHolder.h"
#include "LItemEdit.h"
#include "MainWindowForm.h"
#include "OrvaDocument.h"
#include "PdfPreviewDialog.h"
#include "QBalloonTip.h"
#include "WarningsPresenter.h"

#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPalette>
#include <QPixmap>
#include <QRadioButton>
#include <QWidget>

GuidelineSwitch::GuidelineSwitch(QWidget *window, Ui::MainWindow *form, CaseHolder *holder,
                                 WarningsPresenter *warnings)
    : m_window(window)
    , m_ui(form)
    , m_case(holder)
    , m_warnings(warnings)
{
}

void GuidelineSwitch::showMode()
{
    setBackground();
    checkModeRadioButton();
}

void GuidelineSwitch::setBackground()
{
    QString image;
    switch (m_case->document()->mode()) {
    case OrvaDocument::PreOct2020:
        image = QStringLiteral(":/images/001.png");
        break;
    case OrvaDocument::NewOct2020:
        image = QStringLiteral(":/images/bluecalc.png");
        break;
    default:
        image = QStringLiteral(":/images/002.png");
        break;
    }
    // Only a change of version changes the picture; no reload per keystroke.
    if (image == m_backgroundImage)
        return;
    m_backgroundImage = image;
    QPalette pal = m_window->palette();
    pal.setBrush(QPalette::All, QPalette::Window, QBrush(QPixmap(image)));
    m_window->setPalette(pal);
}

QRadioButton *GuidelineSwitch::modeRadioButton(int mode) const
{
    switch (mode) {
    case OrvaDocument::July2022:
        return m_ui->newGuidelinesRadioButton;
    case OrvaDocument::NewOct2020:
        return m_ui->oldGuidelinesRadioButton;
    default:
        return m_ui->oldGuidelinesRadioButton_2;
    }
}

void GuidelineSwitch::checkGuidelineRadio(QRadioButton *radio)
{
    QRadioButton *radios[] = {m_ui->newGuidelinesRadioButton, m_ui->oldGuidelinesRadioButton,
                              m_ui->oldGuidelinesRadioButton_2};
    for (QRadioButton *button : radios)
        button->blockSignals(true);
    radio->setChecked(true);
    for (QRadioButton *button : radios)
        button->blockSignals(false);
}

void GuidelineSwitch::checkModeRadioButton()
{
    checkGuidelineRadio(modeRadioButton(m_case->document()->mode()));
}

void GuidelineSwitch::applySelection(QObject *source)
{
    // The button losing the check reports too; the one gaining it follows.
    if (auto *radio = qobject_cast<QRadioButton *>(source); radio && !radio->isChecked())
        return;

    OrvaDocument *doc = m_case->document();
    if (m_ui->newGuidelinesRadioButton->isChecked())
        selectNewGuidelines(OrvaDocument::July2022);
    else if (m_ui->oldGuidelinesRadioButton->isChecked())
        selectNewGuidelines(OrvaDocument::NewOct2020);
    else
        selectPreOct2020(doc->mode());

    m_ui->actionShow_Old_Guidelines->setEnabled(!m_ui->oldGuidelinesRadioButton_2->isChecked());
    doc->setLastCheckedAdjustedCombinedIncome(0);
    if (!doc->extrapolationWarnedModes().isEmpty())
        m_warnings->suppressNotice();
    emit refreshNeeded();
}

// Oct 2020 or Jul 2022: a shared case coming from Pre Oct 2020 is offered
// the overnights reset to 273/92.
void GuidelineSwitch::selectNewGuidelines(int target)
{
    OrvaDocument *doc = m_case->document();
    const OrvaDocument::Mode mode = static_cast<OrvaDocument::Mode>(target);
    if (doc->mode() != OrvaDocument::PreOct2020 || !OrvaDocument::isSharedCustody(doc->custodyType())) {
        doc->setMode(mode);
        return;
    }
    const QMessageBox::StandardButton answer = QMessageBox::information(
        m_window, tr("Orva-Calc"),
        tr("With the New Guidlines you are able to\nset overnights value in the range 92 - 273\n\n"
           "Do you want to reset the overnights?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) {
        doc->setMode(mode);
        doc->setMotherOvernights(273);
        m_ui->motherOvernightsEdit->setFocus();
    } else if (answer == QMessageBox::No) {
        doc->setMode(mode);
        m_ui->motherOvernightsEdit->setFocus();
    } else {
        checkGuidelineRadio(m_ui->oldGuidelinesRadioButton_2);
    }
}

// Pre Oct 2020: a shared case with the mother's overnights outside 128..237
// moves only with the user's consent.
void GuidelineSwitch::selectPreOct2020(int previous)
{
    OrvaDocument *doc = m_case->document();
    const int nights = doc->motherOvernights();
    if (!OrvaDocument::isSharedCustody(doc->custodyType()) || (nights >= 128 && nights <= 237)) {
        doc->setMode(OrvaDocument::PreOct2020);
        return;
    }
    const QMessageBox::StandardButton answer = QMessageBox::question(
        m_window, tr("ORVA-Calc: validation error"),
        tr("Can't switch to Pre Oct 2020 mode\nOvernights value should be between 128 and 237\n\n"
           "Do you want to correct it automatically?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        doc->setMode(OrvaDocument::PreOct2020);
        // The range rule of the new version brings the nights into 128..237.
        doc->setMotherOvernights(doc->motherOvernights());
    } else {
        m_ui->motherOvernightsEdit->setFocus();
        checkGuidelineRadio(modeRadioButton(previous));
    }
}

void GuidelineSwitch::showOldGuidelines()
{
    qDebug() << "MainWindow::on_actionShow_Old_Guidelines_triggered"
             << "checked" << m_ui->actionShow_Old_Guidelines->isChecked() << "enabled"
             << m_ui->actionShow_Old_Guidelines->isEnabled();
    checkModeRadioButton();
}

void GuidelineSwitch::switchMotherToSole()
{
    qDebug() << "MainWindow: mother's balloon: switch to sole custody";
    OrvaDocument *doc = m_case->document();
    doc->setCustodyType(doc->custodyType() == OrvaDocument::SharedP1P2 ? OrvaDocument::SoleParent2
                                                                       : OrvaDocument::SoleFather);
    m_warnings->motherBalloon()->hideBalloon();
    emit refreshNeeded();
}

void GuidelineSwitch::switchFatherToSole()
{
    qDebug() << "MainWindow: father's balloon: switch to sole custody";
    OrvaDocument *doc = m_case->document();
    doc->setCustodyType(doc->custodyType() == OrvaDocument::SharedP1P2 ? OrvaDocument::SoleParent1
                                                                       : OrvaDocument::SoleMother);
    m_warnings->fatherBalloon()->hideBalloon();
    emit refreshNeeded();
}

QString GuidelineSwitch::statuteFileName(int mode)
{
    switch (mode) {
    case OrvaDocument::PreOct2020:
        return QStringLiteral("FL12-201.pdf");
    case OrvaDocument::NewOct2020:
        return QStringLiteral("Maryland-2020-HB269.pdf");
    default:
        return QStringLiteral("07.01.22-12-204-Calculation-of-support.pdf");
    }
}

QString GuidelineSwitch::statuteFilePath(int mode)
{
    return QDir::cleanPath(
        QFileInfo(QCoreApplication::applicationDirPath() + QLatin1Char('/') + statuteFileName(mode)).absoluteFilePath());
}

void GuidelineSwitch::openStatute()
{
    m_warnings->hideBalloons();
    const QString path = statuteFilePath(m_case->document()->mode());
    qDebug() << "MainWindow::on_statuteButton_clicked" << path;
    // A missing file opens an empty preview; the window reports it in the log.
    PdfPreviewDialog preview(path);
    preview.exec();
}
