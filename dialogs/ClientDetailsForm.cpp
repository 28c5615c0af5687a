#include "ClientDetailsForm.h"

#include "Accessible.h"
#include "DialogFlags.h"
#include "OrvaDocument.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QDebug>
#include <QSpacerItem>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

template <typename T>
T *named(T *object, const QString &name)
{
    object->setObjectName(name);
    return object;
}

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QString widgetText(QWidget *widget)
{
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return combo->currentText();
    return static_cast<QLineEdit *>(widget)->text();
}

void showText(QWidget *widget, const QString &text)
{
    if (auto *combo = qobject_cast<QComboBox *>(widget)) {
        // A state the list does not know (or none) shows the first code.
        combo->setCurrentIndex(qMax(0, combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive)));
        return;
    }
    static_cast<QLineEdit *>(widget)->setText(text);
}

} // namespace

ClientDetailsForm::ClientDetailsForm(int tab, std::shared_ptr<OrvaDocument> document, QWidget *parent)
    : QDialog(parent)
    , m_document(std::move(document))
{
    setupUi();
    OrvaDialogs::setCommonWindowFlags(this);
    m_relationComboBox->addItems(relationshipItems());
    m_plaintiff.state->addItems(stateCodes());
    m_defendant.state->addItems(stateCodes());
    showDocument();
    m_tabWidget->setCurrentWidget(tab == PlaintiffTab ? m_plaintiff.tab : m_defendant.tab);
}

ClientDetailsForm::~ClientDetailsForm() = default;

QStringList ClientDetailsForm::stateCodes()
{
    return {QStringLiteral("AL"), QStringLiteral("AK"), QStringLiteral("AZ"), QStringLiteral("AR"),
            QStringLiteral("CA"), QStringLiteral("CO"), QStringLiteral("CT"), QStringLiteral("DE"),
            QStringLiteral("DC"), QStringLiteral("FL"), QStringLiteral("GA"), QStringLiteral("HI"),
            QStringLiteral("ID"), QStringLiteral("IL"), QStringLiteral("IN"), QStringLiteral("IA"),
            QStringLiteral("KS"), QStringLiteral("KY"), QStringLiteral("LA"), QStringLiteral("ME"),
            QStringLiteral("MD"), QStringLiteral("MA"), QStringLiteral("MI"), QStringLiteral("MN"),
            QStringLiteral("MS"), QStringLiteral("MO"), QStringLiteral("MT"), QStringLiteral("NB"),
            QStringLiteral("NV"), QStringLiteral("NH"), QStringLiteral("NJ"), QStringLiteral("NM"),
            QStringLiteral("NY"), QStringLiteral("NC"), QStringLiteral("ND"), QStringLiteral("OH"),
            QStringLiteral("OK"), QStringLiteral("OR"), QStringLiteral("PA"), QStringLiteral("PR"),
            QStringLiteral("RI"), QStringLiteral("SC"), QStringLiteral("SD"), QStringLiteral("TN"),
            QStringLiteral("TX"), QStringLiteral("UT"), QStringLiteral("VT"), QStringLiteral("VA"),
            QStringLiteral("WA"), QStringLiteral("WV"), QStringLiteral("WI"), QStringLiteral("WY")};
}

QStringList ClientDetailsForm::relationshipItems()
{
    return {tr("I am the Mother of the minor"),      tr("I am the Father of the minor"),
            tr("I am the Grandmother of the minor"), tr("I am the Grandfather of the minor"),
            tr("I am the Aunt of the minor"),        tr("I am the Uncle of the minor"),
            tr("I am the Brother of the minor"),     tr("I am the Sister of the minor"),
            tr("I am the Cousin of the minor")};
}

void ClientDetailsForm::setupUi()
{
    setObjectName(QStringLiteral("ClientDetailsForm"));
    setWindowTitle(tr("Form 9-202"));
    resize(500, 356);

    auto *layout = named(new QVBoxLayout(this), QStringLiteral("verticalLayout"));
    m_tabWidget = named(new QTabWidget(this), QStringLiteral("tabWidget"));
    m_plaintiff = buildPartyTab(QStringLiteral("plaintiff"), tr("Plaintiff"));
    m_defendant = buildPartyTab(QStringLiteral("defendant"), tr("Defendant"));
    layout->addWidget(m_tabWidget);

    auto *alimony = named(new QGridLayout, QStringLiteral("alimonyLayout"));
    const QStringList captions = {tr("Alimony Paid each month to:"), tr("Alimony Awarded This Case from:"),
                                  tr("Relationship of Client to Children")};
    for (int column = 0; column < captions.size(); ++column) {
        auto *label = new QLabel(captions.at(column), this);
        label->setWordWrap(true);
        alimony->addWidget(label, 0, column);
        alimony->setColumnStretch(column, 1);
    }
    m_alimonyPaidEdit = named(new QLineEdit(this), QStringLiteral("alimonyPaidEdit"));
    m_alimonyAwardedEdit = named(new QLineEdit(this), QStringLiteral("alimonyAwardedEdit"));
    m_relationComboBox = named(new QComboBox(this), QStringLiteral("relationComboBox"));
    // The long relationship texts must not widen their column past the others.
    m_relationComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_relationComboBox->setMinimumContentsLength(12);
    // Its open list shows every text whole.
    int longest = 0;
    for (const QString &item : relationshipItems())
        longest = qMax(longest, m_relationComboBox->fontMetrics().horizontalAdvance(item));
    m_relationComboBox->view()->setMinimumWidth(longest + 4 * m_relationComboBox->fontMetrics().averageCharWidth());
    Accessible::name(m_alimonyPaidEdit, tr("Alimony paid each month to"));
    Accessible::name(m_alimonyAwardedEdit, tr("Alimony awarded this case from"));
    Accessible::name(m_relationComboBox, tr("Relationship of client to children"));
    alimony->addWidget(m_alimonyPaidEdit, 1, 0);
    alimony->addWidget(m_alimonyAwardedEdit, 1, 1);
    alimony->addWidget(m_relationComboBox, 1, 2);
    layout->addLayout(alimony);

    m_buttonBox = named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this),
                        QStringLiteral("buttonBox"));
    layout->addWidget(m_buttonBox);
    QMetaObject::connectSlotsByName(this);
}

ClientDetailsForm::Party ClientDetailsForm::buildPartyTab(const QString &prefix, const QString &title)
{
    Party party;
    party.tab = named(new QWidget(m_tabWidget), prefix + QStringLiteral("Tab"));
    auto *grid = new QGridLayout(party.tab);

    party.name = named(new QLabel(party.tab), prefix + QStringLiteral("NameLabel"));
    QFont bold = party.name->font();
    bold.setBold(true);
    party.name->setFont(bold);
    party.name->setTextFormat(Qt::PlainText);
    party.address = named(new QLineEdit(party.tab), prefix + QStringLiteral("AddressEdit"));
    party.city = named(new QLineEdit(party.tab), prefix + QStringLiteral("CityEdit"));
    party.apt = named(new QLineEdit(party.tab), prefix + QStringLiteral("AptEdit"));
    party.state = named(new QComboBox(party.tab), prefix + QStringLiteral("StateComboBox"));
    party.zip = named(new QLineEdit(party.tab), prefix + QStringLiteral("ZipEdit"));
    party.phone = named(new QLineEdit(party.tab), prefix + QStringLiteral("PhoneEdit"));

    grid->addWidget(caption(tr("Name:"), party.tab), 0, 0);
    grid->addWidget(party.name, 0, 1, 1, 5);
    grid->addWidget(caption(tr("Address:"), party.tab), 1, 0);
    grid->addWidget(party.address, 1, 1, 1, 5);
    grid->addWidget(caption(tr("City:"), party.tab), 2, 0);
    grid->addWidget(party.city, 2, 1, 1, 3);
    grid->addWidget(caption(tr("Apt #"), party.tab), 2, 4);
    grid->addWidget(party.apt, 2, 5);
    grid->addWidget(caption(tr("State:"), party.tab), 3, 0);
    grid->addWidget(party.state, 3, 1);
    grid->addWidget(caption(tr("Zip Code:"), party.tab), 3, 2);
    grid->addWidget(party.zip, 3, 3);
    grid->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 3, 4, 1, 2);
    grid->addWidget(caption(tr("Telephone:"), party.tab), 4, 0);
    grid->addWidget(party.phone, 4, 1, 1, 3);
    grid->addItem(new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Expanding), 5, 0, 1, 6);

    const std::pair<QWidget *, QString> names[] = {
        {party.address, tr("%1's address")}, {party.city, tr("%1's city")},
        {party.apt, tr("%1's apartment number")}, {party.state, tr("%1's state")},
        {party.zip, tr("%1's zip code")}, {party.phone, tr("%1's telephone")},
    };
    for (const auto &[field, name] : names)
        Accessible::name(field, name.arg(title));

    m_tabWidget->addTab(party.tab, title);
    return party;
}

QList<ClientDetailsForm::TextBinding> ClientDetailsForm::textFields() const
{
    return {
        {m_plaintiff.address, &OrvaDocument::plaintiffAddress, &OrvaDocument::setPlaintiffAddress},
        {m_plaintiff.city, &OrvaDocument::plaintiffCity, &OrvaDocument::setPlaintiffCity},
        {m_plaintiff.apt, &OrvaDocument::plaintiffApt, &OrvaDocument::setPlaintiffApt},
        {m_plaintiff.state, &OrvaDocument::plaintiffState, &OrvaDocument::setPlaintiffState},
        {m_plaintiff.zip, &OrvaDocument::plaintiffZip, &OrvaDocument::setPlaintiffZip},
        {m_plaintiff.phone, &OrvaDocument::plaintiffPhone, &OrvaDocument::setPlaintiffPhone},
        {m_defendant.address, &OrvaDocument::defendantAddress, &OrvaDocument::setDefendantAddress},
        {m_defendant.city, &OrvaDocument::defendantCity, &OrvaDocument::setDefendantCity},
        {m_defendant.apt, &OrvaDocument::defendantApt, &OrvaDocument::setDefendantApt},
        {m_defendant.state, &OrvaDocument::defendantState, &OrvaDocument::setDefendantState},
        {m_defendant.zip, &OrvaDocument::defendantZip, &OrvaDocument::setDefendantZip},
        {m_defendant.phone, &OrvaDocument::defendantPhone, &OrvaDocument::setDefendantPhone},
        {m_alimonyPaidEdit, &OrvaDocument::clientAlimonyPaid, &OrvaDocument::setClientAlimonyPaid},
        {m_alimonyAwardedEdit, &OrvaDocument::clientAlimonyReceived, &OrvaDocument::setClientAlimonyReceived},
    };
}

void ClientDetailsForm::showDocument()
{
    const OrvaDocument &doc = *m_document;
    m_plaintiff.name->setText(doc.plaintiffName());
    m_defendant.name->setText(doc.defendantName());

    m_shownTexts.clear();
    for (const TextBinding &field : textFields()) {
        showText(field.widget, (doc.*field.get)());
        m_shownTexts << widgetText(field.widget);
    }

    // An index a file brought in from outside the list shows the first item,
    // as an unknown state does, instead of an empty box that OK would store
    // as -1.
    const int relation = doc.relationshipIndex();
    m_relationComboBox->setCurrentIndex(relation >= 0 && relation < m_relationComboBox->count() ? relation : 0);
    m_shownRelation = m_relationComboBox->currentIndex();
}

void ClientDetailsForm::on_buttonBox_accepted()
{
    OrvaDocument &doc = *m_document;
    bool changed = m_shownRelation != m_relationComboBox->currentIndex();
    const QList<TextBinding> fields = textFields();
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QString text = widgetText(fields.at(i).widget);
        changed = changed || m_shownTexts.value(i) != text;
        (doc.*fields.at(i).set)(text);
    }
    doc.setRelationshipIndex(m_relationComboBox->currentIndex());
    // Addresses typed here are part of the case: closing must offer to save
    // them. OK without a change leaves the case as it was.
    if (changed)
        doc.setModified(true);
    qDebug() << "ClientDetailsForm: details written for" << doc.plaintiffName() << "and" << doc.defendantName();
    accept();
}

void ClientDetailsForm::on_buttonBox_rejected()
{
    reject();
}
