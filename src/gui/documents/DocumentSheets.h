#pragma once

#include <QDateTime>
#include <QUuid>

class QDateEdit;
class QWidget;

namespace velmora {
class AppDataStore;
class Clock;
struct CommercialDocumentItem;
} // namespace velmora

namespace velmora::gui {

// What the sheets of a document's card share.
namespace documentsheets {

// The document as the store holds it now; null once it is gone.
const CommercialDocumentItem* find(const AppDataStore& store, const QUuid& id);
// A day field in the French order, on today.
QDateEdit* dayField(const QString& name, const Clock& clock, QWidget* parent);
// The moment a chosen day stands for: now when it is today, else its noon.
QDateTime moment(const QDate& day, const Clock& clock);

} // namespace documentsheets
} // namespace velmora::gui
