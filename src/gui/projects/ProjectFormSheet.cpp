#include "gui/projects/ProjectFormSheet.h"

#include "core/store/AppDataStore.h"
#include "core/text/ClientDisplayName.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/NewTagSheet.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"

#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora::gui {

namespace {

QString sheetTitle(const ActivityForm& form) {
    return form.isNew() ? QStringLiteral("Nouvelle activité")
                        : QStringLiteral("Modifier l’activité");
}

QDateEdit* dateEdit(QWidget* parent) {
    auto* edit = new QDateEdit(parent);
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    return edit;
}

// A row's small trash button.
QToolButton* removeButton(const QString& tooltip, QWidget* parent) {
    auto* remove = new QToolButton(parent);
    remove->setIcon(symbolIcon(QStringLiteral("trash")));
    remove->setToolTip(tooltip);
    remove->setAccessibleName(tooltip);
    remove->setAutoRaise(true);
    return remove;
}

void clear(QVBoxLayout* layout) {
    while (QLayoutItem* item = layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

} // namespace

ProjectFormSheet::ProjectFormSheet(AppDataStore& store, Dialogs& dialogs, ActivityForm activity,
                                   QWidget* parent)
    : FormSheet(QStringLiteral("projectForm"), sheetTitle(activity), parent), m_store(store),
      m_dialogs(dialogs), m_form(std::move(activity)) {
    setAttribute(Qt::WA_DeleteOnClose);
    ProjectItem& fields = m_form.fields;

    auto* title = new QLineEdit(fields.title, this);
    title->setObjectName(QStringLiteral("projectTitle"));
    title->setPlaceholderText(ActivityTexts::untitled());
    connect(title, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_form.fields.title = text; });
    form()->addRow(QStringLiteral("Titre"), title);

    addCombos();
    addDate(QStringLiteral("Début"), QStringLiteral("projectStart"), &ProjectItem::startDate);
    addDate(QStringLiteral("Fin"), QStringLiteral("projectEnd"), &ProjectItem::endDate);

    const auto textField = [this](const QString& label, const QString& name,
                                  QString ProjectItem::*field) {
        auto* edit = new QPlainTextEdit(m_form.fields.*field, this);
        edit->setObjectName(name);
        edit->setTabChangesFocus(true);
        edit->setFixedHeight(70);
        connect(edit, &QPlainTextEdit::textChanged, this,
                [this, edit, field] { m_form.fields.*field = edit->toPlainText(); });
        form()->addRow(label, edit);
    };
    textField(QStringLiteral("Informations"), QStringLiteral("projectInfo"), &ProjectItem::info);
    textField(QStringLiteral("Notes"), QStringLiteral("projectNotes"), &ProjectItem::notes);

    m_tags = new TagChips(this);
    m_tags->setObjectName(QStringLiteral("projectTags"));
    m_tags->setTags(activityTags(store.session()));
    m_tags->setChecked(QSet<QUuid>(fields.tagIDs.cbegin(), fields.tagIDs.cend()));
    connect(m_tags, &TagChips::toggled, this,
            [this](const QUuid& id, bool on) { m_form.setTag(id, on); });
    // New tags go to the main list; the chips keep offering the other two.
    offerNewTags(m_tags, store, &AppDatabase::projectTags, &SessionEdit::projectTags,
                 [this](const QUuid& id) {
                     m_tags->setTags(activityTags(m_store.session()));
                     m_form.setTag(id, true);
                 });
    form()->addRow(QStringLiteral("Étiquettes"), m_tags);

    m_events = addListBlock(QStringLiteral("Jalons"), QStringLiteral("Ajouter un jalon"),
                            QStringLiteral("projectAddEvent"), [this] {
                                m_form.addEvent(QDate::currentDate().startOfDay());
                                rebuildEvents();
                            });
    m_filePaths =
        addListBlock(ActivityTexts::filePathsSection(), QStringLiteral("Ajouter un raccourci"),
                     QStringLiteral("projectAddFilePath"), [this] {
                         m_form.addFilePath({}, ProjectFilePathType::folder, {});
                         rebuildFilePaths();
                     });
    rebuildEvents();
    rebuildFilePaths();
    resize(660, 760);
}

void ProjectFormSheet::addCombos() {
    ProjectItem& fields = m_form.fields;

    auto* type = new QComboBox(this);
    type->setObjectName(QStringLiteral("projectType"));
    QStringList types = m_store.projectTypeOptions();
    if (!fields.type.isEmpty() && !types.contains(fields.type))
        types.prepend(fields.type);
    type->addItems(types);
    type->setCurrentIndex(std::max(0, int(types.indexOf(fields.type))));
    connect(type, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { m_form.fields.type = text; });
    form()->addRow(QStringLiteral("Type"), type);

    auto* status = new QComboBox(this);
    status->setObjectName(QStringLiteral("projectStatus"));
    // "Annulé" is given by "Annuler l'activité" only, which also settles the
    // invoices; the form never sets it.
    for (const TagItem& tag : m_store.projectStatuses())
        if (tag.name != ActivityTexts::cancelledStatus() || tag.name == fields.status)
            status->addItem(tagDot(tag.color), tag.name, tag.name);
    if (status->findData(fields.status) < 0)
        status->addItem(fields.status, fields.status);
    status->setCurrentIndex(status->findData(fields.status));
    connect(status, &QComboBox::currentIndexChanged, this, [this, status](int index) {
        m_form.fields.status = status->itemData(index).toString();
    });
    form()->addRow(QStringLiteral("Statut"), status);

    auto* completion = new QComboBox(this);
    completion->setObjectName(QStringLiteral("projectCompletion"));
    completion->addItem(QStringLiteral("Aucun"), -1);
    for (ProjectCompletionState state :
         {ProjectCompletionState::delivered, ProjectCompletionState::finished})
        completion->addItem(ActivityTexts::completionLabel(state), int(state));
    completion->setCurrentIndex(fields.completionState ? int(*fields.completionState) + 1 : 0);
    connect(completion, &QComboBox::currentIndexChanged, this, [this, completion](int index) {
        const int state = completion->itemData(index).toInt();
        m_form.fields.completionState =
            state < 0 ? std::nullopt : std::optional(ProjectCompletionState(state));
    });
    form()->addRow(QStringLiteral("Avancement"), completion);

    // Clients by name, in French order.
    auto* client = new QComboBox(this);
    client->setObjectName(QStringLiteral("projectClient"));
    client->addItem(QStringLiteral("Aucun client"), QUuid());
    QList<std::pair<QString, QUuid>> clients;
    for (const ClientItem& item : m_store.clients())
        clients.append({clientDisplayName(item), item.id});
    QCollator collator(QLocale(QLocale::French, QLocale::France));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(clients.begin(), clients.end(), [&](const auto& a, const auto& b) {
        return collator.compare(a.first, b.first) < 0;
    });
    for (const auto& [name, id] : clients)
        client->addItem(name, id);
    client->setCurrentIndex(std::max(0, client->findData(fields.linkedClientID.value_or(QUuid()))));
    connect(client, &QComboBox::currentIndexChanged, this, [this, client](int index) {
        const QUuid id = client->itemData(index).toUuid();
        m_form.fields.linkedClientID = id.isNull() ? std::nullopt : std::optional(id);
    });
    form()->addRow(QStringLiteral("Client"), client);

    auto* service = new QComboBox(this);
    service->setObjectName(QStringLiteral("projectService"));
    service->addItem(QStringLiteral("Aucune prestation"), QUuid());
    for (const ServiceItem& item : m_store.services())
        service->addItem(item.title.trimmed(), item.id);
    service->setCurrentIndex(
        std::max(0, service->findData(fields.linkedServiceID.value_or(QUuid()))));
    connect(service, &QComboBox::currentIndexChanged, this, [this, service](int index) {
        const QUuid id = service->itemData(index).toUuid();
        m_form.fields.linkedServiceID = id.isNull() ? std::nullopt : std::optional(id);
    });
    form()->addRow(QStringLiteral("Prestation"), service);
}

// An optional date: the box says whether there is one, the field which.
void ProjectFormSheet::addDate(const QString& label, const QString& name,
                               std::optional<QDateTime> ProjectItem::*field) {
    const std::optional<QDateTime>& date = m_form.fields.*field;
    auto* row = new QHBoxLayout;
    auto* set = new QCheckBox(QStringLiteral("Date"), this);
    set->setObjectName(name + QStringLiteral("Set"));
    set->setAccessibleName(label);
    set->setChecked(date.has_value());
    row->addWidget(set);
    auto* edit = dateEdit(this);
    edit->setObjectName(name);
    edit->setAccessibleName(label);
    edit->setDate(date ? date->toLocalTime().date() : QDate::currentDate());
    edit->setEnabled(date.has_value());
    row->addWidget(edit);
    row->addStretch();
    const auto write = [this, set, edit, field] {
        edit->setEnabled(set->isChecked());
        if (!set->isChecked())
            m_form.fields.*field = std::nullopt;
        else if (const std::optional<QDateTime>& now = m_form.fields.*field;
                 !now || now->toLocalTime().date() != edit->date())
            m_form.fields.*field = edit->date().startOfDay();
    };
    connect(set, &QCheckBox::toggled, this, write);
    connect(edit, &QDateEdit::dateChanged, this, write);
    form()->addRow(label, row);
}

QVBoxLayout* ProjectFormSheet::addListBlock(const QString& title, const QString& addText,
                                            const QString& addName, std::function<void()> add) {
    auto* block = new QWidget(this);
    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* header = new QHBoxLayout;
    header->addWidget(theme::label(title, "section"), 1);
    auto* button = new QPushButton(symbolIcon(QStringLiteral("plus")), addText, block);
    button->setObjectName(addName);
    connect(button, &QPushButton::clicked, this, std::move(add));
    header->addWidget(button);
    layout->addLayout(header);
    auto* rows = new QVBoxLayout;
    layout->addLayout(rows);
    addBlock(block);
    return rows;
}

void ProjectFormSheet::rebuildEvents() {
    clear(m_events);
    for (const ProjectEvent& event : std::as_const(m_form.fields.events)) {
        auto* card = new QFrame;
        card->setProperty("role", QStringLiteral("card"));
        auto* grid = new QGridLayout(card);
        grid->setContentsMargins(12, 10, 8, 10);
        const QUuid id = event.id;
        const auto edit = [&](const QString& hint, QString ProjectEvent::*member, int row,
                              int column) {
            auto* line = new QLineEdit(event.*member, card);
            line->setPlaceholderText(hint);
            line->setAccessibleName(hint);
            line->setObjectName(QStringLiteral("event_") + hint);
            connect(line, &QLineEdit::textEdited, this, [this, id, member](const QString& text) {
                for (ProjectEvent& e : m_form.fields.events)
                    if (e.id == id)
                        e.*member = text;
            });
            grid->addWidget(line, row, column);
        };
        edit(QStringLiteral("Nom du jalon"), &ProjectEvent::name, 0, 0);
        auto* date = dateEdit(card);
        date->setObjectName(QStringLiteral("event_Date"));
        date->setAccessibleName(QStringLiteral("Date du jalon"));
        date->setDate(event.date.isValid() ? event.date.toLocalTime().date()
                                           : QDate::currentDate());
        connect(date, &QDateEdit::dateChanged, this, [this, id](QDate day) {
            for (ProjectEvent& e : m_form.fields.events)
                if (e.id == id && e.date.toLocalTime().date() != day)
                    e.date = day.startOfDay();
        });
        grid->addWidget(date, 0, 1);
        edit(QStringLiteral("Lieu"), &ProjectEvent::location, 1, 0);
        edit(QStringLiteral("Durée"), &ProjectEvent::duration, 1, 1);
        auto* remove = removeButton(QStringLiteral("Retirer ce jalon"), card);
        connect(remove, &QToolButton::clicked, this, [this, id] {
            m_form.removeEvent(id);
            // Later: the card that holds this button goes away.
            QMetaObject::invokeMethod(this, &ProjectFormSheet::rebuildEvents, Qt::QueuedConnection);
        });
        grid->addWidget(remove, 0, 2);
        m_events->addWidget(card);
        // Shown at once, not on the next turn of the event loop.
        card->show();
    }
}

void ProjectFormSheet::rebuildFilePaths() {
    clear(m_filePaths);
    for (const ProjectFilePath& shortcut : std::as_const(m_form.fields.filePaths)) {
        auto* card = new QFrame;
        card->setProperty("role", QStringLiteral("card"));
        auto* grid = new QGridLayout(card);
        grid->setContentsMargins(12, 10, 8, 10);
        const QUuid id = shortcut.id;
        const auto edit = [&](const QString& hint, QString ProjectFilePath::*member, int row) {
            auto* line = new QLineEdit(shortcut.*member, card);
            line->setPlaceholderText(hint);
            line->setAccessibleName(hint);
            connect(line, &QLineEdit::textEdited, this, [this, id, member](const QString& text) {
                for (ProjectFilePath& f : m_form.fields.filePaths)
                    if (f.id == id)
                        f.*member = text;
            });
            grid->addWidget(line, row, 0);
            return line;
        };
        edit(ActivityTexts::filePathNameHint(), &ProjectFilePath::name, 0)
            ->setObjectName(QStringLiteral("filePathName"));
        auto* type = new QComboBox(card);
        type->setObjectName(QStringLiteral("filePathType"));
        type->setAccessibleName(QStringLiteral("Type de raccourci"));
        for (ProjectFilePathType kind : {ProjectFilePathType::folder, ProjectFilePathType::file})
            type->addItem(ActivityForm::filePathTypeName(kind), int(kind));
        type->setCurrentIndex(int(shortcut.type));
        connect(type, &QComboBox::currentIndexChanged, this, [this, id, type](int index) {
            for (ProjectFilePath& f : m_form.fields.filePaths)
                if (f.id == id)
                    f.type = ProjectFilePathType(type->itemData(index).toInt());
        });
        grid->addWidget(type, 0, 1);
        edit(ActivityTexts::filePathPathHint(), &ProjectFilePath::path, 1)
            ->setObjectName(QStringLiteral("filePathPath"));
        auto* browse = new QPushButton(QStringLiteral("Parcourir…"), card);
        browse->setObjectName(QStringLiteral("filePathBrowse"));
        connect(browse, &QPushButton::clicked, this, [this, id] { this->browse(id); });
        grid->addWidget(browse, 1, 1);
        auto* remove = removeButton(QStringLiteral("Retirer ce raccourci"), card);
        connect(remove, &QToolButton::clicked, this, [this, id] {
            m_form.removeFilePath(id);
            QMetaObject::invokeMethod(this, &ProjectFormSheet::rebuildFilePaths,
                                      Qt::QueuedConnection);
        });
        grid->addWidget(remove, 0, 2);
        m_filePaths->addWidget(card);
        card->show();
    }
    if (m_form.fields.filePaths.isEmpty())
        m_filePaths->addWidget(theme::label(ActivityTexts::noFilePathText(), "hint"));
}

void ProjectFormSheet::browse(const QUuid& shortcutID) {
    for (ProjectFilePath& shortcut : m_form.fields.filePaths) {
        if (shortcut.id != shortcutID)
            continue;
        FilePanel panel;
        const bool folder = shortcut.type == ProjectFilePathType::folder;
        panel.mode = folder ? FilePanel::Mode::chooseFolder : FilePanel::Mode::openFile;
        panel.title =
            folder ? QStringLiteral("Choisir un dossier") : QStringLiteral("Choisir un fichier");
        panel.prompt = QStringLiteral("Choisir");
        const std::optional<QUrl> chosen = m_dialogs.choose(this, panel);
        if (!chosen)
            return;
        shortcut.path = chosen->toLocalFile();
        QMetaObject::invokeMethod(this, &ProjectFormSheet::rebuildFilePaths, Qt::QueuedConnection);
        return;
    }
}

bool ProjectFormSheet::save() {
    if (!applied(m_store.edit([&](SessionEdit& edit) { return m_form.apply(edit); })))
        return false;
    emit saved(m_form.fields.id);
    return true;
}

} // namespace velmora::gui
