// A new list reaches the views as the precise removals, moves, insertions and
// changes that lead to it, so that selection and scroll survive the edit.

#include "core/lists/RecordListModel.h"
#include "support/QtPrinters.h"

#include <QAbstractItemModelTester>
#include <QPersistentModelIndex>

#include <gtest/gtest.h>

#include <memory>

namespace velmora {
namespace {

struct Item {
    QUuid id;
    QString text;

    friend bool operator==(const Item&, const Item&) = default;
};

class ItemModel : public RecordListModel<Item> {
public:
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 2;
    }

private:
    QVariant recordData(const Item& item, int column, int role) const override {
        if (role == SortRole || (role == Qt::DisplayRole && column == 0))
            return item.text;
        return {};
    }
};

QUuid idOf(int key) {
    return QUuid(uint(key + 1), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
}

// One record per letter; an upper-case letter is the same record edited.
QList<Item> items(const QString& letters) {
    QList<Item> list;
    for (const QChar letter : letters)
        list.append({idOf(letter.toLower().unicode()), letter});
    return list;
}

QList<Item> numbered(const QList<int>& keys) {
    QList<Item> list;
    for (const int key : keys)
        list.append({idOf(key), QString::number(key)});
    return list;
}

QList<int> range(int count) {
    QList<int> keys;
    for (int key = 0; key < count; ++key)
        keys.append(key);
    return keys;
}

class RecordListModelTest : public ::testing::Test {
protected:
    RecordListModelTest() {
        const auto rows = [this](const char* what) {
            return [this, what](const QModelIndex&, int first, int last) {
                log.append(
                    QStringLiteral("%1 %2-%3").arg(QLatin1String(what)).arg(first).arg(last));
            };
        };
        QObject::connect(&model, &QAbstractItemModel::rowsInserted, rows("insert"));
        QObject::connect(&model, &QAbstractItemModel::rowsRemoved, rows("remove"));
        QObject::connect(
            &model, &QAbstractItemModel::rowsMoved,
            [this](const QModelIndex&, int first, int, const QModelIndex&, int before) {
                const int to = before > first ? before - 1 : before;
                log.append(QStringLiteral("move %1>%2").arg(first).arg(to));
            });
        QObject::connect(
            &model, &QAbstractItemModel::dataChanged,
            [this](const QModelIndex& from, const QModelIndex& to) {
                const bool wholeRows = from.column() == 0 && to.column() == model.columnCount() - 1;
                log.append(QStringLiteral("change %1-%2%3")
                               .arg(from.row())
                               .arg(to.row())
                               .arg(QLatin1String(wholeRows ? "" : " (part of the row)")));
            });
        QObject::connect(&model, &QAbstractItemModel::modelReset,
                         [this] { log.append(QStringLiteral("reset")); });
        QObject::connect(&model, &QAbstractItemModel::layoutChanged,
                         [this] { log.append(QStringLiteral("layout")); });
    }

    // The model shows exactly `expected`, and finds every row by its id.
    void expectShows(const QList<Item>& expected) {
        EXPECT_EQ(model.records(), expected);
        ASSERT_EQ(model.rowCount(), expected.size());
        for (int row = 0; row < expected.size(); ++row) {
            EXPECT_EQ(model.rowOf(expected[row].id), row);
            EXPECT_EQ(model.idAt(row), expected[row].id);
            EXPECT_EQ(model.index(row, 1).data(ItemModel::IdRole).toUuid(), expected[row].id);
            EXPECT_EQ(model.index(row, 0).data().toString(), expected[row].text);
            ASSERT_NE(model.record(row), nullptr);
            EXPECT_EQ(*model.record(row), expected[row]);
        }
        EXPECT_EQ(model.record(-1), nullptr);
        EXPECT_EQ(model.record(model.rowCount()), nullptr);
        EXPECT_TRUE(model.idAt(model.rowCount()).isNull());
    }

    ItemModel model;
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
    QStringList log;
};

TEST_F(RecordListModelTest, EmitsThePreciseSignalsOfEachChange) {
    struct Case {
        QString before;
        QString after;
        QStringList signalsEmitted;
        QString shown; // when not `after`: a repeated id keeps its first record
    };
    const Case cases[] = {
        {"", "abc", {"insert 0-2"}, {}},
        {"abc", "", {"remove 0-2"}, {}},
        {"abc", "abc", {}, {}},
        {"abc", "xabc", {"insert 0-0"}, {}},
        {"abc", "abxyc", {"insert 2-3"}, {}},
        {"abc", "abcx", {"insert 3-3"}, {}},
        {"abc", "xaybzc", {"insert 0-0", "insert 2-2", "insert 4-4"}, {}},
        {"abcdef", "adf", {"remove 4-4", "remove 1-2"}, {}},
        {"abcdef", "cdef", {"remove 0-1"}, {}},
        {"abcdef", "abcd", {"remove 4-5"}, {}},
        {"abcde", "abdec", {"move 2>4"}, {}},
        {"abcde", "aebcd", {"move 4>1"}, {}},
        {"abcde", "bacde", {"move 0>1"}, {}},
        {"abcde", "edcba", {"move 3>4", "move 2>4", "move 1>4", "move 0>4"}, {}},
        {"abcde", "abCde", {"change 2-2"}, {}},
        {"abcde", "aBCdE", {"change 1-2", "change 4-4"}, {}},
        {"abcdef",
         "xbdCfa",
         {"remove 4-4", "move 2>3", "move 0>4", "insert 0-0", "change 3-3"},
         {}},
        {"abc", "abbc", {}, "abc"},
        {"abc", "aBbc", {"change 1-1"}, "aBc"},
        {"ab", "aXxb", {"insert 1-1"}, "aXb"},
        {"", "xXyx", {"insert 0-1"}, "xy"},
    };
    for (const Case& c : cases) {
        model.setRecords(items(c.before));
        log.clear();
        model.setRecords(items(c.after));
        EXPECT_EQ(log, c.signalsEmitted)
            << c.before.toStdString() << " → " << c.after.toStdString();
        expectShows(items(c.shown.isNull() ? c.after : c.shown));
        EXPECT_EQ(model.rowOf(idOf('q')), -1);
    }
}

TEST_F(RecordListModelTest, ALargeRearrangementIsOneSignal) {
    QList<int> reversed = range(200);
    std::reverse(reversed.begin(), reversed.end());
    QList<int> evens;
    for (int key = 0; key < 200; key += 2)
        evens.append(key);
    const struct {
        QList<int> after;
        const char* signalEmitted;
    } cases[] = {{reversed, "layout"}, {evens, "reset"}};
    for (const auto& c : cases) {
        model.setRecords(numbered(range(200)));
        const QPersistentModelIndex kept = model.index(10, 1);
        log.clear();
        model.setRecords(numbered(c.after));
        EXPECT_EQ(log, QStringList{c.signalEmitted});
        expectShows(numbered(c.after));
        // A reordering keeps the selection; a reset cannot.
        if (QByteArray(c.signalEmitted) == "layout") {
            EXPECT_EQ(kept.row(), 189);
            EXPECT_EQ(kept.column(), 1);
            EXPECT_EQ(kept.data(ItemModel::IdRole).toUuid(), idOf(10));
        }
    }
}

TEST_F(RecordListModelTest, APersistentIndexFollowsItsRecord) {
    model.setRecords(items("abcdefghij"));
    const QPersistentModelIndex e = model.index(4, 1);
    for (const char* step : {"xabcdefghij",  // insertion above
                             "xacdefghj",    // removals above and below
                             "xacdfgehj",    // moved down
                             "exacdfghj",    // moved up
                             "jexacdfgh",    // another one moved across it
                             "jExacdfgh"}) { // edited
        model.setRecords(items(step));
        ASSERT_TRUE(e.isValid()) << step;
        EXPECT_EQ(e.row(), QString(step).toLower().indexOf('e')) << step;
        EXPECT_EQ(e.column(), 1) << step;
        EXPECT_EQ(e.data(ItemModel::IdRole).toUuid(), idOf('e')) << step;
    }
    model.setRecords(items("jxacdfgh"));
    EXPECT_FALSE(e.isValid());
}

} // namespace
} // namespace velmora
