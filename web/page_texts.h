// The window's texts the page shows, handed to its script once at start.
#pragma once

#include <string>

// {"name": text, …, "pages": [[menu title, [[item, image id], …]], …]}: every text under
// its name in main_window_texts, menu texts with their "&" marks, and the help pages in
// the order of the window's menus (image id 0 is the about box).
std::string PageTextsJson();
