// The page and its recognised text out of the program: a PDF with the
// annotated page as its first page and the recognised text, as real
// (searchable, selectable) text, on the pages after it; the text as a UTF-8
// file; the text on the clipboard. Files are written to a temporary file
// and renamed over the old one only when complete.
#pragma once

#include <QImage>
#include <string>

namespace orvilo::reading {

// `page` may be null (no picture: only the text pages) and `text` empty
// (only the picture page); with neither, nothing is written. False when the
// file could not be written (an older file of that name stays intact).
bool ExportPagePdf(const std::string& path, const QImage& page, const std::string& text);

// The text as it is (UTF-8, no byte-order mark); an empty text makes an
// empty file. False when it could not be written.
bool WriteUtf8TextFile(const std::string& path, const std::string& text);

// Puts the text on the system clipboard; false for an empty text.
bool CopyTextToClipboard(const std::string& text);

}  // namespace orvilo::reading
