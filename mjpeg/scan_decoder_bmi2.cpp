// The scan decoder compiled for processors with AVX2 and BMI2.
#define DECODE_SCAN_NAME DecodeScanBmi2
#include "mjpeg/scan_decoder_impl.h"
