// The speech editor's error log: a text file beside the program, one line
// per failure, appended (never rewritten), so a teacher's report can come
// with the log.
#pragma once

#include <string>

#include "platform/sys/local_time.h"

namespace orvilo::speechutil {

// "[E][hh:mm:ss:mmm] : [message]\r\n", the message cut to 4000 bytes.
std::string FormatLogLine(char level, const sys::LocalTime& time, const std::string& message);

// The log of a program file: its extension replaced by "txt"
// ("x/Sonara_PC_App_M.exe" -> "x/Sonara_PC_App_M.txt"), or ".txt" added to a
// name without one.
std::string LogPathForProgram(const std::string& programPath);

// Appends one "E" line at the local time; false when the file cannot be
// opened or written (the failure being logged is not made worse).
bool AppendErrorLog(const std::string& logPath, const std::string& message);

}  // namespace orvilo::speechutil
