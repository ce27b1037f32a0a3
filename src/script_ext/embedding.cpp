// Running scripts inside the host: the module made importable, the interpreter started, output
// kept in the redirect ring, and a failing script's output handed to the host's log.
#include "script_ext/module_init.h"
#include "script_ext/script_interface.h"
#include "script_ext/stdio_redirect.h"

#include <boost/python.hpp>

#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace bp = boost::python;

extern "C" PyObject* PyInit_lm_embedded_python_ext();

namespace {

constexpr const char* kModuleName = "lm_embedded_python_ext";
constexpr const char* kRegistrationError = "could not register module __lm_embedded_python_ext__";

// Python 3 reads its table of built-in modules only while starting, and keeps the entries we
// append: one append, before Py_Initialize, is all it takes.
bool appendedToBuiltins = false;

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using ScriptFile = std::unique_ptr<FILE, FileCloser>;

// Null for anything that is not a readable regular file; a folder would open and then fail inside
// the parser with an error that is not the script's.
ScriptFile OpenScript(const std::string& path) {
    ScriptFile file(std::fopen(path.c_str(), "r"));
    struct stat status {};
    if (file != nullptr && (fstat(fileno(file.get()), &status) != 0 || !S_ISREG(status.st_mode))) {
        file.reset();
    }
    return file;
}

void StartInterpreter() {
    initlm_embedded_python_ext();
    if (!Py_IsInitialized()) {
        // No signal handlers: Ctrl-C stays the host's.
        Py_InitializeEx(0);
    }
}

// One class object for the life of the process: registering the class again would only make
// Boost.Python warn about its converters.
bp::object RedirectClass() {
    static PyObject* const redirectClass = [] {
        bp::object created = bp::class_<PythonStdIoRedirect>("PythonStdIoRedirect", bp::init<>())
                                 .def("write", &PythonStdIoRedirect::Write)
                                 .def("flush", &PythonStdIoRedirect::Flush);
        return bp::incref(created.ptr());
    }();
    return bp::object(bp::handle<>(bp::borrowed(redirectClass)));
}

void InstallRedirect(bp::object& mainNamespace) {
    bp::object redirectClass = RedirectClass();
    mainNamespace["PythonStdIoRedirect"] = redirectClass;
    bp::object sys = bp::import("sys");
    sys.attr("stderr") = redirectClass();
    sys.attr("stdout") = redirectClass();
}

// sys.exit() with no code or 0 is a script that chose to end early, not a failure.
bool PendingCleanExit() {
    if (PyErr_ExceptionMatches(PyExc_SystemExit) == 0) {
        return false;
    }
    PyObject* type = nullptr;
    PyObject* value = nullptr;
    PyObject* traceback = nullptr;
    PyErr_Fetch(&type, &value, &traceback);
    PyErr_NormalizeException(&type, &value, &traceback);
    PyObject* code = value != nullptr ? PyObject_GetAttrString(value, "code") : nullptr;
    PyErr_Clear();
    const bool clean = code == nullptr || code == Py_None || (PyLong_Check(code) && PyLong_AsLong(code) == 0);
    Py_XDECREF(code);
    if (clean) {
        Py_XDECREF(type);
        Py_XDECREF(value);
        Py_XDECREF(traceback);
        return true;
    }
    PyErr_Restore(type, value, traceback);
    return false;
}

// Prints the pending error through sys.stderr, hence into the ring, and clears it. The standard
// printer would end the whole host on SystemExit, so that one is only displayed.
void PrintPendingError() {
    if (PyErr_ExceptionMatches(PyExc_SystemExit) == 0) {
        PyErr_Print();
        return;
    }
    PyObject* type = nullptr;
    PyObject* value = nullptr;
    PyObject* traceback = nullptr;
    PyErr_Fetch(&type, &value, &traceback);
    PyErr_NormalizeException(&type, &value, &traceback);
    PyErr_Display(type, value, traceback);
    Py_XDECREF(type);
    Py_XDECREF(value);
    Py_XDECREF(traceback);
    PyErr_Clear();
}

bp::object& LastLineResult() {
    static bp::object* const result = new bp::object();
    return *result;
}

}  // namespace

// Python 3 imports the module through PyInit_lm_embedded_python_ext; this entry stays for hosts
// that register the module themselves. Before the interpreter starts it makes the module a
// built-in one; once it runs, it puts the module into sys.modules unless it is importable already.
extern "C" void initlm_embedded_python_ext() {
    if (!Py_IsInitialized()) {
        if (!appendedToBuiltins) {
            if (PyImport_AppendInittab(kModuleName, &PyInit_lm_embedded_python_ext) != 0) {
                throw std::runtime_error(kRegistrationError);
            }
            appendedToBuiltins = true;
        }
        return;
    }
    PyObject* modules = PyImport_GetModuleDict();
    if (appendedToBuiltins || PyDict_GetItemString(modules, kModuleName) != nullptr) {
        return;
    }
    PyObject* module = PyInit_lm_embedded_python_ext();
    const bool stored = module != nullptr && PyDict_SetItemString(modules, kModuleName, module) == 0;
    Py_XDECREF(module);
    if (!stored) {
        PyErr_Clear();
        throw std::runtime_error(kRegistrationError);
    }
}

bool ScriptInterface::run_python_script(const std::string& path,
                                        int /*count*/,
                                        const std::vector<std::string>& /*args*/) {
    StartInterpreter();
    ScriptFile file;
    try {
        bp::object mainNamespace = bp::import("__main__").attr("__dict__");
        if (redirectPending) {
            InstallRedirect(mainNamespace);
            redirectPending = false;
        }
        file = OpenScript(path);
        if (file == nullptr) {
            return false;
        }
        // The script may Release this very object: nothing of `this` is used from here on.
        PyObject* result = PyRun_FileExFlags(file.get(), path.c_str(), Py_file_input, mainNamespace.ptr(),
                                             mainNamespace.ptr(), 0, nullptr);
        if (result == nullptr) {
            bp::throw_error_already_set();
        }
        Py_DECREF(result);
        return true;
    } catch (...) {
        // A C++ exception becomes a Python error here, so it is reported like one and never left
        // pending for the host's next call.
        bp::handle_exception();
        if (PyErr_Occurred() == nullptr) {
            return false;
        }
        if (PendingCleanExit()) {
            return true;
        }
        PrintPendingError();
        const std::string output = kestrova::script::WithCrLfLineEnds(PythonStdIoRedirect::TakeOutput());
        LogToHost(output.c_str());
        return false;
    }
}

bool ScriptInterface::run_python_line(const std::string& line,
                                      int /*count*/,
                                      const std::vector<std::string>& /*args*/) {
    StartInterpreter();
    bp::object mainNamespace = bp::import("__main__").attr("__dict__");
    LastLineResult() = bp::exec(line.c_str(), mainNamespace, mainNamespace);
    return true;
}
