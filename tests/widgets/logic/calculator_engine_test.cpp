#include "widgets/logic/calculator_engine.h"

#include <gtest/gtest.h>

namespace nv::widgets {
namespace {

class CalculatorEngineTest : public ::testing::Test {
 protected:
  CalculatorEngineTest() {
    engine.onBeep = [this] { ++beeps; };
    engine.onClose = [this](int code) { closes.push_back(code); };
  }
  void Type(const std::string& keys) {
    for (char k : keys) engine.Key(k);
  }

  FormatSettings settings;
  CalculatorEngine engine{settings};
  int beeps = 0;
  std::vector<int> closes;
};

TEST_F(CalculatorEngineTest, KeySequencesGiveTheirDisplays) {
  struct Case {
    const char* keys;
    const char* display;
  } cases[] = {
      {"200+10%", "220"}, {"200*10%", "20"},  {"1/3=", "0.333333333333333"},
      {"9Q", "3"},        {"4_Q", "Error"},   {"0R", "Error"},
      {"1+2=4", "4"},     {"12-20=", "-8"},   {"5_\b", "0"},
      {"3*4=+1=", "13"},  {"C.", "0."},       {"2R", "0.5"},
  };
  for (const Case& c : cases) {
    CalculatorEngine fresh(settings);
    for (const char* k = c.keys; *k; ++k) fresh.Key(*k);
    EXPECT_EQ(fresh.Display(), c.display) << c.keys;
  }
}

TEST_F(CalculatorEngineTest, DivisionByZeroIsAnErrorThatOnlyClearLeaves) {
  Type("7/0=");
  EXPECT_EQ(engine.Display(), "Error");
  EXPECT_EQ(engine.CurrentStatus(), CalculatorEngine::Status::Error);
  EXPECT_EQ(beeps, 1);
  Type("5+.\b");
  engine.MemoryStore();
  engine.MemoryRecall();
  EXPECT_EQ(engine.Display(), "Error");
  EXPECT_FALSE(engine.Value().has_value());
  engine.Key(CalculatorEngine::kEscape);
  EXPECT_EQ(engine.Display(), "0");
  Type("7/0=C");
  EXPECT_EQ(engine.Display(), "0");
}

TEST_F(CalculatorEngineTest, ANonFiniteResultIsAnError) {
  engine.Paste("1E300");
  engine.Key('*');
  engine.Paste("1E300");
  engine.Key('=');
  EXPECT_EQ(engine.Display(), "Error");
}

TEST_F(CalculatorEngineTest, TheSixteenthDigitBeeps) {
  Type("1234567890123456");
  EXPECT_EQ(engine.Display(), "123456789012345");
  EXPECT_EQ(beeps, 1);
  Type("C12345678901234_5");
  EXPECT_EQ(engine.Display(), "-123456789012345") << "the sign does not count";
  Type("6");
  EXPECT_EQ(beeps, 2);
}

TEST_F(CalculatorEngineTest, TheSeparatorIsTheProgramsOne) {
  settings.decimalSeparator = ',';
  Type("C.5");
  EXPECT_EQ(engine.Display(), "0,5");
  Type(",");
  EXPECT_EQ(engine.Display(), "0,5");
  EXPECT_EQ(engine.KeyTagFor(','), engine.KeyTagFor('.'));
}

TEST_F(CalculatorEngineTest, MemoryStoresRecallsAndShowsItsLabel) {
  Type("42");
  EXPECT_FALSE(engine.MemoryShown());
  engine.MemoryStore();
  EXPECT_TRUE(engine.MemoryShown());
  Type("C");
  engine.MemoryRecall();
  EXPECT_EQ(engine.Display(), "42");
  engine.MemoryAdd();
  Type("C");
  engine.MemoryRecall();
  EXPECT_EQ(engine.Display(), "84");
  engine.MemoryClear();
  EXPECT_FALSE(engine.MemoryShown());
}

TEST_F(CalculatorEngineTest, PasteDropsTheCurrencyAndReadsANumber) {
  engine.Paste(" $12.5 ");
  EXPECT_EQ(engine.Display(), "12.5");
  engine.Paste("abc");
  EXPECT_EQ(engine.Display(), "0");
}

TEST_F(CalculatorEngineTest, FinishingKeysCloseAccepting) {
  Type("2+3");
  EXPECT_TRUE(closes.empty());
  engine.Key(CalculatorEngine::kEnter);
  EXPECT_EQ(closes, std::vector<int>{CalculatorEngine::kAccept});
  EXPECT_EQ(engine.Display(), "5");
}

TEST_F(CalculatorEngineTest, LoadingAFieldStartsANewEntry) {
  engine.Load("");
  EXPECT_EQ(engine.Display(), "0");
  engine.Load("12.5");
  EXPECT_EQ(engine.Display(), "12.5");
  engine.Key('3');
  EXPECT_EQ(engine.Display(), "3");
  engine.Load("junk");
  EXPECT_EQ(engine.Display(), "0");
}

TEST_F(CalculatorEngineTest, TheDisplayCallbackFollowsTypingButNotTheError) {
  int changes = 0;
  engine.onDisplayChange = [&] { ++changes; };
  Type("12");
  EXPECT_EQ(changes, 2);
  Type("/0=");
  EXPECT_EQ(changes, 3) << "the new entry shows 0; the error is no display change";
}

}  // namespace
}  // namespace nv::widgets
