#pragma once
// Where the Spice writer and its options keep their settings (section "Spice"): the
// application's settings store, else an empty store of its own.

class SettingsStore;

SettingsStore& SpiceSettings();
