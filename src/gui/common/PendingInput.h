#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace velmora::gui {

class Dialogs;

// A form open on screen (a sheet, a full page) that may hold what the user
// typed. The window settles every one of them before it closes, quits,
// switches or locks the session.
class PendingInput {
public:
    virtual ~PendingInput() = default;

    // The form's title, to name it in the question.
    virtual QString pendingTitle() const = 0;
    virtual bool hasTypedInput() const = 0;
    // Runs the form's own checks and save, as its save button does; false
    // keeps it open with its message.
    virtual bool saveTypedInput() = 0;
    // Closes the form, leaving the records as they were.
    virtual void discardTypedInput() = 0;
};

// Settles the forms open under `root`, the innermost first (a sheet opened
// from an editor before the editor). A form with nothing typed closes; one
// with typed input is shown through `reveal` and asked about. False when the
// user cancelled or a save was refused: the window must then stay as it is.
bool settlePendingInput(QWidget& root, Dialogs& dialogs,
                        const std::function<void(QWidget&)>& reveal);

// The values of the editable fields under `root`, to tell later whether the
// user changed any.
QStringList inputSnapshot(const QWidget& root);

} // namespace velmora::gui
