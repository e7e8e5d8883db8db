#pragma once

#include <QString>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

// A promise a fuzz target found broken: said on the error output, then the process aborts,
// so the fuzzer reports it and keeps the input.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// Text of at most maxBytes bytes of the input, read as UTF-8 (invalid bytes become
// replacement characters).
inline QString ConsumeText(FuzzedDataProvider &input, size_t maxBytes) {
    const std::string bytes = input.ConsumeRandomLengthString(maxBytes);
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}
