"""Writes and reads back the LUT, gamut and TRIVEX tables, and a raw DDC/CI request.

    lmscript examples/tables.py
"""
import lm_embedded_python_ext as ext

si = ext.get_interface()

# One LUT entry: write entry 512, read it back.
point = ext.SP_LUT_OPERATION_WRAPPER()
point.SetLUTOffset(512)
point.SetRedLutVal(600)
point.SetGreenLutVal(500)
point.SetBlueLutVal(400)
point.Write()
point.Reset()
point.SetLUTOffset(512)
point.Read()
print("LUT entry 512: %d %d %d" % (point.GetRedLutVal(), point.GetGreenLutVal(), point.GetBlueLutVal()))

# A block of the last 24 entries, inverted.
block = ext.BLOCK_LUT_OPERATION_WRAPPER()
block.SetLUTOffset(1000)
for i in range(24):
    for colour in (1, 2, 3):
        block.SetLutVal(1023 - (1000 + i), colour, i)
block.Write()
block.Reset()
block.SetLUTOffset(1000)
block.Read()
print("LUT entries 1000 and 1023: %d %d" % (block.GetLutVal(1, 0), block.GetLutVal(1, 23)))

# The gamut, renamed.
gamut = ext.GAMUT_MANAGEMENT_WRAPPER()
gamut.Read()
print("gamut %s: white %.4f %.4f, gamma %.1f" % (gamut.GetGamutName(), gamut.GetWhite_x(), gamut.GetWhite_y(),
                                                  gamut.GetGamma()))
gamut.SetGamutName("Lab calibration")
gamut.Write()
gamut.Read()
print("gamut renamed to %s" % gamut.GetGamutName())

# TRIVEX: draw the green gradient and calibrate its three sections.
trivex = ext.TRIVEX_MANAGEMENT_WRAPPER()
print("colour LUTs: %d" % trivex.ReadNumberCLUTsSupported())
trivex.DrawGradient(2)
print("sections: %s" % " ".join(str(trivex.DrawAndCalibrateGradientSection(s)) for s in (1, 2, 3)))
trivex.CloseOSD()

# A Get VCP Feature request for the contrast, as DDC/CI bytes.
print("contrast reply: %s" % si.ReadWithStop("01 12", 0))
