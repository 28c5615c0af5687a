#include "resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initBundles()
{
    Q_INIT_RESOURCE(stylesheets);
    Q_INIT_RESOURCE(layouts);
    Q_INIT_RESOURCE(images);
}

namespace OrvaResources {
void registerAll()
{
    initBundles();
}
}
