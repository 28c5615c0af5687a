#pragma once

#include "ExplorerPage.h"

#include <QWidget>

class ComparisonPage;
class IncomePage;
class OrvaDocument;
class OvernightsPage;
class QTabWidget;

// Tools > Support Explorer: a window beside the main window that shows how
// the case's order moves with the split of overnights and with either
// parent's income, and Worksheet A against B, following every edit of the
// case. Saves its page as PNG or PDF and prints it.
class SupportExplorer : public QWidget
{
    Q_OBJECT

public:
    explicit SupportExplorer(QWidget *parent = nullptr);

    // Shows the case of `document` on the visible page. While the window is
    // hidden nothing is computed: whoever shows it calls this again.
    void follow(const OrvaDocument &document);
    // Beside `window` on its screen, over it where there is no room.
    void placeBeside(const QWidget *window);

    QTabWidget *tabs() const { return m_tabs; }
    OvernightsPage *overnightsPage() const { return m_overnights; }
    IncomePage *incomePage() const { return m_income; }
    ComparisonPage *comparisonPage() const { return m_comparison; }

public slots:
    // The visible page as a PNG picture or a PDF file, by the name's suffix.
    void saveOutput();
    void printOutput();

private:
    ExplorerPage *currentPage() const;
    void showCurrentPage();

    QTabWidget *m_tabs = nullptr;
    OvernightsPage *m_overnights = nullptr;
    IncomePage *m_income = nullptr;
    ComparisonPage *m_comparison = nullptr;
    ExplorerCase m_case;
    QList<ExplorerPage *> m_stale; // pages that have not shown the latest case
};
