#include "MainWindow.h"

#include "OrvaDocument.h"

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , m_document(std::make_shared<OrvaDocument>(OrvaDocument::modeForNewCase()))
{
    setWindowTitle(QStringLiteral("Orva-Calc Professional v16.2.24.319 (Unsaved)"));
    resize(900, 790);
}

MainWindow::~MainWindow() = default;
