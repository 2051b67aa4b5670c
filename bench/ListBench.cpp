// A screen's list model taking the store's new list after one edit: what each
// keystroke that saves a record costs the list on screen.

#include "core/lists/RecordListModel.h"
#include "core/model/ClientItem.h"

#include <benchmark/benchmark.h>

namespace {

using namespace velmora;

class ClientRows final : public RecordListModel<ClientItem> {
public:
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 3;
    }

private:
    QVariant recordData(const ClientItem& client, int column, int role) const override {
        if (role != Qt::DisplayRole)
            return {};
        return column == 0 ? client.lastName : column == 1 ? client.firstName : client.email;
    }
};

ClientItem client(int n) {
    ClientItem c;
    c.id = QUuid::createUuid();
    c.firstName = QStringLiteral("Prénom %1").arg(n);
    c.lastName = QStringLiteral("Nom %1").arg(n);
    c.email = QStringLiteral("client%1@exemple.fr").arg(n);
    c.notes = QStringLiteral("Notes du client %1").arg(n);
    return c;
}

enum class Edit { none, change, insert, remove, move };

// Goes back and forth between two lists of 10,000 clients that differ by one
// edit in the middle, so that every iteration applies that edit.
void ListModelOneEdit(benchmark::State& state) {
    constexpr int kCount = 10'000;
    QList<ClientItem> before;
    for (int n = 0; n < kCount; ++n)
        before.append(client(n));
    QList<ClientItem> after = before;
    switch (Edit(state.range(0))) {
    case Edit::none:
        break;
    case Edit::change:
        after[kCount / 2].notes += QStringLiteral(" (modifié)");
        break;
    case Edit::insert:
        after.insert(kCount / 2, client(kCount));
        break;
    case Edit::remove:
        after.removeAt(kCount / 2);
        break;
    case Edit::move:
        after.move(kCount / 2, kCount / 4);
        break;
    }
    ClientRows model;
    model.setRecords(before);
    bool forth = true;
    for (auto _ : state) {
        model.setRecords(forth ? after : before);
        forth = !forth;
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(ListModelOneEdit)
    ->ArgName("none/change/insert/remove/move")
    ->DenseRange(0, 4)
    ->Unit(benchmark::kMicrosecond);

} // namespace
