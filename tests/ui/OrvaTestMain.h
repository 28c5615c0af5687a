#pragma once

// main() for the widget suites: every run gets its own temporary home,
// settings and documents folders, and (on the offscreen platform) one
// 1920 x 1080 screen, before the real application object is built.

#include "CalcApplication.h"

#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

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
        // Nothing under test asks the update server unless the test says so.
        QSettings(m_home.filePath(QStringLiteral(".config/Pellwood/Orva-Calc.conf")), QSettings::IniFormat)
            .setValue(QStringLiteral("update-check-at-startup"), false);
        if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
            const QString config = m_home.filePath(QStringLiteral("screens.json"));
            QFile file(config);
            // ORVA_TEST_SCREEN=WIDTHxHEIGHT picks another screen size.
            const QList<QByteArray> size = qgetenv("ORVA_TEST_SCREEN").split('x');
            const QByteArray width = size.size() == 2 ? size.at(0) : QByteArray("1920");
            const QByteArray height = size.size() == 2 ? size.at(1) : QByteArray("1080");
            if (file.open(QIODevice::WriteOnly)) {
                file.write(R"({"synchronousWindowSystemEvents": false, "windowFrameMargins": false,
                              "screens": [{"name": "Screen1", "x": 0, "y": 0, "width": )"
                           + width + R"(, "height": )" + height + R"(,
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

// Answers the next modal dialog: polls for the active modal widget and hands
// it to `answer`, which must close it. Should `answer` leave it open, the
// dialog is rejected, so that no test waits for a click. With no answer, the
// dialog is only recorded (its window title and, for a notice, its label)
// and left open. stop() ends the watch.
class ModalAnswer
{
public:
    bool answered = false;
    QString title;
    QStringList labels;

    void stop()
    {
        if (m_timer)
            m_timer->deleteLater();
    }

    static std::shared_ptr<ModalAnswer> watch(std::function<void(QWidget *)> answer)
    {
        auto state = std::make_shared<ModalAnswer>();
        auto *timer = new QTimer;
        state->m_timer = timer;
        timer->setInterval(10);
        std::weak_ptr<ModalAnswer> weak = state;
        QObject::connect(timer, &QTimer::timeout, timer, [timer, answer, weak] {
            QWidget *modal = QApplication::activeModalWidget();
            const auto current = weak.lock();
            if (!current) {
                timer->deleteLater();
                return;
            }
            if (!modal)
                return;
            timer->stop();
            timer->deleteLater();
            current->answered = true;
            current->title = modal->windowTitle();
            const QList<QLabel *> labels = modal->findChildren<QLabel *>();
            for (QLabel *label : labels)
                current->labels << label->text();
            if (!answer)
                return;
            QPointer<QWidget> guard(modal);
            answer(modal);
            if (guard && guard->isVisible()) {
                if (auto *dialog = qobject_cast<QDialog *>(guard.data()))
                    dialog->reject();
                else
                    guard->close();
            }
        });
        timer->start();
        return state;
    }

private:
    QPointer<QTimer> m_timer;
};

inline std::shared_ptr<ModalAnswer> answerModal(std::function<void(QWidget *)> answer)
{
    return ModalAnswer::watch(std::move(answer));
}

// Answers successive modal windows (message boxes, file and print dialogs,
// the preview window), one step each, in order. A step may close its window
// at once or queue the closing (a file dialog's accept may itself ask, and a
// nested dialog needs the event loop). A window still open half a second
// after its step, or one that comes after the last step, is closed and
// counted, so that no test waits for a click.
class ModalSequence
{
public:
    using Step = std::function<void(QWidget *)>;
    QStringList classes; // class name of every window answered, in order
    QStringList titles;
    int extra = 0;       // windows beyond the steps
    int stuck = 0;       // windows their step left open

    int answered() const { return int(classes.size()); }

    void stop()
    {
        if (m_timer)
            m_timer->deleteLater();
    }

    static std::shared_ptr<ModalSequence> run(QList<std::function<void(QWidget *)>> steps)
    {
        auto state = std::make_shared<ModalSequence>();
        auto *timer = new QTimer;
        state->m_timer = timer;
        timer->setInterval(10);
        std::weak_ptr<ModalSequence> weak = state;
        QObject::connect(timer, &QTimer::timeout, timer, [timer, steps, weak] {
            const auto current = weak.lock();
            if (!current) {
                timer->deleteLater();
                return;
            }
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            if (modal == current->m_last) {
                if (++current->m_waits > 50) {
                    ++current->stuck;
                    qWarning("ModalSequence: %s still open after its answer", modal->metaObject()->className());
                    closeWindow(modal);
                }
                return;
            }
            current->m_last = modal;
            current->m_waits = 0;
            if (current->m_next >= steps.size()) {
                ++current->extra;
                closeWindow(modal);
                return;
            }
            current->classes << QString::fromLatin1(modal->metaObject()->className());
            current->titles << modal->windowTitle();
            steps.at(current->m_next++)(modal);
        });
        timer->start();
        return state;
    }

private:
    static void closeWindow(QWidget *window)
    {
        if (auto *dialog = qobject_cast<QDialog *>(window))
            dialog->reject();
        else
            window->close();
    }

    QPointer<QTimer> m_timer;
    QPointer<QWidget> m_last;
    int m_waits = 0;
    qsizetype m_next = 0;
};

inline std::shared_ptr<ModalSequence> answerModals(QList<std::function<void(QWidget *)>> steps)
{
    return ModalSequence::run(std::move(steps));
}

} // namespace OrvaTest

// The application object gets the monitor scale `scale` (1.0: the usual
// case; other values as on a monitor the system itself scales).
#define ORVA_WIDGET_TEST_MAIN_SCALED(TestObject, scale)                                                    \
    int main(int argc, char **argv)                                                                        \
    {                                                                                                      \
        OrvaTest::Environment environment;                                                                 \
        CalcApplication app(argc, argv, scale);                                                            \
        TestObject test;                                                                                   \
        QTEST_SET_MAIN_SOURCE_PATH                                                                         \
        return QTest::qExec(&test, argc, argv);                                                            \
    }

#define ORVA_WIDGET_TEST_MAIN(TestObject) ORVA_WIDGET_TEST_MAIN_SCALED(TestObject, 1.0f)
