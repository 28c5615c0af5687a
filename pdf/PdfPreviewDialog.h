#pragma once

#include <QDateTime>
#include <QEventLoop>
#include <QHash>
#include <QMainWindow>
#include <QSize>

#include <memory>

class OrvaDocument;
class QComboBox;
class QFrame;
class QPdfDocument;
class QPdfView;
class QPushButton;

// Shows a PDF with print, save and zoom: either the worksheet of a case,
// rendered into a private file first, or an existing PDF file (FAQ, statute).
// exec() blocks the caller until the window is closed.
class PdfPreviewDialog : public QMainWindow
{
    Q_OBJECT

public:
    // Case mode: the worksheet of `document`.
    explicit PdfPreviewDialog(std::shared_ptr<OrvaDocument> document, QWidget *parent = nullptr);
    // File mode: the PDF file `fileName`.
    explicit PdfPreviewDialog(const QString &fileName, QWidget *parent = nullptr);
    ~PdfPreviewDialog() override;

    int exec();

    bool caseMode() const { return m_caseMode; }
    QString fileName() const { return m_fileName; }
    QPdfDocument *pdfDocument() const { return m_pdf; }

    // The name the Save button proposes for a case number at a moment.
    static QString proposedFileName(const QString &caseNumber, const QDateTime &when);

public slots:
    void reject();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_closeButton_clicked();
    void on_printButton_clicked();
    void on_zoomOutButton_clicked();
    void on_zoomInButton_clicked();
    void on_zoomComboBox_activated(int index);
    void on_saveButton_clicked();

private:
    void setUpForm();
    void setUp();
    void applyZoom(int value);
    void fit(bool wholePage);
    static qreal screenPixelsPerPoint();
    void checkRenderedPage(int page, QSize imageSize);
    void redrawPages();
    QString documentTitle() const;
    void stepZoom(bool in);

    QString m_fileName;
    QPdfDocument *m_pdf = nullptr;
    int m_zoomValue = -1; // the zoom list's data last applied
    std::shared_ptr<OrvaDocument> m_document;
    bool m_caseMode = false;
    QEventLoop m_loop;
    // Per page, a size already found stale: the view asking for it again
    // means our reckoning is off, not the picture.
    QHash<int, QSize> m_staleSizes;
    bool m_redrawQueued = false;

    QFrame *m_menu = nullptr;
    QPushButton *m_closeButton = nullptr;
    QPushButton *m_printButton = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_zoomOutButton = nullptr;
    QPushButton *m_zoomInButton = nullptr;
    QComboBox *m_zoomComboBox = nullptr;
    QPdfView *m_pdfView = nullptr;
};
