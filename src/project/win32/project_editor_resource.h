// Template and control ids of the project editor (dialog 136), shared by the program's resource
// script and the editor's dialog procedure. The resource compiler reads this file too, so it holds
// plain #defines only.
#pragma once

#define IDD_PROJECT_EDITOR 136

#define IDC_PROJECT_ADDITIONAL_TESTS 1006
#define IDC_PROJECT_ASSET_MANAGEMENT 1021
#define IDC_PROJECT_THEFT_DETERRENCE 1022
#define IDC_PROJECT_ZONING_PIP 1023
#define IDC_PROJECT_TITLE 1024
#define IDC_PROJECT_TEST_TYPE 1025
#define IDC_PROJECT_LEVEL 1026
#define IDC_PROJECT_AUTO_PIVOT 1027
#define IDC_PROJECT_VISTA 1029
#define IDC_PROJECT_VCP_TREE 1030
#define IDC_PROJECT_APPLICATION_KEY 1031
#define IDC_PROJECT_COMMENTS 1032
#define IDC_PROJECT_ANALOG_PREVIEW 1033
#define IDC_PROJECT_DIGITAL_PREVIEW 1034
#define IDC_PROJECT_CHECKSUM 1036

// The editor's labels and its group box, which need no id of their own
#define IDC_PROJECT_LABEL -1
