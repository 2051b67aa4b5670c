#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace velmora {

// What the program knows of one sidebar section before any widget exists:
// the sidebar's defaults, the wizard's modules and the GUI's page factories
// all read this one table. A section is added by one line here (and its
// page factory in the GUI).
struct SectionDescriptor {
    // The `defaultKey` of its sidebar entry, and the name of its GUI folder.
    QString key;
    // The French name a new session gives it.
    QString name;
    // The symbol of its sidebar entry.
    QString symbol;
    // The wizard's card: its symbol, tint (0xRRGGBB) and rank among the
    // cards; a section the wizard cannot switch off has no card.
    struct WizardCard {
        QString symbol;
        unsigned rgb = 0;
        int rank = 0;
    };
    std::optional<WizardCard> wizard;
};

// In the order of a new session's sidebar.
const QList<SectionDescriptor>& sectionDescriptors();
// Null for a key no section has.
const SectionDescriptor* sectionDescriptor(const QString& key);

} // namespace velmora
