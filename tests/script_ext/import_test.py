"""The module imported by a plain python3, which exports none of the host functions."""
import unittest

import lm_embedded_python_ext as ext


class MissingHostTest(unittest.TestCase):
    def setUp(self):
        self.si = ext.get_interface()

    def tearDown(self):
        ext.get_interface().Release()

    def test_calls_answer_their_missing_export_values(self):
        si = self.si
        cases = [
            ("Read", lambda: si.Read("10"), "communication error"),
            ("ReadWithStop", lambda: si.ReadWithStop("10", 1), "communication error"),
            ("Receive", lambda: si.Receive("01 10", 8), "communication error"),
            ("ReadValInitRange", lambda: si.ReadValInitRange("10"), "communication error"),
            ("TableRead", lambda: si.TableRead("E2", "0", "4"), ""),
            ("QueryForInt", lambda: si.QueryForInt("caption", "text"), 0),
            ("QueryForHex", lambda: si.QueryForHex("caption", "text"), 0),
            ("QueryMessage", lambda: si.QueryMessage("caption", "text"), 0),
            ("GetAltDisplayMask", lambda: si.GetAltDisplayMask(), 0),
            ("SetDDCPort True", lambda: si.SetDDCPort(True), True),
            ("SetDDCPort False", lambda: si.SetDDCPort(False), True),
            ("Write", lambda: si.Write("10", "50"), None),
            ("Send", lambda: si.Send("03 10 00 32"), None),
            ("WriteNoCrc", lambda: si.WriteNoCrc("03 10 00 32"), None),
            ("TableWrite", lambda: si.TableWrite("E2", "0", "1", "00"), None),
            ("ShowMessage", lambda: si.ShowMessage("caption", "text"), None),
            ("LogMessage", lambda: si.LogMessage("text"), None),
            ("SetAltDisplayMask", lambda: si.SetAltDisplayMask(0xFFFFFFFF), None),
            ("UseAltDisplayMask", lambda: si.UseAltDisplayMask(1), None),
            ("Delay", lambda: si.Delay(1), None),
        ]
        for name, call, expected in cases:
            with self.subTest(name):
                self.assertEqual(call(), expected)

    def test_range_read_rewrites_the_texts_from_unchanged_values(self):
        self.assertEqual(self.si.GetRangeMin(), "")
        self.si.ReadValInitRange("10")
        self.assertEqual(
            (self.si.GetCurrentVal(), self.si.GetRangeMin(), self.si.GetRangeMax()), ("0", "0", "0"))

    def test_instance_and_get_interface_reach_one_object_until_released(self):
        self.si.ReadValInitRange("10")
        self.assertEqual(ext.ScriptInterface.Instance().GetRangeMin(), "0")
        old = self.si
        old.Release()
        with self.assertRaisesRegex(RuntimeError, "released"):
            old.Read("10")
        with self.assertRaises(RuntimeError):
            old.Release()
        self.assertEqual(ext.get_interface().GetRangeMin(), "")

    def test_scripts_cannot_construct_the_interface(self):
        with self.assertRaises(RuntimeError):
            ext.ScriptInterface()

    def test_byte_parameters_take_bytes_like_objects(self):
        si = self.si
        for data in (b"\x51\x84\x03\x10\x00\x32", bytearray(b"\x01"), memoryview(b"ab"), "Latin-1 \xff", b""):
            with self.subTest(data=data):
                si.WriteBytesNoCrc(data)
        reply = bytearray(4)
        si.ReadBytesWithStop(b"\x01\x10", reply, 1000)
        si.ReadBytesWithStop(b"\x01\x10", reply, -5)
        self.assertEqual(reply, bytearray(4))
        with self.assertRaises(BufferError):
            si.ReadBytesWithStop(b"\x01", b"immutable", 2)
        with self.assertRaises(TypeError):
            si.WriteBytesNoCrc(12)
        with self.assertRaises(UnicodeEncodeError):
            si.WriteBytesNoCrc("\u20ac")

    def test_out_of_range_numbers_raise_instead_of_wrapping(self):
        single = ext.SP_LUT_OPERATION_WRAPPER()
        block = ext.BLOCK_LUT_OPERATION_WRAPPER()
        cases = [
            lambda: single.SetRedLutVal(65536),
            lambda: single.SetRedLutVal(-1),
            lambda: single.SetVal(256),
            lambda: block.SetLutVal(70000, 1, 0),
            lambda: self.si.SetAltDisplayMask(-1),
            lambda: self.si.SetAltDisplayMask(2 ** 32),
            lambda: self.si.Delay(2 ** 40),
        ]
        for index, call in enumerate(cases):
            with self.subTest(index):
                with self.assertRaises(OverflowError):
                    call()
        self.assertEqual(single.GetRedLutVal(), 0)


class TableWrapperTest(unittest.TestCase):
    def tearDown(self):
        ext.get_interface().Release()

    def test_script_methods_are_registered_and_native_only_ones_are_not(self):
        registered = {
            "ScriptInterface": "Instance Write Release WriteNoCrc ReadWithStop WriteBytesNoCrc Send Receive "
                               "ReadBytesWithStop TableWrite TableRead Delay ShowMessage QueryMessage LogMessage "
                               "ReadValInitRange GetRangeMin GetRangeMax GetCurrentVal QueryForInt QueryForHex "
                               "SetDDCPort SetAltDisplayMask GetAltDisplayMask UseAltDisplayMask Read",
            "LUT_SIZE_WRAPPER": "GetNumRedLutEntries GetNumGreenLutEntries GetNumBlueLutEntries GetRedLutBits "
                                "GetGreenLutBits GetBlueLutBits Reset IsZandor Read",
            "SP_LUT_OPERATION_WRAPPER": "SetVal GetVal SetRedLutVal GetRedLutVal SetGreenLutVal GetGreenLutVal "
                                        "SetBlueLutVal GetBlueLutVal SetLUTOffset Reset SetOffset IsZandor Write Read",
            "BLOCK_LUT_OPERATION_WRAPPER": "SetVal GetVal SetType GetType SetNumVals GetNumVals SetLutVal GetLutVal "
                                           "SetLUTOffset SetOffset SetSegmentSize IsZandor Reset Write Read",
            "TRIVEX_MANAGEMENT_WRAPPER": "CloseOSD DrawGradient DrawAndCalibrateGradientSection "
                                         "ReadNumberCLUTsSupported SelectDefaultLUT SelectCustomLUT Write Read",
            "GAMUT_MANAGEMENT_WRAPPER": "GetMode SetMode GetEnable SetEnable GetCalibrated SetCalibrated "
                                        "GetBacklightHours SetBacklightHours GetGamutName SetGamutName SetOffset "
                                        "Write Read " + " ".join(
                                            prefix + field for field in (
                                                "White_lum White_x White_y Red_x Red_y Green_x Green_y Blue_x "
                                                "Blue_y Gamma Gamma_A0 Gamma_A1 Gamma_A2 Gamma_A3").split()
                                            for prefix in ("Get", "Set")),
        }
        absent = {
            "ScriptInterface": "TableWriteCommandStruct TableReadCommandStruct TableWriteCommandLargeStruct "
                               "TableReadCommandLargeStruct QueryForCmdMsgBox run_python_script run_python_line",
            "LUT_SIZE_WRAPPER": "SetOffset",
            "TRIVEX_MANAGEMENT_WRAPPER": "Reset",
            "GAMUT_MANAGEMENT_WRAPPER": "Reset",
        }
        self.assertTrue(callable(ext.get_interface))
        for cls, names in registered.items():
            for name in names.split():
                with self.subTest(cls=cls, name=name):
                    self.assertTrue(callable(getattr(getattr(ext, cls), name)))
        for cls, names in absent.items():
            for name in names.split():
                with self.subTest(cls=cls, name=name):
                    self.assertFalse(hasattr(getattr(ext, cls), name))
        self.assertFalse(hasattr(ext, "PythonStdIoRedirect"))

    def test_block_lut_range_rules(self):
        block = ext.BLOCK_LUT_OPERATION_WRAPPER()
        block.SetNumVals(1024)
        self.assertEqual(block.GetNumVals(), 1024)
        block.SetNumVals(1025)
        self.assertEqual(block.GetNumVals(), 1024)
        block.SetLutVal(321, 2, 1023)
        cases = [((2, 1023), 321), ((1, 1024), 999), ((1, -1), 999), ((4, 0), 999), ((1, 0), 0)]
        for (colour, index), expected in cases:
            with self.subTest(colour=colour, index=index):
                self.assertEqual(block.GetLutVal(colour, index), expected)

    def test_gamut_name_keeps_sixteen_bytes_without_splitting_characters(self):
        gamut = ext.GAMUT_MANAGEMENT_WRAPPER()
        gamut.SetWhite_lum(120.5)
        cases = [
            ("ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOP"),
            ("sRGB", "sRGB"),
            ("\u00e4" * 10, "\u00e4" * 8),
            ("abc\u20ac\u20ac\u20ac\u20ac\u20ac", "abc\u20ac\u20ac\u20ac\u20ac"),
            ("", ""),
        ]
        for name, expected in cases:
            with self.subTest(name=name):
                gamut.SetGamutName(name)
                self.assertEqual(gamut.GetGamutName(), expected)
        self.assertEqual(gamut.GetWhite_lum(), 120.5)

    def test_gamut_floats_are_single_precision(self):
        gamut = ext.GAMUT_MANAGEMENT_WRAPPER()
        gamut.SetRed_x(0.64)
        self.assertNotEqual(gamut.GetRed_x(), 0.64)
        self.assertAlmostEqual(gamut.GetRed_x(), 0.64, places=6)

    def test_transfers_without_a_host_use_the_objects_own_bytes(self):
        trivex = ext.TRIVEX_MANAGEMENT_WRAPPER()
        self.assertEqual(trivex.ReadNumberCLUTsSupported(), 1024)
        trivex.DrawGradient(2)
        self.assertEqual(trivex.DrawAndCalibrateGradientSection(3), 0x1803)
        self.assertEqual(trivex.Read(), 0x1803)

        single = ext.SP_LUT_OPERATION_WRAPPER()
        self.assertEqual(single.GetVal(), 2)
        single.SetRedLutVal(0x1234)
        single.Write()
        self.assertEqual((single.GetVal(), single.GetRedLutVal()), (1, 0x1234))
        single.Read()
        self.assertEqual(single.GetVal(), 2)

        size = ext.LUT_SIZE_WRAPPER()
        size.IsZandor(True)
        size.Read()
        self.assertEqual((size.GetNumRedLutEntries(), size.GetRedLutBits()), (0, 0))


if __name__ == "__main__":
    unittest.main()
