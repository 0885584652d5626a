#include "platform/held_draw_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace nv::platform {
namespace {

constexpr int kMargin = 4;

std::uint32_t groups(std::initializer_list<int> list) {
  std::uint32_t set = 0;
  for (const int g : list) set |= std::uint32_t{1} << g;
  return set;
}

// Where a group comes in the draw order.
int rank(const HeldDrawOrder& order, int group) {
  const std::vector<int> drawn = order.drawOrder();
  return static_cast<int>(std::find(drawn.begin(), drawn.end(), group) - drawn.begin());
}

TEST(HeldDrawOrder, CallsThatMeetKeepTheirOrderAndOthersJoinTheEarliestGroupTheyFit) {
  // A head, its stem across it, the next head across that stem: the second
  // head cannot join the first head's group, which comes before the stem's.
  HeldDrawOrder order(kMargin);
  EXPECT_EQ(order.add(0, {100, 100, 130, 120}).group, 0);                // head
  EXPECT_EQ(order.add(0, {126, 20, 132, 112}).group, 1);                 // stem
  EXPECT_EQ(order.add(groups({0}), {128, 90, 158, 110}).group, 2);       // next head
  // Its stem follows that head, so it cannot join the first stem.
  EXPECT_EQ(order.add(groups({1}), {154, 10, 160, 100}).group, 3);
  // A head of the next measure meets nothing held: it joins the first head
  // group, which leaves the later one free for what follows it.
  EXPECT_EQ(order.add(groups({0, 2}), {600, 100, 630, 120}).group, 0);
  EXPECT_LT(rank(order, 0), rank(order, 1));
  EXPECT_LT(rank(order, 1), rank(order, 2));
  EXPECT_LT(rank(order, 2), rank(order, 3));
  EXPECT_EQ(order.drawOrder().size(), 4u);
}

TEST(HeldDrawOrder, BoxesMeetWhenCloserThanTwoMargins) {
  struct Case {
    int gap;
    bool meets;
  };
  for (const Case c : {Case{0, true}, Case{2 * kMargin - 1, true}, Case{2 * kMargin, false}}) {
    SCOPED_TRACE(c.gap);
    HeldDrawOrder order(kMargin);
    order.add(0, {0, 0, 10, 10});
    order.add(0, {10 + c.gap, 0, 20 + c.gap, 10});  // group 1, after group 0 only if they meet
    // A call of group 0's state across the second one fits group 0 only
    // when group 0 need not come before group 1.
    EXPECT_EQ(order.add(groups({0}), {10 + c.gap, 5, 20 + c.gap, 15}).group, c.meets ? 2 : 0);
  }
}

TEST(HeldDrawOrder, OrderFollowsEveryGroupTransitively) {
  HeldDrawOrder order(kMargin);
  order.add(0, {0, 0, 10, 10});      // group 0
  order.add(0, {100, 0, 110, 10});   // group 1, apart
  order.add(0, {5, 0, 105, 10});     // group 2, after 0 and 1
  order.add(0, {200, 0, 210, 10});   // group 3, apart
  order.add(groups({3}), {100, 5, 210, 8});  // group 3 now after 2 as well
  const std::vector<int> drawn = order.drawOrder();
  ASSERT_EQ(drawn.size(), 4u);
  EXPECT_LT(rank(order, 0), rank(order, 2));
  EXPECT_LT(rank(order, 1), rank(order, 2));
  EXPECT_LT(rank(order, 2), rank(order, 3));
  // Group 0 can no longer take a call across group 3's.
  EXPECT_EQ(order.add(groups({0}), {205, 0, 206, 3}).group, 4);
}

TEST(HeldDrawOrder, ACallMeetingItsGroupsLastPartStartsANewPart) {
  HeldDrawOrder order(kMargin);
  EXPECT_FALSE(order.add(0, {0, 0, 100, 6}).newPart);
  EXPECT_FALSE(order.add(groups({0}), {0, 40, 100, 46}).newPart);  // apart
  EXPECT_TRUE(order.add(groups({0}), {96, 0, 200, 6}).newPart);    // across the first
  // Meets only a call of the earlier part, which is drawn before this one.
  EXPECT_FALSE(order.add(groups({0}), {96, 40, 200, 46}).newPart);
  EXPECT_EQ(order.groupCount(), 1);
}

TEST(HeldDrawOrder, FitsNowhereOnceAllGroupsAreMadeUntilCleared) {
  HeldDrawOrder order(kMargin);
  for (int g = 0; g < HeldDrawOrder::kMaxGroups; ++g) {
    ASSERT_EQ(order.add(0, {g * 10, 0, g * 10 + 20, 10}).group, g);  // each across the one before
  }
  EXPECT_EQ(order.add(groups({0}), {0, 0, 1000, 10}).group, -1);
  EXPECT_EQ(order.groupCount(), HeldDrawOrder::kMaxGroups);
  order.clear();
  EXPECT_TRUE(order.empty());
  EXPECT_EQ(order.add(0, {0, 0, 1000, 10}).group, 0);
}

TEST(HeldDrawOrder, FindsCallsFarOffLeftOfTheOriginAndAcrossWideBoxes) {
  HeldDrawOrder order(kMargin);
  order.add(0, {-5000, -7000, -4990, -6990});  // group 0
  order.add(0, {-100000, -6995, 100000, -6994});  // group 1, a very long line across it
  order.add(0, {50000, 3000, 50010, 3010});    // group 2, apart
  // A call across the far corner and the long line must follow both.
  EXPECT_EQ(order.add(groups({0}), {-4995, -7000, -4980, -6990}).group, 3);
  // One across group 2 fits group 0, far from everything else.
  EXPECT_EQ(order.add(groups({0}), {50005, 3005, 50020, 3020}).group, 0);
  EXPECT_LT(rank(order, 2), rank(order, 0));
}

}  // namespace
}  // namespace nv::platform
