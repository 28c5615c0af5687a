// Typesets the statute documents that the Statute button opens, one per
// guideline version, from the statute texts and the schedule CSVs.
//
// Usage: statute-pdf <pre2020|oct2020|jul2022> <texts-dir> <schedules-dir> <out.pdf>
//
// Words and schedule numbers are copied as they stand: the texts only lose
// their file layout (indentation, label-only lines), and every amount is the
// CSV's own string, never a number read and printed again.

#include "PagedPdf.h"

#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextTable>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const QString &message)
{
    std::fprintf(stderr, "statute-pdf: %s\n", qPrintable(message));
    std::exit(1);
}

struct Para {
    enum Kind { Text, Schedule, Note };
    Kind kind = Text;
    int level = 0; // 0 subsection, 1 paragraph, 2 subparagraph, ...
    QString text;
};

struct Section {
    QString number; // "12-201"
    QList<Para> paras;
};

struct Statute {
    QStringList source; // provenance at the head of the text file, one entry per statement
    QList<Section> sections;
};

struct Row {
    QString income;
    QStringList amounts; // 1 to 6 children, as written in the CSV
};

QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        fail(QStringLiteral("cannot read %1").arg(path));
    QString all = QString::fromUtf8(file.readAll());
    if (all.endsWith(QLatin1Char('\n')))
        all.chop(1);
    return all.split(QLatin1Char('\n'));
}

// The provenance lines are wrapped in the files: a line that starts in lower
// case or with a parenthesis continues the one before.
void addSourceLine(QStringList *source, const QString &text)
{
    if (!source->isEmpty() && (text.at(0).isLower() || text.at(0) == QLatin1Char('(')))
        source->last() += QLatin1Char(' ') + text;
    else
        source->append(text);
}

QList<Row> readSchedule(const QString &path)
{
    QStringList lines = readLines(path);
    if (lines.isEmpty() || lines.takeFirst().trimmed() != QLatin1String("income,c1,c2,c3,c4,c5,c6"))
        fail(QStringLiteral("%1: unexpected header").arg(path));
    static const QRegularExpression number(QStringLiteral("^[0-9]+$"));
    QList<Row> rows;
    for (const QString &line : lines) {
        if (line.trimmed().isEmpty())
            continue;
        QStringList cells = line.trimmed().split(QLatin1Char(','));
        if (cells.size() != 7)
            fail(QStringLiteral("%1: malformed row '%2'").arg(path, line));
        for (const QString &cell : cells)
            if (!number.match(cell).hasMatch())
                fail(QStringLiteral("%1: malformed row '%2'").arg(path, line));
        Row row;
        row.income = cells.takeFirst();
        row.amounts = cells;
        rows.append(row);
    }
    if (rows.isEmpty())
        fail(QStringLiteral("%1: no rows").arg(path));
    return rows;
}

Section &section(Statute &statute, const QString &number)
{
    for (Section &s : statute.sections)
        if (s.number == number)
            return s;
    fail(QStringLiteral("§ %1 is missing").arg(number));
}

// The 2013 file: sections between "=====" rules, levels given by four spaces
// each, labels of a subsection with paragraphs on lines of their own, and the
// schedule as "| cell |" lines.
Statute read2013(const QString &path, QList<Row> *tableRows, QStringList *leadRow)
{
    static const QRegularExpression heading(QStringLiteral("^§ (12-20\\d)\\b"));
    static const QRegularExpression repeatedNumber(QStringLiteral("^12–20\\d\\.$"));
    static const QRegularExpression labelOnly(QStringLiteral("^\\(\\w+\\)$"));
    Statute statute;
    bool inHeader = true;
    QString pendingLabels;
    int pendingLevel = 0;
    for (const QString &raw : readLines(path)) {
        if (raw.startsWith(QLatin1String("====="))) {
            inHeader = false;
            continue;
        }
        const QString text = raw.trimmed();
        if (inHeader) {
            if (!text.isEmpty())
                addSourceLine(&statute.source, text);
            continue;
        }
        const QRegularExpressionMatch m = heading.match(raw);
        if (m.hasMatch()) {
            statute.sections.append({m.captured(1), {}});
            continue;
        }
        if (text.isEmpty() || repeatedNumber.match(text).hasMatch())
            continue;
        if (statute.sections.isEmpty())
            fail(QStringLiteral("%1: text before the first section").arg(path));
        QList<Para> &paras = statute.sections.last().paras;
        const int level = qMax(0, int(raw.indexOf(text)) / 4 - 1);
        if (text.startsWith(QLatin1Char('|'))) {
            QStringList cells = text.mid(1, text.size() - 2).split(QLatin1Char('|'));
            for (QString &cell : cells)
                cell = cell.trimmed();
            if (cells.first().startsWith(QLatin1String("Combined")))
                continue; // column headings, typeset from the table itself
            if (cells.size() == 2) {
                *leadRow = cells;
            } else if (cells.size() == 7) {
                Row row;
                row.income = cells.takeFirst();
                row.amounts = cells;
                tableRows->append(row);
            } else {
                fail(QStringLiteral("%1: malformed schedule line '%2'").arg(path, text));
            }
            if (paras.isEmpty() || paras.last().kind != Para::Schedule)
                paras.append({Para::Schedule, level, {}});
            continue;
        }
        if (labelOnly.match(text).hasMatch()) {
            if (pendingLabels.isEmpty())
                pendingLevel = level;
            pendingLabels += text + QLatin1Char(' ');
            continue;
        }
        if (!pendingLabels.isEmpty()) {
            paras.append({Para::Text, pendingLevel, pendingLabels + text});
            pendingLabels.clear();
        } else {
            paras.append({Para::Text, level, text});
        }
    }
    if (statute.sections.size() != 4)
        fail(QStringLiteral("%1: expected four sections").arg(path));
    return statute;
}

// Level of a line of the 2024 file, which is not indented, from its first
// label. A lone (i), (v) or (x) is the next subsection letter unless the line
// before opens a list with a colon.
int level2024(const QString &text, QChar *lastLetter, bool afterColon, int previous)
{
    static const QRegularExpression paren(QStringLiteral("^\\(([0-9]+|[a-z]+)\\)"));
    static const QRegularExpression item(QStringLiteral("^([0-9]+|[A-Z])\\. "));
    static const QRegularExpression roman(QStringLiteral("^[ivx]+$"));
    const QRegularExpressionMatch m = paren.match(text);
    if (m.hasMatch()) {
        const QString label = m.captured(1);
        if (label.at(0).isDigit())
            return 1;
        const bool isRoman = roman.match(label).hasMatch();
        const bool nextLetter = label.size() == 1 && label.at(0).unicode() == lastLetter->unicode() + 1;
        if (!isRoman || (nextLetter && !afterColon)) {
            *lastLetter = label.at(0);
            return 0;
        }
        return 2;
    }
    const QRegularExpressionMatch n = item.match(text);
    if (n.hasMatch())
        return n.captured(1).at(0).isDigit() ? 3 : 4;
    return previous;
}

Statute read2024(const QString &path)
{
    static const QRegularExpression heading(QStringLiteral("^MD Family Law Code § (12-20\\d) \\(2024\\)$"));
    Statute statute;
    QChar lastLetter;
    bool afterColon = false;
    int level = 0;
    for (const QString &raw : readLines(path)) {
        QString text = raw;
        text.replace(QChar(0x00A0), QLatin1Char(' '));
        text = text.simplified();
        const QRegularExpressionMatch m = heading.match(text);
        if (m.hasMatch()) {
            statute.sections.append({m.captured(1), {}});
            lastLetter = QLatin1Char('a' - 1);
            afterColon = false;
            continue;
        }
        if (text.isEmpty())
            continue;
        if (statute.sections.isEmpty()) {
            // The compilation's navigation trail says nothing about the source.
            if (!text.startsWith(QLatin1String("2024 Maryland Statutes")))
                addSourceLine(&statute.source, text);
            continue;
        }
        QList<Para> &paras = statute.sections.last().paras;
        if (text.startsWith(QLatin1String("[The schedule table"))) {
            paras.append({Para::Schedule, 0, {}});
            continue;
        }
        level = level2024(text, &lastLetter, afterColon, level);
        paras.append({Para::Text, level, text});
        afterColon = text.endsWith(QLatin1Char(':'));
    }
    if (statute.sections.size() != 4)
        fail(QStringLiteral("%1: expected four sections").arg(path));
    return statute;
}

// Paragraph range [begin, end) of subsection (letter): its first line up to
// the next subsection.
std::pair<int, int> subsection(const Section &s, const QString &letter)
{
    const QString label = QLatin1Char('(') + letter + QLatin1Char(')');
    int begin = -1;
    for (int i = 0; i < s.paras.size(); ++i) {
        const Para &p = s.paras.at(i);
        if (p.kind != Para::Text || p.level != 0)
            continue;
        if (begin >= 0)
            return {begin, i};
        if (p.text.startsWith(label))
            begin = i;
    }
    if (begin < 0)
        fail(QStringLiteral("§ %1 %2 is missing").arg(s.number, label));
    return {begin, int(s.paras.size())};
}

// Puts subsections of the newer text in place of subsection `replaced` of the
// older one, each behind a note that names where it comes from.
void splice(Section &into, const QString &replaced, const Section &from, const QStringList &letters)
{
    QList<Para> inserted;
    for (const QString &letter : letters) {
        const QString note = letter == letters.first()
            ? QStringLiteral("[From the 2024 text: § %1 (%2), in place of § %1 (%3) of the 2013 text.]")
                  .arg(from.number, letter, replaced)
            : QStringLiteral("[From the 2024 text: § %1 (%2), added.]").arg(from.number, letter);
        inserted.append({Para::Note, 0, note});
        const auto [b, e] = subsection(from, letter);
        inserted.append(from.paras.mid(b, e - b));
    }
    const auto [begin, end] = subsection(into, replaced);
    into.paras = into.paras.mid(0, begin) + inserted + into.paras.mid(end);
}

struct Source {
    QString heading;  // "2013 text"
    QStringList lines;
};

struct Document {
    QString version;             // "Guidelines before October 2020"
    QList<Source> sources;
    QString description;         // what the document holds
    QStringList composition;     // how the text was assembled, when it was
    Statute statute;
    QList<Row> schedule;
    QStringList leadRow;         // the statute's text row ahead of the first amount row (incomes below it)
    QString firstIncomeLabel;    // the statute's label of the first row, when it differs from the key
    QString scheduleNote;
};

const QStringList kColumns = {
    QStringLiteral("Combined Adjusted Actual Income"), QStringLiteral("1 Child"), QStringLiteral("2 Children"),
    QStringLiteral("3 Children"), QStringLiteral("4 Children"), QStringLiteral("5 Children"),
    QStringLiteral("6 or More Children")};

Document buildDocument(const QString &kind, const QString &texts, const QString &schedules)
{
    const QString text2013 = texts + QStringLiteral("/md-fl-12-201-to-12-204-2013.txt");
    const QString text2024 = texts + QStringLiteral("/md-fl-12-201-to-12-204-2024.txt");
    Document doc;
    if (kind == QLatin1String("jul2022")) {
        doc.version = QStringLiteral("Guidelines from July 2022");
        doc.description = QStringLiteral(
            "Maryland Code, Family Law Article, §§ 12-201 to 12-204 as in force in 2024, with the schedule of "
            "basic child support obligations in force from 1 July 2022.");
        doc.statute = read2024(text2024);
        doc.schedule = readSchedule(schedules + QStringLiteral("/md-schedule-2022.csv"));
        if (doc.schedule.first().income != QLatin1String("1200"))
            fail(QStringLiteral("the 2022 schedule does not start at 1200"));
        doc.firstIncomeLabel = QStringLiteral("0-1200");
        doc.scheduleNote = QStringLiteral(
            "[The statute marks with an asterisk (*) the amounts adjusted by the self-support reserve; "
            "those marks are not reproduced in this copy.]");
        doc.sources = {{QStringLiteral("2024 text"),
                        doc.statute.source
                            << QStringLiteral("The schedule of § 12-204 (e) is typeset from the 2022 schedule data "
                                              "kept with the text (rows 0-1200 to 30000).")}};
        return doc;
    }
    if (kind != QLatin1String("pre2020") && kind != QLatin1String("oct2020"))
        fail(QStringLiteral("unknown document '%1'").arg(kind));

    QList<Row> textRows;
    doc.statute = read2013(text2013, &textRows, &doc.leadRow);
    doc.schedule = readSchedule(schedules + QStringLiteral("/md-schedule-2010.csv"));
    // Two copies of the same law: refuse to print either if they disagree.
    if (textRows.size() != doc.schedule.size())
        fail(QStringLiteral("the 2013 text has %1 schedule rows, md-schedule-2010.csv %2")
                 .arg(textRows.size())
                 .arg(doc.schedule.size()));
    for (int i = 0; i < textRows.size(); ++i)
        if (textRows.at(i).income != doc.schedule.at(i).income || textRows.at(i).amounts != doc.schedule.at(i).amounts)
            fail(QStringLiteral("the 2013 text and md-schedule-2010.csv differ at income %1").arg(textRows.at(i).income));
    doc.sources = {{QStringLiteral("2013 text"),
                    doc.statute.source
                        << QStringLiteral("The schedule of § 12-204 (e) is typeset from the 2010 schedule data "
                                          "(rows 1250 to 15000), which agrees row by row with the table in the text.")}};

    if (kind == QLatin1String("pre2020")) {
        doc.version = QStringLiteral("Guidelines before October 2020");
        doc.description = QStringLiteral(
            "Maryland Code, Family Law Article, §§ 12-201 to 12-204 after the 2010 revision, with the schedule of "
            "basic child support obligations in force from 1 October 2010.");
        return doc;
    }

    doc.version = QStringLiteral("Guidelines from October 2020");
    doc.description = QStringLiteral(
        "Maryland Code, Family Law Article, §§ 12-201 to 12-204 after the 2010 revision, with the shared physical "
        "custody provisions in force from 1 October 2020, and the schedule of basic child support obligations in "
        "force from 1 October 2010.");
    Statute newer = read2024(text2024);
    doc.sources.append({QStringLiteral("2024 text"),
                        newer.source << QStringLiteral("Only § 12-201 (o), (p) and § 12-204 (m) are taken from this "
                                                       "text.")});
    splice(section(doc.statute, QStringLiteral("12-201")), QStringLiteral("m"),
           section(newer, QStringLiteral("12-201")), {QStringLiteral("o"), QStringLiteral("p")});
    splice(section(doc.statute, QStringLiteral("12-204")), QStringLiteral("m"),
           section(newer, QStringLiteral("12-204")), {QStringLiteral("m")});
    doc.composition = {
        QStringLiteral("This document joins two texts. Everything is taken from the 2013 text (the 2010 revision) "
                       "except the shared physical custody provisions, which are taken from the 2024 text:"),
        QStringLiteral("• § 12-201 (o), the definition of \u201cshared physical custody\u201d by overnights for more "
                       "than a quarter of the year, stands in place of § 12-201 (m) of the 2013 text."),
        QStringLiteral("• § 12-201 (p), the definition of the \u201cshared physical custody adjustment\u201d, "
                       "follows it."),
        QStringLiteral("• § 12-204 (m), the shared physical custody calculation with the adjustment for 92 to 109 "
                       "overnights, stands in place of § 12-204 (m) of the 2013 text."),
        QStringLiteral("The provisions from the 2024 text keep their letters and are marked where they stand. The "
                       "schedule in § 12-204 (e) is the schedule of the 2010 revision (combined adjusted actual "
                       "income 1250 to 15000)."),
    };
    return doc;
}

// ---- typesetting -----------------------------------------------------------

using Typeset::font;
using Typeset::kBlockScale;

const QStringList &kSerif = Typeset::serif();
const QStringList &kSans = Typeset::sans();
constexpr qreal kIndentStep = 22; // 1/96 inch per level

// "§ 12-204" must not break after the sign.
QString keepSectionSign(QString text)
{
    return text.replace(QStringLiteral("§ "), QStringLiteral("§\u00a0"));
}

void addBlock(QTextCursor &cursor, const QString &text, const QFont &f, qreal spaceBefore, qreal spaceAfter,
              qreal leftMargin = 0, const QColor &color = Qt::black)
{
    QTextBlockFormat block;
    block.setTopMargin(spaceBefore);
    block.setBottomMargin(spaceAfter);
    block.setLeftMargin(leftMargin * kBlockScale);
    cursor.insertBlock(block);
    QTextCharFormat chars;
    chars.setFont(f);
    chars.setForeground(color);
    cursor.insertText(keepSectionSign(text), chars);
}

// Statute paragraph with its leading labels, "(b) (1)" or "1.", in bold.
void addStatutePara(QTextCursor &cursor, const Para &para)
{
    static const QRegularExpression labels(QStringLiteral("^((\\([0-9a-z]+\\)|[0-9]+\\.(?= )|[A-Z]\\.(?= ))\\s*)+"));
    QTextBlockFormat block;
    block.setLeftMargin(kIndentStep * para.level * kBlockScale);
    block.setBottomMargin(4);
    block.setAlignment(Qt::AlignJustify);
    cursor.insertBlock(block);
    QTextCharFormat plain;
    plain.setFont(font(kSerif, 11));
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    const QRegularExpressionMatch m = labels.match(para.text);
    const qsizetype split = m.hasMatch() ? m.capturedLength() : 0;
    cursor.insertText(para.text.left(split), bold);
    cursor.insertText(keepSectionSign(para.text.mid(split)), plain);
}

void setCell(QTextTable *table, int row, int column, const QString &text, const QTextCharFormat &chars,
             Qt::Alignment alignment, const QColor &background = QColor())
{
    QTextTableCellFormat cellFormat;
    cellFormat.setBorder(0.5);
    cellFormat.setBorderBrush(QColor(0xa0, 0xa8, 0xb0));
    cellFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    cellFormat.setTopPadding(1.5);
    cellFormat.setBottomPadding(1.5);
    cellFormat.setLeftPadding(4);
    cellFormat.setRightPadding(alignment & Qt::AlignRight ? 12 : 4);
    cellFormat.setVerticalAlignment(QTextCharFormat::AlignMiddle);
    if (background.isValid())
        cellFormat.setBackground(background);
    QTextTableCell cell = table->cellAt(row, column);
    cell.setFormat(cellFormat);
    QTextCursor cursor = cell.firstCursorPosition();
    QTextBlockFormat block;
    block.setAlignment(alignment);
    cursor.setBlockFormat(block);
    cursor.insertText(text, chars);
}

// Schedule rows per page. The layout, left to break a long table itself,
// stretches the last row of each page down to the page's foot; the schedule is
// therefore set as one table per page, each with the column headings.
struct Split {
    int first = 0;   // rows on the page where the schedule starts; 0: one table
    int perPage = 0; // rows on each following page
};

QTextTable *addTable(QTextCursor &cursor, const Document &doc, int from, int count)
{
    const bool lead = from == 0 && !doc.leadRow.isEmpty();
    const int top = lead ? 2 : 1; // table row of the first amount row
    QTextTableFormat format;
    format.setHeaderRowCount(1);
    format.setBorder(0.5);
    format.setBorderBrush(QColor(0xa0, 0xa8, 0xb0));
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setTopMargin(6);
    format.setBottomMargin(6);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QList<QTextLength> widths{QTextLength(QTextLength::PercentageLength, 22)};
    for (int c = 0; c < 6; ++c)
        widths << QTextLength(QTextLength::PercentageLength, 13);
    format.setColumnWidthConstraints(widths);
    QTextTable *table = cursor.insertTable(top + count, 7, format);

    QTextCharFormat head;
    head.setFont(font(kSans, 8.5, true));
    QTextCharFormat cellText;
    cellText.setFont(font(kSans, 9));
    const QColor headShade(0xdd, 0xe3, 0xea);
    const QColor stripe(0xf1, 0xf4, 0xf7);
    for (int c = 0; c < 7; ++c)
        setCell(table, 0, c, kColumns.at(c), head, Qt::AlignCenter, headShade);
    if (lead) {
        // The statute's band ahead of its first amount row: one text across the six columns.
        table->mergeCells(1, 1, 1, 6);
        setCell(table, 1, 0, doc.leadRow.at(0), cellText, Qt::AlignCenter);
        setCell(table, 1, 1, doc.leadRow.at(1), cellText, Qt::AlignCenter);
    }
    for (int i = from; i < from + count; ++i) {
        const Row &r = doc.schedule.at(i);
        const int row = top + i - from;
        const QColor background = i % 2 == 1 ? stripe : QColor();
        setCell(table, row, 0, i == 0 && !doc.firstIncomeLabel.isEmpty() ? doc.firstIncomeLabel : r.income, cellText,
                Qt::AlignCenter, background);
        for (int c = 0; c < 6; ++c)
            setCell(table, row, c + 1, r.amounts.at(c), cellText, Qt::AlignRight, background);
    }
    cursor.movePosition(QTextCursor::End);
    return table;
}

// Returns the first table, whose rows tell on which page each row fell.
QTextTable *addSchedule(QTextCursor &cursor, const Document &doc, const Split &split)
{
    const int rows = int(doc.schedule.size());
    if (split.first <= 0 || split.perPage <= 0)
        return addTable(cursor, doc, 0, rows);
    QTextTable *first = addTable(cursor, doc, 0, qMin(split.first, rows));
    for (int from = split.first; from < rows; from += split.perPage) {
        // The empty block between two tables opens the next page, as small as it can be.
        QTextBlockFormat pageBreak;
        pageBreak.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor.setBlockFormat(pageBreak);
        QTextCharFormat tiny;
        tiny.setFont(font(kSans, 1));
        cursor.setBlockCharFormat(tiny);
        addTable(cursor, doc, from, qMin(split.perPage, rows - from));
    }
    return first;
}

// Builds the whole document on the PDF's pages; returns the schedule's first table.
QTextTable *build(QTextDocument &text, Typeset::PagedPdf &pdf, const Document &doc, const Split &split)
{
    text.setUndoRedoEnabled(false);
    text.setDefaultFont(font(kSerif, 11));
    QTextCursor cursor(&text);
    QTextTable *schedule = nullptr;

    // A short heading, then the law; where the text comes from is told at the end.
    const QColor accent(0x1f, 0x3a, 0x5f);
    const QColor grey(0x40, 0x40, 0x40);
    addBlock(cursor, QStringLiteral("Maryland Child Support Guidelines"), font(kSans, 20, true), 0, 4, 0, accent);
    addBlock(cursor, QStringLiteral("Maryland Code, Family Law Article, §§ 12-201 to 12-204 \u2014 ") + doc.version,
             font(kSans, 12), 0, 6);
    addBlock(cursor, doc.description, font(kSerif, 10), 0, 4, 0, grey);
    addBlock(cursor, QStringLiteral("Where this text comes from is told on the last page."),
             font(kSerif, 9, false, true), 0, 18, 0, grey);

    bool firstSection = true;
    for (const Section &s : doc.statute.sections) {
        QTextBlockFormat heading;
        if (!firstSection)
            heading.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        firstSection = false;
        heading.setBottomMargin(10);
        cursor.insertBlock(heading);
        QTextCharFormat headingChars;
        headingChars.setFont(font(kSans, 15, true));
        headingChars.setForeground(accent);
        cursor.insertText(QStringLiteral("§ ") + s.number, headingChars);
        for (const Para &p : s.paras) {
            switch (p.kind) {
            case Para::Text:
                addStatutePara(cursor, p);
                break;
            case Para::Note:
                addBlock(cursor, p.text, font(kSerif, 9.5, false, true), 6, 4, kIndentStep * p.level, accent);
                break;
            case Para::Schedule:
                schedule = addSchedule(cursor, doc, split);
                if (!doc.scheduleNote.isEmpty())
                    addBlock(cursor, doc.scheduleNote, font(kSerif, 9.5, false, true), 0, 8, 0, grey);
                break;
            }
        }
    }

    // About this copy, on a page of its own after the law.
    QTextBlockFormat aboutPage;
    aboutPage.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    aboutPage.setBottomMargin(12);
    cursor.insertBlock(aboutPage);
    QTextCharFormat aboutChars;
    aboutChars.setFont(font(kSans, 15, true));
    aboutChars.setForeground(accent);
    cursor.insertText(QStringLiteral("About this copy"), aboutChars);
    if (!doc.composition.isEmpty()) {
        addBlock(cursor, QStringLiteral("How this text is composed"), font(kSans, 12, true), 0, 6);
        for (const QString &line : doc.composition)
            addBlock(cursor, line, font(kSerif, 11), 0, 5, line.startsWith(QChar(0x2022)) ? kIndentStep : 0);
        addBlock(cursor, QString(), font(kSerif, 6), 0, 12);
    }
    addBlock(cursor, doc.sources.size() == 1 ? QStringLiteral("Source of the text") : QStringLiteral("Sources of the text"),
             font(kSans, 12, true), 0, 6);
    for (const Source &source : doc.sources) {
        addBlock(cursor, source.heading, font(kSans, 9.5, true), 4, 3, 0, grey);
        for (const QString &line : source.lines)
            addBlock(cursor, line, font(kSerif, 9), 0, 3, 0, grey);
    }
    addBlock(cursor,
             QStringLiteral("Reference copy typeset for Orva-Calc Professional; it is not an official publication "
                            "of the State of Maryland. The schedule amounts are reproduced unchanged."),
             font(kSerif, 9, false, true), 18, 0, 0, grey);

    pdf.layOut(text);
    return schedule;
}

// Where the layout broke the schedule when left to itself: the rows on its
// first page, and one row fewer than it put on the next, for the empty block
// that opens each following page.
Split measureSplit(QTextDocument &text, QTextTable *table, int firstRow, int rows)
{
    if (!table)
        fail(QStringLiteral("the text has no place for the schedule"));
    const qreal pageHeight = text.pageSize().height();
    QList<int> pageOfRow;
    for (int i = 0; i < rows; ++i) {
        const QTextBlock block = table->cellAt(firstRow + i, 0).firstCursorPosition().block();
        pageOfRow << int(text.documentLayout()->blockBoundingRect(block).top() / pageHeight);
    }
    Split split;
    split.first = int(pageOfRow.count(pageOfRow.first()));
    split.perPage = int(pageOfRow.count(pageOfRow.first() + 1)) - 1;
    if (split.first == rows)
        split = Split{}; // one page holds it all
    else if (split.perPage < 1)
        fail(QStringLiteral("the schedule does not fit the page"));
    return split;
}

void typeset(const Document &doc, const QString &outPath)
{
    Typeset::PagedPdf pdf(QStringLiteral("Maryland Family Law §§ 12-201 to 12-204 \u2014 ") + doc.version);
    QTextDocument trial;
    QTextTable *whole = build(trial, pdf, doc, Split{});
    const Split split = measureSplit(trial, whole, doc.leadRow.isEmpty() ? 1 : 2, int(doc.schedule.size()));
    QTextDocument text;
    build(text, pdf, doc, split);

    QString error;
    if (!pdf.write(text, QStringLiteral("Maryland Child Support Guidelines \u2014 ") + doc.version, outPath, &error))
        fail(QStringLiteral("cannot write %1: %2").arg(outPath, error));
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        fail(QStringLiteral("usage: statute-pdf <pre2020|oct2020|jul2022> <texts-dir> <schedules-dir> <out.pdf>"));
    typeset(buildDocument(args.at(1), args.at(2), args.at(3)), args.at(4));
    return 0;
}
