#include "gui/common/PaymentMethodsField.h"

#include "core/documents/DocumentPageContent.h"
#include "gui/common/FlowLayout.h"
#include "gui/common/Theme.h"
#include "render/PaymentMethodIcons.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>

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
        connect(box, &QCheckBox::toggled, this, [this, box](bool on) {
            emit methodToggled(box->property("method").toString(), on);
        });
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

void PaymentMethodsField::setTicked(const QStringList& methods) {
    for (QCheckBox* box : m_boxes) {
        const QSignalBlocker quiet(box);
        box->setChecked(methods.contains(box->property("method").toString()));
    }
}

void PaymentMethodsField::showIcons(const CompanySettings& company) {
    const qreal ratio = devicePixelRatioF();
    const QColor ink = palette().color(QPalette::WindowText);
    for (QCheckBox* box : m_boxes) {
        QPixmap picture(QSize(18, 18) * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        drawPaymentMethodIcon(painter,
                              paymentMethodIcon(box->property("method").toString(), company),
                              QRectF(1, 1, 16, 16), ink);
        painter.end();
        box->setIcon(QIcon(picture));
    }
}

void PaymentMethodsField::clear() {
    for (QCheckBox* box : m_boxes)
        box->setChecked(false);
}

} // namespace velmora::gui
