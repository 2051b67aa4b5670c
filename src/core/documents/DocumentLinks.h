#pragma once

#include "core/documents/DocumentStatus.h"
#include "core/model/AppDatabase.h"

#include <QList>
#include <QUuid>

namespace velmora {

class Clock;

// A document is linked to at most this many activities.
inline constexpr qsizetype kMaxLinkedActivities = 3;

// Keeps the activity side of the links in step with a document's
// linkedProjectIDs: activities newly named get the document's id, activities
// no longer named lose it.
void syncDocumentLinks(QList<ProjectItem>& projects, const CommercialDocumentItem& document,
                       const QList<QUuid>& oldProjectIDs);

// The same on the session: after a document was created or its activities
// edited elsewhere, brings the activities in step and saves.
Result<> syncDocumentLinks(SessionEdit& edit, const QUuid& documentID,
                           const QList<QUuid>& oldProjectIDs);

// Activity ids as the form chose them: known activities only, each once, at
// most three, in the order given.
QList<QUuid> cleanedActivityIDs(const QList<QUuid>& chosen, const QList<ProjectItem>& projects);

class ActivityLinks {
public:
    static QString sectionTitle() { return QStringLiteral("Activités liées (max 3)"); }
    static QString emptyText() { return QStringLiteral("Aucune activité"); }
    static QString tooManyMessage() {
        return QStringLiteral("Un document ne peut être lié qu'à 3 activités au maximum.");
    }

    // The activity (other than the target) the document is already linked
    // to, whose title the move confirmation names; none when it is free.
    static std::optional<ProjectItem> linkedElsewhere(const CommercialDocumentItem& document,
                                                      const QList<ProjectItem>& projects,
                                                      const QUuid& targetProjectID);
    // "Déplacer la facture ?" / "Déplacer le devis ?"; confirming keeps the
    // existing link and adds the new one.
    static Alert moveConfirmation(CommercialDocumentKind kind, const QString& activityTitle);

    // Links the document to one more activity, on both sides, and saves.
    static Result<> link(SessionEdit& edit, const QUuid& documentID, const QUuid& projectID);
    static Result<> unlink(SessionEdit& edit, const QUuid& documentID, const QUuid& projectID);
};

// The quote an invoice comes from: a quote record or an imported PDF, never
// both.
class QuoteAssociation {
public:
    static QString associateButton() { return QStringLiteral("Associer un devis existant"); }
    static QString importButton() { return QStringLiteral("Importer un PDF de devis"); }
    // How a quote is listed in the picker.
    static QString quoteLabel(const CommercialDocumentItem& quote);
    static Alert dissociateConfirmation();

    static Result<> associateQuote(SessionEdit& edit, const QUuid& invoiceID, const QUuid& quoteID);
    static Result<> associateQuotePDF(SessionEdit& edit, const QUuid& invoiceID,
                                      const QUrl& pdfURL);
    static Result<> dissociate(SessionEdit& edit, const QUuid& invoiceID);
};

} // namespace velmora
