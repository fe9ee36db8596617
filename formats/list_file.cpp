// List files: one object per `element` (the object template of the selected
// model), each followed by `line`.
#include <algorithm>
#include <numeric>

#include "formats/element_common.h"
#include "formats/element_files.h"
#include "formats/element_messages.h"
#include "formats/format_library.h"
#include "formats/list_model.h"
#include "formats/object_template.h"
#include "formats/output_sink.h"
#include "formats/template_expansion.h"
#include "formats/template_matching.h"
#include "platform/dialogs.h"
#include "project/entry_record.h"

namespace formats {

using namespace element_detail;

namespace {

bool GroupBeforeObject(int32_t nEvery, int i) { return nEvery > 0 && i % nEvery == 0; }

// The order objects are written in: by x, then y, and the later of two
// objects at the same place first.
std::vector<size_t> SortedOrder(const ListObjects& objects) {
  std::vector<size_t> order(static_cast<size_t>(objects.count));
  std::iota(order.begin(), order.end(), size_t{0});
  auto word = [&](size_t i, size_t offset) {
    auto object = objects.bytes.subspan(i * static_cast<size_t>(objects.objectSize),
                                        static_cast<size_t>(objects.objectSize));
    return ReadObjectWord(object, offset);
  };
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    int32_t ax = word(a, kObjectX), bx = word(b, kObjectX);
    if (ax != bx) return ax < bx;
    int32_t ay = word(a, kObjectY), by = word(b, kObjectY);
    if (ay != by) return ay < by;
    return a > b;
  });
  return order;
}

struct ObjectPass {
  const ListModel& model;
  const ObjectTemplate& tmpl;
  ObjectReadMode mode;
  std::string_view endMarker;
};

// Reads up to `count` objects after the header into `objects`; returns how
// many were read. Lenient objects start from the model's defaults.
int ReadObjects(ElementContext& c, const ReadText& r, const ObjectPass& pass, int count,
                std::vector<uint8_t>& objects, bool& errorMark) {
  const auto size = static_cast<size_t>(pass.model.objectSize());
  std::vector<uint8_t> object(size);
  objects.clear();
  size_t pos = r.pos;
  int read = 0;
  for (int i = 0; i < count; ++i) {
    if (GroupBeforeObject(r.section.n_every, i)) {
      pos = Match(r.bytes, pos, r.section.every_x, c.lib.values, c.dialogs);
      if (pos == kNoPosition) break;
    }
    std::fill(object.begin(), object.end(), uint8_t{0});
    if (pass.mode == ObjectReadMode::Lenient) SetObjectDefaults(pass.model, object);
    size_t next = ReadObject(r.bytes, pos, pass.tmpl, object, pass.mode, pass.endMarker, errorMark,
                             c.dialogs);
    if (next == kNoPosition) break;
    objects.insert(objects.end(), object.begin(), object.end());
    ++read;
    pos = next;
    if (!r.section.line.empty()) {
      pos = Match(r.bytes, pos, r.section.line, c.lib.values, c.dialogs);
      if (pos == kNoPosition) break;
    }
  }
  return read;
}

bool ReadListText(ElementContext& c, std::string_view path, ListData& out) {
  ReadText r;
  if (!BeginRead(c, path, SectionType::List, element_text::kMapMissing,
                 {Placeholder::Name, Placeholder::Link, Placeholder::Type, Placeholder::Model}, r))
    return false;
  out.header = CapturedHeader(c.lib.values);
  out.userTexts = SaveUserTexts(c.lib.values);
  const HeaderValues& h = out.header;

  std::string modelName = c.lib.values.textUtf8(Placeholder::Model);
  if (modelName.empty()) modelName = CurrentModel(c.lib).name;
  int model = FindModel(c.lib, modelName);
  if (model < 0) {
    std::string text(element_text::kUnknownModel);
    text += modelName;
    c.dialogs.message(text, element_text::kErrorCaption, platform::Icon::Error);
    return false;
  }
  c.lib.currentModel = model;
  out.modelName = modelName;
  // The template of this file's format and model, before a linked read can
  // select another format.
  PrepareObjectTemplate(c.lib);
  const ObjectTemplate tmpl = c.lib.objectTemplate;
  const ListModel& listModel = CurrentModel(c.lib);
  out.objectSize = listModel.objectSize();

  if (!h.link.empty()) {
    TilesetData tileset;
    if (!ReadTileset(c, h.link, tileset)) return false;
  }
  if (h.size > c.maxObjects) {
    c.dialogs.message(element_text::kListTooLong, element_text::kErrorCaption,
                      platform::Icon::Error);
    return false;
  }

  const int count = std::max(h.size, 0);
  bool errorMark = false;
  out.count = ReadObjects(c, r, {listModel, tmpl, ObjectReadMode::Strict, {}}, count, out.objects,
                          errorMark);
  if (!errorMark) return true;

  platform::Answer answer = c.dialogs.question(
      element_text::kListRecovery, element_text::kWarningCaption, platform::Buttons::OkCancel,
      platform::Answer::Ok, platform::Icon::Warning);
  if (answer == platform::Answer::Cancel) return false;
  std::string_view endMarker = ObjectEndMarker(r.section.line, tmpl);
  out.count = ReadObjects(c, r, {listModel, tmpl, ObjectReadMode::Lenient, endMarker}, count,
                          out.objects, errorMark);
  out.recovered = true;
  return true;
}

}  // namespace

bool WriteList(ElementContext& c, const ElementTarget& t, const ListObjects& objects,
               const ListWriteDetails& details) {
  if (objects.objectSize < kObjectHeaderSize || objects.count < 0 ||
      static_cast<uint64_t>(objects.count) * static_cast<uint64_t>(objects.objectSize) >
          objects.bytes.size()) {
    ReportBrokenCondition(c, "nbObjets * tailleObjet <= taille du tampon");
    return false;
  }
  OutputSink out;
  if (!OpenForWriting(c, t, out, element_text::kWriteFailed)) return false;
  PrepareWrite(c, t);
  TemplateValues& v = c.lib.values;
  if (details.userTexts) RestoreUserTexts(v, *details.userTexts);
  const OutputFormat& f = c.lib.current;
  const FormatSection& s = f.section(SectionType::List);
  v.setNumber(Placeholder::Size, objects.count);
  v.setNumber(Placeholder::Memory,
              static_cast<int32_t>(int64_t{objects.count} * objects.objectSize));
  v.setText(Placeholder::Link, LinkedFile(details.tileset));
  v.setNumber(Placeholder::TileX, details.tileWidth);
  v.setNumber(Placeholder::TileY, details.tileHeight);
  if (details.typeName.empty())
    v.setTextBytes(Placeholder::Type, f.typesd);
  else
    v.setText(Placeholder::Type, details.typeName);
  v.setText(Placeholder::Model, details.modelName.empty()
                                    ? std::string_view(CurrentModel(c.lib).name)
                                    : details.modelName);
  PrepareObjectTemplate(c.lib);
  Expand(s.declaration, out, v, c.dialogs);

  const auto size = static_cast<size_t>(objects.objectSize);
  const std::vector<size_t> order = SortedOrder(objects);
  for (size_t i = 0; i < order.size(); ++i) {
    if (GroupBeforeObject(s.n_every, static_cast<int>(i))) Expand(s.every_x, out, v, c.dialogs);
    WriteObject(out, c.lib.objectTemplate, objects.bytes.subspan(order[i] * size, size));
    Expand(s.line, out, v, c.dialogs);
  }
  Expand(s.end, out, v, c.dialogs);
  return FinishWriting(c, t, out, element_text::kWriteFailed);
}

bool ReadList(ElementContext& c, std::string_view path, ListData& out) {
  out = ListData{};
  const UserTexts before = SaveUserTexts(c.lib.values);
  bool ok = ReadListText(c, path, out);
  RestoreUserTexts(c.lib.values, before);
  return ok;
}

}  // namespace formats
