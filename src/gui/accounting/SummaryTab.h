#pragma once

#include "gui/common/SectionServices.h"
#include "gui/main/SectionPage.h"

#include <QHash>
#include <QString>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace velmora {
struct URSSAFSettings;
}

namespace velmora::gui {

// The "Synthèse" tab of the accounting section: the indicator cards and the
// best client of a chosen year, and an edit mode where each card is shown or
// hidden and renamed; every change is saved at once.
class SummaryTab : public SectionPage {
    Q_OBJECT

public:
    explicit SummaryTab(const SectionServices& services, QWidget* parent = nullptr);

    int year() const;
    void chooseYear(int year);
    bool isEditing() const;
    void setEditing(bool editing);
    // Asks first.
    void resetCards();

private:
    struct CardEditor {
        QCheckBox* shown = nullptr;
        QLineEdit* title = nullptr;
        QLineEdit* description = nullptr;
    };

    QWidget* makeEditor();
    void refresh();
    void fillYears();
    void showCards();
    void syncEditor();
    void saveShown(const QString& cardID, bool shown);
    void saveTexts(const QString& cardID);
    void save(const URSSAFSettings& settings);

    SectionServices m_services;
    QComboBox* m_year = nullptr;
    QPushButton* m_customize = nullptr;
    QList<QLabel*> m_hint;
    QWidget* m_cards = nullptr;
    QFrame* m_editor = nullptr;
    QHash<QString, CardEditor> m_editors;
};

} // namespace velmora::gui
