#pragma once

#include "ExplorerPage.h"

class QLabel;
class QTableWidget;

// Worksheet A with each parent as custodian beside Worksheet B at the case's
// overnights, line by line, with the difference that the statute's cap of
// shared at sole turns on: B minus A with the same parent paying.
class ComparisonPage : public ExplorerPage
{
    Q_OBJECT

public:
    explicit ComparisonPage(QWidget *parent = nullptr);

    void showCase(const ExplorerCase &shown) override;
    void drawOutput(QPainter *painter, const QRectF &area) override;
    QSize outputSize() const override;

    QTableWidget *table() const { return m_table; }

private:
    // The caption and the table as one HTML text, for Save and Print.
    QString html() const;

    QLabel *m_caption = nullptr;
    QTableWidget *m_table = nullptr;
};
