#include "script/identifier_lookup.h"

#include "script/script_line.h"
#include "script/context.h"

namespace script {

const Entry* LookupIdentifier(const ObjectTable& table, std::string_view name) {
  for (const Entry& e : table.entries)
    if (e.name == name) return &e;
  return nullptr;
}

const Entry* LookupIdentifier(const Context& context, const ObjectTable* table,
                              std::string_view name) {
  if (table) return LookupIdentifier(*table, name);
  if (const Entry* e = LookupIdentifier(context.rootTable(), name)) return e;
  for (const Entry& e : context.interpreter.registered)
    if (e.name == name) return &e;
  return nullptr;
}

bool RegisterIdentifier(Context& context, std::string_view name, const Entry& target) {
  auto& st = context.interpreter;
  std::string folded = FoldCase(name);
  Entry candidate = target;
  candidate.name = folded;
  for (const Entry& e : st.registered)
    if (e.sameAs(candidate)) return false;
  candidate.name = st.registeredNames.emplace_back(std::move(folded));
  st.registered.push_back(candidate);
  return true;
}

}  // namespace script
