#include "host/saver_window_rules.h"

#include "host/window_messages.h"

namespace tessalander {

bool IsBlockedSystemCommand(const HostFlags& flags, uintptr_t command) {
  if (flags.IsPreview) return false;
  return command == kScNextWindow || command == kScPrevWindow || command == kScScreenSave;
}

bool AnimationRuns(const HostFlags& flags) { return !flags.CloseApproved; }

bool TicksRun(const HostFlags& flags) { return AnimationRuns(flags) && !flags.DisplayOff; }

bool HidesCursor(const HostFlags& flags) { return !flags.IsPreview; }

bool HelpGoesToParent(const HostFlags& flags) { return flags.IsPreview != 0; }

bool FollowsDisplayChange(const HostFlags& flags) { return !flags.IsPreview && !flags.CloseApproved; }

bool TimerRuns(const Scene* scene, const HostFlags& flags) {
  return scene != nullptr && scene->Animates && !flags.DisplayOff;
}

bool RealizesPalette(uint32_t message, bool changedByItself) {
  if (message == kWmQueryNewPalette) return true;
  return message == kWmPaletteChanged && !changedByItself;
}

bool RealizesPaletteInBackground(const HostFlags& flags) { return flags.IsPreview != 0; }

bool RepaintsAfterRealizing(uint32_t remapped) { return remapped != 0 && remapped != kGdiError; }

}  // namespace tessalander
