#pragma once
// The product's own texts, in one place: title, version and release lines,
// the team's details and addresses shown by the launcher and the about window.

namespace tavro::product {

inline constexpr const char* kTitle = "Tavro50";
inline constexpr const char* kVersionLine = "version 5.00 (release)";
inline constexpr const char* kReleaseLine = "released by the Velquin team on 8 December 2026";

inline constexpr const char* kWebsite = "https://velquin.example/tavro50";
inline constexpr const char* kWebsiteText = "velquin.example/tavro50";
inline constexpr const char* kEmail = "tavro50@velquin.example";
inline constexpr const char* kDonateUrl = "https://velquin.example/tavro50/donate";

// The about window's column of details (the team, not a person).
inline constexpr const char* kAuthorName = "Velquin team";
inline constexpr const char* kAuthorBirthplace = "a desk drawer";
inline constexpr const char* kAuthorBirthdate = "8 December 2026";
inline constexpr const char* kAuthorJob = "LCD game makers";
inline constexpr const char* kAuthorHobby = "catching stars";

// Settings key: Software\Velquin\Tavro50.
inline constexpr const char* kOrganisation = "Velquin";
inline constexpr const char* kApplication = "Tavro50";

}  // namespace tavro::product
