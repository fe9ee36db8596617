#include "ui/workshop_commands.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>

#include "formats/format_library.h"
#include "platform/paths.h"
#include "platform/text_encoding.h"
#include "project/project.h"
#include "app/element_slots.h"
#include "app/platforms.h"
#include "app/startup.h"
#include "app/workshop.h"

namespace ui {

namespace {

struct SectionKind {
  formats::SectionType section;
  uint32_t kind;
};

// The order in which a dropped file's extension is compared within a format.
constexpr SectionKind kDropSections[] = {
    {formats::SectionType::Bitmap, project::kKindBitmap},
    {formats::SectionType::Palette, project::kKindPalette},
    {formats::SectionType::Tileset, project::kKindTileset},
    {formats::SectionType::Map, project::kKindMap},
    {formats::SectionType::List, project::kKindList},
};

}  // namespace

void ResetForNewProject(app::Workshop& w) {
  app::ResetToStartValues(w);
  // What start-up then takes from the project it opens.
  w.project.document() = project::ProjectDocument{};
  w.lastTilesetBlocks = 0;
  w.paths.projectPath.clear();
  w.paths.directory.clear();
  app::SavePlaceholderDefaults(w);
}

std::optional<project::EntryRecord> DroppedFileRecord(const formats::FormatLibrary& formats,
                                                      std::string_view path,
                                                      std::string_view currentDirectory,
                                                      bool* tooLong) {
  if (tooLong) *tooLong = false;
  if (path.empty() || path.size() > kMaxDroppedPathChars) return std::nullopt;
  std::string_view extension = platform::ExtensionAfterFirstDot(path);
  if (extension.empty()) return std::nullopt;
  for (const formats::OutputFormat& format : formats.formats) {
    for (const SectionKind& s : kDropSections) {
      std::string_view ext = format.section(s.section).ext;
      if (!ext.empty() && ext.front() == '.') ext.remove_prefix(1);
      if (ext.empty() || ext != extension) continue;
      project::EntryRecord record;
      record.kind = s.kind;
      record.file = platform::RelativeTo(path, currentDirectory);
      if (platform::Utf8Length(record.file) > project::kFileChars) {
        if (tooLong) *tooLong = true;
        return std::nullopt;
      }
      record.name = platform::Utf8Prefix(platform::LastComponent(path), project::kNameChars);
      return record;
    }
  }
  return std::nullopt;
}

QStringList DocumentationCandidates(const QString& programDirectory,
                                    const QString& sourceDirectory) {
  QStringList out;
  if (!programDirectory.isEmpty())
    out << QDir::cleanPath(programDirectory + "/../share/doc/tesselworks/html/index.html");
  if (!sourceDirectory.isEmpty()) out << QDir::cleanPath(sourceDirectory + "/docs/help/index.html");
  return out;
}

QString FindDocumentation(const QString& programDirectory, const QString& sourceDirectory) {
  for (const QString& candidate : DocumentationCandidates(programDirectory, sourceDirectory))
    if (QFileInfo(candidate).isFile()) return candidate;
  return {};
}

QFont FixedFont() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(14);
  return font;
}

}  // namespace ui
