// Entry points the tester never calls: they answer "not supported" (0) and empty whatever the
// caller gave them to fill, so no stale value can pass for an answer.
#include "brevlink/brevlink.h"
#include "brevlink/exports/text_out.h"

namespace {

void Zero(uint32_t* value) {
    if (value != nullptr) {
        *value = 0;
    }
}

void Zero(int32_t* value) {
    if (value != nullptr) {
        *value = 0;
    }
}

}  // namespace

extern "C" {

int32_t WrWmDisplayChange(void) {
    return 0;
}

int32_t WrGetDriverInfo(int32_t /*index*/, char* text, uint32_t* size) {
    brevlink::ClearText(text, size);
    return 0;
}

int32_t WrSetDriverFromInfo(const char* /*info*/) {
    return 0;
}

int32_t WrGetDriverIndex(void) {
    return 0;
}

int32_t WrSetDriverIndex(int32_t /*index*/) {
    return 0;
}

int32_t WrSaveDisplayConfiguration(void) {
    return 0;
}

int32_t WrRestoreDisplayConfiguration(void) {
    return 0;
}

int32_t WrDDCSetRetries(uint32_t /*retries*/) {
    return 0;
}

int32_t WrDDCSendVCPCommandNoData(int32_t /*monitor*/, uint32_t /*opcode*/) {
    return 0;
}

int32_t WrDDCGetVCPReply(int32_t /*monitor*/, uint8_t* /*reply*/, uint32_t* size) {
    Zero(size);
    return 0;
}

int32_t WrDDCSetSendRaw(uint32_t /*enable*/) {
    return 0;
}

int32_t WrDDCSendRawPacket(int32_t /*monitor*/, const uint8_t* /*data*/, uint32_t /*size*/) {
    return 0;
}

int32_t WrDDCSendVCPCommandBuffBuilt(int32_t /*monitor*/, const uint8_t* /*data*/, uint32_t /*size*/) {
    return 0;
}

int32_t WrEDIDGetMobileInfo(int32_t /*monitor*/, uint32_t /*code*/, char* text, uint32_t* size) {
    brevlink::ClearText(text, size);
    return 0;
}

int32_t WrCapsSaveString(int32_t /*monitor*/, const char* /*path*/) {
    return 0;
}

int32_t WrOSDevCoordinates(int32_t /*monitor*/, int32_t* left, int32_t* top, int32_t* right, int32_t* bottom) {
    Zero(left);
    Zero(top);
    Zero(right);
    Zero(bottom);
    return 0;
}

int32_t WrOSGetCurrentMonitorIndex(void) {
    return 0;
}

int32_t WrSelectDriver(const char* /*apiName*/) {
    return 0;
}

int32_t WrGammaSetRamp(int32_t /*monitor*/, const uint16_t* /*ramp*/, uint32_t /*count*/) {
    return 0;
}

int32_t WrDisplayWebPage(const char* /*url*/) {
    return 0;
}

int32_t WrZoneSetCoord(int32_t /*monitor*/,
                       uint32_t /*zone*/,
                       int32_t /*left*/,
                       int32_t /*top*/,
                       int32_t /*right*/,
                       int32_t /*bottom*/) {
    return 0;
}

int32_t WrZoneSendCommand(int32_t /*monitor*/, uint32_t /*zone*/, uint32_t /*code*/, uint32_t /*value*/) {
    return 0;
}

int32_t WrDDCSend(int32_t /*monitor*/, const uint8_t* /*data*/, uint32_t /*size*/) {
    return 0;
}

int32_t WrDDCRecv(int32_t /*monitor*/, uint8_t* /*data*/, uint32_t* size) {
    Zero(size);
    return 0;
}

int32_t WrDDCGetResponse(int32_t /*monitor*/, uint8_t* /*data*/, uint32_t* size) {
    Zero(size);
    return 0;
}

int32_t WrDDCSendNoCrc(int32_t /*monitor*/, const uint8_t* /*data*/, uint32_t /*size*/) {
    return 0;
}

int32_t WrDDCSendWithCrc(int32_t /*monitor*/, const uint8_t* /*data*/, uint32_t /*size*/) {
    return 0;
}

int32_t WrDDCSendNoStop(int32_t /*monitor*/, const uint8_t* /*data*/, uint32_t /*size*/) {
    return 0;
}

int32_t WrDDCSendByteRegister(int32_t /*monitor*/, uint32_t /*reg*/, uint32_t /*value*/) {
    return 0;
}

int32_t WrDDCSendWordRegister(int32_t /*monitor*/, uint32_t /*reg*/, uint32_t /*value*/) {
    return 0;
}

int32_t WrDDCReadByteRegister(int32_t /*monitor*/, uint32_t /*reg*/, uint32_t* value) {
    Zero(value);
    return 0;
}

int32_t WrDDCReadWordRegister(int32_t /*monitor*/, uint32_t /*reg*/, uint32_t* value) {
    Zero(value);
    return 0;
}

int32_t WrGetViewMode(uint32_t* mode) {
    Zero(mode);
    return 0;
}

int32_t WrSetViewClone(uint32_t /*enable*/) {
    return 0;
}

int32_t WrDDCGetRawPacket(int32_t /*monitor*/, uint8_t* /*data*/, uint32_t* size) {
    Zero(size);
    return 0;
}

int32_t WrBusStart(int32_t /*monitor*/) {
    return 0;
}

int32_t WrBusStop(int32_t /*monitor*/) {
    return 0;
}

int32_t WrGetAck(int32_t /*monitor*/) {
    return 0;
}

int32_t WrSendAck(int32_t /*monitor*/) {
    return 0;
}

int32_t WrSendNak(int32_t /*monitor*/) {
    return 0;
}

int32_t WrSendByte(int32_t /*monitor*/, uint32_t /*value*/) {
    return 0;
}

int32_t WrReadByte(int32_t /*monitor*/, uint32_t* value) {
    Zero(value);
    return 0;
}

int32_t WrDDCSetPort(int32_t /*monitor*/, uint32_t /*port*/) {
    return 0;
}

int32_t WrDDCSetAltDisplayMask(uint32_t /*mask*/) {
    return 0;
}

int32_t WrDDCUseAltDisplayMask(uint32_t /*use*/) {
    return 0;
}

int32_t WrDDCGetAltDisplayMask(uint32_t* mask) {
    Zero(mask);
    return 0;
}

}  // extern "C"
