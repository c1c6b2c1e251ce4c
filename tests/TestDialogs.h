/* A dialog of the tests' own, with one control of each kind the dialog base
   exchanges. Shared by the resource script and the C++ code. */
#ifndef NEB_TEST_DIALOGS_H
#define NEB_TEST_DIALOGS_H

#define IDD_TEST_EXCHANGE 900
#define IDC_TEST_TEXT 901
#define IDC_TEST_CHECK 902
#define IDC_TEST_RADIO_ONE 903
#define IDC_TEST_RADIO_TWO 904
#define IDC_TEST_RADIO_THREE 905
#define IDC_TEST_COMBO 906
#define IDC_TEST_LIST 907
#define IDC_TEST_HELP 1036

#endif
