# Writes banner_capture(1) from the tool's own --help and --version, so the page and the tool
# cannot disagree; the include file adds only what --help has no place for.
#   cmake -DHELP2MAN=help2man -DCAPTURE=banner_capture -DINCLUDE=file.h2m -DEPOCH=seconds
#         -DOUTPUT=banner_capture.1 -P make_capture_page.cmake
# help2man dates the page from SOURCE_DATE_EPOCH: the release's date, not the build's.
set(ENV{SOURCE_DATE_EPOCH} ${EPOCH})
execute_process(
    COMMAND ${HELP2MAN} --no-info --section 1 --include ${INCLUDE} --output ${OUTPUT}.tmp
            ${CAPTURE}
    RESULT_VARIABLE status ERROR_VARIABLE log)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "help2man failed: ${log}")
endif()
# help2man knows no exit status heading; --help's "Exit status:" becomes the page's section.
file(READ ${OUTPUT}.tmp page)
string(FIND "${page}" ".SS \"Exit status:\"" at)
if(at EQUAL -1)
    message(FATAL_ERROR "--help has no \"Exit status:\" paragraph for the page")
endif()
string(REPLACE ".SS \"Exit status:\"" ".SH \"EXIT STATUS\"" page "${page}")
file(WRITE ${OUTPUT} "${page}")
file(REMOVE ${OUTPUT}.tmp)
