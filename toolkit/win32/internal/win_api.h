// The Win32 headers as the backend uses them. windows.h turns MessageBox into
// MessageBoxW, which would rename the toolkit's own operation of that name.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#undef MessageBox
