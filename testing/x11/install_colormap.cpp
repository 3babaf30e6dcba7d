// install_colormap: installs on the X server the colormap of each top-level
// window as it is mapped, as a window manager that installs colormaps does.
// On a PseudoColor display Wine gives its windows a colormap of their own,
// and without a window manager nothing installs it: the screen then shows
// the default colormap's colours, whatever the program realises. Runs until
// it is killed or the display goes; prints a line for each colormap it
// installs.
//
//   install_colormap            (on $DISPLAY)
#include <X11/Xlib.h>

#include <cstdio>

namespace {

// The window's own colormap, when it is viewable and has one.
void InstallColormapOf(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return;
  if (attributes.map_state != IsViewable || attributes.colormap == None) return;
  if (attributes.colormap == DefaultColormap(display, DefaultScreen(display))) return;
  XInstallColormap(display, attributes.colormap);
  XSync(display, False);
  std::printf("installed colormap 0x%lx of window 0x%lx\n", attributes.colormap, window);
  std::fflush(stdout);
}

// A window that goes between the query and the look at it is no error.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "install_colormap: cannot open the display\n");
    return 2;
  }
  XSetErrorHandler(&IgnoreErrors);
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);

  // The windows mapped before it started.
  Window parent, unused;
  Window* children = nullptr;
  unsigned count = 0;
  if (XQueryTree(display, root, &unused, &parent, &children, &count)) {
    for (unsigned i = 0; i < count; ++i) InstallColormapOf(display, children[i]);
    if (children != nullptr) XFree(children);
  }

  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == MapNotify) InstallColormapOf(display, event.xmap.window);
  }
}
