#include "speechutil/export_formats.h"

#include <array>

namespace orvilo::speechutil {
namespace {

constexpr std::array<ExportFormat, kExportFormatCount> kFormats = {{
    {"  8K 16Bit Linear PCM", "*.pcm", "pcm", Container::Raw, ExportEncoding::Linear16, 8000},
    {"  8K 8Bit Linear PCM", "*.pcm", "pcm", Container::Raw, ExportEncoding::Linear8, 8000},
    {"  8K Mu-Law PCM", "*.pcm", "pcm", Container::Raw, ExportEncoding::MuLaw, 8000},
    {"  8K A-Law PCM", "*.pcm", "pcm", Container::Raw, ExportEncoding::ALaw, 8000},
    {"  8K 16Bit Linear WAVE", "*.wav", "wav", Container::Wave, ExportEncoding::Linear16, 8000},
    {"  8K 8Bit Linear WAVE", "*.wav", "wav", Container::Wave, ExportEncoding::Linear8, 8000},
    {"  8K Mu-Law WAVE", "*.wav", "wav", Container::Wave, ExportEncoding::MuLaw, 8000},
    {"  8K A-Law WAVE", "*.wav", "wav", Container::Wave, ExportEncoding::ALaw, 8000},
    {"  8K 16Bit Linear AU", "*.au", "au", Container::Au, ExportEncoding::Linear16, 8000},
    {"  8K 8Bit Linear AU", "*.au", "au", Container::Au, ExportEncoding::Linear8, 8000},
    {"  8K Mu-Law AU", "*.au", "au", Container::Au, ExportEncoding::MuLaw, 8000},
    {"  8K A-Law AU", "*.au", "au", Container::Au, ExportEncoding::ALaw, 8000},
    {"  8K VOX", "*.vox", "vox", Container::Raw, ExportEncoding::Vox, 8000},
    {"  8K ADPCM", "*.pcm", "pcm", Container::Raw, ExportEncoding::Adpcm, 8000},
    {" 16K 16Bit Linear PCM", "*.pcm", "pcm", Container::Raw, ExportEncoding::Linear16, 16000},
    {" 16K 8Bit Linear PCM", "*.pcm", "pcm", Container::Raw, ExportEncoding::Linear8, 16000},
    {" 16K Mu-Law PCM", "*.pcm", "pcm", Container::Raw, ExportEncoding::MuLaw, 16000},
    {" 16K A-Law PCM", "*.pcm", "pcm", Container::Raw, ExportEncoding::ALaw, 16000},
    {" 16K 16Bit Linear WAVE", "*.wav", "wav", Container::Wave, ExportEncoding::Linear16, 16000},
    {" 16K 8Bit Linear WAVE", "*.wav", "wav", Container::Wave, ExportEncoding::Linear8, 16000},
    {" 16K Mu-Law WAVE", "*.wav", "wav", Container::Wave, ExportEncoding::MuLaw, 16000},
    {" 16K A-Law WAVE", "*.wav", "wav", Container::Wave, ExportEncoding::ALaw, 16000},
    {" 16K 16Bit Linear AU", "*.au", "au", Container::Au, ExportEncoding::Linear16, 16000},
    {" 16K 8Bit Linear AU", "*.au", "au", Container::Au, ExportEncoding::Linear8, 16000},
    {" 16K Mu-Law AU", "*.au", "au", Container::Au, ExportEncoding::MuLaw, 16000},
    {" 16K A-Law AU", "*.au", "au", Container::Au, ExportEncoding::ALaw, 16000},
    {" 16K VOX", "*.vox", "vox", Container::Raw, ExportEncoding::Vox, 16000},
    {" 16K ADPCM", "*.pcm", "pcm", Container::Raw, ExportEncoding::Adpcm, 16000},
}};

}  // namespace

const ExportFormat& ExportFormatAt(int index) {
  return index >= 1 && index <= kExportFormatCount ? kFormats[static_cast<std::size_t>(index - 1)] : kFormats[0];
}

std::string ExportFilter() {
  std::string filter;
  for (const ExportFormat& format : kFormats) {
    filter.append(format.label).append("|").append(format.pattern).append("|");
  }
  return filter + "|";
}

}  // namespace orvilo::speechutil
