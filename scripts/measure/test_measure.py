"""The measuring scripts' own logic, without X, Wine or timing: reading the
wineserver trace, telling solve from rest, the pixels of a plain erase,
utime + stime, and the median of the shell scripts."""

import os
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import cpu_window  # noqa: E402
import xprobe  # noqa: E402


class TraceLines(unittest.TestCase):
    def test_requests_and_the_rest(self):
        cases = [
            ("call with arguments",
             "009c: get_message( flags=1cff0001, get_win=00000000 )\n",
             ("009c", "get_message", None)),
            ("call without arguments", "002c: get_startup_info( )\n",
             ("002c", "get_startup_info", None)),
            ("reply", "009c: get_message() = 0 { win=0001002e }\n", None),
            ("empty reply", "00d4: init_thread() = 0 { suspend=0 }\n", None),
            ("file descriptor note", "0024: *fd* 001c -> 223\n", None),
            ("wake-up note", "0024: *wakeup* signaled=0\n", None),
            ("process note", "0044: *process killed*\n", None),
            ("server banner", "wineserver: starting (pid=15349)\n", None),
            ("first thread of a process",
             "00dc: init_first_thread( unix_pid=15402, unix_tid=15402, debug_level=0 )\n",
             ("00dc", "init_first_thread", (15402, 15402))),
            ("another thread",
             "00e0: init_thread( unix_tid=15403, reply_fd=44, wait_fd=46 )\n",
             ("00e0", "init_thread", (None, 15403))),
            ("eight-digit thread id", "0001a2b4: select( flags=2 )\n",
             ("0001a2b4", "select", None)),
        ]
        for what, line, expected in cases:
            with self.subTest(what):
                self.assertEqual(xprobe.parse_trace_line(line), expected)


class Phases(unittest.TestCase):
    def test_spans(self):
        x, o = True, False
        cases = [
            ("nothing changed: all start-up", [o, o, o, o], 2, [], []),
            ("start-up is not a rest", [o, o, o, x, x, o, o, x], 2, [(3, 4), (7, 7)], [(5, 6)]),
            ("short pause inside a solve", [x, o, x, x], 2, [(0, 0), (2, 3)], []),
            ("rest up to the end", [x, x, o, o, o], 3, [(0, 1)], [(2, 4)]),
            ("solve up to the end", [x, o, o, x, x], 2, [(0, 0), (3, 4)], [(1, 2)]),
        ]
        for what, changes, quiet_min, busy, quiet in cases:
            with self.subTest(what):
                self.assertEqual(xprobe.phase_spans(changes, quiet_min), (busy, quiet))


class OneColour(unittest.TestCase):
    def test_pixels(self):
        black, blue = b"\0\0\0\0", b"\xff\0\0\0"
        cases = [
            ("erased window", black * 8, True),
            ("one pixel differs", black * 7 + blue, False),
            ("one other colour", blue * 8, True),
        ]
        for what, pixels, expected in cases:
            with self.subTest(what):
                self.assertEqual(xprobe.is_one_colour(pixels), expected)


class StatFields(unittest.TestCase):
    def test_utime_plus_stime(self):
        tail = " S 1 2 3 0 -1 4194560 100 0 0 0 {u} {s} 0 0 20 0 1 0 5 6 7\n"
        cases = [
            ("plain name", "1234 (Tessalander.scr)" + tail.format(u=150, s=25), 175),
            ("name with spaces and a bracket", "99 (a) b (c)" + tail.format(u=1, s=2), 3),
        ]
        for what, text, expected in cases:
            with self.subTest(what):
                self.assertEqual(cpu_window.stat_ticks(text), expected)


class Median(unittest.TestCase):
    def test_shell_median(self):
        lib = os.path.join(os.path.dirname(os.path.abspath(__file__)), "lib.sh")
        cases = [("odd count", "3\n1\n2\n", "2"), ("even count", "4\n1\n3\n2\n", "2.5"),
                 ("decimals", "0.70\n0.9\n0.65\n", "0.70"), ("none", "", "nan")]
        for what, numbers, expected in cases:
            with self.subTest(what):
                out = subprocess.run(["bash", "-c", '. "$0"; median', lib], input=numbers,
                                     capture_output=True, text=True, check=True).stdout
                self.assertEqual(out.strip(), expected)


if __name__ == "__main__":
    unittest.main()
