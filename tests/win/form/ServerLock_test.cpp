// One wizard at a time on a server: the update lock, held from pre-flight checks that passed until the run has been
// wound up.
#include <windows.h>

#include <string>
#include <thread>

#include "WizardSupport.h"

namespace {

using tessaron::testsupport::ComputerName;
using tessaron::testsupport::WriteBytes;
using wizardtest::EnvironmentVariable;
using wizardtest::WizardTest;

constexpr char kLockName[] = "Global\\TessaronUpdateWizard";

// Whether another wizard could take the lock now. Asked from a thread of its own, since the thread that holds a
// mutex takes it again.
bool LockFree() {
  bool free = false;
  std::thread other([&] {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, kLockName);
    if (!mutex) return;
    const DWORD wait = WaitForSingleObject(mutex, 0);
    free = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    if (free) ReleaseMutex(mutex);
    CloseHandle(mutex);
  });
  other.join();
  return free;
}

// The lock held by another wizard, a thread of its own, for the scope.
class LockHeldElsewhere {
 public:
  LockHeldElsewhere() {
    thread_ = std::thread([this] {
      HANDLE mutex = CreateMutexA(nullptr, FALSE, kLockName);
      Held = mutex && WaitForSingleObject(mutex, 0) == WAIT_OBJECT_0;
      SetEvent(taken_);
      WaitForSingleObject(release_, INFINITE);
      if (Held) ReleaseMutex(mutex);
      if (mutex) CloseHandle(mutex);
    });
    WaitForSingleObject(taken_, INFINITE);
  }
  ~LockHeldElsewhere() {
    SetEvent(release_);
    thread_.join();
    CloseHandle(taken_);
    CloseHandle(release_);
  }
  LockHeldElsewhere(const LockHeldElsewhere&) = delete;
  LockHeldElsewhere& operator=(const LockHeldElsewhere&) = delete;

  bool Held = false;

 private:
  HANDLE taken_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread thread_;
};

TEST_F(WizardTest, StartIsRefusedWhileAnotherWizardHoldsTheServerAndTheLockLastsFromTheChecksToTheWindUp) {
  const std::string release = scratch.Path + "go";
  std::string releaseInScenario;  // backslashes doubled
  for (char c : release) releaseInScenario += c == '\\' ? std::string(2, c) : std::string(1, c);
  ASSERT_TRUE(WriteBytes(scratch.Path + "held.scenario", "await " + releaseInScenario + "\nprint done\n"));
  wizardtest::StartableRun run(*form, scratch.Path + "Home", scratch.Path + "held.scenario");
  const std::string started = scratch.Path + "engine-started.txt";
  EnvironmentVariable argsFile("ZUK_ARGS_FILE", started);
  GoToConfirmation();

  {
    LockHeldElsewhere other;
    ASSERT_TRUE(other.Held);
    boxes.Clear();
    EXPECT_TRUE(PressNext());
    EXPECT_EQ(Page(), 4);
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Text,
              "Cannot start an update at this time, because another update wizard is preparing or running an update "
              "on this server.");
    EXPECT_EQ(boxes.Boxes[0].Caption, "Error");
    EXPECT_EQ(boxes.Boxes[0].Flags, 0u);
  }

  // Any other refusal gives the lock up again.
  ASSERT_TRUE(wizardtest::WriteProductRegistry({"2.2.1", ComputerName(), "", "OFF"}));
  boxes.Clear();
  EXPECT_TRUE(PressNext());
  EXPECT_EQ(Page(), 4);
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text,
            "Cannot start an update at this time, because the system is not in \"Maintenance Mode\".\r\rThe Tessaron "
            "Administrator application (TOLK) can be used to switch to \"Maintenance Mode\".");
  EXPECT_TRUE(LockFree());

  // Checks that pass hold it while the engine runs, until the completion page has been written.
  ASSERT_TRUE(wizardtest::WriteProductRegistry(wizardtest::PrimaryAt("2.2.1")));
  boxes.Clear();
  bool engineStarted = false;
  bool heldMeanwhile = false;
  std::thread watcher([&] {
    for (int poll = 0; poll < 3000 && !engineStarted; ++poll) {
      engineStarted = GetFileAttributesA(started.c_str()) != INVALID_FILE_ATTRIBUTES;
      if (!engineStarted) Sleep(20);
    }
    heldMeanwhile = !LockFree();
    WriteBytes(release, "");
  });
  EXPECT_TRUE(PressNext());
  watcher.join();
  EXPECT_TRUE(engineStarted);
  EXPECT_TRUE(heldMeanwhile);
  EXPECT_EQ(Page(), 6);
  EXPECT_TRUE(LockFree());
  EXPECT_TRUE(boxes.Boxes.empty());
}

}  // namespace
