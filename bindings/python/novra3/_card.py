"""The card as a Python object."""

import ctypes
import ctypes.util
import math
import operator
import os
import sys

from ._raw import Raw

ERREUR_VOIE = -777
"""What the library returns for a channel that does not exist."""

_INT32_MIN, _INT32_MAX = -(2**31), 2**31 - 1

ANALOG_INPUTS = range(4)
ANALOG_OUTPUTS = range(1)
LOGIC_INPUTS = range(16)
LOGIC_OUTPUTS = range(4)
LOGIC_OUTPUT_NAMES = range(8)


def library_name(rec=False):
    """The file name of the plain (or, with rec, sensor-naming) library on this system."""
    stem = "novra3_rec" if rec else "novra3"
    if sys.platform == "win32":
        return stem + ".dll"
    if sys.platform == "darwin":
        return "lib" + stem + ".dylib"
    return "lib" + stem + ".so"


def _load(path):
    windows = sys.platform == "win32"
    if windows and os.path.dirname(path) == "":
        path = ctypes.util.find_library(path) or path
    try:
        return ctypes.WinDLL(path) if windows else ctypes.CDLL(path)
    except OSError as error:
        if windows and getattr(error, "winerror", None) == 193:
            bits = 8 * ctypes.sizeof(ctypes.c_void_p)
            raise OSError(
                f"{path} is not a {bits}-bit DLL: a {bits}-bit Python loads only {bits}-bit DLLs "
                "(the 64-bit DLLs serve the simulated card; the card itself needs a 32-bit host)"
            ) from error
        raise


def _channel(kind, n, valid):
    """n as a C int, or ValueError naming the channel and the valid range."""
    n = operator.index(n)
    if not _INT32_MIN <= n <= _INT32_MAX:
        _refuse(kind, n, valid)
    return n


def _refuse(kind, n, valid):
    raise ValueError(f"{kind} {n} does not exist: the channels are {valid.start} to {valid.stop - 1}")


def _text(raw):
    return raw.decode("cp1252")


class Card:
    """A NOVRA3 card reached through its driver library.

    path names the library file to load (for instance the simulated card's
    build); without it the library is looked up by name, novra3 or, with rec,
    novra3_rec, whose analog input names tell the sensor plugged in. Loading
    takes a little over one second (the library calibrates its clock).

    Channels out of range raise ValueError. ``raw`` holds the 58 entry points
    themselves, with the library's own -777 and empty texts.
    """

    def __init__(self, path=None, rec=False):
        self.path = path if path is not None else library_name(rec)
        self.raw = Raw(_load(os.fspath(self.path)))

    def __repr__(self):
        return f"Card({self.path!r})"

    # Analog inputs

    def analog_in(self, n):
        """Analog input n (0 to 3) in volts, 0.0 to 1.023."""
        return self.raw.stdead(self._analog_input(n))

    def analog_in_raw(self, n):
        """Analog input n (0 to 3) as the converter's count, 0 to 1023."""
        return self.raw.stdea(self._analog_input(n))

    def _analog_input(self, n):
        # The library converts any channel modulo 8; the card has four.
        n = _channel("analog input", n, ANALOG_INPUTS)
        if n not in ANALOG_INPUTS:
            _refuse("analog input", n, ANALOG_INPUTS)
        return n

    # Analog output

    def analog_out(self, volts):
        """Sets the analog output, in steps of 0.04 V from 0 to 10.2 V.

        Returns what the library reports: the volts asked for, or 0.0 or 10.2
        where the request lay beyond the output's range.
        """
        volts = float(volts)
        if math.isnan(volts):
            raise ValueError("analog output: volts must be a number, not nan")
        return self.raw.stdsad(0, volts)

    def analog_out_steps(self, k):
        """Sets the analog output in converter steps (0 to 255); returns the steps set."""
        k = max(_INT32_MIN, min(operator.index(k), _INT32_MAX))
        return self.raw.stdsa(0, k)

    def analog_out_setting(self):
        """The volts last set on the analog output by this process (0.0 after load)."""
        return self.raw.stdrsad(0)

    # Logic inputs and outputs

    def logic_in(self, n):
        """Logic input n (0 to 15): True when high."""
        result = self.raw.stdeb(_channel("logic input", n, LOGIC_INPUTS))
        if result == ERREUR_VOIE:
            _refuse("logic input", n, LOGIC_INPUTS)
        return result == 1

    def logic_out(self, n, on):
        """Switches logic output n (0 to 3) on or off."""
        if self.raw.stdsb(_channel("logic output", n, LOGIC_OUTPUTS), 1 if on else 0) == ERREUR_VOIE:
            _refuse("logic output", n, LOGIC_OUTPUTS)

    def logic_out_state(self, n):
        """Logic output n (0 to 3) as last switched by this process: True when on."""
        result = self.raw.stdrsb(_channel("logic output", n, LOGIC_OUTPUTS))
        if result == ERREUR_VOIE:
            _refuse("logic output", n, LOGIC_OUTPUTS)
        return result == 1

    # Names

    def name_analog_in(self, n):
        """The name of analog input n (0 to 3) after its connector: "Connecteur A, voie 0"."""
        return self._name(self.raw.stdnea, "analog input", n, ANALOG_INPUTS)

    def name_sensor(self, n):
        """The name of analog input n (0 to 3) after the sensor plugged in (rec library:
        "thermomètre voie1"); the plain library gives the connector's name."""
        return self._name(self.raw.stdnead, "analog input", n, ANALOG_INPUTS)

    def name_analog_out(self):
        """The name of the analog output: "sortie 0 (volts)"."""
        return _text(self.raw.stdnsad(0))

    def name_logic_in(self, n):
        """The name of logic input n (0 to 15): "entrée logique 3"."""
        return self._name(self.raw.stdneb, "logic input", n, LOGIC_INPUTS)

    def name_logic_out(self, n):
        """The name of logic output n (0 to 7; only 0 to 3 can be switched): "sortie logique 3"."""
        return self._name(self.raw.stdnsb, "logic output", n, LOGIC_OUTPUT_NAMES)

    def _name(self, entry_point, kind, n, valid):
        text = entry_point(_channel(kind, n, valid))
        if not text:
            _refuse(kind, n, valid)
        return _text(text)

    # Identification

    @property
    def title(self):
        """The library's title: "NOVRA3 (et NOVRA4 ?)"."""
        return _text(self.raw.stdtitre())

    @property
    def detail(self):
        """The library's description of the card (it says when the card is simulated)."""
        return _text(self.raw.stddetail())
