#include "gui/calendar/CalendarSyncSheet.h"

#include "core/calendar/CalendarSyncStatus.h"
#include "core/store/AppDataStore.h"
#include "gui/calendar/CalendarSyncService.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Theme.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora::gui {

using namespace Qt::StringLiterals;

namespace {

std::optional<CalendarSyncPhase> runningPhase(const CalendarSyncService& sync) {
    switch (sync.state()) {
    case CalendarSyncService::State::creating:
        return CalendarSyncPhase::creating;
    case CalendarSyncService::State::syncing:
        return CalendarSyncPhase::syncing;
    case CalendarSyncService::State::idle:
        break;
    }
    return std::nullopt;
}

QLabel* wrapped(QLabel* label, const QString& name) {
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

CalendarSyncSheet::CalendarSyncSheet(AppDataStore& store, CalendarSyncService& sync,
                                     Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_store(store), m_sync(sync), m_dialogs(dialogs) {
    setObjectName(u"calendarSyncSheet"_s);
    setWindowTitle(u"Calendrier système"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    m_headline = wrapped(theme::label(QString(), "section", this), u"calendarSyncHeadline"_s);
    layout->addWidget(m_headline);
    m_details = wrapped(new QLabel(this), u"calendarSyncDetails"_s);
    layout->addWidget(m_details);
    m_counts = wrapped(theme::label(QString(), "hint", this), u"calendarSyncCounts"_s);
    layout->addWidget(m_counts);
    m_error = wrapped(theme::label(QString(), "error", this), u"calendarSyncError"_s);
    layout->addWidget(m_error);

    auto* folderRow = new QHBoxLayout;
    m_folder = new QLabel(this);
    m_folder->setObjectName(u"calendarSyncFolder"_s);
    m_folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_folder->setMinimumWidth(200);
    m_folder->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    folderRow->addWidget(m_folder, 1);
    auto* change = new QPushButton(u"Changer…"_s, this);
    change->setObjectName(u"calendarSyncChangeFolder"_s);
    change->setAccessibleName(u"Changer le dossier du calendrier"_s);
    connect(change, &QPushButton::clicked, this, &CalendarSyncSheet::chooseFolder);
    folderRow->addWidget(change);
    layout->addLayout(folderRow);
    layout->addWidget(wrapped(theme::label(QString::fromUtf16(calendarsync::kScope), "hint", this),
                              u"calendarSyncScope"_s));
    layout->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    m_action = theme::button(QString(), "primary", this);
    m_action->setObjectName(u"calendarSyncAction"_s);
    buttons->addButton(m_action, QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(u"Fermer"_s, QDialogButtonBox::RejectRole);
    close->setObjectName(u"calendarSyncClose"_s);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_action, &QPushButton::clicked, this, [this] {
        QPointer<CalendarSyncSheet> self(this);
        m_sync.synchroniseNow([self](const CalendarSyncOutcome& outcome) {
            if (!self || !outcome.completed)
                return;
            self->m_dialogs.ask(self, Alert{Alert::Kind::information,
                                            QString::fromUtf16(calendarsync::kResultTitle),
                                            outcome.message(),
                                            {AlertButton{u"OK"_s, AlertRole::defaultAction}}});
        });
    });

    connect(&m_sync, &CalendarSyncService::stateChanged, this, &CalendarSyncSheet::refresh);
    connect(&m_store, &AppDataStore::sessionChanged, this, &CalendarSyncSheet::refresh);
    refresh();
    resize(520, 360);
}

void CalendarSyncSheet::refresh() {
    const std::optional<CalendarSyncPhase> running = runningPhase(m_sync);
    const CalendarSyncStatus status = calendarSyncStatus(
        m_store.session().preferences, running, running ? std::nullopt : m_sync.calendarTitle());
    m_headline->setText(status.headline);
    m_details->setText(status.details.join(u'\n'));
    m_details->setVisible(!status.details.isEmpty());
    const auto& last = m_sync.lastOutcome();
    m_counts->setText(last && last->completed ? u"Dernier résultat : "_s + last->message()
                                              : QString());
    m_counts->setVisible(!m_counts->text().isEmpty());
    m_error->setText(status.error);
    m_error->setVisible(!status.error.isEmpty());
    const QString folder = m_sync.storeFolder();
    m_folder->setText(u"Dossier : "_s + folder);
    m_folder->setToolTip(folder);
    m_action->setText(status.phase == CalendarSyncPhase::notConnected
                          ? QString::fromUtf16(calendarsync::kAllowAccess)
                          : QString::fromUtf16(calendarsync::kSyncNow));
    m_action->setEnabled(!running);
}

void CalendarSyncSheet::chooseFolder() {
    FilePanel panel;
    panel.mode = FilePanel::Mode::chooseFolder;
    panel.title = u"Dossier du calendrier"_s;
    panel.prompt = u"Choisir"_s;
    panel.message = u"Choisissez le dossier de calendriers que lisent khal ou vdirsyncer."_s;
    panel.canCreateFolders = true;
    if (const std::optional<QUrl> chosen = m_dialogs.choose(this, panel))
        m_sync.setStoreFolder(chosen->toLocalFile());
    refresh();
}

} // namespace velmora::gui
