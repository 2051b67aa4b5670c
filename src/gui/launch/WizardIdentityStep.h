#pragma once

#include "gui/launch/WizardStepPage.h"

#include <QList>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora::gui {

class Dialogs;
class PictureTile;

// Step 2: the session's name and its picture, a photo of the user's or one
// of the preset pictures.
class WizardIdentityStep : public WizardStepPage {
    Q_OBJECT

public:
    WizardIdentityStep(SessionWizard& wizard, Dialogs& dialogs, QWidget* parent = nullptr);

    static QString notAnImageMessage() {
        return QStringLiteral("Ce fichier n’est pas une image lisible.");
    }
    // The panel of the photo button.
    static FilePanel photoPanel();

    void refresh() override;
    void reset() override;
    QWidget* focusTarget() const override;
    bool canContinue() const override;
    void updateSymbols() override;
    void proceed() override;

private:
    void choosePhoto();
    void showPicture();
    void setLocalError(const QString& message);

    Dialogs& m_dialogs;
    QLineEdit* m_name = nullptr;
    QLabel* m_preview = nullptr;
    QPushButton* m_choose = nullptr;
    QPushButton* m_remove = nullptr;
    QLabel* m_error = nullptr;
    QList<PictureTile*> m_tiles;
};

} // namespace velmora::gui
