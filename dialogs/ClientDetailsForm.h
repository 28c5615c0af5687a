#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

#include <memory>

class OrvaDocument;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTabWidget;

// The parts of a case that the court's forms need besides the worksheet
// figures: both parties' postal addresses and telephones (the header block
// of the July 2022 worksheets), the alimony texts and the client's
// relationship to the children. The values live in the case document; OK copies them back
// without marking the case modified, so they reach disk with the next save.
class ClientDetailsForm : public QDialog
{
    Q_OBJECT

public:
    enum Tab { PlaintiffTab = 1, DefendantTab = 2 };

    // `tab` 1 opens on the plaintiff, any other value on the defendant.
    ClientDetailsForm(int tab, std::shared_ptr<OrvaDocument> document, QWidget *parent = nullptr);
    ~ClientDetailsForm() override;

    // The items of the two state boxes, in their order ("NB" for Nebraska).
    static QStringList stateCodes();
    // The relationship items; the case keeps the index into this list.
    static QStringList relationshipItems();

private slots:
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();

private:
    struct Party {
        QWidget *tab = nullptr;
        QLabel *name = nullptr;
        QLineEdit *address = nullptr;
        QLineEdit *city = nullptr;
        QLineEdit *apt = nullptr;
        QComboBox *state = nullptr;
        QLineEdit *zip = nullptr;
        QLineEdit *phone = nullptr;
    };

    // A text field of the case and the widget that edits it, in the order
    // OK writes them back.
    struct TextBinding {
        QWidget *widget;
        QString (OrvaDocument::*get)() const;
        void (OrvaDocument::*set)(QString);
    };

    void setupUi();
    Party buildPartyTab(const QString &prefix, const QString &title);
    QList<TextBinding> textFields() const;
    void showDocument();

    std::shared_ptr<OrvaDocument> m_document;
    QTabWidget *m_tabWidget = nullptr;
    Party m_plaintiff;
    Party m_defendant;
    QLineEdit *m_alimonyPaidEdit = nullptr;
    QLineEdit *m_alimonyAwardedEdit = nullptr;
    QComboBox *m_relationComboBox = nullptr;
    QDialogButtonBox *m_buttonBox = nullptr;
    // What the fields showed on opening: a state or relationship the list
    // lacks shows as its first item, which is no change of the user's.
    QStringList m_shownTexts;
    int m_shownRelation = 0;
};
