#pragma once

#include "core/model/TagItem.h"

#include <QList>
#include <QSet>
#include <QUuid>
#include <QWidget>

class QToolButton;

namespace velmora::gui {

class FlowLayout;

// A row of checkable chips, one per tag or status, each with its colour
// dot: the filter of a list or the tags of a form. The chips are named
// "<objectName>_<tag name>" and carry the tag's name for screen readers.
class TagChips : public QWidget {
    Q_OBJECT

public:
    explicit TagChips(QWidget* parent = nullptr);

    // Keeps the checked tags that are still offered.
    void setTags(const QList<TagItem>& tags);
    const QList<TagItem>& tags() const { return m_tags; }
    QSet<QUuid> checked() const { return m_checked; }
    void setChecked(const QSet<QUuid>& ids);
    // A last chip "+" that asks for a new tag (hidden by default).
    void setAddable(const QString& tooltip);

signals:
    // The user checked or unchecked a chip.
    void toggled(const QUuid& id, bool on);
    void addRequested();

private:
    void rebuild();

    FlowLayout* m_flow = nullptr;
    QList<TagItem> m_tags;
    QSet<QUuid> m_checked;
    QList<QToolButton*> m_chips;
    QToolButton* m_add = nullptr;
};

// A round dot of the tag's colour, for chips, menus and combo boxes.
QIcon tagDot(TagColorOption color);
QIcon colorDot(const QColor& color);
// A checked chip writes its text in bold: its width makes room for it, so
// that checking never cuts the text.
void fitCheckedText(QToolButton* chip);

} // namespace velmora::gui
