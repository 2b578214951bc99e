"""The NOVRA3 data-acquisition card from Python, through its driver library.

    import novra3
    card = novra3.Card()            # or Card(path=...), Card(rec=True)
    volts = card.analog_in(0)
    card.logic_out(2, True)

Built on ctypes alone. On Windows the library is called through its stdcall
forms; a 64-bit Python needs the 64-bit DLLs (simulated card), since a 64-bit
process cannot load a 32-bit DLL.
"""

from ._card import (
    ANALOG_INPUTS,
    ANALOG_OUTPUTS,
    ERREUR_VOIE,
    LOGIC_INPUTS,
    LOGIC_OUTPUT_NAMES,
    LOGIC_OUTPUTS,
    Card,
    library_name,
)
from ._raw import Raw

__all__ = [
    "ANALOG_INPUTS",
    "ANALOG_OUTPUTS",
    "ERREUR_VOIE",
    "LOGIC_INPUTS",
    "LOGIC_OUTPUT_NAMES",
    "LOGIC_OUTPUTS",
    "Card",
    "Raw",
    "library_name",
]
