#include "model/inline_vector.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using List = InlineVector<std::unique_ptr<int>>;

std::vector<int> Values(const List& list) {
  std::vector<int> values;
  for (const auto& element : list) values.push_back(*element);
  return values;
}

List Of(std::initializer_list<int> values) {
  List list;
  for (int v : values) list.push_back(std::make_unique<int>(v));
  return list;
}

TEST(InlineVector, KeepsOneElementInsideAndMoreOnTheHeap) {
  List list;
  EXPECT_TRUE(list.empty());
  list.push_back(std::make_unique<int>(1));
  EXPECT_EQ(list.capacity(), 1u);
  EXPECT_EQ(static_cast<const void*>(list.data()), static_cast<const void*>(&list));
  list.push_back(std::make_unique<int>(2));
  list.push_back(std::make_unique<int>(3));
  EXPECT_GE(list.capacity(), 3u);
  EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(*list.front(), 1);
  EXPECT_EQ(*list.back(), 3);
  EXPECT_EQ(*list[1], 2);
}

TEST(InlineVector, InsertsAndErasesInPlace) {
  List list = Of({1, 4});
  list.insert(list.begin() + 1, std::make_unique<int>(2));
  std::vector<std::unique_ptr<int>> more;
  more.push_back(std::make_unique<int>(0));
  more.push_back(std::make_unique<int>(9));
  list.insert(list.begin(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
  EXPECT_EQ(Values(list), (std::vector<int>{0, 9, 1, 2, 4}));

  const auto next = list.erase(list.begin() + 1);
  EXPECT_EQ(**next, 1);
  EXPECT_EQ(erase_if(list, [](const auto& e) { return *e % 2 == 0; }), 3u);
  EXPECT_EQ(Values(list), (std::vector<int>{1}));
  list.back() = nullptr;
  EXPECT_EQ(erase(list, nullptr), 1u);
  EXPECT_TRUE(list.empty());
}

TEST(InlineVector, MovesInlineAndHeapContents) {
  for (const auto& values : {std::vector<int>{}, std::vector<int>{7}, std::vector<int>{7, 8, 9}}) {
    List from;
    for (int v : values) from.push_back(std::make_unique<int>(v));
    List to(std::move(from));
    EXPECT_EQ(Values(to), values);
    EXPECT_TRUE(from.empty());
    List assigned = Of({5, 6});
    assigned = std::move(to);
    EXPECT_EQ(Values(assigned), values);
    from.push_back(std::make_unique<int>(4));
    EXPECT_EQ(Values(from), std::vector<int>{4});
  }
}

TEST(InlineVector, IteratesBackwards) {
  const List list = Of({1, 2, 3});
  std::vector<int> values;
  for (auto it = list.rbegin(); it != list.rend(); ++it) values.push_back(**it);
  EXPECT_EQ(values, (std::vector<int>{3, 2, 1}));
}

}  // namespace
