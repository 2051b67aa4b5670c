#pragma once

#include "core/Result.h"
#include "core/accounting/UrssafContributions.h"
#include "core/accounting/UrssafPeriod.h"
#include "core/model/AccountingRecords.h"
#include "core/model/AppDatabase.h"

#include <QDateTime>
#include <QString>
#include <QUrl>

#include <optional>

namespace velmora {

class SessionEdit;

// How an amount of a declaration shows in its field: "1234,5", empty for 0.
QString urssafFieldText(double amount);

// The declaration form, new or editing. Every amount is a text as typed; the
// settings are the session's at opening.
class UrssafDeclarationForm {
public:
    static QString newTitle() { return QStringLiteral("Nouvelle déclaration"); }
    static QString editTitle() { return QStringLiteral("Modifier la déclaration"); }
    static QString autoComputeLabel() { return QStringLiteral("Calculer automatiquement"); }
    static QString prefillHint() {
        return QStringLiteral("Pré-remplir le CA depuis les factures du livre de recettes");
    }
    static QString prefillButton() { return QStringLiteral("Depuis le livre de recettes"); }
    static QString declarationFileLabel() { return QStringLiteral("Déclaration URSSAF"); }
    static QString paymentFileLabel() { return QStringLiteral("Justificatif de paiement"); }
    static QString notFoundMessage() { return QStringLiteral("Cette déclaration n'existe plus."); }
    static QString invalidAmountMessage() {
        return QStringLiteral("Montant invalide : saisissez un nombre, par exemple 450,50.");
    }
    // Whether a typed amount does not read as a number; an empty one is 0.
    static bool isRefusedAmount(const QString& text);
    // The name prefixes of the copies in the session's media.
    static QString declarationFilePrefix() { return QStringLiteral("urssaf_decl"); }
    static QString paymentFilePrefix() { return QStringLiteral("urssaf_pay"); }

    // A new declaration for the period before today's, at the settings'
    // frequency: every field empty, computed automatically, dates preset to
    // now but stored only once paid or declared.
    UrssafDeclarationForm(const URSSAFSettings& settings, const QDateTime& now);
    // Edits the declaration. Its amounts are computed automatically unless
    // they are not what the rates give (typed by hand).
    UrssafDeclarationForm(const URSSAFSettings& settings, const URSSAFDeclaration& declaration,
                          const QDateTime& now);

    bool isNew() const { return m_isNew; }
    QString title() const { return m_isNew ? newTitle() : editTitle(); }
    QString saveButton() const {
        return m_isNew ? QStringLiteral("Ajouter") : QStringLiteral("Enregistrer");
    }

    UrssafPeriod period() const { return {year, periodIndex, frequency}; }
    // Quarterly, a month beyond the fourth quarter becomes the fourth.
    void setFrequency(URSSAFDeclarationFrequency value);

    UrssafTurnover turnover() const;
    // Rounded to whole euros from the rates, or the amounts typed.
    UrssafAmounts amounts() const;
    // "≈ 125,00 €".
    QString totalText() const { return urssafTotalText(amounts()); }

    // Fills the sales, BIC and BNC fields from the period's invoices; the
    // furnished-letting field stays as it is.
    void prefill(const AppDatabase& session);

    // The record as saved, files aside: manual from now on.
    URSSAFDeclaration written() const;
    // A typed amount that does not read as a number is refused before
    // anything is copied or saved. Otherwise copies the newly chosen files
    // into the media, then adds or replaces the
    // declaration and saves once. A file that cannot be copied is left out
    // (the warning says which) and the previous one stays; a replaced copy
    // goes once the session no longer names it.
    Result<> save(SessionEdit& edit, const QDateTime& now);

    int year = 0;
    int periodIndex = 1;
    URSSAFDeclarationFrequency frequency = URSSAFDeclarationFrequency::trimestrial;
    QString sales;
    QString bic;
    QString bnc;
    QString letting;
    bool autoCompute = true;
    QString cotisation;
    QString cfp;
    QString versementLiberatoire; // "Vers. lib. (€)"
    QString notes;
    bool isPaid = false;
    QDateTime paidDate;
    bool isDeclared = false;
    QDateTime declaredDate;
    // Files chosen in this form, to copy on saving.
    std::optional<QUrl> newDeclarationFile;
    std::optional<QUrl> newPaymentFile;

    // The declaration as last saved, or the one being edited.
    const URSSAFDeclaration& record() const { return m_record; }

private:
    URSSAFSettings m_settings;
    URSSAFDeclaration m_record;
    bool m_isNew = true;
};

} // namespace velmora
