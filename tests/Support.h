// A scratch directory under $TMPDIR, removed afterwards, and a document open to the tests.
#ifndef VORNEL_TESTS_SUPPORT_H
#define VORNEL_TESTS_SUPPORT_H

#include "ini/CDataFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

class TempDir {
public:
    TempDir() {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/vornel-test-XXXXXX";
        m_path = ::mkdtemp(&pattern[0]) ? pattern : std::string();
    }
    ~TempDir() { std::filesystem::remove_all(m_path, m_error); }
    std::string file(const std::string& name) const { return m_path + "/" + name; }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(file(name), std::ios::binary) << text;
        return file(name);
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::string m_path;
    std::error_code m_error;
};

class Document : public CDataFile {
public:
    using CDataFile::CDataFile;
    bool Dirty() const { return m_bDirty; }
    void Clean() { m_bDirty = false; }
    std::int64_t Flags() const { return m_lFlags; }
    void SetFlags(std::int64_t flags) { m_lFlags = flags; }
    t_Section Last() {
        const std::string name = Current().Sections().back().m_strName; // GetSection reads anew
        return GetSection(name);
    }
    std::string FileName() const { return m_strFileName; }
};

#endif
