#pragma once

// CaseHolder: the one case the window shows, replaced as a whole by New and
// Open, and the case details (preparer, county) one case hands to the next.

#include <QObject>

#include <memory>

class OrvaDocument;
class QSettings;

class CaseHolder : public QObject
{
    Q_OBJECT

public:
    explicit CaseHolder(QObject *parent = nullptr);
    ~CaseHolder() override;

    OrvaDocument *document() const { return m_document.get(); }
    std::shared_ptr<OrvaDocument> sharedDocument() const { return m_document; }
    std::shared_ptr<QSettings> settings() const { return m_settings; }

    // A fresh case of the guideline version in force today.
    static std::shared_ptr<OrvaDocument> makeDocument();
    void replace(std::shared_ptr<OrvaDocument> document);

    // The preparer and county last used, from the settings store, into the case.
    void applyRememberedDetails();
    // The case's preparer and county into the settings store, written at once.
    void rememberDetails();

signals:
    // The modified flag of whichever case is held.
    void modifiedFlagChanged(bool flag);

private:
    std::shared_ptr<OrvaDocument> m_document;
    std::shared_ptr<QSettings> m_settings;
};
