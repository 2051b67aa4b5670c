#include "core/model/SectionDescriptor.h"

namespace velmora {

const QList<SectionDescriptor>& sectionDescriptors() {
    using Card = SectionDescriptor::WizardCard;
    static const QList<SectionDescriptor> sections{
        {QStringLiteral("dashboard"), QStringLiteral("Tableau de bord"),
         QStringLiteral("square.grid.2x2"), std::nullopt},
        {QStringLiteral("clients"), QStringLiteral("Clients"), QStringLiteral("person.2"),
         Card{QStringLiteral("person.2.fill"), 0x26a69a, 4}},
        {QStringLiteral("projects"), QStringLiteral("Activités"), QStringLiteral("briefcase"),
         Card{QStringLiteral("briefcase.fill"), 0x428bf5, 2}},
        {QStringLiteral("documents"), QStringLiteral("Documents"), QStringLiteral("doc.text"),
         Card{QStringLiteral("doc.text.fill"), 0x6c5ce7, 3}},
        {QStringLiteral("services"), QStringLiteral("Catalogue"), QStringLiteral("square.grid.2x2"),
         Card{QStringLiteral("sparkles"), 0xf5a623, 5}},
        {QStringLiteral("stock"), QStringLiteral("Stock"), QStringLiteral("shippingbox"),
         Card{QStringLiteral("shippingbox.fill"), 0x8d6e63, 6}},
        {QStringLiteral("accounting"), QStringLiteral("Comptabilité"), QStringLiteral("creditcard"),
         Card{QStringLiteral("creditcard.fill"), 0x2eb86a, 7}},
        {QStringLiteral("calendar"), QStringLiteral("Calendrier"), QStringLiteral("calendar"),
         Card{QStringLiteral("calendar"), 0xef5350, 1}},
        {QStringLiteral("externalTools"), QStringLiteral("Outils externes"),
         QStringLiteral("wrench.and.screwdriver"),
         Card{QStringLiteral("wrench.and.screwdriver"), 0x78869c, 8}},
    };
    return sections;
}

const SectionDescriptor* sectionDescriptor(const QString& key) {
    for (const SectionDescriptor& section : sectionDescriptors())
        if (section.key == key)
            return &section;
    return nullptr;
}

} // namespace velmora
