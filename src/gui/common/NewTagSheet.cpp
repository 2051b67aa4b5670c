#include "gui/common/NewTagSheet.h"

#include "core/store/AppDataStore.h"
#include "gui/common/TagChips.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

namespace velmora::gui {

QComboBox* tagColorBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    for (int i = 0; i <= int(TagColorOption::gray); ++i) {
        const auto color = TagColorOption(i);
        box->addItem(tagDot(color), displayName(color), i);
    }
    return box;
}

NewTagSheet::NewTagSheet(Create create, QWidget* parent)
    : FormSheet(QStringLiteral("newTag"), NewTag::title(), parent), m_create(std::move(create)) {
    setMinimumWidth(400);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("newTagName"));
    addRow(QStringLiteral("Nom"), m_name);
    m_color = tagColorBox(this);
    m_color->setObjectName(QStringLiteral("newTagColor"));
    m_color->setCurrentIndex(int(TagColorOption::blue));
    addRow(QStringLiteral("Couleur"), m_color);
}

bool NewTagSheet::save() {
    const Result<QUuid> made =
        m_create(m_name->text(), TagColorOption(m_color->currentData().toInt()));
    if (!made.ok()) {
        showError(made.error());
        return false;
    }
    emit created(made.value());
    return true;
}

void offerNewTags(TagChips* chips, AppDataStore& store, NewTag::TagList list,
                  NewTag::WritableTagList writable, std::function<void(const QUuid&)> checked) {
    chips->setAddable(NewTag::title());
    QObject::connect(chips, &TagChips::addRequested, chips, [=, &store] {
        auto* sheet = new NewTagSheet(
            [=, &store](const QString& name, TagColorOption color) {
                return store.edit([&](SessionEdit& edit) {
                    return NewTag::add(edit, list, writable, name, color);
                });
            },
            chips->window());
        sheet->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(sheet, &NewTagSheet::created, chips, [=, &store](const QUuid& id) {
            chips->setTags(store.session().*list);
            chips->setChecked(chips->checked() + QSet<QUuid>{id});
            checked(id);
        });
        sheet->open();
    });
}

TagChips* tagPicker(const QString& name, AppDataStore& store, NewTag::TagList list,
                    NewTag::WritableTagList writable, const QList<QUuid>& checked,
                    std::function<void(const QUuid&, bool)> toggled, QWidget* parent) {
    auto* chips = new TagChips(parent);
    chips->setObjectName(name);
    chips->setTags(store.session().*list);
    chips->setChecked(QSet<QUuid>(checked.cbegin(), checked.cend()));
    QObject::connect(chips, &TagChips::toggled, parent, toggled);
    offerNewTags(chips, store, list, writable, [toggled](const QUuid& id) { toggled(id, true); });
    return chips;
}

} // namespace velmora::gui
