#pragma once
// Numbers the program keeps in fields, to read them without a look-up, and in the settings
// store for good. A StoredNumber reads as its number, and every change made to it is written
// to the store at once (so, once the store writes its changes at once, it reaches the file
// when the change under way is done, whoever made it). The numbers of one owner are listed in
// its StoredSettings, which loads them all: a number declared with its owner's list, section,
// name and default needs nothing else to be read, kept and written. A number declared to be
// written when it changes is written only when it takes a value other than the one it holds
// (a value never changed, its default included, stays out of the store).

#include <utility>
#include <vector>

#include "platform/CString.h"
#include "platform/SettingsStore.h"
#include "platform/Types.h"

class StoredSetting;

class StoredSettings {
public:
    explicit StoredSettings(SettingsStore& store) : m_store(store) {}
    StoredSettings(const StoredSettings&) = delete;
    StoredSettings& operator=(const StoredSettings&) = delete;

    // Reads every number from the store; a missing one takes its default.
    void Load();
    // Writes every number to the store, those never changed too, but for the numbers written
    // when they change.
    void WriteAll();
    // The numbers, in the order they were declared.
    const std::vector<StoredSetting*>& Settings() const { return m_settings; }

private:
    friend class StoredSetting;
    SettingsStore& m_store;
    std::vector<StoredSetting*> m_settings;
};

// When a number reaches the store: at every change made to it, or only when it changes.
enum class StoredWrite { kAlways, kWhenChanged };

// A DWORD kept as the store's value section/entry; the default until loaded.
class StoredSetting {
public:
    StoredSetting(StoredSettings& owner, CString section, CString entry, DWORD defaultValue,
                  StoredWrite write = StoredWrite::kAlways);
    StoredSetting(const StoredSetting&) = delete;
    StoredSetting& operator=(const StoredSetting&) = delete;

    const CString& Section() const { return m_section; }
    const CString& Entry() const { return m_entry; }
    DWORD Value() const { return m_value; }
    StoredWrite Write() const { return m_write; }
    // Takes value and writes it to the store (when it changes, for a number written so).
    void SetValue(DWORD value);
    void Load();

private:
    SettingsStore& m_store;
    CString m_section;
    CString m_entry;
    DWORD m_default;
    DWORD m_value;
    StoredWrite m_write;
};

// A StoredSetting read and changed as a number of type T.
template <typename T>
class StoredNumber : public StoredSetting {
public:
    StoredNumber(StoredSettings& owner, CString section, CString entry, T defaultValue,
                 StoredWrite write = StoredWrite::kAlways)
        : StoredSetting(owner, std::move(section), std::move(entry),
                        static_cast<DWORD>(defaultValue), write) {}

    operator T() const { return static_cast<T>(Value()); }
    StoredNumber& operator=(T value) {
        SetValue(static_cast<DWORD>(value));
        return *this;
    }
    StoredNumber& operator|=(T bits) { return *this = static_cast<T>(*this) | bits; }
    StoredNumber& operator&=(T bits) { return *this = static_cast<T>(*this) & bits; }
    StoredNumber& operator^=(T bits) { return *this = static_cast<T>(*this) ^ bits; }
};
