# Puts the page together: the module's script (the WebAssembly inside it), the page's own
# script, the worker's and the style, each inlined into the HTML, so that one file is all
# there is to copy, open and keep.
# cmake -DTEMPLATE=… -DSTYLE=… -DMODULE=… -DPAGE=… -DWORKER=… -DOUTPUT=… -P assemble_page.cmake
file(READ ${TEMPLATE} html)
foreach(part style module page worker)
    string(TOUPPER ${part} variable)
    file(READ ${${variable}} text)
    # Inside a script element only "</script" ends it: none of the parts may hold one.
    string(TOLOWER "${text}" lower)
    string(FIND "${lower}" "</script" closing)
    if(NOT closing EQUAL -1)
        message(FATAL_ERROR "${${variable}} holds </script and cannot be inlined")
    endif()
    string(REPLACE "/*ZORVEL:${part}*/" "${text}" html "${html}")
endforeach()
file(WRITE ${OUTPUT} "${html}")
