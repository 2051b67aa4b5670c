#pragma once

#include "core/Result.h"
#include "core/model/TagItem.h"
#include "core/store/AppDataStore.h"
#include "gui/common/SectionServices.h"
#include "gui/main/SectionPage.h"

#include <QUuid>

#include <functional>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QScrollArea;
class QStackedWidget;
class QPushButton;
class QToolButton;
class QVBoxLayout;

namespace velmora {
class RecordFilterModel;
class RecordListModelBase;
} // namespace velmora

namespace velmora::gui {

class TagChips;

// A section of records: on the left the search field, the filter chips,
// the sort menu, the count and the list; on the right the card of the
// selected record. With no record at all, an empty state with the section's
// primary action. The subclass gives the list model and the card, and
// creates, edits and deletes; this class routes the "Fichier" commands, the
// Delete key, the context menu and double-clicks to it.
class RecordSectionPage : public SectionPage {
    Q_OBJECT

public:
    // `key` names the widgets: KEYSearch, KEYList, KEYCount, KEYFilter...
    RecordSectionPage(const SectionServices& services, const QString& key,
                      QWidget* parent = nullptr);

    // Whether the window's entry can act on the page now, and acting; the
    // page offers its actions through them.
    virtual bool canRun(SectionCommand command) const;
    virtual void run(SectionCommand command);
    void showEntry(const SidebarMenuItemConfig& entry) override;
    void reveal(const QUuid& id) override { select(id); }
    bool holds(const QUuid& id) const override;

    QUuid currentId() const;
    // Shows and selects the record (clearing a search that hides it); for
    // one of the section's tags, shows what stands for the tag instead.
    void select(const QUuid& id);

protected:
    struct EmptyState {
        QString symbol;
        QString sentence;
        QString action;
    };
    struct SortKey {
        QString label;
        int column = 0;
        Qt::SortOrder order = Qt::AscendingOrder;
    };

    // Called once from the subclass's constructor; a page that cannot
    // create (canRun) shows neither the "+" nor the empty state's action.
    void setRecords(RecordListModelBase* model, const QList<SortKey>& sortKeys,
                    const EmptyState& empty, const QString& searchPlaceholder);
    // Shows the list in the order of sortKeys[index], as if the user chose
    // it; sortChosen hears every choice.
    void chooseSort(int index);
    virtual void sortChosen(int /*index*/) {}
    // Another row of filters under the tag chips (statuses, kinds), after
    // those added before.
    void addFilterRow(QWidget* row);
    // A button of the list's header, before its "+".
    void addHeaderWidget(QWidget* widget);
    // A second way in under the empty state's primary action.
    void addEmptyStateWidget(QWidget* widget);
    // The widget of the selected record's card, shown in a scroll area.
    void setCard(QWidget* card);
    // "N clients": the count line from the number of records shown.
    void setCountText(std::function<QString(int)> text) { m_countText = std::move(text); }

    // A page over the whole section (a document being written) until
    // closeFullPage(); meanwhile the section's commands wait.
    void openFullPage(QWidget* page);
    void closeFullPage();
    bool hasFullPage() const { return m_fullPage != nullptr; }

    RecordFilterModel& filter() const { return *m_filter; }
    TagChips* filterChips() const { return m_chips; }
    QString query() const;
    const SectionServices& services() const { return m_services; }
    // After the list model took the store's records: the tag chips (hidden
    // when there is no tag), the filter, count, empty state and card.
    void recordsChanged(const QList<TagItem>& tags);
    // The same when the chips are the page's own business.
    void recordsChanged();
    // Deletes after the user confirmed: `deletion` runs in one store edit.
    template <class Deletion> void removeAfter(const Alert& confirmation, Deletion&& deletion) {
        if (confirmNow(confirmation))
            report(m_services.store.edit(std::forward<Deletion>(deletion)));
    }
    // Tells the user why a change did not go through (a failed save, a
    // record gone meanwhile); true when it went through or had nothing to do.
    template <class T> bool report(const Result<T>& result) {
        if (result.ok() || result.kind() == ResultKind::unchanged)
            return true;
        showFailure(result.alert().value_or(failureAlert(result.kind(), result.error())));
        return false;
    }

    // The card shows this record, which exists.
    virtual void showRecord(const QUuid& id) = 0;
    virtual void createRecord() = 0;
    virtual void editRecord(const QUuid& id) = 0;
    virtual void removeRecord(const QUuid& id) = 0;
    // Clears the page's own filters, so that a record it must show is listed.
    virtual void clearOwnFilters() {}
    // A tag (or status) of the section: a link to it shows the records it
    // marks, or the settings where it is kept.
    virtual bool holdsTag(const QUuid& id) const;
    virtual void showTag(const QUuid& id);
    // Lists only what the filter chip `id` marks, every other filter cleared.
    void showOnlyChip(const QUuid& id);
    // Whether the record shown may be edited (a cancelled activity may not).
    virtual bool canEdit(const QUuid&) const { return true; }

private:
    static Alert failureAlert(ResultKind kind, const QString& message);
    bool confirmNow(const Alert& confirmation);
    void showFailure(const Alert& alert);
    void showCurrent();
    void updateCount();
    void showContextMenu(const QPoint& at);

    SectionServices m_services;
    QString m_key;
    RecordListModelBase* m_model = nullptr;
    RecordFilterModel* m_filter = nullptr;
    std::function<QString(int)> m_countText;
    QStackedWidget* m_pages = nullptr;
    QStackedWidget* m_detail = nullptr;
    QVBoxLayout* m_pane = nullptr;
    QHBoxLayout* m_header = nullptr;
    QWidget* m_lastFilter = nullptr;
    QToolButton* m_add = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_emptySymbol = nullptr;
    QLabel* m_emptySentence = nullptr;
    QPushButton* m_emptyAction = nullptr;
    QVBoxLayout* m_emptyLayout = nullptr;
    QLineEdit* m_search = nullptr;
    TagChips* m_chips = nullptr;
    QToolButton* m_sort = nullptr;
    QList<QAction*> m_sortActions;
    QLabel* m_count = nullptr;
    QListView* m_list = nullptr;
    QScrollArea* m_cardArea = nullptr;
    QLabel* m_noSelection = nullptr;
    QUuid m_shown;
    QWidget* m_fullPage = nullptr;
};

} // namespace velmora::gui
