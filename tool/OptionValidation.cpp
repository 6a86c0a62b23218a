#include "tool/OptionValidation.h"

#include "host/UnixDep.h"

namespace {

bool refuse(const std::string& message, const std::string& item) {
    m_strError += "ERROR:\n\t" + message + "\t'" + item + "'\n";
    return false;
}

const char* const kDirectoryNotWritable =
    "Path represents an existing directory with NO write permission granted!";

// Nothing exists at the path: the directory that is to hold the new file must be writable.
bool is_valid_new_file(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return refuse("Invalid path!", path);
    const std::string directory = slash == 0 ? "/" : path.substr(0, slash);
    if (!dir_exist(directory))
        return refuse("Path represents a non-existing directory!", directory);
    if (!has_write_perm(directory))
        return refuse(kDirectoryNotWritable, directory);
    return true;
}

bool is_valid_path(const std::string& path) {
    if (dir_exist(path))
        return has_write_perm(path) || refuse(kDirectoryNotWritable, path);
    if (!file_exist(path))
        return is_valid_new_file(path);
    if (!has_write_perm(path))
        return refuse("Path represents an existing file with NO write permission granted!", path);
    m_strWarning += "WARNING:\n\tOutput path represents an existing file that could be "
                    "overwritten:\t'" +
                    path + "'\n";
    return true;
}

} // namespace

bool is_valid(const std::string& value, int option) {
    if (option == e_OptIniFile)
        return is_valid_path(value);
    return option > e_OptIniFile && option < static_cast<int>(kToolOptionCount);
}
