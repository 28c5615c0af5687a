#pragma once

#include <QFont>
#include <QHash>
#include <QPen>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

// Executes worksheet layout scripts: one drawing command per line, tokens in
// double quotes separated by commas, coordinates in points from the top-left
// corner of the paper. Text items may be bound to fields of the worksheet's
// field table.
class LayoutInterpreter
{
public:
    // Width and height of the comments box on the shared (Worksheet B) and
    // sole (Worksheet A) worksheets.
    static constexpr qreal CommentsWidth = 550;
    static constexpr qreal SharedCommentsHeight = 210;
    static constexpr qreal SoleCommentsHeight = 80;

    LayoutInterpreter(QPainter *painter, const QHash<QString, QString> &fields, int custodyType);

    // Splits a command line into its tokens. A token runs from one double
    // quote to the next; whatever stands between a closing quote and the next
    // comma is ignored; a line without its closing quote yields the tokens
    // found before it.
    static QStringList tokenize(const QString &line);
    // Turns a stored command line into its plain text. Our scripts are stored
    // plain, so this only drops the line end.
    static QString decodeLine(const QString &stored);

    // Executes the lines in order on the painter.
    void run(const QStringList &lines);
    void execute(const QString &storedLine);

    // Whether the last comments item had to leave lines out.
    bool commentsCut() const { return m_commentsCut; }

    // Page set-up before the first command: window in points (the paper
    // rounded to whole points), viewport in device pixels, so one logical
    // unit is one point at any resolution. Logs the render hints in force.
    static void setUpPainter(QPainter *painter, const QRectF &paperPoints, const QRect &paperPixels);

    // The worksheet font and pen as a script starts with them.
    static QFont initialFont();
    static QPen linePen();

private:
    void drawTextItem(const QStringList &tokens);
    void drawPlainText(const QStringList &tokens);
    void drawComments(const QRectF &box, const QString &text);
    void newPage();

    QPainter *m_painter;
    const QHash<QString, QString> &m_fields;
    int m_custodyType;
    QFont m_font;
    QPen m_pen;
    bool m_commentsCut = false;
};
