// Accuracy and speed of page recognition on camera pictures of textbook
// pages, against plain Tesseract on the same pictures in the same run.
//
// Each page is drawn (textbook_page), shot (camera_effects: tilt, uneven
// light, blur, noise) and stored as a JPEG of quality 80. Then:
//  - ours: the main program's sequence through LEXIQ: load, straighten,
//    binarise, then recognise the whole page (what an unmarked page gets)
//    and one marked paragraph;
//  - plain: Tesseract as its command line runs it (kor+eng, automatic page
//    segmentation) on the same unprocessed JPEG, for the whole page and for
//    the same marked rectangle.
// Both run single-threaded (the engine's setting; the command line with
// OMP_THREAD_LIMIT=1). Times are wall-clock per page, engines already
// started; the reference's agreement with the real command line is checked
// on the first page of each language.
#include <leptonica/allheaders.h>
#include <omp.h>
#include <tesseract/baseapi.h>

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "demo/camera_effects.h"
#include "character_error_rate.h"
#include "engines/palen/leptonica_holders.h"
#include "ocr/LEXIQ.h"
#include "platform/sys/system_string.h"
#include "demo/textbook_page.h"

namespace {

using namespace ocrbench;
using namespace orvilo::demo;
using Clock = std::chrono::steady_clock;

constexpr const char* kTessdata = "/usr/share/tesseract-ocr/5/tessdata";
constexpr const char* kLanguages = "kor+eng";
constexpr int kJpegQuality = 80;
constexpr int kMarkMargin = 24;  // pixels a teacher leaves around a marked paragraph

double Seconds(Clock::time_point from, Clock::time_point to) { return std::chrono::duration<double>(to - from).count(); }

QString TakeWide(VxSysString text) {
  const std::string utf8 = orvilo::sys::SysStringToUtf8(text);
  VxSysFreeString(text);
  return QString::fromStdString(utf8);
}

struct PagePlan {
  PageLayoutChoice page;
  CameraConditions camera;
  QString fontName;
};

PagePlan PlanPage(int index) {
  std::mt19937 random(1000 + index);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  PagePlan plan;
  plan.page.language = index % 2 == 0 ? Language::English : Language::Korean;
  static const char* kEnglishFonts[] = {"Liberation Serif", "Liberation Sans"};
  static const char* kKoreanFonts[] = {"NanumMyeongjo", "NanumGothic", "NanumBarunGothic"};
  plan.fontName = plan.page.language == Language::English ? kEnglishFonts[(index / 2) % 2] : kKoreanFonts[(index / 2) % 3];
  plan.page.bodyFont = plan.fontName;
  plan.page.bodyPixelSize = 34 + static_cast<int>(unit(random) * 7);
  plan.page.figure = (index / 2) % 2 == 1;
  plan.page.seed = 7 + index;
  plan.camera.tiltDegrees = (unit(random) * 3.0) * (unit(random) < 0.5 ? -1 : 1);
  plan.camera.darkestLight = 0.55 + unit(random) * 0.25;
  plan.camera.lightAngle = unit(random) * 6.2832;
  plan.camera.shadow = index % 3 == 1;
  plan.camera.blurSigma = 0.7 + unit(random) * 0.3;
  plan.camera.noiseSigma = 4.0 + unit(random) * 3.0;
  plan.camera.seed = 99 + index;
  return plan;
}

struct Outcome {
  QString wholeText, markedText;
  ErrorCount whole, marked;
  double seconds = 0, markedSeconds = 0;
};

Outcome Scored(const QString& whole, const QString& marked, double seconds, double markedSeconds,
               const RenderedPage& truth) {
  Outcome outcome;
  outcome.wholeText = whole;
  outcome.markedText = marked;
  outcome.whole = CountErrors(whole, truth.wholeText);
  outcome.marked = CountErrors(marked, truth.markedText);
  outcome.seconds = seconds;
  outcome.markedSeconds = markedSeconds;
  return outcome;
}

Outcome RunOurs(const QString& path, const QRect& mark, const RenderedPage& truth) {
  const Clock::time_point start = Clock::now();
  VxGlobalHandle image = LEXIQ_LoadImage(path.toUtf8().constData());
  LEXIQ_AutoAngle(image);
  LEXIQ_PreProc(image);
  LEXIQ_BeginRecog(nullptr);
  const QString whole = TakeWide(LEXIQ_RecogDIBRect(image, 0, 0, 0, truth.image.width(), truth.image.height()));
  const Clock::time_point wholeDone = Clock::now();
  const QString marked = TakeWide(LEXIQ_RecogDIBRect(image, 0, mark.left(), mark.top(), mark.right() + 1, mark.bottom() + 1));
  const Clock::time_point markedDone = Clock::now();
  LEXIQ_EndRecog();
  VxGlobalFree(image);
  return Scored(whole, marked, Seconds(start, wholeDone), Seconds(wholeDone, markedDone), truth);
}

QString TesseractText(tesseract::TessBaseAPI& api) {
  std::unique_ptr<char[]> text(api.GetUTF8Text());
  return QString::fromUtf8(text ? text.get() : "");
}

Outcome RunPlain(tesseract::TessBaseAPI& api, const QString& path, const QRect& mark, const RenderedPage& truth) {
  const Clock::time_point start = Clock::now();
  const palen::PixPtr pix(pixRead(path.toUtf8().constData()));
  api.SetImage(pix.get());
  const QString whole = TesseractText(api);
  const Clock::time_point wholeDone = Clock::now();
  api.SetRectangle(mark.left(), mark.top(), mark.width(), mark.height());
  const QString marked = TesseractText(api);
  const Clock::time_point markedDone = Clock::now();
  api.Clear();
  return Scored(whole, marked, Seconds(start, wholeDone), Seconds(wholeDone, markedDone), truth);
}

// The command line's text and wall time for a page (cold: it loads its models).
QString RunCommandLine(const QString& path, double* seconds) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("OMP_THREAD_LIMIT"), QStringLiteral("1"));
  process.setProcessEnvironment(environment);
  const Clock::time_point start = Clock::now();
  process.start(QStringLiteral("tesseract"), {path, QStringLiteral("-"), QStringLiteral("-l"), QString::fromLatin1(kLanguages)});
  process.waitForFinished(120000);
  *seconds = Seconds(start, Clock::now());
  return QString::fromUtf8(process.readAllStandardOutput());
}

// Plain Tesseract gives up quickly on pages it cannot lay out; its time is
// compared also on the pages it did read (whole-page CER under 10 %).
constexpr double kPageRead = 0.10;

struct Totals {
  ErrorCount oursWhole, plainWhole, oursMarked, plainMarked;
  double oursSeconds = 0, plainSeconds = 0, oursMarkedSeconds = 0, plainMarkedSeconds = 0;
  double oursReadSeconds = 0, plainReadSeconds = 0;
  int pages = 0, pagesRead = 0;
  void Add(const Outcome& ours, const Outcome& plain) {
    if (plain.whole.Rate() < kPageRead) {
      oursReadSeconds += ours.seconds;
      plainReadSeconds += plain.seconds;
      ++pagesRead;
    }
    oursWhole += ours.whole;
    plainWhole += plain.whole;
    oursMarked += ours.marked;
    plainMarked += plain.marked;
    oursSeconds += ours.seconds;
    plainSeconds += plain.seconds;
    oursMarkedSeconds += ours.markedSeconds;
    plainMarkedSeconds += plain.markedSeconds;
    ++pages;
  }
};

void PrintTotals(const char* name, const Totals& totals, double goal) {
  if (totals.pages == 0) return;
  std::printf("%-8s whole page CER  ours %5.2f %%  plain %5.2f %%   (goal <= %.0f %%: %s, better than plain: %s)\n", name,
              100 * totals.oursWhole.Rate(), 100 * totals.plainWhole.Rate(), 100 * goal,
              totals.oursWhole.Rate() <= goal ? "met" : "NOT met",
              totals.oursWhole.Rate() < totals.plainWhole.Rate() ? "yes" : "NO");
  std::printf("%-8s marked    CER  ours %5.2f %%  plain %5.2f %%\n", name, 100 * totals.oursMarked.Rate(),
              100 * totals.plainMarked.Rate());
  std::printf("%-8s seconds/page   ours %5.2f    plain %5.2f    ratio %.2f (marked: %.2f vs %.2f)\n", name,
              totals.oursSeconds / totals.pages, totals.plainSeconds / totals.pages,
              totals.oursSeconds / totals.plainSeconds, totals.oursMarkedSeconds / totals.pages,
              totals.plainMarkedSeconds / totals.pages);
  if (totals.pagesRead > 0) {
    std::printf("%-8s seconds/page   ours %5.2f    plain %5.2f    ratio %.2f on the %d pages plain read\n", name,
                totals.oursReadSeconds / totals.pagesRead, totals.plainReadSeconds / totals.pagesRead,
                totals.oursReadSeconds / totals.plainReadSeconds, totals.pagesRead);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("OCR accuracy on camera pictures of textbook pages"));
  parser.addHelpOption();
  const QCommandLineOption pagesOption(QStringLiteral("pages"), QStringLiteral("Number of pages (half English)."),
                                       QStringLiteral("count"), QStringLiteral("16"));
  const QCommandLineOption keepOption(QStringLiteral("keep"), QStringLiteral("Keep the page pictures in this folder."),
                                      QStringLiteral("folder"));
  const QCommandLineOption showOption(QStringLiteral("show"), QStringLiteral("Print the texts of every page."));
  parser.addOptions({pagesOption, keepOption, showOption});
  parser.process(application);
  const int pageCount = std::max(1, parser.value(pagesOption).toInt());

  QTemporaryDir scratch;
  const QString folder = parser.isSet(keepOption) ? parser.value(keepOption) : scratch.path();
  QDir().mkpath(folder);

  // Plain Tesseract single-threaded in this process, as the engine runs it
  // (OMP_THREAD_LIMIT is read when libgomp loads, too late to set here).
  omp_set_max_active_levels(0);
  tesseract::TessBaseAPI plain;
  if (plain.Init(kTessdata, kLanguages) != 0) {
    std::fprintf(stderr, "plain Tesseract cannot start\n");
    return 1;
  }
  plain.SetPageSegMode(tesseract::PSM_AUTO);
  plain.SetVariable("debug_file", "/dev/null");
  if (LEXIQ_Init() != 1) {
    std::fprintf(stderr, "LEXIQ cannot start\n");
    return 1;
  }
  LEXIQ_BeginRecog(nullptr);

  std::printf("page lang font              size tilt   | whole CER ours  plain | marked CER ours  plain | s ours plain\n");
  Totals english, korean, all;
  bool checkedCommandLine[2] = {false, false};
  for (int index = 0; index < pageCount; ++index) {
    const PagePlan plan = PlanPage(index);
    const RenderedPage page = RenderTextbookPage(plan.page);
    const QImage picture = ShootWithCamera(page.image, plan.camera);
    const QString path = QStringLiteral("%1/page-%2.jpg").arg(folder).arg(index, 2, 10, QLatin1Char('0'));
    if (!SaveJpeg(picture, path, kJpegQuality)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
      return 1;
    }
    if (parser.isSet(keepOption)) {
      QFile truth(QStringLiteral("%1/page-%2.txt").arg(folder).arg(index, 2, 10, QLatin1Char('0')));
      if (truth.open(QIODevice::WriteOnly)) truth.write(page.wholeText.toUtf8() + '\n');
    }
    const QRect mark = TurnedBoundingBox(page.markedParagraph, page.image.size(), plan.camera.tiltDegrees)
                           .adjusted(-kMarkMargin, -kMarkMargin, kMarkMargin, kMarkMargin)
                           .intersected(page.image.rect());

    const Outcome ours = RunOurs(path, mark, page);
    const Outcome reference = RunPlain(plain, path, mark, page);
    const bool isEnglish = plan.page.language == Language::English;
    std::printf("%4d %-4s %-17s %4d %+5.2f  |        %6.2f %6.2f |         %6.2f %6.2f | %5.2f %5.2f\n", index,
                isEnglish ? "en" : "ko", qPrintable(plan.fontName), plan.page.bodyPixelSize, plan.camera.tiltDegrees,
                100 * ours.whole.Rate(), 100 * reference.whole.Rate(), 100 * ours.marked.Rate(),
                100 * reference.marked.Rate(), ours.seconds, reference.seconds);
    if (parser.isSet(showOption)) {
      std::printf("---- truth, whole page:\n%s\n---- ours:\n%s\n---- plain:\n%s\n", qPrintable(page.wholeText),
                  qPrintable(ours.wholeText), qPrintable(reference.wholeText));
      std::printf("---- truth, marked (%d, %d)-(%d, %d):\n%s\n---- ours:\n%s\n---- plain:\n%s\n----\n", mark.left(),
                  mark.top(), mark.right() + 1, mark.bottom() + 1, qPrintable(page.markedText),
                  qPrintable(ours.markedText), qPrintable(reference.markedText));
    }
    if (!checkedCommandLine[isEnglish ? 0 : 1]) {
      checkedCommandLine[isEnglish ? 0 : 1] = true;
      double seconds = 0;
      const QString commandLine = RunCommandLine(path, &seconds);
      std::printf("     tesseract command line on this page: %s text, %.2f s including start-up\n",
                  commandLine.trimmed() == reference.wholeText.trimmed() ? "same" : "DIFFERENT", seconds);
    }
    (isEnglish ? english : korean).Add(ours, reference);
    all.Add(ours, reference);
    std::fflush(stdout);
  }
  std::printf("\n");
  PrintTotals("English", english, 0.02);
  PrintTotals("Korean", korean, 0.05);
  PrintTotals("All", all, 1.0);
  std::printf("time goal: ours <= 1.2 x plain: %s\n", all.oursSeconds <= 1.2 * all.plainSeconds ? "met" : "NOT met");
  LEXIQ_EndRecog();
  LEXIQ_Free();
  return 0;
}
