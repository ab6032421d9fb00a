// What the recogniser read from a page, before it becomes one text: items
// made of paragraphs, lines, words and characters, with boxes and
// confidences (0..100).
#pragma once

#include <string>
#include <vector>

#include "engines/palen/PalenPublicAPI.h"

namespace palen {

struct RecognisedCharacter {
  std::string text;  // UTF-8, usually one code point
  int confidence = 0;
  PalenRect box{};
};

struct RecognisedWord {
  std::vector<RecognisedCharacter> characters;
  int confidence = 0;
  PalenRect box{};
};

struct RecognisedLine {
  std::vector<RecognisedWord> words;
  PalenRect box{};
};

struct RecognisedParagraph {
  std::vector<RecognisedLine> lines;
};

struct RecognisedItem {
  int itemIndex = 0;  // position in the caller's item array
  PalenRect box{};    // the area that was read
  std::vector<RecognisedParagraph> paragraphs;
};

}  // namespace palen

namespace palen {

struct ScriptCount {
  int hangul = 0, latin = 0, characters = 0;
  bool MostlyKorean() const { return hangul > latin; }
};
ScriptCount CountScripts(const std::vector<RecognisedWord>& words);

// Lowest confidence of the words; 0 for none.
int LeastConfidence(const std::vector<RecognisedWord>& words);

// Removes words and lines not worth reading aloud, then what became empty.
// Lines read from drawings, rules and specks come out as a few short words
// Tesseract itself doubts; lines of text hold words it is sure of even when
// a few others in them are wrong. Outside text areas only confident words
// stay: there Tesseract mostly reads shapes as letters.
void DropUnreliableText(RecognisedItem& item, bool textArea);

}  // namespace palen
