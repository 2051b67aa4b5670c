#pragma once

#include <QStringList>
#include <QWidget>

class QCheckBox;

namespace velmora {
struct CompanySettings;
}

namespace velmora::gui {

// The company's accepted payment methods, one box each, any number ticked.
class PaymentMethodsField : public QWidget {
    Q_OBJECT

public:
    // `name` prefixes the boxes' object names: NAME_<method>.
    PaymentMethodsField(const QString& name, const QStringList& methods, QWidget* parent);

    QStringList ticked() const;
    void setTicked(const QStringList& methods);
    void clear();
    // Each box with the picture the documents print for its method.
    void showIcons(const CompanySettings& company);

signals:
    void methodToggled(const QString& method, bool ticked);

private:
    QList<QCheckBox*> m_boxes;
};

} // namespace velmora::gui
