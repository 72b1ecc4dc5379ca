/* Uses the installed library from C: asks which components of a small update document
 * need updating, converts names between UTF-8 and UTF-16, and takes a path apart. */
#include <stdio.h>
#include <string.h>
#include <vorn/vorn_c.h>

/* UTF-8 to a UTF-16 buffer of 32 units. */
static const unsigned short* wide(unsigned short* out, const char* text) {
  StrUtf8ToUnicode(out, 32, text, -1);
  return out;
}

int main(void) {
  static const char document[] =
      "<app version='2.1' filename='app.bin'>"
      "  <plugin version='1.0'/>"
      "</app>";
  unsigned short app[32], app_version[32], plugin[32], plugin_version[32];
  tnoticeLocal installed[2];
  tnoticeLocalList locals;
  tnoticeItemList* updates;
  char name[64] = "", version[64] = "", dir[260];
  int ok;

  installed[0].name = wide(app, "app");
  installed[0].extra = NULL;
  installed[0].version = wide(app_version, "2.0");
  installed[0].versionIsText = 0;
  installed[1].name = wide(plugin, "plugin");
  installed[1].extra = NULL;
  installed[1].version = wide(plugin_version, "1.0");
  installed[1].versionIsText = 0;
  locals.count = 2;
  locals.items = installed;

  updates = ParseAppUpdateInfo(document, 0, &locals);
  if (updates == NULL) {
    puts("nothing needs updating");
    return 1;
  }
  StrUnicodeToUtf8(name, sizeof name, updates->items[0].name);
  StrUnicodeToUtf8(version, sizeof version, updates->items[0].version);
  printf("%d component to update: %s %s (%d sub-components)\n", updates->count, name, version,
         updates->items[0].childCount);
  ok = updates->count == 1 && strcmp(name, "app") == 0 && updates->items[0].childCount == 0;
  ParseAppUpdateInfo_free(updates);

  ExtractFileDir("/opt/app/bin/app.bin", dir);
  printf("directory of /opt/app/bin/app.bin: %s\n", dir);
  return ok && strcmp(dir, "/opt/app/bin/") == 0 ? 0 : 1;
}
