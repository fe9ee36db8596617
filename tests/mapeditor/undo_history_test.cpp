#include "mapeditor/undo_history.h"

#include <gtest/gtest.h>

#include "mapeditor/memory_text.h"

namespace {

using namespace mapeditor;

std::vector<uint8_t> State(uint8_t v) { return std::vector<uint8_t>(100, v); }

TEST(UndoHistory, UndoingBackToTheSavedStateIsUnmodifiedAndAPushDropsRedo) {
  UndoBudget budget;
  UndoHistory h;
  h.push(State(0), budget);
  EXPECT_FALSE(h.modified());
  EXPECT_FALSE(h.canUndo());
  h.push(State(1), budget);
  EXPECT_TRUE(h.modified());
  ASSERT_NE(h.undo(), nullptr);
  EXPECT_FALSE(h.modified());
  EXPECT_TRUE(h.canRedo());
  h.push(State(2), budget);
  EXPECT_FALSE(h.canRedo());
  EXPECT_EQ(budget.held, 200u);
  const std::vector<uint8_t>* s = h.undo();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ((*s)[0], 0);
  s = h.redo();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ((*s)[0], 2);
  EXPECT_EQ(h.redo(), nullptr);
}

TEST(UndoHistory, TheFourthPushOnAThreeSnapshotBudgetForgetsTheOldestForGood) {
  UndoBudget budget;
  budget.limit = 300;
  UndoHistory h;
  for (uint8_t i = 0; i < 4; ++i) EXPECT_TRUE(h.push(State(i), budget));
  EXPECT_EQ(h.snapshotCount(), 3u);
  EXPECT_EQ(budget.held, 300u);
  EXPECT_TRUE(h.historyLost());
  const std::vector<uint8_t>* s = nullptr;
  while (const std::vector<uint8_t>* next = h.undo()) s = next;
  ASSERT_NE(s, nullptr);
  EXPECT_EQ((*s)[0], 1);  // state 0 is gone
  EXPECT_TRUE(h.modified());
  h.markSaved();
  EXPECT_FALSE(h.modified());
}

TEST(UndoHistory, TheDepthLimitForgetsTheOldestStateOnce) {
  UndoBudget budget;
  UndoHistory h;
  std::vector<uint8_t> tiny(1, 0);
  for (int i = 0; i <= kMaxUndoIndex + 1; ++i) h.push(tiny, budget);
  EXPECT_EQ(h.current(), kMaxUndoIndex + 1);
  EXPECT_FALSE(h.historyLost());
  h.push(tiny, budget);
  EXPECT_TRUE(h.historyLost());
  EXPECT_EQ(h.current(), kMaxUndoIndex + 1);
}

TEST(UndoHistory, ResetKeepsTheModifiedStateOnlyWhenAsked) {
  UndoBudget budget;
  UndoHistory h;
  h.push(State(0), budget);
  h.reset(State(5), budget, true);
  EXPECT_FALSE(h.modified());
  EXPECT_EQ(h.snapshotCount(), 1u);
  h.push(State(6), budget);
  h.reset(State(6), budget, true);
  EXPECT_TRUE(h.modified());
  h.markSaved();
  h.reset(State(6), budget, false);
  EXPECT_TRUE(h.modified());
  EXPECT_FALSE(h.canUndo());
  EXPECT_EQ(budget.held, 100u);
  h.clear(budget);
  EXPECT_EQ(budget.held, 0u);
}

TEST(MemoryText, EachRowKeepsItsPrecisionUpToItsBound) {
  EXPECT_EQ(MemoryText(0), "Mém: 0.00 ko");
  EXPECT_EQ(MemoryText(10239), "Mém: 10.00 ko");
  EXPECT_EQ(MemoryText(10240), "Mém: 10.0 ko");
  EXPECT_EQ(MemoryText(102400), "Mém: 100 ko");
  EXPECT_EQ(MemoryText(1023999), "Mém: 999 ko");
  EXPECT_EQ(MemoryText(1024000), "Mém: 0.98 Mo");
  EXPECT_EQ(MemoryText(10485760), "Mém: 10.0 Mo");
  EXPECT_EQ(MemoryText(104857600), "Mém: 100 Mo");
  EXPECT_EQ(MemoryText(1048576000), "Mém: 0.98 Go");
}

}  // namespace
