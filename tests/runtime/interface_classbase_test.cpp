// interface_classbase: counting, self-deletion, QueryInterface, and the exact lines
// each step writes to the log.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "test_support.h"
#include "vorn/runtime.h"

namespace {

using Lines = std::vector<std::string>;

// A derived object that reports its destruction.
class Probe : public interface_classbase {
 public:
  explicit Probe(bool* destroyed) : destroyed_(destroyed) {}
  ~Probe() override {
    if (destroyed_ != nullptr) *destroyed_ = true;
  }

 private:
  bool* destroyed_;
};

// The object's address as the log lines print it: full pointer width, lower-case hex.
std::string address_text(const void* object) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(object)));
  return text;
}

using ClassBase = vorn_test::LogCaptureTest;

TEST_F(ClassBase, CountsFromZeroAnswersItsInterfacesAndDeletesItselfOnLastRelease) {
  bool destroyed = false;
  auto* object = new Probe(&destroyed);
  const std::string self = address_text(object);
  const IID own = {0xCF4D91F3, 0x8275, 0x4A4B, {0x9F, 0xD3, 0x2D, 0x24, 0x84, 0x73, 0x87, 0x30}};
  void* out = &out;
  EXPECT_EQ(S_OK, object->QueryInterface(IID_IUnknown, &out));
  EXPECT_EQ(static_cast<IUnknown*>(object), out);
  out = &out;
  EXPECT_EQ(S_OK, object->QueryInterface(own, &out));
  EXPECT_EQ(static_cast<IUnknown*>(object), out);
  // Every one of the 16 bytes counts: the last byte differs here.
  IID neighbour = own;
  neighbour.Data4[7] = 0x31;
  out = &out;
  EXPECT_EQ(E_NOINTERFACE, object->QueryInterface(neighbour, &out));
  EXPECT_EQ(nullptr, out);
  EXPECT_EQ(E_POINTER, object->QueryInterface(IID_IUnknown, nullptr));
  EXPECT_EQ(1u, object->Release());
  EXPECT_FALSE(destroyed);
  EXPECT_EQ(0u, object->Release());
  EXPECT_TRUE(destroyed);
  EXPECT_EQ((Lines{
                "I:interface_classbase::interface_classbase() this:" + self,
                "I:interface_classbase::QueryInterface,iid(0-0-0-c0)",
                "I:pvObject=" + self,
                "I:interface_classbase::AddRef(), this:" + self + " ref:1",
                "I:interface_classbase::QueryInterface,iid(cf4d91f3-8275-4a4b-9f)",
                "I:pvObject=" + self,
                "I:interface_classbase::AddRef(), this:" + self + " ref:2",
                "I:interface_classbase::QueryInterface,iid(cf4d91f3-8275-4a4b-9f)",
                "I:interface_classbase::QueryInterface,iid(0-0-0-c0)",  // null out: E_POINTER
                "I:interface_classbase::Release(), this:" + self + " ref:1",
                "I:interface_classbase::Release(), this:" + self + " ref:0",
                "I:interface_classbase::Release(),delete this:" + self,
                "I:interface_classbase::~interface_classbase() this:" + self,
            }),
            take());
}

TEST_F(ClassBase, CopiesTakeTheCountAndLogNothing) {
  Probe source(nullptr);
  for (int i = 0; i < 3; ++i) source.AddRef();
  take();
  Probe copy(source);
  EXPECT_TRUE(take().empty());
  Probe assigned(nullptr);
  assigned = source;
  EXPECT_EQ(4u, copy.AddRef());
  EXPECT_EQ(2u, assigned.Release());
}

TEST_F(ClassBase, ReleaseAtZeroIsReportedAndWraps) {
  bool destroyed = false;
  auto* object = new Probe(&destroyed);
  const std::string self = address_text(object);
  take();
  EXPECT_EQ(4294967295u, object->Release());
  EXPECT_FALSE(destroyed);
  EXPECT_EQ((Lines{"E:Fatal Error:FileName:interface_classbase Line:22",
                   "I:interface_classbase::Release(), this:" + self + " ref:-1"}),
            take());
  EXPECT_EQ(0u, object->AddRef());
  delete object;
  EXPECT_TRUE(destroyed);
}

TEST_F(ClassBase, DestructionWhileReferencedIsReportedWhileLoggingIsOn) {
  {
    Probe object(nullptr);
    object.AddRef();
    object.AddRef();
    take();
  }
  const Lines lines = take();
  ASSERT_EQ(2u, lines.size());
  EXPECT_EQ("E:Fatal Error:FileName:interface_classbase Line:10", lines[0]);
  EXPECT_EQ(0u, lines[1].find("I:interface_classbase::~interface_classbase() this:0x"));

  Vorn_Log_SetEnable(0);
  {
    Probe object(nullptr);
    object.AddRef();
    object.AddRef();
  }
  Vorn_Log_SetEnable(1);
  EXPECT_TRUE(take().empty());
}

}  // namespace
