#include "gui/calendar/CalendarLinkPicker.h"

#include "core/text/SearchFolding.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

namespace velmora::gui {

using namespace Qt::StringLiterals;

CalendarLinkPicker::CalendarLinkPicker(CalendarLink link, const QList<CalendarLinkChoice>& choices,
                                       const QList<QUuid>& chosen, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(calendarLinkLabel(link));
    setObjectName(u"calendarLinkPicker"_s);
    auto* layout = new QVBoxLayout(this);
    auto* search = new QLineEdit(this);
    search->setObjectName(u"calendarLinkSearch"_s);
    search->setPlaceholderText(calendarLinkSearchPlaceholder(link));
    search->setAccessibleName(calendarLinkSearchPlaceholder(link));
    search->setClearButtonEnabled(true);
    layout->addWidget(search);

    m_list = new QListWidget(this);
    m_list->setObjectName(u"calendarLinkList"_s);
    m_list->setAccessibleName(calendarLinkLabel(link));
    QSet<QUuid> listed;
    for (const CalendarLinkChoice& choice : choices) {
        const QString text =
            choice.subtitle.isEmpty() ? choice.title : choice.title + u"  ·  "_s + choice.subtitle;
        auto* item = new QListWidgetItem(text, m_list);
        item->setData(Qt::UserRole, choice.id);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(chosen.contains(choice.id) ? Qt::Checked : Qt::Unchecked);
        listed.insert(choice.id);
    }
    for (const QUuid& id : chosen)
        if (!listed.contains(id))
            m_unlisted << id;
    layout->addWidget(m_list);
    connect(search, &QLineEdit::textChanged, this, [this](const QString& query) {
        for (int row = 0; row < m_list->count(); ++row) {
            QListWidgetItem* item = m_list->item(row);
            item->setHidden(!matchesSearch(query, {item->text()}));
        }
    });

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(u"Annuler"_s, QDialogButtonBox::RejectRole);
    QPushButton* ok = buttons->addButton(u"Valider"_s, QDialogButtonBox::AcceptRole);
    ok->setObjectName(u"calendarLinkDone"_s);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(420, 480);
}

QList<QUuid> CalendarLinkPicker::chosen() const {
    QList<QUuid> ids = m_unlisted;
    for (int row = 0; row < m_list->count(); ++row)
        if (m_list->item(row)->checkState() == Qt::Checked)
            ids << m_list->item(row)->data(Qt::UserRole).toUuid();
    return ids;
}

} // namespace velmora::gui
