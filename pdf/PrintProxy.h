#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

// The program's object on the viewer page's web channel ("printProxy"). The
// page calls it when the data of an operation is ready; the arguments are
// only logged, the program then fetches the payload from the page itself.
class PrintProxy : public QObject
{
    Q_OBJECT

public:
    explicit PrintProxy(QObject *parent = nullptr);

    Q_INVOKABLE void printData(const QVariant &data);
    Q_INVOKABLE void saveAsPdf(const QVariant &data, const QString &intent);

signals:
    void dataReady();
    void pdfReady(const QString &intent);
};
