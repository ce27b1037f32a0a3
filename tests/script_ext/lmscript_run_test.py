"""lmscript end to end: real scripts, the Brevlink library and its built-in lab monitor.

Needs LMSCRIPT (the program) and EXAMPLES (the examples folder) in the environment.
"""
import os
import subprocess
import tempfile
import unittest

LMSCRIPT = os.environ["LMSCRIPT"]
EXAMPLES = os.environ["EXAMPLES"]


def run(*args, stdin=""):
    return subprocess.run([LMSCRIPT, *args], input=stdin, capture_output=True, text=True, timeout=120)


class LmscriptTest(unittest.TestCase):
    def script(self, source):
        handle, path = tempfile.mkstemp(suffix=".py")
        with os.fdopen(handle, "w") as file:
            file.write(source)
        self.addCleanup(os.remove, path)
        return path

    def test_brightness_example_reads_sets_and_restores(self):
        result = run(os.path.join(EXAMPLES, "brightness.py"))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout.splitlines(), [
            "brightness: 75 of 100 (minimum 0)",
            "brightness set to 50, reads back 50",
            "brightness restored to 75",
            "LUT size: red 1024 entries of 10 bits, green 1024 of 10, blue 1024 of 10",
        ])

    def test_tables_example_round_trips_every_table(self):
        result = run(os.path.join(EXAMPLES, "tables.py"))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout.splitlines(), [
            "LUT entry 512: 600 500 400",
            "LUT entries 1000 and 1023: 23 0",
            "gamut sRGB: white 0.3127 0.3290, gamma 2.2",
            "gamut renamed to Lab calibration",
            "colour LUTs: 2",
            "sections: 255 511 767",
            "contrast reply: 02 00 12 00 00 64 00 46",
        ])

    def test_a_failing_script_logs_its_output_and_traceback_to_standard_error(self):
        result = run(self.script("print('before the failure')\nraise ValueError('lab says no')\n"))
        self.assertEqual(result.returncode, 1)
        self.assertEqual(result.stdout, "")
        self.assertIn("before the failure\nTraceback (most recent call last):\n", result.stderr)
        self.assertTrue(result.stderr.endswith("ValueError: lab says no\n"), result.stderr)
        self.assertNotIn("\r", result.stderr)

    def test_message_boxes_answer_from_standard_input_or_the_preset(self):
        source = ("import lm_embedded_python_ext as ext\nsi = ext.get_interface()\n"
                  "si.ShowMessage('Note', 'Look at the screen')\n"
                  "print(si.QueryMessage('Check', 'Did it change?'), si.QueryForInt('Value', 'How many?'),\n"
                  "      si.QueryForHex('Code', 'Which?'))\n")
        path = self.script(source)
        cases = [
            ([], "y\n42\n1f\n", "1 42 31"),
            (["--no"], "42\n1f\n", "0 42 31"),
            (["--yes"], "", "1 0 0"),
            ([], "", "0 0 0"),
        ]
        for options, stdin, expected in cases:
            with self.subTest(options=options, stdin=stdin):
                result = run(*options, path, stdin=stdin)
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertIn("[Note] Look at the screen\n", result.stdout)
                self.assertIn("[Check] Did it change? (y/n)", result.stdout)
                self.assertEqual(result.stdout.splitlines()[-1], expected)

    def test_commands_that_cannot_run_end_with_status_2(self):
        cases = [
            (["/nonexistent/script.py"], "cannot read script"),
            (["--library", "/nonexistent/libbrevlink.so", os.path.join(EXAMPLES, "brightness.py")], "cannot load"),
            (["--monitor", "9", os.path.join(EXAMPLES, "brightness.py")], "no monitor at position 9"),
            (["--bogus"], "unknown option"),
            ([], "no script given"),
        ]
        for args, message in cases:
            with self.subTest(args=args):
                result = run(*args)
                self.assertEqual(result.returncode, 2)
                self.assertIn(message, result.stderr)

    def test_help(self):
        result = run("--help")
        self.assertEqual(result.returncode, 0)
        self.assertTrue(result.stdout.startswith("usage: lmscript"))


if __name__ == "__main__":
    unittest.main()
