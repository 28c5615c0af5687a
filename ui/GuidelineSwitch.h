#pragma once

// GuidelineSwitch: the guideline version of the case and the custody switch
// offered by the warning balloons. Choosing a version asks before it moves a
// shared case's overnights between the ranges of the old and the new
// guidelines; the window shows the version as its background and checked
// radio button. The Statute button opens the statute of the version.

#include <QObject>
#include <QString>

class CaseHolder;
class QRadioButton;
class QWidget;
class WarningsPresenter;

namespace Ui {
class MainWindow;
}

class GuidelineSwitch : public QObject
{
    Q_OBJECT

public:
    GuidelineSwitch(QWidget *window, Ui::MainWindow *form, CaseHolder *holder, WarningsPresenter *warnings);

    // The background and the checked radio button of the case's version.
    void showMode();
    // Runs the version choice of the radio buttons; `source` is the control
    // that reported it.
    void applySelection(QObject *source);
    void showOldGuidelines();
    void openStatute();

    // The statute document of a guideline version and where it is installed:
    // beside the program.
    static QString statuteFileName(int mode);
    static QString statuteFilePath(int mode);

public slots:
    void switchMotherToSole();
    void switchFatherToSole();

signals:
    // The case changed: the window refreshes.
    void refreshNeeded();

private:
    void setBackground();
    QRadioButton *modeRadioButton(int mode) const;
    void checkGuidelineRadio(QRadioButton *radio);
    void checkModeRadioButton();
    void selectNewGuidelines(int target);
    void selectPreOct2020(int previous);

    QWidget *m_window;
    Ui::MainWindow *m_ui;
    CaseHolder *m_case;
    WarningsPresenter *m_warnings;
    QString m_backgroundImage; // the picture the window background shows
};
