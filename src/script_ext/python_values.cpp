#include "script_ext/python_values.h"

#include <cstring>

namespace bp = boost::python;

namespace kestrova::script {

namespace {

// Owns the result of a C API call, or raises the pending Python error.
bp::object Owned(PyObject* object) {
    if (object == nullptr) {
        bp::throw_error_already_set();
    }
    return bp::object(bp::handle<>(object));
}

std::vector<unsigned char> Padded(const char* data, size_t size, size_t minimum) {
    std::vector<unsigned char> bytes(size + 1 > minimum ? size + 1 : minimum, 0);
    if (size > 0) {
        std::memcpy(bytes.data(), data, size);
    }
    return bytes;
}

}  // namespace

bp::object PythonText(const char* text) {
    if (text == nullptr) {
        text = "";
    }
    return Owned(PyUnicode_DecodeUTF8(text, static_cast<Py_ssize_t>(std::strlen(text)), "replace"));
}

bp::object PythonText(const std::string& text) {
    return Owned(PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace"));
}

std::vector<unsigned char> PaddedBytes(const bp::object& data, size_t minimum) {
    PyObject* object = data.ptr();
    if (PyUnicode_Check(object)) {
        bp::object latin1 = Owned(PyUnicode_AsLatin1String(object));
        return Padded(PyBytes_AS_STRING(latin1.ptr()), static_cast<size_t>(PyBytes_GET_SIZE(latin1.ptr())), minimum);
    }
    Py_buffer view{};
    if (PyObject_GetBuffer(object, &view, PyBUF_SIMPLE) != 0) {
        bp::throw_error_already_set();
    }
    std::vector<unsigned char> bytes =
        Padded(static_cast<const char*>(view.buf), static_cast<size_t>(view.len), minimum);
    PyBuffer_Release(&view);
    return bytes;
}

WritableBytes::WritableBytes(const bp::object& data) {
    if (PyObject_GetBuffer(data.ptr(), &view_, PyBUF_WRITABLE) != 0) {
        bp::throw_error_already_set();
    }
}

WritableBytes::~WritableBytes() {
    PyBuffer_Release(&view_);
}

unsigned char* WritableBytes::Data() const {
    return static_cast<unsigned char*>(view_.buf);
}

size_t WritableBytes::Size() const {
    return static_cast<size_t>(view_.len);
}

std::string CutAtCharacter(const std::string& text, size_t maximum) {
    if (text.size() <= maximum) {
        return text;
    }
    size_t length = maximum;
    // Back up over continuation bytes (10xxxxxx) to the start of the character that does not fit.
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        --length;
    }
    return text.substr(0, length);
}

}  // namespace kestrova::script
