#pragma once

#include <string>
#include <vector>

#include "mapeditor/editor_access.h"

namespace scripttest {

// An open map editor that records what the script objects ask of it, one
// line per call.
class RecordingEditor : public mapeditor::EditorAccess {
 public:
  std::vector<std::string> calls;
  int32_t backgrounds = 2;

  bool addBackgroundByName(std::string_view name, int32_t slot) override {
    return note("add " + std::string(name) + " " + std::to_string(slot));
  }
  void resetBackgrounds() override { note("reset"); }
  void linkBackgrounds(std::span<const int32_t> numbers) override {
    std::string line = "link";
    for (int32_t n : numbers) line += " " + std::to_string(n);
    note(line);
  }
  bool setScrollRate(int32_t index, double x, double y) override {
    return note("scroll " + std::to_string(index) + " " + std::to_string(x) + " " +
                std::to_string(y));
  }
  bool addCondition(int32_t index, uint32_t lowest, uint32_t highest, uint32_t target,
                    bool noIncrement) override {
    return note("condition " + std::to_string(index) + " " + std::to_string(lowest) + " " +
                std::to_string(highest) + " " + std::to_string(target) + (noIncrement ? " =" : ""));
  }
  bool setSnapGrid(int32_t index, int32_t width, int32_t height) override {
    return note("grid " + std::to_string(index) + " " + std::to_string(width) + " " +
                std::to_string(height));
  }
  bool setGbaEmulation(int32_t index, bool on) override {
    return note("emulation " + std::to_string(index) + " " + std::to_string(on));
  }
  bool setVisible(int32_t index, bool visible) override {
    return note("visible " + std::to_string(index) + " " + std::to_string(visible));
  }
  bool addSpecimenMap(int32_t number) override {
    return note("specimen map " + std::to_string(number));
  }
  void showSpecimen(bool shown) override { note("specimen show " + std::to_string(shown)); }
  void placeSpecimen(int32_t width, int32_t height, int32_t left, int32_t top,
                     bool moves) override {
    note("specimen place " + numbers({width, height, left, top}) + " " + std::to_string(moves));
  }
  bool setBitName(int32_t index, int32_t bit, std::string_view name) override {
    return note("bit name " + std::to_string(index) + " " + std::to_string(bit) + " " +
                std::string(name));
  }
  bool setBitActive(int32_t index, int32_t bit, bool active) override {
    return note("bit active " + std::to_string(index) + " " + std::to_string(bit) + " " +
                std::to_string(active));
  }
  void showBitGrid() override { note("bits show"); }
  void moveBitGrid(int32_t left, int32_t top) override {
    note("bits move " + numbers({left, top}));
  }
  void placeEditor(int32_t width, int32_t height, int32_t left, int32_t top, bool moves,
                   bool maximised) override {
    note("editor place " + numbers({width, height, left, top}) + " " + std::to_string(moves) + " " +
         std::to_string(maximised));
  }
  void setZoom(double zoom) override { note("zoom " + std::to_string(zoom)); }
  int32_t backgroundCount() const override { return backgrounds; }
  // Told at the end of every outermost run; counted, not recorded as a call.
  void settingsChanged() override { ++settingsNotices; }
  int settingsNotices = 0;

 private:
  bool note(std::string line) {
    calls.push_back(std::move(line));
    return true;
  }
  static std::string numbers(std::initializer_list<int32_t> values) {
    std::string out;
    for (int32_t v : values) out += (out.empty() ? "" : " ") + std::to_string(v);
    return out;
  }
};

}  // namespace scripttest
