// STTS_* calls for saving speech: sample-rate conversion (libsamplerate),
// sample encoders and WAVE/AU file headers.
#include <samplerate.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "engines/sonara/api_support.h"
#include "engines/sonara/audio_encoders.h"
#include "engines/sonara/encoder_state.h"
#include "platform/audio/audio_file_header.h"

using namespace orvilo::sonara;

namespace {

constexpr int kMinRate = 1000;
constexpr int kMaxRate = 384000;
constexpr int kConverter = SRC_SINC_FASTEST;
constexpr int kBufSlack = 4;  // STTS_ConvSamplingRateBuf may return this many samples more than n * to / from

bool ValidConversion(int n, const int16_t* in, const int16_t* out, int fromRate, int toRate) {
  return n > 0 && in != nullptr && out != nullptr && fromRate >= kMinRate && fromRate <= kMaxRate &&
         toRate >= kMinRate && toRate <= kMaxRate;
}

// A conversion stream kept between blocks: libsamplerate's state plus the
// output that did not fit the caller's bound yet.
struct ConversionStream {
  SRC_STATE* converter = nullptr;
  std::vector<std::int16_t> carried;
  ~ConversionStream() {
    if (converter != nullptr) src_delete(converter);
  }
};

// Converts with libsamplerate; appends the output to `out`.
bool Convert(SRC_STATE* converter, const int16_t* in, int n, double ratio, bool endOfInput,
             std::vector<std::int16_t>& out) {
  // At least one element: libsamplerate flushes nothing from a null input pointer.
  std::vector<float> input(static_cast<std::size_t>(std::max(n, 1)), 0.0f);
  src_short_to_float_array(in, input.data(), n);
  std::vector<float> output(static_cast<std::size_t>(n * ratio) + 64);
  SRC_DATA data{};
  data.data_in = input.data();
  data.input_frames = n;
  data.src_ratio = ratio;
  data.end_of_input = endOfInput ? 1 : 0;
  while (true) {
    data.data_out = output.data();
    data.output_frames = static_cast<long>(output.size());
    if (src_process(converter, &data) != 0) return false;
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(data.output_frames_gen));
    src_float_to_short_array(output.data(), out.data() + start, static_cast<int>(data.output_frames_gen));
    data.data_in += data.input_frames_used;
    data.input_frames -= data.input_frames_used;
    if (data.input_frames == 0 && (!endOfInput || data.output_frames_gen == 0)) return true;
  }
}

template <typename Encode>
int EncodeEach(int n, const int16_t* in, uint8_t* out, Encode encode) {
  if (n <= 0 || in == nullptr || out == nullptr) return 0;
  for (int i = 0; i < n; ++i) out[i] = encode(in[i]);
  return n;
}

int EncodeAdpcm(AdpcmEncoder& encoder, int n, const int16_t* in, uint8_t* out) {
  if (n <= 0 || in == nullptr || out == nullptr) return 0;
  return static_cast<int>(encoder.Encode(in, static_cast<std::size_t>(n), out));
}

int WriteHeader(const std::vector<std::uint8_t>& header, uint8_t* buffer) {
  std::memcpy(buffer, header.data(), header.size());
  return static_cast<int>(header.size());
}

bool EncodingOf(int code, orvilo::audio::SampleEncoding& encoding) {
  using orvilo::audio::SampleEncoding;
  switch (code) {
    case STTS_ENCODING_LINEAR16: encoding = SampleEncoding::kLinear16; return true;
    case STTS_ENCODING_LINEAR8: encoding = SampleEncoding::kLinear8; return true;
    case STTS_ENCODING_MULAW: encoding = SampleEncoding::kMuLaw; return true;
    case STTS_ENCODING_ALAW: encoding = SampleEncoding::kALaw; return true;
    default: return false;
  }
}

}  // namespace

extern "C" {

STTS_API int STTS_ConvSamplingRate(int n, const int16_t* in, int16_t* out, int fromRate, int toRate) {
  return Guarded(
      [&]() -> int {
        if (!ValidConversion(n, in, out, fromRate, toRate)) return 0;
        if (fromRate == toRate) {
          std::memmove(out, in, static_cast<std::size_t>(n) * sizeof(int16_t));
          return n;
        }
        const auto target =
            static_cast<int>((static_cast<std::int64_t>(n) * toRate + fromRate / 2) / fromRate);
        int error = 0;
        SRC_STATE* converter = src_new(kConverter, 1, &error);
        if (converter == nullptr) return 0;
        std::vector<std::int16_t> converted;
        const bool ok = Convert(converter, in, n, static_cast<double>(toRate) / fromRate, true, converted);
        src_delete(converter);
        if (!ok) return 0;
        converted.resize(static_cast<std::size_t>(target), 0);  // exactly n * to / from, rounded
        std::copy(converted.begin(), converted.end(), out);
        return target;
      },
      0);
}

STTS_API int STTS_ConvSamplingRateBuf(int n, const int16_t* in, int16_t* out, int fromRate, int toRate,
                                      int blockIndex, STTS_ConvState* state) {
  return Guarded(
      [&]() -> int {
        if (!ValidConversion(n, in, out, fromRate, toRate) || state == nullptr) return 0;
        if (fromRate == toRate) {
          std::memmove(out, in, static_cast<std::size_t>(n) * sizeof(int16_t));
          return n;
        }
        auto* stream = static_cast<ConversionStream*>(state->converter);
        if (stream == nullptr || state->fromRate != fromRate || state->toRate != toRate) {
          delete stream;
          stream = new ConversionStream();
          state->converter = stream;
          state->fromRate = fromRate;
          state->toRate = toRate;
          int error = 0;
          stream->converter = src_new(kConverter, 1, &error);
          if (stream->converter == nullptr) return 0;
        } else if (blockIndex == 0) {
          // A new stream: the old one's last samples (still inside the filter) come first.
          if (!Convert(stream->converter, in, 0, static_cast<double>(toRate) / fromRate, true, stream->carried)) return 0;
          src_reset(stream->converter);
        }
        if (stream->converter == nullptr) return 0;
        if (!Convert(stream->converter, in, n, static_cast<double>(toRate) / fromRate, false, stream->carried)) {
          return 0;
        }
        const auto bound = static_cast<std::size_t>(
            (static_cast<std::int64_t>(n) * toRate + fromRate - 1) / fromRate + kBufSlack);
        const std::size_t count = std::min(bound, stream->carried.size());
        std::copy_n(stream->carried.begin(), count, out);
        stream->carried.erase(stream->carried.begin(), stream->carried.begin() + static_cast<std::ptrdiff_t>(count));
        return static_cast<int>(count);
      },
      0);
}

STTS_API void STTS_FreeConvState(STTS_ConvState* state) {
  Guarded([&] {
    if (state == nullptr) return;
    delete static_cast<ConversionStream*>(state->converter);
    *state = STTS_ConvState{};
  });
}

STTS_API int STTS_Linear8EnCoding(int n, const int16_t* in, uint8_t* out) {
  return Guarded([&] { return EncodeEach(n, in, out, EncodeLinear8Signed); }, 0);
}

STTS_API int STTS_Linear8UnsignedEnCoding(int n, const int16_t* in, uint8_t* out) {
  return Guarded([&] { return EncodeEach(n, in, out, EncodeLinear8Unsigned); }, 0);
}

STTS_API int STTS_uLawEnCoding(int n, const int16_t* in, uint8_t* out) { return Guarded([&] { return EncodeEach(n, in, out, EncodeMuLaw); }, 0); }

STTS_API int STTS_aLawEnCoding(int n, const int16_t* in, uint8_t* out) { return Guarded([&] { return EncodeEach(n, in, out, EncodeALaw); }, 0); }

STTS_API int STTS_VOXADPCMEnCoding(int n, const int16_t* in, uint8_t* out) {
  return Guarded([&] { return EncodeAdpcm(ThreadVoxEncoder(), n, in, out); }, 0);
}

STTS_API int STTS_ADPCMEnCoding(int n, const int16_t* in, uint8_t* out) {
  return Guarded([&] { return EncodeAdpcm(ThreadImaEncoder(), n, in, out); }, 0);
}

STTS_API void STTS_ResetEnCoding(void) {
  Guarded([] { ResetThreadEncoders(); });
}

STTS_API int STTS_MakeWaveHeader(int encoding, int rate, int dataBytes, uint8_t* buffer) {
  return Guarded(
      [&]() -> int {
        orvilo::audio::SampleEncoding kind;
        if (buffer == nullptr || !EncodingOf(encoding, kind) || rate <= 0 || dataBytes < 0) return 0;
        return WriteHeader(orvilo::audio::MakeWaveHeader(kind, rate, 1, dataBytes), buffer);
      },
      0);
}

STTS_API int STTS_MakeAuHeader(int encoding, int rate, int dataBytes, uint8_t* buffer) {
  return Guarded(
      [&]() -> int {
        orvilo::audio::SampleEncoding kind;
        if (buffer == nullptr || !EncodingOf(encoding, kind) || rate <= 0 || dataBytes < 0) return 0;
        return WriteHeader(orvilo::audio::MakeAuHeader(kind, rate, 1, dataBytes), buffer);
      },
      0);
}

}  // extern "C"
