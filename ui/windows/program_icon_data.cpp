// The icon file in a PE read-only section; built as ui/posix/program_icon_data.cpp is.
// PE assemblers know no section stack: this file holds nothing else, so that the compiler
// never writes its own code or data after the switch.
asm(".section .rdata$zorvel_icon, \"dr\"\n"
    ".global zorvel_icon_start\n"
    "zorvel_icon_start:\n"
    ".incbin \"" ZORVEL_ICON_FILE "\"\n"
    ".global zorvel_icon_end\n"
    "zorvel_icon_end:\n");
