#pragma once

#include "core/model/TagItem.h"

#include <QPixmap>
#include <QUuid>
#include <QWidget>

class QFormLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace velmora::gui {

class FlowLayout;

// The card of the record selected in a section: a header (picture, name,
// second line, actions), then titled blocks of label/value rows, texts,
// tags and links to other records. A section rebuilds it whenever the
// record changes: start() clears it.
class RecordCard : public QWidget {
    Q_OBJECT

public:
    explicit RecordCard(const QString& name, QWidget* parent = nullptr);

    void start(const QPixmap& picture, const QString& title, const QString& subtitle);
    // A button of the header, named NAME + objectName.
    QPushButton* addAction(const QString& text, const QString& objectName, const char* role = "");

    // A titled block; the rows, texts and links below go into it.
    void addSection(const QString& title);
    // A label and its selectable value; nothing when the value is empty.
    void addRow(const QString& label, const QString& value);
    // A paragraph of the block, selectable; `role` as in Theme.
    QLabel* addText(const QString& text, const char* role = "");
    // The chips of the record's tags, in the order of `tags`.
    void addTags(const QList<TagItem>& tags, const QList<QUuid>& ids);
    // A link to a record of a section (its defaultKey).
    QPushButton* addLink(const QString& text, const QString& sectionKey, const QUuid& id);
    void addWidget(QWidget* widget);

signals:
    void openRequested(const QString& sectionKey, const QUuid& id);

private:
    QFormLayout* rows();
    void place(QWidget* widget);

    QString m_name;
    QVBoxLayout* m_layout = nullptr;
    QWidget* m_content = nullptr;
    QVBoxLayout* m_body = nullptr;
    FlowLayout* m_actions = nullptr;
    QFormLayout* m_rows = nullptr;
};

} // namespace velmora::gui
