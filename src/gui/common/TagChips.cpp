#include "gui/common/TagChips.h"

#include "gui/common/FlowLayout.h"
#include "gui/common/Icons.h"
#include "gui/common/Theme.h"

#include <QPainter>
#include <QToolButton>

namespace velmora::gui {

QIcon tagDot(TagColorOption color) {
    return colorDot(theme::tagColor(color));
}

void fitCheckedText(QToolButton* chip) {
    chip->ensurePolished();
    QFont bold = chip->font();
    bold.setWeight(QFont::DemiBold);
    const QString text = chip->text();
    const int extra = QFontMetrics(bold).horizontalAdvance(text) -
                      QFontMetrics(chip->font()).horizontalAdvance(text);
    chip->setMinimumWidth(chip->sizeHint().width() + std::max(0, extra));
}

QIcon colorDot(const QColor& color) {
    QPixmap dot(24, 24);
    dot.fill(Qt::transparent);
    QPainter painter(&dot);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QRectF(3, 3, 18, 18));
    return QIcon(dot);
}

TagChips::TagChips(QWidget* parent) : QWidget(parent) {
    m_flow = new FlowLayout(this);
    m_add = new QToolButton(this);
    m_add->setIcon(symbolIcon(QStringLiteral("plus")));
    m_add->setProperty("role", QStringLiteral("chip"));
    m_add->hide();
    connect(m_add, &QToolButton::clicked, this, &TagChips::addRequested);
    m_flow->addWidget(m_add);
}

void TagChips::setAddable(const QString& tooltip) {
    m_add->setObjectName(objectName() + QStringLiteral("_add"));
    m_add->setToolTip(tooltip);
    m_add->setAccessibleName(tooltip);
    m_add->show();
}

void TagChips::setTags(const QList<TagItem>& tags) {
    if (tags == m_tags)
        return;
    m_tags = tags;
    QSet<QUuid> offered;
    for (const TagItem& tag : tags)
        offered.insert(tag.id);
    m_checked.intersect(offered);
    rebuild();
}

void TagChips::setChecked(const QSet<QUuid>& ids) {
    m_checked = ids;
    for (qsizetype i = 0; i < m_chips.size(); ++i)
        m_chips[i]->setChecked(m_checked.contains(m_tags[i].id));
}

void TagChips::rebuild() {
    qDeleteAll(m_chips);
    m_chips.clear();
    m_flow->removeWidget(m_add);
    for (const TagItem& tag : std::as_const(m_tags)) {
        auto* chip = new QToolButton(this);
        chip->setObjectName(objectName() + QLatin1Char('_') + tag.name);
        chip->setProperty("role", QStringLiteral("chip"));
        chip->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        chip->setIcon(tagDot(tag.color));
        chip->setIconSize(QSize(12, 12));
        chip->setText(tag.name);
        chip->setAccessibleName(tag.name);
        chip->setCheckable(true);
        chip->setChecked(m_checked.contains(tag.id));
        chip->setCursor(Qt::PointingHandCursor);
        fitCheckedText(chip);
        const QUuid id = tag.id;
        connect(chip, &QToolButton::toggled, this, [this, id](bool on) {
            if (on == m_checked.contains(id))
                return;
            if (on)
                m_checked.insert(id);
            else
                m_checked.remove(id);
            emit toggled(id, on);
        });
        m_flow->addWidget(chip);
        chip->show();
        m_chips.append(chip);
    }
    m_flow->addWidget(m_add);
    updateGeometry();
}

} // namespace velmora::gui
