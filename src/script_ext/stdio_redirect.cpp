#include "script_ext/stdio_redirect.h"

boost::circular_buffer<std::string> PythonStdIoRedirect::outputRing(PythonStdIoRedirect::kRingCapacity);

void PythonStdIoRedirect::Write(const std::string& text) {
    outputRing.push_back(text);
}

std::string PythonStdIoRedirect::TakeOutput() {
    std::string all;
    for (const std::string& entry : outputRing) {
        all += entry;
    }
    outputRing.clear();
    return all;
}

namespace kestrova::script {

std::string WithCrLfLineEnds(const std::string& text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16 + 2);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        result.append(text, start, end - start);
        result += "\r\n";
        start = end + 1;
    }
    return result;
}

}  // namespace kestrova::script
