#include "gui/projects/ProjectStatusesSheet.h"

#include "core/activities/ProjectStatusSettings.h"
#include "core/store/AppDataStore.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Icons.h"
#include "gui/common/NewTagSheet.h"
#include "gui/common/Theme.h"
#include "gui/common/WheelGuard.h"
#include "gui/settings/SettingsLayout.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace velmora::gui {
namespace {

QString named(const char* prefix, int index) {
    return QString::fromLatin1(prefix) + QString::number(index);
}

QString quoted(const QString& text, const QString& name) {
    return text + QStringLiteral(" « ") + name + QStringLiteral(" »");
}

QToolButton* iconButton(const QString& symbol, const QString& tooltip, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setIcon(symbolIcon(symbol));
    button->setAutoRaise(true);
    button->setToolTip(tooltip);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

TagColorOption colorOf(const QComboBox* box) {
    return TagColorOption(box->currentData().toInt());
}

} // namespace

ProjectStatusesSheet::ProjectStatusesSheet(AppDataStore& store, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_store(store), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("projectStatusesSheet"));
    setWindowTitle(title());
    setModal(true);
    setMinimumWidth(600);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 22, 24, 20);
    layout->setSpacing(12);
    layout->addWidget(theme::label(title(), "section"));
    auto* intro = theme::label(QStringLiteral("Chaque modification est enregistrée aussitôt. Les "
                                              "statuts marqués d’un cadenas sont utilisés par "
                                              "l’application."),
                               "hint");
    intro->setWordWrap(true);
    layout->addWidget(intro);

    // A long list scrolls inside the sheet rather than growing past the screen.
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* list = new QWidget(scroll);
    auto* listLayout = new QVBoxLayout(list);
    listLayout->setContentsMargins(0, 0, 8, 0);
    m_grid = new QGridLayout;
    m_grid->setHorizontalSpacing(8);
    m_grid->setVerticalSpacing(8);
    m_grid->setColumnStretch(1, 1);
    listLayout->addLayout(m_grid);
    listLayout->addStretch();
    scroll->setWidget(list);
    guardWheel(list);
    layout->addWidget(scroll, 1);

    m_error = settingslayout::errorLabel(QStringLiteral("projectStatusesError"));
    m_error->setWordWrap(true);
    layout->addWidget(m_error);

    layout->addWidget(settingslayout::section(QStringLiteral("Nouveau statut")));
    auto* adding = new QHBoxLayout;
    adding->setSpacing(8);
    m_newColor = tagColorBox(this);
    m_newColor->setObjectName(QStringLiteral("newStatusColor"));
    m_newColor->setAccessibleName(QStringLiteral("Couleur du nouveau statut"));
    m_newColor->setCurrentIndex(int(TagColorOption::blue));
    m_newName = new QLineEdit(this);
    m_newName->setObjectName(QStringLiteral("newStatusName"));
    m_newName->setPlaceholderText(QStringLiteral("Nom du statut"));
    m_newName->setAccessibleName(QStringLiteral("Nom du nouveau statut"));
    m_add = new QPushButton(symbolIcon(QStringLiteral("plus")), addText(), this);
    m_add->setObjectName(QStringLiteral("newStatusAdd"));
    m_add->setAutoDefault(false);
    adding->addWidget(m_newName, 1);
    adding->addWidget(m_newColor);
    adding->addWidget(m_add);
    layout->addLayout(adding);

    // No default button: Return commits the field it is typed in and must
    // not close the sheet.
    m_close = new QPushButton(closeText(), this);
    m_close->setObjectName(QStringLiteral("projectStatusesClose"));
    m_close->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_add, &QPushButton::clicked, this, &ProjectStatusesSheet::add);
    connect(m_newName, &QLineEdit::returnPressed, this, &ProjectStatusesSheet::add);
    for (auto signal :
         {&AppDataStore::projectStatusesChanged, &AppDataStore::protectedProjectStatusIDsChanged,
          &AppDataStore::nameLockedProjectStatusIDsChanged})
        connect(&m_store, signal, this, &ProjectStatusesSheet::refresh);
    refresh();
}

void ProjectStatusesSheet::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // The locks are pictures: they are drawn again in the new appearance.
    if (event->type() == QEvent::PaletteChange && m_close)
        refresh();
}

void ProjectStatusesSheet::refresh() {
    const qsizetype count = m_store.projectStatuses().size();
    while (m_rows.size() < count)
        m_rows.append(makeRow(int(m_rows.size())));
    while (m_rows.size() > count)
        dropRow();
    for (int i = 0; i < count; ++i)
        fillRow(i);
    chainTabs();
}

ProjectStatusesSheet::Row ProjectStatusesSheet::makeRow(int index) {
    QWidget* list = m_grid->parentWidget();
    Row row;
    row.color = tagColorBox(list);
    row.color->setObjectName(named("statusColor_", index));
    row.name = new QLineEdit(list);
    row.name->setObjectName(named("statusName_", index));
    row.lock = new QLabel(list);
    row.lock->setObjectName(named("statusLock_", index));
    // Unlocked lines keep the lock's room so the buttons stay in columns.
    QSizePolicy keepRoom = row.lock->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    row.lock->setSizePolicy(keepRoom);
    row.up = iconButton(QStringLiteral("chevron.up"), QStringLiteral("Monter"), list);
    row.up->setObjectName(named("statusUp_", index));
    row.down = iconButton(QStringLiteral("chevron.down"), QStringLiteral("Descendre"), list);
    row.down->setObjectName(named("statusDown_", index));
    row.remove = iconButton(QStringLiteral("trash"), QString(), list);
    row.remove->setObjectName(named("statusDelete_", index));

    m_grid->addWidget(row.color, index, 0);
    m_grid->addWidget(row.name, index, 1);
    m_grid->addWidget(row.lock, index, 2);
    m_grid->addWidget(row.up, index, 3);
    m_grid->addWidget(row.down, index, 4);
    m_grid->addWidget(row.remove, index, 5);
    // Lines added to the sheet on screen are not shown by themselves.
    for (QWidget* widget : {static_cast<QWidget*>(row.color), static_cast<QWidget*>(row.name),
                            static_cast<QWidget*>(row.up), static_cast<QWidget*>(row.down),
                            static_cast<QWidget*>(row.remove)})
        widget->show();

    connect(row.color, &QComboBox::currentIndexChanged, this, [this, index] { recolor(index); });
    connect(row.name, &QLineEdit::editingFinished, this, [this, index] { rename(index); });
    connect(row.up, &QToolButton::clicked, this, [this, index] { move(index, index - 1); });
    connect(row.down, &QToolButton::clicked, this, [this, index] { move(index, index + 1); });
    connect(row.remove, &QToolButton::clicked, this, [this, index] { remove(index); });
    return row;
}

void ProjectStatusesSheet::dropRow() {
    const Row row = m_rows.takeLast();
    for (QWidget* widget : {static_cast<QWidget*>(row.color), static_cast<QWidget*>(row.name),
                            static_cast<QWidget*>(row.lock), static_cast<QWidget*>(row.up),
                            static_cast<QWidget*>(row.down), static_cast<QWidget*>(row.remove)}) {
        // The line may be going away from one of its own signals.
        widget->blockSignals(true);
        widget->hide();
        m_grid->removeWidget(widget);
        widget->deleteLater();
    }
}

void ProjectStatusesSheet::fillRow(int index) {
    const TagItem& status = m_store.projectStatuses().at(index);
    const ProjectStatusLocks locks = ProjectStatusLocks::of(m_store.session());
    const Row& row = m_rows.at(index);

    {
        const QSignalBlocker quiet(row.color);
        row.color->setCurrentIndex(int(status.color));
    }
    row.color->setAccessibleName(quoted(QStringLiteral("Couleur du statut"), status.name));
    {
        const QSignalBlocker quiet(row.name);
        if (row.name->text() != status.name)
            row.name->setText(status.name);
    }
    row.name->setAccessibleName(quoted(QStringLiteral("Nom du statut"), status.name));
    row.name->setEnabled(locks.canRename(status.id));

    const std::optional<QString> help = ProjectStatusSettings::lockHelp(status.id, locks);
    row.lock->setVisible(help.has_value());
    row.lock->setToolTip(help.value_or(QString()));
    row.lock->setAccessibleName(help.value_or(QString()));
    if (help)
        row.lock->setPixmap(symbolPixmap(QStringLiteral("lock.fill"), 16,
                                         palette().color(QPalette::PlaceholderText)));

    const int last = int(m_store.projectStatuses().size()) - 1;
    row.up->setEnabled(index > 0);
    row.up->setAccessibleName(quoted(QStringLiteral("Monter le statut"), status.name));
    row.down->setEnabled(index < last);
    row.down->setAccessibleName(quoted(QStringLiteral("Descendre le statut"), status.name));
    const bool deletable = locks.canDelete(status.id);
    row.remove->setEnabled(deletable);
    row.remove->setToolTip(deletable ? QStringLiteral("Supprimer le statut")
                                     : ProjectStatusSettings::protectedMessage());
    row.remove->setAccessibleName(quoted(QStringLiteral("Supprimer le statut"), status.name));
}

void ProjectStatusesSheet::chainTabs() {
    QWidget* previous = nullptr;
    const auto chain = [&previous](QWidget* next) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    };
    for (const Row& row : std::as_const(m_rows)) {
        chain(row.color);
        chain(row.name);
        chain(row.up);
        chain(row.down);
        chain(row.remove);
    }
    chain(m_newName);
    chain(m_newColor);
    chain(m_add);
    chain(m_close);
}

bool ProjectStatusesSheet::apply(const std::function<Result<>(SessionEdit&)>& change) {
    const Result<> outcome = m_store.edit(change);
    const bool done = outcome.ok() || outcome.kind() == ResultKind::unchanged;
    showError(done ? QString() : outcome.error());
    return done;
}

void ProjectStatusesSheet::recolor(int index) {
    const QUuid id = m_store.projectStatuses().at(index).id;
    const TagColorOption color = colorOf(m_rows.at(index).color);
    if (!apply([&](SessionEdit& e) { return ProjectStatusSettings::setColor(e, id, color); }))
        fillRow(index);
}

void ProjectStatusesSheet::rename(int index) {
    if (index >= m_store.projectStatuses().size())
        return;
    const QUuid id = m_store.projectStatuses().at(index).id;
    const QString name = m_rows.at(index).name->text();
    const ProjectStatusLocks locks = ProjectStatusLocks::of(m_store.session());
    // A refused name stays in the field, with its message, to be corrected.
    if (apply([&](SessionEdit& e) { return ProjectStatusSettings::rename(e, locks, id, name); }))
        fillRow(index);
}

void ProjectStatusesSheet::move(int index, int to) {
    if (!apply([&](SessionEdit& e) { return ProjectStatusSettings::move(e, index, to); }))
        return;
    // The focus follows the status, on the same button while it can go on.
    const Row& moved = m_rows.at(to);
    QToolButton* same = to < index ? moved.up : moved.down;
    (same->isEnabled() ? same : (to < index ? moved.down : moved.up))->setFocus();
}

void ProjectStatusesSheet::remove(int index) {
    const TagItem status = m_store.projectStatuses().at(index);
    // Asking first would be pointless when the answer is no anyway.
    if (const qsizetype used =
            ProjectStatusSettings::activitiesWithStatus(m_store.session(), status.name);
        used > 0) {
        showError(ProjectStatusSettings::inUseMessage(status.name, used));
        return;
    }
    if (!confirm(m_dialogs, this, ProjectStatusSettings::deleteConfirmation(status)))
        return;
    const ProjectStatusLocks locks = ProjectStatusLocks::of(m_store.session());
    if (!apply([&](SessionEdit& e) { return ProjectStatusSettings::remove(e, locks, status.id); }))
        return;
    if (m_rows.isEmpty())
        m_newName->setFocus();
    else
        m_rows.at(std::min<qsizetype>(index, m_rows.size() - 1)).color->setFocus();
}

void ProjectStatusesSheet::add() {
    const QString name = m_newName->text();
    const TagColorOption color = colorOf(m_newColor);
    const Result<QUuid> added =
        m_store.edit([&](SessionEdit& e) { return ProjectStatusSettings::add(e, name, color); });
    if (!added.ok()) {
        showError(added.error());
        return;
    }
    showError(QString());
    m_newName->clear();
    m_newColor->setCurrentIndex(int(TagColorOption::blue));
    m_newName->setFocus();
}

void ProjectStatusesSheet::showError(const QString& message) {
    settingslayout::setMessage(m_error, message);
}

} // namespace velmora::gui
