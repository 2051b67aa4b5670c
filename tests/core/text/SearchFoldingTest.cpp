#include "core/text/SearchFolding.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace velmora {
namespace {

TEST(SearchFoldingTest, FoldsCaseAccentsLigaturesAndCompatibilityForms) {
    const std::pair<QString, QString> cases[] = {
        {u"Éloïse Cœur"_s, u"eloise coeur"_s},
        {u"Œuvre d’ÆSOPE à Noël"_s, u"oeuvre d’aesope a noel"_s},
        {u"ﬁn de série"_s, u"fin de serie"_s},
        {u"1\u00a0450,00\u202f€"_s, u"1 450,00 €"_s},
        {u"Cafe\u0301 ÇA"_s, u"cafe ca"_s},
        // Past a character outside the basic plane, the rest still folds.
        {u"Fête 😀 GÂTEAU"_s, u"fete 😀 gateau"_s},
        {QString(), QString()},
    };
    for (const auto& [text, folded] : cases)
        EXPECT_EQ(foldedForSearch(text), folded) << text.toStdString();

    QString out = u"d-1\n"_s;
    appendFoldedForSearch(out, u"Élan"_s);
    EXPECT_EQ(out, u"d-1\nelan"_s);
}

TEST(SearchFoldingTest, EveryWordMustAppearInOneOfTheTexts) {
    const QStringList texts{u"Atelier Lumen"_s, u"Refonte du site"_s};
    EXPECT_TRUE(matchesSearch(u"  lumen   SITE "_s, texts));
    EXPECT_TRUE(matchesSearch(QString(), texts));
    EXPECT_FALSE(matchesSearch(u"lumen logo"_s, texts));
}

} // namespace
} // namespace velmora
