#include "AlimonyCommand.h"
#include "ExploreCommand.h"
#include "CalcApplication.h"
#include "CommandLineNames.h"
#include "LogFile.h"
#include "Platform.h"
#include "ScaleDecision.h"
#include "WorksheetCommand.h"

#include <QDebug>
#include <QScreen>
#include <QStandardPaths>

namespace {

struct ScaleChoice {
    QString factor;     // value of QT_SCALE_FACTOR
    float monitorScale; // handed to the application object
};

// Decides the interface scale before any Qt object exists: the framework reads
// QT_SCALE_FACTOR when the application object is built.
ScaleChoice chooseScale(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    if (ScaleDecision::hasScaleArgument(arguments)) {
        const QString value = ScaleDecision::scaleFromArguments(arguments);
        qDebug() << "<< main >>\n" << "scale factor from arg" << value;
        return {value, 1.0f};
    }

    Platform::setProcessDpiAware();
    float monitorScale = 1.0f;
    int percent = 100;
    if (Platform::monitorScalePercent(&percent)) {
        qDebug() << "<< main >> (test scale)" << percent;
        monitorScale = static_cast<float>(percent) / 100.0f;
    }

    const Platform::ScreenSize screen = Platform::primaryScreenSize();
    int factor = 100;
    if (screen.valid) {
        QStringList diagnostics;
        const int screenPercent = ScaleDecision::automaticScalePercent(screen.width, screen.height, &diagnostics);
        for (const QString &line : diagnostics)
            qDebug().noquote() << line;
        factor = ScaleDecision::effectiveScalePercent(screenPercent, monitorScale);
    }
    const QString text = ScaleDecision::formatScaleFactor(factor);
    const int height = screen.valid ? screen.height : 0;
    qDebug() << "<< main >> (pre run)\n"
             << "IsProcessDPIAware" << Platform::isProcessDpiAware() << "\n"
             << "scale factor" << text << "\n"
             << "screenHeight" << height << "\n"
             << "screenHeight scaled" << (height / (factor / 100.0)) << "\n"
             << "ratio (windowHeight/screenHeight scaled)" << (height ? 790.0 / (height / (factor / 100.0)) : 0.0);
    return {text, monitorScale};
}

void logScreenDiagnostics()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSizeF physical = screen->physicalSize();
    qDebug() << "<< main >> (run)\n"
             << "primaryScreen:" << screen->name() << "\n"
             << "size" << screen->size() << "\n"
             << "physicalSize" << physical << "\n"
             << "devicePixelRatio" << screen->devicePixelRatio() << "\n"
             << "physicalDotsPerInchX calc"
             << (physical.width() > 0 ? screen->size().width() * 25.4 / physical.width() : 0.0) << "\n"
             << "physicalDotsPerInchX" << screen->physicalDotsPerInchX() << "\n"
             << "logicalDotsPerInchX" << screen->logicalDotsPerInchX() << "\n"
             << "screenResolution" << screen->logicalDotsPerInchX() / 72.0;
}

} // namespace

int main(int argc, char **argv)
{
    CommandLineNames::capture(argc, argv);
    // The worksheet and alimony commands draw no window: they need neither a
    // scale nor a screen, and must run where there is no display at all.
    const bool headless = WorksheetCommand::requested(argc, argv) || AlimonyCommand::requested(argc, argv)
                          || ExploreCommand::requested(argc, argv);
    // The log goes to the application-data folder from the first line on
    // (the identity that names the folder is the application object's). A
    // headless command's standard error is its one error line: the log joins
    // it only on --verbose.
    CalcApplication::setIdentity();
    LogFile::install(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                     LogFile::echoRequested(argc, argv, !headless));
    float monitorScale = 1.0f;
    bool noDisplay = false;
    if (headless) {
        WorksheetCommand::prepareProcess();
    } else {
        const ScaleChoice choice = chooseScale(argc, argv);
        qputenv("QT_SCALE_FACTOR", choice.factor.toLocal8Bit());
        monitorScale = choice.monitorScale;
        // Without a display the framework would abort with a plugin error:
        // let --help, importold and option errors work, and say plainly why
        // no window can open.
        if (!Platform::hasDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            Platform::attachParentConsole();
            qputenv("QT_QPA_PLATFORM", "offscreen");
            noDisplay = true;
        }
    }

    int result = 0;
    {
        CalcApplication application(argc, argv, monitorScale);
        application.setNoDisplay(noDisplay);
        if (!headless)
            logScreenDiagnostics();
        result = application.run();
    }
    return result;
}
