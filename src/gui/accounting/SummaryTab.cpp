#include "gui/accounting/SummaryTab.h"

#include "core/accounting/SummaryIndicators.h"
#include "core/documents/DocumentDeadlines.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FlowLayout.h"
#include "gui/common/Icons.h"
#include "gui/common/IndicatorCardView.h"
#include "gui/common/SessionFollower.h"
#include "gui/common/Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace velmora::gui {

SummaryTab::SummaryTab(const SectionServices& services, QWidget* parent)
    : SectionPage(parent), m_services(services) {
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    outer->addWidget(scroll);
    auto* content = new QWidget(scroll);
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 8, 4, 8);
    layout->setSpacing(14);

    auto* header = new QHBoxLayout();
    auto* yearLabel = new QLabel(QStringLiteral("Année"), content);
    m_year = new QComboBox(content);
    m_year->setObjectName(QStringLiteral("summaryYear"));
    m_year->setAccessibleName(QStringLiteral("Année"));
    m_year->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    yearLabel->setBuddy(m_year);
    header->addWidget(yearLabel);
    header->addWidget(m_year);
    header->addStretch(1);
    const QStringList hint = summaryCustomizeHint();
    for (const QString& part : hint) {
        QLabel* label = theme::label(part, "hint", content);
        label->setWordWrap(false);
        m_hint << label;
    }
    header->addWidget(m_hint[0]);
    m_customize = new QPushButton(content);
    m_customize->setObjectName(QStringLiteral("summaryCustomize"));
    m_customize->setIcon(symbolIcon(QStringLiteral("gearshape"), QPalette::ButtonText));
    m_customize->setCheckable(true);
    m_customize->setFlat(true);
    m_customize->setAccessibleName(QStringLiteral("Personnaliser l’affichage"));
    m_customize->setToolTip(QStringLiteral("Personnaliser l’affichage"));
    header->addWidget(m_customize);
    header->addWidget(m_hint[1]);
    layout->addLayout(header);

    m_cards = new QWidget(content);
    m_cards->setObjectName(QStringLiteral("summaryCards"));
    new FlowLayout(m_cards, 12);
    // The editor comes first, where the eye is after the click.
    layout->addWidget(makeEditor());
    layout->addWidget(m_cards);
    layout->addStretch(1);

    connect(m_year, &QComboBox::currentIndexChanged, this, [this] { showCards(); });
    connect(m_customize, &QPushButton::toggled, this, [this](bool on) { setEditing(on); });
    followSession(this, services.store,
                  {SessionField::documents, SessionField::clients, SessionField::invoiceStatuses,
                   SessionField::preferences, SessionField::accountingPurchases,
                   SessionField::recurringPurchases, SessionField::urssafDeclarations,
                   SessionField::urssafSettings},
                  [this] { refresh(); });
    refresh();
}

QWidget* SummaryTab::makeEditor() {
    m_editor = new QFrame(this);
    m_editor->setObjectName(QStringLiteral("summaryEditor"));
    theme::setRole(m_editor, "card");
    m_editor->hide();
    auto* layout = new QVBoxLayout(m_editor);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->addWidget(theme::label(QStringLiteral("Personnaliser l’affichage"), "section"));
    auto* grid = new QGridLayout();
    grid->setHorizontalSpacing(12);
    grid->addWidget(theme::label(QStringLiteral("Carte"), "hint"), 0, 0);
    grid->addWidget(theme::label(QStringLiteral("Titre"), "hint"), 0, 1);
    grid->addWidget(theme::label(QStringLiteral("Description"), "hint"), 0, 2);
    int row = 1;
    for (const QString& id : summaryCardIds()) {
        CardEditor editor;
        editor.shown = new QCheckBox(defaultCardTitle(id), m_editor);
        editor.shown->setObjectName(QStringLiteral("summaryShow_") + id);
        grid->addWidget(editor.shown, row, 0);
        connect(editor.shown, &QCheckBox::toggled, this,
                [this, id](bool shown) { saveShown(id, shown); });
        if (id != bestClientCardID()) {
            editor.title = new QLineEdit(m_editor);
            editor.title->setObjectName(QStringLiteral("summaryTitle_") + id);
            editor.title->setPlaceholderText(defaultCardTitle(id));
            editor.title->setAccessibleName(
                QStringLiteral("Titre de « %1 »").arg(defaultCardTitle(id)));
            editor.description = new QLineEdit(m_editor);
            editor.description->setObjectName(QStringLiteral("summaryDescription_") + id);
            editor.description->setPlaceholderText(defaultCardDescription(id));
            editor.description->setAccessibleName(
                QStringLiteral("Description de « %1 »").arg(defaultCardTitle(id)));
            grid->addWidget(editor.title, row, 1);
            grid->addWidget(editor.description, row, 2);
            for (QLineEdit* edit : {editor.title, editor.description})
                connect(edit, &QLineEdit::editingFinished, this, [this, id] { saveTexts(id); });
        }
        m_editors.insert(id, editor);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 2);
    layout->addLayout(grid);
    auto* buttons = new QHBoxLayout();
    auto* reset = new QPushButton(QStringLiteral("Réinitialiser"), m_editor);
    reset->setObjectName(QStringLiteral("summaryReset"));
    auto* done = theme::button(QStringLiteral("Terminer"), "primary", m_editor);
    done->setObjectName(QStringLiteral("summaryDone"));
    buttons->addWidget(reset);
    buttons->addStretch(1);
    buttons->addWidget(done);
    layout->addLayout(buttons);
    connect(reset, &QPushButton::clicked, this, &SummaryTab::resetCards);
    connect(done, &QPushButton::clicked, this, [this] { setEditing(false); });
    return m_editor;
}

int SummaryTab::year() const {
    return m_year->currentData().toInt();
}

void SummaryTab::chooseYear(int year) {
    const int index = m_year->findData(year);
    if (index >= 0)
        m_year->setCurrentIndex(index);
}

bool SummaryTab::isEditing() const {
    return !m_editor->isHidden();
}

void SummaryTab::setEditing(bool editing) {
    {
        const QSignalBlocker blocker(m_customize);
        m_customize->setChecked(editing);
    }
    m_editor->setVisible(editing);
    syncEditor();
    showCards();
    if (editing)
        m_editors.value(summaryCardIds().constFirst()).shown->setFocus();
}

void SummaryTab::resetCards() {
    if (!confirm(m_services.dialogs, this, summaryResetConfirmation()))
        return;
    URSSAFSettings settings = m_services.store.urssafSettings();
    resetSummaryCards(settings);
    save(settings);
}

void SummaryTab::refresh() {
    fillYears();
    syncEditor();
    showCards();
}

void SummaryTab::fillYears() {
    const QSignalBlocker blocker(m_year);
    const QDateTime now = m_services.store.clock().now();
    const int chosen = m_year->count() ? year() : localDay(now).year();
    QList<int> years = summaryYears(m_services.store.session(), now);
    if (!years.contains(chosen))
        years.prepend(chosen);
    std::sort(years.begin(), years.end(), std::greater<>());
    m_year->clear();
    for (const int each : years)
        m_year->addItem(QString::number(each), each);
    m_year->setCurrentIndex(m_year->findData(chosen));
}

void SummaryTab::showCards() {
    auto* layout = static_cast<FlowLayout*>(m_cards->layout());
    while (QLayoutItem* item = layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const AppDatabase& db = m_services.store.session();
    const URSSAFSettings& settings = db.urssafSettings;
    const int chosen = year();
    const bool editing = isEditing();
    for (const IndicatorCard& card :
         summaryCards(summaryAmounts(db, chosen, m_services.store.clock().now()), settings)) {
        // The edit mode shows hidden cards too, dimmed, so they can be brought back.
        if (!card.visible && !editing)
            continue;
        auto* view = new IndicatorCardView(card, m_cards);
        view->setEnabled(card.visible);
        layout->addWidget(view);
    }
    if (settings.summaryShowBestClient || editing) {
        auto* view = new IndicatorCardView(bestClient(db, chosen), chosen, m_cards);
        view->setEnabled(settings.summaryShowBestClient);
        layout->addWidget(view);
    }
}

void SummaryTab::syncEditor() {
    const URSSAFSettings& settings = m_services.store.urssafSettings();
    for (auto it = m_editors.cbegin(); it != m_editors.cend(); ++it) {
        const CardEditor& editor = it.value();
        const QSignalBlocker blocker(editor.shown);
        editor.shown->setChecked(isSummaryCardShown(settings, it.key()));
        const auto keep = [&](QLineEdit* edit, const QString& suffix) {
            // A field being typed in keeps what is typed.
            if (!edit || edit->hasFocus())
                return;
            edit->setText(settings.summaryCardCustomTitles.value(it.key() + suffix));
        };
        keep(editor.title, QStringLiteral("_label"));
        keep(editor.description, QStringLiteral("_desc"));
    }
}

void SummaryTab::saveShown(const QString& cardID, bool shown) {
    URSSAFSettings settings = m_services.store.urssafSettings();
    setSummaryCardShown(settings, cardID, shown);
    save(settings);
}

void SummaryTab::saveTexts(const QString& cardID) {
    const CardEditor& editor = m_editors.value(cardID);
    URSSAFSettings settings = m_services.store.urssafSettings();
    setSummaryCardTexts(settings, cardID, editor.title->text(), editor.description->text());
    save(settings);
}

void SummaryTab::save(const URSSAFSettings& settings) {
    const Result<> saved = m_services.store.edit([&](SessionEdit& edit) -> Result<> {
        if (edit.session().urssafSettings == settings)
            return Result<>::unchanged();
        edit.urssafSettings() = settings;
        return {};
    });
    if (!saved.ok() && saved.kind() != ResultKind::unchanged) {
        m_services.dialogs.ask(
            this, saved.alert().value_or(okAlert(QStringLiteral("Enregistrement impossible"),
                                                 saved.error(), Alert::Kind::error)));
        // The fields go back to what the session still holds.
        syncEditor();
    }
}

} // namespace velmora::gui
