// How a SIRET is printed on quotes, invoices and the recipe book.

#include "core/text/SiretFormat.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(SiretFormatTest, FourteenDigitsGoInGroupsOfThreeThreeThreeFive) {
    struct Case {
        const char16_t* typed;
        const char16_t* printed;
    };
    for (const Case& c : {
             Case{u"85321496700021", u"853\u00a0214\u00a0967\u00a000021"},
             Case{u" 853 214 967 00021 ", u"853\u00a0214\u00a0967\u00a000021"},
             Case{u"8532 1496 7000 21", u"853\u00a0214\u00a0967\u00a000021"},
             Case{u"853\u00a0214\u202f967\t00021", u"853\u00a0214\u00a0967\u00a000021"},
             // Not a SIRET: printed as typed, trimmed.
             Case{u" 123 ", u"123"},
             Case{u"853214967000210", u"853214967000210"},
             Case{u"853-214-967-00021", u"853-214-967-00021"},
             Case{u"８５３２１４９６７０００２１", u"８５３２１４９６７０００２１"},
             Case{u"", u""},
         }) {
        const QString typed = QString::fromUtf16(c.typed);
        EXPECT_EQ(formatSiret(typed), QString::fromUtf16(c.printed)) << typed.toStdString();
    }
}

} // namespace
} // namespace velmora
