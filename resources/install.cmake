# What `cmake --install` puts on a desktop, and the Debian package built from it.
include(GNUInstallDirs)

install(TARGETS morvela RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/morvela.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/morvela.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME org.example.morvela.metainfo.xml)
# The sample lists, found by an installed Morvela started from the desktop's menu.
install(FILES ${PROJECT_SOURCE_DIR}/examples/kao1.txt ${PROJECT_SOURCE_DIR}/examples/morvela1.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/morvela)
foreach(size 32 64 128)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/morvela-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME morvela.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvela)
set(CPACK_PACKAGE_VENDOR "The Morvela developers")
set(CPACK_PACKAGE_CONTACT "The Morvela developers <help@morvela.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Compose chat messages fast, always on the clipboard")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6dbus6 (>= 6.4), libglib2.0-0, qt6-qpa-plugins, fonts-ipafont")
# xdg-utils hands the list files and the support page to the desktop's programs; IBus's
# Qt 6 frontend comes with Qt, fcitx5's does not.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-translations-l10n, fonts-liberation, xdg-utils, fcitx5-frontend-qt6")
include(CPack)
