#pragma once

#include "gui/main/SectionPage.h"

class QLabel;

namespace velmora::gui {

// A section's page until its screen is built: a picture, the section's name
// and a card saying what the screen will hold.
class PlaceholderPage : public SectionPage {
    Q_OBJECT

public:
    explicit PlaceholderPage(const QString& promise, QWidget* parent = nullptr);

    // The section's symbol in the accent colour and the user's name for it.
    void showEntry(const SidebarMenuItemConfig& entry) override;

protected:
    void setPicture(const QPixmap& picture);
    void setTitle(const QString& title);
    // Hidden when empty.
    void setSubtitle(const QString& subtitle);

private:
    QLabel* m_picture = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_subtitle = nullptr;
};

} // namespace velmora::gui
