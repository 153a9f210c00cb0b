// Test helpers: a file's bytes, and waiting for a file to hold something without polling the clock.
#pragma once

#include <functional>
#include <string>

// A file's bytes as they are (empty when it cannot be read).
std::string ReadText(const std::string& path);

// Waits up to timeoutMs until the file's bytes satisfy the test, looking again whenever something in its
// folder changes. True when they did.
bool WaitForText(const std::string& path, const std::function<bool(const std::string&)>& test, int timeoutMs);

// How often text occurs in the file.
int CountInText(const std::string& text, const std::string& what);
