#include "speechutil/speech_export.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engines/sonara/sonara_m.h"

namespace orvilo::speechutil {
namespace {

// A file under a temporary name beside its final one; removed unless
// committed.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& path) : final_(path), temporary_(path + ".XXXXXX") {
    descriptor_ = mkstemp(temporary_.data());
    if (descriptor_ >= 0) fchmod(descriptor_, 0666 & ~CurrentUmask());
  }
  ~TemporaryFile() {
    if (descriptor_ >= 0) close(descriptor_);
    if (!committed_) unlink(temporary_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool IsOpen() const { return descriptor_ >= 0; }
  bool Failed() const { return failed_; }

  void Append(const void* bytes, std::size_t size) { WriteAt(bytes, size, -1); }
  // Writes at `offset` (or at the end for -1) without moving the end.
  void WriteAt(const void* bytes, std::size_t size, off_t offset) {
    if (failed_) return;
    const auto* in = static_cast<const char*>(bytes);
    while (size > 0) {
      const ssize_t written = offset < 0 ? write(descriptor_, in, size) : pwrite(descriptor_, in, size, offset);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) {
        failed_ = true;
        return;
      }
      in += written;
      size -= static_cast<std::size_t>(written);
      if (offset >= 0) offset += written;
    }
  }

  bool Commit() {
    if (failed_ || fsync(descriptor_) != 0) return false;
    if (close(descriptor_) != 0) {
      descriptor_ = -1;
      return false;
    }
    descriptor_ = -1;
    committed_ = rename(temporary_.c_str(), final_.c_str()) == 0;
    return committed_;
  }

 private:
  static mode_t CurrentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
  }

  std::string final_;
  std::string temporary_;
  int descriptor_ = -1;
  bool failed_ = false;
  bool committed_ = false;
};

struct ExportRun {
  const ExportRequest* request = nullptr;
  TemporaryFile* file = nullptr;
  int sourceRate = 16000;
  int blockIndex = 0;
  STTS_ConvState converter{};
  std::size_t dataBytes = 0;
  bool tooLong = false;
  std::vector<std::int16_t> samples;
  std::vector<std::uint8_t> encoded;
};

int ExportBlock(void* userData, PcmChunk* chunk) {
  auto* run = static_cast<ExportRun*>(userData);
  const ExportRequest& request = *run->request;
  if (request.cancel != nullptr && request.cancel->load()) return 1;  // ends the synthesis
  if (chunk->byteCount <= 0) return 0;
  const int n = chunk->byteCount / 2;
  const int outputRate = request.job.outputRate;
  run->samples.assign(static_cast<std::size_t>(n) * outputRate / run->sourceRate + 16 + n, 0);
  int count = n;
  if (run->sourceRate == outputRate) {
    std::copy(chunk->samples, chunk->samples + n, run->samples.begin());
  } else {
    // One filter for the whole file, so block edges leave no trace.
    count = STTS_ConvSamplingRateBuf(n, chunk->samples, run->samples.data(), run->sourceRate, outputRate,
                                     run->blockIndex, &run->converter);
  }
  ++run->blockIndex;
  if (count <= 0) return 0;

  const std::int16_t* in = run->samples.data();
  run->encoded.assign(static_cast<std::size_t>(count) * 2 + 4, 0);
  std::uint8_t* out = run->encoded.data();
  int bytes = 0;
  switch (request.encoding) {
    case ExportEncoding::Linear8:
      bytes = request.container == Container::Au ? STTS_Linear8EnCoding(count, in, out)
                                                  : STTS_Linear8UnsignedEnCoding(count, in, out);
      break;
    case ExportEncoding::MuLaw: bytes = STTS_uLawEnCoding(count, in, out); break;
    case ExportEncoding::ALaw: bytes = STTS_aLawEnCoding(count, in, out); break;
    case ExportEncoding::Vox: bytes = STTS_VOXADPCMEnCoding(count, in, out); break;
    case ExportEncoding::Adpcm: bytes = STTS_ADPCMEnCoding(count, in, out); break;
    case ExportEncoding::Linear16:
      for (int i = 0; i < count; ++i) {
        const auto value = static_cast<std::uint16_t>(in[i]);
        const bool bigEndian = request.container == Container::Au;
        out[2 * i] = static_cast<std::uint8_t>(bigEndian ? value >> 8 : value & 0xFF);
        out[2 * i + 1] = static_cast<std::uint8_t>(bigEndian ? value & 0xFF : value >> 8);
      }
      bytes = count * 2;
      break;
  }
  if (request.container != Container::Raw && run->dataBytes + static_cast<std::size_t>(std::max(bytes, 0)) >
                                                  request.headerDataLimit) {
    run->tooLong = true;
    return 1;  // a longer file would carry a wrong length
  }
  if (bytes > 0) {
    run->file->Append(out, static_cast<std::size_t>(bytes));
    run->dataBytes += static_cast<std::size_t>(bytes);
  }
  if (run->file->Failed()) return 1;  // the disk refused: no point in going on
  if (request.progress && chunk->marker == 1 && chunk->highlight != nullptr && chunk->highlight->textRange != nullptr &&
      !request.job.text.empty()) {
    request.progress(static_cast<double>(chunk->highlight->textRange[0]) / static_cast<double>(request.job.text.size()));
  }
  return 0;
}

int MakeHeader(Container container, ExportEncoding encoding, int rate, std::size_t dataBytes, std::uint8_t* buffer) {
  const int bytes = static_cast<int>(std::min<std::size_t>(dataBytes, 0x7FFFFFFF));
  switch (container) {
    case Container::Wave: return STTS_MakeWaveHeader(static_cast<int>(encoding), rate, bytes, buffer);
    case Container::Au: return STTS_MakeAuHeader(static_cast<int>(encoding), rate, bytes, buffer);
    case Container::Raw: return 0;
  }
  return 0;
}

std::string Formatted(const char* format, int value) {
  char text[96];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

ExportResult ExportSpeech(const ExportRequest& request, const std::string& path, const SpeechReports& reports) {
  const SpeechJob& job = request.job;
  TemporaryFile file(path);
  if (!file.IsOpen()) return ExportResult::CannotCreate;

  ExportRun run;
  run.request = &request;
  run.file = &file;
  SpeakerDbInfo info{};
  STTS_GetDBInfo(job.language, job.speaker, &info);
  STTS_HANDLE handle = STTS_CreateThread(&run, &ExportBlock, job.language, job.speaker);
  if (handle == nullptr) {
    if (reports.log) reports.log(Formatted("STTS_CreateThread Err(%d)", STTS_GetError()));
    return ExportResult::EngineFailed;
  }
  if (!job.markup.empty()) STTS_ChangeAttr(handle, job.markup.c_str());
  bool dictionary = false;
  if (!job.dictionary.empty()) {
    int entries = 0;
    int rejected = 0;
    dictionary = STTS_LoadUserDict(handle, job.dictionary.c_str(), &entries, &rejected) == STTS_OK;
  }
  STTS_SetCharSet(handle, 0);
  STTS_SetTextFormat(handle, 0);
  // Word marks tell how far the export has come; they do not change the sound.
  STTS_SetHighLight(handle, request.progress ? 1 : 0);
  STTS_SetLipSync(handle, 0);
  run.sourceRate = info.sampleRate > 0 ? info.sampleRate : 16000;

  std::uint8_t header[128] = {};
  const int headerBytes = MakeHeader(request.container, request.encoding, job.outputRate, 0, header);
  if (headerBytes > 0) file.Append(header, static_cast<std::size_t>(headerBytes));

  STTS_ResetEnCoding();
  const int result = STTS_TextToSpeech(handle, job.text.c_str(), STTS_MODE_SYNCHRONOUS);
  if (result != STTS_DONE && reports.log) reports.log(Formatted("STTS_TextToSpeech Err(%d)", result));

  if (headerBytes > 0) {
    std::uint8_t final[128] = {};
    const int finalBytes = MakeHeader(request.container, request.encoding, job.outputRate, run.dataBytes, final);
    if (finalBytes == headerBytes) file.WriteAt(final, static_cast<std::size_t>(finalBytes), 0);
  }
  if (dictionary) STTS_UnLoadUserDict(handle);
  STTS_DeleteThread(handle);
  STTS_FreeConvState(&run.converter);

  if (request.cancel != nullptr && request.cancel->load()) return ExportResult::Cancelled;
  if (run.tooLong) return ExportResult::TooLong;
  if (file.Failed() || !file.Commit()) return ExportResult::WriteFailed;
  return ExportResult::Done;
}

}  // namespace orvilo::speechutil
