// The window on a monitor that the system scales by 150 %: smaller font and
// edit heights, and still every column in its place.

#include "FCItemEdit.h"
#include "LItemEdit.h"
#include "MainWindow.h"
#include "MainWindowForm.h"
#include "MyLineEdit.h"
#include "OrvaDocument.h"

#include "OrvaTestMain.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>

class TestMainWindowScaled : public QObject
{
    Q_OBJECT

private slots:
    void layoutHolds();
};

void TestMainWindowScaled::layoutHolds()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Ui::MainWindow *ui = window.form();

    QCOMPARE(QApplication::font().pixelSize(), 12);
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QCOMPARE(window.size(), window.minimumSizeHint());
    QVERIFY(ui->leftFrame->geometry().right() < ui->rightFrame->geometry().left());
    QCOMPARE(ui->leftFrame->size(), ui->leftFrame->sizeHint());

    // The 4 x h + 15 rule follows the smaller edits.
    FCItemEdit *income = ui->motherMonthlyIncomeEdit;
    const int h = income->lineEdit()->height();
    QCOMPARE(income->findChild<QWidget *>(QStringLiteral("frame"))->width(), 4 * h + 15);
    QCOMPARE(ui->motherOvernightsEdit->label()->width(), 4 * ui->motherOvernightsEdit->lineEdit()->height() + 15);

    // Rows line up: each caption sits level with its fields.
    for (QLabel *caption : {ui->label_10, ui->label_15, ui->label_19, ui->label_21}) {
        const int row = ui->gridLayout_2->indexOf(caption);
        int r = 0, c = 0, rs = 0, cs = 0;
        ui->gridLayout_2->getItemPosition(row, &r, &c, &rs, &cs);
        QWidget *mother = ui->gridLayout_2->itemAtPosition(r, 1)->widget();
        QWidget *father = ui->gridLayout_2->itemAtPosition(r, 2)->widget();
        QCOMPARE(mother->geometry().center().y(), caption->geometry().center().y());
        QCOMPARE(father->y(), mother->y());
        QVERIFY(caption->width() >= caption->fontMetrics().horizontalAdvance(caption->text()));
    }

    const QString shots = qEnvironmentVariable("ORVA_SHOTS");
    if (!shots.isEmpty())
        window.grab().save(QDir(shots).filePath(QStringLiteral("40_scaled_150.png")));
}

ORVA_WIDGET_TEST_MAIN_SCALED(TestMainWindowScaled, 1.5f)

#include "tst_mainwindow_scaled.moc"
