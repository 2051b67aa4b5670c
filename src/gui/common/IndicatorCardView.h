#pragma once

#include <QFrame>

#include <optional>

namespace velmora {
struct BestClient;
struct IndicatorCard;
} // namespace velmora

namespace velmora::gui {

// One amount of the accounting summary as a small card: its symbol and
// title in the card's colour, the amount, and the description under it.
class IndicatorCardView : public QFrame {
    Q_OBJECT

public:
    IndicatorCardView(const IndicatorCard& card, QWidget* parent = nullptr);
    // "Meilleur client": the client's name, kind and amount, or that the
    // year has none.
    IndicatorCardView(const std::optional<BestClient>& best, int year, QWidget* parent = nullptr);

private:
    void build(const QString& symbol, const QColor& color, const QString& title,
               const QString& value, const QString& description);
};

} // namespace velmora::gui
