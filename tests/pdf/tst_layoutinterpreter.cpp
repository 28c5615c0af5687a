// The layout-script language: the tokenizer, and every command drawn into a
// real PDF that is read back with Qt Pdf.
#include "LayoutInterpreter.h"
#include "OrvaDocument.h"
#include "PdfProbe.h"

#include <QFontInfo>
#include <QTemporaryDir>
#include <QtTest>

using Fields = QHash<QString, QString>;

class TestLayoutInterpreter : public QObject
{
    Q_OBJECT

private:
    QString render(const QStringList &lines, const Fields &fields = {}, int custody = OrvaDocument::Shared,
                   bool *cut = nullptr, const QStringList &continuation = {}, int *pages = nullptr)
    {
        const QString path = m_dir.filePath(QStringLiteral("page%1.pdf").arg(++m_count));
        if (!PdfProbe::renderLines(path, lines, fields, custody, cut, continuation, pages))
            return QString();
        return path;
    }

    QTemporaryDir m_dir;
    int m_count = 0;

private slots:
    void tokenize_data();
    void tokenize();
    void worksheetFontIsArialMetricCompatible();
    void exampleLineDrawsBoundField();
    void unboundItemKeepsFixedText_data();
    void unboundItemKeepsFixedText();
    void alignment_data();
    void alignment();
    void absentFieldPrintsNothing();
    void plainTextFollowsLastWeight();
    void linesAndBoxes();
    void newPageKeepsCoordinates();
    void malformedLinesDrawNothing();
    void nonNumericCoordinateReadsZero();
    void commentsBoxCut_data();
    void commentsBoxCut();
    void commentsWrapAtWords();
    void boundTextStaysInItsBox_data();
    void boundTextStaysInItsBox();
    void commentsContinueOnNumberedPages_data();
    void commentsContinueOnNumberedPages();
    void scriptPageFitsThePaper_data();
    void scriptPageFitsThePaper();
};

void TestLayoutInterpreter::tokenize_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("tokens");

    QTest::newRow("example line")
        << R"("TB","450","760","0","Pre October 1, 2020 Guidelines", "8", "nb", "", "bl","d","guidelines")"
        << QStringList{"TB", "450", "760", "0", "Pre October 1, 2020 Guidelines", "8", "nb", "", "bl", "d", "guidelines"};
    QTest::newRow("blanks between tokens")
        << R"("TB" ,  "8" ,"nb"   ,   "x")" << QStringList{"TB", "8", "nb", "x"};
    QTest::newRow("comma inside a token") << R"("T","1","2","a, b, c")" << QStringList{"T", "1", "2", "a, b, c"};
    QTest::newRow("blanks inside a token kept") << R"("T"," 1 ","2","  x  ")"
                                                << QStringList{"T", " 1 ", "2", "  x  "};
    QTest::newRow("empty tokens") << R"("","","")" << QStringList{"", "", ""};
    QTest::newRow("missing closing quote") << R"("G","1","2","3,4)" << QStringList{"G", "1", "2"};
    QTest::newRow("missing closing quote on the first token") << R"("BPG)" << QStringList{};
    QTest::newRow("no comma after the last token") << R"("BPG")" << QStringList{"BPG"};
    QTest::newRow("no comma ends the line") << R"("G","1" "2")" << QStringList{"G", "1"};
    QTest::newRow("a token without its comma is skipped") << R"("G","1" "2","3")" << QStringList{"G", "1", "3"};
    QTest::newRow("text without quotes") << "just words, no quotes" << QStringList{};
    QTest::newRow("empty line") << "" << QStringList{};
    QTest::newRow("junk between quote and comma ignored") << R"("G"xx,"1"yy,"2")" << QStringList{"G", "1", "2"};
}

void TestLayoutInterpreter::tokenize()
{
    QFETCH(QString, line);
    QFETCH(QStringList, tokens);
    QCOMPARE(LayoutInterpreter::tokenize(line), tokens);
}

void TestLayoutInterpreter::worksheetFontIsArialMetricCompatible()
{
    // Widths are measured while drawing; they must come from a font with
    // Arial's metrics or right-aligned amounts would not line up as designed.
    QFont font = LayoutInterpreter::initialFont();
    font.setPixelSize(10);
    const QString family = QFontInfo(font).family();
    QVERIFY2(family == "Arial" || family == "Liberation Sans", qPrintable(family));
    // Arial's advance width of a digit is 0.556 em.
    QVERIFY(qAbs(QFontMetricsF(font).horizontalAdvance("0") - 5.56) < 0.05);
}

void TestLayoutInterpreter::exampleLineDrawsBoundField()
{
    const QString path = render(
        {R"("TB","450","760","0","Pre October 1, 2020 Guidelines", "8", "nb", "", "bl","d","guidelines")"},
        {{"guidelines", "Post July 1, 2022 Guidelines"}});
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), 1);
    QCOMPARE(pdf.getAllText(0).text().trimmed(), QString("Post July 1, 2022 Guidelines"));
    const QRectF post = PdfProbe::findOne(pdf, 0, "Post");
    QVERIFY(qAbs(post.left() - 450) < 1.0);
    QVERIFY(qAbs(post.bottom() - 760) < 0.5);     // baseline
    QVERIFY(qAbs(post.height() - 8 * 0.73) < 0.6); // cap height of an 8-unit font
}

void TestLayoutInterpreter::unboundItemKeepsFixedText_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("printed");

    QTest::newRow("11 tokens, binding x: fixed text, no footer rewrite")
        << R"("TB","100","100","0","  Version 14.0 fixed  ","8","nb","","bl","x","guidelines")"
        << "Version 14.0 fixed";
    QTest::newRow("10 tokens: no footer rewrite")
        << R"("TB","100","100","0","Copyright© 2022 kept","8","nb","","bl","")" << "Copyright© 2022 kept";
    QTest::newRow("DT draws like TB") << R"("DT","100","100","0","Version 14.0","8","nb","","bl")"
                                      << "Version 16.2";
    QTest::newRow("footer version") << R"("TB","100","100","0","Orva-Calc Version 14.0","8","nb","","bl")"
                                    << "Orva-Calc Version 16.2";
    QTest::newRow("footer copyright") << R"("TB","100","100","0","Copyright© 2022 Pellwood","8","nb","","bl")"
                                      << "Copyright© 2024 Pellwood";
    QTest::newRow("copyright without its sign")
        << R"("TB","100","100","0","Copyright 2022 Pellwood","8","nb","","bl")" << "Copyright 2022 Pellwood";
    QTest::newRow("version wins over copyright")
        << R"("TB","100","100","0","Copyright© 2022, Version 14.0","8","nb","","bl")"
        << "Copyright© 2022, Version 16.2";
}

void TestLayoutInterpreter::unboundItemKeepsFixedText()
{
    QFETCH(QString, line);
    QFETCH(QString, printed);
    const QString path = render({line}, {{"guidelines", "Bound text"}});
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    QCOMPARE(pdf.getAllText(0).text().trimmed(), printed);
}

void TestLayoutInterpreter::alignment_data()
{
    QTest::addColumn<QString>("alignment");
    QTest::addColumn<QString>("value");

    for (const char *value : {"7", "1234", "1234567", "-250", "72.6%"}) {
        QTest::addRow("br %s", value) << "br" << value;
        QTest::addRow("bc %s", value) << "bc" << value;
        QTest::addRow("bl %s", value) << "bl" << value;
    }
    QTest::newRow("blanks around br") << " b r " << "1234";
    QTest::newRow("unknown acts as bl") << "xx" << "1234";
}

void TestLayoutInterpreter::alignment()
{
    QFETCH(QString, alignment);
    QFETCH(QString, value);
    const QString line = QStringLiteral(R"("TB","560","300","0","","9","nb","","%1","d","line14_f")").arg(alignment);
    const QString path = render({line}, {{"line14_f", value}});
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    const QRectF box = PdfProbe::findOne(pdf, 0, value);
    QVERIFY(box.isValid());
    QVERIFY(qAbs(box.bottom() - 300) < 0.5);
    const QString mode = alignment.simplified().remove(' ');
    if (mode == "br")
        QVERIFY2(qAbs(box.right() - 560) < 0.8, qPrintable(QString::number(box.right())));
    else if (mode == "bc")
        QVERIFY2(qAbs(box.center().x() - 560) < 0.8, qPrintable(QString::number(box.center().x())));
    else
        QVERIFY2(qAbs(box.left() - 560) < 0.8, qPrintable(QString::number(box.left())));
}

void TestLayoutInterpreter::absentFieldPrintsNothing()
{
    const QString path = render({R"("TB","100","100","0","Placeholder","9","nb","","bl","d","no_such_field")",
                                 R"("TB","100","120","0","Placeholder","9","nb","","bl","d","empty_field")",
                                 R"("TB","100","140","0","Visible","9","nb","","bl")"},
                                {{"empty_field", ""}});
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    QCOMPARE(pdf.getAllText(0).text().trimmed(), QString("Visible"));
}

void TestLayoutInterpreter::plainTextFollowsLastWeight()
{
    const QString path = render({R"("T","100","100","Weight probe")",
                                 R"("TB","100","200","0","Bold item","8","b","","bl")",
                                 R"("T","100","300","Weight probe")",
                                 R"("TB","100","400","0","Normal item","8","nb","","bl")",
                                 R"("T","100","500","Weight probe")"});
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    const QList<QRectF> probes = PdfProbe::find(pdf, 0, "Weight probe");
    QCOMPARE(probes.size(), 3);
    // "T" is 12 units high whatever the item before it.
    for (const QRectF &probe : probes)
        QVERIFY(qAbs(probe.height() - 12 * 0.95) < 1.5);
    // Bold glyphs are wider; the light and the normal weight draw the same face.
    QVERIFY2(probes.at(1).width() > probes.at(0).width() * 1.04,
             qPrintable(QStringLiteral("%1 vs %2").arg(probes.at(1).width()).arg(probes.at(0).width())));
    QVERIFY(qAbs(probes.at(2).width() - probes.at(0).width()) < 0.2);
}

void TestLayoutInterpreter::linesAndBoxes()
{
    const QString path = render({R"("G","100","100","300","100")", R"("B","100","200","300","260")"});
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    const qreal scale = 4;
    const QImage image = PdfProbe::render(pdf, 0, scale);
    QVERIFY(PdfProbe::ink(image, {200, 100}, scale) < 160); // on the line
    QVERIFY(PdfProbe::ink(image, {200, 103}, scale) > 240); // beside it
    QVERIFY(PdfProbe::ink(image, {305, 100}, scale) > 240); // past its end
    // Box outline on all four sides, not filled.
    QVERIFY(PdfProbe::ink(image, {200, 200}, scale) < 160);
    QVERIFY(PdfProbe::ink(image, {200, 260}, scale) < 160);
    QVERIFY(PdfProbe::ink(image, {100, 230}, scale) < 160);
    QVERIFY(PdfProbe::ink(image, {300, 230}, scale) < 160);
    QVERIFY(PdfProbe::ink(image, {200, 230}, scale, 20) > 240);
    // The pen is half a unit wide: two pixels at four pixels per point.
    int dark = 0;
    for (int y = 390; y < 410; ++y)
        dark += qGray(image.pixel(800, y)) < 128 ? 1 : 0;
    QVERIFY2(dark >= 1 && dark <= 3, qPrintable(QString::number(dark)));
}

void TestLayoutInterpreter::newPageKeepsCoordinates()
{
    const QString path = render({R"("TB","120","150","0","Page text","10","nb","","bl")", R"("BPG")",
                                 R"("TB","120","150","0","Page text","10","nb","","bl")", R"("BPG")",
                                 R"("TB","200","300","0","Third","10","nb","","bl")"});
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), 3);
    QCOMPARE(pdf.pagePointSize(1), QSizeF(595, 842));
    const QRectF first = PdfProbe::findOne(pdf, 0, "Page text");
    const QRectF second = PdfProbe::findOne(pdf, 1, "Page text");
    QVERIFY(first.isValid());
    QCOMPARE(first.toAlignedRect(), second.toAlignedRect());
    QVERIFY(qAbs(first.left() - 120) < 1);
    QCOMPARE(pdf.getAllText(2).text().trimmed(), QString("Third"));
}

void TestLayoutInterpreter::malformedLinesDrawNothing()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("text item skipped"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("line skipped"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("text skipped"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("bound item without a field name"));
    const QString path = render({R"("TB","100","100","0","Short","9","nb","")", R"("G","1","2","3")",
                                 R"("TB","100","100","0","No field name","9","nb","","bl","d")",
                                 R"("T","100","100")", R"("XX","100","100","0","Unknown","9","nb","","bl")",
                                 "", "no quotes here", R"("tb","100","100","0","Lower case","9","nb","","bl")"});
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), 1);
    QCOMPARE(pdf.getAllText(0).text().trimmed(), QString());
    const QImage image = PdfProbe::render(pdf, 0, 1);
    QCOMPARE(PdfProbe::darkPixels(image, QRectF(0, 0, 595, 842), 1), 0);
}

void TestLayoutInterpreter::nonNumericCoordinateReadsZero()
{
    const QString path = render({R"("TB","abc","200","0","Left edge","20","nb","","bl")",
                                 R"("TB","300","400","0","Left edge","x","nb","","bl")"});
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    const QList<QRectF> boxes = PdfProbe::find(pdf, 0, "Left edge");
    QCOMPARE(boxes.size(), 2);
    QVERIFY2(boxes.at(0).left() < 2.2, // the side bearing of the L at 20 units
              qPrintable(QString::number(boxes.at(0).left())));
    // A size that is not a number keeps the size of the item before.
    QVERIFY(qAbs((boxes.at(1).left() - 300) - boxes.at(0).left()) < 0.2);
    QVERIFY(qAbs(boxes.at(1).height() - boxes.at(0).height()) < 0.3);
}

void TestLayoutInterpreter::commentsBoxCut_data()
{
    QTest::addColumn<int>("custody");
    QTest::addColumn<qreal>("height");
    QTest::newRow("Worksheet A, sole mother") << int(OrvaDocument::SoleMother) << qreal(80);
    QTest::newRow("Worksheet A, sole parent 2") << int(OrvaDocument::SoleParent2) << qreal(80);
    QTest::newRow("Worksheet B, shared") << int(OrvaDocument::Shared) << qreal(210);
    QTest::newRow("Worksheet B, shared P1P2") << int(OrvaDocument::SharedP1P2) << qreal(210);
}

void TestLayoutInterpreter::commentsBoxCut()
{
    QFETCH(int, custody);
    QFETCH(qreal, height);

    QStringList paragraphs;
    for (int i = 1; i <= 40; ++i)
        paragraphs << QStringLiteral("Comment line %1").arg(i, 2, 10, QLatin1Char('0'));
    const QString text = paragraphs.join('\n') + '\n';
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("comments do not fit the box"));
    bool cut = false;
    const QString path = render({R"("TB","30","100","0","","8","nb","","bl","d","comments")",
                                 R"("TB","30","400","0","Below","8","nb","","bl")"},
                                {{"comments", text}}, custody, &cut);
    QVERIFY(cut);
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);

    // The lines that fit are drawn in order from the top of the box; the
    // first one that does not fit and all after it are left out entirely.
    int shown = 0;
    qreal lastBottom = 100;
    while (shown < paragraphs.size()) {
        const QRectF box = PdfProbe::findOne(pdf, 0, paragraphs.at(shown));
        if (box.isNull())
            break;
        QVERIFY(box.left() >= 30 && box.left() < 31.5);
        QVERIFY(box.top() > lastBottom - 0.1);
        lastBottom = box.bottom();
        ++shown;
    }
    QVERIFY2(lastBottom <= 100 + height, qPrintable(QString::number(lastBottom)));
    const int expected = int(height / (8 * 1.15)); // about 9.2 units per line of 8-unit text
    QVERIFY2(shown >= expected - 1 && shown <= expected + 1, qPrintable(QString::number(shown)));
    const QString all = pdf.getAllText(0).text();
    for (int i = shown; i < paragraphs.size(); ++i)
        QVERIFY2(!all.contains(paragraphs.at(i)), qPrintable(paragraphs.at(i)));
    QVERIFY(all.contains("Below"));

    // Nothing of the cut text is drawn below the box either.
    const qreal scale = 2;
    const QImage image = PdfProbe::render(pdf, 0, scale);
    QCOMPARE(PdfProbe::darkPixels(image, QRectF(25, 100 + height + 1, 560, 390 - height - 100 - 12), scale), 0);
}

void TestLayoutInterpreter::commentsWrapAtWords()
{
    QStringList words;
    for (int i = 1; i <= 120; ++i)
        words << QStringLiteral("word%1").arg(i, 3, 10, QLatin1Char('0'));
    bool cut = true;
    const QString path = render({R"("TB","24","100","0","","8","nb","","bl","d","comments")"},
                                {{"comments", words.join(' ') + '\n'}}, OrvaDocument::Shared, &cut);
    QVERIFY(!cut);
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    qreal top = 0;
    int lines = 0;
    for (const QString &word : words) {
        const QRectF box = PdfProbe::findOne(pdf, 0, word);
        QVERIFY2(box.isValid(), qPrintable(word)); // every word whole, none broken
        QVERIFY(box.right() <= 24 + 550 + 0.5);
        QVERIFY(box.bottom() <= 100 + 210);
        if (box.top() > top + 1) {
            QVERIFY(box.left() < 25.5); // each line starts at the left edge
            top = box.top();
            ++lines;
        }
    }
    QFont font = LayoutInterpreter::initialFont();
    font.setPixelSize(8);
    font.setWeight(QFont::Normal);
    const qreal needed = QFontMetricsF(font).horizontalAdvance(words.join(' ')) / 550;
    QVERIFY2(lines >= needed && lines <= needed + 1.5, qPrintable(QStringLiteral("%1 for %2").arg(lines).arg(needed)));
}

void TestLayoutInterpreter::boundTextStaysInItsBox_data()
{
    QTest::addColumn<QString>("alignment");
    QTest::addColumn<int>("size");
    QTest::addColumn<qreal>("width");
    QTest::addColumn<int>("allowed");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("lines");    // lines it is drawn on
    QTest::addColumn<bool>("smaller"); // drawn smaller than its size
    QTest::addColumn<bool>("elided");

    const QString party = "Alexandra Catherine Elisabeth Montgomery-Whitfield-Featherstonehaugh of Upper Marlboro MD";
    QTest::newRow("fits as it is") << "bl" << 10 << 200.0 << 2 << "Jane Sample" << 1 << false << false;
    QTest::newRow("a little too wide: smaller") << "bl" << 10 << 160.0 << 2
                                                << "Maximilian Alexander Montgomery-Whitfield" << 1 << true << false;
    QTest::newRow("child's name of 41 characters") << "bl" << 9 << 166.0 << 1
                                                   << "Maximilian Alexander Montgomery-Whitfield" << 1 << true << false;
    QTest::newRow("party of 89 characters: two lines") << "bl" << 10 << 246.0 << 2 << party << 2 << false << false;
    QTest::newRow("party on one line only: cut short") << "bl" << 9 << 265.0 << 1 << party << 1 << true << true;
    QTest::newRow("two lines right-aligned") << "br" << 10 << 246.0 << 2 << party << 2 << false << false;
    QTest::newRow("centred, smaller") << "bc" << 12 << 150.0 << 1 << "In the Circuit Court for Baltimore City"
                                      << 1 << true << false;
    QTest::newRow("longer than two lines: the second cut short")
        << "bl" << 9 << 150.0 << 2 << party + " and " + party << 2 << true << true;
    QTest::newRow("a word wider than two lines breaks anywhere")
        << "bl" << 10 << 60.0 << 2 << "C-16-FM-24-012345-XYZ/ABC-2024-0000001-R" << 2 << true << true;
    QTest::newRow("12 digits with a sign") << "br" << 9 << 53.0 << 1 << "-999999999999" << 1 << true << false;
    QTest::newRow("largest amount: whole, below 7 units") << "br" << 9 << 53.0 << 1 << "-9223372036854775808" << 1
                                                          << true << false;
    QTest::newRow("percentage") << "br" << 9 << 30.0 << 1 << "100.123%" << 1 << true << false;
    QTest::newRow("footnote mark") << "bl" << 6 << 8.0 << 1 << "18" << 1 << false << false;
}

void TestLayoutInterpreter::boundTextStaysInItsBox()
{
    QFETCH(QString, alignment);
    QFETCH(int, size);
    QFETCH(qreal, width);
    QFETCH(int, allowed);
    QFETCH(QString, value);
    QFETCH(int, lines);
    QFETCH(bool, smaller);
    QFETCH(bool, elided);

    const qreal x = 300;
    const qreal y = 400;
    const QString line = QStringLiteral(R"("TB","%1","%2","%3","","%4","nb","%5","%6","d","v")")
                             .arg(x).arg(y).arg(width).arg(size).arg(allowed > 1 ? QString::number(allowed) : QString())
                             .arg(alignment);
    // The same text without a box, for its natural size.
    const QString free = QStringLiteral(R"("TB","20","780","0","","%1","nb","","bl","d","v")").arg(size);
    const QString path = render({line, free}, {{"v", value}});
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);

    const qreal left = alignment == "br" ? x - width : alignment == "bc" ? x - width / 2 : x;
    QList<PdfProbe::Word> inside;
    qreal naturalHeight = 0;
    for (const PdfProbe::Word &w : PdfProbe::words(pdf, 0)) {
        if (w.box.top() > 700) {
            naturalHeight = qMax(naturalHeight, w.box.height());
            continue;
        }
        const QString where = QStringLiteral("'%1' at %2..%3").arg(w.text).arg(w.box.left()).arg(w.box.right());
        QVERIFY2(w.box.left() >= left - 0.3 && w.box.right() <= left + width + 0.3, qPrintable("outside its box: " + where));
        QVERIFY2(w.box.bottom() <= y + 0.3 * size && w.box.top() >= y - allowed * 1.2 * size - size, qPrintable(where));
        inside << w;
    }
    QVERIFY(!inside.isEmpty());

    // Read back line by line, from the top.
    std::stable_sort(inside.begin(), inside.end(), [](const PdfProbe::Word &a, const PdfProbe::Word &b) {
        return qAbs(a.box.center().y() - b.box.center().y()) > 2 ? a.box.center().y() < b.box.center().y()
                                                                 : a.box.left() < b.box.left();
    });
    QString shown;
    int drawnLines = 0;
    qreal lastCentre = -100;
    qreal height = 0;
    QList<qreal> edges;
    for (const PdfProbe::Word &w : std::as_const(inside)) {
        if (w.box.center().y() > lastCentre + 2) {
            ++drawnLines;
            edges << (alignment == "br" ? w.box.right() : w.box.left());
        }
        if (alignment == "br")
            edges.last() = w.box.right();
        lastCentre = w.box.center().y();
        shown += w.text;
        height = qMax(height, w.box.height());
    }
    QCOMPARE(drawnLines, lines);
    const QString whole = QString(value).remove(' ').remove('-');
    shown.remove('-');
    if (elided) {
        QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
        QVERIFY2(whole.startsWith(shown.chopped(1)) && shown.size() > 10, qPrintable(shown));
    } else {
        QCOMPARE(shown, whole);
    }
    // Aligned as the item says on every line, the last one on its baseline.
    for (const qreal edge : std::as_const(edges)) {
        if (alignment == "bl")
            QVERIFY2(edge < x + 0.15 * size, qPrintable(QString::number(edge)));
        else if (alignment == "br")
            QVERIFY2(edge > x - 0.15 * size, qPrintable(QString::number(edge)));
    }
    QVERIFY(qAbs(inside.last().box.center().y() - (y - 0.3 * size)) < 0.4 * size);
    // Smaller only when it had to be; texts not below 7 units, amounts whole.
    if (smaller)
        QVERIFY2(height < naturalHeight - 0.3, qPrintable(QStringLiteral("%1 vs %2").arg(height).arg(naturalHeight)));
    else
        QVERIFY2(qAbs(height - naturalHeight) < 0.05, qPrintable(QStringLiteral("%1 vs %2").arg(height).arg(naturalHeight)));
    static const QRegularExpression amount("^-?[0-9.]+%?$");
    if (!amount.match(value).hasMatch())
        QVERIFY2(height >= naturalHeight * LayoutInterpreter::MinimumTextSize / size - 0.3, qPrintable(QString::number(height)));
}

void TestLayoutInterpreter::commentsContinueOnNumberedPages_data()
{
    QTest::addColumn<int>("custody");
    QTest::addColumn<int>("count");        // comment lines
    QTest::addColumn<bool>("continuation"); // a continuation script given
    QTest::addColumn<int>("pages");
    QTest::addColumn<bool>("cut");

    // The worksheet's box holds 8 lines on Worksheet A and 22 on B; each
    // continuation page 74.
    QTest::newRow("A, fits its box") << int(OrvaDocument::SoleMother) << 8 << true << 2 << false;
    QTest::newRow("A, one line more") << int(OrvaDocument::SoleMother) << 9 << true << 3 << false;
    QTest::newRow("A, one continuation page full") << int(OrvaDocument::SoleMother) << 82 << true << 3 << false;
    QTest::newRow("A, two continuation pages") << int(OrvaDocument::SoleMother) << 83 << true << 4 << false;
    QTest::newRow("B, three continuation pages") << int(OrvaDocument::Shared) << 200 << true << 5 << false;
    QTest::newRow("B, no continuation script: cut") << int(OrvaDocument::Shared) << 40 << false << 2 << true;
}

void TestLayoutInterpreter::commentsContinueOnNumberedPages()
{
    QFETCH(int, custody);
    QFETCH(int, count);
    QFETCH(bool, continuation);
    QFETCH(int, pages);
    QFETCH(bool, cut);

    QStringList paragraphs;
    for (int i = 1; i <= count; ++i)
        paragraphs << QStringLiteral("Comment line %1 end").arg(i, 3, 10, QLatin1Char('0'));
    const QStringList script = {R"("TB","24","100","0","","8","nb","","bl","d","comments")",
                                R"("TB","300","820","0","Page {page} of {pages}","7","nb","","bc")", R"("BPG")",
                                R"("TB","300","820","0","Page {page} of {pages}","7","nb","","bc")"};
    const QStringList more = {R"("BPG")", R"("TB","24","80","0","Continued on page {page}","9","b","","bl")",
                              R"("TB","24","94","0","","8","nb","","bl","d","comments")",
                              R"("TB","300","820","0","Page {page} of {pages}","7","nb","","bc")"};
    if (cut)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("comments do not fit the box"));
    bool wasCut = !cut;
    int counted = 0;
    const QString path = render(script, {{"comments", paragraphs.join('\n') + '\n'}}, custody, &wasCut,
                                continuation ? more : QStringList(), &counted);
    QCOMPARE(wasCut, cut);
    QCOMPARE(counted, pages);
    QPdfDocument pdf;
    QCOMPARE(pdf.load(path), QPdfDocument::Error::None);
    QCOMPARE(pdf.pageCount(), pages);

    // Compared without blanks: on a page full of short lines Qt Pdf reads
    // the letters back with blanks between them.
    auto solid = [](QString text) { return text.remove(QRegularExpression("\\s+")); };
    QString all;
    for (int page = 0; page < pages; ++page) {
        const QString text = solid(pdf.getAllText(page).text());
        QVERIFY2(text.contains(QStringLiteral("Page%1of%2").arg(page + 1).arg(pages)), qPrintable(text.right(60)));
        if (page >= 2) {
            QVERIFY(text.contains(QStringLiteral("Continuedonpage%1").arg(page + 1)));
            // Each continuation page starts at the top of its box.
            qreal top = 1000;
            for (const PdfProbe::Word &w : PdfProbe::words(pdf, page))
                if (w.box.top() > 85 && w.box.top() < 800)
                    top = qMin(top, w.box.top());
            QVERIFY2(top > 94 && top < 100, qPrintable(QString::number(top)));
        }
        all += text + '|';
    }
    // Every line once, in order, unless there was no room at all.
    qsizetype last = -1;
    int shown = 0;
    for (const QString &line : std::as_const(paragraphs)) {
        const QString wanted = solid(line);
        const int times = int(all.count(wanted));
        QVERIFY2(times <= 1, qPrintable(line));
        if (times == 0)
            continue;
        QVERIFY(all.indexOf(wanted) > last);
        last = all.indexOf(wanted);
        ++shown;
    }
    QVERIFY(cut ? shown < count : shown == count);
}

void TestLayoutInterpreter::scriptPageFitsThePaper_data()
{
    QTest::addColumn<QSizeF>("paper");
    QTest::addColumn<qreal>("scale");
    QTest::addColumn<QPointF>("origin"); // where the script's 0,0 lands
    QTest::newRow("A4: as drawn") << QSizeF(595, 842) << 1.0 << QPointF(0, 0);
    // Letter is lower: the height decides, 752 of 802 points between the margins.
    QTest::newRow("Letter") << QSizeF(612, 792) << 752.0 / 802 << QPointF((612 - 595 * 752.0 / 802) / 2, (792 - 842 * 752.0 / 802) / 2);
    // A wide page: the width decides.
    QTest::newRow("wider than high") << QSizeF(1000, 842) << 1.0 << QPointF(202.5, 0);
}

void TestLayoutInterpreter::scriptPageFitsThePaper()
{
    QFETCH(QSizeF, paper);
    QFETCH(qreal, scale);
    QFETCH(QPointF, origin);
    const QTransform t = LayoutInterpreter::scriptToPaper(paper);
    QVERIFY(qAbs(t.m11() - scale) < 1e-9 && qAbs(t.m22() - scale) < 1e-9);
    QVERIFY(qAbs(t.dx() - origin.x()) < 1e-9 && qAbs(t.dy() - origin.y()) < 1e-9);
    // The margin of the limiting side stays 20 points.
    const QRectF inside = t.mapRect(QRectF(20, 20, 555, 802));
    QVERIFY(qAbs(inside.top() - 20) < 1e-9 || qAbs(inside.left() - 20) < 1e-9);
    QVERIFY(inside.right() <= paper.width() - 20 + 1e-9 && inside.bottom() <= paper.height() - 20 + 1e-9);
}

QTEST_MAIN(TestLayoutInterpreter)
#include "tst_layoutinterpreter.moc"
