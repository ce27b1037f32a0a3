#include "app/console/usage_text.h"

namespace kestrova::app::console {

const char kMainUsage[] =
    "Usage: kestrova <command> [options]\n"
    "\n"
    "Tests the DDC/CI and MCCS compliance of a monitor through the Brevlink library, walking the\n"
    "same wizard as the Kestrova window.\n"
    "\n"
    "Commands:\n"
    "  monitors             List the monitors, as the window's monitor list shows them\n"
    "  caps                 Show the capabilities summary of one monitor\n"
    "  groups               List the 21 VCP groups with their letters and codes\n"
    "  run                  Walk the wizard and run a test, saving the HTML report\n"
    "  project new PATH     Create a project file, with the project editor's checks\n"
    "  project show PATH    Show a project file and its checksum\n"
    "\n"
    "'kestrova <command> --help' tells the options of a command; 'kestrova --version' its version.\n"
    "\n"
    "Exit status: 0 every row passed (or the command did what it was asked), 1 a row failed,\n"
    "2 a usage or setup error (no wrapper library, no monitor, a bad project or answers file).\n"
    "\n"
    "Environment:\n"
    "  CommonProgramFiles      Linux: the common program files folder (default " KESTROVA_COMMON_FILES_DEFAULT
    ");\n"
    "                          the library is loaded from its \"Velmora Displays/Drivers\" folder.\n"
    "                          Windows asks the shell for the folder instead.\n"
    "  BREVLINK_BACKEND, BREVLINK_LAB_PROFILE\n"
    "                          Brevlink's back end: real monitors or a simulated lab profile\n"
    "  KESTROVA_VIRTUAL_CLOCK  Set to 1, settle times are counted instead of waited; for the\n"
    "                          simulated lab only (tests), never for a real monitor\n";

const char kVersionText[] = "kestrova " KESTROVA_VERSION "\n";

const char kMonitorsUsage[] =
    "Usage: kestrova monitors\n"
    "\n"
    "Lists the monitors the library finds, one a line, as the window's monitor list shows them\n"
    "(\"<manufacturer> - <model>\"). 'kestrova run --monitor N' tests the N-th line.\n";

const char kCapsUsage[] =
    "Usage: kestrova caps [--monitor N]\n"
    "\n"
    "Shows the capabilities summary of a monitor as the window logs it after the check-off step:\n"
    "the numbers of continuous and discrete commands and the capabilities string.\n"
    "\n"
    "  --monitor N    The N-th monitor of 'kestrova monitors' (default 1)\n";

const char kGroupsUsage[] =
    "Usage: kestrova groups\n"
    "\n"
    "Lists the 21 VCP groups with the letters the log gives them and their codes, for\n"
    "'kestrova run --groups' and '--codes'.\n";

const char kRunUsage[] =
    "Usage: kestrova run [options]\n"
    "\n"
    "Walks the wizard of the Kestrova window: Start, a project or No Project, the monitor, the\n"
    "check-off information, the VCP selection, the mode and Test, then saves the HTML report.\n"
    "Standard output gets the window's log lines, in the window's order; progress, boxes and\n"
    "questions go to standard error.\n"
    "\n"
    "Wizard:\n"
    "  --project FILE            Test with this project (its mode, codes and plug-ins);\n"
    "                            default: No Project\n"
    "  --monitor N               The N-th monitor of 'kestrova monitors' (default 1)\n"
    "  --mode automatic|manual   The Settings menu's mode (default manual, as the window starts);\n"
    "                            a project's test type wins and may not be contradicted\n"
    "\n"
    "Check-off information (defaults as in the window's dialog; longer texts are cut):\n"
    "  --user TEXT               default \"Velmora Displays\", up to 49 characters\n"
    "  --firmware-version TEXT   default the first monitor's firmware version, up to 19\n"
    "  --revision TEXT           default \"1.0\", up to 19\n"
    "  --firmware-date TEXT      default \"12/18/2007\", up to 19\n"
    "  --locking-code HEX        default \"FF\", up to 9\n"
    "\n"
    "Selection (not with --project; default: what the selection dialog ticks from the\n"
    "monitor's capabilities):\n"
    "  --groups LIST             Whole groups by letter, \"a,c,u\" (see 'kestrova groups'),\n"
    "                            \"all\" or \"none\"\n"
    "  --codes LIST              VCP codes, \"0x10,0x12\", each ticked in every group that lists\n"
    "                            it, with that group; or \"none\"\n"
    "\n"
    "Questions of the run (Redo/Yes/No, Yes/No, OK):\n"
    "  --answers FILE            Answers in order, one a line: yes, no, redo or ok ('#' starts\n"
    "                            a comment). An OK box takes an \"ok\" line only when one is next.\n"
    "  --answer yes|no           The same answer to every question\n"
    "  Without either, questions are asked on the terminal. A Manual run whose standard input\n"
    "  is no terminal is refused before anything is sent to the monitor; an Automatic run\n"
    "  answers No to a question it should not have asked, with a note on standard error.\n"
    "  When the answers run out or do not fit, the run stops, saves what it did and exits 2.\n"
    "\n"
    "Output:\n"
    "  --report PATH             The report file, or a folder (an existing one, or a path ending\n"
    "                            in \"/\", created when missing) for the proposed name\n"
    "                            \"VCP Check <manufacturer> <model>.html\". Default: that name in\n"
    "                            the current folder.\n"
    "  --junit PATH              Also write the results as JUnit XML, one test case per VCP row\n"
    "                            and plug-in row\n"
    "  --no-progress             No progress on standard error\n"
    "\n"
    "Exit status: 0 every row passed, 1 a row failed, 2 a usage or setup error (nothing\n"
    "selected to test is one).\n";

const char kProjectUsage[] =
    "Usage: kestrova project new PATH --title TEXT --key HH [options]\n"
    "       kestrova project show PATH\n"
    "\n"
    "'new' writes a project file (\".vmdProj\") after the project editor's checks and prints\n"
    "its checksum; PATH may be a folder (an existing one, or ending in \"/\") for the editor's\n"
    "proposed name \"VCP Project <title>.vmdProj\". 'show' prints a project file's fields and\n"
    "checksum.\n"
    "\n"
    "Options of 'new':\n"
    "  --title TEXT              The project title (required; up to 299 characters)\n"
    "  --key HH                  The application key, two hex digits other than FF (required)\n"
    "  --test-type automatic|manual|none   default automatic, as the editor opens\n"
    "  --level standard|none     default standard\n"
    "  --plugins LIST            Required plug-ins: vista, asset-management, theft-deterrence,\n"
    "                            zoning-pip, auto-pivot (each ticks its group, as the editor's\n"
    "                            check boxes do)\n"
    "  --groups LIST, --codes LIST\n"
    "                            The codes to test, as for 'kestrova run'; default: the two\n"
    "                            requirement groups (a and b), as the editor opens\n"
    "  --comments TEXT           default \"Edited <time> <date>: \", up to 1023 characters\n"
    "  --force                   Replace an existing file\n";

}  // namespace kestrova::app::console
