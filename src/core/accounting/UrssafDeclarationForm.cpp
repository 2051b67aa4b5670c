#include "core/accounting/UrssafDeclarationForm.h"

#include "core/accounting/UrssafPrefill.h"
#include "core/activities/ActivityAttachments.h"
#include "core/documents/DocumentDeadlines.h"
#include "core/store/AppDataStore.h"
#include "core/store/RecordPut.h"
#include "core/text/AmountParsing.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace velmora {
namespace {

// The copy of a newly chosen file, or the previous file when there is no
// new choice or it cannot be copied (then `failed` names it).
std::optional<QUrl> attached(AppDataStore& store, const std::optional<QUrl>& chosen,
                             const std::optional<QUrl>& previous, const QString& prefix,
                             QStringList& failed) {
    if (!chosen)
        return previous;
    const QFileInfo info(chosen->toLocalFile());
    std::optional<QUrl> copy;
    if (chosen->isLocalFile() && info.isFile() && info.isReadable())
        copy = store.importMediaFile(*chosen, false, prefix);
    if (copy)
        return copy;
    const QString name = chosen->fileName();
    failed << attachmentFailedMessage(name.isEmpty() ? chosen->toDisplayString() : name);
    return previous;
}

void removeIfReplaced(AppDataStore& store, const std::optional<QUrl>& before,
                      const std::optional<QUrl>& after) {
    if (before && before != after)
        store.removeMediaFile(*before);
}

} // namespace

QString urssafFieldText(double amount) {
    if (amount == 0)
        return {};
    return QString::number(amount, 'f', QLocale::FloatingPointShortest)
        .replace(QLatin1Char('.'), QLatin1Char(','));
}

UrssafDeclarationForm::UrssafDeclarationForm(const URSSAFSettings& settings, const QDateTime& now)
    : paidDate(now), declaredDate(now), m_settings(settings) {
    const UrssafPeriod previous =
        previousUrssafPeriod(localDay(now), settings.declarationFrequency);
    year = previous.year;
    periodIndex = previous.index;
    frequency = previous.frequency;
    m_record.createdAt = now;
}

UrssafDeclarationForm::UrssafDeclarationForm(const URSSAFSettings& settings,
                                             const URSSAFDeclaration& declaration,
                                             const QDateTime& now)
    : year(int(declaration.year)), periodIndex(int(declaration.periodIndex)),
      frequency(declaration.frequency), sales(urssafFieldText(declaration.caVenteMarchandises)),
      bic(urssafFieldText(declaration.caPrestationsServicesBIC)),
      bnc(urssafFieldText(declaration.caPrestationsServicesBNC)),
      letting(urssafFieldText(declaration.caLocationMeublee)),
      cotisation(urssafFieldText(declaration.cotisationAmount)),
      cfp(urssafFieldText(declaration.cfpAmount)),
      versementLiberatoire(urssafFieldText(declaration.versementLiberatoireAmount)),
      notes(declaration.notes), isPaid(declaration.isPaid),
      paidDate(declaration.paidDate.value_or(now)), isDeclared(declaration.isDeclared),
      declaredDate(declaration.declaredDate.value_or(now)), m_settings(settings),
      m_record(declaration), m_isNew(false) {
    const UrssafAmounts stored{declaration.cotisationAmount, declaration.cfpAmount,
                               declaration.versementLiberatoireAmount};
    const UrssafAmounts computed = urssafContributions(turnover(), settings);
    autoCompute = stored == computed || stored == roundedToEuros(computed);
}

void UrssafDeclarationForm::setFrequency(URSSAFDeclarationFrequency value) {
    frequency = value;
    if (value == URSSAFDeclarationFrequency::trimestrial && periodIndex > 4)
        periodIndex = 4;
}

UrssafTurnover UrssafDeclarationForm::turnover() const {
    return {urssafFieldAmount(sales), urssafFieldAmount(bic), urssafFieldAmount(bnc),
            urssafFieldAmount(letting)};
}

UrssafAmounts UrssafDeclarationForm::amounts() const {
    if (autoCompute)
        return roundedToEuros(urssafContributions(turnover(), m_settings));
    return {urssafFieldAmount(cotisation), urssafFieldAmount(cfp),
            urssafFieldAmount(versementLiberatoire)};
}

void UrssafDeclarationForm::prefill(const AppDatabase& session) {
    const UrssafPrefill texts = urssafPrefill(session, period());
    sales = texts.sales;
    bic = texts.bic;
    bnc = texts.bnc;
}

URSSAFDeclaration UrssafDeclarationForm::written() const {
    URSSAFDeclaration d = m_record;
    d.year = year;
    d.periodIndex = periodIndex;
    d.frequency = frequency;
    const UrssafTurnover ca = turnover();
    d.caVenteMarchandises = ca.sales;
    d.caPrestationsServicesBIC = ca.bic;
    d.caPrestationsServicesBNC = ca.bnc;
    d.caLocationMeublee = ca.letting;
    const UrssafAmounts due = amounts();
    d.cotisationAmount = due.cotisation;
    d.cfpAmount = due.cfp;
    d.versementLiberatoireAmount = due.versementLiberatoire;
    d.isPaid = isPaid;
    d.paidDate = isPaid ? std::optional(paidDate) : std::nullopt;
    d.isDeclared = isDeclared;
    d.declaredDate = isDeclared ? std::optional(declaredDate) : std::nullopt;
    d.notes = notes;
    d.isAutoGenerated = false;
    return d;
}

bool UrssafDeclarationForm::isRefusedAmount(const QString& text) {
    return !text.trimmed().isEmpty() && !parseAmount(text);
}

Result<> UrssafDeclarationForm::save(AppDataStore& store) {
    // Computed from the rates, the contributions typed are not used: they
    // are not questioned either.
    QStringList typed{sales, bic, bnc, letting};
    if (!autoCompute)
        typed << cotisation << cfp << versementLiberatoire;
    if (std::any_of(typed.cbegin(), typed.cend(), isRefusedAmount))
        return Result<>::invalid(invalidAmountMessage());
    URSSAFDeclaration declaration = written();
    if (m_isNew) {
        declaration.id = QUuid::createUuid();
        declaration.createdAt = store.clock().now();
    }
    QStringList failed;
    declaration.declarationFileURL = attached(
        store, newDeclarationFile, m_record.declarationFileURL, declarationFilePrefix(), failed);
    declaration.paymentFileURL =
        attached(store, newPaymentFile, m_record.paymentFileURL, paymentFilePrefix(), failed);

    Result<> saved = store.edit([&](SessionEdit& edit) -> Result<> {
        return putRecord(
            edit.session().urssafDeclarations,
            [&]() -> QList<URSSAFDeclaration>& { return edit.urssafDeclarations(); }, declaration,
            m_isNew, notFoundMessage());
    });
    if (!saved.ok() && saved.kind() != ResultKind::unchanged) {
        // The copies made for this save are named by nothing stored.
        removeIfReplaced(store, declaration.declarationFileURL, m_record.declarationFileURL);
        removeIfReplaced(store, declaration.paymentFileURL, m_record.paymentFileURL);
        return saved;
    }
    removeIfReplaced(store, m_record.declarationFileURL, declaration.declarationFileURL);
    removeIfReplaced(store, m_record.paymentFileURL, declaration.paymentFileURL);
    m_record = declaration;
    m_isNew = false;
    newDeclarationFile.reset();
    newPaymentFile.reset();
    failed.prepend(saved.warning());
    failed.removeAll(QString());
    saved.setWarning(failed.join(QLatin1Char('\n')));
    return saved;
}

} // namespace velmora
