#include "dialogs/logic/information_rules.h"

#include <gtest/gtest.h>

namespace nv::dialogs {
namespace {

TEST(RouteOfLink, LocalPagesInsideWebAndMailOutsideTheRestNowhere) {
  const struct {
    const char* scheme;
    LinkRoute route;
  } cases[] = {
      {"", LinkRoute::Inside},         {"file", LinkRoute::Inside},      {"FILE", LinkRoute::Inside},
      {"http", LinkRoute::Desktop},    {"https", LinkRoute::Desktop},    {"HTTPS", LinkRoute::Desktop},
      {"mailto", LinkRoute::Desktop},  {"ftp", LinkRoute::Ignored},      {"javascript", LinkRoute::Ignored},
      {"data", LinkRoute::Ignored},    {"httpx", LinkRoute::Ignored},
  };
  for (const auto& c : cases) EXPECT_EQ(RouteOfLink(c.scheme), c.route) << c.scheme;
}

TEST(SplashTiming, ClosesOnlyWhenShownAndMoreThanASecondAfterTheWindowWasMade) {
  SplashTiming timing;
  EXPECT_FALSE(timing.CloseDue(50'000, true));  // the window is not made yet
  timing.MainWindowMade(10'000);
  EXPECT_FALSE(timing.CloseDue(10'220, true));
  EXPECT_FALSE(timing.CloseDue(11'000, true));  // exactly a second: not yet
  EXPECT_TRUE(timing.CloseDue(11'001, true));
  EXPECT_FALSE(timing.CloseDue(20'000, false));  // a hidden splash stays as it is
}

}  // namespace
}  // namespace nv::dialogs
