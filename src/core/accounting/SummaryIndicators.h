#pragma once

#include "core/Alert.h"
#include "core/model/AppDatabase.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUuid>

#include <array>
#include <optional>

namespace velmora {

// The accounting summary of one year, computed on display from the invoices,
// payments, expenses, subscription debits and URSSAF declarations.

struct SummaryAmounts {
    double caEncaisse = 0;  // cash received, as the recipe book keeps it
    double caTotal = 0;     // every paid invoice, exclusions and payments aside
    double purchases = 0;   // stored expenses and subscription debits
    double cotisations = 0; // declarations of the year, paid or not
    double netEncaisse() const { return caEncaisse - cotisations; }
    double netTotal() const { return caTotal - cotisations; }
};

// Debits are those that fell due up to `now`.
SummaryAmounts summaryAmounts(const AppDatabase& db, int year, const QDateTime& now);

enum class IndicatorColor { blue, orange, purple, green, teal, red };

struct IndicatorCard {
    QString id;
    QString title;
    QString description;
    double value = 0;
    QString iconName;
    IndicatorColor color = IndicatorColor::blue;
    bool visible = true;
};

// The cards in their fixed order, hidden ones included with `visible` false;
// "caTotal" and "net" only when the total differs from the cash received by
// more than half a cent. Custom titles and descriptions replace the defaults.
QList<IndicatorCard> summaryCards(const SummaryAmounts& amounts, const URSSAFSettings& settings);

// Every card id, existing or not this year, in order: what the edit mode lists.
QStringList summaryCardIds();
QString defaultCardTitle(const QString& cardID);
QString defaultCardDescription(const QString& cardID);
// The stored flag of a card ("bestClient" included); false for an unknown id.
bool isSummaryCardShown(const URSSAFSettings& settings, const QString& cardID);
void setSummaryCardShown(URSSAFSettings& settings, const QString& cardID, bool shown);
// A blank text or the default one removes the customisation.
void setSummaryCardTexts(URSSAFSettings& settings, const QString& cardID, const QString& title,
                         const QString& description);
// Every card shown and every custom text removed.
void resetSummaryCards(URSSAFSettings& settings);
QString bestClientCardID();
// Asked before the reset, which drops every custom title.
Alert summaryResetConfirmation();
// The hint around the settings symbol: "Cliquez sur", "pour personnaliser l'affichage."
QStringList summaryCustomizeHint();

struct BestClient {
    QUuid clientID;
    QString name; // the client's display name
    ClientKind kind = ClientKind::particulier;
    double amount = 0;
};

// The client whose invoices brought the most in the year; on equal sums the
// earlier client of the client list.
std::optional<BestClient> bestClient(const AppDatabase& db, int year);
// "Meilleur client — aucune donnée pour 2025".
QString noBestClientText(int year);

// The years that hold expenses (debits included) or paid invoices, newest
// first; the current year always among them so the choice is never empty.
QList<int> summaryYears(const AppDatabase& db, const QDateTime& now);

// The net due of the invoices issued each month of the year, whatever their
// status.
struct MonthlyRevenue {
    std::array<double, 12> months{};
    int invoiceCount = 0;
    bool isEmpty() const { return invoiceCount == 0; }
};
MonthlyRevenue monthlyRevenue(const AppDatabase& db, int year);
// "1,3 k€", "999 €", "2,5 M€".
QString revenueBarLabel(double value);
// "janv.", "févr.", … for month 1–12.
QString revenueMonthLabel(int month);
// "Aucune facture émise sur 2025".
QString noRevenueText(int year);
// The years invoices were issued in, newest first, with the current year.
QList<int> revenueYears(const AppDatabase& db, const QDateTime& now);

} // namespace velmora
