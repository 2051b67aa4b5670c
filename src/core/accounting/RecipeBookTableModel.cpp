#include "core/accounting/RecipeBookTableModel.h"

#include "core/accounting/RecipeBookExclusion.h"
#include "core/documents/DocumentDeadlines.h"
#include "core/text/MoneyFormat.h"

#include <QSet>

#include <algorithm>

namespace velmora {

QVariant RecipeBookTableModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::TextAlignmentRole)
        return int((section == amountColumn ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    switch (section) {
    case dateColumn:
        return QStringLiteral("Date d'encaissement");
    case numberColumn:
        return QStringLiteral("N° facture");
    case clientColumn:
        return QStringLiteral("Client");
    case natureColumn:
        return QStringLiteral("Nature");
    case settlementColumn:
        return QStringLiteral("Règlement");
    case amountColumn:
        return QStringLiteral("Montant");
    default:
        return {};
    }
}

void RecipeBookTableModel::refresh(const AppDatabase& db) {
    // The book as it would be with nothing taken out: one pass gives the
    // receipts kept, the removed ones and every year the filter may offer.
    AppDatabase whole = db;
    whole.preferences.recipeBookExcludedIDs.clear();
    whole.preferences.recipeBookExcludedEncaissementIDs.clear();
    QList<RecipeEntry> everything = recipeEntries(whole);

    QSet<int> years;
    // Entries are moved, never copied: each holds its whole invoice.
    QList<RecipeEntry> shown;
    QList<bool> removed;
    m_kept = 0;
    m_total = 0;
    for (RecipeEntry& entry : everything) {
        // Converted once: a local time costs a look at the system's zone.
        const QDate day = localDay(recipeEntryDate(entry));
        years.insert(day.year());
        if (!isInRecipePeriod(day, m_period))
            continue;
        const bool out = isExcludedFromRecipeBook(entry, db.preferences);
        if (!out) {
            ++m_kept;
            m_total += recipeEntryAmount(entry);
        }
        if (!out || m_showRemoved) {
            shown.append(std::move(entry));
            removed.append(out);
        }
    }
    m_years = QList<int>(years.cbegin(), years.cend());
    std::sort(m_years.begin(), m_years.end(), std::greater<>());

    const QList<LivreRecettesRow> rows = recipeRows(shown, db.clients);
    QList<RecipeBookLine> lines;
    lines.reserve(shown.size());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const QUuid id = shown[i].id;
        lines.append({id, std::move(shown[i]), rows[i], removed[i]});
    }
    setRecords(lines);
}

QList<RecipeEntry> RecipeBookTableModel::entries() const {
    QList<RecipeEntry> kept;
    kept.reserve(m_kept);
    for (int row = 0; row < rowCount(); ++row)
        if (const RecipeBookLine* line = record(row); line && !line->removed)
            kept.append(line->entry);
    return kept;
}

QString RecipeBookTableModel::totalText() const {
    return QStringLiteral("Total encaissé : ") + formatMoney(total());
}

QString RecipeBookTableModel::countText() const {
    const qsizetype count = m_kept;
    if (count == 0)
        return QStringLiteral("Aucune recette");
    return count == 1 ? QStringLiteral("1 recette") : QStringLiteral("%1 recettes").arg(count);
}

QVariant RecipeBookTableModel::recordData(const RecipeBookLine& line, int column, int role) const {
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        switch (column) {
        case dateColumn:
            return line.row.date;
        case numberColumn:
            return line.row.number;
        case clientColumn:
            return line.row.client;
        case natureColumn:
            return QString(line.row.nature).replace(QLatin1Char('\n'), QLatin1Char(' '));
        case settlementColumn:
            return line.row.settlement;
        case amountColumn:
            return formatMoney(line.row.amount);
        default:
            return {};
        }
    case Qt::TextAlignmentRole:
        return int((column == amountColumn ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    case Qt::ToolTipRole:
        if (line.removed)
            return line.entry.encaissement
                       ? QStringLiteral("Encaissement retiré du livre de recettes")
                       : QStringLiteral("Facture retirée du livre de recettes");
        return column == natureColumn || column == clientColumn
                   ? recordData(line, column, Qt::DisplayRole)
                   : QVariant();
    case SortRole:
        return column == amountColumn ? QVariant(line.row.amount)
                                      : QVariant(recipeEntryDate(line.entry));
    case RemovedRole:
        return line.removed;
    default:
        return {};
    }
}

QString recipeMonthTitle(int month) {
    static const char* const months[] = {"Janvier",   "Février", "Mars",     "Avril",
                                         "Mai",       "Juin",    "Juillet",  "Août",
                                         "Septembre", "Octobre", "Novembre", "Décembre"};
    return month >= 1 && month <= 12 ? QString::fromUtf8(months[month - 1]) : QString();
}

Alert recipeExclusionConfirmation(const RecipeBookLine& line) {
    const QString invoice = line.row.number == QStringLiteral("—")
                                ? QStringLiteral("facture sans numéro")
                                : QStringLiteral("facture ") + line.row.number;
    const QString consequence = QStringLiteral(
        " ne figurera plus dans le livre de recettes, dans ses exports ni dans le chiffre "
        "d’affaires pré-rempli des déclarations URSSAF. Vous pourrez l’y réintégrer à tout "
        "moment.");
    Alert alert;
    alert.kind = Alert::Kind::warning;
    if (line.entry.encaissement) {
        alert.title = QStringLiteral("Retirer cet encaissement du livre de recettes ?");
        alert.message =
            QStringLiteral("L’encaissement de %1 du %2 (%3, %4)")
                .arg(formatMoney(line.row.amount), line.row.date, invoice, line.row.client) +
            consequence;
    } else {
        alert.title = QStringLiteral("Retirer cette facture du livre de recettes ?");
        alert.message = QStringLiteral("La %1 (%2, %3)")
                            .arg(invoice, line.row.client, formatMoney(line.row.amount)) +
                        consequence;
    }
    alert.buttons = {{QStringLiteral("Annuler"), AlertRole::cancel},
                     {QStringLiteral("Retirer"), AlertRole::destructive}};
    return alert;
}

Alert recipeReintegrationConfirmation(const RecipeBookLine& line) {
    const QString invoice = line.row.number == QStringLiteral("—")
                                ? QStringLiteral("La facture sans numéro")
                                : QStringLiteral("La facture ") + line.row.number;
    Alert alert;
    alert.kind = Alert::Kind::information;
    alert.title = QStringLiteral("Réintégrer au livre de recettes ?");
    alert.message = invoice + QStringLiteral(" (%1) et tous ses encaissements retirés reviendront "
                                             "dans le livre de recettes et ses exports.")
                                  .arg(line.row.client);
    alert.buttons = {{QStringLiteral("Annuler"), AlertRole::cancel},
                     {QStringLiteral("Réintégrer"), AlertRole::defaultAction}};
    return alert;
}

Alert recipeExportChoice(const AccountingRecipeSettings& settings) {
    Alert alert;
    alert.kind = Alert::Kind::information;
    alert.title = settings.buttonTitle.trimmed().isEmpty() ? AccountingRecipeSettings().buttonTitle
                                                           : settings.buttonTitle.trimmed();
    alert.message = QStringLiteral("Choisissez le format du livre de recettes.");
    alert.buttons = {
        {QStringLiteral("Télécharger en PDF"), AlertRole::defaultAction},
        {QStringLiteral("Exporter en CSV (Excel / LibreOffice)"), AlertRole::defaultAction},
        {QStringLiteral("Annuler"), AlertRole::cancel}};
    return alert;
}

QString emptyRecipeBookTitle() {
    return QStringLiteral("Aucune facture trouvée");
}

QString emptyRecipeBookMessage() {
    return QStringLiteral("Le livre de recettes se remplira automatiquement à partir de vos "
                          "factures.");
}

} // namespace velmora
