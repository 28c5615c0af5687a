// The help viewer's command line made from a registered command, and the
// desktop's answer whether it has a program for a file type.

#include "Desktop.h"
#include "Help.h"

#include "DesktopRecorder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void viewerCommandLine_data();
    void viewerCommandLine();
    void defaultProgramOfAType_data();
    void defaultProgramOfAType();

private:
    QTemporaryDir m_home;
};

void TestHelp::initTestCase()
{
    QVERIFY(m_home.isValid());
    // Only the test's own desktop settings count.
    qunsetenv("XDG_CURRENT_DESKTOP");
    qunsetenv("DESKTOP_SESSION");
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("data")).toLocal8Bit());
    // No program the machine has counts, but its MIME database does, so that
    // a file's type is known.
    const QString system = m_home.filePath(QStringLiteral("system"));
    QVERIFY(QDir().mkpath(system));
    for (const QString &dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        if (QFileInfo::exists(dir + QStringLiteral("/mime/mime.cache"))) {
            QVERIFY(QFile::link(dir + QStringLiteral("/mime"), system + QStringLiteral("/mime")));
            break;
        }
    }
    qputenv("XDG_DATA_DIRS", system.toLocal8Bit());
    QVERIFY(QDir().mkpath(m_home.filePath(QStringLiteral("config"))));
    QVERIFY(QDir().mkpath(m_home.filePath(QStringLiteral("data/applications"))));
    QFile entry(m_home.filePath(QStringLiteral("data/applications/viewer.desktop")));
    QVERIFY(entry.open(QIODevice::WriteOnly));
    entry.write("[Desktop Entry]\nType=Application\nName=Viewer\nExec=true %f\nMimeType=application/vnd.ms-htmlhelp;\n");
    entry.close();
    QFile list(m_home.filePath(QStringLiteral("config/mimeapps.list")));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("[Default Applications]\napplication/vnd.ms-htmlhelp=viewer.desktop\n");
    list.close();
}

void TestHelp::viewerCommandLine_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("helpFile");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("hh.exe, bare %1, spaces in the path")
        << R"("C:\Windows\hh.exe" %1)" << "C:/Program Files/Orva Calc/ORVA_CALC.chm" << R"(C:\Windows\hh.exe)"
        << QStringList{R"(C:\Program Files\Orva Calc\ORVA_CALC.chm)"};
    QTest::newRow("quoted %1 stays one argument")
        << R"("C:\Tools\viewer.exe" -open "%1")" << "D:/My Cases/ORVA_CALC.chm" << R"(C:\Tools\viewer.exe)"
        << QStringList{"-open", R"(D:\My Cases\ORVA_CALC.chm)"};
    QTest::newRow("unquoted program without spaces")
        << "C:\\Windows\\hh.exe %1" << "C:/Orva/ORVA_CALC.chm" << "C:\\Windows\\hh.exe"
        << QStringList{"C:\\Orva\\ORVA_CALC.chm"};
    QTest::newRow("a hash in the folder name")
        << R"("C:\Windows\hh.exe" %1)" << "C:/Orva#2/ORVA_CALC.chm" << R"(C:\Windows\hh.exe)"
        << QStringList{R"(C:\Orva#2\ORVA_CALC.chm)"};
    QTest::newRow("no placeholder") << R"("C:\Windows\hh.exe")" << "C:/Orva/ORVA_CALC.chm" << R"(C:\Windows\hh.exe)"
                                    << QStringList{};
}

void TestHelp::viewerCommandLine()
{
    QFETCH(QString, pattern);
    QFETCH(QString, helpFile);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    const Platform::HelpCommand command = Platform::helpViewerCommand(pattern, helpFile);
    // The separators are the platform's own: compare with slashes.
    const auto slashes = [](QString text) { return text.replace(QLatin1Char('\\'), QLatin1Char('/')); };
    QCOMPARE(slashes(command.program), slashes(program));
    QCOMPARE(command.arguments.size(), arguments.size());
    for (int i = 0; i < arguments.size(); ++i)
        QCOMPARE(slashes(command.arguments.at(i)), slashes(arguments.at(i)));
}

void TestHelp::defaultProgramOfAType_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("opened");
    QTest::newRow("help file with its viewer") << "/opt/orva/ORVA_CALC.chm" << true;
    QTest::newRow("help file in a folder with a hash") << "/opt/orva #2/ORVA_CALC.chm" << true;
    QTest::newRow("a type nothing is registered for") << "/opt/orva/notes.orva-unknown" << false;
}

void TestHelp::defaultProgramOfAType()
{
    QFETCH(QString, file);
    QFETCH(bool, opened);
    OrvaTest::DesktopRecorder desktop;
    QCOMPARE(Platform::openWithDefaultProgram(file), opened);
    if (!opened) {
        QVERIFY(desktop.calls.isEmpty());
        return;
    }
    QCOMPARE(desktop.calls.size(), 1);
    // The whole path reaches the desktop as a file, a "#" included.
    const QUrl url(desktop.calls.first().target);
    QVERIFY(url.isLocalFile());
    QCOMPARE(url.toLocalFile(), file);
}

QTEST_GUILESS_MAIN(TestHelp)

#include "tst_help.moc"
