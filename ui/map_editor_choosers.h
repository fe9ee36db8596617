#pragma once

#include <optional>
#include <string>

class QWidget;

namespace project {
class Project;
}

namespace ui {

// "Choisir une map de fond...": the project's maps and object lists; the
// project index of the chosen one.
std::optional<int> ChooseBackgroundElement(QWidget* parent, const project::Project& project);

// "Exécuter (script)": the statements typed, or nothing when cancelled.
std::optional<std::string> AskScriptStatements(QWidget* parent, const std::string& lastText);

}  // namespace ui
