#pragma once

#include <QDialog>
#include <QTest>

#include <gtest/gtest.h>

#include "widgets/beeper.h"
#include "widgets/logic/format_settings.h"
#include "widgets/logic/tick_clock.h"

namespace field_fixture {

// Counts the beeps a field gives instead of sounding them.
struct CountingBeeper : nv::widgets::Beeper {
  void Beep() override { ++count; }
  int count = 0;
};

// A shown, active dialog with its own format settings, beeper and held clock.
struct ShownDialog : ::testing::Test {
  ShownDialog() { dialog.resize(320, 200); }
  // Shows the dialog, makes it active and gives `field` the focus.
  void Show(QWidget& field) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    field.setFocus();
    QCoreApplication::processEvents();
  }

  nv::widgets::FormatSettings settings;
  CountingBeeper beeper;
  nv::widgets::ManualTickClock clock;
  QDialog dialog;
};

}  // namespace field_fixture
