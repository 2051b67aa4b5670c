#pragma once

#include "core/accounting/SummaryIndicators.h"

#include <QFrame>

class QLabel;

namespace velmora::gui {

class ElidedLabel;

// One figure of the accounting summary in its card: the symbol in the
// indicator's colour beside the title, the figure, and what it counts. The
// figure turns to the indicator's colour only when that is red, so that a
// negative net stands out and the other figures stay easy to read.
class IndicatorCardView : public QFrame {
    Q_OBJECT

public:
    explicit IndicatorCardView(QWidget* parent = nullptr);

    // An indicator card, its value in euros.
    void setCard(const IndicatorCard& card);
    // A figure already written as text, such as the best client's name.
    void setFigure(const QString& title, const QString& value, const QString& description,
                   IndicatorColor color, const QString& iconName);

    QString title() const;
    QString value() const;
    QString description() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void paintColour();

    QLabel* m_icon = nullptr;
    ElidedLabel* m_title = nullptr;
    ElidedLabel* m_value = nullptr;
    QLabel* m_description = nullptr;
    IndicatorColor m_color = IndicatorColor::blue;
    QString m_iconName;
};

} // namespace velmora::gui
