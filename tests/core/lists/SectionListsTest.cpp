// What a section's list shows: the clients' and catalogue's rows, their sort
// keys in French order, and the filter over them.

#include "core/clients/ClientListModel.h"
#include "core/lists/RecordFilterModel.h"
#include "core/stock/ServiceListModel.h"
#include "core/tags/NewTag.h"
#include "core/text/MoneyFormat.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using namespace Qt::StringLiterals;

ClientItem person(const QString& first, const QString& last) {
    ClientItem client;
    client.id = QUuid::createUuid();
    client.firstName = first;
    client.lastName = last;
    return client;
}

QStringList shown(const QAbstractItemModel& model, int role = Qt::DisplayRole) {
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row)
        rows << model.index(row, 0).data(role).toString();
    return rows;
}

TEST(SectionLists, ClientsSortInFrenchOrderAndFilterWithoutLosingTheirRows) {
    ClientListModel model;
    ClientItem company = person(QString(), QString());
    company.kind = ClientKind::professionnel;
    company.company = u"  Zinc & Cie "_s;
    model.setRecords({person(u"Emma"_s, u"eluard"_s), person(u"Éloïse"_s, u"Élie"_s),
                      person(u"Anne"_s, u"Martin2"_s), person(u"Anne"_s, u"Martin10"_s), company});
    RecordFilterModel shownRows;
    shownRows.setSourceModel(&model);
    shownRows.sort(ClientListModel::nameColumn);
    EXPECT_EQ(shown(shownRows), (QStringList{u"ÉLIE Éloïse"_s, u"ELUARD Emma"_s, u"MARTIN2 Anne"_s,
                                             u"MARTIN10 Anne"_s, u"Zinc & Cie"_s}));
    shownRows.sort(ClientListModel::kindColumn);
    EXPECT_EQ(shown(shownRows).first(), u"ÉLIE Éloïse"_s) << "private clients first";
    EXPECT_EQ(shown(shownRows).last(), u"Zinc & Cie"_s);

    shownRows.setAccept(
        [&](int row) { return model.record(row)->kind == ClientKind::professionnel; });
    EXPECT_EQ(shown(shownRows), QStringList{u"Zinc & Cie"_s});
    EXPECT_EQ(shownRows.rowOf(company.id), 0);
    EXPECT_EQ(shownRows.rowOf(model.idAt(0)), -1) << "filtered out";
    EXPECT_EQ(shownRows.idAt(0), company.id);
    shownRows.setAccept({});
    EXPECT_EQ(shownRows.rowCount(), 5);

    for (const auto& [count, text] : {std::pair{0, u"Aucun client"_s}, std::pair{1, u"1 client"_s},
                                      std::pair{2, u"2 clients"_s}})
        EXPECT_EQ(ClientListModel::countText(count), text);
}

TEST(SectionLists, AServicePriceThatIsNotAnAmountShowsAsTypedInRedAndSortsLast) {
    ServiceListModel model;
    const auto service = [](const QString& title, const QString& price) {
        ServiceItem item;
        item.id = QUuid::createUuid();
        item.title = title;
        item.priceTTC = price;
        return item;
    };
    model.setRecords({service(u"Tirage"_s, u"12 EUR"_s), service(u"Reportage"_s, u"1450,00"_s),
                      service(u"Retouche"_s, u"9,5"_s), service(u"Conseil"_s, QString())});
    EXPECT_EQ(shown(model, RecordListModelBase::BadgeRole),
              (QStringList{u"12 EUR"_s, formatMoney(1450), formatMoney(9.5), QString()}));
    EXPECT_EQ(model.index(0, 0).data(RecordListModelBase::BadgeColorRole).toInt(),
              int(TagColorOption::red));
    EXPECT_FALSE(model.index(1, 0).data(RecordListModelBase::BadgeColorRole).isValid());

    RecordFilterModel byPrice;
    byPrice.setSourceModel(&model);
    byPrice.sort(ServiceListModel::priceColumn);
    EXPECT_EQ(shown(byPrice),
              (QStringList{u"Retouche"_s, u"Reportage"_s, u"Tirage"_s, u"Conseil"_s}));
    EXPECT_EQ(ServiceListModel::countText(3), u"3 prestations"_s);
}

TEST(SectionLists, ANewTagNeedsANameOfItsOwn) {
    const QList<TagItem> tags{{QUuid::createUuid(), u"Fidèle"_s, TagColorOption::green}};
    for (const auto& [name, error] :
         {std::pair{u"  "_s, NewTag::emptyNameMessage()},
          std::pair{u" fidèle "_s, NewTag::duplicateMessage(u"Fidèle"_s)}})
        EXPECT_EQ(NewTag::make(tags, name, TagColorOption::red).error(), error);
    const Result<TagItem> made = NewTag::make(tags, u"  Grand   compte "_s, TagColorOption::red);
    ASSERT_TRUE(made.ok());
    EXPECT_EQ(made->name, u"Grand compte"_s);
    EXPECT_EQ(made->color, TagColorOption::red);
    EXPECT_FALSE(made->id.isNull());
}

} // namespace
} // namespace velmora
