#include "gui/documents/PaymentMethodsField.h"

#include "gui/common/FlowLayout.h"
#include "gui/common/Theme.h"

#include <QCheckBox>
#include <QLabel>

namespace velmora::gui {

PaymentMethodsField::PaymentMethodsField(const QString& name, const QStringList& methods,
                                         QWidget* parent)
    : QWidget(parent) {
    auto* flow = new FlowLayout(this);
    flow->setContentsMargins(0, 0, 0, 0);
    for (const QString& method : methods) {
        if (method.trimmed().isEmpty())
            continue;
        auto* box = new QCheckBox(method.trimmed(), this);
        box->setObjectName(name + QLatin1Char('_') + method.trimmed());
        // The label may show "&" differently; the method is kept as written.
        box->setProperty("method", method.trimmed());
        flow->addWidget(box);
        m_boxes << box;
    }
    if (m_boxes.isEmpty())
        flow->addWidget(theme::label(
            QStringLiteral("Aucun mode de paiement n’est défini dans les paramètres entreprise."),
            "hint", this));
}

QStringList PaymentMethodsField::ticked() const {
    QStringList methods;
    for (const QCheckBox* box : m_boxes)
        if (box->isChecked())
            methods << box->property("method").toString();
    return methods;
}

void PaymentMethodsField::clear() {
    for (QCheckBox* box : m_boxes)
        box->setChecked(false);
}

} // namespace velmora::gui
