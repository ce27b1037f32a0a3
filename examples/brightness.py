"""Reads the monitor's brightness (VCP 0x10), sets it, reads it back, restores it, and reads the
monitor's LUT size table.

    lmscript examples/brightness.py
"""
import lm_embedded_python_ext as ext

si = ext.get_interface()

reply = si.ReadValInitRange("10")
if reply != "OK":
    raise RuntimeError("brightness could not be read: " + reply)
original = int(si.GetCurrentVal())
maximum = int(si.GetRangeMax())
print("brightness: %d of %d (minimum %s)" % (original, maximum, si.GetRangeMin()))

target = maximum // 2 if original != maximum // 2 else maximum // 4
si.Write("10", str(target))
read_back = si.Read("10")
print("brightness set to %d, reads back %s" % (target, read_back))
if read_back != str(target):
    raise RuntimeError("the monitor kept brightness %s instead of %d" % (read_back, target))

si.Write("10", str(original))
print("brightness restored to %s" % si.Read("10"))

lut = ext.LUT_SIZE_WRAPPER()
lut.Read()
print("LUT size: red %d entries of %d bits, green %d of %d, blue %d of %d" % (
    lut.GetNumRedLutEntries(), lut.GetRedLutBits(),
    lut.GetNumGreenLutEntries(), lut.GetGreenLutBits(),
    lut.GetNumBlueLutEntries(), lut.GetBlueLutBits()))
