#include "gui/common/PictureField.h"

#include "gui/common/Dialogs.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace velmora::gui {

PictureField::PictureField(Dialogs& dialogs, std::optional<QUrl>& url, Texts texts, Preview preview,
                           QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs), m_url(url), m_texts(std::move(texts)),
      m_preview(std::move(preview)), m_choice(url) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    m_picture = new QLabel(this);
    row->addWidget(m_picture);
    m_choose = new QPushButton(m_texts.choose, this);
    m_choose->setObjectName(m_texts.name + QStringLiteral("Choose"));
    connect(m_choose, &QPushButton::clicked, this, &PictureField::choose);
    row->addWidget(m_choose);
    m_remove = new QPushButton(QStringLiteral("Retirer"), this);
    m_remove->setObjectName(m_texts.name + QStringLiteral("Remove"));
    m_remove->setAccessibleName(m_texts.remove);
    connect(m_remove, &QPushButton::clicked, this, [this] {
        m_choice.clear();
        m_url.reset();
        refresh();
    });
    row->addWidget(m_remove);
    row->addStretch();
    refresh();
}

void PictureField::refresh() {
    m_picture->setPixmap(m_preview(bytesOf(m_url)));
    m_remove->setVisible(m_url.has_value());
}

std::optional<QByteArray> PictureField::bytesOf(const std::optional<QUrl>& url) {
    if (!url)
        return std::nullopt;
    QFile file(url->toLocalFile());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

void PictureField::choose() {
    FilePanel panel;
    panel.title = m_texts.panel;
    panel.prompt = QStringLiteral("Choisir");
    panel.extension = m_texts.extensions;
    const std::optional<QUrl> chosen = m_dialogs.choose(this, panel);
    if (!chosen)
        return;
    m_choice.choose(*chosen);
    m_url = *chosen;
    refresh();
}

} // namespace velmora::gui
