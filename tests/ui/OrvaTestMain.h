#pragma once

// main() for the widget suites: every run gets its own temporary home,
// settings and documents folders, and (on the offscreen platform) one
// 1920 x 1080 screen, before the real application object is built.

#include "CalcApplication.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace OrvaTest {

class Environment
{
public:
    Environment()
    {
        const QByteArray home = m_home.path().toLocal8Bit();
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", home + "/.config");
        qputenv("XDG_DATA_HOME", home + "/.local/share");
        qputenv("XDG_CACHE_HOME", home + "/.cache");
        qputenv("XDG_RUNTIME_DIR", home);
        if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
            const QString config = m_home.filePath(QStringLiteral("screens.json"));
            QFile file(config);
            if (file.open(QIODevice::WriteOnly)) {
                file.write(R"({"synchronousWindowSystemEvents": false, "windowFrameMargins": false,
                              "screens": [{"name": "Screen1", "x": 0, "y": 0, "width": 1920, "height": 1080,
                                           "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
                file.close();
                qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
            }
        }
    }

    QString home() const { return m_home.path(); }

private:
    QTemporaryDir m_home;
};

} // namespace OrvaTest

#define ORVA_WIDGET_TEST_MAIN(TestObject)                                                                  \
    int main(int argc, char **argv)                                                                        \
    {                                                                                                      \
        OrvaTest::Environment environment;                                                                 \
        CalcApplication app(argc, argv, 1.0f);                                                             \
        TestObject test;                                                                                   \
        QTEST_SET_MAIN_SOURCE_PATH                                                                         \
        return QTest::qExec(&test, argc, argv);                                                            \
    }
