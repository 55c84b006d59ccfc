// The start of every fuzzer that reads its input from a scratch file.

#include "fuzz_game.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fvfuzz::SetUpScratch();
    return 0;
}
