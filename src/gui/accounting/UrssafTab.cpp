#include "gui/accounting/UrssafTab.h"

#include "core/accounting/UrssafDeclarationForm.h"
#include "core/accounting/UrssafDeclarationList.h"
#include "core/accounting/UrssafEstimation.h"
#include "core/store/AppDataStore.h"
#include "core/text/MoneyFormat.h"
#include "gui/accounting/UrssafAttachmentsViewer.h"
#include "gui/accounting/UrssafDeclarationSheet.h"
#include "gui/accounting/UrssafSettingsSheet.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/Theme.h"

#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora::gui {

namespace {

constexpr int kIdRole = Qt::UserRole + 1;
// The header's own padding, so that titles and values line up.
constexpr int kCellPadding = 10;

QStandardItem* cell(const QString& text, bool amount = false) {
    auto* item = new QStandardItem(text);
    item->setEditable(false);
    if (amount)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

// Rows with room to breathe; a year's row stands apart from the one above.
class RowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const bool year = index.siblingAtColumn(0).data(kIdRole).isNull();
        size.setHeight(size.height() + (year ? 22 : 12));
        size.setWidth(size.width() + 2 * kCellPadding);
        return size;
    }
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        // The selection spans the whole cell; only the content moves in.
        QStyleOptionViewItem whole = option;
        initStyleOption(&whole, index);
        const QWidget* view = option.widget;
        QStyle* style = view ? view->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &whole, painter, view);
        QStyleOptionViewItem shifted = option;
        const bool year = index.siblingAtColumn(0).data(kIdRole).isNull();
        // Level with the header's titles.
        shifted.rect.adjust(kCellPadding, year ? 10 : 0, -kCellPadding, 0);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

double turnoverOf(const URSSAFDeclaration& d) {
    return d.caVenteMarchandises + d.caPrestationsServicesBIC + d.caPrestationsServicesBNC +
           d.caLocationMeublee;
}

} // namespace

UrssafTab::UrssafTab(const SectionServices& services, QWidget* parent)
    : SectionPage(parent), m_services(services) {
    setObjectName(QStringLiteral("urssafTab"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(12);

    // The header: what the list is, the settings and a new declaration.
    auto* header = new QHBoxLayout;
    header->addWidget(theme::label(QStringLiteral("Déclarations URSSAF"), "section", this), 1);
    auto* settings =
        new QPushButton(symbolIcon(QStringLiteral("gearshape")), UrssafSettingsForm::title(), this);
    settings->setObjectName(QStringLiteral("urssafSettingsButton"));
    connect(settings, &QPushButton::clicked, this, &UrssafTab::showSettings);
    header->addWidget(settings);
    auto* add = theme::button(UrssafListTexts::newDeclaration(), "primary", this);
    add->setObjectName(QStringLiteral("urssafNew"));
    add->setIcon(symbolIcon(QStringLiteral("plus"), QColor(Qt::white)));
    connect(add, &QPushButton::clicked, this, &UrssafTab::newDeclaration);
    header->addWidget(add);
    layout->addLayout(header);

    // The estimate of the month, when the month has turnover.
    m_estimate = new QFrame(this);
    m_estimate->setObjectName(QStringLiteral("urssafEstimate"));
    theme::setRole(m_estimate, "card");
    auto* estimate = new QHBoxLayout(m_estimate);
    estimate->setContentsMargins(14, 10, 14, 10);
    auto* sparkles = new QLabel(m_estimate);
    sparkles->setPixmap(symbolPixmap(QStringLiteral("sparkles"), 20, theme::accent()));
    estimate->addWidget(sparkles);
    m_estimateText = new QLabel(m_estimate);
    m_estimateText->setObjectName(QStringLiteral("urssafEstimateText"));
    m_estimateText->setWordWrap(true);
    estimate->addWidget(m_estimateText, 1);
    layout->addWidget(m_estimate);

    m_pages = new QStackedWidget(this);
    layout->addWidget(m_pages, 1);

    // Empty: a symbol, the sentence and the first declaration.
    auto* empty = new QWidget(m_pages);
    auto* emptyLayout = new QVBoxLayout(empty);
    emptyLayout->setSpacing(12);
    emptyLayout->addStretch(2);
    auto* symbol = new QLabel(empty);
    symbol->setPixmap(symbolPixmap(QStringLiteral("doc.text"), 56, theme::accent()));
    symbol->setAlignment(Qt::AlignCenter);
    emptyLayout->addWidget(symbol);
    auto* emptyTitle = theme::label(UrssafListTexts::emptyTitle(), "section", empty);
    emptyTitle->setAlignment(Qt::AlignCenter);
    emptyLayout->addWidget(emptyTitle);
    auto* sentence = theme::label(UrssafListTexts::emptyMessage(), "subtitle", empty);
    sentence->setObjectName(QStringLiteral("urssafEmptyText"));
    sentence->setAlignment(Qt::AlignCenter);
    sentence->setWordWrap(true);
    sentence->setMaximumWidth(520);
    // Centred by stretches, not by an alignment: an aligned label gets its
    // one-line width and too few lines of height, and its end is cut.
    auto* sentenceRow = new QHBoxLayout;
    sentenceRow->addStretch(1);
    sentenceRow->addWidget(sentence, 100);
    sentenceRow->addStretch(1);
    emptyLayout->addLayout(sentenceRow);
    auto* first = theme::button(UrssafListTexts::emptyAction(), "primary", empty);
    first->setObjectName(QStringLiteral("urssafEmptyAction"));
    connect(first, &QPushButton::clicked, this, &UrssafTab::newDeclaration);
    emptyLayout->addWidget(first, 0, Qt::AlignCenter);
    emptyLayout->addStretch(3);
    m_pages->addWidget(empty);

    // The declarations by year, and the actions on the selected one.
    auto* listPage = new QWidget(m_pages);
    auto* listLayout = new QVBoxLayout(listPage);
    listLayout->setContentsMargins(0, 0, 0, 0);
    m_model = new QStandardItemModel(this);
    m_model->setHorizontalHeaderLabels({QStringLiteral("Période"), QStringLiteral("Fréquence"),
                                        QStringLiteral("CA"), QStringLiteral("Cotisations"),
                                        QStringLiteral("État")});
    m_model->horizontalHeaderItem(turnoverColumn)
        ->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_model->horizontalHeaderItem(contributionsColumn)
        ->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_list = new QTreeView(listPage);
    m_list->setObjectName(QStringLiteral("urssafList"));
    m_list->setAccessibleName(QStringLiteral("Déclarations URSSAF"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setItemDelegate(new RowDelegate(m_list));
    m_list->setAlternatingRowColors(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    m_list->header()->setStretchLastSection(false);
    // The state takes what is left: a covered estimate says by which
    // declaration, and the period keeps its whole name.
    m_list->header()->setSectionResizeMode(stateColumn, QHeaderView::Stretch);
    for (int column : {periodColumn, frequencyColumn, turnoverColumn, contributionsColumn})
        m_list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    listLayout->addWidget(m_list, 1);

    const auto action = [this](const QString& name, auto slot) {
        auto* a = new QAction(this);
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    m_declared = action(QStringLiteral("urssafMarkDeclared"), &UrssafTab::toggleDeclared);
    m_paid = action(QStringLiteral("urssafMarkPaid"), &UrssafTab::togglePaid);
    m_files = action(QStringLiteral("urssafViewFiles"), &UrssafTab::showAttachments);
    m_files->setText(UrssafListTexts::viewFiles());
    m_edit = action(QStringLiteral("urssafEdit"), &UrssafTab::editSelected);
    m_edit->setText(UrssafListTexts::edit());
    m_delete = action(QStringLiteral("urssafDelete"), &UrssafTab::deleteSelected);
    m_delete->setText(UrssafListTexts::remove());
    m_delete->setIcon(symbolIcon(QStringLiteral("trash")));

    auto* actions = new QHBoxLayout;
    actions->setSpacing(8);
    for (QAction* a : {m_declared, m_paid, m_files, m_edit, m_delete}) {
        auto* button = new QPushButton(listPage);
        button->setObjectName(a->objectName() + QStringLiteral("Button"));
        if (a == m_delete)
            theme::setRole(button, "destructive");
        const auto sync = [button, a] {
            button->setText(a->text());
            button->setIcon(a->icon());
            button->setEnabled(a->isEnabled());
        };
        connect(a, &QAction::changed, button, sync);
        connect(button, &QPushButton::clicked, a, &QAction::trigger);
        sync();
        actions->addWidget(button);
        m_actionButtons << button;
    }
    actions->addStretch();
    listLayout->addLayout(actions);
    m_pages->addWidget(listPage);

    connect(m_list, &QTreeView::customContextMenuRequested, this, &UrssafTab::openMenu);
    connect(m_list, &QTreeView::doubleClicked, this, [this] { editSelected(); });
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &UrssafTab::refreshActions);
    followSession(this, m_services.store, {SessionField::urssafDeclarations},
                  [this] { rebuild(); });
    const auto chosen = [this] { return selected().has_value(); };
    addCommand(
        SectionCommand::create, [] { return true; }, [this] { newDeclaration(); });
    addCommand(SectionCommand::edit, chosen, [this] { editSelected(); });
    addCommand(SectionCommand::remove, chosen, [this] { deleteSelected(); });
    rebuild();
}

void UrssafTab::rebuild() {
    const std::optional<URSSAFDeclaration> before = selected();
    const QList<URSSAFDeclaration>& all = m_services.store.urssafDeclarations();
    m_model->removeRows(0, m_model->rowCount());
    QFont bold = font();
    bold.setWeight(QFont::DemiBold);
    for (const UrssafYearGroup& group : urssafYearGroups(all)) {
        // The year's row carries its sums under the CA and contributions.
        QList<QStandardItem*> yearRow{cell(QString::number(group.year)), cell(QString()),
                                      cell(group.turnoverText(), true),
                                      cell(group.contributionsText(), true), cell(QString())};
        for (QStandardItem* item : yearRow) {
            item->setFont(bold);
            item->setSelectable(false);
        }
        m_model->appendRow(yearRow);
        for (const URSSAFDeclaration& d : group.declarations) {
            auto* period = cell(urssafDeclarationPeriodText(d));
            period->setData(d.id, kIdRole);
            auto* state = cell(UrssafListTexts::state(d));
            if (d.isAutoGenerated) {
                period->setIcon(symbolIcon(QStringLiteral("sparkles"), theme::accent()));
                period->setToolTip(UrssafListTexts::estimateBadge());
                // A covered estimate is left out of the year's sums: the row
                // says why instead of asking to declare it again (the symbol
                // still marks it as an estimate).
                const std::optional<URSSAFDeclaration> covering = urssafCoveringDeclaration(d, all);
                state->setText(covering ? urssafCoveredText(*covering)
                                        : UrssafListTexts::estimateBadge() + QStringLiteral(" · ") +
                                              state->text());
                state->setToolTip(state->text());
            } else if (d.isDeclared && d.isPaid) {
                state->setIcon(symbolIcon(QStringLiteral("checkmark.circle.fill"),
                                          theme::tagColor(TagColorOption::green)));
            }
            m_model->appendRow(
                {period, cell(displayName(d.frequency)), cell(formatMoney(turnoverOf(d)), true),
                 cell(formatMoney(d.cotisationAmount + d.cfpAmount + d.versementLiberatoireAmount),
                      true),
                 state});
        }
    }
    m_pages->setCurrentIndex(all.isEmpty() ? 0 : 1);
    if (before)
        select(before->id);
    refreshActions();
    refreshEstimate();
}

std::optional<URSSAFDeclaration> UrssafTab::selected() const {
    const QModelIndexList rows = m_list->selectionModel()->selectedRows(periodColumn);
    if (rows.isEmpty())
        return std::nullopt;
    const QUuid id = rows.first().data(kIdRole).toUuid();
    for (const URSSAFDeclaration& d : m_services.store.urssafDeclarations())
        if (!id.isNull() && d.id == id)
            return d;
    return std::nullopt;
}

bool UrssafTab::holds(const QUuid& declarationID) const {
    const QList<URSSAFDeclaration>& declarations = m_services.store.session().urssafDeclarations;
    return std::any_of(declarations.begin(), declarations.end(),
                       [&](const URSSAFDeclaration& d) { return d.id == declarationID; });
}

void UrssafTab::select(const QUuid& declarationID) {
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QModelIndex index = m_model->index(row, periodColumn);
        if (index.data(kIdRole).toUuid() == declarationID) {
            m_list->setCurrentIndex(index);
            m_list->scrollTo(index);
            return;
        }
    }
}

void UrssafTab::refreshActions() {
    const std::optional<URSSAFDeclaration> d = selected();
    m_declared->setText(UrssafListTexts::markDeclared(d && d->isDeclared));
    m_paid->setText(UrssafListTexts::markPaid(d && d->isPaid));
    for (QAction* a : {m_declared, m_paid, m_files, m_edit, m_delete})
        a->setEnabled(d.has_value());
    refreshCommands();
}

void UrssafTab::refreshEstimate() {
    const auto estimate =
        currentMonthEstimate(m_services.store.urssafDeclarations(), m_services.store.clock().now());
    m_estimate->setVisible(estimate.has_value());
    m_estimateText->setText(estimate ? urssafEstimateSummary(*estimate) : QString());
}

void UrssafTab::report(const Result<>& result) {
    if (result.ok() || result.kind() == ResultKind::unchanged)
        return;
    m_services.dialogs.ask(
        this, okAlert(QStringLiteral("Déclaration URSSAF"), result.error(), Alert::Kind::error));
}

void UrssafTab::openMenu(const QPoint& at) {
    if (!selected())
        return;
    QMenu menu(this);
    menu.addAction(m_declared);
    menu.addAction(m_paid);
    menu.addSeparator();
    menu.addAction(m_files);
    menu.addAction(m_edit);
    menu.addSeparator();
    menu.addAction(m_delete);
    menu.exec(m_list->viewport()->mapToGlobal(at));
}

void UrssafTab::newDeclaration() {
    auto* sheet = new UrssafDeclarationSheet(
        m_services,
        UrssafDeclarationForm(m_services.store.urssafSettings(), m_services.store.clock().now()),
        this);
    connect(sheet, &UrssafDeclarationSheet::saved, this, &UrssafTab::select);
    sheet->open();
}

void UrssafTab::editSelected() {
    const std::optional<URSSAFDeclaration> d = selected();
    if (!d)
        return;
    auto* sheet =
        new UrssafDeclarationSheet(m_services,
                                   UrssafDeclarationForm(m_services.store.urssafSettings(), *d,
                                                         m_services.store.clock().now()),
                                   this);
    connect(sheet, &UrssafDeclarationSheet::saved, this, &UrssafTab::select);
    sheet->open();
}

void UrssafTab::showSettings() {
    (new UrssafSettingsSheet(m_services, this))->open();
}

void UrssafTab::deleteSelected() {
    const std::optional<URSSAFDeclaration> d = selected();
    if (!d || !confirm(m_services.dialogs, this, urssafDeletionConfirmation(*d)))
        return;
    report(m_services.store.edit(
        [&](SessionEdit& edit) { return deleteUrssafDeclaration(edit, d->id); }));
}

void UrssafTab::toggleDeclared() {
    if (const std::optional<URSSAFDeclaration> d = selected())
        report(m_services.store.edit([&](SessionEdit& edit) {
            return setUrssafDeclared(edit, d->id, !d->isDeclared, m_services.store.clock().now());
        }));
}

void UrssafTab::togglePaid() {
    if (const std::optional<URSSAFDeclaration> d = selected())
        report(m_services.store.edit([&](SessionEdit& edit) {
            return setUrssafPaid(edit, d->id, !d->isPaid, m_services.store.clock().now());
        }));
}

void UrssafTab::showAttachments() {
    if (const std::optional<URSSAFDeclaration> d = selected())
        (new UrssafAttachmentsViewer(m_services, *d, this))->open();
}

} // namespace velmora::gui
