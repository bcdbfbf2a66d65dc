#pragma once

// The support home page: the About window shows it and the Help menu opens it.
inline constexpr char kSupportHomePage[] = "https://www.morvela.example.org/support/";

// The About window's address field is laid out for exactly this length.
static_assert(sizeof(kSupportHomePage) - 1 == 40);
