// Conversions between Python 3 objects and what the native layer takes: texts that never fail to
// decode, and byte areas for the byte-pointer parameters.
#pragma once

#include <boost/python.hpp>

#include <cstddef>
#include <string>
#include <vector>

namespace kestrova::script {

// A host's or a table's text as a Python str. Bytes that are not UTF-8 become U+FFFD instead of
// raising in the middle of a script; null becomes "".
boost::python::object PythonText(const char* text);
boost::python::object PythonText(const std::string& text);

// A copy of `data` (bytes, bytearray, memoryview or any contiguous buffer; a str is taken as
// Latin-1, as Python 2 scripts passed byte strings) with zeros after it up to at least `minimum`
// bytes and at least one zero. Raises TypeError for anything else.
std::vector<unsigned char> PaddedBytes(const boost::python::object& data, size_t minimum);

// A writable contiguous buffer of a Python object (bytearray, memoryview), held while in scope.
class WritableBytes {
  public:
    explicit WritableBytes(const boost::python::object& data);
    ~WritableBytes();
    WritableBytes(const WritableBytes&) = delete;
    WritableBytes& operator=(const WritableBytes&) = delete;

    unsigned char* Data() const;
    size_t Size() const;

  private:
    Py_buffer view_{};
};

// `text` cut to at most `maximum` bytes without splitting a UTF-8 character.
std::string CutAtCharacter(const std::string& text, size_t maximum);

}  // namespace kestrova::script
