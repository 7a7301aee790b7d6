# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package of merrin-vale, made by `cpack -G DEB` (scripts/package). It holds what
# `cmake --install` installs: the binary, the desktop entry, the metainfo and the icons.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "merrin-vale")
set(CPACK_PACKAGE_VENDOR "The Merrin Vale developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "weather briefings from a TV-style presenter")
set(CPACK_PACKAGE_DESCRIPTION
    "Merrin Vale gathers a numerical forecast, official alerts and forecasters'
bulletins for one place, and its presenter, a television-style meteorologist,
briefs you on what matters: a few sentences, a headline and a follow-up
question. With your own Anthropic key a language model writes the briefing;
without a key a built-in composer writes it from the forecast. Keys are kept
in the desktop keyring.")
# The project has no mail address yet: the field names the issue tracker until a release sets one.
set(MERRIN_MAINTAINER "The Merrin Vale developers <${MERRIN_HOMEPAGE}/issues>"
    CACHE STRING "The Debian package's Maintainer field, \"Name <address>\"")
set(CPACK_PACKAGE_CONTACT "${MERRIN_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MERRIN_HOMEPAGE}")

# Debian 12's runtime packages: the shared libraries merrin-vale links (versions as dpkg-shlibdeps
# reports them), the QML modules its screens import, the SVG image plugin, the GeoClue position
# plugin, and the speech and GStreamer plugins that play the briefing. Check a change with
# scripts/package-check, which installs the package into a clean root.
set(MERRIN_DEBIAN_DEPENDS
    "libc6 (>= 2.34)"
    "libgcc-s1 (>= 3.0)"
    "libstdc++6 (>= 11)"
    "libicu72 (>= 72.1)"
    "libqt6core6 (>= 6.4.0)"
    "libqt6gui6 (>= 6.4.0)"
    "libqt6network6 (>= 6.4.0)"
    "libqt6dbus6 (>= 6.4.0)"
    "libqt6qml6 (>= 6.4.0)"
    "libqt6quick6 (>= 6.4.0)"
    "libqt6quickcontrols2-6 (>= 6.4.0)"
    "libqt6positioning6 (>= 6.4.0)"
    "libqt6positioning6-plugins"
    "libqt6svg6"
    "libqt6multimedia6 (>= 6.4.0)"
    "libqt6texttospeech6 (>= 6.4.0)"
    "qt6-speech-speechd-plugin"
    "gstreamer1.0-plugins-base"
    "gstreamer1.0-plugins-good"
    "libqcoro6core0 (>= 0.8.0)"
    "libqcoro6network0 (>= 0.8.0)"
    "libqcoro6dbus0 (>= 0.8.0)"
    "libqt6keychain1 (>= 0.13.2)"
    "qml6-module-qtqml"
    "qml6-module-qtqml-workerscript"
    "qml6-module-qtquick"
    "qml6-module-qtquick-controls"
    "qml6-module-qtquick-layouts"
    "qml6-module-qtquick-templates"
    "qml6-module-qtquick-window")
list(JOIN MERRIN_DEBIAN_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
# The keyring that keeps API keys between runs, the position service, native Wayland windows, and
# the desktop's voice (speech-dispatcher with eSpeak NG) that reads the briefing without a Google key.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "gnome-keyring, geoclue-2.0, qt6-wayland, speech-dispatcher, speech-dispatcher-espeak-ng")

include(CPack)
