/* vorn_common: update-information records and parser.
 *
 * An update-information document is a UTF-8 XML text in which every element is a
 * component (its element name is the component's name) carrying optional attributes
 * "version", "caption", "filename", "link", "rlpath" and "upmethod" (attribute names
 * matched without regard to ASCII case). The caller passes its own list of installed
 * components; the parser answers with the tree of components that need updating and
 * the components above them that lead to them.
 *
 *   static const unsigned short kMain[] = {'m', 'a', 'i', 'n', 0};
 *   static const unsigned short kHave[] = {'1', '.', '0', 0};
 *   tnoticeLocal local = {kMain, NULL, kHave, 0};
 *   tnoticeLocalList locals = {1, &local};
 *   tnoticeItemList* list = ParseAppUpdateInfo("<main version='1.1'/>", 0, &locals);
 *   // list->count == 1, list->items[0].version reads "1.1"
 *   ParseAppUpdateInfo_free(list);
 *
 * Every string in the records is a zero-terminated UTF-16 string. Compiles as C11 and
 * C++17.
 */
#ifndef VORN_APPUPDATE_H
#define VORN_APPUPDATE_H

#include <stdint.h>

#include "vorn/export.h"

VORN_EXTERN_C_BEGIN

/** One reported component. Strings are owned by the tree and null when absent; `name`
 *  is never null (empty for a text or CDATA child). Field order is part of the interface. */
typedef struct tnoticeItem {
  unsigned short* name;         /**< element name */
  unsigned short* version;      /**< "version" attribute; empty when written empty */
  unsigned short* localVersion; /**< copy of the matching local entry's version */
  unsigned short* filename;     /**< "filename" attribute */
  unsigned short* rlpath;       /**< "rlpath" attribute; "SYSTEMP" becomes <temp dir>nublo\ */
  unsigned short* link;         /**< "link" attribute */
  int32_t upmethod;             /**< 1 for "silentdown", 2 for "silentexe", else 0 */
  unsigned short* caption;      /**< "caption" attribute */
  unsigned short* extra;        /**< copy of the matching local entry's extra text */
  int32_t versionIsText;        /**< copy of the matching local entry's flag, else 0 */
  int32_t childCount;           /**< number of records in `children` */
  struct tnoticeItem* children; /**< reported sub-components in document order; null when none */
} tnoticeItem;

/** One component the caller already has. `name` is compared unit by unit; a null
 *  `version` matches the component without judging it; `versionIsText` 0 compares
 *  dotted numeric versions by magnitude, any other value compares texts for equality. */
typedef struct tnoticeLocal {
  const unsigned short* name;
  const unsigned short* extra;
  const unsigned short* version;
  int32_t versionIsText;
} tnoticeLocal;

/** The caller's list of installed components; `count` 0 or less means an empty list. */
typedef struct tnoticeLocalList {
  int32_t count;
  const tnoticeLocal* items;
} tnoticeLocalList;

/** The parser's result: `count` (at least 1) top-level records in document order. */
typedef struct tnoticeItemList {
  int32_t count;
  tnoticeItem* items;
} tnoticeItemList;

/** Parses `length` bytes of the UTF-8 document `text` (0: up to its terminator; a zero
 *  byte ends it early) against `locals` (null is taken as an empty list). Returns a new
 *  tree for ParseAppUpdateInfo_free, or null when text is null or empty, nothing needs
 *  updating, or the document is malformed (then one error line goes to the log). The
 *  error line quotes at most 4 KB of the document from the error position on. Elements
 *  may nest to any depth; a document nested too deep for the calling thread's stack is
 *  parsed on a thread of its own, and refused with an error line only when the stack
 *  for that thread cannot be had. */
VORN_API tnoticeItemList* ParseAppUpdateInfo(const char* text, uint32_t length, const tnoticeLocalList* locals);

/** Outcomes of ParseAppUpdateInfoEx (tnoticeParseOutcome::status). */
enum {
  NOTICE_PARSE_NOTHING = 0,   /**< nothing needs updating; also a null or empty text */
  NOTICE_PARSE_UPDATES = 1,   /**< the result lists what needs updating */
  NOTICE_PARSE_MALFORMED = 2, /**< the document was rejected; the error fields say where */
  NOTICE_PARSE_NO_MEMORY = 3  /**< the document or its result does not fit in memory */
};

/** What one parse found. The error fields are set for NOTICE_PARSE_MALFORMED only and
 *  are 0 and "" otherwise. */
typedef struct tnoticeParseOutcome {
  int32_t status;           /**< one of the NOTICE_PARSE_ values */
  uint32_t errorOffset;     /**< byte offset of the error in the caller's text */
  uint32_t errorLine;       /**< its line, from 1 (line feeds counted) */
  uint32_t errorColumn;     /**< its column, from 1, in characters (UTF-8 sequences) */
  const char* errorMessage; /**< the XML parser's message, e.g. "expected >"; a constant text */
} tnoticeParseOutcome;

/** The parse of ParseAppUpdateInfo, with its outcome reported as data in `*outcome`
 *  (which may be null) instead of the log: no log line is written, and running out of
 *  memory gives NOTICE_PARSE_NO_MEMORY and null instead of an exception. The result is
 *  the same tree, released with ParseAppUpdateInfo_free. */
VORN_API tnoticeItemList* ParseAppUpdateInfoEx(const char* text, uint32_t length, const tnoticeLocalList* locals,
                                               tnoticeParseOutcome* outcome);

/** Releases a result of ParseAppUpdateInfo with everything below it; null does nothing. */
VORN_API void ParseAppUpdateInfo_free(tnoticeItemList* list);

/** Runs the parser over built-in sample documents and compares each result with its
 *  expected tree. Returns 1 when every sample matched, 0 otherwise. */
VORN_API int do_appudpateparser_unittest(void);

VORN_EXTERN_C_END

#endif /* VORN_APPUPDATE_H */
