// A document whose protected state the tests may look at and set.
#ifndef VORNEL_TESTS_DOCUMENTPROBE_H
#define VORNEL_TESTS_DOCUMENTPROBE_H

#include "ini/CDataFile.h"

class Document : public CDataFile {
public:
    using CDataFile::CDataFile;
    bool Dirty() const { return m_bDirty; }
    std::int64_t Flags() const { return m_lFlags; }
    void SetFlags(std::int64_t flags) { m_lFlags = flags; }
    t_Section Last() const { return m_vecSections.back(); }
    std::string FileName() const { return m_strFileName; }
};

#endif
