// Typesets the FAQ that the program opens from its FAQ menu ("FAQ.pdf"
// beside the program) from the plain-text source faq.txt.
//
// Usage: faq-pdf <faq.txt> <out.pdf>
//
// Source format: "== " opens a section, "Q: " a question, the lines after it
// are its answer (paragraphs separated by blank lines, "- " list items);
// lines starting with "#" are editor's notes. A malformed source stops the
// build instead of printing a broken FAQ.

#include "PagedPdf.h"

#include <QFile>
#include <QGuiApplication>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QTextList>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const QString &message)
{
    std::fprintf(stderr, "faq-pdf: %s\n", qPrintable(message));
    std::exit(1);
}

struct Answer {
    enum Kind { Paragraph, Item };
    Kind kind = Paragraph;
    QString text;
};

struct Question {
    QString text;
    QList<Answer> answer;
};

struct Section {
    QString title;
    QList<Question> questions;
};

QList<Section> readFaq(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        fail(QStringLiteral("cannot read %1").arg(path));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));

    QList<Section> sections;
    bool continues = false; // the next text line continues the last paragraph
    int number = 0;
    for (const QString &raw : lines) {
        ++number;
        const QString line = raw.trimmed();
        const QString where = QStringLiteral("%1:%2: ").arg(path).arg(number);
        if (line.startsWith(QLatin1Char('#')))
            continue;
        if (line.isEmpty()) {
            continues = false;
            continue;
        }
        if (line.startsWith(QLatin1String("== "))) {
            sections.append({line.mid(3).trimmed(), {}});
            continues = false;
            continue;
        }
        if (sections.isEmpty())
            fail(where + QStringLiteral("text before the first section"));
        Section &section = sections.last();
        if (line.startsWith(QLatin1String("Q: "))) {
            section.questions.append({line.mid(3).trimmed(), {}});
            continues = false;
            continue;
        }
        if (section.questions.isEmpty())
            fail(where + QStringLiteral("answer without a question"));
        QList<Answer> &answer = section.questions.last().answer;
        if (line.startsWith(QLatin1String("- "))) {
            answer.append({Answer::Item, line.mid(2).trimmed()});
            continues = true;
        } else if (continues) {
            answer.last().text += QLatin1Char(' ') + line;
        } else {
            answer.append({Answer::Paragraph, line});
            continues = true;
        }
    }
    if (sections.isEmpty())
        fail(QStringLiteral("%1: no questions").arg(path));
    for (const Section &section : std::as_const(sections)) {
        if (section.questions.isEmpty())
            fail(QStringLiteral("%1: section \"%2\" has no questions").arg(path, section.title));
        for (const Question &question : section.questions)
            if (question.answer.isEmpty())
                fail(QStringLiteral("%1: \"%2\" has no answer").arg(path, question.text));
    }
    return sections;
}

using Typeset::font;
using Typeset::kBlockScale;

const QStringList &kSerif = Typeset::serif();
const QStringList &kSans = Typeset::sans();
const QColor kAccent(0x1f, 0x3a, 0x5f);
const QColor kGrey(0x40, 0x40, 0x40);

QTextCharFormat chars(const QFont &f, const QColor &color = Qt::black)
{
    QTextCharFormat format;
    format.setFont(f);
    format.setForeground(color);
    return format;
}

void addBlock(QTextCursor &cursor, const QString &text, const QTextCharFormat &format, qreal before, qreal after,
              qreal indent = 0, bool breakBefore = false)
{
    QTextBlockFormat block;
    block.setTopMargin(before);
    block.setBottomMargin(after);
    block.setLeftMargin(indent * kBlockScale);
    if (breakBefore)
        block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(block);
    cursor.insertText(text, format);
}

// Which questions start a new page, so that none stands alone at a page's foot.
using Breaks = QSet<QString>;

// Builds the document; returns the blocks of every question heading and of
// the first line of its answer.
QList<QPair<QTextBlock, QTextBlock>> build(QTextDocument &text, Typeset::PagedPdf &pdf, const QList<Section> &faq,
                                           const Breaks &breaks)
{
    text.clear();
    text.setUndoRedoEnabled(false);
    text.setDefaultFont(font(kSerif, 11));
    QTextCursor cursor(&text);

    cursor.setBlockFormat(QTextBlockFormat());
    cursor.insertText(QStringLiteral("Orva-Calc Professional"), chars(font(kSans, 13, true), kGrey));
    addBlock(cursor, QStringLiteral("Frequently asked questions"), chars(font(kSans, 24, true), kAccent), 2, 10);
    addBlock(cursor,
             QStringLiteral("Answers to the questions users of a child support worksheet program ask most often. "
                            "The user manual (Help, Contents) describes every field and command in detail."),
             chars(font(kSerif, 11, false, true), kGrey), 0, 14);

    // The list of questions, grouped by section.
    for (const Section &section : faq) {
        addBlock(cursor, section.title, chars(font(kSans, 10.5, true), kAccent), 6, 2);
        for (const Question &question : section.questions)
            addBlock(cursor, QStringLiteral("\u2022 ") + question.text, chars(font(kSerif, 10)), 0, 1, 14);
    }

    QList<QPair<QTextBlock, QTextBlock>> headings;
    for (const Section &section : faq) {
        addBlock(cursor, section.title, chars(font(kSans, 15, true), kAccent), 22, 4);
        for (const Question &question : section.questions) {
            addBlock(cursor, question.text, chars(font(kSans, 11.5, true)), 12, 4, 0, breaks.contains(question.text));
            const QTextBlock heading = cursor.block();
            QTextList *list = nullptr;
            QTextBlock first;
            for (const Answer &part : question.answer) {
                if (part.kind == Answer::Item) {
                    if (!list) {
                        QTextListFormat listFormat;
                        listFormat.setStyle(QTextListFormat::ListDisc);
                        listFormat.setIndent(1);
                        addBlock(cursor, part.text, chars(font(kSerif, 11)), 0, 3);
                        list = cursor.createList(listFormat);
                    } else {
                        addBlock(cursor, part.text, chars(font(kSerif, 11)), 0, 3);
                        list->add(cursor.block());
                    }
                } else {
                    list = nullptr;
                    QTextBlockFormat block;
                    block.setBottomMargin(6);
                    block.setAlignment(Qt::AlignJustify);
                    cursor.insertBlock(block);
                    cursor.setBlockCharFormat(chars(font(kSerif, 11)));
                    cursor.insertText(part.text, chars(font(kSerif, 11)));
                }
                if (!first.isValid())
                    first = cursor.block();
            }
            headings.append({heading, first});
        }
    }

    pdf.layOut(text);
    return headings;
}

int pageOf(const QTextDocument &text, const QTextBlock &block, bool bottom)
{
    const QRectF box = text.documentLayout()->blockBoundingRect(block);
    qreal y = bottom ? box.top() + qMin<qreal>(box.height(), 40 * kBlockScale) : box.top();
    // A paragraph whose first line does not fit is moved whole to the next
    // page while its box still starts on this one: its first line tells.
    if (bottom && block.layout() && block.layout()->lineCount() > 0)
        y = qMax(y, box.top() + block.layout()->lineAt(0).rect().bottom());
    return int(y / text.pageSize().height());
}

void typeset(const QList<Section> &faq, const QString &outPath)
{
    Typeset::PagedPdf pdf(QStringLiteral("Orva-Calc Professional: Frequently asked questions"));
    QTextDocument text;
    Breaks breaks;
    // A heading whose answer starts on the next page moves to that page;
    // each move can push later ones, so lay out again until none moves.
    for (int round = 0; round < 20; ++round) {
        const auto headings = build(text, pdf, faq, breaks);
        bool moved = false;
        for (const auto &[heading, answer] : headings) {
            if (pageOf(text, heading, false) != pageOf(text, answer, true) && !breaks.contains(heading.text())) {
                breaks.insert(heading.text());
                moved = true;
                break;
            }
        }
        if (!moved)
            break;
    }

    QString error;
    if (!pdf.write(text, QStringLiteral("Orva-Calc Professional \u2014 Frequently asked questions"), outPath, &error))
        fail(QStringLiteral("cannot write %1: %2").arg(outPath, error));
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        fail(QStringLiteral("usage: faq-pdf <faq.txt> <out.pdf>"));
    typeset(readFaq(args.at(1)), args.at(2));
    return 0;
}
