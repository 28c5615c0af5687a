// The worksheet scripts as data: well-formed lines, the fields each
// one binds, and a page geometry on which no text runs into a rule or into
// other text, even with the widest amounts and names.
#include "LayoutInterpreter.h"
#include "PDFDocument.h"
#include "WorksheetCases.h"

#include <QFontMetricsF>
#include <QtTest>

using Doc = OrvaDocument;

namespace {

QSet<QString> names(const QStringList &list)
{
    return QSet<QString>(list.begin(), list.end());
}

QSet<QString> commonFields()
{
    QSet<QString> set = {"court", "guidelines", "plaintiff_m", "defendant_d", "parent1_m", "parent2_d", "casenum",
                         "plaintiff", "defendant", "preparer", "date", "comments", "numchildren", "monthly_income_m",
                         "monthly_income_f", "existing_child_supp_pay_m", "existing_child_supp_pay_f",
                         "alimony_paid_m", "alimony_paid_f", "alimony_awarded_m", "alimony_awarded_f",
                         "work_related_child_exp_m", "work_related_child_exp_f", "health_ins_pay_m",
                         "health_ins_pay_f", "extraordinary_m", "extraordinary_f", "cmedsup_m", "cmedsup_f",
                         "add_expenses_m", "add_expenses_f", "line1_c", "line2_m", "line2_f", "line2_c",
                         "line3_m", "line3_f", "line4_c"};
    for (int i = 1; i <= 6; ++i)
        set << QStringLiteral("childn%1").arg(i) << QStringLiteral("bday%1").arg(i);
    for (int i = 1; i <= 18; ++i)
        set << QStringLiteral("fnn%1").arg(i);
    return set;
}

QSet<QString> soleFields()
{
    return commonFields() + QSet<QString>{"line4_ca", "line4_cb", "line4_cc", "line4_cd", "line4_ce", "line5_c",
                                          "line6_m", "line6_f", "line7_m", "line7_f", "line7a_m", "line7a_f",
                                          "line8_m", "line8_f"};
}

// The July 2022 scripts bind every name of their court form but the older
// forms' court caption: the court's form has blanks of its own for it.
QSet<QString> courtFormFields(int custody)
{
    const QStringList all = PDFDocument::knownFieldNames(OrvaDocument::July2022, custody);
    return names(all) - QSet<QString>{"court"};
}

QSet<QString> sharedFields(bool preOct2020)
{
    QSet<QString> set = commonFields()
                        + QSet<QString>{"line5_c", "line6_m", "line6_f", "line7_m", "line7_f", "line8_m",
                                        "line8_f", "line9_m", "line9_f", "line10_m", "line10_f", "line11_ca",
                                        "line11_cb", "line11_cc", "line11_cd", "line11_ce", "line12_m",
                                        "line12_f", "line13_m", "line13_f", "line14_m", "line14_f"};
    for (char letter = 'A'; letter <= 'L'; ++letter)
        set << QStringLiteral("line%1_m").arg(QLatin1Char(letter)) << QStringLiteral("line%1_f").arg(QLatin1Char(letter));
    if (!preOct2020)
        set += QSet<QString>{"line8add_m", "line8add_f", "line8sum_m", "line8sum_f"};
    return set;
}

struct Extent {
    QString text;
    int page;
    QRectF box; // horizontal run and vertical extent of the glyphs, in points
};

struct Rule {
    int page;
    QLineF line;
};

} // namespace

class TestLayoutScripts : public QObject
{
    Q_OBJECT

private slots:
    void scriptsAreWellFormed_data();
    void scriptsAreWellFormed();
    void bindEveryFieldOfTheirList_data();
    void bindEveryFieldOfTheirList();
    void textStaysInsideCellsAndApart_data();
    void textStaysInsideCellsAndApart();
};

void TestLayoutScripts::scriptsAreWellFormed_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("pages");
    QTest::newRow("Worksheet A") << PDFDocument::SoleLayoutPath << 1;
    QTest::newRow("Worksheet B") << PDFDocument::SharedLayoutPath << 2;
    QTest::newRow("Worksheet B before October 2020") << PDFDocument::SharedLayoutPreOct2020Path << 2;
    QTest::newRow("Worksheet A, July 2022") << PDFDocument::SoleLayoutJuly2022Path << 2;
    QTest::newRow("Worksheet B, July 2022") << PDFDocument::SharedLayoutJuly2022Path << 3;
    // A continuation page opens its own page.
    QTest::newRow("Worksheet A continued") << PDFDocument::SoleContinuationPath << 2;
    QTest::newRow("Worksheet B continued") << PDFDocument::SharedContinuationPath << 2;
    QTest::newRow("Worksheet A continued, July 2022") << PDFDocument::SoleContinuationJuly2022Path << 2;
    QTest::newRow("Worksheet B continued, July 2022") << PDFDocument::SharedContinuationJuly2022Path << 2;
}

void TestLayoutScripts::scriptsAreWellFormed()
{
    QFETCH(QString, path);
    QFETCH(int, pages);
    const QStringList lines = PDFDocument::readLayoutLines(path);
    QVERIFY(lines.size() > 10);
    int pageCount = 1;
    for (const QString &line : lines) {
        const QStringList t = LayoutInterpreter::tokenize(line);
        QVERIFY2(!t.isEmpty(), qPrintable(line));
        const QString kind = t.at(0);
        auto isNumber = [](const QString &s) {
            bool ok = false;
            s.toDouble(&ok);
            return ok;
        };
        if (kind == "BPG") {
            QCOMPARE(t.size(), 1);
            ++pageCount;
        } else if (kind == "G" || kind == "B") {
            QCOMPARE(t.size(), 5);
            for (int i = 1; i <= 4; ++i)
                QVERIFY2(isNumber(t.at(i)) && t.at(i).toDouble() >= 0, qPrintable(line));
            QVERIFY2(t.at(1).toDouble() <= 595 && t.at(3).toDouble() <= 595, qPrintable(line));
            QVERIFY2(t.at(2).toDouble() <= 842 && t.at(4).toDouble() <= 842, qPrintable(line));
        } else if (kind == "TB") {
            QVERIFY2(t.size() == 9 || t.size() == 11, qPrintable(line));
            QVERIFY2(isNumber(t.at(1)) && isNumber(t.at(2)), qPrintable(line));
            QVERIFY2(t.at(5).toInt() >= 6 && t.at(5).toInt() <= 14, qPrintable(line));
            QVERIFY2(t.at(6) == "b" || t.at(6) == "nb", qPrintable(line));
            QVERIFY2(QStringList({"bl", "bc", "br"}).contains(t.at(8)), qPrintable(line));
            QVERIFY2(isNumber(t.at(3)) && t.at(3).toDouble() >= 0, qPrintable(line));
            QVERIFY2(t.at(7).isEmpty() || t.at(7) == "2", qPrintable(line));
            if (t.size() == 11) {
                QCOMPARE(t.at(9), QString("d"));
                QVERIFY2(t.at(4).isEmpty(), qPrintable(line));
                // Every bound text has a box to stay in; the comments box is the interpreter's.
                QVERIFY2((t.at(3).toDouble() > 0) != (t.at(10) == "comments"), qPrintable(line));
            } else {
                QVERIFY2(!t.at(4).trimmed().isEmpty(), qPrintable(line));
            }
        } else {
            QFAIL(qPrintable("unexpected command: " + line));
        }
    }
    QCOMPARE(pageCount, pages);
}

void TestLayoutScripts::bindEveryFieldOfTheirList_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("Worksheet A") << PDFDocument::SoleLayoutPath << soleFields().values();
    QTest::newRow("Worksheet B") << PDFDocument::SharedLayoutPath << sharedFields(false).values();
    QTest::newRow("Worksheet B before October 2020")
        << PDFDocument::SharedLayoutPreOct2020Path << sharedFields(true).values();
    QTest::newRow("Worksheet A, July 2022")
        << PDFDocument::SoleLayoutJuly2022Path << courtFormFields(Doc::SoleMother).values();
    QTest::newRow("Worksheet B, July 2022")
        << PDFDocument::SharedLayoutJuly2022Path << courtFormFields(Doc::Shared).values();
}

void TestLayoutScripts::bindEveryFieldOfTheirList()
{
    QFETCH(QString, path);
    QFETCH(QStringList, expected);

    QSet<QString> bound;
    for (const QString &line : PDFDocument::readLayoutLines(path)) {
        const QStringList t = LayoutInterpreter::tokenize(line);
        if (t.size() >= 11 && t.at(9) == "d")
            bound << t.at(10);
    }
    const QSet<QString> wanted = names(expected);
    QVERIFY(names(PDFDocument::knownFieldNames()).contains(wanted)
            || names(PDFDocument::knownFieldNames(Doc::July2022, Doc::Shared)).contains(wanted)
            || names(PDFDocument::knownFieldNames(Doc::July2022, Doc::SoleMother)).contains(wanted));
    const QSet<QString> missing = wanted - bound;
    const QSet<QString> extra = bound - wanted;
    QVERIFY2(missing.isEmpty(), qPrintable("not bound: " + missing.values().join(", ")));
    QVERIFY2(extra.isEmpty(), qPrintable("bound but not filled by this list: " + extra.values().join(", ")));
}

void TestLayoutScripts::textStaysInsideCellsAndApart_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("custody");
    QTest::newRow("A, sole mother, July 2022") << int(Doc::July2022) << int(Doc::SoleMother);
    QTest::newRow("A, sole parent 2, pre October 2020") << int(Doc::PreOct2020) << int(Doc::SoleParent2);
    QTest::newRow("A, sole father, October 2020") << int(Doc::NewOct2020) << int(Doc::SoleFather);
    QTest::newRow("B, shared, July 2022") << int(Doc::July2022) << int(Doc::Shared);
    QTest::newRow("B, shared P1P2, October 2020") << int(Doc::NewOct2020) << int(Doc::SharedP1P2);
    QTest::newRow("B, shared P1P2, pre October 2020") << int(Doc::PreOct2020) << int(Doc::SharedP1P2);
}

void TestLayoutScripts::textStaysInsideCellsAndApart()
{
    QFETCH(int, mode);
    QFETCH(int, custody);

    const auto document = WorksheetCases::widest(Doc::Mode(mode), custody);
    PDFDocument worksheet;
    const QStringList lines = worksheet.loadWorksheetLayout(*document);
    worksheet.fillWorksheetFields(*document);

    QList<Extent> texts;
    QList<Rule> rules;
    int page = 0;
    for (const QString &line : lines) {
        const QStringList t = LayoutInterpreter::tokenize(line);
        if (t.at(0) == "BPG") {
            ++page;
        } else if (t.at(0) == "G") {
            rules << Rule{page, QLineF(t.at(1).toDouble(), t.at(2).toDouble(), t.at(3).toDouble(), t.at(4).toDouble())};
        } else if (t.at(0) == "B") {
            const QRectF r(QPointF(t.at(1).toDouble(), t.at(2).toDouble()), QPointF(t.at(3).toDouble(), t.at(4).toDouble()));
            rules << Rule{page, QLineF(r.topLeft(), r.topRight())} << Rule{page, QLineF(r.bottomLeft(), r.bottomRight())}
                  << Rule{page, QLineF(r.topLeft(), r.bottomLeft())} << Rule{page, QLineF(r.topRight(), r.bottomRight())};
        } else if (t.at(0) == "TB") {
            const bool bound = t.size() >= 11 && t.at(9) == "d";
            if (bound && t.at(10) == "comments")
                continue;
            const QString text = bound ? worksheet.field(t.at(10)) : t.at(4).trimmed();
            if (text.isEmpty())
                continue;
            QFont font = LayoutInterpreter::initialFont();
            font.setWeight(t.at(6) == "b" ? QFont::Bold : QFont::Normal);
            const int size = t.at(5).toInt();
            font.setPixelSize(size);
            const qreal width = QFontMetricsF(font).boundingRect(QRectF(0, 0, 595, 842), Qt::AlignCenter, text).width();
            qreal x = t.at(1).toDouble();
            const qreal y = t.at(2).toDouble();
            if (t.at(8) == "bc")
                x -= width / 2;
            else if (t.at(8) == "br")
                x -= width;
            texts << Extent{text, page, QRectF(x, y - 0.72 * size, width, 0.93 * size)};
        }
    }
    QVERIFY(texts.size() > 80);

    for (const Extent &e : std::as_const(texts)) {
        const QString where = QStringLiteral("'%1' on page %2 at %3,%4")
                                  .arg(e.text).arg(e.page + 1).arg(e.box.left()).arg(e.box.bottom());
        QVERIFY2(e.box.left() >= 15 && e.box.right() <= 580, qPrintable("outside the page margins: " + where));
        for (const Rule &rule : std::as_const(rules)) {
            if (rule.page != e.page)
                continue;
            const QLineF &l = rule.line;
            if (l.x1() == l.x2()) { // vertical rule: the text may not straddle it
                const qreal top = qMin(l.y1(), l.y2()), bottom = qMax(l.y1(), l.y2());
                const bool level = e.box.center().y() > top && e.box.center().y() < bottom;
                const bool crosses = e.box.left() < l.x1() + 1.5 && e.box.right() > l.x1() - 1.5;
                QVERIFY2(!(level && crosses), qPrintable("runs into a vertical rule: " + where));
            } else { // horizontal rule: it may not strike through the glyphs
                const qreal left = qMin(l.x1(), l.x2()), right = qMax(l.x1(), l.x2());
                const bool across = e.box.right() > left && e.box.left() < right;
                const bool through = l.y1() > e.box.top() + 0.5 && l.y1() < e.box.bottom() - 0.5;
                QVERIFY2(!(across && through), qPrintable("a rule strikes through: " + where));
            }
        }
        for (const Extent &other : std::as_const(texts)) {
            if (&other == &e || other.page != e.page)
                continue;
            const QRectF overlap = e.box.intersected(other.box);
            QVERIFY2(overlap.width() < 0.5 || overlap.height() < 1.5,
                     qPrintable(QStringLiteral("overlaps '%1': ").arg(other.text) + where));
        }
    }
}

QTEST_MAIN(TestLayoutScripts)
#include "tst_layoutscripts.moc"
