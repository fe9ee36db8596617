#include "mapeditor/undo_history.h"

#include <new>

namespace mapeditor {

uint64_t UndoHistory::bytes() const {
  uint64_t total = 0;
  for (const auto& s : snapshots_) total += s.size();
  return total;
}

bool UndoHistory::push(std::span<const uint8_t> state, UndoBudget& budget) {
  int n = current_;
  if ((n > kMaxUndoIndex || budget.held >= budget.limit) && n > 1) {
    budget.held -= snapshots_.front().size();
    snapshots_.pop_front();
    lost_ = true;
    --current_;
    --top_;
    --saved_;
  }
  // The redo states beyond the present one are given up.
  while (static_cast<int>(snapshots_.size()) > current_ + 1) {
    budget.held -= snapshots_.back().size();
    snapshots_.pop_back();
  }
  try {
    snapshots_.emplace_back(state.begin(), state.end());
  } catch (const std::bad_alloc&) {
    top_ = current_;
    return false;
  }
  budget.held += state.size();
  ++current_;
  top_ = current_;
  return true;
}

bool UndoHistory::replaceCurrent(std::span<const uint8_t> state, UndoBudget& budget) {
  if (current_ < 0 || static_cast<size_t>(current_) >= snapshots_.size()) return false;
  std::vector<uint8_t>& snap = snapshots_[static_cast<size_t>(current_)];
  try {
    std::vector<uint8_t> copy(state.begin(), state.end());
    budget.held -= snap.size();
    budget.held += copy.size();
    snap = std::move(copy);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

const std::vector<uint8_t>* UndoHistory::undo() {
  if (current_ <= 0) return nullptr;
  --current_;
  return &snapshots_[static_cast<size_t>(current_)];
}

const std::vector<uint8_t>* UndoHistory::redo() {
  if (current_ >= top_) return nullptr;
  ++current_;
  return &snapshots_[static_cast<size_t>(current_)];
}

void UndoHistory::clear(UndoBudget& budget) {
  budget.held -= bytes();
  snapshots_.clear();
  current_ = -1;
  top_ = -1;
}

bool UndoHistory::reset(std::span<const uint8_t> state, UndoBudget& budget, bool keepModified) {
  bool wasModified = modified();
  clear(budget);
  bool pushed = push(state, budget);
  saved_ = 0;
  lost_ = keepModified ? wasModified : true;
  return pushed;
}

}  // namespace mapeditor
