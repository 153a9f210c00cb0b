// What the operator sees of gamma tables: the box after a transfer that did not complete, the question
// before a file that does not look like a full gamma table, and the boxes of a file that cannot be read
// or written. GammaTransfer and GammaFile do the work; this turns their outcomes into boxes.
#pragma once

#include "files/GammaFile.h"
#include "files/GammaTransfer.h"

#include <string>

class MessageHost;

class GammaActions {
public:
    // 1 when the read was complete; else 0 after the box that says where it stopped.
    static int ShowRead(MessageHost& messages, const GammaTransfer::ReadOutcome& outcome);
    // 1 when the camera took every entry; else 0 after the box that says what was written and what not.
    static int ShowWrite(MessageHost& messages, const GammaTransfer::WriteOutcome& outcome);

    // The gamma file at `path` into the tables (View Mode), all or nothing; a file that does not look like
    // a full gamma table is kept only when the question is answered Yes. Every message of the read is
    // shown (stop icon). 1 when the file was read whole and kept.
    static int ReadFile(MessageHost& messages, const std::string& path, const GammaFile::Tables& tables);
    // The same, with how the read ended and what it held (the rows of a file read whole).
    static GammaFile::FileRead ReadFileRows(MessageHost& messages, const std::string& path,
                                            const GammaFile::Tables& tables);
    // 1 written; else 0 after its box (stop icon): the folder when it would not take the file, else
    // "<path>\nCouldn't open this file".
    static int WriteFile(MessageHost& messages, const std::string& path, const GammaFile::Tables& tables);
};
