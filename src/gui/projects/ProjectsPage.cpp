#include "gui/projects/ProjectsPage.h"

#include "core/activities/ActivityAttachments.h"
#include "core/activities/ActivityForm.h"
#include "core/activities/ActivityLifecycle.h"
#include "core/activities/ActivityListModel.h"
#include "core/activities/ActivityTexts.h"
#include "core/documents/DepositDecision.h"
#include "core/documents/DocumentStatus.h"
#include "core/documents/RecordDeletion.h"
#include "core/lists/RecordFilterModel.h"
#include "core/lists/TagRoles.h"
#include "core/platform/Clock.h"
#include "core/store/AppDataStore.h"
#include "core/text/FrenchDates.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/RecordCard.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"
#include "gui/projects/ProjectFormSheet.h"
#include "gui/projects/ProjectStatusesSheet.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace velmora::gui {

namespace {

// The local files among dropped URLs; a drop of anything else is refused.
QList<QUrl> localFiles(const QMimeData* mime) {
    QList<QUrl> files;
    if (!mime || !mime->hasUrls())
        return files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            files << url;
    return files;
}

QString eventText(const ProjectEvent& event) {
    QStringList parts;
    if (event.date.isValid())
        parts << formatMediumDate(event.date);
    for (const QString& part : {event.location.trimmed(), event.duration.trimmed()})
        if (!part.isEmpty())
            parts << part;
    return parts.join(QStringLiteral(" · "));
}

const ProjectItem* findProject(const AppDataStore& store, const QUuid& id) {
    for (const ProjectItem& project : store.projects())
        if (project.id == id)
            return &project;
    return nullptr;
}

} // namespace

ProjectsPage::ProjectsPage(const SectionServices& services, QWidget* parent)
    : RecordSectionPage(services, QStringLiteral("projects"), parent) {
    AppDataStore& store = services.store;
    m_model = new ActivityListModel(this);
    m_card = new RecordCard(QStringLiteral("projectCard"), this);
    m_card->setAcceptDrops(true);
    m_card->installEventFilter(this);
    connect(m_card, &RecordCard::openRequested, this, &SectionPage::openRequested);
    setCard(m_card);
    addStatusFilter();
    addHeaderButton();
    setCountText(&ActivityListModel::countText);
    filter().setAccept([this](int row) {
        const ProjectItem& project = *m_model->record(row);
        const QSet<QUuid> statuses = m_statusChips->checked();
        if (!statuses.isEmpty()) {
            const std::optional<TagItem> status = m_model->status(project);
            if (!status || !statuses.contains(status->id))
                return false;
        }
        return hasAnyTag(project.tagIDs, filterChips()->checked()) &&
               activityMatches(project, m_model->clientName(project), query());
    });
    refresh();
    setRecords(
        m_model,
        {{QStringLiteral("Titre"), ActivityListModel::titleColumn, Qt::AscendingOrder},
         {QStringLiteral("Statut"), ActivityListModel::statusColumn, Qt::AscendingOrder},
         {QStringLiteral("Date de début"), ActivityListModel::startColumn, Qt::AscendingOrder},
         {QStringLiteral("Date de fin"), ActivityListModel::endColumn, Qt::AscendingOrder}},
        {QStringLiteral("briefcase"), QStringLiteral("Aucune activité pour le moment."),
         QStringLiteral("Nouvelle activité")},
        QStringLiteral("Rechercher une activité"));
    followSession(this, store,
                  {SessionField::projects, SessionField::projectTags,
                   SessionField::clientProjectTags, SessionField::personalProjectTags,
                   SessionField::projectStatuses, SessionField::clients},
                  [this] { refresh(); });
    // The card names the service and lists the documents.
    followSession(this, store, {SessionField::services, SessionField::documents}, [this] {
        if (!currentId().isNull())
            showRecord(currentId());
    });
}

// The status chips sit under the tag chips of the list pane.
void ProjectsPage::addStatusFilter() {
    m_statusChips = new TagChips(this);
    m_statusChips->setObjectName(QStringLiteral("projectsStatusFilter"));
    m_statusChips->setAccessibleName(QStringLiteral("Statuts"));
    addFilterRow(m_statusChips);
    connect(m_statusChips, &TagChips::toggled, this, [this] {
        filter().refilter();
        recordsChanged();
    });
}

// "Statuts…" next to the pane's "+": the statuses are the section's own.
void ProjectsPage::addHeaderButton() {
    auto* statuses = new QToolButton(this);
    statuses->setObjectName(QStringLiteral("projectsStatuses"));
    statuses->setText(QStringLiteral("Statuts…"));
    statuses->setToolTip(QStringLiteral("Modifier les statuts des activités"));
    statuses->setAccessibleName(statuses->text());
    statuses->setAutoRaise(true);
    connect(statuses, &QToolButton::clicked, this, &ProjectsPage::showStatusSettings);
    addHeaderWidget(statuses);
}

void ProjectsPage::refresh() {
    const AppDataStore& store = services().store;
    const QList<TagItem> tags = activityTags(store.session());
    m_statusChips->setTags(store.projectStatuses());
    m_statusChips->setVisible(!store.projectStatuses().isEmpty());
    m_model->setTags(tags);
    m_model->setContext(store.clients(), store.projectStatuses());
    m_model->setRecords(store.projects());
    recordsChanged(tags);
}

void ProjectsPage::reveal(const QUuid& id) {
    if (filter().rowOf(id) < 0 && !m_statusChips->checked().isEmpty()) {
        m_statusChips->setChecked({});
        filter().refilter();
    }
    select(id);
}

bool ProjectsPage::holdsTag(const QUuid& id) const {
    return isStatus(id) || RecordSectionPage::holdsTag(id);
}

void ProjectsPage::showTag(const QUuid& id) {
    if (isStatus(id))
        showStatusSettings();
    else
        RecordSectionPage::showTag(id);
}

bool ProjectsPage::isStatus(const QUuid& id) const {
    return std::ranges::any_of(m_statusChips->tags(),
                               [&](const TagItem& status) { return status.id == id; });
}

bool ProjectsPage::canEdit(const QUuid& id) const {
    const ProjectItem* project = m_model->record(m_model->rowOf(id));
    return project && !project->isCancelled;
}

void ProjectsPage::showRecord(const QUuid& id) {
    const AppDataStore& store = services().store;
    const int row = m_model->rowOf(id);
    if (row < 0)
        return;
    const ProjectItem& project = *m_model->record(row);
    m_card->start(symbolPixmap(project.iconName.value_or(QStringLiteral("briefcase.fill")), 48,
                               theme::accent()),
                  ActivityTexts::title(project), project.type);
    if (!project.isCancelled)
        connect(m_card->addAction(QStringLiteral("Modifier"), QStringLiteral("Edit")),
                &QPushButton::clicked, this, [this, id] { editRecord(id); });
    connect(m_card->addAction(QStringLiteral("Supprimer"), QStringLiteral("Delete"), "destructive"),
            &QPushButton::clicked, this, [this, id] { removeRecord(id); });
    if (!project.tagIDs.isEmpty())
        m_card->addTags(m_model->tags(), project.tagIDs);

    m_card->addSection(QStringLiteral("Suivi"));
    auto* status = new QWidget(m_card);
    status->setObjectName(QStringLiteral("projectCardStatus"));
    auto* statusRow = new QHBoxLayout(status);
    statusRow->setContentsMargins(0, 0, 0, 0);
    if (const std::optional<TagItem> found = m_model->status(project)) {
        auto* dot = new QLabel(status);
        dot->setPixmap(tagDot(found->color).pixmap(12, 12));
        statusRow->addWidget(dot);
    }
    auto* statusName = new QLabel(project.status, status);
    statusName->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusRow->addWidget(statusName);
    statusRow->addStretch();
    // Cancelling and reactivating change the status: their button sits by it.
    auto* lifecycle = new QPushButton(status);
    if (project.isCancelled) {
        lifecycle->setText(QStringLiteral("Réactiver"));
        lifecycle->setObjectName(QStringLiteral("projectCardReactivate"));
        connect(lifecycle, &QPushButton::clicked, this, [this, id] { reactivateRecord(id); });
    } else {
        lifecycle->setText(QStringLiteral("Annuler l'activité"));
        lifecycle->setObjectName(QStringLiteral("projectCardCancel"));
        connect(lifecycle, &QPushButton::clicked, this, [this, id] { cancelRecord(id); });
    }
    statusRow->addWidget(lifecycle);
    status->setAccessibleName(QStringLiteral("Statut : %1").arg(project.status));
    m_card->addWidget(status);
    if (project.isCancelled && project.cancelledAt)
        m_card->addText(QStringLiteral("Annulé le %1").arg(formatMediumDate(*project.cancelledAt)))
            ->setObjectName(QStringLiteral("projectCardCancelled"));
    if (hasPendingDepositDecision(store.session(), id))
        m_card->addText(DepositDecision::activityAlertText(), "error")
            ->setObjectName(QStringLiteral("projectCardDepositPending"));
    m_card->addRow(QStringLiteral("Type"), project.type);
    if (project.startDate)
        m_card->addRow(QStringLiteral("Début"), formatMediumDate(*project.startDate));
    if (project.endDate)
        m_card->addRow(QStringLiteral("Fin"), formatMediumDate(*project.endDate));
    if (project.completionState)
        m_card->addRow(QStringLiteral("Avancement"),
                       ActivityTexts::completionLabel(*project.completionState));

    if (project.linkedClientID || project.linkedServiceID) {
        m_card->addSection(QStringLiteral("Client et prestation"));
        if (project.linkedClientID) {
            const QString name = m_model->clientName(project);
            if (!name.isEmpty())
                m_card->addLink(name, QStringLiteral("clients"), *project.linkedClientID);
        }
        if (project.linkedServiceID)
            for (const ServiceItem& service : store.services())
                if (service.id == *project.linkedServiceID)
                    m_card->addLink(service.title.trimmed(), QStringLiteral("services"),
                                    service.id);
    }
    if (!project.info.trimmed().isEmpty()) {
        m_card->addSection(QStringLiteral("Informations"));
        m_card->addText(project.info);
    }
    if (!project.notes.trimmed().isEmpty()) {
        m_card->addSection(QStringLiteral("Notes"));
        m_card->addText(project.notes);
    }
    if (!project.events.isEmpty()) {
        m_card->addSection(QStringLiteral("Jalons"));
        for (const ProjectEvent& event : project.events)
            m_card->addRow(event.name, eventText(event));
    }

    m_card->addSection(QStringLiteral("Devis et factures"));
    const StatusLists lists = StatusLists::of(store.session());
    bool anyDocument = false;
    for (const QList<QUuid>* ids : {&project.linkedQuoteIDs, &project.linkedInvoiceIDs})
        for (const CommercialDocumentItem& document : store.documents())
            if (ids->contains(document.id)) {
                m_card->addLink(documentLinkText(document, lists), QStringLiteral("documents"),
                                document.id);
                anyDocument = true;
            }
    if (!anyDocument)
        m_card->addText(QStringLiteral("Aucun devis ni facture lié à cette activité."), "hint");

    m_card->addSection(QStringLiteral("Pièces jointes"));
    for (const ProjectAttachment& attachment : project.attachments) {
        auto* line = new QWidget(m_card);
        auto* layout = new QHBoxLayout(line);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* open = theme::button(attachment.originalFileName, "link", line);
        open->setIcon(symbolIcon(attachment.kind == ProjectAttachmentKind::image
                                     ? QStringLiteral("photo")
                                     : QStringLiteral("doc")));
        open->setToolTip(QStringLiteral("Ouvrir « %1 »").arg(attachment.originalFileName));
        const QUrl stored = attachment.storedFileURL;
        connect(open, &QPushButton::clicked, this, [this, stored] {
            openOrExplain(services().dialogs, services().urls, this, stored);
        });
        layout->addWidget(open);
        layout->addStretch();
        auto* remove = new QToolButton(line);
        remove->setObjectName(QStringLiteral("projectCardRemoveAttachment"));
        remove->setIcon(symbolIcon(QStringLiteral("trash")));
        remove->setToolTip(QStringLiteral("Retirer « %1 »").arg(attachment.originalFileName));
        remove->setAccessibleName(remove->toolTip());
        remove->setAutoRaise(true);
        const QUuid attachmentID = attachment.id;
        connect(remove, &QToolButton::clicked, this,
                [this, id, attachmentID] { removeAttachment(id, attachmentID); });
        layout->addWidget(remove);
        m_card->addWidget(line);
    }
    if (project.attachments.isEmpty())
        m_card->addText(ActivityTexts::noAttachmentText(), "hint")
            ->setObjectName(QStringLiteral("projectCardNoAttachment"));
    auto* add =
        new QPushButton(symbolIcon(QStringLiteral("plus")), QStringLiteral("Ajouter…"), m_card);
    add->setObjectName(QStringLiteral("projectCardAddAttachment"));
    add->setToolTip(QStringLiteral("Joindre des fichiers (ou déposez-les sur la fiche)"));
    connect(add, &QPushButton::clicked, this, [this, id] { chooseAttachment(id); });
    auto* addRow = new QWidget(m_card);
    auto* addLayout = new QHBoxLayout(addRow);
    addLayout->setContentsMargins(0, 0, 0, 0);
    addLayout->addWidget(add);
    addLayout->addStretch();
    m_card->addWidget(addRow);

    m_card->addSection(ActivityTexts::filePathsSection());
    for (const ProjectFilePath& shortcut : project.filePaths) {
        auto* line = new QWidget(m_card);
        auto* layout = new QHBoxLayout(line);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* open = theme::button(shortcut.name, "link", line);
        open->setObjectName(QStringLiteral("projectCardFilePath"));
        open->setIcon(symbolIcon(shortcut.type == ProjectFilePathType::folder
                                     ? QStringLiteral("folder")
                                     : QStringLiteral("doc")));
        open->setToolTip(QStringLiteral("%1 : %2").arg(displayName(shortcut.type), shortcut.path));
        connect(open, &QPushButton::clicked, this, [this, shortcut] { openFilePath(shortcut); });
        layout->addWidget(open);
        layout->addStretch();
        m_card->addWidget(line);
    }
    if (project.filePaths.isEmpty())
        m_card->addText(ActivityTexts::noFilePathText(), "hint");
}

bool ProjectsPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_card && !currentId().isNull()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!localFiles(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QList<QUrl> files = localFiles(drop->mimeData());
            if (!files.isEmpty()) {
                drop->acceptProposedAction();
                attachFiles(currentId(), files);
                return true;
            }
        }
    }
    return RecordSectionPage::eventFilter(watched, event);
}

void ProjectsPage::attachFiles(const QUuid& projectID, const QList<QUrl>& files) {
    report(services().store.edit(
        [&](SessionEdit& edit) { return velmora::attachFiles(edit, projectID, files); }));
}

void ProjectsPage::chooseAttachment(const QUuid& id) {
    FilePanel panel;
    panel.mode = FilePanel::Mode::openFile;
    panel.title = QStringLiteral("Joindre un fichier");
    panel.prompt = QStringLiteral("Joindre");
    if (const std::optional<QUrl> chosen = services().dialogs.choose(this, panel))
        attachFiles(id, {*chosen});
}

void ProjectsPage::removeAttachment(const QUuid& projectID, const QUuid& attachmentID) {
    const ProjectItem* project = findProject(services().store, projectID);
    if (!project)
        return;
    for (const ProjectAttachment& attachment : project->attachments)
        if (attachment.id == attachmentID) {
            if (confirm(services().dialogs, this, removeAttachmentConfirmation(attachment)))
                report(services().store.edit([&](SessionEdit& edit) {
                    return velmora::removeAttachment(edit, projectID, attachmentID);
                }));
            return;
        }
}

void ProjectsPage::openFilePath(const ProjectFilePath& shortcut) {
    if (!filePathExists(shortcut)) {
        services().dialogs.ask(
            this, okAlert(QStringLiteral("Chemin introuvable"), missingFilePathMessage(shortcut)));
        return;
    }
    openOrExplain(services().dialogs, services().urls, this,
                  QUrl::fromLocalFile(shortcut.path.trimmed()));
}

void ProjectsPage::cancelRecord(const QUuid& id) {
    const AppDataStore& store = services().store;
    const ProjectItem* project = findProject(store, id);
    if (!project || project->isCancelled)
        return;
    const Alert alert = cancelConfirmation(*project, countCancellationEffects(store.session(), id));
    if (!confirm(services().dialogs, this, alert))
        return;
    report(services().store.edit(
        [&](SessionEdit& edit) { return cancelActivity(edit, id, store.clock()); }));
}

void ProjectsPage::reactivateRecord(const QUuid& id) {
    const AppDataStore& store = services().store;
    const ProjectItem* project = findProject(store, id);
    if (!project || !project->isCancelled)
        return;
    if (!confirm(services().dialogs, this,
                 reactivationConfirmation(countRememberedStatuses(store.session(), id))))
        return;
    report(services().store.edit([&](SessionEdit& edit) { return reactivateActivity(edit, id); }));
}

void ProjectsPage::openForm(ProjectFormSheet* sheet) {
    connect(sheet, &ProjectFormSheet::saved, this, &ProjectsPage::reveal);
    sheet->open();
}

void ProjectsPage::createRecord() {
    openForm(new ProjectFormSheet(services().store, services().dialogs,
                                  ActivityForm(services().store.session()), this));
}

void ProjectsPage::editRecord(const QUuid& id) {
    const ProjectItem* project = m_model->record(m_model->rowOf(id));
    if (project && !project->isCancelled)
        openForm(new ProjectFormSheet(services().store, services().dialogs, ActivityForm(*project),
                                      this));
}

void ProjectsPage::removeRecord(const QUuid& id) {
    if (const auto* record = m_model->record(m_model->rowOf(id)))
        removeAfter(RecordDeletion::activityConfirmation(*record),
                    [id](SessionEdit& edit) { return RecordDeletion::deleteActivity(edit, id); });
}

void ProjectsPage::showStatusSettings() {
    auto* sheet = new ProjectStatusesSheet(services().store, services().dialogs, this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
}

} // namespace velmora::gui
