"""A small emulation of RapidJSON's PrettyWriter (indent of four spaces).

The game's object and tile-map files are written by RapidJSON's pretty writer;
the generators write the same text so that a load and a save of an untouched
file give back the same bytes.  The single-line-array option can be switched
on and off between values exactly as the game's writers do.
"""
import struct


def f32(x):
    """The value a C++ float holds for x, widened back to double."""
    return struct.unpack("<f", struct.pack("<f", float(x)))[0]


def fmt_double(d):
    """Shortest round-trip text with a fraction, as RapidJSON writes a double."""
    if d != d or d in (float("inf"), float("-inf")):
        raise ValueError("not a finite number")
    text = repr(float(d))
    if "e" in text or "E" in text:
        mant, exp = text.split("e")
        exp = int(exp)
        if -6 < exp <= 0 or 0 < exp <= 21:
            raise ValueError("value %r would be written differently" % d)
    return text


class PrettyWriter:
    def __init__(self, out=None):
        self.out = out if out is not None else []
        self.levels = []  # each: [in_array, value_count]
        self.single_line = False
        self.has_root = False

    def text(self):
        return "".join(self.out)

    def set_single_line(self, on):
        self.single_line = bool(on)

    def _indent(self):
        self.out.append(" " * (4 * len(self.levels)))

    def _prefix(self, is_name=False):
        if self.levels:
            level = self.levels[-1]
            if level[0]:
                if level[1] > 0:
                    self.out.append(",")
                    if self.single_line:
                        self.out.append(" ")
                if not self.single_line:
                    self.out.append("\n")
                    self._indent()
            else:
                if level[1] > 0:
                    if level[1] % 2 == 0:
                        self.out.append(",\n")
                    else:
                        self.out.append(": ")
                else:
                    self.out.append("\n")
                if level[1] % 2 == 0:
                    self._indent()
                    assert is_name, "object member names must be strings"
            level[1] += 1
        else:
            assert not self.has_root
            self.has_root = True

    # values
    def null(self):
        self._prefix()
        self.out.append("null")

    def bool(self, b):
        self._prefix()
        self.out.append("true" if b else "false")

    def int(self, i):
        assert isinstance(i, int) and not isinstance(i, bool)
        self._prefix()
        self.out.append(str(i))

    def double(self, d):
        self._prefix()
        self.out.append(fmt_double(d))

    def float(self, x):
        """A C++ float widened to double."""
        self.double(f32(x))

    def string(self, s):
        self._prefix(is_name=True)
        self.out.append('"' + s.replace("\\", "\\\\").replace('"', '\\"') + '"')

    def key(self, s):
        self.string(s)

    def start_object(self):
        self._prefix()
        self.levels.append([False, 0])
        self.out.append("{")

    def end_object(self):
        level = self.levels.pop()
        assert not level[0]
        if level[1] != 0:
            self.out.append("\n")
            self._indent()
        self.out.append("}")

    def start_array(self):
        self._prefix()
        self.levels.append([True, 0])
        self.out.append("[")

    def end_array(self):
        level = self.levels.pop()
        assert level[0]
        if level[1] != 0 and not self.single_line:
            self.out.append("\n")
            self._indent()
        self.out.append("]")
