// The small business the tour shows.

#include "SampleData.h"

#include "core/accounting/SubscriptionSchedule.h"
#include "core/accounting/UrssafContributions.h"
#include "core/accounting/UrssafPeriod.h"
#include "core/activities/ActivityLifecycle.h"
#include "core/documents/DocumentCreation.h"
#include "core/documents/DocumentWorkflow.h"
#include "support/SampleDocuments.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

using namespace Qt::StringLiterals;

namespace velmora::tour {

namespace {

QUuid id() {
    return QUuid::createUuid();
}

} // namespace

// A few months of a photographer's business: clients of both kinds, a
// catalogue with a price typed wrong, activities in every status. Records
// name only the fields they use.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
void addSampleRecords(AppDataStore& store) {
    const QList<TagItem> clientTags{{id(), u"Fidèle"_s, TagColorOption::green},
                                    {id(), u"Mariage"_s, TagColorOption::pink},
                                    {id(), u"Entreprise"_s, TagColorOption::blue}};
    const QList<TagItem> serviceTags{{id(), u"Studio"_s, TagColorOption::purple},
                                     {id(), u"Extérieur"_s, TagColorOption::mint}};
    QList<ClientItem> clients{
        {.id = id(),
         .kind = ClientKind::professionnel,
         .company = u"Boulangerie Léa & Fils"_s,
         .email = u"contact@boulangerie-lea.fr"_s,
         .phone = u"04 78 12 34 56"_s,
         .notes = u"Photos de la vitrine chaque saison."_s,
         .contacts = {{id(), u"Léa"_s, u"Moreau"_s, u"Gérante"_s, u"lea@boulangerie-lea.fr"_s,
                       u"06 12 34 56 78"_s},
                      {id(), QString(), QString(), u"Comptabilité"_s,
                       u"compta@boulangerie-lea.fr"_s, QString()}},
         .tagIDs = {clientTags[0].id, clientTags[2].id},
         .addressLine1 = u"12 rue de la République"_s,
         .addressLine2 = u"69002 Lyon"_s,
         .siret = u"812 345 678 00021"_s},
        {.id = id(),
         .firstName = u"Éloïse"_s,
         .lastName = u"Martin"_s,
         .email = u"eloise.martin@exemple.fr"_s,
         .phone = u"06 98 76 54 32"_s,
         .tagIDs = {clientTags[1].id}},
        {.id = id(),
         .firstName = u"Karim"_s,
         .lastName = u"Benali"_s,
         .email = u"karim.benali@exemple.fr"_s},
        {.id = id(),
         .kind = ClientKind::professionnel,
         .company = u"Association des artisans photographes de la vallée du Rhône"_s,
         .email = u"bureau@artisans-rhone.fr"_s,
         .tagIDs = {clientTags[2].id}},
        {.id = id(),
         .firstName = u"Chloé"_s,
         .lastName = u"Dubois-Lefèvre"_s,
         .phone = u"07 11 22 33 44"_s,
         .tagIDs = {clientTags[0].id, clientTags[1].id}},
    };
    QList<ServiceItem> services{
        {.id = id(),
         .title = u"Séance portrait en studio"_s,
         .description = u"Une heure de prise de vue, dix photos retouchées."_s,
         .priceTTC = u"180"_s,
         .iconName = u"photo"_s,
         .tagIDs = {serviceTags[0].id}},
        {.id = id(),
         .title = u"Reportage de mariage"_s,
         .description = u"De la préparation au vin d’honneur, galerie en ligne."_s,
         .priceTTC = u"1450"_s,
         .tagIDs = {serviceTags[1].id},
         .prestationType = ServicePrestationType::prestationsCommercialesBIC},
        {.id = id(),
         .title = u"Tirage d’art 30 × 40"_s,
         .priceTTC = u"45 euros env."_s,
         .iconName = u"shippingbox"_s,
         .prestationType = ServicePrestationType::ventesMarchandises},
        {.id = id(), .title = u"Retouche à l’unité"_s, .priceTTC = u"12,50"_s},
    };
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QList<ProjectItem> projects{
        {.id = id(),
         .title = u"Vitrine de printemps"_s,
         .info = u"Vitrine et produits phares"_s,
         .type = u"Clients"_s,
         .status = u"En cours"_s,
         .linkedClientID = clients[0].id,
         .linkedServiceID = services[0].id,
         .events = {{id(), u"Prise de vue"_s, now.addDays(5), u"Boutique"_s, u"2 h"_s}},
         .startDate = now.addDays(-3)},
        {.id = id(),
         .title = u"Mariage Éloïse & Tom"_s,
         .type = u"Clients"_s,
         .status = u"À venir"_s,
         .linkedClientID = clients[1].id,
         .linkedServiceID = services[1].id,
         .endDate = now.addDays(60),
         .startDate = now.addDays(59)},
        {.id = id(),
         .title = u"Portfolio personnel"_s,
         .type = u"Autre"_s,
         .status = u"Terminé"_s,
         .completionState = ProjectCompletionState::finished},
        {.id = id(),
         .title = u"Portraits d’équipe"_s,
         .type = u"Clients"_s,
         .status = u"Annulé"_s,
         .linkedClientID = clients[3].id,
         .isCancelled = true,
         .cancelledAt = now.addDays(-10),
         .preCancelStatus = u"À venir"_s},
    };
    store.edit([&](SessionEdit& edit) {
        edit.clientTags() = clientTags;
        edit.serviceTags() = serviceTags;
        edit.clients() = clients;
        edit.services() = services;
        edit.projects() = projects;
        // A quote and an invoice of another client, with the company that issued them.
        edit.companySettings() = velmora::test::SampleDocuments::company();
        edit.clients().append(velmora::test::SampleDocuments::client());
        for (CommercialDocumentItem document :
             {velmora::test::SampleDocuments::quote(), velmora::test::SampleDocuments::invoice()}) {
            const QList<TagItem>& statuses = document.kind == CommercialDocumentKind::quote
                                                 ? edit.session().quoteStatuses
                                                 : edit.session().invoiceStatuses;
            if (statuses.size() > 1)
                document.statusID = statuses[1].id;
            edit.documents().append(document);
        }
        return Result<>();
    });
}
// A year of receipts for the recipe book: invoices paid in one or several
// payments, and one paid without a recorded payment.
void addSampleReceipts(AppDataStore& store) {
    const QList<ClientItem> clients = store.clients();
    const QList<std::tuple<QString, double, int, QString>> sales{
        {u"Séance portrait en studio"_s, 180, 4, u"Carte bancaire"_s},
        {u"Reportage de mariage"_s, 1450, 20, u"Virement"_s},
        {u"Tirage d’art 30 × 40"_s, 90, 33, u"Espèces"_s},
        {u"Photos de la vitrine de printemps"_s, 620, 41, u"Virement"_s},
        {u"Retouche à l’unité"_s, 37.5, 55, u"Chèque"_s},
        {u"Portraits d’équipe et trombinoscope"_s, 980, 68, u"Virement"_s},
        {u"Séance portrait en studio"_s, 180, 80, u""_s},
        {u"Reportage de mariage"_s, 1450, 96, u"Virement"_s},
        {u"Tirage d’art 30 × 40"_s, 135, 110, u"Carte bancaire"_s},
        {u"Séance famille en extérieur"_s, 240, 131, u"Chèque"_s},
    };
    QUuid paid;
    for (const TagItem& status : store.invoiceStatuses())
        if (status.name == u"Payé"_s)
            paid = status.id;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QList<CommercialDocumentItem> invoices;
    for (qsizetype i = 0; i < sales.size(); ++i) {
        const auto& [title, price, daysAgo, method] = sales[i];
        CommercialDocumentItem d;
        d.id = id();
        d.kind = CommercialDocumentKind::invoice;
        d.number = u"F-%1-%2"_s.arg(now.date().year()).arg(30 - i, 3, 10, QLatin1Char('0'));
        d.issueDate = now.addDays(-daysAgo - 10);
        d.clientID = clients[i % clients.size()].id;
        d.statusID = paid;
        CommercialDocumentLine line;
        line.id = id();
        line.title = title;
        line.priceTTC = price;
        d.lines = {line};
        if (i == 2) {
            // Paid at once, no payment recorded.
            d.encaissementDate = now.addDays(-daysAgo);
            d.paymentMethod = method;
        } else if (price > 1000) {
            // A deposit, then the balance.
            d.encaissements = {{id(), 450, now.addDays(-daysAgo - 30), method, true},
                               {id(), price - 450, now.addDays(-daysAgo), method}};
        } else {
            d.encaissements = {{id(), price, now.addDays(-daysAgo), method}};
        }
        invoices.append(d);
    }
    (void)store.edit([&](SessionEdit& edit) {
        edit.documents().append(invoices);
        AccountingRecipeSettings& book = edit.accountingRecipeSettings();
        book.companyName = u"Studio Lumière"_s;
        book.ownerName = u"Camille Moreau"_s;
        book.legalStatus = u"Micro-entrepreneur"_s;
        book.siret = u"812 345 678 00021"_s;
        book.addressLine1 = u"4 place Bellecour"_s;
        book.addressLine2 = u"69002 Lyon"_s;
        return Result<>();
    });
}
#pragma GCC diagnostic pop

// A year and a half of quarterly declarations, the older ones declared and
// paid, and the estimate of the current month.
void addSampleDeclarations(AppDataStore& store) {
    const QDate today = QDate::currentDate();
    const URSSAFSettings& rates = store.urssafSettings();
    const auto declaration = [&](int year, int quarter, UrssafTurnover ca, bool done) {
        URSSAFDeclaration d;
        d.id = id();
        d.year = year;
        d.periodIndex = quarter;
        d.frequency = URSSAFDeclarationFrequency::trimestrial;
        d.caVenteMarchandises = ca.sales;
        d.caPrestationsServicesBIC = ca.bic;
        d.caPrestationsServicesBNC = ca.bnc;
        d.caLocationMeublee = ca.letting;
        const UrssafAmounts due = roundedToEuros(urssafContributions(ca, rates));
        d.cotisationAmount = due.cotisation;
        d.cfpAmount = due.cfp;
        d.versementLiberatoireAmount = due.versementLiberatoire;
        d.isDeclared = done;
        d.isPaid = done;
        d.createdAt = QDateTime::currentDateTimeUtc();
        return d;
    };
    const UrssafPeriod last = previousUrssafPeriod(today, URSSAFDeclarationFrequency::trimestrial);
    QList<URSSAFDeclaration> all{
        declaration(last.year, last.index, {320, 1450, 2860, 0}, false),
        declaration(last.year - 1, 4, {180, 2900, 3120, 0}, true),
        declaration(last.year - 1, 3, {90, 0, 2480, 650}, true),
        declaration(last.year - 1, 2, {0, 1450, 1980, 650}, true),
    };
    all[0].isDeclared = true;
    URSSAFDeclaration estimate =
        declaration(today.year(), today.month(), {45, 1450, 540, 0}, false);
    estimate.frequency = URSSAFDeclarationFrequency::monthly;
    estimate.isAutoGenerated = true;
    const UrssafAmounts exact = urssafContributions({45, 1450, 540, 0}, rates);
    estimate.cotisationAmount = exact.cotisation;
    estimate.cfpAmount = exact.cfp;
    all.prepend(estimate);
    (void)store.edit([&](SessionEdit& edit) {
        edit.urssafDeclarations() = all;
        return Result<>();
    });
}

// The receipts of the second declaration: the URSSAF's acknowledgement as a
// PDF, the bank's payment as a picture.
void attachSampleReceipts(AppDataStore& store, const QString& folder) {
    const QString pdfPath = folder + u"/accuse-reception.pdf"_s;
    {
        QPdfWriter pdf(pdfPath);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&pdf);
        QFont title(u"Liberation Sans"_s, 20, QFont::Bold);
        painter.setFont(title);
        painter.drawText(QRect(0, 0, pdf.width(), 900), Qt::AlignCenter,
                         u"Accusé de réception — déclaration de chiffre d’affaires"_s);
        painter.setFont(QFont(u"Liberation Sans"_s, 12));
        painter.drawText(QRect(0, 1000, pdf.width(), 2000), Qt::AlignHCenter | Qt::TextWordWrap,
                         u"Période : 3e trimestre\nMontant déclaré : 4 630,00 €\nCotisations "
                         "dues : 985,00 €"_s);
    }
    const QString picturePath = folder + u"/virement.png"_s;
    QImage picture(900, 520, QImage::Format_RGB32);
    picture.fill(QColor(246, 247, 250));
    {
        QPainter painter(&picture);
        painter.setPen(QColor(40, 40, 60));
        painter.setFont(QFont(u"Liberation Sans"_s, 22, QFont::Bold));
        painter.drawText(QRect(40, 40, 820, 60), u"Avis de prélèvement URSSAF"_s);
        painter.setFont(QFont(u"Liberation Sans"_s, 16));
        painter.drawText(QRect(40, 140, 820, 300), Qt::TextWordWrap,
                         u"Montant : 985,00 €\nRéférence : URSSAF T3\nCompte débité : FR76 •••• "
                         "4821"_s);
    }
    picture.save(picturePath);
    (void)store.edit([&](SessionEdit& edit) {
        const Result<QUrl> declarationFile =
            edit.importMedia(QUrl::fromLocalFile(pdfPath), false, u"urssaf_decl"_s);
        const Result<QUrl> paymentFile =
            edit.importMedia(QUrl::fromLocalFile(picturePath), false, u"urssaf_pay"_s);
        if (!declarationFile || !paymentFile)
            return Result<>::failure(u"Pièces URSSAF non copiées"_s);
        URSSAFDeclaration& d = edit.urssafDeclarations()[1];
        d.declarationFileURL = declarationFile.value();
        d.paymentFileURL = paymentFile.value();
        return Result<>();
    });
}

void addSampleSubscriptions(AppDataStore& store) {
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QList<TagItem> tags{{id(), u"Logiciel"_s, TagColorOption::purple},
                              {id(), u"Hébergement"_s, TagColorOption::mint}};
    const auto subscription = [&](const QString& name, double amount, RecurringFrequency frequency,
                                  int monthsAgo, int tag) {
        RecurringPurchase r;
        r.id = id();
        r.name = name;
        r.amount = amount;
        r.frequency = frequency;
        const QDateTime local = now.toLocalTime();
        r.startDate =
            QDateTime(local.date().addMonths(-monthsAgo), QTime(9, 0), Qt::LocalTime).toUTC();
        r.debitDay = r.startDate.toLocalTime().date().day();
        r.debitDayHistory = {{r.startDate, *r.debitDay}};
        r.createdAt = r.startDate;
        r.tagIDs = {tags[tag].id};
        r.nextDueDate = subscriptionNextDueDate(r, now);
        return r;
    };
    QList<RecurringPurchase> all{
        subscription(u"Adobe Creative Cloud"_s, 65.99, RecurringFrequency::monthly, 14, 0),
        subscription(u"Hébergement du portfolio"_s, 89, RecurringFrequency::yearly, 26, 1),
        subscription(u"Sauvegarde en ligne"_s, 29.97, RecurringFrequency::quarterly, 9, 1),
        subscription(u"Banque en ligne pro"_s, 9, RecurringFrequency::monthly, 5, 0),
    };
    all[0].description = u"Lightroom et Photoshop"_s;
    all[0].websiteURL = u"https://www.adobe.com/fr"_s;
    // March's debit moved by a few days, and a summer without the bank.
    const QDate march = QDate(now.toLocalTime().date().year(), 3, 1);
    all[0].exceptionalDates = {
        {id(), march.startOfDay().toUTC(), QDateTime(march.addDays(9), QTime(9, 0)).toUTC()}};
    all[3].pausePeriods = {{id(), all[3].startDate.addMonths(2), all[3].startDate.addMonths(3)}};
    (void)store.edit([&](SessionEdit& edit) {
        edit.recurringPurchaseTags() = tags;
        edit.recurringPurchases() = all;
        return Result<>();
    });
}

void addSampleStockClassification(AppDataStore& store) {
    const QList<TagItem> tags{{id(), u"Fragile"_s, TagColorOption::red},
                              {id(), u"À recommander"_s, TagColorOption::orange},
                              {id(), u"Studio"_s, TagColorOption::purple}};
    const QList<StockSubTag> subTags{
        {id(), u"Verre"_s, TagColorOption::blue, {tags[0].id}},
        {id(), u"Fournisseur local"_s, TagColorOption::green, {tags[1].id}},
        {id(), u"Fond papier"_s, TagColorOption::mint, {tags[1].id, tags[2].id}}};
    const QList<StockCategoryItem> categories{{id(), u"Matériel photo"_s, {tags[0].id, tags[2].id}},
                                              {id(), u"Consommables"_s, {tags[1].id}},
                                              {id(), u"Tirages et encadrement"_s, {}}};
    const QList<StockSubCategoryItem> subCategories{
        {id(), u"Objectifs"_s, {categories[0].id}},
        {id(), u"Éclairage"_s, {categories[0].id}},
        {id(), u"Papier photo"_s, {categories[1].id, categories[2].id}},
        {id(), u"Cadres"_s, {categories[2].id}},
        {id(), u"Batteries et cartes mémoire"_s, {categories[0].id, categories[1].id}}};
    (void)store.edit([&](SessionEdit& edit) {
        edit.stockTags() = tags;
        edit.stockSubTags() = subTags;
        edit.stockCategories() = categories;
        edit.stockSubCategories() = subCategories;
        return Result<>();
    });
}

void addSampleStock(AppDataStore& store) {
    addSampleStockClassification(store);
    const QList<TagItem> tags = store.stockTags();
    const QList<StockCategoryItem> categories = store.stockCategories();
    const QList<StockSubCategoryItem> subCategories = store.stockSubCategories();
    const QList<StockSubTag> subTags = store.stockSubTags();
    (void)store.edit([&](SessionEdit& edit) {
        const auto item = [&](const QString& title, std::optional<qint64> quantity,
                              QList<QUuid> categoryIDs, QList<QUuid> tagIDs) {
            StockItem i;
            i.id = id();
            i.title = title;
            i.quantity = quantity;
            i.categoryIDs = std::move(categoryIDs);
            i.tagIDs = std::move(tagIDs);
            return i;
        };
        StockItem flash = item(u"Flash cobra Godox V1"_s, 2, {categories[0].id}, {tags[0].id});
        flash.subCategoryIDs = {subCategories[1].id};
        flash.orderURL = u"https://www.exemple-photo.fr/godox-v1"_s;
        flash.notes = u"Le second est prêté au studio de Villeurbanne jusqu’en mars."_s;
        flash.characteristics = {{id(), u"Monture"_s, u"Sony E"_s},
                                 {id(), u"Batterie"_s, u"Li-ion 2 600 mAh"_s}};
        StockItem lens =
            item(u"Objectif 85 mm f/1.8"_s, 1, {categories[0].id}, {tags[0].id, tags[2].id});
        lens.subCategoryIDs = {subCategories[0].id};
        lens.subTagIDs = {subTags[0].id};
        edit.stockItems() = {
            item(u"Papier baryté A3+"_s, 40, {categories[2].id}, {tags[1].id}),
            lens,
            flash,
            item(u"Cartouches d’encre pigmentaire"_s, 0, {categories[1].id}, {tags[1].id}),
            item(u"Fond papier gris 2,72 m"_s, std::nullopt, {}, {tags[2].id}),
            item(u"Piles AA rechargeables"_s, 12, {categories[0].id}, {tags[1].id}),
        };
        PurchaseWishlistItem softbox;
        softbox.id = id();
        softbox.title = u"Boîte à lumière octogonale 120 cm"_s;
        softbox.quantity = 1;
        softbox.categoryIDs = {categories[0].id};
        softbox.tagIDs = {tags[2].id};
        softbox.orderURL = u"https://www.exemple-photo.fr/octobox-120"_s;
        PurchaseWishlistItem paper = softbox;
        paper.id = id();
        paper.title = u"Papier Hahnemühle Photo Rag"_s;
        paper.quantity = 3;
        paper.categoryIDs = {categories[2].id};
        paper.tagIDs = {tags[1].id};
        paper.orderURL.clear();
        edit.purchaseWishlistItems() = {softbox, paper};
        return Result<>();
    });
}

void addSampleExpenses(AppDataStore& store) {
    const QDate today = QDateTime::currentDateTimeUtc().toLocalTime().date();
    const QList<StockItem> stock = store.stockItems();
    const QList<StockCategoryItem> categories = store.stockCategories();
    const QList<TagItem> tags = store.stockTags();
    const auto expense = [&](const QString& name, int daysAgo, double priceTTC,
                             const QString& supplier) {
        AccountingPurchaseItem e;
        e.id = id();
        e.customProductName = name;
        e.purchaseDate = QDateTime(today.addDays(-daysAgo), QTime(11, 0)).toUTC();
        e.priceTTC = priceTTC;
        e.priceHT = std::round(priceTTC / 1.2 * 100) / 100;
        e.supplier = supplier;
        return e;
    };
    AccountingPurchaseItem paper = expense(QString(), 12, 41.5, u"Fotoimpex"_s);
    paper.linkedStockID = stock.value(0).id;
    paper.quantity = 3;
    paper.unitPrice = 12.5;
    paper.shippingPrice = 4;
    paper.categoryIDs = {categories.value(2).id};
    paper.tagIDs = {tags.value(1).id};
    AccountingPurchaseItem flash = expense(QString(), 40, 189, u"Miss Numerique"_s);
    flash.linkedStockID = stock.value(2).id;
    flash.quantity = 1;
    flash.categoryIDs = {categories.value(0).id};
    flash.tagIDs = {tags.value(0).id};
    flash.notes = u"Garantie deux ans, facture dans le dossier « Matériel »."_s;
    AccountingPurchaseItem bag = expense(u"Sac à dos photo"_s, 75, 129.9, u"Boutique du Reflex"_s);
    bag.categoryIDs = {categories.value(0).id};
    AccountingPurchaseItem cards = expense(u"Cartes SD 128 Go"_s, 160, 64.98, u"LDLC"_s);
    cards.quantity = 2;
    cards.unitPrice = 32.49;
    AccountingPurchaseItem seminar =
        expense(u"Atelier retouche avancée"_s, 400, 250, u"École de l’image"_s);
    (void)store.edit([&](SessionEdit& edit) {
        edit.accountingPurchases() = {paper, flash, bag, cards, seminar};
        return Result<>();
    });
}

} // namespace velmora::tour
