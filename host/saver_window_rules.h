// The host's decisions for the saver window's messages, apart from the window
// system: pure functions over the host's flags and the message, which the
// window procedure's cases act on before the message goes to the animation
// or to the close policy.
#pragma once

#include <cstdint>

#include "common/animation.h"
#include "host/host_flags.h"

namespace tessalander {

// Task switching away from the full-screen saver: SC_NEXTWINDOW,
// SC_PREVWINDOW and SC_SCREENSAVE, the whole wParam compared (a value with
// the low bits set is some other request). The preview blocks none.
bool IsBlockedSystemCommand(const HostFlags& flags, uintptr_t command);

// Ticks and paints reach the animation until closing is approved; from then
// on the ticks are swallowed and DefWindowProcA alone paints.
bool AnimationRuns(const HostFlags& flags);

// A tick reaches the animation while it runs and the displays are on: one
// that was already on its way when they went off draws nothing.
bool TicksRun(const HostFlags& flags);

// The cursor is hidden at creation and at every paint of the full-screen
// saver, never in the preview.
bool HidesCursor(const HostFlags& flags);

// The preview passes help and context-menu requests to its parent, the
// display settings.
bool HelpGoesToParent(const HostFlags& flags);

// The full-screen window covers the new screen after a display change, later,
// from its own queue, until closing is approved. The change alone ends nothing.
bool FollowsDisplayChange(const HostFlags& flags);

// The animation's timer runs while its scene has something to show and the
// displays are on.
bool TimerRuns(const Scene* scene, const HostFlags& flags);

// On a display of 256 colours the window realises the palette its own
// context holds when it is about to get the focus (WM_QUERYNEWPALETTE) and
// after another window changed the system palette (WM_PALETTECHANGED, whose
// wParam is the window that did): never after its own change, or each
// realisation would ask for the next.
bool RealizesPalette(uint32_t message, bool changedByItself);

// The preview realises its palette in the background: its parent, the
// display settings, owns the foreground.
bool RealizesPaletteInBackground(const HostFlags& flags);

// Given RealizePalette's answer, how many entries were mapped anew (or
// GDI_ERROR): the window is drawn again when any colour it shows moved.
bool RepaintsAfterRealizing(uint32_t remapped);

}  // namespace tessalander
