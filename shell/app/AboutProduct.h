#pragma once
// What the program says about itself: its version and the web pages of the product and its
// maker.

#include "platform/AppIdentity.h"

inline constexpr char kProductHomePage[] = "https://www.fenwyk-systems.example/vosk/";
inline constexpr char kMakerHomePage[] = "https://www.fenwyk-systems.example/";
// The maker's address as the About box shows it.
inline constexpr char kMakerWebAddress[] = "www.fenwyk-systems.example";
