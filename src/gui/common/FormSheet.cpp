#include "gui/common/FormSheet.h"

#include "gui/common/FieldFeedback.h"
#include "gui/common/SettingsLayout.h"
#include "gui/common/Theme.h"
#include "gui/common/WheelGuard.h"

#include <QAbstractButton>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace velmora::gui {

FormSheet::FormSheet(const QString& name, const QString& title, QWidget* parent) : QDialog(parent) {
    setObjectName(name);
    setWindowTitle(title);
    setModal(true);
    setMinimumWidth(560);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 22, 24, 20);
    layout->setSpacing(14);
    layout->addWidget(theme::label(title, "section"));

    // Long forms scroll inside the sheet rather than growing past the screen.
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    m_body = new QWidget(scroll);
    auto* body = new QVBoxLayout(m_body);
    body->setContentsMargins(0, 0, 8, 0);
    body->setSpacing(14);
    m_form = settingslayout::form();
    body->addLayout(m_form);
    body->addStretch();
    scroll->setWidget(m_body);
    guardWheel(m_body);
    layout->addWidget(scroll, 1);

    m_error = settingslayout::errorLabel(name + QStringLiteral("Error"));
    layout->addWidget(m_error);

    auto* cancel = new QPushButton(cancelText(), this);
    cancel->setObjectName(name + QStringLiteral("Cancel"));
    cancel->setAutoDefault(false);
    auto* save = m_save = theme::button(saveText(), "primary", this);
    save->setObjectName(name + QStringLiteral("Save"));
    save->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(save);
    layout->addLayout(buttons);

    connect(cancel, &QPushButton::clicked, this, &FormSheet::reject);
    connect(save, &QPushButton::clicked, this, &FormSheet::saveTypedInput);
}

void FormSheet::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!m_shown)
        m_shown = inputSnapshot(*this);
}

bool FormSheet::hasTypedInput() const {
    return m_shown && inputSnapshot(*this) != *m_shown;
}

bool FormSheet::saveTypedInput() {
    if (!save())
        return false;
    accept();
    return true;
}

void FormSheet::addRow(const QString& label, QWidget* field, QWidget* alignedWith) {
    // A tall field (notes, chips) keeps its label on its first line.
    static const int lineHeight = [] {
        QLineEdit line;
        line.ensurePolished();
        return line.sizeHint().height();
    }();
    QLabel* name = settingslayout::rowLabel(label, alignedWith ? alignedWith : field);
    name->setFixedHeight(qMin(name->maximumHeight(), lineHeight));
    QWidget* named = alignedWith ? alignedWith : field;
    name->setBuddy(named);
    // A buddy names its field only when they share a parent, which a field
    // with its error under it does not.
    if (named->accessibleName().isEmpty() && !qobject_cast<QAbstractButton*>(named))
        named->setAccessibleName(label);
    m_form->addRow(name, field);
}

void FormSheet::addRow(const QString& label, QLayout* field, QWidget* alignedWith) {
    auto* cell = new QWidget(this);
    field->setContentsMargins(0, 0, 0, 0);
    cell->setLayout(field);
    addRow(label, cell, alignedWith);
}

void FormSheet::addBlock(QWidget* block) {
    auto* body = static_cast<QVBoxLayout*>(m_body->layout());
    body->insertWidget(body->count() - 1, block);
}

bool FormSheet::applied(const Result<>& result) {
    const bool done = result.ok() || result.kind() == ResultKind::unchanged;
    showError(done ? QString() : result.error());
    return done;
}

void FormSheet::refuseField(QWidget* field, const QString& message) {
    markRefused(field, true);
    showError(message);
    revealField(field);
}

void FormSheet::setSaveText(const QString& text) {
    m_save->setText(text);
}

void FormSheet::showError(const QString& message) {
    settingslayout::setMessage(m_error, message);
}

QPlainTextEdit* FormSheet::textBox(const QString& text, const QString& name, QWidget* parent) {
    auto* box = new QPlainTextEdit(text, parent);
    box->setObjectName(name);
    box->setTabChangesFocus(true);
    box->setFixedHeight(80);
    return box;
}

} // namespace velmora::gui
