#pragma once

#include "ChartPage.h"
#include "SupportCurves.h"

class QRadioButton;

// The order against one parent's monthly income, the parent chosen by a
// switch, with the schedule's top marked where extrapolation starts.
class IncomePage : public ChartPage
{
    Q_OBJECT

public:
    explicit IncomePage(QWidget *parent = nullptr);

    void showCase(const ExplorerCase &shown) override;
    // 0: the first parent's income, 1: the second's.
    int incomeParent() const { return m_parent; }
    void setIncomeParent(int parent);

protected:
    bool describe(qreal x, QPointF *point, QString *text) const override;

private:
    QString pointText(const SupportCurves::IncomePoint &point) const;

    QRadioButton *m_switch[2] = {};
    int m_parent = 0;
    int m_style = 0;
    ExplorerCase m_case;
    SupportCurves::IncomeCurve m_curve;
};
