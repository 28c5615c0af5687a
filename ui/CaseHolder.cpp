#include "CaseHolder.h"

#include "OrvaDocument.h"

#include <QDate>
#include <QSettings>

CaseHolder::CaseHolder(QObject *parent)
    : QObject(parent)
    , m_settings(std::make_shared<QSettings>())
{
    replace(makeDocument());
}

CaseHolder::~CaseHolder()
{
    if (m_document)
        disconnect(m_document.get(), nullptr, this, nullptr);
}

std::shared_ptr<OrvaDocument> CaseHolder::makeDocument()
{
    // No QObject parent: the shared pointer is the document's only owner, so
    // a preview still holding it can never meet a document the window's
    // destruction already deleted.
    return std::make_shared<OrvaDocument>(OrvaDocument::modeForNewCase(QDate::currentDate()));
}

void CaseHolder::replace(std::shared_ptr<OrvaDocument> document)
{
    if (m_document)
        disconnect(m_document.get(), nullptr, this, nullptr);
    m_document = std::move(document);
    connect(m_document.get(), &OrvaDocument::modifiedFlagChanged, this, &CaseHolder::modifiedFlagChanged);
}

void CaseHolder::applyRememberedDetails()
{
    const QString preparer = m_settings->value(QStringLiteral("preparer"), QString()).toString();
    const int county = m_settings->value(QStringLiteral("county"), -1).toInt();
    if (!preparer.isEmpty())
        m_document->setPreparer(preparer);
    if (county != -1)
        m_document->setCounty(county);
}

void CaseHolder::rememberDetails()
{
    m_settings->setValue(QStringLiteral("county"), m_document->county());
    m_settings->setValue(QStringLiteral("preparer"), m_document->preparer());
    m_settings->sync();
}
