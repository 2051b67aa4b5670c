// The summary tab driven as a person would: a card hidden and renamed in the
// edit mode, saved at once, then everything brought back by the reset.

#include "SectionFixture.h"

#include "core/accounting/RecipeBookFixture.h"
#include "core/text/MoneyFormat.h"
#include "gui/accounting/SummaryTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace velmora::gui::test {
namespace {

class SummaryTabTest : public SectionFixture {
protected:
    QWidget& driven() override { return m_host ? *m_host : window(); }

    void openTab() {
        const AppDatabase book = velmora::test::referenceBook();
        openSection(u"dashboard"_s, [&](AppDatabase& db) {
            db.invoiceStatuses = book.invoiceStatuses;
            db.clients = book.clients;
            db.documents = book.documents;
        });
        m_host = std::make_unique<QWidget>();
        m_tab = new SummaryTab(
            SectionServices{store(), m_dialogs, m_mail, m_urls, m_notifications, QString()},
            m_host.get());
        m_host->resize(1100, 800);
        m_host->show();
        m_tab->chooseYear(2025);
    }
    // What a card shows, or nothing when it is not on screen.
    QString cardText(const QString& id, const QString& part) {
        QCoreApplication::processEvents(); // a layout shows the widgets it takes later
        for (auto* card : m_host->findChildren<QFrame*>(u"indicator_"_s + id)) {
            if (card->isVisibleTo(m_host.get()))
                return card->findChild<QLabel*>(part)->text();
        }
        return {};
    }
    void TearDown() override {
        m_host.reset();
        SectionFixture::TearDown();
    }

    std::unique_ptr<QWidget> m_host;
    SummaryTab* m_tab = nullptr;
};

TEST_F(SummaryTabTest, HideAndRenameACardThenResetIt) {
    openTab();
    EXPECT_EQ(cardText(u"ca"_s, u"indicatorValue"_s), formatMoney(1464.5));
    // Two paid invoices, but one of the receipts is a payment of an unpaid one.
    EXPECT_EQ(cardText(u"caTotal"_s, u"indicatorValue"_s), formatMoney(1344.5));
    EXPECT_EQ(cardText(u"bestClient"_s, u"indicatorDescription"_s),
              u"Dupont; Fils · Professionnel"_s);

    click(u"summaryCustomize"_s);
    ASSERT_TRUE(m_tab->isEditing());
    find<QCheckBox>(u"summaryShow_purchases"_s)->click();
    EXPECT_FALSE(store().session().urssafSettings.summaryShowPurchases);
    type(u"summaryTitle_ca"_s, u"Encaissé"_s);
    QTest::keyClick(find<QLineEdit>(u"summaryTitle_ca"_s), Qt::Key_Return);
    EXPECT_EQ(store().session().urssafSettings.summaryCardCustomTitles,
              (QMap<QString, QString>{{u"ca_label"_s, u"Encaissé"_s}}));
    EXPECT_TRUE(sessionFile().contains("\"ca_label\""));
    click(u"summaryDone"_s);
    EXPECT_FALSE(m_tab->isEditing());
    EXPECT_EQ(cardText(u"purchases"_s, u"indicatorTitle"_s), QString()) << "hidden";
    EXPECT_EQ(cardText(u"ca"_s, u"indicatorTitle"_s), u"Encaissé"_s);

    click(u"summaryCustomize"_s);
    m_dialogs.answerNext(u"Réinitialiser"_s);
    click(u"summaryReset"_s);
    ASSERT_FALSE(m_dialogs.alerts.isEmpty());
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Réinitialiser l’affichage ?"_s);
    EXPECT_EQ(store().session().urssafSettings, URSSAFSettings{});
    EXPECT_EQ(find<QLineEdit>(u"summaryTitle_ca"_s)->text(), QString());
    click(u"summaryDone"_s);
    EXPECT_EQ(cardText(u"purchases"_s, u"indicatorTitle"_s), u"Dépenses"_s);
    EXPECT_EQ(cardText(u"ca"_s, u"indicatorTitle"_s), u"CA brut encaissé"_s);
}

} // namespace
} // namespace velmora::gui::test
