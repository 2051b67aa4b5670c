#pragma once

#include <QList>

#include <functional>
#include <type_traits>

namespace velmora::test {

// One member of every item, in order: mapped(tags, &TagItem::name). A failure
// then prints the names instead of whole records.
template <class List, class Member> auto mapped(const List& items, Member member) {
    using Item = typename List::value_type;
    QList<std::decay_t<std::invoke_result_t<Member, const Item&>>> values;
    for (const Item& item : items)
        values.append(std::invoke(member, item));
    return values;
}

} // namespace velmora::test
