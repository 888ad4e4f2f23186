// One wizard at a time on a server: the update lock, held from pre-flight checks that passed until the run has been
// wound up.
#include <windows.h>

#include <string>
#include <thread>

#include "WizardSupport.h"

namespace {

using tessaron::testsupport::ComputerName;
using wizardtest::WizardTest;

// Another wizard, on a thread of its own (the thread that holds a mutex would take it again): takes the lock if it
// can and keeps it until released.
class OtherWizard {
 public:
  OtherWizard() {
    thread_ = std::thread([this] {
      HANDLE mutex = CreateMutexA(nullptr, FALSE, "Global\\TessaronUpdateWizard");
      const DWORD wait = mutex ? WaitForSingleObject(mutex, 0) : WAIT_FAILED;
      Held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
      SetEvent(asked_);
      WaitForSingleObject(release_, INFINITE);
      if (Held) ReleaseMutex(mutex);
      if (mutex) CloseHandle(mutex);
    });
    WaitForSingleObject(asked_, INFINITE);
  }
  ~OtherWizard() {
    SetEvent(release_);
    thread_.join();
    CloseHandle(asked_);
    CloseHandle(release_);
  }
  OtherWizard(const OtherWizard&) = delete;
  OtherWizard& operator=(const OtherWizard&) = delete;

  bool Held = false;

 private:
  HANDLE asked_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread thread_;
};

bool LockFree() { return OtherWizard().Held; }

TEST_F(WizardTest, StartIsRefusedWhileAnotherWizardHoldsTheServerAndAnyRefusalOrTheWindUpGivesTheLockBack) {
  wizardtest::StartableRun run(*form, scratch.Path + "Home", "silent");
  GoToConfirmation();
  {
    OtherWizard other;
    ASSERT_TRUE(other.Held);
    boxes.Clear();
    EXPECT_TRUE(PressNext());
    EXPECT_EQ(Page(), 4);
    boxes.ExpectOnly(
        "Cannot start an update at this time, because another update wizard is preparing or running an update "
        "on this server.",
        "Error", 0u);
  }

  ASSERT_TRUE(wizardtest::WriteProductRegistry({"2.2.1", ComputerName(), "", "OFF"}));
  boxes.Clear();
  EXPECT_TRUE(PressNext());
  EXPECT_EQ(Page(), 4);
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text,
            "Cannot start an update at this time, because the system is not in \"Maintenance Mode\".\r\rThe Tessaron "
            "Administrator application (TOLK) can be used to switch to \"Maintenance Mode\".");
  EXPECT_TRUE(LockFree());

  // While the engine runs the lock is held (the end-to-end tests see that); once the run is over, it is not.
  ASSERT_TRUE(wizardtest::WriteProductRegistry(wizardtest::PrimaryAt("2.2.1")));
  boxes.Clear();
  EXPECT_TRUE(PressNext());
  EXPECT_EQ(Page(), 6);
  EXPECT_TRUE(LockFree());
}

}  // namespace
