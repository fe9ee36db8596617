#include "mapeditor/status_messages.h"

#include <algorithm>

#include "platform/text_encoding.h"

namespace mapeditor {

void StatusMessages::add(std::string_view text) {
  if (messages_.size() >= kMaxStatusMessages) messages_.pop_front();
  StatusMessage m;
  m.text = platform::Utf8Length(text) > kMaxStatusChars
               ? platform::Utf8Prefix(text, kMaxStatusChars)
               : std::string(text);
  messages_.push_back(std::move(m));
}

void StatusMessages::remove(std::string_view text) {
  std::erase_if(messages_, [text](const StatusMessage& m) { return m.text == text; });
}

void StatusMessages::elapse(int ms) {
  if (ms <= 0) return;
  for (StatusMessage& m : messages_) m.remainingMs -= ms;
  std::erase_if(messages_, [](const StatusMessage& m) { return m.remainingMs <= 0; });
}

}  // namespace mapeditor
