// A QtTest table written as rows: the columns' names once, then each row as
// its name and its values in the columns' order; and the test function's
// values of the current row, fetched in one go, e.g.
//   Table<QString, int>({"formula", "length"}, {{"sum", "1+2", 3}, {"empty", "", 0}});
//   const auto [formula, length] = Fetch<QString, int>({"formula", "length"});
#pragma once

#include <QtTest>
#include <array>
#include <initializer_list>
#include <tuple>
#include <utility>

namespace QuilloTest {

template <typename... Columns>
void Table(const std::array<const char*, sizeof...(Columns)>& names,
           std::initializer_list<std::tuple<const char*, Columns...>> rows) {
  [&]<std::size_t... column>(std::index_sequence<column...>) {
    (QTest::addColumn<Columns>(names[column]), ...);
  }(std::index_sequence_for<Columns...>());
  for (const auto& row : rows) {
    std::apply([](const char* name, const Columns&... values) { (QTest::newRow(name) << ... << values); },
               row);
  }
}

template <typename... Columns>
std::tuple<Columns...> Fetch(const std::array<const char*, sizeof...(Columns)>& names) {
  return [&]<std::size_t... column>(std::index_sequence<column...>) {
    return std::tuple<Columns...>(
        *static_cast<Columns*>(QTest::qData(names[column], qMetaTypeId<Columns>()))...);
  }(std::index_sequence_for<Columns...>());
}

}  // namespace QuilloTest
