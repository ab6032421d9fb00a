// The wall-clock time of the user's time zone, split into fields as the
// program's file names and log lines need them.
#pragma once

namespace orvilo::sys {

struct LocalTime {
  int year;
  int month;        // 1..12
  int day;          // 1..31
  int dayOfWeek;    // 0 = Sunday
  int hour;
  int minute;
  int second;
  int millisecond;
};

LocalTime GetLocalTime();

}  // namespace orvilo::sys
