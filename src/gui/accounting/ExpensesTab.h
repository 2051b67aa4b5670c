#pragma once

#include "core/accounting/ExpenseList.h"
#include "gui/common/RecordSectionPage.h"

#include <QSet>

class QLabel;

namespace velmora {
class ExpenseListModel;
}

namespace velmora::gui {

class ChoiceMenuButton;
class ExpenseFormSheet;
class RecordCard;

// The "Dépenses" tab of the accounting section: the purchases entered and
// the subscriptions' debits, newest first, filtered by year (the current
// one when it has entries), month, type, categories and tags, with the
// total of what is shown; the card of the selected entry; the form sheet;
// deletion after confirmation. A debit is neither edited nor deleted here:
// its card leads to its subscription.
class ExpensesTab : public RecordSectionPage {
    Q_OBJECT

public:
    static QString listTitle() { return QStringLiteral("Historique d’achat"); }
    static QString subscriptionLinkText() { return QStringLiteral("Voir l’abonnement"); }

    explicit ExpensesTab(const SectionServices& services, QWidget* parent = nullptr);

    bool canRun(SectionCommand command) const override;

protected:
    void showRecord(const QUuid& id) override;
    void createRecord() override;
    void editRecord(const QUuid& id) override;
    void removeRecord(const QUuid& id) override;
    bool canEdit(const QUuid& id) const override;
    void clearOwnFilters() override;

private:
    QWidget* filterBar();
    void refresh();
    void filtersChanged();
    ExpenseFilter currentFilter() const;
    QString countAndTotal(int count);
    const AccountingPurchaseItem* entry(const QUuid& id) const;
    void openForm(ExpenseFormSheet* sheet);

    ExpenseListModel* m_model = nullptr;
    RecordCard* m_card = nullptr;
    ChoiceMenuButton* m_year = nullptr;
    ChoiceMenuButton* m_month = nullptr;
    ChoiceMenuButton* m_type = nullptr;
    ChoiceMenuButton* m_categories = nullptr;
    ChoiceMenuButton* m_tags = nullptr;
    QLabel* m_total = nullptr;
    bool m_yearChosen = false;
    // The entries the menus let through; the search narrows them further.
    QSet<QUuid> m_passing;
};

} // namespace velmora::gui
