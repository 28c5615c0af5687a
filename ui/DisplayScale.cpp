#include "DisplayScale.h"

#include <QObject>

float DisplayScale::of(const QObject *application)
{
    const auto *scaled = dynamic_cast<const DisplayScale *>(application);
    return scaled ? scaled->scale() : 1.0f;
}
