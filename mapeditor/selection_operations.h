#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace platform {
class UserDialogs;
}

// "Opérations sur la sélection": a short arithmetic program run on the cells
// of the selection buffer, optionally only where a condition holds.
namespace mapeditor {

struct SelectionBuffer;

inline constexpr size_t kMaxOperations = 10;
inline constexpr size_t kMaxTests = 10;

struct Operation {
  char op = 0;
  uint32_t operand = 0;
};

enum class Linker : uint8_t { And, Or };

struct CellTest {
  char test = 0;
  bool orEqual = false;
  uint32_t operand = 0;
  Linker linker = Linker::And;  // joins it to the result so far (from the second test on)
};

enum class OperationError { None, UnknownOperator, UnknownTest, UnknownLinker };

// Operators and operands read left to right with no separator ("&0x3ff|0x1000");
// at most 10, the rest is ignored. Unknown operators are found when applied.
std::vector<Operation> ParseOperations(std::string_view text);

// Tests joined by " et ", " ou ", " and ", " or " (">=10 et <=13"); at most
// 10. An unknown linker is an error here.
struct ParsedCondition {
  std::vector<CellTest> tests;
  bool unknownLinker = false;
};
ParsedCondition ParseCondition(std::string_view text);

// The combined result of the tests on a cell (non-zero: the cell passes).
// False for an unknown test.
bool EvaluateTests(std::span<const CellTest> tests, uint32_t cell, uint32_t& result);

// Applies the operations to a cell. False for an unknown operator (the cell is
// left as it was). A division or modulo by zero leaves the cell unchanged.
bool ApplyOperations(std::span<const Operation> operations, uint32_t& cell);

// Which cells the operations and pastes leave alone.
struct SkippedValues {
  uint32_t invisibleBlock = 0xFFFF;
  bool zeroMask = false;
  bool skips(uint32_t v) const { return v == invisibleBlock || (zeroMask && v == 0); }
};

// Runs the texts on the given planes of the buffer, cell by cell over its
// size. Cells handled before an error keep their changes.
OperationError RunSelectionOperations(SelectionBuffer& buffer, std::span<const int> planes,
                                      std::string_view operationText,
                                      std::string_view conditionText, const SkippedValues& skip);

// The message of an error, with its caption and icon.
void ReportOperationError(platform::UserDialogs& dialogs, OperationError error);

}  // namespace mapeditor
