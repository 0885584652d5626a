// Qt's keys, modifiers, buttons and the score's cursor codes as the score
// control translates them.
#include "widgets/input_mapping.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

using nv::widgets::VirtualKeyOf;

std::optional<std::uint16_t> Code(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QKeyEvent event(QEvent::KeyPress, key, modifiers);
  return VirtualKeyOf(event);
}

TEST(InputMapping, KeysOfTheKeyTableTakeTheirVirtualKeyCodes) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    int code;
  };
  const Case cases[] = {
      {Qt::Key_Backspace, Qt::NoModifier, 8},  {Qt::Key_Delete, Qt::NoModifier, 46},
      {Qt::Key_PageUp, Qt::NoModifier, 33},    {Qt::Key_PageDown, Qt::ControlModifier, 34},
      {Qt::Key_End, Qt::NoModifier, 35},       {Qt::Key_Home, Qt::NoModifier, 36},
      {Qt::Key_Left, Qt::NoModifier, 37},      {Qt::Key_Up, Qt::AltModifier, 38},
      {Qt::Key_Right, Qt::ShiftModifier, 39},  {Qt::Key_Down, Qt::NoModifier, 40},
      {Qt::Key_C, Qt::ControlModifier, 67},    {Qt::Key_V, Qt::ControlModifier, 86},
      {Qt::Key_X, Qt::ControlModifier, 88},    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, 90},
      {Qt::Key_Plus, Qt::KeypadModifier, 107}, {Qt::Key_Minus, Qt::KeypadModifier, 109},
      // The arrows of the numeric pad are the arrows.
      {Qt::Key_Up, Qt::KeypadModifier, 38},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Code(c.key, c.modifiers), std::optional<std::uint16_t>(c.code)) << "Qt key " << c.key;
  }
}

TEST(InputMapping, PlusAndMinusOffTheNumericPadAreNotItsKeys) {
  EXPECT_EQ(Code(Qt::Key_Plus), std::nullopt);
  EXPECT_EQ(Code(Qt::Key_Minus), std::nullopt);
  EXPECT_EQ(Code(Qt::Key_5, Qt::KeypadModifier), std::optional<std::uint16_t>(101));
  EXPECT_EQ(Code(Qt::Key_5), std::optional<std::uint16_t>('5'));
  EXPECT_EQ(Code(Qt::Key_F1), std::optional<std::uint16_t>(112));
}

TEST(InputMapping, ModifiersAndButtonsBecomeShiftFlags) {
  using nv::widgets::ShiftStateOf;
  EXPECT_EQ(ShiftStateOf(Qt::NoModifier, Qt::NoButton), 0u);
  EXPECT_EQ(ShiftStateOf(Qt::ShiftModifier | Qt::AltModifier | Qt::ControlModifier, Qt::NoButton),
            ssShift | ssAlt | ssCtrl);
  EXPECT_EQ(ShiftStateOf(Qt::ControlModifier, Qt::LeftButton | Qt::RightButton | Qt::MiddleButton),
            ssCtrl | ssLeft | ssRight | ssMiddle);
  // The keypad flag is no modifier of the score's.
  EXPECT_EQ(ShiftStateOf(Qt::KeypadModifier, Qt::NoButton), 0u);
}

TEST(InputMapping, ButtonsMapAndExtraButtonsAreNone) {
  using nv::widgets::MouseButtonOf;
  EXPECT_EQ(MouseButtonOf(Qt::LeftButton), TECMouseButton::mbLeft);
  EXPECT_EQ(MouseButtonOf(Qt::RightButton), TECMouseButton::mbRight);
  EXPECT_EQ(MouseButtonOf(Qt::MiddleButton), TECMouseButton::mbMiddle);
  EXPECT_EQ(MouseButtonOf(Qt::BackButton), std::nullopt);
}

}  // namespace
