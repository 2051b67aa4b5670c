#include "gui/common/ChoiceMenuButton.h"

#include <QActionGroup>
#include <QMenu>

#include <algorithm>

namespace velmora::gui {

ChoiceMenuButton::ChoiceMenuButton(const QString& label, bool exclusive, QWidget* parent)
    : QToolButton(parent), m_label(label), m_exclusive(exclusive) {
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setMenu(new QMenu(this));
    updateText();
}

void ChoiceMenuButton::setLabel(const QString& label) {
    m_label = label;
    updateText();
}

void ChoiceMenuButton::setChoices(const QList<Choice>& choices) {
    m_choices = choices;
    m_checked.removeIf([&](const QUuid& id) {
        return std::none_of(m_choices.cbegin(), m_choices.cend(),
                            [&](const Choice& c) { return c.id == id; });
    });
    if (m_exclusive && m_checked.isEmpty() && !m_choices.isEmpty())
        m_checked = {m_choices.constFirst().id};
    rebuild();
}

QList<QUuid> ChoiceMenuButton::checked() const {
    return m_checked;
}

void ChoiceMenuButton::setChecked(const QList<QUuid>& ids) {
    m_checked.clear();
    for (const Choice& choice : std::as_const(m_choices))
        if (ids.contains(choice.id) && (!m_exclusive || m_checked.isEmpty()))
            m_checked.append(choice.id);
    if (m_exclusive && m_checked.isEmpty() && !m_choices.isEmpty())
        m_checked = {m_choices.constFirst().id};
    rebuild();
}

void ChoiceMenuButton::rebuild() {
    QMenu* list = menu();
    list->clear();
    auto* group = m_exclusive ? new QActionGroup(list) : nullptr;
    for (const Choice& choice : std::as_const(m_choices)) {
        QAction* action = list->addAction(choice.name);
        action->setCheckable(true);
        action->setChecked(m_checked.contains(choice.id));
        if (group)
            group->addAction(action);
        const QUuid id = choice.id;
        connect(action, &QAction::triggered, this, [this, id](bool on) {
            if (m_exclusive)
                m_checked = {id};
            else if (on && !m_checked.contains(id))
                m_checked.append(id);
            else if (!on)
                m_checked.removeAll(id);
            updateText();
            emit changed();
        });
    }
    setEnabled(!m_choices.isEmpty());
    updateText();
}

void ChoiceMenuButton::updateText() {
    QStringList names;
    for (const Choice& choice : std::as_const(m_choices))
        if (m_checked.contains(choice.id))
            names.append(choice.name);
    QString text = m_label;
    if (names.size() == 1)
        text = m_exclusive ? names.constFirst()
                           : m_label + QStringLiteral("\u00a0: ") + names.constFirst();
    else if (names.size() > 1)
        text = QStringLiteral("%1 (%2)").arg(m_label).arg(names.size());
    setText(text);
    setToolTip(names.isEmpty()
                   ? m_label
                   : m_label + QStringLiteral("\u00a0: ") + names.join(QStringLiteral(", ")));
    setAccessibleName(m_label);
}

} // namespace velmora::gui
