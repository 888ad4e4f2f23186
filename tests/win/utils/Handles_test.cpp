// The owners of kernel handles and registry keys: exactly one close per handle, whichever way it leaves.
#include <gtest/gtest.h>

#include <utility>

#include "win/utils/Handles.h"

using namespace Utils;

namespace {

bool IsOpen(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}

HANDLE NewEvent() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }

}  // namespace

TEST(ScopedHandle, ClosesOnceWhereverOwnershipEnds) {
  HANDLE first = NewEvent();
  HANDLE second = NewEvent();
  {
    ScopedHandle owner(first);
    ScopedHandle moved(std::move(owner));
    EXPECT_FALSE(owner.Valid());
    EXPECT_EQ(moved.Get(), first);

    ScopedHandle target(second);
    target = std::move(moved);  // the handle held before goes
    EXPECT_FALSE(IsOpen(second));
    EXPECT_TRUE(IsOpen(first));
    EXPECT_EQ(target.Get(), first);
  }
  EXPECT_FALSE(IsOpen(first));

  HANDLE kept = NewEvent();
  {
    ScopedHandle owner(kept);
    EXPECT_EQ(owner.Release(), kept);
    EXPECT_FALSE(owner);
  }
  EXPECT_TRUE(IsOpen(kept));

  HANDLE replaced = NewEvent();
  {
    ScopedHandle owner(kept);
    owner.Reset(replaced);
    EXPECT_FALSE(IsOpen(kept));
    HANDLE* slot = owner.Receive();
    EXPECT_FALSE(IsOpen(replaced));
    EXPECT_EQ(*slot, nullptr);
  }

  // The failure value of CreateFile is nothing to close.
  ScopedHandle failed(INVALID_HANDLE_VALUE);
  EXPECT_FALSE(failed.Valid());
}

TEST(ScopedKey, AKeyReceivedIsClosedWithItsOwner) {
  HKEY opened = nullptr;
  {
    ScopedKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_QUERY_VALUE, key.Receive()), ERROR_SUCCESS);
    opened = key.Get();
    EXPECT_TRUE(key);
    EXPECT_EQ(RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr),
              ERROR_SUCCESS);
  }
  EXPECT_NE(RegQueryInfoKeyA(opened, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_SUCCESS);
}
