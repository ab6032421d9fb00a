// Character error rate: edits (insertions, deletions, substitutions of
// code points) needed to turn the recognised text into the true one, per
// character of the true text. Both are compared in a normal form first:
// compatibility forms (ligatures, full-width letters) folded, typographic
// quotes and dashes made plain, runs of white space made one space; these
// differences do not change how a text is read aloud.
#pragma once

#include <QString>

namespace ocrbench {

QString ComparableText(const QString& text);

struct ErrorCount {
  long long edits = 0;
  long long characters = 0;
  double Rate() const { return characters > 0 ? static_cast<double>(edits) / characters : 0.0; }
  ErrorCount& operator+=(const ErrorCount& other) {
    edits += other.edits;
    characters += other.characters;
    return *this;
  }
};

ErrorCount CountErrors(const QString& recognised, const QString& truth);

}  // namespace ocrbench
