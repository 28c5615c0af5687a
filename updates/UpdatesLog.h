#pragma once

#include <QLoggingCategory>

// Diagnostics of the update check and the installer download ("orva.updates").
Q_DECLARE_LOGGING_CATEGORY(lcUpdates)
