// The gamma data file: a header line "GammaData (R G B)", then one line "red,green,blue" per table
// entry 0 to 255. Written with CR LF and replaced atomically; read line by line into three tables.
#pragma once

#include "files/GammaTable.h"
#include "files/TextFile.h"

#include <array>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

class GammaFile {
public:
    static constexpr const char* kHeader = "GammaData (R G B)";

    // What a read did: the stop-icon messages in the order they arose, and how many rows it stored.
    struct ReadResult {
        int result = 0;  // 1 when the whole file was read
        int rowsStored = 0;  // every data row of a complete read; none of one that failed
        std::vector<std::string> messages;
        std::string firstLine;  // without its line end: what the file says it holds
    };

    // How a read of a file ended.
    enum class FileStatus {
        Kept,  // read whole and taken: in the tables, "View Mode"
        CannotOpen,  // nothing read
        Malformed,  // a line ended the read (its message is in `read.messages`); nothing kept
        Declined,  // read whole, but the accept check turned it down; nothing kept
    };
    struct FileRead {
        FileStatus status = FileStatus::CannotOpen;
        ReadResult read;
    };

    // Red, green and blue, in this order.
    using Tables = std::array<GammaTable*, 3>;
    // Sees a complete read before anything of it is kept; false keeps nothing.
    using Accept = std::function<bool(const ReadResult&)>;

    // Reads the stream into the tables, all or nothing: a failing line leaves every table as it was, a
    // complete read replaces the rows the file holds. A line ends at LF (a CR before it included),
    // however long it is. The display mode is not touched.
    static ReadResult Read(std::istream& in, const Tables& tables);
    // The file at `path`. A complete read that `accept` (if given) takes goes into the tables and switches
    // them to "View Mode"; any other ending keeps nothing. The read's messages are for the caller to show
    // (stop icon), in their order, for Kept and Malformed.
    static FileRead ReadFile(const std::string& path, const Tables& tables, const Accept& accept = {});

    // The whole file's text, CR LF line ends.
    static std::string Format(const Tables& tables);
    // Writes through a temporary file in the same folder renamed over `path`, so a failure leaves an
    // old file intact.
    static TextFile::SaveResult WriteFile(const std::string& path, const Tables& tables);

private:
    static ReadResult Parse(std::string_view content, const Tables& tables);
};
