#pragma once

#include "core/model/AppDatabase.h"

#include <QStringList>

#include <string_view>
#include <vector>

namespace velmora::test {

namespace detail {

// Collects the address of every root field, in file order.
struct FieldAddresses {
    template <class T> void required(std::string_view, T& v) { addresses.push_back(&v); }
    template <class T> void optional(std::string_view, std::optional<T>& v) {
        addresses.push_back(&v);
    }
    template <class T> void fallback(std::string_view, T& v, const std::type_identity_t<T>& = T{}) {
        addresses.push_back(&v);
    }
    std::vector<const void*> addresses;
};

// Walks the same fields of another session beside them.
struct FieldComparer {
    template <class T> void compare(std::string_view key, const T& v) {
        if (!(v == *static_cast<const T*>(other[next++])))
            differing.append(QString::fromUtf8(key.data(), qsizetype(key.size())));
    }
    template <class T> void required(std::string_view key, T& v) { compare(key, v); }
    template <class T> void optional(std::string_view key, std::optional<T>& v) { compare(key, v); }
    template <class T>
    void fallback(std::string_view key, T& v, const std::type_identity_t<T>& = T{}) {
        compare(key, v);
    }
    std::vector<const void*> other;
    std::size_t next = 0;
    QStringList differing;
};

} // namespace detail

// The root keys whose values differ: a failure names what differs instead of
// printing two whole sessions.
inline QStringList differingKeys(AppDatabase actual, AppDatabase expected) {
    detail::FieldAddresses addresses;
    describe(addresses, expected);
    detail::FieldComparer comparer;
    comparer.other = std::move(addresses.addresses);
    describe(comparer, actual);
    return comparer.differing;
}

} // namespace velmora::test
