#include "gui/accounting/RecipeBookTab.h"

#include "core/accounting/RecipeBookCsv.h"
#include "core/accounting/RecipeBookExclusion.h"
#include "core/accounting/RecipeBookHeaderForm.h"
#include "core/accounting/RecipeBookPdfExport.h"
#include "core/accounting/RecipeBookTableModel.h"
#include "core/documents/DocumentDeadlines.h"
#include "core/store/AppDataStore.h"
#include "gui/accounting/RecipeBookHeaderSheet.h"
#include "gui/common/Dialogs.h"
#include "gui/common/DocumentPreview.h"
#include "gui/common/Icons.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/Theme.h"
#include "render/RecipeBookPdf.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora::gui {

namespace {

// A receipt taken out of the book reads as set aside: slanted and muted.
class RemovedRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (!index.data(RecipeBookTableModel::RemovedRole).toBool())
            return;
        option->font.setItalic(true);
        option->palette.setColor(QPalette::Text, option->palette.color(QPalette::PlaceholderText));
    }
};

QString buttonTitle(const AccountingRecipeSettings& settings) {
    const QString title = settings.buttonTitle.trimmed();
    return title.isEmpty() ? AccountingRecipeSettings().buttonTitle : title;
}

} // namespace

RecipeBookTab::RecipeBookTab(const SectionServices& services, QWidget* parent)
    : SectionPage(parent), m_services(services) {
    setObjectName(QStringLiteral("recipeBookTab"));
    m_model = new RecipeBookTableModel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 12, 0, 0);
    layout->setSpacing(10);

    // Nothing to filter or export in an empty book: its empty state alone.
    m_filters = new QWidget(this);
    auto* filters = new QHBoxLayout(m_filters);
    filters->setContentsMargins(0, 0, 0, 0);
    filters->setSpacing(8);
    auto* yearLabel = new QLabel(QStringLiteral("Année"), m_filters);
    m_year = new QComboBox(m_filters);
    m_year->setObjectName(QStringLiteral("recipeBookYear"));
    m_year->setAccessibleName(QStringLiteral("Année"));
    m_year->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    yearLabel->setBuddy(m_year);
    filters->addWidget(yearLabel);
    filters->addWidget(m_year);
    filters->addSpacing(8);
    auto* monthLabel = new QLabel(QStringLiteral("Mois"), m_filters);
    m_month = new QComboBox(m_filters);
    m_month->setObjectName(QStringLiteral("recipeBookMonth"));
    m_month->setAccessibleName(QStringLiteral("Mois"));
    m_month->addItem(QStringLiteral("Toute l’année"), QVariant());
    for (int month = 1; month <= 12; ++month)
        m_month->addItem(recipeMonthTitle(month), month);
    monthLabel->setBuddy(m_month);
    filters->addWidget(monthLabel);
    filters->addWidget(m_month);
    filters->addSpacing(12);
    m_showRemoved = new QCheckBox(QStringLiteral("Afficher les recettes retirées"), m_filters);
    m_showRemoved->setObjectName(QStringLiteral("recipeBookShowRemoved"));
    m_showRemoved->setToolTip(
        QStringLiteral("Montre aussi les encaissements et factures retirés du livre, pour les "
                       "réintégrer"));
    filters->addWidget(m_showRemoved);
    filters->addStretch(1);
    m_export = theme::button(QString(), "primary", m_filters);
    m_export->setObjectName(QStringLiteral("recipeBookExport"));
    m_export->setIcon(symbolIcon(QStringLiteral("square.and.arrow.down"), Qt::white));
    filters->addWidget(m_export);
    layout->addWidget(m_filters);

    m_pages = new QStackedWidget(this);
    auto* empty = new QWidget(m_pages);
    auto* emptyLayout = new QVBoxLayout(empty);
    emptyLayout->addStretch(2);
    auto* symbol = new QLabel(empty);
    symbol->setPixmap(symbolPixmap(QStringLiteral("banknote.fill"), 56, theme::accent()));
    symbol->setAlignment(Qt::AlignCenter);
    emptyLayout->addWidget(symbol);
    auto* emptyTitle = theme::label(QString(), "cardTitle", empty);
    emptyTitle->setObjectName(QStringLiteral("recipeBookEmptyTitle"));
    emptyTitle->setAlignment(Qt::AlignCenter);
    emptyLayout->addWidget(emptyTitle);
    auto* emptyText = theme::label(QString(), "subtitle", empty);
    emptyText->setObjectName(QStringLiteral("recipeBookEmptyText"));
    emptyText->setAlignment(Qt::AlignCenter);
    emptyText->setWordWrap(true);
    emptyLayout->addWidget(emptyText);
    emptyLayout->addStretch(3);
    m_pages->addWidget(empty);

    auto* book = new QWidget(m_pages);
    auto* bookLayout = new QVBoxLayout(book);
    bookLayout->setContentsMargins(0, 0, 0, 0);
    bookLayout->setSpacing(8);
    m_table = new QTableView(book);
    m_table->setObjectName(QStringLiteral("recipeBookTable"));
    m_table->setAccessibleName(QStringLiteral("Livre de recettes"));
    m_table->setModel(m_model);
    m_table->setItemDelegate(new RemovedRowDelegate(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->setShowGrid(false);
    m_table->setWordWrap(false);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(30);
    QHeaderView* header = m_table->horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setSectionResizeMode(RecipeBookTableModel::natureColumn, QHeaderView::Stretch);
    header->resizeSection(RecipeBookTableModel::dateColumn, 178);
    header->resizeSection(RecipeBookTableModel::numberColumn, 105);
    header->resizeSection(RecipeBookTableModel::clientColumn, 185);
    header->resizeSection(RecipeBookTableModel::settlementColumn, 125);
    header->resizeSection(RecipeBookTableModel::amountColumn, 115);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_table, &QTableView::customContextMenuRequested, this,
            &RecipeBookTab::showContextMenu);
    bookLayout->addWidget(m_table, 1);
    auto* totals = new QHBoxLayout;
    m_count = theme::label(QString(), "hint", book);
    m_count->setObjectName(QStringLiteral("recipeBookCount"));
    m_count->setWordWrap(false);
    totals->addWidget(m_count);
    totals->addSpacing(12);
    // What the exported book prints at its head, under the rows it lists.
    QPushButton* bookHeader = theme::button(RecipeBookHeaderForm::title(), "link", book);
    bookHeader->setObjectName(QStringLiteral("recipeBookHeaderButton"));
    bookHeader->setAccessibleName(RecipeBookHeaderForm::title());
    bookHeader->setToolTip(QStringLiteral("Le titre et l’entreprise imprimés en tête du livre"));
    connect(bookHeader, &QPushButton::clicked, this,
            [this] { (new RecipeBookHeaderSheet(m_services, this))->open(); });
    totals->addWidget(bookHeader);
    totals->addStretch(1);
    m_total = theme::label(QString(), "section", book);
    m_total->setObjectName(QStringLiteral("recipeBookTotal"));
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_total->setWordWrap(false);
    totals->addWidget(m_total);
    bookLayout->addLayout(totals);
    m_pages->addWidget(book);
    layout->addWidget(m_pages, 1);

    m_open = new QAction(symbolIcon(QStringLiteral("doc.text")),
                         QStringLiteral("Ouvrir la facture"), this);
    m_open->setObjectName(QStringLiteral("recipeBookOpenInvoice"));
    connect(m_open, &QAction::triggered, this, &RecipeBookTab::openCurrent);
    connect(m_table, &QTableView::doubleClicked, this, &RecipeBookTab::openCurrent);
    m_exclude = new QAction(symbolIcon(QStringLiteral("minus.circle")),
                            QStringLiteral("Retirer du livre de recettes…"), this);
    m_exclude->setObjectName(QStringLiteral("recipeBookExclude"));
    m_exclude->setShortcut(QKeySequence::Delete);
    m_exclude->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_table->addAction(m_exclude);
    connect(m_exclude, &QAction::triggered, this, &RecipeBookTab::excludeCurrent);
    m_reintegrate = new QAction(symbolIcon(QStringLiteral("arrow.down.circle")),
                                QStringLiteral("Réintégrer au livre de recettes…"), this);
    m_reintegrate->setObjectName(QStringLiteral("recipeBookReintegrate"));
    connect(m_reintegrate, &QAction::triggered, this, &RecipeBookTab::reintegrateCurrent);

    connect(m_year, &QComboBox::currentIndexChanged, this, [this] {
        readPeriod();
        refresh();
    });
    connect(m_month, &QComboBox::currentIndexChanged, this, [this] {
        readPeriod();
        refresh();
    });
    connect(m_showRemoved, &QCheckBox::toggled, this, [this](bool show) {
        m_model->setShowRemoved(show);
        refresh();
    });
    connect(m_export, &QPushButton::clicked, this, &RecipeBookTab::exportBook);

    AppDataStore& store = services.store;
    followSession(this, store,
                  {SessionField::documents, SessionField::clients, SessionField::projects,
                   SessionField::invoiceStatuses, SessionField::preferences,
                   SessionField::accountingRecipeSettings},
                  [this] { refresh(); });
    addCommand(
        SectionCommand::exportPDF, [] { return true; }, [this] { exportPdf(); });
    refresh();
}

void RecipeBookTab::readPeriod() {
    RecipePeriod period;
    if (const QVariant year = m_year->currentData(); year.isValid())
        period.year = year.toInt();
    if (const QVariant month = m_month->currentData(); month.isValid())
        period.month = month.toInt();
    m_yearChosen = true;
    m_model->setPeriod(period);
}

void RecipeBookTab::refresh() {
    const AppDataStore& store = m_services.store;
    m_model->refresh(store.session());
    if (!m_yearChosen && !m_model->isBookEmpty()) {
        // The book opens on the current year when it has receipts.
        m_yearChosen = true;
        const int thisYear = localDay(store.clock().now()).year();
        if (m_model->years().contains(thisYear)) {
            m_model->setPeriod({thisYear, std::nullopt});
            m_model->refresh(store.session());
        }
    }
    fillYears();
    m_export->setText(buttonTitle(store.accountingRecipeSettings()));
    updateState();
}

void RecipeBookTab::fillYears() {
    const QSignalBlocker blocker(m_year);
    const std::optional<int> selected = m_model->period().year;
    QList<int> years = m_model->years();
    // A year the user chose stays offered after its last receipt went.
    if (selected && !years.contains(*selected)) {
        years.append(*selected);
        std::sort(years.begin(), years.end(), std::greater<>());
    }
    m_year->clear();
    m_year->addItem(QStringLiteral("Toutes les années"), QVariant());
    for (const int year : years)
        m_year->addItem(QString::number(year), year);
    m_year->setCurrentIndex(selected ? m_year->findData(*selected) : 0);
}

void RecipeBookTab::updateState() {
    const bool any = m_model->rowCount() > 0;
    m_pages->setCurrentIndex(any ? 1 : 0);
    auto* title = findChild<QLabel*>(QStringLiteral("recipeBookEmptyTitle"));
    auto* text = findChild<QLabel*>(QStringLiteral("recipeBookEmptyText"));
    m_filters->setVisible(!m_model->isBookEmpty());
    if (m_model->isBookEmpty()) {
        title->setText(emptyRecipeBookTitle());
        text->setText(emptyRecipeBookMessage());
    } else {
        title->setText(QStringLiteral("Aucune recette sur cette période"));
        text->setText(QStringLiteral("Choisissez une autre année ou un autre mois."));
    }
    m_count->setText(m_model->countText());
    m_total->setText(m_model->totalText());
    if (!m_table->currentIndex().isValid() && any)
        m_table->setCurrentIndex(m_model->index(0, 0));
    refreshCommands();
}

const RecipeBookLine* RecipeBookTab::currentLine() const {
    return m_model->record(m_table->currentIndex().row());
}

void RecipeBookTab::showContextMenu(const QPoint& at) {
    const QModelIndex index = m_table->indexAt(at);
    if (!index.isValid())
        return;
    m_table->setCurrentIndex(index);
    const RecipeBookLine* line = currentLine();
    QMenu menu(this);
    menu.addAction(m_open);
    menu.addSeparator();
    menu.addAction(line->removed ? m_reintegrate : m_exclude);
    menu.exec(m_table->viewport()->mapToGlobal(at));
}

namespace {

void report(Dialogs& dialogs, QWidget* parent, const Result<>& result) {
    if (result.ok() || result.kind() == ResultKind::unchanged)
        return;
    dialogs.ask(parent,
                result.alert().value_or(okAlert(result.kind() == ResultKind::notSaved
                                                    ? QStringLiteral("Enregistrement impossible")
                                                    : QStringLiteral("Action impossible"),
                                                result.error())));
}

} // namespace

void RecipeBookTab::openCurrent() {
    if (const RecipeBookLine* line = currentLine())
        emit openRequested(QStringLiteral("documents"), line->entry.document.id);
}

void RecipeBookTab::excludeCurrent() {
    const RecipeBookLine* current = currentLine();
    if (!current || current->removed)
        return;
    const RecipeBookLine line = *current;
    if (!confirm(m_services.dialogs, this, recipeExclusionConfirmation(line)))
        return;
    report(m_services.dialogs, this, m_services.store.edit([&](SessionEdit& edit) {
        return excludeRecipeEntry(edit, line.entry);
    }));
}

void RecipeBookTab::reintegrateCurrent() {
    const RecipeBookLine* current = currentLine();
    if (!current || !current->removed)
        return;
    const RecipeBookLine line = *current;
    if (!confirm(m_services.dialogs, this, recipeReintegrationConfirmation(line)))
        return;
    report(m_services.dialogs, this, m_services.store.edit([&](SessionEdit& edit) {
        return reintegrateInvoice(edit, line.entry.document.id);
    }));
}

void RecipeBookTab::exportBook() {
    const Alert choice = recipeExportChoice(m_services.store.accountingRecipeSettings());
    switch (m_services.dialogs.ask(this, choice)) {
    case 0:
        exportPdf();
        break;
    case 1:
        exportCsv();
        break;
    default:
        break;
    }
}

void RecipeBookTab::exportCsv() {
    const QList<RecipeEntry> entries = m_model->entries();
    if (entries.isEmpty()) {
        m_services.dialogs.ask(this, noRecipeAlert());
        return;
    }
    const std::optional<QUrl> url =
        m_services.dialogs.choose(this, recipeBookCsvSavePanel(m_model->period()));
    if (!url)
        return;
    AppDataStore& store = m_services.store;
    if (const std::optional<Alert> failure =
            saveRecipeBookCsv(store.fileSystem(), entries, store.clients(), url->toLocalFile()))
        m_services.dialogs.ask(this, *failure);
}

void RecipeBookTab::exportPdf() {
    const QList<RecipeEntry> entries = m_model->entries();
    if (entries.isEmpty()) {
        m_services.dialogs.ask(this, noRecipeAlert());
        return;
    }
    const RecipePeriod period = m_model->period();
    const std::optional<QUrl> url = m_services.dialogs.choose(this, recipeBookPdfSavePanel(period));
    if (!url)
        return;
    AppDataStore& store = m_services.store;
    const QList<LivreRecettesPDFPage> pages =
        recipeBookPages(recipeRows(entries, store.clients()), store.accountingRecipeSettings(),
                        period, store.clock().now());

    // Pages are painted one after the other, a few milliseconds each; the
    // modal progress lets the window repaint between them and offers to stop.
    QProgressDialog progress(QStringLiteral("Préparation du livre de recettes…"),
                             QStringLiteral("Annuler"), 0, int(pages.size()), this);
    progress.setObjectName(QStringLiteral("recipeBookProgress"));
    progress.setWindowTitle(QStringLiteral("Livre de recettes"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    bool stopped = false;
    const QByteArray pdf = renderRecipeBookPDF(pages, [&](int page, int count) {
        progress.setLabelText(QStringLiteral("Page %1 sur %2").arg(page).arg(count));
        progress.setValue(page - 1);
        stopped = progress.wasCanceled();
        return !stopped;
    });
    progress.setValue(progress.maximum());
    if (stopped)
        return;
    const QString path = url->toLocalFile();
    if (const std::optional<Alert> failure = writeRecipeBookPdf(store.fileSystem(), pdf, path)) {
        m_services.dialogs.ask(this, *failure);
        return;
    }
    showPdf(pdf, path);
}

void RecipeBookTab::showPdf(const QByteArray& pdf, const QString& path) {
    if (!m_preview) {
        m_preview = new QDialog(this);
        m_preview->setObjectName(QStringLiteral("recipeBookPreview"));
        m_preview->resize(760, 900);
        auto* layout = new QVBoxLayout(m_preview);
        auto* preview = new DocumentPreview(m_preview);
        layout->addWidget(preview, 1);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, m_preview);
        buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Fermer"));
        connect(buttons, &QDialogButtonBox::rejected, m_preview, &QDialog::close);
        layout->addWidget(buttons);
    }
    m_preview->setWindowTitle(QFileInfo(path).fileName());
    m_preview->findChild<DocumentPreview*>()->setPdf(pdf);
    m_preview->show();
    m_preview->raise();
    m_preview->activateWindow();
}

} // namespace velmora::gui
