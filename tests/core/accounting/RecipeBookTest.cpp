// The recipe book: which invoices and payments it holds, in which order, for
// which period, with which amounts; taking them out and bringing them back.

#include "RecipeBookFixture.h"

#include "core/accounting/RecipeBookExclusion.h"

using namespace velmora;
using namespace velmora::test;

namespace {

TEST(RecipeBook, PaidInvoiceWithoutPaymentsIsOneEntry) {
    const QDateTime collected = localNoon(2025, 6, 20);
    const struct {
        QString statusName;
        bool hasEncaissementDate;
        bool counted;
    } rows[] = {
        {u"Payé"_s, true, true},
        {u" PAYÉ\n"_s, false, true},
        {u"Envoyé"_s, true, false},
        {u"Payée"_s, true, false},
    };
    for (const auto& row : rows) {
        RecipeSession s;
        s.db.invoiceStatuses = renamed(s.db.invoiceStatuses, u"Payé"_s, row.statusName);
        CommercialDocumentItem& d = s.invoice(u"F-1"_s, row.statusName);
        if (row.hasEncaissementDate)
            d.encaissementDate = collected;
        const QList<RecipeEntry> entries = recipeEntries(s.db);
        ASSERT_EQ(entries.size(), row.counted ? 1 : 0) << row.statusName.toStdString();
        if (!row.counted)
            continue;
        EXPECT_EQ(entries[0].id, d.id);
        EXPECT_EQ(recipeEntryDate(entries[0]), row.hasEncaissementDate ? collected : d.issueDate);
        EXPECT_EQ(recipeEntryPaymentMethod(entries[0]), u"Non renseigné"_s);
    }
}

TEST(RecipeBook, EveryPaymentOfAnInvoiceIsAnEntryWhateverItsStatus) {
    RecipeSession s;
    s.invoice(u"F-1"_s, u"Envoyé"_s, {payment(30), payment(70)});
    s.invoice(u"D-1"_s, u"Payé"_s, {payment(10)});
    s.db.documents.last().kind = CommercialDocumentKind::quote;
    s.invoice(u"F-2"_s, u"Brouillon"_s);
    EXPECT_EQ(s.numbers(), (QStringList{u"F-1"_s, u"F-1"_s}));
}

// Many receipts of one moment keep document then payment order: a plain sort
// would shuffle them.
TEST(RecipeBook, EqualDatesKeepDocumentThenPaymentOrder) {
    RecipeSession s;
    const QDateTime day = localNoon(2025, 3, 1);
    for (int i = 0; i < 20; ++i) {
        QList<Encaissement> payments{paidOn(i, day), paidOn(100 + i, day)};
        if (i == 7)
            payments.append(paidOn(999, day.addDays(1)));
        s.invoice(u"F-%1"_s.arg(i), u"Envoyé"_s, payments);
    }
    const QList<RecipeEntry> entries = recipeEntries(s.db);
    ASSERT_EQ(entries.size(), 41);
    EXPECT_EQ(recipeEntryAmount(entries[0]), 999);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(recipeEntryAmount(entries[1 + 2 * i]), i);
        EXPECT_EQ(recipeEntryAmount(entries[2 + 2 * i]), 100 + i);
    }
}

TEST(RecipeBook, CancelledActivityKeepsWhatWasNotPaidBack) {
    using R = AcompteRefundStatus;
    const struct {
        QString status;
        bool cancelled, isAcompte, isRefunded;
        std::optional<R> decision;
        bool counted;
    } rows[] = {
        {u"Envoyé"_s, true, false, false, {}, true},
        {u"Envoyé"_s, true, false, true, {}, false},
        {u"Envoyé"_s, true, true, true, {}, true}, // a deposit goes by the decision
        {u"Envoyé"_s, true, true, false, R::kept, true},
        {u"Envoyé"_s, true, true, false, R::refunded, false},
        {u"Envoyé"_s, false, true, true, R::refunded, true}, // flags count only when cancelled
        {u"Brouillon"_s, true, false, true, {}, true},       // a draft is never cancelled
    };
    for (const auto& row : rows) {
        RecipeSession s;
        ProjectItem project;
        project.id = QUuid::createUuid();
        project.isCancelled = row.cancelled;
        s.db.projects = {project};
        Encaissement p = payment(50, row.isAcompte);
        p.isRefunded = row.isRefunded;
        CommercialDocumentItem& d = s.invoice(u"F-1"_s, row.status, {p});
        d.linkedProjectIDs = {QUuid::createUuid(), project.id};
        d.acompteRefundStatus = row.decision;
        EXPECT_EQ(recipeEntries(s.db).size(), row.counted ? 1 : 0)
            << row.status.toStdString() << row.cancelled << row.isAcompte << row.isRefunded;
    }
    RecipeSession s;
    ProjectItem project;
    project.id = QUuid::createUuid();
    project.isCancelled = true;
    s.db.projects = {project};
    s.invoice(u"F-1"_s, u"Payé"_s).linkedProjectIDs = {project.id};
    EXPECT_TRUE(recipeEntries(s.db).isEmpty());
}

// Local calendar days: 31 December 23:30 UTC is 1 January in Paris.
TEST(RecipeBook, PeriodFilters) {
    RecipeSession s;
    s.invoice(u"A"_s, u"Envoyé"_s, {paidOn(1, localNoon(2024, 3, 15))});
    s.invoice(u"B"_s, u"Envoyé"_s, {paidOn(1, localNoon(2025, 3, 10))});
    s.invoice(u"C"_s, u"Envoyé"_s, {paidOn(1, localNoon(2025, 4, 1))});
    s.invoice(u"D"_s, u"Envoyé"_s,
              {paidOn(1, QDateTime(QDate(2025, 12, 31), QTime(23, 30), Qt::UTC))});
    const struct {
        std::optional<int> year, month;
        QStringList numbers;
    } rows[] = {
        {{}, {}, {u"D"_s, u"C"_s, u"B"_s, u"A"_s}},
        {2025, {}, {u"C"_s, u"B"_s}},
        {{}, 3, {u"B"_s, u"A"_s}},
        {2025, 3, {u"B"_s}},
        {2026, 1, {u"D"_s}},
        {2025, 12, {}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(s.numbers({row.year, row.month}), row.numbers)
            << row.year.value_or(0) << "/" << row.month.value_or(0);
}

TEST(RecipeBook, AmountsAndProRataSplit) {
    using K = CommercialDocumentLineKind;
    const struct {
        QList<CommercialDocumentLine> lines;
        std::optional<double> paid; // none: the paid invoice as a whole
        double ht, tva, ttc;
    } rows[] = {
        {{serviceLine(100, 1, 20)}, 60, 50, 10, 60},
        {{serviceLine(100, 1, 20)}, {}, 100, 20, 120},
        {{serviceLine(100, 1, 20), otherLine(K::deposit, 20)}, 50, 50, 10, 50},
        // Nothing due: HT and VAT follow the collected amount, never more.
        {{serviceLine(100, 1, 20), otherLine(K::discount, 150)}, {}, 0, 0, 0},
        {{serviceLine(100, 1, 20), otherLine(K::deposit, 120)}, 60, 50, 10, 60},
        {{otherLine(K::deposit, 10)}, 30, 30, 0, 30},
    };
    for (const auto& row : rows) {
        RecipeSession s;
        QList<Encaissement> payments;
        if (row.paid)
            payments = {payment(*row.paid)};
        s.invoice(u"F-1"_s, u"Payé"_s, payments, row.lines);
        const QList<RecipeEntry> entries = recipeEntries(s.db);
        ASSERT_EQ(entries.size(), 1);
        const RecipeSplit split = recipeEntrySplit(entries[0]);
        EXPECT_DOUBLE_EQ(split.ht, row.ht) << row.ttc;
        EXPECT_DOUBLE_EQ(split.tva, row.tva) << row.ttc;
        EXPECT_DOUBLE_EQ(split.ttc, row.ttc);
        EXPECT_DOUBLE_EQ(recipeTotal(entries), row.ttc);
    }
}

TEST(RecipeBook, ExcludeAndReintegrate) {
    RecipeSession s;
    const CommercialDocumentItem d =
        s.invoice(u"F-1"_s, u"Envoyé"_s, {payment(10), payment(20), payment(30)});
    const CommercialDocumentItem whole = s.invoice(u"F-2"_s, u"Payé"_s);
    SessionEdit edit(s.db);
    const auto amounts = [&] {
        QList<double> list;
        for (const RecipeEntry& entry : recipeEntries(edit.session()))
            list << recipeEntryAmount(entry);
        return list;
    };
    QList<RecipeEntry> entries = recipeEntriesOf(edit.session(), d.id);
    ASSERT_EQ(entries.size(), 3);
    EXPECT_EQ(excludeRecipeEntry(edit, entries[1]).kind(), ResultKind::applied);
    EXPECT_EQ(excludeRecipeEntry(edit, entries[1]).kind(), ResultKind::unchanged);
    EXPECT_EQ(edit.session().preferences.recipeBookExcludedEncaissementIDs,
              QList<QUuid>{d.encaissements[1].id});
    EXPECT_EQ(amounts(), (QList<double>{10, 30, 100}));
    EXPECT_EQ(recipeBookStateText(d, edit.session().preferences),
              u"Retirée du livre de recettes"_s);

    ASSERT_TRUE(excludeRecipeEntry(edit, recipeEntriesOf(edit.session(), whole.id)[0]).ok());
    EXPECT_EQ(edit.session().preferences.recipeBookExcludedIDs, QList<QUuid>{whole.id});
    edit.preferences().recipeBookExcludedIDs.append(d.id);
    EXPECT_TRUE(amounts().isEmpty());

    ASSERT_TRUE(reintegrateInvoice(edit, d.id).ok());
    EXPECT_EQ(reintegrateInvoice(edit, d.id).kind(), ResultKind::unchanged);
    EXPECT_EQ(amounts(), (QList<double>{10, 20, 30}));
    EXPECT_EQ(recipeBookStateText(d, edit.session().preferences), u"Dans le livre de recettes"_s);
    for (const auto& [count, text] : {std::pair{0, u"0 encaissement dans le livre de recettes"},
                                      std::pair{1, u"1 encaissement dans le livre de recettes"},
                                      std::pair{3, u"3 encaissements dans le livre de recettes"}})
        EXPECT_EQ(recipeBookPaymentsText(count), QString::fromUtf16(text));

    RecipeEntry gone = entries[0];
    gone.encaissement->id = QUuid::createUuid();
    EXPECT_EQ(excludeRecipeEntry(edit, gone).kind(), ResultKind::notFound);
    EXPECT_EQ(reintegrateInvoice(edit, QUuid::createUuid()).error(),
              u"Ce document n'existe plus."_s);
}

TEST(RecipeBook, AnIssuedInvoiceKeepsItsClientOnceTheRecordIsGone) {
    RecipeSession s;
    ClientItem issuedAs = s.client;
    issuedAs.company = u"Atelier Lumen (émis)"_s;
    const struct {
        const char* name;
        std::optional<DocumentSnapshot> snapshot;
        bool recordKept;
        QString client;
    } rows[] = {
        {"frozen, record deleted", DocumentSnapshot{{}, {}, issuedAs, {}}, false,
         u"Atelier Lumen (émis)"_s},
        {"frozen, record renamed", DocumentSnapshot{{}, {}, issuedAs, {}}, true,
         u"Atelier Lumen (émis)"_s},
        {"frozen without a client", DocumentSnapshot{}, true, u"Atelier Lumen"_s},
        {"not frozen, record deleted", std::nullopt, false, u"—"_s},
    };
    for (const auto& row : rows) {
        RecipeSession book;
        book.client = s.client;
        book.db.clients = row.recordKept ? QList<ClientItem>{s.client} : QList<ClientItem>{};
        book.invoice(u"F-1"_s, u"Envoyé"_s, {payment(100)}).pdfSnapshot = row.snapshot;
        const QList<LivreRecettesRow> shown = recipeRows(recipeEntries(book.db), book.db.clients);
        ASSERT_EQ(shown.size(), 1) << row.name;
        EXPECT_EQ(shown[0].client, row.client) << row.name;
    }
}

TEST(RecipeBook, PeriodLabelsAndFileNames) {
    const struct {
        std::optional<int> year, month;
        QString label, name;
    } rows[] = {
        {{},
         {},
         u"Période : toutes années — année complète"_s,
         u"livre-recettes-toutes-annees.csv"_s},
        {{}, 3, u"Période : toutes années — mars"_s, u"livre-recettes-toutes-annees-03.csv"_s},
        {2025, 12, u"Période : 2025 — décembre"_s, u"livre-recettes-2025-12.csv"_s},
        {2025, {}, u"Période : 2025 — année complète"_s, u"livre-recettes-2025.csv"_s},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(recipePeriodLabel({row.year, row.month}), row.label);
        EXPECT_EQ(recipeBookFileName({row.year, row.month}, u"csv"_s), row.name);
    }
    EXPECT_EQ(recipeBookFileName({2025, 2}, u"pdf"_s), u"livre-recettes-2025-02.pdf"_s);
}

} // namespace
