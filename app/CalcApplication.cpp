#include "CalcApplication.h"

#include "AlimonyCommand.h"
#include "Ask.h"
#include "CommandLineNames.h"
#include "ExploreCommand.h"
#include "FillFormCommand.h"
#include "LaunchFile.h"
#include "MainWindow.h"
#include "Platform.h"
#include "SafeFile.h"
#include "ScaleDecision.h"
#include "TypingSeam.h"
#include "UpdateService.h"
#include "WorksheetCommand.h"
#include "resources.h"

#include <QCommandLineParser>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <memory>

CalcApplication::CalcApplication(int &argc, char **argv, float scale)
    : QApplication(argc, argv)
    , m_scale(scale)
{
    OrvaResources::registerAll();

    QString styleSheet;
    QFile sheetFile(QStringLiteral(":/stylesheets/orva.qss"));
    if (sheetFile.open(QIODevice::ReadOnly | QIODevice::Text))
        styleSheet = QString::fromUtf8(sheetFile.readAll());

    QFont font = QApplication::font();
    const ScaleDecision::FontScale fontScale = ScaleDecision::fontForScale(m_scale);
    font.setPixelSize(fontScale.fontPixelSize);
    if (fontScale.scaled) {
        styleSheet = ScaleDecision::scaledStyleSheet(styleSheet, fontScale);
        qDebug() << "CalcApplication::CalcApplication"
                 << "scale" << m_scale << "font size" << fontScale.fontPixelSize << "px"
                 << "edit size" << fontScale.editHeight << "px";
    }
    QApplication::setFont(font);
    setStyleSheet(styleSheet);

    setIdentity();
}

void CalcApplication::setIdentity()
{
    setOrganizationName(QStringLiteral("Pellwood"));
    setOrganizationDomain(QStringLiteral("pellwood.example"));
    setApplicationName(QStringLiteral("Orva-Calc"));
    setApplicationVersion(QStringLiteral(ORVA_VERSION_TEXT));

    const QString settingsNote = Platform::guardSettingsFiles(organizationName(), applicationName());
    if (!settingsNote.isEmpty())
        qWarning().noquote() << settingsNote;
}

CalcApplication::~CalcApplication() = default;

bool CalcApplication::event(QEvent *event)
{
    return QApplication::event(event);
}

int CalcApplication::run()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Orva-Calc Professional: Maryland child support guidelines"));
    parser.addHelpOption();
    const QCommandLineOption importOption(QStringLiteral("importold"),
                                          QStringLiteral("Copy the user files installed with the program into "
                                                         "the shared documents folder, then exit."));
    const QCommandLineOption scaleOption(QStringLiteral("scale"), QStringLiteral("scale factor"), QStringLiteral("1"));
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Print the program's version, then exit."));
    // Read by main, before the parser exists: the log on standard error too.
    const QCommandLineOption verboseOption(QStringLiteral("verbose"),
                                           QStringLiteral("Also write the program's log to standard error."));
    parser.addOption(importOption);
    parser.addOption(scaleOption);
    parser.addOption(versionOption);
    parser.addOption(verboseOption);
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A case file (.cml) to open in the window, or an alimony "
                                                "file (.calc) to open in the alimony calculator."),
                                 QStringLiteral("[file]"));
    WorksheetCommand::addOptions(parser);
    AlimonyCommand::addOptions(parser);
    ExploreCommand::addOptions(parser);
    FillFormCommand::addOptions(parser);
    parser.process(arguments()); // an unknown option ends the process with exit code 1

    if (parser.isSet(versionOption))
        return printVersion();

    // Saves cut off in the middle of an in-place rewrite are finished first,
    // whatever the program was started for.
    const QStringList finished = Platform::finishInterruptedRewrites();
    for (const QString &sentence : finished)
        WorksheetCommand::printError(sentence);

    // A worksheet from the command line: no window and no update check.
    if (WorksheetCommand::isSet(parser))
        return WorksheetCommand::run(parser);
    if (AlimonyCommand::isSet(parser))
        return AlimonyCommand::run(parser);
    if (ExploreCommand::isSet(parser))
        return ExploreCommand::run(parser);
    if (FillFormCommand::isSet(parser))
        return FillFormCommand::run(parser);

    // Installers call the copy as a plain word, without dashes, as well.
    if (parser.isSet(importOption) || parser.positionalArguments().contains(QLatin1String("importold")))
        return importOldFiles();

    if (m_noDisplay) {
        std::fputs("orvacalc: there is no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY "
                   "is set).\nWithout a display, write the worksheet of a case with:\n"
                   "  orvacalc --worksheet-pdf OUT.pdf CASE.cml\n",
                   stderr);
        return 1;
    }

    // A name Qt cannot carry as text would name another file in the window.
    const QString file = LaunchFile::fromArguments(parser.positionalArguments());
    CommandLineNames::FileName launchName;
    QString reason;
    if (!CommandLineNames::resolve(file, &launchName, &reason) || !launchName.native.isEmpty()) {
        WorksheetCommand::printError(reason.isEmpty() ? QStringLiteral("cannot open \"%1\": the name is not valid "
                                                                       "text; rename the file")
                                                            .arg(file)
                                                      : reason);
        return 1;
    }
    if (!finished.isEmpty())
        Ask::information(nullptr, applicationName(), finished.join(QStringLiteral("\n\n")));

    // Before the window: an installer started from the update dialog ends
    // the program here. The service lives as long as the event loop.
    UpdateService updateService;
    if (!updateService.runStartupCheck())
        return 0;

    auto window = std::make_unique<MainWindow>();
    m_mainWindow = window.get();
    window->showNormal();
    // Once the window is up, so that a box has it to stand on. A case left by
    // a session that did not close may then replace the file opened.
    MainWindow *shown = window.get();
    QTimer::singleShot(0, shown, [shown, file] {
        if (!file.isEmpty())
            openLaunchFile(shown, file);
        shown->offerRecoveredCases();
        TypingSeam::run(shown);
    });
    const int result = exec();
    m_mainWindow = nullptr;
    return result;
}

int CalcApplication::printVersion()
{
    QString error;
    const QByteArray line = QStringLiteral("Orva-Calc Professional %1\n").arg(applicationVersion()).toUtf8();
    if (Platform::writeStandardOutput(line, &error))
        return 0;
    WorksheetCommand::printError(QStringLiteral("cannot write the version: %1").arg(error));
    return 1;
}

void CalcApplication::openLaunchFile(MainWindow *window, const QString &path)
{
    qDebug() << "CalcApplication::openLaunchFile" << path;
    switch (LaunchFile::kindOf(path)) {
    case LaunchFile::Kind::None:
        break;
    case LaunchFile::Kind::Case:
        // Absolute, as File/Open gives it: the title and a later Save name the
        // file itself, not the folder the program happened to start in.
        window->openCaseFile(QFileInfo(path).absoluteFilePath());
        break;
    case LaunchFile::Kind::Alimony:
        window->openAlimonyFile(QFileInfo(path).absoluteFilePath());
        break;
    }
}

int CalcApplication::importOldFiles()
{
    const QString source = applicationDirPath() + QDir::separator() + QStringLiteral("userfiles");
    const QString destination = Platform::sharedDocumentsFolder() + QDir::separator() + QStringLiteral("ORVA");
    QDir().mkpath(destination);
    const bool copied = copyDirectory(source, destination, false);
    qDebug() << "CalcApplication::importOldFiles" << source << "->" << destination << "copied:" << copied;
    return 0;
}

bool CalcApplication::copyDirectory(const QString &source, const QString &destination, bool overwrite)
{
    const QString from = source + QDir::separator();
    const QString to = destination + QDir::separator();
    const QDir sourceDir(source);

    const QStringList files = sourceDir.entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
    for (const QString &name : files) {
        const QString target = to + name;
        if (QFile::exists(target)) {
            if (!overwrite)
                continue;
            if (!QFile::remove(target))
                return false;
        }
        if (!QFile::copy(from + name, target))
            return false;
    }

    const QStringList folders = sourceDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks, QDir::Unsorted);
    for (const QString &name : folders) {
        const QString target = to + name;
        if (!QDir().mkpath(target))
            return false;
        if (!copyDirectory(from + name, target, overwrite))
            return false;
    }
    return true;
}
