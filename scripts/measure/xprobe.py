#!/usr/bin/env python3
"""Watches an X display for the measuring scripts, through libX11 itself
(ctypes), so it needs no package beyond what the Wine tests install.

  xprobe.py first-frame [--accept picture|any] [--timeout S] [-v] -- CMD...
      Starts CMD and prints `first_frame_ms=N`: the time from starting it to
      the first time the screen shows something else than before. With
      `picture` (the default) a screen of one colour does not count: a
      window erased to its background is not yet a frame. Then
      `frame_drawn_ms=N`: when the drawing of that frame ended (the first
      pause of 25 ms), as a large frame comes in pieces. CMD is ended
      (SIGTERM) once seen. Exit 1 when nothing came within the timeout.

  xprobe.py set-root FILE.ppm
      Makes the binary PPM the root window's background (a wallpaper), so
      that a program which captures the desktop, or a window that goes away,
      shows it. Prints "ready" and stays connected until it is ended: an X
      server resets when its last client leaves, and the wallpaper would go
      with it.

  xprobe.py requests --seconds S --log FIFO --pid-file PID-FILE [-v]
      Reads a wineserver trace (`wineserver -d1`) from FIFO as it is written,
      samples the screen every 100 ms for S seconds, and prints the requests
      of the process whose pid PID-FILE holds (written once it runs), per
      50 ms timer tick: over the ticks in which the screen changed (the
      solve) and over the stretches of two seconds or more in which it did
      not (the rest), each less half a second at either end, and counted
      from the first change on. The most frequent requests follow.

The screen is sampled as a set of full-width rows spread over its height,
with one XGetImage each: cheap enough to run beside the program it watches
at 3840 x 2160. In first-frame mode the rows are read only when the X Damage
extension reports drawing on the root window, so the probe sleeps while
nothing is drawn; the time is taken when the event arrives.
"""

import argparse
import collections
import ctypes
import os
import re
import select
import signal
import subprocess
import sys
import threading
import time

ALL_PLANES = ctypes.c_ulong(~0 & 0xFFFFFFFFFFFFFFFF)
Z_PIXMAP = 2
DAMAGE_REPORT_NON_EMPTY = 3
TICK_MS = 50  # the saver's timer


class XImage(ctypes.Structure):
    pass


DESTROY = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.POINTER(XImage))
XImage._fields_ = [
    ("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
    ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
    ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
    ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
    ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
    ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
    ("obdata", ctypes.c_void_p), ("create_image", ctypes.c_void_p),
    ("destroy_image", DESTROY),
    # get_pixel, put_pixel, sub_image, add_pixel follow; unused.
]


class Screen:
    """The root window of one display, read as sample rows."""

    def __init__(self, rows=24):
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        for name in ("XDisplayWidth", "XDisplayHeight"):
            getattr(x11, name).argtypes = [ctypes.c_void_p, ctypes.c_int]
        x11.XGetImage.restype = ctypes.POINTER(XImage)
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        for name in ("XConnectionNumber", "XPending", "XFlush"):
            getattr(x11, name).argtypes = [ctypes.c_void_p]
        x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        self.x11 = x11
        self.display = x11.XOpenDisplay(None)
        if not self.display:
            sys.exit("xprobe: cannot open display %s" % os.environ.get("DISPLAY", "(unset)"))
        self.root = x11.XDefaultRootWindow(self.display)
        self.width = x11.XDisplayWidth(self.display, 0)
        self.height = x11.XDisplayHeight(self.display, 0)
        self.ys = [(2 * k + 1) * self.height // (2 * rows) for k in range(rows)]
        self.damage = None

    def sample(self):
        """The sample rows' pixels, one bytes object, alpha byte cleared."""
        parts = []
        for y in self.ys:
            image = self.x11.XGetImage(self.display, self.root, 0, y, self.width, 1,
                                       ALL_PLANES, Z_PIXMAP)
            if not image:
                raise RuntimeError("XGetImage failed")
            parts.append(ctypes.string_at(image.contents.data, image.contents.bytes_per_line))
            image.contents.destroy_image(image)
        data = bytearray(b"".join(parts))
        data[3::4] = bytes(len(data) // 4)  # 32-bit pixels; the pad byte is noise
        return bytes(data)

    def watch_damage(self):
        """Asks for an event whenever something is drawn on the screen."""
        xdamage = ctypes.CDLL("libXdamage.so.1")
        xdamage.XDamageQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                                  ctypes.POINTER(ctypes.c_int)]
        xdamage.XDamageCreate.restype = ctypes.c_ulong
        xdamage.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]
        xdamage.XDamageSubtract.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                            ctypes.c_ulong]
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not xdamage.XDamageQueryExtension(self.display, ctypes.byref(event_base),
                                             ctypes.byref(error_base)):
            return False
        self.xdamage = xdamage
        self.damage = xdamage.XDamageCreate(self.display, self.root, DAMAGE_REPORT_NON_EMPTY)
        self.x11.XFlush(self.display)
        return True

    def wait_for_drawing(self, timeout):
        """True when drawing was reported within timeout seconds."""
        event = ctypes.create_string_buffer(256)  # XEvent is 192 bytes
        fd = self.x11.XConnectionNumber(self.display)
        if self.x11.XPending(self.display) == 0:
            select.select([fd], [], [], timeout)
        drawn = False
        while self.x11.XPending(self.display) > 0:
            self.x11.XNextEvent(self.display, event)
            drawn = True
        if drawn:
            # Re-arms the report: the next event comes with the next drawing.
            self.xdamage.XDamageSubtract(self.display, self.damage, 0, 0)
            self.x11.XFlush(self.display)
        return drawn


def is_one_colour(pixels):
    return pixels == pixels[:4] * (len(pixels) // 4)


def set_root(args):
    with open(args.picture, "rb") as f:
        data = f.read()
    # Binary PPM: "P6", width, height, maximum value, one white-space byte, RGB.
    fields = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    if not fields or fields.group(3) != b"255":
        sys.exit("xprobe: %s is not an 8-bit binary PPM" % args.picture)
    width, height = int(fields.group(1)), int(fields.group(2))
    rgb = data[fields.end():fields.end() + 3 * width * height]
    pixels = bytearray(4 * width * height)
    pixels[0::4], pixels[1::4], pixels[2::4] = rgb[2::3], rgb[1::3], rgb[0::3]

    screen = Screen()
    x11, display, root = screen.x11, screen.display, screen.root
    x11.XDefaultVisual.restype = ctypes.c_void_p
    x11.XDefaultVisual.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x11.XDefaultGC.restype = ctypes.c_void_p
    x11.XDefaultGC.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x11.XCreatePixmap.restype = ctypes.c_ulong
    x11.XCreatePixmap.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_uint, ctypes.c_uint,
                                  ctypes.c_uint]
    x11.XCreateImage.restype = ctypes.POINTER(XImage)
    x11.XCreateImage.argtypes = [ctypes.c_void_p, ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                 ctypes.c_int, ctypes.c_char_p, ctypes.c_uint, ctypes.c_uint,
                                 ctypes.c_int, ctypes.c_int]
    x11.XPutImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p,
                              ctypes.POINTER(XImage), ctypes.c_int, ctypes.c_int, ctypes.c_int,
                              ctypes.c_int, ctypes.c_uint, ctypes.c_uint]
    x11.XSetWindowBackgroundPixmap.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong]
    x11.XClearWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]

    buffer = ctypes.create_string_buffer(bytes(pixels), len(pixels))
    image = x11.XCreateImage(display, x11.XDefaultVisual(display, 0), 24, Z_PIXMAP, 0, buffer,
                             width, height, 32, 0)
    pixmap = x11.XCreatePixmap(display, root, width, height, 24)
    x11.XPutImage(display, pixmap, x11.XDefaultGC(display, 0), image, 0, 0, 0, 0, width, height)
    x11.XSetWindowBackgroundPixmap(display, root, pixmap)
    x11.XClearWindow(display, root)
    x11.XSync(display, 0)
    print("ready", flush=True)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    while True:
        signal.pause()


def first_frame(args):
    screen = Screen()
    damage = screen.watch_damage()
    blank = screen.sample()
    start = time.monotonic()
    child = subprocess.Popen(args.command, stdin=subprocess.DEVNULL)
    seen = None
    deadline = start + args.timeout
    try:
        while seen is None and time.monotonic() < deadline and child.poll() is None:
            # Without the Damage extension the rows are read every 5 ms.
            drawn = screen.wait_for_drawing(0.01) if damage else (time.sleep(0.005) or True)
            if not drawn:
                continue
            now = time.monotonic()
            pixels = screen.sample()
            if pixels == blank:
                continue
            plain = is_one_colour(pixels)
            if args.verbose:
                print("%8.1f ms  changed%s" % ((now - start) * 1000, " (one colour)" if plain else ""),
                      file=sys.stderr)
            if args.accept == "any" or not plain:
                seen = now
        # The frame may come in several pieces: its drawing ends with the
        # first pause of 25 ms (a tick is 50 ms).
        done = seen
        while damage and seen is not None and time.monotonic() < deadline:
            if not screen.wait_for_drawing(0.025):
                break
            done = time.monotonic()
            if args.verbose:
                print("%8.1f ms  drawing" % ((done - start) * 1000), file=sys.stderr)
    finally:
        if child.poll() is None:
            child.send_signal(signal.SIGTERM)
            try:
                child.wait(10)
            except subprocess.TimeoutExpired:
                child.kill()
                child.wait()
    if seen is None:
        print("first_frame_ms=none")
        return 1
    print("first_frame_ms=%.1f" % ((seen - start) * 1000))
    print("frame_drawn_ms=%.1f" % ((done - start) * 1000))
    return 0


# A request as wineserver -d1 traces it: "00d4: get_message( flags=... )",
# or "0024: get_startup_info( )" without arguments; its reply is
# "00d4: get_message() = 0 { ... }". Other lines ("*fd*", "*wakeup*") are not
# requests.
REQUEST = re.compile(r"^([0-9a-f]{4,8}): (\w+)\( ")
FIRST_THREAD = re.compile(r"^[0-9a-f]{4,8}: init_first_thread\( unix_pid=(\d+), unix_tid=(\d+)")
OTHER_THREAD = re.compile(r"^[0-9a-f]{4,8}: init_thread\( unix_tid=(\d+)")


def parse_trace_line(line):
    """(thread id, request name, (unix pid or None, unix tid) or None) for a
    request; None for any other line. The third item names the Unix thread
    behind a Wine thread id, from the thread's first request."""
    match = REQUEST.match(line)
    if not match:
        return None
    thread, name = match.group(1), match.group(2)
    owner = None
    if name == "init_first_thread":
        m = FIRST_THREAD.match(line)
        owner = (int(m.group(1)), int(m.group(2))) if m else None
    elif name == "init_thread":
        m = OTHER_THREAD.match(line)
        owner = (None, int(m.group(1))) if m else None
    return thread, name, owner


def read_trace(path, start, bins, names, threads, stop):
    """Counts each thread's requests in 100 ms bins as the lines arrive."""
    with open(path, "r", errors="replace") as trace:
        for line in trace:
            bin_index = int((time.monotonic() - start) * 10)
            request = parse_trace_line(line)
            if request is None:
                continue
            thread, name, owner = request
            if owner is not None:
                threads[thread] = owner
            bins[bin_index][thread] += 1
            names[bin_index][(thread, name)] += 1
            if stop.is_set():
                break


def read_pid(path):
    try:
        with open(path) as f:
            return int(f.read().strip() or 0) or None
    except (FileNotFoundError, ValueError):
        return None


def phase_spans(changes, quiet_min):
    """(busy, quiet): lists of (first, last) indexes of the runs of changed
    samples, and of the runs of unchanged ones at least quiet_min long, from
    the first change on (what comes before it is the start-up)."""
    busy, quiet = [], []
    if True not in changes:
        return busy, quiet
    run_start = changes.index(True)
    for i in range(run_start + 1, len(changes) + 1):
        if i == len(changes) or changes[i] != changes[run_start]:
            if changes[run_start]:
                busy.append((run_start, i - 1))
            elif i - run_start >= quiet_min:
                quiet.append((run_start, i - 1))
            run_start = i
    return busy, quiet


def requests(args):
    screen = Screen()
    start = time.monotonic()
    bins = collections.defaultdict(collections.Counter)
    names = collections.defaultdict(collections.Counter)
    threads = {}
    stop = threading.Event()
    reader = threading.Thread(target=read_trace,
                              args=(args.log, start, bins, names, threads, stop), daemon=True)
    reader.start()
    tids = set()
    pid = None
    changes = []
    previous = screen.sample()
    for i in range(int(args.seconds * 10)):
        next_time = start + (i + 1) * 0.1
        time.sleep(max(0.0, next_time - time.monotonic()))
        pixels = screen.sample()
        changes.append(pixels != previous)
        previous = pixels
        pid = pid or read_pid(args.pid_file)
        if pid:
            try:
                tids.update(int(t) for t in os.listdir("/proc/%d/task" % pid))
            except FileNotFoundError:
                pass
    stop.set()
    saver = {t for t, (p, tid) in threads.items() if pid is not None and (p == pid or tid in tids)}

    # Bins next to a change of phase hold a shuffle or the last move's end.
    margin = 5
    busy, quiet = phase_spans(changes, quiet_min=20)
    ticks_per_bin = 100 / TICK_MS

    def rate(spans, of):
        count, n, by_name = 0, 0, collections.Counter()
        for a, b in spans:
            for i in range(a + margin, b - margin + 1):
                count += sum(c for t, c in bins[i].items() if of(t))
                for (t, name), c in names[i].items():
                    if of(t):
                        by_name[name] += c
                n += 1
        return count, n * ticks_per_bin, by_name

    if args.verbose:
        print("screen changes per 100 ms: " + "".join("x" if c else "." for c in changes),
              file=sys.stderr)
        print("saver threads: %s" % sorted(saver), file=sys.stderr)
    for phase, spans in (("solve", busy), ("rest", quiet)):
        count, ticks, by_name = rate(spans, lambda t: t in saver)
        if ticks == 0:
            print("%s: none seen" % phase)
            continue
        everyone, _, _ = rate(spans, lambda t: True)
        top = ", ".join("%s %.2f" % (name, c / ticks) for name, c in by_name.most_common(10))
        print("%s: %.2f requests per tick over %d ticks (all processes of the prefix: %.2f)"
              % (phase, count / ticks, ticks, everyone / ticks))
        print("  %s" % top)
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    sub = parser.add_subparsers(dest="mode", required=True)
    ff = sub.add_parser("first-frame")
    ff.add_argument("--accept", choices=("picture", "any"), default="picture")
    ff.add_argument("--timeout", type=float, default=20)
    ff.add_argument("-v", "--verbose", action="store_true")
    ff.add_argument("command", nargs="+")
    sr = sub.add_parser("set-root")
    sr.add_argument("picture")
    rq = sub.add_parser("requests")
    rq.add_argument("--seconds", type=float, required=True)
    rq.add_argument("--log", required=True)
    rq.add_argument("--pid-file", required=True)
    rq.add_argument("-v", "--verbose", action="store_true")
    args = parser.parse_args()
    return {"first-frame": first_frame, "set-root": set_root, "requests": requests}[args.mode](args)


if __name__ == "__main__":
    sys.exit(main())
