#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QToolButton>
#include <QUuid>

class QActionGroup;

namespace velmora::gui {

// A button that opens a menu of choices, each an id and its name: several
// may be checked (a category filter, a form's categories), or exactly one
// when exclusive (a level filter). The button says what is chosen:
// "Catégories", "Catégories : Peinture", "Catégories (3)".
class ChoiceMenuButton : public QToolButton {
    Q_OBJECT

public:
    struct Choice {
        QUuid id;
        QString name;
    };

    ChoiceMenuButton(const QString& label, bool exclusive, QWidget* parent = nullptr);

    void setLabel(const QString& label);
    // Keeps the checked ids that are still offered; an exclusive menu falls
    // back to its first choice.
    void setChoices(const QList<Choice>& choices);
    QList<QUuid> checked() const;
    void setChecked(const QList<QUuid>& ids);

signals:
    // The user changed what is checked.
    void changed();

private:
    void rebuild();
    void updateText();

    QString m_label;
    bool m_exclusive = false;
    QList<Choice> m_choices;
    QList<QUuid> m_checked;
};

} // namespace velmora::gui
