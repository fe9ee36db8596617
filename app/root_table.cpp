#include "app/root_table.h"

#include <array>

#include "app/assistant_dispatch.h"
#include "app/background_identifiers.h"
#include "script/control_flow.h"
#include "app/conv_command.h"
#include "app/convert_identifiers.h"
#include "app/definition_commands.h"
#include "app/editor_identifiers.h"
#include "app/entry_makers.h"
#include "app/folder_identifiers.h"
#include "app/list_identifiers.h"
#include "app/system_identifiers.h"
#include "app/workshop.h"
#include "app/language.h"

namespace app {

namespace {

using K = EntryKind;
using C = AssistantControl;

constexpr Entry Control(EntryKind kind, AssistantControl control) {
  return AssistantEntry(kind, control);
}

// The names, the French beside the English, in table order.
constexpr TwinRow kTwinRows[] = {
    // The import assistant's controls. The assistant reuses its controls from
    // one category page to the next, so several names reach the same one.
    {"arbre-mosaiques", "tree-tilesets", Control(K::TreeItem, C::TreeTilesets)},
    {"arbre-cartes", "tree-maps", Control(K::TreeItem, C::TreeMaps)},
    {"arbre-bitmaps", "tree-bitmaps", Control(K::TreeItem, C::TreeBitmaps)},
    {"texte-01", "text-01", Control(K::TextField, C::Field1)},
    {"texte-02", "text-02", Control(K::TextField, C::Field2)},
    {"texte-03", "text-03", Control(K::TextField, C::Field3)},
    {"texte-04", "text-04", Control(K::TextField, C::Field4)},
    {"texte-05", "text-05", Control(K::TextField, C::Field5)},
    {"texte-source", "text-source", Control(K::TextField, C::Field1)},
    {"texte-dest", "text-dest", Control(K::TextField, C::Field2)},
    {"texte-palette", "text-palette", Control(K::TextField, C::Field3)},
    {"texte-map", "text-map", Control(K::TextField, C::Field4)},
    {"texte-couleurs", "text-colors", Control(K::TextField, C::Field5)},
    {"texte-tileset", "text-tileset", Control(K::TextField, C::Field2)},
    {"texte-taillex", "text-sizex", Control(K::TextField, C::Field2)},
    {"texte-tailley", "text-sizey", Control(K::TextField, C::Field3)},
    {"check-palette", "check-palette", Control(K::CheckBox, C::CheckPalette)},
    {"check-map", "check-map", Control(K::CheckBox, C::CheckMap)},
    {"check-tileset", "check-tileset", Control(K::CheckBox, C::CheckTileset)},
    {"check-optimise", "check-optimize", Control(K::CheckBox, C::CheckOptimise)},
    {"check-16", "check-16", Control(K::CheckBox, C::None)},
    {"radio-texte", "radio-text", Control(K::RadioButton, C::None)},
    {"radio-rotation", "radio-rotation", Control(K::RadioButton, C::None)},
    {"combo-palette", "combo-palette", Control(K::DropDown, C::ComboPalette)},
    {"combo-tileset", "combo-tileset", Control(K::DropDown, C::ComboTileset)},
    {"combo-taille", "combo-size", Control(K::DropDown, C::ComboSize)},
    {"combo-tiles", "combo-tiles", Control(K::DropDown, C::ComboTiles)},
    {"combo-map", "combo-map", Control(K::DropDown, C::None)},

    // Statements, variables and folders.
    {"ok", "ok", CommandEntry<AssistantOkCommand>()},
    {"msgbox", "msgbox", CommandEntry<MsgBoxCommand>()},
    {"visible", "visible", CommandEntry<VisibleCommand>()},
    {"quitte", "quit", CommandEntry<QuitCommand>()},
    {"fin", "end", CommandEntry<EndCommand>()},
    {"exec", "exec", CommandEntry<ExecCommand>()},
    {"goto", "goto", CommandEntry<GotoCommand>()},
    {"messages", "messages",
     IntegerEntry<[](Workshop& w) -> int32_t& { return w.interpreter.messages; }>()},
    {"répertoire", "directory",
     TextEntry<[](Workshop& w) -> std::string& { return w.paths.directory; }>()},
    {"script", "script",
     TextEntry<[](Workshop& w) -> std::string& { return w.paths.scriptPath; }>()},
    {"aideperso", "userhelp",
     TextEntry<[](Workshop& w) -> std::string& { return w.paths.userHelpPath; }>()},
    {"retour", "return", CommandEntry<ReturnCommand>()},
    {"dossiers", "folders", ObjectEntry(&kFoldersObject)},
    {"dossierdéf", "deffolder", ArrayEntry(&kDefaultFolderArray)},
    {"effets", "effects", CommandEntry<LightingCommand>()},
    {"defformat", "definefmt", CommandEntry<DefineFormatCommand>()},
    {"defmodele", "definemodel", CommandEntry<DefineModelCommand>()},
    {"format", "format", CommandEntry<RememberFormatCommand>()},
    {"modele", "model", CommandEntry<RememberModelCommand>()},
    {"selmodele", "setmodel", CommandEntry<SelectModelCommand>()},
    {"selformat", "setformat", CommandEntry<SelectFormatCommand>()},
    {"faire", "do", CommandEntry<DoCommand>()},
    {"inclure", "include", CommandEntry<IncludeCommand>()},
    {"plateforme", "platform", CommandEntry<SelectPlatformCommand>()},
};

// Names both languages share, searched after both lists.
constexpr Entry kSharedRows[] = {
    Named("conv", CommandEntry<ConvCommand>()),
    Named("fonds", ObjectEntry(&kBackgroundsObject)),
    Named("modehexa", ObjectEntry(&kHexModeObject)),
    Named("system", ObjectEntry(&kSystemObject)),
    Named("convert", ObjectEntry(&kConvertObject)),
    Named("editeur", ObjectEntry(&kEditorObject)),
    Named("specimen", ObjectEntry(&kSpecimenObject)),
    Named("bits", ObjectEntry(&kBitsObject)),
    Named("liste", ObjectEntry(&kListObject)),
    Named("maps", ObjectEntry(&kBackgroundsObject)),
    Named("editor", ObjectEntry(&kEditorObject)),
    Named("list", ObjectEntry(&kListObject)),
};

constexpr auto kRootRows = ExpandTwins(kTwinRows, kSharedRows);
static_assert(kRootRows.size() == 116, "52 French names, their 52 English twins, 12 shared names");
constexpr ObjectTable kRootTable{kRootRows};

}  // namespace

std::span<const TwinRow> RootTwinRows() { return kTwinRows; }
std::span<const Entry> RootSharedRows() { return kSharedRows; }
const ObjectTable& RootTable() { return kRootTable; }

}  // namespace app
