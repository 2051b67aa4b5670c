#include "gui/launch/WizardLocationStep.h"

#include "gui/common/Dialogs.h"
#include "gui/common/ElidedText.h"
#include "gui/common/Icons.h"
#include "gui/common/Theme.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>

namespace velmora::gui {

WizardLocationStep::WizardLocationStep(SessionWizard& flow, Dialogs& dialogs, QWidget* parent)
    : WizardStepPage(flow, SessionWizard::Step::location, parent), m_dialogs(dialogs) {
    auto* card = new QFrame(this);
    theme::setRole(card, "card");
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(20, 18, 20, 18);
    row->setSpacing(16);

    auto* icon = new QLabel(card);
    icon->setFixedSize(40, 40);
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(symbolPixmap(QStringLiteral("folder"), 30, theme::accent()));
    row->addWidget(icon, 0, Qt::AlignVCenter);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    m_fileName = theme::label(QString(), "section", card);
    m_fileName->setObjectName(QStringLiteral("locationFileName"));
    // A folder deep in the tree keeps its start and its end.
    m_folder = new ElidedLabel(Qt::ElideMiddle, card);
    m_folder->setProperty("role", QStringLiteral("hint"));
    m_folder->setObjectName(QStringLiteral("locationPath"));
    m_folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    texts->addWidget(m_fileName);
    texts->addWidget(m_folder);
    row->addLayout(texts, 1);

    QPushButton* choose = theme::button(QStringLiteral("Choisir…"), "", card);
    choose->setObjectName(QStringLiteral("chooseLocationButton"));
    row->addWidget(choose, 0, Qt::AlignVCenter);
    connect(choose, &QPushButton::clicked, this, &WizardLocationStep::chooseLocation);

    content()->addWidget(card);
    content()->addStretch(1);
}

QString WizardLocationStep::proposedFile(const QString& sessionName) {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QFileInfo(documents).isDir())
        documents = QDir::homePath();
    // A name is typed freely; a file name holds no folder separator.
    QString name = sessionName.trimmed();
    for (QChar& c : name)
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            c = QLatin1Char('-');
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        return QDir(documents).filePath(SessionWizard::locationPanel().proposedName);
    return QDir(documents).filePath(name + QStringLiteral(".cdb"));
}

void WizardLocationStep::chooseLocation() {
    FilePanel panel = SessionWizard::locationPanel();
    panel.proposedName = proposedFile(wizard().sessionName());
    const std::optional<QUrl> chosen = m_dialogs.choose(this, panel);
    if (!chosen)
        return;
    // A refused folder shows its reason through the wizard's error.
    wizard().chooseLocation(*chosen);
    refresh();
}

void WizardLocationStep::refresh() {
    if (const std::optional<QUrl>& location = wizard().location()) {
        const QFileInfo file(location->toLocalFile());
        m_fileName->setText(file.fileName());
        m_folder->setText(QDir::toNativeSeparators(file.absolutePath()));
    } else {
        m_fileName->setText(QStringLiteral("Aucun emplacement choisi"));
        m_folder->setText(QStringLiteral("Le fichier sera créé à l’endroit de votre choix."));
    }
    emit canContinueChanged();
}

bool WizardLocationStep::canContinue() const {
    return wizard().location().has_value();
}

void WizardLocationStep::proceed() {
    wizard().continueFromLocation();
}

} // namespace velmora::gui
