#pragma once

#include <QStringList>
#include <QWidget>

class QCheckBox;

namespace velmora::gui {

// The company's accepted payment methods, one box each, any number ticked.
class PaymentMethodsField : public QWidget {
    Q_OBJECT

public:
    // `name` prefixes the boxes' object names: NAME_<method>.
    PaymentMethodsField(const QString& name, const QStringList& methods, QWidget* parent);

    QStringList ticked() const;
    void clear();

private:
    QList<QCheckBox*> m_boxes;
};

} // namespace velmora::gui
