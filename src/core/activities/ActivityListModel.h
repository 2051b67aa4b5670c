#pragma once

#include "core/lists/TaggedListModel.h"
#include "core/model/ClientItem.h"
#include "core/model/ProjectItem.h"
#include "core/model/TagItem.h"

#include <QHash>

#include <optional>

namespace velmora {

// The activities of the section's list: one row per activity, named by its
// title, with its client and dates under it, its status as a coloured badge
// and the dots of its tags. The columns are the sort keys: the status sorts
// by the order of the status settings, and an activity without a date sorts
// after those that have one.
class ActivityListModel final : public TaggedListModel<ProjectItem> {
    Q_OBJECT

public:
    enum Column { titleColumn, statusColumn, startColumn, endColumn, columnTotal };

    explicit ActivityListModel(QObject* parent = nullptr) : TaggedListModel(parent) {}

    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : columnTotal;
    }

    // The clients that name the rows' subtitles and the statuses of their
    // badges; the rows are told when either changes.
    void setContext(const QList<ClientItem>& clients, const QList<TagItem>& statuses);

    // The display name of the activity's client; empty without one.
    QString clientName(const ProjectItem& project) const;
    // The status the activity carries, found by name; none for a name the
    // settings no longer hold.
    std::optional<TagItem> status(const ProjectItem& project) const;

    // "Aucune activité", "1 activité", "N activités".
    static QString countText(int count);
    // "Du 1 juin 2025 au 5 juil. 2025", "À partir du …", "Jusqu’au …"; empty
    // without dates.
    static QString datesText(const ProjectItem& project);

private:
    QVariant recordData(const ProjectItem& project, int column, int role) const override;
    int statusOrder(const ProjectItem& project) const;

    QHash<QUuid, QString> m_clientNames;
    QList<TagItem> m_statuses;
};

// Whether every word of the query is in the title, information, notes or
// client's name, case and accents aside.
bool activityMatches(const ProjectItem& project, const QString& clientName, const QString& query);

} // namespace velmora
