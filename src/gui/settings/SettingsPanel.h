#pragma once

#include "core/store/AppDataStore.h"

#include <QHash>
#include <QWidget>

#include <functional>

namespace velmora::gui {

class Dialogs;

// One page of the "Réglages" window. Every change is applied and saved as
// it is made: a choice at once, a typed text as the user leaves its field.
// A refused text keeps the field, with its message, until it is fixed.
class SettingsPanel : public QWidget {
    Q_OBJECT

public:
    explicit SettingsPanel(Dialogs& dialogs, QWidget* parent = nullptr);
    ~SettingsPanel() override;

    // Applies what is still being typed. The field whose text is refused,
    // or nothing.
    virtual QWidget* settle() { return nullptr; }
    // Forgets what is typed and shows the session's values: the session is
    // being locked or left.
    virtual void discard() {}
    // Gives the field the keyboard and scrolls it into view with its message;
    // nothing without a field.
    void showRefused(QWidget* field);

signals:
    // A save failed for lack of disk space and the user chose to copy the
    // session elsewhere; the main window runs that flow.
    void saveRescueRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    Dialogs& dialogs() const { return m_dialogs; }
    // Shows the alert of a failed or incomplete save, passes a rescue on,
    // and tells whether the change is in force.
    bool report(const Result<>& result);
    // Runs `commit` when the user leaves the field (the focus goes elsewhere,
    // or Return in a line); `commit` returns the field whose text is refused,
    // or nothing. That field keeps the focus, unless the window itself was
    // left.
    void commitOnLeave(QWidget* field, std::function<QWidget*()> commit);

private:
    Dialogs& m_dialogs;
    QHash<QObject*, std::function<QWidget*()>> m_commits;
};

} // namespace velmora::gui
