#pragma once

#include "DisplayScale.h"

#include <QApplication>
#include <QPointer>

class MainWindow;

// The application object: identity for the settings store, the compiled-in
// resources, the style sheet and base font for the display scale, and the
// command line.
class CalcApplication : public QApplication, public DisplayScale
{
    Q_OBJECT

public:
    CalcApplication(int &argc, char **argv, float scale);
    ~CalcApplication() override;

    // Organization and application names (they name the settings and the
    // application-data folder) and the version; callable before the object.
    static void setIdentity();

    // Monitor scale factor handed in by main (1.0 when the user gave a scale).
    float scale() const override { return m_scale; }

    // Runs the program: the "importold" copy, or the main window and the event
    // loop. Returns the process exit code.
    int run();

    // Copies the files and folders of `source` into `destination`, recursively.
    // Existing files are replaced only when `overwrite` is set. Stops with
    // false at the first file or folder that cannot be copied or created.
    static bool copyDirectory(const QString &source, const QString &destination, bool overwrite);

    // No display could be found: the command line still works, but the main
    // window cannot open.
    void setNoDisplay(bool noDisplay) { m_noDisplay = noDisplay; }

    bool event(QEvent *event) override;

    // Opens a file named on the command line in the shown window: a case
    // file as File/Open does (an unreadable one leaves the empty new case
    // and its error box), an alimony file in the alimony calculator.
    static void openLaunchFile(MainWindow *window, const QString &path);

private:
    int importOldFiles();
    // "--version": one line on standard output; 1 when it cannot be written.
    int printVersion();

    MainWindow *m_mainWindow = nullptr;
    float m_scale = 1.0f;
    bool m_noDisplay = false;
};
