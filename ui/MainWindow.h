#pragma once

#include <QMainWindow>

#include <memory>

class OrvaDocument;

// The program's one window: the case form with every worksheet result.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    OrvaDocument *document() const { return m_document.get(); }

private:
    std::shared_ptr<OrvaDocument> m_document;
};
