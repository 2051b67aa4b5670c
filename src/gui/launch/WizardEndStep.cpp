#include "gui/launch/WizardEndStep.h"

#include "core/store/AppDataStore.h"
#include "gui/common/Icons.h"
#include "gui/common/SessionPicture.h"
#include "gui/common/Theme.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace velmora::gui {

namespace {

constexpr int pictureSize = 56;

// A round badge with a tick, drawn when the symbol is not available.
QPixmap doneBadge(int size) {
    const QPixmap symbol = symbolPixmap(QStringLiteral("checkmark.circle"), size, theme::accent());
    if (!symbol.isNull())
        return symbol;
    QPixmap out(size, size);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(theme::accent(), size / 14.0));
    p.drawEllipse(
        QRectF(out.rect()).adjusted(size / 14.0, size / 14.0, -size / 14.0, -size / 14.0));
    QPainterPath tick;
    tick.moveTo(size * 0.3, size * 0.52);
    tick.lineTo(size * 0.45, size * 0.66);
    tick.lineTo(size * 0.71, size * 0.37);
    p.setPen(QPen(theme::accent(), size / 12.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    return out;
}

} // namespace

WizardEndStep::WizardEndStep(SessionWizard& flow, AppDataStore& store, QWidget* parent)
    : WizardStepPage(flow, SessionWizard::Step::end, parent), m_store(store) {
    fillHeight();
    content()->addStretch(2);
    auto* badge = new QLabel(this);
    badge->setAlignment(Qt::AlignCenter);
    badge->setPixmap(doneBadge(72));
    content()->addWidget(badge);

    // Larger than a step's text, smaller than a title: it is a sentence.
    auto* text = new QLabel(SessionWizard::text(SessionWizard::Step::end), this);
    text->setObjectName(QStringLiteral("wizardStepText"));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    QFont font = text->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setWeight(QFont::DemiBold);
    text->setFont(font);
    content()->addWidget(text);

    // What was just created, as the session list will show it.
    auto* card = new QFrame(this);
    theme::setRole(card, "card");
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(16, 14, 20, 14);
    row->setSpacing(16);
    m_picture = new QLabel(card);
    m_picture->setFixedSize(pictureSize, pictureSize);
    row->addWidget(m_picture);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    m_name = theme::label(QString(), "section", card);
    m_name->setObjectName(QStringLiteral("endSessionName"));
    m_file = theme::label(QString(), "hint", card);
    m_file->setWordWrap(false);
    m_file->setObjectName(QStringLiteral("endSessionFile"));
    texts->addWidget(m_name);
    texts->addWidget(m_file);
    row->addLayout(texts, 1);
    auto* centre = new QHBoxLayout;
    centre->addStretch(1);
    card->setMinimumWidth(360);
    card->setMaximumWidth(460);
    centre->addWidget(card, 4);
    centre->addStretch(1);
    content()->addLayout(centre);

    auto* start = theme::button(QStringLiteral("Commencer"), "primary", this);
    start->setObjectName(QStringLiteral("startButton"));
    start->setMinimumSize(200, 40);
    content()->addWidget(start, 0, Qt::AlignHCenter);
    connect(start, &QPushButton::clicked, this, &WizardStepPage::continueRequested);
    m_start = start;
    auto* messages = new QVBoxLayout;
    content()->addLayout(messages);
    setFeedbackSlot(messages);
    setFeedbackCentred(true);
    content()->addStretch(2);
}

void WizardEndStep::refresh() {
    m_name->setText(wizard().sessionName().trimmed());
    m_picture->setPixmap(sessionPicture(wizard().photo(), wizard().presetImage(),
                                        wizard().sessionName(), pictureSize));
    const std::optional<QUrl> file = m_store.defaultCDBFileURL();
    const QString path = file ? QDir::toNativeSeparators(file->toLocalFile()) : QString();
    // One line: the middle of a long path matters least.
    m_file->setText(m_file->fontMetrics().elidedText(path, Qt::ElideMiddle, 320));
    m_file->setToolTip(path);
    m_file->setVisible(file.has_value());
}

QString WizardEndStep::continueText() const {
    return {};
}

QWidget* WizardEndStep::focusTarget() const {
    return m_start;
}

void WizardEndStep::proceed() {
    wizard().finish();
}

} // namespace velmora::gui
