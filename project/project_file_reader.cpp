#include <algorithm>
#include <array>

#include "platform/files.h"
#include "platform/text_encoding.h"
#include "platform/text_lines.h"
#include "project/kinds.h"
#include "project/project.h"
#include "project/project_file.h"
#include "project/project_messages.h"

namespace project {

namespace {

constexpr std::array<std::string_view, 2> kElementSectionNames = {"fichiers", "files"};
constexpr std::array<std::string_view, 1> kSessionSectionNames = {"infos"};
constexpr std::array<std::string_view, 2> kDataSectionNames = {"données", "data"};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeading(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return s.substr(i);
}

std::string_view TrimTrailing(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Only A-Z are lowered: accented capitals stay as they are.
std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

size_t Utf8CharLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

bool IsSectionHeader(std::string_view line, std::string_view name) {
  std::string lowered = LowerAscii(TrimLeading(line));
  std::string_view rest(lowered);
  if (!rest.starts_with(".section") || rest.size() <= 8) return false;
  rest.remove_prefix(8);
  size_t one = Utf8CharLength(static_cast<unsigned char>(rest[0]));
  if (one > rest.size()) return false;
  rest.remove_prefix(one);
  return TrimTrailing(rest) == name;
}

bool IsAnySectionHeader(std::string_view line) {
  return LowerAscii(TrimLeading(line)).starts_with(".section");
}

// The session's closing statement: "Fin" (or "End") alone on its line, a
// comment aside.
bool IsFinLine(std::string_view line) {
  std::string_view s = line.substr(0, line.find_first_of("#;"));
  std::string word = LowerAscii(TrimTrailing(TrimLeading(s)));
  return word == "fin" || word == "end";
}

// Keywords of an element block's lines, French then English.
enum class Field { Type, File, Base, Folder };
struct Keyword {
  std::string_view text;
  Field field;
};
constexpr std::array<Keyword, 6> kFieldKeywords = {{
    {"Type: ", Field::Type},
    {"Fichier: ", Field::File},
    {"File: ", Field::File},
    {"Base: ", Field::Base},
    {"Dossier: ", Field::Folder},
    {"Folder: ", Field::Folder},
}};
constexpr std::array<std::string_view, 2> kBlockKeywords = {"Elément: ", "Element: "};

std::optional<std::string_view> AfterBlockKeyword(std::string_view line) {
  for (std::string_view k : kBlockKeywords)
    if (line.starts_with(k)) return line.substr(k.size());
  return std::nullopt;
}

// What a line inside an element block does: sets a field, names a kind no
// table knows (the element is then dropped), or is no keyword line at all
// (it ends the block).
enum class LineEffect { NotAField, Set, UnknownType };

LineEffect ApplyFieldLine(std::string_view line, EntryRecord& record) {
  for (const Keyword& k : kFieldKeywords) {
    if (!line.starts_with(k.text)) continue;
    std::string_view value = line.substr(k.text.size());
    switch (k.field) {
      case Field::Type:
        if (value.starts_with(kFolderKeyword) || value.starts_with(kFolderKeywordEnglish)) {
          record.kind = (record.kind & kInFolderBit) | kFolderBit;
        } else {
          int code = KindFromKeyword(value);
          if (code < 0) return LineEffect::UnknownType;
          record.kind = (record.kind & kInFolderBit) | static_cast<uint32_t>(code);
        }
        break;
      case Field::File:
        record.file = value;
        break;
      case Field::Base:
        record.baseFile = value;
        break;
      case Field::Folder:
        record.folder = value;
        record.kind |= kInFolderBit;
        break;
    }
    return LineEffect::Set;
  }
  return LineEffect::NotAField;
}

// 1-based number of the line that starts at `offset`.
size_t LineNumberAt(std::string_view text, size_t offset) {
  return static_cast<size_t>(std::count(text.begin(), text.begin() + offset, '\n')) + 1;
}

constexpr size_t kNamedLines = 10;

std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (std::string_view part : parts) out += part;
  return out;
}

// "3, 17, 18" (at most a handful, then "...").
std::string NumberList(const std::vector<size_t>& numbers) {
  std::string out;
  for (size_t i = 0; i < numbers.size() && i < kNamedLines; ++i) {
    if (i > 0) out += ", ";
    out += std::to_string(numbers[i]);
  }
  if (numbers.size() > kNamedLines) out += "...";
  return out;
}

// What the element section held that did not become an entry.
struct ElementSectionLosses {
  size_t overCapacity = 0;
  std::vector<size_t> unknownLines;       // neither keyword, comment nor blank
  std::vector<std::string> unknownKinds;  // names of elements dropped for their kind
};

// A line of the element section that carries nothing: blank, or a comment
// (the writer's separator lines).
bool CarriesNothing(std::string_view trimmed) {
  return TrimTrailing(trimmed).empty() || trimmed.front() == '#' || trimmed.front() == ';';
}

// "Fin", "End" or the next section's header.
bool EndsElementSection(std::string_view trimmed) {
  std::string lowered = LowerAscii(trimmed);
  return lowered.starts_with("fin") || lowered.starts_with("end") ||
         lowered.starts_with(".section");
}

// Reads the element section from the current position of `lines`.
ElementSectionLosses ReadElementSection(Project& project, platform::TextLines& lines,
                                        std::string_view text) {
  ElementSectionLosses losses;
  std::string line;
  bool again = false;  // `line` still has to be examined
  size_t lineStart = lines.position();
  // Numbering a line costs a pass over the text: a handful are enough to name.
  auto unknownLine = [&](size_t at) {
    losses.unknownLines.push_back(losses.unknownLines.size() <= kNamedLines ? LineNumberAt(text, at)
                                                                            : 0);
  };
  while (again || (lineStart = lines.position(), lines.readLine(line, kMaxLineChars))) {
    again = false;
    std::string_view trimmed = TrimLeading(line);
    if (std::optional<std::string_view> name = AfterBlockKeyword(trimmed)) {
      EntryRecord record;
      record.name = *name;
      bool keep = true;
      while ((lineStart = lines.position(), lines.readLine(line, kMaxLineChars))) {
        trimmed = TrimLeading(line);
        LineEffect effect = ApplyFieldLine(trimmed, record);
        if (effect == LineEffect::Set) continue;
        if (effect == LineEffect::UnknownType) {
          keep = false;
          losses.unknownKinds.push_back(record.name);
        }
        // The line that ends a block goes with it, unless it starts the next
        // block: a hand-written section without separator lines loses nothing.
        else if (AfterBlockKeyword(trimmed))
          again = true;
        else if (!CarriesNothing(trimmed) && !EndsElementSection(trimmed))
          unknownLine(lineStart);
        break;
      }
      // A block cut short by the end of the file is kept.
      if (keep && !project.appendRaw(std::move(record))) ++losses.overCapacity;
      continue;
    }
    if (EndsElementSection(trimmed)) break;
    if (!CarriesNothing(trimmed)) unknownLine(lineStart);
  }
  return losses;
}

// The session section's text from `start`: up to and including its Fin
// line, or up to the next section header or the end of the text.
std::string_view SessionText(std::string_view text, platform::TextLines& lines, size_t start) {
  lines.seek(start);
  std::string line;
  size_t end = start;
  while (true) {
    size_t lineStart = lines.position();
    if (!lines.readLine(line, kMaxLineChars)) break;
    if (IsAnySectionHeader(line)) {
      end = lineStart;
      break;
    }
    end = lines.position();
    if (IsFinLine(line)) break;
  }
  return text.substr(start, end - start);
}

uint32_t ReadLe32(std::string_view bytes, size_t at) {
  uint32_t v = 0;
  for (size_t k = 0; k < 4; ++k)
    v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + k])) << (8 * k);
  return v;
}

// A NUL-terminated 8-bit field of the old layout, never read past its width.
std::string OldField(std::string_view bytes, size_t at, size_t width) {
  std::string_view field = bytes.substr(at, width);
  field = field.substr(0, field.find('\0'));
  return platform::Cp1252ToUtf8(field);
}

// True when some line, after its blanks, starts an element block: entries
// are there even though their section's header could not be found.
bool HasElementLines(platform::TextLines& lines) {
  lines.seek(0);
  std::string line;
  while (lines.readLine(line, kMaxLineChars))
    if (AfterBlockKeyword(TrimLeading(line))) return true;
  return false;
}

std::optional<size_t> FindSectionIn(platform::TextLines& lines,
                                    std::span<const std::string_view> names) {
  lines.seek(0);
  std::string line;
  while (lines.readLine(line, kMaxLineChars))
    for (std::string_view name : names)
      if (IsSectionHeader(line, name)) return lines.position();
  return std::nullopt;
}

}  // namespace

std::optional<size_t> FindSection(std::string_view text, std::span<const std::string_view> names) {
  platform::TextLines lines{std::string(text)};
  return FindSectionIn(lines, names);
}

bool HasCurrentHeader(std::string_view text) {
  platform::TextLines lines{std::string(text.substr(0, kMaxLineChars + 2))};
  std::string first;
  return lines.readLine(first, kMaxLineChars) && first == kProjectHeader;
}

void ReadProjectText(Project& project, std::string_view text, SessionHooks* hooks) {
  project.clear();
  project.document().dataSection.clear();
  std::vector<std::string>& losses = project.document().openingLosses;
  losses.clear();
  platform::TextLines lines{std::string(text)};

  std::vector<std::string> unread;  // reported together once the table is read
  if (std::optional<size_t> at = FindSectionIn(lines, kElementSectionNames)) {
    lines.seek(*at);
    ElementSectionLosses section = ReadElementSection(project, lines, text);
    if (section.overCapacity > 0) {
      Show(project.dialogs(), prompts::kFileTooManyEntries);
      losses.push_back(Joined({"plus de ", std::to_string(kProjectCapacity), " entrées"}));
    }
    if (!section.unknownLines.empty())
      unread.push_back(Joined({"lignes non reconnues dans la section des éléments: ",
                               NumberList(section.unknownLines)}));
    if (!section.unknownKinds.empty()) {
      std::string names;
      for (const std::string& name : section.unknownKinds)
        names += (names.empty() ? "" : ", ") + name;
      unread.push_back(Joined({"éléments de type inconnu: ", names}));
    }
  } else if (HasElementLines(lines)) {
    unread.push_back("section des éléments introuvable");
  }
  if (!unread.empty()) {
    std::string joined;
    for (const std::string& u : unread) joined += (joined.empty() ? "" : "; ") + u;
    Show(project.dialogs(), prompts::kLinesNotRead, joined);
    losses.insert(losses.end(), unread.begin(), unread.end());
  }
  project.rebuildTree();

  if (std::optional<size_t> at = FindSectionIn(lines, kSessionSectionNames)) {
    std::string_view session = SessionText(text, lines, *at);
    if (hooks) hooks->runSection(ProjectSection::Session, session);
  }

  if (std::optional<size_t> at = FindSectionIn(lines, kDataSectionNames)) {
    std::string_view data = text.substr(*at);
    // One character is one byte in the file.
    size_t kept = platform::Utf8PrefixSize(data, kDataSectionLimit);
    if (kept < data.size()) {
      Show(project.dialogs(), prompts::kDataSectionTooLong);
      losses.push_back(
          Joined({"section de données de plus de ", std::to_string(kDataSectionLimit), " octets"}));
    }
    project.document().dataSection = data.substr(0, kept);
    if (hooks) hooks->runSection(ProjectSection::Data, project.document().dataSection);
  }
}

namespace {

constexpr std::string_view kOldSignature = "Tessel Works 02";

bool HasOldSignature(std::string_view bytes) {
  return bytes.size() >= kOldSignature.size() + 4 && bytes.starts_with(kOldSignature);
}

}  // namespace

bool IsProjectFileContent(std::string_view bytes) {
  if (bytes.empty() || HasOldSignature(bytes)) return true;
  return HasCurrentHeader(platform::DecodeTextFile(bytes.substr(0, kMaxLineChars + 2)));
}

bool ReadOldLayout(Project& project, std::string_view bytes) {
  constexpr std::string_view kSignature = kOldSignature;
  constexpr size_t kRecordSize = 560;
  if (!HasOldSignature(bytes)) return false;
  size_t count = ReadLe32(bytes, kSignature.size());
  size_t records = (bytes.size() - kSignature.size() - 4) / kRecordSize;
  // A file cut short keeps the records it still holds whole.
  if (count > records)
    project.document().openingLosses.push_back(
        Joined({"fichier tronqué (", std::to_string(records), " entrées sur ",
                std::to_string(count), ")"}));
  if (std::min(count, records) > kProjectCapacity) {
    Show(project.dialogs(), prompts::kFileTooManyEntries);
    project.document().openingLosses.push_back(
        Joined({"plus de ", std::to_string(kProjectCapacity), " entrées"}));
  }
  count = std::min({count, records, static_cast<size_t>(kProjectCapacity)});
  for (size_t r = 0; r < count; ++r) {
    size_t at = kSignature.size() + 4 + r * kRecordSize;
    // 4 unused bytes, base file, file, name, kind code minus one.
    EntryRecord record;
    record.baseFile = OldField(bytes, at + 4, 260);
    record.file = OldField(bytes, at + 264, 260);
    record.name = OldField(bytes, at + 524, 32);
    uint32_t code = ReadLe32(bytes, at + 556) + 1;
    if (code >= kKinds.size()) continue;  // no such kind: dropped like unknown keywords
    record.kind = code;
    project.addEntry(std::move(record));
  }
  return true;
}

OpenResult OpenProject(Project& project, const std::string& path, SessionHooks* hooks) {
  std::vector<std::string>& losses = project.document().openingLosses;
  losses.clear();
  // One writer at a time: a project another instance has open is read, but
  // never saved over from here without the user's word.
  if (project.document().lock.acquire(path) == platform::FileLock::Result::InUse) {
    Show(project.dialogs(), prompts::kProjectInUse, path);
    losses.push_back(Joined({"projet déjà ouvert par une autre instance"}));
  }
  platform::ReadResult read = platform::ReadFileChecked(path);
  if (read.status == platform::ReadStatus::Missing) return OpenResult::Unreadable;
  if (read.status != platform::ReadStatus::Ok) {
    // Something is there that could not be read: the empty project that
    // takes its place must not replace it.
    project.clear();
    project.document().dataSection.clear();
    project.document().path = path;
    Show(project.dialogs(), prompts::kProjectUnreadable, path);
    losses.push_back(Joined({read.status == platform::ReadStatus::NotRegular
                                 ? "ce n'est pas un fichier ordinaire"
                                 : "fichier illisible"}));
    return OpenResult::Unreadable;
  }
  std::string& bytes = read.bytes;
  project.document().path = path;
  if (bytes.empty()) {
    project.clear();
    project.document().dataSection.clear();
    return OpenResult::Empty;
  }
  std::vector<size_t> guessedLines;
  std::string text = platform::DecodeTextFileByLines(bytes, guessedLines);
  if (HasCurrentHeader(text)) {
    std::vector<std::string> before = std::move(losses);
    ReadProjectText(project, text, hooks);
    losses.insert(losses.begin(), before.begin(), before.end());
    if (!guessedLines.empty()) {
      std::string what = Joined({"lignes illisibles (encodage): ", NumberList(guessedLines)});
      Show(project.dialogs(), prompts::kLinesNotRead, what);
      losses.insert(losses.begin(), std::move(what));
    }
    return OpenResult::Opened;
  }
  Show(project.dialogs(), prompts::kOldLayout);
  project.clear();
  project.document().dataSection.clear();
  std::string backup = path + ".bak";
  if (!platform::WriteFileAtomic(backup, bytes)) {
    Show(project.dialogs(), prompts::kBackupFailed, backup);
    losses.push_back(Joined({"copie de sauvegarde ", backup, " impossible"}));
  }
  if (!ReadOldLayout(project, bytes)) {
    Show(project.dialogs(), prompts::kOldLayoutFailed);
    losses.push_back(Joined({"format de fichier inconnu"}));
    return OpenResult::NotLoaded;
  }
  return OpenResult::Upgraded;
}

}  // namespace project
