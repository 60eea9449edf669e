// Resource ids of Configurator.exe, shared by the resource script and the program.
#pragma once

// Dialog templates
#define IDD_CONFIGURATOR            102
#define IDD_INPUT_EDITOR            129
#define IDD_INPUT_TAB               131

// Icons
#define IDI_CONFIGURATOR            128
#define IDI_EMBLEM                  132

// Main dialog (template 102); OK and Cancel are IDOK (1) and IDCANCEL (2)
#define IDC_PRESET_COMBO            1007
#define IDC_PRESET_LABEL            1008
#define IDC_TEXT_LABEL              1009
#define IDC_TEXT_COMBO              1010
#define IDC_VOICE_LABEL             1011
#define IDC_RESOLUTION_COMBO        1012
#define IDC_VOICE_COMBO             1013
#define IDC_RESOLUTION_LABEL        1014
#define IDC_CUSTOM_CHECK            1015
#define IDC_PICTURE                 1016
#define IDC_KEYBOARD_LABEL          1017
#define IDC_KEYBOARD_COMBO          1018
#define IDC_FULLSCREEN_LABEL        1019
#define IDC_FULLSCREEN_COMBO        1020
#define IDC_AUTODETECT              1021
#define IDC_INPUT_SETTINGS          1022

// Rendering rows of the main dialog, created at run time: row i has label 20 + i and
// combo 0x5000 + i
#define IDC_RENDERING_LABEL_FIRST   20
#define IDC_RENDERING_COMBO_FIRST   0x5000

// Input editor (template 129)
#define IDC_INPUT_TABS              1080

// Input editor page (template 131): group boxes, reset button, one label and one edit per
// bindable action
#define IDC_RESET_DEFAULT           1095
#define IDC_GROUP_MOVEMENT          1096
#define IDC_GROUP_COMBAT            1097
#define IDC_GROUP_GAMEPLAY          1098
#define IDC_LABEL_MOVEFORWARD      1087
#define IDC_EDIT_MOVEFORWARD       1088
#define IDC_LABEL_MOVEBACKWARD     1089
#define IDC_EDIT_MOVEBACKWARD      1090
#define IDC_LABEL_MOVELEFT         1091
#define IDC_EDIT_MOVELEFT          1092
#define IDC_LABEL_MOVERIGHT        1093
#define IDC_EDIT_MOVERIGHT         1094
#define IDC_LABEL_WALKFLAG         1032
#define IDC_EDIT_WALKFLAG          1061
#define IDC_LABEL_WALKSWITCH       1041
#define IDC_EDIT_WALKSWITCH        1065
#define IDC_LABEL_ATTACKFAST       1023
#define IDC_EDIT_ATTACKFAST        1052
#define IDC_LABEL_ATTACKSTRONG     1024
#define IDC_EDIT_ATTACKSTRONG      1053
#define IDC_LABEL_ACCEPTEVADE      1045
#define IDC_EDIT_ACCEPTEVADE       1069
#define IDC_LABEL_BLOCK            1031
#define IDC_EDIT_BLOCK             1060
#define IDC_LABEL_LOCKTARGET       1030
#define IDC_EDIT_LOCKTARGET        1059
#define IDC_LABEL_USEITEM          1044
#define IDC_EDIT_USEITEM           1068
#define IDC_LABEL_USEABILITY       1043
#define IDC_EDIT_USEABILITY        1067
#define IDC_LABEL_ADRENALINE       1047
#define IDC_EDIT_ADRENALINE        1071
#define IDC_LABEL_MEDALLION        1048
#define IDC_EDIT_MEDALLION         1072
#define IDC_LABEL_HOLSTER          1025
#define IDC_EDIT_HOLSTER           1054
#define IDC_LABEL_STEEL            1026
#define IDC_EDIT_STEEL             1055
#define IDC_LABEL_SILVER           1027
#define IDC_EDIT_SILVER            1056
#define IDC_LABEL_NEXTSIGN         1028
#define IDC_EDIT_NEXTSIGN          1057
#define IDC_LABEL_NEXTITEM         1029
#define IDC_EDIT_NEXTITEM          1058
#define IDC_LABEL_CASTBREL         1081
#define IDC_EDIT_CASTBREL          1082
#define IDC_LABEL_CASTKOVAS        1083
#define IDC_EDIT_CASTKOVAS         1084
#define IDC_LABEL_CASTSORRA        1085
#define IDC_EDIT_CASTSORRA         1086
#define IDC_LABEL_CASTDULT         1049
#define IDC_EDIT_CASTDULT          1078
#define IDC_LABEL_CASTMURO         1050
#define IDC_EDIT_CASTMURO          1079
#define IDC_LABEL_FASTMENU         1040
#define IDC_EDIT_FASTMENU          1063
#define IDC_LABEL_CIRCLEOFPOWER    1037
#define IDC_EDIT_CIRCLEOFPOWER     1077
