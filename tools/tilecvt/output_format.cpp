#include "tools/tilecvt/output_format.h"

#include <array>

namespace tilecvt {
namespace {

constexpr std::array<FormatInfo, 6> kFormats = {{
    {OutputFormat::Raw, "raw data", "", ArrayForm::Raw},
    {OutputFormat::Object, "linkable obj file", ".o", ArrayForm::None},
    {OutputFormat::CSource, "C/C++ source", ".c", ArrayForm::C},
    {OutputFormat::GccAsm, "GCC ASM include", ".s", ArrayForm::Gcc},
    {OutputFormat::ArmAsm, "ARM ASM include", ".s", ArrayForm::Arm},
    {OutputFormat::Tim, "PlayStation TIM", ".tim", ArrayForm::None},
}};

}  // namespace

const FormatInfo& FormatOf(OutputFormat format) {
  auto index = static_cast<size_t>(format);
  return index < kFormats.size() ? kFormats[index] : kFormats[0];
}

}  // namespace tilecvt
