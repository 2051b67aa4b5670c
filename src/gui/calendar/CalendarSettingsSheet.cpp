#include "gui/calendar/CalendarSettingsSheet.h"

#include "core/calendar/CalendarEventForm.h"
#include "core/calendar/CalendarFilters.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora::gui {

using namespace Qt::StringLiterals;

namespace {

struct NamedColor {
    const char16_t* name;
    const char16_t* hex;
};
// The default first, then the colours the categories use.
constexpr NamedColor kTagColors[] = {
    {u"Bleu", u"#0A84FF"},   {u"Vert", u"#30D158"},  {u"Rouge", u"#FF453A"},
    {u"Orange", u"#FF9F0A"}, {u"Jaune", u"#FFD60A"}, {u"Violet", u"#BF5AF2"},
    {u"Cyan", u"#64D2FF"},   {u"Rose", u"#FF375F"},  {u"Gris", u"#8E8E93"},
};

QString idOf(const QTreeWidgetItem* item) {
    return item->data(0, Qt::UserRole).toString();
}

} // namespace

CalendarSettingsSheet::CalendarSettingsSheet(AppDataStore& store, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_store(store), m_dialogs(dialogs) {
    setObjectName(u"calendarSettingsSheet"_s);
    setWindowTitle(u"Paramètres du calendrier"_s);
    auto* layout = new QVBoxLayout(this);

    layout->addWidget(theme::label(u"Filtres"_s, "section", this));
    QLabel* hint = theme::label(u"Désactivez un filtre pour masquer ses événements du calendrier "
                                u"et de la synchronisation du calendrier système. Glissez pour "
                                u"réordonner."_s,
                                "hint", this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    m_filters = new QTreeWidget(this);
    m_filters->setObjectName(u"calendarFilterList"_s);
    m_filters->setAccessibleName(u"Filtres du calendrier"_s);
    m_filters->setHeaderLabels({u"Filtre"_s, u"Dans la barre"_s});
    m_filters->setRootIsDecorated(false);
    m_filters->setDragDropMode(QAbstractItemView::InternalMove);
    m_filters->header()->setStretchLastSection(false);
    m_filters->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_filters->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    connect(m_filters, &QTreeWidget::itemChanged, this, [this] {
        if (!m_filling)
            saveFilters();
    });
    // A drop inserts the moved row before it removes the old one: the order
    // is read once the move is done.
    connect(m_filters->model(), &QAbstractItemModel::rowsInserted, this, [this] {
        if (!m_filling)
            QMetaObject::invokeMethod(this, &CalendarSettingsSheet::saveFilters,
                                      Qt::QueuedConnection);
    });
    layout->addWidget(m_filters, 3);

    layout->addWidget(theme::label(u"Tags personnalisés"_s, "section", this));
    m_tags = new QListWidget(this);
    m_tags->setObjectName(u"calendarTagList"_s);
    m_tags->setAccessibleName(u"Tags personnalisés"_s);
    m_tags->setIconSize(QSize(12, 12));
    layout->addWidget(m_tags, 1);
    m_noTags = theme::label(u"Aucun tag. Créez-en un avec le bouton +."_s, "hint", this);
    m_noTags->setObjectName(u"calendarNoTags"_s);
    layout->addWidget(m_noTags);

    auto* addRow = new QHBoxLayout;
    m_tagName = new QLineEdit(this);
    m_tagName->setObjectName(u"calendarTagName"_s);
    m_tagName->setPlaceholderText(u"Nom du tag"_s);
    m_tagName->setAccessibleName(u"Nom du tag"_s);
    addRow->addWidget(m_tagName, 1);
    m_tagColor = new QComboBox(this);
    m_tagColor->setObjectName(u"calendarTagColor"_s);
    m_tagColor->setAccessibleName(u"Couleur du tag"_s);
    for (const NamedColor& color : kTagColors) {
        const QString hex = QString::fromUtf16(color.hex);
        m_tagColor->addItem(colorDot(QColor(hex)), QString::fromUtf16(color.name), hex);
    }
    addRow->addWidget(m_tagColor);
    auto* add = new QToolButton(this);
    add->setObjectName(u"calendarTagAdd"_s);
    add->setIcon(symbolIcon(u"plus"_s));
    add->setToolTip(u"Ajouter le tag"_s);
    add->setAccessibleName(u"Ajouter le tag"_s);
    connect(add, &QToolButton::clicked, this, &CalendarSettingsSheet::addTag);
    connect(m_tagName, &QLineEdit::returnPressed, this, &CalendarSettingsSheet::addTag);
    addRow->addWidget(add);
    auto* remove = new QToolButton(this);
    remove->setObjectName(u"calendarTagDelete"_s);
    remove->setIcon(symbolIcon(u"trash"_s));
    remove->setToolTip(u"Supprimer le tag"_s);
    remove->setAccessibleName(u"Supprimer le tag"_s);
    connect(remove, &QToolButton::clicked, this, &CalendarSettingsSheet::deleteTag);
    addRow->addWidget(remove);
    layout->addLayout(addRow);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(u"Fermer"_s, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(&m_store, &AppDataStore::sessionChanged, this, [this](const SessionFields& fields) {
        if (fields.contains(SessionField::preferences) ||
            fields.contains(SessionField::customCalendarTags))
            refresh();
    });
    refresh();
    resize(520, 640);
}

void CalendarSettingsSheet::refresh() {
    const AppDatabase& db = m_store.session();
    const AppPreferences& prefs = db.preferences;
    const QList<CalendarFilter> all = calendarFilters(db.customCalendarTags);
    // Every filter is listed, hidden ones too: the order puts them all.
    const QList<CalendarFilter> ordered =
        orderedCalendarFilters(all, prefs.calendarFilterOrder, {});
    const QList<CalendarFilter> shown =
        orderedCalendarFilters(all, prefs.calendarFilterOrder, prefs.calendarHiddenFilters);
    m_filling = true;
    m_filters->clear();
    for (const CalendarFilter& filter : ordered) {
        auto* item = new QTreeWidgetItem(m_filters, {filter.label, QString()});
        item->setData(0, Qt::UserRole, filter.id);
        item->setIcon(0, colorDot(QColor(filter.color)));
        item->setFlags((item->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsDragEnabled) &
                       ~Qt::ItemIsDropEnabled);
        item->setCheckState(0, isCalendarFilterEnabled(prefs, filter.id) ? Qt::Checked
                                                                         : Qt::Unchecked);
        item->setCheckState(1, shown.contains(filter) ? Qt::Checked : Qt::Unchecked);
    }
    m_filling = false;

    m_tags->clear();
    for (const CustomCalendarTag& tag : db.customCalendarTags) {
        auto* item = new QListWidgetItem(colorDot(QColor(tag.hexColor)), tag.name, m_tags);
        item->setData(Qt::UserRole, tag.id);
    }
    m_tags->setVisible(!db.customCalendarTags.isEmpty());
    m_noTags->setVisible(db.customCalendarTags.isEmpty());
}

void CalendarSettingsSheet::saveFilters() {
    QList<QString> order;
    QList<std::pair<QString, bool>> enabled, shown;
    for (int row = 0; row < m_filters->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = m_filters->topLevelItem(row);
        order << idOf(item);
        enabled.append({idOf(item), item->checkState(0) == Qt::Checked});
        shown.append({idOf(item), item->checkState(1) == Qt::Checked});
    }
    m_store.edit([&](SessionEdit& edit) {
        AppPreferences& prefs = edit.preferences();
        prefs.calendarFilterOrder = order;
        for (const auto& [id, on] : enabled)
            setCalendarFilterEnabled(prefs, id, on);
        for (const auto& [id, on] : shown)
            setCalendarFilterShown(prefs, id, on);
        return Result<>();
    });
}

void CalendarSettingsSheet::addTag() {
    const QString name = m_tagName->text();
    const QString color = m_tagColor->currentData().toString();
    const Result<> added =
        m_store.edit([&](SessionEdit& edit) { return addCalendarTag(edit, name, color); });
    if (added.ok())
        m_tagName->clear();
    m_tagName->setFocus();
}

void CalendarSettingsSheet::deleteTag() {
    const QListWidgetItem* item = m_tags->currentItem();
    if (!item)
        return;
    const QUuid id = item->data(Qt::UserRole).toUuid();
    if (!confirm(m_dialogs, this, calendarTagDeletionConfirmation(item->text())))
        return;
    m_store.edit([&](SessionEdit& edit) { return deleteCalendarTag(edit, id); });
}

} // namespace velmora::gui
