#pragma once

#include <QList>
#include <QString>

namespace velmora {

enum class AlertRole { cancel, destructive, defaultAction };

struct AlertButton {
    QString text;
    AlertRole role = AlertRole::defaultAction;

    friend bool operator==(const AlertButton&, const AlertButton&) = default;
};

// What a flow asks the window to show; the widget only renders it. A notice
// is an alert with a single acknowledging button.
struct Alert {
    enum class Kind { information, warning, error };

    Kind kind = Kind::information;
    QString title;
    QString message;
    QList<AlertButton> buttons;
    // The details under the message (the precise reason of a failure); the
    // initialiser lets alerts without details leave it out.
    QString informativeText = {};

    friend bool operator==(const Alert&, const Alert&) = default;
};

// An alert acknowledged by a single "OK".
inline Alert okAlert(QString title, QString message, Alert::Kind kind = Alert::Kind::warning) {
    return Alert{kind,
                 std::move(title),
                 std::move(message),
                 {AlertButton{QStringLiteral("OK"), AlertRole::defaultAction}}};
}

// The open and save panels a flow asks for, described so that the widget
// side and the tests see the same texts.
struct FilePanel {
    enum class Mode { openFile, saveFile, chooseFolder };

    Mode mode = Mode::openFile;
    QString title;
    QString prompt;
    QString message;
    QString proposedName;
    QString extension; // empty for folders
    bool canCreateFolders = false;

    friend bool operator==(const FilePanel&, const FilePanel&) = default;
};

} // namespace velmora
