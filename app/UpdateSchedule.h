#pragma once
// When the automatic check for a newer version runs: at most once per period of days
// ("Options\SoftwareUpdate"/"bCheckPeriod", default 30), counted from "LastCheckDate".
class TimerHost;

inline constexpr int kUpdateCheckTimer = 1002;
inline constexpr int kUpdateCheckDelayMs = 90000;

// Arms the frame's timer 1002 and records the date when the period has expired (or no
// check was ever scheduled); returns 1 then, 0 when the period has not expired.
int ScheduleUpdateCheck(TimerHost& frame);
