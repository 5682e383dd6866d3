#include "core/FileWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vlnokan {

EFileWrite::EFileWrite(std::string path, std::string reason)
    : Exception("cannot write " + path + ": " + reason + "."), m_path(std::move(path)),
      m_reason(std::move(reason)) {}

namespace {

std::string systemReason(int code) {
    return std::strerror(code);
}

// The process's umask, read without changing it (changing it would race with other threads
// creating files).
mode_t currentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return mode_t(std::strtoul(line.c_str() + 6, nullptr, 8));
    return 022;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {};
    return path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The content in a hidden temporary file beside the target; its name, or EFileWrite.
std::string writeTemporary(const FileContent& file) {
    if (file.path.empty() || file.path.back() == '/')
        throw EFileWrite(file.path, "not a file name");
    std::string temporary = folderOf(file.path) + "." + nameOf(file.path) + ".XXXXXX";
    const int handle = mkstemp(temporary.data());
    if (handle < 0)
        throw EFileWrite(file.path, systemReason(errno));
    int failure = 0;
    const mode_t mode = (file.executable ? 0777 : 0666) & ~currentUmask();
    if (fchmod(handle, mode) != 0)
        failure = errno;
    // Straight to the file, no buffer: every refusal of the disk is seen here.
    for (std::size_t done = 0; !failure && done < file.bytes.size();) {
        const ssize_t count = ::write(handle, file.bytes.data() + done, file.bytes.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            failure = count < 0 ? errno : ENOSPC;
        else
            done += std::size_t(count);
    }
    if (!failure && fsync(handle) != 0)
        failure = errno;
    if (::close(handle) != 0 && !failure)
        failure = errno;
    if (failure) {
        std::remove(temporary.c_str());
        throw EFileWrite(file.path, systemReason(failure));
    }
    return temporary;
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

} // namespace

void writeFile(const FileContent& file) {
    writeFiles({file});
}

void writeFile(const std::string& path, std::string_view bytes) {
    writeFile(FileContent{path, std::string(bytes), false});
}

void writeFiles(const std::vector<FileContent>& files) {
    std::vector<std::string> temporaries;
    const auto removeTemporaries = [&] {
        for (const std::string& name : temporaries)
            std::remove(name.c_str());
    };
    try {
        for (const FileContent& file : files)
            temporaries.push_back(writeTemporary(file));
    } catch (const EFileWrite&) {
        removeTemporaries();
        throw;
    }
    // Keep each older file under a second name until all new ones are in place, to put it back
    // should a later one fail.
    std::vector<std::string> keeps(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files.size() == 1 || !exists(files[i].path))
            continue;
        keeps[i] = temporaries[i] + ".old";
        if (::link(files[i].path.c_str(), keeps[i].c_str()) != 0) {
            const int code = errno;
            for (std::size_t k = 0; k < i; ++k)
                if (!keeps[k].empty())
                    std::remove(keeps[k].c_str());
            removeTemporaries();
            throw EFileWrite(files[i].path, systemReason(code));
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (std::rename(temporaries[i].c_str(), files[i].path.c_str()) == 0)
            continue;
        const int code = errno;
        for (std::size_t k = 0; k < i; ++k) {
            if (keeps[k].empty())
                std::remove(files[k].path.c_str());
            else
                std::rename(keeps[k].c_str(), files[k].path.c_str());
        }
        for (std::size_t k = i; k < files.size(); ++k) {
            std::remove(temporaries[k].c_str());
            if (!keeps[k].empty())
                std::remove(keeps[k].c_str());
        }
        throw EFileWrite(files[i].path, systemReason(code));
    }
    for (const std::string& keep : keeps)
        if (!keep.empty())
            std::remove(keep.c_str());
}

} // namespace vlnokan
