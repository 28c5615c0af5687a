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
    // The form is open and its fields set; `missing` names the fields the
    // form does not have (comma-separated), or starts with "!" and the
    // page's error when the form could not be opened.
    Q_INVOKABLE void formReady(const QString &missing);

signals:
    void dataReady();
    void pdfReady(const QString &intent);
    void formFilled(const QString &missing);
};
