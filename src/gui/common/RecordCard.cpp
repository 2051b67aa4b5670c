#include "gui/common/RecordCard.h"

#include "gui/common/ElidedText.h"
#include "gui/common/FlowLayout.h"
#include "gui/common/TagChips.h"
#include "gui/common/Theme.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace velmora::gui {

RecordCard::RecordCard(const QString& name, QWidget* parent) : QWidget(parent), m_name(name) {
    setObjectName(name);
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(28, 24, 28, 24);
}

void RecordCard::start(const QPixmap& picture, const QString& title, const QString& subtitle) {
    // Later: the old content may hold the button whose click rebuilds it.
    if (m_content) {
        m_layout->removeWidget(m_content);
        m_content->hide();
        m_content->deleteLater();
    }
    m_content = new QWidget(this);
    m_body = new QVBoxLayout(m_content);
    m_body->setContentsMargins(0, 0, 0, 0);
    m_body->setSpacing(10);
    m_rows = nullptr;
    m_layout->addWidget(m_content);

    auto* header = new QHBoxLayout;
    header->setSpacing(16);
    if (!picture.isNull()) {
        auto* image = new QLabel(m_content);
        image->setPixmap(picture);
        header->addWidget(image, 0, Qt::AlignTop);
    }
    auto* names = new QVBoxLayout;
    names->setSpacing(2);
    QLabel* name = theme::label(title, "cardTitle", m_content);
    name->setObjectName(m_name + QStringLiteral("Title"));
    name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Wrapped labels ask for little width; the name takes what the actions leave.
    name->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    names->addWidget(name);
    if (!subtitle.isEmpty()) {
        QLabel* second = theme::label(subtitle, "subtitle", m_content);
        second->setObjectName(m_name + QStringLiteral("Subtitle"));
        names->addWidget(second);
    }
    header->addLayout(names, 1);
    m_body->addLayout(header);
    // The actions under the name, which keeps the whole width; they wrap
    // when the card is narrower than their row.
    auto* actions = new QWidget(m_content);
    m_actions = new FlowLayout(actions, 8);
    m_actions->setContentsMargins(0, 0, 0, 0);
    m_body->addWidget(actions);
    m_body->addStretch(1);
    m_content->show();
}

// Shown at once: a widget added to a visible one would only show on the next
// turn of the event loop, after the user (or a test) looked.
void RecordCard::place(QWidget* widget) {
    m_body->insertWidget(m_body->count() - 1, widget);
    widget->show();
    m_rows = nullptr;
}

QPushButton* RecordCard::addAction(const QString& text, const QString& objectName,
                                   const char* role) {
    QPushButton* button = theme::button(text, role, m_content);
    button->setObjectName(m_name + objectName);
    m_actions->addWidget(button);
    button->show();
    return button;
}

void RecordCard::addSection(const QString& title) {
    m_body->insertSpacing(m_body->count() - 1, 8);
    place(theme::label(title, "section", m_content));
}

QFormLayout* RecordCard::rows() {
    if (!m_rows) {
        m_rows = new QFormLayout;
        m_rows->setHorizontalSpacing(18);
        m_rows->setVerticalSpacing(6);
        m_rows->setLabelAlignment(Qt::AlignLeft);
        m_body->insertLayout(m_body->count() - 1, m_rows);
    }
    return m_rows;
}

void RecordCard::addRow(const QString& label, const QString& value) {
    if (value.trimmed().isEmpty())
        return;
    QLabel* text = theme::label(value, "", m_content);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Read as one: "E-mail : eloise@exemple.fr", not the label alone.
    text->setAccessibleName(label + QStringLiteral("\u00a0: ") + value);
    QLabel* name = theme::label(label, "hint", m_content);
    name->setWordWrap(false);
    name->setBuddy(text);
    rows()->addRow(name, text);
    name->show();
    text->show();
}

QLabel* RecordCard::addText(const QString& text, const char* role) {
    QLabel* paragraph = theme::label(text, role, m_content);
    paragraph->setTextInteractionFlags(Qt::TextSelectableByMouse);
    place(paragraph);
    return paragraph;
}

void RecordCard::addTags(const QList<TagItem>& tags, const QList<QUuid>& ids) {
    auto* box = new QWidget(m_content);
    auto* flow = new FlowLayout(box);
    for (const TagItem& tag : tags) {
        if (!ids.contains(tag.id))
            continue;
        auto* chip = new QToolButton(box);
        chip->setProperty("role", QStringLiteral("chip"));
        chip->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        chip->setIcon(tagDot(tag.color));
        chip->setIconSize(QSize(12, 12));
        chip->setText(tag.name);
        chip->setFocusPolicy(Qt::NoFocus);
        flow->addWidget(chip);
    }
    place(box);
}

QPushButton* RecordCard::addLink(const QString& text, const QString& sectionKey, const QUuid& id) {
    QPushButton* link = new ElidedButton(text, m_content);
    link->setProperty("role", QStringLiteral("link"));
    link->setCursor(Qt::PointingHandCursor);
    link->setObjectName(m_name + QStringLiteral("Link"));
    connect(link, &QPushButton::clicked, this,
            [this, sectionKey, id] { emit openRequested(sectionKey, id); });
    place(link);
    m_body->setAlignment(link, Qt::AlignLeft);
    return link;
}

void RecordCard::addWidget(QWidget* widget) {
    widget->setParent(m_content);
    place(widget);
}

} // namespace velmora::gui
