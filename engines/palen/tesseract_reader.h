// The engine's Tesseract: started for a set of languages, it analyses the
// layout of pages and reads their items. Not thread-safe; the engine calls
// it under its lock.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engines/palen/PalenPublicAPI.h"
#include "engines/palen/recognised_text.h"

struct Pix;
namespace tesseract {
class TessBaseAPI;
}

namespace palen {

class PageSession;

struct ReadOptions {
  const PalenProgress* progress = nullptr;
  int (*itemDone)(int itemIndex) = nullptr;  // nonzero stops
};

class TesseractReader {
 public:
  TesseractReader();
  ~TesseractReader();
  TesseractReader(const TesseractReader&) = delete;
  TesseractReader& operator=(const TesseractReader&) = delete;

  // Starts Tesseract's LSTM recogniser for `languages` ("kor+eng") with the
  // data in `dataFolder`; free when it already runs so. False (and stopped)
  // when Tesseract cannot start.
  bool Start(const std::string& dataFolder, const std::string& languages);
  void Stop();
  bool ready() const { return main_ != nullptr; }

  // Character-set mask matching the started languages.
  int DefaultCharacterSet() const;

  // Layout items of `grey` (an 8-bit picture of `dpi`) in reading order,
  // within `region` when given.
  std::vector<PalenLayoutItem> AnalyseLayout(Pix* grey, int dpi, const PalenRect* region);

  // Reads the items with recognise = 1, in their order.
  std::vector<RecognisedItem> Read(Pix* grey, int dpi, const std::vector<PalenLayoutItem>& items,
                                   const ReadOptions& options);

 private:
  // A Tesseract of one language, started when first needed (once: a failed
  // start is not tried again until the languages change).
  struct SingleLanguageReader {
    std::unique_ptr<tesseract::TessBaseAPI> api;
    bool failed = false;
  };
  tesseract::TessBaseAPI* SingleLanguage(SingleLanguageReader& reader, const char* language);
  tesseract::TessBaseAPI* EnglishOnly();
  tesseract::TessBaseAPI* KoreanOnly();
  tesseract::TessBaseAPI* ApiFor(int characterSet);

  // Korean words the mixed reading took for Latin letters ("SHS" for
  // "달력은"): in a line or item that is mostly Korean, each word of Latin letters is
  // read again with the Korean model alone, and that reading replaces it
  // when it is mostly Korean and confident. Real English words in Korean
  // lines ("DNA", "cm") come back from the Korean model as digits or doubtful
  // noise and stay as they were.
  void RereadLatinWordsOfKoreanLines(RecognisedItem& item, PageSession& page);
  void RereadLatinWords(RecognisedLine& line, PageSession& page);
  // English the Korean model won and read as digits: inside Korean words
  // ("0844라는" for "DNA라는") and as words of English lines ("5011" for
  // "soil"). In doubtful words, each run of characters between Hangul
  // syllables, and each English word with digits, is read again with the
  // English model alone and replaced when that reading is one confident
  // word. Real numbers ("1969년에", "24") read the same again.
  void RereadDoubtfulWordsWithEnglish(RecognisedItem& item, PageSession& page);
  // Rereads characters [start, end) of the word; returns where to go on.
  std::size_t RereadRunWithEnglish(RecognisedWord& word, std::size_t start, std::size_t end, const PalenRect& line,
                                   PageSession& page);

  std::string dataFolder_;
  std::string languages_;
  bool koreanWithEnglish_ = false;
  std::unique_ptr<tesseract::TessBaseAPI> main_;
  SingleLanguageReader englishOnly_;  // for items without Korean letters, and English rereadings
  SingleLanguageReader koreanOnly_;   // second reading of Latin words in Korean lines
};

}  // namespace palen
