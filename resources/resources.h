#pragma once

namespace OrvaResources {
// Registers every compiled-in resource bundle of the program. Safe to call
// more than once.
void registerAll();
}
