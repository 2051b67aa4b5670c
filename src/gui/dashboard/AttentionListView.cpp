#include "gui/dashboard/AttentionListView.h"

#include "core/lists/RecordListModelBase.h"
#include "gui/common/Icons.h"
#include "gui/common/RecordDelegate.h"
#include "gui/common/Theme.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QStandardItemModel>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

constexpr int kSectionKeyRole = Qt::UserRole + 100;

QString groupName(AttentionGroup group) {
    switch (group) {
    case AttentionGroup::lateInvoices:
        return QStringLiteral("attentionLate");
    case AttentionGroup::dueSoon:
        return QStringLiteral("attentionSoon");
    case AttentionGroup::debits:
        return QStringLiteral("attentionDebits");
    case AttentionGroup::stockOut:
        return QStringLiteral("attentionStock");
    }
    return {};
}

// A list as tall as its rows: the page scrolls, not each group.
class GroupList : public QListView {
public:
    using QListView::QListView;
    QSize sizeHint() const override {
        int height = 2 * frameWidth();
        for (int row = 0; model() && row < model()->rowCount(); ++row)
            height += sizeHintForRow(row);
        return QSize(QListView::sizeHint().width(), height);
    }
    QSize minimumSizeHint() const override { return QSize(120, sizeHint().height()); }
};

} // namespace

AttentionListView::AttentionListView(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(theme::label(QStringLiteral("À surveiller"), "section", this));
    m_groups = new QVBoxLayout;
    m_groups->setSpacing(14);
    layout->addLayout(m_groups);

    auto* empty = new QFrame(this);
    empty->setObjectName(QStringLiteral("attentionEmpty"));
    empty->setProperty("role", QStringLiteral("card"));
    auto* emptyLayout = new QHBoxLayout(empty);
    emptyLayout->setContentsMargins(18, 16, 18, 16);
    emptyLayout->setSpacing(12);
    auto* symbol = new QLabel(empty);
    symbol->setPixmap(symbolPixmap(QStringLiteral("checkmark.circle"), 22, theme::accent()));
    emptyLayout->addWidget(symbol, 0, Qt::AlignTop);
    auto* text = theme::label(noAttentionText(), "", empty);
    text->setObjectName(QStringLiteral("attentionEmptyText"));
    emptyLayout->addWidget(text, 1);
    layout->addWidget(empty);
    m_empty = empty;
}

void AttentionListView::setSections(const QList<AttentionSection>& sections) {
    while (QLayoutItem* item = m_groups->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const AttentionSection& section : sections) {
        auto* group = new QWidget(this);
        group->setObjectName(groupName(section.group));
        auto* layout = new QVBoxLayout(group);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(4);
        layout->addWidget(theme::label(section.heading, "hint", group));
        auto* model = new QStandardItemModel(group);
        for (const AttentionRow& row : section.rows) {
            auto* item = new QStandardItem(row.title);
            item->setData(row.detail, RecordListModelBase::SubtitleRole);
            item->setData(row.id, RecordListModelBase::IdRole);
            item->setData(row.sectionKey, kSectionKeyRole);
            item->setToolTip(row.title + u'\n' + row.detail);
            item->setEditable(false);
            model->appendRow(item);
        }
        auto* list = new GroupList(group);
        list->setObjectName(groupName(section.group) + QStringLiteral("List"));
        list->setAccessibleName(section.heading);
        list->setProperty("role", QStringLiteral("records"));
        list->setItemDelegate(new RecordDelegate(list));
        list->setModel(model);
        list->setMouseTracking(true);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        list->setCursor(Qt::PointingHandCursor);
        auto open = [this](const QModelIndex& index) {
            emit openRequested(index.data(kSectionKeyRole).toString(),
                               index.data(RecordListModelBase::IdRole).toUuid());
        };
        // Return, and a double click, activate; a single click opens too, as
        // a link would.
        connect(list, &QListView::activated, this, open);
        connect(list, &QListView::clicked, this, open);
        auto* frame = new QFrame(group);
        frame->setProperty("role", QStringLiteral("card"));
        auto* frameLayout = new QVBoxLayout(frame);
        frameLayout->setContentsMargins(4, 4, 4, 4);
        frameLayout->addWidget(list);
        layout->addWidget(frame);
        if (section.hiddenCount > 0) {
            auto* more = theme::label(moreAttentionText(section.hiddenCount), "hint", group);
            more->setObjectName(groupName(section.group) + QStringLiteral("More"));
            layout->addWidget(more);
        }
        m_groups->addWidget(group);
    }
    m_empty->setVisible(sections.isEmpty());
}

} // namespace velmora::gui
