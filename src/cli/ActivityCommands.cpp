#include "cli/Command.h"

#include "core/activities/ActivityLifecycle.h"

#include <QJsonObject>

namespace velmora::cli {
namespace {

const ProjectItem* findActivity(const AppDatabase& db, const QString& name) {
    const QUuid id = QUuid::fromString(name);
    if (id.isNull())
        return nullptr;
    for (const ProjectItem& project : db.projects) {
        if (project.id == id)
            return &project;
    }
    return nullptr;
}

QString notFound(const QString& name) {
    return QStringLiteral("Activité introuvable : « %1 ».").arg(name);
}

int effects(CliContext& ctx) {
    const auto db = ctx.loadSession(ctx.args[0]);
    if (!db)
        return fail(db.error());
    const ProjectItem* project = findActivity(db.value(), ctx.args[2]);
    if (!project)
        return fail(notFound(ctx.args[2]));
    const CancellationEffects counts = countCancellationEffects(db.value(), project->id);
    printJson(QJsonObject{
        {QStringLiteral("withDeposit"), counts.withDeposit},
        {QStringLiteral("withoutDeposit"), counts.withoutDeposit},
        {QStringLiteral("message"), cancelConfirmation(*project, counts).message},
        {QStringLiteral("reactivateMessage"),
         reactivationConfirmation(countRememberedStatuses(db.value(), project->id)).message},
    });
    return Success;
}

// Cancelling what is cancelled, or reactivating what is active, succeeds and
// leaves the file as it is.
int change(CliContext& ctx, bool cancel) {
    const QString name = ctx.args[2];
    const Result<> outcome = ctx.editSession(ctx.args[0], [&](SessionEdit& edit) -> Result<> {
        const ProjectItem* project = findActivity(edit.session(), name);
        if (!project)
            return Result<>::notFound(notFound(name));
        const QUuid id = project->id;
        return cancel ? cancelActivity(edit, id, *ctx.clock) : reactivateActivity(edit, id);
    });
    return outcome.ok() || outcome.kind() == ResultKind::unchanged ? Success
                                                                   : fail(outcome.error());
}

int activity(CliContext& ctx) {
    const QString& action = ctx.args[1];
    if (action == u"effects")
        return effects(ctx);
    if (action == u"cancel" || action == u"reactivate")
        return change(ctx, action == u"cancel");
    return usage(QStringLiteral("Action inconnue : « %1 » (effects, cancel ou reactivate attendu).")
                     .arg(action));
}

} // namespace

QList<Command> activityCommands() {
    return {
        {.name = QStringLiteral("activity"),
         .arguments = {QStringLiteral("FICHIER"), QStringLiteral("effects|cancel|reactivate"),
                       QStringLiteral("ID")},
         .help = QStringLiteral(
             "effects : ce que l'annulation changerait, {\"withDeposit\", \"withoutDeposit\", "
             "\"message\", \"reactivateMessage\"} ; cancel, reactivate : annule ou réactive "
             "l'activité et réécrit le fichier (rien s'il n'y a rien à faire)."),
         .run = activity},
    };
}

} // namespace velmora::cli
