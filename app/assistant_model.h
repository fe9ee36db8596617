#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/assistant_controls.h"
#include "app/language.h"

// The import assistant without a window: its fields, boxes and lists as a
// script fills them, and its "Ok!" button. Batch mode and tests drive it
// through the script's control names; the window shows the same state.
namespace app {

struct Workshop;

// The page the assistant shows, one per category item of the tree.
enum class AssistantPage {
  None,      // not opened yet: "Ok!" does nothing
  Tilesets,  // "Récupérer les mosaïques": picture to tileset, palette and map
  Maps,      // "Créer un nouveau tableau à utiliser comme carte géante"
  Bitmaps,   // "Créer une image simple"
};

// "Taille de la map": the whole picture, or a square from its top-left corner.
inline constexpr std::array<std::string_view, 5> kMapSizeEntries{"Optimisé", "128x128", "256x256",
                                                                 "512x512", "1024x1024"};
inline constexpr std::array<int, 5> kMapSizeSides{0, 128, 256, 512, 1024};
// "Taille des blocs": the tile size; the last entry keeps the settings' size.
inline constexpr std::array<std::string_view, 4> kTileSizeEntries{"8x8", "16x16", "32x32",
                                                                  "Perso..."};
inline constexpr std::array<int, 3> kTileSizeSides{8, 16, 32};

class AssistantModel : public AssistantControls {
 public:
  explicit AssistantModel(Workshop& w) : w_(w) {}

  // Opens the page of the category with its controls at their defaults.
  void openFromTree(AssistantControl item) override;
  void setText(AssistantControl field, const std::string& text) override;
  void setChecked(AssistantControl box, int32_t state) override;
  std::vector<std::string> listEntries(AssistantControl list) override;
  void selectEntry(AssistantControl list, size_t index) override;
  void pressOk() override;

  AssistantPage page() const { return page_; }
  const std::string& text(AssistantControl field) const;
  int32_t checked(AssistantControl box) const;
  // The selected entry of a list, or -1.
  int selected(AssistantControl list) const;

 private:
  void okTilesets();
  void okBitmaps();
  void okMaps();
  // Validates the colour count of field 5 for the current colour mode.
  bool colourCount(int32_t& out);
  // The n-th element of a kind in table order, as a list's entry stands for
  // it; -1 when none.
  int nthElement(uint32_t kind, int n) const;
  void applyTileSize();

  Workshop& w_;
  AssistantPage page_ = AssistantPage::None;
  std::array<std::string, 5> fields_;
  int32_t usePalette_ = 0;  // three states
  int32_t generateMap_ = 1;
  int32_t useTileset_ = 0;  // three states
  int32_t optimise_ = 1;
  int palette_ = 0;  // selections
  int tileset_ = 0;
  int mapSize_ = 0;
  int tileSize_ = 0;
};

}  // namespace app
