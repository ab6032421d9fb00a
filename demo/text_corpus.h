// Sentences of the kind school textbooks are made of, in English and
// Korean, written for this benchmark.
#pragma once

#include <QString>
#include <QStringList>

namespace orvilo::demo {

enum class Language { English, Korean };

const QStringList& Titles(Language language);
const QStringList& Sentences(Language language);
const QStringList& Captions(Language language);

}  // namespace orvilo::demo
