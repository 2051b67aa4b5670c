#include "gui/launch/WizardCompanyStep.h"

#include "core/app/CompanySettingsForm.h"
#include "core/app/PaymentMethodChoice.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/PaymentMethodsField.h"
#include "gui/common/Theme.h"
#include "gui/launch/WizardIdentityStep.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

namespace velmora::gui {

namespace {

constexpr int logoSize = 52;

QLineEdit* field(const char* name, const QString& placeholder, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setPlaceholderText(placeholder);
    edit->setMinimumHeight(34);
    return edit;
}

// The field under its name, which stays once the placeholder is gone; the
// names are those of the settings, without their colon.
QLayout* captioned(QLineEdit* edit, CompanySettingsForm::Field name, QWidget* parent) {
    QString text = CompanySettingsForm::label(name);
    if (text.endsWith(QStringLiteral("\u00a0:")))
        text.chop(2);
    QLabel* caption = theme::label(text, "hint", parent);
    caption->setObjectName(edit->objectName() + QStringLiteral("Caption"));
    caption->setBuddy(edit);
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    column->addWidget(caption);
    column->addWidget(edit);
    return column;
}

// The logo drawn to fit a square, SVG or bitmap alike; null when the file
// is neither.
QPixmap logoPicture(const QString& path, int size) {
    QImage image(size * 2, size * 2, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer svg(path);
    if (svg.isValid()) {
        QPainter p(&image);
        QSizeF shape = svg.defaultSize();
        shape.scale(image.size(), Qt::KeepAspectRatio);
        svg.render(&p, QRectF(QPointF((image.width() - shape.width()) / 2,
                                      (image.height() - shape.height()) / 2),
                              shape));
    } else {
        QImageReader reader(path);
        const QImage read = reader.read();
        if (read.isNull())
            return QPixmap();
        const QImage scaled =
            read.scaled(image.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        QPainter p(&image);
        p.drawImage(
            QPoint((image.width() - scaled.width()) / 2, (image.height() - scaled.height()) / 2),
            scaled);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(2.0);
    return pixmap;
}

} // namespace

WizardCompanyStep::WizardCompanyStep(SessionWizard& flow, Dialogs& dialogs, QWidget* parent)
    : WizardStepPage(flow, SessionWizard::Step::company, parent), m_dialogs(dialogs) {
    makeScrollable();
    content()->setSpacing(16);

    QLabel* optional =
        theme::label(QStringLiteral("Étape facultative — vous pouvez passer"), "hint", this);
    optional->setObjectName(QStringLiteral("companyOptionalNote"));
    content()->addWidget(optional);

    auto* card = new QFrame(this);
    theme::setRole(card, "card");
    auto* grid = new QGridLayout(card);
    grid->setContentsMargins(20, 20, 20, 20);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(12);
    m_displayName =
        field("companyDisplayName", QStringLiteral("Nom affiché (ex : Studio Créatif)"), card);
    m_owner = field("companyOwnerName", QStringLiteral("Nom du dirigeant"), card);
    m_legalStatus = field("companyLegalStatus",
                          QStringLiteral("Statut juridique (ex : Micro-entrepreneur)"), card);
    m_siret = field("companySiret", QStringLiteral("SIRET"), card);
    m_address1 =
        field("companyAddressLine1", QStringLiteral("Adresse ligne 1 (numéro, rue)"), card);
    m_address2 =
        field("companyAddressLine2", QStringLiteral("Adresse ligne 2 (code postal, ville)"), card);
    using Field = CompanySettingsForm::Field;
    grid->addLayout(captioned(m_displayName, Field::displayName, card), 0, 0, 1, 2);
    grid->addLayout(captioned(m_owner, Field::ownerName, card), 1, 0);
    grid->addLayout(captioned(m_siret, Field::siret, card), 1, 1);
    grid->addLayout(captioned(m_legalStatus, Field::legalStatus, card), 2, 0, 1, 2);
    grid->addLayout(captioned(m_address1, Field::addressLine1, card), 3, 0, 1, 2);
    grid->addLayout(captioned(m_address2, Field::addressLine2, card), 4, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    content()->addWidget(card);

    auto* logoCard = new QFrame(this);
    theme::setRole(logoCard, "card");
    auto* logoRow = new QHBoxLayout(logoCard);
    logoRow->setContentsMargins(20, 14, 20, 14);
    logoRow->setSpacing(16);
    m_logoPreview = new QLabel(logoCard);
    m_logoPreview->setObjectName(QStringLiteral("companyLogoPreview"));
    m_logoPreview->setFixedSize(logoSize, logoSize);
    m_logoPreview->setAlignment(Qt::AlignCenter);
    logoRow->addWidget(m_logoPreview);
    auto* logoTexts = new QVBoxLayout;
    logoTexts->setSpacing(2);
    logoTexts->addWidget(theme::label(QStringLiteral("Logo de l'entreprise"), "section", logoCard));
    logoTexts->addWidget(theme::label(QStringLiteral("PNG ou SVG recommandé"), "hint", logoCard));
    m_logoError = theme::label(QString(), "error", logoCard);
    m_logoError->setObjectName(QStringLiteral("companyLogoError"));
    m_logoError->hide();
    logoTexts->addWidget(m_logoError);
    logoRow->addLayout(logoTexts, 1);
    m_removeLogo = theme::button(QStringLiteral("Retirer"), "link", logoCard);
    m_removeLogo->setObjectName(QStringLiteral("removeLogoButton"));
    logoRow->addWidget(m_removeLogo);
    QPushButton* choose = theme::button(QStringLiteral("Choisir…"), "", logoCard);
    choose->setObjectName(QStringLiteral("chooseLogoButton"));
    logoRow->addWidget(choose);
    content()->addWidget(logoCard);

    auto* methodsCard = new QFrame(this);
    theme::setRole(methodsCard, "card");
    auto* methodsColumn = new QVBoxLayout(methodsCard);
    methodsColumn->setContentsMargins(20, 14, 20, 14);
    methodsColumn->setSpacing(6);
    methodsColumn->addWidget(
        theme::label(PaymentMethodChoice::sectionTitle(), "section", methodsCard));
    QLabel* methodsHint = theme::label(PaymentMethodChoice::hint(), "hint", methodsCard);
    methodsHint->setWordWrap(true);
    methodsColumn->addWidget(methodsHint);
    m_methods = new PaymentMethodsField(QStringLiteral("companyPaymentMethod"),
                                        PaymentMethodChoice::usualMethods(), methodsCard);
    m_methods->setAccessibleName(PaymentMethodChoice::sectionTitle());
    m_methods->showIcons(CompanySettings());
    methodsColumn->addWidget(m_methods);
    content()->addWidget(methodsCard);
    content()->addStretch(1);

    connect(choose, &QPushButton::clicked, this, &WizardCompanyStep::chooseLogo);
    connect(m_removeLogo, &QPushButton::clicked, this, [this] {
        m_logo.reset();
        m_logoError->hide();
        showLogo();
    });
    for (QLineEdit* edit : {m_displayName, m_owner, m_legalStatus, m_siret, m_address1, m_address2})
        connect(edit, &QLineEdit::returnPressed, this, &WizardStepPage::continueRequested);
    connect(m_siret, &QLineEdit::textChanged, this, &WizardStepPage::inputEdited);
    showLogo();
}

void WizardCompanyStep::chooseLogo() {
    const std::optional<QUrl> chosen = m_dialogs.choose(this, CompanySettingsForm::logoPanel());
    if (!chosen)
        return;
    // The settings' rule first; then, printed on every document, a file that
    // cannot be drawn is refused here rather than found on the first invoice.
    QString refusal = CompanySettingsForm::checkLogo(*chosen);
    if (refusal.isEmpty() && logoPicture(chosen->toLocalFile(), logoSize).isNull())
        refusal = WizardIdentityStep::notAnImageMessage();
    if (!refusal.isEmpty()) {
        m_logoError->setText(refusal);
        m_logoError->show();
        return;
    }
    m_logoError->hide();
    m_logo = chosen;
    showLogo();
}

void WizardCompanyStep::showLogo() {
    QPixmap shown = m_logo ? logoPicture(m_logo->toLocalFile(), logoSize) : QPixmap();
    if (shown.isNull()) {
        QPixmap empty(logoSize, logoSize);
        empty.fill(Qt::transparent);
        QPainter p(&empty);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::Mid), 1.5, Qt::DashLine));
        p.setBrush(palette().color(QPalette::AlternateBase));
        p.drawRoundedRect(QRectF(1, 1, logoSize - 2, logoSize - 2), 10, 10);
        const QPixmap symbol =
            symbolPixmap(QStringLiteral("photo"), 22, palette().color(QPalette::PlaceholderText));
        if (!symbol.isNull())
            p.drawPixmap((logoSize - 22) / 2, (logoSize - 22) / 2, symbol);
        shown = empty;
    }
    m_logoPreview->setPixmap(shown);
    m_removeLogo->setVisible(m_logo.has_value());
}

WizardCompanyIdentity WizardCompanyStep::identity() const {
    WizardCompanyIdentity identity;
    identity.displayName = m_displayName->text().trimmed();
    identity.ownerName = m_owner->text().trimmed();
    identity.legalStatus = m_legalStatus->text().trimmed();
    identity.siret = m_siret->text().trimmed();
    identity.addressLine1 = m_address1->text().trimmed();
    identity.addressLine2 = m_address2->text().trimmed();
    identity.logo = m_logo;
    identity.acceptedPaymentMethods = m_methods->ticked();
    return identity;
}

void WizardCompanyStep::refresh() {
    showLogo();
}

void WizardCompanyStep::updateSymbols() {
    showLogo();
}

void WizardCompanyStep::reset() {
    for (QLineEdit* edit : {m_displayName, m_owner, m_legalStatus, m_siret, m_address1, m_address2})
        edit->clear();
    m_logo.reset();
    m_logoError->hide();
    m_methods->clear();
    showLogo();
}

QWidget* WizardCompanyStep::focusTarget() const {
    return m_displayName;
}

QString WizardCompanyStep::continueText() const {
    return QStringLiteral("Enregistrer et continuer");
}

void WizardCompanyStep::proceed() {
    // A refused SIRET takes the keyboard back, with the message under the step.
    if (!wizard().saveCompany(identity()) && !validationMessage()->isEmpty())
        m_siret->setFocus(Qt::OtherFocusReason);
}

std::optional<QString> WizardCompanyStep::validationMessage() const {
    return CompanySettingsForm::checkText(CompanySettingsForm::Field::siret, m_siret->text());
}

QString WizardCompanyStep::secondaryText() const {
    return QStringLiteral("Passer cette étape");
}

void WizardCompanyStep::proceedSecondary() {
    wizard().skipCompany();
}

} // namespace velmora::gui
