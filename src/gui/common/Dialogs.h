#pragma once

#include "core/Alert.h"

#include <QUrl>

#include <optional>

class QWidget;

namespace velmora {
class UrlOpener;
}

namespace velmora::gui {

// Every alert and file panel of the application goes through this seam, so
// that tests answer them in advance and whole flows run without a person.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The index of the chosen button in alert.buttons; -1 when the dialog was
    // closed without a choice, which counts as cancelling.
    virtual int ask(QWidget* parent, const Alert& alert) = 0;
    // The chosen file or folder; nothing when the panel was cancelled.
    // `panel.extension` may list several extensions separated by spaces.
    virtual std::optional<QUrl> choose(QWidget* parent, const FilePanel& panel) = 0;
};

// True when the alert was answered with a button that goes on: neither a
// cancel button nor a closed dialog.
bool accepted(const Alert& alert, int answer);

// Opens the file or address with the desktop's program for it, and says so
// when none could.
void openOrExplain(Dialogs& dialogs, UrlOpener& urls, QWidget* parent, const QUrl& url);

// Asks and tells whether the user went on.
inline bool confirm(Dialogs& dialogs, QWidget* parent, const Alert& alert) {
    return accepted(alert, dialogs.ask(parent, alert));
}

} // namespace velmora::gui
