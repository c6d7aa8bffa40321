#pragma once

// The maker's home page: the web window opens it, the main frame's status
// bar shows it.
inline constexpr const char* MakerHomePage = "https://www.kelm-invoice.example/";
