#include "embedded/model/row_map.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tabulara::embedded::model {
namespace {

RowMap RowsOfHeights(std::initializer_list<std::pair<std::int32_t, double>> heights) {
  RowMap rows;
  for (const auto& [number, height] : heights) rows[number].height = height;
  return rows;
}

// Each way to remove a row, with the row just found: that row is not found
// after it, and every other row is found as the map holds it.
TEST(RowMap, ARowFoundLastIsForgottenByWhateverRemovesIt) {
  const std::vector<std::pair<std::string, std::function<void(RowMap&)>>> removals = {
      {"erase by number", [](RowMap& rows) { rows.erase(5); }},
      {"erase by iterator", [](RowMap& rows) { rows.erase(rows.find(5)); }},
      {"erase by const iterator", [](RowMap& rows) { rows.erase(RowMap::const_iterator(rows.find(5))); }},
      {"clear", [](RowMap& rows) { rows.clear(); }},
      {"copy of other rows",
       [](RowMap& rows) {
         const RowMap other = RowsOfHeights({{7, 70}});
         rows = other;
       }},
      {"move of other rows",
       [](RowMap& rows) {
         RowMap other = RowsOfHeights({{7, 70}});
         rows = std::move(other);
       }},
  };
  for (const auto& [name, remove] : removals) {
    SCOPED_TRACE(name);
    RowMap rows = RowsOfHeights({{5, 50}, {7, 70}});
    ASSERT_NE(rows.Find(5), nullptr);
    EXPECT_EQ(rows.Find(5)->height, 50);
    remove(rows);
    EXPECT_EQ(std::as_const(rows).Find(5), nullptr);
    EXPECT_EQ(rows.Find(5), nullptr);
    EXPECT_FALSE(rows[5].height) << "a row made again starts empty";
    const auto seven = rows.find(7);
    EXPECT_EQ(rows.Find(7), seven != rows.end() ? &seven->second : nullptr);
  }
}

TEST(RowMap, CopiesAndMovesKeepNoRowOfTheOther) {
  RowMap rows = RowsOfHeights({{5, 50}});
  ASSERT_NE(rows.Find(5), nullptr);
  RowMap copy = rows;
  copy[5].height = 55;
  EXPECT_EQ(rows.Find(5)->height, 50);
  EXPECT_EQ(copy.Find(5)->height, 55);

  RowMap moved = std::move(rows);
  EXPECT_EQ(moved.Find(5)->height, 50);
  RowMap assigned;
  ASSERT_NE(moved.Find(5), nullptr);
  assigned = std::move(moved);
  EXPECT_EQ(moved.Find(5), nullptr) << "the rows moved from keep no row that moved away";
  EXPECT_EQ(assigned.Find(5)->height, 50);
  rows = RowsOfHeights({{6, 60}});
  EXPECT_EQ(rows.Find(5), nullptr) << "the moved-from rows keep no row that moved away";
  EXPECT_EQ(rows.Find(6)->height, 60);
}

// Each row asked for, in order, out of order, after rows made before,
// between and after the others, is the map's own or none.
TEST(RowMap, FindsEachRowAsTheMapHoldsIt) {
  RowMap rows = RowsOfHeights({{1, 10}, {2, 20}, {4, 40}, {5, 50}});
  const auto expectAsHeld = [&](std::int32_t number) {
    const auto held = rows.find(number);
    EXPECT_EQ(rows.Find(number), held != rows.end() ? &held->second : nullptr) << number;
  };
  for (const std::int32_t number : {1, 2, 3, 4, 5, 6, 5, 4, 2, 1, 5, 1, 2, 4}) expectAsHeld(number);
  rows[3].height = 30;
  rows[0].height = 0;
  rows[9].height = 90;
  for (const std::int32_t number : {0, 1, 2, 3, 4, 5, 9, 8, 3, 2, 9, 0}) expectAsHeld(number);
  EXPECT_EQ(rows.Find(3)->height, 30);
  EXPECT_EQ(rows.Find(9)->height, 90);
  EXPECT_EQ(rows.size(), 7u);
}

TEST(RowMap, FindsAndMakesRowsByNumberInAnyOrder) {
  RowMap rows;
  for (const std::int32_t number : {3, 1, 3, 2, 1}) rows[number].cells.emplace_back();
  EXPECT_EQ(rows.size(), 3u);
  for (const std::int32_t number : {1, 3, 2, 3, 1}) {
    ASSERT_NE(rows.Find(number), nullptr);
    EXPECT_EQ(rows.Find(number), &rows.find(number)->second);
  }
  EXPECT_EQ(rows.Find(1)->cells.size(), 2u);
  EXPECT_EQ(rows.Find(4), nullptr);
  EXPECT_EQ(rows.Find(2)->cells.size(), 1u);
}

}  // namespace
}  // namespace tabulara::embedded::model
