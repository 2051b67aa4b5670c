// The open session as it first shows, then its dashboard once the session
// holds a year of work.

#include "Tour.h"

#include "core/store/AppDataStore.h"
#include "core/store/SessionEdit.h"
#include "gui/app/Application.h"
#include "gui/main/MainWindow.h"
#include "gui/main/Workspace.h"

using namespace Qt::StringLiterals;

namespace velmora::tour {

namespace {

// An invoice past its day and one due this week, so that the attention list
// has documents to chase.
void addUnpaidInvoices(AppDataStore& store) {
    (void)store.edit([](SessionEdit& edit) {
        QUuid sent;
        for (const TagItem& status : edit.session().invoiceStatuses)
            if (status.name == u"Envoyé"_s)
                sent = status.id;
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const QList<ClientItem>& clients = edit.session().clients;
        const QList<std::tuple<QString, double, int, int>> unpaid{
            {u"Reportage d’entreprise"_s, 860, 42, 30},
            {u"Tirages de l’exposition"_s, 315, 25, 28}};
        for (qsizetype i = 0; i < unpaid.size(); ++i) {
            const auto& [title, price, daysAgo, dueDays] = unpaid[i];
            CommercialDocumentItem d;
            d.id = QUuid::createUuid();
            d.kind = CommercialDocumentKind::invoice;
            d.number = u"F-%1-%2"_s.arg(now.date().year()).arg(41 + i, 3, 10, QLatin1Char('0'));
            d.issueDate = now.addDays(-daysAgo);
            d.dueDays = dueDays;
            d.clientID = clients.value(i % qMax<qsizetype>(1, clients.size())).id;
            d.statusID = sent;
            CommercialDocumentLine line;
            line.id = QUuid::createUuid();
            line.title = title;
            line.priceTTC = price;
            d.lines = {line};
            edit.documents().append(d);
        }
        return Result<>();
    });
}

} // namespace

void shootDashboard(Tour& tour) {
    // The open session.
    tour.shoot(tour.window, u"dashboard-empty"_s);
    tour.window.workspace().showSection(u"documents"_s);
    tour.shoot(tour.window, u"section"_s);
}

void shootFilledDashboard(Tour& tour) {
    addUnpaidInvoices(tour.app.store());
    tour.window.workspace().showSection(u"dashboard"_s);
    tour.shoot(tour.window, u"dashboard"_s);
    scrollTo(tour.window, u"dashboardAttention"_s);
    tour.shoot(tour.window, u"dashboard-attention"_s);
}

} // namespace velmora::tour
