#include "SessionGenerator.h"

#include "core/model/NewSession.h"

#include <QCryptographicHash>
#include <QHash>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

namespace velmora::bench {

GeneratorSize benchmarkSize() {
    return GeneratorSize{};
}

GeneratorSize smallSize() {
    GeneratorSize size;
    size.clients = 6;
    size.projects = 5;
    size.documents = 10;
    size.linesPerDocument = 5;
    size.services = 4;
    size.stockItems = 6;
    size.purchases = 6;
    size.subscriptions = 3;
    size.declarations = 4;
    size.events = 5;
    size.tools = 3;
    size.mediaFiles = 3;
    size.mediaBytes = 6 * 1024;
    return size;
}

namespace {

constexpr qint64 kDay = 86400;
constexpr qint64 kFirstDay = 1640995200; // 2022-01-01T00:00:00Z
constexpr qint64 kLastDay = 1751328000;  // 2025-07-01T00:00:00Z

// Everything random comes from here. The standard distributions are not the
// same from one library to the next, so the mapping of engine outputs is ours:
// one seed gives the same session everywhere.
class Rng {
public:
    explicit Rng(quint32 seed) : m_engine(seed) {}

    // In [0, n).
    int below(int n) { return int((quint64(m_engine()) * quint64(n)) >> 32); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    double unit() { return m_engine() / 4294967296.0; }
    bool chance(double p) { return unit() < p; }
    // Whole cents, as the user types them.
    double amount(double lo, double hi) {
        return std::round((lo + unit() * (hi - lo)) * 100) / 100;
    }

    template <class T, std::size_t N> const T& pick(const T (&items)[N]) {
        return items[below(int(N))];
    }
    template <class T> const T& pick(const QList<T>& items) { return items[below(items.size())]; }

    QUuid uuid() {
        QByteArray bytes(16, Qt::Uninitialized);
        fill(bytes.data(), bytes.size());
        bytes[6] = char((bytes[6] & 0x0F) | 0x40); // version 4
        bytes[8] = char((bytes[8] & 0x3F) | 0x80); // RFC 4122 variant
        return QUuid::fromRfc4122(bytes);
    }

    // A moment between two instants, at a whole minute.
    QDateTime date(qint64 from = kFirstDay, qint64 to = kLastDay) {
        const qint64 minutes = (to - from) / 60;
        const qint64 offset = qint64((quint64(m_engine()) << 32 | m_engine()) % quint64(minutes));
        return QDateTime::fromSecsSinceEpoch(from + offset * 60, Qt::UTC);
    }

    void fill(char* out, qsizetype size) {
        qsizetype i = 0;
        for (; i + 4 <= size; i += 4) {
            const quint32 word = m_engine();
            std::memcpy(out + i, &word, 4);
        }
        if (i < size) {
            const quint32 word = m_engine();
            std::memcpy(out + i, &word, std::size_t(size - i));
        }
    }

    template <class T> void shuffle(std::vector<T>& items) {
        for (int i = int(items.size()) - 1; i > 0; --i)
            std::swap(items[std::size_t(i)], items[std::size_t(below(i + 1))]);
    }

private:
    std::mt19937 m_engine;
};

QDateTime at(qint64 secs) {
    return QDateTime::fromSecsSinceEpoch(secs, Qt::UTC);
}

QString idText(const QUuid& id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

double roundCents(double value) {
    return std::round(value * 100) / 100;
}

const QString kFirstNames[] = {
    QStringLiteral("Éloïse"), QStringLiteral("Hélène"),   QStringLiteral("François"),
    QStringLiteral("Gaëlle"), QStringLiteral("Jérôme"),   QStringLiteral("Loïc"),
    QStringLiteral("Océane"), QStringLiteral("Thérèse"),  QStringLiteral("Noémie"),
    QStringLiteral("Benoît"), QStringLiteral("Chloé"),    QStringLiteral("Raphaël"),
    QStringLiteral("Anaïs"),  QStringLiteral("Maëlle"),   QStringLiteral("Clément"),
    QStringLiteral("Agnès"),  QStringLiteral("Frédéric"), QStringLiteral("Léa"),
    QStringLiteral("Cédric"), QStringLiteral("Zoé"),
};

const QString kLastNames[] = {
    QStringLiteral("Lefèvre"),  QStringLiteral("Bénard"),    QStringLiteral("Dubois"),
    QStringLiteral("Moreau"),   QStringLiteral("Girard"),    QStringLiteral("Rivière"),
    QStringLiteral("Fournier"), QStringLiteral("Lemaître"),  QStringLiteral("Chevalier"),
    QStringLiteral("Mercier"),  QStringLiteral("Gauthier"),  QStringLiteral("Bélanger"),
    QStringLiteral("Roussel"),  QStringLiteral("Faure"),     QStringLiteral("Garçon"),
    QStringLiteral("Périer"),   QStringLiteral("Delacroix"), QStringLiteral("Lacôte"),
};

const QString kCompanies[] = {
    QStringLiteral("Atelier Lumière"),
    QStringLiteral("Boulangerie des Prés"),
    QStringLiteral("Rénovation Générale du Sud"),
    QStringLiteral("Café des Arts"),
    QStringLiteral("Éditions du Préau"),
    QStringLiteral("Cabinet Méridien"),
    QStringLiteral("Ferme de l'Écluse"),
    QStringLiteral("Studio Créatif Élan"),
    QStringLiteral("Agence Côté Jardin"),
    QStringLiteral("Menuiserie Hervé & Fils"),
    QStringLiteral("Association Les Cœurs Vaillants"),
    QStringLiteral("Pâtisserie Bonheur"),
};

const QString kStreets[] = {
    QStringLiteral("rue de la République"),   QStringLiteral("avenue des Champs-Élysées"),
    QStringLiteral("allée des Tilleuls"),     QStringLiteral("boulevard Saint-Germain"),
    QStringLiteral("place de l'Église"),      QStringLiteral("chemin des Écoliers"),
    QStringLiteral("rue du Général-Leclerc"), QStringLiteral("impasse des Lilas"),
};

const QString kCities[] = {
    QStringLiteral("75002 Paris"),       QStringLiteral("69003 Lyon"),
    QStringLiteral("13001 Marseille"),   QStringLiteral("45000 Orléans"),
    QStringLiteral("25000 Besançon"),    QStringLiteral("91000 Évry-Courcouronnes"),
    QStringLiteral("34000 Montpellier"), QStringLiteral("67000 Strasbourg"),
    QStringLiteral("29200 Brest"),       QStringLiteral("06000 Nice"),
};

const QString kRoles[] = {
    QStringLiteral("Gérant"),
    QStringLiteral("Directrice financière"),
    QStringLiteral("Responsable achats"),
    QStringLiteral("Assistante de direction"),
    QStringLiteral("Chargé de communication"),
};

// Some notes carry what a writer must escape: quotes, line breaks, tabs and a
// character outside the basic plane.
const QString kNotes[] = {
    QStringLiteral("Client fidèle, préfère être contacté par e-mail."),
    QStringLiteral("Relancer avant la fin du trimestre."),
    QStringLiteral("Règlement par virement uniquement."),
    QStringLiteral("Rencontré au salon de Lyon — très intéressé."),
    QStringLiteral("À rappeler après les congés d'été."),
    QStringLiteral("Note : « urgent »\nPrévoir une \"double\" vérification\tavant l'envoi."),
    QStringLiteral("Merci pour la confiance 🙏 — à très bientôt !"),
    QString(),
};

struct ServiceSeed {
    QString title;
    QString description;
    double price;
    ServicePrestationType type;
};

const ServiceSeed kServices[] = {
    {QStringLiteral("Développement d'application"),
     QStringLiteral("Conception et développement sur mesure, tests compris."), 3200,
     ServicePrestationType::prestationsLiberalesBNC},
    {QStringLiteral("Séance photo"), QStringLiteral("Deux heures de prise de vue et retouches."),
     350, ServicePrestationType::prestationsLiberalesBNC},
    {QStringLiteral("Création de logo"),
     QStringLiteral("Trois propositions, deux allers-retours de corrections."), 780,
     ServicePrestationType::prestationsLiberalesBNC},
    {QStringLiteral("Rédaction web"), QStringLiteral("Article optimisé de 1 000 mots."), 180,
     ServicePrestationType::prestationsLiberalesBNC},
    {QStringLiteral("Conseil en stratégie"), QStringLiteral("Demi-journée d'accompagnement."), 450,
     ServicePrestationType::prestationsCommercialesBIC},
    {QStringLiteral("Formation Excel"), QStringLiteral("Journée de formation en entreprise."), 900,
     ServicePrestationType::prestationsCommercialesBIC},
    {QStringLiteral("Maintenance mensuelle"),
     QStringLiteral("Mises à jour, sauvegardes et surveillance du site."), 120,
     ServicePrestationType::prestationsCommercialesBIC},
    {QStringLiteral("Vente de tirages d'art"),
     QStringLiteral("Tirage 30 × 40 cm sur papier fine art."), 65,
     ServicePrestationType::ventesMarchandises},
    {QStringLiteral("Coffret céramique"), QStringLiteral("Service de six bols émaillés à la main."),
     140, ServicePrestationType::ventesMarchandises},
};

const QString kIcons[] = {
    QStringLiteral("camera"),   QStringLiteral("paintbrush"), QStringLiteral("laptopcomputer"),
    QStringLiteral("doc.text"), QStringLiteral("hammer"),     QStringLiteral("leaf"),
};

const QString kStockTitles[] = {
    QStringLiteral("Papier A4 recyclé"),    QStringLiteral("Cartouche d'encre noire"),
    QStringLiteral("Câble HDMI 2 m"),       QStringLiteral("Disque dur externe 2 To"),
    QStringLiteral("Carnet de croquis"),    QStringLiteral("Pinceaux à aquarelle"),
    QStringLiteral("Étiquettes adhésives"), QStringLiteral("Boîtes d'expédition"),
    QStringLiteral("Objectif 50 mm"),       QStringLiteral("Trépied léger"),
    QStringLiteral("Argile blanche 10 kg"), QStringLiteral("Émail bleu cobalt"),
};

const QString kSuppliers[] = {
    QStringLiteral("Bureau Vallée"), QStringLiteral("Fnac Pro"),
    QStringLiteral("Boulanger"),     QStringLiteral("Leroy Merlin"),
    QStringLiteral("Manutan"),       QStringLiteral("Cultura"),
    QStringLiteral("LDLC"),          QStringLiteral("Le Géant des Beaux-Arts"),
};

const QString kPaymentMethods[] = {
    QStringLiteral("Virement"),       QStringLiteral("Chèque"), QStringLiteral("Espèces"),
    QStringLiteral("Carte bancaire"), QStringLiteral("PayPal"), QStringLiteral("Lydia"),
};

struct SubscriptionSeed {
    QString name;
    QString website;
    QString icon;
};

const SubscriptionSeed kSubscriptions[] = {
    {QStringLiteral("Adobe Creative Cloud"), QStringLiteral("https://www.adobe.com/fr/"),
     QStringLiteral("adobe")},
    {QStringLiteral("Microsoft 365"),
     QStringLiteral("https://www.microsoft.com/fr-fr/microsoft-365"), QStringLiteral("microsoft")},
    {QStringLiteral("Dropbox"), QStringLiteral("https://www.dropbox.com/"),
     QStringLiteral("dropbox")},
    {QStringLiteral("Canva Pro"), QStringLiteral("https://www.canva.com/fr_fr/"),
     QStringLiteral("canva")},
    {QStringLiteral("Forfait mobile pro"), QStringLiteral("https://www.orange.fr/"),
     QStringLiteral("orange")},
    {QStringLiteral("Hébergement OVHcloud"), QStringLiteral("https://www.ovhcloud.com/fr/"),
     QStringLiteral("ovh")},
    {QStringLiteral("Assurance RC Pro"), QStringLiteral("https://www.hiscox.fr/"),
     QStringLiteral("shield")},
    {QStringLiteral("Compte pro Qonto"), QStringLiteral("https://qonto.com/fr"),
     QStringLiteral("qonto")},
};

const SubscriptionSeed kTools[] = {
    {QStringLiteral("Qonto"), QStringLiteral("https://app.qonto.com/"), QStringLiteral("qonto")},
    {QStringLiteral("URSSAF — autoentrepreneur"),
     QStringLiteral("https://www.autoentrepreneur.urssaf.fr/"), QStringLiteral("building.columns")},
    {QStringLiteral("impots.gouv.fr"), QStringLiteral("https://www.impots.gouv.fr/"),
     QStringLiteral("eurosign")},
    {QStringLiteral("Figma"), QStringLiteral("https://www.figma.com/"), QStringLiteral("figma")},
    {QStringLiteral("Malt"), QStringLiteral("https://www.malt.fr/"), QStringLiteral("malt")},
    {QStringLiteral("La Poste Pro"), QStringLiteral("https://www.laposte.fr/professionnel"),
     QStringLiteral("envelope")},
    {QStringLiteral("Google Workspace"), QStringLiteral("https://workspace.google.com/"),
     QStringLiteral("google")},
};

const QString kEventTitles[] = {
    QStringLiteral("Rendez-vous client"),  QStringLiteral("Réunion de lancement"),
    QStringLiteral("Salon professionnel"), QStringLiteral("Formation comptabilité"),
    QStringLiteral("Appel de suivi"),      QStringLiteral("Séance photo en extérieur"),
    QStringLiteral("Dépôt à la Poste"),    QStringLiteral("Rendez-vous à la banque"),
};

const QString kRecurrences[] = {
    QStringLiteral("daily"),
    QStringLiteral("weekly"),
    QStringLiteral("monthly"),
    QStringLiteral("yearly"),
};

const QString kProjectTitles[] = {
    QStringLiteral("Refonte du site vitrine"),    QStringLiteral("Reportage mariage"),
    QStringLiteral("Identité visuelle"),          QStringLiteral("Catalogue printemps-été"),
    QStringLiteral("Application de réservation"), QStringLiteral("Atelier découverte"),
    QStringLiteral("Campagne réseaux sociaux"),   QStringLiteral("Exposition « Lumières d'hiver »"),
};

const QString kAttachmentNames[] = {
    QStringLiteral("Cahier des charges"), QStringLiteral("Contrat de prestation signé"),
    QStringLiteral("Plan d'accès"),       QStringLiteral("Photo du chantier"),
    QStringLiteral("Bon de commande"),    QStringLiteral("Maquette validée"),
};

QList<TagItem> makeTags(Rng& rng, std::initializer_list<QString> names) {
    QList<TagItem> tags;
    for (const QString& name : names)
        tags.append({rng.uuid(), name, static_cast<TagColorOption>(rng.below(10))});
    return tags;
}

QList<QUuid> idsOf(const QList<TagItem>& tags) {
    QList<QUuid> ids;
    for (const TagItem& tag : tags)
        ids.append(tag.id);
    return ids;
}

// Up to `count` distinct ids of the list, in list order.
template <class T> QList<QUuid> someIds(Rng& rng, const QList<T>& items, int count) {
    QList<QUuid> ids;
    if (items.isEmpty())
        return ids;
    const int start = rng.below(items.size());
    for (int i = 0; i < std::min<int>(count, items.size()); ++i)
        ids.append(items[(start + i) % items.size()].id);
    return ids;
}

QString answerDigest(const QString& answer) {
    return QString::fromLatin1(
        QCryptographicHash::hash(answer.trimmed().toLower().toUtf8(), QCryptographicHash::Sha256)
            .toHex());
}

// The records that a media file can be attached to.
enum class MediaUse {
    invoiceLogo,
    managerLogo,
    clientPhoto,
    projectPhoto,
    attachment,
    stockPhoto,
    wishlistPhoto,
    importedPDF,
    declarationFile,
    paymentFile,
    subscriptionLogo,
    toolLogo,
};

class Generator {
public:
    Generator(const GeneratorSize& size, quint32 seed, const QString& backupFolder)
        : m_size(size), m_rng(seed), m_backupFolder(backupFolder) {}

    AppDatabase run() {
        seeds();
        settings();
        tags();
        clients();
        services();
        projects();
        documents();
        stock();
        purchases();
        declarations();
        subscriptions();
        calendar();
        tools();
        identity();
        media();
        notifications();
        return std::move(m_db);
    }

private:
    // The statuses and menu of a new session, with ids from the seed.
    void seeds() {
        m_db = newSessionContents();
        for (QList<TagItem>* statuses :
             {&m_db.quoteStatuses, &m_db.invoiceStatuses, &m_db.projectStatuses}) {
            for (TagItem& status : *statuses)
                status.id = m_rng.uuid();
        }
        m_db.protectedQuoteStatusIDs = idsOf(m_db.quoteStatuses);
        m_db.protectedInvoiceStatusIDs = idsOf(m_db.invoiceStatuses);
        m_db.protectedProjectStatusIDs = idsOf(m_db.projectStatuses);
        for (SidebarMenuItemConfig& item : m_db.preferences.sidebarMenuItems)
            item.id = m_rng.uuid();
        m_db.sessionID = m_rng.uuid();
        m_mediaFolder =
            QStringLiteral("/home/utilisateur/.local/share/Velmora Core/Sessions/%1/Media/")
                .arg(idText(*m_db.sessionID));
    }

    void settings() {
        CompanySettings& c = m_db.companySettings;
        c.displayName = QStringLiteral("Studio Éclat");
        c.ownerName = QStringLiteral("Camille Lefèvre");
        c.legalStatus = QStringLiteral("Entrepreneur individuel (micro-entreprise)");
        c.siret = QStringLiteral("852 147 963 00021");
        c.addressLine1 = QStringLiteral("14 rue des Écoles");
        c.addressLine2 = QStringLiteral("69002 Lyon");
        c.additionalLegalText = QStringLiteral(
            "Dispensé d'immatriculation au registre du commerce et des sociétés (RCS) et au "
            "répertoire des métiers (RM).");
        c.legalTextOrder = {QStringLiteral("additional"), QStringLiteral("latePenalty")};
        c.bankName = QStringLiteral("Crédit Agricole Centre-Est");
        c.bankIBAN = QStringLiteral("FR76 1780 6000 0112 3456 7890 189");
        c.bankBIC = QStringLiteral("AGRIFRPP878");
        c.bankAccountName = QStringLiteral("Camille Lefèvre EI");
        c.acceptedPaymentMethods = {QStringLiteral("Virement"), QStringLiteral("Chèque"),
                                    QStringLiteral("Espèces"), QStringLiteral("Lydia")};
        c.customPaymentMethodIcons = {
            {QStringLiteral("Lydia"), QStringLiteral("iphone")},
            {QStringLiteral("Virement"), QStringLiteral("building.columns")}};
        c.lateChargeLineTitle = QStringLiteral("Frais de retard de paiement");
        c.lateChargeLineDescription = QStringLiteral("Indemnité forfaitaire et pénalités");

        AccountingRecipeSettings& r = m_db.accountingRecipeSettings;
        r.companyName = c.displayName;
        r.ownerName = c.ownerName;
        r.legalStatus = c.legalStatus;
        r.siret = c.siret;
        r.addressLine1 = c.addressLine1;
        r.addressLine2 = c.addressLine2;

        if (!m_backupFolder.isEmpty())
            m_db.storagePreferences.backupFolderURL = QUrl::fromLocalFile(m_backupFolder);
        m_db.storagePreferences.backupAlwaysEnabled = true;

        URSSAFSettings& u = m_db.urssafSettings;
        u.versementLiberatoire = true;
        u.declarationFrequency = URSSAFDeclarationFrequency::monthly;
        u.summaryShowBestClient = false;
        u.summaryCardCustomTitles = {{QStringLiteral("ca"), QStringLiteral("Chiffre d'affaires")},
                                     {QStringLiteral("net"), QStringLiteral("Revenu net estimé")}};
        u.declarationDayOfMonth = 15;

        m_db.stockSettings.lowStockThreshold = 3;
        m_db.stockSettings.labelTags = QStringLiteral("Étiquettes");

        AppPreferences& p = m_db.preferences;
        p.appearanceMode = AppAppearanceMode::light;
        // A protected session: the launch screen asks for "2468".
        p.appPassword = QStringLiteral("2468");
        p.externalToolsAccessCode = QStringLiteral("1357");
        p.sidebarMenuItems.last().isEnabled = false;
        p.sidebarMenuItems[4].displayName = QStringLiteral("Prestations");
        p.searchSettings.useAllFields = false;
        p.searchSettings.enabledFields = {SearchScopeField::title, SearchScopeField::notes,
                                          SearchScopeField::linkedClient, SearchScopeField::status};
        p.calendarDisabledCategories = {QStringLiteral("stock")};
        p.calendarICloudCalendarID = QStringLiteral("velmora-core");
        p.calendarLastSyncDate = at(kLastDay - 3 * kDay);
        p.calendarSyncError = QStringLiteral("Le calendrier « Velmora Core » est introuvable.");
        p.calendarFilterOrder = {QStringLiteral("documents"), QStringLiteral("projects"),
                                 QStringLiteral("urssaf"), QStringLiteral("recurring"),
                                 QStringLiteral("custom")};
        p.calendarHiddenFilters = {QStringLiteral("recurring")};
        p.tutorialShouldShowIntro = true;
        p.tutorialCompletedSections = {QStringLiteral("dashboard"), QStringLiteral("clients")};
    }

    void tags() {
        m_db.clientTags =
            makeTags(m_rng, {QStringLiteral("VIP"), QStringLiteral("Prospect"),
                             QStringLiteral("Récurrent"), QStringLiteral("Association")});
        m_db.projectTags =
            makeTags(m_rng, {QStringLiteral("Urgent"), QStringLiteral("Événementiel"),
                             QStringLiteral("Long terme")});
        m_db.clientProjectTags =
            makeTags(m_rng, {QStringLiteral("Sur devis"), QStringLiteral("Forfait")});
        m_db.personalProjectTags =
            makeTags(m_rng, {QStringLiteral("Veille"), QStringLiteral("Formation personnelle")});
        m_db.serviceTags = makeTags(m_rng, {QStringLiteral("Numérique"), QStringLiteral("Atelier"),
                                            QStringLiteral("Conseil")});
        m_db.stockTags = makeTags(m_rng, {QStringLiteral("Fragile"), QStringLiteral("Consommable"),
                                          QStringLiteral("Matériel")});
        m_db.externalToolTags =
            makeTags(m_rng, {QStringLiteral("Banque"), QStringLiteral("Administration"),
                             QStringLiteral("Création")});
        m_db.recurringPurchaseTags =
            makeTags(m_rng, {QStringLiteral("Logiciel"), QStringLiteral("Télécom"),
                             QStringLiteral("Assurance")});
        const std::pair<QString, QString> calendarTags[] = {
            {QStringLiteral("Rendez-vous"), QStringLiteral("#FF9500")},
            {QStringLiteral("Personnel"), QStringLiteral("#34C759")},
            {QStringLiteral("Échéances"), QStringLiteral("#FF3B30")},
        };
        for (const auto& [name, color] : calendarTags)
            m_db.customCalendarTags.append({m_rng.uuid(), name, color});

        const QString categories[] = {QStringLiteral("Bureautique"), QStringLiteral("Photo"),
                                      QStringLiteral("Céramique"), QStringLiteral("Expédition")};
        for (const QString& name : categories)
            m_db.stockCategories.append({m_rng.uuid(), name, someIds(m_rng, m_db.stockTags, 1)});
        const QString subCategories[] = {QStringLiteral("Papeterie"), QStringLiteral("Objectifs"),
                                         QStringLiteral("Émaux"), QStringLiteral("Cartons")};
        for (int i = 0; i < 4; ++i)
            m_db.stockSubCategories.append(
                {m_rng.uuid(), subCategories[i], {m_db.stockCategories[i].id}});
        const QString subTags[] = {QStringLiteral("Très fragile"), QStringLiteral("Recharge")};
        for (int i = 0; i < 2; ++i)
            m_db.stockSubTags.append({m_rng.uuid(),
                                      subTags[i],
                                      static_cast<TagColorOption>(m_rng.below(10)),
                                      {m_db.stockTags[i].id}});
    }

    QString phone() {
        return QStringLiteral("0%1 %2 %3 %4 %5")
            .arg(m_rng.between(1, 7))
            .arg(m_rng.between(10, 99))
            .arg(m_rng.between(10, 99))
            .arg(m_rng.between(10, 99))
            .arg(m_rng.between(10, 99));
    }

    QString email(const QString& first, const QString& last) {
        // Plain ASCII in addresses, as people type them.
        QString local =
            (first + QLatin1Char('.') + last).toLower().normalized(QString::NormalizationForm_D);
        local.removeIf([](QChar c) { return c.unicode() >= 0x80 || c.isSpace(); });
        static const QString domains[] = {QStringLiteral("gmail.com"), QStringLiteral("orange.fr"),
                                          QStringLiteral("free.fr"), QStringLiteral("laposte.net")};
        return local + QLatin1Char('@') + m_rng.pick(domains);
    }

    QString street() {
        return QStringLiteral("%1 %2").arg(m_rng.between(1, 120)).arg(m_rng.pick(kStreets));
    }

    QString siret() {
        QString digits;
        for (int i = 0; i < 14; ++i)
            digits += QChar(u'0' + m_rng.below(10));
        return digits;
    }

    void clients() {
        for (int i = 0; i < m_size.clients; ++i) {
            const bool full = i == 0;
            ClientItem c;
            c.id = m_rng.uuid();
            c.kind =
                full || m_rng.chance(0.4) ? ClientKind::professionnel : ClientKind::particulier;
            c.firstName = m_rng.pick(kFirstNames);
            c.lastName = m_rng.pick(kLastNames);
            if (c.kind == ClientKind::professionnel) {
                c.company = m_rng.pick(kCompanies);
                c.siret = siret();
                const int contacts = full ? 2 : m_rng.below(3);
                for (int k = 0; k < contacts; ++k) {
                    const QString first = m_rng.pick(kFirstNames);
                    const QString last = m_rng.pick(kLastNames);
                    c.contacts.append({m_rng.uuid(), first, last, m_rng.pick(kRoles),
                                       email(first, last), phone()});
                }
            }
            c.email = email(c.firstName, c.lastName);
            c.phone = phone();
            c.notes = m_rng.pick(kNotes);
            c.tagIDs = someIds(m_rng, m_db.clientTags, full ? 2 : m_rng.below(3));
            c.addressLine1 = street();
            c.addressLine2 = m_rng.pick(kCities);
            m_db.clients.append(std::move(c));
        }
    }

    void services() {
        for (int i = 0; i < m_size.services; ++i) {
            const bool full = i == 0;
            const ServiceSeed& seed = kServices[i % std::size(kServices)];
            ServiceItem s;
            s.id = m_rng.uuid();
            s.title = i < int(std::size(kServices))
                          ? seed.title
                          : QStringLiteral("%1 — formule %2").arg(seed.title).arg(i);
            s.description = seed.description;
            // Typed by the user: a French decimal comma now and then.
            const double price = m_rng.amount(seed.price * 0.8, seed.price * 1.2);
            s.priceTTC = m_rng.chance(0.5) ? QString::number(price, 'f', 2).replace(u'.', u',')
                                           : QString::number(std::round(price));
            s.notes = m_rng.pick(kNotes);
            if (full || m_rng.chance(0.6))
                s.iconName = m_rng.pick(kIcons);
            s.tagIDs = someIds(m_rng, m_db.serviceTags, full ? 2 : m_rng.below(2));
            s.prestationType = seed.type;
            m_db.services.append(std::move(s));
        }
    }

    void projects() {
        const QList<TagItem>& statuses = m_db.projectStatuses;
        for (int i = 0; i < m_size.projects; ++i) {
            const bool full = i == 0;
            ProjectItem p;
            p.id = m_rng.uuid();
            p.title = m_rng.pick(kProjectTitles);
            p.info = QStringLiteral(
                         "Mission n° %1 — suivi complet, de la prise de brief à la livraison.")
                         .arg(i + 1);
            p.notes = m_rng.pick(kNotes);
            const bool forClient = full || m_rng.chance(0.8);
            p.type = m_db.projectTypeOptions[forClient ? 0 : 1];
            if (forClient && !m_db.clients.isEmpty())
                p.linkedClientID = m_rng.pick(m_db.clients).id;
            if ((full || m_rng.chance(0.5)) && !m_db.services.isEmpty())
                p.linkedServiceID = m_rng.pick(m_db.services).id;
            if (full || m_rng.chance(0.5))
                p.iconName = m_rng.pick(kIcons);
            const int events = full ? 2 : m_rng.below(4);
            const QDateTime start = m_rng.date();
            for (int k = 0; k < events; ++k)
                p.events.append({m_rng.uuid(), m_rng.pick(kEventTitles),
                                 start.addSecs(qint64(m_rng.between(1, 60)) * kDay),
                                 m_rng.pick(kCities).mid(6),
                                 QStringLiteral("%1 h").arg(m_rng.between(1, 8))});
            const QList<TagItem>& tagPool =
                forClient ? m_db.clientProjectTags : m_db.personalProjectTags;
            p.tagIDs = someIds(m_rng, m_db.projectTags, m_rng.below(2)) +
                       someIds(m_rng, tagPool, full ? 1 : m_rng.below(2));
            if (full || m_rng.chance(0.8))
                p.startDate = start;
            if (full || m_rng.chance(0.6))
                p.endDate = start.addSecs(qint64(m_rng.between(7, 120)) * kDay);
            const int filePaths = full ? 2 : m_rng.below(3);
            for (int k = 0; k < filePaths; ++k) {
                const bool folder = k == 0;
                const QString name = folder ? QStringLiteral("Dossier %1").arg(p.title)
                                            : QStringLiteral("Devis signé.pdf");
                p.filePaths.append(
                    {m_rng.uuid(), name,
                     folder ? ProjectFilePathType::folder : ProjectFilePathType::file,
                     QStringLiteral("/home/utilisateur/Documents/Activités/%1").arg(name)});
            }
            // The first activity is cancelled so that every field is used once.
            const int statusIndex = full ? 3 : m_rng.below(statuses.size());
            p.status = statuses[statusIndex].name;
            if (statusIndex == 2 && (m_rng.chance(0.7)))
                p.completionState = m_rng.chance(0.5) ? ProjectCompletionState::delivered
                                                      : ProjectCompletionState::finished;
            if (statusIndex == 3) {
                p.isCancelled = true;
                p.cancelledAt = start.addSecs(qint64(m_rng.between(1, 30)) * kDay);
                p.preCancelStatus = statuses[0].name;
                if (full)
                    p.completionState = ProjectCompletionState::delivered;
            }
            m_db.projects.append(std::move(p));
        }
    }

    CommercialDocumentLine line(const CommercialDocumentItem& doc, int index, bool full) {
        CommercialDocumentLine l;
        l.id = m_rng.uuid();
        const int last = m_size.linesPerDocument - 1;
        if (index > 0 && index == last && (full || m_rng.chance(0.5))) {
            // A closing discount or deposit line.
            if (full || m_rng.chance(0.6) || doc.kind == CommercialDocumentKind::invoice) {
                l.kind = CommercialDocumentLineKind::discount;
                l.title = QStringLiteral("Remise fidélité");
                l.details = QStringLiteral("Geste commercial");
                l.discountIsPercent = m_rng.chance(0.5);
                l.priceTTC =
                    l.discountIsPercent ? double(m_rng.between(5, 15)) : m_rng.amount(10, 150);
                if ((full || m_rng.chance(0.5)) && !doc.lines.isEmpty())
                    l.discountLinkedLineID = doc.lines.first().id;
            } else {
                l.kind = CommercialDocumentLineKind::deposit;
                l.title = QStringLiteral("Acompte à la commande");
                l.details = QStringLiteral("30 % du montant total");
                l.priceTTC = m_rng.amount(100, 900);
            }
            return l;
        }
        const ServiceItem* service =
            m_db.services.isEmpty() ? nullptr : &m_db.services[m_rng.below(m_db.services.size())];
        if (service && m_rng.chance(0.8)) {
            l.title = service->title;
            l.details = service->description;
            l.linkedServiceID = service->id;
            l.prestationType = service->prestationType;
        } else {
            l.title = QStringLiteral("Frais de déplacement");
            l.details = QStringLiteral("Aller-retour %1").arg(m_rng.pick(kCities).mid(6));
            l.prestationType = ServicePrestationType::prestationsCommercialesBIC;
        }
        l.priceTTC = m_rng.amount(20, 1500);
        l.tvaRate = m_rng.chance(0.2) ? 20 : 0;
        l.isOffered = m_rng.chance(0.05);
        l.quantity = m_rng.chance(0.7) ? double(m_rng.between(1, 10)) : m_rng.between(1, 16) * 0.5;
        if (m_rng.chance(0.15)) {
            l.lineDiscountEnabled = true;
            l.lineDiscountIsPercent = m_rng.chance(0.5);
            l.lineDiscountValue =
                l.lineDiscountIsPercent ? double(m_rng.between(5, 20)) : m_rng.amount(5, 50);
        }
        return l;
    }

    static double total(const CommercialDocumentItem& doc) {
        double sum = 0;
        for (const CommercialDocumentLine& l : doc.lines) {
            if (l.kind == CommercialDocumentLineKind::service && !l.isOffered)
                sum += l.priceTTC * l.quantity;
        }
        return roundCents(sum);
    }

    void documents() {
        const QUuid quoteDraft = m_db.quoteStatuses[0].id;
        const QUuid quoteValidated = m_db.quoteStatuses[2].id;
        const QUuid invoiceDraft = m_db.invoiceStatuses[0].id;
        const QUuid invoiceSent = m_db.invoiceStatuses[1].id;
        const QUuid invoicePaid = m_db.invoiceStatuses[2].id;
        int quoteCount = 0;
        int invoiceCount = 0;
        QList<int> validatedQuotes;
        for (int i = 0; i < m_size.documents; ++i) {
            // The first quote and the first invoice use every optional field.
            const bool full = i < 2;
            CommercialDocumentItem d;
            d.id = m_rng.uuid();
            d.kind = i == 0                        ? CommercialDocumentKind::quote
                     : i == 1 || m_rng.chance(0.6) ? CommercialDocumentKind::invoice
                                                   : CommercialDocumentKind::quote;
            const bool isQuote = d.kind == CommercialDocumentKind::quote;
            d.issueDate = m_rng.date();
            d.number = QStringLiteral("%1-%2-%3")
                           .arg(QChar(isQuote ? u'D' : u'F'))
                           .arg(d.issueDate.date().year())
                           .arg(isQuote ? ++quoteCount : ++invoiceCount, 5, 10, QLatin1Char('0'));
            const QList<TagItem>& statuses = isQuote ? m_db.quoteStatuses : m_db.invoiceStatuses;
            if (full)
                d.statusID = isQuote ? quoteValidated : invoicePaid;
            else if (m_rng.chance(0.97))
                d.statusID = m_rng.pick(statuses).id;
            const bool draft = d.statusID == quoteDraft || d.statusID == invoiceDraft;
            if (isQuote && (full || m_rng.chance(0.9)))
                d.validityDate = d.issueDate.addSecs(30 * kDay);
            d.dueDays = m_rng.pick({0, 15, 30, 30, 45});
            if ((full || m_rng.chance(0.95)) && !m_db.clients.isEmpty())
                d.clientID = m_db.clients[full ? 0 : m_rng.below(m_db.clients.size())].id;
            if ((full || m_rng.chance(0.4)) && !m_db.projects.isEmpty()) {
                ProjectItem& project =
                    m_db.projects[i == 1 ? 0 : m_rng.below(m_db.projects.size())];
                d.linkedProjectIDs.append(project.id);
                (isQuote ? project.linkedQuoteIDs : project.linkedInvoiceIDs).append(d.id);
            }
            if (!isQuote && (i == 1 || m_rng.chance(0.3)) && !validatedQuotes.isEmpty())
                d.linkedQuoteID = m_db.documents[m_rng.pick(validatedQuotes)].id;
            d.notes = m_rng.pick(kNotes);
            d.paymentTerms =
                QStringLiteral("Paiement à %1 jours à réception de la facture.").arg(d.dueDays);
            for (int k = 0; k < m_size.linesPerDocument; ++k)
                d.lines.append(line(d, k, full));
            const double amount = total(d);

            // Payments: a paid invoice has one or two, a sent one maybe a part,
            // a validated quote maybe a deposit.
            int payments = 0;
            if (d.statusID == invoicePaid)
                payments = full ? 2 : m_rng.between(1, 2);
            else if (d.statusID == invoiceSent || d.statusID == quoteValidated)
                payments = full ? 1 : m_rng.below(2);
            QDateTime paidOn = d.issueDate;
            for (int k = 0; k < payments; ++k) {
                Encaissement e;
                e.id = m_rng.uuid();
                e.amount = payments == 2 && k == 0 ? roundCents(amount * 0.3)
                           : payments == 2         ? roundCents(amount * 0.7)
                                                   : amount;
                paidOn = paidOn.addSecs(qint64(m_rng.between(1, 40)) * kDay);
                e.date = paidOn;
                e.paymentMethod = m_rng.pick(kPaymentMethods);
                e.isAcompte = isQuote || (payments == 2 && k == 0);
                e.createdAt = paidOn.addSecs(m_rng.between(60, 7200));
                e.isRefunded = full && k == 0;
                d.encaissements.append(std::move(e));
            }
            if (d.statusID == invoicePaid) {
                d.encaissementDate = paidOn;
                d.paymentMethod = d.encaissements.isEmpty() ? m_rng.pick(kPaymentMethods)
                                                            : d.encaissements.last().paymentMethod;
            }
            if (!draft) {
                DocumentSnapshot snap;
                snap.capturedAt = d.issueDate.addSecs(m_rng.between(60, 3600));
                snap.companySettings = m_db.companySettings;
                if (d.clientID)
                    snap.client = clientById(*d.clientID);
                d.pdfSnapshot = std::move(snap);
            }
            if (!isQuote && !d.linkedProjectIDs.isEmpty() &&
                projectById(d.linkedProjectIDs.first()).isCancelled) {
                d.preCancelStatusID = invoiceSent;
                const bool hasDeposit =
                    std::any_of(d.encaissements.cbegin(), d.encaissements.cend(),
                                [](const Encaissement& e) { return e.isAcompte; });
                if (hasDeposit && (full || m_rng.chance(0.5)))
                    d.acompteRefundStatus = m_rng.chance(0.5) ? AcompteRefundStatus::refunded
                                                              : AcompteRefundStatus::kept;
            }
            if (isQuote && d.statusID == quoteValidated)
                validatedQuotes.append(i);
            m_db.documents.append(std::move(d));
        }
        // Some documents are left out of the recipe book, some payments too.
        for (const CommercialDocumentItem& d : std::as_const(m_db.documents)) {
            if (d.encaissements.isEmpty())
                continue;
            AppPreferences& p = m_db.preferences;
            if (d.encaissements.size() > 1 && p.recipeBookExcludedEncaissementIDs.size() < 3)
                p.recipeBookExcludedEncaissementIDs.append(d.encaissements.last().id);
            else if (p.recipeBookExcludedIDs.size() < 3)
                p.recipeBookExcludedIDs.append(d.id);
        }
    }

    const ClientItem& clientById(const QUuid& id) const {
        return *std::find_if(m_db.clients.cbegin(), m_db.clients.cend(),
                             [&](const ClientItem& c) { return c.id == id; });
    }

    const ProjectItem& projectById(const QUuid& id) const {
        return *std::find_if(m_db.projects.cbegin(), m_db.projects.cend(),
                             [&](const ProjectItem& p) { return p.id == id; });
    }

    QList<StockCharacteristic> characteristics(int count) {
        static const std::pair<QString, QString> pool[] = {
            {QStringLiteral("Couleur"), QStringLiteral("Bleu nuit")},
            {QStringLiteral("Dimensions"), QStringLiteral("30 × 40 cm")},
            {QStringLiteral("Matière"), QStringLiteral("Grès émaillé")},
            {QStringLiteral("Référence"), QStringLiteral("RÉF-2024-117")},
            {QStringLiteral("Poids"), QStringLiteral("1,2 kg")},
        };
        QList<StockCharacteristic> result;
        for (int i = 0; i < count; ++i) {
            const auto& [label, value] = m_rng.pick(pool);
            result.append({m_rng.uuid(), label, value});
        }
        return result;
    }

    void stock() {
        for (int i = 0; i < m_size.stockItems; ++i) {
            const bool full = i == 0;
            StockItem s;
            s.id = m_rng.uuid();
            s.title = m_rng.pick(kStockTitles);
            if (full || m_rng.chance(0.4))
                s.iconName = QStringLiteral("shippingbox");
            const int category = m_rng.below(m_db.stockCategories.size());
            s.categoryIDs = {m_db.stockCategories[category].id};
            if (full || m_rng.chance(0.5))
                s.subCategoryIDs = {m_db.stockSubCategories[category].id};
            s.tagIDs = someIds(m_rng, m_db.stockTags, full ? 2 : m_rng.below(3));
            if (full || m_rng.chance(0.2))
                s.subTagIDs = someIds(m_rng, m_db.stockSubTags, 1);
            if (full || m_rng.chance(0.85))
                s.quantity = m_rng.below(25);
            s.orderURL = QStringLiteral("https://www.exemple-fournisseur.fr/produit/%1").arg(i + 1);
            s.notes = m_rng.pick(kNotes);
            s.characteristics = characteristics(full ? 2 : m_rng.below(3));
            m_db.stockItems.append(std::move(s));
        }
        // A wish list one tenth the size of the stock, at least two items.
        const int wishes = std::max(2, m_size.stockItems / 10);
        for (int i = 0; i < wishes; ++i) {
            const bool full = i == 0;
            PurchaseWishlistItem w;
            w.id = m_rng.uuid();
            w.title = m_rng.pick(kStockTitles);
            if (full || m_rng.chance(0.4))
                w.iconName = QStringLiteral("cart");
            w.categoryIDs = someIds(m_rng, m_db.stockCategories, 1);
            w.tagIDs = someIds(m_rng, m_db.stockTags, full ? 2 : m_rng.below(2));
            if (full || m_rng.chance(0.7))
                w.quantity = m_rng.between(1, 10);
            w.status = i % 3 == 1 ? PurchaseWishlistStatus::bought : PurchaseWishlistStatus::toBuy;
            w.orderURL = QStringLiteral("https://www.exemple-fournisseur.fr/panier/%1").arg(i + 1);
            w.notes = m_rng.pick(kNotes);
            w.characteristics = characteristics(full ? 1 : m_rng.below(2));
            m_db.purchaseWishlistItems.append(std::move(w));
        }
    }

    void purchases() {
        for (int i = 0; i < m_size.purchases; ++i) {
            const bool full = i == 0;
            AccountingPurchaseItem p;
            p.id = m_rng.uuid();
            if ((full || m_rng.chance(0.3)) && !m_db.stockItems.isEmpty()) {
                const StockItem& item = m_rng.pick(m_db.stockItems);
                p.linkedStockID = item.id;
                p.categoryIDs = item.categoryIDs;
                p.subCategoryIDs = item.subCategoryIDs;
                p.subTagIDs = item.subTagIDs;
            }
            if (full) {
                // The linked item may lack some of them; this entry uses them all.
                if (p.subCategoryIDs.isEmpty())
                    p.subCategoryIDs = someIds(m_rng, m_db.stockSubCategories, 1);
                if (p.subTagIDs.isEmpty())
                    p.subTagIDs = someIds(m_rng, m_db.stockSubTags, 1);
            }
            if ((full || m_rng.chance(0.1)) && !m_db.purchaseWishlistItems.isEmpty())
                p.linkedWishlistID = m_rng.pick(m_db.purchaseWishlistItems).id;
            p.customProductName = m_rng.pick(kStockTitles);
            if (full || m_rng.chance(0.7))
                p.quantity = m_rng.between(1, 12);
            p.supplier = m_rng.pick(kSuppliers);
            p.characteristics = characteristics(full ? 1 : m_rng.below(2));
            const double unit = m_rng.amount(2, 400);
            const double shipping = m_rng.chance(0.5) ? m_rng.amount(0, 25) : 0;
            p.priceTTC = roundCents(unit * double(p.quantity.value_or(1)) + shipping);
            if (full || m_rng.chance(0.5))
                p.priceHT = roundCents(p.priceTTC / 1.2);
            if (full || m_rng.chance(0.6))
                p.unitPrice = unit;
            if (full || shipping > 0)
                p.shippingPrice = shipping;
            p.notes = m_rng.pick(kNotes);
            p.purchaseDate = m_rng.date();
            p.tagIDs = someIds(m_rng, m_db.stockTags, m_rng.below(2));
            m_db.accountingPurchases.append(std::move(p));
        }
    }

    void declarations() {
        // Monthly declarations, the newest month last, ending in June 2025.
        const int lastMonth = 2025 * 12 + 5;
        for (int i = 0; i < m_size.declarations; ++i) {
            const int month = lastMonth - (m_size.declarations - 1 - i);
            URSSAFDeclaration d;
            d.id = m_rng.uuid();
            d.year = month / 12;
            d.periodIndex = month % 12 + 1;
            d.frequency = URSSAFDeclarationFrequency::monthly;
            d.caVenteMarchandises = m_rng.chance(0.3) ? m_rng.amount(0, 800) : 0;
            d.caPrestationsServicesBIC = m_rng.amount(0, 1500);
            d.caPrestationsServicesBNC = m_rng.amount(500, 5000);
            d.caLocationMeublee = i == 0 ? 350 : 0;
            d.cotisationAmount =
                roundCents(d.caVenteMarchandises * 0.123 + d.caPrestationsServicesBIC * 0.212 +
                           d.caPrestationsServicesBNC * 0.22);
            d.cfpAmount = roundCents(
                (d.caVenteMarchandises + d.caPrestationsServicesBIC + d.caPrestationsServicesBNC) *
                0.002);
            d.versementLiberatoireAmount = roundCents(d.caPrestationsServicesBNC * 0.022);
            const QDateTime periodEnd =
                QDateTime(QDate(int(d.year), int(d.periodIndex), 1), QTime(0, 0), Qt::UTC)
                    .addMonths(1);
            const bool recent = i >= m_size.declarations - 2;
            d.isDeclared = !recent || i == 0;
            if (d.isDeclared)
                d.declaredDate = periodEnd.addSecs(qint64(m_rng.between(1, 20)) * kDay);
            d.isPaid = d.isDeclared && (i == 0 || m_rng.chance(0.95));
            if (d.isPaid)
                d.paidDate = d.declaredDate->addSecs(qint64(m_rng.between(0, 10)) * kDay);
            d.notes =
                i % 12 == 0 ? QStringLiteral("Régularisation demandée par l'URSSAF.") : QString();
            d.createdAt = periodEnd.addSecs(-kDay + m_rng.between(0, 3600));
            d.isAutoGenerated = recent;
            m_db.urssafDeclarations.append(std::move(d));
        }
    }

    void subscriptions() {
        for (int i = 0; i < m_size.subscriptions; ++i) {
            const bool full = i == 0;
            const SubscriptionSeed& seed = kSubscriptions[i % std::size(kSubscriptions)];
            RecurringPurchase r;
            r.id = m_rng.uuid();
            r.name = seed.name;
            r.description = QStringLiteral("Abonnement professionnel — %1").arg(seed.name);
            r.frequency = full ? RecurringFrequency::monthly
                               : static_cast<RecurringFrequency>(m_rng.below(3));
            r.amount = m_rng.amount(5, r.frequency == RecurringFrequency::yearly ? 600 : 80);
            r.startDate = m_rng.date(kFirstDay, kLastDay - 120 * kDay);
            r.nextDueDate = at(kLastDay + qint64(m_rng.between(0, 27)) * kDay);
            r.isActive = full || m_rng.chance(0.85);
            r.websiteURL = seed.website;
            r.notes = m_rng.pick(kNotes);
            r.createdAt = r.startDate.addSecs(-m_rng.between(60, 86400));
            if (full || m_rng.chance(0.5))
                r.brandIconName = seed.icon;
            if (full || m_rng.chance(0.2)) {
                const QDateTime pause = r.startDate.addSecs(60 * kDay);
                r.pausePeriods.append({m_rng.uuid(), pause, pause.addSecs(30 * kDay)});
                if (full)
                    r.pausePeriods.append({m_rng.uuid(), pause.addSecs(200 * kDay), std::nullopt});
            }
            if (full || m_rng.chance(0.6))
                r.debitDay = m_rng.between(1, 28);
            if (full || m_rng.chance(0.1)) {
                const QDateTime period = r.startDate.addSecs(90 * kDay);
                r.exceptionalDates.append({m_rng.uuid(), period, period.addSecs(3 * kDay)});
            }
            if (full || m_rng.chance(0.2)) {
                r.debitDayHistory.append({r.startDate, 5});
                r.debitDayHistory.append(
                    {r.startDate.addSecs(100 * kDay), r.debitDay.value_or(10)});
            }
            if (!r.isActive || full)
                r.endDate = at(kLastDay + 365 * kDay);
            r.tagIDs = someIds(m_rng, m_db.recurringPurchaseTags, full ? 2 : 1);
            m_db.recurringPurchases.append(std::move(r));
        }
    }

    void calendar() {
        for (int i = 0; i < m_size.events; ++i) {
            const bool full = i == 0;
            CustomCalendarEvent e;
            e.id = m_rng.uuid();
            e.title = m_rng.pick(kEventTitles);
            e.notes = m_rng.pick(kNotes);
            e.date = m_rng.date(kLastDay - 365 * kDay, kLastDay + 180 * kDay);
            e.isAllDay = !full && m_rng.chance(0.2);
            if (e.isAllDay)
                e.date = at(e.date.toSecsSinceEpoch() / kDay * kDay);
            if (full || m_rng.chance(0.6))
                e.customTagID = m_rng.pick(m_db.customCalendarTags).id;
            e.location = m_rng.chance(0.5) ? m_rng.pick(kCities).mid(6) : QString();
            if (full || m_rng.chance(0.5))
                e.alertMinutes = m_rng.pick({5, 15, 30, 60, 1440});
            if (full || m_rng.chance(0.1))
                e.recurrence = m_rng.pick(kRecurrences);
            if (full || m_rng.chance(0.3))
                e.linkedClientIDs = someIds(m_rng, m_db.clients, 1);
            if (full || m_rng.chance(0.2))
                e.linkedProjectIDs = someIds(m_rng, m_db.projects, full ? 2 : 1);
            if (full || m_rng.chance(0.1))
                e.linkedDocumentIDs = someIds(m_rng, m_db.documents, 1);
            e.createdAt = e.date.addSecs(-qint64(m_rng.between(1, 30)) * kDay);
            m_db.customCalendarEvents.append(std::move(e));
        }
    }

    void tools() {
        for (int i = 0; i < m_size.tools; ++i) {
            const bool full = i == 0;
            const SubscriptionSeed& seed = kTools[i % std::size(kTools)];
            ExternalTool t;
            t.id = m_rng.uuid();
            t.name = i < int(std::size(kTools))
                         ? seed.name
                         : QStringLiteral("%1 (compte %2)").arg(seed.name).arg(i);
            if (full || m_rng.chance(0.5))
                t.brandIconName = seed.icon;
            t.login = QStringLiteral("camille.lefevre+%1@studio-eclat.fr").arg(i);
            t.password = QStringLiteral("Mot-de-passe-%1-é\"\\").arg(m_rng.between(1000, 9999));
            t.websiteURL = seed.website;
            t.notes = m_rng.pick(kNotes);
            t.tagIDs = someIds(m_rng, m_db.externalToolTags, full ? 2 : m_rng.below(2));
            t.createdAt = m_rng.date();
            m_db.externalTools.append(std::move(t));
        }
    }

    void identity() {
        m_db.sessionName = QStringLiteral("Studio Éclat — activité principale");
        m_db.sessionProfileImageName = QStringLiteral("avatar.palette");
        QByteArray photo(m_size.clients >= 100 ? 24 * 1024 : 512, Qt::Uninitialized);
        m_rng.fill(photo.data(), photo.size());
        m_db.sessionProfilePhotoData = Base64Data::fromBytes(photo);
        const std::pair<QString, QString> questions[] = {
            {QStringLiteral("Quel est le nom de votre premier animal ?"), QStringLiteral("Câlin")},
            {QStringLiteral("Dans quelle ville êtes-vous né(e) ?"), QStringLiteral("Besançon")},
            {QStringLiteral("Quel était votre surnom d'enfance ?"), QStringLiteral("Pitchoune")},
        };
        for (const auto& [question, answer] : questions)
            m_db.securityQuestions.append({m_rng.uuid(), question, answerDigest(answer)});
    }

    // The user's reactions to a few notifications, keyed as the centre names them.
    void notifications() {
        const QDateTime now = at(kLastDay - 20 * kDay);
        const int count = std::max(4, m_size.documents / 50);
        for (int i = 0; i < count && i < m_db.documents.size(); ++i) {
            const CommercialDocumentItem& d = m_db.documents[i];
            const bool isQuote = d.kind == CommercialDocumentKind::quote;
            NotificationState state;
            if (i % 2 == 0)
                state.snoozedUntil = now.addSecs(qint64(m_rng.between(1, 7)) * kDay);
            state.toastDismissed = i % 3 != 2;
            state.neverShow = i % 4 == 3;
            if (i % 3 != 1)
                state.firstToastedAt = now.addSecs(-m_rng.between(60, 86400));
            m_db.notificationStates.insert(
                (isQuote ? QStringLiteral("quote.expired.") : QStringLiteral("invoice.late.")) +
                    idText(d.id),
                state);
        }
        if (!m_db.stockItems.isEmpty())
            m_db.notificationStates.insert(QStringLiteral("stock.low.") +
                                               idText(m_db.stockItems.first().id),
                                           NotificationState{std::nullopt, true, true, now});
    }

    // ---- media ----

    QString mediaKey(MediaUse use, const QString& ext) {
        static const char* const prefixes[] = {"logo",       "logo",   "client",    "project",
                                               "attachment", "stock",  "wishlist",  "document",
                                               "urssaf",     "urssaf", "recurring", "tool"};
        return QStringLiteral("%1_%2.%3")
            .arg(QLatin1StringView(prefixes[int(use)]), idText(m_rng.uuid()), ext);
    }

    QByteArray mediaBytes(qsizetype size, const QString& ext) {
        QByteArray bytes(size, Qt::Uninitialized);
        m_rng.fill(bytes.data(), size);
        // The real signature at the start, so that tools recognise the type.
        const QByteArray magic = ext == QLatin1String("pdf")   ? QByteArray("%PDF-1.7\n")
                                 : ext == QLatin1String("png") ? QByteArray("\x89PNG\r\n\x1a\n")
                                                               : QByteArray("\xFF\xD8\xFF\xE0");
        std::memcpy(bytes.data(), magic.constData(), std::size_t(std::min(size, magic.size())));
        return bytes;
    }

    // Picks the next record of a kind that does not hold a file of that kind
    // yet; false when there is none left.
    template <class T, class Has>
    bool nextFree(QList<T>& items, std::vector<int>& order, std::size_t& cursor, Has has, T*& out) {
        if (order.empty() && !items.isEmpty()) {
            order.resize(std::size_t(items.size()));
            for (std::size_t i = 0; i < order.size(); ++i)
                order[i] = int(i);
            // The first record comes first: it is the one that uses every field.
            m_rng.shuffle(order);
            std::iter_swap(order.begin(), std::find(order.begin(), order.end(), 0));
        }
        while (cursor < order.size()) {
            T& item = items[order[cursor++]];
            if (!has(item)) {
                out = &item;
                return true;
            }
        }
        return false;
    }

    struct Cursor {
        std::vector<int> order;
        std::size_t next = 0;
    };

    // Attaches a new file of the given use to a record; false when no record
    // can take one.
    bool attach(MediaUse use, qsizetype size) {
        Cursor& c = m_cursors[int(use)];
        auto add = [&](const QString& ext) {
            const QString key = mediaKey(use, ext);
            m_db.embeddedMedia.insert(key, Base64Data::fromBytes(mediaBytes(size, ext)));
            const QUrl url = QUrl::fromLocalFile(m_mediaFolder + key);
            m_mediaURLs.append(url);
            return url;
        };
        switch (use) {
        case MediaUse::invoiceLogo:
            if (m_db.preferences.invoiceLogoURL)
                return false;
            m_db.preferences.invoiceLogoURL = add(QStringLiteral("png"));
            return true;
        case MediaUse::managerLogo:
            if (m_db.preferences.customManagerLogoURL)
                return false;
            m_db.preferences.customManagerLogoURL = add(QStringLiteral("png"));
            return true;
        case MediaUse::clientPhoto: {
            ClientItem* c2 = nullptr;
            if (!nextFree(
                    m_db.clients, c.order, c.next,
                    [](const ClientItem& r) { return r.photoURL.has_value(); }, c2))
                return false;
            c2->photoURL = add(QStringLiteral("jpg"));
            return true;
        }
        case MediaUse::projectPhoto: {
            ProjectItem* p = nullptr;
            if (!nextFree(
                    m_db.projects, c.order, c.next,
                    [](const ProjectItem& r) { return r.photoURL.has_value(); }, p))
                return false;
            p->photoURL = add(QStringLiteral("jpg"));
            return true;
        }
        case MediaUse::attachment: {
            if (m_db.projects.isEmpty())
                return false;
            // Activities hold any number of attachments.
            ProjectItem& p = m_db.projects[c.next++ == 0 ? 0 : m_rng.below(m_db.projects.size())];
            const bool image = m_rng.chance(0.4);
            const QString ext = image ? QStringLiteral("jpg") : QStringLiteral("pdf");
            p.attachments.append(
                {m_rng.uuid(), QStringLiteral("%1.%2").arg(m_rng.pick(kAttachmentNames), ext),
                 add(ext), image ? ProjectAttachmentKind::image : ProjectAttachmentKind::document});
            return true;
        }
        case MediaUse::stockPhoto: {
            StockItem* s = nullptr;
            if (!nextFree(
                    m_db.stockItems, c.order, c.next,
                    [](const StockItem& r) { return r.photoURL.has_value(); }, s))
                return false;
            s->photoURL = add(QStringLiteral("jpg"));
            return true;
        }
        case MediaUse::wishlistPhoto: {
            PurchaseWishlistItem* w = nullptr;
            if (!nextFree(
                    m_db.purchaseWishlistItems, c.order, c.next,
                    [](const PurchaseWishlistItem& r) { return r.photoURL.has_value(); }, w))
                return false;
            w->photoURL = add(QStringLiteral("png"));
            return true;
        }
        case MediaUse::importedPDF: {
            CommercialDocumentItem* d = nullptr;
            if (!nextFree(
                    m_db.documents, c.order, c.next,
                    [](const CommercialDocumentItem& r) { return r.importedPDFURL.has_value(); },
                    d))
                return false;
            d->sourceKind = CommercialDocumentSourceKind::importedPDF;
            d->importedPDFURL = add(QStringLiteral("pdf"));
            return true;
        }
        case MediaUse::declarationFile:
        case MediaUse::paymentFile: {
            const bool declaration = use == MediaUse::declarationFile;
            URSSAFDeclaration* d = nullptr;
            if (!nextFree(
                    m_db.urssafDeclarations, c.order, c.next,
                    [declaration](const URSSAFDeclaration& r) {
                        return declaration ? r.declarationFileURL.has_value()
                                           : r.paymentFileURL.has_value();
                    },
                    d))
                return false;
            (declaration ? d->declarationFileURL : d->paymentFileURL) = add(QStringLiteral("pdf"));
            return true;
        }
        case MediaUse::subscriptionLogo: {
            RecurringPurchase* r = nullptr;
            if (!nextFree(
                    m_db.recurringPurchases, c.order, c.next,
                    [](const RecurringPurchase& x) { return x.logoURL.has_value(); }, r))
                return false;
            r->logoURL = add(QStringLiteral("png"));
            return true;
        }
        case MediaUse::toolLogo: {
            ExternalTool* t = nullptr;
            if (!nextFree(
                    m_db.externalTools, c.order, c.next,
                    [](const ExternalTool& x) { return x.logoURL.has_value(); }, t))
                return false;
            t->logoURL = add(QStringLiteral("png"));
            return true;
        }
        }
        return false;
    }

    std::vector<qsizetype> mediaSizes() {
        std::vector<qsizetype> sizes;
        const int n = m_size.mediaFiles;
        if (n <= 0)
            return sizes;
        std::vector<double> weights(static_cast<std::size_t>(n));
        double sum = 0;
        for (double& w : weights) {
            w = 0.25 + 1.5 * m_rng.unit();
            sum += w;
        }
        qsizetype given = 0;
        for (int i = 0; i < n - 1; ++i) {
            const auto size = std::max<qsizetype>(
                16, qsizetype(double(m_size.mediaBytes) * weights[std::size_t(i)] / sum));
            sizes.push_back(size);
            given += size;
        }
        sizes.push_back(std::max<qsizetype>(16, m_size.mediaBytes - given));
        return sizes;
    }

    void media() {
        // The two logos first, then the kinds in turn, photos and documents
        // weighing most.
        static constexpr MediaUse kPattern[] = {
            MediaUse::clientPhoto,     MediaUse::attachment,  MediaUse::projectPhoto,
            MediaUse::stockPhoto,      MediaUse::attachment,  MediaUse::importedPDF,
            MediaUse::clientPhoto,     MediaUse::attachment,  MediaUse::wishlistPhoto,
            MediaUse::declarationFile, MediaUse::paymentFile, MediaUse::subscriptionLogo,
            MediaUse::toolLogo,        MediaUse::importedPDF, MediaUse::stockPhoto,
        };
        const std::vector<qsizetype> sizes = mediaSizes();
        std::size_t turn = 0;
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            bool attached = i == 0   ? attach(MediaUse::invoiceLogo, sizes[i])
                            : i == 1 ? attach(MediaUse::managerLogo, sizes[i])
                                     : false;
            for (std::size_t tries = 0; !attached && tries < std::size(kPattern); ++tries)
                attached = attach(kPattern[turn++ % std::size(kPattern)], sizes[i]);
        }
        shareMedia();
    }

    // References that reuse files already embedded: the logo and client photo
    // frozen into each issued document, the quote PDF an invoice was made from, and one use of
    // every URL field even when there are fewer files than fields.
    void shareMedia() {
        if (m_mediaURLs.isEmpty())
            return;
        std::size_t next = 0;
        auto reuse = [&] {
            return m_mediaURLs[qsizetype(next++ % std::size_t(m_mediaURLs.size()))];
        };
        auto ensure = [&](auto& list, auto field) {
            if (list.isEmpty())
                return;
            for (const auto& item : list) {
                if ((item.*field).has_value())
                    return;
            }
            list.first().*field = reuse();
        };
        ensure(m_db.clients, &ClientItem::photoURL);
        ensure(m_db.projects, &ProjectItem::photoURL);
        ensure(m_db.stockItems, &StockItem::photoURL);
        ensure(m_db.purchaseWishlistItems, &PurchaseWishlistItem::photoURL);
        ensure(m_db.urssafDeclarations, &URSSAFDeclaration::declarationFileURL);
        ensure(m_db.urssafDeclarations, &URSSAFDeclaration::paymentFileURL);
        ensure(m_db.recurringPurchases, &RecurringPurchase::logoURL);
        ensure(m_db.externalTools, &ExternalTool::logoURL);
        if (!m_db.projects.isEmpty() && m_db.projects.first().attachments.isEmpty())
            m_db.projects.first().attachments.append({m_rng.uuid(),
                                                      QStringLiteral("Plan d'accès.pdf"), reuse(),
                                                      ProjectAttachmentKind::document});
        if (!m_db.documents.isEmpty() && !m_db.documents.first().importedPDFURL) {
            m_db.documents.first().sourceKind = CommercialDocumentSourceKind::importedPDF;
            m_db.documents.first().importedPDFURL = reuse();
        }
        if (!m_db.preferences.invoiceLogoURL)
            m_db.preferences.invoiceLogoURL = reuse();
        if (!m_db.preferences.customManagerLogoURL)
            m_db.preferences.customManagerLogoURL = reuse();

        QHash<QUuid, QUrl> quotePDFs;
        for (const CommercialDocumentItem& d : std::as_const(m_db.documents)) {
            if (d.importedPDFURL)
                quotePDFs.insert(d.id, *d.importedPDFURL);
        }
        QHash<QUuid, QUrl> clientPhotos;
        for (const ClientItem& c : std::as_const(m_db.clients)) {
            if (c.photoURL)
                clientPhotos.insert(c.id, *c.photoURL);
        }
        bool anyQuotePDF = false;
        for (CommercialDocumentItem& d : m_db.documents) {
            if (d.pdfSnapshot) {
                d.pdfSnapshot->companyLogoURL = m_db.preferences.invoiceLogoURL;
                if (d.pdfSnapshot->client && clientPhotos.contains(d.pdfSnapshot->client->id))
                    d.pdfSnapshot->client->photoURL = clientPhotos.value(d.pdfSnapshot->client->id);
            }
            if (d.linkedQuoteID && quotePDFs.contains(*d.linkedQuoteID)) {
                d.linkedQuotePDFURL = quotePDFs.value(*d.linkedQuoteID);
                anyQuotePDF = true;
            }
        }
        if (!anyQuotePDF) {
            for (CommercialDocumentItem& d : m_db.documents) {
                if (d.linkedQuoteID) {
                    d.linkedQuotePDFURL = reuse();
                    break;
                }
            }
        }
    }

    GeneratorSize m_size;
    Rng m_rng;
    QString m_backupFolder;
    AppDatabase m_db;
    QString m_mediaFolder;
    QList<QUrl> m_mediaURLs;
    Cursor m_cursors[12];
};

} // namespace

AppDatabase generateSession(const GeneratorSize& size, quint32 seed, const QString& backupFolder) {
    return Generator(size, seed, backupFolder).run();
}

} // namespace velmora::bench
