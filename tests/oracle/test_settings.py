"""Checks that the comparison settings reach the boundaries they are meant for."""

import unittest

import reference_model
from compare import box_texts
from settings import NEGATIVE_NEAR_ZERO, _setting, _zero_scattering, all_settings
from sliders import SLIDER_BY_NAME


class ComparisonSettings(unittest.TestCase):
    def test_every_setting_is_in_range(self):
        for positions, _ in all_settings(2000, 3):
            for name, position in positions.items():
                slider = SLIDER_BY_NAME[name]
                self.assertTrue(slider.minimum <= position <= slider.maximum, (name, position))

    def test_zero_scattering_family_is_exactly_zero(self):
        for setting in _zero_scattering():
            self.assertEqual(reference_model.run_pass(*setting)[1].scattering_angle, 0.0)

    def test_negative_values_round_to_a_bare_zero(self):
        for changes in NEGATIVE_NEAR_ZERO:
            boxes = reference_model.recalculate(*_setting(changes))
            zeros = [box for box, text in boxes.items() if text in (".", "0.")]
            self.assertTrue(zeros, changes)

    def test_boxes_found_when_nested(self):
        texts = {"Text1": " 10"}
        self.assertIs(box_texts(texts), texts)
        self.assertIs(box_texts({"boxes": texts, "values": {}}), texts)


if __name__ == "__main__":
    unittest.main()
