// A SaverPlatform that records every call as a word in `events`, in order,
// and answers as each test scripts it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/close_policy.h"
#include "host/host_flags.h"
#include "host/saver_platform.h"

namespace tessalander {

inline constexpr intptr_t kDefaultAnswer = 77;  // what "DefWindowProcA" answers

// Messages and commands that no decision of the host names, for the rows that
// check they pass untouched.
inline constexpr uint32_t kWmKeyUp = 0x0101;
inline constexpr uint32_t kWmLButtonUp = 0x0202;
inline constexpr uint32_t kWmLButtonDblClk = 0x0203;

struct FakeSaverPlatform final : SaverPlatform {
  explicit FakeSaverPlatform(HostFlags& hostFlags) : flags(hostFlags) {}

  HostFlags& flags;

  // Scripted.
  std::optional<ScreenPoint> cursor = ScreenPoint{500, 400};  // nullopt: unreadable
  std::deque<uint32_t> ticks;  // GetTickCount readings, in order; 1000 when used up
  // The verifier's answers, in order; 0 when used up.
  std::deque<intptr_t> verifierAnswers;
  // Runs inside the verifier, as its modal dialog would pump messages.
  std::function<void()> whileVerifierRuns;

  // Recorded.
  std::vector<std::string> events;

  std::string Events() const {
    std::string out;
    for (const auto& e : events) out += (out.empty() ? "" : " ") + e;
    return out;
  }

  void PostClose() override { events.emplace_back("close"); }
  void HideCursor() override { events.emplace_back("hide"); }
  bool CursorPosition(ScreenPoint* point) override {
    events.emplace_back("cursor");
    if (!cursor) return false;
    *point = *cursor;
    return true;
  }
  intptr_t DefaultProc(const WindowMessage&) override {
    events.emplace_back("default");
    return kDefaultAnswer;
  }
  intptr_t CallVerifier(LibraryProc) override {
    events.emplace_back("verifier");
    if (whileVerifierRuns) whileVerifierRuns();
    if (verifierAnswers.empty()) return 0;
    const intptr_t answer = verifierAnswers.front();
    verifierAnswers.pop_front();
    return answer;
  }
  uint32_t TickCount() override {
    events.emplace_back("tick");
    if (ticks.empty()) return 1000;
    const uint32_t t = ticks.front();
    ticks.pop_front();
    return t;
  }
  void DropPendingTick() override { events.emplace_back("drop-tick"); }
  intptr_t SendVerifyRequest() override {
    events.emplace_back("request");
    // Sent to the window: through the window procedure to the close policy.
    return SaverDefaultProc(flags, *this, WindowMessage{kWmApp, 0, 0});
  }
};

// A stand-in verifier: the fake platform never calls through it.
inline void DummyVerifier() {}

}  // namespace tessalander
