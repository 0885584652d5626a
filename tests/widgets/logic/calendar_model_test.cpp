#include "widgets/logic/calendar_model.h"

#include <gtest/gtest.h>

#include "widgets/logic/time_panel_model.h"

namespace nv::widgets {
namespace {

const Date kToday{2024, 6, 15};

CalendarModel At(const Date& date) {
  CalendarModel model([] { return kToday; });
  model.SetCalendarDate(date);
  return model;
}

TEST(CalendarModel, TheFirstStandsInItsWeekdaysColumn) {
  CalendarModel september = At({2024, 9, 10});  // 1 September 2024 is a Sunday
  EXPECT_EQ(september.FirstColumn(), 6);
  EXPECT_EQ(september.DayAt(6, 1), 1);
  EXPECT_EQ(september.DayAt(5, 1), std::nullopt);
  EXPECT_EQ(september.DayAt(0, 6), 30);
  CalendarModel july = At({2024, 7, 20});  // 1 July 2024 is a Monday
  EXPECT_EQ(july.DayAt(0, 1), 1);
  EXPECT_TRUE(july.IsWeekendColumn(6));
  EXPECT_FALSE(july.IsWeekendColumn(0));
  EXPECT_EQ(CalendarModel::ShortDayName(july.WeekdayOfColumn(0)), "Mon");
  july.SetStartOfWeek(DayOfWeek::Sun);
  EXPECT_EQ(july.DayAt(1, 1), 1);
  EXPECT_TRUE(july.IsWeekendColumn(0));
}

TEST(CalendarModel, MonthAndYearStepsClampTheDay) {
  struct Case {
    Date from;
    void (CalendarModel::*step)();
    Date to;
  } cases[] = {
      {{2023, 1, 31}, &CalendarModel::NextMonth, {2023, 2, 28}},
      {{2024, 1, 31}, &CalendarModel::NextMonth, {2024, 2, 29}},
      {{2024, 3, 31}, &CalendarModel::PreviousMonth, {2024, 2, 29}},
      {{2024, 1, 15}, &CalendarModel::PreviousMonth, {2023, 12, 15}},
      {{2024, 12, 31}, &CalendarModel::NextMonth, {2025, 1, 31}},
      {{2024, 2, 29}, &CalendarModel::NextYear, {2025, 2, 28}},
      {{2024, 2, 29}, &CalendarModel::PreviousYear, {2023, 2, 28}},
  };
  for (const Case& c : cases) {
    CalendarModel model = At(c.from);
    (model.*c.step)();
    EXPECT_EQ(model.CalendarDate(), c.to) << c.from.year << "-" << c.from.month << "-" << c.from.day;
  }
  EXPECT_TRUE(calendar::IsLeapYear(2000));
  EXPECT_FALSE(calendar::IsLeapYear(1900));
}

TEST(CalendarModel, SettersIgnoreWhatDoesNotExist) {
  CalendarModel model = At({2024, 4, 10});
  int changes = 0;
  model.onChange = [&] { ++changes; };
  model.SetDay(31);
  model.SetMonth(13);
  model.SetMonth(0);
  model.SetDay(10);
  EXPECT_EQ(model.CalendarDate(), (Date{2024, 4, 10}));
  EXPECT_EQ(changes, 0);
  model.SetDay(30);
  model.SetMonth(2);
  EXPECT_EQ(model.CalendarDate(), (Date{2024, 2, 29}));
  EXPECT_EQ(changes, 2);
  EXPECT_FALSE(model.UseCurrentDate());
}

TEST(CalendarModel, KeysMoveAcceptCancelAndGoToToday) {
  CalendarModel model = At({2024, 3, 1});
  EXPECT_EQ(model.Press(CalendarModel::Key::Left), CalendarModel::KeyResult::Moved);
  EXPECT_EQ(model.CalendarDate(), (Date{2024, 2, 29}));
  model.Press(CalendarModel::Key::Plus);
  EXPECT_EQ(model.CalendarDate(), (Date{2024, 3, 1}));
  model.Press(CalendarModel::Key::Today);
  EXPECT_EQ(model.CalendarDate(), kToday);
  EXPECT_EQ(model.Press(CalendarModel::Key::Enter), CalendarModel::KeyResult::Accept);
  EXPECT_EQ(model.Press(CalendarModel::Key::Escape), CalendarModel::KeyResult::Cancel);
  EXPECT_EQ(model.Title(), "June, 2024");
}

TEST(TimePanelModel, SecondsFollowTheFormatAndSpinnersWrap) {
  FormatSettings settings;
  TimePanelModel full(settings);
  EXPECT_EQ(full.PopupWidth(), 68);
  EXPECT_EQ(full.SpinnerCount(), 3);
  settings.longTimeFormat = "HH:MM";
  TimePanelModel short_(settings);
  EXPECT_EQ(short_.PopupWidth(), 48);
  EXPECT_EQ(short_.SpinnerCount(), 2);
  short_.SetTime({23, 59, 30});
  EXPECT_EQ(short_.Time().second, 0);
  EXPECT_TRUE(short_.Spin(TimePanelModel::kHour, 1));
  EXPECT_EQ(short_.Time().hour, 0);
  short_.Spin(TimePanelModel::kMinute, 1);
  EXPECT_EQ(short_.Time().minute, 0);
  EXPECT_EQ(short_.Time().hour, 0) << "spinners wrap on their own";
  short_.SetTime({25, 61, 0});
  EXPECT_EQ(short_.Time(), TimeOfDay{});
  const TimePanelModel::Box second = full.SpinnerBox(TimePanelModel::kSecond, 64, 50);
  EXPECT_EQ(second.x, 4 + 2 * 18);
  EXPECT_EQ(second.width, 18);
  EXPECT_EQ(second.height, 22);
}

}  // namespace
}  // namespace nv::widgets
