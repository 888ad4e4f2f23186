#include "core/PackageRules.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace core {
namespace {

TEST(VersionSequence, AppendAndContains) {
  std::string sequence;
  EXPECT_FALSE(SequenceContains(sequence, "5", ':'));
  SequenceAppend(sequence, "5", ':');
  EXPECT_EQ(sequence, ":5:");
  SequenceAppend(sequence, "6", ':');
  SequenceAppend(sequence, "8", ':');
  EXPECT_EQ(sequence, ":5:6:8:");

  EXPECT_TRUE(SequenceContains(sequence, "5", ':'));
  EXPECT_TRUE(SequenceContains(sequence, "8", ':'));
  EXPECT_FALSE(SequenceContains(sequence, "7", ':'));
  EXPECT_FALSE(SequenceContains(":15:", "5", ':'));  // whole items only
  EXPECT_FALSE(SequenceContains(":15:", "1", ':'));
  EXPECT_FALSE(SequenceContains(sequence, "", ':'));
  EXPECT_FALSE(SequenceContains("::", "", ':'));
  EXPECT_FALSE(SequenceContains(sequence, "5:6", ':'));  // not an item, though the text occurs
  EXPECT_TRUE(SequenceContains("|a|B|", "B", '|'));
  EXPECT_FALSE(SequenceContains("|a|B|", "b", '|'));  // case matters

  EXPECT_THROW(SequenceAppend(sequence, "9:10", ':'), std::invalid_argument);
  EXPECT_EQ(sequence, ":5:6:8:");  // unchanged by the refused item
}

TEST(PackageNumber, AcceptedNames) {
  EXPECT_EQ(PackageNumber("Tessaron-2.3.1.5.zuk"), 5);
  EXPECT_EQ(PackageNumber("Tessaron-2.3.1.0.zuk"), 0);
  EXPECT_EQ(PackageNumber("TESSARON-2.3.1.6[FIX].ZUK"), 6);
  EXPECT_EQ(PackageNumber("Tessaron-2.3.1.12[de].zuk"), 12);
  EXPECT_EQ(PackageNumber("Tessaron-[beta]2.3.1.3.zuk"), 3);
  EXPECT_EQ(PackageNumber("Tessaron-[a]2.3.1.[b]4[c].zuk"), 4);
  EXPECT_EQ(PackageNumber("Tessaron-2.3.1.[x[y]7.zuk"), 7);  // first "[" to first "]"
  EXPECT_EQ(PackageNumber("Tessaron-2.3.1. 9.zuk"), 9);      // leading blanks are allowed
  EXPECT_EQ(PackageNumber("Tessaron-2.3.1.+9.zuk"), 9);
  EXPECT_EQ(PackageNumber("Tessaron-2.3.1.$1F.zuk"), 31);  // hexadecimal forms
  EXPECT_EQ(PackageNumber("Tessaron-2.3.1.0X10.zuk"), 16);
  EXPECT_EQ(PackageNumber("Tessaron-2.3.1.x10.zuk"), 16);
  EXPECT_EQ(PackageNumber("Tessaron-2.3.1.2147483647.zuk"), 2147483647);
  EXPECT_EQ(PackageNumber("Tessaron-2.3.1.-2.zuk"), -2);  // negative returned unchanged
}

TEST(PackageNumber, RejectedNames) {
  for (const char* name : {"Tessaron-2.3.1.5.zuk.zuk",
                           "Tessaron-2.3.1.5.zukx",
                           "Tessaron-2.3.1.x.zuk",
                           "Tessaron-2.3.1.3]x[.zuk",
                           "Tessaron-2.2.0.3.zuk",
                           "Tessaron-2.3.1..zuk",
                           "Tessaron-2.3.1.5 .zuk",
                           "Tessaron-2.3.1.2147483648.zuk",
                           "Tessaron-2.3.1.5",
                           "Tessaron-2.3.1.-$FFFFFFFF.zuk",
                           "Tessaron-2.3.1.$FFFFFFFF.zuk",
                           "Tessaron-2.3.15.zuk",
                           "Tesaron-2.3.1.5.zuk",
                           "xTessaron-2.3.1.5.zuk",
                           "readme.txt",
                           "",
                           "Tessaron-",
                           ".zuk",
                           "Tessaron-.zuk",
                           "Tessaron-2.3.1.5[.zuk",
                           "Tessaron-2.3.1.\xDC.zuk"}) {
    EXPECT_EQ(PackageNumber(name), -1) << name;
  }
}

TEST(UpdateLevel, ReleaseAndBuildParts) {
  EXPECT_EQ(ReleasePart("2.3.1.12"), "2.3.1");
  EXPECT_EQ(BuildPart("2.3.1.12"), "12");
  EXPECT_EQ(ReleasePart("2.2.0"), "2.2.0");
  EXPECT_EQ(BuildPart("2.2.0"), "");
  EXPECT_EQ(BuildPart("2.3.1."), "");
  EXPECT_EQ(BuildPart("2.3.1x7"), "7");  // the sixth character is not tested
  EXPECT_EQ(ReleasePart("2.3"), "2.3");
  EXPECT_EQ(ReleasePart(""), "");
}

TEST(UpdatesApplicable, Table) {
  // Earlier known releases need update 0.
  EXPECT_TRUE(UpdatesApplicable("2.2.0", ":0:"));
  EXPECT_TRUE(UpdatesApplicable("2.2.1", ":3:0:"));
  EXPECT_FALSE(UpdatesApplicable("2.2.1", ":5:6:8:"));
  EXPECT_FALSE(UpdatesApplicable("2.3.0.7", ":5:6:8:"));
  EXPECT_TRUE(UpdatesApplicable("2.3.0.7", ":0:"));
  // Unknown releases never apply.
  EXPECT_FALSE(UpdatesApplicable("2.4.0", ":0:1:2:"));
  EXPECT_FALSE(UpdatesApplicable("1.9.9", ":0:1:2:"));
  EXPECT_FALSE(UpdatesApplicable("", ":0:"));
  EXPECT_FALSE(UpdatesApplicable("2.3", ":0:"));
  // 2.3.1 needs build + 1.
  EXPECT_FALSE(UpdatesApplicable("2.3.1", ":1:2:3:"));
  EXPECT_FALSE(UpdatesApplicable("2.3.1.", ":1:2:3:"));
  EXPECT_FALSE(UpdatesApplicable("2.3.1", ":0:"));
  EXPECT_FALSE(UpdatesApplicable("2.3.1.-$FFFFFFFC", ":4:5:"));  // an overflowing build is no build
  EXPECT_FALSE(UpdatesApplicable("2.3.1.$FFFFFFFF", ":0:"));
  EXPECT_TRUE(UpdatesApplicable("2.3.1.4", ":5:6:8:"));
  EXPECT_TRUE(UpdatesApplicable("2.3.1.5", ":5:6:8:"));
  EXPECT_FALSE(UpdatesApplicable("2.3.1.8", ":5:6:8:"));
  EXPECT_FALSE(UpdatesApplicable("2.3.1.3", ":5:6:8:"));  // gap below the lowest
  EXPECT_TRUE(UpdatesApplicable("2.3.1.$A", ":11:"));
  EXPECT_FALSE(UpdatesApplicable("2.3.1.4x", ":5:"));
  EXPECT_FALSE(UpdatesApplicable("2.3.1.4", ""));
  EXPECT_FALSE(UpdatesApplicable("2.3.1.-1", ":0:"));  // no level below 0
  EXPECT_FALSE(UpdatesApplicable("2.3.1.2147483647", ":-2147483648:0:"));
}

TEST(ScanPackageNames, WorkedExample) {
  const std::vector<std::string> names = {"Tessaron-2.3.1.5.zuk", "TESSARON-2.3.1.6[FIX].ZUK", "Tessaron-2.3.1.6.zuk",
                                          "Tessaron-2.3.1.8.zuk", "Tessaron-2.2.0.3.zuk"};
  const PackageScan scan = ScanPackageNames(names);
  EXPECT_EQ(scan.FoundUpdates, ":5:6:8:");
  EXPECT_EQ(scan.ExpectedSections, 3);
  EXPECT_TRUE(scan.UpdatesMissing);
  EXPECT_EQ(scan.Rows, (std::vector<std::string>{"Tessaron-2.3.1.5", "Tessaron-2.3.1.6", "Tessaron-2.3.1.8"}));
  // Every package file, by number and then name; another release's file is none.
  EXPECT_EQ(scan.Files, (std::vector<std::string>{"Tessaron-2.3.1.5.zuk", "TESSARON-2.3.1.6[FIX].ZUK",
                                                  "Tessaron-2.3.1.6.zuk", "Tessaron-2.3.1.8.zuk"}));
  EXPECT_TRUE(UpdatesApplicable("2.3.1.4", scan.FoundUpdates));
  EXPECT_TRUE(UpdatesApplicable("2.3.1.5", scan.FoundUpdates));
  EXPECT_FALSE(UpdatesApplicable("2.3.1.8", scan.FoundUpdates));
  EXPECT_FALSE(UpdatesApplicable("2.2.1", scan.FoundUpdates));
}

TEST(ScanPackageNames, Variants) {
  // Search order is kept in FoundUpdates, the rows are ascending; no gap.
  const std::vector<std::string> unordered = {"Tessaron-2.3.1.12.zuk", "Tessaron-2.3.1.10.zuk",
                                              "Tessaron-2.3.1.11[de].zuk", "Tessaron-2.3.1.11.zuk"};
  PackageScan scan = ScanPackageNames(unordered);
  EXPECT_EQ(scan.FoundUpdates, ":12:10:11:");
  EXPECT_EQ(scan.ExpectedSections, 3);
  EXPECT_FALSE(scan.UpdatesMissing);
  EXPECT_EQ(scan.Rows, (std::vector<std::string>{"Tessaron-2.3.1.10", "Tessaron-2.3.1.11", "Tessaron-2.3.1.12"}));

  // One package 0 on a 2.2.0 server: applicable, no gap.
  scan = ScanPackageNames(std::vector<std::string>{"Tessaron-2.3.1.0.zuk"});
  EXPECT_EQ(scan.FoundUpdates, ":0:");
  EXPECT_EQ(scan.ExpectedSections, 1);
  EXPECT_FALSE(scan.UpdatesMissing);
  EXPECT_TRUE(UpdatesApplicable("2.2.0", scan.FoundUpdates));

  // The same number written twice in other forms counts once.
  scan = ScanPackageNames(std::vector<std::string>{"Tessaron-2.3.1.16.zuk", "Tessaron-2.3.1.$10.zuk"});
  EXPECT_EQ(scan.FoundUpdates, ":16:");
  EXPECT_EQ(scan.Rows, std::vector<std::string>{"Tessaron-2.3.1.16"});

  // Nothing usable: empty results.
  scan = ScanPackageNames(std::vector<std::string>{"Tessaron-2.3.1.-2.zuk", "Tessaron-2.3.1.x.zuk", "other.zuk"});
  EXPECT_EQ(scan.FoundUpdates, "");
  EXPECT_EQ(scan.ExpectedSections, 0);
  EXPECT_FALSE(scan.UpdatesMissing);
  EXPECT_TRUE(scan.Rows.empty());
  EXPECT_EQ(ScanPackageNames({}).ExpectedSections, 0);
}

TEST(ScanPackageNames, HugeRangeNeedsNoWalk) {
  // Lowest and highest two billion apart: the result must come at once.
  const std::vector<std::string> names = {"Tessaron-2.3.1.2147483647.zuk", "Tessaron-2.3.1.0.zuk",
                                          "Tessaron-2.3.1.1.zuk"};
  const PackageScan scan = ScanPackageNames(names);
  EXPECT_EQ(scan.FoundUpdates, ":2147483647:0:1:");
  EXPECT_EQ(scan.ExpectedSections, 3);
  EXPECT_TRUE(scan.UpdatesMissing);
  EXPECT_EQ(scan.Rows, (std::vector<std::string>{"Tessaron-2.3.1.0", "Tessaron-2.3.1.1", "Tessaron-2.3.1.2147483647"}));

  const PackageScan full =
      ScanPackageNames(std::vector<std::string>{"Tessaron-2.3.1.2147483646.zuk", "Tessaron-2.3.1.2147483647.zuk"});
  EXPECT_FALSE(full.UpdatesMissing);
}

}  // namespace
}  // namespace core
