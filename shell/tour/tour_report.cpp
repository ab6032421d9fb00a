#include "shell/tour/tour_report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <algorithm>

namespace orvilo::shell::tour {

bool EveryStepOk(const std::vector<StepRecord>& steps) {
  return !steps.empty() && std::all_of(steps.begin(), steps.end(), [](const StepRecord& step) { return step.ok; });
}

bool WriteTourReport(const std::string& path, const std::string& started, const std::vector<StepRecord>& steps) {
  QJsonArray list;
  for (const StepRecord& step : steps) {
    QJsonObject entry;
    entry["name"] = QString::fromStdString(step.name);
    entry["start_ms"] = static_cast<qint64>(step.startMs);
    entry["duration_ms"] = static_cast<qint64>(step.durationMs);
    entry["outcome"] = step.ok ? "ok" : "failed";
    if (!step.ok) entry["reason"] = QString::fromStdString(step.reason.empty() ? "failed" : step.reason);
    if (!step.detail.empty()) entry["detail"] = QString::fromStdString(step.detail);
    QJsonArray artefacts;
    for (const std::string& name : step.artefacts) artefacts.append(QString::fromStdString(name));
    entry["artefacts"] = artefacts;
    list.append(entry);
  }
  QJsonObject report;
  report["started"] = QString::fromStdString(started);
  report["ok"] = EveryStepOk(steps);
  report["steps"] = list;
  QSaveFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(QJsonDocument(report).toJson(QJsonDocument::Indented));
  return file.commit();
}

}  // namespace orvilo::shell::tour
