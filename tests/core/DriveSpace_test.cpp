#include "core/DriveSpace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace core {
namespace {

TEST(DriveSpace, RoundHalfEven) {
  EXPECT_EQ(RoundHalfEven(0.5), 0.0);
  EXPECT_EQ(RoundHalfEven(1.5), 2.0);
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(598.5), 598.0);
  EXPECT_EQ(RoundHalfEven(599.5), 600.0);
  EXPECT_EQ(RoundHalfEven(2.4999), 2.0);
  EXPECT_EQ(RoundHalfEven(2.5001), 3.0);
  EXPECT_EQ(RoundHalfEven(-0.5), 0.0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2.0);
  EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
  EXPECT_FALSE(std::signbit(RoundHalfEven(-0.4)));
  EXPECT_EQ(RoundHalfEven(4503599627370497.0), 4503599627370497.0);  // already whole
}

TEST(DriveSpace, EvaluateFixedDrive) {
  FixedDriveSpace space = EvaluateFixedDrive(12884901888LL, 42949672960LL);
  EXPECT_EQ(space.Megabytes, 12288.0);
  EXPECT_EQ(space.Percent, 30);
  EXPECT_TRUE(space.Enough);

  // The 600 MB threshold on the rounded figure.
  EXPECT_TRUE(EvaluateFixedDrive(629145600LL, 1LL << 40).Enough);
  EXPECT_EQ(EvaluateFixedDrive(628097024LL, 1LL << 40).Megabytes, 599.0);
  EXPECT_FALSE(EvaluateFixedDrive(628097024LL, 1LL << 40).Enough);
  EXPECT_EQ(EvaluateFixedDrive(628621312LL, 1LL << 40).Megabytes, 600.0);  // 599.5
  EXPECT_TRUE(EvaluateFixedDrive(628621312LL, 1LL << 40).Enough);
  EXPECT_EQ(EvaluateFixedDrive(627572736LL, 1LL << 40).Megabytes, 598.0);  // 598.5
  EXPECT_FALSE(EvaluateFixedDrive(627572736LL, 1LL << 40).Enough);

  // Percent halves go to even as well: 1 of 8 is 12.5 %, 3 of 8 is 37.5 %.
  EXPECT_EQ(EvaluateFixedDrive(1, 8).Percent, 12);
  EXPECT_EQ(EvaluateFixedDrive(3, 8).Percent, 38);
  EXPECT_EQ(EvaluateFixedDrive(8, 8).Percent, 100);

  // A size of 0 and a failed query.
  space = EvaluateFixedDrive(5000000000LL, 0);
  EXPECT_EQ(space.Percent, 0);
  EXPECT_EQ(space.Megabytes, 4768.0);
  space = EvaluateFixedDrive(-1, -1);
  EXPECT_EQ(space.Megabytes, 0.0);
  EXPECT_FALSE(std::signbit(space.Megabytes));
  EXPECT_EQ(space.Percent, 0);
  EXPECT_FALSE(space.Enough);

  // Figures whose 100-fold product leaves 64 bits do not overflow.
  const int64_t huge = std::numeric_limits<int64_t>::max();
  EXPECT_EQ(EvaluateFixedDrive(huge / 2, huge).Percent, 50);
  EXPECT_EQ(EvaluateFixedDrive(huge, huge).Percent, 100);
}

TEST(DriveSpace, TypeMarks) {
  EXPECT_EQ(DriveTypeMark(DriveRemovable), "[FLOPPY]");
  EXPECT_EQ(DriveTypeMark(DriveRemote), "[NETWORK]");
  EXPECT_EQ(DriveTypeMark(DriveCdRom), "[CD-ROM]");
  EXPECT_EQ(DriveTypeMark(DriveRamDisk), "[RAM]");
  EXPECT_EQ(DriveTypeMark(DriveUnknown), "[]");
  EXPECT_EQ(DriveTypeMark(DriveNoRootDir), "[]");
  EXPECT_EQ(DriveTypeMark(99), "[]");
}

TEST(DriveSpace, DefaultDrive) {
  using D = DriveCandidate;
  // Equal free space: the earliest letter.
  EXPECT_EQ(ChooseDefaultDrive(std::vector<D>{{'C', DriveFixed, 500}, {'D', DriveFixed, 500}}), 'C');
  // Other types never count, however much space they have.
  EXPECT_EQ(ChooseDefaultDrive(std::vector<D>{{'A', DriveRemovable, 9000},
                                              {'C', DriveFixed, 100},
                                              {'E', DriveFixed, 700},
                                              {'F', DriveRemote, 9000},
                                              {'G', DriveRamDisk, 9000}}),
            'E');
  // Failed queries and full drives are never chosen.
  EXPECT_EQ(ChooseDefaultDrive(std::vector<D>{{'C', DriveFixed, -1}, {'D', DriveFixed, 0}}), std::nullopt);
  EXPECT_EQ(ChooseDefaultDrive(std::vector<D>{{'C', DriveFixed, -1}, {'D', DriveFixed, 1}}), 'D');
  EXPECT_EQ(ChooseDefaultDrive(std::vector<D>{{'X', DriveCdRom, 5}}), std::nullopt);
  EXPECT_EQ(ChooseDefaultDrive({}), std::nullopt);
  // A list out of letter order still gives the earliest letter on a tie.
  EXPECT_EQ(ChooseDefaultDrive(std::vector<D>{{'E', DriveFixed, 500}, {'C', DriveFixed, 500}}), 'C');
}

}  // namespace
}  // namespace core
