#pragma once

// Numeric ids of the program's resources: dialogs, strings, icons, controls, commands.
namespace korvel::res {

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDD_TIMEHISTORY_DIALOG = 102;
inline constexpr int IDR_MAINFRAME = 128;

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDC_STATIC = -1;

inline constexpr int IDC_AMPLITUDE = 1000;
inline constexpr int IDC_DELAY = 1001;
inline constexpr int IDC_HALF_SINES = 1002;
inline constexpr int IDC_DURATION = 1003;
inline constexpr int IDC_FREQUENCY = 1004;
inline constexpr int IDC_SAMPLES_PER_SECOND = 1005;

inline constexpr int IDM_ABOUTBOX = 0x0010;

}  // namespace korvel::res
