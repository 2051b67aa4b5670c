#include "gui/settings/SidebarPage.h"

#include "core/store/AppDataStore.h"
#include "gui/common/Icons.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/Theme.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

constexpr int iconSize = 18;

} // namespace

SidebarPage::SidebarPage(AppDataStore& store, Dialogs& dialogs, QWidget* parent)
    : SettingsPanel(dialogs, parent), m_store(store), m_editor(store.preferences()) {
    auto* layout =
        settingslayout::pageLayout(this, SidebarMenuEditor::title(), SidebarMenuEditor::intro());

    m_list = new QListWidget;
    m_list->setObjectName(QStringLiteral("sidebarList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSpacing(1);
    m_list->setMinimumHeight(9 * 40);
    // Each row is a widget of its own with its margins; the items' padding of
    // the application's lists would cut it.
    m_list->setStyleSheet(QStringLiteral("QListWidget#sidebarList::item { padding: 0px; }"));

    m_up = new QPushButton(SidebarMenuEditor::moveUpButton());
    m_up->setObjectName(QStringLiteral("sidebarMoveUp"));
    m_down = new QPushButton(SidebarMenuEditor::moveDownButton());
    m_down->setObjectName(QStringLiteral("sidebarMoveDown"));
    auto* resetButton = new QPushButton(SidebarMenuEditor::resetButton());
    resetButton->setObjectName(QStringLiteral("sidebarReset"));
    auto* side = new QVBoxLayout;
    side->setSpacing(8);
    side->addWidget(m_up);
    side->addWidget(m_down);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    body->addWidget(m_list, 1);
    body->addLayout(side);
    layout->addLayout(body, 1);

    m_error = settingslayout::errorLabel(QStringLiteral("sidebarError"));
    layout->addWidget(m_error);

    auto* footer = new QHBoxLayout;
    footer->addWidget(resetButton);
    footer->addStretch();
    layout->addLayout(footer);

    showItems(0);
    refreshIcons();
    connect(m_list, &QListWidget::currentRowChanged, this, &SidebarPage::updateButtons);
    connect(m_up, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(m_down, &QPushButton::clicked, this, [this] { moveSelected(+1); });
    connect(resetButton, &QPushButton::clicked, this, &SidebarPage::reset);
    followSession(this, m_store, {SessionField::preferences}, [this] { reloadFromStore(); });
}

QLineEdit* SidebarPage::nameField(int row) const {
    QListWidgetItem* item = m_list->item(row);
    QWidget* widget = item ? m_list->itemWidget(item) : nullptr;
    return widget ? widget->findChild<QLineEdit*>() : nullptr;
}

QCheckBox* SidebarPage::enabledBox(int row) const {
    QListWidgetItem* item = m_list->item(row);
    QWidget* widget = item ? m_list->itemWidget(item) : nullptr;
    return widget ? widget->findChild<QCheckBox*>() : nullptr;
}

void SidebarPage::refreshIcons() {
    m_up->setIcon(symbolIcon(QStringLiteral("chevron.up")));
    m_down->setIcon(symbolIcon(QStringLiteral("chevron.down")));
    for (int row = 0; row < m_list->count(); ++row) {
        QWidget* widget = m_list->itemWidget(m_list->item(row));
        if (auto* icon =
                widget ? widget->findChild<QLabel*>(QStringLiteral("sidebarIcon")) : nullptr)
            icon->setPixmap(symbolPixmap(m_editor.items().value(row).systemName, iconSize));
    }
}

QWidget* SidebarPage::rowWidget(int row) {
    const SidebarMenuItemConfig& config = m_editor.items()[row];
    auto* widget = new QWidget;
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(10, 3, 10, 3);
    layout->setSpacing(12);

    auto* box = new QCheckBox;
    box->setObjectName(QStringLiteral("sidebarEnabled"));
    box->setChecked(config.isEnabled);
    if (m_editor.isDashboard(row)) {
        // The session opens on the dashboard: it stays, and says why.
        box->setEnabled(false);
        box->setToolTip(SidebarMenuEditor::dashboardRequiredMessage());
    }
    auto* icon = new QLabel;
    icon->setObjectName(QStringLiteral("sidebarIcon"));
    icon->setFixedSize(iconSize, iconSize);
    icon->setPixmap(symbolPixmap(config.systemName, iconSize));
    auto* name = new QLineEdit(config.displayName);
    name->setObjectName(QStringLiteral("sidebarName"));

    layout->addWidget(box);
    layout->addWidget(icon);
    layout->addWidget(name, 1);
    for (QWidget* child : {static_cast<QWidget*>(box), static_cast<QWidget*>(name)})
        child->installEventFilter(this);
    connect(name, &QLineEdit::textEdited, this,
            [this, name](const QString& text) { rename(name, text); });
    commitOnLeave(name, [this] { return settle(); });
    connect(box, &QCheckBox::toggled, this, [this, box](bool enabled) { switchRow(box, enabled); });
    return widget;
}

int SidebarPage::rowOf(const QWidget* child) const {
    for (int row = 0; row < m_list->count(); ++row) {
        const QWidget* widget = m_list->itemWidget(m_list->item(row));
        if (widget && widget->isAncestorOf(child))
            return row;
    }
    return -1;
}

bool SidebarPage::eventFilter(QObject* watched, QEvent* event) {
    // Working in a row selects it, so that "Monter" and "Descendre" move it.
    if (event->type() == QEvent::FocusIn)
        if (const int row = rowOf(qobject_cast<QWidget*>(watched)); row >= 0)
            m_list->setCurrentRow(row);
    return SettingsPanel::eventFilter(watched, event);
}

void SidebarPage::showItems(int selectedRow) {
    m_list->clear();
    for (int row = 0; row < int(m_editor.count()); ++row) {
        auto* item = new QListWidgetItem;
        QWidget* widget = rowWidget(row);
        widget->ensurePolished();
        item->setSizeHint(QSize(0, widget->sizeHint().height() + 4));
        m_list->addItem(item);
        m_list->setItemWidget(item, widget);
    }
    if (m_list->count() > 0)
        m_list->setCurrentRow(std::clamp(selectedRow, 0, m_list->count() - 1));
    updateButtons();
}

void SidebarPage::updateButtons() {
    const int row = m_list->currentRow();
    m_up->setEnabled(m_editor.canMoveUp(row));
    m_down->setEnabled(m_editor.canMoveDown(row));
}

void SidebarPage::rename(QLineEdit* field, const QString& name) {
    const int row = rowOf(field);
    if (row < 0)
        return;
    settingslayout::setMessage(m_error, m_editor.setName(row, name));
}

void SidebarPage::switchRow(QCheckBox* box, bool enabled) {
    const int row = rowOf(box);
    if (row < 0)
        return;
    const QString message = m_editor.setEnabled(row, enabled);
    if (!message.isEmpty()) {
        const QSignalBlocker block(box);
        box->setChecked(true);
        settingslayout::setMessage(m_error, message);
        return;
    }
    showRefused(settle());
}

void SidebarPage::moveSelected(int step) {
    const int row = m_list->currentRow();
    if (!m_editor.move(row, row + step))
        return;
    showItems(row + step);
    showRefused(settle());
}

void SidebarPage::reset() {
    m_editor.resetToDefaults();
    settingslayout::setMessage(m_error, QString());
    showItems(m_list->currentRow());
    showRefused(settle());
}

QWidget* SidebarPage::settle() {
    if (!m_editor.hasChanges())
        return nullptr;
    qsizetype wrongRow = -1;
    if (const QString message = m_editor.validate(&wrongRow); !message.isEmpty()) {
        settingslayout::setMessage(m_error, message);
        if (wrongRow < 0)
            return nullptr;
        m_list->setCurrentRow(int(wrongRow));
        m_list->scrollToItem(m_list->item(int(wrongRow)));
        return nameField(int(wrongRow));
    }
    m_applying = true;
    const Result<> result = m_store.edit([&](SessionEdit& edit) { return m_editor.apply(edit); });
    m_applying = false;
    settingslayout::setMessage(m_error, QString());
    // A failed save keeps the list as the user made it; the alert says why
    // and the next change tries again.
    if (report(result))
        showNames();
    return nullptr;
}

void SidebarPage::discard() {
    m_editor.load(m_store.preferences());
    settingslayout::setMessage(m_error, QString());
    showItems(m_list->currentRow());
}

// The names as written, trimmed, without rebuilding the rows: one of them
// may be the field being left.
void SidebarPage::showNames() {
    for (int row = 0; row < m_list->count(); ++row) {
        QLineEdit* field = nameField(row);
        const QString written = m_editor.items().value(row).displayName;
        if (field && field->text() != written)
            field->setText(written);
    }
}

void SidebarPage::reloadFromStore() {
    // Unsaved edits of the user win over a change made elsewhere.
    if (m_applying || m_editor.hasChanges())
        return;
    m_editor.load(m_store.preferences());
    showItems(m_list->currentRow());
}

} // namespace velmora::gui
