#include "gui/launch/WizardIdentityStep.h"

#include "gui/common/ClearButton.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/Theme.h"

#include <QAbstractButton>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace velmora::gui {

namespace {

constexpr int previewSize = 88;
constexpr int tileSize = 52;

} // namespace

// One preset picture; a ring in the accent colour marks the chosen one.
class PictureTile : public QAbstractButton {
public:
    PictureTile(const QString& name, QWidget* parent) : QAbstractButton(parent), m_name(name) {
        setCheckable(true);
        setCursor(Qt::PointingHandCursor);
        setFixedSize(tileSize + 10, tileSize + 10);
        setObjectName(QStringLiteral("presetPicture_") + name);
        setAccessibleName(name);
        m_picture = presetPicture(name, tileSize);
    }
    const QString& name() const { return m_name; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF inner(5, 5, tileSize, tileSize);
        if (!m_picture.isNull()) {
            p.drawPixmap(inner.topLeft(), m_picture);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(palette().color(QPalette::AlternateBase));
            p.drawRoundedRect(inner, tileSize * 0.22, tileSize * 0.22);
        }
        if (isChecked() || underMouse() || hasFocus()) {
            const qreal radius = (tileSize + 6) * 0.24;
            QColor ring = theme::accent();
            if (!isChecked())
                ring.setAlphaF(0.45);
            p.setPen(QPen(ring, isChecked() ? 2.5 : 1.5));
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5), radius, radius);
        }
    }
    void enterEvent(QEnterEvent* event) override {
        QAbstractButton::enterEvent(event);
        update();
    }
    void leaveEvent(QEvent* event) override {
        QAbstractButton::leaveEvent(event);
        update();
    }

private:
    QString m_name;
    QPixmap m_picture;
};

FilePanel WizardIdentityStep::photoPanel() {
    FilePanel panel;
    panel.mode = FilePanel::Mode::openFile;
    panel.title = QStringLiteral("Choisir une photo de profil");
    panel.prompt = QStringLiteral("Choisir");
    panel.extension = QStringLiteral("png jpg jpeg heic gif bmp webp");
    return panel;
}

WizardIdentityStep::WizardIdentityStep(SessionWizard& flow, Dialogs& dialogs, QWidget* parent)
    : WizardStepPage(flow, SessionWizard::Step::identity, parent), m_dialogs(dialogs) {
    auto* nameBlock = new QVBoxLayout;
    nameBlock->setSpacing(8);
    nameBlock->addWidget(theme::label(QStringLiteral("Nom de la session"), "section", this));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("sessionNameField"));
    m_name->setPlaceholderText(QStringLiteral("Ex : Mon entreprise, Freelance…"));
    m_name->setAccessibleName(QStringLiteral("Nom de la session"));
    enableClearButton(m_name);
    m_name->setMinimumHeight(34);
    nameBlock->addWidget(m_name);
    content()->addLayout(nameBlock);
    connect(m_name, &QLineEdit::textEdited, this, [this](const QString& text) {
        wizard().setSessionName(text);
        emit canContinueChanged();
    });
    connect(m_name, &QLineEdit::returnPressed, this, &WizardStepPage::continueRequested);

    // The picture: what is chosen now, the photo button, and the presets.
    auto* card = new QFrame(this);
    theme::setRole(card, "card");
    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(20, 20, 20, 20);
    cardLayout->setSpacing(16);

    auto* top = new QHBoxLayout;
    top->setSpacing(20);
    m_preview = new QLabel(card);
    m_preview->setObjectName(QStringLiteral("sessionPicturePreview"));
    m_preview->setFixedSize(previewSize, previewSize);
    m_preview->setAlignment(Qt::AlignCenter);
    top->addWidget(m_preview, 0, Qt::AlignTop);

    auto* photoColumn = new QVBoxLayout;
    photoColumn->setSpacing(6);
    photoColumn->addWidget(
        theme::label(QStringLiteral("Choisir une photo de profil"), "section", card));
    photoColumn->addWidget(theme::label(
        QStringLiteral("Une image de votre ordinateur ou l’une des illustrations."), "hint", card));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    QPushButton* choose = theme::button(QStringLiteral("Choisir"), "", card);
    choose->setObjectName(QStringLiteral("choosePhotoButton"));
    m_choose = choose;
    m_remove = theme::button(QStringLiteral("Supprimer l'image"), "destructive", card);
    m_remove->setObjectName(QStringLiteral("removePictureButton"));
    buttons->addWidget(choose);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    photoColumn->addSpacing(4);
    photoColumn->addLayout(buttons);
    top->addLayout(photoColumn, 1);
    cardLayout->addLayout(top);

    m_error = theme::label(QString(), "error", card);
    m_error->setObjectName(QStringLiteral("pictureError"));
    m_error->hide();
    cardLayout->addWidget(m_error);

    auto* tiles = new QHBoxLayout;
    tiles->setSpacing(0);
    for (const QString& name : SessionWizard::presetImageNames()) {
        auto* tile = new PictureTile(name, card);
        m_tiles << tile;
        tiles->addWidget(tile);
        if (name != SessionWizard::presetImageNames().constLast())
            tiles->addStretch(1);
        connect(tile, &QAbstractButton::clicked, this, [this, tile] {
            wizard().choosePresetImage(tile->name());
            setLocalError({});
            showPicture();
        });
    }
    cardLayout->addLayout(tiles);
    content()->addWidget(card);
    content()->addStretch(1);

    connect(choose, &QPushButton::clicked, this, &WizardIdentityStep::choosePhoto);
    m_choose->setIcon(symbolIcon(QStringLiteral("photo")));
    showPicture();
    connect(m_remove, &QPushButton::clicked, this, [this] {
        wizard().removeImage();
        setLocalError({});
        showPicture();
    });
}

void WizardIdentityStep::choosePhoto() {
    const std::optional<QUrl> chosen = m_dialogs.choose(this, photoPanel());
    if (!chosen)
        return;
    QFile file(chosen->toLocalFile());
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    // Only what can be shown is kept: the picture appears on the lock
    // screen and in the session list.
    if (bytes.isEmpty() || QImage::fromData(bytes).isNull()) {
        setLocalError(notAnImageMessage());
        return;
    }
    wizard().choosePhoto(bytes);
    setLocalError({});
    showPicture();
}

void WizardIdentityStep::setLocalError(const QString& message) {
    m_error->setText(message);
    m_error->setVisible(!message.isEmpty());
}

void WizardIdentityStep::showPicture() {
    QPixmap picture;
    if (wizard().presetImage())
        picture = presetPicture(*wizard().presetImage(), previewSize);
    else if (wizard().photo())
        picture = photoPicture(*wizard().photo(), previewSize);
    if (picture.isNull()) {
        // An empty frame with the photo symbol says where the picture goes.
        QPixmap empty(previewSize, previewSize);
        empty.fill(Qt::transparent);
        QPainter p(&empty);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::Mid), 1.5, Qt::DashLine));
        p.setBrush(palette().color(QPalette::AlternateBase));
        p.drawRoundedRect(QRectF(1, 1, previewSize - 2, previewSize - 2), previewSize * 0.22,
                          previewSize * 0.22);
        const QPixmap symbol =
            symbolPixmap(QStringLiteral("photo"), 32, palette().color(QPalette::PlaceholderText));
        if (!symbol.isNull())
            p.drawPixmap((previewSize - 32) / 2, (previewSize - 32) / 2, symbol);
        picture = empty;
    }
    m_preview->setPixmap(picture);
    m_remove->setEnabled(wizard().presetImage() || wizard().photo());
    const QString chosen = wizard().presetImage().value_or(QString());
    for (PictureTile* tile : m_tiles)
        tile->setChecked(tile->name() == chosen);
}

void WizardIdentityStep::updateSymbols() {
    showPicture();
}

void WizardIdentityStep::refresh() {
    if (m_name->text() != wizard().sessionName())
        m_name->setText(wizard().sessionName());
    showPicture();
    emit canContinueChanged();
}

void WizardIdentityStep::reset() {
    m_name->clear();
    setLocalError({});
    refresh();
}

QWidget* WizardIdentityStep::focusTarget() const {
    return m_name;
}

bool WizardIdentityStep::canContinue() const {
    return wizard().canContinueFromIdentity();
}

void WizardIdentityStep::proceed() {
    wizard().continueFromIdentity();
}

} // namespace velmora::gui
