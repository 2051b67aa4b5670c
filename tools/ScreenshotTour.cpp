// Walks through every screen of the application in both appearances and
// saves each one as a PNG, for looking at the layout and for the README:
//   velmora-screenshots OUTPUT_FOLDER
// Run it with a display (Xvfb) or QT_QPA_PLATFORM=offscreen.

#include "ScriptedDialogs.h"
#include "core/accounting/RecipeBookExclusion.h"
#include "core/accounting/RecipeBookTableModel.h"
#include "core/accounting/UrssafContributions.h"
#include "core/accounting/UrssafPeriod.h"
#include "core/activities/ActivityLifecycle.h"
#include "core/activities/ProjectStatusSettings.h"
#include "core/app/SettingsPages.h"
#include "core/documents/DocumentCreation.h"
#include "core/documents/DocumentWorkflow.h"
#include "core/documents/ExpiredQuotes.h"
#include "core/model/NewSession.h"
#include "core/model/SessionEncoder.h"
#include "core/platform/MemoryUserDefaults.h"
#include "core/security/AccessCode.h"
#include "desktop/LocalFileSystem.h"
#include "desktop/PathBookmarks.h"
#include "gui/accounting/RecipeBookHeaderSheet.h"
#include "gui/accounting/RecipeBookTab.h"
#include "gui/accounting/UrssafAttachmentsViewer.h"
#include "gui/accounting/UrssafDeclarationSheet.h"
#include "gui/accounting/UrssafSettingsSheet.h"
#include "gui/accounting/UrssafTab.h"
#include "gui/app/Application.h"
#include "gui/common/AnimatedStack.h"
#include "gui/common/Resources.h"
#include "gui/common/WidgetDialogs.h"
#include "gui/documents/DocumentCardActions.h"
#include "gui/main/MainWindow.h"
#include "gui/main/SectionRegistry.h"
#include "gui/main/Workspace.h"
#include "gui/projects/ProjectStatusesSheet.h"
#include "gui/settings/SettingsWindow.h"
#include "support/DesktopStubs.h"
#include "support/FakeMailServices.h"
#include "support/FakeUserNotifications.h"
#include "support/SampleDocuments.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

using namespace Qt::StringLiterals;

using namespace velmora;
using namespace velmora::gui;

namespace {

// The pages in the order of SettingsPage, for the file names.
const char* const kPageNames[] = {"appearance", "company", "security", "backup", "sidebar"};

QUuid id() {
    return QUuid::createUuid();
}

// Scrolls the first visible widget of that name into view, with what follows
// it, for a shot of the lower part of a long page.
void scrollTo(QWidget& root, const QString& name) {
    for (QWidget* widget : root.findChildren<QWidget*>(name)) {
        if (!widget->isVisibleTo(&root))
            continue;
        for (QWidget* w = widget->parentWidget(); w; w = w->parentWidget())
            if (auto* area = qobject_cast<QScrollArea*>(w)) {
                area->ensureWidgetVisible(widget, 50, 240);
                return;
            }
    }
}

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
    const auto declarationFile =
        store.importMediaFile(QUrl::fromLocalFile(pdfPath), false, u"urssaf_decl"_s);
    const auto paymentFile =
        store.importMediaFile(QUrl::fromLocalFile(picturePath), false, u"urssaf_pay"_s);
    (void)store.edit([&](SessionEdit& edit) {
        URSSAFDeclaration& d = edit.urssafDeclarations()[1];
        d.declarationFileURL = declarationFile;
        d.paymentFileURL = paymentFile;
        return Result<>();
    });
}

class Tour {
public:
    explicit Tour(QString out) : m_out(std::move(out)) {}

    int run() {
        for (AppAppearanceMode mode : {AppAppearanceMode::dark, AppAppearanceMode::light})
            if (!tour(mode))
                return 1;
        return 0;
    }

private:
    void settle() {
        for (int i = 0; i < 5; ++i) {
            QApplication::processEvents();
            QTest::qWait(20);
        }
    }
    // The dialog of this kind just opened over `host`, shot with one box
    // set as given (when named), then closed; the closed dialog goes before
    // the next one is looked for.
    template <class Dialog>
    void shootDialog(QWidget& host, const QString& name, const QString& box = QString(),
                     bool checked = false) {
        if (auto* dialog = host.findChild<Dialog*>()) {
            if (!box.isEmpty())
                for (auto* check : dialog->template findChildren<QCheckBox*>(box))
                    check->setChecked(checked);
            shoot(*dialog, name);
            dialog->reject();
        }
        settle();
    }
    void shoot(QWidget& widget, const QString& name) {
        settle();
        const QString path = u"%1/%2-%3.png"_s.arg(m_out, name, m_suffix);
        if (!widget.grab().save(path))
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }

    // The alert as the window shows it, answered once shot.
    void shootAlert(QWidget& window, const Alert& alert, const QString& name) {
        QTimer::singleShot(0, &window, [this, name] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shoot(*box, name);
                box->reject();
            }
        });
        WidgetDialogs().ask(&window, alert);
    }

    // The invoice's card with its settlement, the sheets of its actions, the
    // card of an invoice whose activity was cancelled, and the alerts.
    void shootDocuments(Application& app, MainWindow& window) {
        AppDataStore& store = app.store();
        CommercialDocumentItem invoice;
        CommercialDocumentItem quote;
        for (const CommercialDocumentItem& d : store.documents())
            (d.kind == CommercialDocumentKind::invoice ? invoice : quote) = d;
        const QUuid cancelled = QUuid::createUuid();
        (void)store.edit([&](SessionEdit& edit) {
            Encaissement payment;
            payment.id = QUuid::createUuid();
            payment.amount = 300;
            payment.date = invoice.issueDate.addDays(20);
            payment.paymentMethod = u"Virement"_s;
            payment.createdAt = payment.date;
            edit.document(invoice.id)->encaissements = {payment};
            // An invoice of the cancelled activity, its deposit received.
            CommercialDocumentItem deposit = invoice;
            deposit.id = cancelled;
            deposit.number = u"F-2025-015"_s;
            deposit.statusID = edit.session().invoiceStatuses.value(2).id;
            deposit.linkedProjectIDs = {edit.projects().last().id};
            payment.id = QUuid::createUuid();
            payment.isAcompte = true;
            deposit.encaissements = {payment};
            deposit.pdfSnapshot.reset();
            edit.documents().append(deposit);
            return Result<>();
        });
        window.workspace().showSection(u"documents"_s);
        SectionPage* page = window.sections().page(u"documents"_s);
        // The editor left open by the forms' tour goes first.
        if (auto* cancel = page->findChild<QPushButton*>(u"documentEditorCancel"_s))
            cancel->click();
        settle();
        auto* actions = page->findChild<DocumentCardActions*>();
        page->reveal(invoice.id);
        shoot(window, u"documents-invoice"_s);
        actions->scrollToSection(u"Règlement"_s);
        shoot(window, u"documents-invoice-settlement"_s);
        if (auto* status = page->findChild<QPushButton*>(u"documentCardStatus"_s);
            status && status->menu()) {
            status->menu()->popup(status->mapToGlobal(QPoint(0, status->height())));
            shoot(*status->menu(), u"documents-status-menu"_s);
            status->menu()->hide();
        }
        const auto shootSheet = [&](const std::function<void()>& open, const QString& name) {
            open();
            if (auto* sheet = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                shoot(*sheet, name);
                sheet->reject();
            }
            settle();
        };
        const QUuid paid = store.session().invoiceStatuses.value(2).id;
        shootSheet([&] { actions->openPaymentSheet(invoice.id, paid, false); },
                   u"documents-paid-sheet"_s);
        shootSheet([&] { actions->addPayment(invoice.id); }, u"documents-payment-sheet"_s);
        shootSheet([&] { actions->editLateCharge(invoice.id); }, u"documents-late-charge-sheet"_s);
        shootSheet([&] { actions->associateQuote(invoice.id); }, u"documents-quote-picker"_s);
        page->reveal(cancelled);
        settle();
        actions->scrollToSection(u"Règlement"_s);
        shoot(window, u"documents-deposit-decision"_s);

        CommercialDocumentItem draft = invoice;
        draft.statusID = store.session().invoiceStatuses.value(0).id;
        CommercialDocumentLine line;
        line.id = QUuid::createUuid();
        line.kind = CommercialDocumentLineKind::deposit;
        line.title = u"Acompte versé le 12 juin"_s;
        line.priceTTC = 200;
        draft.lines.append(line);
        draft.encaissements.clear();
        if (const auto alert = depositAutoPaidAlert(draft, StatusLists::of(store.session())))
            shootAlert(window, *alert, u"documents-deposit-paid-alert"_s);
        shootSheet(
            [&] {
                (void)store.edit([&](SessionEdit& edit) {
                    *edit.document(invoice.id) = draft;
                    return Result<>();
                });
                actions->openPaymentSheet(invoice.id, paid, true);
            },
            u"documents-paid-sheet-deposit"_s);
        shootAlert(window, freezeConfirmation(quote), u"documents-freeze-alert"_s);
        draft.clientID.reset();
        shootAlert(window, incompleteDocumentAlert(draft, missingItemsForIssue(draft)),
                   u"documents-incomplete-alert"_s);
        if (const auto expired = ExpiredQuotesCheck::alertFor({quote}))
            shootAlert(window, expired->alert, u"documents-expired-alert"_s);
    }

    QString writeSession(const QString& folder, const QString& name, const QString& image,
                         const QString& code) {
        AppDatabase db = newSessionContents();
        db.sessionName = name;
        db.sessionProfileImageName = image;
        db.preferences.appPassword = code;
        db.securityQuestions.append(
            {QUuid::createUuid(), u"Dans quelle ville êtes-vous né ?"_s, answerDigest(u"Lyon"_s)});
        const QString path = folder + QLatin1Char('/') + name + u".cdb"_s;
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(encodeSession(db, SessionFormat::Compact));
        return path;
    }

    bool tour(AppAppearanceMode mode) {
        m_suffix = mode == AppAppearanceMode::dark ? u"dark"_s : u"light"_s;
        QTemporaryDir dir;
        LocalFileSystem fs;
        MemoryUserDefaults defaults;
        PathBookmarks bookmarks;
        velmora::test::StubFreeSpace freeSpace;
        velmora::test::SilentHttp http;
        SystemClock clock;
        gui::test::ScriptedDialogs dialogs;
        velmora::test::FakeMailComposer mail;
        velmora::test::FakeUrlOpener urls;
        velmora::test::FakeUserNotifications notifications;
        auto folder = StoreFolder::prepare(fs, dir.path() + u"/data"_s);
        if (!folder)
            return false;
        Application app(Environment{fs, defaults, bookmarks, freeSpace, http, clock, dialogs, mail,
                                    urls, notifications, folder.value(), dir.path() + u"/cache"_s,
                                    false});
        app.start();
        MainWindow& window = app.window();
        window.resize(1180, 780);
        SessionWizard& wizard = app.wizard();

        // The creation wizard, step by step.
        wizard.setAppearance(mode);
        shoot(window, u"wizard-1"_s);
        wizard.continueFromAppearance();
        wizard.setSessionName(u"Atelier Lumière"_s);
        wizard.choosePresetImage(u"image_photographie"_s);
        shoot(window, u"wizard-2"_s);
        wizard.continueFromIdentity();
        QDir().mkpath(dir.path() + u"/Documents"_s);
        wizard.chooseLocation(
            QUrl::fromLocalFile(dir.path() + u"/Documents/Atelier Lumière.cdb"_s));
        shoot(window, u"wizard-3"_s);
        wizard.continueFromLocation();
        shoot(window, u"wizard-4"_s);
        wizard.finishAccessCode(Result<>::success());
        shoot(window, u"wizard-5"_s);
        wizard.finishSecurityQuestions(Result<>::success());
        shoot(window, u"wizard-6"_s);
        wizard.continueFromModules();
        shoot(window, u"wizard-7"_s);
        for (const auto& [field, text] : {std::pair{"companyDisplayName", "Studio Éclat"},
                                          std::pair{"companySiret", "123 456 789 00012"}}) {
            for (QLineEdit* edit : window.findChildren<QLineEdit*>(QLatin1String(field)))
                if (edit->isVisibleTo(&window))
                    edit->setText(QString::fromUtf8(text));
        }
        shoot(window, u"wizard-7-filled"_s);
        scrollTo(window, u"companyPaymentMethod_PayPal"_s);
        for (QCheckBox* box : window.findChildren<QCheckBox*>(u"companyPaymentMethod_Virement"_s))
            box->setChecked(true);
        shoot(window, u"wizard-7-payment"_s);
        wizard.skipCompany();
        shoot(window, u"wizard-8"_s);
        wizard.finish();

        // The open session.
        shoot(window, u"dashboard"_s);
        window.workspace().showSection(u"documents"_s);
        shoot(window, u"section"_s);

        // The sections of records, empty then filled, with their forms.
        window.workspace().showSection(u"clients"_s);
        shoot(window, u"clients-empty"_s);
        addSampleRecords(app.store());
        for (const QString& key : {u"clients"_s, u"services"_s, u"projects"_s, u"documents"_s}) {
            window.workspace().showSection(key);
            shoot(window, key);
            SectionPage* page = window.sections().page(key);
            if (QAction* edit = page->command(SectionCommand::edit))
                edit->trigger();
            if (auto* sheet = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                shoot(*sheet, key + u"-form"_s);
                sheet->reject();
            }
            // A document is written over the whole section, beside its page.
            if (auto* editor = window.findChild<QWidget*>(u"documentEditor"_s)) {
                shoot(window, key + u"-editor"_s);
                for (auto* cancel :
                     editor->findChildren<QAbstractButton*>(u"documentEditorCancel"_s))
                    cancel->click();
            }
        }
        // The recipe book: empty, then a year of receipts, one of them taken
        // out; the confirmation of taking one out; the exported PDF shown.
        window.workspace().showSection(u"accounting"_s);
        shoot(window, u"accounting-empty"_s);
        addSampleReceipts(app.store());
        shoot(window, u"accounting-recipe-book"_s);
        if (auto* tab = window.findChild<RecipeBookTab*>()) {
            const RecipeBookLine line = *tab->model()->record(0);
            const RecipeEntry removed = tab->model()->record(3)->entry;
            (void)app.store().edit(
                [&](SessionEdit& edit) { return excludeRecipeEntry(edit, removed); });
            if (auto* show = tab->findChild<QCheckBox*>(u"recipeBookShowRemoved"_s))
                show->setChecked(true);
            shoot(window, u"accounting-recipe-book-removed"_s);
            shootAlert(window, recipeExclusionConfirmation(line),
                       u"accounting-recipe-exclude-alert"_s);
            dialogs.chooseNext(QUrl::fromLocalFile(dir.filePath(u"livre.pdf"_s)));
            tab->exportPdf();
            if (auto* preview = tab->findChild<QDialog*>(u"recipeBookPreview"_s)) {
                shoot(*preview, u"accounting-recipe-pdf"_s);
                preview->close();
            }
            // The header the book prints, edited from the tab.
            if (auto* header = tab->findChild<QPushButton*>(u"recipeBookHeaderButton"_s)) {
                header->click();
                shootDialog<RecipeBookHeaderSheet>(*tab, u"accounting-recipe-header"_s);
            }
        }

        shootDocuments(app, window);
        // Cancelling an activity: the confirmation says what becomes of its invoices.
        const ProjectItem& first = app.store().projects().first();
        shootAlert(window, cancelConfirmation(first, {2, 1}), u"projects-cancel-alert"_s);
        window.showSettings();
        if (auto* settings = window.findChild<SettingsWindow*>()) {
            settings->resize(900, 620);
            for (SettingsPage page : settingspages::all()) {
                settings->showPage(page);
                shoot(*settings, u"settings-"_s + QLatin1String(kPageNames[int(page)]));
            }
            settings->showPage(SettingsPage::company);
            scrollTo(*settings, u"companyPaymentMethod_PayPal"_s);
            shoot(*settings, u"settings-company-payment"_s);
            // A SIRET the rules refuse, as the user leaves it.
            for (QLineEdit* edit : settings->findChildren<QLineEdit*>(u"companySiret"_s))
                edit->setText(u"12345"_s);
            settings->settle();
            shoot(*settings, u"settings-company-error"_s);
            settings->discardAndClose();
        }
        {
            // The activity statuses, one of the user's own among the locked ones.
            ProjectStatusesSheet statuses(app.store(), dialogs, &window);
            (void)app.store().edit([](SessionEdit& e) {
                return ProjectStatusSettings::add(e, u"En pause"_s, TagColorOption::orange);
            });
            statuses.show();
            shoot(statuses, u"projects-statuses"_s);
        }

        {
            // The URSSAF tab of the accounting section: empty, filled,
            // then its sheets.
            window.workspace().showSection(u"accounting"_s);
            auto* tab = window.findChild<UrssafTab*>();
            auto* tabs = window.findChild<QTabWidget*>();
            if (!tab || !tabs)
                return false;
            tabs->setCurrentIndex(tabs->count() - 1);
            QWidget& host = window;
            (void)app.store().edit([](SessionEdit& e) {
                e.urssafDeclarations().clear();
                return Result<>();
            });
            shoot(host, u"accounting-urssaf-empty"_s);
            addSampleDeclarations(app.store());
            tab->select(app.store().urssafDeclarations()[1].id);
            shoot(host, u"accounting-urssaf"_s);
            tab->editSelected();
            shootDialog<UrssafDeclarationSheet>(host, u"accounting-urssaf-form"_s);
            tab->newDeclaration();
            shootDialog<UrssafDeclarationSheet>(host, u"accounting-urssaf-form-manual"_s,
                                                u"urssafAutoCompute"_s, false);
            tab->showSettings();
            shootDialog<UrssafSettingsSheet>(host, u"accounting-urssaf-settings"_s,
                                             u"urssafVersementLiberatoire"_s, true);
            tab->showAttachments();
            shootDialog<UrssafAttachmentsViewer>(host, u"accounting-urssaf-files-none"_s);
            attachSampleReceipts(app.store(), dir.path());
            tab->select(app.store().urssafDeclarations()[1].id);
            tab->showAttachments();
            shootDialog<UrssafAttachmentsViewer>(host, u"accounting-urssaf-files"_s);
            // The quarter of the estimate declared by hand: the estimate is
            // covered and the year no longer counts it.
            (void)app.store().edit([](SessionEdit& e) {
                for (const URSSAFDeclaration& d : e.session().urssafDeclarations)
                    if (d.isAutoGenerated) {
                        URSSAFDeclaration quarter = d;
                        quarter.id = QUuid::createUuid();
                        quarter.isAutoGenerated = false;
                        quarter.frequency = URSSAFDeclarationFrequency::trimestrial;
                        quarter.periodIndex = (d.periodIndex - 1) / 3 + 1;
                        e.urssafDeclarations().append(quarter);
                        break;
                    }
                return Result<>();
            });
            shoot(host, u"accounting-urssaf-covered"_s);
        }

        // Protected: the lock over the running session, then recovery.
        AppPreferences prefs = app.store().preferences();
        prefs.appPassword = u"1234"_s;
        app.store().setPreferences(prefs);
        app.store().setSecurityQuestions({{QUuid::createUuid(), u"Quel est votre plat préféré ?"_s,
                                           answerDigest(u"Ratatouille"_s)}});
        app.store().save();
        window.lockSession();
        shoot(window, u"lock"_s);
        for (QAbstractButton* b : window.findChildren<QAbstractButton*>(u"lockForgot"_s))
            if (b->isVisibleTo(&window))
                b->click();
        shoot(window, u"recovery"_s);

        // Back to the list with a few sessions.
        const QString docs = dir.path() + u"/Documents"_s;
        app.recentFiles().add(QUrl::fromLocalFile(writeSession(docs, u"Garage Martin"_s,
                                                               u"image_automobile"_s, QString())),
                              u"Garage Martin"_s, std::nullopt, u"image_automobile"_s);
        app.recentFiles().add(QUrl::fromLocalFile(writeSession(
                                  docs, u"Studio Pilates"_s, u"image_sport_bienetre"_s, QString())),
                              u"Studio Pilates"_s, std::nullopt, u"image_sport_bienetre"_s);
        const QString longName =
            u"Association des artisans photographes indépendants de la vallée du Rhône"_s;
        app.recentFiles().add(QUrl::fromLocalFile(writeSession(docs, u"Association"_s,
                                                               u"image_photographie"_s, QString())),
                              longName, std::nullopt, u"image_photographie"_s);
        app.recentFiles().add(
            QUrl::fromLocalFile(writeSession(docs, u"Atelier du Nord-Est"_s, QString(), QString())),
            u"Atelier Lumière du Nord-Est"_s, std::nullopt, std::nullopt);
        app.launch().showSessionList();
        shoot(window, u"launch"_s);

        // A file that cannot be read: the list says why, and so does the
        // alert of the main window's commands.
        const QString broken = docs + u"/Abîmé.cdb"_s;
        if (QFile file(broken); file.open(QIODevice::WriteOnly))
            file.write("{\"sessionName\":\"Atelier\",\"clients\":[");
        app.launch().openChosenFile(QUrl::fromLocalFile(broken));
        shoot(window, u"launch-load-error"_s);
        shootAlert(window, app.launch().loadFailedAlert(), u"launch-load-error-alert"_s);
        app.launch().showDisconnecting();
        shoot(window, u"loading"_s);
        return true;
    }

    QString m_out;
    QString m_suffix;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication qtApp(argc, argv);
    initResources();
    if (argc != 2) {
        std::fputs("Usage : velmora-screenshots DOSSIER\n", stderr);
        return 2;
    }
    AnimatedStack::setAnimationsEnabled(false);
    QDir().mkpath(QString::fromLocal8Bit(argv[1]));
    return Tour(QString::fromLocal8Bit(argv[1])).run();
}
