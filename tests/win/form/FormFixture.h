// The wizard window created in the test's own process, driven through its controls and handlers.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "EveryPage.h"
#include "win/LauncherF.h"
#include "win/utils/EventLog.h"
#include "win/ui/TestWindows.h"

class LauncherFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The runs of these tests are not the machine's business: no event records, no event source registered.
    Utils::SetEventRecordWriter([](const Utils::EventRecord&) { return true; });
    form = std::make_unique<TLauncherForm>();
    form->Create();
    form->Show();
    testui::Pump();
  }
  void TearDown() override {
    form.reset();
    // A test that ended the application leaves its quit message behind.
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    ui::App().ResetTerminated();
    Utils::SetEventRecordWriter({});
  }

  ui::Control* Get(const char* name) const { return dynamic_cast<ui::Control*>(form->FindComponent(name)); }
  int Page() const { return form->PageControl1->ActivePageIndex(); }
  void ShowEveryPageOnce() {
    formtest::ShowEveryPageOnce(*form);
    testui::Pump();
  }

  std::unique_ptr<TLauncherForm> form;
};
