# The Debian package (make package): the program folder under /opt/orvilo,
# both programs' desktop entries and the program icon. Configured only in
# the packaging tree (-DORVILO_PACKAGE=ON): the entries install to absolute
# system folders, which `make stage` into dist/ must never touch.
#
# The decoder plug-in stays in the program folder: the program puts its own
# folder on GStreamer's plug-in path at start. Settings and data go to the
# user's folders when /opt/orvilo is not writable (core/settings).
set(ORVILO_PACKAGE_ROOT /opt/orvilo)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/orvilo.desktop ${CMAKE_SOURCE_DIR}/packaging/orvilo-speech-editor.desktop
  DESTINATION /usr/share/applications)
# Skin picture 128 is the program icon (256 × 256); the speech editor shares it.
install(FILES ${CMAKE_BINARY_DIR}/ui/skin/pictures/icon/128.png
  DESTINATION /usr/share/icons/hicolor/256x256/apps RENAME orvilo.png)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvilo)
set(CPACK_PACKAGE_VENDOR "Vexmar")
set(CPACK_PACKAGE_CONTACT "Orvilo maintainers <orvilo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Classroom document camera: live view, drawing, reading aloud, recording")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${ORVILO_PACKAGE_ROOT})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # orvilo_<version>_<arch>.deb
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# Libraries from Debian by dpkg-shlibdeps; the program's own libraries sit
# beside it (found through $ORIGIN).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${ORVILO_PROGRAM_DIR})
# What is loaded at run time rather than linked: the toolkit's X11 platform,
# GStreamer's camera, conversion and playback elements, the speech and
# recognition data.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, espeak-ng-data, tesseract-ocr-kor, tesseract-ocr-eng")
include(CPack)
