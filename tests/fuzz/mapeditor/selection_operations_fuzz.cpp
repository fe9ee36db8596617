// The operation and condition texts are typed by the user: any text must
// parse within the limits and apply without faults (division by zero
// included).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "mapeditor/selection_operations.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  size_t cut = text.find('\n');
  std::string_view operations = text.substr(0, cut);
  std::string_view condition =
      cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1);

  auto ops = mapeditor::ParseOperations(operations);
  auto parsed = mapeditor::ParseCondition(condition);
  if (ops.size() > mapeditor::kMaxOperations || parsed.tests.size() > mapeditor::kMaxTests)
    std::abort();
  for (uint32_t cell : {0u, 1u, 6u, 0x3FFu, 0x80000000u, 0xFFFFFFFFu}) {
    uint32_t result = 0;
    mapeditor::EvaluateTests(parsed.tests, cell, result);
    uint32_t value = cell;
    mapeditor::ApplyOperations(ops, value);
  }
  return 0;
}
