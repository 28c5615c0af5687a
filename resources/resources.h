#pragma once

namespace OrvaResources {
// Registers every compiled-in resource bundle of the program, and the form
// viewer's resource file beside the executable. Safe to call more than once.
void registerAll();

// Registers the form viewer's resource file (pdfjs.rcc beside the
// executable) once an application object exists; true when registered.
bool registerViewerFile();
}
