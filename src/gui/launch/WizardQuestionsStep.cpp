#include "gui/launch/WizardQuestionsStep.h"

#include "core/security/AccessCode.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Icons.h"
#include "gui/common/Theme.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>

namespace velmora::gui {

namespace {

// A picker whose arrow is the application's chevron, in the text colour of
// either appearance, inside the field.
class QuestionPicker : public QComboBox {
public:
    explicit QuestionPicker(QWidget* parent) : QComboBox(parent) {
        setStyleSheet(QStringLiteral("QComboBox { padding-right: 30px; } "
                                     "QComboBox::drop-down { border: none; width: 28px; }"));
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QComboBox::paintEvent(event);
        const QPixmap arrow = symbolPixmap(QStringLiteral("chevron.down"), 12,
                                           palette().color(QPalette::PlaceholderText));
        if (arrow.isNull())
            return;
        QPainter p(this);
        p.drawPixmap(QPointF(width() - 22, (height() - 12) / 2.0), arrow);
    }
};

} // namespace

WizardQuestionsStep::WizardQuestionsStep(SessionWizard& flow, AppDataStore& store, QWidget* parent)
    : WizardStepPage(flow, SessionWizard::Step::securityQuestions, parent), m_store(store) {
    makeScrollable();
    content()->setSpacing(16);
    m_rows = new QVBoxLayout;
    m_rows->setSpacing(12);
    content()->addLayout(m_rows);

    auto* actions = new QHBoxLayout;
    m_add = theme::button(SecurityQuestionsStep::addButton(), "link", this);
    m_add->setObjectName(QStringLiteral("addQuestionButton"));
    m_add->setIcon(symbolIcon(QStringLiteral("plus"), theme::accent()));
    actions->addWidget(m_add);
    actions->addStretch(1);
    content()->addLayout(actions);
    connect(m_add, &QPushButton::clicked, this, [this] {
        if (m_model.addRow())
            rebuildRows();
    });

    QLabel* help = theme::label(SecurityQuestionsStep::hashingHelp(), "hint", this);
    help->setObjectName(QStringLiteral("hashingHelp"));
    content()->addWidget(help);
    content()->addStretch(1);
    rebuildRows();
}

QWidget* WizardQuestionsStep::makeRow(int index) {
    const SecurityQADraft draft = m_model.rows().at(index);
    const QString n = QString::number(index);

    auto* card = new QFrame;
    theme::setRole(card, "card");
    auto* grid = new QGridLayout(card);
    grid->setContentsMargins(18, 14, 14, 16);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);

    QLabel* heading = theme::label(QStringLiteral("Question %1").arg(index + 1), "section", card);
    grid->addWidget(heading, 0, 0);
    auto* remove = new QToolButton(card);
    remove->setObjectName(QStringLiteral("removeQuestion") + n);
    remove->setAutoRaise(true);
    remove->setCursor(Qt::PointingHandCursor);
    remove->setToolTip(QStringLiteral("Retirer cette question"));
    const QIcon removeIcon = symbolIcon(QStringLiteral("minus.circle"));
    if (removeIcon.isNull())
        remove->setText(QStringLiteral("Retirer"));
    else
        remove->setIcon(removeIcon);
    remove->setEnabled(m_model.canRemoveRow());
    grid->addWidget(remove, 0, 1, Qt::AlignRight);

    auto* combo = new QuestionPicker(card);
    combo->setObjectName(QStringLiteral("questionCombo") + n);
    combo->setPlaceholderText(SecurityQuestionsStep::pickerPrompt());
    for (const QString& question : presetSecurityQuestions())
        combo->addItem(question, question);
    combo->addItem(SecurityQuestionsStep::customEntry(), SecurityQADraft::customMarker());
    combo->setCurrentIndex(draft.selection.isEmpty() ? -1 : combo->findData(draft.selection));
    combo->setMinimumHeight(34);
    grid->addWidget(combo, 1, 0, 1, 2);

    auto* custom = new QLineEdit(card);
    custom->setObjectName(QStringLiteral("customQuestionField") + n);
    custom->setPlaceholderText(SecurityQuestionsStep::customPlaceholder());
    custom->setText(draft.customText);
    custom->setVisible(draft.isCustom());
    custom->setMinimumHeight(34);
    grid->addWidget(custom, 2, 0, 1, 2);

    auto* answer = new QLineEdit(card);
    answer->setObjectName(QStringLiteral("answerField") + n);
    answer->setPlaceholderText(QStringLiteral("Votre réponse"));
    answer->setText(draft.answer);
    answer->setMinimumHeight(34);
    grid->addWidget(answer, 3, 0, 1, 2);
    grid->setColumnStretch(0, 1);

    // The rows are found again by id: removing one renumbers the others.
    const QUuid id = draft.id;
    auto rowOf = [this, id]() -> SecurityQADraft* {
        for (int i = 0; i < m_model.rowCount(); ++i)
            if (m_model.row(i)->id == id)
                return m_model.row(i);
        return nullptr;
    };
    connect(combo, &QComboBox::currentIndexChanged, this, [this, rowOf, combo, custom](int) {
        if (SecurityQADraft* row = rowOf()) {
            row->selection = combo->currentData().toString();
            custom->setVisible(row->isCustom());
            if (row->isCustom())
                custom->setFocus();
            emit inputEdited();
        }
    });
    connect(custom, &QLineEdit::textEdited, this, [this, rowOf](const QString& text) {
        if (SecurityQADraft* row = rowOf())
            row->customText = text;
        emit inputEdited();
    });
    connect(answer, &QLineEdit::textEdited, this, [this, rowOf](const QString& text) {
        if (SecurityQADraft* row = rowOf())
            row->answer = text;
        emit inputEdited();
    });
    connect(answer, &QLineEdit::returnPressed, this, &WizardStepPage::continueRequested);
    connect(remove, &QToolButton::clicked, this, [this, id] {
        for (int i = 0; i < m_model.rowCount(); ++i) {
            if (m_model.row(i)->id == id) {
                if (m_model.removeRow(i)) {
                    rebuildRows();
                    emit inputEdited();
                }
                return;
            }
        }
    });
    if (index == 0)
        m_firstField = combo;
    return card;
}

void WizardQuestionsStep::rebuildRows() {
    while (QLayoutItem* item = m_rows->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            // Out of the tree at once, so that the names are the new rows'
            // alone; deleted later, as the click that got here may be its.
            widget->hide();
            widget->setParent(nullptr);
            widget->deleteLater();
        }
        delete item;
    }
    m_firstField = nullptr;
    for (int i = 0; i < m_model.rowCount(); ++i) {
        QWidget* row = makeRow(i);
        m_rows->addWidget(row);
        // A layout shows a new child only at the next turn of the event loop.
        if (isVisible())
            row->show();
    }
    m_add->setVisible(m_model.canAddRow());
}

void WizardQuestionsStep::refresh() {
    rebuildRows();
}

void WizardQuestionsStep::reset() {
    m_model.reset();
    rebuildRows();
}

QWidget* WizardQuestionsStep::focusTarget() const {
    return m_firstField;
}

std::optional<QString> WizardQuestionsStep::validationMessage() const {
    return m_model.validate();
}

void WizardQuestionsStep::proceed() {
    const Result<> result = m_store.edit([&](SessionEdit& edit) { return m_model.apply(edit); });
    if (!result.warning().isEmpty())
        emit warningRaised(result.warning());
    wizard().finishSecurityQuestions(result);
}

} // namespace velmora::gui
