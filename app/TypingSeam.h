#pragma once

class MainWindow;

// A test drives the real program through here: ORVA_TEST_TYPING names a
// file of lines "objectName<TAB>text", typed key by key into those fields
// of the window, after which "typed", the mother's and the father's
// recommended support are printed on standard output.
// ORVA_RECOVERY_INTERVAL_MS shortens the interval of the recovery copies.
// Neither set: nothing happens.
namespace TypingSeam {

void run(MainWindow *window);

} // namespace TypingSeam
