#include "gui/settings/CompanyPage.h"

#include "core/app/PaymentMethodChoice.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/PaymentMethodsField.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/Theme.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

constexpr QSize logoBox(160, 96);

QString text(QWidget* field) {
    if (auto* line = qobject_cast<QLineEdit*>(field))
        return line->text();
    if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        return plain->toPlainText();
    return {};
}

void setText(QWidget* field, const QString& value) {
    const QSignalBlocker block(field);
    if (auto* line = qobject_cast<QLineEdit*>(field))
        line->setText(value);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(field))
        plain->setPlainText(value);
}

// The logo scaled into the preview box; null when the file is no picture.
QPixmap logoPixmap(const QString& file, qreal ratio) {
    const QSize box = logoBox * ratio;
    QImage image;
    if (QFileInfo(file).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        QSvgRenderer renderer(file);
        if (!renderer.isValid())
            return {};
        const QSize size = renderer.defaultSize().scaled(box, Qt::KeepAspectRatio);
        image = QImage(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
    } else {
        QImageReader reader(file);
        reader.setAutoTransform(true);
        image = reader.read();
        if (image.isNull())
            return {};
        image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

} // namespace

QString CompanyPage::objectNameOf(Field field) {
    switch (field) {
    case Field::displayName:
        return QStringLiteral("companyDisplayName");
    case Field::ownerName:
        return QStringLiteral("companyOwnerName");
    case Field::legalStatus:
        return QStringLiteral("companyLegalStatus");
    case Field::siret:
        return QStringLiteral("companySiret");
    case Field::addressLine1:
        return QStringLiteral("companyAddressLine1");
    case Field::addressLine2:
        return QStringLiteral("companyAddressLine2");
    case Field::tvaNote:
        return QStringLiteral("companyTvaNote");
    case Field::latePenaltyText:
        return QStringLiteral("companyLatePenaltyText");
    case Field::additionalLegalText:
        return QStringLiteral("companyAdditionalLegalText");
    case Field::bankName:
        return QStringLiteral("companyBankName");
    case Field::bankAccountName:
        return QStringLiteral("companyBankAccountName");
    case Field::bankIBAN:
        return QStringLiteral("companyBankIBAN");
    case Field::bankBIC:
        return QStringLiteral("companyBankBIC");
    case Field::lateChargeLineTitle:
        return QStringLiteral("companyLateChargeLineTitle");
    case Field::lateChargeLineDescription:
        return QStringLiteral("companyLateChargeLineDescription");
    case Field::logo:
        return QStringLiteral("companyLogo");
    }
    return {};
}

CompanyPage::CompanyPage(AppDataStore& store, Dialogs& dialogs, QWidget* parent)
    : SettingsPanel(dialogs, parent), m_store(store),
      m_form(store.companySettings(), store.preferences()) {
    auto* layout = settingslayout::pageLayout(this, CompanySettingsForm::title(),
                                              CompanySettingsForm::intro());

    layout->addWidget(settingslayout::section(CompanySettingsForm::identitySection()));
    auto* identity = settingslayout::form();
    for (Field field : {Field::displayName, Field::ownerName, Field::legalStatus, Field::siret,
                        Field::addressLine1, Field::addressLine2})
        addField(identity, field, false);
    layout->addLayout(identity);

    layout->addWidget(settingslayout::section(CompanySettingsForm::logoSection()));
    auto* logoForm = settingslayout::form();
    m_logoPreview = new QLabel;
    m_logoPreview->setObjectName(QStringLiteral("companyLogoPreview"));
    m_logoPreview->setProperty("role", QStringLiteral("card"));
    m_logoPreview->setFixedSize(logoBox + QSize(16, 16));
    m_logoPreview->setAlignment(Qt::AlignCenter);
    auto* choose = new QPushButton(CompanySettingsForm::chooseLogoButton());
    choose->setObjectName(QStringLiteral("companyLogoChoose"));
    choose->setIcon(symbolIcon(QStringLiteral("photo")));
    m_removeLogo = theme::button(CompanySettingsForm::removeLogoButton(), "destructive");
    m_removeLogo->setObjectName(QStringLiteral("companyLogoRemove"));
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(choose);
    buttons->addWidget(m_removeLogo);
    auto* hint = theme::label(CompanySettingsForm::logoHint(), "hint");
    hint->setWordWrap(false);
    buttons->addWidget(hint);
    auto* logoRow = new QHBoxLayout;
    logoRow->setSpacing(16);
    logoRow->addWidget(m_logoPreview, 0, Qt::AlignTop);
    logoRow->addLayout(buttons);
    logoRow->setAlignment(buttons, Qt::AlignTop);
    logoRow->addStretch();
    m_errors.insert(Field::logo, settingslayout::errorLabel(QStringLiteral("companyLogoError")));
    auto* logoLabel = settingslayout::rowLabel(CompanySettingsForm::label(Field::logo), choose);
    logoForm->addRow(logoLabel, settingslayout::withError(logoRow, m_errors.value(Field::logo)));
    layout->addLayout(logoForm);

    layout->addWidget(settingslayout::section(CompanySettingsForm::legalSection()));
    auto* legal = settingslayout::form();
    addField(legal, Field::tvaNote, false);
    addField(legal, Field::latePenaltyText, true);
    addField(legal, Field::additionalLegalText, true);
    layout->addLayout(legal);

    layout->addWidget(settingslayout::section(PaymentMethodChoice::sectionTitle()));
    auto* methodsHint = theme::label(PaymentMethodChoice::hint(), "hint");
    methodsHint->setWordWrap(true);
    layout->addWidget(methodsHint);
    const CompanySettings& company = store.companySettings();
    m_methods =
        new PaymentMethodsField(QStringLiteral("companyPaymentMethod"),
                                PaymentMethodChoice::offered(company.acceptedPaymentMethods), this);
    m_methods->setAccessibleName(PaymentMethodChoice::sectionTitle());
    m_methods->setTicked(company.acceptedPaymentMethods);
    m_methods->showIcons(company);
    layout->addWidget(m_methods);
    // A box is a choice, saved at once; a failed save puts the boxes back.
    connect(m_methods, &PaymentMethodsField::methodToggled, this,
            [this](const QString& method, bool ticked) {
                m_applying = true;
                const Result<> result = m_store.edit([&](SessionEdit& edit) {
                    return PaymentMethodChoice::setAccepted(edit, method, ticked);
                });
                m_applying = false;
                if (result.kind() != ResultKind::unchanged && !report(result))
                    m_methods->setTicked(m_store.companySettings().acceptedPaymentMethods);
            });

    layout->addWidget(settingslayout::section(CompanySettingsForm::bankSection()));
    auto* bank = settingslayout::form();
    for (Field field : {Field::bankName, Field::bankAccountName, Field::bankIBAN, Field::bankBIC})
        addField(bank, field, false);
    layout->addLayout(bank);

    layout->addWidget(settingslayout::section(CompanySettingsForm::lateChargeSection()));
    auto* lateCharge = settingslayout::form();
    addField(lateCharge, Field::lateChargeLineTitle, false);
    addField(lateCharge, Field::lateChargeLineDescription, false);
    layout->addLayout(lateCharge);

    // The right column of every form starts at the same place.
    int labelWidth = 0;
    for (QFormLayout* form : {identity, logoForm, legal, bank, lateCharge})
        for (int row = 0; row < form->rowCount(); ++row)
            if (QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole))
                labelWidth = std::max(labelWidth, item->widget()->sizeHint().width());
    for (QFormLayout* form : {identity, logoForm, legal, bank, lateCharge})
        for (int row = 0; row < form->rowCount(); ++row)
            if (QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole))
                item->widget()->setMinimumWidth(labelWidth);

    layout->addStretch();

    showForm();
    connect(choose, &QPushButton::clicked, this, &CompanyPage::chooseLogo);
    connect(m_removeLogo, &QPushButton::clicked, this, &CompanyPage::removeLogo);
    followSession(this, m_store, {SessionField::companySettings, SessionField::preferences},
                  [this] { reloadFromStore(); });
}

QWidget* CompanyPage::addField(QFormLayout* form, Field field, bool multiLine) {
    QWidget* editor = nullptr;
    if (multiLine) {
        auto* plain = new QPlainTextEdit;
        plain->setTabChangesFocus(true);
        plain->setFixedHeight(84);
        connect(plain, &QPlainTextEdit::textChanged, this,
                [this, field, plain] { edit(field, plain->toPlainText()); });
        editor = plain;
    } else {
        auto* line = new QLineEdit;
        line->setPlaceholderText(CompanySettingsForm::placeholder(field));
        connect(line, &QLineEdit::textChanged, this,
                [this, field](const QString& value) { edit(field, value); });
        editor = line;
    }
    commitOnLeave(editor, [this, field] { return commit(field); });
    editor->setObjectName(objectNameOf(field));
    auto* error = settingslayout::errorLabel(objectNameOf(field) + QStringLiteral("Error"));
    m_fields.insert(field, editor);
    m_errors.insert(field, error);
    QLabel* label = nullptr;
    if (multiLine) {
        label = new QLabel(CompanySettingsForm::label(field));
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
        label->setContentsMargins(0, 6, 0, 0);
    } else {
        label = settingslayout::rowLabel(CompanySettingsForm::label(field), editor);
    }
    label->setBuddy(editor);
    form->addRow(label, settingslayout::withError(editor, error));
    return editor;
}

void CompanyPage::edit(Field field, const QString& text) {
    m_form.setText(field, text);
    // A message goes as soon as the field no longer deserves it.
    if (CompanySettingsForm::checkText(field, text).isEmpty())
        settingslayout::setMessage(m_errors.value(field), QString());
}

QWidget* CompanyPage::commit(Field field) {
    m_applying = true;
    const Result<> result =
        m_store.edit([&](SessionEdit& edit) { return m_form.apply(field, edit); });
    m_applying = false;
    const bool refused = result.kind() == ResultKind::invalid;
    settingslayout::setMessage(m_errors.value(field), refused ? result.error() : QString());
    if (refused)
        return m_fields.value(field);
    // A failed save keeps what was typed; the alert says why, and leaving
    // the field again tries again.
    if (report(result))
        showForm();
    return nullptr;
}

QWidget* CompanyPage::settle() {
    if (!m_form.hasChanges())
        return nullptr;
    m_applying = true;
    const Result<> result = m_store.edit([&](SessionEdit& edit) { return m_form.apply(edit); });
    m_applying = false;
    if (result.kind() == ResultKind::invalid) {
        const QList<CompanySettingsForm::FieldError> errors = m_form.errors();
        for (const CompanySettingsForm::FieldError& error : errors)
            settingslayout::setMessage(m_errors.value(error.field), error.message);
        return errors.isEmpty() ? nullptr : m_fields.value(errors.first().field);
    }
    if (report(result))
        showForm();
    return nullptr;
}

void CompanyPage::discard() {
    m_form.load(m_store.companySettings(), m_store.preferences());
    for (QLabel* error : std::as_const(m_errors))
        settingslayout::setMessage(error, QString());
    showForm();
}

void CompanyPage::chooseLogo() {
    const std::optional<QUrl> file = dialogs().choose(this, CompanySettingsForm::logoPanel());
    if (!file)
        return;
    const QString refusal = m_form.chooseLogo(*file);
    settingslayout::setMessage(m_errors.value(Field::logo), refusal);
    if (refusal.isEmpty())
        commit(Field::logo);
    showLogo();
}

void CompanyPage::removeLogo() {
    m_form.removeLogo();
    settingslayout::setMessage(m_errors.value(Field::logo), QString());
    commit(Field::logo);
    showLogo();
}

void CompanyPage::reloadFromStore() {
    // What the user is typing wins over a change made elsewhere; the other
    // fields follow it.
    if (m_applying)
        return;
    m_form.refresh(m_store.companySettings(), m_store.preferences());
    m_methods->setTicked(m_store.companySettings().acceptedPaymentMethods);
    showForm();
}

void CompanyPage::showForm() {
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it)
        if (text(it.value()) != m_form.text(it.key()))
            setText(it.value(), m_form.text(it.key()));
    showLogo();
}

void CompanyPage::showLogo() {
    const std::optional<QUrl> logo = m_form.logo();
    m_removeLogo->setEnabled(logo.has_value());
    QPixmap pixmap;
    if (logo)
        pixmap = logoPixmap(logo->toLocalFile(), devicePixelRatioF());
    if (pixmap.isNull()) {
        m_logoPreview->setPixmap(QPixmap());
        m_logoPreview->setText(logo ? QFileInfo(logo->toLocalFile()).fileName()
                                    : CompanySettingsForm::noLogoText());
    } else {
        m_logoPreview->setText(QString());
        m_logoPreview->setPixmap(pixmap);
    }
}

} // namespace velmora::gui
