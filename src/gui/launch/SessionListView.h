#pragma once

#include "core/store/RecentEntry.h"

#include <QWidget>

class QGridLayout;
class QLabel;

namespace velmora {
class LaunchPhase;
class RecentFilesStore;
} // namespace velmora

namespace velmora::gui {

// "Bienvenue": one card per recent session, a card for a new one and the
// opening of a file that is not listed.
class SessionListView : public QWidget {
    Q_OBJECT

public:
    SessionListView(LaunchPhase& launch, RecentFilesStore& recentFiles, QWidget* parent = nullptr);

signals:
    void sessionChosen(const velmora::RecentEntry& entry);
    void newSessionRequested();
    void openFileRequested();

private:
    void rebuild();

    LaunchPhase& m_launch;
    RecentFilesStore& m_recentFiles;
    QLabel* m_subtitle = nullptr;
    QLabel* m_error = nullptr;
    QGridLayout* m_cards = nullptr;
};

} // namespace velmora::gui
