// The Python face of the extension: get_interface, ScriptInterface and the five table wrappers.
#include "script_ext/gamut_wrapper.h"
#include "script_ext/host_exports.h"
#include "script_ext/lut_wrappers.h"
#include "script_ext/python_values.h"
#include "script_ext/script_interface.h"
#include "script_ext/trivex_wrapper.h"

#include <boost/python.hpp>

namespace bp = boost::python;
using kestrova::script::PythonText;

namespace {

ScriptInterface& GetInterface() {
    return ScriptInterface::Instance();
}

// A reference kept across Release points at a destroyed object: refuse it instead of using it.
ScriptInterface& Live(ScriptInterface& self) {
    if (!ScriptInterface::IsInstance(&self)) {
        PyErr_SetString(PyExc_RuntimeError, "this ScriptInterface was released; call get_interface() again");
        bp::throw_error_already_set();
    }
    return self;
}

void Write(ScriptInterface& self, const char* command, const char* data) {
    Live(self).WriteCommand(command, data);
}

void Release(ScriptInterface& self) {
    Live(self).Release();
}

void WriteNoCrc(ScriptInterface& self, const char* command) {
    Live(self).SendCommandNoCrc(command);
}

bp::object ReadWithStop(ScriptInterface& self, const char* command, int stop) {
    return PythonText(Live(self).ReadWithStop(command, stop));
}

void WriteBytesNoCrc(ScriptInterface& self, const bp::object& data) {
    std::vector<unsigned char> bytes = kestrova::script::PaddedBytes(data, kestrova::script::kHostByteAreaSize);
    Live(self).SendCommandBytesNoCrc(bytes.data());
}

void Send(ScriptInterface& self, const char* command) {
    Live(self).SendCommand(command);
}

bp::object Receive(ScriptInterface& self, const char* command, int count) {
    return PythonText(Live(self).ReceiveCommand(command, count));
}

// The host may write `count` bytes into `reply`, so the count is cut to what `reply` holds.
void ReadBytesWithStop(ScriptInterface& self, const bp::object& request, const bp::object& reply, int count) {
    std::vector<unsigned char> requestBytes =
        kestrova::script::PaddedBytes(request, kestrova::script::kHostByteAreaSize);
    kestrova::script::WritableBytes replyBytes(reply);
    const size_t capacity = replyBytes.Size();
    const int usable = count <= 0 ? 0 : static_cast<size_t>(count) > capacity ? static_cast<int>(capacity) : count;
    Live(self).ReadBytesWithStop(requestBytes.data(), replyBytes.Data(), usable);
}

void TableWrite(ScriptInterface& self, const char* code, const char* offset, const char* count, const char* data) {
    Live(self).TableWriteCommand(code, offset, count, data);
}

bp::object TableRead(ScriptInterface& self, const char* code, const char* offset, const char* count) {
    return PythonText(Live(self).TableReadCommand(code, offset, count));
}

void Delay(ScriptInterface& self, int milliseconds) {
    Live(self).Delay(milliseconds);
}

void ShowMessage(ScriptInterface& self, const char* caption, const char* text) {
    Live(self).DisplayMessageBox(caption, text);
}

int QueryMessage(ScriptInterface& self, const char* caption, const char* text) {
    return Live(self).QueryMessageBox(caption, text);
}

void LogMessage(ScriptInterface& self, const char* text) {
    Live(self).LogMessage(text);
}

bp::object ReadValInitRange(ScriptInterface& self, const char* command) {
    return PythonText(Live(self).ReadRangeCommand(command));
}

bp::object GetRangeMin(ScriptInterface& self) {
    return PythonText(Live(self).GetRangeMinVal());
}

bp::object GetRangeMax(ScriptInterface& self) {
    return PythonText(Live(self).GetRangeMaxVal());
}

bp::object GetCurrentVal(ScriptInterface& self) {
    return PythonText(Live(self).GetCurrentVal());
}

int32_t QueryForInt(ScriptInterface& self, const char* caption, const char* text) {
    return Live(self).QueryForIntMsgBox(caption, text);
}

int QueryForHex(ScriptInterface& self, const char* caption, const char* text) {
    return Live(self).QueryForHexMsgBox(caption, text);
}

bool SetDDCPort(ScriptInterface& self, bool port) {
    return Live(self).SetDDCPort(port);
}

void SetAltDisplayMask(ScriptInterface& self, uint32_t mask) {
    Live(self).SetAltDisplayMask(mask);
}

uint32_t GetAltDisplayMask(ScriptInterface& self) {
    return Live(self).GetAltDisplayMask();
}

void UseAltDisplayMask(ScriptInterface& self, int use) {
    Live(self).UseAltDisplayMask(use);
}

bp::object Read(ScriptInterface& self, const char* command) {
    return PythonText(Live(self).ReadCommand(command));
}

bp::object GetGamutName(const GAMUT_MANAGEMENT_WRAPPER& gamut) {
    return PythonText(gamut.GetGamutName());
}

// Sixteen bytes of UTF-8, never half a character.
void SetGamutName(GAMUT_MANAGEMENT_WRAPPER& gamut, const std::string& name) {
    gamut.SetGamutName(kestrova::script::CutAtCharacter(name, kestrova::script::kGamutNameCapacity));
}

void RegisterScriptInterface() {
    bp::class_<ScriptInterface, boost::noncopyable>("ScriptInterface", bp::no_init)
        .def("Instance", &GetInterface, bp::return_value_policy<bp::reference_existing_object>())
        .staticmethod("Instance")
        .def("Write", &Write)
        .def("Release", &Release)
        .def("WriteNoCrc", &WriteNoCrc)
        .def("ReadWithStop", &ReadWithStop)
        .def("WriteBytesNoCrc", &WriteBytesNoCrc)
        .def("Send", &Send)
        .def("Receive", &Receive)
        .def("ReadBytesWithStop", &ReadBytesWithStop)
        .def("TableWrite", &TableWrite)
        .def("TableRead", &TableRead)
        .def("Delay", &Delay)
        .def("ShowMessage", &ShowMessage)
        .def("QueryMessage", &QueryMessage)
        .def("LogMessage", &LogMessage)
        .def("ReadValInitRange", &ReadValInitRange)
        .def("GetRangeMin", &GetRangeMin)
        .def("GetRangeMax", &GetRangeMax)
        .def("GetCurrentVal", &GetCurrentVal)
        .def("QueryForInt", &QueryForInt)
        .def("QueryForHex", &QueryForHex)
        .def("SetDDCPort", &SetDDCPort)
        .def("SetAltDisplayMask", &SetAltDisplayMask)
        .def("GetAltDisplayMask", &GetAltDisplayMask)
        .def("UseAltDisplayMask", &UseAltDisplayMask)
        .def("Read", &Read);
}

void RegisterLutWrappers() {
    using LutSize = LUT_SIZE_WRAPPER;
    bp::class_<LutSize>("LUT_SIZE_WRAPPER")
        .def("GetNumRedLutEntries", &LutSize::GetNumRedLutEntries)
        .def("GetNumGreenLutEntries", &LutSize::GetNumGreenLutEntries)
        .def("GetNumBlueLutEntries", &LutSize::GetNumBlueLutEntries)
        .def("GetRedLutBits", &LutSize::GetRedLutBits)
        .def("GetGreenLutBits", &LutSize::GetGreenLutBits)
        .def("GetBlueLutBits", &LutSize::GetBlueLutBits)
        .def("Reset", &LutSize::Reset)
        .def("IsZandor", &LutSize::IsZandor)
        .def("Read", &LutSize::ReadStruct);

    using SinglePoint = SP_LUT_OPERATION_WRAPPER;
    bp::class_<SinglePoint>("SP_LUT_OPERATION_WRAPPER")
        .def("SetVal", &SinglePoint::SetVal)
        .def("GetVal", &SinglePoint::GetVal)
        .def("SetRedLutVal", &SinglePoint::SetRedLutVal)
        .def("GetRedLutVal", &SinglePoint::GetRedLutVal)
        .def("SetGreenLutVal", &SinglePoint::SetGreenLutVal)
        .def("GetGreenLutVal", &SinglePoint::GetGreenLutVal)
        .def("SetBlueLutVal", &SinglePoint::SetBlueLutVal)
        .def("GetBlueLutVal", &SinglePoint::GetBlueLutVal)
        .def("SetLUTOffset", &SinglePoint::SetLUTOffset)
        .def("Reset", &SinglePoint::Reset)
        .def("SetOffset", &SinglePoint::SetOffset)
        .def("IsZandor", &SinglePoint::IsZandor)
        .def("Write", &SinglePoint::WriteStruct)
        .def("Read", &SinglePoint::ReadStruct);

    using Block = BLOCK_LUT_OPERATION_WRAPPER;
    bp::class_<Block>("BLOCK_LUT_OPERATION_WRAPPER")
        .def("SetVal", &Block::SetVal)
        .def("GetVal", &Block::GetVal)
        .def("SetType", &Block::SetType)
        .def("GetType", &Block::GetType)
        .def("SetNumVals", &Block::SetNumVals)
        .def("GetNumVals", &Block::GetNumVals)
        .def("SetLutVal", &Block::SetLutVal)
        .def("GetLutVal", &Block::GetLutVal)
        .def("SetLUTOffset", &Block::SetLUTOffset)
        .def("SetOffset", &Block::SetOffset)
        .def("SetSegmentSize", &Block::SetSegmentSize)
        .def("IsZandor", &Block::IsZandor)
        .def("Reset", &Block::Reset)
        .def("Write", &Block::WriteStruct)
        .def("Read", &Block::ReadStruct);
}

void RegisterTrivexWrapper() {
    using Trivex = TRIVEX_MANAGEMENT_WRAPPER;
    bp::class_<Trivex>("TRIVEX_MANAGEMENT_WRAPPER")
        .def("CloseOSD", &Trivex::CloseExistingOSD)
        .def("DrawGradient", &Trivex::DrawGradient)
        .def("DrawAndCalibrateGradientSection", &Trivex::DrawAndCalibrateGradientSection)
        .def("ReadNumberCLUTsSupported", &Trivex::ReadNumberCLUTsSupported)
        .def("SelectDefaultLUT", &Trivex::SelectDefaultLUT)
        .def("SelectCustomLUT", &Trivex::SelectCustomLUT)
        .def("Write", &Trivex::WriteStruct)
        .def("Read", &Trivex::ReadStruct);
}

void RegisterGamutWrapper() {
    using Gamut = GAMUT_MANAGEMENT_WRAPPER;
    bp::class_<Gamut>("GAMUT_MANAGEMENT_WRAPPER")
        .def("GetMode", &Gamut::GetMode)
        .def("SetMode", &Gamut::SetMode)
        .def("GetEnable", &Gamut::GetEnable)
        .def("SetEnable", &Gamut::SetEnable)
        .def("GetCalibrated", &Gamut::GetCalibrated)
        .def("SetCalibrated", &Gamut::SetCalibrated)
        .def("GetBacklightHours", &Gamut::GetBacklightHours)
        .def("SetBacklightHours", &Gamut::SetBacklightHours)
        .def("GetGamutName", &GetGamutName)
        .def("SetGamutName", &SetGamutName)
        .def("GetWhite_lum", &Gamut::GetWhite_lum)
        .def("SetWhite_lum", &Gamut::SetWhite_lum)
        .def("GetWhite_x", &Gamut::GetWhite_x)
        .def("SetWhite_x", &Gamut::SetWhite_x)
        .def("GetWhite_y", &Gamut::GetWhite_y)
        .def("SetWhite_y", &Gamut::SetWhite_y)
        .def("GetRed_x", &Gamut::GetRed_x)
        .def("SetRed_x", &Gamut::SetRed_x)
        .def("GetRed_y", &Gamut::GetRed_y)
        .def("SetRed_y", &Gamut::SetRed_y)
        .def("GetGreen_x", &Gamut::GetGreen_x)
        .def("SetGreen_x", &Gamut::SetGreen_x)
        .def("GetGreen_y", &Gamut::GetGreen_y)
        .def("SetGreen_y", &Gamut::SetGreen_y)
        .def("GetBlue_x", &Gamut::GetBlue_x)
        .def("SetBlue_x", &Gamut::SetBlue_x)
        .def("GetBlue_y", &Gamut::GetBlue_y)
        .def("SetBlue_y", &Gamut::SetBlue_y)
        .def("GetGamma", &Gamut::GetGamma)
        .def("SetGamma", &Gamut::SetGamma)
        .def("GetGamma_A0", &Gamut::GetGamma_A0)
        .def("SetGamma_A0", &Gamut::SetGamma_A0)
        .def("GetGamma_A1", &Gamut::GetGamma_A1)
        .def("SetGamma_A1", &Gamut::SetGamma_A1)
        .def("GetGamma_A2", &Gamut::GetGamma_A2)
        .def("SetGamma_A2", &Gamut::SetGamma_A2)
        .def("GetGamma_A3", &Gamut::GetGamma_A3)
        .def("SetGamma_A3", &Gamut::SetGamma_A3)
        .def("SetOffset", &Gamut::SetOffset)
        .def("Write", &Gamut::WriteStruct)
        .def("Read", &Gamut::ReadStruct);
}

}  // namespace

BOOST_PYTHON_MODULE(lm_embedded_python_ext) {
    bp::def("get_interface", &GetInterface, bp::return_value_policy<bp::reference_existing_object>());
    RegisterScriptInterface();
    RegisterLutWrappers();
    RegisterTrivexWrapper();
    RegisterGamutWrapper();
}
