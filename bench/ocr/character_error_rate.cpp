#include "character_error_rate.h"

#include <QList>
#include <algorithm>
#include <vector>

namespace ocrbench {

QString ComparableText(const QString& text) {
  QString plain = text.normalized(QString::NormalizationForm_KC);
  for (QChar& c : plain) {
    switch (c.unicode()) {
      case 0x2018: case 0x2019: case 0x201A: case 0x2032:
        c = QLatin1Char('\'');
        break;
      case 0x201C: case 0x201D: case 0x201E: case 0x2033:
        c = QLatin1Char('"');
        break;
      case 0x2010: case 0x2011: case 0x2012: case 0x2013: case 0x2014: case 0x2212:
        c = QLatin1Char('-');
        break;
      default:
        break;
    }
  }
  return plain.simplified();
}

ErrorCount CountErrors(const QString& recognised, const QString& truth) {
  const QList<uint> a = ComparableText(recognised).toUcs4();
  const QList<uint> b = ComparableText(truth).toUcs4();
  // Levenshtein distance, one row at a time.
  std::vector<long long> previous(b.size() + 1), current(b.size() + 1);
  for (qsizetype j = 0; j <= b.size(); ++j) previous[j] = j;
  for (qsizetype i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (qsizetype j = 1; j <= b.size(); ++j) {
      const long long substitution = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution});
    }
    std::swap(previous, current);
  }
  return ErrorCount{previous[b.size()], b.size()};
}

}  // namespace ocrbench
