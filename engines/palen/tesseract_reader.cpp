#include "engines/palen/tesseract_reader.h"

#include <leptonica/allheaders.h>
#include <omp.h>
#include <tesseract/baseapi.h>
#include <tesseract/ocrclass.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engines/palen/leptonica_holders.h"
#include "engines/palen/page_layout.h"
#include "engines/palen/script.h"

namespace palen {
namespace {

using tesseract::PageIteratorLevel;
using tesseract::TessBaseAPI;

// White border read around an item, so letters touching its box keep their
// edges.
constexpr int kItemMargin = 8;
// Confidence from which the Korean model's second reading of a word is
// believed (its readings of real English words stay far below)...
constexpr int kConfidentKoreanReading = 60;
// ...and under which the first reading is noise anyway: then any mostly
// Korean second reading is better ("WULICh" 0 -> "생김니다." 0).
constexpr int kDoubtfulLatinWord = 30;
// Korean words from this confidence up are left alone: real numbers in
// them ("1969년에") come out at 90 and more, misread English far lower.
constexpr int kSureMixedWord = 90;
// Confidence from which the English model's reading of a run is believed.
constexpr int kConfidentEnglishReading = 70;
// Areas from this size on (pixels, shorter side) are analysed at half size.
constexpr int kLeastHalvedLayoutSide = 600;

// Debian's Tesseract is built with OpenMP and starts four threads for parts
// of every line; on two cores that makes a page four to five times slower.
// OMP_THREAD_LIMIT cannot help from here: libgomp reads it when it is
// loaded, which happens before any code of ours runs. What can be set at
// run time is max-active-levels, and libgomp keeps that per thread (a thread
// starts from the process default the first time it uses OpenMP): setting
// it once on the first caller's thread left every other thread reading with
// four. So the engine sets zero active levels, which runs every parallel
// region on the calling thread, on the thread that calls it, for as long as
// Tesseract runs, and gives the caller's own setting back afterwards.
class SingleThreadedTesseract {
 public:
  SingleThreadedTesseract() : callersLevels_(omp_get_max_active_levels()) { omp_set_max_active_levels(0); }
  ~SingleThreadedTesseract() { omp_set_max_active_levels(callersLevels_); }
  SingleThreadedTesseract(const SingleThreadedTesseract&) = delete;
  SingleThreadedTesseract& operator=(const SingleThreadedTesseract&) = delete;

 private:
  int callersLevels_;
};

std::unique_ptr<TessBaseAPI> StartTesseract(const std::string& dataFolder, const std::string& languages) {
  // Tesseract's warnings (resolution guesses, empty pages) are not errors
  // here. Figures on school pages are no tables: the table finder took a
  // framed figure and the paragraphs around it for one, and read them
  // column by column. (Set at start: the layout code reads it only then.)
  const std::vector<std::string> names = {"debug_file", "textord_tabfind_find_tables", "textord_skew_lag"};
  const std::vector<std::string> values = {"/dev/null", "0", "0.5"};
  auto api = std::make_unique<TessBaseAPI>();
  if (api->Init(dataFolder.c_str(), languages.c_str(), tesseract::OEM_LSTM_ONLY, nullptr, 0, &names, &values,
                false) != 0) {
    return nullptr;
  }
  return api;
}

int KindOf(tesseract::PolyBlockType type) {
  switch (type) {
    case tesseract::PT_FLOWING_TEXT:
    case tesseract::PT_HEADING_TEXT:
    case tesseract::PT_PULLOUT_TEXT:
    case tesseract::PT_CAPTION_TEXT:
    case tesseract::PT_EQUATION:
    case tesseract::PT_INLINE_EQUATION:
    case tesseract::PT_VERTICAL_TEXT:
      return PALEN_ITEM_TEXT;
    case tesseract::PT_TABLE:
      return PALEN_ITEM_TABLE;
    case tesseract::PT_FLOWING_IMAGE:
    case tesseract::PT_HEADING_IMAGE:
    case tesseract::PT_PULLOUT_IMAGE:
      return PALEN_ITEM_PICTURE;
    case tesseract::PT_HORZ_LINE:
    case tesseract::PT_VERT_LINE:
      return PALEN_ITEM_RULE;
    default:
      return PALEN_ITEM_UNKNOWN;
  }
}

tesseract::PageSegMode SegmentationFor(int kind) {
  switch (kind) {
    case PALEN_ITEM_TEXT:
      return tesseract::PSM_SINGLE_BLOCK;
    case PALEN_ITEM_COLUMN:
      return tesseract::PSM_SINGLE_COLUMN;
    default:
      return tesseract::PSM_AUTO;
  }
}

PalenRect BoxAt(const tesseract::PageIterator& iterator, PageIteratorLevel level) {
  PalenRect box{};
  iterator.BoundingBox(level, &box.left, &box.top, &box.right, &box.bottom);
  return box;
}

PalenRect Clip(const PalenRect& rect, int width, int height) {
  return PalenRect{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width),
                   std::min(rect.bottom, height)};
}

bool IsEmpty(const PalenRect& rect) { return rect.right <= rect.left || rect.bottom <= rect.top; }

// The item's box grown by `margin` on every side; callers' items may hold
// any numbers, so the sums are kept within int.
PalenRect Widened(const PalenLayoutItem& item, int margin) {
  const auto grow = [](std::int32_t value, std::int64_t by) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value + by, INT32_MIN, INT32_MAX));
  };
  return PalenRect{grow(item.left, -margin), grow(item.top, -margin), grow(item.right, margin),
                   grow(item.bottom, margin)};
}

// True when the area holds a few dark pixels at least (a full stop has more).
bool HasInk(Pix* grey, const PalenRect& area) {
  constexpr int kDark = 128;
  constexpr l_int32 kLeastInk = 16;
  BoxPtr box(boxCreate(area.left, area.top, area.right - area.left, area.bottom - area.top));
  PixPtr part(pixClipRectangle(grey, box.get(), nullptr));
  PixPtr ink(part ? pixThresholdToBinary(part.get(), kDark) : nullptr);
  l_int32 count = 0;
  return ink && pixCountPixels(ink.get(), &count, nullptr) == 0 && count >= kLeastInk;
}

// Progress of a whole read, fed by Tesseract's monitor while an item is read.
struct ProgressRelay {
  const PalenProgress* progress = nullptr;
  tesseract::ETEXT_DESC* monitor = nullptr;
  int position = 0;
  int total = 1;
  bool stopped = false;

  bool Report(int itemPercent) {
    if (progress == nullptr || progress->report == nullptr || stopped) return !stopped;
    const int percent = (position * 100 + std::clamp(itemPercent, 0, 100)) / total;
    stopped = progress->report(progress->context, percent) != 0;
    return !stopped;
  }
  static bool Cancel(void* relay, int /*words*/) {
    auto* self = static_cast<ProgressRelay*>(relay);
    return !self->Report(self->monitor->progress);
  }
};

// Tesseract's own text of a line knows where the spaces go (Korean models
// keep the page's spaces; their "words" are often single syllables), so
// words are made from it and the characters are matched into it in order.
class LineSpacing {
 public:
  explicit LineSpacing(std::string text) : text_(std::move(text)) {}
  // True when a space precedes `character` in the line's text.
  bool SpaceBefore(const std::string& character) {
    const std::size_t found = text_.find(character, position_);
    if (found == std::string::npos) return false;
    const bool space = text_.find(' ', position_) < found;
    position_ = found + character.size();
    return space;
  }

 private:
  std::string text_;
  std::size_t position_ = 0;
};

RecognisedItem Collect(TessBaseAPI& api, int itemIndex, const PalenRect& area) {
  RecognisedItem item;
  item.itemIndex = itemIndex;
  item.box = area;
  std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
  if (!it) return item;
  LineSpacing spacing{std::string()};
  it->Begin();
  do {
    if (it->Empty(tesseract::RIL_SYMBOL)) continue;
    std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_SYMBOL));
    if (!text || text[0] == '\0') continue;
    if (item.paragraphs.empty() || it->IsAtBeginningOf(tesseract::RIL_PARA)) item.paragraphs.emplace_back();
    RecognisedParagraph& paragraph = item.paragraphs.back();
    bool wordStarts = false;
    if (paragraph.lines.empty() || it->IsAtBeginningOf(tesseract::RIL_TEXTLINE)) {
      paragraph.lines.push_back(RecognisedLine{{}, BoxAt(*it, tesseract::RIL_TEXTLINE)});
      std::unique_ptr<char[]> line(it->GetUTF8Text(tesseract::RIL_TEXTLINE));
      spacing = LineSpacing(line ? line.get() : "");
      wordStarts = true;
    }
    RecognisedLine& line = paragraph.lines.back();
    wordStarts = spacing.SpaceBefore(text.get()) || wordStarts;
    const int tesseractWordConfidence = static_cast<int>(it->Confidence(tesseract::RIL_WORD) + 0.5f);
    const PalenRect box = BoxAt(*it, tesseract::RIL_SYMBOL);
    if (wordStarts) {
      line.words.push_back(RecognisedWord{{}, tesseractWordConfidence, box});
    }
    RecognisedWord& word = line.words.back();
    word.confidence = std::min(word.confidence, tesseractWordConfidence);
    word.box = PalenRect{std::min(word.box.left, box.left), std::min(word.box.top, box.top),
                         std::max(word.box.right, box.right), std::max(word.box.bottom, box.bottom)};
    word.characters.push_back(
        RecognisedCharacter{text.get(), static_cast<int>(it->Confidence(tesseract::RIL_SYMBOL) + 0.5f), box});
  } while (it->Next(tesseract::RIL_SYMBOL));
  return item;
}

}  // namespace

// The page a call reads, set into each Tesseract it uses (once), and taken
// out of all of them again when the call ends.
class PageSession {
 public:
  PageSession(Pix* grey, int dpi) : grey_(grey), dpi_(dpi) {}
  ~PageSession() {
    for (TessBaseAPI* api : used_) api->Clear();
  }
  PageSession(const PageSession&) = delete;
  PageSession& operator=(const PageSession&) = delete;

  TessBaseAPI& Use(TessBaseAPI& api) {
    if (std::find(used_.begin(), used_.end(), &api) == used_.end()) {
      api.SetImage(grey_);
      api.SetSourceResolution(dpi_);
      used_.push_back(&api);
    }
    return api;
  }
  int width() const { return pixGetWidth(grey_); }
  int height() const { return pixGetHeight(grey_); }

 private:
  Pix* grey_;
  int dpi_;
  std::vector<TessBaseAPI*> used_;
};

namespace {

// Recognises `area` of the session's page and collects what was read.
std::optional<RecognisedItem> ReadArea(PageSession& page, TessBaseAPI& api, tesseract::PageSegMode mode,
                                       const PalenRect& area, int itemIndex, tesseract::ETEXT_DESC* monitor) {
  if (IsEmpty(area)) return std::nullopt;
  page.Use(api);
  api.SetPageSegMode(mode);
  api.SetRectangle(area.left, area.top, area.right - area.left, area.bottom - area.top);
  if (api.Recognize(monitor) != 0) return std::nullopt;
  return Collect(api, itemIndex, area);
}

// The words of every line of a reading, in order; none for no reading.
std::vector<RecognisedWord> WordsOf(const std::optional<RecognisedItem>& read) {
  std::vector<RecognisedWord> words;
  if (!read) return words;
  for (const RecognisedParagraph& paragraph : read->paragraphs) {
    for (const RecognisedLine& line : paragraph.lines) words.insert(words.end(), line.words.begin(), line.words.end());
  }
  return words;
}

}  // namespace

TesseractReader::TesseractReader() = default;
TesseractReader::~TesseractReader() = default;

bool TesseractReader::Start(const std::string& dataFolder, const std::string& languages) {
  if (main_ && dataFolder == dataFolder_ && languages == languages_) return true;
  Stop();
  const SingleThreadedTesseract singleThreaded;
  main_ = StartTesseract(dataFolder, languages);
  if (!main_) return false;
  dataFolder_ = dataFolder;
  languages_ = languages;
  koreanWithEnglish_ = languages.find("kor") != std::string::npos && languages.find("eng") != std::string::npos;
  return true;
}

void TesseractReader::Stop() {
  main_.reset();
  englishOnly_ = SingleLanguageReader{};
  koreanOnly_ = SingleLanguageReader{};
  dataFolder_.clear();
  languages_.clear();
  koreanWithEnglish_ = false;
}

int TesseractReader::DefaultCharacterSet() const {
  const int latin = PALEN_CHARSET_DIGITS | PALEN_CHARSET_LATIN | PALEN_CHARSET_PUNCTUATION;
  const bool korean = languages_.find("kor") != std::string::npos;
  return korean ? latin | PALEN_CHARSET_HANGUL | PALEN_CHARSET_HANJA : latin;
}

TessBaseAPI* TesseractReader::ApiFor(int characterSet) {
  const bool wantsKorean = (characterSet & (PALEN_CHARSET_HANGUL | PALEN_CHARSET_HANJA)) != 0;
  TessBaseAPI* english = wantsKorean || !koreanWithEnglish_ ? nullptr : EnglishOnly();
  return english != nullptr ? english : main_.get();
}

TessBaseAPI* TesseractReader::SingleLanguage(SingleLanguageReader& reader, const char* language) {
  if (!reader.api && !reader.failed) {
    reader.api = StartTesseract(dataFolder_, language);
    reader.failed = !reader.api;
  }
  return reader.api.get();
}

TessBaseAPI* TesseractReader::EnglishOnly() { return SingleLanguage(englishOnly_, "eng"); }

TessBaseAPI* TesseractReader::KoreanOnly() { return SingleLanguage(koreanOnly_, "kor"); }

void TesseractReader::RereadLatinWordsOfKoreanLines(RecognisedItem& item, PageSession& page) {
  // A line of one or two words ("만듭니다." read as "YHC") has too little
  // Korean of its own to show: a mostly Korean item vouches for it.
  ScriptCount itemScripts;
  for (const RecognisedParagraph& paragraph : item.paragraphs) {
    for (const RecognisedLine& line : paragraph.lines) {
      const ScriptCount lineScripts = CountScripts(line.words);
      itemScripts.hangul += lineScripts.hangul;
      itemScripts.latin += lineScripts.latin;
    }
  }
  for (RecognisedParagraph& paragraph : item.paragraphs) {
    for (RecognisedLine& line : paragraph.lines) {
      if (itemScripts.MostlyKorean() || CountScripts(line.words).MostlyKorean()) RereadLatinWords(line, page);
    }
  }
}

void TesseractReader::RereadLatinWords(RecognisedLine& line, PageSession& page) {
  const int margin = std::max(4, (line.box.bottom - line.box.top) / 5);
  std::vector<RecognisedWord> words;
  for (std::size_t w = 0; w < line.words.size(); ++w) {
    const RecognisedWord& word = line.words[w];
    const ScriptCount scripts = CountScripts({word});
    TessBaseAPI* korean = scripts.latin > 0 && scripts.hangul == 0 ? KoreanOnly() : nullptr;
    if (korean == nullptr) {
      words.push_back(word);
      continue;
    }
    // Up to halfway to the neighbouring words, so none of their letters come along.
    const int left = w > 0 ? std::max(word.box.left - margin, (line.words[w - 1].box.right + word.box.left) / 2)
                           : word.box.left - margin;
    const int right = w + 1 < line.words.size()
                          ? std::min(word.box.right + margin, (word.box.right + line.words[w + 1].box.left) / 2)
                          : word.box.right + margin;
    const PalenRect area =
        Clip(PalenRect{left, line.box.top - margin, right, line.box.bottom + margin}, page.width(), page.height());
    const std::vector<RecognisedWord> reread =
        WordsOf(ReadArea(page, *korean, tesseract::PSM_SINGLE_LINE, area, 0, nullptr));
    const ScriptCount rereadScripts = CountScripts(reread);
    const bool koreanReading = rereadScripts.hangul > 0 && 2 * rereadScripts.hangul >= rereadScripts.characters;
    const bool believed =
        LeastConfidence(reread) >= kConfidentKoreanReading || word.confidence < kDoubtfulLatinWord;
    if (koreanReading && believed) {
      words.insert(words.end(), reread.begin(), reread.end());
    } else {
      words.push_back(word);
    }
  }
  line.words = std::move(words);
}

std::size_t TesseractReader::RereadRunWithEnglish(RecognisedWord& word, std::size_t start, std::size_t end,
                                                  const PalenRect& line, PageSession& page) {
  TessBaseAPI* english = EnglishOnly();
  if (english == nullptr) return end;
  std::vector<RecognisedCharacter>& characters = word.characters;
  const int margin = std::max(2, (line.bottom - line.top) / 10);
  // From halfway to the characters on either side.
  const int left = start > 0 ? (characters[start - 1].box.right + characters[start].box.left) / 2
                             : characters[start].box.left - margin;
  const int right = end < characters.size() ? (characters[end - 1].box.right + characters[end].box.left) / 2
                                            : characters[end - 1].box.right + margin;
  const PalenRect area =
      Clip(PalenRect{left, line.top - margin, right, line.bottom + margin}, page.width(), page.height());
  const std::vector<RecognisedWord> words =
      WordsOf(ReadArea(page, *english, tesseract::PSM_SINGLE_WORD, area, 0, nullptr));
  if (words.size() != 1 || CountScripts(words).hangul > 0 || LeastConfidence(words) < kConfidentEnglishReading) {
    return end;
  }
  const std::vector<RecognisedCharacter>& reading = words.front().characters;
  characters.erase(characters.begin() + static_cast<std::ptrdiff_t>(start),
                   characters.begin() + static_cast<std::ptrdiff_t>(end));
  characters.insert(characters.begin() + static_cast<std::ptrdiff_t>(start), reading.begin(), reading.end());
  return start + reading.size();
}

void TesseractReader::RereadDoubtfulWordsWithEnglish(RecognisedItem& item, PageSession& page) {
  for (RecognisedParagraph& paragraph : item.paragraphs) {
    for (RecognisedLine& line : paragraph.lines) {
      const bool englishLine = !CountScripts(line.words).MostlyKorean();
      for (RecognisedWord& word : line.words) {
        if (word.confidence >= kSureMixedWord) continue;
        std::vector<RecognisedCharacter>& characters = word.characters;
        const auto codeAt = [&](std::size_t i) { return FirstCodePoint(characters[i].text); };
        if (CountScripts({word}).hangul == 0) {
          // English word read as digits ("5011" for "soil") by the Korean model.
          const bool digits = std::any_of(characters.begin(), characters.end(),
                                          [](const RecognisedCharacter& c) { return IsDigit(FirstCodePoint(c.text)); });
          if (englishLine && digits && !characters.empty()) RereadRunWithEnglish(word, 0, characters.size(), line.box, page);
          continue;
        }
        // Runs between Hangul syllables ("0844" in "0844라는" for "DNA라는").
        for (std::size_t start = 0; start < characters.size();) {
          if (IsHangulSyllable(codeAt(start))) {
            ++start;
            continue;
          }
          std::size_t end = start;
          bool lettersOrDigits = false;
          for (; end < characters.size() && !IsHangulSyllable(codeAt(end)); ++end) {
            const char32_t c = codeAt(end);
            lettersOrDigits |= IsLatinLetter(c) || IsDigit(c) || IsHangul(c);
          }
          start = end - start >= 2 && lettersOrDigits ? RereadRunWithEnglish(word, start, end, line.box, page) : end;
        }
      }
    }
  }
}

std::vector<PalenLayoutItem> TesseractReader::AnalyseLayout(Pix* grey, int dpi, const PalenRect* region) {
  if (!main_ || grey == nullptr) return {};
  const SingleThreadedTesseract singleThreaded;
  const PalenRect area = region != nullptr ? Clip(*region, pixGetWidth(grey), pixGetHeight(grey))
                                           : PalenRect{0, 0, pixGetWidth(grey), pixGetHeight(grey)};
  if (IsEmpty(area)) return {};
  // Blocks are found as well at half the resolution, in a quarter of the time.
  const bool halved = std::min(area.right - area.left, area.bottom - area.top) >= kLeastHalvedLayoutSide;
  PixPtr halvedPage(halved ? pixScaleAreaMap2(grey) : nullptr);
  Pix* analysed = halvedPage ? halvedPage.get() : grey;
  const int factor = halvedPage ? 2 : 1;
  PageSession page(analysed, std::max(dpi / factor, 70));
  page.Use(*main_);
  main_->SetPageSegMode(tesseract::PSM_AUTO);
  main_->SetRectangle(area.left / factor, area.top / factor, (area.right - area.left) / factor,
                      (area.bottom - area.top) / factor);
  std::vector<PalenLayoutItem> blocks;
  std::unique_ptr<tesseract::PageIterator> it(main_->AnalyseLayout());
  if (it) {
    it->Begin();
    do {
      if (it->Empty(tesseract::RIL_BLOCK)) continue;
      PalenLayoutItem block{};
      const tesseract::PolyBlockType type = it->BlockType();
      block.kind = KindOf(type);
      block.characterSet = DefaultCharacterSet();
      block.recognise = HoldsText(block.kind) ? 1 : 0;
      const PalenRect box = BoxAt(*it, tesseract::RIL_BLOCK);
      const PalenRect onPage =
          Clip(PalenRect{box.left * factor, box.top * factor, box.right * factor, box.bottom * factor},
               pixGetWidth(grey), pixGetHeight(grey));
      block.left = onPage.left;
      block.top = onPage.top;
      block.right = onPage.right;
      block.bottom = onPage.bottom;
      block.order = static_cast<int>(blocks.size());
      // "Lines" of vertical text run down the page; SettleLayout counts them.
      if (type != tesseract::PT_VERTICAL_TEXT) {
        tesseract::PageIterator lines(*it);
        do {
          if (!lines.Empty(tesseract::RIL_TEXTLINE)) ++block.lineCount;
        } while (lines.Next(tesseract::RIL_TEXTLINE) && !lines.IsAtBeginningOf(tesseract::RIL_BLOCK));
      }
      blocks.push_back(block);
    } while (it->Next(tesseract::RIL_BLOCK));
  }
  const bool inkWithoutBlocks = blocks.empty() && HasInk(grey, area);
  return SettleLayout(std::move(blocks), area, DefaultCharacterSet(), inkWithoutBlocks);
}

std::vector<RecognisedItem> TesseractReader::Read(Pix* grey, int dpi, const std::vector<PalenLayoutItem>& items,
                                                  const ReadOptions& options) {
  std::vector<RecognisedItem> read;
  if (!main_ || grey == nullptr) return read;
  const SingleThreadedTesseract singleThreaded;
  PageSession page(grey, dpi);
  tesseract::ETEXT_DESC monitor;
  ProgressRelay relay{options.progress, &monitor, 0, std::max<int>(static_cast<int>(items.size()), 1), false};
  monitor.cancel = &ProgressRelay::Cancel;
  monitor.cancel_this = &relay;
  for (std::size_t index = 0; index < items.size(); ++index) {
    const PalenLayoutItem& item = items[index];
    relay.position = static_cast<int>(index);
    if (!relay.Report(0)) break;
    if (item.recognise != 1) continue;
    const PalenRect area = Clip(Widened(item, kItemMargin), page.width(), page.height());
    TessBaseAPI* api = ApiFor(item.characterSet);
    std::optional<RecognisedItem> result =
        ReadArea(page, *api, SegmentationFor(item.kind), area, static_cast<int>(index), &monitor);
    if (relay.stopped) break;
    if (!result) continue;
    if (api == main_.get() && koreanWithEnglish_) {
      RereadLatinWordsOfKoreanLines(*result, page);
      RereadDoubtfulWordsWithEnglish(*result, page);
    }
    DropUnreliableText(*result, HoldsText(item.kind));
    read.push_back(std::move(*result));
    if (options.itemDone != nullptr && options.itemDone(static_cast<int>(index)) != 0) break;
  }
  relay.position = relay.total;
  relay.Report(0);
  return read;
}

}  // namespace palen
