#include "platform/media/avi_repair.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace orvilo::media {
namespace {

constexpr std::uint32_t kHasIndex = 0x10;  // avih dwFlags AVIF_HASINDEX
constexpr std::uint32_t kKeyFrame = 0x10;  // idx1 AVIIF_KEYFRAME: every MJPEG, YUY2 and PCM chunk stands alone

constexpr std::uint32_t FourCc(const char (&text)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[3])) << 24;
}

std::string FourCcText(std::uint32_t value) {
  std::string text(4, ' ');
  for (int i = 0; i < 4; ++i) text[static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
  return text;
}

class File {
 public:
  File(const std::string& path, bool write) : fd_(::open(path.c_str(), (write ? O_RDWR : O_RDONLY) | O_CLOEXEC)) {}
  ~File() {
    if (fd_ >= 0) ::close(fd_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  bool IsOpen() const { return fd_ >= 0; }
  std::uint64_t Size() const {
    struct stat info {};
    return ::fstat(fd_, &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
  }
  bool Read(std::uint64_t at, void* into, std::size_t size) const {
    return ::pread(fd_, into, size, static_cast<off_t>(at)) == static_cast<ssize_t>(size);
  }
  std::optional<std::uint32_t> U32(std::uint64_t at) const {
    unsigned char bytes[4];
    if (!Read(at, bytes, 4)) return std::nullopt;
    return static_cast<std::uint32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24);
  }
  bool Write(std::uint64_t at, const void* from, std::size_t size) const {
    return ::pwrite(fd_, from, size, static_cast<off_t>(at)) == static_cast<ssize_t>(size);
  }
  bool PutU32(std::uint64_t at, std::uint32_t value) const {
    const unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                    static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    return Write(at, bytes, 4);
  }
  bool Truncate(std::uint64_t size) const { return ::ftruncate(fd_, static_cast<off_t>(size)) == 0; }
  bool Sync() const { return ::fsync(fd_) == 0; }

 private:
  int fd_;
};

struct Chunk {
  std::uint32_t id = 0;
  std::uint64_t offset = 0;  // of the chunk's header
  std::uint32_t size = 0;
  std::uint64_t End() const { return offset + 8 + size + (size & 1U); }
};

struct StreamHeaders {
  std::uint64_t strh = 0;  // offsets of the chunk data
  std::uint64_t strf = 0;
  std::uint32_t strfSize = 0;
};

struct Layout {
  std::uint64_t fileSize = 0;
  std::uint32_t riffSize = 0;
  std::uint64_t avih = 0;
  std::uint64_t dmlh = 0;
  std::vector<StreamHeaders> streams;
  std::vector<std::uint64_t> superIndexes;  // offsets of 'indx' chunk headers
  std::uint64_t movi = 0;  // offset of the 'movi' LIST header
  std::uint32_t moviSize = 0;
  bool idx1 = false;
  std::vector<Chunk> moviChunks;  // every complete chunk of 'movi', in order
  std::uint64_t moviEnd = 0;      // end of the last complete chunk
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsChunkTag(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c); }

// A chunk id that may appear inside 'movi': "NNxx" stream data, "ixNN"
// OpenDML indexes, JUNK padding, and LISTs ('rec ').
bool IsMoviChunkId(std::uint32_t id) {
  const std::string text = {static_cast<char>(id), static_cast<char>(id >> 8), static_cast<char>(id >> 16),
                            static_cast<char>(id >> 24)};
  if (id == FourCc("JUNK") || id == FourCc("LIST")) return true;
  if (text[0] == 'i' && text[1] == 'x') return IsDigit(text[2]) && IsDigit(text[3]);
  return IsDigit(text[0]) && IsDigit(text[1]) && IsChunkTag(text[2]) && IsChunkTag(text[3]);
}

// The stream number of a data chunk, or -1 for anything else.
int StreamOf(std::uint32_t id) {
  const char a = static_cast<char>(id), b = static_cast<char>(id >> 8);
  if (!IsDigit(a) || !IsDigit(b) || id == FourCc("JUNK")) return -1;
  return (a - '0') * 10 + (b - '0');
}

bool ReadHeaderList(const File& file, std::uint64_t begin, std::uint64_t end, Layout& layout) {
  for (std::uint64_t at = begin; at + 8 <= end;) {
    const auto id = file.U32(at);
    const auto size = file.U32(at + 4);
    if (!id || !size || at + 8 + *size > end) return false;
    const Chunk chunk{*id, at, *size};
    if (*id == FourCc("LIST")) {
      const auto type = file.U32(at + 8);
      if (!type) return false;
      if (*type == FourCc("strl")) layout.streams.push_back({});
      if (!ReadHeaderList(file, at + 12, at + 8 + *size, layout)) return false;
    } else if (*id == FourCc("avih") && *size >= 56) {
      layout.avih = at + 8;
    } else if (*id == FourCc("dmlh") && *size >= 4) {
      layout.dmlh = at + 8;
    } else if (*id == FourCc("strh") && *size >= 48 && !layout.streams.empty()) {
      layout.streams.back().strh = at + 8;
    } else if (*id == FourCc("strf") && !layout.streams.empty()) {
      layout.streams.back().strf = at + 8;
      layout.streams.back().strfSize = *size;
    } else if (*id == FourCc("indx")) {
      layout.superIndexes.push_back(at);
    }
    at = chunk.End();
  }
  return true;
}

// The headers, and the chunks of 'movi' up to the first one that is cut off
// or is not a chunk at all (the garbage a killed writer may leave).
std::optional<Layout> ReadLayout(const File& file) {
  Layout layout;
  layout.fileSize = file.Size();
  const auto riff = file.U32(0), riffSize = file.U32(4), form = file.U32(8);
  if (!riff || *riff != FourCc("RIFF") || !form || *form != FourCc("AVI ")) return std::nullopt;
  layout.riffSize = *riffSize;
  bool hdrl = false;
  for (std::uint64_t at = 12; at + 12 <= layout.fileSize;) {
    const auto id = file.U32(at);
    const auto size = file.U32(at + 4);
    const auto type = file.U32(at + 8);
    if (!id || !size || !type) break;
    if (*id == FourCc("LIST") && *type == FourCc("hdrl")) {
      if (at + 8 + *size > layout.fileSize || !ReadHeaderList(file, at + 12, at + 8 + *size, layout)) return std::nullopt;
      hdrl = true;
    } else if (*id == FourCc("LIST") && *type == FourCc("movi")) {
      layout.movi = at;
      layout.moviSize = *size;
      break;
    }
    at = Chunk{*id, at, *size}.End();
  }
  if (!hdrl || layout.movi == 0 || layout.avih == 0) return std::nullopt;
  // A finished 'movi' says where it ends; an unfinished one runs to the end
  // of the file.
  const std::uint64_t declaredEnd = layout.movi + 8 + layout.moviSize;
  const std::uint64_t limit = layout.moviSize > 4 && declaredEnd <= layout.fileSize ? declaredEnd : layout.fileSize;
  layout.moviEnd = layout.movi + 12;
  for (std::uint64_t at = layout.movi + 12; at + 8 <= limit;) {
    const auto id = file.U32(at);
    const auto size = file.U32(at + 4);
    if (!id || !size || !IsMoviChunkId(*id) || at + 8 + *size > limit) break;
    const Chunk chunk{*id, at, *size};
    layout.moviChunks.push_back(chunk);
    layout.moviEnd = std::min<std::uint64_t>(chunk.End(), limit);
    at = chunk.End();
  }
  if (layout.moviSize > 4 && declaredEnd + 8 <= layout.fileSize) {
    const auto id = file.U32(declaredEnd);
    layout.idx1 = id && *id == FourCc("idx1");
  }
  return layout;
}

AviFileInfo Describe(const File& file, const Layout& layout) {
  AviFileInfo info;
  info.valid = true;
  info.hasIndex = layout.idx1 || !layout.superIndexes.empty();
  info.microSecondsPerFrame = file.U32(layout.avih).value_or(0);
  info.totalFrames = file.U32(layout.avih + 16).value_or(0);
  info.width = static_cast<int>(file.U32(layout.avih + 32).value_or(0));
  info.height = static_cast<int>(file.U32(layout.avih + 36).value_or(0));
  for (const auto& stream : layout.streams) {
    AviStreamInfo described;
    if (stream.strh != 0) {
      described.type = FourCcText(file.U32(stream.strh).value_or(0));
      described.handler = FourCcText(file.U32(stream.strh + 4).value_or(0));
      described.length = file.U32(stream.strh + 32).value_or(0);
    }
    info.streams.push_back(described);
  }
  for (const auto& chunk : layout.moviChunks) {
    const int stream = StreamOf(chunk.id);
    if (stream < 0 || static_cast<std::size_t>(stream) >= info.streams.size()) continue;
    ++info.streams[static_cast<std::size_t>(stream)].chunks;
    info.streams[static_cast<std::size_t>(stream)].bytes += chunk.size;
  }
  // Finished: the RIFF ends where the file does (or where a following
  // OpenDML RIFF starts), 'movi' has its real size and an index exists.
  const std::uint64_t riffEnd = 8 + static_cast<std::uint64_t>(layout.riffSize);
  bool riffChainFits = riffEnd == layout.fileSize;
  if (!riffChainFits && riffEnd + 8 <= layout.fileSize) {
    const auto next = file.U32(riffEnd);
    riffChainFits = next && *next == FourCc("RIFF");
  }
  info.finished = riffChainFits && layout.moviSize > 4 && info.hasIndex;
  return info;
}

}  // namespace

AviFileInfo InspectAvi(const std::string& path) {
  const File file(path, false);
  if (!file.IsOpen()) return {};
  const auto layout = ReadLayout(file);
  return layout ? Describe(file, *layout) : AviFileInfo{};
}

bool AviNeedsRepair(const std::string& path) {
  const AviFileInfo info = InspectAvi(path);
  return info.valid && !info.finished;
}

RepairResult RepairAvi(const std::string& path, std::optional<std::uint64_t> sizeLimit) {
  const File file(path, true);
  if (!file.IsOpen()) return RepairResult::Failed;
  const std::uint64_t sizeBefore = file.Size();
  auto layout = ReadLayout(file);
  if (!layout) return RepairResult::NotAvi;
  if (Describe(file, *layout).finished) return RepairResult::AlreadyFine;

  std::vector<Chunk>& chunks = layout->moviChunks;
  auto indexed = [&] {
    std::size_t count = 0;
    for (const auto& chunk : chunks) count += StreamOf(chunk.id) >= 0 ? 1 : 0;
    return count;
  };
  std::uint64_t dataEnd = chunks.empty() ? layout->movi + 12 : chunks.back().End();
  // In a capped folder the index takes the room of the last chunks.
  if (sizeLimit) {
    while (!chunks.empty() && dataEnd + 8 + 16 * indexed() > *sizeLimit) {
      chunks.pop_back();
      dataEnd = chunks.empty() ? layout->movi + 12 : chunks.back().End();
    }
    if (dataEnd + 8 > *sizeLimit) return RepairResult::Failed;
  }

  // The index: one entry per data chunk, offsets from the 'movi' form type.
  const std::uint64_t moviBase = layout->movi + 8;
  std::vector<unsigned char> index;
  const std::size_t entries = indexed();
  index.reserve(8 + 16 * entries);
  auto put = [&index](std::uint32_t value) {
    for (int i = 0; i < 4; ++i) index.push_back(static_cast<unsigned char>(value >> (8 * i)));
  };
  put(FourCc("idx1"));
  put(static_cast<std::uint32_t>(16 * entries));
  std::vector<std::uint32_t> chunksOf(layout->streams.size(), 0);
  std::vector<std::uint64_t> bytesOf(layout->streams.size(), 0);
  for (const auto& chunk : chunks) {
    const int stream = StreamOf(chunk.id);
    if (stream < 0) continue;
    put(chunk.id);
    put(kKeyFrame);
    put(static_cast<std::uint32_t>(chunk.offset - moviBase));
    put(chunk.size);
    if (static_cast<std::size_t>(stream) < chunksOf.size()) {
      ++chunksOf[static_cast<std::size_t>(stream)];
      bytesOf[static_cast<std::size_t>(stream)] += chunk.size;
    }
  }
  const std::uint64_t fileEnd = dataEnd + index.size();
  if (fileEnd - 8 > 0xFFFFFFFFULL) return RepairResult::Failed;  // beyond one RIFF: not ours to mend

  // The payload stays where it is; the tail after the last whole chunk goes.
  if (!file.Truncate(dataEnd)) return RepairResult::Failed;
  if (!file.Write(dataEnd, index.data(), index.size())) {
    // A full disk or a size cap: make the index fit where the file was.
    if (sizeLimit) return RepairResult::Failed;
    return RepairAvi(path, sizeBefore);
  }
  bool ok = file.PutU32(4, static_cast<std::uint32_t>(fileEnd - 8)) &&
            file.PutU32(layout->movi + 4, static_cast<std::uint32_t>(dataEnd - moviBase));
  std::uint32_t videoFrames = 0;
  bool videoSeen = false;
  for (std::size_t stream = 0; stream < layout->streams.size(); ++stream) {
    const StreamHeaders& headers = layout->streams[stream];
    if (headers.strh == 0) continue;
    const std::uint32_t type = file.U32(headers.strh).value_or(0);
    std::uint32_t length = chunksOf[stream];
    if (type == FourCc("auds")) {
      // PCM length counts sample blocks (WAVEFORMATEX nBlockAlign).
      unsigned char align[2] = {0, 0};
      if (headers.strf != 0 && headers.strfSize >= 14) file.Read(headers.strf + 12, align, 2);
      const std::uint32_t blockAlign = align[0] | align[1] << 8;
      length = static_cast<std::uint32_t>(blockAlign > 0 ? bytesOf[stream] / blockAlign : bytesOf[stream]);
    } else if (type == FourCc("vids") && !videoSeen) {
      videoSeen = true;
      videoFrames = chunksOf[stream];
    }
    ok = ok && file.PutU32(headers.strh + 32, length);
  }
  const std::uint32_t flags = file.U32(layout->avih + 12).value_or(0);
  ok = ok && file.PutU32(layout->avih + 12, flags | kHasIndex) && file.PutU32(layout->avih + 16, videoFrames);
  if (layout->dmlh != 0) ok = ok && file.PutU32(layout->dmlh, videoFrames);
  // An OpenDML super index written before the end points at nothing; the
  // rebuilt 'idx1' takes its place.
  for (const std::uint64_t at : layout->superIndexes) ok = ok && file.PutU32(at, FourCc("JUNK"));
  ok = ok && file.Sync();
  return ok ? RepairResult::Repaired : RepairResult::Failed;
}

}  // namespace orvilo::media
