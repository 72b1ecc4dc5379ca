/** @file vorn/runtime.h
 * Last error, confirmation callbacks, string resources, reference-counted base.
 *
 * - A process-wide last error: a code, an optional text, and built-in texts for the
 *   codes 1 to 20. Every setLastError is written to the log at error level.
 * - Confirmations: questions handed to an application callback. An error confirmation
 *   or an override answer that the callback marks (bit 0 of its flags word) is
 *   remembered process-wide until globalConfirmSettingReset.
 * - String resources: texts looked up by identifier in caller tables.
 * - interface_classbase (C++ only): a self-deleting, reference-counted IUnknown base
 *   that traces every step in the log.
 *
 * @code
 *   setLastError(5, NULL);
 *   const char* why = getLastErrorText();   // the built-in text of code 5
 * @endcode
 *
 * Nothing here takes a lock: the process-wide state is shared by all threads.
 * The C part compiles as C11 too.
 */
#ifndef VORN_RUNTIME_H
#define VORN_RUNTIME_H

#include <stdint.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

#include "vorn/export.h"

/** The application's answer to one question: context, kind (0 error, 1 override, 2 dialog),
 *  message code, flags word (set bit 0 to apply the answer to later questions), three values. */
typedef int (*confirm_callback_fn)(intptr_t context, int kind, int code, uint32_t* flags, int v1, int v2, int v3);

/** What an application passes to the confirmation functions: its context and its callback. */
struct confirm_callback {
  intptr_t context;             /**< handed back to the callback as its first argument */
  confirm_callback_fn callback; /**< the application's callback; null asks nobody */
};
/** Shorthand for struct confirm_callback. */
typedef struct confirm_callback confirm_callback;

/** The process-wide remembered answers: error confirmations skipped, override answer (0 none, 1-4). */
struct confirm_setting {
  bool skip_errors;        /**< error confirmations are no longer asked */
  int32_t override_choice; /**< remembered override answer, 0 when none */
};
/** Shorthand for struct confirm_setting. */
typedef struct confirm_setting confirm_setting;

/** One entry of a string resource table: an identifier and a text the library only hands back. */
struct string_res_entry {
  uint32_t id;      /**< the identifier looked up */
  const void* text; /**< the text, owned by the caller's table */
};
/** Shorthand for struct string_res_entry. */
typedef struct string_res_entry string_res_entry;

VORN_EXTERN_C_BEGIN

/* ---- last error ------------------------------------------------------------------ */

/** Sets the process-wide error code and text (null: none; cut to 1023 bytes) and logs it at error level. */
VORN_API void setLastError(int code, const char* text);
/** The last error code; 0 when no error is set. */
VORN_API int getLastErrorCode(void);
/** The error text: the caller's, the built-in one of the code, or "errorCode:<code>"; null while
 *  the code is 0. Points into a process-wide buffer that the next call may change. */
VORN_API const char* getLastErrorText(void);
/** The error text converted from the ANSI character set to UTF-16 (at most 1022 units); null
 *  while the code is 0 or when it does not convert. Process-wide buffer, as getLastErrorText. */
VORN_API const unsigned short* getLastErrorTextW(void);
/** Sets the code to 0 and empties the text. */
VORN_API void clearLastError(void);

/* ---- confirmations ----------------------------------------------------------------- */

/** Asks `record`'s callback (kind 0, values 41, v1, v2) unless errors are skipped; 0 when not
 *  asked or `record` is null. A callback that sets bit 0 makes later error confirmations skip. */
VORN_API int confirm_error(int code, const confirm_callback* record, int v1, int v2);
/** Asks `record`'s callback (kind 2, values 200, v1, v2) and returns its answer; 5 for a null record. */
VORN_API int confirm_dlg(int code, const confirm_callback* record, int v1, int v2);
/** Repeats the remembered override answer, or asks the callback (kind 1, values v1, v2, v3) and
 *  remembers the answer (0, 1, 2 or 4) when it sets bit 0; 0 for a null record. */
VORN_API int confirm_override(int code, const confirm_callback* record, int v1, int v2, int v3);
/** The process-wide confirmation setting; callers may read and change it. */
VORN_API confirm_setting* globalConfirmSetting(void);
/** Forgets the remembered answers: skip_errors cleared, override_choice 0. */
VORN_API void globalConfirmSettingReset(void);

/* ---- string resources -------------------------------------------------------------- */

/** The text of the first entry with `id` in `table` (searched when `count` > 0), else in
 *  `def_table` (unless it is `table` itself or `def_count` < 1); null when absent. */
VORN_API const void* loadstringfromres_impl(uint32_t id, const string_res_entry* table, int count,
                                            const string_res_entry* def_table, int def_count);
/** Stores `table` into `*table_var` and `count` into `*count_var` (variables of the caller). */
VORN_API void setStringResEntry_impl(const string_res_entry* table, int count, const string_res_entry** table_var,
                                     int* count_var);
/** The same function as setStringResEntry_impl, for the caller's default table. */
VORN_API void setStringResDefaultEntry_impl(const string_res_entry* table, int count,
                                            const string_res_entry** table_var, int* count_var);
/** Does nothing; kept for callers that release their resources through it. */
VORN_API void vorn_cleanup_string_resource(void);

/** The version of the loaded library, "MAJOR.MINOR.PATCH"; a constant text. */
VORN_API const char* Vorn_GetVersion(void);

VORN_EXTERN_C_END

#ifdef __cplusplus

#if defined(_WIN32)
#include <unknwn.h>
/// The count that AddRef and Release return, as the system's IUnknown declares it.
typedef ULONG VornRefCount;
/// The calling convention of the COM methods, as the system's IUnknown declares it.
#define VORN_COM_CALL STDMETHODCALLTYPE
#else
/// The count that AddRef and Release return: unsigned 32-bit.
typedef uint32_t VornRefCount;
/// The calling convention of the COM methods: the platform's default.
#define VORN_COM_CALL
/// A COM interface identifier, laid out as the platform's GUID.
struct _GUID {
  uint32_t Data1;    ///< first field (8 hex digits in the text form)
  uint16_t Data2;    ///< second field
  uint16_t Data3;    ///< third field
  uint8_t Data4[8];  ///< last eight bytes
};
/// A GUID: 16 bytes in the COM layout.
typedef _GUID GUID;
/// An interface identifier is a GUID.
typedef GUID IID;
/// A COM status: 0 and above succeed, negative values fail.
typedef int32_t HRESULT;

#ifndef S_OK
/// Success.
#define S_OK ((HRESULT)0)
#endif
#ifndef E_NOINTERFACE
/// The object does not offer the interface asked for.
#define E_NOINTERFACE ((HRESULT)0x80004002u)
#endif
#ifndef E_POINTER
/// A required pointer argument was null.
#define E_POINTER ((HRESULT)0x80004003u)
#endif

/// {00000000-0000-0000-C000-000000000046}
extern "C" VORN_API const IID IID_IUnknown;

/// The COM base interface: the three operations in COM order.
struct IUnknown {
  /// Stores the interface `iid` of the object in `*object` and adds a reference, or fails.
  virtual HRESULT QueryInterface(const IID& iid, void** object) = 0;
  /// Adds a reference; returns the new count.
  virtual uint32_t AddRef() = 0;
  /// Drops a reference; returns the new count.
  virtual uint32_t Release() = 0;
};
#endif /* _WIN32 */

/// A reference-counted IUnknown base that deletes itself when its count drops to 0 and
/// logs every step (info lines; the object's address in hex at full pointer width). The
/// count starts at 0: the creator calls AddRef (or QueryInterface). Objects whose count
/// reaches 0 must have been created with new. One thread at a time.
class VORN_API interface_classbase : public IUnknown {
 public:
  /// Count 0; logs the construction.
  interface_classbase();
  /// Takes the other object's count; logs nothing.
  interface_classbase(const interface_classbase& other);
  /// Takes the other object's count; logs nothing.
  interface_classbase& operator=(const interface_classbase& other);
  /// Reports a count above 1 as an assertion (while logging is on), then logs the destruction.
  virtual ~interface_classbase();

  /// For IID_IUnknown and the class's own identifier {CF4D91F3-8275-4A4B-9FD3-2D2484738730}:
  /// stores this object in `*object`, adds a reference and returns S_OK. Otherwise `*object`
  /// becomes null and the result is E_NOINTERFACE (E_POINTER for a null `object`).
  HRESULT VORN_COM_CALL QueryInterface(const _GUID& iid, void** object) override;
  /// Raises the count; returns the new count.
  VornRefCount VORN_COM_CALL AddRef() override;
  /// Lowers the count (a release at 0 is reported and wraps); at 0 deletes the object.
  /// Returns the new count.
  VornRefCount VORN_COM_CALL Release() override;

 private:
  uint32_t FRefCount;
};

#endif /* __cplusplus */

#endif /* VORN_RUNTIME_H */
