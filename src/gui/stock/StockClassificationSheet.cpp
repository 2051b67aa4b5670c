#include "gui/stock/StockClassificationSheet.h"

#include "core/lists/RecordListModel.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FieldFeedback.h"
#include "gui/common/FormSheet.h"
#include "gui/common/Icons.h"
#include "gui/common/NewTagSheet.h"
#include "gui/common/RecordDelegate.h"
#include "gui/common/SectionServices.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace velmora::gui {

namespace SC = StockClassification;

// The entries of one level, with the names of what each links to under it
// and, for tags and sub-tags, their colour's dot.
class StockClassListModel : public RecordListModel<StockClassEntry> {
public:
    StockClassListModel(StockClassLevel level, QObject* parent)
        : RecordListModel<StockClassEntry>(parent), m_level(level) {}

    int columnCount(const QModelIndex& = {}) const override { return 1; }

    void refresh(const AppDatabase& session) {
        QHash<QUuid, QString> links;
        const QList<StockClassEntry> all = SC::entries(session, m_level);
        for (const StockClassEntry& e : all)
            links.insert(e.id, SC::linkedNames(session, m_level, e.links));
        const bool renamed = links != m_links;
        m_links = std::move(links);
        setRecords(all);
        // A parent renamed changes the second lines of records that are the same.
        if (renamed && rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
    }

protected:
    QVariant recordData(const StockClassEntry& record, int, int role) const override {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return record.name;
        case Qt::ToolTipRole:
        case SubtitleRole: {
            const QString names = m_links.value(record.id);
            return names.isEmpty() ? QVariant() : QVariant(names);
        }
        case TagColorsRole:
            if (SC::hasColor(m_level))
                return QVariantList{int(record.color)};
            return {};
        default:
            return {};
        }
    }

private:
    StockClassLevel m_level;
    QHash<QUuid, QString> m_links;
};

namespace {

QString levelKey(StockClassLevel level) {
    switch (level) {
    case StockClassLevel::category:
        return QStringLiteral("category");
    case StockClassLevel::subCategory:
        return QStringLiteral("subCategory");
    case StockClassLevel::tag:
        return QStringLiteral("tag");
    case StockClassLevel::subTag:
        return QStringLiteral("subTag");
    }
    return {};
}

// One entry's name, colour and links: "Nouvelle catégorie" or "Modifier la
// catégorie". `saved` receives the id of the entry written.
class StockClassEntrySheet : public FormSheet {
public:
    StockClassEntrySheet(AppDataStore& store, StockClassLevel level,
                         const std::optional<StockClassEntry>& existing,
                         std::function<void(const QUuid&)> saved, QWidget* parent)
        : FormSheet(QStringLiteral("stockClassEntry"),
                    existing ? SC::editTitle(level) : SC::newTitle(level), parent),
          m_store(store), m_level(level), m_saved(std::move(saved)) {
        setMinimumWidth(440);
        if (existing)
            m_fields = *existing;

        m_name = new QLineEdit(this);
        m_name->setObjectName(QStringLiteral("stockClassEntryName"));
        m_name->setText(m_fields.name);
        addRow(QStringLiteral("Nom"), m_name);
        connect(m_name, &QLineEdit::textEdited, this, [this] { markRefused(m_name, false); });

        if (SC::hasColor(level)) {
            m_color = tagColorBox(this);
            m_color->setObjectName(QStringLiteral("stockClassEntryColor"));
            m_color->setCurrentIndex(int(m_fields.color));
            addRow(QStringLiteral("Couleur"), m_color);
        }

        if (const std::optional<StockClassLevel> linked = SC::linkedLevel(level))
            addLinks(*linked);
    }

protected:
    bool save() override {
        StockClassEntry fields = m_fields;
        fields.name = m_name->text();
        if (m_color)
            fields.color = TagColorOption(m_color->currentData().toInt());
        fields.links.clear();
        for (const auto& [id, box] : std::as_const(m_links))
            if (box->isChecked())
                fields.links.append(id);

        QUuid id = fields.id;
        const Result<> outcome = m_store.edit([&](SessionEdit& edit) -> Result<> {
            if (!fields.id.isNull())
                return SC::update(edit, m_level, fields);
            const Result<QUuid> added = SC::add(edit, m_level, fields);
            if (added.ok())
                id = added.value();
            return Result<>(added);
        });
        if (outcome.kind() == ResultKind::invalid) {
            refuseField(m_name, outcome.error());
            return false;
        }
        if (!applied(outcome))
            return false;
        m_saved(id);
        return true;
    }

private:
    void addLinks(StockClassLevel linked) {
        const QList<StockClassEntry> choices = SC::entries(m_store.session(), linked);
        const QString label = SC::label(m_store.session().stockSettings, linked);
        if (choices.isEmpty()) {
            auto* none = theme::label(SC::emptyText(linked), "hint", this);
            none->setObjectName(QStringLiteral("stockClassEntryNoLinks"));
            addRow(label, none);
            return;
        }
        auto* column = new QVBoxLayout;
        column->setSpacing(6);
        QWidget* first = nullptr;
        for (const StockClassEntry& choice : choices) {
            auto* box = new QCheckBox(choice.name, this);
            box->setObjectName(QStringLiteral("stockClassEntryLink_") + choice.name);
            box->setAccessibleName(label + QStringLiteral(" : ") + choice.name);
            if (SC::hasColor(linked))
                box->setIcon(tagDot(choice.color));
            box->setChecked(m_fields.links.contains(choice.id));
            // As wide as its text, so a click beside it does not tick it.
            column->addWidget(box, 0, Qt::AlignLeft);
            m_links.append({choice.id, box});
            if (!first)
                first = box;
        }
        addRow(label, column, first);
    }

    AppDataStore& m_store;
    StockClassLevel m_level;
    std::function<void(const QUuid&)> m_saved;
    StockClassEntry m_fields;
    QLineEdit* m_name = nullptr;
    QComboBox* m_color = nullptr;
    QList<std::pair<QUuid, QCheckBox*>> m_links;
};

} // namespace

StockClassificationSheet::StockClassificationSheet(const SectionServices& services, QWidget* parent)
    : QDialog(parent), m_store(services.store), m_dialogs(services.dialogs) {
    setObjectName(QStringLiteral("stockClassificationSheet"));
    setWindowTitle(title());
    setModal(true);
    setMinimumSize(720, 600);
    resize(860, 720);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 22, 24, 20);
    layout->setSpacing(12);
    layout->addWidget(theme::label(title(), "section"));
    auto* intro = theme::label(QStringLiteral("Classez vos articles, vos achats prévus et vos "
                                              "dépenses. Chaque modification est enregistrée "
                                              "aussitôt."),
                               "hint");
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* grid = new QGridLayout;
    grid->setSpacing(12);
    for (const StockClassLevel level : SC::levels) {
        const int at = int(m_panes.size());
        m_panes.append(makePane(level));
        grid->addWidget(m_panes.last().card, at / 2, at % 2);
    }
    layout->addLayout(grid, 1);

    m_error = settingslayout::errorLabel(QStringLiteral("stockClassificationError"));
    m_error->setWordWrap(true);
    layout->addWidget(m_error);

    // No default button: Return opens the entry chosen in a list.
    auto* close = new QPushButton(closeText(), this);
    close->setObjectName(QStringLiteral("stockClassificationClose"));
    close->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    followSession(this, m_store,
                  {SessionField::stockCategories, SessionField::stockSubCategories,
                   SessionField::stockTags, SessionField::stockSubTags,
                   SessionField::stockSettings},
                  [this] { refresh(); });
    refresh();
}

StockClassificationSheet::Pane StockClassificationSheet::makePane(StockClassLevel level) {
    const QString key = levelKey(level);
    Pane pane;
    pane.level = level;

    auto* card = pane.card = new QFrame(this);
    theme::setRole(card, "card");
    auto* column = new QVBoxLayout(card);
    column->setContentsMargins(14, 12, 14, 12);
    column->setSpacing(8);
    pane.title = new QLabel(card);
    // Under the sheet's own title: the weight tells the level, not the size.
    QFont bold = pane.title->font();
    bold.setWeight(QFont::DemiBold);
    pane.title->setFont(bold);
    // Level with the names of the rows below, which the list's rows inset.
    pane.title->setContentsMargins(14, 0, 0, 0);
    pane.title->setObjectName(QStringLiteral("stockClassTitle_") + key);
    column->addWidget(pane.title);

    pane.list = new QListView(card);
    pane.list->setObjectName(QStringLiteral("stockClassList_") + key);
    pane.model = new StockClassListModel(level, pane.list);
    pane.list->setModel(pane.model);
    pane.list->setItemDelegate(new RecordDelegate(pane.list));
    pane.list->setSelectionMode(QAbstractItemView::SingleSelection);
    pane.list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pane.list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane.list->setUniformItemSizes(false);
    theme::setRole(pane.list, "records");
    pane.empty = theme::label(SC::emptyText(level), "hint", card);
    pane.empty->setObjectName(QStringLiteral("stockClassEmpty_") + key);
    pane.empty->setAlignment(Qt::AlignCenter);
    pane.empty->setWordWrap(true);
    auto* holder = new QWidget(card);
    pane.stack = new QStackedLayout(holder);
    pane.stack->addWidget(pane.list);
    pane.stack->addWidget(pane.empty);
    column->addWidget(holder, 1);

    pane.add = new QPushButton(symbolIcon(QStringLiteral("plus")), QStringLiteral("Ajouter"), card);
    pane.add->setObjectName(QStringLiteral("stockClassAdd_") + key);
    pane.add->setToolTip(SC::newTitle(level));
    pane.add->setAccessibleName(SC::newTitle(level));
    pane.edit = new QPushButton(QStringLiteral("Modifier"), card);
    pane.edit->setObjectName(QStringLiteral("stockClassEdit_") + key);
    pane.edit->setToolTip(SC::editTitle(level));
    pane.edit->setAccessibleName(SC::editTitle(level));
    const QString removeText = SC::deleteText(level);
    pane.remove =
        new QPushButton(symbolIcon(QStringLiteral("trash")), QStringLiteral("Supprimer"), card);
    pane.remove->setObjectName(QStringLiteral("stockClassDelete_") + key);
    pane.remove->setToolTip(removeText);
    pane.remove->setAccessibleName(removeText);
    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    for (QPushButton* button : {pane.add, pane.edit, pane.remove}) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    row->addStretch();
    column->addLayout(row);

    // The context menu and the Delete key (see eventFilter) act on the entry
    // chosen in the list.
    auto* editAction = new QAction(SC::editTitle(level), pane.list);
    auto* removeAction = new QAction(removeText, pane.list);
    pane.list->installEventFilter(this);
    pane.list->addAction(editAction);
    pane.list->addAction(removeAction);
    pane.list->setContextMenuPolicy(Qt::ActionsContextMenu);

    const int index = int(m_panes.size());
    const auto paneAt = [this, index]() -> const Pane& { return m_panes.at(index); };
    connect(pane.add, &QPushButton::clicked, this, [this, level] { addEntry(level); });
    connect(pane.edit, &QPushButton::clicked, this, [=, this] { editSelected(paneAt()); });
    connect(editAction, &QAction::triggered, this, [=, this] { editSelected(paneAt()); });
    connect(pane.list, &QListView::activated, this, [=, this] { editSelected(paneAt()); });
    connect(pane.remove, &QPushButton::clicked, this, [=, this] { removeSelected(paneAt()); });
    connect(removeAction, &QAction::triggered, this, [=, this] { removeSelected(paneAt()); });
    connect(pane.list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [=, this] { updateButtons(paneAt()); });
    return pane;
}

bool StockClassificationSheet::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Delete)) {
        for (const Pane& pane : std::as_const(m_panes)) {
            if (pane.list == watched) {
                removeSelected(pane);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void StockClassificationSheet::refresh() {
    const AppDatabase& session = m_store.session();
    for (const Pane& pane : std::as_const(m_panes)) {
        const QString label = SC::label(session.stockSettings, pane.level);
        pane.title->setText(label);
        pane.list->setAccessibleName(label);
        pane.model->refresh(session);
        pane.stack->setCurrentWidget(pane.model->rowCount() > 0 ? static_cast<QWidget*>(pane.list)
                                                                : pane.empty);
        updateButtons(pane);
    }
}

void StockClassificationSheet::updateButtons(const Pane& pane) {
    const bool chosen = !selected(pane).isNull();
    pane.edit->setEnabled(chosen);
    pane.remove->setEnabled(chosen);
    for (QAction* action : pane.list->actions())
        action->setEnabled(chosen);
}

QUuid StockClassificationSheet::selected(const Pane& pane) const {
    const QModelIndexList rows = pane.list->selectionModel()->selectedRows();
    return rows.isEmpty() ? QUuid() : pane.model->idAt(rows.first().row());
}

void StockClassificationSheet::select(StockClassLevel level, const QUuid& id) {
    for (const Pane& pane : std::as_const(m_panes)) {
        if (pane.level != level)
            continue;
        const int row = pane.model->rowOf(id);
        if (row < 0)
            return;
        const QModelIndex index = pane.model->index(row, 0);
        pane.list->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        pane.list->scrollTo(index);
        pane.list->setFocus();
    }
}

void StockClassificationSheet::addEntry(StockClassLevel level) {
    showError(QString());
    auto* sheet = new StockClassEntrySheet(
        m_store, level, std::nullopt, [this, level](const QUuid& id) { select(level, id); }, this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
}

void StockClassificationSheet::editEntry(StockClassLevel level, const QUuid& id) {
    const std::optional<StockClassEntry> existing = SC::entry(m_store.session(), level, id);
    if (!existing)
        return;
    showError(QString());
    auto* sheet = new StockClassEntrySheet(
        m_store, level, existing, [this, level](const QUuid& saved) { select(level, saved); },
        this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
}

void StockClassificationSheet::editSelected(const Pane& pane) {
    if (const QUuid id = selected(pane); !id.isNull())
        editEntry(pane.level, id);
}

void StockClassificationSheet::removeSelected(const Pane& pane) {
    const QUuid id = selected(pane);
    const std::optional<Alert> alert = SC::deleteConfirmation(m_store.session(), pane.level, id);
    if (!alert || !confirm(m_dialogs, this, *alert))
        return;
    const int row = pane.model->rowOf(id);
    const StockClassLevel level = pane.level;
    const Result<> outcome =
        m_store.edit([&](SessionEdit& edit) { return SC::remove(edit, level, id); });
    if (!outcome.ok()) {
        showError(outcome.error());
        return;
    }
    showError(QString());
    // The choice moves to the entry that took the deleted one's place.
    if (const int count = pane.model->rowCount(); count > 0)
        select(level, pane.model->idAt(std::min(row, count - 1)));
}

void StockClassificationSheet::showError(const QString& message) {
    settingslayout::setMessage(m_error, message);
}

} // namespace velmora::gui
