#include "platform/sys/program_launch.h"

#include <QProcess>
#include <QStringList>

namespace orvilo::sys {

LaunchResult StartDetachedProgram(const std::string& program, const std::vector<std::string>& arguments) {
  QStringList list;
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  qint64 pid = 0;
  LaunchResult result;
  result.started = QProcess::startDetached(QString::fromStdString(program), list, QString(), &pid);
  if (result.started) result.processId = pid;
  return result;
}

}  // namespace orvilo::sys
