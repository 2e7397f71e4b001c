#include "fuzz_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzFormat(data, size, formatAss);
    return 0;
}
