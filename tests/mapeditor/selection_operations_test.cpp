#include "mapeditor/selection_operations.h"

#include <gtest/gtest.h>

#include "mapeditor/selection_buffer.h"
#include "platform/recording_platform.h"

namespace {

using namespace mapeditor;

uint32_t Apply(std::string_view ops, uint32_t cell) {
  std::vector<Operation> parsed = ParseOperations(ops);
  EXPECT_TRUE(ApplyOperations(parsed, cell)) << ops;
  return cell;
}

bool Passes(std::string_view condition, uint32_t cell) {
  ParsedCondition c = ParseCondition(condition);
  EXPECT_FALSE(c.unknownLinker) << condition;
  uint32_t result = 0;
  EXPECT_TRUE(EvaluateTests(c.tests, cell, result)) << condition;
  return result != 0;
}

TEST(SelectionOperations, OperandsFollowTheOperatorWithoutSeparators) {
  EXPECT_EQ(Apply("&~0xC00", 0x1C05), 0x1005u);
  EXPECT_EQ(Apply("&0x3ff|0x1000", 0x2C05), 0x1005u);
  EXPECT_EQ(Apply("+1", 41), 42u);
  EXPECT_EQ(Apply("*3-1", 5), 14u);
  EXPECT_EQ(Apply("^0b101", 0), 5u);
  EXPECT_EQ(Apply("%7", 20), 6u);
  EXPECT_EQ(Apply("/4", 17), 4u);
  // Upper-case hexadecimal digits are part of the number: one operation.
  EXPECT_EQ(ParseOperations("&0x3FF").size(), 1u);
  // There are no negative literals: "=-1" is "=0" then "-1".
  ASSERT_EQ(ParseOperations("=-1").size(), 2u);
  EXPECT_EQ(Apply("=-1", 77), 0xFFFFFFFFu);
}

TEST(SelectionOperations, ABlankIsAnUnknownOperatorAndDivisionByZeroLeavesTheCell) {
  std::vector<Operation> ops = ParseOperations("+ 5");
  uint32_t cell = 9;
  EXPECT_FALSE(ApplyOperations(ops, cell));
  EXPECT_EQ(cell, 9u);
  ops = ParseOperations("+3/0");
  EXPECT_TRUE(ApplyOperations(ops, cell));
  EXPECT_EQ(cell, 9u);
  ops = ParseOperations("%0");
  EXPECT_TRUE(ApplyOperations(ops, cell));
  EXPECT_EQ(cell, 9u);
  // At most ten operations are read.
  EXPECT_EQ(ParseOperations("+1+1+1+1+1+1+1+1+1+1+1+1").size(), 10u);
}

TEST(SelectionOperations, ConditionsLinkTestsWithOneBlankEachSide) {
  for (uint32_t v = 8; v <= 15; ++v) EXPECT_EQ(Passes(">=10 et <=13", v), v >= 10 && v <= 13) << v;
  EXPECT_TRUE(Passes("<3 ou >20", 25));
  EXPECT_FALSE(Passes("<3 or >20", 10));
  EXPECT_TRUE(Passes("!=4", 5));
  EXPECT_FALSE(Passes("!4", 4));
  EXPECT_TRUE(Passes("==4", 4));
  EXPECT_TRUE(Passes("~0x400", 0x800));
  EXPECT_FALSE(Passes("~0x400", 0x400));
  // Values compare as signed numbers.
  EXPECT_TRUE(Passes("<0", 0xFFFFFFFFu));
  // "&" results combine bitwise: 6 AND 2 is 2, "=6" gives 1, and 2 AND 1 is 0.
  EXPECT_FALSE(Passes("&2 et =6", 6));
  EXPECT_TRUE(Passes("&2 ou =6", 6));
  EXPECT_TRUE(Passes("", 123));
}

TEST(SelectionOperations, MisplacedBlanksMakeUnknownLinkers) {
  EXPECT_TRUE(ParseCondition(">=10  et <=13").unknownLinker);
  EXPECT_TRUE(ParseCondition("> 10").unknownLinker);
  EXPECT_TRUE(ParseCondition(">=10 ET <=13").unknownLinker);
  EXPECT_TRUE(ParseCondition(">3 puis <5").unknownLinker);
  ParsedCondition c = ParseCondition("?3");
  EXPECT_FALSE(c.unknownLinker);
  uint32_t r;
  EXPECT_FALSE(EvaluateTests(c.tests, 1, r));
}

class BufferOperations : public ::testing::Test {
 protected:
  BufferOperations() {
    AllocateSelectionBuffer(buffer);
    buffer.width = 4;
    buffer.height = 2;
    buffer.planeCount = 2;
    uint32_t values[8] = {0, 10, 11, 0xFFFF, 13, 14, 15, 3};
    for (int i = 0; i < 8; ++i) {
      buffer.at(0, i % 4, i / 4) = values[i];
      buffer.at(1, i % 4, i / 4) = values[i] + 100;
    }
  }
  SelectionBuffer buffer;
  SkippedValues skip;
};

TEST_F(BufferOperations, OperationsRunOnEveryFilledPlaneAndSkipInvisibleCells) {
  int planes[] = {0, 1};
  EXPECT_EQ(RunSelectionOperations(buffer, planes, "=5", "", skip), OperationError::None);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(buffer.at(0, x, y), (x == 3 && y == 0) ? 0xFFFFu : 5u) << x << "," << y;
  EXPECT_EQ(buffer.at(1, 3, 0), 5u);  // 0xFFFF + 100 is an ordinary value
}

TEST_F(BufferOperations, TheZeroMaskLeavesZerosAndConditionsSelectCells) {
  skip.zeroMask = true;
  int planes[] = {0};
  EXPECT_EQ(RunSelectionOperations(buffer, planes, "+1", ">=10 et <=13", skip),
            OperationError::None);
  EXPECT_EQ(buffer.at(0, 0, 0), 0u);
  EXPECT_EQ(buffer.at(0, 1, 0), 11u);
  EXPECT_EQ(buffer.at(0, 2, 0), 12u);
  EXPECT_EQ(buffer.at(0, 0, 1), 14u);
  EXPECT_EQ(buffer.at(0, 1, 1), 14u);
  EXPECT_EQ(buffer.at(0, 3, 1), 3u);
  EXPECT_EQ(buffer.at(1, 1, 0), 110u);
}

TEST_F(BufferOperations, ErrorsStopAtTheFirstCellThatReachesThemKeepingEarlierChanges) {
  int planes[] = {0};
  // The faulty operator is only reached by cells that pass the condition.
  EXPECT_EQ(RunSelectionOperations(buffer, planes, "+1 ", ">12", skip),
            OperationError::UnknownOperator);
  EXPECT_EQ(buffer.at(0, 1, 0), 10u);
  EXPECT_EQ(RunSelectionOperations(buffer, planes, "+1", ">=13 ou <100", skip),
            OperationError::None);
  EXPECT_EQ(RunSelectionOperations(buffer, planes, "+1", "<3 et ?4", skip),
            OperationError::UnknownTest);
  EXPECT_EQ(RunSelectionOperations(buffer, planes, "+1", "<3 xx >4", skip),
            OperationError::UnknownLinker);
  platform::RecordingDialogs dialogs;
  ReportOperationError(dialogs, OperationError::UnknownOperator);
  ReportOperationError(dialogs, OperationError::UnknownLinker);
  ASSERT_EQ(dialogs.entries().size(), 2u);
  EXPECT_EQ(dialogs.entries()[0].text,
            "Opérateur inconnu.\nOpérateurs valides: |, &, +, -, *, /, %, ^, =.\nExemple: +10");
  EXPECT_EQ(dialogs.entries()[0].caption, "Erreur lors de l'exécution de l'opération");
  EXPECT_EQ(dialogs.entries()[1].caption, "Erreur lors de l'exécution de la condition");
  EXPECT_EQ(dialogs.entries()[1].icon, platform::Icon::Error);
}

}  // namespace
