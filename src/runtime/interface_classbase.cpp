// interface_classbase: reference counting with self-deletion, traced in the log.
//
// The object's address is printed with the full width of a pointer ("0x%llx"), so the
// lines name objects unambiguously on 64-bit systems; the rest of each line is fixed.
#include <cstring>

#include "vorn/files.h"
#include "vorn/log.h"
#include "vorn/runtime.h"

extern "C" const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {

// {CF4D91F3-8275-4A4B-9FD3-2D2484738730}
constexpr IID kClassBaseIid = {0xCF4D91F3, 0x8275, 0x4A4B, {0x9F, 0xD3, 0x2D, 0x24, 0x84, 0x73, 0x87, 0x30}};

// The source named by the assertion lines, and the lines of the two checks.
constexpr const char* kSourcePath = "interface_classbase";
constexpr int kDestroyedWhileReferencedLine = 10;
constexpr int kReleasedAtZeroLine = 22;

unsigned long long address_of(const void* object) {
  return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(object));
}

bool same_iid(const IID& a, const IID& b) {
  return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
         std::memcmp(a.Data4, b.Data4, sizeof a.Data4) == 0;
}

void assertion_failed(int line) {
  if (Vorn_Log_GetEnable()) Vorn_Log_Error("Fatal Error:FileName:%s Line:%d", ExtractFileNamePtrA(kSourcePath), line);
}

}  // namespace

interface_classbase::interface_classbase() : FRefCount(0) {
  Vorn_Log_Info("interface_classbase::interface_classbase() this:0x%llx", address_of(this));
}

interface_classbase::interface_classbase(const interface_classbase& other) : IUnknown(), FRefCount(other.FRefCount) {}

interface_classbase& interface_classbase::operator=(const interface_classbase& other) {
  FRefCount = other.FRefCount;
  return *this;
}

interface_classbase::~interface_classbase() {
  if (FRefCount > 1) assertion_failed(kDestroyedWhileReferencedLine);
  Vorn_Log_Info("interface_classbase::~interface_classbase() this:0x%llx", address_of(this));
}

HRESULT VORN_COM_CALL interface_classbase::QueryInterface(const _GUID& iid, void** object) {
  Vorn_Log_Info("interface_classbase::QueryInterface,iid(%x-%x-%x-%x)", static_cast<unsigned>(iid.Data1),
                static_cast<unsigned>(iid.Data2), static_cast<unsigned>(iid.Data3),
                static_cast<unsigned>(iid.Data4[0]));
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!same_iid(iid, IID_IUnknown) && !same_iid(iid, kClassBaseIid)) return E_NOINTERFACE;
  Vorn_Log_Info("pvObject=0x%llx", address_of(this));
  *object = this;
  AddRef();
  return S_OK;
}

VornRefCount VORN_COM_CALL interface_classbase::AddRef() {
  Vorn_Log_Info("interface_classbase::AddRef(), this:0x%llx ref:%d", address_of(this), static_cast<int>(FRefCount + 1));
  return ++FRefCount;
}

VornRefCount VORN_COM_CALL interface_classbase::Release() {
  if (FRefCount == 0) assertion_failed(kReleasedAtZeroLine);
  const uint32_t count = --FRefCount;
  Vorn_Log_Info("interface_classbase::Release(), this:0x%llx ref:%d", address_of(this), static_cast<int>(count));
  if (count == 0) {
    Vorn_Log_Info("interface_classbase::Release(),delete this:0x%llx", address_of(this));
    delete this;
  }
  return count;
}
