#include "formats/model_table_edit.h"

#include "formats/format_library.h"
#include "platform/message_text.h"
#include "platform/text_encoding.h"

namespace formats {

namespace {

void Show(platform::UserDialogs& dialogs, const ModelPrompt& p, std::string_view arg = {}) {
  dialogs.message(platform::FillInText(p.text, {arg}), p.caption, p.icon);
}

bool Confirmed(platform::UserDialogs& dialogs, const ModelPrompt& p, std::string_view arg = {}) {
  return dialogs.question(platform::FillInText(p.text, {arg}), p.caption, p.buttons,
                          p.defaultAnswer, p.icon) == platform::Answer::Yes;
}

bool SameFields(const std::vector<ModelField>& a, const std::vector<ModelField>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].kind != b[i].kind || a[i].size != b[i].size || a[i].name != b[i].name ||
        a[i].defaultValue != b[i].defaultValue)
      return false;
  return true;
}

}  // namespace

ModelTableEdit::ModelTableEdit(const FormatLibrary& lib) : models_(lib.models) {
  if (models_.empty()) models_.push_back(ListModel{"Default", {}});
  setCurrentModel(lib.currentModel);
  loadModel(current_);
}

void ModelTableEdit::setCurrentModel(int index) {
  if (index >= 0 && static_cast<size_t>(index) < models_.size()) current_ = index;
}

int ModelTableEdit::findModel(std::string_view name) const {
  for (size_t i = 0; i < models_.size(); ++i)
    if (models_[i].name == name) return static_cast<int>(i);
  return -1;
}

bool ModelTableEdit::modified() const {
  if (edited_ < 0 || static_cast<size_t>(edited_) >= models_.size()) return false;
  return !SameFields(parameters_, models_[static_cast<size_t>(edited_)].fields);
}

bool ModelTableEdit::putParameter(int selected, std::string_view name, int32_t kind, int32_t size,
                                  std::string_view defaultValue, platform::UserDialogs& dialogs) {
  if (size < 1 || name.empty()) return false;
  if (size < 4) {
    Show(dialogs, model_prompts::kSizeTooSmall);
    return false;
  }
  ModelField field = MakeField(kind, size, name, defaultValue);
  if (selected < 0) {
    for (ModelField& f : parameters_)
      if (f.name == field.name) {
        f = field;
        return true;
      }
    if (parameters_.size() >= kMaxModelFields) {
      Show(dialogs, model_prompts::kTooManyParameters);
      return false;
    }
    parameters_.push_back(std::move(field));
    return true;
  }
  if (static_cast<size_t>(selected) >= parameters_.size()) return false;
  parameters_[static_cast<size_t>(selected)] = std::move(field);
  return true;
}

bool ModelTableEdit::removeParameter(int index) {
  if (index < 0 || static_cast<size_t>(index) >= parameters_.size()) return false;
  parameters_.erase(parameters_.begin() + index);
  return true;
}

bool ModelTableEdit::loadModel(int index) {
  if (index < 0 || static_cast<size_t>(index) >= models_.size()) return false;
  edited_ = index;
  parameters_ = models_[static_cast<size_t>(index)].fields;
  return true;
}

int ModelTableEdit::saveModel(std::string_view name, platform::UserDialogs& dialogs) {
  std::string cut = platform::Utf8Prefix(name, kMaxModelNameChars);
  if (cut.empty()) return -1;
  int index = findModel(cut);
  if (index < 0) {
    if (models_.size() >= kMaxModels) {
      Show(dialogs, model_prompts::kTooManyModels);
      return -1;
    }
    models_.push_back(ListModel{cut, {}});
    index = static_cast<int>(models_.size()) - 1;
  }
  models_[static_cast<size_t>(index)].fields = parameters_;
  edited_ = index;
  return index;
}

bool ModelTableEdit::deleteModel(int index, platform::UserDialogs& dialogs) {
  if (index < 0 || static_cast<size_t>(index) >= models_.size()) return false;
  if (models_.size() == 1) {
    Show(dialogs, model_prompts::kOnlyModel);
    return false;
  }
  bool inUse = index == current_;
  if (!Confirmed(dialogs, inUse ? model_prompts::kDeleteModelInUse : model_prompts::kDeleteModel))
    return false;
  models_.erase(models_.begin() + index);
  if (inUse)
    current_ = 0;
  else if (index < current_)
    --current_;
  if (index == edited_) {
    loadModel(current_);  // what was edited has no model to go back to
  } else if (index < edited_) {
    --edited_;
  }
  return true;
}

void ModelTableEdit::confirmPendingEdits(platform::UserDialogs& dialogs) {
  if (!modified()) return;
  ListModel& model = models_[static_cast<size_t>(edited_)];
  if (Confirmed(dialogs, model_prompts::kApplyEdits, model.name)) model.fields = parameters_;
}

void ModelTableEdit::store(FormatLibrary& lib) const {
  lib.models = models_;
  lib.currentModel = current_;
}

}  // namespace formats
