#pragma once

#include <QString>

#include <string>
#include <string_view>

// The program's texts are UTF-8 in std::string; Qt wants QString.
namespace ui {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToStdString(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace ui
