#pragma once

#include <string>

namespace quorvane {

// The start-with-the-desktop entry: the XDG autostart file
// $XDG_CONFIG_HOME/autostart/quorvane.desktop. The entry present with a non-empty Exec=
// line means that the program starts with the user's desktop session.
class AutostartEntry {
public:
    // The entry below a configuration home ($XDG_CONFIG_HOME, by default ~/.config).
    static std::string path_in(const std::string& config_home);

    explicit AutostartEntry(std::string path);

    bool is_on() const;
    // Writes the entry that starts `executable` in the folder `working_dir` (the data
    // directory, so that the program started by the session finds the same one). The
    // autostart folder is made when it is missing. Throws IniWriteError ("Unable to write
    // to <path>") when the entry cannot be written; an entry there before is then kept.
    void write(const std::string& executable, const std::string& working_dir);
    // Removes the entry; an entry that is already absent is no error. Throws IniWriteError
    // when it is there and cannot be removed.
    void remove();

    const std::string& path() const { return m_path; }

    // The text of the entry; `executable` and `working_dir` are escaped as desktop entries
    // require (Exec= quoting, "%%" for "%", backslash escapes).
    static std::string content(const std::string& executable, const std::string& working_dir);

private:
    std::string m_path;
};

}  // namespace quorvane
