#include "host/password_policy.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/close_policy.h"
#include "host/tests/fake_saver_platform.h"
#include "settings/memory/memory_registry.h"

namespace tessalander {

namespace {

void AnyFunction() {}

// Libraries by name: which exist and which functions they export. Records the
// calls as words, like the fake platform.
struct FakeSystem final : SystemServices {
  std::map<std::string, std::vector<std::string>> libraries;  // name -> exports
  std::vector<std::string> events;
  std::vector<std::string> handles;  // a handle is 1 + an index into this

  std::string Events() const {
    std::string out;
    for (const auto& e : events) out += (out.empty() ? "" : " ") + e;
    return out;
  }

  LibraryHandle LoadLibraryByName(const char* name) override {
    events.push_back(std::string("load:") + name);
    if (libraries.count(name) == 0) return nullptr;
    handles.emplace_back(name);
    return reinterpret_cast<LibraryHandle>(static_cast<uintptr_t>(handles.size()));
  }
  LibraryProc FindFunction(LibraryHandle library, const char* name) override {
    events.push_back(std::string("find:") + name);
    const auto& exports = libraries.at(handles.at(reinterpret_cast<uintptr_t>(library) - 1));
    for (const auto& e : exports) {
      if (e == name) return &AnyFunction;
    }
    return nullptr;
  }
  void FreeLibraryHandle(LibraryHandle) override { events.emplace_back("free"); }
  void SetScreenSaverRunning(int state) override {
    events.push_back("running:" + std::to_string(state));
  }
};

std::vector<uint8_t> Bytes(std::initializer_list<int> list) {
  std::vector<uint8_t> out;
  for (int b : list) out.push_back(static_cast<uint8_t>(b));
  return out;
}

struct StoredValue {
  bool present;
  RegType type;
  std::vector<uint8_t> data;
};

struct LoadRow {
  const char* name;
  int windows9x;
  StoredValue usePassword;
  bool libraryPresent;
  bool exportsVerifier;
  bool loaded;  // verifier in place afterwards
  const char* events;
};

const StoredValue kAbsent{false, kRegDword, {}};
const StoredValue kDwordOne{true, kRegDword, Bytes({1, 0, 0, 0})};

const LoadRow kLoadRows[] = {
    {"NT: nothing is read",           0, kDwordOne,                              true,  true,  false, ""},
    {"no value",                      1, kAbsent,                                true,  true,  false, ""},
    {"value 0",                       1, {true, kRegDword, Bytes({0, 0, 0, 0})}, true,  true,  false, ""},
    {"value 1",                       1, kDwordOne,                              true,  true,  true,
     "load:PASSWORD.CPL find:VerifyScreenSavePwd running:1"},
    {"value 0x100, any nonzero",      1, {true, kRegDword, Bytes({0, 1, 0, 0})}, true,  true,  true,
     "load:PASSWORD.CPL find:VerifyScreenSavePwd running:1"},
    {"binary, type not checked",      1, {true, kRegBinary, Bytes({1, 0, 0, 0})}, true, true,  true,
     "load:PASSWORD.CPL find:VerifyScreenSavePwd running:1"},
    {"one byte, rest read as zero",   1, {true, kRegBinary, Bytes({0})},          true, true,  false, ""},
    {"longer than 4 bytes",           1, {true, kRegBinary, Bytes({1, 0, 0, 0, 0})}, true, true, false, ""},
    {"library missing",               1, kDwordOne,                              false, false, false,
     "load:PASSWORD.CPL"},
    {"library without the verifier",  1, kDwordOne,                              true,  false, false,
     "load:PASSWORD.CPL find:VerifyScreenSavePwd free"},
};

TEST(LoadPasswordVerifier, ByDesktopSettingAndLibrary) {
  for (const auto& row : kLoadRows) {
    SCOPED_TRACE(row.name);
    MemoryRegistry registry;
    registry.Put(kDesktopKeyPath, "ScreenSaveActive", kRegSz, Bytes({'1', 0}));
    if (row.usePassword.present) {
      registry.Put(kDesktopKeyPath, kUsePasswordValue, row.usePassword.type, row.usePassword.data);
    }
    FakeSystem system;
    if (row.libraryPresent) {
      system.libraries[kPasswordLibraryName] =
          row.exportsVerifier ? std::vector<std::string>{"CPlApplet", kVerifierName}
                              : std::vector<std::string>{"CPlApplet"};
    }
    HostFlags flags;
    flags.IsWindows9x = row.windows9x;

    LoadPasswordVerifier(flags, registry, system);
    EXPECT_EQ(system.Events(), row.events);
    EXPECT_EQ(flags.Verifier != nullptr, row.loaded);
    EXPECT_EQ(flags.PasswordLibrary != nullptr, row.loaded);
    EXPECT_EQ(registry.OpenHandles(), 0) << "the desktop key was left open";
  }
}

TEST(LoadPasswordVerifier, NoDesktopKeyMeansNoPassword) {
  MemoryRegistry registry;
  FakeSystem system;
  system.libraries[kPasswordLibraryName] = {kVerifierName};
  HostFlags flags;
  flags.IsWindows9x = 1;
  LoadPasswordVerifier(flags, registry, system);
  EXPECT_EQ(system.Events(), "");
  EXPECT_EQ(flags.Verifier, nullptr);
}

class PasswordServicesTest : public testing::Test {
 protected:
  void SetUp() override {
    registry.PutDword(kDesktopKeyPath, kUsePasswordValue, 1);
    system.libraries[kPasswordLibraryName] = {kVerifierName};
    flags.IsWindows9x = 1;
  }
  MemoryRegistry registry;
  FakeSystem system;
  HostFlags flags;
};

TEST_F(PasswordServicesTest, LoadingAgainDropsTheFirstVerifierFirst) {
  LoadPasswordVerifier(flags, registry, system);
  system.events.clear();
  LoadPasswordVerifier(flags, registry, system);
  EXPECT_EQ(system.Events(), "free running:0 load:PASSWORD.CPL find:VerifyScreenSavePwd running:1");
  EXPECT_NE(flags.Verifier, nullptr);
}

TEST_F(PasswordServicesTest, UnloadTellsTheSystemOnlyWhenAVerifierWasLoaded) {
  // Nothing loaded: nothing to do, and the system is not told.
  UnloadPasswordVerifier(flags, system);
  EXPECT_EQ(system.Events(), "");

  LoadPasswordVerifier(flags, registry, system);
  system.events.clear();
  UnloadPasswordVerifier(flags, system);
  EXPECT_EQ(system.Events(), "free running:0");
  EXPECT_EQ(flags.PasswordLibrary, nullptr);
  EXPECT_EQ(flags.Verifier, nullptr);

  system.events.clear();
  UnloadPasswordVerifier(flags, system);
  EXPECT_EQ(system.Events(), "");
}

TEST(SetSaverRunning, OnlyWindows9xIsTold) {
  const struct {
    int windows9x;
    int state;
    const char* events;
  } rows[] = {
      {0, 1, ""}, {0, 0, ""}, {1, 1, "running:1"}, {1, 0, "running:0"},
  };
  for (const auto& row : rows) {
    HostFlags flags;
    flags.IsWindows9x = row.windows9x;
    FakeSystem system;
    SetSaverRunning(flags, system, row.state);
    EXPECT_EQ(system.Events(), row.events) << row.windows9x << "/" << row.state;
  }
}

struct RepeatRow {
  const char* name;
  bool dialogHasRun;
  uint32_t last;
  uint32_t now;
  bool refused;
};

const RepeatRow kRepeatRows[] = {
    {"no dialog yet",              false, 0xFFFFFFFF, 0,           false},
    {"no dialog yet, any tick",    false, 0xFFFFFFFF, 0xFFFFFFFF,  false},
    {"same tick",                  true,  1000,         1000,        true},
    {"199 ms later",               true,  1000,         1199,        true},
    {"200 ms later",               true,  1000,         1200,        false},
    {"199 ms across the wrap",     true,  0xFFFFFF9C,   0x00000063,  true},
    {"200 ms across the wrap",     true,  0xFFFFFF9C,   0x00000064,  false},
    {"a dialog that ended at -1",  true,  0xFFFFFFFF,   0x00000010,  true},
    {"clock read before the end",  true,  1000,         999,         false},
};

TEST(WithinVerifyRepeatInterval, UnsignedDifferenceAgainst200) {
  for (const auto& row : kRepeatRows) {
    SCOPED_TRACE(row.name);
    HostFlags flags;
    flags.VerifyHasRun = row.dialogHasRun;
    flags.LastVerifyTick = row.last;
    EXPECT_EQ(WithinVerifyRepeatInterval(flags, row.now), row.refused);
  }
}

class VerifyOnCloseTest : public testing::Test {
 protected:
  void SetUp() override {
    flags.IsWindows9x = 1;
    flags.Verifier = &DummyVerifier;
  }
  HostFlags flags;
  FakeSaverPlatform platform{flags};
};

TEST_F(VerifyOnCloseTest, ARefusedDialogHoldsOffQueuedClosesFor200Ms) {
  // tick readings:  ask   end   queued  queued  next input
  platform.ticks = {0xFFFFFF00, 0xFFFFFFB0, 0x00000010, 0x00000077, 0x00000078};
  platform.verifierAnswers = {0, 1};

  EXPECT_EQ(VerifyPasswordOnClose(flags, platform), 0);
  EXPECT_EQ(platform.Events(), "tick drop-tick drop-tick request verifier hide tick");
  EXPECT_EQ(flags.LastVerifyTick, 0xFFFFFFB0u);
  EXPECT_EQ(flags.VerifyInProgress, 0);

  // 96 and 199 ms after the dialog, across the wrap: refused without asking.
  for (int i = 0; i < 2; ++i) {
    platform.events.clear();
    EXPECT_EQ(VerifyPasswordOnClose(flags, platform), 0);
    EXPECT_EQ(platform.Events(), "tick");
  }

  // 200 ms after: the verifier is asked again, and this time accepts.
  platform.events.clear();
  EXPECT_EQ(VerifyPasswordOnClose(flags, platform), 1);
  EXPECT_EQ(platform.Events(), "tick drop-tick drop-tick request verifier tick");
  EXPECT_EQ(flags.CloseApproved, 1);

  // Approved once, approved for good: later requests are not asked for.
  platform.events.clear();
  EXPECT_EQ(VerifyPasswordOnClose(flags, platform), 0);
  EXPECT_EQ(platform.Events(), "");
  EXPECT_EQ(flags.CloseApproved, 1);
}

TEST_F(VerifyOnCloseTest, NoVerifierApprovesAtOnce) {
  flags.Verifier = nullptr;
  EXPECT_EQ(VerifyPasswordOnClose(flags, platform), 1);
  EXPECT_EQ(flags.CloseApproved, 1);
  EXPECT_EQ(platform.Events(), "");
}

TEST_F(VerifyOnCloseTest, WhileTheDialogRunsClosesAreRefusedAndInputPostsNone) {
  std::vector<intptr_t> inner;
  platform.verifierAnswers = {0};
  platform.whileVerifierRuns = [&] {
    platform.events.emplace_back("[");
    // The dialog's own loop dispatches what the user does meanwhile.
    inner.push_back(SaverDefaultProc(flags, platform, WindowMessage{kWmKeyDown, 0x41, 0}));
    inner.push_back(SaverDefaultProc(flags, platform, WindowMessage{kWmLButtonDown, 1, 0}));
    inner.push_back(SaverDefaultProc(flags, platform, WindowMessage{kWmActivateApp, 0, 0}));
    inner.push_back(SaverDefaultProc(flags, platform, WindowMessage{kWmClose, 0, 0}));
    platform.events.emplace_back("]");
  };
  platform.cursor = ScreenPoint{10, 20};

  EXPECT_EQ(SaverDefaultProc(flags, platform, WindowMessage{kWmClose, 0, 0}), 0);
  EXPECT_EQ(inner, (std::vector<intptr_t>{kDefaultAnswer, kDefaultAnswer, kDefaultAnswer, 0}));
  // Inside the brackets: three plain defaults and a refused close that only
  // re-reads the cursor; no close posted, no second request.
  EXPECT_EQ(platform.Events(),
            "tick drop-tick drop-tick request verifier [ default default default cursor ] "
            "hide tick cursor");
  EXPECT_EQ(flags.CloseApproved, 0);
  EXPECT_EQ(flags.VerifyInProgress, 0);
}

TEST_F(VerifyOnCloseTest, AnyNonzeroAnswerApprovesWhateverItsWidth) {
  // On 64-bit Windows the answer travels as an LRESULT; one whose low 32 bits
  // are zero must not read as a refusal.
  const intptr_t highBitsOnly = static_cast<intptr_t>(~uintptr_t{0} << 16 << 16);
  for (const intptr_t answer : {intptr_t{1}, intptr_t{-1}, highBitsOnly}) {
    if (answer == 0) continue;  // a 32-bit build has no high bits
    SCOPED_TRACE(answer);
    HostFlags fresh;
    fresh.IsWindows9x = 1;
    fresh.Verifier = &DummyVerifier;
    FakeSaverPlatform answering(fresh);
    answering.verifierAnswers = {answer};
    EXPECT_EQ(VerifyPasswordOnClose(fresh, answering), 1);
    EXPECT_EQ(fresh.CloseApproved, 1);
  }
}

}  // namespace

}  // namespace tessalander
