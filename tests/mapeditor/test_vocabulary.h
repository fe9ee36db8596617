#pragma once

namespace script {
struct Workshop;
}

namespace mapeditortest {

// A small stand-in for the script objects `fonds`, `bits`, `modehexa`,
// `editeur` and `specimen`, just enough to run the map settings files the
// editor writes: each entry calls the open editor or writes the editor
// settings, as the program's own tables do.
void RegisterEditorVocabulary(script::Workshop& w);

}  // namespace mapeditortest
