#include "gui/externalTools/ExternalToolFormSheet.h"

#include "core/store/AppDataStore.h"
#include "gui/common/Icons.h"
#include "gui/common/NewTagSheet.h"
#include "gui/common/PasswordField.h"
#include "gui/common/PictureField.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace velmora::gui {

QPixmap externalToolPicture(const std::optional<QByteArray>& logo, int size) {
    if (logo)
        if (const QPixmap picture = photoPicture(*logo, size); !picture.isNull())
            return picture;
    return symbolPixmap(QStringLiteral("wrench.and.screwdriver"), size, theme::accent());
}

ExternalToolFormSheet::ExternalToolFormSheet(const SectionServices& services,
                                             ExternalToolForm model, QWidget* parent)
    : FormSheet(QStringLiteral("externalToolForm"),
                model.isNew() ? QStringLiteral("Nouvel outil") : QStringLiteral("Modifier l’outil"),
                parent),
      m_services(services), m_form(std::move(model)) {
    setAttribute(Qt::WA_DeleteOnClose);
    const ExternalTool& fields = m_form.fields;
    const auto line = [this](const QString& label, const QString& name, const QString& text,
                             QString ExternalTool::*field, QLineEdit* edit = nullptr) {
        if (!edit)
            edit = new QLineEdit(this);
        edit->setText(text);
        edit->setObjectName(name);
        connect(edit, &QLineEdit::textEdited, this,
                [this, field](const QString& typed) { m_form.fields.*field = typed; });
        addRow(label, edit);
        return edit;
    };
    line(QStringLiteral("Nom"), QStringLiteral("toolName"), fields.name, &ExternalTool::name)
        ->setPlaceholderText(QStringLiteral("Sans nom"));

    m_logo = new PictureField(
        m_services.dialogs, m_form.fields.logoURL,
        {QStringLiteral("toolLogo"), QStringLiteral("Choisir un logo…"),
         QStringLiteral("Choisir un logo"), QStringLiteral("Retirer le logo"),
         QStringLiteral("tool"),
         QStringLiteral("Le logo « %1 » n’a pas pu être copié dans la session.")},
        [](const std::optional<QByteArray>& bytes) { return externalToolPicture(bytes, 44); },
        this);
    addRow(QStringLiteral("Logo"), m_logo, m_logo->chooseButton());

    line(QStringLiteral("Identifiant"), QStringLiteral("toolLogin"), fields.login,
         &ExternalTool::login);
    line(QStringLiteral("Mot de passe"), QStringLiteral("toolPassword"), fields.password,
         &ExternalTool::password, passwordField(QStringLiteral("Mot de passe ou clé API"), this));
    line(QStringLiteral("Adresse web"), QStringLiteral("toolWebsite"), fields.websiteURL,
         &ExternalTool::websiteURL)
        ->setPlaceholderText(QStringLiteral("https://"));

    TagChips* tags = tagPicker(
        QStringLiteral("toolTags"), m_services.store, &AppDatabase::externalToolTags,
        &SessionEdit::externalToolTags, fields.tagIDs,
        [this](const QUuid& id, bool on) { m_form.setTag(id, on); }, this);
    addRow(QStringLiteral("Étiquettes"), tags);

    auto* notes = textBox(fields.notes, QStringLiteral("toolNotes"), this);
    connect(notes, &QPlainTextEdit::textChanged, this,
            [this, notes] { m_form.fields.notes = notes->toPlainText(); });
    addRow(QStringLiteral("Notes"), notes);
    resize(600, 620);
}

bool ExternalToolFormSheet::save() {
    if (!applied(
            m_logo->save(m_services.store, [&](SessionEdit& edit) { return m_form.apply(edit); })))
        return false;
    emit saved(m_form.fields.id);
    return true;
}

} // namespace velmora::gui
