#include "gui/settings/SettingsPanel.h"

#include "gui/common/FieldFeedback.h"
#include "gui/settings/SettingsFeedback.h"

#include <QFocusEvent>
#include <QLineEdit>

namespace velmora::gui {

SettingsPanel::SettingsPanel(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs) {}

// The fields go after the page's own members: they must no longer call it.
SettingsPanel::~SettingsPanel() {
    for (auto it = m_commits.cbegin(); it != m_commits.cend(); ++it) {
        it.key()->removeEventFilter(this);
        disconnect(it.key(), nullptr, this, nullptr);
    }
}

bool SettingsPanel::report(const Result<>& result) {
    const SaveFeedback feedback = reportSave(m_dialogs, this, result);
    if (feedback.rescue)
        emit saveRescueRequested();
    return feedback.applied;
}

void SettingsPanel::commitOnLeave(QWidget* field, std::function<QWidget*()> commit) {
    m_commits.insert(field, std::move(commit));
    field->installEventFilter(this);
    connect(field, &QObject::destroyed, this, [this](QObject* gone) { m_commits.remove(gone); });
    if (auto* line = qobject_cast<QLineEdit*>(field))
        connect(line, &QLineEdit::returnPressed, this, [this, line] {
            if (const auto commit = m_commits.value(line))
                showRefused(commit());
        });
}

bool SettingsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // A context menu over the field is no leaving.
        if (const auto commit = m_commits.value(watched);
            commit && reason != Qt::PopupFocusReason) {
            QWidget* refused = commit();
            if (reason != Qt::ActiveWindowFocusReason)
                showRefused(refused);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SettingsPanel::showRefused(QWidget* field) {
    // The page scrolls inside the window: the field and the message under it
    // come into view.
    revealField(field);
}

} // namespace velmora::gui
