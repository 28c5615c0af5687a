// Grabs the main window and its dialogs to PNG files for a look by eye:
//   ORVA_SHOTS=FOLDER [ORVA_SHOT_SCALE=1.5] shoot_mainwindow
// Not a test: it asserts nothing. Warning balloons are separate windows; they
// are painted into the window picture at their screen positions.

#include "OrvaTestMain.h"

#include "AboutDialog.h"
#include "CalendarDialog.h"
#include "CommentsDialog.h"
#include "FCItemEdit.h"
#include "FCbItemEdit.h"
#include "LItemEdit.h"
#include "MainWindow.h"
#include "MainWindowForm.h"
#include "MyComboBox.h"
#include "MyLineEdit.h"
#include "OrvaDocument.h"
#include "QBalloonTip.h"
#include "RateConverter.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QRadioButton>
#include <QToolButton>
#include <QDir>
#include <QPainter>
#include <QTimer>

namespace {

QString g_folder;

// The monitor scale the window is shot at; 1 unless ORVA_SHOT_SCALE says otherwise.
float shotScale()
{
    bool ok = false;
    const float scale = qEnvironmentVariable("ORVA_SHOT_SCALE").toFloat(&ok);
    return ok && scale > 0 ? scale : 1.0f;
}

void save(const QPixmap &pixmap, const QString &name)
{
    const QString path = QDir(g_folder).filePath(name + QStringLiteral(".png"));
    pixmap.save(path);
    qInfo("%s", qPrintable(path));
}

// The widget's picture once it stopped changing: layouts and pages that
// settle after showing are in it, on a busy machine too.
QPixmap settledGrab(QWidget *widget, int firstWait)
{
    QTest::qWait(firstWait);
    QImage last = widget->grab().toImage();
    int unchanged = 0;
    for (int i = 0; i < 30 && unchanged < 2; ++i) {
        QTest::qWait(300);
        const QImage next = widget->grab().toImage();
        unchanged = next == last ? unchanged + 1 : 0;
        last = next;
    }
    return QPixmap::fromImage(last);
}

void shootWindow(MainWindow &window, const QString &name)
{
    const QPixmap body = settledGrab(&window, 0);
    QRect area(window.pos(), body.size());
    QList<QBalloonTip *> balloons;
    for (QBalloonTip *balloon : {window.motherBalloon(), window.fatherBalloon()}) {
        if (balloon->isVisible()) {
            balloons << balloon;
            area = area.united(balloon->geometry());
        }
    }
    QPixmap picture(area.size());
    picture.fill(QColor(90, 90, 96));
    QPainter painter(&picture);
    painter.drawPixmap(window.pos() - area.topLeft(), body);
    for (QBalloonTip *balloon : balloons) {
        painter.setClipRegion(balloon->mask().translated(balloon->pos() - area.topLeft()));
        painter.drawPixmap(balloon->pos() - area.topLeft(), balloon->grab());
    }
    painter.end();
    save(picture, name);
}

void shootDialog(QDialog &dialog, const QString &name)
{
    dialog.show();
    save(settledGrab(&dialog, 0), name);
    dialog.hide();
}

void setCase(OrvaDocument *doc, qint64 mother, qint64 father, int custody)
{
    doc->setCustodyType(custody);
    doc->setMotherMonthlyIncome(mother);
    doc->setFatherMonthlyIncome(father);
}

// Grabs whatever modal window comes next (after it settled and drew its
// pages), then closes it with `close`.
OrvaTest::ModalSequence::Step grabModal(const QString &name, std::function<void(QWidget *)> close = {})
{
    return [name, close](QWidget *modal) {
        save(settledGrab(modal, 700), name);
        if (close)
            close(modal);
        else
            modal->close();
    };
}

void pressButton(QWidget *modal, QMessageBox::StandardButton which)
{
    if (auto *box = qobject_cast<QMessageBox *>(modal))
        box->button(which)->click();
}

// The window's commands: the switch questions, the save prompt, the
// shared-custody confirmation and the previews (worksheet and statute).
void shootCommands(MainWindow &window)
{
    Ui::MainWindow *ui = window.form();
    OrvaDocument *doc = window.document();

    auto answers = OrvaTest::answerModals(
        {grabModal(QStringLiteral("13_question_to_pre2020"), [](QWidget *m) { pressButton(m, QMessageBox::No); })});
    ui->oldGuidelinesRadioButton_2->click();
    QTest::qWait(100);
    answers->stop();

    answers = OrvaTest::answerModals(
        {grabModal(QStringLiteral("14_confirm_shared_above_sole"), [](QWidget *m) { pressButton(m, QMessageBox::Ok); }),
         grabModal(QStringLiteral("40_preview_shared_case"))});
    ui->actionPreview->trigger();
    answers->stop();

    doc->setCustodyType(OrvaDocument::SoleMother);
    window.refresh();
    answers = OrvaTest::answerModals({grabModal(QStringLiteral("41_preview_sole_case"))});
    ui->actionPreview->trigger();
    answers->stop();

    const std::pair<OrvaDocument::Mode, QString> statutes[] = {
        {OrvaDocument::PreOct2020, QStringLiteral("42_statute_pre2020")},
        {OrvaDocument::NewOct2020, QStringLiteral("43_statute_oct2020")},
        {OrvaDocument::July2022, QStringLiteral("44_statute_jul2022")}};
    for (const auto &[mode, name] : statutes) {
        doc->setMode(mode);
        window.refresh();
        answers = OrvaTest::answerModals({grabModal(name)});
        ui->statuteButton->click();
        answers->stop();
    }

    doc->setModified(true);
    answers = OrvaTest::answerModals(
        {grabModal(QStringLiteral("15_save_prompt"), [](QWidget *m) { pressButton(m, QMessageBox::Cancel); })});
    ui->actionNew->trigger();
    answers->stop();
    doc->setModified(false);
}

} // namespace

class Shooter : public QObject
{
    Q_OBJECT

private slots:
    void shoot()
    {
        g_folder = qEnvironmentVariable("ORVA_SHOTS", QStringLiteral("/work/shots-ui"));
        QDir().mkpath(g_folder);
        // A steady caret: a blink would make two shots of one window differ.
        QApplication::setCursorFlashTime(0);

        MainWindow window;
        window.move(200, 120);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        Ui::MainWindow *ui = window.form();
        OrvaDocument *doc = window.document();

        shootWindow(window, QStringLiteral("01_new_case_jul2022"));

        // A full shared case with the father's warning (Jul 2022, one child).
        doc->setCaseNumber(QStringLiteral("C-02-FM-24-001234"));
        doc->setPlaintiffName(QStringLiteral("Jane Q. Sample"));
        doc->setDefendantName(QStringLiteral("John R. Sample"));
        doc->setChildName(1, QStringLiteral("Avery Sample"));
        doc->setChildBirthDate(1, QStringLiteral("03/14/2016"));
        doc->setChildName(4, QStringLiteral("Riley Sample"));
        doc->setChildBirthDate(4, QStringLiteral("11/02/2019"));
        doc->setCounty(OrvaDocument::Prince_Georges_County);
        doc->setPreparer(QStringLiteral("A. Attorney, Esq."));
        setCase(doc, 1000, 3000, OrvaDocument::Shared);
        doc->setMotherOvernights(273);
        doc->setModified(true);
        window.refresh();
        shootWindow(window, QStringLiteral("02_shared_jul2022_father_warning"));

        doc->setMotherWorkRelatedExpenses(450);
        doc->setFatherHealthInsurance(210);
        doc->setMotherCashMedicalPercent(2.5);
        doc->setFatherCashMedicalPercent(5.0);
        doc->setFatherAlimonyAwarded(-300);
        doc->setMotherExtraMedicalExpenses(75);
        doc->setFatherAdditionalExpenses(120);
        doc->setMotherOvernights(200);
        window.refresh();
        shootWindow(window, QStringLiteral("03_shared_jul2022_expenses"));

        // Line 1d: one other child in the mother's home, two in the father's.
        doc->setMotherMultifamilyChildren(1);
        doc->setFatherMultifamilyChildren(2);
        window.refresh();
        shootWindow(window, QStringLiteral("03b_shared_jul2022_other_children"));
        doc->setMotherMultifamilyChildren(0);
        doc->setFatherMultifamilyChildren(0);

        doc->setMode(OrvaDocument::NewOct2020);
        setCase(doc, 6200, 4100, OrvaDocument::SoleMother);
        window.refresh();
        shootWindow(window, QStringLiteral("04_sole_mother_oct2020"));

        doc->setMode(OrvaDocument::PreOct2020);
        setCase(doc, 5200, 7400, OrvaDocument::SharedP1P2);
        doc->setMotherOvernights(150);
        window.refresh();
        shootWindow(window, QStringLiteral("05_shared_p1p2_pre2020"));

        doc->setMode(OrvaDocument::July2022);
        setCase(doc, 3100, 2900, OrvaDocument::SoleParent2);
        window.refresh();
        shootWindow(window, QStringLiteral("06_sole_parent2_jul2022"));

        doc->setMode(OrvaDocument::NewOct2020);
        setCase(doc, 9000, 8000, OrvaDocument::SoleFather);
        window.refresh();
        QTest::qWait(600);
        // The notice stands beside the window without taking the keyboard.
        if (QDialog *notice = window.findChild<QDialog *>(QStringLiteral("extrapolationNotice"))) {
            save(notice->grab(), QStringLiteral("12_extrapolation_notice"));
            notice->close();
        }
        shootWindow(window, QStringLiteral("07_sole_father_oct2020_above_schedule"));

        doc->setMode(OrvaDocument::July2022);
        setCase(doc, 1000, 3000, OrvaDocument::Shared);
        doc->setMotherOvernights(273);
        window.refresh();
        // Focused amount field with invalid text, and the cash medical picker.
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        ui->motherHealthInsuranceEdit->setFocus();
        QTest::keyClicks(ui->motherHealthInsuranceEdit->lineEdit(), QStringLiteral("1,500"));
        shootWindow(window, QStringLiteral("08_invalid_amount_focused"));
        ui->fatherCashMedicalSupportEdit->setFocus();
        shootWindow(window, QStringLiteral("09_cash_medical_focused"));

        // The father's balloon after the window moved.
        window.move(260, 60);
        QApplication::processEvents();
        shootWindow(window, QStringLiteral("10_balloon_after_move"));

        shootCommands(window);

        // Dialogs.
        RateConverter fieldConverter(QStringLiteral("250"));
        fieldConverter.findChild<QComboBox *>(QStringLiteral("sourceComboBox"))->setCurrentText(QStringLiteral("Weekly"));
        shootDialog(fieldConverter, QStringLiteral("20_rate_converter_field"));
        RateConverter standAlone(RateConverter::standAloneText());
        shootDialog(standAlone, QStringLiteral("21_rate_converter_standalone"));
        CommentsDialog comments;
        comments.setPlainText(QStringLiteral("Income per the 2023 W-2 and the pay stubs of January 2024."));
        shootDialog(comments, QStringLiteral("22_comments"));
        CalendarDialog calendar;
        shootDialog(calendar, QStringLiteral("23_calendar"));
        AboutDialog about;
        shootDialog(about, QStringLiteral("24_about"));

        // The drawn pictures, enlarged.
        for (const QString &name : {QStringLiteral("calculator.png"), QStringLiteral("calendar.png"),
                                    QStringLiteral("mdflag2ws2.jpg"), QStringLiteral("logo_128.png")}) {
            const QPixmap picture(QStringLiteral(":/images/") + name);
            save(picture.scaled(picture.size() * 3), QStringLiteral("30_") + QFileInfo(name).baseName());
        }
    }
};

ORVA_WIDGET_TEST_MAIN_SCALED(Shooter, shotScale())

#include "shoot_mainwindow.moc"
