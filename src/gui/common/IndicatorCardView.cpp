#include "gui/common/IndicatorCardView.h"

#include "core/accounting/SummaryIndicators.h"
#include "core/text/MoneyFormat.h"
#include "gui/common/Icons.h"
#include "gui/common/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace velmora::gui {

namespace {

// The summary's colours are those of the tags, which read on both appearances.
QColor colorOf(IndicatorColor color) {
    switch (color) {
    case IndicatorColor::blue:
        return theme::tagColor(TagColorOption::blue);
    case IndicatorColor::orange:
        return theme::tagColor(TagColorOption::orange);
    case IndicatorColor::purple:
        return theme::tagColor(TagColorOption::purple);
    case IndicatorColor::green:
        return theme::tagColor(TagColorOption::green);
    case IndicatorColor::teal:
        return theme::tagColor(TagColorOption::mint);
    case IndicatorColor::red:
        return theme::tagColor(TagColorOption::red);
    }
    return theme::accent();
}

} // namespace

IndicatorCardView::IndicatorCardView(const IndicatorCard& card, QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("indicator_") + card.id);
    build(card.iconName, colorOf(card.color), card.title, formatMoney(card.value),
          card.description);
}

IndicatorCardView::IndicatorCardView(const std::optional<BestClient>& best, int year,
                                     QWidget* parent)
    : QFrame(parent) {
    setObjectName(QStringLiteral("indicator_") + bestClientCardID());
    const QColor color = theme::tagColor(TagColorOption::yellow);
    if (best)
        build(QStringLiteral("star.fill"), color, QStringLiteral("Meilleur client"),
              formatMoney(best->amount),
              best->name + QStringLiteral(" · ") + displayName(best->kind));
    else
        build(QStringLiteral("star.fill"), color, QStringLiteral("Meilleur client"), QString(),
              noBestClientText(year));
}

void IndicatorCardView::build(const QString& symbol, const QColor& color, const QString& title,
                              const QString& value, const QString& description) {
    theme::setRole(this, "card");
    // One size for all, so that the cards line up in rows.
    setFixedSize(250, 118);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(4);
    auto* head = new QHBoxLayout();
    auto* icon = new QLabel(this);
    icon->setPixmap(symbolPixmap(symbol, 18, color));
    head->addWidget(icon);
    auto* titleLabel = new QLabel(title, this);
    titleLabel->setMinimumHeight(20);
    QPalette tinted = titleLabel->palette();
    tinted.setColor(QPalette::WindowText, color);
    titleLabel->setPalette(tinted);
    titleLabel->setObjectName(QStringLiteral("indicatorTitle"));
    head->addWidget(titleLabel, 1);
    layout->addLayout(head);
    if (!value.isEmpty()) {
        auto* amount = theme::label(value, "cardTitle", this);
        amount->setObjectName(QStringLiteral("indicatorValue"));
        amount->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(amount);
    }
    auto* text = theme::label(description, "hint", this);
    text->setObjectName(QStringLiteral("indicatorDescription"));
    text->setWordWrap(true);
    layout->addWidget(text);
    setAccessibleName(value.isEmpty() ? title + QStringLiteral(" : ") + description
                                      : title + QStringLiteral(" : ") + value);
}

} // namespace velmora::gui
