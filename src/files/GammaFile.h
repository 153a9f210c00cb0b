// The gamma data file: a header line "GammaData (R G B)", then one line "red,green,blue" per table
// entry 0 to 255. Written with CR LF and replaced atomically; read line by line into three tables.
#pragma once

#include "files/GammaTable.h"

#include <array>
#include <istream>
#include <string>
#include <vector>

class GammaFile {
public:
    static constexpr const char* kHeader = "GammaData (R G B)";
    static constexpr int kLineLimit = 126;  // longer lines are read as several lines

    // What a read did: the stop-icon messages in the order they arose, and how many rows it stored.
    struct ReadResult {
        int result = 0;  // 1 when the whole file was read
        int rowsStored = 0;
        std::vector<std::string> messages;
    };

    // Red, green and blue, in this order.
    using Tables = std::array<GammaTable*, 3>;

    // Reads the stream into the tables row by row; a failing line leaves the rows before it stored.
    // The display mode is not touched.
    static ReadResult Read(std::istream& in, const Tables& tables);
    // The file at `path`; every message has been shown (stop icon). A complete read switches the three
    // tables to "View Mode". Gives 1 when the file was read whole.
    static int ReadFile(const std::string& path, const Tables& tables);

    // The whole file's text, CR LF line ends.
    static std::string Format(const Tables& tables);
    // Writes through a temporary file in the same folder renamed over `path`, so a failure leaves an
    // old file intact. Gives 0 after "<path>\nCouldn't open this file" (stop icon) on any failure.
    static int WriteFile(const std::string& path, const Tables& tables);
};
