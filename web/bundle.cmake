# Joins the page's script modules into one script (one request), in the order given, inside one
# function scope: cmake -DOUT=page.js -DPARTS="a.js;b.js" -P bundle.cmake
set(text "'use strict';\n// Built from web/page/*.js: each part is a module of the page.\n(() => {\n")
foreach(part ${PARTS})
    file(READ ${part} body)
    get_filename_component(name ${part} NAME)
    string(APPEND text "\n// ---- ${name}\n${body}")
endforeach()
string(APPEND text "})();\n")
file(WRITE ${OUT} "${text}")
