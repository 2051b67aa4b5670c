#include "core/security/ExternalToolForm.h"

#include "core/store/RecordPut.h"
#include "core/store/SessionEdit.h"

#include <QRegularExpression>

namespace velmora {

QString externalToolDisplayName(const ExternalTool& tool) {
    const QString name = tool.name.trimmed();
    return name.isEmpty() ? QStringLiteral("Sans nom") : name;
}

Alert externalToolDeletion(const ExternalTool& tool) {
    return Alert{Alert::Kind::warning,
                 QStringLiteral("Supprimer l’outil ?"),
                 QStringLiteral("L’outil « %1 » sera supprimé définitivement (identifiants, mot "
                                "de passe, lien).")
                     .arg(externalToolDisplayName(tool)),
                 {AlertButton{QStringLiteral("Annuler"), AlertRole::cancel},
                  AlertButton{QStringLiteral("Supprimer"), AlertRole::destructive}}};
}

Result<> deleteExternalTool(SessionEdit& edit, const QUuid& toolID) {
    const QList<ExternalTool>& tools = edit.session().externalTools;
    for (qsizetype i = 0; i < tools.size(); ++i) {
        if (tools[i].id != toolID)
            continue;
        const std::optional<QUrl> logo = tools[i].logoURL;
        edit.externalTools().removeAt(i);
        if (logo)
            edit.releaseMedia(*logo);
        return {};
    }
    return Result<>::notFound(ExternalToolForm::notFoundMessage());
}

std::optional<QUrl> externalToolAddress(const ExternalTool& tool) {
    const QString typed = tool.websiteURL.trimmed();
    if (typed.isEmpty())
        return std::nullopt;
    // "javascript:…" or "mailto:…" name another scheme; "host:8080" does not.
    static const QRegularExpression otherScheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:(?!\\d)"));
    const bool hasScheme = typed.contains(QStringLiteral("://"));
    if (!hasScheme && otherScheme.match(typed).hasMatch())
        return std::nullopt;
    const QUrl url(hasScheme ? typed : QStringLiteral("https://") + typed, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("https") && scheme != QLatin1String("http")))
        return std::nullopt;
    return url;
}

ExternalToolForm::ExternalToolForm(const QDateTime& now) {
    fields.id = QUuid::createUuid();
    fields.createdAt = now;
}

ExternalToolForm::ExternalToolForm(const ExternalTool& tool) : fields(tool), m_isNew(false) {}

void ExternalToolForm::setTag(const QUuid& tagID, bool on) {
    setIdIn(fields.tagIDs, tagID, on);
}

ExternalTool ExternalToolForm::written() const {
    ExternalTool tool = fields;
    tool.name = tool.name.trimmed();
    tool.login = tool.login.trimmed();
    tool.websiteURL = tool.websiteURL.trimmed();
    tool.notes = tool.notes.trimmed();
    if (tool.brandIconName && tool.brandIconName->trimmed().isEmpty())
        tool.brandIconName.reset();
    return tool;
}

Result<> ExternalToolForm::apply(SessionEdit& edit) {
    ExternalTool tool = written();
    const AppDatabase& session = edit.session();
    keepKnownTags(tool.tagIDs, session.externalToolTags);
    Result<> applied = putRecord(
        session.externalTools, [&]() -> QList<ExternalTool>& { return edit.externalTools(); }, tool,
        m_isNew, notFoundMessage());
    if (applied.ok())
        edit.whenSaved([this, tool] {
            fields = tool;
            m_isNew = false;
        });
    return applied;
}

} // namespace velmora
