#include "speechutil/error_log.h"

#include <cstdio>

#include "platform/text/unicode.h"

namespace orvilo::speechutil {

std::string FormatLogLine(char level, const sys::LocalTime& time, const std::string& message) {
  char prefix[48];
  std::snprintf(prefix, sizeof prefix, "[%c][%02d:%02d:%02d:%03d] : [", level, time.hour, time.minute, time.second,
                time.millisecond);
  return prefix + message.substr(0, text::Utf8PrefixLength(message, 4000)) + "]\r\n";
}

std::string LogPathForProgram(const std::string& programPath) {
  const std::size_t slash = programPath.find_last_of('/');
  const std::size_t dot = programPath.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash + 1)) {
    return programPath.substr(0, dot) + ".txt";
  }
  return programPath + ".txt";
}

bool AppendErrorLog(const std::string& logPath, const std::string& message) {
  std::FILE* file = std::fopen(logPath.c_str(), "ab");
  if (file == nullptr) return false;
  const std::string line = FormatLogLine('E', sys::GetLocalTime(), message);
  const bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace orvilo::speechutil
