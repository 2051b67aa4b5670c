#include "gui/clients/ClientFormSheet.h"

#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FieldFeedback.h"
#include "gui/common/Icons.h"
#include "gui/common/NewTagSheet.h"
#include "gui/common/PictureField.h"
#include "gui/common/SessionPicture.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"

#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

QString sheetTitle(const ClientForm& form) {
    return form.isNew() ? QStringLiteral("Nouveau client") : QStringLiteral("Modifier le client");
}

} // namespace

ClientFormSheet::ClientFormSheet(AppDataStore& store, Dialogs& dialogs, ClientForm model,
                                 QWidget* parent)
    : FormSheet(QStringLiteral("clientForm"), sheetTitle(model), parent), m_store(store),
      m_dialogs(dialogs), m_form(std::move(model)), m_opened(m_form.fields) {
    setAttribute(Qt::WA_DeleteOnClose);
    ClientItem& fields = m_form.fields;

    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("clientKind"));
    for (ClientKind kind : {ClientKind::particulier, ClientKind::professionnel})
        m_kind->addItem(ClientForm::kindName(kind), int(kind));
    m_kind->setCurrentIndex(int(fields.kind));
    connect(m_kind, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_form.fields.kind = ClientKind(m_kind->itemData(index).toInt());
        showKind();
    });
    addRow(QStringLiteral("Type"), m_kind);

    m_companyRows << addField(QStringLiteral("Raison sociale"), QStringLiteral("clientCompany"),
                              &ClientItem::company);
    m_privateRows << addField(QStringLiteral("Prénom"), QStringLiteral("clientFirstName"),
                              &ClientItem::firstName);
    m_privateRows << addField(QStringLiteral("Nom"), QStringLiteral("clientLastName"),
                              &ClientItem::lastName);
    m_emailWarning = settingslayout::errorLabel(QStringLiteral("clientEmailWarning"));
    theme::setRole(m_emailWarning, "hint");
    QLineEdit* email = nullptr;
    addField(QStringLiteral("E-mail"), QStringLiteral("clientEmail"), &ClientItem::email,
             m_emailWarning, &email);
    // Only a warning: an address the user knows better is theirs to keep.
    connect(email, &QLineEdit::editingFinished, this,
            [this] { settingslayout::setMessage(m_emailWarning, m_form.emailWarning()); });
    connect(email, &QLineEdit::textEdited, this, [this] {
        if (m_form.emailWarning().isEmpty())
            settingslayout::setMessage(m_emailWarning, QString());
    });
    addField(QStringLiteral("Téléphone"), QStringLiteral("clientPhone"), &ClientItem::phone);
    addField(QStringLiteral("Adresse"), QStringLiteral("clientAddress1"),
             &ClientItem::addressLine1);
    addField(QStringLiteral("Complément"), QStringLiteral("clientAddress2"),
             &ClientItem::addressLine2);
    m_siretError = settingslayout::errorLabel(QStringLiteral("clientSiretError"));
    m_companyRows << addField(QStringLiteral("SIRET"), QStringLiteral("clientSiret"),
                              &ClientItem::siret, m_siretError, &m_siret);
    // The message goes as soon as the number no longer deserves it.
    connect(m_siret, &QLineEdit::textEdited, this, [this] {
        if (m_form.siretError().isEmpty())
            showSiretError(QString());
    });

    m_photo = new PictureField(
        m_dialogs, m_form.fields.photoURL,
        {QStringLiteral("clientPhoto"), QStringLiteral("Choisir une photo…"),
         QStringLiteral("Choisir une photo"), QStringLiteral("Retirer la photo"),
         QStringLiteral("client"),
         QStringLiteral("La photo « %1 » n’a pas pu être copiée dans la session.")},
        [this](const std::optional<QByteArray>& bytes) {
            return sessionPicture(bytes, std::nullopt, m_form.fields.company, 44);
        },
        this);
    addRow(QStringLiteral("Photo"), m_photo, m_photo->chooseButton());

    m_tags = tagPicker(
        QStringLiteral("clientTags"), store, &AppDatabase::clientTags, &SessionEdit::clientTags,
        fields.tagIDs, [this](const QUuid& id, bool on) { m_form.setTag(id, on); }, this);
    addRow(QStringLiteral("Étiquettes"), m_tags);

    auto* notes = new QPlainTextEdit(fields.notes, this);
    notes->setObjectName(QStringLiteral("clientNotes"));
    notes->setTabChangesFocus(true);
    notes->setFixedHeight(90);
    connect(notes, &QPlainTextEdit::textChanged, this,
            [this, notes] { m_form.fields.notes = notes->toPlainText(); });
    addRow(QStringLiteral("Notes"), notes);

    // The contact persons of a company, each a small card of five fields.
    m_contactsBlock = new QWidget(this);
    auto* block = new QVBoxLayout(m_contactsBlock);
    block->setContentsMargins(0, 0, 0, 0);
    auto* header = new QHBoxLayout;
    header->addWidget(theme::label(QStringLiteral("Contacts"), "section"), 1);
    auto* add = new QPushButton(symbolIcon(QStringLiteral("plus")),
                                QStringLiteral("Ajouter un contact"), this);
    add->setObjectName(QStringLiteral("clientAddContact"));
    connect(add, &QPushButton::clicked, this, [this] {
        m_form.addContact();
        rebuildContacts();
    });
    header->addWidget(add);
    block->addLayout(header);
    m_contacts = new QVBoxLayout;
    block->addLayout(m_contacts);
    addBlock(m_contactsBlock);

    rebuildContacts();
    showKind();
    resize(620, 720);
}

QWidget* ClientFormSheet::addField(const QString& label, const QString& name,
                                   QString ClientItem::*field, QLabel* message, QLineEdit** made) {
    auto* edit = new QLineEdit(m_form.fields.*field, this);
    edit->setObjectName(name);
    connect(edit, &QLineEdit::textEdited, this,
            [this, field](const QString& text) { m_form.fields.*field = text; });
    if (made)
        *made = edit;
    if (!message) {
        addRow(label, edit);
        return edit;
    }
    QWidget* cell = settingslayout::withError(edit, message);
    addRow(label, cell, edit);
    return cell;
}

void ClientFormSheet::showSiretError(const QString& message) {
    settingslayout::setMessage(m_siretError, message);
    markRefused(m_siret, !message.isEmpty());
}

void ClientFormSheet::showKind() {
    const bool company = m_form.showsContacts();
    for (QWidget* row : std::as_const(m_companyRows))
        form()->setRowVisible(row, company);
    for (QWidget* row : std::as_const(m_privateRows))
        form()->setRowVisible(row, !company);
    m_contactsBlock->setVisible(company);
}

void ClientFormSheet::rebuildContacts() {
    while (QLayoutItem* item = m_contacts->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const CompanyContact& contact : std::as_const(m_form.fields.contacts)) {
        auto* card = new QFrame(m_contactsBlock);
        card->setProperty("role", QStringLiteral("card"));
        auto* grid = new QGridLayout(card);
        grid->setContentsMargins(12, 10, 8, 10);
        const QUuid id = contact.id;
        int cell = 0;
        const auto field = [&](const QString& hint, QString CompanyContact::*member) {
            auto* edit = new QLineEdit(contact.*member, card);
            edit->setPlaceholderText(hint);
            edit->setAccessibleName(hint);
            edit->setObjectName(QStringLiteral("contact_") + hint);
            connect(edit, &QLineEdit::textEdited, this, [this, id, member](const QString& text) {
                for (CompanyContact& c : m_form.fields.contacts)
                    if (c.id == id)
                        c.*member = text;
            });
            grid->addWidget(edit, cell / 2, cell % 2);
            ++cell;
        };
        field(QStringLiteral("Prénom"), &CompanyContact::firstName);
        field(QStringLiteral("Nom"), &CompanyContact::lastName);
        field(QStringLiteral("Fonction"), &CompanyContact::role);
        field(QStringLiteral("E-mail"), &CompanyContact::email);
        field(QStringLiteral("Téléphone"), &CompanyContact::phone);
        auto* remove = new QToolButton(card);
        remove->setIcon(symbolIcon(QStringLiteral("trash")));
        remove->setToolTip(QStringLiteral("Retirer ce contact"));
        remove->setAccessibleName(remove->toolTip());
        remove->setAutoRaise(true);
        connect(remove, &QToolButton::clicked, this, [this, id] {
            m_form.removeContact(id);
            // Later: the card that holds this button goes away.
            QMetaObject::invokeMethod(this, &ClientFormSheet::rebuildContacts,
                                      Qt::QueuedConnection);
        });
        grid->addWidget(remove, 2, 1, Qt::AlignRight);
        m_contacts->addWidget(card);
        card->show();
    }
}

bool ClientFormSheet::save() {
    showSiretError(m_form.siretError());
    if (!applied(m_photo->save(m_store, [&](SessionEdit& edit) { return m_form.apply(edit); })))
        return false;
    emit saved(m_form.fields.id);
    return true;
}

} // namespace velmora::gui
