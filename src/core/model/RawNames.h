#pragma once

#include <QString>

#include <array>
#include <optional>
#include <string_view>

namespace velmora {

// One table per enumeration: the raw names written in session files, in case
// order, and the French display names where the screens show one. Each table
// is declared next to its enumeration, in the header of the record using it.
template <class E> struct EnumTable;

// The record headers declare their tables with these, so they stay defined.
#define VELMORA_RAW(E, ...)                                                                        \
    template <> struct EnumTable<E> { static constexpr std::string_view raw[] = {__VA_ARGS__}; }
#define VELMORA_RAW_DISPLAY(E, RAW, DISPLAY)                                                       \
    template <> struct EnumTable<E> {                                                              \
        static constexpr std::string_view raw[] = RAW;                                             \
        static constexpr std::u16string_view display[] = DISPLAY;                                  \
    }
#define VELMORA_LIST(...)                                                                          \
    { __VA_ARGS__ }

template <class E> constexpr std::string_view rawName(E value) {
    return EnumTable<E>::raw[static_cast<std::size_t>(value)];
}

template <class E> constexpr std::optional<E> enumFromRaw(std::string_view raw) {
    const auto& names = EnumTable<E>::raw;
    for (std::size_t i = 0; i < std::size(names); ++i) {
        if (names[i] == raw)
            return static_cast<E>(i);
    }
    return std::nullopt;
}

template <class E>
concept HasDisplayName = requires {
    EnumTable<E>::display;
};

template <HasDisplayName E> QString displayName(E value) {
    const std::u16string_view name = EnumTable<E>::display[static_cast<std::size_t>(value)];
    return QString(reinterpret_cast<const QChar*>(name.data()), qsizetype(name.size()));
}

} // namespace velmora
