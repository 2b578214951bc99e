"""The novra3 module against the simulated card's libraries.

NOVRA3_TEST_LIB and NOVRA3_TEST_LIB_REC name the plain and rec libraries. The
simulated card loops logic outputs 0 to 3 back to logic inputs 0 to 3, and
the analog output back to analog input 3 (four counts per step); a
thermometer sits on connector A and a pH-meter on connector B.
"""

import ctypes
import math
import os
import unittest

import novra3

PLAIN = os.environ.get("NOVRA3_TEST_LIB")
REC = os.environ.get("NOVRA3_TEST_LIB_REC")


def setUpModule():
    if not (PLAIN and REC):
        raise RuntimeError("NOVRA3_TEST_LIB and NOVRA3_TEST_LIB_REC must name the simulated libraries")


_cards = {}


def card(path):
    # Loading calibrates for a second: once per library and process.
    if path not in _cards:
        _cards[path] = novra3.Card(path)
    return _cards[path]


class PythonicSurface(unittest.TestCase):
    def setUp(self):
        self.card = card(PLAIN)

    def test_identification_says_the_card_is_simulated(self):
        self.assertEqual(self.card.title, "NOVRA3 (et NOVRA4 ?)")
        self.assertTrue(self.card.detail.endswith(" (carte simulée)"), self.card.detail)

    def test_analog_output_reads_back_on_input_3(self):
        cases = [  # volts asked, volts reported, steps set
            (2.0, 2.0, 50),
            (0.1, 0.1, 3),
            (12.0, 10.2, 255),
            (-1.0, 0.0, 0),
        ]
        for volts, reported, steps in cases:
            with self.subTest(volts=volts):
                self.assertEqual(self.card.analog_out(volts), reported)
                self.assertEqual(self.card.raw.rsa(0), steps)
                self.assertEqual(self.card.analog_in_raw(3), 4 * steps)
                self.assertEqual(self.card.analog_in(3), 4 * steps / 1000)

    def test_analog_output_steps_saturate(self):
        for asked, steps in [(100, 100), (300, 255), (-5, 0), (2**40, 255), (-(2**40), 0)]:
            with self.subTest(asked=asked):
                self.assertEqual(self.card.analog_out_steps(asked), steps)
                self.assertEqual(self.card.analog_out_setting(), steps / 25)

    def test_analog_output_refuses_nan(self):
        self.card.analog_out_steps(7)
        with self.assertRaisesRegex(ValueError, "nan"):
            self.card.analog_out(math.nan)
        self.assertEqual(self.card.raw.rsa(0), 7)

    def test_analog_inputs_are_volts_of_the_raw_count(self):
        for n in novra3.ANALOG_INPUTS:
            with self.subTest(n=n):
                self.assertIsInstance(self.card.analog_in_raw(n), int)
                self.assertTrue(0 <= self.card.analog_in_raw(n) <= 1023)
                self.assertTrue(0.0 <= self.card.analog_in(n) <= 1.023)

    def test_logic_outputs_loop_back_to_inputs_0_to_3(self):
        for n in novra3.LOGIC_OUTPUTS:
            for on in (True, False):
                with self.subTest(n=n, on=on):
                    self.assertIsNone(self.card.logic_out(n, on))
                    self.assertIs(self.card.logic_out_state(n), on)
                    self.assertIs(self.card.logic_in(n), on)

    def test_names_are_str_from_windows_1252(self):
        self.assertEqual(self.card.name_analog_in(0), "Connecteur A, voie 0")
        self.assertEqual(self.card.name_sensor(2), "connecteur B, voie 0")
        self.assertEqual(self.card.name_analog_out(), "sortie 0 (volts)")
        self.assertEqual(self.card.name_logic_in(15), "entrée logique 15")
        self.assertEqual(self.card.name_logic_out(7), "sortie logique 7")

    def test_channels_out_of_range_raise_with_the_valid_range(self):
        cases = [
            (self.card.analog_in, 4, "analog input 4 .* 0 to 3"),
            (self.card.analog_in_raw, -1, "analog input -1 .* 0 to 3"),
            (self.card.logic_in, 16, "logic input 16 .* 0 to 15"),
            (self.card.logic_in, -1, "logic input -1 .* 0 to 15"),
            (self.card.logic_in, 2**32, "logic input 4294967296 .* 0 to 15"),  # no wrap to 0
            (lambda n: self.card.logic_out(n, True), 4, "logic output 4 .* 0 to 3"),
            (self.card.logic_out_state, -1, "logic output -1 .* 0 to 3"),
            (self.card.name_analog_in, 4, "analog input 4 .* 0 to 3"),
            (self.card.name_sensor, -1, "analog input -1 .* 0 to 3"),
            (self.card.name_logic_in, 16, "logic input 16 .* 0 to 15"),
            (self.card.name_logic_out, 8, "logic output 8 .* 0 to 7"),
        ]
        for method, n, message in cases:
            with self.subTest(method=method, n=n):
                with self.assertRaisesRegex(ValueError, message):
                    method(n)

    def test_channels_must_be_integers(self):
        with self.assertRaises(TypeError):
            self.card.logic_in(1.0)


class SensorNames(unittest.TestCase):
    def test_rec_library_names_the_sensors(self):
        rec = card(REC)
        self.assertEqual(rec.name_sensor(1), "thermomètre voie1")
        self.assertEqual(rec.name_sensor(2), "pH-mètre voie0")
        self.assertEqual(rec.name_analog_in(1), "connecteur A, voie 1")

    def test_rec_is_chosen_by_name(self):
        self.assertEqual(novra3.library_name(rec=True), novra3.library_name().replace("novra3", "novra3_rec"))


class RawEntryPoints(unittest.TestCase):
    def setUp(self):
        self.raw = card(PLAIN).raw

    def test_all_58_entry_points_are_there(self):
        self.assertEqual(len(novra3._entry_points.ALL), 58)
        missing = [name for name in novra3._entry_points.ALL if not callable(getattr(self.raw, name, None))]
        self.assertEqual(missing, [])

    def test_errors_stay_the_library_s_own(self):
        self.assertEqual(self.raw.sb(4, 1), -777)
        self.assertEqual(self.raw.stdeb(16), -777)
        self.assertEqual(self.raw.rsad(1), -777.0)
        self.assertEqual(self.raw.stdsas(1, 1.0), -777.0)
        self.assertEqual(self.raw.nea(4), b"")
        self.assertEqual(self.raw.ebdouble(math.nan), -777.0)

    def test_results_are_the_exact_types(self):
        self.assertEqual(self.raw.sb(1, 1), 101)
        self.assertEqual(self.raw.sbdouble(2.0, 1.0), 201.0)
        self.assertEqual(self.raw.stdsbdouble(3.0, 0.0), 300.0)
        self.assertEqual(self.raw.neb(3), b"entr\xe9e logique 3")
        self.assertEqual(self.raw.stdnsa(65536), b"sortie analogique 0")

    def test_double_pairs_take_the_channel_first(self):
        self.assertEqual(self.raw.sadouble(0.0, 1.0), 1.0)
        self.assertEqual(self.raw.rsa(0), 25)
        self.assertEqual(self.raw.sadouble(1.0, 0.0), -777.0)
        self.assertEqual(self.raw.stdsadouble(0.0, 2.0), 2.0)
        self.assertEqual(self.raw.stdrsas(0), 2.0)

    def test_pointer_forms(self):
        self.raw.sa(0, 100)
        cell = self.raw.pead(3)
        self.assertEqual(cell.contents.value, 0.4)
        volts = ctypes.c_double(5.0)
        result = self.raw.psad(0, ctypes.byref(volts))
        self.assertEqual(result.contents.value, 5.0)
        self.assertEqual(volts.value, 5.0)
        self.assertEqual(self.raw.ea(3), 500)


class Loading(unittest.TestCase):
    def test_a_missing_library_raises_oserror(self):
        with self.assertRaises(OSError):
            novra3.Card(os.path.join(os.path.dirname(PLAIN), "no-such-library.so"))


if __name__ == "__main__":
    unittest.main()
