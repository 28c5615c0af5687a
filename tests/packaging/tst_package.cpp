// The Debian package as an office receives it: packed by cpack from the
// built tree, looked at with dpkg-deb, unpacked into a folder of its own
// (never installed) and its program run from there.

#include "ProgramRun.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Run = OrvaTest::ProgramRun;

// Packing strips and compresses the whole program: two minutes at most.
Run run(const QString &program, const QStringList &arguments,
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    OrvaTest::RunOptions options;
    options.timeoutMs = 120000;
    return OrvaTest::runProcess(program, arguments, environment, options);
}

} // namespace

class TestPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dependsOnQt6_data();
    void dependsOnQt6();
    void contents_data();
    void contents();
    void extractedProgramRuns();
    void extractedMenuEntryIsValid();

private:
    QString field(const QString &name);

    QString m_dpkgDeb;
    QTemporaryDir m_out;
    QTemporaryDir m_root;
    QString m_package;
    QStringList m_paths;
};

QString TestPackage::field(const QString &name)
{
    const Run info = run(m_dpkgDeb, {QStringLiteral("--field"), m_package, name});
    return info.exitCode == 0 ? QString::fromUtf8(info.out).trimmed() : QString();
}

void TestPackage::initTestCase()
{
    m_dpkgDeb = QStandardPaths::findExecutable(QStringLiteral("dpkg-deb"));
    if (m_dpkgDeb.isEmpty())
        QSKIP("dpkg-deb is missing (package dpkg): the Debian package cannot be looked at, so it is not built");
    QVERIFY(m_out.isValid() && m_root.isValid());
    const Run pack = run(QStringLiteral(ORVA_CPACK_COMMAND),
                         {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                          QStringLiteral(ORVA_BINARY_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), m_out.path()});
    QVERIFY2(pack.exitCode == 0, (pack.out + pack.err).constData());
    const QStringList packages = QDir(m_out.path()).entryList({QStringLiteral("orvacalc_*.deb")}, QDir::Files);
    QCOMPARE(packages.size(), 1);
    m_package = m_out.filePath(packages.first());

    const Run contents = run(m_dpkgDeb, {QStringLiteral("--contents"), m_package});
    QCOMPARE(contents.exitCode, 0);
    // "-rw-r--r-- root/root 808 2024-01-01 12:00 ./usr/share/...", links with " -> target".
    for (const QString &line : QString::fromUtf8(contents.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        m_paths << line.section(QLatin1Char(' '), 5, -1, QString::SectionSkipEmpty).section(QStringLiteral(" -> "), 0, 0);

    const Run extract = run(m_dpkgDeb, {QStringLiteral("-x"), m_package, m_root.path()});
    QVERIFY2(extract.exitCode == 0, extract.err.constData());
}

void TestPackage::dependsOnQt6_data()
{
    QTest::addColumn<QString>("package");
    QTest::newRow("program") << "libqt6widgets6";
    QTest::newRow("form viewer module") << "libqt6webenginewidgets6";
}

void TestPackage::dependsOnQt6()
{
    QFETCH(QString, package);
    const QString depends = field(QStringLiteral("Depends"));
    const QRegularExpression entry(QLatin1Char('^') + package + QStringLiteral("( |$)"));
    QVERIFY2(!depends.split(QStringLiteral(", ")).filter(entry).isEmpty(), qPrintable(depends));
}

void TestPackage::contents_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("present");
    QTest::newRow("program") << "./usr/lib/orvacalc/orvacalc" << true;
    QTest::newRow("launcher") << "./usr/bin/orvacalc" << true;
    QTest::newRow("form viewer") << "./usr/lib/orvacalc/liborva_pdfjs.so" << true;
    QTest::newRow("form viewer resources") << "./usr/lib/orvacalc/pdfjs.rcc" << true;
    QTest::newRow("help file") << "./usr/lib/orvacalc/ORVA_CALC.chm" << true;
    QTest::newRow("manual") << "./usr/lib/orvacalc/manual/index.html" << true;
    QTest::newRow("FAQ") << "./usr/lib/orvacalc/FAQ.pdf" << true;
    QTest::newRow("statute") << "./usr/lib/orvacalc/07.01.22-12-204-Calculation-of-support.pdf" << true;
    QTest::newRow("desktop entry") << "./usr/share/applications/orvacalc.desktop" << true;
    QTest::newRow("MIME file") << "./usr/share/mime/packages/orvacalc.xml" << true;
    QTest::newRow("copyright") << "./usr/share/doc/orvacalc/copyright" << true;
    QTest::newRow("manual page") << "./usr/share/man/man1/orvacalc.1.gz" << true;
    // The desktop's caches belong to the machine, refreshed by its triggers.
    QTest::newRow("no MIME cache") << "./usr/share/mime/mime.cache" << false;
}

void TestPackage::contents()
{
    QFETCH(QString, path);
    QFETCH(bool, present);
    QVERIFY2(m_paths.contains(path) == present, qPrintable(m_paths.join(QLatin1Char('\n'))));
}

void TestPackage::extractedProgramRuns()
{
    QTemporaryDir home;
    QProcessEnvironment environment = OrvaTest::serverEnvironment(home.path());
    const QString program = m_root.filePath(QStringLiteral("usr/bin/orvacalc"));

    const Run version = run(program, {QStringLiteral("--version")}, environment);
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QStringLiteral("Orva-Calc Professional %1\n").arg(field(QStringLiteral("Version"))).toUtf8());

    const Run worksheet = run(program, {QStringLiteral("--worksheet-json"),
                                        QStringLiteral(ORVA_SOURCE_DIR "/examples/example-shared.cml")},
                              environment);
    QVERIFY2(worksheet.exitCode == 0, worksheet.err.constData());
    const QJsonObject fields = QJsonDocument::fromJson(worksheet.out).object();
    QCOMPARE(fields.value(QStringLiteral("worksheet")).toString(), QStringLiteral("B"));
    // Monthly incomes 4200 + 6900.
    QCOMPARE(fields.value(QStringLiteral("line1_c")).toString(), QStringLiteral("11100"));
}

void TestPackage::extractedMenuEntryIsValid()
{
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    QVERIFY2(!validator.isEmpty(), "desktop-file-validate (desktop-file-utils, tools/deps.sh)");
    const Run check = run(validator, {m_root.filePath(QStringLiteral("usr/share/applications/orvacalc.desktop"))});
    QVERIFY2(check.exitCode == 0 && check.out.isEmpty(), (check.out + check.err).constData());
}

QTEST_GUILESS_MAIN(TestPackage)

#include "tst_package.moc"
