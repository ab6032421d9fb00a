#include "engines/palen/text_composer.h"

#include "engines/palen/script.h"
#include "platform/text/unicode.h"

namespace palen {
namespace {

// Confidence of the spaces and line breaks the composer puts in.
constexpr int kSeparatorConfidence = 100;

bool IsLowerAsciiLetter(const std::string& text) { return text.size() == 1 && text[0] >= 'a' && text[0] <= 'z'; }

// "exam-" at the end of a line followed by "ple": a word the typesetter broke.
bool ContinuesBrokenWord(const RecognisedLine& line, const RecognisedLine& next) {
  const std::vector<RecognisedCharacter>& last = line.words.back().characters;
  if (last.size() < 2 || last.back().text != "-" || !IsLowerAsciiLetter(last[last.size() - 2].text)) return false;
  const std::string& first = next.words.front().characters.front().text;
  return !first.empty() && IsLowerAsciiLetter(first.substr(0, 1));
}

class Composer {
 public:
  explicit Composer(ComposedText& out) : out_(out) {}

  void Separator(const char* text) { Append(text, kSeparatorConfidence); }

  void Character(const RecognisedCharacter& character, int flags, int item, int line, int word) {
    const std::size_t offset = out_.units.size();
    Append(character.text, character.confidence);
    PalenCharRect rect{};
    rect.left = character.box.left;
    rect.top = character.box.top;
    rect.right = character.box.right;
    rect.bottom = character.box.bottom;
    rect.codePoint = FirstCodePoint(character.text);
    rect.confidence = character.confidence;
    rect.item = item;
    rect.line = line;
    rect.word = word;
    rect.textOffset = static_cast<std::int32_t>(offset);
    rect.textLength = static_cast<std::int32_t>(out_.units.size() - offset);
    rect.flags = flags;
    out_.characters.push_back(rect);
  }

 private:
  void Append(const std::string& utf8, int confidence) {
    out_.utf8 += utf8;
    const std::u16string units = orvilo::text::Utf8ToUtf16(utf8);
    out_.units += units;
    out_.unitConfidence.insert(out_.unitConfidence.end(), units.size(), static_cast<std::uint16_t>(confidence));
  }

  ComposedText& out_;
};

}  // namespace

ComposedText ComposeText(const std::vector<RecognisedItem>& items, bool keepLines) {
  ComposedText text;
  Composer composer(text);
  text.itemTexts.reserve(items.size());
  int lineIndex = 0;
  int wordIndex = 0;
  bool firstParagraph = true;
  for (const RecognisedItem& item : items) {
    // An item's own text is its part of the whole text, without the
    // separator in front of it.
    std::size_t itemStart = std::string::npos;
    int flags = PALEN_CHAR_ITEM_START;
    for (const RecognisedParagraph& paragraph : item.paragraphs) {
      if (!firstParagraph) composer.Separator(keepLines ? "\n\n" : "\n");
      firstParagraph = false;
      if (itemStart == std::string::npos) itemStart = text.utf8.size();
      bool joinsBrokenWord = false;
      for (std::size_t l = 0; l < paragraph.lines.size(); ++l, ++lineIndex) {
        const RecognisedLine& line = paragraph.lines[l];
        if (l > 0 && !joinsBrokenWord) composer.Separator(keepLines ? "\n" : " ");
        const bool continuation = joinsBrokenWord;
        joinsBrokenWord = !keepLines && l + 1 < paragraph.lines.size() && ContinuesBrokenWord(line, paragraph.lines[l + 1]);
        flags |= PALEN_CHAR_LINE_START;
        for (std::size_t w = 0; w < line.words.size(); ++w, ++wordIndex) {
          if (w > 0) composer.Separator(" ");
          if (w > 0 || !continuation) flags |= PALEN_CHAR_WORD_START;
          const std::vector<RecognisedCharacter>& characters = line.words[w].characters;
          const bool dropsHyphen = joinsBrokenWord && w + 1 == line.words.size();
          const std::size_t shown = characters.size() - (dropsHyphen ? 1 : 0);
          for (std::size_t c = 0; c < shown; ++c) {
            composer.Character(characters[c], flags, item.itemIndex, lineIndex, wordIndex);
            flags = 0;
          }
        }
      }
    }
    text.itemTexts.push_back(itemStart == std::string::npos ? std::string() : text.utf8.substr(itemStart));
  }
  return text;
}

}  // namespace palen
