// The help-page viewer: its own window with a save and a print button (PageViewerWindow,
// SavePageCommand and PrintPageCommand of ui/program_ids.h).
#pragma once

// Opens (or replaces) the viewer showing the picture held under pageId in an area of
// width x height pixels.
void OpenPageViewer(int pageId, int width, int height);

// Shows the picture held under pageId again in the open viewer, in place: the viewer keeps
// its place and the keyboard focus stays where it is. Nothing when no viewer is open.
void RefreshPageViewer(int pageId, int width, int height);

// Asks for a file name and saves currentPage as a JPEG file.
void SavePage(int currentPage);

// Prints currentPage on one sheet.
void PrintPage(int currentPage);

// Where a page of pageWidth x pageHeight pixels goes on a sheet whose printable width is
// printableWidth device pixels: 600 from the left, 300 spare on the right, 400 from the
// top, and as tall as the page's own proportions make it (truncated). A width or height
// of 0 or less means nothing is drawn.
struct PrintedArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const PrintedArea&, const PrintedArea&) = default;
};
PrintedArea PrintedPageArea(int printableWidth, int pageWidth, int pageHeight);
