#include "core/search/SpotlightListModel.h"

using namespace Qt::StringLiterals;

namespace velmora {

QString spotlightCountText(const SpotlightSection& section) {
    if (section.hits.size() >= section.count)
        return QString::number(section.count);
    return QString::number(section.hits.size()) + u" sur "_s + QString::number(section.count);
}

void SpotlightListModel::setResult(const SpotlightResult& result) {
    beginResetModel();
    m_sections = result.sections;
    m_rows.clear();
    for (int s = 0; s < m_sections.size(); ++s) {
        m_rows.append({s, -1});
        for (int h = 0; h < m_sections[s].hits.size(); ++h)
            m_rows.append({s, h});
    }
    endResetModel();
}

const SpotlightHit* SpotlightListModel::hitAt(int row) const {
    if (row < 0 || row >= m_rows.size() || m_rows[row].hit < 0)
        return nullptr;
    return &m_sections[m_rows[row].section].hits[m_rows[row].hit];
}

int SpotlightListModel::nextHitRow(int row, int step) const {
    for (int next = row + step; next >= 0 && next < m_rows.size(); next += step)
        if (m_rows[next].hit >= 0)
            return next;
    return row;
}

int SpotlightListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant SpotlightListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row& row = m_rows[index.row()];
    const SpotlightSection& section = m_sections[row.section];
    if (row.hit < 0) {
        switch (role) {
        case Qt::DisplayRole:
            return section.name;
        case Qt::AccessibleTextRole:
            return section.name + u", "_s + spotlightCountText(section);
        case IsHeadingRole:
            return true;
        case CountRole:
            return spotlightCountText(section);
        default:
            return {};
        }
    }
    const SpotlightHit& hit = section.hits[row.hit];
    switch (role) {
    case Qt::DisplayRole:
        return hit.title;
    case Qt::AccessibleTextRole: {
        QString text = hit.title;
        if (hit.subtitle)
            text += u", "_s + *hit.subtitle;
        if (hit.badge)
            text += u", "_s + *hit.badge;
        return text;
    }
    case Qt::ToolTipRole:
        return hit.subtitle ? hit.title + u'\n' + *hit.subtitle : hit.title;
    case IsHeadingRole:
        return false;
    case SubtitleRole:
        return hit.subtitle.value_or(QString());
    case IconRole:
        return hit.systemIcon;
    case BadgeRole:
        return hit.badge.value_or(QString());
    case TintRole:
        return hit.customTint ? QString::fromLatin1(rawName(*hit.customTint)) : QString();
    default:
        return {};
    }
}

Qt::ItemFlags SpotlightListModel::flags(const QModelIndex& index) const {
    if (!hitAt(index.row()))
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace velmora
