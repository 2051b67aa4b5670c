#pragma once

#include "core/accounting/SubscriptionForm.h"
#include "gui/common/FormSheet.h"

#include <QUrl>

#include <optional>

class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace velmora {
class AppDataStore;
}

namespace velmora::gui {

class PictureField;

class Dialogs;

// "Ajouter un abonnement" / "Modifier l'abonnement", bound to
// SubscriptionForm: name, description, amount as typed, frequency, start,
// an optional end, the exceptional dates, the pauses, website, notes, logo
// and tags. A moved start date is confirmed before saving.
class SubscriptionFormSheet : public FormSheet {
    Q_OBJECT

public:
    SubscriptionFormSheet(AppDataStore& store, Dialogs& dialogs, SubscriptionForm model,
                          QWidget* parent);

    const SubscriptionForm& model() const { return m_form; }
    bool hasTypedInput() const override {
        return FormSheet::hasTypedInput() || !(m_form.fields == m_opened);
    }

signals:
    void saved(const QUuid& subscriptionID);

protected:
    bool save() override;

private:
    void showEnd();
    void addExceptional();
    void rebuildExceptional();
    void rebuildPauses();

    AppDataStore& m_store;
    Dialogs& m_dialogs;
    SubscriptionForm m_form;
    RecurringPurchase m_opened;
    QDateEdit* m_end = nullptr;
    QCheckBox* m_hasEnd = nullptr;
    PictureField* m_logo = nullptr;
    QDateEdit* m_exceptionalDate = nullptr;
    QLabel* m_exceptionalError = nullptr;
    QVBoxLayout* m_exceptional = nullptr;
    QVBoxLayout* m_pauses = nullptr;
};

} // namespace velmora::gui
