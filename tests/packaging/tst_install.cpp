// "cmake --install" into a fresh prefix, looked at as a Linux desktop looks at
// it: the program reached through PATH with its documents beside it, a valid
// menu entry, the icon, and the two file types the desktop's MIME database
// learns from the installed definitions.

#include "ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Run = OrvaTest::ProgramRun;

// An install copies the whole build: two minutes.
Run run(const QString &program, const QStringList &arguments,
        const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    OrvaTest::RunOptions options;
    options.timeoutMs = 120000;
    return OrvaTest::runProcess(program, arguments, environment, options);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void documentsBesideTheProgram_data();
    void documentsBesideTheProgram();
    void programRunsFromPath();
    void menuEntryIsValid();
    void iconIsInstalled();
    void fileTypesAreKnown_data();
    void fileTypesAreKnown();

private:
    QTemporaryDir m_prefix;
    QString m_programDir;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DESTDIR"));
    const Run install = run(QStringLiteral(ORVA_CMAKE_COMMAND),
                            {QStringLiteral("--install"), QStringLiteral(ORVA_BINARY_DIR), QStringLiteral("--prefix"),
                             m_prefix.path()},
                            environment);
    QVERIFY2(install.exitCode == 0, install.err.constData());
    const QFileInfo launcher(m_prefix.filePath(QStringLiteral("bin/orvacalc")));
    QVERIFY2(launcher.isSymLink(), "the command on PATH leads to the program's own folder");
    m_programDir = QFileInfo(launcher.canonicalFilePath()).absolutePath();
    QVERIFY(m_programDir.startsWith(QDir(m_prefix.path()).canonicalPath()));
    QVERIFY(m_programDir != QFileInfo(launcher.absoluteFilePath()).absolutePath());
}

void TestInstall::documentsBesideTheProgram_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("help") << "ORVA_CALC.chm" << QByteArray("ITSF");
    QTest::newRow("FAQ") << "FAQ.pdf" << QByteArray("%PDF");
    QTest::newRow("statute pre 2020") << "FL12-201.pdf" << QByteArray("%PDF");
    QTest::newRow("statute 2020") << "Maryland-2020-HB269.pdf" << QByteArray("%PDF");
    QTest::newRow("statute 2022") << "07.01.22-12-204-Calculation-of-support.pdf" << QByteArray("%PDF");
    QTest::newRow("manual index") << "manual/index.html" << QByteArray("<!DOCTYPE html>");
    QTest::newRow("manual keywords") << "manual/keywords.html" << QByteArray("<!DOCTYPE html>");
    QTest::newRow("manual style") << "manual/style.css" << QByteArray("body");
}

void TestInstall::documentsBesideTheProgram()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, magic);
    const QString path = m_programDir + QLatin1Char('/') + file;
    QVERIFY2(readAll(path).startsWith(magic), qPrintable(path));
    // Byte for byte the built document.
    QCOMPARE(readAll(path), readAll(QStringLiteral(ORVA_BINARY_DIR "/bin/") + file));
}

void TestInstall::programRunsFromPath()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PATH"), m_prefix.filePath(QStringLiteral("bin")) + QLatin1Char(':')
                                                   + environment.value(QStringLiteral("PATH")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QTemporaryDir home;
    environment.insert(QStringLiteral("HOME"), home.path());
    const QString program = QStandardPaths::findExecutable(
        QStringLiteral("orvacalc"), {m_prefix.filePath(QStringLiteral("bin"))});
    QVERIFY(!program.isEmpty());
    const Run version = run(program, {QStringLiteral("--version")}, environment);
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, QByteArray("Orva-Calc Professional 16.2.24.319\n"));
}

void TestInstall::menuEntryIsValid()
{
    const QString entry = m_prefix.filePath(QStringLiteral("share/applications/orvacalc.desktop"));
    QVERIFY(QFile::exists(entry));
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    QVERIFY2(!validator.isEmpty(), "desktop-file-validate (desktop-file-utils, tools/deps.sh)");
    const Run check = run(validator, {entry});
    QVERIFY2(check.exitCode == 0 && check.out.isEmpty(), (check.out + check.err).constData());
    const QByteArray text = readAll(entry);
    // The desktop hands the file to the program, which must find it on PATH.
    QVERIFY(text.contains("\nExec=orvacalc %f\n"));
    QVERIFY(text.contains("application/x-orvacalc-case;"));
    QVERIFY(text.contains("application/x-orvacalc-alimony;"));
}

void TestInstall::iconIsInstalled()
{
    const QImage icon(m_prefix.filePath(QStringLiteral("share/icons/hicolor/128x128/apps/orvacalc.png")));
    QCOMPARE(icon.size(), QSize(128, 128));
}

void TestInstall::fileTypesAreKnown_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("case by name") << "globs2" << QByteArray(":application/x-orvacalc-case:*.cml");
    QTest::newRow("alimony by name") << "globs2" << QByteArray(":application/x-orvacalc-alimony:*.calc");
    QTest::newRow("case by its XML") << "XMLnamespaces" << QByteArray("urn:orvacalc_case Case application/x-orvacalc-case");
    QTest::newRow("alimony by its content") << "magic" << QByteArray("[60:application/x-orvacalc-alimony]");
}

void TestInstall::fileTypesAreKnown()
{
    QFETCH(QString, database);
    QFETCH(QByteArray, line);
    // A fresh database built from the installed definitions alone, as
    // update-mime-database builds the desktop's.
    QTemporaryDir mime;
    QVERIFY(QDir().mkpath(mime.filePath(QStringLiteral("packages"))));
    QVERIFY(QFile::copy(m_prefix.filePath(QStringLiteral("share/mime/packages/orvacalc.xml")),
                        mime.filePath(QStringLiteral("packages/orvacalc.xml"))));
    const QString update = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    QVERIFY2(!update.isEmpty(), "update-mime-database (shared-mime-info)");
    const Run built = run(update, {mime.path()});
    QVERIFY2(built.exitCode == 0, built.err.constData());
    QVERIFY2(readAll(mime.filePath(database)).contains(line), readAll(mime.filePath(database)).constData());
}

QTEST_GUILESS_MAIN(TestInstall)

#include "tst_install.moc"
