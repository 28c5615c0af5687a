#include "CaseRecovery.h"

#include "Ask.h"
#include "CaseHolder.h"
#include "OrvaDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QPushButton>

Q_LOGGING_CATEGORY(lcRecovery, "orva.recovery")

namespace {

// The name a case has before it is first saved.
QString newCaseName()
{
    return OrvaDocument(OrvaDocument::July2022).documentName();
}

} // namespace

CaseRecovery::CaseRecovery(CaseHolder *holder, const QString &folder, QObject *parent)
    : QObject(parent)
    , m_case(holder)
    , m_folder(folder)
{
    m_timer.setInterval(DefaultIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &CaseRecovery::writeNow);
    connect(holder, &CaseHolder::modifiedFlagChanged, this, &CaseRecovery::modifiedFlagChanged);
    caseReplaced();
}

// A session that ends with changes nobody saved or discarded keeps its copy
// for the next start.
CaseRecovery::~CaseRecovery() = default;

void CaseRecovery::modifiedFlagChanged(bool modified)
{
    if (!modified) {
        m_timer.stop();
        m_folder.remove();
        m_written.clear();
    } else if (!m_timer.isActive()) {
        m_timer.start();
    }
}

void CaseRecovery::caseReplaced()
{
    modifiedFlagChanged(m_case->document()->modified());
}

void CaseRecovery::discard()
{
    modifiedFlagChanged(false);
}

void CaseRecovery::writeNow()
{
    OrvaDocument *doc = m_case->document();
    if (!doc->modified())
        return;
    const QByteArray bytes = doc->caseFileBytes();
    if (bytes.isEmpty() || bytes == m_written)
        return;
    const QString source = doc->untitled() ? QString() : doc->filePath();
    QString error;
    if (!m_folder.write(bytes, source, &error)) {
        // Said once: the user is typing, and the case itself is not at risk.
        if (!m_warned)
            qCWarning(lcRecovery).noquote() << "CaseRecovery: cannot write the recovery copy:" << error;
        m_warned = true;
        return;
    }
    m_written = bytes;
}

std::shared_ptr<OrvaDocument> CaseRecovery::offerLeftCopies(QWidget *parent)
{
    const QList<RecoveryCopy> copies = m_folder.claimLeftCopies();
    std::shared_ptr<OrvaDocument> restored;
    for (const RecoveryCopy &copy : copies) {
        const QString name = copy.source.isEmpty() ? newCaseName() : QFileInfo(copy.source).fileName();
        QMessageBox box(QMessageBox::Question, tr("Orva-Calc"),
                        tr("Orva-Calc did not close normally. Restore the case '%1' (changed at %2)?")
                            .arg(name, QLocale().toString(copy.changed, QLocale::ShortFormat)),
                        QMessageBox::Yes | QMessageBox::Discard | QMessageBox::Cancel, parent);
        box.button(QMessageBox::Yes)->setText(tr("Restore"));
        box.button(QMessageBox::Cancel)->setText(tr("Later"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        const QMessageBox::StandardButton answer = Ask::exec(box);
        if (answer == QMessageBox::Discard) {
            m_folder.discard(copy);
        } else if (answer == QMessageBox::Yes) {
            restored = restore(copy);
            if (restored)
                break;
        }
    }
    m_folder.releaseClaimed();
    return restored;
}

std::shared_ptr<OrvaDocument> CaseRecovery::restore(const RecoveryCopy &copy)
{
    std::shared_ptr<OrvaDocument> doc = CaseHolder::makeDocument();
    QString reason;
    if (!doc->readCaseFile(copy.casePath, &reason)) {
        // Left where it is: it may still be read by hand.
        qCWarning(lcRecovery).noquote() << "CaseRecovery: cannot read" << copy.casePath << reason;
        return nullptr;
    }
    // Saving goes where the case came from, never into the copy.
    doc->setUntitled(copy.source.isEmpty());
    doc->setFilePath(copy.source);
    doc->setDocumentName(copy.source.isEmpty() ? newCaseName() : copy.source);
    doc->setModified(true);
    QFile file(copy.casePath);
    m_written = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    m_folder.adopt(copy);
    return doc;
}
