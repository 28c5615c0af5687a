#pragma once

#include <QFont>
#include <QHash>
#include <QPen>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTransform>

class QPaintDevice;
class QPainter;

// Executes worksheet layout scripts: one drawing command per line, tokens in
// double quotes separated by commas, coordinates in points from the top-left
// corner of an A4 page. Text items may be bound to fields of the worksheet's
// field table.
//
// A text item may name the room it has: token 3 is the width of its box (0:
// no limit) and token 7 the number of lines it may take ("2"; the lines stack
// upwards so that the last one stays on the item's baseline). A text that is
// too wide is shrunk, then broken onto the lines it may take, and only then
// cut short with an ellipsis. Amounts are never cut: they shrink until they fit.
//
// Fixed texts may carry "{page}" and "{pages}", which print the page number
// and the number of pages of the whole output.
class LayoutInterpreter
{
public:
    // Width and height of the comments box on the shared (Worksheet B) and
    // sole (Worksheet A) worksheets, and on each continuation page.
    static constexpr qreal CommentsWidth = 550;
    static constexpr qreal SharedCommentsHeight = 210;
    static constexpr qreal SoleCommentsHeight = 80;
    static constexpr qreal ContinuationCommentsHeight = 690;
    // Comments print on at most this many continuation pages; the last one
    // ends with a line saying how much was left out.
    static constexpr int MaxContinuationPages = 50;
    // Characters of comments laid out at a time.
    static constexpr qsizetype LayoutSliceLength = 2048;

    // The page the scripts are drawn for, and the margin kept around them
    // when they are fitted to other paper.
    static constexpr qreal ScriptPageWidth = 595;
    static constexpr qreal ScriptPageHeight = 842;
    static constexpr qreal ScriptMargin = 20;

    // Texts shrink in whole units down to this size before they take a
    // second line or are cut short.
    static constexpr int MinimumTextSize = 7;
    // Amounts go smaller still rather than lose a digit.
    static constexpr int MinimumAmountSize = 2;
    // No box line shows more characters than this, at any size: a longer
    // text is cut before it is measured.
    static constexpr int MaxLineCharacters = 1024;

    // How a text is set in its box.
    struct FittedText {
        int pixelSize = 0;
        QStringList lines; // first line first
        bool elided = false;
    };

    LayoutInterpreter(QPainter *painter, const QHash<QString, QString> &fields, int custodyType);

    // Splits a command line into its tokens. A token runs from one double
    // quote to the next; whatever stands between a closing quote and the next
    // comma is ignored; a line without its closing quote yields the tokens
    // found before it.
    static QStringList tokenize(const QString &line);
    // Turns a stored command line into its plain text. Our scripts are stored
    // plain, so this only drops the line end.
    static QString decodeLine(const QString &stored);

    // Executes the lines in order on the painter. Comments that do not fit
    // their box go on continuation pages, each drawn by the `continuation`
    // script (which starts its page with "BPG"); without one they are cut.
    void run(const QStringList &lines, const QStringList &continuation = {});
    void execute(const QString &storedLine);

    // Pages of the whole output, continuation pages included; known once
    // run() has started.
    int pageCount() const { return m_pageCount; }
    // Whether comments had to be left out for want of room.
    bool commentsCut() const { return m_commentsCut; }

    // Page set-up before the first command: window in points (the paper
    // rounded to whole points), viewport in device pixels, so one logical
    // unit is one point at any resolution; the scripts' A4 page scaled to
    // fit the paper. Logs the render hints in force.
    static void setUpPainter(QPainter *painter, const QRectF &paperPoints, const QRect &paperPixels);
    // The scripts' A4 page on paper of `paperPoints` (whole points): the
    // identity on A4; on other paper scaled to fit inside the same margins,
    // and centred.
    static QTransform scriptToPaper(const QSizeF &paperPoints);

    // Sets `text` within `maxWidth` (0: no limit) on at most `maxLines`
    // lines, starting from the pixel size of `font`.
    static FittedText fitText(const QString &text, const QFont &font, qreal maxWidth, int maxLines,
                              QPaintDevice *device);
    // Width the interpreter gives a one-line text.
    static qreal textWidth(const QFont &font, const QString &text, QPaintDevice *device);

    // The worksheet font and pen as a script starts with them.
    static QFont initialFont();
    static QPen linePen();

private:
    struct CommentsItem {
        bool found = false;
        QFont font;
    };

    void drawTextItem(const QStringList &tokens);
    void drawPlainText(const QStringList &tokens);
    // One line of comments as planned, `top` below its box's top.
    struct CommentLine {
        QString text;
        qreal top = 0;
    };
    using CommentBox = QList<CommentLine>;

    void drawComments(const QPointF &topLeft, const CommentBox &box);
    void newPage();
    QString withPageNumbers(QString text) const;
    qreal commentsHeight() const;
    static FittedText cutShort(const QString &text, QFont font, int smallest, qreal maxWidth, int maxLines,
                               QPaintDevice *device);
    static CommentsItem findCommentsItem(const QStringList &lines);
    static int pagesOf(const QStringList &lines);
    void planComments(const QStringList &lines, const QStringList &continuation);
    qsizetype fillBox(const QString &text, qsizetype from, const QFont &font, qreal height, CommentBox *box) const;
    static qsizetype restStart(const QString &text, qsizetype end);
    static QString withoutLongInvisibleRuns(const QString &text);

    QPainter *m_painter;
    const QHash<QString, QString> &m_fields;
    int m_custodyType;
    QFont m_font;
    QPen m_pen;
    bool m_commentsCut = false;

    int m_page = 1;
    int m_pageCount = 1;
    // The comments set into the boxes: the worksheet's own box first, then
    // one per continuation page.
    QList<CommentBox> m_commentBoxes;
    int m_commentPart = 0;
    bool m_inContinuation = false;
};
