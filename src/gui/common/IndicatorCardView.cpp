#include "gui/common/IndicatorCardView.h"

#include "core/text/MoneyFormat.h"
#include "gui/common/ElidedText.h"
#include "gui/common/Icons.h"
#include "gui/common/Theme.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace velmora::gui {

IndicatorCardView::IndicatorCardView(QWidget* parent) : QFrame(parent) {
    setProperty("role", QStringLiteral("card"));
    setMinimumWidth(180);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(4);
    auto* head = new QHBoxLayout;
    head->setSpacing(8);
    m_icon = new QLabel(this);
    m_icon->setFixedSize(20, 20);
    head->addWidget(m_icon);
    m_title = new ElidedLabel(Qt::ElideRight, this);
    m_title->setObjectName(QStringLiteral("indicatorTitle"));
    m_title->setProperty("role", QStringLiteral("hint"));
    head->addWidget(m_title, 1);
    layout->addLayout(head);
    m_value = new ElidedLabel(Qt::ElideRight, this);
    m_value->setObjectName(QStringLiteral("indicatorValue"));
    QFont big = m_value->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setWeight(QFont::DemiBold);
    m_value->setFont(big);
    layout->addWidget(m_value);
    m_description = theme::label(QString(), "hint", this);
    m_description->setObjectName(QStringLiteral("indicatorDescription"));
    layout->addWidget(m_description);
}

void IndicatorCardView::setCard(const IndicatorCard& card) {
    setFigure(card.title, formatMoney(card.value), card.description, card.color, card.iconName);
}

void IndicatorCardView::setFigure(const QString& title, const QString& value,
                                  const QString& description, IndicatorColor color,
                                  const QString& iconName) {
    m_title->setText(title);
    m_value->setText(value);
    m_description->setText(description);
    m_description->setVisible(!description.isEmpty());
    m_color = color;
    m_iconName = iconName;
    setAccessibleName(title + QStringLiteral("\u00a0: ") + value);
    setAccessibleDescription(description);
    paintColour();
}

QString IndicatorCardView::title() const {
    return m_title->text();
}
QString IndicatorCardView::value() const {
    return m_value->text();
}
QString IndicatorCardView::description() const {
    return m_description->text();
}

void IndicatorCardView::changeEvent(QEvent* event) {
    QFrame::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        paintColour();
}

void IndicatorCardView::paintColour() {
    const QColor colour = theme::indicatorColor(m_color);
    m_icon->setPixmap(symbolPixmap(m_iconName, 20, colour));
    QPalette palette = m_value->palette();
    palette.setColor(QPalette::WindowText, m_color == IndicatorColor::red
                                               ? colour
                                               : this->palette().color(QPalette::WindowText));
    m_value->setPalette(palette);
}

} // namespace velmora::gui
