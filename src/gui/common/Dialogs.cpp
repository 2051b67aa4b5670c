#include "gui/common/Dialogs.h"

#include "core/platform/MailComposer.h"
#include "core/platform/UrlOpening.h"

namespace velmora::gui {

bool accepted(const Alert& alert, int answer) {
    if (answer < 0 || answer >= alert.buttons.size())
        return false;
    return alert.buttons[answer].role != AlertRole::cancel;
}

void openOrExplain(Dialogs& dialogs, UrlOpener& urls, QWidget* parent, const QUrl& url) {
    if (!urls.openUrl(url))
        dialogs.ask(parent, openFailedAlert(url));
}

} // namespace velmora::gui
