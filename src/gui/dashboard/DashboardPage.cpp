#include "gui/dashboard/DashboardPage.h"

#include "core/accounting/DashboardAttention.h"
#include "core/accounting/SummaryIndicators.h"
#include "core/store/AppDataStore.h"
#include "gui/common/DayWatch.h"
#include "gui/common/FlowLayout.h"
#include "gui/common/IndicatorCardView.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/SessionPicture.h"
#include "gui/common/Theme.h"
#include "gui/dashboard/AttentionListView.h"
#include "gui/dashboard/RevenueChartView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>

namespace velmora::gui {

DashboardPage::DashboardPage(AppDataStore& store, QWidget* parent)
    : SectionPage(parent), m_store(store) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("dashboardScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    outer->addWidget(scroll);
    auto* content = new QWidget(scroll);
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(36, 28, 36, 32);
    layout->setSpacing(14);

    auto* header = new QHBoxLayout;
    header->setSpacing(14);
    m_picture = new QLabel(content);
    header->addWidget(m_picture, 0, Qt::AlignTop);
    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    m_title = theme::label(QString(), "cardTitle", content);
    m_title->setObjectName(QStringLiteral("sectionTitle"));
    names->addWidget(m_title);
    m_subtitle = theme::label(QString(), "subtitle", content);
    m_subtitle->setObjectName(QStringLiteral("dashboardCompany"));
    names->addWidget(m_subtitle);
    names->addStretch(1);
    header->addLayout(names, 1);
    layout->addLayout(header);
    layout->addSpacing(6);

    m_figuresTitle = theme::label(QString(), "section", content);
    layout->addWidget(m_figuresTitle);
    m_cards = new QWidget(content);
    new FlowLayout(m_cards, 12);
    layout->addWidget(m_cards);
    layout->addSpacing(10);

    m_chart = new RevenueChartView(m_store, content);
    m_chart->setObjectName(QStringLiteral("dashboardRevenue"));
    layout->addWidget(m_chart);
    layout->addSpacing(10);

    m_attention = new AttentionListView(content);
    m_attention->setObjectName(QStringLiteral("dashboardAttention"));
    connect(m_attention, &AttentionListView::openRequested, this, &SectionPage::openRequested);
    layout->addWidget(m_attention);
    layout->addStretch(1);

    followSession(this, m_store,
                  {SessionField::sessionName, SessionField::companySettings,
                   SessionField::sessionProfileImageName, SessionField::sessionProfilePhotoData},
                  [this] { refreshHeader(); });
    followSession(this, m_store,
                  {SessionField::documents, SessionField::clients, SessionField::invoiceStatuses,
                   SessionField::quoteStatuses, SessionField::projects,
                   SessionField::recurringPurchases, SessionField::accountingPurchases,
                   SessionField::urssafDeclarations, SessionField::urssafSettings,
                   SessionField::preferences, SessionField::stockItems,
                   SessionField::stockSettings},
                  [this] { refreshFigures(); });
    // Today's figures and what is due today, again after midnight.
    connect(new DayWatch(m_store.clock(), this), &DayWatch::dayChanged, this,
            &DashboardPage::refreshFigures);
    refreshHeader();
    refreshFigures();
}

void DashboardPage::showEntry(const SidebarMenuItemConfig& entry) {
    m_entryName = entry.displayName;
    refreshHeader();
}

void DashboardPage::showEvent(QShowEvent* event) {
    SectionPage::showEvent(event);
    if (!event->spontaneous())
        refreshFigures();
}

void DashboardPage::refreshHeader() {
    const QString name = m_store.sessionName().value_or(QString()).trimmed();
    m_picture->setPixmap(sessionPicture(m_store, 56));
    m_title->setText(name.isEmpty() ? m_entryName : name);
    const QString company = m_store.companySettings().displayName.trimmed();
    m_subtitle->setText(company);
    m_subtitle->setVisible(!company.isEmpty());
}

void DashboardPage::refreshFigures() {
    const AppDatabase& db = m_store.session();
    const QDateTime now = m_store.clock().now();
    const int year = now.toLocalTime().date().year();

    m_figuresTitle->setText(QStringLiteral("Année %1").arg(year));
    auto* cards = static_cast<FlowLayout*>(m_cards->layout());
    while (QLayoutItem* item = cards->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (const IndicatorCard& card : summaryCards(summaryAmounts(db, year, now), db.urssafSettings))
        if (card.visible)
            cards->addWidget(new IndicatorCardView(card, m_cards));
    if (isSummaryCardShown(db.urssafSettings, bestClientCardID()))
        cards->addWidget(new IndicatorCardView(bestClient(db, year), year, m_cards));

    m_chart->refresh();
    m_attention->setSections(dashboardAttention(db, now));
}

} // namespace velmora::gui
