#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "formats/list_model.h"
#include "platform/dialogs.h"

// The work of the Options dialog's Modèles page: a copy of the list model
// table that the page edits and the dialog's OK stores, so that Annuler
// leaves the program's models as they were.
namespace formats {

struct FormatLibrary;

struct ModelPrompt {
  std::string_view text;  // "%s" marks where the argument goes
  std::string_view caption;
  platform::Icon icon = platform::Icon::None;
  platform::Buttons buttons = platform::Buttons::Ok;
  platform::Answer defaultAnswer = platform::Answer::Ok;
};

namespace model_prompts {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

inline constexpr ModelPrompt kSizeTooSmall{"La taille doit être d'au moins 4 octets.", "Erreur",
                                           Icon::Error};
inline constexpr ModelPrompt kTooManyParameters{"Le nombre maximal de paramètres est atteint.",
                                                "Erreur", Icon::Error};
inline constexpr ModelPrompt kOnlyModel{
    "Vous ne pouvez pas supprimer tous les modèles, il doit au moins vous en rester un.", "Erreur",
    Icon::Error};
inline constexpr ModelPrompt kDeleteModelInUse{
    "Vous allez supprimer le modèle que vous êtes en train d'utiliser!\nÊtes-vous sûr?",
    "Attention", Icon::Warning, Buttons::YesNo, Answer::No};
inline constexpr ModelPrompt kDeleteModel{
    "Vous ne pourrez pas annuler cette opération.\nÊtes-vous sûr?", "Attention", Icon::Warning,
    Buttons::YesNo, Answer::No};
inline constexpr ModelPrompt kApplyEdits{
    "Voulez-vous apporter les modifications au modèle %s?\nNote: Pour éviter d'obtenir ce "
    "message, sauvegardez toujours vos modifications sous un modèle avant de fermer la boîte.",
    "Avertissement", Icon::Warning, Buttons::YesNo, Answer::Yes};
inline constexpr ModelPrompt kTooManyModels{
    "Le nombre maximal de modèles (10) est atteint.\nSupprimez-en un ou sauvegardez sous le nom "
    "d'un modèle existant.",
    "Erreur", Icon::Error};

}  // namespace model_prompts

class ModelTableEdit {
 public:
  // Starts from the library's models, editing the one in use.
  explicit ModelTableEdit(const FormatLibrary& lib);

  const std::vector<ListModel>& models() const { return models_; }
  // The model in use (the General page's "Modèle par défaut").
  int currentModel() const { return current_; }
  void setCurrentModel(int index);
  int findModel(std::string_view name) const;

  // The parameters being edited and the model they were loaded from.
  const std::vector<ModelField>& parameters() const { return parameters_; }
  int editedModel() const { return edited_; }
  // The parameters differ from the model they were loaded from.
  bool modified() const;

  // "Ajouter" (selected < 0: a new parameter, or the one of that name) and
  // "Mettre à jour" (the selected one). A size below 1 or an empty name does
  // nothing; sizes 1 to 3 and a 101st parameter are refused with a message.
  // True when a parameter changed.
  bool putParameter(int selected, std::string_view name, int32_t kind, int32_t size,
                    std::string_view defaultValue, platform::UserDialogs& dialogs);
  bool removeParameter(int index);

  // "Charger": the model's parameters replace those being edited.
  bool loadModel(int index);
  // "Sauver": the parameters become the model of that name (a new one when
  // no model has it; an eleventh is refused). Returns its index, or -1.
  int saveModel(std::string_view name, platform::UserDialogs& dialogs);
  // "Supprimer" of the model list, after its question. True when removed.
  bool deleteModel(int index, platform::UserDialogs& dialogs);

  // Before the dialog stores: asks whether unsaved parameters go into the
  // model they came from.
  void confirmPendingEdits(platform::UserDialogs& dialogs);
  // The table and the model in use into the library.
  void store(FormatLibrary& lib) const;

 private:
  std::vector<ListModel> models_;
  int current_ = 0;
  int edited_ = 0;
  std::vector<ModelField> parameters_;
};

}  // namespace formats
