#include "lifecycle/graphics_probe.h"

#include <array>
#include <d3d9.h>
#include <windows.h>

namespace {

// The runtime and its interface, kept from the check until the end of the program.
struct Direct3D {
    HMODULE library = nullptr;
    IDirect3D9* device = nullptr;
};
Direct3D direct3D;

// The SDK version the check asks the runtime for.
constexpr UINT sdkVersion = 32;

struct ProbedFormat {
    D3DFORMAT format;
    int bits;
};
// Asked in this order; the sum of their display modes decides.
constexpr std::array<ProbedFormat, 3> probedFormats{{
    {D3DFMT_X1R5G5B5, 15},
    {D3DFMT_R5G6B5, 16},
    {D3DFMT_X8R8G8B8, 32},
}};

} // namespace

int DefaultScreenDepth() {
    ReleaseGraphicsProbe();
    direct3D.library = LoadLibraryW(L"d3d9.dll");
    if (direct3D.library == nullptr) {
        return 0;
    }
    using Create = IDirect3D9*(WINAPI*)(UINT);
    // Through a plain function pointer: the export's own type is not FARPROC's.
    const auto create = reinterpret_cast<Create>(
        reinterpret_cast<void (*)()>(GetProcAddress(direct3D.library, "Direct3DCreate9")));
    if (create == nullptr) {
        ReleaseGraphicsProbe();
        return 0;
    }
    direct3D.device = create(sdkVersion);
    if (direct3D.device == nullptr) {
        ReleaseGraphicsProbe();
        return 0;
    }
    UINT modes = 0;
    int deepest = 0;
    for (const ProbedFormat& probed : probedFormats) {
        const UINT count = direct3D.device->GetAdapterModeCount(D3DADAPTER_DEFAULT, probed.format);
        modes += count;
        if (count > 0) {
            deepest = probed.bits;
        }
    }
    if (modes < 1) {
        ReleaseGraphicsProbe();
        return 0;
    }
    return deepest;
}

bool DefaultProbeRunsOnAnyThread() {
    return true;
}

void ReleaseGraphicsProbe() {
    if (direct3D.device != nullptr) {
        direct3D.device->Release();
        direct3D.device = nullptr;
    }
    if (direct3D.library != nullptr) {
        FreeLibrary(direct3D.library);
        direct3D.library = nullptr;
    }
}
