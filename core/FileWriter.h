#pragma once

#include "core/Faults.h"

#include <string>
#include <string_view>
#include <vector>

// Every file the program writes goes through here: written whole or not at all. The new content
// goes into a temporary file beside the target, which takes the target's name only once every
// byte is on the disk, so a full disk, a size limit or a crash leaves an older file as it was.
// File names are byte strings, used as given whatever their encoding.
namespace vlnokan {

// A file that could not be written; nothing of it was left behind.
class EFileWrite final : public Exception {
public:
    EFileWrite(std::string path, std::string reason);
    const std::string& path() const { return m_path; }
    const std::string& reason() const { return m_reason; }

private:
    std::string m_path;
    std::string m_reason;
};

struct FileContent {
    std::string path;
    std::string bytes;
    bool executable = false; // a script: executable for whoever may read it
};

// Writes one file with the usual mode (0644, or 0755 for a script, less the umask). Throws
// EFileWrite with the operating system's reason.
void writeFile(const FileContent& file);
void writeFile(const std::string& path, std::string_view bytes);

// Writes files that belong together: all of them, or none, every older one kept as it was.
void writeFiles(const std::vector<FileContent>& files);

} // namespace vlnokan
