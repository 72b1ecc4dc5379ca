// String resources: texts looked up by identifier in tables that the caller owns.
#include "vorn/runtime.h"

namespace {

// The first entry with the identifier, or null.
const string_res_entry* find_entry(uint32_t id, const string_res_entry* table, int count) {
  if (table == nullptr) return nullptr;
  for (int i = 0; i < count; ++i) {
    if (table[i].id == id) return &table[i];
  }
  return nullptr;
}

}  // namespace

extern "C" {

const void* loadstringfromres_impl(uint32_t id, const string_res_entry* table, int count,
                                   const string_res_entry* def_table, int def_count) {
  if (const string_res_entry* entry = find_entry(id, table, count)) return entry->text;
  if (def_table == table || def_count < 1) return nullptr;
  const string_res_entry* entry = find_entry(id, def_table, def_count);
  return entry != nullptr ? entry->text : nullptr;
}

void setStringResEntry_impl(const string_res_entry* table, int count, const string_res_entry** table_var,
                            int* count_var) {
  if (count_var != nullptr) *count_var = count;
  if (table_var != nullptr) *table_var = table;
}

// One function under two exported names; a forwarder rather than a symbol alias, which
// not every object format carries with the target's attributes.
void setStringResDefaultEntry_impl(const string_res_entry* table, int count, const string_res_entry** table_var,
                                   int* count_var) {
  setStringResEntry_impl(table, count, table_var, count_var);
}

void vorn_cleanup_string_resource(void) {}

}  // extern "C"
