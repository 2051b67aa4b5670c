#pragma once

#include "core/store/SessionFields.h"

#include <QUuid>

#include <bitset>

namespace velmora {

// One change of the open session, made by a flow on a copy: reading goes
// through session(), writing through the accessor of a part, which marks
// that part as touched. The store then publishes and saves the touched parts
// at once (AppDataStore::edit); the command line saves them to its file.
// Copying is cheap: the lists are implicitly shared until written.
class SessionEdit {
public:
#define VELMORA_FIELD_ENUMERATOR(Type, name, Name) name,
    enum class Field { VELMORA_SESSION_FIELDS(VELMORA_FIELD_ENUMERATOR) count };
#undef VELMORA_FIELD_ENUMERATOR

    explicit SessionEdit(AppDatabase session) : m_data(std::move(session)) {}

    const AppDatabase& session() const {
        return m_data;
    }
    // The session with every change made, for a caller that writes it itself.
    AppDatabase take() && {
        return std::move(m_data);
    }

#define VELMORA_FIELD_ACCESSOR(Type, name, Name)                                                   \
    Type& name() {                                                                                 \
        m_touched.set(std::size_t(Field::name));                                                   \
        return m_data.name;                                                                        \
    }
    VELMORA_SESSION_FIELDS(VELMORA_FIELD_ACCESSOR)
#undef VELMORA_FIELD_ACCESSOR

    bool touched(Field field) const {
        return m_touched.test(std::size_t(field));
    }
    bool touchedAny() const {
        return m_touched.any();
    }

    qsizetype indexOfDocument(const QUuid& id) const;
    // The record to change, or null when it is gone; asking touches its list.
    CommercialDocumentItem* document(const QUuid& id);
    ProjectItem* project(const QUuid& id);

private:
    AppDatabase m_data;
    std::bitset<std::size_t(Field::count)> m_touched;
};

} // namespace velmora
