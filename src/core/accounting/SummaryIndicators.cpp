#include "core/accounting/SummaryIndicators.h"

#include "core/accounting/ExpenseList.h"
#include "core/accounting/SubscriptionSchedule.h"
#include "core/documents/DocumentStatus.h"
#include "core/documents/DocumentTotals.h"
#include "core/text/ClientDisplayName.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace velmora {

using namespace Qt::StringLiterals;

namespace {

int localYear(const QDateTime& moment) {
    return moment.toLocalTime().date().year();
}

bool isInYear(const QDateTime& moment, int year) {
    return moment.isValid() && localYear(moment) == year;
}

bool isInvoice(const CommercialDocumentItem& document) {
    return document.kind == CommercialDocumentKind::invoice;
}

bool hasPaidStatus(const CommercialDocumentItem& invoice, const StatusLists& lists) {
    return statusKey(invoice, lists) == StatusKeys::paid();
}

QDateTime referenceDate(const CommercialDocumentItem& invoice) {
    return invoice.encaissementDate.value_or(invoice.issueDate);
}

// An invoice counts for its client in the year of its latest payment, or of
// its reference date when it has none.
QDateTime bestClientDate(const CommercialDocumentItem& invoice) {
    if (invoice.encaissements.isEmpty())
        return referenceDate(invoice);
    return std::max_element(
               invoice.encaissements.begin(), invoice.encaissements.end(),
               [](const Encaissement& a, const Encaissement& b) { return a.date < b.date; })
        ->date;
}

struct CardDefinition {
    QString id;
    QString title;
    QString description;
    QString iconName;
    IndicatorColor color;
    bool URSSAFSettings::*shown;
};

const QList<CardDefinition>& cardDefinitions() {
    static const QList<CardDefinition> cards{
        {u"ca"_s, u"CA brut encaissé"_s, u"Livre de recettes"_s, u"arrow.down.circle.fill"_s,
         IndicatorColor::blue, &URSSAFSettings::summaryShowCA},
        {u"purchases"_s, u"Dépenses"_s, u"Produits + Abonnements"_s, u"cart.fill"_s,
         IndicatorColor::orange, &URSSAFSettings::summaryShowPurchases},
        {u"cotis"_s, u"Cotisations"_s, u"URSSAF déclarées"_s, u"building.columns.fill"_s,
         IndicatorColor::purple, &URSSAFSettings::summaryShowCotisations},
        {u"netEncaisse"_s, u"CA net encaissé"_s, u"CA brut encaissé − Cotisations"_s,
         u"banknote.fill"_s, IndicatorColor::green, &URSSAFSettings::summaryShowNetEncaisse},
        {u"caTotal"_s, u"CA brut total"_s, u"Toutes factures payées"_s, u"chart.bar.fill"_s,
         IndicatorColor::teal, &URSSAFSettings::summaryShowCATotalBrut},
        {u"net"_s, u"CA net total"_s, u"CA brut total − Cotisations"_s,
         u"chart.line.uptrend.xyaxis"_s, IndicatorColor::teal, &URSSAFSettings::summaryShowNet},
        {u"bestClient"_s, u"Meilleur client"_s, QString(), QString(), IndicatorColor::blue,
         &URSSAFSettings::summaryShowBestClient},
    };
    return cards;
}

const CardDefinition* definitionOf(const QString& cardID) {
    for (const CardDefinition& card : cardDefinitions()) {
        if (card.id == cardID)
            return &card;
    }
    return nullptr;
}

double cardValue(const QString& id, const SummaryAmounts& amounts) {
    if (id == u"ca")
        return amounts.caEncaisse;
    if (id == u"purchases")
        return amounts.purchases;
    if (id == u"cotis")
        return amounts.cotisations;
    if (id == u"netEncaisse")
        return amounts.netEncaisse();
    if (id == u"caTotal")
        return amounts.caTotal;
    return amounts.netTotal();
}

QString titleKey(const QString& cardID) {
    return cardID + u"_label"_s;
}

QString descriptionKey(const QString& cardID) {
    return cardID + u"_desc"_s;
}

void setCustomText(QMap<QString, QString>& texts, const QString& key, const QString& text,
                   const QString& defaultText) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed == defaultText)
        texts.remove(key);
    else
        texts.insert(key, trimmed);
}

QList<int> newestFirst(QSet<int> years, const QDateTime& now) {
    years.insert(localYear(now));
    QList<int> sorted(years.begin(), years.end());
    std::sort(sorted.begin(), sorted.end(), std::greater<>());
    return sorted;
}

} // namespace

SummaryAmounts summaryAmounts(const AppDatabase& db, int year, const QDateTime& now) {
    const StatusLists lists = StatusLists::of(db);
    const QSet<QUuid> excludedInvoices(db.preferences.recipeBookExcludedIDs.begin(),
                                       db.preferences.recipeBookExcludedIDs.end());
    const QSet<QUuid> excludedPayments(db.preferences.recipeBookExcludedEncaissementIDs.begin(),
                                       db.preferences.recipeBookExcludedEncaissementIDs.end());

    SummaryAmounts amounts;
    for (const CommercialDocumentItem& invoice : db.documents) {
        if (!isInvoice(invoice) || !isInYear(referenceDate(invoice), year))
            continue;
        const bool paid = hasPaidStatus(invoice, lists);
        if (paid)
            amounts.caTotal += netDue(invoice);
        if (excludedInvoices.contains(invoice.id))
            continue;
        if (invoice.encaissements.isEmpty()) {
            if (paid)
                amounts.caEncaisse += netDue(invoice);
            continue;
        }
        for (const Encaissement& payment : invoice.encaissements) {
            if (isInYear(payment.date, year) && !excludedPayments.contains(payment.id))
                amounts.caEncaisse += payment.amount;
        }
    }
    for (const AccountingPurchaseItem& expense : db.accountingPurchases) {
        if (isInYear(expense.purchaseDate, year))
            amounts.purchases += expense.priceTTC;
    }
    for (const AccountingPurchaseItem& debit : subscriptionDebits(db.recurringPurchases, now)) {
        if (isInYear(debit.purchaseDate, year))
            amounts.purchases += debit.priceTTC;
    }
    for (const URSSAFDeclaration& declaration : db.urssafDeclarations) {
        if (declaration.year == year)
            amounts.cotisations += declaration.cotisationAmount + declaration.cfpAmount +
                                   declaration.versementLiberatoireAmount;
    }
    return amounts;
}

QList<IndicatorCard> summaryCards(const SummaryAmounts& amounts, const URSSAFSettings& settings) {
    const bool totalsDiffer = std::abs(amounts.caTotal - amounts.caEncaisse) > 0.005;
    QList<IndicatorCard> cards;
    for (const CardDefinition& definition : cardDefinitions()) {
        if (definition.id == bestClientCardID())
            continue;
        if (!totalsDiffer && (definition.id == u"caTotal" || definition.id == u"net"))
            continue;
        IndicatorCard card;
        card.id = definition.id;
        card.title =
            settings.summaryCardCustomTitles.value(titleKey(definition.id), definition.title);
        card.description = settings.summaryCardCustomTitles.value(descriptionKey(definition.id),
                                                                  definition.description);
        card.value = cardValue(definition.id, amounts);
        card.iconName = definition.iconName;
        const bool canTurnRed = definition.id == u"netEncaisse" || definition.id == u"net";
        card.color = canTurnRed && card.value < 0 ? IndicatorColor::red : definition.color;
        card.visible = settings.*definition.shown;
        cards.append(card);
    }
    return cards;
}

QStringList summaryCardIds() {
    QStringList ids;
    for (const CardDefinition& card : cardDefinitions())
        ids << card.id;
    return ids;
}

QString defaultCardTitle(const QString& cardID) {
    const CardDefinition* card = definitionOf(cardID);
    return card ? card->title : QString();
}

QString defaultCardDescription(const QString& cardID) {
    const CardDefinition* card = definitionOf(cardID);
    return card ? card->description : QString();
}

bool isSummaryCardShown(const URSSAFSettings& settings, const QString& cardID) {
    const CardDefinition* card = definitionOf(cardID);
    return card && settings.*card->shown;
}

void setSummaryCardShown(URSSAFSettings& settings, const QString& cardID, bool shown) {
    if (const CardDefinition* card = definitionOf(cardID))
        settings.*card->shown = shown;
}

void setSummaryCardTexts(URSSAFSettings& settings, const QString& cardID, const QString& title,
                         const QString& description) {
    const CardDefinition* card = definitionOf(cardID);
    if (!card)
        return;
    setCustomText(settings.summaryCardCustomTitles, titleKey(cardID), title, card->title);
    setCustomText(settings.summaryCardCustomTitles, descriptionKey(cardID), description,
                  card->description);
}

void resetSummaryCards(URSSAFSettings& settings) {
    for (const CardDefinition& card : cardDefinitions())
        settings.*card.shown = true;
    settings.summaryCardCustomTitles.clear();
}

QString bestClientCardID() {
    return u"bestClient"_s;
}

Alert summaryResetConfirmation() {
    return Alert{Alert::Kind::warning,
                 u"Réinitialiser l’affichage ?"_s,
                 u"Toutes les cartes seront de nouveau affichées, avec leurs titres et leurs "
                 "descriptions d’origine."_s,
                 {AlertButton{u"Annuler"_s, AlertRole::cancel},
                  AlertButton{u"Réinitialiser"_s, AlertRole::destructive}}};
}

QStringList summaryCustomizeHint() {
    return {u"Cliquez sur"_s, u"pour personnaliser l'affichage."_s};
}

std::optional<BestClient> bestClient(const AppDatabase& db, int year) {
    const StatusLists lists = StatusLists::of(db);
    QHash<QUuid, double> sums;
    for (const CommercialDocumentItem& invoice : db.documents) {
        if (!isInvoice(invoice) || !invoice.clientID)
            continue;
        if (!isInYear(bestClientDate(invoice), year))
            continue;
        if (invoice.encaissements.isEmpty()) {
            if (hasPaidStatus(invoice, lists))
                sums[*invoice.clientID] += netDue(invoice);
            continue;
        }
        double paidInYear = 0;
        for (const Encaissement& payment : invoice.encaissements) {
            if (isInYear(payment.date, year))
                paidInYear += payment.amount;
        }
        sums[*invoice.clientID] += paidInYear;
    }
    std::optional<BestClient> best;
    for (const ClientItem& client : db.clients) {
        const auto sum = sums.constFind(client.id);
        if (sum == sums.constEnd() || (best && *sum <= best->amount))
            continue;
        best = BestClient{client.id, clientDisplayName(client), client.kind, *sum};
    }
    return best;
}

QString noBestClientText(int year) {
    return u"Meilleur client — aucune donnée pour "_s + QString::number(year);
}

QList<int> summaryYears(const AppDatabase& db, const QDateTime& now) {
    const StatusLists lists = StatusLists::of(db);
    QSet<int> years;
    for (const AccountingPurchaseItem& entry : expenseEntries(db, now))
        years.insert(localYear(entry.purchaseDate));
    for (const CommercialDocumentItem& invoice : db.documents) {
        if (!isInvoice(invoice))
            continue;
        if (hasPaidStatus(invoice, lists))
            years.insert(localYear(referenceDate(invoice)));
        for (const Encaissement& payment : invoice.encaissements)
            years.insert(localYear(payment.date));
    }
    return newestFirst(years, now);
}

MonthlyRevenue monthlyRevenue(const AppDatabase& db, int year) {
    MonthlyRevenue revenue;
    for (const CommercialDocumentItem& invoice : db.documents) {
        if (!isInvoice(invoice) || !isInYear(invoice.issueDate, year))
            continue;
        revenue.months[invoice.issueDate.toLocalTime().date().month() - 1] += netDue(invoice);
        ++revenue.invoiceCount;
    }
    return revenue;
}

QString revenueBarLabel(double value) {
    QString text;
    if (std::abs(value) >= 1'000'000)
        text = QString::asprintf("%.1f M€", value / 1'000'000);
    else if (std::abs(value) >= 1'000)
        text = QString::asprintf("%.1f k€", value / 1'000);
    else
        text = QString::asprintf("%.0f €", value);
    return text.replace(u'.', u',');
}

QString revenueMonthLabel(int month) {
    return QLocale(QLocale::French, QLocale::France)
        .standaloneMonthName(month, QLocale::ShortFormat);
}

QString noRevenueText(int year) {
    return u"Aucune facture émise sur "_s + QString::number(year);
}

QList<int> revenueYears(const AppDatabase& db, const QDateTime& now) {
    QSet<int> years;
    for (const CommercialDocumentItem& invoice : db.documents) {
        if (isInvoice(invoice))
            years.insert(localYear(invoice.issueDate));
    }
    return newestFirst(years, now);
}

} // namespace velmora
