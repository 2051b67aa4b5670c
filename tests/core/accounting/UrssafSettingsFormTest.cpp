// "Paramètres cotisations": the rates each regime shows, what a typed rate
// becomes, and a saved sheet that re-plans the reminders.

#include "core/accounting/UrssafSettingsForm.h"
#include "support/FakeUserNotifications.h"
#include "support/StoreFixture.h"

using namespace velmora;
using namespace velmora::test;
using namespace Qt::StringLiterals;

namespace {

TEST(UrssafSettingsForm, EachRegimeShowsItsRatesWithTheirDefaults) {
    const struct {
        URSSAFRegime regime;
        QStringList labels;
        QStringList placeholders;
    } rows[] = {
        {URSSAFRegime::microEntrepreneur,
         {u"BIC ventes (%)"_s, u"BIC services (%)"_s, u"BNC — libéraux (%)"_s},
         {u"12,3"_s, u"21,2"_s, u"22,0"_s}},
        {URSSAFRegime::bnc, {u"Taux cotisations BNC (%)"_s}, {u"21,1"_s}},
        {URSSAFRegime::bic, {u"Taux cotisations BIC (%)"_s}, {u"25,0"_s}},
    };
    for (const auto& row : rows) {
        QStringList labels, placeholders;
        for (const UrssafRateField& field : UrssafSettingsForm::regimeRates(row.regime)) {
            labels << field.label;
            placeholders << field.placeholder;
        }
        EXPECT_EQ(labels, row.labels);
        EXPECT_EQ(placeholders, row.placeholders);
    }
}

TEST(UrssafSettingsForm, TypedRatesEmptyMeansDefaultAndNonsenseIsRefused) {
    URSSAFSettings start;
    start.microRateSales = 10;
    start.cfpRate = 0.3;
    UrssafSettingsForm form(start);
    EXPECT_EQ(form.rateText(u"cfpRate"_s), u"0,3"_s);
    form.setRateText(u"microRateSales"_s, QString());
    form.setRateText(u"cfpRate"_s, u" 0,25 "_s);
    ASSERT_TRUE(form.written().ok());
    EXPECT_EQ(form.written().value().microRateSales, 12.3);
    EXPECT_EQ(form.written().value().cfpRate, 0.25);
    for (const QString& typed : {u"abc"_s, u"101"_s, u"-1"_s, u"12 %"_s}) {
        form.setRateText(u"versementLiberatoireBNCRate"_s, typed);
        EXPECT_EQ(form.written().error(),
                  u"« Taux BNC » doit être un taux compris entre 0 et 100."_s)
            << typed.toStdString();
    }
}

TEST(UrssafSettingsForm, ReminderSentenceWritesTheFirstOfTheMonthInFull) {
    for (const auto& [day, text] :
         {std::pair{1, u"le 1er de chaque mois"}, std::pair{2, u"le 2 de chaque mois"},
          std::pair{15, u"le 15 de chaque mois"}}) {
        UrssafSettingsForm form{URSSAFSettings()};
        form.setReminderDay(day);
        EXPECT_TRUE(form.reminderSentence().contains(QString::fromUtf16(text)))
            << form.reminderSentence().toStdString();
    }
}

class UrssafSettingsSave : public StoreFixture {};

TEST_F(UrssafSettingsSave, SavedSettingsReplanRemindersOnTheTwentyEighth) {
    auto store = startStore();
    FakeUserNotifications centre;
    UrssafSettingsForm form(store->urssafSettings());
    form.settings.declarationFrequency = URSSAFDeclarationFrequency::monthly;
    form.setReminderDay(40);
    EXPECT_EQ(form.settings.declarationDayOfMonth, 31);
    EXPECT_EQ(form.reminderSentence(),
              u"Une notification système sera envoyée le 28 de chaque mois de déclaration pour "
              "vous rappeler de déclarer votre CA."_s);
    ASSERT_TRUE(store->edit([&](SessionEdit& e) { return form.save(e, centre); }).ok());
    EXPECT_EQ(readSession(workingCopy()).urssafSettings.declarationDayOfMonth, 31);
    ASSERT_EQ(centre.pending.size(), 12);
    EXPECT_EQ(std::get<CalendarTrigger>(centre.pending[0].trigger).day, 28);

    form.settings.reminderEnabled = false;
    form.setRateText(u"cfpRate"_s, u"x"_s);
    EXPECT_EQ(store->edit([&](SessionEdit& e) { return form.save(e, centre); }).kind(),
              ResultKind::invalid);
    EXPECT_EQ(centre.pending.size(), 12) << "a refused sheet leaves the reminders";
    form.setRateText(u"cfpRate"_s, u"0,2"_s);
    ASSERT_TRUE(store->edit([&](SessionEdit& e) { return form.save(e, centre); }).ok());
    EXPECT_TRUE(centre.pending.isEmpty());
}

} // namespace
