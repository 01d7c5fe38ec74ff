#pragma once
// A folder under the system's temporary folder, removed with everything in it at the end.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

class CTempFolder {
public:
    CTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vw-files-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            m_strPath = pattern;
    }
    ~CTempFolder() {
        std::error_code ec;
        if (!m_strPath.empty())
            std::filesystem::remove_all(m_strPath, ec);
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::string& Path() const { return m_strPath; }
    std::string operator/(std::string_view name) const {
        return m_strPath + "/" + std::string(name);
    }

    // Writes bytes to the file name (folders on the way are made); returns its path.
    std::string Write(std::string_view name, std::string_view bytes = "x") const {
        const std::string path = *this / name;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return path;
    }

private:
    std::string m_strPath;
};
