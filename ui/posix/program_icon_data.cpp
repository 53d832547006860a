// The icon file in an ELF read-only section. The build passes ZORVEL_ICON_FILE and makes
// this file depend on it, so that an edited icon is embedded again.
asm(".pushsection .rodata.zorvel_icon, \"a\", @progbits\n"
    ".global zorvel_icon_start\n"
    "zorvel_icon_start:\n"
    ".incbin \"" ZORVEL_ICON_FILE "\"\n"
    ".global zorvel_icon_end\n"
    "zorvel_icon_end:\n"
    ".popsection\n");
