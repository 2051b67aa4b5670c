#pragma once

#include "core/Alert.h"
#include "core/Result.h"
#include "core/documents/DocumentCreation.h"
#include "core/documents/DocumentStatus.h"
#include "core/model/AppDatabase.h"

#include <QDateTime>
#include <QUuid>

#include <optional>

namespace velmora {

class SessionEdit;
class Clock;

// The editor's form over one document, new or stored: what the user typed,
// the number it proposes, the lines in their order and the document as the
// live preview prints it. The widgets write into it and read texts from it.
class DocumentEditorModel {
public:
    // A new document of this kind, dated now, in the first status of its list.
    DocumentEditorModel(const AppDatabase& session, CommercialDocumentKind kind,
                        const QDateTime& now);
    // A stored document, as it stands.
    DocumentEditorModel(const AppDatabase& session, const CommercialDocumentItem& document,
                        const QDateTime& now);

    static QString newTitle() { return QStringLiteral("Nouveau document"); }
    static QString saveButton() { return QStringLiteral("Enregistrer"); }
    // The quote's validity proposed when a date is first asked for.
    static constexpr int kDefaultValidityDays = 30;

    bool isNew() const { return !m_original.has_value(); }
    QString title() const;
    QString commitButton() const;

    const DocumentForm& form() const { return m_form; }
    // The plain fields (dates, terms, client, notes, status) are written here.
    DocumentForm& form() { return m_form; }

    // Another kind takes the first status of its list and, while the number
    // is generated, the next number of that kind.
    void setKind(CommercialDocumentKind kind);
    void setImported(bool imported);

    // Typing a number other than the generated one turns generation off.
    void setNumber(const QString& number);
    bool numberIsAuto() const { return m_numberIsAuto; }
    void setNumberIsAuto(bool on);
    QString generatedNumber() const;

    const QList<TagItem>& statuses() const { return m_statuses.of(m_form.kind); }

    // The line with this id, or null.
    CommercialDocumentLine* line(const QUuid& id);
    // Appends a line of this kind; nothing when the kind is refused (a
    // discount before any service).
    std::optional<QUuid> appendLine(CommercialDocumentLineKind kind);
    void removeLine(const QUuid& id);
    // Moves the line to `position` in the list (clamped).
    void moveLine(const QUuid& id, qsizetype position);

    // A PDF chosen on disk for an imported document: copied into the
    // session's media only when the document is stored.
    // A file that is not a PDF is refused.
    bool choosePdf(const QUrl& file);
    static bool isPdf(const QUrl& file);
    static FilePanel pdfPanel();
    static Alert notPdfAlert();
    // What the imported document shows: the file just chosen, else its own.
    std::optional<QUrl> shownPdf() const;
    static QString pdfNotCopiedMessage() {
        return QStringLiteral("Le PDF choisi n’a pas pu être copié dans la session. Vérifiez "
                              "qu’il existe toujours et que le disque n’est pas plein.");
    }

    // Adds or removes a linked activity; the refusal's message past three.
    QString setActivityLinked(const QUuid& projectID, bool linked);

    // The document as it would be stored: the form over the original record
    // (its payments, snapshot and links kept), or over a new one.
    CommercialDocumentItem document() const;

    // Whether anything was typed or chosen since the editor opened.
    bool hasChanges() const { return m_chosenPdf || !(document() == m_initial); }
    static Alert discardConfirmation() {
        return {Alert::Kind::warning,
                QStringLiteral("Quitter sans enregistrer ?"),
                QStringLiteral("Ce qui a été saisi dans ce document ne sera pas enregistré."),
                {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
                 AlertButton{QStringLiteral("Quitter"), AlertRole::destructive}}};
    }

    // Creates or saves the document; the error says why not.
    Result<QUuid> commit(SessionEdit& edit, const Clock& clock) const;

private:
    std::optional<CommercialDocumentItem> m_original;
    DocumentForm m_form;
    StatusLists m_statuses;
    QList<CommercialDocumentItem> m_documents; // for numbering
    QList<ProjectItem> m_projects;
    QDate m_today;
    std::optional<QUrl> m_chosenPdf;
    CommercialDocumentItem m_initial;
    bool m_numberIsAuto = false;
};

} // namespace velmora
