#pragma once

// Shared by the fuzz targets: an application object (Qt finds its image
// plug-ins only once one exists) and a check of the reader's promises. Each
// target is one function over the input bytes; built with
// MORVANE_FUZZ_ENTRY it becomes a libFuzzer executable, where a broken
// promise aborts so libFuzzer keeps the input; built into the test suite it
// runs the kept inputs, and a broken promise throws for the test to report.

#include <QByteArray>
#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace morvane::fuzz {

inline void startApplication() {
    // Decoders warn about every damaged input; printing millions of those
    // lines would cost more time than the reading.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "morvane-fuzz";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

[[noreturn]] inline void broken(const char* promise, const char* file, int line) {
#ifdef MORVANE_FUZZ_ENTRY
    std::fprintf(stderr, "%s:%d: broken promise: %s\n", file, line, promise);
    std::abort();
#else
    throw std::logic_error(std::string(file) + ":" + std::to_string(line) +
                           ": broken promise: " + promise);
#endif
}

// The targets, one per reader.
int presetReaderOneInput(const std::uint8_t* data, std::size_t size);
int objReaderOneInput(const std::uint8_t* data, std::size_t size);
int pictureReaderOneInput(const std::uint8_t* data, std::size_t size);
int fileNamesOneInput(const std::uint8_t* data, std::size_t size);
int pp2ReaderOneInput(const std::uint8_t* data, std::size_t size);

inline QByteArray bytesOf(const std::uint8_t* data, std::size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), int(size));
}

} // namespace morvane::fuzz

#define FUZZ_CHECK(condition)                                                                    \
    do {                                                                                         \
        if (!(condition))                                                                        \
            ::morvane::fuzz::broken(#condition, __FILE__, __LINE__);                             \
    } while (false)

#ifdef MORVANE_FUZZ_ENTRY
#define MORVANE_FUZZ_TARGET(function)                                                            \
    extern "C" int LLVMFuzzerInitialize(int*, char***) {                                         \
        ::morvane::fuzz::startApplication();                                                     \
        return 0;                                                                                \
    }                                                                                            \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {          \
        return ::morvane::fuzz::function(data, size);                                            \
    }
#else
#define MORVANE_FUZZ_TARGET(function)
#endif
