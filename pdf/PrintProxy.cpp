#include "PrintProxy.h"

#include <QDebug>

PrintProxy::PrintProxy(QObject *parent)
    : QObject(parent)
{
}

void PrintProxy::printData(const QVariant &data)
{
    qDebug() << "!!!!!!" << "PrintProxy::printData" << data.typeName() << data;
    emit dataReady();
}

void PrintProxy::saveAsPdf(const QVariant &data, const QString &intent)
{
    qDebug() << "!!!!!!" << "PrintProxy::saveAsPdf" << data.typeName() << data << "intent" << intent;
    emit pdfReady(intent);
}

void PrintProxy::formReady(const QString &missing)
{
    qDebug() << "!!!!!!" << "PrintProxy::formReady" << missing;
    emit formFilled(missing);
}
