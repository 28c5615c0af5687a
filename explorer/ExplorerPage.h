#pragma once

#include "WorksheetLines.h"

#include <QString>
#include <QWidget>

class OrvaDocument;
class QPainter;

// What the explorer shows of a case: the worksheet inputs and how the
// window names the two parents.
struct ExplorerCase {
    WorksheetInput input;
    QString parents[2];  // "Mother" and "Father", or "Parent 1" and "Parent 2"
    QString heading;     // case number, parties and guideline version, for print-outs

    static ExplorerCase from(const OrvaDocument &document);

    // "Father pays $1,094 a month", from a point's two orders.
    QString orderText(const qint64 (&recommended)[2]) const;
    // The chart's y: above 0 the second parent pays, below 0 the first.
    static qreal signedOrder(const qint64 (&recommended)[2]);
    static QString money(qint64 amount);
};

// One tab of the explorer.
class ExplorerPage : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    virtual void showCase(const ExplorerCase &shown) = 0;
    // What Save and Print put on paper, drawn into `area`.
    virtual void drawOutput(QPainter *painter, const QRectF &area) = 0;
    // The size the output is laid out at, in pixels.
    virtual QSize outputSize() const = 0;
};
