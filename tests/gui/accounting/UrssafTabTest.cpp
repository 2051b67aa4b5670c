// The URSSAF tab driven as a person would: a declaration from the recipe
// book's pre-fill, one with amounts typed, marked declared and paid, then
// deleted; the settings sheet that re-plans the reminders; the estimate of
// the month made when the session appears.

#include "SectionFixture.h"

#include "core/accounting/UrssafDeclarationForm.h"
#include "core/accounting/UrssafPeriod.h"
#include "gui/accounting/UrssafEstimateRunner.h"
#include "gui/accounting/UrssafTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeZone>
#include <QTreeView>

namespace velmora::gui::test {
namespace {

// A paid invoice of one 1 000 € liberal service line, on that local day.
void addPaidInvoice(AppDatabase& db, const QDate& day) {
    CommercialDocumentItem invoice;
    invoice.id = QUuid::createUuid();
    invoice.kind = CommercialDocumentKind::invoice;
    invoice.number = u"F-2026-001"_s;
    invoice.issueDate = QDateTime(day, QTime(12, 0), QTimeZone::systemTimeZone()).toUTC();
    invoice.encaissementDate = invoice.issueDate;
    for (const TagItem& status : db.invoiceStatuses)
        if (status.name == u"Payé"_s)
            invoice.statusID = status.id;
    CommercialDocumentLine line;
    line.id = QUuid::createUuid();
    line.kind = CommercialDocumentLineKind::service;
    line.title = u"Accompagnement"_s;
    line.priceTTC = 1000;
    line.quantity = 1;
    invoice.lines = {line};
    db.documents.append(invoice);
}

class UrssafTabTest : public SectionFixture {
protected:
    QWidget& driven() override { return m_host ? *m_host : window(); }

    void openTab(const std::function<void(AppDatabase&)>& fill = {}) {
        openSection(u"dashboard"_s, fill);
        m_host = std::make_unique<QWidget>();
        m_tab = new UrssafTab(
            SectionServices{store(), m_dialogs, m_mail, m_urls, m_notifications, QString()},
            m_host.get());
        m_host->resize(1000, 700);
        m_host->show();
    }
    // The texts of the list's rows, one "period | … | state" line each.
    QStringList rows() {
        QStringList all;
        QAbstractItemModel* model = find<QTreeView>(u"urssafList"_s)->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model->columnCount(); ++column)
                cells << model->index(row, column).data().toString();
            all << cells.join(u" | "_s);
        }
        return all;
    }
    bool shown(const QString& name) {
        for (QWidget* widget : driven().findChildren<QWidget*>(name))
            if (widget->isVisibleTo(&driven()))
                return true;
        return false;
    }
    void TearDown() override {
        m_host.reset();
        SectionFixture::TearDown();
    }

    std::unique_ptr<QWidget> m_host;
    UrssafTab* m_tab = nullptr;
};

TEST_F(UrssafTabTest, PrefilledAndTypedDeclarationsMarkedThenDeleted) {
    const UrssafPeriod last =
        previousUrssafPeriod(QDate::currentDate(), URSSAFDeclarationFrequency::trimestrial);
    const int firstMonth = urssafPeriodMonths(last.index, last.frequency).first();
    openTab([&](AppDatabase& db) { addPaidInvoice(db, QDate(last.year, firstMonth, 15)); });
    EXPECT_TRUE(shown(u"urssafEmptyAction"_s));
    EXPECT_FALSE(shown(u"urssafEstimate"_s));

    // The previous quarter, from the recipe book: 1 000 € of BNC.
    click(u"urssafEmptyAction"_s);
    EXPECT_EQ(find<QPushButton>(u"urssafFormSave"_s)->text(), u"Ajouter"_s);
    EXPECT_EQ(find<QComboBox>(u"urssafPeriod"_s)->currentText(),
              urssafPeriodName(last.index, last.frequency));
    click(u"urssafPrefill"_s);
    EXPECT_EQ(find<QLineEdit>(u"urssafBnc"_s)->text(), u"1000,00"_s);
    EXPECT_EQ(shownText(u"urssafTotal"_s), u"≈ 222,00\u00a0€"_s);
    click(u"urssafFormSave"_s);
    ASSERT_EQ(store().urssafDeclarations().size(), 1);
    const URSSAFDeclaration prefilled = store().urssafDeclarations()[0];
    EXPECT_EQ(std::tuple(prefilled.cotisationAmount, prefilled.cfpAmount), std::tuple(220.0, 2.0));

    // Last year's fourth quarter, with the URSSAF's own figures typed.
    click(u"urssafNew"_s);
    find<QSpinBox>(u"urssafYear"_s)->setValue(last.year - 1);
    find<QComboBox>(u"urssafPeriod"_s)->setCurrentIndex(3);
    type(u"urssafSales"_s, u"2000"_s);
    find<QCheckBox>(u"urssafAutoCompute"_s)->setChecked(false);
    type(u"urssafCotisation"_s, u"245,5"_s);
    type(u"urssafCfp"_s, u"4"_s);
    EXPECT_EQ(shownText(u"urssafTotal"_s), u"≈ 249,50\u00a0€"_s);
    const QString receipt = m_dir.path() + u"/virement.png"_s;
    QImage(40, 30, QImage::Format_RGB32).save(receipt);
    m_dialogs.chooseNext(QUrl::fromLocalFile(receipt));
    click(u"urssafPaymentFileChoose"_s);
    EXPECT_EQ(shownText(u"urssafPaymentFileName"_s), u"virement.png"_s);
    click(u"urssafFormSave"_s);
    ASSERT_EQ(store().urssafDeclarations().size(), 2);
    const URSSAFDeclaration typed = store().urssafDeclarations()[1];
    EXPECT_EQ(std::tuple(typed.year, typed.periodIndex, typed.cotisationAmount, typed.cfpAmount),
              std::tuple(qint64(last.year - 1), qint64(4), 245.5, 4.0));

    ASSERT_TRUE(typed.paymentFileURL.has_value());
    const QString copy = typed.paymentFileURL->toLocalFile();
    EXPECT_TRUE(copy.startsWith(store().mediaFolder())) << copy.toStdString();

    // The receipt seen in the application, then saved elsewhere.
    m_tab->select(typed.id);
    click(u"urssafViewFilesButton"_s);
    EXPECT_FALSE(find<QLabel>(u"urssafAttachmentPicture_0"_s)->pixmap().isNull());
    const QString saved = m_dir.path() + u"/copie.png"_s;
    m_dialogs.chooseNext(QUrl::fromLocalFile(saved));
    click(u"urssafAttachmentSave_0"_s);
    EXPECT_EQ(contentsOf(saved), contentsOf(receipt));
    click(u"urssafAttachmentsClose"_s);

    const QString lastText = urssafPeriodText(last);
    EXPECT_EQ(rows(),
              (QStringList{QString::number(last.year) + u" |  | CA : 1\u202f000,00\u00a0€ | "
                                                        "Cotisations : 222,00\u00a0€ | "_s,
                           lastText + u" | Trimestrielle | 1\u202f000,00\u00a0€ | 222,00\u00a0€ | "
                                      "À déclarer"_s,
                           QString::number(last.year - 1) + u" |  | CA : 2\u202f000,00\u00a0€ | "
                                                            "Cotisations : 249,50\u00a0€ | "_s,
                           u"4e trimestre "_s + QString::number(last.year - 1) +
                               u" | Trimestrielle | 2\u202f000,00\u00a0€ | 249,50\u00a0€ | "
                               "À déclarer"_s}));

    m_tab->select(prefilled.id);
    click(u"urssafMarkDeclaredButton"_s);
    click(u"urssafMarkPaidButton"_s);
    EXPECT_TRUE(store().urssafDeclarations()[0].isDeclared);
    EXPECT_TRUE(store().urssafDeclarations()[0].paidDate.has_value());
    EXPECT_EQ(find<QPushButton>(u"urssafMarkPaidButton"_s)->text(), u"Marquer non payée"_s);
    EXPECT_TRUE(rows()[1].endsWith(u"Déclaré · Payée"_s));
    click(u"urssafMarkPaidButton"_s);
    EXPECT_FALSE(store().urssafDeclarations()[0].isPaid);

    // Deleting asks first, naming the period.
    m_dialogs.alerts.clear();
    click(u"urssafDeleteButton"_s);
    ASSERT_EQ(m_dialogs.alerts.size(), 1);
    EXPECT_EQ(m_dialogs.alerts[0].message,
              u"La déclaration « "_s + lastText + u" » sera supprimée définitivement."_s);
    EXPECT_EQ(store().urssafDeclarations().size(), 2) << "refused, nothing deleted";
    confirmNextDeletion();
    click(u"urssafDeleteButton"_s);
    confirmNextDeletion();
    EXPECT_FALSE(canRun(m_tab, SectionCommand::remove)) << "nothing selected any more";
    m_tab->select(typed.id);
    ASSERT_TRUE(canRun(m_tab, SectionCommand::remove));
    run(m_tab, SectionCommand::remove);
    EXPECT_TRUE(store().urssafDeclarations().isEmpty());
    EXPECT_FALSE(QFile::exists(copy)) << "the receipt goes with its declaration";
    EXPECT_TRUE(shown(u"urssafEmptyAction"_s));
}

TEST_F(UrssafTabTest, SavedSettingsReplanRemindersOnTheTwentyEighth) {
    openTab();
    click(u"urssafSettingsButton"_s);
    EXPECT_FALSE(shown(u"urssafRate_bncRate"_s));
    auto* regime = find<QComboBox>(u"urssafRegime"_s);
    regime->setCurrentIndex(regime->findData(int(URSSAFRegime::bnc)));
    EXPECT_TRUE(shown(u"urssafRate_bncRate"_s));
    EXPECT_FALSE(shown(u"urssafRate_microRateSales"_s));
    auto* frequency = find<QComboBox>(u"urssafSettingsFrequency"_s);
    frequency->setCurrentIndex(frequency->findData(int(URSSAFDeclarationFrequency::monthly)));
    find<QSpinBox>(u"urssafReminderDay"_s)->setValue(31);
    EXPECT_EQ(shownText(u"urssafReminderSentence"_s),
              u"Une notification système sera envoyée le 28 de chaque mois de déclaration pour "
              "vous rappeler de déclarer votre CA."_s);
    click(u"urssafSettingsSave"_s);

    EXPECT_EQ(store().urssafSettings().declarationDayOfMonth, 31);
    EXPECT_EQ(store().urssafSettings().regime, URSSAFRegime::bnc);
    ASSERT_EQ(m_notifications.pending.size(), 12);
    for (const NotificationRequest& reminder : std::as_const(m_notifications.pending))
        EXPECT_EQ(std::get<CalendarTrigger>(reminder.trigger).day, 28)
            << reminder.identifier.toStdString();
}

TEST_F(UrssafTabTest, SessionShownMakesTheMonthsEstimateThatFollowsItsDocuments) {
    const QDate today = QDate::currentDate();
    openTab([&](AppDatabase& db) { addPaidInvoice(db, today); });
    QTRY_COMPARE(store().urssafDeclarations().size(), 1);
    const URSSAFDeclaration estimate = store().urssafDeclarations()[0];
    EXPECT_TRUE(estimate.isAutoGenerated);
    EXPECT_EQ(std::tuple(estimate.year, estimate.periodIndex),
              std::tuple(qint64(today.year()), qint64(today.month())));
    ASSERT_EQ(m_notifications.pending.size(), 1);
    EXPECT_EQ(m_notifications.pending[0].identifier,
              u"auto-urssaf-%1-%2"_s.arg(today.year()).arg(today.month()));
    EXPECT_TRUE(shown(u"urssafEstimate"_s));
    EXPECT_TRUE(shownText(u"urssafEstimateText"_s).startsWith(u"Estimation d"_s));
    EXPECT_TRUE(rows()[1].contains(u"Estimation · À déclarer"_s));
    EXPECT_TRUE(sessionFile().contains("\"isAutoGenerated\":true"));

    // The invoice gone, the estimate follows a moment later.
    (void)store().edit([](SessionEdit& edit) {
        edit.documents().clear();
        return Result<>();
    });
    EXPECT_EQ(store().urssafDeclarations().size(), 1) << "not while the documents change";
    QTRY_VERIFY(store().urssafDeclarations().isEmpty());
    EXPECT_FALSE(shown(u"urssafEstimate"_s));
}

TEST_F(UrssafTabTest, AnAmountWrittenTheFrenchWayCounts) {
    openTab();
    click(u"urssafEmptyAction"_s);
    type(u"urssafBnc"_s, u"1 450,00"_s);
    EXPECT_EQ(shownText(u"urssafTotal"_s), u"≈ 322,00\u00a0€"_s);
    // A refused amount keeps its text, in red, and holds the sheet open.
    type(u"urssafSales"_s, u"1 45,00"_s);
    EXPECT_TRUE(find<QLineEdit>(u"urssafSales"_s)->property("refused").toBool());
    click(u"urssafFormSave"_s);
    EXPECT_TRUE(store().urssafDeclarations().isEmpty());
    EXPECT_EQ(shownText(u"urssafFormError"_s), UrssafDeclarationForm::invalidAmountMessage());
    EXPECT_EQ(find<QLineEdit>(u"urssafSales"_s)->text(), u"1 45,00"_s);
    type(u"urssafSales"_s, QString());
    EXPECT_FALSE(find<QLineEdit>(u"urssafSales"_s)->property("refused").toBool());
    click(u"urssafFormSave"_s);
    ASSERT_EQ(store().urssafDeclarations().size(), 1);
    EXPECT_EQ(store().urssafDeclarations()[0].caPrestationsServicesBNC, 1450);
}

TEST_F(UrssafTabTest, TheQuarterDeclaredByHandCoversTheMonthsEstimate) {
    const QDate today = QDate::currentDate();
    openTab([&](AppDatabase& db) { addPaidInvoice(db, today); });
    QTRY_COMPARE(store().urssafDeclarations().size(), 1);
    const int quarter = (today.month() - 1) / 3 + 1;
    click(u"urssafNew"_s);
    find<QSpinBox>(u"urssafYear"_s)->setValue(today.year());
    find<QComboBox>(u"urssafPeriod"_s)->setCurrentIndex(quarter - 1);
    type(u"urssafBnc"_s, u"1000"_s);
    click(u"urssafFormSave"_s);
    ASSERT_EQ(store().urssafDeclarations().size(), 2);

    const QStringList list = rows();
    EXPECT_TRUE(list[0].contains(u"CA : 1\u202f000,00\u00a0€"_s)) << list[0].toStdString();
    EXPECT_TRUE(list[0].contains(u"Cotisations : 222,00\u00a0€"_s)) << list[0].toStdString();
    const QString covered = u"Couverte par la déclaration du "_s +
                            urssafPeriodName(quarter, URSSAFDeclarationFrequency::trimestrial);
    EXPECT_EQ(list.filter(covered).size(), 1) << list.join(u"\n"_s).toStdString();
    EXPECT_TRUE(std::any_of(store().urssafDeclarations().cbegin(),
                            store().urssafDeclarations().cend(),
                            [](const URSSAFDeclaration& d) {
                                return d.isAutoGenerated && d.caPrestationsServicesBNC == 1000;
                            }))
        << "the stored estimate stays as it was";
}

TEST_F(UrssafTabTest, AnEstimateThatCannotBeSavedIsSaidInTheStatusBar) {
    openSection(u"dashboard"_s, [](AppDatabase& db) { addPaidInvoice(db, QDate::currentDate()); });
    ASSERT_TRUE(store().urssafDeclarations().isEmpty()) << "the estimate ran before the failure";
    m_fs.failOn(velmora::test::FaultyFileSystem::Op::Write);
    auto* status = window().findChild<QLabel*>(u"saveStatus"_s);
    QTRY_VERIFY(status->text().startsWith(u"Enregistrement impossible : "_s));
    EXPECT_TRUE(store().urssafDeclarations().isEmpty());
    EXPECT_TRUE(m_notifications.pending.isEmpty());
}

TEST_F(UrssafTabTest, TheEmptyStatesSentenceIsShownWhole) {
    openTab();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    auto* sentence = find<QLabel>(u"urssafEmptyText"_s);
    ASSERT_NE(sentence, nullptr);
    ASSERT_TRUE(sentence->isVisible());
    EXPECT_GE(sentence->height(), sentence->heightForWidth(sentence->width()))
        << "its last line is cut";
}

} // namespace
} // namespace velmora::gui::test
