// Every window as a screen reader walks it: each field a user can reach or
// that holds a value has a name, and no two share one.

#include "OrvaTestMain.h"

#include "ListContrast.h"
#include "MainWindowDriver.h"

#include "AboutDialog.h"
#include "AlimonyCalc.h"
#include "CalendarDialog.h"
#include "ClientDetailsForm.h"
#include "CommentsDialog.h"
#include "FormViewer.h"
#include "MainWindow.h"
#include "MainWindowForm.h"
#include "OrvaDocument.h"
#include "PDFUtils.h"
#include "PdfPreviewDialog.h"
#include "PdfjsProtocol.h"
#include "RateConverter.h"
#include "SupportExplorer.h"
#include "UpdateDialog.h"
#include "UpdateService.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>

namespace {

// What a reader says a widget is: its name, or for a list box (named by its
// entry on Linux) the caption it is labelled by.
QString spokenName(QAccessibleInterface *iface)
{
    if (iface->role() == QAccessible::ComboBox) {
        const auto labels = iface->relations(QAccessible::Label);
        if (!labels.isEmpty())
            return labels.first().first->text(QAccessible::Name);
    }
    return iface->text(QAccessible::Name);
}

bool valueBearing(QAccessibleInterface *iface)
{
    static const QList<QAccessible::Role> roles = {QAccessible::EditableText, QAccessible::SpinBox,
                                                   QAccessible::Slider, QAccessible::ComboBox,
                                                   QAccessible::ProgressBar};
    // A scroll bar goes with its scroll area, which has the name.
    return iface->role() != QAccessible::ScrollBar && (iface->valueInterface() || roles.contains(iface->role()));
}

void walk(QAccessibleInterface *iface, QMap<QString, QStringList> *names, QStringList *unnamed)
{
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        auto *widget = child ? qobject_cast<QWidget *>(child->object()) : nullptr;
        if (!widget || !widget->isVisible())
            continue;
        // Buttons count where only the mouse reaches them: a reader names them in its review.
        const bool focusable = ((widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy())
                               || qobject_cast<QAbstractButton *>(widget);
        if (focusable || valueBearing(child)) {
            const QString what = QStringLiteral("%1 %2").arg(widget->metaObject()->className(), widget->objectName());
            const QString name = spokenName(child);
            if (name.trimmed().isEmpty())
                *unnamed << what;
            else
                (*names)[name] << what;
        }
        // A list box speaks for its list and edit line.
        if (child->role() != QAccessible::ComboBox)
            walk(child, names, unnamed);
    }
}

std::shared_ptr<OrvaDocument> sharedCase()
{
    auto doc = std::make_shared<OrvaDocument>(OrvaDocument::July2022);
    doc->setChild1Name(QStringLiteral("Avery"));
    doc->setMotherMonthlyIncome(4200);
    doc->setFatherMonthlyIncome(6900);
    return doc;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void everyFieldNamedOnce_data();
    void everyFieldNamedOnce();
    void marksReadable_data();
    void marksReadable();
    void alertsRaised_data();
    void alertsRaised();
};

void TestAccessibility::everyFieldNamedOnce_data()
{
    QTest::addColumn<QString>("window");
    for (const char *window : {"main window", "main window P1/P2", "alimony calculator", "rate converter",
                               "client details", "comments", "calendar", "about", "preview", "form viewer",
                               "update dialog", "support explorer"})
        QTest::newRow(window) << QString::fromLatin1(window);
}

void TestAccessibility::everyFieldNamedOnce()
{
    QFETCH(QString, window);
    MainWindow main;
    UpdateService service;
    std::unique_ptr<QWidget> owned;
    QWidget *shown = nullptr;
    if (window.startsWith(QLatin1String("main window"))) {
        if (window.endsWith(QLatin1String("P1/P2"))) {
            main.document()->setCustodyType(OrvaDocument::SharedP1P2);
            main.refresh();
        }
        shown = &main;
    } else if (window == QLatin1String("alimony calculator")) {
        owned = std::make_unique<AlimonyCalc>();
    } else if (window == QLatin1String("rate converter")) {
        owned = std::make_unique<RateConverter>(QStringLiteral("4200"));
    } else if (window == QLatin1String("client details")) {
        owned = std::make_unique<ClientDetailsForm>(0, sharedCase());
    } else if (window == QLatin1String("comments")) {
        owned = std::make_unique<CommentsDialog>();
    } else if (window == QLatin1String("calendar")) {
        owned = std::make_unique<CalendarDialog>();
    } else if (window == QLatin1String("about")) {
        owned = std::make_unique<AboutDialog>();
    } else if (window == QLatin1String("preview")) {
        owned = std::make_unique<PdfPreviewDialog>(sharedCase());
    } else if (window == QLatin1String("update dialog")) {
        owned = std::make_unique<Updates::UpdateDialog>(Updates::UpdateDialog::StartupMode, &service);
    } else if (window == QLatin1String("support explorer")) {
        main.show();
        main.form()->actionSupport_Explorer->trigger();
        shown = main.findChild<SupportExplorer *>();
    } else if (window == QLatin1String("form viewer")) {
        QVERIFY(PDFUtils::openWithAcrobat(PdfjsProtocol::formUrl(QStringLiteral("Short-Form-Financial-2016.pdf")),
                                          QStringLiteral("Form"), QStringLiteral("form.pdf")));
        shown = OrvaTest::formViewer(QStringLiteral("Form"));
        owned.reset(shown);
    }
    if (owned)
        shown = owned.get();
    QVERIFY(shown);
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));

    QMap<QString, QStringList> names;
    QStringList unnamed;
    walk(QAccessible::queryAccessibleInterface(shown), &names, &unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(QStringLiteral("unnamed: ") + unnamed.join(QStringLiteral(", "))));
    QStringList shared;
    for (auto it = names.cbegin(); it != names.cend(); ++it) {
        if (it.value().size() > 1)
            shared << QStringLiteral("\"%1\": %2").arg(it.key(), it.value().join(QStringLiteral(", ")));
    }
    QVERIFY2(shared.isEmpty(), qPrintable(QStringLiteral("shared names: ") + shared.join(QStringLiteral("; "))));
    QVERIFY(!names.isEmpty());
}

void TestAccessibility::marksReadable_data()
{
    QTest::addColumn<QString>("mark");
    for (const char *mark : {"amount not read", "overnights taken otherwise", "focus frame", "shared above sole"})
        QTest::newRow(mark) << QString::fromLatin1(mark);
}

// 4.5:1 (WCAG 2.1 AA) between a mark and the field it stands on, and
// between text and its background.
void TestAccessibility::marksReadable()
{
    QFETCH(QString, mark);
    OrvaTest::Window w = OrvaTest::openWindow();
    OrvaTest::fatherAboveSole(w);
    // A frame against the field's background, just inside it.
    const auto frameContrast = [](QLineEdit *edit) {
        const QImage image = edit->grab().toImage();
        return OrvaTest::contrastRatio(image.pixel(image.width() / 2, 0),
                                       image.pixel(image.width() - 4, image.height() / 2));
    };
    double contrast = 0;
    if (mark == QLatin1String("amount not read")) {
        OrvaTest::typeAmount(w.ui->motherExistingChildSupportPaymentEdit, QStringLiteral("4.500"));
        // Measured while typed into: leaving the field brings back the amount.
        QVERIFY(w.ui->motherExistingChildSupportPaymentEdit->isInvalid());
        contrast = frameContrast(w.ui->motherExistingChildSupportPaymentEdit->lineEdit());
    } else if (mark == QLatin1String("overnights taken otherwise")) {
        w.ui->motherOvernightsEdit->setNote(QStringLiteral("400 not used"));
        contrast = frameContrast(w.ui->motherOvernightsEdit->lineEdit());
    } else if (mark == QLatin1String("focus frame")) {
        w.ui->caseNumberEdit->setFocus();
        contrast = frameContrast(w.ui->caseNumberEdit);
    } else if (mark == QLatin1String("shared above sole")) {
        contrast = OrvaTest::imageContrast(w.ui->fatherRecommendedChildSupportEdit->lineEdit()->grab().toImage());
    }
    QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
}

void TestAccessibility::alertsRaised_data()
{
    QTest::addColumn<bool>("amount");
    QTest::newRow("amount not read") << true;
    QTest::newRow("overnights taken otherwise") << false;
}

// A mark's text describes the marked field to a screen reader (the alert
// itself needs a running reader: the AT-SPI test); once the mark goes, the
// field's own description is back.
void TestAccessibility::alertsRaised()
{
    QFETCH(bool, amount);
    OrvaTest::Window w = OrvaTest::openWindow();
    QLineEdit *marked = amount ? w.ui->motherExistingChildSupportPaymentEdit->lineEdit()
                               : static_cast<QLineEdit *>(w.ui->motherOvernightsEdit->lineEdit());
    const QString before = marked->accessibleDescription();
    if (amount)
        OrvaTest::typeAmount(w.ui->motherExistingChildSupportPaymentEdit, QStringLiteral("4.5"));
    else
        w.ui->motherOvernightsEdit->setNote(QStringLiteral("400 not used"));
    QCOMPARE(marked->accessibleDescription(), amount ? FCItemEdit::invalidToolTip() : QStringLiteral("400 not used"));
    if (amount)
        QTest::keyClicks(marked, QStringLiteral("\b\b"));
    else
        w.ui->motherOvernightsEdit->setNote(QString());
    QCOMPARE(marked->accessibleDescription(), before);
}

ORVA_WIDGET_TEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
