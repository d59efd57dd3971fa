# What both packages say of the product: who publishes it, its copyright, the programs' names as
# menus show them, and the sizes of its icon. The copyright line is packaging/copyright's.
set(BANNER_MAINTAINER "banner developers <banner-developers@example.org>"
    CACHE STRING "The package's maintainer")
string(REGEX REPLACE " *<.*$" "" BANNER_PUBLISHER "${BANNER_MAINTAINER}")

file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/copyright copyright_line REGEX "^Copyright: " LIMIT_COUNT 1)
string(REGEX REPLACE "^Copyright: " "" copyright_holders "${copyright_line}")
set(BANNER_COPYRIGHT "Copyright ${copyright_holders}. All rights reserved.")

set(banner_desktop_name "Banner")
set(banner_alt_desktop_name "Banner (alternative framing)")
set(banner_desktop_comment "Play the two-minute 3D banner show with its music")
set(banner_alt_desktop_comment "Play the 3D banner show in a narrower framing")

# The largest is the one Windows shows on a large-icon view.
set(BANNER_ICON_SIZES 16 24 32 48 64 128 256)
