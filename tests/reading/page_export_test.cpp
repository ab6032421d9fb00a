// Export of the annotated page and the recognised text: the PDF is read back
// with poppler's pdftotext (the words) and pdftoppm (the strokes).
#include "reading/page_export.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "../imageview/window_test_support.h"
#include "imageview/image_window.h"
#include "platform/gdi/bitmap_file.h"
#include "platform/gdi/qimage_conversion.h"

namespace orvilo::reading {
namespace {

using imageview::testing::Drag;
using imageview::testing::Filled;

const std::string kText = "The cat sat on the mat.\n고양이가 매트 위에 앉았다.";

// Runs a poppler tool; its standard output, or empty when it failed.
QByteArray RunTool(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  return process.readAllStandardOutput();
}

QImage FirstPageAsPicture(const QString& pdf, const QString& folder) {
  const QString prefix = folder + "/page";
  RunTool("pdftoppm", {"-r", "40", "-f", "1", "-l", "1", "-png", "-singlefile", pdf, prefix});
  return QImage(prefix + ".png");
}

int CountPixels(const QImage& image, const std::function<bool(QRgb)>& test) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += test(image.pixel(x, y)) ? 1 : 0;
  }
  return count;
}

bool Reddish(QRgb p) { return qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90; }

class PageExport : public ::testing::Test {
 protected:
  QString File(const char* name) const { return folder.filePath(name); }
  QTemporaryDir folder;
};

// The page as the real image view saves it: a red pen stroke on a white page
// and a blind over its right half, which the page must not carry.
TEST_F(PageExport, PdfCarriesTheStrokesButNotTheBlindsAndTheWordsAsText) {
  imageview::testing::RecordingOwner owner;
  imageview::CVyr3ImageWnd view;
  ASSERT_TRUE(view.Create(&owner, "image", 100, QRect(0, 0, 400, 300)));
  ASSERT_TRUE(view.SetImage(Filled(400, 300, 255, 255, 255)));
  view.SetMode(ViewMode::Image);
  view.SetPenColour(2);  // red
  view.SetPenWidth(15);
  Drag(&view, {QPoint(40, 150), QPoint(180, 150)});
  view.AddBlind(200, 0, 400, 300);
  const QString bitmap = File("page.bmp");
  ASSERT_TRUE(view.SaveAnnotatedImageFile(bitmap.toStdString()));
  const QImage page = gdi::ToQImage(gdi::ReadBitmapFile(bitmap.toStdString())).copy();
  ASSERT_FALSE(page.isNull());
  EXPECT_EQ(page.pixel(300, 150), qRgb(255, 255, 255));  // no blind on the page

  const QString pdf = File("page.pdf");
  ASSERT_TRUE(ExportPagePdf(pdf.toStdString(), page, kText));
  const QString words = QString::fromUtf8(RunTool("pdftotext", {"-enc", "UTF-8", pdf, "-"}));
  EXPECT_TRUE(words.contains("The cat sat on the mat.")) << words.toStdString();
  EXPECT_TRUE(words.contains(QString::fromUtf8("고양이가 매트 위에 앉았다."))) << words.toStdString();
  const QString info = QString::fromUtf8(RunTool("pdfinfo", {pdf}));
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2"))) << info.toStdString();

  const QImage first = FirstPageAsPicture(pdf, folder.path());
  ASSERT_FALSE(first.isNull());
  const int red = CountPixels(first, Reddish);
  EXPECT_GT(red, 20);
  // The stroke stands in the left half of the picture, nothing red right of it.
  const int redRight = CountPixels(first.copy(first.width() / 2, 0, first.width() / 2, first.height()), Reddish);
  EXPECT_EQ(redRight, 0);
}

TEST_F(PageExport, PicturesOrTextAloneMakeOnePageAndNothingAtAllIsRefused) {
  struct Case {
    const char* name;
    bool picture;
    std::string text;
    bool written;
  };
  const Case cases[] = {{"picture only", true, "", true}, {"text only", false, kText, true}, {"nothing", false, "", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QImage picture;
    if (c.picture) {
      picture = QImage(300, 400, QImage::Format_RGB32);
      picture.fill(Qt::red);
    }
    const QString pdf = File("one.pdf");
    QFile::remove(pdf);
    EXPECT_EQ(ExportPagePdf(pdf.toStdString(), picture, c.text), c.written);
    EXPECT_EQ(QFile::exists(pdf), c.written);
    if (!c.written) continue;
    EXPECT_TRUE(QString::fromUtf8(RunTool("pdfinfo", {pdf})).contains(QRegularExpression("Pages:\\s+1")));
  }
}

// A long text runs over as many pages as it needs; none of it is lost.
TEST_F(PageExport, ALongTextRunsOverSeveralPages) {
  std::string text;
  for (int line = 1; line <= 150; ++line) text += "Line " + std::to_string(line) + " of the recognised page.\n";
  const QString pdf = File("long.pdf");
  ASSERT_TRUE(ExportPagePdf(pdf.toStdString(), QImage(), text));
  const QString words = QString::fromUtf8(RunTool("pdftotext", {pdf, "-"}));
  EXPECT_TRUE(words.contains("Line 1 of")) << words.left(200).toStdString();
  EXPECT_TRUE(words.contains("Line 150 of"));
  EXPECT_FALSE(QString::fromUtf8(RunTool("pdfinfo", {pdf})).contains(QRegularExpression("Pages:\\s+1\\n")));
}

// Safe writing: a file that cannot be written leaves an older one intact.
TEST_F(PageExport, AFailedWriteLeavesTheOldFileAndNothingHalfWritten) {
  EXPECT_FALSE(ExportPagePdf(File("missing/folder/a.pdf").toStdString(), QImage(), kText));
  EXPECT_FALSE(WriteUtf8TextFile(File("missing/folder/a.txt").toStdString(), kText));
  const QString old = File("old.pdf");
  {
    QFile file(old);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("old");
  }
  EXPECT_FALSE(ExportPagePdf(old.toStdString(), QImage(), ""));
  QFile file(old);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("old"));
}

TEST_F(PageExport, TextFileIsTheUtf8TextAndTheClipboardGetsIt) {
  const QString path = File("text.txt");
  ASSERT_TRUE(WriteUtf8TextFile(path.toStdString(), kText));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), kText);  // byte for byte, no byte-order mark
  ASSERT_TRUE(CopyTextToClipboard(kText));
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), kText);
  EXPECT_FALSE(CopyTextToClipboard(""));
}

}  // namespace
}  // namespace orvilo::reading
