// The accounting section's recipe book: a year exported to CSV as the command
// line writes it, a receipt taken out and brought back with the total
// following and its invoice opened, the PDF exported and shown, and the
// book's header taken from the company.

#include "SectionFixture.h"

#include "core/accounting/RecipeBookFixture.h"
#include "core/accounting/RecipeBookTableModel.h"
#include "core/text/MoneyFormat.h"
#include "gui/accounting/RecipeBookTab.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPdfView>
#include <QTableView>

namespace velmora::gui::test {
namespace {

class AccountingPageTest : public SectionFixture {
protected:
    void openBook() {
        m_book = velmora::test::referenceBook();
        openSection(u"accounting"_s, [this](AppDatabase& db) {
            db.invoiceStatuses = m_book.invoiceStatuses;
            db.clients = m_book.clients;
            db.documents = m_book.documents;
        });
    }
    QTableView* table() { return find<QTableView>(u"recipeBookTable"_s); }
    void selectRow(int row) { table()->setCurrentIndex(table()->model()->index(row, 0)); }
    QString total() { return shownText(u"recipeBookTotal"_s); }
    void triggerAction(const QString& name) {
        auto* action = window().findChild<QAction*>(name);
        ASSERT_NE(action, nullptr) << name.toStdString();
        action->trigger();
    }

    AppDatabase m_book;
};

TEST_F(AccountingPageTest, ExportsAYearToCsvAsTheCommandLineDoes) {
    openBook();
    auto* tabs = window().findChild<QTabWidget*>(u"accountingTabs"_s);
    ASSERT_EQ(tabs->count(), 5);
    EXPECT_EQ(tabs->tabText(0), u"Livre de recettes"_s);
    EXPECT_EQ(tabs->tabText(1), u"URSSAF"_s);
    EXPECT_EQ(tabs->tabText(2), u"Abonnements"_s);
    EXPECT_EQ(tabs->tabText(3), u"Dépenses"_s);
    EXPECT_EQ(tabs->tabText(4), u"Synthèse"_s);
    auto* year = find<QComboBox>(u"recipeBookYear"_s);
    ASSERT_NE(year, nullptr);
    EXPECT_EQ(year->currentText(), u"Toutes les années"_s) << "no receipt this year";
    year->setCurrentIndex(year->findData(2025));
    EXPECT_EQ(shownText(u"recipeBookCount"_s), u"4 recettes"_s);
    EXPECT_EQ(total(), u"Total encaissé : "_s + formatMoney(1464.5));

    const QString path = m_dir.path() + u"/livre.csv"_s;
    m_dialogs.answerNext(u"Exporter en CSV (Excel / LibreOffice)"_s);
    m_dialogs.chooseNext(QUrl::fromLocalFile(path));
    click(u"recipeBookExport"_s);
    ASSERT_EQ(m_dialogs.panels.size(), 2) << "the session's file, then the export";
    EXPECT_EQ(m_dialogs.panels.last().title, u"Exporter le livre de recettes en CSV"_s);
    EXPECT_EQ(m_dialogs.panels.last().proposedName, u"livre-recettes-2025.csv"_s);
    EXPECT_EQ(contentsOf(path), contentsOf(QStringLiteral(VELMORA_TEST_DATA "/recipe-book.csv")));

    // A month without receipts exports nothing and says so.
    find<QComboBox>(u"recipeBookMonth"_s)->setCurrentIndex(5);
    EXPECT_EQ(shownText(u"recipeBookEmptyTitle"_s), u"Aucune recette sur cette période"_s);
    m_dialogs.answerNext(u"Exporter en CSV (Excel / LibreOffice)"_s);
    click(u"recipeBookExport"_s);
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Aucune recette trouvée"_s);
    EXPECT_EQ(m_dialogs.panels.size(), 2);
}

TEST_F(AccountingPageTest, ReceiptTakenOutAndBroughtBack) {
    openBook();
    ASSERT_EQ(table()->model()->rowCount(), 4);
    const QUuid cheque = m_book.documents[0].encaissements[0].id;
    selectRow(1);
    ASSERT_EQ(table()->model()->index(1, 0).data(RecordListModelBase::IdRole).toUuid(), cheque);

    triggerAction(u"recipeBookExclude"_s); // closed without a choice
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Retirer cet encaissement du livre de recettes ?"_s);
    EXPECT_EQ(total(), u"Total encaissé : "_s + formatMoney(1464.5));

    m_dialogs.answerNext(u"Retirer"_s);
    triggerAction(u"recipeBookExclude"_s);
    EXPECT_EQ(total(), u"Total encaissé : "_s + formatMoney(1424.5));
    EXPECT_EQ(table()->model()->rowCount(), 3);
    EXPECT_EQ(store().preferences().recipeBookExcludedEncaissementIDs, QList<QUuid>{cheque});
    EXPECT_TRUE(sessionFile().toLower().contains(cheque.toString(QUuid::WithoutBraces).toUtf8()));

    find<QCheckBox>(u"recipeBookShowRemoved"_s)->setChecked(true);
    ASSERT_EQ(table()->model()->rowCount(), 4);
    EXPECT_TRUE(table()->model()->index(1, 0).data(RecipeBookTableModel::RemovedRole).toBool());
    EXPECT_EQ(total(), u"Total encaissé : "_s + formatMoney(1424.5)) << "shown, not counted";
    selectRow(1);
    m_dialogs.answerNext(u"Réintégrer"_s);
    triggerAction(u"recipeBookReintegrate"_s);
    EXPECT_EQ(m_dialogs.alerts.last().title, u"Réintégrer au livre de recettes ?"_s);
    EXPECT_EQ(total(), u"Total encaissé : "_s + formatMoney(1464.5));
    EXPECT_TRUE(store().preferences().recipeBookExcludedEncaissementIDs.isEmpty());

    // Taken out again, and brought back from the invoice's own card.
    m_dialogs.answerNext(u"Retirer"_s);
    triggerAction(u"recipeBookExclude"_s);
    triggerAction(u"recipeBookOpenInvoice"_s);
    EXPECT_EQ(window().workspace().currentSection(), u"documents"_s);
    EXPECT_EQ(shownText(u"documentCardTitle"_s), u"Facture F-2025-001"_s);
    EXPECT_EQ(shownText(u"documentCardRecipeState"_s), u"Retirée du livre de recettes"_s);
    click(u"documentCardReintegrateRecipe"_s);
    EXPECT_TRUE(store().preferences().recipeBookExcludedEncaissementIDs.isEmpty());
    EXPECT_EQ(shownText(u"documentCardRecipeState"_s), u"Dans le livre de recettes"_s);
}

TEST_F(AccountingPageTest, PdfExportedThenShown) {
    openBook();
    const QString path = m_dir.path() + u"/livre.pdf"_s;
    m_dialogs.chooseNext(QUrl::fromLocalFile(path));
    ASSERT_TRUE(canRun(page(), SectionCommand::exportPDF));
    run(page(), SectionCommand::exportPDF);
    EXPECT_EQ(m_dialogs.panels.last().title, u"Enregistrer le livre de recettes"_s);
    EXPECT_EQ(m_dialogs.panels.last().proposedName, u"livre-recettes-toutes-annees.pdf"_s);
    QPdfDocument saved;
    ASSERT_EQ(saved.load(path), QPdfDocument::Error::None);
    EXPECT_EQ(saved.pageCount(), 1);
    auto* preview = window().findChild<QDialog*>(u"recipeBookPreview"_s);
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->findChild<QPdfView*>()->document()->pageCount(), 1);
}

// The recipe book prints its own company block: taken from the company in
// one click, checked as the settings check a SIRET, saved, then printed.
TEST_F(AccountingPageTest, HeaderOfTheBookTakenFromTheCompanyAndPrinted) {
    m_book = velmora::test::referenceBook();
    openSection(u"accounting"_s, [this](AppDatabase& db) {
        db.invoiceStatuses = m_book.invoiceStatuses;
        db.clients = m_book.clients;
        db.documents = m_book.documents;
        db.companySettings.displayName = u"Studio Nord"_s;
        db.companySettings.ownerName = u"Nora Bensaïd"_s;
        db.companySettings.siret = u"85321496700021"_s;
        db.companySettings.addressLine2 = u"69002 Lyon"_s;
    });
    click(u"recipeBookHeaderButton"_s);
    auto* sheet = window().findChild<QDialog*>(u"recipeHeader"_s);
    ASSERT_TRUE(sheet && sheet->isVisible());
    sheet->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(sheet));
    EXPECT_EQ(find<QLineEdit>(u"recipeHeaderTitle"_s)->text(), u"Livre des recettes"_s);
    EXPECT_EQ(find<QLineEdit>(u"recipeHeaderCompanyName"_s)->text(), QString());
    click(u"recipeHeaderFromCompany"_s);
    EXPECT_EQ(find<QLineEdit>(u"recipeHeaderCompanyName"_s)->text(), u"Studio Nord"_s);
    EXPECT_EQ(find<QLineEdit>(u"recipeHeaderSiret"_s)->text(), u"85321496700021"_s);

    type(u"recipeHeaderSiret"_s, u"853 214"_s);
    click(u"recipeHeaderSave"_s);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(shownText(u"recipeHeaderSiretError"_s), u"Le SIRET doit comporter 14 chiffres."_s);
    EXPECT_EQ(QApplication::focusWidget(), find<QLineEdit>(u"recipeHeaderSiret"_s));
    EXPECT_EQ(store().accountingRecipeSettings(), AccountingRecipeSettings());
    type(u"recipeHeaderSiret"_s, u"853 214 967 00021"_s);
    EXPECT_EQ(shownText(u"recipeHeaderSiretError"_s), QString());
    type(u"recipeHeaderTitle"_s, u"Recettes de l'atelier"_s);
    click(u"recipeHeaderSave"_s);
    EXPECT_FALSE(window().findChild<QDialog*>(u"recipeHeader"_s) &&
                 window().findChild<QDialog*>(u"recipeHeader"_s)->isVisible());
    EXPECT_EQ(store().accountingRecipeSettings().siret, u"85321496700021"_s);

    const QString path = m_dir.path() + u"/livre.pdf"_s;
    m_dialogs.chooseNext(QUrl::fromLocalFile(path));
    run(page(), SectionCommand::exportPDF);
    QPdfDocument saved;
    ASSERT_EQ(saved.load(path), QPdfDocument::Error::None);
    QString text = saved.getAllText(0).text();
    for (QChar& c : text)
        if (c.isSpace())
            c = QLatin1Char(' ');
    for (const QString& part : {u"RECETTES DE L'ATELIER"_s, u"Studio Nord"_s, u"Nora Bensaïd"_s,
                                u"69002 Lyon"_s, u"SIRET : 853 214 967 00021"_s})
        EXPECT_TRUE(text.simplified().contains(part)) << part.toStdString();
}

} // namespace
} // namespace velmora::gui::test
