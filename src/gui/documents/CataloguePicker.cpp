#include "gui/documents/CataloguePicker.h"

#include "core/text/AmountParsing.h"
#include "core/text/MoneyFormat.h"
#include "core/text/SearchFolding.h"
#include "gui/common/ClearButton.h"
#include "gui/common/Theme.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::gui {

CataloguePicker::CataloguePicker(const QList<ServiceItem>& services, QWidget* parent)
    : QDialog(parent), m_services(services) {
    setObjectName(QStringLiteral("cataloguePicker"));
    setWindowTitle(QStringLiteral("Remplir depuis le catalogue…"));
    setWindowModality(Qt::WindowModal);
    resize(460, 420);
    auto* layout = new QVBoxLayout(this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("cataloguePickerSearch"));
    m_search->setPlaceholderText(QStringLiteral("Rechercher dans le catalogue…"));
    enableClearButton(m_search);
    layout->addWidget(m_search);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("cataloguePickerList"));
    m_list->setAccessibleName(QStringLiteral("Prestations du catalogue"));
    for (const ServiceItem& service : m_services) {
        const std::optional<double> price = parseAmount(service.priceTTC);
        auto* item = new QListWidgetItem(
            service.title.trimmed() +
                (price ? QStringLiteral(" — ") + formatMoney(*price) : QString()),
            m_list);
        item->setData(Qt::UserRole, service.id);
        item->setToolTip(service.description);
    }
    layout->addWidget(m_list, 1);
    auto* empty = theme::label(QStringLiteral("Le catalogue est vide : ajoutez vos prestations "
                                              "dans la section Catalogue."),
                               "hint", this);
    empty->setWordWrap(true);
    empty->setVisible(m_services.isEmpty());
    layout->addWidget(empty);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cataloguePickerCancel"));
    cancel->setAutoDefault(false);
    m_choose = buttons->addButton(QStringLiteral("Choisir"), QDialogButtonBox::AcceptRole);
    m_choose->setObjectName(QStringLiteral("cataloguePickerChoose"));
    m_choose->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_choose, &QPushButton::clicked, this, &CataloguePicker::choose);
    layout->addWidget(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &CataloguePicker::filter);
    connect(m_list, &QListWidget::itemActivated, this, &CataloguePicker::choose);
    connect(m_list, &QListWidget::currentItemChanged, this, &CataloguePicker::showChoice);
    // Return in the search field, or anywhere else, takes the service
    // selected, or the first one shown.
    connect(m_search, &QLineEdit::returnPressed, this, &CataloguePicker::choose);
    showChoice();
}

QListWidgetItem* CataloguePicker::candidate() const {
    if (QListWidgetItem* current = m_list->currentItem(); current && !current->isHidden())
        return current;
    for (int i = 0; i < m_list->count(); ++i)
        if (!m_list->item(i)->isHidden())
            return m_list->item(i);
    return nullptr;
}

void CataloguePicker::choose() {
    // Return may reach the picker twice: from the list, then as its default.
    if (m_chosen)
        return;
    if (QListWidgetItem* item = candidate()) {
        m_chosen = item->data(Qt::UserRole).toUuid();
        accept();
    }
}

void CataloguePicker::showChoice() {
    m_choose->setEnabled(candidate() != nullptr);
}

void CataloguePicker::filter(const QString& query) {
    for (int i = 0; i < m_list->count(); ++i) {
        const ServiceItem& service = m_services.at(i);
        m_list->item(i)->setHidden(!matchesSearch(query, {service.title, service.description}));
    }
    showChoice();
}

} // namespace velmora::gui
