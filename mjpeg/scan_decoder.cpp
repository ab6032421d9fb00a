#define DECODE_SCAN_NAME DecodeScanGeneric
#include "mjpeg/scan_decoder_impl.h"
