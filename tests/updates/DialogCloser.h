#pragma once
// Closes every update dialog as soon as it is shown, after noting what it
// showed: for the commands and the start-up check, which run it modally.

#include "UpdateDialog.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace OrvaTest {

class DialogCloser : public QObject
{
public:
    DialogCloser() { qApp->installEventFilter(this); }
    ~DialogCloser() override { qApp->removeEventFilter(this); }

    QStringList topTexts;
    QStringList updateTexts;
    int withButtons = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<Updates::UpdateDialog *>(watched);
        if (dialog && event->type() == QEvent::Show) {
            topTexts << dialog->findChild<QLabel *>("topLabel")->text();
            updateTexts << dialog->findChild<QLabel *>("updateLabel")->text();
            if (dialog->findChild<QPushButton *>("skipButton")->isVisibleTo(dialog))
                ++withButtons;
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace OrvaTest
