"""Reads analog input 0 and switches logic output 2 on while it is above 0.5 V."""

import sys

import novra3

card = novra3.Card(*sys.argv[1:2])  # the library's path, or found by name
volts = card.analog_in(0)
print(f"{card.name_analog_in(0)} : {volts:.3f} V")
card.logic_out(2, volts > 0.5)
print(f"{card.name_logic_out(2)} : {int(card.logic_out_state(2))}")
