#include "gui/launch/WizardAccessCodeStep.h"

#include "core/store/AppDataStore.h"
#include "gui/common/PasswordField.h"
#include "gui/common/Theme.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

QLineEdit* secretField(const QString& name, QWidget* parent) {
    QLineEdit* field = passwordField(QString(), parent);
    field->setObjectName(name);
    // The eye is named after its field, so both can be found by name.
    const QList<QAction*> actions = field->actions();
    if (!actions.isEmpty())
        actions.first()->setObjectName(name + QStringLiteral("Toggle"));
    return field;
}

} // namespace

WizardAccessCodeStep::WizardAccessCodeStep(SessionWizard& flow, AppDataStore& store,
                                           QWidget* parent)
    : WizardStepPage(flow, SessionWizard::Step::accessCode, parent), m_store(store) {
    auto* card = new QFrame(this);
    theme::setRole(card, "card");
    auto* form = new QVBoxLayout(card);
    form->setContentsMargins(24, 22, 24, 24);
    form->setSpacing(8);

    form->addWidget(theme::label(AccessCodeStep::codeLabel(), "section", card));
    m_code = secretField(QStringLiteral("accessCodeField"), card);
    m_code->setAccessibleName(AccessCodeStep::codeLabel());
    form->addWidget(m_code);
    form->addSpacing(14);
    form->addWidget(theme::label(AccessCodeStep::confirmationLabel(), "section", card));
    m_confirmation = secretField(QStringLiteral("accessCodeConfirmField"), card);
    m_confirmation->setAccessibleName(AccessCodeStep::confirmationLabel());
    form->addWidget(m_confirmation);
    content()->addWidget(card);
    content()->addStretch(1);

    connect(m_code, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.code = text;
        emit inputEdited();
    });
    connect(m_confirmation, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_model.confirmation = text;
        emit inputEdited();
    });
    connect(m_code, &QLineEdit::returnPressed, m_confirmation, qOverload<>(&QWidget::setFocus));
    connect(m_confirmation, &QLineEdit::returnPressed, this, &WizardStepPage::continueRequested);
}

void WizardAccessCodeStep::refresh() {
    if (m_code->text() != m_model.code)
        m_code->setText(m_model.code);
    if (m_confirmation->text() != m_model.confirmation)
        m_confirmation->setText(m_model.confirmation);
}

void WizardAccessCodeStep::reset() {
    m_model.reset();
    refresh();
}

std::optional<QString> WizardAccessCodeStep::validationMessage() const {
    return m_model.validate();
}

QWidget* WizardAccessCodeStep::focusTarget() const {
    return m_code;
}

void WizardAccessCodeStep::proceed() {
    finish(m_store.edit([&](SessionEdit& edit) { return m_model.apply(edit); }), true);
}

QString WizardAccessCodeStep::secondaryText() const {
    return AccessCodeStep::skipButton();
}

void WizardAccessCodeStep::proceedSecondary() {
    finish(m_store.edit([&](SessionEdit& edit) { return m_model.continueWithoutCode(edit); }),
           false);
}

void WizardAccessCodeStep::finish(const Result<>& result, bool withCode) {
    if (!result.warning().isEmpty())
        emit warningRaised(result.warning());
    if (withCode)
        wizard().finishAccessCode(result);
    else
        wizard().finishWithoutCode(result);
}

} // namespace velmora::gui
