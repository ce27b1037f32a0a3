// kestrova (kestrova-cli.exe on Windows): the command-line front of the tester.
#include <string>
#include <vector>

#include "app/console/console_main.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return kestrova::app::console::ConsoleMain(args);
}
