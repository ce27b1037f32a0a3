// The module's registration entry for hosts that register it themselves. Before the interpreter
// starts it adds lm_embedded_python_ext to the built-in modules; while the interpreter runs it
// puts the module into sys.modules unless it is importable already. Throws std::runtime_error
// "could not register module __lm_embedded_python_ext__" when neither works.
#pragma once

extern "C" void initlm_embedded_python_ext();
