#include "gui/main/PlaceholderPage.h"

#include "gui/common/Icons.h"
#include "gui/common/Theme.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace velmora::gui {

PlaceholderPage::PlaceholderPage(const QString& promise, QWidget* parent) : SectionPage(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 40, 48, 40);
    layout->setSpacing(10);
    auto* header = new QHBoxLayout;
    header->setSpacing(18);
    m_picture = new QLabel(this);
    header->addWidget(m_picture, 0, Qt::AlignTop);
    auto* names = new QVBoxLayout;
    m_title = theme::label(QString(), "title", this);
    m_title->setObjectName(QStringLiteral("sectionTitle"));
    names->addWidget(m_title);
    m_subtitle = theme::label(QString(), "subtitle", this);
    m_subtitle->hide();
    names->addWidget(m_subtitle);
    names->addStretch(1);
    header->addLayout(names, 1);
    layout->addLayout(header);
    layout->addSpacing(18);

    auto* card = new QFrame(this);
    card->setProperty("role", QStringLiteral("card"));
    auto* cardLayout = new QHBoxLayout(card);
    cardLayout->setContentsMargins(20, 18, 20, 18);
    cardLayout->setSpacing(14);
    auto* info = new QLabel(card);
    info->setPixmap(symbolPixmap(QStringLiteral("sparkles"), 22, theme::accent()));
    cardLayout->addWidget(info, 0, Qt::AlignTop);
    auto* text = theme::label(promise, "", card);
    text->setObjectName(QStringLiteral("sectionPromise"));
    cardLayout->addWidget(text, 1);
    layout->addWidget(card);
    layout->addStretch(1);
}

void PlaceholderPage::showEntry(const SidebarMenuItemConfig& entry) {
    setPicture(symbolPixmap(entry.systemName, 44, theme::accent()));
    setTitle(entry.displayName);
}

void PlaceholderPage::setPicture(const QPixmap& picture) {
    m_picture->setPixmap(picture);
}

void PlaceholderPage::setTitle(const QString& title) {
    m_title->setText(title);
}

void PlaceholderPage::setSubtitle(const QString& subtitle) {
    m_subtitle->setText(subtitle);
    m_subtitle->setVisible(!subtitle.isEmpty());
}

} // namespace velmora::gui
