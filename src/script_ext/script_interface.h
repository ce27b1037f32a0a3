// The one object through which scripts and the table wrappers reach the host: monitor commands,
// message boxes and the log. Every operation calls the matching host export (host_exports.h),
// looked up afresh each time. A missing export is never an error: sends are skipped, text reads
// answer "communication error", queries answer 0, table reads leave their reply as it was.
#pragma once

#include "script_ext/struct_types.h"

#include <cstdint>
#include <string>
#include <vector>

class ScriptInterface {
  public:
    // The singleton, created on first use. References do not keep it alive across Release.
    static ScriptInterface& Instance();
    // Destroys the singleton; the next Instance builds a fresh one (with the redirect pending).
    void Release();
    // Whether `object` is the live singleton (references kept across Release are not).
    static bool IsInstance(const ScriptInterface* object);

    ScriptInterface(const ScriptInterface&) = default;
    ScriptInterface& operator=(const ScriptInterface&) = default;
    ~ScriptInterface() = default;

    // Null texts are taken as empty ones.
    void WriteCommand(const char* command, const char* data);
    void SendCommand(const char* command);
    void SendCommandNoCrc(const char* command);
    void SendCommandBytesNoCrc(unsigned char* bytes);
    // ReadCommand, ReadWithStop and ReadRangeCommand share one reply text: the pointer they return
    // stays valid only until the next of these calls.
    const char* ReadCommand(const char* command);
    const char* ReadWithStop(const char* command, int stop);
    const char* ReceiveCommand(const char* command, int count);
    void ReadBytesWithStop(unsigned char* request, unsigned char* reply, int count);
    void TableWriteCommand(const char* code, const char* offset, const char* count, const char* data);
    const char* TableReadCommand(const char* code, const char* offset, const char* count);

    // Table transfers of the wrappers: the result is the host's reply, or `buffer` when the host
    // lacks the export; a failed transfer leaves "ERROR" and its NUL at the start of `buffer`.
    unsigned char* TableWriteCommandStruct(const char* code,
                                           uint16_t offset,
                                           unsigned char* buffer,
                                           struct_types type,
                                           bool flag);
    unsigned char* TableReadCommandStruct(const char* code,
                                          uint16_t offset,
                                          unsigned char* buffer,
                                          struct_types type,
                                          bool flag);
    unsigned char* TableWriteCommandLargeStruct(const char* code,
                                                uint16_t offset,
                                                unsigned char* buffer,
                                                int count,
                                                int segmentSize,
                                                struct_types type,
                                                bool flag);
    unsigned char* TableReadCommandLargeStruct(const char* code,
                                               uint16_t offset,
                                               unsigned char* buffer,
                                               int count,
                                               int segmentSize,
                                               struct_types type,
                                               bool flag);

    const char* ReadRangeCommand(const char* command);
    const char* GetRangeMinVal() const { return rangeMinText.c_str(); }
    const char* GetRangeMaxVal() const { return rangeMaxText.c_str(); }
    const char* GetCurrentVal() const { return currentValText.c_str(); }

    bool SetDDCPort(bool port);
    void Delay(int milliseconds);

    void DisplayMessageBox(const char* caption, const char* text);
    int QueryMessageBox(const char* caption, const char* text);
    int32_t QueryForIntMsgBox(const char* caption, const char* text);
    int QueryForHexMsgBox(const char* caption, const char* text);
    void QueryForCmdMsgBox(const char* caption, const char* text, const char* command);
    void LogMessage(const char* text);

    void SetAltDisplayMask(uint32_t mask);
    uint32_t GetAltDisplayMask();
    void UseAltDisplayMask(int use);

    // Run a script file, or one piece of source, in the interpreter's __main__ namespace; the
    // count and the vector are accepted for the host's sake and not used. See embedding.cpp.
    bool run_python_script(const std::string& path, int count, const std::vector<std::string>& args);
    bool run_python_line(const std::string& line, int count, const std::vector<std::string>& args);

  private:
    ScriptInterface() = default;

    // One entry in the host's log; needs no object, so a run can still log after a script released
    // the singleton.
    static void LogToHost(const char* text);

    int rangeMin = 0;
    int rangeMax = 0;
    int currentVal = 0;
    std::string rangeMinText;
    std::string rangeMaxText;
    std::string currentValText;
    std::string tableReadReply;
    std::string receiveReply;
    bool redirectPending = true;
    std::string receiveBytes;

    static ScriptInterface* instance;
};
