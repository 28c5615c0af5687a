#pragma once

#include "Ask.h"

namespace OrvaTest {

// Turns the answer seam on for one test: boxes and file dialogs take the
// queued answers, and what they showed can be read back.
class AskAnswers
{
public:
    AskAnswers() { Ask::clearAnswers(); Ask::setAnswering(true); }
    ~AskAnswers() { Ask::setAnswering(false); Ask::clearAnswers(); }
    AskAnswers(const AskAnswers &) = delete;
    AskAnswers &operator=(const AskAnswers &) = delete;

    AskAnswers &box(QMessageBox::StandardButton button) { Ask::answerNextBox(button); return *this; }
    AskAnswers &file(const QString &path) { Ask::answerNextFile(path); return *this; }
    QList<Ask::Shown> shown() { return Ask::takeShown(); }
};

} // namespace OrvaTest
