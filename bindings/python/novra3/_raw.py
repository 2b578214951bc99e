"""The 58 entry points bound with ctypes, with their exact arguments and results."""

import ctypes
import sys

from ._entry_points import REGISTER_FORMS, STDCALL_FORMS

_TYPES = {
    "i": ctypes.c_int,
    "d": ctypes.c_double,
    "f": ctypes.c_float,
    "s": ctypes.c_char_p,
    "p": ctypes.POINTER(ctypes.c_double),
}

# Only 32-bit Windows has the two conventions; elsewhere both families are plain C.
TWO_CONVENTIONS = sys.platform == "win32" and ctypes.sizeof(ctypes.c_void_p) == 4

# Where a register form has no stdcall twin of the same name.
_NEAREST_STDCALL = {"rsa": "stdrsad", "pead": "stdead", "psad": "stdsad"}


def _bind(library, name, result, arguments):
    function = getattr(library, name)
    function.restype = _TYPES[result]
    function.argtypes = [_TYPES[code] for code in arguments]
    return function


def _in_stack_order(function):
    # A register form with two doubles takes the stdcall layout with them swapped.
    def call(n, v):
        return function(v, n)

    call.__name__ = function.__name__
    return call


class Raw:
    """The library's own API: every entry point under its own name.

    Texts come back as bytes in Windows-1252, a channel out of range as -777
    (or -777.0) and an empty text, pead and psad as pointers to a double
    (read them with ``.contents.value``).

    On 32-bit Windows ctypes cannot pass arguments in registers: the register
    forms that take integers are missing there (use the stdcall forms); those
    taking only doubles share the stdcall layout and are present.
    """

    def __init__(self, library):
        for name, (result, arguments) in STDCALL_FORMS.items():
            setattr(self, name, _bind(library, name, result, arguments))
        for name, (result, arguments) in REGISTER_FORMS.items():
            if not TWO_CONVENTIONS:
                setattr(self, name, _bind(library, name, result, arguments))
            elif set(arguments) <= {"d"}:
                function = _bind(library, name, result, arguments)
                setattr(self, name, _in_stack_order(function) if len(arguments) == 2 else function)

    def __getattr__(self, name):
        if name in REGISTER_FORMS:
            twin = _NEAREST_STDCALL.get(name, "std" + name)
            raise AttributeError(
                f"{name} takes its integers in registers, which ctypes cannot do on 32-bit Windows: "
                f"call {twin} instead"
            )
        raise AttributeError(f"the library has no entry point {name!r}")

    def __dir__(self):
        return sorted(set(super().__dir__()) | set(vars(self)))
