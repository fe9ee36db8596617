// Fuzzes the project-file reader: any bytes are read as a project file (the
// current layout or the old binary one), then written and read again. The
// second writing must give the same bytes as the first: whatever the reader
// accepted, the writer stores in a form the reader takes back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/recording_platform.h"
#include "platform/text_encoding.h"
#include "project/project.h"
#include "project/project_file.h"

namespace {

struct NoSession : project::SessionHooks {
  void writeSession(std::string& out) override { out += "  Plateforme = \"x\"\n"; }
  void runSection(project::ProjectSection, std::string_view text) override {
    volatile size_t n = text.size();
    (void)n;
  }
};

std::string ReadAndWrite(project::Project& p, std::string_view bytes, NoSession& hooks) {
  std::string text = platform::DecodeTextFile(bytes);
  if (project::HasCurrentHeader(text)) {
    project::ReadProjectText(p, text, &hooks);
  } else {
    p.clear();
    p.document().dataSection.clear();
    project::ReadOldLayout(p, bytes);
  }
  // Every entry must be reachable by its tree item, if it has one.
  for (size_t i = 0; i < p.count(); ++i)
    if (p.entry(i).treeItem != 0 && p.findByTreeItem(p.entry(i).treeItem) != static_cast<int>(i))
      std::abort();
  return project::EncodeProjectFile(p, &hooks);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > (1u << 20)) return 0;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  platform::RecordingDialogs dialogs;
  platform::RecordingShell shell;
  NoSession hooks;
  project::Project first(dialogs, shell);
  std::string written = ReadAndWrite(first, bytes, hooks);
  project::Project second(dialogs, shell);
  std::string again = ReadAndWrite(second, written, hooks);
  if (again != written || second.count() != first.count()) std::abort();
  return 0;
}
