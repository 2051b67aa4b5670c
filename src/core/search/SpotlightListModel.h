#pragma once

#include "core/search/SpotlightHit.h"

#include <QAbstractListModel>
#include <QList>

namespace velmora {

// The panel's list: each section of a result under a heading row with its
// name and count, then its hits. Heading rows can be neither chosen nor
// moved onto.
class SpotlightListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        IsHeadingRole = Qt::UserRole + 1,
        // A heading's count: "12", or "20 sur 134" when only the first hits
        // are listed.
        CountRole,
        SubtitleRole,
        IconRole,
        BadgeRole,
        // The raw name of a tag hit's colour, empty otherwise.
        TintRole,
    };

    using QAbstractListModel::QAbstractListModel;

    void setResult(const SpotlightResult& result);
    // Null on a heading row.
    const SpotlightHit* hitAt(int row) const;
    // The hit row after (`step` 1) or before (-1) `row`, skipping headings;
    // the first hit from -1; `row` itself when there is none further.
    int nextHitRow(int row, int step) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // A heading (the index of its section) or a hit of a section.
    struct Row {
        int section = 0;
        int hit = -1;
    };
    QList<SpotlightSection> m_sections;
    QList<Row> m_rows;
};

// "12", or "20 sur 134" when the section lists only its first hits.
QString spotlightCountText(const SpotlightSection& section);

} // namespace velmora
