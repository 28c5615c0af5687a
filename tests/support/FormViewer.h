#pragma once
// The court-form viewer seen from outside: its window, scripts run in its
// page, and the wait for a form's first page. For suites and benchmarks that
// link the web engine.
#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QWidget>

#include <memory>

namespace OrvaTest {

// The visible viewer window (the one titled `title`, when given), or null.
inline QWidget *formViewer(const QString &title = QString())
{
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window->inherits("PdfjsDialog") && window->isVisible() && (title.isNull() || window->windowTitle() == title))
            return window;
    }
    return nullptr;
}

// Runs a script in the viewer's page and waits (bounded) for its result;
// invalid without a page or an answer in time. An answer that comes later
// is dropped: it must not end a later wait or stand for its result.
inline QVariant evaluate(QWidget *viewer, const QString &script, int timeout = 10000)
{
    auto *view = viewer ? viewer->findChild<QWebEngineView *>() : nullptr;
    if (!view)
        return {};
    struct Answer {
        QVariant value;
        bool done = false;
        QPointer<QEventLoop> waiting;
    };
    const auto answer = std::make_shared<Answer>();
    QEventLoop loop;
    answer->waiting = &loop;
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    view->page()->runJavaScript(script, [answer](const QVariant &result) {
        if (!answer->waiting)
            return;
        answer->value = result;
        answer->done = true;
        answer->waiting->quit();
    });
    if (!answer->done)
        loop.exec();
    answer->waiting = nullptr;
    return answer->value;
}

// Whether the viewer has loaded its form, set the case's values in it and
// drawn the first page.
inline bool firstPageDrawn(QWidget *viewer)
{
    return evaluate(viewer, QStringLiteral("!!window.orvaForm && window.orvaForm.ready && "
                                           "!!PDFViewerApplication.pdfDocument && "
                                           "PDFViewerApplication.pdfViewer.getPageView(0).renderingState === 3"))
        .toBool();
}

} // namespace OrvaTest
