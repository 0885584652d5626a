// The note clipboard on a real X display: one program copies, the
// clipboard's target list names our format, and a second program pastes.
// The test starts its own Xvfb and is skipped only where Xvfb is missing.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include <unistd.h>

#include "editing/note_clipboard.h"

namespace {

// A process started by the test and ended by it, by its own handle.
class Child {
 public:
  Child(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment) {
    process_.setProcessEnvironment(environment);
    process_.start(program, arguments);
    process_.waitForStarted(5000);
  }
  ~Child() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished(5000);
  }
  QProcess& process() { return process_; }

 private:
  QProcess process_;
};

// Waits up to five seconds for a condition.
template <typename Condition>
bool WaitFor(Condition condition) {
  for (int i = 0; i < 100; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return condition();
}

// Runs a program to its end; its standard output, or a note of its failure.
// What it wrote to standard error (warnings of the platform's libraries
// among them) goes to `errors`.
std::string RunToEnd(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                int& status, std::string& errors) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  if (!process.waitForFinished(20000)) {
    process.kill();
    process.waitForFinished(5000);
    status = -1;
    return "(did not finish)";
  }
  status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  errors = process.readAllStandardError().toStdString();
  return process.readAllStandardOutput().toStdString();
}

TEST(SystemClipboard, AnotherProgramSeesTheFormatAndASecondCopyPastes) {
  const QString xvfb = QStandardPaths::findExecutable("Xvfb");
  if (xvfb.isEmpty()) GTEST_SKIP() << "Xvfb is not installed: the system clipboard test needs an X server";
  const QString xclip = QStandardPaths::findExecutable("xclip");
  ASSERT_FALSE(xclip.isEmpty()) << "xclip is missing; scripts/install-deps.sh installs it";

  // A display number no other server holds.
  int display = 200 + static_cast<int>(::getpid() % 300);
  while (std::filesystem::exists("/tmp/.X" + std::to_string(display) + "-lock")) ++display;
  const QString name = QString(":%1").arg(display);
  Child server(xvfb, {name, "-nolisten", "tcp", "-screen", "0", "640x480x24"}, QProcessEnvironment::systemEnvironment());
  ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(display)); }))
      << "Xvfb did not start on " << name.toStdString();

  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("DISPLAY", name);
  environment.insert("QT_QPA_PLATFORM", "xcb");
  // The X keyboard library hands strndup names that end at their length, not
  // at a zero; AddressSanitizer's strict string check reads them as C strings
  // and reports the system library, so the programs on the display run
  // without that one check.
  QString sanitizer = environment.value("ASAN_OPTIONS");
  sanitizer.remove("strict_string_checks=1");
  environment.insert("ASAN_OPTIONS", sanitizer);
  Child copier(NOTAVISTRA_CLIPBOARD_PROBE, {"copy"}, environment);
  ASSERT_TRUE(WaitFor([&] {
    copier.process().waitForReadyRead(50);
    return copier.process().canReadLine();
  })) << copier.process().readAllStandardError().toStdString();
  ASSERT_EQ(copier.process().readLine().trimmed().toStdString(), "copied");

  int status = 0;
  std::string errors;
  const std::string targets =
      RunToEnd(xclip, {"-selection", "clipboard", "-t", "TARGETS", "-o"}, environment, status, errors);
  EXPECT_EQ(status, 0) << targets << errors;
  EXPECT_NE(targets.find(TVORadizClipboard::kFormat), std::string::npos) << targets << errors;

  // The copied C quarter at 0 and dotted E quarter at 32 of measure 0, at
  // the start of measure 3.
  const std::string pasted = RunToEnd(NOTAVISTRA_CLIPBOARD_PROBE, {"paste"}, environment, status, errors);
  EXPECT_EQ(status, 0) << pasted << errors;
  EXPECT_EQ(pasted, "21 5 0 32\n23 5 32 48\n") << errors;
}

}  // namespace
