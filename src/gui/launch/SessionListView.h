#pragma once

#include "core/store/RecentEntry.h"

#include <QWidget>

class QFont;
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

    // A name as a card shows it: on two lines at most, broken between words,
    // then cut with "…".
    static QString cardText(const QString& text, const QFont& font);

signals:
    void sessionChosen(const velmora::RecentEntry& entry);
    void newSessionRequested();
    void openFileRequested();

private:
    void rebuild();
    void showError();

    LaunchPhase& m_launch;
    RecentFilesStore& m_recentFiles;
    QLabel* m_subtitle = nullptr;
    QLabel* m_error = nullptr;
    QLabel* m_errorReason = nullptr;
    QGridLayout* m_cards = nullptr;
};

} // namespace velmora::gui
