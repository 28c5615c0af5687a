#include "ComparisonPage.h"

#include "OrvaDocument.h"
#include "SupportCurves.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

#include <limits>
#include <optional>

namespace {

// One worksheet of the comparison.
struct Sheet {
    WorksheetInput input;
    WorksheetLines lines;
    bool shared = false;
};

using Figure = std::optional<qint64> (*)(const Sheet &, int parent);

enum class Kind { Amount, Nights, Share };

struct Row {
    const char *label;
    Kind kind;
    bool difference; // B minus A is shown
    Figure figure;
};

// Amounts from a case file may be any 64-bit value: sums saturate.
qint64 saturated(qint64 a, qint64 b, bool subtract)
{
    qint64 result = 0;
    if (subtract ? qSubOverflow(a, b, &result) : qAddOverflow(a, b, &result))
        return (subtract ? b < 0 : b > 0) ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return result;
}

// Lines of the case as a whole (the parent argument is not used).
const Row CaseRows[] = {
    {QT_TRANSLATE_NOOP("ComparisonPage", "Adjusted combined income (line 2)"), Kind::Amount, false,
     [](const Sheet &s, int) -> std::optional<qint64> { return s.lines.adjustedCombinedIncome; }},
    {QT_TRANSLATE_NOOP("ComparisonPage", "Basic obligation (A 4; B 5, times 1.5)"), Kind::Amount,
     true,
     [](const Sheet &s, int) -> std::optional<qint64> {
         return s.shared ? s.lines.sharedBasicObligation : s.lines.basicObligation;
     }},
    {QT_TRANSLATE_NOOP("ComparisonPage", "Expenses, both parents (A 4a-e; B 11a-e)"), Kind::Amount, false,
     [](const Sheet &s, int) -> std::optional<qint64> {
         qint64 total = 0;
         for (const qint64 kind : s.lines.expenseTotal)
             total = saturated(total, kind, false);
         return total;
     }},
};

// Lines of each parent.
const Row ParentRows[] = {
    {QT_TRANSLATE_NOOP("ComparisonPage", "Overnights"), Kind::Nights, false,
     [](const Sheet &s, int p) -> std::optional<qint64> { return (p == 0 ? s.input.mother : s.input.father).overnights; }},
    {QT_TRANSLATE_NOOP("ComparisonPage", "Income share (line 3)"), Kind::Share, false,
     [](const Sheet &s, int p) -> std::optional<qint64> { return qRound(s.lines.parent(p).incomeShare * 1000.0f); }},
    {QT_TRANSLATE_NOOP("ComparisonPage", "Obligation (A 6; B 8 with adjustment)"), Kind::Amount,
     true,
     [](const Sheet &s, int p) -> std::optional<qint64> {
         return s.shared ? s.lines.parent(p).adjustedSharedObligation : s.lines.parent(p).obligation;
     }},
    {QT_TRANSLATE_NOOP("ComparisonPage", "Owed for the other's time (B 9)"), Kind::Amount, false,
     [](const Sheet &s, int p) -> std::optional<qint64> {
         if (!s.shared)
             return std::nullopt;
         return s.lines.parent(p).amountOwed;
     }},
    {QT_TRANSLATE_NOOP("ComparisonPage", "Support due (A 7; B 10)"), Kind::Amount, true,
     [](const Sheet &s, int p) -> std::optional<qint64> { return s.lines.parent(p).basicSupportDue; }},
    {QT_TRANSLATE_NOOP("ComparisonPage", "Recommended (A 8; B 14)"), Kind::Amount, true,
     [](const Sheet &s, int p) -> std::optional<qint64> { return s.lines.parent(p).recommendedChildSupport; }},
};

// Width the printed table is laid out at before it is scaled to the paper.
constexpr int OutputWidth = 900;

constexpr int RecommendedRow = int(std::size(ParentRows)) - 1;

QString figureText(Kind kind, std::optional<qint64> value)
{
    if (!value)
        return QStringLiteral("\u2013");
    switch (kind) {
    case Kind::Nights: return QString::number(*value);
    case Kind::Share: return QString::number(double(*value) / 10.0) + QStringLiteral(" %");
    case Kind::Amount: break;
    }
    return ExplorerCase::money(*value).replace(QStringLiteral("$-"), QStringLiteral("\u2212$"));
}

QString differenceText(qint64 difference)
{
    if (difference > 0)
        return QStringLiteral("+") + ExplorerCase::money(difference);
    return figureText(Kind::Amount, difference);
}

} // namespace

ComparisonPage::ComparisonPage(QWidget *parent)
    : ExplorerPage(parent)
{
    auto *layout = new QVBoxLayout(this);
    m_caption = new QLabel(this);
    m_caption->setWordWrap(true);
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("comparisonTable"));
    m_table->setColumnCount(5);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    layout->addWidget(m_caption);
    layout->addWidget(m_table, 1);
}

void ComparisonPage::showCase(const ExplorerCase &shown)
{
    const WorksheetInput &input = shown.input;
    // B at the case's overnights; a sole case at the split the program
    // gives when it is switched to shared custody.
    const int nights = OrvaDocument::isSharedCustody(input.custodyType) ? input.father.overnights
                                                                        : SupportCurves::sharedThreshold(input.mode);
    Sheet sheets[3];
    const int seconds[3] = {0, 365, nights};
    for (int i = 0; i < 3; ++i) {
        sheets[i].input = SupportCurves::withOvernights(input, seconds[i]);
        sheets[i].lines = computeWorksheetLines(sheets[i].input);
        sheets[i].shared = OrvaDocument::isSharedCustody(sheets[i].input.custodyType);
    }
    const Sheet &b = sheets[2];

    m_caption->setText(tr("Worksheet A with each parent as custodian, and Worksheet B at %1 nights with %2 and %3 "
                          "with %4. The last column is B minus A with the same parent paying: above 0, shared "
                          "custody asks more of that parent than sole custody would.")
                           .arg(b.input.mother.overnights)
                           .arg(shown.parents[0])
                           .arg(b.input.father.overnights)
                           .arg(shown.parents[1]));
    m_table->setHorizontalHeaderLabels(
        {tr("Line"), tr("Worksheet A\n%1 custodial").arg(shown.parents[0]),
         tr("Worksheet A\n%1 custodial").arg(shown.parents[1]), tr("Worksheet B\nshared"), tr("B minus A\n(same payer)")});

    const int rowCount = 1 + int(std::size(CaseRows)) + 2 * (1 + int(std::size(ParentRows)));
    m_table->clearSpans();
    m_table->setRowCount(rowCount);
    int row = 0;
    const auto section = [&](const QString &title) {
        auto *item = new QTableWidgetItem(title);
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
        item->setBackground(palette().alternateBase());
        m_table->setItem(row, 0, item);
        for (int column = 1; column < 5; ++column)
            m_table->setItem(row, column, new QTableWidgetItem);
        m_table->setSpan(row, 0, 1, 5);
        ++row;
    };
    // `payer`: the A sheet in which that parent pays, -1 for lines of the case.
    const auto line = [&](const Row &entry, int parent, int payerSheet, bool highlight) {
        m_table->setItem(row, 0, new QTableWidgetItem(tr(entry.label)));
        for (int column = 0; column < 3; ++column) {
            auto *item = new QTableWidgetItem(figureText(entry.kind, entry.figure(sheets[column], parent)));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, column + 1, item);
        }
        const std::optional<qint64> shared = entry.figure(b, parent);
        const std::optional<qint64> sole = entry.figure(sheets[payerSheet], parent);
        auto *difference = new QTableWidgetItem(
            entry.difference && shared && sole ? differenceText(saturated(*shared, *sole, true)) : QString());
        difference->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_table->setItem(row, 4, difference);
        if (highlight) {
            for (int column : {3, 4})
                m_table->item(row, column)->setBackground(QColor(0xff, 0xb6, 0xc1));
        }
        ++row;
    };

    section(tr("Both parents"));
    for (const Row &entry : CaseRows)
        line(entry, 0, 0, false);
    for (int parent = 0; parent < 2; ++parent) {
        section(shown.parents[parent]);
        // The mother pays under A when the father is custodial, and the reverse.
        const int payerSheet = parent == 0 ? 1 : 0;
        for (int i = 0; i < int(std::size(ParentRows)); ++i)
            line(ParentRows[i], parent, payerSheet, i == RecommendedRow && b.lines.parent(parent).sharedAboveSole);
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->resizeRowsToContents();
}

QString ComparisonPage::html() const
{
    QString text = QStringLiteral("<p>%1</p><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr>")
                       .arg(m_caption->text().toHtmlEscaped());
    // The lines' names get a third of the width, the figures the rest.
    for (int column = 0; column < m_table->columnCount(); ++column)
        text += QStringLiteral("<th%1>%2</th>").arg(column == 0 ? QStringLiteral(" width=\"34%\"") : QString(),
            m_table->horizontalHeaderItem(column)->text().toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    text += QStringLiteral("</tr>");
    for (int row = 0; row < m_table->rowCount(); ++row) {
        text += QStringLiteral("<tr>");
        for (int column = 0; column < m_table->columnCount(); column += m_table->columnSpan(row, column)) {
            const QTableWidgetItem *item = m_table->item(row, column);
            const int span = m_table->columnSpan(row, column);
            const QBrush background = item->background();
            text += QStringLiteral("<td%1%2%3>%4</td>")
                        .arg(span > 1 ? QStringLiteral(" colspan=\"%1\"").arg(span) : QString(),
                             column > 0 ? QStringLiteral(" align=\"right\"") : QString(),
                             background.style() != Qt::NoBrush
                                 ? QStringLiteral(" bgcolor=\"%1\"").arg(background.color().name())
                                 : QString(),
                             item->font().bold() ? QStringLiteral("<b>%1</b>").arg(item->text().toHtmlEscaped())
                                                 : item->text().toHtmlEscaped());
        }
        text += QStringLiteral("</tr>");
    }
    return text + QStringLiteral("</table>");
}

// The whole table as text, however much of it the window shows.
void ComparisonPage::drawOutput(QPainter *painter, const QRectF &area)
{
    QTextDocument document;
    document.setHtml(html());
    document.setTextWidth(OutputWidth);
    const QSizeF size = document.size();
    const qreal scale = std::min(area.width() / size.width(), area.height() / size.height());
    painter->save();
    painter->translate(area.topLeft());
    painter->scale(scale, scale);
    document.drawContents(painter);
    painter->restore();
}

QSize ComparisonPage::outputSize() const
{
    QTextDocument document;
    document.setHtml(html());
    document.setTextWidth(OutputWidth);
    return document.size().toSize();
}
