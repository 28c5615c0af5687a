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
                   bool *cut = nullptr)
    {
        const QString path = m_dir.filePath(QStringLiteral("page%1.pdf").arg(++m_count));
        if (!PdfProbe::renderLines(path, lines, fields, custody, cut))
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

QTEST_MAIN(TestLayoutInterpreter)
#include "tst_layoutinterpreter.moc"
