# `make package`: a Debian package of everything installed above.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Quillo developers <dev@quillo.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop formula calculator")
# CPack writes the summary as the synopsis and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Quillo evaluates a whole formula typed as text, such as 2*sin(30)+(1+2)^2,
and shows the result with the calculation on top of a history. It knows the
operators + - * / ^, round brackets and thirteen functions (sin, cos, tan,
their inverses, sqrt, abs, int, mod, power, round, pi and rand).
.
The package also holds quillo-eval, which evaluates formulas on the command
line with the same engine.")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://quillo.invalid/")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies are computed from the binaries; the fonts the window
# draws its Chinese and Latin texts with are not linked, so they are named; so
# is Qt's Chinese translation, which its menus and error box read, and
# libedit, which quillo-eval loads only for an interactive session.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming | fonts-noto-cjk, fonts-liberation, fonts-dejavu-core, qt6-translations-l10n, libedit2")
# The shop link opens the browser through xdg-open; qt6-wayland lets the
# window run natively on Wayland desktops (without it, through XWayland).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
