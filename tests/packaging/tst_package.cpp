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

using OrvaTest::ProgramRun;

class TestPackage : public QObject
{
    Q_OBJECT

    QString m_dpkgDeb;
    QTemporaryDir m_out, m_root;
    QString m_package;

    // Packing strips and compresses the whole program: two minutes at most.
    ProgramRun run(const QString &program, const QStringList &arguments,
                   const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
    {
        OrvaTest::RunOptions options;
        options.timeoutMs = 120000;
        return OrvaTest::runProcess(program, arguments, environment, options);
    }
    QByteArray dpkgDeb(const QStringList &arguments) { return run(m_dpkgDeb, arguments).out.trimmed(); }

private slots:
    void initTestCase()
    {
        m_dpkgDeb = QStandardPaths::findExecutable(QStringLiteral("dpkg-deb"));
        if (m_dpkgDeb.isEmpty())
            QSKIP("dpkg-deb is missing (package dpkg): the Debian package cannot be looked at, so it is not built");
        const QString config = QStringLiteral(ORVA_BINARY_DIR "/CPackConfig.cmake");
        const ProgramRun pack = run(QStringLiteral(ORVA_CPACK_COMMAND), {QStringLiteral("-G"), QStringLiteral("DEB"),
                                    QStringLiteral("--config"), config, QStringLiteral("-B"), m_out.path()});
        QVERIFY2(pack.exitCode == 0, (pack.out + pack.err).constData());
        const QStringList packages = QDir(m_out.path()).entryList({QStringLiteral("orvacalc_*.deb")}, QDir::Files);
        QCOMPARE(packages.size(), 1);
        m_package = m_out.filePath(packages.first());
        QCOMPARE(run(m_dpkgDeb, {QStringLiteral("-x"), m_package, m_root.path()}).exitCode, 0);
    }

    void dependsOnQt6()
    {
        // Found by dpkg-shlibdeps in the program and in the form viewer module.
        const QByteArray depends = dpkgDeb({QStringLiteral("--field"), m_package, QStringLiteral("Depends")});
        QVERIFY2(depends.contains(", libqt6widgets6 (") && depends.contains(", libqt6webenginewidgets6 ("),
                 depends.constData());
    }

    void contents_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("present");
        for (const char *file : {"orvacalc", "liborva_pdfjs.so", "pdfjs.rcc", "manual/index.html", "FAQ.pdf",
                                 "07.01.22-12-204-Calculation-of-support.pdf"})
            QTest::newRow(file) << QStringLiteral("./usr/lib/orvacalc/") + QLatin1String(file) << true;
        QTest::newRow("desktop entry") << "./usr/share/applications/orvacalc.desktop" << true;
        QTest::newRow("MIME file") << "./usr/share/mime/packages/orvacalc.xml" << true;
        QTest::newRow("copyright") << "./usr/share/doc/orvacalc/copyright" << true;
        QTest::newRow("manual page") << "./usr/share/man/man1/orvacalc.1.gz" << true;
        // The desktop's caches belong to the machine, refreshed by its triggers.
        QTest::newRow("no MIME cache") << "./usr/share/mime/mime.cache" << false;
    }
    void contents()
    {
        QFETCH(QString, path);
        QFETCH(bool, present);
        // "-rw-r--r-- root/root 808 2024-01-01 12:00 ./usr/share/..."
        const QString listing = QString::fromUtf8(dpkgDeb({QStringLiteral("--contents"), m_package}) + '\n');
        QVERIFY2(listing.contains(QLatin1Char(' ') + path + QLatin1Char('\n')) == present, qPrintable(listing));
    }

    void unpacked()
    {
        QTemporaryDir home;
        const QProcessEnvironment environment = OrvaTest::serverEnvironment(home.path());
        const QString program = m_root.filePath(QStringLiteral("usr/bin/orvacalc"));
        const QByteArray version = dpkgDeb({QStringLiteral("--field"), m_package, QStringLiteral("Version")});
        const ProgramRun shown = run(program, {QStringLiteral("--version")}, environment);
        QCOMPARE(shown.out, "Orva-Calc Professional " + version + '\n');

        const ProgramRun worksheet = run(program, {QStringLiteral("--worksheet-json"),
                                                   QStringLiteral(ORVA_SOURCE_DIR "/examples/example-shared.cml")},
                                         environment);
        QVERIFY2(worksheet.exitCode == 0, worksheet.err.constData());
        const QJsonObject fields = QJsonDocument::fromJson(worksheet.out).object();
        QCOMPARE(fields.value(QStringLiteral("worksheet")).toString(), QStringLiteral("B"));
        QCOMPARE(fields.value(QStringLiteral("line1_c")).toString(), QStringLiteral("11100")); // incomes 4200 + 6900

        const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        QVERIFY2(!validator.isEmpty(), "desktop-file-validate (desktop-file-utils, tools/deps.sh)");
        const QString entry = m_root.filePath(QStringLiteral("usr/share/applications/orvacalc.desktop"));
        const ProgramRun check = run(validator, {entry});
        QVERIFY2(check.exitCode == 0 && check.out.isEmpty(), (check.out + check.err).constData());
    }
};

QTEST_GUILESS_MAIN(TestPackage)

#include "tst_package.moc"
