#include "AlimonyReport.h"

#include "AlimonyFile.h"
#include "AlimonyFormulas.h"
#include "PaperSize.h"

#include <QFile>
#include <QFont>
#include <QPrinter>
#include <QTextDocument>

#include <algorithm>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initReportResources()
{
    Q_INIT_RESOURCE(alimony_report);
}

namespace Alimony {

namespace {

struct RowMarker {
    const char *checkBox;
    const char *marker; // ends with the attribute's quote: $rowAAML is not $rowAAMLdf
};

const RowMarker RowMarkers[] = {
    {"chkAAML", "<tr id=\"$rowAAML\""},     {"chkVA", "<tr id=\"$rowVA\""},
    {"chkArizona", "<tr id=\"$rowArizona\""}, {"chkTX", "<tr id=\"$rowTX\""},
    {"chkAAMLdf", "<tr id=\"$rowAAMLdf\""}, {"chkTXdf", "<tr id=\"$rowTXdf\""},
};

QString removeRow(QString html, const QString &marker)
{
    const qsizetype start = html.indexOf(marker);
    if (start < 0)
        return html;
    const QString end = QStringLiteral("</tr>");
    const qsizetype close = html.indexOf(end, start);
    if (close < 0)
        return html;
    return html.remove(start, close + end.size() - start);
}

// Placeholders by falling length, so that $AAMLwk is tried before $AAMLw.
QStringList longestFirst(const QMap<QString, QString> &textsByPlaceholder)
{
    QStringList names = textsByPlaceholder.keys();
    std::stable_sort(names.begin(), names.end(),
                     [](const QString &a, const QString &b) { return a.size() > b.size(); });
    return names;
}

} // namespace

QString reportTemplatePath()
{
    return QStringLiteral(":/resourses/ORVA_AlimonyCalc.htm");
}

QString reportTemplate(QString *error)
{
    initReportResources();
    QFile file(reportTemplatePath());
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

const QStringList &rowCheckBoxes()
{
    static const QStringList names = [] {
        QStringList list;
        for (const RowMarker &row : RowMarkers)
            list << QString::fromLatin1(row.checkBox);
        return list;
    }();
    return names;
}

const QMap<QString, QString> &placeholderFields()
{
    static const QMap<QString, QString> map = [] {
        QMap<QString, QString> result;
        for (const InputField &field : inputFields())
            result.insert(QString::fromLatin1(field.placeholder), QString::fromLatin1(field.objectName));
        for (const QString &name : resultNames())
            result.insert(QLatin1Char('$') + name, name);
        return result;
    }();
    return map;
}

QString reportHtml(const QString &templateText, const QMap<QString, QString> &textsByPlaceholder,
                   const QStringList &uncheckedBoxes)
{
    QString html = templateText;
    for (const RowMarker &row : RowMarkers) {
        if (uncheckedBoxes.contains(QString::fromLatin1(row.checkBox)))
            html = removeRow(html, QString::fromLatin1(row.marker));
    }

    const QStringList names = longestFirst(textsByPlaceholder);
    QString page;
    page.reserve(html.size() + 1024);
    qsizetype i = 0;
    while (i < html.size()) {
        const qsizetype dollar = html.indexOf(QLatin1Char('$'), i);
        if (dollar < 0) {
            page += QStringView(html).mid(i);
            break;
        }
        page += QStringView(html).mid(i, dollar - i);
        const auto match = std::find_if(names.cbegin(), names.cend(), [&](const QString &name) {
            return QStringView(html).mid(dollar).startsWith(name);
        });
        if (match == names.cend()) {
            page += QLatin1Char('$');
            i = dollar + 1;
            continue;
        }
        page += textsByPlaceholder.value(*match).toHtmlEscaped();
        i = dollar + match->size();
    }
    return page;
}

bool printReport(const QString &html, QPrinter *printer, QString *error)
{
    if (!printer->isValid()) {
        if (error)
            *error = QStringLiteral("the printer is not available");
        return false;
    }
    // The paper chosen under File / Paper Size, as for the worksheet.
    printer->setPageSize(PaperSize::pageSize(PaperSize::fromSettings()));
    QTextDocument document;
    document.setHtml(html);
    document.setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
    document.print(printer);
    if (printer->printerState() == QPrinter::Error) {
        if (error)
            *error = QStringLiteral("the printer reported an error");
        return false;
    }
    return true;
}

} // namespace Alimony
