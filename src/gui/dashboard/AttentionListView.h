#pragma once

#include "core/accounting/DashboardAttention.h"

#include <QWidget>

class QVBoxLayout;

namespace velmora::gui {

// "À surveiller": each group of what needs attention under its heading, one
// short list per group whose rows open their record (click or Return), and
// a calm sentence when nothing does.
class AttentionListView : public QWidget {
    Q_OBJECT

public:
    explicit AttentionListView(QWidget* parent = nullptr);

    void setSections(const QList<AttentionSection>& sections);

signals:
    void openRequested(const QString& sectionKey, const QUuid& id);

private:
    QVBoxLayout* m_groups = nullptr;
    QWidget* m_empty = nullptr;
};

} // namespace velmora::gui
