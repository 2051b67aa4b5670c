#pragma once

#include "core/app/SettingsResult.h"

#include <QWidget>

namespace velmora::gui {

class Dialogs;

// One page of the "Réglages" window. Every page saves through the store and
// tells the user the same way how that went.
class SettingsPanel : public QWidget {
    Q_OBJECT

public:
    explicit SettingsPanel(Dialogs& dialogs, QWidget* parent = nullptr);

signals:
    // A save failed for lack of disk space and the user chose to copy the
    // session elsewhere; the main window runs that flow.
    void saveRescueRequested();

protected:
    Dialogs& dialogs() const { return m_dialogs; }
    // Shows the alert of a failed or incomplete save, passes a rescue on,
    // and tells whether the change is in force.
    bool report(const SettingsResult& result);

private:
    Dialogs& m_dialogs;
};

} // namespace velmora::gui
