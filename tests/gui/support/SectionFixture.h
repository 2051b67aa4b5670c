#pragma once

#include "AppFixture.h"

#include "gui/main/SectionRegistry.h"
#include "gui/main/Workspace.h"

#include <QAction>
#include <QListView>

namespace velmora::gui::test {

inline QUuid statusNamed(const QList<TagItem>& statuses, const QString& name) {
    for (const TagItem& status : statuses)
        if (status.name == name)
            return status.id;
    return {};
}

// Whether the page's action behind the window's entry can run now, and
// choosing it as the menu or the key would.
inline bool canRun(const SectionPage* page, SectionCommand which) {
    const QAction* action = page->command(which);
    return action && action->isEnabled();
}
inline void run(SectionPage* page, SectionCommand which) {
    if (QAction* action = page->command(which))
        action->trigger();
}

// A document of the client with one 450 € line, in the status given.
inline CommercialDocumentItem
documentOf(CommercialDocumentKind kind, const QString& number, const QString& lineTitle,
           const QUuid& client, const QUuid& status,
           const QDateTime& issued = QDateTime(QDate(2025, 6, 1), QTime(10, 0), Qt::UTC)) {
    CommercialDocumentItem d;
    d.id = QUuid::createUuid();
    d.kind = kind;
    d.number = number;
    d.issueDate = issued;
    d.clientID = client;
    d.statusID = status;
    CommercialDocumentLine line;
    line.id = QUuid::createUuid();
    line.title = lineTitle;
    line.priceTTC = 450;
    d.lines = {line};
    return d;
}

// A session of the user's own, opened and showing one section, with the
// records the test starts from.
class SectionFixture : public AppFixture {
protected:
    void openSection(const QString& key, const std::function<void(AppDatabase&)>& fill = {}) {
        m_path = writeUserSession(u"Atelier"_s, QString(), {}, fill);
        startApp();
        openFromList(m_path);
        ASSERT_EQ(screen(), MainWindow::Screen::session);
        window().workspace().showSection(key);
        m_key = key;
    }
    AppDataStore& store() { return m_app->store(); }
    SectionPage* page() { return window().sections().page(m_key); }
    QByteArray sessionFile() { return contentsOf(m_path); }

    // The rows of the section's list as shown, by name.
    QStringList shownRows() {
        QStringList rows;
        auto* list = find<QListView>(m_key + u"List"_s);
        for (int row = 0; list && row < list->model()->rowCount(); ++row)
            rows << list->model()->index(row, 0).data().toString();
        return rows;
    }
    bool isShown(const QString& name) {
        for (QWidget* widget : window().findChildren<QWidget*>(name))
            if (widget->isVisibleTo(&window()))
                return true;
        return false;
    }
    // Answers the deletion's confirmation with its destructive button.
    void confirmNextDeletion() { m_dialogs.answerNext(u"Supprimer"_s); }

    QString m_path;
    QString m_key;
};

} // namespace velmora::gui::test
