#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

// Undo as full snapshots of a background's cells (or list elements). Every
// history of the editor shares one memory budget; a history that reaches the
// budget or the depth limit forgets its oldest state rather than refusing new
// ones.
namespace mapeditor {

inline constexpr int kMaxUndoIndex = 99999;
// The budget before an editor has read the machine's memory size.
inline constexpr uint64_t kDefaultUndoLimit = 20000000;

struct UndoBudget {
  uint64_t held = 0;  // bytes of every history's snapshots
  uint64_t limit = kDefaultUndoLimit;
};

class UndoHistory {
 public:
  // Records `state` as the newest snapshot; the redo states are dropped. When
  // the budget is reached, or current exceeds the depth limit, the oldest
  // snapshot goes first (the history is then lost). False when the snapshot
  // could not be stored: the history is as it was.
  bool push(std::span<const uint8_t> state, UndoBudget& budget);

  // Replaces the present snapshot by another form of the same state (one
  // that carries more of it). False when there is none or no memory: the
  // history is as it was.
  bool replaceCurrent(std::span<const uint8_t> state, UndoBudget& budget);

  // The snapshot to restore, or null when there is nothing to undo / redo.
  const std::vector<uint8_t>* undo();
  const std::vector<uint8_t>* redo();

  // Frees every snapshot and records `state` as the only one. With
  // keepModified, the history is lost only when the background was modified;
  // otherwise it always is.
  bool reset(std::span<const uint8_t> state, UndoBudget& budget, bool keepModified);

  // Frees every snapshot (closing the editor).
  void clear(UndoBudget& budget);

  // Saving: the present state becomes the saved one.
  void markSaved() {
    saved_ = current_;
    lost_ = false;
  }

  bool canUndo() const { return current_ > 0; }
  bool canRedo() const { return current_ < top_; }
  bool modified() const { return current_ != saved_ || lost_; }
  bool historyLost() const { return lost_; }
  void setHistoryLost() { lost_ = true; }

  int current() const { return current_; }
  int top() const { return top_; }
  int saved() const { return saved_; }
  size_t snapshotCount() const { return snapshots_.size(); }
  uint64_t bytes() const;

 private:
  std::deque<std::vector<uint8_t>> snapshots_;
  int current_ = -1;
  int top_ = -1;
  int saved_ = 0;
  bool lost_ = false;
};

}  // namespace mapeditor
