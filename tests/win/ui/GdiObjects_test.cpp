// The owners of drawing objects: a selected object goes back out of its context before its owner deletes it.
#include <gtest/gtest.h>

#include "win/ui/GdiObjects.h"

TEST(GdiObjects, SelectionIsUndoneBeforeTheObjectAndContextGo) {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ original = nullptr;
  {
    ui::MemoryDC memory(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(memory);
    dc = memory.Get();
    original = GetCurrentObject(dc, OBJ_BITMAP);
    ui::ScopedBitmap picture(CreateBitmap(4, 4, 1, 32, nullptr));
    ASSERT_TRUE(picture);
    bitmap = picture.Get();
    {
      ui::SelectedObject selected(dc, bitmap);
      EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), bitmap);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), original);
    EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  }
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_EQ(GetObjectType(dc), 0u);
}
