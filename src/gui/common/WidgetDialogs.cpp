#include "gui/common/WidgetDialogs.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace velmora::gui {

namespace {

QMessageBox::Icon iconOf(Alert::Kind kind) {
    switch (kind) {
    case Alert::Kind::warning:
        return QMessageBox::Warning;
    case Alert::Kind::error:
        return QMessageBox::Critical;
    case Alert::Kind::information:
        break;
    }
    return QMessageBox::Information;
}

QMessageBox::ButtonRole roleOf(AlertRole role) {
    switch (role) {
    case AlertRole::cancel:
        return QMessageBox::RejectRole;
    case AlertRole::destructive:
        return QMessageBox::DestructiveRole;
    case AlertRole::defaultAction:
        break;
    }
    return QMessageBox::AcceptRole;
}

QString nameFilter(const QString& extensions) {
    QStringList patterns;
    for (const QString& ext : extensions.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        patterns << QStringLiteral("*.") + ext;
    if (patterns == QStringList{QStringLiteral("*.cdb")})
        return QStringLiteral("Session Velmora Core (*.cdb)");
    return QStringLiteral("Fichiers (%1)").arg(patterns.join(QLatin1Char(' ')));
}

} // namespace

int WidgetDialogs::ask(QWidget* parent, const Alert& alert) {
    QMessageBox box(iconOf(alert.kind), alert.title, alert.message, QMessageBox::NoButton, parent);
    box.setWindowModality(Qt::WindowModal);
    box.setInformativeText(alert.informativeText);
    QList<QAbstractButton*> buttons;
    for (const AlertButton& b : alert.buttons) {
        QPushButton* button = box.addButton(b.text, roleOf(b.role));
        if (b.role == AlertRole::cancel)
            box.setEscapeButton(button);
        buttons << button;
    }
    if (alert.buttons.isEmpty())
        buttons << box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    // Return goes on with the last plain action. An alert whose only way on
    // cannot be undone (a deletion, a freeze) takes Return on its cancel.
    QPushButton* byDefault = nullptr;
    QPushButton* cancel = nullptr;
    for (qsizetype i = 0; i < alert.buttons.size(); ++i) {
        auto* button = static_cast<QPushButton*>(buttons[i]);
        if (alert.buttons[i].role == AlertRole::defaultAction)
            byDefault = button;
        else if (alert.buttons[i].role == AlertRole::cancel && !cancel)
            cancel = button;
    }
    if (!byDefault)
        byDefault = cancel ? cancel : static_cast<QPushButton*>(buttons.constLast());
    box.setDefaultButton(byDefault);
    box.exec();
    const qsizetype index = buttons.indexOf(box.clickedButton());
    return index < alert.buttons.size() ? int(index) : -1;
}

// The desktop's own file dialog when its platform theme offers one (GNOME,
// KDE, a portal); Qt's, in French, otherwise.
std::optional<QUrl> WidgetDialogs::choose(QWidget* parent, const FilePanel& panel) {
    QFileDialog dialog(parent, panel.title);
    dialog.setLabelText(QFileDialog::Accept, panel.prompt);
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Annuler"));
    dialog.setOption(QFileDialog::ReadOnly, !panel.canCreateFolders);
    switch (panel.mode) {
    case FilePanel::Mode::openFile:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FilePanel::Mode::saveFile:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // A proposal with its folder opens there, whichever dialog shows it.
        if (const QFileInfo proposed(panel.proposedName); proposed.isAbsolute()) {
            dialog.setDirectory(proposed.absolutePath());
            dialog.selectFile(proposed.fileName());
        } else {
            dialog.selectFile(panel.proposedName);
        }
        if (!panel.extension.contains(QLatin1Char(' ')))
            dialog.setDefaultSuffix(panel.extension);
        break;
    case FilePanel::Mode::chooseFolder:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        break;
    }
    if (!panel.extension.isEmpty())
        dialog.setNameFilter(nameFilter(panel.extension));
    if (!panel.message.isEmpty())
        dialog.setToolTip(panel.message);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedUrls().isEmpty())
        return std::nullopt;
    return dialog.selectedUrls().first();
}

} // namespace velmora::gui
