#pragma once
// The application's persistent settings: sections of named values, each a string, a DWORD or
// binary data, with the profile calls of the framework. Section and value names compare
// without regard to ASCII case and keep the case they were first written with; sections and
// values are listed in the order they were created.
//
// The settings are kept in one text file (see SettingsFormat.h), read when the store is
// constructed and written back by Save(); once given a write scheduler, the store writes back
// every change at once by itself.

#include <filesystem>
#include <functional>
#include <vector>

#include "platform/CString.h"
#include "platform/SettingsFormat.h"
#include "platform/Types.h"

class SettingsStore {
public:
    // Largest settings file that is read; a larger one is treated as damaged.
    static constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

    // The user's settings file: $VOSK_SETTINGS_DIR/settings.reg when that variable is set,
    // else <config>/Fenwyk Systems/Vosk Schematic/settings.reg with <config> from
    // $XDG_CONFIG_HOME (when absolute) or ~/.config.
    static std::filesystem::path DefaultFilePath();

    // Loads file (see Load); a missing file gives an empty store.
    explicit SettingsStore(std::filesystem::path file);

    const std::filesystem::path& FilePath() const { return m_file; }

    // Replaces the contents with the file's. A damaged or unreadable file is moved aside to
    // "<file>.bad", the store starts empty, LoadError() explains what happened and the result
    // is false. A missing file is not an error.
    bool Load();
    // Empty after a good load, else a message to show to the user.
    const CString& LoadError() const { return m_loadError; }

    // Whether anything changed since the last Load or Save.
    bool IsModified() const { return m_modified; }
    // Writes the file when something changed, creating its folder; throws FileWriteError.
    void Save();
    // Save for a change the user has just confirmed: a failure is told to the user, and what
    // changed stays to be written later. A failure is told once: the writes that fail after
    // it, the last one at the program's end too, are silent until a write succeeds again.
    // Whether the file holds the settings now.
    bool SaveOrTell();

    // Runs a write when the change under way is complete (the window program: when control is
    // back in its event loop, after the dialog or command that changed the settings).
    using WriteScheduler = std::function<void(std::function<void()> write)>;
    // From now on every change reaches the file at once, whoever makes it: the first change
    // after a write hands schedule one SaveOrTell, so the changes of one action make one write.
    // The scheduler drops a write not run when the store goes. An empty scheduler ends this;
    // the owner then saves (at its end).
    void WriteChangesAtOnce(WriteScheduler schedule);

    // The DWORD value; a string value is read as a decimal number (leading blanks, an optional
    // sign, digits; no digits give 0; a negative number wraps as an int cast to UINT). A missing
    // value or binary data gives the default.
    UINT GetProfileInt(LPCTSTR section, LPCTSTR entry, int defaultValue) const;
    // The string value; a missing value or another type gives the default (null: empty).
    CString GetProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultValue = nullptr) const;
    // Fills data with the binary value and returns TRUE; otherwise empties it and returns FALSE.
    BOOL GetProfileBinary(LPCTSTR section, LPCTSTR entry, std::vector<BYTE>& data) const;

    // Writes a DWORD value. FALSE when section or entry is null.
    BOOL WriteProfileInt(LPCTSTR section, LPCTSTR entry, int value);
    // Writes a string value. A null value deletes the entry and a null entry deletes the whole
    // section; both then return whether something was deleted.
    BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, LPCTSTR value);
    // The same for text that may hold NUL bytes.
    BOOL WriteProfileString(LPCTSTR section, LPCTSTR entry, const CString& value);
    // Writes a binary value. FALSE when section or entry is null, or data is null but size not 0.
    BOOL WriteProfileBinary(LPCTSTR section, LPCTSTR entry, const BYTE* data, UINT size);

    // Remove a value or a section with all its values; FALSE when there was none.
    BOOL DeleteValue(LPCTSTR section, LPCTSTR entry);
    BOOL DeleteSection(LPCTSTR section);

    std::vector<CString> EnumerateSections() const;
    // The value names of a section; empty for a missing section.
    std::vector<CString> EnumerateValues(LPCTSTR section) const;

private:
    const SettingsData* FindData(LPCTSTR section, LPCTSTR entry) const;
    BOOL SetData(LPCTSTR section, LPCTSTR entry, SettingsData data);
    // Marks the store changed and, when changes are written at once, asks for the write.
    void Changed();
    void StartAfterFault(const std::string& problem);

    std::filesystem::path m_file;
    SettingsSections m_sections;
    CString m_loadError;
    bool m_modified = false;
    WriteScheduler m_schedule;
    bool m_writePending = false;  // a write asked of the scheduler has not run yet
    bool m_failureTold = false;   // the last write failed, and the user was told
};
