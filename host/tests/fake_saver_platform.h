// A SaverPlatform that records every call as a word in `events`, in order,
// and answers as each test scripts it; and the saver window's own steps
// carried out on it as the Win32 window procedure carries them out.
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
#include "host/saver_window_step.h"

namespace tessalander {

inline constexpr intptr_t kDefaultAnswer = 77;  // what "DefWindowProcA" answers
inline constexpr intptr_t kEngineAnswer = 55;   // what a stubbed engine answers

// Messages and commands that no decision of the host names, for the rows that
// check they pass untouched.
inline constexpr uint32_t kWmKeyUp = 0x0101;
inline constexpr uint32_t kWmLButtonUp = 0x0202;
inline constexpr uint32_t kWmLButtonDblClk = 0x0203;
inline constexpr uintptr_t kScClose = 0xF060;

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
  // When true the animation is followed by the close policy, as in the real
  // window procedure; otherwise it stands in for both and answers
  // kEngineAnswer.
  bool engineForwards = false;

  // Recorded.
  std::vector<std::string> events;
  std::vector<WindowMessage> parentPosts;

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

// The host's actions and the animation ("engine") over the fake: each leaves
// an event; a stubbed engine answers kEngineAnswer itself.
struct FakeHands {
  HostFlags& flags;
  FakeSaverPlatform& platform;

  void Do(HostAction action, const WindowMessage& m) {
    switch (action) {
      case HostAction::DetachInputMethod: platform.events.emplace_back("detach"); break;
      case HostAction::ReadMouseReference: platform.CursorPosition(&flags.MouseReference); break;
      case HostAction::HideCursor: platform.HideCursor(); break;
      case HostAction::RestoreInputMethod: platform.events.emplace_back("restore"); break;
      case HostAction::PostQuit: platform.events.emplace_back("quit"); break;
      case HostAction::PostRelayout: platform.events.emplace_back("post-relayout"); break;
      case HostAction::Relayout: platform.events.emplace_back("relayout"); break;
      case HostAction::PostToParent:
        platform.events.emplace_back("parent");
        platform.parentPosts.push_back(m);
        break;
    }
  }

  bool Animate(const WindowMessage&, intptr_t* answer) {
    platform.events.emplace_back("engine");
    if (platform.engineForwards) return false;
    *answer = kEngineAnswer;
    return true;
  }
};

// The saver window's procedure over the fake, carried out as the real one is.
inline intptr_t RunSaverWindowStep(HostFlags& flags, FakeSaverPlatform& platform,
                                   const WindowMessage& m) {
  FakeHands hands{flags, platform};
  return CarryOutSaverWindowStep(flags, platform, m, hands);
}

// A stand-in verifier: the fake platform never calls through it.
inline void DummyVerifier() {}

}  // namespace tessalander
