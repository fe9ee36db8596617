#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

// The short messages drawn over the bottom left of the canvas, each living
// three seconds. The window draws them; the editor only keeps them.
namespace mapeditor {

inline constexpr size_t kMaxStatusMessages = 10;
inline constexpr size_t kMaxStatusChars = 1023;
inline constexpr int kStatusLifetimeMs = 3000;

struct StatusMessage {
  std::string text;
  int remainingMs = kStatusLifetimeMs;
};

class StatusMessages {
 public:
  // An eleventh message drops the oldest.
  void add(std::string_view text);
  // Removes the messages with exactly this text (before showing it again).
  void remove(std::string_view text);
  // One frame later: lifetimes shrink and spent messages go.
  void elapse(int ms);
  const std::deque<StatusMessage>& messages() const { return messages_; }
  void clear() { messages_.clear(); }

 private:
  std::deque<StatusMessage> messages_;
};

}  // namespace mapeditor
