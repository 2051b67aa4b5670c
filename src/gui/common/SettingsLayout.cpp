#include "gui/common/SettingsLayout.h"

#include "gui/common/Theme.h"

#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace velmora::gui::settingslayout {

QVBoxLayout* pageLayout(QWidget* page, const QString& title, const QString& intro) {
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(28, 24, 28, 24);
    layout->setSpacing(14);
    auto* heading = theme::label(title, "title");
    heading->setObjectName(QStringLiteral("pageTitle"));
    layout->addWidget(heading);
    if (!intro.isEmpty()) {
        auto* text = theme::label(intro, "hint");
        text->setObjectName(QStringLiteral("pageIntro"));
        layout->addWidget(text);
        layout->addSpacing(6);
    }
    return layout;
}

QFormLayout* form() {
    auto* layout = new QFormLayout;
    layout->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    layout->setRowWrapPolicy(QFormLayout::DontWrapRows);
    layout->setHorizontalSpacing(16);
    layout->setVerticalSpacing(10);
    return layout;
}

QLabel* section(const QString& text) {
    auto* label = theme::label(text, "section");
    label->setContentsMargins(0, 10, 0, 2);
    return label;
}

QLabel* rowLabel(const QString& text, QWidget* alignedWith) {
    auto* label = new QLabel(text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The style sheet's paddings count in the height once polished. Never
    // taller: a message under the field leaves the label level with it.
    alignedWith->ensurePolished();
    label->setFixedHeight(alignedWith->sizeHint().height());
    return label;
}

QLabel* errorLabel(const QString& objectName) {
    auto* label = theme::label(QString(), "error");
    label->setObjectName(objectName);
    label->setVisible(false);
    return label;
}

QWidget* withError(QWidget* field, QLabel* error) {
    auto* cell = new QWidget;
    auto* layout = new QVBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(field);
    layout->addWidget(error);
    return cell;
}

QWidget* withError(QLayout* field, QLabel* error) {
    auto* cell = new QWidget;
    auto* layout = new QVBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(field);
    layout->addWidget(error);
    return cell;
}

void setMessage(QLabel* label, const QString& text) {
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

} // namespace velmora::gui::settingslayout
