#include "tool/ItemActions.h"

#include "host/FileLock.h"
#include "host/FileText.h"
#include "host/Temporary.h"
#include "host/UnixDep.h"
#include "ini/IniFile.h"
#include "tool/OptionValidation.h"
#include "tool/RunResult.h"

#include <cstdio>
#include <unistd.h>

namespace {

// How long a changing run waits for another one on the same directory before it gives up.
constexpr int kLockTimeoutMs = 10000;

enum e_Action {
    e_DeleteKey,
    e_MissingFile,
    e_GetValue,
    e_SetValue,
    e_DeleteSection,
    e_ListKeys,
    e_DeleteFile,
    e_MissingFileForDeletion,
    e_NothingToList,
    e_ListEverything,
    e_ListSections,
};

e_Action choose_action(const st_RunOptions& o, bool fileRead) {
    const bool section = !o.m_strSection.empty();
    const bool key = !o.m_strKey.empty();
    const bool value = !o.m_strValue.empty();
    if (section && key) {
        if (o.m_bDelete)
            return e_DeleteKey;
        if (!fileRead && (!o.m_bForce || !value))
            return e_MissingFile;
        return value ? e_SetValue : e_GetValue;
    }
    if (section)
        return o.m_bDelete ? e_DeleteSection : e_ListKeys;
    if (o.m_bDelete)
        return fileRead ? e_DeleteFile : e_MissingFileForDeletion;
    if (!fileRead)
        return e_NothingToList;
    return o.m_bVerbose ? e_ListEverything : e_ListSections;
}

bool may_change_file(const st_RunOptions& o) {
    return o.m_bDelete || (!o.m_strSection.empty() && !o.m_strKey.empty() && !o.m_strValue.empty());
}

std::string item_text(const st_RunOptions& o) {
    return "\t[SECTION: '" + o.m_strSection + "'\tKEY: '" + o.m_strKey + "'";
}

int fail(std::string& buffer, const std::string& text, int result) {
    buffer += text;
    return result;
}

// Output a script cannot have read whole is no success: a full disk or a closed standard output
// fails the run. A listing goes out in pieces as it is made.
int print(const TextSource& text) {
    const TextSink out = [](std::string_view piece) { return write_all(STDOUT_FILENO, piece); };
    if (std::fflush(stdout) == 0 && text(out))
        return e_RetSuccess;
    return fail(m_strError, "ERROR:\n\tCould not write the output!\n", e_RetItemActionError);
}

int print(const std::string& listing) {
    return print([&listing](const TextSink& out) { return out(listing); });
}

int print_content(const st_RunOptions& o, const std::string& section) {
    return print([&](const TextSink& out) {
        return pco_IniFile->PutContent(section, "", o.m_bComments, out);
    });
}

int delete_key(const st_RunOptions& o) {
    if (pco_IniFile->DeleteKey(o.m_strKey, o.m_strSection))
        return e_RetSuccess;
    return fail(m_strError,
                "ERROR:\n\tCould not delete key!" + item_text(o) + "\tVALUE: '" + o.m_strValue +
                    "']\n",
                e_RetItemActionError);
}

int missing_file(const st_RunOptions& o) {
    const bool hint = !o.m_bForce && !o.m_strValue.empty();
    return fail(m_strError,
                "ERROR:\n\tInifile does not exist!\t['" + o.m_strPath + "']\n" +
                    (hint ? "\t(use -f to force creation)\n" : ""),
                e_RetFileNotFound);
}

int get_value(const st_RunOptions& o) {
    const std::string value =
        o.m_bVerbose ? pco_IniFile->GetContentStr(o.m_strSection, o.m_strKey, o.m_bComments)
                     : pco_IniFile->GetValue(o.m_strKey, o.m_strSection);
    if (!value.empty())
        return print(value + "\n");
    return fail(m_strWarning, "WARNING:\n\tValue not found!" + item_text(o) + "]\n",
                e_RetItemNotFound);
}

// Says why a set failed where the input is the reason: -f helps only a key that is missing.
std::string set_hint(const st_RunOptions& o) {
    if (!CDataFile::IsStorable(o.m_strSection, o.m_strKey, o.m_strValue))
        return "\t(a name or the value would not read back as given: a line break, or white "
               "space at the value's ends)\n";
    return o.m_bForce ? "" : "\t(use -f to force insertion)\n";
}

int set_value(const st_RunOptions& o) {
    if (pco_IniFile->SetValue(o.m_strKey, o.m_strValue, o.m_strComment, o.m_strSection, o.m_bForce,
                              true))
        return e_RetSuccess;
    return fail(m_strError,
                "ERROR:\n\tCould not set value!" + item_text(o) + "\tVALUE: '" + o.m_strValue +
                    "']\n" + set_hint(o),
                e_RetItemActionError);
}

int delete_section(const st_RunOptions& o) {
    if (pco_IniFile->DeleteSection(o.m_strSection))
        return e_RetSuccess;
    return fail(m_strError,
                "ERROR:\n\tCould not delete section!\t[SECTION: '" + o.m_strSection + "']\n",
                e_RetItemActionError);
}

int list_keys(const st_RunOptions& o) {
    if (!pco_IniFile->ExistsSection(o.m_strSection))
        return e_RetItemNotFound;
    return print_content(o, o.m_strSection);
}

int delete_whole_file(const st_RunOptions& o) {
    delete pco_IniFile;
    pco_IniFile = nullptr;
    if (delete_file(o.m_strPath))
        return e_RetSuccess;
    return fail(m_strError, "ERROR:\n\tCould not delete inifile!\t['" + o.m_strPath + "']\n",
                e_RetItemActionError);
}

int perform(e_Action action, const st_RunOptions& o) {
    switch (action) {
    case e_DeleteKey:
        return delete_key(o);
    case e_MissingFile:
        return missing_file(o);
    case e_GetValue:
        return get_value(o);
    case e_SetValue:
        return set_value(o);
    case e_DeleteSection:
        return delete_section(o);
    case e_ListKeys:
        return list_keys(o);
    case e_DeleteFile:
        return delete_whole_file(o);
    case e_MissingFileForDeletion:
        return fail(m_strError,
                    "ERROR:\n\tUnable to delete non-existing inifile!\t['" + o.m_strPath + "']\n",
                    e_RetFileNotFound);
    case e_NothingToList:
        return e_RetFileNotFound;
    case e_ListEverything:
        return print_content(o, "");
    case e_ListSections:
        return print(pco_IniFile->GetSectionsStr(o.m_bComments));
    }
    return e_RetUnknownError;
}

} // namespace

int file_stage(const st_RunOptions& options) {
    if (!is_valid(options.m_strPath, e_OptIniFile)) {
        m_strError += invalid_option_text(e_OptIniFile, options.m_strPath);
        return finalize(e_RetInvalidOption, true);
    }
    // Held until the run has ended, so that no other run reads the file between this run's
    // load and its save (or removal).
    DirectoryLock lock;
    const DirectoryLock::Outcome locked = may_change_file(options)
                                              ? lock.Acquire(options.m_strPath, kLockTimeoutMs)
                                              : DirectoryLock::e_Unavailable;
    if (locked == DirectoryLock::e_TimedOut) {
        m_strError +=
            "ERROR:\n\tInifile is locked by another run!\t['" + options.m_strPath + "']\n";
        return finalize(e_RetItemActionError, false);
    }
    // No run that holds the lock makes temporaries: those of the file are left by killed runs.
    if (locked == DirectoryLock::e_Locked)
        remove_stale_temporaries(options.m_strPath);
    pco_IniFile = new ct_IniFile(options.m_strPath, options.m_bForce);
    if (pco_IniFile->IsUnreadable() && may_change_file(options)) {
        m_strError += "ERROR:\n\tInifile could not be read!\t['" + options.m_strPath + "']\n";
        return finalize(e_RetItemActionError, false);
    }
    const bool fileRead = pco_IniFile->IsOk();
    return finalize(perform(choose_action(options, fileRead), options), false);
}
