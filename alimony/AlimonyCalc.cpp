#include "AlimonyCalc.h"

#include "Accessible.h"
#include "AlimonyFile.h"
#include "AlimonyFormulas.h"
#include "AlimonyReport.h"
#include "Ask.h"
#include "AmountText.h"
#include "DialogFlags.h"
#include "FieldLook.h"
#include "SafeFile.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QVBoxLayout>

Q_LOGGING_CATEGORY(lcAlimony, "orva.alimony")

namespace {

const char *const NumericInputs[] = {Alimony::YearsEdit, Alimony::PayorGrossEdit, Alimony::PayeeGrossEdit,
                                     Alimony::UpwardEdit, Alimony::DownwardEdit};

template <typename T>
T *named(T *object, const char *name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

QSpacerItem *stretch()
{
    return new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
}

QLabel *caption(QWidget *parent, const QString &text, bool bold = false)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QLineEdit *inputEdit(QWidget *parent, const char *name, int width, bool numeric)
{
    auto *edit = named(new QLineEdit(parent), name);
    edit->setFixedWidth(width);
    edit->setAlignment(Qt::AlignCenter);
    if (numeric)
        edit->setInputMethodHints(Qt::ImhDigitsOnly);
    return edit;
}

// Wide enough for the longest text a result can show: an amount of a
// million or more in exponent form, or "permanent".
QLineEdit *resultEdit(QWidget *parent, const QString &name, const QString &longest)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::ClickFocus);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(longest) + 12);
    return edit;
}

QString longestAmount()
{
    return QStringLiteral("8.88888e+06");
}

QString longestDuration()
{
    return QStringLiteral("permanent");
}

QPushButton *menuButton(QWidget *parent, const char *name, const QString &text, const char *icon)
{
    auto *button = named(new QPushButton(QIcon(QString::fromLatin1(icon)), text, parent), name);
    button->setFlat(true);
    button->setAutoDefault(false);
    return button;
}

QString documentsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString fileFilter()
{
    return AlimonyCalc::tr("ORVA alimony calc document (*.calc)");
}

} // namespace

AlimonyCalc::AlimonyCalc(QWidget *parent)
    : QDialog(parent)
{
    setupUi();
    OrvaDialogs::setCommonWindowFlags(this);
    markSaved();
}

void AlimonyCalc::setupUi()
{
    setObjectName(QStringLiteral("AlimonyCalc"));
    setWindowTitle(tr("Alimony Calc"));
    resize(873, 667);
    auto *page = named(new QVBoxLayout(this), "verticalLayout");

    // 1. Tool bar.
    auto *menu = named(new QFrame(this), "menu");
    auto *menuLayout = named(new QHBoxLayout(menu), "menuLayout");
    menuLayout->setContentsMargins(2, 2, 2, 2);
    menuLayout->addWidget(menuButton(menu, "openButton", tr("Open"), ":/images/menu/folder_page.png"));
    menuLayout->addWidget(menuButton(menu, "saveButton", tr("Save"), ":/images/menu/disk.png"));
    menuLayout->addWidget(menuButton(menu, "printButton", tr("Print"), ":/images/pdf/printer.png"));
    menuLayout->addWidget(menuButton(menu, "resetButton", tr("Reset"), ":/images/menu/arrow_refresh_small.png"));
    menuLayout->addWidget(menuButton(menu, "doneButton", tr("Done"), ":/images/menu/accept.png"));
    menuLayout->addItem(stretch());
    page->addWidget(menu);

    // 2. Case header; captions stand below their fields.
    auto *header = new QHBoxLayout;
    auto *grid2 = named(new QGridLayout, "gridLayout_2");
    grid2->setVerticalSpacing(2);
    grid2->addWidget(inputEdit(this, "caseNumberEdit", 260, false), 0, 0);
    grid2->addWidget(inputEdit(this, "countyEdit", 260, false), 0, 1);
    grid2->addWidget(caption(this, tr("Case Number")), 1, 0);
    grid2->addWidget(caption(this, tr("County and State")), 1, 1);
    grid2->addWidget(inputEdit(this, "plaintiffEdit", 260, false), 2, 0);
    grid2->addWidget(inputEdit(this, "defendantEdit", 260, false), 2, 1);
    grid2->addWidget(caption(this, tr("Plaintiff's Name")), 3, 0);
    grid2->addWidget(caption(this, tr("Defendant's name")), 3, 1);
    header->addItem(stretch());
    header->addLayout(grid2);
    header->addItem(stretch());
    page->addLayout(header);

    // 3. Years of marriage.
    auto *years = new QGridLayout;
    years->setVerticalSpacing(2);
    years->addItem(stretch(), 0, 0);
    years->addWidget(inputEdit(this, Alimony::YearsEdit, 120, true), 0, 1);
    years->addItem(stretch(), 0, 2);
    years->addWidget(caption(this, tr("Years Marriage")), 1, 1);
    page->addLayout(years);

    // 4. Incomes and deviations.
    auto *incomes = new QHBoxLayout;
    auto *grid = named(new QGridLayout, "gridLayout");
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(24);
    grid->addWidget(caption(this, tr("SPOUSE PAYOR"), true), 0, 0);
    grid->addWidget(caption(this, tr("SPOUSE PAYEE"), true), 0, 1);
    grid->addWidget(inputEdit(this, Alimony::PayorGrossEdit, 200, true), 1, 0, Qt::AlignHCenter);
    grid->addWidget(inputEdit(this, Alimony::PayeeGrossEdit, 200, true), 1, 1, Qt::AlignHCenter);
    grid->addWidget(caption(this, tr("Payor's Gross Annual Income")), 2, 0);
    grid->addWidget(caption(this, tr("Payee's Gross Annual Income")), 2, 1);
    grid->addWidget(inputEdit(this, Alimony::UpwardEdit, 200, true), 3, 0, Qt::AlignHCenter);
    grid->addWidget(inputEdit(this, Alimony::DownwardEdit, 200, true), 3, 1, Qt::AlignHCenter);
    grid->addWidget(caption(this, tr("Deviation Upward Adjustment")), 4, 0);
    grid->addWidget(caption(this, tr("Deviation Downward Adjustment")), 4, 1);
    incomes->addItem(stretch());
    incomes->addLayout(grid);
    incomes->addItem(stretch());
    page->addLayout(incomes);
    page->addSpacing(12);

    // 5. Formula table and duration table side by side.
    auto *tables = new QHBoxLayout;
    auto *grid3 = named(new QGridLayout, "gridLayout_3");
    grid3->setHorizontalSpacing(4);
    grid3->addWidget(caption(this, tr("Support Formula*"), true), 0, 0);
    grid3->addWidget(caption(this, tr("Recommended Order"), true), 0, 1, 1, 2);
    grid3->addWidget(caption(this, tr("Resulting Gross Income"), true), 0, 3, 1, 2);
    const QString subHeaders[] = {tr("Annually:"), tr("Monthly:"), tr(" Payor:"), tr(" Payee:")};
    for (int column = 0; column < 4; ++column)
        grid3->addWidget(caption(this, subHeaders[column]), 1, column + 1);
    struct Row {
        const char *checkBox;
        QString text;
        const char *id;
    };
    const Row rows[] = {{"chkAAML", tr("AAML"), "AAML"},
                        {"chkVA", tr("VA - § 16.1-278.17:1"), "VA"},
                        {"chkArizona", tr("AZ - Maricopa County"), "Arizona"},
                        {"chkTX", tr("Texas (max) - § 8.055"), "TX"}};
    // What a screen reader calls each result: its formula and its column.
    const QString resultNames[] = {tr("recommended order, annually"), tr("recommended order, monthly"),
                                   tr("payor's resulting gross income"), tr("payee's resulting gross income")};
    int line = 2;
    for (const Row &row : rows) {
        auto *check = named(new QCheckBox(row.text, this), row.checkBox);
        check->setChecked(true);
        grid3->addWidget(check, line, 0);
        int column = 1;
        for (const char *suffix : {"a", "wk", "h", "w"}) {
            QLineEdit *result = resultEdit(this, QString::fromLatin1(row.id) + QLatin1String(suffix), longestAmount());
            Accessible::name(result, tr("%1 %2").arg(row.text, resultNames[column - 1]));
            grid3->addWidget(result, line, column++);
        }
        ++line;
    }
    tables->addLayout(grid3);
    tables->addSpacing(10);

    auto *grid4 = named(new QGridLayout, "gridLayout_4");
    grid4->setHorizontalSpacing(4);
    grid4->addWidget(caption(this, tr("Duration Formula*"), true), 0, 0);
    grid4->addWidget(caption(this, tr("Months"), true), 0, 1);
    grid4->addWidget(caption(this, tr("Years"), true), 0, 2);
    const Row durations[] = {{"chkAAMLdf", tr("AAML"), "AAM"}, {"chkTXdf", tr("Texas (maximum) - § 8.054"), "TX"}};
    line = 2;
    for (const Row &row : durations) {
        auto *check = named(new QCheckBox(row.text, this), row.checkBox);
        check->setChecked(true);
        Accessible::name(check, tr("%1 duration formula").arg(row.text));
        grid4->addWidget(check, line, 0);
        QLineEdit *months = resultEdit(this, QString::fromLatin1(row.id) + QLatin1String("m"), longestDuration());
        QLineEdit *inYears = resultEdit(this, QString::fromLatin1(row.id) + QLatin1String("y"), longestDuration());
        Accessible::name(months, tr("%1 duration in months").arg(row.text));
        Accessible::name(inYears, tr("%1 duration in years").arg(row.text));
        grid4->addWidget(months, line, 1);
        grid4->addWidget(inYears, line, 2);
        ++line;
    }
    grid4->setRowStretch(line, 1);
    tables->addLayout(grid4);
    tables->addItem(stretch());
    page->addLayout(tables);

    // 6. Footnote.
    auto *footnote = named(new QLabel(this), "label");
    footnote->setText(tr(" * Maryland does not have legislative alimony guidelines, but Courts may use a reasonable "
                         "methodology in determining spousal support. This program only provides the baseline for "
                         "determining alimony, and you should look at the other statutory language when formulating "
                         "an alimony amount."));
    footnote->setWordWrap(true);
    QFont bold = footnote->font();
    bold.setBold(true);
    footnote->setFont(bold);
    page->addSpacing(12);
    page->addWidget(footnote);
    page->addStretch(1);

    const std::pair<const char *, QString> inputNames[] = {
        {"caseNumberEdit", tr("Case number")},
        {"countyEdit", tr("County and state")},
        {"plaintiffEdit", tr("Plaintiff's name")},
        {"defendantEdit", tr("Defendant's name")},
        {Alimony::YearsEdit, tr("Years of marriage")},
        {Alimony::PayorGrossEdit, tr("Payor's gross annual income")},
        {Alimony::PayeeGrossEdit, tr("Payee's gross annual income")},
        {Alimony::UpwardEdit, tr("Deviation upward adjustment")},
        {Alimony::DownwardEdit, tr("Deviation downward adjustment")},
    };
    for (const auto &[name, text] : inputNames)
        Accessible::name(edit(name), text);

    for (const char *name : NumericInputs)
        connect(edit(name), &QLineEdit::textChanged, this, &AlimonyCalc::numericTextChanged);
    QMetaObject::connectSlotsByName(this);
}

QLineEdit *AlimonyCalc::edit(const char *name) const
{
    return edit(QString::fromLatin1(name));
}

QLineEdit *AlimonyCalc::edit(const QString &name) const
{
    return findChild<QLineEdit *>(name, Qt::FindDirectChildrenOnly);
}

void AlimonyCalc::recalculate()
{
    Alimony::Inputs inputs;
    inputs.years = edit(Alimony::YearsEdit)->text();
    inputs.payorGross = edit(Alimony::PayorGrossEdit)->text();
    inputs.payeeGross = edit(Alimony::PayeeGrossEdit)->text();
    inputs.upward = edit(Alimony::UpwardEdit)->text();
    inputs.downward = edit(Alimony::DownwardEdit)->text();
    const QMap<QString, QString> results = Alimony::recalculate(inputs);
    for (auto it = results.cbegin(); it != results.cend(); ++it)
        edit(it.key())->setText(it.value());
    const QString note = Alimony::virginiaNote(inputs);
    for (const char *suffix : {"a", "wk", "h", "w"})
        edit(QLatin1String("VA") + QLatin1String(suffix))->setToolTip(note);
}

void AlimonyCalc::on_yearsEdit_textEdited(const QString &)
{
    recalculate();
}

void AlimonyCalc::on_payorgrossEdit_textEdited(const QString &)
{
    recalculate();
}

void AlimonyCalc::on_payeegrossEdit_textEdited(const QString &)
{
    recalculate();
}

void AlimonyCalc::on_payordeviationOEdit_textEdited(const QString &)
{
    recalculate();
}

void AlimonyCalc::on_payeedeviationO_textEdited(const QString &)
{
    recalculate();
}

// A text that is no amount (no number, for the years) counts as 0; the red
// border of every amount field says so until the text reads again, however
// it got there (typing, a file, Reset).
void AlimonyCalc::numericTextChanged(const QString &text)
{
    auto *field = qobject_cast<QLineEdit *>(sender());
    if (!field)
        return;
    bool valid = true;
    if (field == edit(Alimony::YearsEdit)) {
        Alimony::numberValue(text, &valid);
        FieldLook::markInvalid(field, !valid && !Alimony::isPartialNumber(text),
                               tr("Counts as 0: years as a number, such as 12 or 12.5"));
        return;
    }
    Alimony::amountValue(text, &valid);
    FieldLook::markInvalid(field, !valid && !AmountText::isPartialAmount(text),
                           tr("Counts as 0: ") + AmountText::invalidToolTip());
}

QMap<QString, QString> AlimonyCalc::textsByKey() const
{
    QMap<QString, QString> texts;
    for (const Alimony::InputField &field : Alimony::inputFields())
        texts.insert(QString::fromLatin1(field.key), edit(field.objectName)->text());
    for (const QString &name : Alimony::resultNames())
        texts.insert(name, edit(name)->text());
    return texts;
}

void AlimonyCalc::showFileError(const QString &format, const QString &reason)
{
    Ask::critical(this, windowTitle(), format.arg(reason), QMessageBox::Ok);
}

QStringList AlimonyCalc::inputTexts() const
{
    QStringList texts;
    for (const Alimony::InputField &field : Alimony::inputFields())
        texts << edit(field.objectName)->text();
    return texts;
}

bool AlimonyCalc::mayDropEntry()
{
    if (inputTexts() == m_savedInputs)
        return true;
    switch (Ask::question(this, windowTitle(), tr("Save the changes to this alimony calculation?"),
                          QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save)) {
    case QMessageBox::Save:
        return saveWithDialog();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void AlimonyCalc::reject()
{
    if (mayDropEntry())
        QDialog::reject();
}

void AlimonyCalc::on_saveButton_clicked()
{
    saveWithDialog();
}

bool AlimonyCalc::saveWithDialog()
{
    QFileDialog dialog(this, tr("Choose filename to save"), documentsFolder(), fileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("calc"));
    QString path = Ask::exec(dialog);
    if (path.isEmpty())
        return false;
    // Where Open looks for it, however the name was typed.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".calc");
    return saveFile(path);
}

bool AlimonyCalc::saveFile(const QString &path)
{
    // The file that was there stays as it was unless all of the new one was
    // written; a folder that takes no new file still lets an existing one be
    // rewritten in place.
    QString error;
    if (!Platform::writeFileSafely(path, Alimony::fileBytes(textsByKey()), &error)) {
        qCCritical(lcAlimony).noquote() << "AlimonyCalc: save error:" << error;
        showFileError(tr("Can't write file: %1"), error);
        return false;
    }
    markSaved();
    return true;
}

void AlimonyCalc::on_openButton_clicked()
{
    const QString path = Ask::openFileName(this, tr("Select file to open"), documentsFolder(), fileFilter());
    if (path.isEmpty())
        return;
    openFile(path);
}

bool AlimonyCalc::openFile(const QString &path)
{
    QByteArray bytes;
    QString error;
    if (!Alimony::readFile(path, &bytes, &error)) {
        qCCritical(lcAlimony).noquote() << "AlimonyCalc: open file error:" << error;
        showFileError(tr("Can't open selected file: %1"), error);
        return false;
    }

    QMap<QString, QString> inputs;
    if (!Alimony::readInputs(bytes, &inputs, &error)) {
        qCCritical(lcAlimony).noquote() << "AlimonyCalc: parse file error:" << error;
        showFileError(tr("Can't process selected file: %1"), error);
        return false;
    }
    for (const Alimony::InputField &field : Alimony::inputFields())
        edit(field.objectName)->setText(inputs.value(QString::fromLatin1(field.key)));
    markSaved();
    // Results that belong to the previous entry would print beside these inputs.
    recalculate();
    return true;
}

QString AlimonyCalc::reportHtml(const QString &templateText) const
{
    QMap<QString, QString> texts;
    const QMap<QString, QString> &fields = Alimony::placeholderFields();
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        texts.insert(it.key(), edit(it.value())->text());
    const bool virginiaShown = findChild<QCheckBox *>(QStringLiteral("chkVA"))->isChecked();
    texts.insert(QString::fromLatin1(Alimony::VirginiaNotePlaceholder), virginiaShown ? edit("VAa")->toolTip() : QString());
    QStringList unchecked;
    for (const QString &name : Alimony::rowCheckBoxes()) {
        if (!findChild<QCheckBox *>(name)->isChecked())
            unchecked << name;
    }
    return Alimony::reportHtml(templateText, texts, unchecked);
}

void AlimonyCalc::on_printButton_clicked()
{
    QPrinter printer(QPrinter::ScreenResolution);
    QPrintDialog dialog(&printer, this);
    if (!Ask::exec(dialog)) {
        qCCritical(lcAlimony) << "AlimonyCalc: print: user cancelled";
        return;
    }
    printOn(&printer);
}

bool AlimonyCalc::printOn(QPrinter *printer)
{
    QString error;
    const QString templateText = Alimony::reportTemplate(&error);
    if (templateText.isEmpty() || !Alimony::printReport(reportHtml(templateText), printer, &error)) {
        // A report that never reached the printer must not pass for printed.
        qCCritical(lcAlimony).noquote() << "AlimonyCalc: print error:" << error;
        Ask::critical(this, windowTitle(), tr("The report could not be printed: %1").arg(error), QMessageBox::Ok);
        return false;
    }
    return true;
}

void AlimonyCalc::on_resetButton_clicked()
{
    if (!mayDropEntry())
        return;
    for (const Alimony::InputField &field : Alimony::inputFields())
        edit(field.objectName)->clear();
    markSaved();
    recalculate();
}

void AlimonyCalc::on_doneButton_clicked()
{
    if (mayDropEntry())
        accept();
}
