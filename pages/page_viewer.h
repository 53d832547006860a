// The help-page viewer: window 199 with a save and a print button.
#pragma once

// Opens (or replaces) the viewer showing the picture held under pageId in an area of
// width x height pixels.
void OpenPageViewer(int pageId, int width, int height);

// Asks for a file name and saves currentPage as a JPEG file.
void SavePage(int currentPage);

// Prints currentPage on one sheet.
void PrintPage(int currentPage);
